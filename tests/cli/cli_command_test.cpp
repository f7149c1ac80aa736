// cli_command_test.cpp — the tool's global options, dispatch and exit status.
#include <QFileInfo>
#include <QJsonObject>

#include "cli_runner.h"

namespace qx {
namespace {

TEST_F(CliTest, VersionIsAnOptionAndACommand) {
    for (const QStringList& args : {QStringList{"--version"}, QStringList{"version"}}) {
        const CliResult r = run(args);
        EXPECT_EQ(r.ExitCode, 0);
        EXPECT_EQ(r.Out, QString::fromUtf8("Quarnix ФУРНИТУРА 3.80\n"));
    }
    const CliResult json = run({"version", "--json"});
    EXPECT_EQ(json.ExitCode, 0);
    EXPECT_EQ(json.Json().value("Version").toString(), "3.80");
}

TEST_F(CliTest, HelpPrintsTheUsageOfEveryCommand) {
    const CliResult r = run({"--help"});
    EXPECT_EQ(r.ExitCode, 0);
    for (const char* command : {"config add NAME --catalog DIR --server DIR --reports DIR [--temp DIR] [--default]",
                                "config list", "config remove NAME", "settings show", "version"})
        EXPECT_TRUE(r.Out.contains(command)) << command;
}

class CliWrongUsage : public CliTest, public ::testing::WithParamInterface<std::vector<const char*>> {};

TEST_P(CliWrongUsage, EndsWithStatus2AndTheShortUsage) {
    QStringList args;
    for (const char* a : GetParam())
        args << QString::fromUtf8(a);
    const CliResult r = run(args);
    EXPECT_EQ(r.ExitCode, 2) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.isEmpty());
    EXPECT_TRUE(r.Err.startsWith("quarnix-cli: ")) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains(QString::fromUtf8("Использование: quarnix-cli"))) << r.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(storeFile())) << "wrong usage changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Calls, CliWrongUsage,
    ::testing::Values(std::vector<const char*>{}, std::vector<const char*>{"frobnicate"},
                      std::vector<const char*>{"config"}, std::vector<const char*>{"--bogus", "config", "list"},
                      std::vector<const char*>{"--config"}, std::vector<const char*>{"config", "list", "extra"},
                      std::vector<const char*>{"config", "list", "--bogus"},
                      std::vector<const char*>{"config", "add", "Main", "--catalog", "c", "--server", "s"},
                      std::vector<const char*>{"config", "add", "--catalog", "c", "--server", "s", "--reports", "r"},
                      std::vector<const char*>{"config", "add", "a/b", "--catalog", "c", "--server", "s", "--reports",
                                               "r"},
                      std::vector<const char*>{"config", "add", "Main", "--catalog"},
                      std::vector<const char*>{"config", "remove"}, std::vector<const char*>{"settings", "show", "x"}));

}  // namespace
}  // namespace qx
