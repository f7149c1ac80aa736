// setup_test.cpp — the settings store: what it reads, writes, leaves alone and creates.
#include "shell/setup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/codec.h"
#include "common/error.h"
#include "common/file_utils.h"
#include "shell/user_settings.h"
#include "user_store_fixture.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

class SetupTest : public UserStoreTest {
  protected:
    void SetUp() override {
        UserStoreTest::SetUp();
        TqxfDBConfig config{"Main", dir("Catalog"), dir("Server"), dir("Reports"), ""};
        paths_ = DBConfigPaths(config);
        ASSERT_TRUE(QDir().mkpath(paths_.CatalogDir));
    }

    void writeIni(const QByteArray& bytes) {
        QFile f(paths_.IniFileName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray iniBytes() const {
        QFile f(paths_.IniFileName);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TqxfPaths paths_;
};

TEST_F(SetupTest, WithoutTheIniFileTheDefaultsHoldAndNothingIsCreated) {
    {
        TqxfSetup setup(paths_);
        EXPECT_FALSE(setup.Loaded);
        EXPECT_FLOAT_EQ(setup.NDSTax, 18);
        EXPECT_EQ(setup.DefMaterial, 1);
        EXPECT_EQ(setup.ftpPort, 21);
        EXPECT_EQ(setup.DesignFormW, 640);
        EXPECT_TRUE(setup.AutoReg);
        EXPECT_EQ(setup.PriceGroupNames.size(), 10);
        EXPECT_EQ(setup.PriceGroupNames.front(), "?????? #1");
        EXPECT_EQ(setup.PriceGroupNames.back(), "?????? #10");
        setup.Name = "changed";
    }
    EXPECT_FALSE(QFileInfo::exists(paths_.IniFileName));
    EXPECT_FALSE(QFileInfo::exists(paths_.ServerDir));
    EXPECT_FALSE(QFileInfo::exists(storeFile()));
}

TEST_F(SetupTest, SavingWritesTheKeysInTheSystemsOrderAndNeverTheReadOnlyOnes) {
    writeIni("");
    {
        TqxfSetup setup(paths_);
        EXPECT_TRUE(setup.Loaded);
        setup.PriceGrpNo = 4;
        setup.TotalNDS = false;
        setup.ShowIncludingNDS = false;
        setup.DefFurnSysGroup = 7;
        setup.PriceGroupNames[0] = "Опт";
        setup.ReportLogo = "logo.bmp";
        setup.UserDefineHeight = false;
    }
    EXPECT_EQ(iniBytes(),
              "[Defaults]\nDefProfSys=\nDefInnerProfColor=\nDefOuterProfColor=\nDefFurnSys=\nDefFurnColor=\n"
              "DefHandle=\nDefMaterial=1\nDefFalzType=0\nDefStulpFalzType=0\nDefFlugelType=0\nDefDornType=0\n"
              "DefProfWidth=0\nDefProfThickness=0\n\n"
              "[Money]\nCurCurrency=0\n\n"
              "[Tax]\nNDSTax=18\n\n"
              "[Firm]\nName=\nLogo=\nAddress=\nJustAddress=\nZipCode=\nPhone1=\nPhone2=\nPhone3=\nFax=\nEMail=\n"
              "Internet=\nINN=\nAccount=\nDirector=\nBookKeeper=\n\n"
              "[FTP]\nftpHost=\nftpPort=21\nftpUserName=\nftpPassword=\nftpDir=\nftpUpload=0\n");
}

TEST_F(SetupTest, EveryWrittenFieldReadsBackAndTheReadOnlyOnesKeepTheFilesValues) {
    writeIni(
        ToCp1251(S("[Tax]\nPriceGrpNo=3\nTotalNDS=0\nShowIncludingNDS=0\n"
                   "[PriceGroupNames]\n1=Розница\n2=Опт, крупный\n"
                   "[Defaults]\nDefFurnSysGroup=5\nUserDefineHeight=0\nUnknownKey=kept\n"
                   "[Report]\nLogo=Лого.bmp\n")));
    {
        TqxfSetup setup(paths_);
        ASSERT_TRUE(setup.Loaded);
        setup.Name = S("ООО «Ромашка»");
        setup.Logo = "firm.bmp";
        setup.Address = S("г. Москва, ул. Ленина, 1");
        setup.JustAddress = "j";
        setup.ZipCode = "495";
        setup.Phone1 = "111";
        setup.Phone2 = "222";
        setup.Phone3 = "333";
        setup.Fax = "444";
        setup.EMail = "a@b.c";
        setup.Internet = "www";
        setup.INN = "7700";
        setup.Account = "4070";
        setup.Director = S("Иванов");
        setup.BookKeeper = S("Петрова");
        setup.DefProfSys = "PS";
        setup.DefInnerProfColor = "IC";
        setup.DefOuterProfColor = "OC";
        setup.DefFurnSys = "FS";
        setup.DefFurnColor = "FC";
        setup.DefHandle = "H1";
        setup.DefMaterial = 2;
        setup.CurCurrency = 3;
        setup.NDSTax = 20.5f;
        setup.DefFalzType = 4;
        setup.DefDornType = 5;
        setup.DefStulpFalzType = 6;
        setup.DefFlugelType = 7;
        setup.DefProfWidth = 0.6f;
        setup.DefProfThickness = 70.25f;
        setup.ftpHost = "ftp.example";
        setup.ftpPort = 2121;
        setup.ftpUserName = S("Пользователь");
        setup.ftpPassword = "p@ss word";
        setup.ftpDir = "/in";
        setup.ftpUpload = true;
        setup.MainWinState = TWindowState::wsMaximized;
        setup.OrderWinState = TWindowState::wsMinimized;
        setup.DesignWinState = TWindowState::wsMaximized;
        setup.DesignFormW = 800;
        setup.DesignFormH = 600;
        setup.AlertIfNotFull = false;
        setup.AutoReg = false;
        setup.AutoOpenReg = false;
        setup.MoveToRecycled = false;
        setup.AutoLoadCurrency = false;
        // Read-only fields edited in memory are lost at exit.
        setup.PriceGrpNo = 9;
        setup.TotalNDS = true;
        setup.PriceGroupNames[1] = "changed";
        setup.ReportLogo = "changed";
        setup.UserDefineHeight = true;
        setup.DefFurnSysGroup = 1;
    }
    const QByteArray bytes = iniBytes();
    EXPECT_TRUE(bytes.contains(ToCp1251(S("Name=ООО «Ромашка»\n")))) << "Windows-1251 is kept";
    EXPECT_TRUE(bytes.contains("UnknownKey=kept\n"));
    EXPECT_TRUE(bytes.contains("NDSTax=20,5\n"));
    EXPECT_TRUE(bytes.contains("ftpPassword=7040737320776f7264\n"));
    const QString user = S("Пользователь");
    EXPECT_TRUE(bytes.contains(("ftpUserName=" + EncodeHexText(user) + "\n").toLatin1()));
    EXPECT_EQ(EncodeHexText(user).size(), 2 * user.size());

    TqxfSetup back(paths_);
    back.AutoSave = false;
    EXPECT_EQ(back.Name, S("ООО «Ромашка»"));
    EXPECT_EQ(back.Address, S("г. Москва, ул. Ленина, 1"));
    EXPECT_EQ(back.BookKeeper, S("Петрова"));
    EXPECT_EQ(back.GetPhones(), "495 111,222,333,444");
    EXPECT_EQ(back.DefHandle, "H1");
    EXPECT_EQ(back.DefMaterial, 2);
    EXPECT_EQ(back.CurCurrency, 3);
    EXPECT_EQ(back.NDSTax, 20.5f);
    EXPECT_EQ(back.DefFlugelType, 7);
    EXPECT_EQ(back.DefProfWidth, 0.6f);
    EXPECT_EQ(back.DefProfThickness, 70.25f);
    EXPECT_EQ(back.ftpPort, 2121);
    EXPECT_EQ(back.ftpUserName, user);
    EXPECT_EQ(back.ftpPassword, "p@ss word");
    EXPECT_TRUE(back.ftpUpload);
    EXPECT_EQ(back.MainWinState, TWindowState::wsMaximized);
    EXPECT_EQ(back.OrderWinState, TWindowState::wsMinimized);
    EXPECT_EQ(back.DesignFormH, 600);
    EXPECT_FALSE(back.AutoReg);
    EXPECT_FALSE(back.AutoLoadCurrency);
    EXPECT_EQ(back.PriceGrpNo, 3);
    EXPECT_FALSE(back.TotalNDS);
    EXPECT_FALSE(back.ShowIncludingNDS);
    EXPECT_EQ(back.DefFurnSysGroup, 5);
    EXPECT_EQ(back.PriceGroupNames.mid(0, 3), (QStringList{S("Розница"), S("Опт, крупный"), "?????? #3"}));
    EXPECT_EQ(back.ReportLogo, S("Лого.bmp"));
    EXPECT_FALSE(back.UserDefineHeight);
    EXPECT_TRUE(messages_.Records.empty());
}

TEST(HexText, DecodesAsTheSystemDoes) {
    struct Case {
        const char* stored;
        QString text;
    };
    const Case cases[] = {{"", ""},
                          {"4a4B", "JK"},
                          {"414", QString("A") + QChar(4)},
                          {"zz41", QString(QChar(0)) + "A"},
                          {"cff0e8e2e5f2", QString::fromUtf8("Привет")}};
    for (const Case& c : cases)
        EXPECT_EQ(DecodeHexText(c.stored), c.text) << c.stored;
    EXPECT_EQ(EncodeHexText("JK"), "4a4b");
}

struct TaxCase {
    const char* line;  // the [Tax] line, nullptr for none
    float expected;
};

class NDSTaxText : public SetupTest, public ::testing::WithParamInterface<TaxCase> {};

TEST_P(NDSTaxText, LosesEveryBlankBeforeItIsConverted) {
    const TaxCase& c = GetParam();
    writeIni(c.line ? QByteArray("[Tax]\n") + c.line + "\n" : QByteArray("[Firm]\n"));
    TqxfSetup setup(paths_);
    setup.AutoSave = false;
    EXPECT_EQ(setup.NDSTax, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, NDSTaxText,
                         ::testing::Values(TaxCase{nullptr, 18.0f}, TaxCase{"NDSTax=", 0.0f},
                                           TaxCase{"NDSTax=   ", 0.0f}, TaxCase{"NDSTax=1 8", 18.0f},
                                           TaxCase{"NDSTax= 2 0 , 5 ", 20.5f}, TaxCase{"NDSTax=10", 10.0f}));

TEST_F(SetupTest, AnNDSTaxThatIsNotANumberReachesTheCaller) {
    writeIni("[Tax]\nNDSTax=1 8 %\n");
    try {
        TqxfSetup setup(paths_);
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.message(), S("Ставка НДС \"1 8 %\" в файле настроек ") + paths_.IniFileName +
                                   S(" не является числом!\r\n([Tax] NDSTax)"));
    }
    EXPECT_EQ(messages_.WaitDepth, 0);
    EXPECT_EQ(iniBytes(), "[Tax]\nNDSTax=1 8 %\n");
}

TEST_F(SetupTest, FloatingKeysThatAreNotNumbersTakeTheirDefaults) {
    writeIni("[Defaults]\nDefProfWidth=abc\nDefProfThickness=1e99\nDefMaterial=x\n");
    TqxfSetup setup(paths_);
    setup.AutoSave = false;
    EXPECT_EQ(setup.DefProfWidth, 0.0f);
    EXPECT_EQ(setup.DefProfThickness, 0.0f);
    EXPECT_EQ(setup.DefMaterial, 1);
}

TEST_F(SetupTest, AUserValueThatCannotBeReadIsReportedAndTheRestKeepTheirDefaults) {
    {
        UserSettings reg;
        ASSERT_TRUE(reg.OpenKey(kUserRootKey, true));
        reg.WriteInteger("TechnologMainWinState", 2);
        reg.WriteString("TechnologDesignFormW", "wide");
        reg.WriteInteger("AutoReg", 0);
    }
    writeIni("");
    TqxfSetup setup(paths_);
    setup.AutoSave = false;
    EXPECT_EQ(
        messages_.texts(MessageKind::Error),
        QStringList{S("Ошибка чтения из системного реестра!\r\n(Неверный тип данных для 'TechnologDesignFormW')")});
    EXPECT_EQ(setup.MainWinState, TWindowState::wsMaximized);
    EXPECT_EQ(setup.DesignFormW, 640);
    EXPECT_EQ(setup.DesignFormH, 480);
    EXPECT_TRUE(setup.AutoReg);
    EXPECT_TRUE(setup.Loaded);
}

TEST_F(SetupTest, LoadingCreatesTheMissingDataFolders) {
    writeIni("");
    TqxfSetup setup(paths_);
    setup.AutoSave = false;
    for (const QString& folder : {paths_.ServerDir, paths_.OrdersDir, paths_.RecycledDir, paths_.ArchiveDir,
                                  paths_.SelectionDir, paths_.ReportDir, paths_.ExportDir})
        EXPECT_TRUE(QFileInfo(folder).isDir()) << folder.toStdString();
    EXPECT_FALSE(QFileInfo::exists(paths_.RegistryDir));  // the registry's folder is not one of them
}

TEST(GetPhones, JoinsTheNumbersThatAreSet) {
    struct Case {
        const char *zip, *p1, *p2, *p3, *fax, *expected;
    };
    const Case cases[] = {{"495", "", "", "", "", ""},
                          {"", "", "222", "", "", " 222"},
                          {"495", "111", "", "", "", "495 111"},
                          {"495", "", "", "333", "444", "495 333,444"},
                          {"812", "1", "2", "3", "4", "812 1,2,3,4"}};
    for (const Case& c : cases) {
        TqxfSetup setup;
        setup.ZipCode = c.zip;
        setup.Phone1 = c.p1;
        setup.Phone2 = c.p2;
        setup.Phone3 = c.p3;
        setup.Fax = c.fax;
        EXPECT_EQ(setup.GetPhones(), c.expected);
    }
}

TEST(SettingsObject, WithoutAnInstalledObjectTheDefaultsAreReadAndAnInstalledOneIsUsed) {
    ASSERT_FALSE(HasSetup());
    EXPECT_FALSE(qx::Setup().Loaded);
    EXPECT_EQ(qx::Setup().PriceCurrency, 0);
    EXPECT_EQ(qx::Setup().PriceCurrencies, nullptr);
    EXPECT_FALSE(qx::Setup().DebugMode);

    TqxfSetup run;
    const TqxfCurrencyList rates{{1, 1.0f}, {2, 90.5f}};
    run.PriceCurrency = 2;
    run.PriceNDSTax = 20;
    run.PriceCurrencies = &rates;
    SetSetup(&run);
    EXPECT_TRUE(HasSetup());
    EXPECT_EQ(&qx::Setup(), &run);
    EXPECT_EQ(qx::Setup().PriceCurrencies->at(1).Rate, 90.5f);
    SetSetup(nullptr);
    EXPECT_FALSE(HasSetup());
}

}  // namespace
}  // namespace qx
