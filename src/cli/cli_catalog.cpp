// cli_catalog.cpp — quarnix-cli commands on catalog databases: create, list, demo, check and
// import from Paradox tables; and the tool's catalog data module.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <memory>

#include "catalog/catalog_admin.h"
#include "catalog/catalog_check.h"
#include "catalog/data_module.h"
#include "catalog/demo_catalog.h"
#include "catalog/paradox_import.h"
#include "cli/cli_command.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "reports/demo_reports.h"
#include "shell/paths.h"

namespace qx::cli {

namespace {

// The tool's one catalog data module, installed as the run's module by OpenCatalog. It goes with
// the application object, while the database driver still exists.
std::unique_ptr<TDM>& toolDataModule() {
    static std::unique_ptr<TDM> dm;
    return dm;
}

void releaseToolDataModule() {
    std::unique_ptr<TDM>& dm = toolDataModule();
    if (dm && HasDM() && &DM() == dm.get()) SetDM(nullptr);
    dm.reset();
}

QString nativeAbsolute(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

QJsonArray toJsonArray(const QStringList& list) {
    QJsonArray array;
    for (const QString& s : list)
        array.append(s);
    return array;
}

}  // namespace

void CliContext::OpenCatalog() {
    const TqxfPaths paths = ResolvePaths();
    releaseToolDataModule();
    std::unique_ptr<TDM>& dm = toolDataModule();
    static const bool released = (qAddPostRoutine(releaseToolDataModule), true);
    (void)released;
    dm = std::make_unique<TDM>();
    dm->ConnectCatalog(paths.CatalogDir);
    if (dm->OpenCatalogTables() > 0)
        throw TqxfError(Format("Справочник в каталоге \"%s\" открыт не полностью!", paths.CatalogDir));
    SetDM(dm.get());
}

namespace {

QX_CLI_COMMAND(InitCatalog, "catalog init", "DIR [--server DIR] [--reports DIR]",
               "создает пустой справочник DIR/catalog.sqlite (и реестр заказов, и список отчетов)") {
    const CliArgs args(ctx.Args, {"--server", "--reports"});
    args.ExpectPositional(1, QStringLiteral("каталог справочника"));
    QStringList created;
    created << CreateDatabase(DatabaseKind::Catalog, args.Positional().front());
    if (!args.Value("--server").isEmpty()) {
        TqxfPaths paths;
        SetConfigDirs(paths, QString(), args.Value("--server"), QString());
        created << CreateDatabase(DatabaseKind::Registry, paths.RegistryDir);
    }
    if (!args.Value("--reports").isEmpty()) created << CreateDatabase(DatabaseKind::Reports, args.Value("--reports"));
    if (ctx.Options.Json) {
        QStringList files;
        for (const QString& f : created)
            files << nativeAbsolute(f);
        ctx.PrintJson(QJsonObject{{"Created", toJsonArray(files)}});
    } else {
        for (const QString& f : created)
            ctx.Print(QString::fromUtf8("Создана база данных: %1").arg(nativeAbsolute(f)));
    }
    return kExitDone;
}

QX_CLI_COMMAND(ListCatalogTables, "catalog tables", "[--json]", "таблицы справочника конфигурации с числом строк") {
    CliArgs(ctx.Args, {}).ExpectPositional(0);
    const TqxfPaths paths = ctx.ResolvePaths();
    const QString file = QDir(paths.CatalogDir).filePath(DatabaseFileName(DatabaseKind::Catalog));
    if (paths.CatalogDir.isEmpty() || !QFileInfo::exists(file))
        throw TqxfError(Format("Файл базы данных [%s] не найден!", QDir::toNativeSeparators(file)));
    const std::vector<TTableInfo> tables = ListTables(file);
    if (ctx.Options.Json) {
        QJsonArray list;
        for (const TTableInfo& t : tables)
            list.append(QJsonObject{{"Name", t.Name}, {"Rows", t.Rows}});
        ctx.PrintJson(QJsonObject{{"CatalogFile", QDir::toNativeSeparators(file)}, {"Tables", list}});
        return kExitDone;
    }
    int width = 0;
    for (const TTableInfo& t : tables)
        width = std::max<int>(width, int(t.Name.size()));
    for (const TTableInfo& t : tables)
        ctx.Print(QStringLiteral("%1 %2").arg(t.Name.leftJustified(width)).arg(t.Rows, 8));
    return kExitDone;
}

QX_CLI_COMMAND(CreateDemo, "catalog demo", "DIR",
               "создает демонстрационный справочник поставщика DUV с настройками и примерами заказов в DIR") {
    const CliArgs args(ctx.Args, {});
    args.ExpectPositional(1, QStringLiteral("каталог демонстрационного справочника"));
    const TDemoCatalogFiles files = CreateDemoCatalog(args.Positional().front());
    // The demo report templates come with the demo catalog, in its "reports" folder.
    const QString reportDir = QDir(args.Positional().front()).absoluteFilePath(QStringLiteral("reports"));
    RegisterDemoReports(reportDir);
    if (ctx.Options.Json) {
        QStringList orders;
        for (const QString& f : files.OrderFiles)
            orders << QDir::toNativeSeparators(f);
        ctx.PrintJson(QJsonObject{{"CatalogFile", QDir::toNativeSeparators(files.CatalogFile)},
                                  {"SettingsFile", QDir::toNativeSeparators(files.SettingsFile)},
                                  {"OrderFiles", toJsonArray(orders)},
                                  {"ReportDir", QDir::toNativeSeparators(reportDir)}});
        return kExitDone;
    }
    const QString dir = QDir::toNativeSeparators(QFileInfo(files.CatalogFile).absolutePath());
    ctx.Print(QString::fromUtf8("Демонстрационный справочник: %1").arg(QDir::toNativeSeparators(files.CatalogFile)));
    ctx.Print(QString::fromUtf8("Настройки: %1").arg(QDir::toNativeSeparators(files.SettingsFile)));
    for (const QString& f : files.OrderFiles)
        ctx.Print(QString::fromUtf8("Пример заказа: %1").arg(QDir::toNativeSeparators(f)));
    ctx.Print(QString::fromUtf8("Шаблоны отчетов: %1").arg(QDir::toNativeSeparators(reportDir)));
    ctx.Print(QString::fromUtf8("Подключение: quarnix-cli config add DEMO --catalog %1 --server КАТАЛОГ_ДАННЫХ "
                                "--reports %2 --default")
                  .arg(dir, QDir::toNativeSeparators(reportDir)));
    return kExitDone;
}

QX_CLI_COMMAND(CheckCatalogCommand, "catalog check", "[--json]",
               "проверяет справочник: что приведет к ошибке подбора или к пропуску фурнитуры; код 1 при ошибках") {
    CliArgs(ctx.Args, {}).ExpectPositional(0);
    ctx.OpenCatalog();
    const std::vector<TCatalogFinding> findings = CheckCatalog(DM());
    const int errors = ErrorCount(findings);
    const int warnings = WarningCount(findings);
    if (ctx.Options.Json) {
        QJsonArray list;
        for (const TCatalogFinding& f : findings)
            list.append(FindingJson(f));
        ctx.PrintJson(QJsonObject{{"CatalogDir", QDir::toNativeSeparators(DM().CatalogDir())},
                                  {"Errors", errors},
                                  {"Warnings", warnings},
                                  {"Findings", list}});
    } else {
        for (const TCatalogFinding& f : findings)
            ctx.Print(FindingText(f));
        ctx.Print(findings.empty() ? QString::fromUtf8("Справочник проверен: замечаний нет.")
                                   : QString::fromUtf8("Ошибок: %1, предупреждений: %2.").arg(errors).arg(warnings));
    }
    if (errors == 0) return kExitDone;
    ShowError(Format("В справочнике найдены ошибки: %d!", errors));
    return kExitFailed;
}

QX_CLI_COMMAND(ImportParadox, "catalog import-paradox", "SRC_DIR DST_DIR [--json]",
               "переносит таблицы Paradox (*.DB) справочника в новый справочник DST_DIR/catalog.sqlite") {
    const CliArgs args(ctx.Args, {});
    args.ExpectPositional(2, QStringLiteral("каталог таблиц Paradox и каталог нового справочника"));
    const TParadoxImport import = ImportParadoxCatalog(args.Positional()[0], args.Positional()[1]);
    const int imported = int(import.Tables.size()) - import.FailedCount();
    long long rows = 0;
    for (const TParadoxTableImport& t : import.Tables)
        rows += t.RowsRead;
    if (ctx.Options.Json) {
        QJsonArray tables;
        for (const TParadoxTableImport& t : import.Tables)
            tables.append(QJsonObject{{"Table", t.Table},
                                      {"SourceFile", QDir::toNativeSeparators(t.SourceFile)},
                                      {"RowsRead", t.RowsRead},
                                      {"UnmappedFields", toJsonArray(t.UnmappedFields)},
                                      {"MissingColumns", toJsonArray(t.MissingColumns)},
                                      {"Error", t.Error}});
        ctx.PrintJson(QJsonObject{{"CatalogFile", QDir::toNativeSeparators(import.CatalogFile)},
                                  {"Imported", imported},
                                  {"Failed", import.FailedCount()},
                                  {"Tables", tables}});
    } else {
        for (const TParadoxTableImport& t : import.Tables) {
            if (!t.Error.isEmpty()) {
                ctx.Print(QString::fromUtf8("%1: не перенесена — %2").arg(t.Table, t.Error));
                continue;
            }
            QString line = QString::fromUtf8("%1: строк %2 (%3)")
                               .arg(t.Table)
                               .arg(t.RowsRead)
                               .arg(QFileInfo(t.SourceFile).fileName());
            if (!t.UnmappedFields.isEmpty())
                line += QString::fromUtf8("; не перенесены поля: %1").arg(t.UnmappedFields.join(QStringLiteral(", ")));
            ctx.Print(line);
        }
        ctx.Print(QString::fromUtf8("Перенесено таблиц: %1 из %2, строк: %3. Справочник: %4")
                      .arg(imported)
                      .arg(import.Tables.size())
                      .arg(rows)
                      .arg(QDir::toNativeSeparators(import.CatalogFile)));
    }
    if (imported > 0) return kExitDone;
    QFile::remove(import.CatalogFile);  // nothing came over: no empty catalog stays behind
    ShowError(Format("Ни одна таблица Paradox не перенесена из [%s]!", QDir::toNativeSeparators(args.Positional()[0])));
    return kExitFailed;
}

}  // namespace

}  // namespace qx::cli
