// main.cpp — quarnix-cli: the engine's command-line front end; the commands register themselves.
#include <QGuiApplication>
#include <QJsonObject>
#include <algorithm>
#include <cstring>
#include <memory>

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
    // Reports lay out text and draw sketches: their commands run in a GUI application without a
    // window; every other command keeps to the core application.
    const bool reports =
        std::any_of(argv + 1, argv + argc, [](const char* arg) { return std::strcmp(arg, "report") == 0; });
    std::unique_ptr<QCoreApplication> app;
    if (reports) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return qx::cli::RunCli(QCoreApplication::arguments());
}
