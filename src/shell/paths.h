// paths.h — the run's installation paths and switches, and the database configurations they come from.
#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace qx {

// The path values of the chosen configuration (none ends in a separator) and the two switches.
struct TqxfPaths {
    QString CatalogDir;
    QString ServerDir;
    QString ReportDir;
    QString TempDir;
    QString OrdersDir;
    QString SelectionDir;
    QString RecycledDir;
    QString ArchiveDir;
    QString RegistryDir;
    QString ExportDir;
    QString IniFileName;
    QString ConfigName;
    QString LastTempDir;  // the previous run's temporary directory, then this run's
    bool DeveloperMode = false;
    bool ShowPresentations = true;
};

// The process-wide path values; empty until LoadDBConfig succeeds.
TqxfPaths& Paths();

inline constexpr const char* kSettingsFileName = "QXFurniture.ini";

// The system's texts of a failed configuration choice.
inline constexpr const char* kNoDBConfigText =
    "В системе не установлены пути доступа к базам данных!\r\nИнсталлируйте заново программу!";
inline constexpr const char* kDBConfigOpenErrorText =
    "Ошибка открытия конфигурации %s!\r\nУказанная конфигурация не числиться в списке.";
inline constexpr const char* kRegistryReadErrorText = "Ошибка чтения системного реестра!\r\n(%s)";

// The unit's initialisation: the switches "/developer" and "/nopresentation" from the arguments
// (argument 0 is the program) and LastTempDir from the store's "QXFLastTempDir". A store error is
// shown with its own text and LastTempDir stays empty.
void InitializePaths(const QStringList& args);
// The unit's finalisation: writes LastTempDir to "QXFLastTempDir"; an error is shown with its own text.
void FinalizePaths();

// The answer of the configuration choice: OK with the chosen name, or Cancel.
struct ConfigChoice {
    bool Accepted = false;
    QString Name;
};
// Shows the configuration names with the preselected one (an index into names) and returns the
// user's answer. The desktop program shows its choice dialog; an empty chooser takes the
// preselected configuration without asking.
using ConfigChooser = std::function<ConfigChoice(const QStringList& names, int selected)>;

// Lets the user choose a configuration and sets every path from it, creating this run's
// temporary directory. False, after the system's message where there is one (none on Cancel),
// when no configuration could be taken.
bool LoadDBConfig(const ConfigChooser& chooser);

// A configuration value as the paths use it: trimmed of blanks and control characters, without
// ONE trailing separator ("\" or "/").
QString TrimConfigPath(const QString& value);
// Sets the directories (trimmed) and derives IniFileName, OrdersDir, SelectionDir, RecycledDir,
// ArchiveDir, RegistryDir and ExportDir with the platform separator. A derived path is empty when
// its base directory is empty (never a folder at the file-system root).
void SetConfigDirs(TqxfPaths& paths, const QString& catalogDir, const QString& serverDir, const QString& reportDir);
// A new temporary directory name for this run: root + separator + n with 0 <= n < 1000000, or
// next to the executable file when the root is empty. Names that exist already are drawn again.
QString NewRunTempDir(const QString& tempRoot);

// One database configuration as stored in the user's store.
struct TqxfDBConfig {
    QString Name;
    QString CatalogDir;  // "QXFCatalogDir"
    QString ServerDir;   // "QXFServerName"
    QString ReportDir;   // "QXFReportDir"
    QString TempDir;     // "QXFTempDir"
};

// The configuration names in the store's order; *defaultConfig gets "DefaultConfig" (may be empty).
QStringList ListDBConfigs(QString* defaultConfig = nullptr);
// The entry preselected in the choice: the one equal to defaultConfig (letter case ignored), else
// the first; -1 for an empty list.
int PreselectedDBConfig(const QStringList& names, const QString& defaultConfig);
// Reads a configuration's four values as stored (missing ones empty); false when it does not exist.
bool ReadDBConfig(const QString& name, TqxfDBConfig& config);
// Writes (or replaces) a configuration; makeDefault also sets "DefaultConfig". An empty name or
// one with a separator raises TqxfError.
void WriteDBConfig(const TqxfDBConfig& config, bool makeDefault);
// Deletes a configuration (and "DefaultConfig" when it named it); false when it does not exist.
bool RemoveDBConfig(const QString& name);
// The paths of a configuration without a temporary directory (for tools that need none).
TqxfPaths DBConfigPaths(const TqxfDBConfig& config);

}  // namespace qx
