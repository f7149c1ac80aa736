// cli_settings_test.cpp — showing a configuration's settings with the tool.
#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"
#include "common/codec.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

class CliSettingsTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        const CliResult r = run({"config", "add", "Main", "--catalog", dir("Catalog"), "--server", dir("Server"),
                                 "--reports", dir("Reports"), "--default"});
        ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    }
    QString iniFile() const { return dir("Catalog/QXFurniture.ini"); }
};

TEST_F(CliSettingsTest, ShowsTheIniFilesSettingsAndLeavesTheFilesAsTheyAre) {
    const QByteArray ini = ToCp1251(
        S("[Firm]\nName=ООО «Ромашка»\nZipCode=495\n[Tax]\nNDSTax= 2 0 \nTotalNDS=0\n[PriceGroupNames]\n1=Розница\n"
          "[Defaults]\nDefProfWidth=70,5\n[FTP]\nftpUserName=75736572\nftpPassword=736563726574\n"));
    writeFile(iniFile(), ini);
    const QByteArray store = readFile(storeFile());

    CliResult r = run({"settings", "show", "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QJsonObject s = r.Json();
    EXPECT_TRUE(s.value("Loaded").toBool());
    EXPECT_EQ(s.value("Name").toString(), S("ООО «Ромашка»"));
    EXPECT_EQ(s.value("NDSTax").toDouble(), 20.0);
    EXPECT_FALSE(s.value("TotalNDS").toBool());
    EXPECT_EQ(s.value("DefProfWidth").toDouble(), 70.5);
    EXPECT_EQ(s.value("PriceGroupNames").toArray().at(0).toString(), S("Розница"));
    EXPECT_EQ(s.value("PriceGroupNames").toArray().at(1).toString(), "?????? #2");
    EXPECT_EQ(s.value("ftpUserName").toString(), "user");
    EXPECT_EQ(s.value("ftpPassword").toString(), "********");
    EXPECT_TRUE(s.value("AutoReg").toBool());

    r = run({"settings", "show"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains(S("\nName: ООО «Ромашка»\n")));
    EXPECT_TRUE(r.Out.contains(S("\nNDSTax: 20\n")));
    EXPECT_TRUE(r.Out.contains(S("\nDefProfWidth: 70,5\n")));

    EXPECT_EQ(readFile(iniFile()), ini);
    EXPECT_EQ(readFile(storeFile()), store);
}

TEST_F(CliSettingsTest, AnNDSTaxThatDoesNotConvertFailsWithTheReason) {
    writeFile(iniFile(), "[Tax]\nNDSTax=18 %\n");
    const CliResult r = run({"settings", "show", "--json"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Out.isEmpty());
    EXPECT_TRUE(
        r.Err.startsWith(S("Ошибка: Ставка НДС \"18 %\" в файле настроек ") + iniFile() + S(" не является числом!")))
        << r.Err.toStdString();
}

TEST_F(CliSettingsTest, DirectoriesGivenDirectlyNeedNoConfiguration) {
    writeFile(dir("Other/QXFurniture.ini"), "[Firm]\nName=Other\n");
    CliResult r = run({"--catalog-dir", dir("Other"), "settings", "show", "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Json().value("Name").toString(), "Other");
    EXPECT_EQ(r.Json().value("ConfigName").toString(), "");

    // With --config the directories replace the configuration's own.
    r = run({"--config", "Main", "--catalog-dir", dir("Other"), "settings", "show", "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Json().value("Name").toString(), "Other");
    EXPECT_EQ(r.Json().value("ConfigName").toString(), "Main");
}

TEST_F(CliSettingsTest, AMissingConfigurationFailsWithTheSystemsMessages) {
    CliResult r = run({"--config", "Nope", "settings", "show"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err, S("Ошибка: Ошибка открытия конфигурации Nope!\nУказанная конфигурация не числиться в списке.\n"));

    ASSERT_EQ(run({"config", "remove", "Main"}).ExitCode, 0);
    r = run({"settings", "show"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err,
              S("Ошибка: В системе не установлены пути доступа к базам данных!\nИнсталлируйте заново программу!\n"));
}

}  // namespace
}  // namespace qx
