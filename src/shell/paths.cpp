// paths.cpp — installation paths, switches and database configurations.
#include "shell/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "common/messages.h"
#include "shell/user_settings.h"

namespace qx {

namespace {

const QString kLastTempDirValue = QStringLiteral("QXFLastTempDir");
const QString kDefaultConfigValue = QStringLiteral("DefaultConfig");

QString configKey(const QString& name) {
    return QString::fromUtf8(kDBConfigKey) + QLatin1Char('\\') + name;
}

QString below(const QString& base, const char* name) {
    return base.isEmpty() ? QString() : base + PathSeparator() + QString::fromUtf8(name);
}

QString executableDir() {
    const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return QDir::toNativeSeparators(dir);
}

bool validConfigName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char('/'));
}

}  // namespace

TqxfPaths& Paths() {
    static TqxfPaths paths;
    return paths;
}

void InitializePaths(const QStringList& args) {
    TqxfPaths& p = Paths();
    p.DeveloperMode = HasSwitch(args, QStringLiteral("/developer"));
    p.ShowPresentations = !HasSwitch(args, QStringLiteral("/nopresentation"));
    p.LastTempDir.clear();
    WaitCursorGuard wait;
    try {
        UserSettings reg;
        if (reg.OpenKey(kDBConfigKey, true) && reg.ValueExists(kLastTempDirValue))
            p.LastTempDir = reg.ReadString(kLastTempDirValue);
    } catch (const TqxfError& e) {
        ShowError(e.message());
    }
}

void FinalizePaths() {
    WaitCursorGuard wait;
    try {
        UserSettings reg;
        if (reg.OpenKey(kDBConfigKey, true)) reg.WriteString(kLastTempDirValue, Paths().LastTempDir);
    } catch (const TqxfError& e) {
        ShowError(e.message());
    }
}

QString TrimConfigPath(const QString& value) {
    return ExcludeTrailingSlash(value);
}

void SetConfigDirs(TqxfPaths& paths, const QString& catalogDir, const QString& serverDir, const QString& reportDir) {
    paths.CatalogDir = TrimConfigPath(catalogDir);
    paths.ServerDir = TrimConfigPath(serverDir);
    paths.ReportDir = TrimConfigPath(reportDir);
    paths.IniFileName = below(paths.CatalogDir, kSettingsFileName);
    paths.OrdersDir = below(paths.ServerDir, "Orders");
    paths.SelectionDir = below(paths.ServerDir, "Selection");
    paths.RecycledDir = below(paths.ServerDir, "Recycled");
    paths.ArchiveDir = below(paths.ServerDir, "Archive");
    paths.RegistryDir = below(paths.ServerDir, "Registry");
    paths.ExportDir = below(paths.ServerDir, "Export");
}

QString NewRunTempDir(const QString& tempRoot) {
    const QString root = TrimConfigPath(tempRoot);
    const QString base = (root.isEmpty() ? executableDir() : root) + PathSeparator();
    QString dir;
    // Another run (another user of the same root) may own a drawn name: its files must not be
    // mixed with ours, nor deleted by our next start.
    for (int attempt = 0; attempt < 100; ++attempt) {
        dir = base + QString::number(QRandomGenerator::global()->bounded(1000000));
        if (!QFileInfo::exists(dir)) break;
    }
    return dir;
}

