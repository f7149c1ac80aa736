// report_fixture.h — a small hardware catalog, the firm's settings and a demo order of four positions
// (one excluded) for the report tests, with files of orders and selections when a test needs them.
#pragma once
#include <QString>
#include <QStringList>
#include <memory>

#include "common/expression.h"
#include "construction/construction.h"
#include "documents/order.h"
#include "documents/order_selection.h"
#include "reports/report_data.h"
#include "shell/setup.h"
#include "support/catalog_fixture.h"

namespace qx {

class ReportFixture : public CatalogFixture {
public:
    // The catalog, the firm's settings installed as the run's settings and the paths' CatalogDir
    // and ConfigName set; the previous settings and paths come back afterwards.
    ReportFixture();
    ~ReportFixture();

    TqxfSetup Settings;

    // The demo order "З-2024/017" in roubles with VAT 20 % on top:
    //   001 tilt-and-turn window 1000 × 1400, ×2, with micro-ventilation and a child lock;
    //   002 two-sash window 1400 × 1400 without mullion (active left, passive right);
    //   003 a window not included in the order;
    //   004 balcony door 800 × 2100 with a latch.
    std::unique_ptr<TqxfOrder> DemoOrder();
    // An order of one position with a right sash kit but none on the left sash.
    std::unique_ptr<TqxfOrder> OrderWithoutLeftKit();

    // Writes an order file in the fixture's directory and returns its path.
    QString SaveOrder(TqxfOrder& order, const QString& name);
    // A selection "В-05" of the positions of the order file (position 003 not included) and, as
    // its second line, a line that refers to a file that does not exist (order "З-404", "001").
    std::unique_ptr<TqxfOrderSelection> SelectionOf(const QString& orderFile);

    // Evaluates an expression with the module's variables and functions.
    static QString Eval(TDM_Report& module, const QString& expression);
};

}  // namespace qx
