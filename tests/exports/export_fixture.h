// export_fixture.h — a small catalog, an order with ready material lines, a user store and an
// export folder of its own for every export test.
#pragma once
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "documents/order.h"
#include "documents/order_selection.h"
#include "exports/export_data.h"
#include "exports/export_params.h"
#include "shell/paths.h"
#include "shell/setup.h"
#include "support/catalog_fixture.h"

namespace qx {

QString S(const char* utf8);

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static void BuildSmallOrder(TqxfOrder& order, const std::vector<LineSpec>& extraFirstPosition = {}) {
        BuildSmallExportOrder(order, extraFirstPosition);
    }
    // Selection "В-3" in currency 1 at rate 1 with the two positions of the small order, saved as
    // an order file in the orders folder.
    void BuildSelection(TqxfOrderSelection& selection);
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
