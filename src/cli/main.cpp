// main.cpp — quarnix-cli: the engine's command-line front end; the commands register themselves.
#include <QCoreApplication>
#include <QJsonObject>

#include "cli/cli_command.h"
#include "common/version.h"

namespace qx::cli {
namespace {

QX_CLI_COMMAND(ShowVersion, "version", "", "версия программы (также --version)") {
    CliArgs(ctx.Args, {}).ExpectPositional(0);
    if (ctx.Options.Json)
        ctx.PrintJson(QJsonObject{{"Version", GetExeVersion()}});
    else
        ctx.Print(QStringLiteral("Quarnix ФУРНИТУРА %1").arg(GetExeVersion()));
    return kExitDone;
}

QX_CLI_COMMAND(ShowHelp, "help", "", "эта справка (также --help)") {
    CliArgs(ctx.Args, {}).ExpectPositional(0);
    ctx.Print(UsageText().trimmed());
    return kExitDone;
}

}  // namespace
}  // namespace qx::cli

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return qx::cli::RunCli(app.arguments());
}
