// setup.cpp — loading and saving the user settings.
#include "shell/setup.h"

#include <QFileInfo>
#include <cmath>
#include <limits>

#include "common/codec.h"
#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "common/messages.h"
#include "shell/ini_file.h"
#include "shell/user_settings.h"

namespace qx {

namespace {

const QString kFirm = QStringLiteral("Firm");
const QString kMoney = QStringLiteral("Money");
const QString kTax = QStringLiteral("Tax");
const QString kPriceGroupNames = QStringLiteral("PriceGroupNames");
const QString kDefaults = QStringLiteral("Defaults");
const QString kReport = QStringLiteral("Report");
const QString kFtp = QStringLiteral("FTP");

TqxfSetup* g_setup = nullptr;

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return 0;
}

TWindowState windowState(int32_t value) {
    return value >= 0 && value <= 2 ? static_cast<TWindowState>(value) : TWindowState::wsNormal;
}

float singleOrDefault(double value, float def) {
    return std::fabs(value) <= std::numeric_limits<float>::max() ? static_cast<float>(value) : def;
}

// The firm's fifteen keys in their table order.
struct FirmField {
    const char* Key;
    QString TqxfSetup::*Field;
};
const FirmField kFirmFields[] = {
    {"Name", &TqxfSetup::Name},
    {"Logo", &TqxfSetup::Logo},
    {"Address", &TqxfSetup::Address},
    {"JustAddress", &TqxfSetup::JustAddress},
    {"ZipCode", &TqxfSetup::ZipCode},
    {"Phone1", &TqxfSetup::Phone1},
    {"Phone2", &TqxfSetup::Phone2},
    {"Phone3", &TqxfSetup::Phone3},
    {"Fax", &TqxfSetup::Fax},
    {"EMail", &TqxfSetup::EMail},
    {"Internet", &TqxfSetup::Internet},
    {"INN", &TqxfSetup::INN},
    {"Account", &TqxfSetup::Account},
    {"Director", &TqxfSetup::Director},
    {"BookKeeper", &TqxfSetup::BookKeeper},
};

}  // namespace

QString EncodeHexText(const QString& text) {
    return QString::fromLatin1(ToCp1251(text).toHex());
}

QString DecodeHexText(const QString& hex) {
    QByteArray bytes;
    bytes.reserve(hex.size() / 2 + 1);
    for (qsizetype i = 0; i < hex.size(); i += 2) {
        const int high = i + 1 < hex.size() ? hexDigit(hex[i]) : 0;
        const int low = hexDigit(hex[i + 1 < hex.size() ? i + 1 : i]);
        bytes.append(static_cast<char>(high * 16 + low));
    }
    return FromCp1251(bytes);
}

TqxfSetup::TqxfSetup() {
    buildPriceGroupNames();
}

TqxfSetup::TqxfSetup(const TqxfPaths& paths) : paths_(paths) {
    buildPriceGroupNames();
    Loaded = Load();
}

TqxfSetup::~TqxfSetup() {
    if (!Loaded || !AutoSave) return;
    try {
        Save();
    } catch (const TqxfError& e) {
        ShowError(e.message());
    }
}

void TqxfSetup::buildPriceGroupNames() {
    PriceGroupNames.clear();
    for (int i = 1; i <= 10; ++i)
        PriceGroupNames << Format("?????? #%d", i);
}

bool TqxfSetup::Load() {
    if (paths_.IniFileName.isEmpty() || !QFileInfo::exists(paths_.IniFileName)) return false;
    readIni();
    readRegistry();
    createFolders();
    return true;
}

