// kit_resolution.cpp — the set rules of one kit: conditions, quantities, lengths, articles.
#include "selection/kit_resolution.h"

#include <QStringView>
#include <QVariantList>
#include <algorithm>

#include "catalog/catalog_table.h"
#include "catalog/data_module.h"
#include "catalog/lookups.h"
#include "common/error.h"
#include "common/format.h"
#include "common/geometry.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"
#include "selection/article_resolution.h"

namespace qx {

namespace {

enum KitColumn { kKitName, kKitTFlugelAvailable, kKitColumnCount };
const char* const kKitColumns[kKitColumnCount] = {"Name", "TFlugelAvailable"};

// FrnSet: one set rule of a kit.
enum RuleColumn {
    kItem,
    kPropKey,
    kNumber,
    kSide1No,
    kSide2No,
    kAngleNo,
    kFFBMin,
    kFFBMax,
    kFFHMin,
    kFFHMax,
    kFFL1No,
    kFFL1Min,
    kFFL1Max,
    kFFL2No,
    kFFL2Min,
    kFFL2Max,
    kFFL21No,
    kFFL21Min,
    kFFL21Max,
    kFFL22No,
    kFFL22Min,
    kFFL22Max,
    kFFANo,
    kFFAMin,
    kFFAMax,
    kFFR1No,
    kFFR1Min,
    kFFR1Max,
    kFFR1Type,
    kFFR2No,
    kFFR2Min,
    kFFR2Max,
    kFFR2Type,
    kCondition,
    kScaleCondition,
    kScaleStep,
    kScaleStart,
    kScaleNum,
    kScaleScheme,
    kColorCondition,
    kDefineHandleHeight,
    kHandleSideNo,
    kStulpType,
    kRequired,
    kUseLen,
    kLenFormula,
    kNote,
    kAlertIfNoArt,
    kMinLen,
    kUseIfArt,
    kItemSideNo,
    kRuleColumnCount
};
const char* const kRuleColumns[kRuleColumnCount] = {"Item",
                                                    "PropKey",
                                                    "Number",
                                                    "Side1No",
                                                    "Side2No",
                                                    "AngleNo",
                                                    "FFBMin",
                                                    "FFBMax",
                                                    "FFHMin",
                                                    "FFHMax",
                                                    "FFL1No",
                                                    "FFL1Min",
                                                    "FFL1Max",
                                                    "FFL2No",
                                                    "FFL2Min",
                                                    "FFL2Max",
                                                    "FFL21No",
                                                    "FFL21Min",
                                                    "FFL21Max",
                                                    "FFL22No",
                                                    "FFL22Min",
                                                    "FFL22Max",
                                                    "FFANo",
                                                    "FFAMin",
                                                    "FFAMax",
                                                    "FFR1No",
                                                    "FFR1Min",
                                                    "FFR1Max",
                                                    "FFR1Type",
                                                    "FFR2No",
                                                    "FFR2Min",
                                                    "FFR2Max",
                                                    "FFR2Type",
                                                    "Condition",
                                                    "ScaleCondition",
                                                    "ScaleStep",
                                                    "ScaleStart",
                                                    "ScaleNum",
                                                    "ScaleScheme",
                                                    "ColorCondition",
                                                    "DefineHandleHeight",
                                                    "HandleSideNo",
                                                    "StulpType",
                                                    "Required",
                                                    "UseLen",
                                                    "LenFormula",
                                                    "Note",
                                                    "AlertIfNoArt",
                                                    "MinLen",
                                                    "UseIfArt",
                                                    "ItemSideNo"};

enum ElementColumn { kElementName, kElementVirtual, kElementColumnCount };
const char* const kElementColumns[kElementColumnCount] = {"Name", "Virtual"};

const QString kIdColumn = QStringLiteral("ID");

#define QX_RULE_HEAD "В БД наборов фурнитуры в комплекте [%s]\r\nсодержится элемент фурнитуры [%s],\r\n"
#define QX_CONDITION_HEAD QX_RULE_HEAD "для которого определены условия установки, зависящие от\r\n"
#define QX_PRINCIPLE_HEAD QX_RULE_HEAD "который использует принцип расчета, зависящий от\r\n"

const char* const kSideLength1Message = QX_CONDITION_HEAD
    "длины стороны, на которую он устанавливается.\r\nНомер 1-ой расчетной стороны в условиях определен неверно!";
const char* const kSideLength2Message = QX_CONDITION_HEAD
    "длины стороны, на которую он устанавливается.\r\nНомер 2-ой расчетной стороны в условиях определен неверно!";
const char* const kRadius1Message = QX_CONDITION_HEAD
    "радиуса стороны, на которую он устанавливается.\r\nНомер 1-ой расчетной стороны в условиях определен неверно!";
const char* const kRadius2Message = QX_CONDITION_HEAD
    "радиуса стороны, на которую он устанавливается.\r\nНомер 2-ой расчетной стороны в условиях определен неверно!";
const char* const kAngleMessage = QX_CONDITION_HEAD
    "параметров угла, на который он устанавливается.\r\nНомер расчетного угла в условиях определен неверно!";
const char* const kNoPartnerMessage =
    QX_CONDITION_HEAD "длины стороны смежной створки.\r\nСмежная створка не установлена. Установите сначала створку.";
const char* const kPartnerSideMessage =
    QX_CONDITION_HEAD "длины стороны смежной створки.\r\nНомер стороны смежной створки в условиях определен неверно!";
const char* const kPrincipleSide1Message = QX_PRINCIPLE_HEAD
    "параметров стороны, на которую он устанавливается.\r\nНомер 1-ой расчетной стороны определен неверно!";
const char* const kPrincipleSide2Message = QX_PRINCIPLE_HEAD
    "параметров стороны, на которую он устанавливается.\r\nНомер 2-ой расчетной стороны определен неверно!";
const char* const kPrincipleAngleMessage =
    QX_PRINCIPLE_HEAD "угла, на котором он устанавливается.\r\nНомер расчетного угла определен неверно!";
const char* const kPartnerKitMessage = QX_RULE_HEAD
    "для которого определена ссылка на артикул смежной штульповой створки.\r\nКомплект для смежной створки еще не "
    "определен. Установите сначала комплект на соседнюю створку!";
const char* const kMinLengthMessage = QX_RULE_HEAD
    "имеющий недопустимое расчетное значение длины %.1f (Мин. допустимая длина = %d)!\r\n(Одна из возможных "
    "причин - установлена недопустимая высота ручки при расчете тяги)";
const char* const kZeroStepMessage = QX_RULE_HEAD "имеющий масштабирование и шаг равный нулю!";

bool validSide(const TqxfFlugel& sash, int64_t n) {
    return n >= 1 && n <= sash.LineCount();
}
bool validCorner(const TqxfFlugel& sash, int64_t n) {
    return n >= 1 && n <= sash.PointCount();
}
long double sideLength(const TqxfFlugel& sash, int64_t n) {
    return sash.Line(static_cast<int>(n - 1)).ChordLengthMm();
}
long double sideRadius(const TqxfFlugel& sash, int64_t n) {
    return RoundHalfUp(static_cast<long double>(sash.Line(static_cast<int>(n - 1)).R1) / 10);
}

// A range with inclusive bounds; a maximum of 0 (or less) sets no upper bound.
bool outOfRange(long double value, long double minimum, long double maximum) {
    return (maximum > 0 && maximum < value) || minimum > value;
}

// The arc kinds a FFR…Type bit set admits: 0 and bit 1 any shape, bit 2 a semicircle, bit 3 a
// circular segment, bit 4 an elliptic arc.
bool admitsArc(int64_t type, const TqxfLine& side) {
    if (type == 0 || (type & 1) != 0) return true;
    return (side.IsFullArc() && (type & 2) != 0) || (side.IsSegmentArc() && (type & 4) != 0) ||
           (side.IsEllipseArc() && (type & 8) != 0);
}

// One kit being resolved: its code, name and the rules' columns.
class KitRules {
public:
    KitRules(const QString& kitCode, const QString& kitName, int slot, const TSelectionContext& context,
             bool userHandleHeight, int32_t multiplier)
        : code_(kitCode),
          name_(kitName),
          slot_(slot),
          context_(context),
          userHandleHeight_(userHandleHeight),
          multiplier_(multiplier),
          dm_(DM()),
          rules_(dm_.T_FrnSet),
          c_(context.Columns.Resolve(rules_, kRuleColumns, kRuleColumnCount)) {}

