// geometry.h — plane geometry of sashes: the system's rounding, units of 0.1 mm with Y downwards,
// directions, corner angles, arcs, constructed points and the few drawing primitives.
#pragma once
#include <QSize>
#include <QString>
#include <cstdint>

class QPainter;
class QColor;

namespace qx {

// Integer point in internal units (0.1 mm) or device units.
struct TIntPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TIntPoint&, const TIntPoint&) = default;
};

// Real point held as single floats (arc centres, intermediate results).
struct TFloatPoint {
    float X = 0;
    float Y = 0;
    friend bool operator==(const TFloatPoint&, const TFloatPoint&) = default;
};

// --- Rounding (extended precision) ---
// The rounding rule of the whole system: digits beyond the fourth decimal dropped, then half-up
// successively at the third, second, first decimal and to an integer. Negative x: Trunc(x).
// A result outside the 32-bit range raises TqxfError.
int32_t RoundHalfUp(long double x);
long double RoundTo4(long double x);
long double RoundTo1(long double x);
int32_t CeilUnits(long double x);
int32_t FloorUnits(long double x);
bool LessBy(long double a, long double b);     // a - b <= -0.01
bool GreaterBy(long double a, long double b);  // b - a <= -0.01

// --- Units ---
int32_t MmToUnits(long double mm);                                 // RoundHalfUp(mm * 10)
int32_t UnitsToMm(long double units);                              // RoundHalfUp(units / 10)
float MmToUnitsF(float mm);                                        // mm * 10, no rounding
float UnitsToMmF(float units);                                     // units / 10, no rounding
int32_t ScaleToDevice(long double value, long double scale);       // RoundHalfUp(value / scale)
TIntPoint ScaleToDevice(const TIntPoint& p, long double scale);    // per coordinate
long double ScaleToDeviceF(long double value, long double scale);  // RoundTo1(value / scale)
TFloatPoint ScaleToDeviceF(const TFloatPoint& p, long double scale);

// --- Points ---
TFloatPoint ToFloat(const TIntPoint& p);
TIntPoint ToInt(const TFloatPoint& p);  // RoundHalfUp per coordinate
TFloatPoint RoundTo4(const TFloatPoint& p);
TIntPoint CeilUnits(const TFloatPoint& p);
TIntPoint FloorUnits(const TFloatPoint& p);
TFloatPoint MidPoint(const TFloatPoint& a, const TFloatPoint& b);
TIntPoint MidPoint(const TIntPoint& a, const TIntPoint& b);  // RoundHalfUp per coordinate
long double Distance(const TFloatPoint& a, const TFloatPoint& b);
long double Distance(const TIntPoint& a, const TIntPoint& b);
bool SamePoint(const TIntPoint& a, const TIntPoint& b);
TIntPoint AddPoints(const TIntPoint& a, const TIntPoint& b);
TFloatPoint AddPointsF(const TIntPoint& a, const TIntPoint& b);

// --- Directions (degrees, counter-clockwise as seen on screen, Y downwards) ---
long double Angle(const TFloatPoint& a, const TFloatPoint& b);
long double Angle(const TIntPoint& a, const TIntPoint& b);
int Quadrant(const TFloatPoint& a, const TFloatPoint& b);  // 0 … 8
int AngleSector(long double degrees);                      // 0 … 8

// --- Angles at corners ---
// Interior angle at B of a polygon running clockwise on screen; -1 when a side has no length.
long double CornerAngle(const TFloatPoint& a, const TFloatPoint& b, const TFloatPoint& c);
long double CornerAngleArc(const TFloatPoint& a, const TFloatPoint& b, const TFloatPoint& c, long double r,
                           long double rPrev, const TFloatPoint& centre, const TFloatPoint& centrePrev);

// --- Arcs ---
long double ArcRise(long double r, long double chord);
long double ArcRadius(long double rise, long double chord);
// Centre on the right-hand side of S→E as seen on screen; RoundTo4 per coordinate.
// A sloped chord longer than 2R raises TqxfError (the system's arithmetic error).
TFloatPoint ArcCenter(const TFloatPoint& s, const TFloatPoint& e, long double r);
bool PointOnArc(const TFloatPoint& s, const TFloatPoint& e, const TFloatPoint& centre, const TFloatPoint& p,
                long double r);

// --- Constructed points ---
TFloatPoint PointToward(const TFloatPoint& p, const TFloatPoint& q, long double d);
TIntPoint PointTowardInt(const TIntPoint& p, const TIntPoint& q, long double d);
TFloatPoint PolarPoint(const TFloatPoint& origin, const TFloatPoint& a, const TFloatPoint& b, long double offset,
                       long double d);
TIntPoint PolarPointInt(const TIntPoint& origin, const TIntPoint& a, const TIntPoint& b, long double offset,
                        long double d);
TFloatPoint RotatePoint(const TFloatPoint& p, const TFloatPoint& pivot, long double degrees);
TIntPoint RotatePointInt(const TIntPoint& p, const TIntPoint& pivot, long double degrees);

// --- Drawing (device units) ---
void DrawLine(QPainter& canvas, const TIntPoint& p, const TIntPoint& q);
// R != 0: the circular arc of radius |R| about centre between S and E on the side away from the centre.
void DrawSide(QPainter& canvas, const TIntPoint& s, const TIntPoint& e, const QColor& colour, long double r,
              const TFloatPoint& centre);
// Draws text at position turned by angle degrees (counter-clockwise on screen); returns the rotated extent.
QSize DrawRotatedText(QPainter& canvas, const TIntPoint& position, const QString& text, long double angle);
// The same with the reference point of the text chosen by alignment (left/hcenter/right and
// top/baseline/bottom of the unrotated text); the text turns about position.
QSize DrawRotatedText(QPainter& canvas, const TIntPoint& position, const QString& text, long double angle,
                      Qt::Alignment alignment);

}  // namespace qx