void TqxfSetup::readIni() {
    WaitCursorGuard wait;
    const IniFile ini(paths_.IniFileName);
    for (const FirmField& f : kFirmFields)
        this->*f.Field = ini.ReadString(kFirm, f.Key, QString());
    CurCurrency = ini.ReadInteger(kMoney, "CurCurrency", 0);

    const QString taxText = ini.ReadString(kTax, "NDSTax", "18");
    QString tax = taxText;
    tax.remove(QLatin1Char(' '));
    if (tax.isEmpty()) tax = QStringLiteral("0");
    double taxValue = 0;
    if (!ParseIniFloat(tax, taxValue) || std::fabs(taxValue) > std::numeric_limits<float>::max())
        throw TqxfError(Format("Ставка НДС \"%s\" в файле настроек %s не является числом!\r\n([Tax] NDSTax)", taxText,
                               paths_.IniFileName));
    NDSTax = static_cast<float>(taxValue);
    TotalNDS = ini.ReadBool(kTax, "TotalNDS", true);
    ShowIncludingNDS = ini.ReadBool(kTax, "ShowIncludingNDS", true);
    PriceGrpNo = ini.ReadInteger(kTax, "PriceGrpNo", 0);

    PriceGroupNames.clear();
    for (int i = 1; i <= 10; ++i)
        PriceGroupNames << ini.ReadString(kPriceGroupNames, QString::number(i), Format("?????? #%d", i));

    DefProfSys = ini.ReadString(kDefaults, "DefProfSys", QString());
    DefFurnSys = ini.ReadString(kDefaults, "DefFurnSys", QString());
    DefFurnSysGroup = ini.ReadInteger(kDefaults, "DefFurnSysGroup", 0);
    DefInnerProfColor = ini.ReadString(kDefaults, "DefInnerProfColor", QString());
    DefOuterProfColor = ini.ReadString(kDefaults, "DefOuterProfColor", QString());
    DefFurnColor = ini.ReadString(kDefaults, "DefFurnColor", QString());
    DefHandle = ini.ReadString(kDefaults, "DefHandle", QString());
    DefMaterial = ini.ReadInteger(kDefaults, "DefMaterial", 1);
    DefFalzType = ini.ReadInteger(kDefaults, "DefFalzType", 0);
    DefDornType = ini.ReadInteger(kDefaults, "DefDornType", 0);
    DefStulpFalzType = ini.ReadInteger(kDefaults, "DefStulpFalzType", 0);
    DefFlugelType = ini.ReadInteger(kDefaults, "DefFlugelType", 0);
    DefProfWidth = singleOrDefault(ini.ReadFloat(kDefaults, "DefProfWidth", 0.0), 0.0f);
    DefProfThickness = singleOrDefault(ini.ReadFloat(kDefaults, "DefProfThickness", 0.0), 0.0f);
    ReportLogo = ini.ReadString(kReport, "Logo", QString());
    UserDefineHeight = ini.ReadBool(kDefaults, "UserDefineHeight", true);

    ftpHost = ini.ReadString(kFtp, "ftpHost", QString());
    ftpPort = ini.ReadInteger(kFtp, "ftpPort", 21);
    ftpUserName = DecodeHexText(ini.ReadString(kFtp, "ftpUserName", QString()));
    ftpPassword = DecodeHexText(ini.ReadString(kFtp, "ftpPassword", QString()));
    ftpDir = ini.ReadString(kFtp, "ftpDir", QString());
    ftpUpload = ini.ReadBool(kFtp, "ftpUpload", false);
}

// A value that cannot be read leaves it and the ones after it at their defaults.
void TqxfSetup::readRegistry() {
    try {
        UserSettings reg;
        if (!reg.OpenKey(kUserRootKey, true)) return;
        auto readInt = [&reg](const char* name, int32_t def) {
            return reg.ValueExists(name) ? reg.ReadInteger(name) : def;
        };
        auto readBool = [&reg](const char* name, bool def) { return reg.ValueExists(name) ? reg.ReadBool(name) : def; };
        MainWinState = windowState(readInt("TechnologMainWinState", 0));
        OrderWinState = windowState(readInt("TechnologOrderWinState", 0));
        DesignWinState = windowState(readInt("TechnologDesignWinState", 0));
        DesignFormW = readInt("TechnologDesignFormW", 640);
        DesignFormH = readInt("TechnologDesignFormH", 480);
        AlertIfNotFull = readBool("AlertIfNotFull", true);
        AutoReg = readBool("AutoReg", true);
        AutoOpenReg = readBool("AutoOpenReg", true);
        MoveToRecycled = readBool("MoveToRecycled", true);
        AutoLoadCurrency = readBool("AutoLoadCurrency", true);
    } catch (const TqxfError& e) {
        ShowError(Format(QString::fromUtf8(kUserRegistryReadErrorText), e.message()));
    }
}

