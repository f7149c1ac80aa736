// sketch.h — the line drawing of sash sides, of a sash with its opening markers and direction
// symbol, and of a whole position fitted into a rectangle with its dimension lines.
#pragma once
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "common/geometry.h"
#include "construction/size_grid.h"

class QPainter;

namespace qx {

class TqxfConstruction;
class TqxfFlugel;
class TqxfLine;

// Draws a side, straight or as a circular arc of radius R1 about its Center (an elliptic side too),
// at scale internal units (0.1 mm) per device unit, with the painter's pen.
void DrawLine(QPainter& canvas, const TqxfLine& line, long double scale);

// Where the opening marker that points to the side meets it, internal units: the middle of the arc
// of an arched side, the middle of the chord of a straight one.
TIntPoint MarkerApex(const TqxfLine& target);

// The opening marker of side `side`: a pen-width-1 polyline from its start corner to the apex on its
// rotation side (RotSide) to its end corner. Nothing when the rotation side is not a side of the sash.
void DrawOpeningMarker(QPainter& canvas, const TqxfFlugel& flugel, int side, long double scale);

// The direction symbol of a kit Image 1 to 5 about the middle of the sash's box (arrow to the left,
// arrow to the right, double arrow, left arrow with a tick at the right end, right arrow with a tick
// at the left end); nothing for other images.
void DrawDirectionSymbol(QPainter& canvas, const TqxfFlugel& flugel, int image, long double scale);

// Draws the sash: its sides in order, and when it has a kit the opening marker of every side marked
// Opening and the direction symbol of the kit's ComplectImage. Scale in internal units per device unit.
void DrawFlugel(QPainter& canvas, const TqxfFlugel& flugel, long double scale);

// How a sketch was fitted into its rectangle.
struct TSketchPlacement {
    bool Drawn = false;     // false: the position has no size or the rectangle no room; nothing drawn
    long double Scale = 0;  // millimetres per device unit
    QPoint Offset;          // x and y offset of the drawing inside the rectangle, device units
    QSize Size;             // drawn width and height of the position, device units
};

// Fits the position into area (its dimension rows below and to the right, a margin of 10 around),
// centred; zoom, when not 0, multiplies the scale; scrollPercent shifts the drawing by that percentage
// of its drawn size. Draws the sashes with pen width 3 (the second unless the position has one sash)
// and the size grid's dimension lines; the painter's state is restored afterwards, also on failure.
TSketchPlacement DrawSketch(QPainter& canvas, const TqxfConstruction& construction, const QRect& area, long double zoom,
                            TSizeGridOptions options, const QPoint& scrollPercent = QPoint());

// The sketch of a position as an image of the given size on a white background (antialiased, all
// size-grid options unless given); a null image for an empty size.
QImage RenderSketch(const TqxfConstruction& construction, const QSize& size,
                    TSizeGridOptions options = kAllSizeGridOptions);

}  // namespace qx
