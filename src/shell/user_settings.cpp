// user_settings.cpp — the user's settings store over QSettings.
#include "shell/user_settings.h"

#include <QSettings>
#include <cmath>
#include <cstdint>

#include "common/error.h"
#include "common/format.h"

namespace qx {

namespace {

QString envFile() {
    return qEnvironmentVariable(kUserSettingsEnv);
}

std::unique_ptr<QSettings> openStore() {
    const QString file = envFile();
    if (!file.isEmpty()) return std::make_unique<QSettings>(file, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER"), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarkon"),
                                       QStringLiteral("Quarnix"));
#endif
}

QStringList keyParts(const QString& key) {
    QString k = key;
    k.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return k.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QString joinGroup(const QString& group, const QString& name) {
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

// The name in the list equal to the wanted one: exactly, else with letter case ignored.
QString findName(const QStringList& names, const QString& wanted) {
    if (names.contains(wanted)) return wanted;
    for (const QString& n : names)
        if (n.compare(wanted, Qt::CaseInsensitive) == 0) return n;
    return QString();
}

QStringList childGroups(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    QStringList result = settings.childGroups();
    settings.endGroup();
    return result;
}

QStringList childKeys(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    QStringList result = settings.childKeys();
    settings.endGroup();
    return result;
}

}  // namespace

UserSettings::UserSettings() : settings_(openStore()) {
    if (settings_->status() == QSettings::FormatError)
        throw TqxfError(Format("Неверный формат файла настроек пользователя %s", Location()));
}

UserSettings::~UserSettings() = default;

QString UserSettings::Location() {
    const QString file = envFile();
    if (!file.isEmpty()) return file;
#ifdef Q_OS_WIN
    return QStringLiteral("HKEY_CURRENT_USER");
#else
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarkon"), QStringLiteral("Quarnix"))
        .fileName();
#endif
}

QString UserSettings::resolveGroup(const QString& key, bool* found) const {
    QString group = key.startsWith(QLatin1Char('\\')) || key.startsWith(QLatin1Char('/')) ? QString() : group_;
    *found = true;
    for (const QString& part : keyParts(key)) {
        const QString existing = *found ? findName(childGroups(*settings_, group), part) : QString();
        if (existing.isEmpty()) *found = false;
        group = joinGroup(group, existing.isEmpty() ? part : existing);
    }
    return group;
}

bool UserSettings::OpenKey(const QString& key, bool canCreate) {
    bool found = false;
    const QString group = resolveGroup(key, &found);
    if (!found && !canCreate) return false;
    group_ = group;
    return true;
}

bool UserSettings::KeyExists(const QString& key) const {
    bool found = false;
    resolveGroup(key, &found);
    return found;
}

void UserSettings::CloseKey() {
    group_.clear();
}

QString UserSettings::CurrentPath() const {
    if (group_.isEmpty()) return QString();
    QString path = QLatin1Char('\\') + group_;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path;
}

QString UserSettings::valueKey(const QString& name) const {
    const QString existing = findName(childKeys(*settings_, group_), name);
    return joinGroup(group_, existing.isEmpty() ? name : existing);
}

bool UserSettings::ValueExists(const QString& name) const {
    return !findName(childKeys(*settings_, group_), name).isEmpty();
}

QVariant UserSettings::readValue(const QString& name) const {
    if (!ValueExists(name)) throw TqxfError(Format("Ошибка получения данных для '%s'", name));
    return settings_->value(valueKey(name));
}

QString UserSettings::ReadString(const QString& name) const {
    if (!ValueExists(name)) return QString();
    return settings_->value(valueKey(name)).toString();
}

int32_t UserSettings::ReadInteger(const QString& name) const {
    const QVariant v = readValue(name);
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > UINT32_MAX) throw TqxfError(Format("Неверный тип данных для '%s'", name));
    return static_cast<int32_t>(n);  // a 32-bit value written as unsigned reads back as the same bits
}

bool UserSettings::ReadBool(const QString& name) const {
    const QVariant v = readValue(name);
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    const QString text = v.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    return ReadInteger(name) != 0;
}

TDateTime UserSettings::ReadDateTime(const QString& name) const {
    const QVariant v = readValue(name);
    bool ok = false;
    const double value = v.toDouble(&ok);
    if (!ok || !std::isfinite(value)) throw TqxfError(Format("Неверный тип данных для '%s'", name));
    return value;
}

void UserSettings::writeValue(const QString& name, const QVariant& value) {
    settings_->setValue(valueKey(name), value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw TqxfError(Format("Ошибка записи данных для '%s'\r\n(%s)", name, Location()));
}

void UserSettings::WriteString(const QString& name, const QString& value) {
    writeValue(name, value);
}
void UserSettings::WriteInteger(const QString& name, int32_t value) {
    writeValue(name, value);
}
void UserSettings::WriteBool(const QString& name, bool value) {
    writeValue(name, value ? 1 : 0);
}
void UserSettings::WriteDateTime(const QString& name, TDateTime value) {
    writeValue(name, value);
}

bool UserSettings::DeleteValue(const QString& name) {
    if (!ValueExists(name)) return false;
    settings_->remove(valueKey(name));
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QStringList UserSettings::GetKeyNames() const {
    return childGroups(*settings_, group_);
}

QStringList UserSettings::GetValueNames() const {
    return childKeys(*settings_, group_);
}

bool UserSettings::DeleteKey(const QString& key) {
    bool found = false;
    const QString group = resolveGroup(key, &found);
    if (!found || group.isEmpty()) return false;
    settings_->remove(group);
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw TqxfError(Format("Ошибка удаления ключа '%s'\r\n(%s)", key, Location()));
    return true;
}

}  // namespace qx
