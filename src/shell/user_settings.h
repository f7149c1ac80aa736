// user_settings.h — the current user's settings store: the key "\SoftWare\Tarkon\Quarnix\Vovazeder380" and its subkeys.
#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <memory>

#include "common/datetime.h"

class QSettings;

namespace qx {

// The user's key of the system and the key of the database configurations.
inline constexpr const char* kUserRootKey = "\\SoftWare\\Tarkon\\Quarnix\\Vovazeder380";
inline constexpr const char* kDBConfigKey = "\\SoftWare\\Tarkon\\Quarnix\\Vovazeder380\\DBConfig\\DUV";

// The environment variable that points the store at an INI file instead of the user's own store.
inline constexpr const char* kUserSettingsEnv = "QUARNIX_USER_SETTINGS";

// A registry-like view of the user's store: the registry of the current user on Windows,
// ~/.config/Tarkon/Quarnix.conf elsewhere, or the file named by QUARNIX_USER_SETTINGS. Keys are
// written "\A\B" (absolute, from the user's root) or "A\B" (below the open key); "/" works too.
// Key and value names are matched with letter case ignored, as in the registry. Failures raise
// TqxfError.
class UserSettings {
  public:
    UserSettings();
    ~UserSettings();
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    // Where the store lives (a file path, or the registry key on Windows).
    static QString Location();

    // Opens the key; when it is missing, creates it (canCreate) or returns false.
    bool OpenKey(const QString& key, bool canCreate);
    bool KeyExists(const QString& key) const;
    // Back to the user's root.
    void CloseKey();
    // The open key in registry form ("\SoftWare\…"), empty at the root.
    QString CurrentPath() const;

    bool ValueExists(const QString& name) const;
    // Empty text when the value is missing.
    QString ReadString(const QString& name) const;
    // A missing value or one that is not an integer raises TqxfError.
    int32_t ReadInteger(const QString& name) const;
    // An integer value other than 0 (or the text "true").
    bool ReadBool(const QString& name) const;
    // The 8-byte date-time value (days since 30.12.1899).
    TDateTime ReadDateTime(const QString& name) const;

    void WriteString(const QString& name, const QString& value);
    void WriteInteger(const QString& name, int32_t value);
    void WriteBool(const QString& name, bool value);  // 1 or 0
    void WriteDateTime(const QString& name, TDateTime value);
    bool DeleteValue(const QString& name);

    // Subkeys and values of the open key, in the store's order.
    QStringList GetKeyNames() const;
    QStringList GetValueNames() const;
    // Deletes the key with all its subkeys and values; false when it does not exist.
    bool DeleteKey(const QString& key);

  private:
    // The store's group of a key as it exists (letter case of the store), or empty when missing
    // and not created; *found tells whether it exists.
    QString resolveGroup(const QString& key, bool* found) const;
    QString valueKey(const QString& name) const;
    QVariant readValue(const QString& name) const;
    void writeValue(const QString& name, const QVariant& value);

    std::unique_ptr<QSettings> settings_;
    QString group_;  // the open key's group in the store, "" at the root
};

}  // namespace qx
