// keepers.cpp — keepers, covers and accessories of the kit items.
#include "selection/keepers.h"

#include <QVariantList>

#include "catalog/catalog_table.h"
#include "catalog/data_module.h"
#include "catalog/lookups.h"
#include "common/format.h"
#include "construction/furn_comp.h"
#include "selection/article_resolution.h"

namespace qx {

namespace {

enum KeeperColumn { kKeeperItem, kKeeperNumber, kKeeperPropKey, kKeeperColumnCount };
const char* const kKeeperColumns[kKeeperColumnCount] = {"Item", "Number", "PropKey"};

enum CoverColumn { kCoverAccessoryID, kCoverNumber, kCoverColumnCount };
const char* const kCoverColumns[kCoverColumnCount] = {"AccessoryID", "Number"};

enum AccessoryColumn { kAccessoryID, kAccessoryNumber, kAccessoryPropKey, kAccessoryColumnCount };
const char* const kAccessoryColumns[kAccessoryColumnCount] = {"AccessoryID", "Number", "PropKey"};

const char* const kElementColumns[] = {"CommonGrp"};

const QString kCatalogIdColumn = QStringLiteral("CatalogID");

// Rows of an article whose mullion type is t or 0, side the item's or 0, kit the item's or any:
// "CatalogID = '%s' and (StulpType=%d or StulpType=%d) and (ItemSideNo=%d or ItemSideNo=%d) and
// (ItemComplectID='%s' or ItemComplectID='%s')" with the article, t, 0, the side, 0, the kit and ''.
QString rowsOfItem(const TqxfFurnItem& item, int mullionType) {
    return QLatin1String("CatalogID = '") + item.Article + QLatin1String("' and (StulpType=") +
           QString::number(mullionType) + QLatin1String(" or StulpType=0) and (ItemSideNo=") +
           QString::number(item.SideNo) + QLatin1String(" or ItemSideNo=0) and (ItemComplectID='") + item.ComplectID +
           QLatin1String("' or ItemComplectID='')");
}

// Covers of an article in a colour ('' for the colourless ones) on the item's side or side 0:
// "CatalogID = '%s' and Color='%s' and (ItemSideNo=%d or ItemSideNo=%d)".
QString coversOfItem(const TqxfFurnItem& item, const QString& colour) {
    return QLatin1String("CatalogID = '") + item.Article + QLatin1String("' and Color='") + colour +
           QLatin1String("' and (ItemSideNo=") + QString::number(item.SideNo) + QLatin1String(" or ItemSideNo=0)");
}

// An added item counts the row's number per piece of the item that brought it and inherits its
// kit, note and side.
void addFollower(const TSelectionContext& context, const TqxfFurnItem& item, const QString& article,
                 const QString& origin, int64_t number) {
    context.Kit->AddItem(article, item.ComplectID, context.KeepSeparate ? origin : QString(), context.KeepSeparate, 0,
                         item.Note, static_cast<int32_t>(number) * item.Count, item.SideNo);
}

}  // namespace

void AddKeepers(const TSelectionContext& context) {
    TDM& dm = DM();
    const CatalogTable& keepers = dm.T_FrnSchl;
    const CatalogTable& elements = dm.T_FrnItem;
    TqxfFurnComp& kit = *context.Kit;
    bool systemIsNumber = false;
    const int32_t system = kit.FurnSys.toInt(&systemIsNumber);

    // Whether a keeper element belongs to the kit's hardware system: a group that is a multiple of
    // 100 is a whole family, any other group one system; elements without a group serve every system.
    auto systemAdmits = [&](const QString& element) {
        const int row = elements.Locate(QStringLiteral("ID"), QVariantList{element});
        if (row < 0) return true;
        const int64_t group = elements.Int(row, context.Columns.Resolve(elements, kElementColumns, 1)[0]);
        if (group == 0) return true;
        const int64_t s = systemIsNumber ? system : group;
        if (group % 100 != 0) return group == s;
        return group == s / 100 * 100;
    };

    const int visited = kit.ItemCount();
    for (int i = 0; i < visited; ++i) {
        const TqxfFurnItem& item = kit.Item(i);  // items are held by pointer: adding keeps it in place
        if (keepers.Locate(kCatalogIdColumn, QVariantList{item.Article}) < 0) continue;
        const int* c = context.Columns.Resolve(keepers, kKeeperColumns, kKeeperColumnCount);
        const std::vector<int> rows = keepers.Filter(rowsOfItem(item, context.StulpType));
        for (int row : rows) {
            if (!MatchProperties(static_cast<int32_t>(keepers.Int(row, c[kKeeperPropKey])), kit.Props, 0)) continue;
            const QString element = keepers.Text(row, c[kKeeperItem]);
            if (!systemAdmits(element)) continue;

            TArticleRequest request;
            request.Element = element;
            request.OwnerName = QStringLiteral("Подбор ответных планок");
            request.KeeperSystem = kit.ProfSys;
            request.Required = true;
            request.Direct = context.Direct;
            request.StulpType = context.StulpType;
            request.Params = context.Params;
            const TArticleResult found = ResolveArticle(request, &context.Columns);
            if (!found.Found) continue;
            const QString origin = context.KeepSeparate
                                       ? Format("%s -> Элемент:%s -> Артикул:%s", item.Origin, element, found.Article)
                                       : QString();
            addFollower(context, item, found.Article, origin, keepers.Int(row, c[kKeeperNumber]));
        }
    }
}

void AddCovers(const TSelectionContext& context) {
    const CatalogTable& covers = DM().T_FrnAbd;
    TqxfFurnComp& kit = *context.Kit;
    const int visited = kit.ItemCount();
    for (int i = 0; i < visited; ++i) {
        const TqxfFurnItem& item = kit.Item(i);
        if (covers.Locate(kCatalogIdColumn, QVariantList{item.Article}) < 0) continue;
        const int* c = context.Columns.Resolve(covers, kCoverColumns, kCoverColumnCount);
        std::vector<int> rows = covers.Filter(coversOfItem(item, kit.Color));
        // Covers for any colour serve only when the kit's colour has none.
        if (rows.empty()) rows = covers.Filter(coversOfItem(item, QString()));
        for (int row : rows) {
            const QString cover = covers.Text(row, c[kCoverAccessoryID]);
            const QString origin = context.KeepSeparate ? Format("%s -> Артикул:%s", item.Origin, cover) : QString();
            addFollower(context, item, cover, origin, covers.Int(row, c[kCoverNumber]));
        }
    }
}

void AddAccessories(const TSelectionContext& context) {
    const CatalogTable& accessories = DM().T_FrnDop;
    TqxfFurnComp& kit = *context.Kit;
    const int visited = kit.ItemCount();
    for (int i = 0; i < visited; ++i) {
        const TqxfFurnItem& item = kit.Item(i);
        if (accessories.Locate(kCatalogIdColumn, QVariantList{item.Article}) < 0) continue;
        const int* c = context.Columns.Resolve(accessories, kAccessoryColumns, kAccessoryColumnCount);
        const std::vector<int> rows = accessories.Filter(rowsOfItem(item, context.StulpType));
        for (int row : rows) {
            if (!MatchProperties(static_cast<int32_t>(accessories.Int(row, c[kAccessoryPropKey])), kit.Props, 0))
                continue;
            const QString accessory = accessories.Text(row, c[kAccessoryID]);
            const QString origin =
                context.KeepSeparate ? Format("%s -> Артикул:%s", item.Origin, accessory) : QString();
            addFollower(context, item, accessory, origin, accessories.Int(row, c[kAccessoryNumber]));
        }
    }
}

}  // namespace qx
