// startup.cpp — start-up and shutdown steps without windows.
#include "shell/startup.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "common/error.h"
#include "common/file_utils.h"
#include "common/messages.h"

namespace qx {

namespace {

bool looksLikeRunTempDir(const QString& dir) {
    static const QRegularExpression numbered(QStringLiteral("[\\\\/]\\d{1,6}$"));
    return numbered.match(dir).hasMatch();
}

}  // namespace

void RemoveLastTempDir() {
    const QString dir = Paths().LastTempDir;
    if (dir.isEmpty() || !QFileInfo(dir).isDir() || QFileInfo(dir).isSymLink() || !looksLikeRunTempDir(dir)) return;
    DeleteDirTree(dir);
}

bool StartupLoadConfiguration(const ConfigChooser& chooser) {
    RemoveLastTempDir();
    try {
        return LoadDBConfig(chooser);
    } catch (const TqxfError& e) {
        ShowError(e.message());
        return false;
    }
}

bool CheckSettingsLoaded(const TqxfSetup& setup) {
    if (setup.Loaded) return true;
    ShowWarning(QString::fromUtf8(kSettingsMissingText));
    return false;
}

void ShutdownPaths() {
    FinalizePaths();
}

}  // namespace qx
