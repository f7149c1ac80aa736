// sizing.h — dimension chains of a sketch and the drawing of one dimension line with its arrows,
// extension lines and measured text.
#pragma once
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/geometry.h"

class QPainter;

namespace qx {

// A point of a chain, millimetres: a horizontal chain uses only X (Y = 0), a vertical one only Y.
struct TqxfSizePoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TqxfSizePoint&, const TqxfSizePoint&) = default;
};

// A dimension chain: measured points in order; a set Caption replaces the measured value of every
// dimension of the chain.
class TqxfSizePointList {
public:
    QString Caption;

    // Appends the point and returns its index; a point already in the chain is not added (-1).
    int Add(const TqxfSizePoint& point);
    int Add(int32_t x, int32_t y) { return Add(TqxfSizePoint{x, y}); }
    void SortByX();
    void SortByY();
    int Count() const { return static_cast<int>(points_.size()); }
    const TqxfSizePoint& Point(int i) const { return points_.at(i); }
    const TqxfSizePoint& First() const { return points_.front(); }
    const TqxfSizePoint& Last() const { return points_.back(); }
    // Same number of points and equal points at equal positions.
    bool Equals(const TqxfSizePointList& other) const { return points_ == other.points_; }

private:
    std::vector<TqxfSizePoint> points_;
};

// A row of chains that do not overlap, drawn horizontally (Angle 0) or vertically (Angle 90).
class TqxfSizing {
public:
    long double Angle = 0;

    int Count() const { return static_cast<int>(chains_.size()); }
    TqxfSizePointList& Chain(int i) const { return *chains_.at(i); }
    TqxfSizePointList& First() const { return *chains_.front(); }
    TqxfSizePointList& Last() const { return *chains_.back(); }
    // Takes the chain into the row before position index (Count() appends).
    void Insert(int index, std::unique_ptr<TqxfSizePointList> chain);
    void Add(std::unique_ptr<TqxfSizePointList> chain) { Insert(Count(), std::move(chain)); }
    void Clear() { chains_.clear(); }

    // Draws one dimension per pair of neighbouring points of every chain: from point i - 1 to point i
    // in a horizontal row, from point i to point i - 1 in a vertical one. Sets Angle to 0 or 90.
    // origin in device units, extension length in device units, scale in millimetres per device unit.
    void DrawRow(QPainter& canvas, const TIntPoint& origin, bool vertical, int extension, long double scale);

private:
    std::vector<std::unique_ptr<TqxfSizePointList>> chains_;
};

// Saves the painter's state and restores it when leaving the scope, also on failure.
class TPainterStateGuard {
public:
    explicit TPainterStateGuard(QPainter& painter);
    ~TPainterStateGuard();
    TPainterStateGuard(const TPainterStateGuard&) = delete;
    TPainterStateGuard& operator=(const TPainterStateGuard&) = delete;

private:
    QPainter& painter_;
};

// The measured text of a distance in millimetres: "%.1f" with the decimal comma when it has a
// fractional part, "%.0f" otherwise.
QString DimensionText(long double distanceMm);

// Draws the dimension from P to Q (millimetres) at scale (mm per device unit), shifted by origin:
// the dimension line, at both ends an arrowhead RoundHalfUp(a / 1.8) long and (a div 5) wide to
// either side and an extension line a long towards the measured object and 1 beyond the line, and
// the text (caption, or the measured distance when the caption is empty) centred above the line,
// all built for a line in +X direction and turned by angle degrees about its end. Pen width 1.
void DrawDimension(QPainter& canvas, const TIntPoint& origin, int extension, const QString& caption,
                   const TqxfSizePoint& p, const TqxfSizePoint& q, long double scale, long double angle);

}  // namespace qx
