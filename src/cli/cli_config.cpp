// cli_config.cpp — quarnix-cli commands that list, add and remove the database configurations.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include "cli/cli_command.h"
#include "common/error.h"
#include "common/format.h"
#include "shell/paths.h"

namespace qx::cli {
namespace {

// A directory given on the command line, as the store keeps it: absolute, with the platform's separators.
QString storedDir(const QString& dir) {
    if (dir.trimmed().isEmpty()) return QString();
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(dir.trimmed()).absoluteFilePath()));
}

QX_CLI_COMMAND(ListConfigs, "config list", "[--json]",
               "конфигурации базы данных; * отмечает конфигурацию по умолчанию") {
    CliArgs(ctx.Args, {}).ExpectPositional(0);
    QString defaultConfig;
    const QStringList names = ListDBConfigs(&defaultConfig);
    const auto isDefault = [&](const QString& name) { return name.compare(defaultConfig, Qt::CaseInsensitive) == 0; };
    if (!ctx.Options.Json) {
        for (const QString& name : names)
            ctx.Print((isDefault(name) ? QStringLiteral("* ") : QStringLiteral("  ")) + name);
        return kExitDone;
    }
    QJsonArray configs;
    for (const QString& name : names) {
        TqxfDBConfig config;
        if (!ReadDBConfig(name, config)) continue;
        configs.append(QJsonObject{{"ConfigName", config.Name},
                                   {"QXFCatalogDir", config.CatalogDir},
                                   {"QXFServerName", config.ServerDir},
                                   {"QXFReportDir", config.ReportDir},
                                   {"QXFTempDir", config.TempDir},
                                   {"Default", isDefault(name)}});
    }
    ctx.PrintJson(QJsonObject{{"DefaultConfig", defaultConfig}, {"Configs", configs}});
    return kExitDone;
}

QX_CLI_COMMAND(AddConfig, "config add", "NAME --catalog DIR --server DIR --reports DIR [--temp DIR] [--default]",
               "добавляет конфигурацию (или заменяет каталоги существующей)") {
    const CliArgs args(ctx.Args, {"--catalog", "--server", "--reports", "--temp"}, {"--default"});
    args.ExpectPositional(1, QStringLiteral("имя конфигурации"));
    const QString name = args.Positional().front();
    if (name.trimmed().isEmpty() || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')))
        throw CliUsageError(QStringLiteral("Неверное имя конфигурации \"%1\"").arg(name));
    TqxfDBConfig config{name, storedDir(args.Required("--catalog")), storedDir(args.Required("--server")),
                        storedDir(args.Required("--reports")), storedDir(args.Value("--temp"))};
    WriteDBConfig(config, args.Has("--default"));
    return kExitDone;
}

QX_CLI_COMMAND(RemoveConfig, "config remove", "NAME", "удаляет конфигурацию (файлы не затрагиваются)") {
    const CliArgs args(ctx.Args, {});
    args.ExpectPositional(1, QStringLiteral("имя конфигурации"));
    const QString name = args.Positional().front();
    if (!RemoveDBConfig(name)) throw TqxfError(Format(QString::fromUtf8(kDBConfigOpenErrorText), name));
    return kExitDone;
}

}  // namespace
}  // namespace qx::cli
