// furn_comp.cpp — the kit record of a sash: choices, side flags from the kit's side rows, kit items.
#include "construction/furn_comp.h"

#include "catalog/data_module.h"
#include "catalog/lookups.h"
#include "common/format.h"
#include "common/geometry.h"
#include "construction/flugel.h"
#include "construction/stream_counts.h"
#include "selection/hardware_selection.h"

namespace qx {

namespace {

// Image and screen colour of a kit with no row in the catalog.
constexpr int32_t kNoHingeKitImage = 20;

// Smallest image of a kit item: article (empty text), length and count.
constexpr int64_t kMinItemImage = 4 + 16 + 16;

bool ImageShowsHandle(int32_t image) {
    return image >= 1 && image <= 5;
}

}  // namespace

bool TFurnChoice::NoElements() const {
    return ComplectID.isEmpty() && HingeID.isEmpty() && HandleID.isEmpty() && LockID.isEmpty() &&
           CylinderID.isEmpty() && DriveID.isEmpty() && LatchID.isEmpty();
}

// --- TqxfFurnItem ---

void TqxfFurnItem::Assign(const QString& article, const QString& complectID, const QString& origin, float length,
                          const QString& note, int32_t count, int32_t sideNo) {
    if (article.isEmpty() || count == 0) {
        Clear();
        return;
    }
    Article = article;
    ComplectID = complectID;
    Origin = origin;
    Length = length;
    Note = note;
    Count = count;
    SideNo = sideNo;
    Reserved1 = Reserved2 = Reserved3 = 0;
}

void TqxfFurnItem::Clear() {
    Article.clear();
    ComplectID.clear();
    Origin.clear();
    Note.clear();
    Length = 0;
    Count = 0;
    SideNo = 0;
    Reserved1 = Reserved2 = Reserved3 = 0;
}

void TqxfFurnItem::SaveToStream(TSpecStream& stream) const {
    WriteText(stream, Article);
    WriteReal(stream, Length);
    WriteInt(stream, Count);
    WriteText(stream, Origin);
    WriteText(stream, Note);
    WriteInt(stream, SideNo);
    WriteInt(stream, Reserved1);
    WriteInt(stream, Reserved2);
    WriteInt(stream, Reserved3);
    WriteText(stream, ComplectID);
}

void TqxfFurnItem::LoadFromStream(TSpecStream& stream, const QString& stamp) {
    Article = ReadText(stream);
    Length = ReadSingle(stream);
    Count = ReadInt(stream);
    if (VersionAtLeast(stamp, QStringLiteral("06.10.2015"))) Origin = ReadText(stream);
    if (VersionAtLeast(stamp, QStringLiteral("03.03.2019"))) Note = ReadText(stream);
    if (VersionAtLeast(stamp, QStringLiteral("26.12.2019"))) {
        SideNo = ReadInt(stream);
        Reserved1 = ReadInt(stream);
        Reserved2 = ReadInt(stream);
        Reserved3 = ReadInt(stream);
        ComplectID = ReadText(stream);
    }
}

// --- TqxfFurnComp ---

TqxfFurnComp::TqxfFurnComp(TqxfFlugel* owner) : Flugel(owner) {}

TqxfFurnComp::~TqxfFurnComp() = default;

void TqxfFurnComp::Clear() {
    FurnSys.clear();
    ProfSys.clear();
    Color.clear();
    ComplectID.clear();
    HingeID.clear();
    HandleID.clear();
    LockID.clear();
    CylinderID.clear();
    DriveID.clear();
    LatchID.clear();
    ComplectImage = HandleImage = HingeImage = DriveImage = ReservedImage = -1;
    HandleColor = HingeColor = DriveColor = ReservedColor = 0;
    HandleHeight = 0;
    UserHandleHeight = false;
    Props.clear();
    DopComplects.clear();
    ClearItems();
}

void TqxfFurnComp::ClearItems() {
    Items.clear();
}

void TqxfFurnComp::SetFurniture(const QString& furnSys, const QString& profSys, const QString& color,
                                const TFurnChoice& choice) {
    FurnSys = furnSys;
    ProfSys = profSys;
    Color = color;
    ComplectID = choice.ComplectID;
    HingeID = choice.HingeID;
    HandleID = choice.HandleID;
    LockID = choice.LockID;
    CylinderID = choice.CylinderID;
    DriveID = choice.DriveID;
    LatchID = choice.LatchID;
    HandleHeight = choice.HandleHeight;
    UserHandleHeight = choice.UserHandleHeight;
    Props = choice.Props;
    DopComplects = choice.DopComplects;
    Recalculate();
}

void TqxfFurnComp::ApplyComplect(const TFurnChoice& choice) {
    ComplectID = choice.ComplectID;
    HingeID = choice.HingeID;
    HandleID = choice.HandleID;
    LockID = choice.LockID;
    CylinderID = choice.CylinderID;
    DriveID = choice.DriveID;
    LatchID = choice.LatchID;
    HandleHeight = choice.HandleHeight;
    UserHandleHeight = choice.UserHandleHeight;
    ApplySides();
}

void TqxfFurnComp::Recalculate() {
    ApplySides();
    Calculate();
}

void TqxfFurnComp::Calculate() {
    ClearItems();
    try {
        SelectHardware(*this);
    } catch (...) {
        ClearItems();
        throw;
    }
}

void TqxfFurnComp::ApplySides() {
    if (ComplectID.isEmpty() && HingeID.isEmpty() && HandleID.isEmpty() && LockID.isEmpty() && CylinderID.isEmpty() &&
        DriveID.isEmpty() && LatchID.isEmpty() && DopComplects.isEmpty()) {
        Clear();
        return;
    }
    HandleColor = GetKitColor(HandleID);
    DriveColor = GetKitColor(DriveID);
    ComplectImage = GetKitImage(ComplectID);
    HandleImage = GetKitImage(HandleID);
    DriveImage = GetKitImage(DriveID);
    if (!HingeID.isEmpty()) {
        HingeColor = GetKitColor(HingeID);
        HingeImage = GetKitImage(HingeID);
    } else {
        HingeColor = GetKitColor(ComplectID);
        HingeImage = kNoHingeKitImage;
    }
    if (!Flugel) return;
    if (ComplectID.isEmpty()) {
        for (auto& line : Flugel->Lines) {
            line->Opening = false;
            line->RotSide = -1;
            line->HandleHeight = 0;
            line->Handled = line->Banded = line->Drived = false;
        }
        return;
    }
    const CatalogTable& sides = DM().T_FrnSide;
    const int sideCount = std::min(Flugel->PointCount(), Flugel->LineCount());
    for (int row : sides.Filter(FormatDot("ID='%s'", ComplectID))) {
        const int i = static_cast<int>(sides.Int(row, "Side")) - 1;
        if (i < 0 || i >= sideCount) continue;
        TqxfLine& line = Flugel->Line(i);
        line.Opening = sides.Int(row, "OpenMode") == 1;
        if (line.Opening) line.RotSide = static_cast<int32_t>(sides.Int(row, "RotSide")) - 1;
        line.Handled = sides.Int(row, "Handled") == 1 && (!HandleID.isEmpty() || ImageShowsHandle(ComplectImage));
        if (!line.Handled) {
            line.HandleHeight = 0;
        } else {
            const int direct = GetSideHandleDirect(ComplectID, i + 1);
            if (UserHandleHeight)
                line.SetHandle(HandleHeight, direct);
            else
                line.SetHandle(RoundHalfUp(line.ChordLengthMm() / 2), direct);  // the middle of the side
        }
        line.Banded = sides.Int(row, "Banded") == 1;
        line.Drived = sides.Int(row, "Drived") == 1;
    }
}

void TqxfFurnComp::AddItem(const QString& article, const QString& complectID, const QString& origin, bool separate,
                           float length, const QString& note, int32_t count, int32_t sideNo) {
    if (article.isEmpty() || count == 0 || IsVirtualArticle(article)) return;
    QString kept = origin;
    if (!separate) {
        const int found = FindItem(article, complectID, note, length, sideNo);
        if (found >= 0) {
            Items[found]->AddCount(count);
            return;
        }
        kept.clear();
    }
    auto item = std::make_unique<TqxfFurnItem>(this);
    item->Assign(article, complectID, kept, length, note, count, sideNo);
    Items.push_back(std::move(item));
}

int TqxfFurnComp::FindItem(const QString& article, const QString& complectID, const QString& note, float length,
                           int32_t sideNo) const {
    for (int i = 0; i < ItemCount(); ++i) {
        const TqxfFurnItem& item = *Items[i];
        if (item.Article == article && item.ComplectID == complectID && item.Note == note && item.Length == length &&
            item.SideNo == sideNo)
            return i;
    }
    return -1;
}

int TqxfFurnComp::IndexOfArticle(const QString& article) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (Items[i]->Article == article) return i;
    return -1;
}

