// order_json.cpp — orders built from and written as JSON.
#include "documents/order_json.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <set>

#include "catalog/lookups.h"
#include "common/datetime.h"
#include "common/error.h"
#include "common/format.h"
#include "common/geometry.h"
#include "construction/construction.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"
#include "documents/order.h"
#include "documents/pricing.h"
#include "shell/setup.h"

namespace qx {

namespace {

// --- Reading the description ---

// The fields of one JSON object, each checked for its kind; `path` names the object in messages.
class SpecObject {
public:
    SpecObject(QJsonObject object, QString path) : object_(std::move(object)), path_(std::move(path)) {}

    // Raises for a field the description does not know (a misspelt name would silently be ignored).
    void AllowOnly(std::initializer_list<const char*> names) const {
        std::set<QString> known;
        for (const char* name : names)
            known.insert(QString::fromLatin1(name));
        for (auto it = object_.begin(); it != object_.end(); ++it)
            if (!known.count(it.key()))
                throw TqxfError(Format("Неизвестное поле [%s] в описании заказа!", name(it.key())));
    }

    bool Has(const char* key) const { return object_.contains(QLatin1String(key)); }

    QString Text(const char* key, const QString& fallback) const {
        if (!Has(key)) return fallback;
        const QJsonValue v = value(key);
        if (!v.isString()) throw kindError(key, "текстом");
        return v.toString();
    }

    int64_t Integer(const char* key, int64_t fallback, int64_t low = std::numeric_limits<int32_t>::min(),
                    int64_t high = std::numeric_limits<int32_t>::max()) const {
        if (!Has(key)) return fallback;
        const QJsonValue v = value(key);
        const double d = v.toDouble();
        if (!v.isDouble() || d != std::floor(d)) throw kindError(key, "целым числом");
        if (d < static_cast<double>(low) || d > static_cast<double>(high))
            throw TqxfError(Format("Значение поля [%s] вне допустимых пределов [%d..%d]!", name(key),
                                   static_cast<long long>(low), static_cast<long long>(high)));
        return static_cast<int64_t>(d);
    }

    double Real(const char* key, double fallback) const {
        if (!Has(key)) return fallback;
        const QJsonValue v = value(key);
        if (!v.isDouble() || !std::isfinite(v.toDouble()) || std::fabs(v.toDouble()) > 1e9)
            throw kindError(key, "числом");
        return v.toDouble();
    }

    bool Boolean(const char* key, bool fallback) const {
        if (!Has(key)) return fallback;
        const QJsonValue v = value(key);
        if (!v.isBool()) throw kindError(key, "логическим значением (true/false)");
        return v.toBool();
    }

    TDateTime Date(const char* key, TDateTime fallback) const {
        if (!Has(key)) return fallback;
        const QJsonValue v = value(key);
        TDateTime date = 0;
        if (!v.isString() || !ParseShortDate(v.toString(), date)) throw kindError(key, "датой \"дд.мм.гггг\"");
        return date;
    }

    QStringList Lines(const char* key, const QStringList& fallback) const {
        if (!Has(key)) return fallback;
        const QJsonValue v = value(key);
        if (!v.isArray()) throw kindError(key, "списком строк");
        QStringList lines;
        for (const QJsonValue& line : v.toArray()) {
            if (!line.isString()) throw kindError(key, "списком строк");
            lines.append(line.toString());
        }
        return lines;
    }

    QJsonArray Array(const char* key) const {
        if (!Has(key)) return {};
        const QJsonValue v = value(key);
        if (!v.isArray()) throw kindError(key, "списком");
        return v.toArray();
    }

    SpecObject Object(const char* key) const {
        if (!Has(key)) return SpecObject({}, name(key));
        return ElementObject(value(key), name(key));
    }

    static SpecObject ElementObject(const QJsonValue& v, const QString& path) {
        if (!v.isObject()) throw TqxfError(Format("Поле [%s] должно быть объектом!", path));
        return SpecObject(v.toObject(), path);
    }

    QString name(const QString& key) const { return path_.isEmpty() ? key : path_ + QLatin1Char('.') + key; }
    QString name(const char* key) const { return name(QString::fromLatin1(key)); }

private:
    QJsonValue value(const char* key) const { return object_.value(QLatin1String(key)); }
    TqxfError kindError(const char* key, const char* kind) const {
        return TqxfError(Format("Поле [%s] должно быть %s!", name(key), QString::fromUtf8(kind)));
    }