bool LoadDBConfig(const ConfigChooser& chooser) {
    TqxfPaths& p = Paths();
    TqxfPaths cleared;
    cleared.DeveloperMode = p.DeveloperMode;
    cleared.ShowPresentations = p.ShowPresentations;
    p = cleared;

    QString defaultConfig;
    const QStringList names = ListDBConfigs(&defaultConfig);
    QString name;
    if (!names.isEmpty()) {
        const int selected = PreselectedDBConfig(names, defaultConfig);
        ConfigChoice choice{true, names[selected]};
        if (chooser) choice = chooser(names, selected);
        if (!choice.Accepted) return false;
        name = choice.Name;
    }
    if (names.isEmpty() || name.isEmpty()) {
        ShowError(QString::fromUtf8(kNoDBConfigText));
        return false;
    }

    UserSettings reg;
    if (!validConfigName(name) || !reg.OpenKey(configKey(name), false)) {
        ShowError(Format(QString::fromUtf8(kDBConfigOpenErrorText), name));
        return false;
    }
    try {
        const QString catalogDir = reg.ReadString(QStringLiteral("QXFCatalogDir"));
        const QString serverDir = reg.ReadString(QStringLiteral("QXFServerName"));
        const QString reportDir = reg.ReadString(QStringLiteral("QXFReportDir"));
        const QString tempRoot = reg.ReadString(QStringLiteral("QXFTempDir"));
        SetConfigDirs(p, catalogDir, serverDir, reportDir);
        p.TempDir = NewRunTempDir(tempRoot);
        if (!QFileInfo::exists(p.TempDir) && !ForceDirectories(p.TempDir))
            throw TqxfError(Format("Не удалось создать каталог %s", p.TempDir));
        p.LastTempDir = p.TempDir;
        // The database engine's temporary tables go to this run's directory.
        qputenv("SQLITE_TMPDIR", QFile::encodeName(p.TempDir));
        p.ConfigName = name;
        return true;
    } catch (const TqxfError& e) {
        ShowError(Format(QString::fromUtf8(kRegistryReadErrorText), e.message()));
        return false;
    }
}

QStringList ListDBConfigs(QString* defaultConfig) {
    if (defaultConfig) defaultConfig->clear();
    UserSettings reg;
    if (!reg.OpenKey(kDBConfigKey, false)) return {};
    if (defaultConfig && reg.ValueExists(kDefaultConfigValue)) *defaultConfig = reg.ReadString(kDefaultConfigValue);
    return reg.GetKeyNames();
}

int PreselectedDBConfig(const QStringList& names, const QString& defaultConfig) {
    if (names.isEmpty()) return -1;
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(defaultConfig, Qt::CaseInsensitive) == 0) return i;
    return 0;
}

bool ReadDBConfig(const QString& name, TqxfDBConfig& config) {
    UserSettings reg;
    if (!validConfigName(name) || !reg.OpenKey(configKey(name), false)) return false;
    config.Name = reg.CurrentPath().section(QLatin1Char('\\'), -1);
    config.CatalogDir = reg.ReadString(QStringLiteral("QXFCatalogDir"));
    config.ServerDir = reg.ReadString(QStringLiteral("QXFServerName"));
    config.ReportDir = reg.ReadString(QStringLiteral("QXFReportDir"));
    config.TempDir = reg.ReadString(QStringLiteral("QXFTempDir"));
    return true;
}

void WriteDBConfig(const TqxfDBConfig& config, bool makeDefault) {
    if (!validConfigName(config.Name)) throw TqxfError(Format("Неверное имя конфигурации \"%s\"!", config.Name));
    UserSettings reg;
    reg.OpenKey(configKey(config.Name), true);
    reg.WriteString(QStringLiteral("QXFCatalogDir"), config.CatalogDir);
    reg.WriteString(QStringLiteral("QXFServerName"), config.ServerDir);
    reg.WriteString(QStringLiteral("QXFReportDir"), config.ReportDir);
    reg.WriteString(QStringLiteral("QXFTempDir"), config.TempDir);
    if (makeDefault) {
        const QString stored = reg.CurrentPath().section(QLatin1Char('\\'), -1);
        reg.OpenKey(kDBConfigKey, true);
        reg.WriteString(kDefaultConfigValue, stored);
    }
}

bool RemoveDBConfig(const QString& name) {
    UserSettings reg;
    if (!validConfigName(name) || !reg.DeleteKey(configKey(name))) return false;
    if (reg.OpenKey(kDBConfigKey, false) && reg.ValueExists(kDefaultConfigValue) &&
        reg.ReadString(kDefaultConfigValue).compare(name, Qt::CaseInsensitive) == 0)
        reg.DeleteValue(kDefaultConfigValue);
    return true;
}

TqxfPaths DBConfigPaths(const TqxfDBConfig& config) {
    TqxfPaths paths;
    SetConfigDirs(paths, config.CatalogDir, config.ServerDir, config.ReportDir);
    paths.ConfigName = config.Name;
    return paths;
}

}  // namespace qx
