// construction.h — a position of an order: one window or door with its quantity, its systems and one
// or two sashes; its geometry from the position dialog's sizes, its hardware, price and stream image.
#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "common/money.h"
#include "common/spec_stream.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"
#include "documents/mat_list.h"

namespace qx {

class TqxfOrder;

// What a position reads from the order that owns it (the order document implements it).
class TqxfOrderLink {
  public:
    virtual ~TqxfOrderLink() = default;
    virtual QString LinkOuterProfColor() const = 0;
    virtual QString LinkInnerProfColor() const = 0;
};

// The position dialog's sizes, millimetres.
struct TSizeRec {
    int32_t W = 0;
    int32_t H = 0;
    uint8_t Figure = 0;
    int32_t X = 0;
    int32_t Y = 0;
    float R1 = 0;
    float R2 = 0;
};

// Product types of ObjType.
enum : uint8_t { kObjWindow = 0, kObjDoorWithThreshold = 1 };
// Sash modes of FlugelMode.
enum : uint8_t { kTwoSashesLeftActive = 0, kTwoSashesRightActive = 1, kOneSash = 2 };

class TqxfConstruction {
  public:
    explicit TqxfConstruction(TqxfOrder* order = nullptr, const TqxfOrderLink* link = nullptr);
    ~TqxfConstruction();
    TqxfConstruction(const TqxfConstruction&) = delete;
    TqxfConstruction& operator=(const TqxfConstruction&) = delete;

    bool Checked = true;
    QString PosNo;
    QString PosName;
    int32_t Quantity = 0;
    uint8_t ObjType = kObjWindow;
    QString FurnSys;
    QString ProfSys;
    QString FurnColor;
    int32_t Falz = 0;
    int32_t StulpType = 0;
    int32_t OpenType = 0;
    float ProfWidth = 0;
    float ProfThickness = 0;
    Money Price;  // one unit: the sum of the sashes' material totals
    QStringList Notes;
    uint8_t FlugelMode = kOneSash;
    std::unique_ptr<TqxfFlugel> Flugel1;  // the only sash, or the left one
    std::unique_ptr<TqxfFlugel> Flugel2;  // the right sash; empty with one sash
    TqxfOrder* Order = nullptr;
    const TqxfOrderLink* OrderLink = nullptr;

    void SetOrder(TqxfOrder* order, const TqxfOrderLink* link) {
        Order = order;
        OrderLink = link;
    }
    // The owning order's profile colours; empty without an order.
    QString OuterProfColor() const;
    QString InnerProfColor() const;

    // The passive sash of a two-sash construction, nullptr with one sash.
    TqxfFlugel* PassiveFlugel() const;

    // Builds the sash polygons from the dialog's sizes (mm) and gives the sashes the backset code.
    void BuildGeometry(const TSizeRec& sizes, int32_t dorn);
    // Width and height, mm.
    void GetSize(int32_t& width, int32_t& height) const;

    // Hands the dialog's choices to the sashes (the active sash first), then CalcPrice.
    void SetFurniture(const QString& furnSys, const QString& profSys, const TFurnChoice& left, const TFurnChoice& right,
                      const QString& furnColor, int32_t falz, int32_t stulpType, int32_t openType, float profWidth,
                      float profThickness);
    void ApplyComplect(const TFurnChoice& left, const TFurnChoice& right);
    // Frees the kit of Flugel1 (1) or Flugel2 (any other number).
    void ClearFurniture(int flugelNo);

    void CalcPrice();
    Money TotalPrice() const;
    // Adds both sashes' material lines, times Quantity, into an order-level list.
    void CollectMaterials(TqxfMatList& list) const;
    // The catalog names of the chosen kit elements of both sashes.
    void KitNames(QStringList& lines) const;
    TqxfFurnComp* FirstKit() const;
    TqxfFurnComp* NextKit() const;

    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const QString& stamp);
    void Backup(TSpecStream& stream) const;
    void Restore(TSpecStream& stream);
    void Assign(const TqxfConstruction& source);

  private:
    mutable bool nextKitArmed_ = false;
};

}  // namespace qx
