// size_grid.h — the dimension chains of a position or a single sash, packed into rows that do not
// overlap, the room they need beside a sketch, and their drawing.
#pragma once
#include <QFlags>
#include <cstdint>
#include <memory>
#include <vector>

#include "construction/sizing.h"

class QPainter;

namespace qx {

class TqxfConstruction;
class TqxfFlugel;

enum class TSizeGridOption : unsigned {
    ShowOverall = 1,    // overall width and height of the whole position
    ShowSides = 2,      // a chain for each sash side through the positions of its corners
    SkipEdgeSides = 4,  // like ShowSides, without the sides whose corners both lie on the sash's box
};
Q_DECLARE_FLAGS(TSizeGridOptions, TSizeGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSizeGridOptions)

// What the order window and the report sketch show.
inline constexpr TSizeGridOptions kAllSizeGridOptions =
    TSizeGridOptions(TSizeGridOption::ShowOverall) | TSizeGridOption::ShowSides | TSizeGridOption::SkipEdgeSides;

class TqxfSizeGrid {
public:
    // Measures RowHeight on the canvas's font; the rows start empty.
    explicit TqxfSizeGrid(QPainter& canvas);
    TqxfSizeGrid(const TqxfSizeGrid&) = delete;
    TqxfSizeGrid& operator=(const TqxfSizeGrid&) = delete;

    QPainter& Canvas;
    std::vector<std::unique_ptr<TqxfSizing>> HorzRows;
    std::vector<std::unique_ptr<TqxfSizing>> VertRows;
    int32_t RowHeight = 0;  // height of "0" on the canvas + 2, device units
    TIntPoint Origin;       // (0, 0)
    TIntPoint Extent;       // width and height of the measured object, mm

    // Collects the chains of both sashes of a position (and, with ShowOverall, its overall sizes),
    // or of one sash. Without any option flag the grid stays empty.
    void Setup(const TqxfConstruction& construction, TSizeGridOptions options);
    void Setup(const TqxfFlugel& flugel, TSizeGridOptions options);

    // Device units kept free below (horizontal rows) and to the right (vertical rows) of a drawing.
    int32_t HorzReserve() const { return static_cast<int32_t>(HorzRows.size()) * RowHeight; }
    int32_t VertReserve() const { return static_cast<int32_t>(VertRows.size()) * RowHeight; }

    // Places a chain in the first row it does not overlap, or a new row; an equal chain already in a
    // row discards it.
    void AddHorzChain(std::unique_ptr<TqxfSizePointList> chain);
    void AddVertChain(std::unique_ptr<TqxfSizePointList> chain);

    // Draws the horizontal rows one under the other below the object and the vertical rows one
    // beside the other to its right; scale in millimetres per device unit.
    void Draw(long double scale);

private:
    void clear();
    void addSash(const TqxfFlugel& flugel, TSizeGridOptions options);
};

}  // namespace qx
