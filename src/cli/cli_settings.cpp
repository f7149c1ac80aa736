// cli_settings.cpp — quarnix-cli command that shows the settings of a configuration.
#include <QJsonArray>
#include <QJsonObject>
#include <utility>
#include <vector>

#include "cli/cli_command.h"
#include "shell/ini_file.h"
#include "shell/setup.h"

namespace qx::cli {
namespace {

// A single float as the number it was written as (0.6, not 0.6000000238).
double singleValue(float value) {
    return IniFloatText(value).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

using Field = std::pair<QString, QJsonValue>;

// The settings in the data model's order, under its names. The FTP password is not shown.
std::vector<Field> settingsFields(const TqxfSetup& s) {
    QJsonArray priceGroupNames;
    for (const QString& name : s.PriceGroupNames)
        priceGroupNames.append(name);
    return {
        {"Name", s.Name},
        {"Logo", s.Logo},
        {"Address", s.Address},
        {"JustAddress", s.JustAddress},
        {"ZipCode", s.ZipCode},
        {"Phone1", s.Phone1},
        {"Phone2", s.Phone2},
        {"Phone3", s.Phone3},
        {"Fax", s.Fax},
        {"EMail", s.EMail},
        {"Internet", s.Internet},
        {"INN", s.INN},
        {"Account", s.Account},
        {"Director", s.Director},
        {"BookKeeper", s.BookKeeper},
        {"DefProfSys", s.DefProfSys},
        {"DefInnerProfColor", s.DefInnerProfColor},
        {"DefOuterProfColor", s.DefOuterProfColor},
        {"DefFurnSys", s.DefFurnSys},
        {"DefFurnSysGroup", s.DefFurnSysGroup},
        {"DefFurnColor", s.DefFurnColor},
        {"DefHandle", s.DefHandle},
        {"DefMaterial", s.DefMaterial},
        {"CurCurrency", s.CurCurrency},
        {"PriceGrpNo", s.PriceGrpNo},
        {"NDSTax", singleValue(s.NDSTax)},
        {"TotalNDS", s.TotalNDS},
        {"ShowIncludingNDS", s.ShowIncludingNDS},
        {"DefFalzType", s.DefFalzType},
        {"DefDornType", s.DefDornType},
        {"DefStulpFalzType", s.DefStulpFalzType},
        {"DefFlugelType", s.DefFlugelType},
        {"DefProfWidth", singleValue(s.DefProfWidth)},
        {"DefProfThickness", singleValue(s.DefProfThickness)},
        {"AlertIfNotFull", s.AlertIfNotFull},
        {"AutoReg", s.AutoReg},
        {"AutoOpenReg", s.AutoOpenReg},
        {"MoveToRecycled", s.MoveToRecycled},
        {"AutoLoadCurrency", s.AutoLoadCurrency},
        {"Loaded", s.Loaded},
        {"MainWinState", static_cast<int>(s.MainWinState)},
        {"OrderWinState", static_cast<int>(s.OrderWinState)},
        {"DesignWinState", static_cast<int>(s.DesignWinState)},
        {"DesignFormW", s.DesignFormW},
        {"DesignFormH", s.DesignFormH},
        {"PriceGroupNames", priceGroupNames},
        {"ReportLogo", s.ReportLogo},
        {"UserDefineHeight", s.UserDefineHeight},
        {"ftpHost", s.ftpHost},
        {"ftpPort", s.ftpPort},
        {"ftpUserName", s.ftpUserName},
        {"ftpPassword", s.ftpPassword.isEmpty() ? QString() : QStringLiteral("********")},
        {"ftpDir", s.ftpDir},
        {"ftpUpload", s.ftpUpload},
    };
}

QString fieldText(const QJsonValue& value) {
    if (value.isBool()) return value.toBool() ? QStringLiteral("да") : QStringLiteral("нет");
    if (value.isDouble()) return IniFloatText(value.toDouble());
    if (value.isArray()) {
        QStringList items;
        for (const QJsonValue& item : value.toArray())
            items << item.toString();
        return items.join(QStringLiteral("; "));
    }
    return value.toString();
}

QX_CLI_COMMAND(ShowSettings, "settings show", "[--json]",
               "настройки конфигурации (без файла QXFurniture.ini — значения по умолчанию)") {
    CliArgs(ctx.Args, {}).ExpectPositional(0);
    const TqxfPaths paths = ctx.ResolvePaths();
    TqxfSetup setup(paths);
    setup.AutoSave = false;  // showing never writes the INI file or the user's store
    std::vector<Field> fields{{"ConfigName", paths.ConfigName}, {"IniFileName", paths.IniFileName}};
    for (Field& field : settingsFields(setup))
        fields.push_back(std::move(field));
    if (ctx.Options.Json) {
        QJsonObject object;
        for (const Field& field : fields)
            object.insert(field.first, field.second);
        ctx.PrintJson(object);
    } else {
        for (const Field& field : fields)
            ctx.Print(field.first + QStringLiteral(": ") + fieldText(field.second));
    }
    return kExitDone;
}

}  // namespace
}  // namespace qx::cli
