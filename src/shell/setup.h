// setup.h — TqxfSetup: every user setting of the system, the pricing context, and the run's one settings object.
#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

#include "catalog/currency_item.h"
#include "shell/paths.h"

namespace qx {

// The windowing toolkit's window states, stored as integers.
enum class TWindowState : uint8_t { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// The system's texts of the settings store.
inline constexpr const char* kSettingsMissingText =
    "Не найден файл конфигурации!\r\nПроизведите установку в панели управления.";
inline constexpr const char* kUserRegistryReadErrorText = "Ошибка чтения из системного реестра!\r\n(%s)";
inline constexpr const char* kUserRegistryWriteErrorText = "Ошибка записи в системный реестр!\r\n(%s)";

// The settings of the configuration's INI file ([Firm], [Money], [Tax], [PriceGroupNames],
// [Defaults], [Report], [FTP]) and of the user's store (window states, behaviour switches), with
// the run-time pricing context. Fields marked read only are read but never written.
class TqxfSetup {
  public:
    // Every field at its default, not loaded; reads and writes nothing.
    TqxfSetup();
    // Builds the price-group list and loads the configuration's settings; Loaded tells whether
    // the INI file existed. An "NDSTax" that is not a number raises TqxfError.
    explicit TqxfSetup(const TqxfPaths& paths);
    // Saves when Loaded (and AutoSave): a run without an INI file never creates one.
    ~TqxfSetup();
    TqxfSetup(const TqxfSetup&) = delete;
    TqxfSetup& operator=(const TqxfSetup&) = delete;

    // False without reading anything when the INI file name is empty or the file does not exist;
    // otherwise reads the INI file, then the user's store, creates the missing data folders and
    // returns true.
    bool Load();
    // Writes the user's store (an error is shown, the INI file is still written), then the INI
    // file (an error raises TqxfError).
    void Save();
    // The telephone line of documents: ZipCode + " " + the first of Phone1, Phone2, Phone3, Fax
    // that is set, each further one after ",".
    QString GetPhones() const;
    // The paths the settings were loaded with.
    const TqxfPaths& paths() const { return paths_; }

    QString Name;
    QString Logo;
    QString Address;
    QString JustAddress;
    QString ZipCode;
    QString Phone1;
    QString Phone2;
    QString Phone3;
    QString Fax;
    QString EMail;
    QString Internet;
    QString INN;
    QString Account;
    QString Director;
    QString BookKeeper;
    // The pricing context: set by the active document window, never stored.
    int32_t PriceCurrency = 0;
    float PriceNDSTax = 0;
    const TqxfCurrencyList* PriceCurrencies = nullptr;  // owned by the document
    QString DefProfSys;
    QString DefInnerProfColor;
    QString DefOuterProfColor;
    QString DefFurnSys;
    int32_t DefFurnSysGroup = 0;  // read only
    QString DefFurnColor;
    QString DefHandle;
    int32_t DefMaterial = 1;
    int32_t CurCurrency = 0;
    int32_t PriceGrpNo = 0;  // read only
    float NDSTax = 18;
    bool TotalNDS = true;          // read only
    bool ShowIncludingNDS = true;  // read only
    int32_t DefFalzType = 0;
    int32_t DefDornType = 0;
    int32_t DefStulpFalzType = 0;
    int32_t DefFlugelType = 0;
    float DefProfWidth = 0;
    float DefProfThickness = 0;
    bool AlertIfNotFull = true;
    bool AutoReg = true;
    bool AutoOpenReg = true;
    bool MoveToRecycled = true;
    bool AutoLoadCurrency = true;
    bool Loaded = false;
    TWindowState MainWinState = TWindowState::wsNormal;
    TWindowState OrderWinState = TWindowState::wsNormal;
    TWindowState DesignWinState = TWindowState::wsNormal;
    int32_t DesignFormW = 640;
    int32_t DesignFormH = 480;
    QStringList PriceGroupNames;   // read only; 10 names
    QString ReportLogo;            // read only
    bool UserDefineHeight = true;  // read only
    bool DebugMode = false;        // run-time switch, never stored
    QString ftpHost;
    int32_t ftpPort = 21;
    QString ftpUserName;  // stored as hexadecimal text
    QString ftpPassword;  // stored as hexadecimal text
    QString ftpDir;
    bool ftpUpload = false;

    // Whether freeing a loaded object saves it. The desktop program's settings object does; a
    // reader that must leave the files as they are (the command-line tool) turns it off.
    bool AutoSave = true;

  private:
    void buildPriceGroupNames();
    void readIni();
    void readRegistry();
    void createFolders();
    void writeRegistry();
    void writeIni();

    TqxfPaths paths_;
};

// The stored form of a text: two lower-case hexadecimal digits per Windows-1251 byte.
QString EncodeHexText(const QString& text);
// Reverses EncodeHexText: either letter case; a non-hexadecimal character counts as 0; a trailing
// single digit reads as if preceded by "0".
QString DecodeHexText(const QString& hex);

// The run's one settings object. When none is installed, Setup() gives a default, not-loaded
// object (every default, an empty pricing context, DebugMode off) that is never saved, so code
// that reads the pricing context works in tools and tests that have no settings.
TqxfSetup& Setup();
bool HasSetup();
// Installs the run's settings object (not owned); nullptr removes it.
void SetSetup(TqxfSetup* setup);

}  // namespace qx
