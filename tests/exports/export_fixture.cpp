// export_fixture.cpp — the shared set-up of the export tests.
#include "export_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "documents/order_file.h"
#include "shell/user_settings.h"

namespace qx {

QString S(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void ExportTest::SetUp() {
    ASSERT_TRUE(tmp_.isValid());
    previousStore_ = qgetenv(kUserSettingsEnv);
    qputenv(kUserSettingsEnv, QFile::encodeName(storeFile()));
    previousPaths_ = Paths();
    Paths().ExportDir = exportDir();
    Paths().OrdersDir = dir("Orders");
    catalog_ = std::make_unique<CatalogFixture>(QString::fromUtf8(kExportCatalog));
    setup_.Name = S("ООО «Окна»");
    setup_.INN = S("7701234567");
    SetSetup(&setup_);
}

void ExportTest::TearDown() {
    SetSetup(nullptr);
    catalog_.reset();
    Paths() = previousPaths_;
    qputenv(kUserSettingsEnv, previousStore_);
}

void ExportTest::BuildSelection(TqxfOrderSelection& selection) {
    TqxfOrder order;
    BuildSmallOrder(order);
    ASSERT_TRUE(QDir().mkpath(dir("Orders")));
    ASSERT_TRUE(SaveOrderToFile(order, dir("Orders/small.qfo370")));
    selection.No = S("В-3");
    selection.Currencies = {{1, 1.0f}};
    selection.Currency = 1;
    ASSERT_TRUE(selection.AddOrderFile(dir("Orders/small.qfo370")));
    ASSERT_EQ(selection.Count(), 2);
}

TqxfExportParams ExportTest::Params(TExportFormat format) const {
    TqxfExportParams params;
    params.FirmID = S("0042");
    params.FirmName = S("ООО «Окна»");
    params.OrderNo = 7;
    params.OrderName = S("З-15");
    params.OrderList = S("З-15");
    params.Date = DateFromQt(QDate(2026, 12, 9));
    params.FileName = ExportFileName(format, params.FirmID, params.OrderNo);
    return params;
}

QByteArray ExportTest::ReadFile(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ExportTest::Golden(const QString& name) {
    const QString path = QStringLiteral(QX_TEST_DATA_DIR "/exports/") + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void ExportTest::WriteFile(const QString& fileName, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << fileName.toStdString();
    file.write(bytes);
}

}  // namespace qx
