// startup.h — the non-visual steps of the program's start and end, for the desktop program and the tools.
#pragma once
#include "shell/paths.h"
#include "shell/setup.h"

namespace qx {

// Deletes the previous run's temporary directory (Paths().LastTempDir) with all its content when it
// is set and exists; the result is not checked. Only a directory that looks like one of the
// system's temporary directories (its last part a number) is deleted: a damaged store value must
// never wipe a user's folder.
void RemoveLastTempDir();

// The start before any window: removes the previous run's temporary directory, then lets the user
// choose the database configuration (LoadDBConfig). False means the process ends; the message, if
// any, has been shown. InitializePaths must have run before.
bool StartupLoadConfiguration(const ConfigChooser& chooser);

// The settings object of the run is usable when its INI file was found; otherwise shows the
// system's warning and returns false (the program then ends).
bool CheckSettingsLoaded(const TqxfSetup& setup);

// The end after the event loop: writes this run's temporary directory for the next start to delete.
void ShutdownPaths();

}  // namespace qx
