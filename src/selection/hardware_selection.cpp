// hardware_selection.cpp — the whole hardware selection of one sash.
#include "selection/hardware_selection.h"

#include <QByteArray>
#include <QVariantList>
#include <algorithm>

#include "catalog/catalog_table.h"
#include "catalog/data_module.h"
#include "catalog/lookups.h"
#include "common/codec.h"
#include "common/error.h"
#include "common/format.h"
#include "common/geometry.h"
#include "construction/construction.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"
#include "selection/keepers.h"
#include "selection/kit_resolution.h"
#include "shell/setup.h"

namespace qx {

namespace {

const char* const kMainKitColumns[] = {"Direct"};

// The bytes of an article code in Windows-1251; codes of ASCII characters are their own bytes.
QByteArray codeBytes(const QString& code) {
    for (QChar c : code)
        if (c.unicode() >= 0x80) return ToCp1251(code);
    return code.toLatin1();
}

// Drops the items of count 0 and orders the rest by article code, byte by byte in Windows-1251.
void tidyItems(TqxfFurnComp& kit) {
    auto& items = kit.Items;
    std::erase_if(items, [](const std::unique_ptr<TqxfFurnItem>& item) { return item->Count == 0; });
    std::vector<std::pair<QByteArray, std::unique_ptr<TqxfFurnItem>>> keyed;
    keyed.reserve(items.size());
    for (auto& item : items)
        keyed.emplace_back(codeBytes(item->Article), std::move(item));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        // QByteArray compares as unsigned bytes.
        return a.first < b.first;
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        items[i] = std::move(keyed[i].second);
}

}  // namespace

bool SelectHardware(TqxfFurnComp& kit) {
    TqxfFlugel* sash = kit.Flugel;
    if (!sash || !sash->Construction) return false;
    const TqxfConstruction& construction = *sash->Construction;

    TSelectionContext context;
    context.Sash = sash;
    context.Kit = &kit;
    const bool twoSashes =
        construction.FlugelMode == kTwoSashesLeftActive || construction.FlugelMode == kTwoSashesRightActive;
    context.Partner = twoSashes ? sash->Partner() : nullptr;
    context.KeepSeparate = Setup().DebugMode;

    // The sash parameters: rebate, backset, opening type.
    TSashParams& params = context.Params;
    params.ProfWidth = construction.ProfWidth;
    params.ProfThickness = construction.ProfThickness;
    const TFalzParams falz = GetFalzParams(construction.Falz, false);
    params.FalzLuft = falz.FalzLuft;
    params.FalzSize = falz.FalzSize;
    params.FalzPos = falz.FalzPos;
    params.DornMass = GetDornMass(sash->Dorn, false);
    params.OpenType = GetOpenType(construction.OpenType, false);
    if (params.DornMass <= 0) throw TqxfError(QStringLiteral("Не определена величина 'Дормасс'!"));
    if (params.FalzLuft < 1 || params.FalzSize < 1 || params.FalzPos < 1)
        throw TqxfError(Format("В документации не установлены\r\nпараметры фальца %d/%d-%d!", params.FalzLuft,
                               params.FalzSize, params.FalzPos));

    const CatalogTable& kits = DM().T_FrnComp;
    const int mainKit = kits.Locate(QStringLiteral("ID"), QVariantList{kit.ComplectID});
    if (mainKit < 0) throw TqxfError(Format("Комплект фурнитуры [%s] не найден в документации!", kit.ComplectID));
    context.Direct = static_cast<uint8_t>(kits.Int(mainKit, context.Columns.Resolve(kits, kMainKitColumns, 1)[0]));

    context.OuterColor = construction.OuterProfColor();
    context.InnerColor = construction.InnerProfColor();
    context.FurnColor = kit.Color;
    context.StulpType = construction.FlugelMode == kOneSash ? 6 : GetStulpType(construction.StulpType, false);
    sash->GetSize(context.WidthMm, context.HeightMm);
    context.FFB = RoundHalfUp(static_cast<long double>(context.WidthMm) / 10);
    context.FFH = RoundHalfUp(static_cast<long double>(context.HeightMm) / 10);

    // The kits in their slots, then the additional kits.
    if (!kit.ComplectID.isEmpty()) ResolveKit(kit.ComplectID, 0, context, kit.UserHandleHeight, 1);
    const QString* kitIds[] = {&kit.HandleID, &kit.HingeID, &kit.LockID, &kit.CylinderID, &kit.DriveID, &kit.LatchID};
    for (int slot = 1; slot <= 6; ++slot)
        if (!kitIds[slot - 1]->isEmpty()) ResolveKit(*kitIds[slot - 1], slot, context, false, 1);
    for (const QString& extra : kit.DopComplects)
        if (!extra.isEmpty()) ResolveKit(extra, 0, context, false, 1);

    AddKeepers(context);
    AddCovers(context);
    AddAccessories(context);

    tidyItems(kit);
    return true;
}

}  // namespace qx
