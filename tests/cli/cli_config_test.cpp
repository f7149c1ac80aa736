// cli_config_test.cpp — adding, listing and removing database configurations with the tool.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

TEST_F(CliTest, ConfigurationsAreAddedListedShownAndRemoved) {
    CliResult r = run({"config", "add", "Main", "--catalog", "Каталог", "--server", dir("Server"), "--reports",
                       dir("Reports"), "--default"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    r = run({"config", "add", S("Второй"), "--catalog=" + dir("Cat2"), "--server", dir("Srv2"), "--reports",
             dir("Rep2"), "--temp", dir("Temp")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();

    r = run({"config", "list"});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Out, S("* Main\n  Второй\n"));

    r = run({"--json", "config", "list"});
    EXPECT_EQ(r.ExitCode, 0);
    const QJsonObject list = r.Json();
    EXPECT_EQ(list.value("DefaultConfig").toString(), "Main");
    const QJsonArray configs = list.value("Configs").toArray();
    ASSERT_EQ(configs.size(), 2);
    const QJsonObject main = configs[0].toObject();
    EXPECT_EQ(main.value("ConfigName").toString(), "Main");
    EXPECT_EQ(main.value("QXFCatalogDir").toString(), QDir::toNativeSeparators(dir(S("Каталог"))))
        << "a relative directory is stored absolute";
    EXPECT_EQ(main.value("QXFServerName").toString(), QDir::toNativeSeparators(dir("Server")));
    EXPECT_TRUE(main.value("Default").toBool());
    EXPECT_EQ(configs[1].toObject().value("QXFTempDir").toString(), QDir::toNativeSeparators(dir("Temp")));

    // The default configuration, no INI file: the defaults, and nothing is created.
    r = run({"settings", "show", "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    QJsonObject settings = r.Json();
    EXPECT_EQ(settings.value("ConfigName").toString(), "Main");
    EXPECT_EQ(settings.value("IniFileName").toString(),
              QDir::toNativeSeparators(dir(S("Каталог"))) + QDir::separator() + "QXFurniture.ini");
    EXPECT_FALSE(settings.value("Loaded").toBool());
    EXPECT_EQ(settings.value("NDSTax").toDouble(), 18.0);
    EXPECT_EQ(settings.value("DefMaterial").toInt(), 1);
    EXPECT_EQ(settings.value("ftpPort").toInt(), 21);
    EXPECT_EQ(settings.value("PriceGroupNames").toArray().at(9).toString(), "?????? #10");
    EXPECT_FALSE(QFileInfo::exists(dir(S("Каталог"))));
    EXPECT_FALSE(QFileInfo::exists(dir("Server")));

    r = run({"--config", S("второй"), "settings", "show", "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Json().value("ConfigName").toString(), S("Второй"));

    r = run({"config", "remove", "Main"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    r = run({"config", "list"});
    EXPECT_EQ(r.Out, S("  Второй\n"));
    // Without a default the first configuration is taken, as the start-up choice preselects it.
    r = run({"settings", "show", "--json"});
    EXPECT_EQ(r.Json().value("ConfigName").toString(), S("Второй"));

    r = run({"config", "remove", "Main"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Ошибка открытия конфигурации Main!\nУказанная конфигурация не числиться в списке.")))
        << r.Err.toStdString();
}

TEST_F(CliTest, AddingAnExistingConfigurationReplacesItsDirectories) {
    ASSERT_EQ(
        run({"config", "add", "Main", "--catalog", dir("a"), "--server", dir("s"), "--reports", dir("r")}).ExitCode, 0);
    ASSERT_EQ(
        run({"config", "add", "Main", "--catalog", dir("b"), "--server", dir("s"), "--reports", dir("r")}).ExitCode, 0);
    const QJsonArray configs = run({"config", "list", "--json"}).Json().value("Configs").toArray();
    ASSERT_EQ(configs.size(), 1);
    EXPECT_EQ(configs[0].toObject().value("QXFCatalogDir").toString(), QDir::toNativeSeparators(dir("b")));
}

}  // namespace
}  // namespace qx
