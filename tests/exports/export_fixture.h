// export_fixture.h — a small catalog, an order with ready material lines, a user store and an
// export folder of its own for every export test.
#pragma once
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "documents/order.h"
#include "exports/export_params.h"
#include "shell/paths.h"
#include "shell/setup.h"
#include "support/catalog_fixture.h"

namespace qx {

// HINGE-20 has a 20-character second maker article; ROD has a three-character unit and a first
// maker article with blanks around it; KEEP has only a second maker article, a name longer than
// the name column and a six-character unit; DISC has a name with blanks around it.
inline const char* const kExportCatalog = R"(
INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, Name, Unit)
  VALUES ('HINGE-20', 'VB-HINGE', 'ABCDEFGHIJKLMNOPQRST', 'Петля верхняя', 'шт');
INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, Name, Unit) VALUES ('ROD', '  R 1200  ', NULL, 'Тяга', 'м.п');
INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, Name, Unit)
  VALUES ('KEEP', '', 'K2', 'Ответная планка с очень длинным наименованием для обрезки', 'компл.');
INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, Name, Unit) VALUES ('DISC', 'D-1', 'D-2', ' Скидка на комплект ', 'шт');
)";

QString S(const char* utf8);

// One material line as a sash carries it; Cost follows when the order merges the lines.
struct LineSpec {
    const char* ID;
    float Number;
    long double Price;
    long double Reserved2 = 0;
};

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A position with one sash carrying the lines, appended to the order.
    static void AddPosition(TqxfOrder& order, int quantity, const std::vector<LineSpec>& lines);
    // Order "З-15": position 1 (quantity 1) with HINGE-20 2.5 and ROD 0.4 (and the extra lines),
    // position 2 (quantity 2) with KEEP 6 and DISC -0.75 at 12.34: a cost of -18.51.
    void BuildSmallOrder(TqxfOrder& order, const std::vector<LineSpec>& extraFirstPosition = {});
    // Head data of request 7 of customer 0042, dated 09.12.2026, file in the export folder.
    TqxfExportParams Params(TExportFormat format) const;

    QString dir(const QString& relative) const { return tmp_.path() + "/" + relative; }
    QString exportDir() const { return dir("Export"); }
    QString storeFile() const { return dir("user-settings.ini"); }
    static QByteArray ReadFile(const QString& fileName);
    static QByteArray Golden(const QString& name);
    static void WriteFile(const QString& fileName, const QByteArray& bytes);
    RecordingMessageHandler& messages() { return catalog_->Messages; }

    QTemporaryDir tmp_;
    std::unique_ptr<CatalogFixture> catalog_;
    TqxfSetup setup_;

private:
    QByteArray previousStore_;
    TqxfPaths previousPaths_;
};

}  // namespace qx