void TqxfFurnComp::SaveToStream(TSpecStream& stream) const {
    WriteText(stream, FurnSys);
    WriteText(stream, ProfSys);
    WriteText(stream, Color);
    WriteText(stream, ComplectID);
    WriteText(stream, HingeID);
    WriteText(stream, HandleID);
    WriteInt(stream, HandleHeight);
    WriteBool(stream, UserHandleHeight);
    WriteText(stream, LockID);
    WriteText(stream, CylinderID);
    WriteText(stream, DriveID);
    WriteText(stream, LatchID);
    for (int32_t v : {ComplectImage, HandleImage, HingeImage, DriveImage, ReservedImage, HandleColor, HingeColor,
                      DriveColor, ReservedColor})
        WriteInt(stream, v);
    WriteLines(stream, Props);
    WriteLines(stream, DopComplects);
    WriteInt(stream, ItemCount());
    for (const auto& item : Items)
        item->SaveToStream(stream);
}

void TqxfFurnComp::LoadFromStream(TSpecStream& stream, const QString& stamp) {
    FurnSys = ReadText(stream);
    ProfSys = ReadText(stream);
    Color = ReadText(stream);
    ComplectID = ReadText(stream);
    HingeID = ReadText(stream);
    HandleID = ReadText(stream);
    HandleHeight = ReadInt(stream);
    UserHandleHeight = ReadBool(stream);
    LockID = ReadText(stream);
    CylinderID = ReadText(stream);
    DriveID = ReadText(stream);
    LatchID = ReadText(stream);
    for (int32_t* v : {&ComplectImage, &HandleImage, &HingeImage, &DriveImage, &ReservedImage, &HandleColor,
                       &HingeColor, &DriveColor, &ReservedColor})
        *v = ReadInt(stream);
    Props = ReadLines(stream);
    DopComplects = ReadLines(stream);
    ClearItems();
    const int32_t count = ReadStreamCount(stream, kMinItemImage);
    Items.reserve(count);
    for (int32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<TqxfFurnItem>(this);
        item->LoadFromStream(stream, stamp);
        Items.push_back(std::move(item));
    }
}

}  // namespace qx