    QJsonObject object_;
    QString path_;
};

const char* const kFigureNames[8] = {"Комплект стандартный", "Комплект штульповый", "Комплект штульповый",
                                     "Комплект трапеция",    "Комплект трапеция",   "Комплект треугольный",
                                     "Комплект треугольный", "Комплект арка"};

void readHeader(TqxfOrder& order, const SpecObject& h) {
    h.AllowOnly(
        {"No",       "AltNo",        "Customer", "ObjectName", "Address",          "Phone",          "Remark",
         "RegDate",  "RegDateSet",   "Created",  "Changed",    "ProfSys",          "InnerProfColor", "OuterProfColor",
         "FurnSys",  "FurnColor",    "Handle",   "Material",   "FalzType",         "DornType",       "StulpType",
         "OpenType", "PriceGroupNo", "NDSTax",   "TotalNDS",   "ShowIncludingNDS", "Currency",       "Notes",
         "Spare1",   "Spare2",       "Spare3",   "Currencies"});
    order.No = h.Text("No", order.No);
    order.AltNo = h.Text("AltNo", order.AltNo);
    order.Customer = h.Text("Customer", order.Customer);
    order.ObjectName = h.Text("ObjectName", order.ObjectName);
    order.Address = h.Text("Address", order.Address);
    order.Phone = h.Text("Phone", order.Phone);
    order.Remark = h.Text("Remark", order.Remark);
    order.RegDate = h.Date("RegDate", order.RegDate);
    order.RegDateSet = h.Boolean("RegDateSet", order.RegDateSet);
    order.Created = h.Date("Created", order.Created);
    order.Changed = h.Date("Changed", order.Changed);
    // A system given without its colours brings its base colours, as a new order's defaults do.
    order.ProfSys = h.Text("ProfSys", order.ProfSys);
    const QString profColor = h.Has("ProfSys") ? GetSystemBaseColor(order.ProfSys) : QString();
    order.InnerProfColor = h.Text("InnerProfColor", h.Has("ProfSys") ? profColor : order.InnerProfColor);
    order.OuterProfColor = h.Text("OuterProfColor", h.Has("ProfSys") ? profColor : order.OuterProfColor);
    order.FurnSys = h.Text("FurnSys", order.FurnSys);
    order.FurnColor = h.Text("FurnColor", h.Has("FurnSys") ? GetSystemBaseColor(order.FurnSys) : order.FurnColor);
    order.Handle = h.Text("Handle", order.Handle);
    order.Material = static_cast<int32_t>(h.Integer("Material", order.Material));
    order.FalzType = static_cast<int32_t>(h.Integer("FalzType", order.FalzType));
    order.DornType = static_cast<int32_t>(h.Integer("DornType", order.DornType));
    order.StulpType = static_cast<int32_t>(h.Integer("StulpType", order.StulpType));
    order.OpenType = static_cast<int32_t>(h.Integer("OpenType", order.OpenType));
    order.PriceGroupNo = static_cast<int32_t>(h.Integer("PriceGroupNo", order.PriceGroupNo));
    order.NDSTax = static_cast<float>(h.Real("NDSTax", order.NDSTax));
    order.TotalNDS = h.Boolean("TotalNDS", order.TotalNDS);
    order.ShowIncludingNDS = h.Boolean("ShowIncludingNDS", order.ShowIncludingNDS);
    order.Currency = static_cast<int32_t>(h.Integer("Currency", order.Currency));
    order.Notes = h.Lines("Notes", order.Notes);
    order.Spare1 = static_cast<int32_t>(h.Integer("Spare1", order.Spare1));
    order.Spare2 = static_cast<int32_t>(h.Integer("Spare2", order.Spare2));
    order.Spare3 = static_cast<int32_t>(h.Integer("Spare3", order.Spare3));
}

void readRates(TqxfOrder& order, const QJsonArray& rates, const QString& path) {
    order.ClearCurrencies();
    for (int i = 0; i < rates.size(); ++i) {
        const QString itemPath = Format("%s[%d]", path, i);
        const SpecObject r = SpecObject::ElementObject(rates[i], itemPath);
        r.AllowOnly({"ID", "Rate"});
        if (!r.Has("ID") || !r.Has("Rate"))
            throw TqxfError(Format("В описании курса [%s] нужны поля ID и Rate!", itemPath));
        const double rate = r.Real("Rate", 0);
        if (rate < 0) throw TqxfError(Format("Курс валюты [%s] не может быть отрицательным!", itemPath));
        order.Currencies.push_back(
            TqxfCurrencyItem{static_cast<int32_t>(r.Integer("ID", 0)), static_cast<float>(rate)});
    }
}

// A numeric edit of the position dialog read as an integer: a real is rounded, ties to even.
int32_t sizeValue(const SpecObject& p, const char* key, int32_t fallback) {
    const double v = p.Real(key, fallback);
    if (std::fabs(v) > 1e6) throw TqxfError(Format("Значение поля [%s] вне допустимых пределов!", p.name(key)));
    return static_cast<int32_t>(std::nearbyint(v));
}

// The sizes as the position dialog leaves them for the figure: defaults where a size is missing,
// the coupled edits of the two-sash figures and of the arch, and the arch radius rule of OK.
TSizeRec readSizes(const SpecObject& p, uint8_t figure, uint8_t objType) {
    TSizeRec s;
    s.Figure = figure;
    s.W = sizeValue(p, "W", objType == kObjDoorWithThreshold ? 900 : 700);
    s.H = sizeValue(p, "H", objType == kObjDoorWithThreshold ? 2100 : 1400);
    if (s.W <= 0 || s.H <= 0)
        throw TqxfError(Format("Размеры позиции должны быть больше нуля: [%s] = %d, [%s] = %d!", p.name("W"), s.W,
                               p.name("H"), s.H));
    switch (figure) {
        case 1:
        case 2:
            if (p.Has("X") || !p.Has("Y")) {
                s.X = sizeValue(p, "X", s.W / 2);
                s.Y = sizeValue(p, "Y", s.W - s.X);
            } else {
                s.Y = sizeValue(p, "Y", 0);
                s.X = s.W - s.Y;
            }
            if (s.X <= 0 || s.Y <= 0)
                throw TqxfError(Format("Ширины створок должны быть больше нуля: [%s] = %d, [%s] = %d!", p.name("X"),
                                       s.X, p.name("Y"), s.Y));
            break;
        case 3:
        case 4:
            s.X = sizeValue(p, "X", s.H / 2);
            break;
        case 7: {
            // The radius decides and the rise follows from it, as the radius edit does; a rise alone
            // gives its radius. The arch radius rule of OK: never less than a semicircle.
            const long double half = static_cast<long double>(s.W) / 2;
            long double r = half;
            if (p.Has("R"))
                r = p.Real("R", 0);
            else if (p.Has("X"))
                r = ArcRadius(sizeValue(p, "X", 0), s.W);
            if (r < half) r = half;
            s.R1 = s.R2 = static_cast<float>(r);
            s.X = static_cast<int32_t>(std::nearbyint(ArcRise(s.R1, s.W)));
            break;
        }
        default:
            break;  // rectangle and triangles: X, Y and R are not used
    }
    return s;
}

TFurnChoice readSash(const SpecObject& f, int32_t defaultDorn, const QString& defaultHandle) {
    f.AllowOnly({"Dorn", "ComplectID", "HingeID", "HandleID", "LockID", "CylinderID", "DriveID", "LatchID",
                 "UserHandleHeight", "HandleHeight", "Props", "DopComplects"});
    TFurnChoice c;
    c.Dorn = static_cast<int32_t>(f.Integer("Dorn", defaultDorn));
    c.ComplectID = f.Text("ComplectID", {});
    c.HingeID = f.Text("HingeID", {});
    c.HandleID = f.Text("HandleID", defaultHandle);
    c.LockID = f.Text("LockID", {});
    c.CylinderID = f.Text("CylinderID", {});
    c.DriveID = f.Text("DriveID", {});
    c.LatchID = f.Text("LatchID", {});
    c.UserHandleHeight = f.Boolean("UserHandleHeight", false);
    c.HandleHeight = static_cast<int32_t>(f.Integer("HandleHeight", 0, 0, 100000));
    c.Props = f.Lines("Props", {});
    c.DopComplects = f.Lines("DopComplects", {});
    return c;
}

void buildPosition(TqxfOrder& order, TqxfConstruction& position, const SpecObject& p) {
    p.AllowOnly({"PosNo",     "PosName", "Quantity",  "ObjType",  "Checked",   "Notes",         "Figure",
                 "W",         "H",       "X",         "Y",        "R",         "FurnSys",       "ProfSys",
                 "FurnColor", "Falz",    "StulpType", "OpenType", "ProfWidth", "ProfThickness", "Sashes"});
    const TqxfSetup& setup = Setup();
    const int32_t defaultObjType = setup.DefFurnSysGroup == 1 ? kObjDoorWithThreshold : kObjWindow;
    const uint8_t objType = static_cast<uint8_t>(p.Integer("ObjType", defaultObjType, 0, 1));
    const uint8_t figure = static_cast<uint8_t>(p.Integer("Figure", 0, 0, 7));
    position.PosName = p.Text("PosName", QString::fromUtf8(objType == kObjWindow ? "Окно: " : "Дверь с порогом: ") +
                                             QString::fromUtf8(kFigureNames[figure]));
    position.Quantity = static_cast<int32_t>(p.Integer("Quantity", 1, 0, 99999));
    position.ObjType = objType;
    position.Checked = p.Boolean("Checked", true);
    position.Notes = p.Lines("Notes", {});
    position.FlugelMode = figure == 1 ? kTwoSashesRightActive : figure == 2 ? kTwoSashesLeftActive : kOneSash;

    const QString furnSys = p.Text("FurnSys", order.FurnSys);
    const QString profSys = p.Text("ProfSys", order.ProfSys);
    const QString furnColor = p.Text("FurnColor", order.FurnColor);
    const int32_t falz = static_cast<int32_t>(p.Integer("Falz", order.FalzType));
    const int32_t stulpType = static_cast<int32_t>(p.Integer("StulpType", order.StulpType));
    const int32_t openType = static_cast<int32_t>(p.Integer("OpenType", order.OpenType));
    const float profWidth = static_cast<float>(p.Real("ProfWidth", setup.DefProfWidth));
    const float profThickness = static_cast<float>(p.Real("ProfThickness", setup.DefProfThickness));
    // The position dialog gives a new position the order's defaults.
    position.ProfSys = order.ProfSys;
    position.FurnSys = order.FurnSys;
    position.FurnColor = order.FurnColor;
    position.Falz = order.FalzType;
    position.StulpType = order.StulpType;
    position.OpenType = order.OpenType;

    const int sashCount = position.FlugelMode == kOneSash ? 1 : 2;
    const QJsonArray sashes = p.Array("Sashes");
    if (sashes.size() > sashCount)
        throw TqxfError(Format("Фигура %d имеет створок: %d, а в описании [%s] их %d!", figure, sashCount,
                               p.name("Sashes"), static_cast<int>(sashes.size())));
    // The order's default handle goes to the active sash, as the hardware dialog proposes it.
    const int activeSash = position.FlugelMode == kTwoSashesRightActive ? 1 : 0;
    TFurnChoice choices[2];
    for (int i = 0; i < sashCount; ++i) {
        // A sash that the description leaves out gets no hardware.
        if (i >= sashes.size()) {
            choices[i].Dorn = order.DornType;
            continue;
        }
        const SpecObject sash = SpecObject::ElementObject(sashes[i], Format("%s[%d]", p.name("Sashes"), i));
        choices[i] = readSash(sash, order.DornType, i == activeSash ? order.Handle : QString());
    }

    position.BuildGeometry(readSizes(p, figure, objType), choices[0].Dorn);
    position.SetFurniture(furnSys, profSys, choices[0], choices[1], furnColor, falz, stulpType, openType, profWidth,
                          profThickness);
}

// --- Writing ---

QJsonArray linesToJson(const QStringList& lines) {
    return QJsonArray::fromStringList(lines);
}

QJsonArray pair(double x, double y) {
    return QJsonArray{x, y};
}

QJsonValue pairF(float x, float y) {
    return QJsonArray{SingleToJson(x), SingleToJson(y)};
}

QString dateText(TDateTime value) {
    return FormatShortDate(value);
}

}  // namespace

QJsonValue SingleToJson(float value) {
    if (!std::isfinite(value)) return QJsonValue(QJsonValue::Null);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    double shortest = value;
    std::from_chars(buffer, result.ptr, shortest);
    return shortest;
}

QJsonObject ParseOrderSpec(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw TqxfError(Format("Ошибка разбора JSON: %s (смещение %d)!", error.errorString(), error.offset));
    if (!document.isObject()) throw TqxfError(QStringLiteral("Описание заказа должно быть объектом JSON!"));
    return document.object();
}

void BuildOrderFromSpec(TqxfOrder& order, const QJsonObject& json) {
    const SpecObject spec(json, QString());
    spec.AllowOnly({"header", "Currencies", "positions"});
    order.InitNewOrder();
    const SpecObject header = spec.Object("header");
    readHeader(order, header);
    // The rate list is a header field too; it may stand in the header or beside it, once.
    if (spec.Has("Currencies") && header.Has("Currencies"))
        throw TqxfError(QStringLiteral("Курсы валют заданы дважды: [Currencies] и [header.Currencies]!"));
    if (spec.Has("Currencies")) readRates(order, spec.Array("Currencies"), QStringLiteral("Currencies"));
    if (header.Has("Currencies")) readRates(order, header.Array("Currencies"), QStringLiteral("header.Currencies"));

    PricingContextScope context(order);
    const QJsonArray positions = spec.Array("positions");
    // The properties dialog only offers currencies of the order's rate list; without a rate of its
    // own currency every price would be wrong.
    if (!positions.isEmpty() && FindRate(&order.Currencies, order.Currency) < 0)
        throw TqxfError(Format("Валюта заказа [%d] отсутствует в курсах заказа!", order.Currency));
    for (int i = 0; i < positions.size(); ++i) {
        const QString path = Format("positions[%d]", i);
        std::unique_ptr<TqxfConstruction> position = order.NewPosition();
        position->PosNo = Format("%.3d", order.Count() + 1);
        try {
            const SpecObject p = SpecObject::ElementObject(positions[i], path);
            position->PosNo = p.Text("PosNo", position->PosNo);
            buildPosition(order, *position, p);
        } catch (const std::exception& e) {
            throw TqxfError(Format("%s\r\n[Позиция: %s]", ExceptionText(e), position->PosNo));
        }
        order.AddPosition(std::move(position));
    }
}

QJsonValue FurnCompToJson(const TqxfFurnComp* kit) {
    if (!kit) return QJsonValue(QJsonValue::Null);
    QJsonArray items;
    for (const auto& item : kit->Items)
        items.append(QJsonObject{{"Article", item->Article},
                                 {"Length", SingleToJson(item->Length)},
                                 {"Count", item->Count},
                                 {"Origin", item->Origin},
                                 {"Note", item->Note},
                                 {"SideNo", item->SideNo},
                                 {"ComplectID", item->ComplectID}});
    return QJsonObject{{"FurnSys", kit->FurnSys},
                       {"ProfSys", kit->ProfSys},
                       {"Color", kit->Color},
                       {"ComplectID", kit->ComplectID},
                       {"HingeID", kit->HingeID},
                       {"HandleID", kit->HandleID},
                       {"LockID", kit->LockID},
                       {"CylinderID", kit->CylinderID},
                       {"DriveID", kit->DriveID},
                       {"LatchID", kit->LatchID},
                       {"ComplectImage", kit->ComplectImage},
                       {"HandleImage", kit->HandleImage},
                       {"HingeImage", kit->HingeImage},
                       {"DriveImage", kit->DriveImage},
                       {"ReservedImage", kit->ReservedImage},
                       {"HandleColor", kit->HandleColor},
                       {"HingeColor", kit->HingeColor},
                       {"DriveColor", kit->DriveColor},
                       {"ReservedColor", kit->ReservedColor},
                       {"HandleHeight", kit->HandleHeight},
                       {"UserHandleHeight", kit->UserHandleHeight},
                       {"Props", linesToJson(kit->Props)},
                       {"DopComplects", linesToJson(kit->DopComplects)},
                       {"Items", items}};
}

QJsonArray MatListToJson(const TqxfMatList& list) {
    QJsonArray lines;
    for (const auto& line : list)
        lines.append(QJsonObject{{"ID", line->ID},
                                 {"Number", SingleToJson(line->Number)},
                                 {"Price", MoneyToText(line->Price)},
                                 {"ListPrice", MoneyToText(line->ListPrice)},
                                 {"Cost", MoneyToText(line->Cost)}});
    return lines;
}

QJsonValue FlugelToJson(const TqxfFlugel& flugel) {
    if (!flugel.Exists()) return QJsonValue(QJsonValue::Null);
    int32_t width = 0, height = 0;
    flugel.GetSize(width, height);
    QJsonArray points;
    for (const auto& point : flugel.Points)
        points.append(pair(point->X, point->Y));
    QJsonArray lines;
    for (const auto& line : flugel.Lines)
        lines.append(QJsonObject{
            {"R1", SingleToJson(line->R1)},
            {"R2", SingleToJson(line->R2)},
            {"Center", pairF(line->Center.X, line->Center.Y)},
            {"StartPoint",
             pair(line->StartPoint ? line->StartPoint->X : 0, line->StartPoint ? line->StartPoint->Y : 0)},
            {"EndPoint", pair(line->EndPoint ? line->EndPoint->X : 0, line->EndPoint ? line->EndPoint->Y : 0)},
            {"Opening", line->Opening},
            {"RotSide", line->RotSide},
            {"Handled", line->Handled},
            {"Banded", line->Banded},
            {"Drived", line->Drived},
            {"HandleHeight", line->HandleHeight},
            {"HandlePoint", pair(line->HandlePoint.X, line->HandlePoint.Y)}});
    return QJsonObject{{"Dorn", flugel.Dorn},
                       {"Width", width},
                       {"Height", height},
                       {"Points", points},
                       {"Lines", lines},
                       {"FurnComp", FurnCompToJson(flugel.FurnComp.get())},
                       {"MatList", MatListToJson(flugel.MatList)},
                       {"MatListSum", MoneyToText(flugel.MatListSum())}};
}

QJsonObject PositionToJson(const TqxfConstruction& position) {
    int32_t width = 0, height = 0;
    position.GetSize(width, height);
    return QJsonObject{{"Checked", position.Checked},
                       {"PosNo", position.PosNo},
                       {"PosName", position.PosName},
                       {"Quantity", position.Quantity},
                       {"ObjType", position.ObjType},
                       {"FurnSys", position.FurnSys},
                       {"ProfSys", position.ProfSys},
                       {"FurnColor", position.FurnColor},
                       {"Falz", position.Falz},
                       {"StulpType", position.StulpType},
                       {"OpenType", position.OpenType},
                       {"ProfWidth", SingleToJson(position.ProfWidth)},
                       {"ProfThickness", SingleToJson(position.ProfThickness)},
                       {"Price", MoneyToText(position.Price)},
                       {"TotalPrice", MoneyToText(position.TotalPrice())},
                       {"Notes", linesToJson(position.Notes)},
                       {"FlugelMode", position.FlugelMode},
                       {"Width", width},
                       {"Height", height},
                       {"Flugel1", FlugelToJson(*position.Flugel1)},
                       {"Flugel2", FlugelToJson(*position.Flugel2)}};
}

QJsonObject OrderToJson(const TqxfOrder& order) {
    QJsonArray rates;
    for (const TqxfCurrencyItem& item : order.Currencies)
        rates.append(QJsonObject{{"ID", item.ID}, {"Rate", SingleToJson(item.Rate)}});
    QJsonArray positions;
    for (int i = 0; i < order.Count(); ++i)
        positions.append(PositionToJson(*order.Positions(i)));
    TqxfMatList materials;
    order.CollectOrderMaterials(&materials);
    return QJsonObject{{"FileHeader", order.FileHeader},
                       {"Version", order.Version},
                       {"Spare1", order.Spare1},
                       {"Spare2", order.Spare2},
                       {"Created", dateText(order.Created)},
                       {"Changed", dateText(order.Changed)},
                       {"Spare3", order.Spare3},
                       {"No", order.No},
                       {"AltNo", order.AltNo},
                       {"Customer", order.Customer},
                       {"ObjectName", order.ObjectName},
                       {"Address", order.Address},
                       {"Phone", order.Phone},
                       {"Remark", order.Remark},
                       {"RegDate", dateText(order.RegDate)},
                       {"RegDateSet", order.RegDateSet},
                       {"ProfSys", order.ProfSys},
                       {"InnerProfColor", order.InnerProfColor},
                       {"OuterProfColor", order.OuterProfColor},
                       {"FurnSys", order.FurnSys},
                       {"FurnColor", order.FurnColor},
                       {"Handle", order.Handle},
                       {"Obsolete1", order.Obsolete1},
                       {"Obsolete2", order.Obsolete2},
                       {"Material", order.Material},
                       {"FalzType", order.FalzType},
                       {"DornType", order.DornType},
                       {"StulpType", order.StulpType},
                       {"OpenType", order.OpenType},
                       {"PriceGroupNo", order.PriceGroupNo},
                       {"NDSTax", SingleToJson(order.NDSTax)},
                       {"TotalNDS", order.TotalNDS},
                       {"ShowIncludingNDS", order.ShowIncludingNDS},
                       {"Currencies", rates},
                       {"Currency", order.Currency},
                       {"Notes", linesToJson(order.Notes)},
                       {"Positions", positions},
                       {"OrderSum", MoneyToText(order.OrderSum())},
                       {"OrderNDS", MoneyToText(order.OrderNDS())},
                       {"OrderTotal", MoneyToText(order.OrderTotal())},
                       {"MatList", MatListToJson(materials)}};
}

}  // namespace qx