    void Resolve(int row);

private:
    int64_t integer(int column) const { return rules_.Int(row_, c_[column]); }
    long double real(int column) const { return rules_.Real(row_, c_[column]); }
    QString text(int column) const { return rules_.Text(row_, c_[column]); }
    // The element's name (its FrnItem Name, empty when the catalog lacks the element).
    const QString& elementName();
    [[noreturn]] void fail(const char* message) {
        throw TqxfError(Format(QString::fromUtf8(message), name_, elementName()));
    }
    bool conditionsHold();
    int32_t quantity();

    const QString& code_;
    const QString& name_;
    const int slot_;
    const TSelectionContext& context_;
    const bool userHandleHeight_;
    const int32_t multiplier_;
    TDM& dm_;
    const CatalogTable& rules_;
    const int* const c_;

    int row_ = -1;
    QString item_;
    QString elementName_;
    bool elementNameRead_ = false;
};

const QString& KitRules::elementName() {
    if (!elementNameRead_) {
        elementNameRead_ = true;
        const CatalogTable& items = dm_.T_FrnItem;
        const int row = items.Locate(kIdColumn, QVariantList{item_});
        elementName_ =
            row < 0
                ? QString()
                : items.Text(row, context_.Columns.Resolve(items, kElementColumns, kElementColumnCount)[kElementName]);
    }
    return elementName_;
}

// The conditions of the rule in their order; false when one does not hold, an error when the rule
// names a side or corner the sash lacks.
bool KitRules::conditionsHold() {
    const TqxfFlugel& sash = *context_.Sash;
    TqxfFurnComp& kit = *context_.Kit;

    if (!MatchProperties(static_cast<int32_t>(integer(kPropKey)), kit.Props, slot_)) return false;

    const QString useIfArt = text(kUseIfArt);
    if (!useIfArt.isEmpty()) {
        if (!context_.Partner || !context_.Partner->FurnComp) fail(kPartnerKitMessage);
        if (context_.Partner->FurnComp->IndexOfArticle(useIfArt) < 0) return false;
    }

    if (outOfRange(context_.FFB, integer(kFFBMin), integer(kFFBMax))) return false;
    if (outOfRange(context_.FFH, integer(kFFHMin), integer(kFFHMax))) return false;

    struct LengthCondition {
        RuleColumn No, Min, Max;
        const char* Message;
    };
    for (const LengthCondition& l : {LengthCondition{kFFL1No, kFFL1Min, kFFL1Max, kSideLength1Message},
                                     LengthCondition{kFFL2No, kFFL2Min, kFFL2Max, kSideLength2Message}}) {
        const int64_t minimum = integer(l.Min), maximum = integer(l.Max);
        if (minimum == 0 && maximum == 0) continue;
        const int64_t n = integer(l.No);
        if (!validSide(sash, n)) fail(l.Message);
        if (outOfRange(sideLength(sash, n), minimum, maximum)) return false;
    }

    struct RadiusCondition {
        RuleColumn No, Min, Max, Type;
        const char* Message;
    };
    for (const RadiusCondition& r : {RadiusCondition{kFFR1No, kFFR1Min, kFFR1Max, kFFR1Type, kRadius1Message},
                                     RadiusCondition{kFFR2No, kFFR2Min, kFFR2Max, kFFR2Type, kRadius2Message}}) {
        const int64_t minimum = integer(r.Min), maximum = integer(r.Max), type = integer(r.Type);
        if (minimum == 0 && maximum == 0 && type < 2) continue;
        const int64_t n = integer(r.No);
        if (!validSide(sash, n)) fail(r.Message);
        if (outOfRange(sideRadius(sash, n), minimum, maximum)) return false;
        if (!admitsArc(type, sash.Line(static_cast<int>(n - 1)))) return false;
    }

    {
        const long double minimum = real(kFFAMin), maximum = real(kFFAMax);
        if (minimum != 0 || maximum != 0) {
            const int64_t n = integer(kFFANo);
            if (!validCorner(sash, n)) fail(kAngleMessage);
            if (outOfRange(sash.CornerAngle(static_cast<int>(n - 1)), minimum, maximum)) return false;
        }
    }

    if (!AdmitsMullionType(integer(kStulpType), context_.StulpType)) return false;

    struct PartnerCondition {
        RuleColumn No, Min, Max;
    };
    for (const PartnerCondition& p :
         {PartnerCondition{kFFL21No, kFFL21Min, kFFL21Max}, PartnerCondition{kFFL22No, kFFL22Min, kFFL22Max}}) {
        const int64_t minimum = integer(p.Min), maximum = integer(p.Max);
        if (minimum == 0 && maximum == 0) continue;
        if (!context_.Partner) fail(kNoPartnerMessage);
        const int64_t n = integer(p.No);
        if (!validSide(*context_.Partner, n)) fail(kPartnerSideMessage);
        if (outOfRange(sideLength(*context_.Partner, n), minimum, maximum)) return false;
    }
    return true;
}

// The quantity S by the rule's scaling.
int32_t KitRules::quantity() {
    const TqxfFlugel& sash = *context_.Sash;
    const int64_t scaleCondition = integer(kScaleCondition);
    long double value = 0;
    switch (scaleCondition) {
        case 1:
            value = context_.FFB;
            break;
        case 2:
            value = context_.FFH;
            break;
        case 3: {
            const int64_t n = integer(kSide1No);
            if (!validSide(sash, n)) fail(kPrincipleSide1Message);
            value = sideLength(sash, n);
            break;
        }
        case 4: {
            const int64_t n = integer(kSide2No);
            if (!validSide(sash, n)) fail(kPrincipleSide2Message);
            value = sideLength(sash, n);
            break;
        }
        default:
            break;
    }
    const QString scheme = text(kScaleScheme);
    const int32_t step = static_cast<int32_t>(integer(kScaleStep));
    // The element's name is looked up only for the message that needs it.
    const bool zeroStep = scaleCondition >= 1 && scaleCondition <= 4 && scheme.isEmpty() && step < 1;
    return ScaledQuantity(static_cast<int32_t>(scaleCondition), value, scheme, step,
                          static_cast<int32_t>(integer(kScaleStart)), static_cast<int32_t>(integer(kScaleNum)),
                          static_cast<int32_t>(integer(kNumber)), name_, zeroStep ? elementName() : QString());
}

void KitRules::Resolve(int row) {
    row_ = row;
    item_ = text(kItem);
    elementNameRead_ = false;
    if (item_.isEmpty())
        throw TqxfError(Format("В БД наборов фурнитуры в комплекте\r\n[%s] содержится пустой элемент!", name_));
    if (!conditionsHold()) return;

    TqxfFlugel& sash = *context_.Sash;
    TqxfFurnComp& kit = *context_.Kit;

    // The computation quantities of the principle.
    long double l1 = 0, r1 = 0, l2 = 0, r2 = 0, angle = 0;
    const int64_t condition = integer(kCondition);
    if (condition == 4 || condition == 6 || condition == 8 || condition == 10) {
        const int64_t n = integer(kSide1No);
        if (!validSide(sash, n)) fail(kPrincipleSide1Message);
        l1 = sideLength(sash, n);
        r1 = sideRadius(sash, n);
    }
    if (condition == 5 || condition == 6 || condition == 9 || condition == 10) {
        const int64_t n = integer(kSide2No);
        if (!validSide(sash, n)) fail(kPrincipleSide2Message);
        l2 = sideLength(sash, n);
        r2 = sideRadius(sash, n);
    }
    if (condition == 7) {
        const int64_t n = integer(kAngleNo);
        if (!validCorner(sash, n)) fail(kPrincipleAngleMessage);
        angle = sash.CornerAngle(static_cast<int>(n - 1));
    }

    const QString& color = ElementColor(context_, integer(kColorCondition));
    const int32_t count = multiplier_ * quantity();

    long double length = 0;
    if (integer(kUseLen) == 1) {
        const QString formula = text(kLenFormula);
        if (!formula.isEmpty()) {
            length = sash.EvalFormula(formula);
            const int64_t minLength = integer(kMinLen);
            if (minLength > length)
                throw TqxfError(Format(QString::fromUtf8(kMinLengthMessage), name_, elementName(), length, minLength));
        }
    }

    const QString note = text(kNote);
    const int32_t itemSide = static_cast<int32_t>(integer(kItemSideNo));

    const CatalogTable& items = dm_.T_FrnItem;
    const int elementRow = items.Locate(kIdColumn, QVariantList{item_});
    const bool isVirtual =
        elementRow >= 0 && items.Int(elementRow, context_.Columns.Resolve(items, kElementColumns,
                                                                          kElementColumnCount)[kElementVirtual]) == 1;
    if (!isVirtual) {
        TArticleRequest request;
        request.Element = item_;
        request.OwnerName = name_;
        request.KeeperSystem = kit.ProfSys;
        request.AlertText = text(kAlertIfNoArt);
        request.Required = integer(kRequired) == 1;
        request.Direct = context_.Direct;
        request.StulpType = context_.StulpType;
        request.DefinesHandle = integer(kDefineHandleHeight) == 1;
        request.ProfWidth = context_.ProfWidth;
        request.Color = color;
        request.Weight = context_.Weight;
        request.Params = context_.Params;
        request.Angle = angle;
        request.R2 = r2;
        request.R1 = r1;
        request.L2 = l2;
        request.L1 = l1;
        request.FFH = context_.FFH;
        request.FFB = context_.FFB;
        request.Condition = static_cast<int32_t>(condition);
        request.WidthMm = context_.WidthMm;
        request.HeightMm = context_.HeightMm;
        const TArticleResult found = ResolveArticle(request, &context_.Columns);
        if (found.Found) {
            if (!userHandleHeight_ && found.HandleHeight != 0) {
                int64_t side = integer(kHandleSideNo) - 1;
                if (side < 0 || side >= sash.LineCount()) side = sash.HandleLineIndex();
                if (side >= 0 && side < sash.LineCount())
                    sash.Line(static_cast<int>(side))
                        .SetHandle(found.HandleHeight, GetSideHandleDirect(code_, static_cast<int>(side) + 1));
            }
            QString origin;
            if (context_.KeepSeparate)
                origin = Format("Комплект:%s -> Элемент:%s -> Артикул:%s", code_, item_, found.Article);
            kit.AddItem(found.Article, code_, origin, context_.KeepSeparate, static_cast<float>(length), note, count,
                        itemSide);
        }
    }
    // Virtual or not, found or not: the parts of a composite element follow it.
    ExpandComposite(context_, item_, code_, count, slot_, itemSide);
}

}  // namespace

const int* TColumnCache::Resolve(const CatalogTable& table, const char* const* names, int count) {
    for (const Entry& e : entries_)
        if (e.Table == &table && e.Names == names) return e.Columns.data();
    // Column names are found in lower case; the lowered texts of a name list are made once.
    thread_local std::vector<std::pair<const char* const*, std::vector<QString>>> lowered;
    auto it = std::find_if(lowered.begin(), lowered.end(), [&](const auto& l) { return l.first == names; });
    if (it == lowered.end()) {
        std::vector<QString> texts;
        for (int i = 0; i < count; ++i)
            texts.push_back(QString::fromLatin1(names[i]).toLower());
        lowered.emplace_back(names, std::move(texts));
        it = std::prev(lowered.end());
    }
    Entry entry{&table, names, std::vector<int>(count)};
    for (int i = 0; i < count; ++i) {
        const int column = table.ColumnIndex(it->second[i]);
        if (column < 0)
            throw TqxfError(
                Format("В таблице [%s] отсутствует поле [%s]!", table.Name(), QString::fromLatin1(names[i])));
        entry.Columns[i] = column;
    }
    entries_.push_back(std::move(entry));
    return entries_.back().Columns.data();
}

const QString& ElementColor(const TSelectionContext& context, int64_t colorCondition) {
    switch (colorCondition) {
        case 1:
            return context.OuterColor;
        case 2:
            return context.InnerColor;
        case 3:
            return context.Params.OpenType == 1 ? context.OuterColor : context.InnerColor;
        default:
            return context.FurnColor;
    }
}

bool AdmitsMullionType(int64_t bits, int64_t mullionType) {
    if (bits == 0 || (bits & 1) != 0) return true;
    return mullionType >= 0 && mullionType < 63 && ((bits >> mullionType) & 1) != 0;
}

int32_t ScaledQuantity(int32_t scaleCondition, long double value, const QString& scheme, int32_t step, int32_t start,
                       int32_t num, int32_t number, const QString& kitName, const QString& elementName) {
    if (scaleCondition < 1 || scaleCondition > 4) return number;
    if (!scheme.isEmpty()) {
        // Thresholds separated by ";": every one reached adds ScaleNum to the base number.
        int32_t reached = 0;
        for (QStringView part : QStringView(scheme).split(u';')) {
            bool ok = false;
            const int threshold = part.trimmed().toInt(&ok);
            if (ok && threshold != -1 && threshold <= value) ++reached;
        }
        return reached * num + number;
    }
    if (step < 1) throw TqxfError(Format(QString::fromUtf8(kZeroStepMessage), kitName, elementName));
    if (value < start) return number;
    // Side lengths are reals: their distance from the start is rounded first.
    const int64_t distance = (scaleCondition == 3 || scaleCondition == 4)
                                 ? RoundHalfUp(value - start)
                                 : static_cast<int64_t>(value) - static_cast<int64_t>(start);
    const int64_t steps = distance / step;
    return static_cast<int32_t>((steps + number + 1) * num);
}

void ResolveKit(const QString& kitCode, int slot, const TSelectionContext& context, bool userHandleHeight,
                int32_t multiplier) {
    TDM& dm = DM();
    const CatalogTable& kits = dm.T_FrnComp;
    const int kitRow = kits.Locate(kIdColumn, QVariantList{kitCode});
    if (kitRow < 0) throw TqxfError(Format("Комплект фурнитуры [%s] не найден в документации!", kitCode));
    const int* kc = context.Columns.Resolve(kits, kKitColumns, kKitColumnCount);
    const QString kitName = kits.Text(kitRow, kc[kKitName]);
    if (context.Params.OpenType == 2 && kits.Int(kitRow, kc[kKitTFlugelAvailable]) == 0)
        throw TqxfError(Format("Не допускается установка комплекта [%s] на T-образную створку!", kitCode));

    // Each walk has its own row list: nested lookups on the same tables cannot disturb it.
    const std::vector<int> rows = dm.T_FrnSet.Filter(FormatDot("ID = '%s'", kitCode));
    KitRules rules(kitCode, kitName, slot, context, userHandleHeight, multiplier);
    for (int row : rows)
        rules.Resolve(row);
}

}  // namespace qx
