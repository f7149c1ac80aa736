// furn_comp.h — the hardware kit record of a sash: the user's kit choices, the drawing values looked
// up for them, and the resolved articles (kit items) that the hardware selection leaves.
#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/spec_stream.h"

namespace qx {

class TqxfFlugel;
class TqxfFurnComp;

// The kit choices for one sash as the sash hardware dialog hands them over.
struct TFurnChoice {
    QString ComplectID;  // main kit
    QString HingeID;     // hinge kit
    QString HandleID;
    QString LockID;
    QString CylinderID;
    QString DriveID;  // door closer
    QString LatchID;
    int32_t HandleHeight = 0;  // mm, used when UserHandleHeight
    bool UserHandleHeight = false;
    QStringList Props;         // kit property lines
    QStringList DopComplects;  // additional kit IDs
    int32_t Dorn = 0;          // backset code of the sash

    // All seven element IDs empty.
    bool NoElements() const;
    // All seven element IDs empty and no additional kits.
    bool IsEmpty() const { return NoElements() && DopComplects.isEmpty(); }
};

// One resolved article of a kit.
class TqxfFurnItem {
  public:
    explicit TqxfFurnItem(TqxfFurnComp* owner = nullptr) : FurnComp(owner) {}

    QString Article;
    float Length = 0;  // mm; 0 for an article counted in pieces
    int32_t Count = 0;
    QString Origin;  // resolution path; kept only when items are kept apart
    QString Note;    // comment of the kit's set row
    int32_t SideNo = 0;
    int32_t Reserved1 = 0;
    int32_t Reserved2 = 0;
    int32_t Reserved3 = 0;
    QString ComplectID;  // kit the article came from
    TqxfFurnComp* FurnComp = nullptr;

    // Sets the fields when the article is non-empty and the count non-zero, otherwise clears the item.
    void Assign(const QString& article, const QString& complectID, const QString& origin, float length,
                const QString& note, int32_t count, int32_t sideNo);
    void AddCount(int32_t n) { Count += n; }
    void Clear();

    void SaveToStream(TSpecStream& stream) const;
    // Fields missing from an image older than their stamp keep their values.
    void LoadFromStream(TSpecStream& stream, const QString& stamp);
};

// The kit record of a sash.
class TqxfFurnComp {
  public:
    explicit TqxfFurnComp(TqxfFlugel* owner = nullptr);
    ~TqxfFurnComp();
    TqxfFurnComp(const TqxfFurnComp&) = delete;
    TqxfFurnComp& operator=(const TqxfFurnComp&) = delete;

    QString FurnSys;  // hardware system ID
    QString ProfSys;
    QString Color;       // colour of the cover caps
    QString ComplectID;  // main kit
    QString HingeID;
    QString HandleID;
    QString LockID;
    QString CylinderID;
    QString DriveID;
    QString LatchID;
    int32_t ComplectImage = 0;
    int32_t HandleImage = 0;
    int32_t HingeImage = 0;
    int32_t DriveImage = 0;
    int32_t ReservedImage = 0;  // cleared to -1, never set otherwise
    int32_t HandleColor = 0;
    int32_t HingeColor = 0;
    int32_t DriveColor = 0;
    int32_t ReservedColor = 0;
    int32_t HandleHeight = 0;  // mm, given by the user
    bool UserHandleHeight = false;
    QStringList Props;
    QStringList DopComplects;
    TqxfFlugel* Flugel = nullptr;

    // The resolved articles, in order; owned.
    std::vector<std::unique_ptr<TqxfFurnItem>> Items;
    int ItemCount() const { return static_cast<int>(Items.size()); }
    TqxfFurnItem& Item(int i) const { return *Items.at(i); }

    // Every field to its cleared value, both lists emptied, all items freed.
    void Clear();
    void ClearItems();

    // Stores the choices and systems, then Recalculate.
    void SetFurniture(const QString& furnSys, const QString& profSys, const QString& color, const TFurnChoice& choice);
    // Stores the seven element IDs and the handle height, then ApplySides only.
    void ApplyComplect(const TFurnChoice& choice);
    // ApplySides, then Calculate.
    void Recalculate();
    // Frees the items and runs the hardware selection; on failure the items are freed again.
    void Calculate();
    // Assigns the owning sash's side flags from the main kit's side rows.
    void ApplySides();

    // Adds an article: ignored for an empty article, a zero count or a virtual article; merged into an
    // equal item (article, kit, note, length, side) unless separate, in which case the origin is dropped.
    void AddItem(const QString& article, const QString& complectID, const QString& origin, bool separate, float length,
                 const QString& note, int32_t count, int32_t sideNo);
    int FindItem(const QString& article, const QString& complectID, const QString& note, float length,
                 int32_t sideNo) const;
    int IndexOfArticle(const QString& article) const;

    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const QString& stamp);
};

}  // namespace qx
