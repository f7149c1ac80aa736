// export_params_test.cpp — proposals, request numbers and file names of the supplier requests.
#include "exports/export_params.h"

#include <QDir>
#include <cmath>

#include "common/datetime.h"
#include "export_fixture.h"
#include "exports/tbm_export.h"
#include "exports/vbh_export.h"
#include "exports/vorne_export.h"
#include "shell/user_settings.h"

namespace qx {
namespace {

class ExportParams : public ExportTest {
protected:
    void Store(const QString& key, const QString& name, const QVariant& value) {
        UserSettings store;
        store.OpenKey(key, true);
        if (value.typeId() == QMetaType::Int)
            store.WriteInteger(name, value.toInt());
        else
            store.WriteString(name, value.toString());
    }
};

TEST_F(ExportParams, AFirstExportProposesTheDefaults) {
    for (TExportFormat format : {TExportFormat::TBM, TExportFormat::Vorne}) {
        const TDateTime before = Now();
        const TqxfExportParams p = ProposeExportParams(format, S("З-15"));
        EXPECT_EQ(p.FirmID, "0000");
        EXPECT_EQ(p.FirmName, S("ООО «Окна»"));
        EXPECT_EQ(p.OrderNo, 1);
        EXPECT_EQ(p.OrderName, S("З-15"));
        EXPECT_TRUE(p.OrderList.isEmpty());
        EXPECT_EQ(p.FileName, exportDir() + QDir::separator() + "Z00000001.txt");
        EXPECT_GE(p.Date, before);
        EXPECT_LT(p.Date - before, 1.0 / 24 / 60);
    }
    setup_.ftpUpload = true;
    const TqxfExportParams x = ProposeExportParams(TExportFormat::VBH, S("З-15"));
    EXPECT_EQ(x.FirmID, "7701234567");
    EXPECT_EQ(x.FirmName, S("ООО «Окна»"));
    EXPECT_EQ(x.OrderNo, 1);
    EXPECT_EQ(x.OrderList, S("З-15"));
    EXPECT_TRUE(x.OrderName.isEmpty());
    EXPECT_TRUE(x.Upload);
    EXPECT_EQ(x.FileName, exportDir() + QDir::separator() + "Z77012345670001.xml");
    EXPECT_TRUE(messages().Records.empty()) << messages().lastText().toStdString();
}

TEST_F(ExportParams, StoredValuesComeBackWithTheNextRequestNumber) {
    Store(kDBConfigKey, "FirmID", "12");
    Store(kDBConfigKey, "OrderNo", 7);
    {
        UserSettings store;
        store.OpenKey(kDBConfigKey, true);
        store.WriteDateTime("OrderDate", DateFromQt(QDate(2026, 12, 9)));
    }
    const TqxfExportParams x = ProposeExportParams(TExportFormat::VBH, S("З-15"));
    EXPECT_EQ(x.FirmID, "12");
    EXPECT_EQ(x.OrderNo, 8);
    EXPECT_EQ(x.FileName, exportDir() + QDir::separator() + "Z120008.xml");
    EXPECT_EQ(FormatShortDate(x.Date), "09.12.2026");
    EXPECT_FALSE(x.Upload);
}

TEST_F(ExportParams, EmptyStoredNamesFallBackToTheSettingsOnlyForXml) {
    for (const char* key : {kTbmParamsKey, kDBConfigKey}) {
        Store(key, "FirmID", "");
        Store(key, "FirmName", "");
    }
    const TqxfExportParams t = ProposeExportParams(TExportFormat::TBM, QString());
    EXPECT_EQ(t.FirmID, "");
    EXPECT_EQ(t.FirmName, "");
    EXPECT_EQ(t.FileName, exportDir() + QDir::separator() + "Z0001.txt");
    const TqxfExportParams x = ProposeExportParams(TExportFormat::VBH, QString());
    EXPECT_EQ(x.FirmID, "7701234567");
    EXPECT_EQ(x.FirmName, S("ООО «Окна»"));
}

TEST_F(ExportParams, EachFormatCountsItsOwnRequests) {
    TqxfOrder order;
    BuildSmallOrder(order);
    TqxfExportParams tbm = ProposeExportParams(TExportFormat::TBM, order.No);
    tbm.OrderNo = 7;
    tbm.FileName = ExportFileName(TExportFormat::TBM, tbm.FirmID, tbm.OrderNo);
    ASSERT_TRUE(RunTbmExport(tbm, OrderMaterials(order)));

    const TqxfExportParams next = ProposeExportParams(TExportFormat::TBM, order.No);
    EXPECT_EQ(next.OrderNo, 8);
    EXPECT_EQ(next.FileName, exportDir() + QDir::separator() + "Z00000008.txt");
    EXPECT_EQ(ProposeExportParams(TExportFormat::Vorne, order.No).OrderNo, 1);
    EXPECT_EQ(ProposeExportParams(TExportFormat::VBH, order.No).OrderNo, 1);

    TqxfExportParams vorne = ProposeExportParams(TExportFormat::Vorne, order.No);
    ASSERT_TRUE(RunVorneExport(vorne, OrderMaterials(order)));
    EXPECT_EQ(ProposeExportParams(TExportFormat::Vorne, order.No).OrderNo, 2);
    EXPECT_EQ(ProposeExportParams(TExportFormat::TBM, order.No).OrderNo, 8);

    UserSettings store;
    ASSERT_TRUE(store.OpenKey(kTbmParamsKey, false));
    EXPECT_EQ(store.ReadString("FirmID"), "0000");
    EXPECT_EQ(store.ReadString("FirmName"), S("ООО «Окна»"));
    EXPECT_EQ(store.ReadInteger("OrderNo"), 7);
    EXPECT_EQ(store.ReadDateTime("OrderDate"), tbm.Date);
    EXPECT_EQ(store.ReadString("FileName"), tbm.FileName);
    EXPECT_TRUE(messages().Records.empty()) << messages().lastText().toStdString();
}

TEST_F(ExportParams, AStoreThatCannotBeReadKeepsTheValuesReadBeforeTheFault) {
    Store(kTbmParamsKey, "FirmID", "55");
    Store(kTbmParamsKey, "OrderNo", "sieben");
    const TqxfExportParams t = ProposeExportParams(TExportFormat::TBM, QString());
    EXPECT_EQ(t.FirmID, "55");
    EXPECT_EQ(t.FirmName, S("ООО «Окна»"));
    EXPECT_EQ(t.OrderNo, 1);
    EXPECT_EQ(t.FileName, exportDir() + QDir::separator() + "Z550001.txt");
    EXPECT_EQ(
        messages().texts(MessageKind::Error),
        QStringList{S("Ошибка загрузки параметров из системного реестра!\r\n(Неверный тип данных для 'OrderNo')")});
}

TEST_F(ExportParams, AStoreThatCannotBeWrittenIsReportedAndTheExportGoesOn) {
    WriteFile(dir("blocked"), "a file, not a folder");
    qputenv(kUserSettingsEnv, QFile::encodeName(dir("blocked/user-settings.ini")));
    TqxfOrder order;
    BuildSmallOrder(order);
    const TqxfExportParams params = Params(TExportFormat::TBM);

    EXPECT_TRUE(RunTbmExport(params, OrderMaterials(order)));

    EXPECT_EQ(ReadFile(params.FileName), Golden("tbm_order.txt"));
    const QStringList errors = messages().texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(S("Ошибка записи параметров в системный реестр!\r\n(")))
        << errors[0].toStdString();
}

struct NameCase {
    TExportFormat Format;
    const char* FirmID;
    int OrderNo;
    const char* Name;
};

class ExportFileNames : public ExportTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ExportFileNames, FollowTheRule) {
    const NameCase& c = GetParam();
    EXPECT_EQ(ExportFileName(c.Format, S(c.FirmID), c.OrderNo), exportDir() + QDir::separator() + S(c.Name));
}

INSTANTIATE_TEST_SUITE_P(Rule, ExportFileNames,
                         ::testing::Values(NameCase{TExportFormat::TBM, "0000", 1, "Z00000001.txt"},
                                           NameCase{TExportFormat::Vorne, "12", 8, "Z120008.txt"},
                                           NameCase{TExportFormat::VBH, "12", 8, "Z120008.xml"},
                                           NameCase{TExportFormat::TBM, "Ф7", 12345, "ZФ712345.txt"}));

TEST_F(ExportParams, WithoutAnExportFolderTheNameStandsAlone) {
    Paths().ExportDir.clear();
    EXPECT_EQ(ExportFileName(TExportFormat::TBM, "0000", 1), "Z00000001.txt");
}

}  // namespace
}  // namespace qx
