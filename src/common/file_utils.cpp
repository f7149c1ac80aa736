// file_utils.cpp — switches, directory trees, path and file-name texts.
#include "common/file_utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace qx {

namespace {

#ifdef Q_OS_WIN
constexpr bool kUpperCasePaths = true;
#else
constexpr bool kUpperCasePaths = false;
#endif

QString platformCase(const QString& text) {
    return kUpperCasePaths ? text.toUpper() : text;
}

QString toPlatformSeparators(QString path) {
    const QChar sep = PathSeparator();
    for (QChar& c : path)
        if (IsPathSeparator(c)) c = sep;
    return path;
}

// Position of the last separator, -1 when there is none.
qsizetype lastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsPathSeparator(path[i])) return i;
    return -1;
}

// The extension's dot after the last separator, -1 when there is none.
qsizetype extensionDot(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > lastSeparator(path) ? dot : -1;
}

// "base" + separator is a prefix of "path", letter case ignored and either separator accepted;
// returns the length of that prefix, or -1.
qsizetype basePrefixLength(const QString& base, const QString& path) {
    QString b = base;
    while (!b.isEmpty() && IsPathSeparator(b.back()))
        b.chop(1);
    if (b.isEmpty() || path.size() <= b.size()) return -1;
    for (qsizetype i = 0; i < b.size(); ++i) {
        const QChar x = b[i], y = path[i];
        if (IsPathSeparator(x) && IsPathSeparator(y)) continue;
        if (x.toUpper() != y.toUpper() && x.toLower() != y.toLower()) return -1;
    }
    return IsPathSeparator(path[b.size()]) ? b.size() + 1 : -1;
}

}  // namespace

QChar PathSeparator() {
    return QDir::separator();
}

bool IsPathSeparator(QChar c) {
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

bool HasSwitch(const QStringList& args, const QString& sw, int* index) {
    const QString wanted = sw.toUpper();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i].toUpper() == wanted) {
            if (index) *index = i;
            return true;
        }
    }
    if (index) *index = -1;
    return false;
}

bool HasSwitch(const QString& sw, int* index) {
    return HasSwitch(QCoreApplication::arguments(), sw, index);
}

bool DeleteDirTree(const QString& dir) {
    QDir d(dir);
    bool ok = true;
    const QFileInfoList entries =
        d.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            if (ok) ok = DeleteDirTree(entry.absoluteFilePath());
            continue;
        }
        // Every other entry is a file: its attributes are cleared, then it is deleted.
        const QString file = entry.absoluteFilePath();
        if (!entry.isSymLink()) QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        if (!QFile::remove(file)) ok = false;
    }
    const bool removed = QDir().rmdir(dir);
    return ok && removed;
}

QString SplitFileName(const QString& fileName, bool withPath, bool withName, bool withExt) {
    if (withPath && withName && withExt) return fileName;
    const qsizetype sep = lastSeparator(fileName);
    const qsizetype dot = extensionDot(fileName);
    const QString path = fileName.left(sep + 1);
    const QString name = fileName.mid(sep + 1);
    const QString ext = dot >= 0 ? fileName.mid(dot) : QString();
    const QString stem = name.left(name.size() - ext.size());
    if (withPath && !withName) return withExt ? QString() : path;
    if (withPath && withName) return path + stem;
    if (withName) return withExt ? name : stem;
    return withExt ? ext : QString();
}

QString ExcludeTrailingSlash(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= u' ')
        --end;
    if (end > begin && IsPathSeparator(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}

QString MakeRelativePath(const QString& base, const QString& path) {
    if (path.startsWith(QLatin1Char('%'))) return platformCase(path);
    const qsizetype prefix = basePrefixLength(base, path);
    if (prefix < 0) return platformCase(path);
    return platformCase(QLatin1Char('%') + toPlatformSeparators(path.mid(prefix)));
}

QString MakeAbsolutePath(const QString& base, const QString& path) {
    if (!path.startsWith(QLatin1Char('%'))) return platformCase(path);
    QString b = base;
    while (!b.isEmpty() && IsPathSeparator(b.back()))
        b.chop(1);
    QString rest = toPlatformSeparators(path.mid(1));
    while (!rest.isEmpty() && IsPathSeparator(rest.front()))
        rest.remove(0, 1);
    return platformCase(b + PathSeparator() + rest);
}

QString ResolveExistingPath(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path)) return path;
    const QString native = toPlatformSeparators(path);
    const QChar sep = PathSeparator();
    // The longest leading part that exists as written.
    qsizetype known = lastSeparator(native);
    while (known > 0 && !QFileInfo::exists(native.left(known)))
        known = native.lastIndexOf(sep, known - 1);
    QString resolved = known > 0 ? native.left(known) : (known == 0 ? QString(sep) : QString());
    const QStringList parts = native.mid(known + 1).split(sep, Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString folder = resolved.isEmpty() ? QStringLiteral(".") : resolved;
        const QString joined = (resolved.isEmpty() || resolved.endsWith(sep)) ? resolved + part : resolved + sep + part;
        if (QFileInfo::exists(joined)) {
            resolved = joined;
            continue;
        }
        QString match;
        const QStringList names =
            QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            if (name.compare(part, Qt::CaseInsensitive) == 0) {
                match = name;
                break;
            }
        }
        if (match.isEmpty()) return path;
        resolved = (resolved.isEmpty() || resolved.endsWith(sep)) ? resolved + match : resolved + sep + match;
    }
    return resolved;
}

QString MakeSafeFileName(const QString& text) {
    static const QString unsafe = QStringLiteral("\\/:*?,;\"`!(){}[]<>|%'");
    QString result = text;
    for (QChar& c : result)
        if (unsafe.contains(c)) c = QLatin1Char('_');
    return result;
}

bool ForceDirectories(const QString& dir) {
    if (dir.isEmpty()) return false;
    return QDir().mkpath(dir);
}

void SetHiddenAttribute(const QString& path) {
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(native.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
#else
    Q_UNUSED(path);
#endif
}

}  // namespace qx
