// flugel.h — a sash: its corners and sides (straight, circular or elliptic), the geometric quantities
// the hardware rules read, its catalog formulas and side limits, its kit record and material lines.
#pragma once
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/geometry.h"
#include "common/spec_stream.h"
#include "construction/furn_comp.h"
#include "documents/mat_list.h"

namespace qx {

class TqxfFlugel;
class TqxfConstruction;

// A sash corner, internal units (0.1 mm, Y downwards).
class TqxfPoint {
  public:
    explicit TqxfPoint(TqxfFlugel* owner = nullptr, int32_t x = 0, int32_t y = 0) : X(x), Y(y), Flugel(owner) {}
    int32_t X = 0;
    int32_t Y = 0;
    TqxfFlugel* Flugel = nullptr;
    TIntPoint Pos() const { return {X, Y}; }
    TFloatPoint PosF() const { return {static_cast<float>(X), static_cast<float>(Y)}; }
};

// A sash side from its start corner to its end corner.
class TqxfLine {
  public:
    explicit TqxfLine(TqxfFlugel* owner = nullptr) : Flugel(owner) {}

    float R1 = 0;  // 0 for a straight side
    float R2 = 0;  // R1 for a circular arc, different for an elliptic one
    TFloatPoint Center;
    TqxfPoint* StartPoint = nullptr;
    TqxfPoint* EndPoint = nullptr;
    bool Opening = false;
    int32_t RotSide = -1;  // 0-based side the opening marker points to, -1 none
    bool Handled = false;
    bool Banded = false;
    bool Drived = false;
    int32_t HandleHeight = 0;  // mm, 0 none
    TIntPoint HandlePoint;
    TqxfFlugel* Flugel = nullptr;

    // Distance between the corners in internal units, -1 when a corner is missing.
    long double ChordLength() const;
    long double ChordLengthMm() const;
    bool IsCircleArc() const;
    bool IsFullArc() const;
    bool IsSegmentArc() const;
    bool IsEllipseArc() const;
    // 1 vertical, 0 horizontal, 3 sloped.
    int Orientation() const;
    // Center from the corners and R1 (0, 0 for a straight side); a sloped chord longer than 2·R1 raises.
    void CalcCenter();
    // Places the handle at height mm from the start corner (direct 0) or the end corner (otherwise),
    // its mark 1 mm off the side; a side without Handled loses its handle.
    void SetHandle(int32_t heightMm, int32_t direct);
    // Resets the kit flags: no opening, no rotation side, no handle, hinges or drive.
    void ClearFlags();
};

// The record from which a sash polygon is built, internal units.
struct TFigureRec {
    int32_t Width = 0;
    int32_t Height = 0;
    uint8_t Figure = 0;  // 0 rectangle, 3/4 trapezoids, 5/6 triangles, 7 arch
    int32_t X = 0;
    int32_t Y = 0;
    float R1 = 0;
    float R2 = 0;
};

// A sash.
class TqxfFlugel {
  public:
    explicit TqxfFlugel(TqxfConstruction* owner = nullptr);
    ~TqxfFlugel();
    TqxfFlugel(const TqxfFlugel&) = delete;
    TqxfFlugel& operator=(const TqxfFlugel&) = delete;

    std::vector<std::unique_ptr<TqxfPoint>> Points;
    std::vector<std::unique_ptr<TqxfLine>> Lines;  // side i: corner i to corner (i + 1) mod n
    TqxfConstruction* Construction = nullptr;
    int32_t Dorn = 0;  // backset code
    std::unique_ptr<TqxfFurnComp> FurnComp;
    TqxfMatList MatList;

    int PointCount() const { return static_cast<int>(Points.size()); }
    int LineCount() const { return static_cast<int>(Lines.size()); }
    TqxfPoint& Point(int i) const { return *Points.at(i); }
    TqxfLine& Line(int i) const { return *Lines.at(i); }
    // A sash without corners is absent.
    bool Exists() const { return !Points.empty(); }

    // Frees corners, sides, kit and material lines.
    void Clear();
    // Appends the figure's corners and sides at x offset a, links the sides and computes their centres.
    void BuildShape(const TFigureRec& figure, int32_t a);

    // The bounding box including the arcs' extremes, internal units (floor left/top, ceil right/bottom).
    void GetBoundsUnits(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) const;
    // Rebate width and height, mm.
    void GetSize(int32_t& width, int32_t& height) const;
    // The bounding box corners, mm (integer division by 10).
    void GetBounds(TIntPoint& topLeft, TIntPoint& bottomRight) const;

    int HandleLineIndex() const;
    int BandedLineIndex() const;
    int32_t HandleHeightOf() const;
    int LineIndex(const TqxfLine* line) const;  // -1 when not a side of this sash
    // The side before the given one, the last side for side 0; nullptr when not a side of this sash.
    TqxfLine* PrevLine(const TqxfLine* line) const;
    // Angle in degrees at the start corner of side i.
    long double CornerAngle(int i) const;
    // The other sash of the construction; nullptr without a construction.
    TqxfFlugel* Partner() const;

    // Evaluates a catalog formula with the sash's variables and side functions.
    long double EvalFormula(const QString& text) const;
    // Whether the side limits of a kit admit this sash.
    bool KitFits(const QString& kitID) const;

    // Sets the kit choices and runs the hardware selection; a kit created here is dropped on failure.
    void SetFurniture(const QString& furnSys, const QString& profSys, const QString& color, const TFurnChoice& choice);
    // Sets the kit IDs and the side flags without the hardware selection.
    void ApplyComplect(const TFurnChoice& choice);
    // Frees the kit and resets the side flags, then applies the passive sash rule.
    void ClearFurniture();

    // The material lines (built from the kit and priced) and their sum.
    void BuildMatList();
    Money MatListSum() const;

    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const QString& stamp);

  private:
    void ApplyPassiveRule();
};

}  // namespace qx
