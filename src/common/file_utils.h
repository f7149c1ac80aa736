// file_utils.h — command-line switches, directory trees and the path and file-name texts of the system.
#pragma once
#include <QChar>
#include <QString>
#include <QStringList>

namespace qx {

// The platform's path separator ("\" on Windows, "/" elsewhere).
QChar PathSeparator();
// True for both "\" and "/": stored paths may come from either kind of system.
bool IsPathSeparator(QChar c);

// Compares the switch with the arguments 1 … n (argument 0 is the program), whole and letter case
// ignored. Found: true and the argument's position in *index; otherwise false and -1.
bool HasSwitch(const QStringList& args, const QString& sw, int* index = nullptr);
// The same over the process's own command line (QCoreApplication::arguments()).
bool HasSwitch(const QString& sw, int* index = nullptr);

// Deletes every entry of the directory and then the directory itself. Sub-directories are deleted
// by recursion as long as nothing has failed so far; every other entry (files, links, devices) is
// made writable and deleted as a file; links are never followed. True only when every deletion
// and the final removal succeeded.
bool DeleteDirTree(const QString& dir);

// The requested parts of a full file name: all three give the name unchanged; path alone the
// directory with its trailing separator; name + extension the file name; extension alone the
// extension with its dot; path + name, or name alone, the same without the extension; path +
// extension without name, and nothing at all, give empty text.
QString SplitFileName(const QString& fileName, bool withPath, bool withName, bool withExt);

// Trims blanks and control characters at both ends, then removes ONE trailing "\" or "/".
QString ExcludeTrailingSlash(const QString& text);

// The registry form of a path: "%" + the rest when the path lies under base (the prefix is matched
// with letter case ignored and either separator); a path that already starts with "%" and any
// other path are returned as they are. On Windows the result is upper-cased, elsewhere the file
// name keeps its letter case.
QString MakeRelativePath(const QString& base, const QString& path);
// Reverses MakeRelativePath: "%" + rest becomes base + separator + rest (stored "\" and "/" both
// become the platform separator); other paths are returned as they are (upper-cased on Windows).
QString MakeAbsolutePath(const QString& base, const QString& path);
// A path as it exists on disk: the path itself when it exists as written; otherwise every part
// that is missing as written is looked up in its folder with letter case ignored (registries
// written on Windows hold upper-cased names). Unresolvable paths are returned as written.
QString ResolveExistingPath(const QString& path);

// Replaces each of \ / : * ? , ; " ` ! ( ) { } [ ] < > | % ' by "_".
QString MakeSafeFileName(const QString& text);

// Creates the directory with all missing parents; true when it exists afterwards.
bool ForceDirectories(const QString& dir);

// Gives a file or directory the hidden attribute on Windows; nothing on other systems.
void SetHiddenAttribute(const QString& path);

}  // namespace qx
