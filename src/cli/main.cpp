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

namespace {

// Qt's note about a missing runtime directory is noise in a batch tool's error output.
QtMessageHandler g_qtDefaultHandler = nullptr;
void filterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
    if (g_qtDefaultHandler) g_qtDefaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    g_qtDefaultHandler = qInstallMessageHandler(filterQtMessages);
    // The tool draws sketches and report pages without a screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return qx::cli::RunCli(app.arguments());
}