void TqxfSetup::createFolders() {
    for (const QString* dir : {&paths_.ServerDir, &paths_.OrdersDir, &paths_.RecycledDir, &paths_.ArchiveDir,
                               &paths_.SelectionDir, &paths_.ReportDir, &paths_.ExportDir}) {
        if (dir->isEmpty() || QFileInfo(*dir).isDir()) continue;
        if (ForceDirectories(*dir) && dir == &paths_.RecycledDir) SetHiddenAttribute(*dir);
    }
}

void TqxfSetup::Save() {
    writeRegistry();
    writeIni();
}

void TqxfSetup::writeRegistry() {
    try {
        UserSettings reg;
        if (!reg.OpenKey(kUserRootKey, true)) return;
        reg.WriteInteger("TechnologMainWinState", static_cast<int32_t>(MainWinState));
        reg.WriteInteger("TechnologOrderWinState", static_cast<int32_t>(OrderWinState));
        reg.WriteInteger("TechnologDesignWinState", static_cast<int32_t>(DesignWinState));
        reg.WriteInteger("TechnologDesignFormW", DesignFormW);
        reg.WriteInteger("TechnologDesignFormH", DesignFormH);
        reg.WriteBool("AlertIfNotFull", AlertIfNotFull);
        reg.WriteBool("AutoReg", AutoReg);
        reg.WriteBool("AutoOpenReg", AutoOpenReg);
        reg.WriteBool("MoveToRecycled", MoveToRecycled);
        reg.WriteBool("AutoLoadCurrency", AutoLoadCurrency);
    } catch (const TqxfError& e) {
        ShowError(Format(QString::fromUtf8(kUserRegistryWriteErrorText), e.message()));
    }
}

// The file is read again first: keys written meanwhile by other users of the configuration, the
// read-only keys and unknown keys stay as they are in it.
void TqxfSetup::writeIni() {
    WaitCursorGuard wait;
    IniFile ini(paths_.IniFileName);
    ini.WriteString(kDefaults, "DefProfSys", DefProfSys);
    ini.WriteString(kDefaults, "DefInnerProfColor", DefInnerProfColor);
    ini.WriteString(kDefaults, "DefOuterProfColor", DefOuterProfColor);
    ini.WriteString(kDefaults, "DefFurnSys", DefFurnSys);
    ini.WriteString(kDefaults, "DefFurnColor", DefFurnColor);
    ini.WriteString(kDefaults, "DefHandle", DefHandle);
    ini.WriteInteger(kDefaults, "DefMaterial", DefMaterial);
    ini.WriteInteger(kDefaults, "DefFalzType", DefFalzType);
    ini.WriteInteger(kDefaults, "DefStulpFalzType", DefStulpFalzType);
    ini.WriteInteger(kDefaults, "DefFlugelType", DefFlugelType);
    ini.WriteInteger(kDefaults, "DefDornType", DefDornType);
    ini.WriteFloat(kDefaults, "DefProfWidth", DefProfWidth);
    ini.WriteFloat(kDefaults, "DefProfThickness", DefProfThickness);
    ini.WriteInteger(kMoney, "CurCurrency", CurCurrency);
    ini.WriteFloat(kTax, "NDSTax", NDSTax);
    for (const FirmField& f : kFirmFields)
        ini.WriteString(kFirm, f.Key, this->*f.Field);
    ini.WriteString(kFtp, "ftpHost", ftpHost);
    ini.WriteInteger(kFtp, "ftpPort", ftpPort);
    ini.WriteString(kFtp, "ftpUserName", EncodeHexText(ftpUserName));
    ini.WriteString(kFtp, "ftpPassword", EncodeHexText(ftpPassword));
    ini.WriteString(kFtp, "ftpDir", ftpDir);
    ini.WriteBool(kFtp, "ftpUpload", ftpUpload);
    ini.Save();
}

QString TqxfSetup::GetPhones() const {
    QString result;
    for (const QString* phone : {&Phone1, &Phone2, &Phone3, &Fax}) {
        if (phone->isEmpty()) continue;
        result += result.isEmpty() ? ZipCode + QLatin1Char(' ') + *phone : QLatin1Char(',') + *phone;
    }
    return result;
}

TqxfSetup& Setup() {
    if (g_setup) return *g_setup;
    static TqxfSetup fallback;
    return fallback;
}

bool HasSetup() {
    return g_setup != nullptr;
}

void SetSetup(TqxfSetup* setup) {
    g_setup = setup;
}

}  // namespace qx
