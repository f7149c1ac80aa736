// article_resolution.cpp — the article filter of an element, the choice among fitting articles, and
// the parts of composite elements.
#include "selection/article_resolution.h"

#include <QVariantList>

#include "catalog/data_module.h"
#include "catalog/lookups.h"
#include "common/error.h"
#include "common/format.h"
#include "common/geometry.h"
#include "common/messages.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"

namespace qx {

namespace {

// FrnItem: the element's name and the flags that choose its articles.
enum ItemColumn {
    kItemName,
    kHasFalzLuft,
    kHasFalzSize,
    kHasFalzPos,
    kCheckWeight,
    kHasDornMass,
    kCheckThickness,
    kCheckProfWidth,
    kHasProfSys,
    kCheckStulpType,
    kCheckDirect,
    kHasColor,
    kItemColumnCount
};
const char* const kItemColumns[kItemColumnCount] = {"Name",        "HasFalzLuft",    "HasFalzSize",    "HasFalzPos",
                                                    "CheckWeight", "HasDornMass",    "CheckThickness", "CheckProfWidth",
                                                    "HasProfSys",  "CheckStulpType", "CheckDirect",    "HasColor"};

enum ArtColumn { kArtCatalogID, kArtHandleHeight, kArtColumnCount };
const char* const kArtColumns[kArtColumnCount] = {"CatalogID", "HandleHeight"};

// FrnItoI: the parts of a composite element.
enum PartColumn {
    kPartItem,
    kPartPropKey,
    kPartNumber,
    kPartStulpType,
    kPartColorCondition,
    kPartRequired,
    kPartAlertIfNoArt,
    kPartNote,
    kPartItemSideNo,
    kPartColumnCount
};
const char* const kPartColumns[kPartColumnCount] = {"Item",     "PropKey",      "Number", "StulpType", "ColorCondition",
                                                    "Required", "AlertIfNoArt", "Note",   "ItemSideNo"};

const QString kIdColumn = QStringLiteral("ID");

// Appends an attribute clause: its first form while the filter is still empty, else its second.
template <class... A>
void appendClause(QString& filter, const char* first, const char* next, const A&... args) {
    filter += FormatDot(QLatin1String(filter.isEmpty() ? first : next), args...);
}

// The range clause of the computation principle followed by the attribute clauses: everything of
// an article filter but the element and colour clauses.
QString rangeAndAttributes(const TArticleRequest& r, const TElementFlags& flags) {
    QString f;
    switch (r.Condition) {
        case 1:
            f = FormatDot("FFBMin <= %d and FFBMax >= %d ", r.FFB, r.FFB);
            break;
        case 2:
            f = FormatDot("FFHMin <= %d and FFHMax >= %d ", r.FFH, r.FFH);
            break;
        case 3:
            f = FormatDot("FFBMin <= %d and FFBMax >= %d and FFHMin <= %d and FFHMax >= %d ", r.FFB, r.FFB, r.FFH,
                          r.FFH);
            break;
        case 4:
            f = FormatDot("FFL1Min <= %.0f and FFL1Max >= %.0f ", r.L1, r.L1);
            break;
        case 5:
            f = FormatDot("FFL2Min <= %.0f and FFL2Max >= %.0f ", r.L2, r.L2);
            break;
        case 6:
            f = FormatDot("FFL1Min <= %.0f and FFL1Max >= %.0f and FFL2Min <= %.0f and FFL2Max >= %.0f ", r.L1, r.L1,
                          r.L2, r.L2);
            break;
        case 7:
            f = FormatDot("FFAMin <= %.2f and FFAMax >= %.2f ", r.Angle, r.Angle);
            break;
        case 8:
            f = FormatDot("FFR1Min <= %.0f and FFR1Max >= %.0f ", r.R1, r.R1);
            break;
        case 9:
            f = FormatDot("FFR2Min <= %.0f and FFR2Max >= %.0f ", r.R2, r.R2);
            break;
        case 10:
            f = FormatDot("FFR1Min <= %.0f and FFR1Max >= %.0f and FFR2Min <= %.0f and FFR2Max >= %.0f ", r.R1, r.R1,
                          r.R2, r.R2);
            break;
        default:
            break;
    }

    const TSashParams& p = r.Params;
    if (flags.HasFalzLuft) appendClause(f, "FalzLuft = %d ", "and FalzLuft = %d ", p.FalzLuft);
    if (flags.HasFalzSize) appendClause(f, "FalzSize = %d ", "and FalzSize = %d ", p.FalzSize);
    if (flags.HasFalzPos) appendClause(f, "FalzPos = %d ", "and FalzPos = %d ", p.FalzPos);
    if (flags.CheckWeight)
        appendClause(f, "WeightMin <= %.2f and  WeightMax >= %.2f ", "and WeightMin <= %.2f and  WeightMax >= %.2f ",
                     r.Weight, r.Weight);
    if (flags.HasDornMass)
        appendClause(f, "DornMassMin <= %.2f and DornMassMax >= %.2f ",
                     "and DornMassMin <= %.2f and DornMassMax >= %.2f ", p.DornMass, p.DornMass);
    if (flags.CheckThickness)
        appendClause(f, "ThicknessMin <= %.0f and ThicknessMax >= %.0f ",
                     " and ThicknessMin <= %.0f and ThicknessMax >= %.0f ", p.ProfThickness, p.ProfThickness);
    if (flags.CheckProfWidth)
        appendClause(f, "ProfWidthMin <= %.0f and ProfWidthMax >= %.0f ",
                     " and ProfWidthMin <= %.0f and ProfWidthMax >= %.0f ", r.ProfWidth, r.ProfWidth);
    if (flags.HasProfSys) appendClause(f, "ProfSys = '%s' ", "and ProfSys = '%s' ", r.KeeperSystem);
    if (flags.CheckStulpType) appendClause(f, "StulpType = %d ", "and StulpType = %d ", r.StulpType);
    if (flags.CheckDirect)
        appendClause(f, "(Direct = %d or Direct = %d) ", "and (Direct = %d or Direct = %d) ", 3, r.Direct);
    return f;
}

// Everything the range and attribute clauses depend on. The rules of a sash repeat few of these, so
// their texts are kept (a pure function of the key) instead of being formatted again.
struct ClauseKey {
    int32_t Condition, FFB, FFH;
    long double L1, L2, Angle, R1, R2;
    TSashParams Params;
    double Weight, ProfWidth;
    QString KeeperSystem;
    int32_t StulpType, Direct;
    TElementFlags Flags;
    bool operator==(const ClauseKey&) const = default;
};

const QString& cachedRangeAndAttributes(const TArticleRequest& r, const TElementFlags& flags) {
    struct Entry {
        ClauseKey Key;
        QString Text;
    };
    thread_local std::vector<Entry> entries;
    TElementFlags attributes = flags;
    attributes.HasColor = false;
    ClauseKey key{r.Condition, r.FFB,    r.FFH,       r.L1,           r.L2,        r.Angle,  r.R1,      r.R2,
                  r.Params,    r.Weight, r.ProfWidth, r.KeeperSystem, r.StulpType, r.Direct, attributes};
    for (const Entry& e : entries)
        if (e.Key == key) return e.Text;
    if (entries.size() >= 256) entries.clear();
    QString text = rangeAndAttributes(r, attributes);
    entries.push_back(Entry{std::move(key), std::move(text)});
    return entries.back().Text;
}

// The value a handle height in the middle is half of.
long double handleValue(const TArticleRequest& r) {
    switch (r.Condition) {
        case 1:
            return r.WidthMm;
        case 2:
            return r.HeightMm;
        case 4:
        case 6:
            return r.L1;
        case 5:
            return r.L2;
        default:
            return 0;
    }
}

}  // namespace

TArticleFilter BuildArticleFilter(const TArticleRequest& r, const TElementFlags& flags) {
    if (flags.HasProfSys && r.KeeperSystem.isEmpty())
        throw TqxfError(Format("Для комплекта фурнитуры [%s]\r\nне указана система ответных планок!", r.OwnerName));
    TArticleFilter out;
    out.HandleValue = handleValue(r);
    const QString& head = cachedRangeAndAttributes(r, flags);
    QString& f = out.Filter;
    f.reserve(head.size() + r.Element.size() + r.Color.size() + 40);
    f += head;
    f += head.isEmpty() ? QLatin1String("ID='") : QLatin1String("and ID='");
    f += r.Element;
    f += QLatin1String("' ");

    if (flags.HasColor) {
        out.ColorlessFilter = f + QLatin1String("and Color = '' ");
        f += QLatin1String("and Color = '") + r.Color + QLatin1String("' ");
    }
    return out;
}

TArticleResult ResolveArticle(const TArticleRequest& r, TColumnCache* columns) {
    TColumnCache ownColumns;
    if (!columns) columns = &ownColumns;
    TDM& dm = DM();
    TArticleResult result;

    // An element without any article is left out silently, even when it is required.
    const QVariantList key{r.Element};
    if (dm.T_FrnArt.Locate(kIdColumn, key) < 0) return result;

    const CatalogTable& items = dm.T_FrnItem;
    const int itemRow = items.Locate(kIdColumn, key);
    if (itemRow < 0) throw TqxfError(Format("Элемент фурнитуры [%s] не найден в документации!", r.Element));
    const int* ic = columns->Resolve(items, kItemColumns, kItemColumnCount);
    const QString elementName = items.Text(itemRow, ic[kItemName]);
    auto flag = [&](int column) { return items.Int(itemRow, ic[column]) == 1; };
    TElementFlags flags;
    flags.HasFalzLuft = flag(kHasFalzLuft);
    flags.HasFalzSize = flag(kHasFalzSize);
    flags.HasFalzPos = flag(kHasFalzPos);
    flags.CheckWeight = flag(kCheckWeight);
    flags.HasDornMass = flag(kHasDornMass);
    flags.CheckThickness = flag(kCheckThickness);
    flags.CheckProfWidth = flag(kCheckProfWidth);
    flags.HasProfSys = flag(kHasProfSys);
    flags.CheckStulpType = flag(kCheckStulpType);
    flags.CheckDirect = flag(kCheckDirect);
    flags.HasColor = flag(kHasColor);

    const TArticleFilter filter = BuildArticleFilter(r, flags);
    const CatalogTable& articles = dm.T_FrnArt;
    std::vector<int> rows = articles.Filter(filter.Filter);
    // Articles valid for every colour serve when none has the asked colour.
    if (rows.empty() && flags.HasColor) rows = articles.Filter(filter.ColorlessFilter);

    const int* ac = columns->Resolve(articles, kArtColumns, kArtColumnCount);
    if (rows.empty()) {
        if (!r.Required) return result;
        if (!r.AlertText.isEmpty()) throw TqxfError(r.AlertText);
        throw TqxfError(Format(
            "В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры [%s]!\r\n\r\nИскомый "
            "запрос:\r\n%s",
            elementName, filter.Filter));
    }

    int chosen = 0;
    if (rows.size() > 1) {
        // The row under the cursor when the list closes is taken, confirmed or cancelled.
        ChoiceRequest choice;
        choice.Caption = QStringLiteral("Список артикулов");
        choice.Text =
            QStringLiteral("В документации присутствует несколько альтернативных вариантов. Выберите нужный элемент.");
        choice.Columns = QStringList{QStringLiteral("Артикул по каталогу"), QStringLiteral("Наименование")};
        for (int row : rows) {
            const QString code = articles.Text(row, ac[kArtCatalogID]);
            choice.Rows.append(QStringList{code, GetArticleName(code, true)});
        }
        choice.Current = 0;
        const int answer = ChooseRow(choice);
        if (answer >= 0 && answer < static_cast<int>(rows.size())) chosen = answer;
    }
    const int row = rows[chosen];
    articles.SetCurrent(row);
    const QString article = articles.Text(row, ac[kArtCatalogID]);
    const int32_t height = static_cast<int32_t>(articles.Int(row, ac[kArtHandleHeight]));

    if (article.isEmpty())
        throw TqxfError(
            Format("В БД артикулов фурнитуры найден пустой\r\nартикул для элемента фурнитуры [%s]!", elementName));
    result.Found = true;
    result.Article = article;
    if (r.DefinesHandle) result.HandleHeight = height != 0 ? height : RoundHalfUp(filter.HandleValue / 2);
    return result;
}

void ExpandComposite(const TSelectionContext& context, const QString& element, const QString& kitCode, int32_t count,
                     int slot, int32_t sideNo) {
    TDM& dm = DM();
    const CatalogTable& parts = dm.T_FrnItoI;
    const QVariantList key{element};
    if (parts.Locate(kIdColumn, key) < 0) return;  // not a composite element

    const CatalogTable& items = dm.T_FrnItem;
    const int itemRow = items.Locate(kIdColumn, key);
    if (itemRow < 0) throw TqxfError(Format("Элемент фурнитуры [%s] не найден в документации!", element));
    const QString name = items.Text(itemRow, context.Columns.Resolve(items, kItemColumns, kItemColumnCount)[kItemName]);

    const int* pc = context.Columns.Resolve(parts, kPartColumns, kPartColumnCount);
    TqxfFurnComp& kit = *context.Kit;
    const std::vector<int> rows = parts.Filter(FormatDot("ID = '%s'", element));
    for (int row : rows) {
        const QString part = parts.Text(row, pc[kPartItem]);
        if (part.isEmpty())
            throw TqxfError(Format("В составе составного элемента [%s] содержится пустой элемент!", name));
        const int64_t ownSide = parts.Int(row, pc[kPartItemSideNo]);
        const int32_t side = ownSide != 0 ? static_cast<int32_t>(ownSide) : sideNo;
        if (!MatchProperties(static_cast<int32_t>(parts.Int(row, pc[kPartPropKey])), kit.Props, slot)) continue;
        if (!AdmitsMullionType(parts.Int(row, pc[kPartStulpType]), context.StulpType)) continue;

        TArticleRequest request;
        request.Element = part;
        request.OwnerName = name;
        request.KeeperSystem = kit.ProfSys;
        request.AlertText = parts.Text(row, pc[kPartAlertIfNoArt]);
        request.Required = parts.Int(row, pc[kPartRequired]) == 1;
        request.Direct = context.Direct;
        request.StulpType = context.StulpType;
        request.ProfWidth = context.ProfWidth;
        request.Color = ElementColor(context, parts.Int(row, pc[kPartColorCondition]));
        request.Weight = context.Weight;
        request.Params = context.Params;
        const TArticleResult found = ResolveArticle(request, &context.Columns);
        if (!found.Found) continue;

        const QString note = parts.Text(row, pc[kPartNote]);
        const int32_t number = static_cast<int32_t>(parts.Int(row, pc[kPartNumber]));
        QString origin;
        if (context.KeepSeparate)
            origin =
                Format("Комплект:%s -> Элемент:%s -> Элемент:%s -> Артикул:%s", kitCode, element, part, found.Article);
        kit.AddItem(found.Article, kitCode, origin, context.KeepSeparate, 0, note, count * number, side);
    }
}

}  // namespace qx
