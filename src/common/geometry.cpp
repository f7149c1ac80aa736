// geometry.cpp — plane geometry of sashes: the system's rounding, directions, corner angles, arcs,
// constructed points and the drawing primitives.
#include "common/geometry.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <cmath>
#include <limits>

#include "common/error.h"

namespace qx {

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

long double frac(long double v) {
    return v - std::trunc(v);
}
long double degToRad(long double degrees) {
    return degrees * (kPi / 180.0L);
}
long double radToDeg(long double radians) {
    return radians * (180.0L / kPi);
}

// The 32-bit result of a rounding; anything outside the range (or not a number) is an error.
int32_t checkedInt32(long double v) {
    if (!(v >= static_cast<long double>(std::numeric_limits<int32_t>::min()) &&
          v <= static_cast<long double>(std::numeric_limits<int32_t>::max())))
        throw TqxfError(QStringLiteral("Ошибка округления: значение вне допустимого диапазона!"));
    return static_cast<int32_t>(v);
}

long double angleOf(long double dx, long double dy) {
    long double t;
    if (dx != 0 && dy != 0) {
        t = std::atan(dy / dx);
        t = t >= 0 ? 2 * kPi - t : kPi - t;
        if (!(dy > 0)) t -= kPi;
    } else if (dy == 0) {
        t = dx >= 0 ? 0 : kPi;
    } else {
        t = dy < 0 ? kPi / 2 : 3 * kPi / 2;
    }
    return radToDeg(t);
}

long double cornerAngle(long double ax, long double ay, long double bx, long double by, long double cx,
                        long double cy) {
    const long double abx = bx - ax, aby = by - ay, bcx = cx - bx, bcy = cy - by;
    const long double lengths = std::sqrt(abx * abx + aby * aby) * std::sqrt(bcx * bcx + bcy * bcy);
    if (lengths == 0) return -1;
    // Rounding can push the cosine of (anti)parallel sides just past ±1; the angle is then 0 or 180.
    long double cosine = (abx * bcx + aby * bcy) / lengths;
    if (cosine > 1) cosine = 1;
    if (cosine < -1) cosine = -1;
    const long double theta = radToDeg(std::acos(cosine));
    const long double l = angleOf(abx, aby);
    long double m;
    if (l > 180) {
        m = 360 - l + angleOf(bcx, bcy);
        if (m > 360) m -= 360;
    } else {
        m = angleOf(bcx, bcy) - l;
    }
    return (m <= 0 || m >= 180) ? 180 - theta : 180 + theta;
}

long double adjustArcAngle(long double x) {
    return x > 180 ? x - 270 : x + 90;
}

struct RealPoint {
    long double X;
    long double Y;
};

RealPoint towardPoint(long double px, long double py, long double qx, long double qy, long double d) {
    const long double a = degToRad(angleOf(qx - px, qy - py));
    return {px + d * std::cos(a), py - d * std::sin(a)};
}

RealPoint polarPoint(long double ox, long double oy, long double dx, long double dy, long double offset,
                     long double d) {
    long double a = angleOf(dx, dy) + offset;
    if (a < 0) a += 360;
    a = degToRad(a);
    return {ox + d * std::cos(a), oy - d * std::sin(a)};
}

RealPoint rotatedPoint(long double px, long double py, long double cx, long double cy, long double degrees) {
    const long double a = degToRad(degrees);
    const long double qx = px - cx, qy = py - cy;
    return {cx + qx * std::cos(a) + qy * std::sin(a), cy - qx * std::sin(a) + qy * std::cos(a)};
}

}  // namespace

// --- Rounding ---

int32_t RoundHalfUp(long double x) {
    const long double whole = std::trunc(x);
    // f is kept as a double between the steps; products and sums are formed in extended precision.
    double f = static_cast<double>(std::trunc(frac(x) * 10000.0L) / 10000.0L);
    if (frac(f * 1000.0L) >= 0.5L) f = static_cast<double>(f + 0.001L);
    if (frac(f * 100.0L) >= 0.5L) f = static_cast<double>(f + 0.01L);
    if (frac(f * 10.0L) >= 0.5L) f = static_cast<double>(f + 0.1L);
    const long double part = frac(f) >= 0.5L ? std::trunc(f + 1.0L) : std::trunc(static_cast<long double>(f));
    return checkedInt32(whole + part);
}

long double RoundTo4(long double x) {
    if (x == 0) return 0;
    return std::trunc(x) + RoundHalfUp(frac(x) * 10000.0L) / 10000.0L;
}

long double RoundTo1(long double x) {
    if (x == 0) return 0;
    return std::trunc(x) + RoundHalfUp(frac(x) * 10.0L) / 10.0L;
}

int32_t CeilUnits(long double x) {
    if (x != 0) {
        x = RoundTo1(x);
        if (std::fabs(x - std::trunc(x)) >= 0.1L) x = std::trunc(x + 1);
    }
    return checkedInt32(std::trunc(x));
}

int32_t FloorUnits(long double x) {
    if (x != 0) {
        x = RoundTo1(x);
        if (std::fabs(x - std::trunc(x)) >= 0.1L) x = std::trunc(x - 1);
    }
    return checkedInt32(std::trunc(x));
}

bool LessBy(long double a, long double b) {
    return a - b <= -0.01L;
}
bool GreaterBy(long double a, long double b) {
    return b - a <= -0.01L;
}

// --- Units ---

int32_t MmToUnits(long double mm) {
    return RoundHalfUp(mm * 10.0L);
}
int32_t UnitsToMm(long double units) {
    return RoundHalfUp(units / 10.0L);
}
float MmToUnitsF(float mm) {
    return static_cast<float>(mm * 10.0L);
}
float UnitsToMmF(float units) {
    return static_cast<float>(units / 10.0L);
}

int32_t ScaleToDevice(long double value, long double scale) {
    return RoundHalfUp(value / scale);
}
TIntPoint ScaleToDevice(const TIntPoint& p, long double scale) {
    return {ScaleToDevice(p.X, scale), ScaleToDevice(p.Y, scale)};
}
long double ScaleToDeviceF(long double value, long double scale) {
    return RoundTo1(value / scale);
}
TFloatPoint ScaleToDeviceF(const TFloatPoint& p, long double scale) {
    return {static_cast<float>(ScaleToDeviceF(p.X, scale)), static_cast<float>(ScaleToDeviceF(p.Y, scale))};
}

// --- Points ---

TFloatPoint ToFloat(const TIntPoint& p) {
    return {static_cast<float>(p.X), static_cast<float>(p.Y)};
}
TIntPoint ToInt(const TFloatPoint& p) {
    return {RoundHalfUp(p.X), RoundHalfUp(p.Y)};
}
TFloatPoint RoundTo4(const TFloatPoint& p) {
    return {static_cast<float>(RoundTo4(p.X)), static_cast<float>(RoundTo4(p.Y))};
}
TIntPoint CeilUnits(const TFloatPoint& p) {
    return {CeilUnits(p.X), CeilUnits(p.Y)};
}
TIntPoint FloorUnits(const TFloatPoint& p) {
    return {FloorUnits(p.X), FloorUnits(p.Y)};
}

TFloatPoint MidPoint(const TFloatPoint& a, const TFloatPoint& b) {
    return {static_cast<float>((static_cast<long double>(a.X) + b.X) / 2),
            static_cast<float>((static_cast<long double>(a.Y) + b.Y) / 2)};
}
TIntPoint MidPoint(const TIntPoint& a, const TIntPoint& b) {
    return {RoundHalfUp((static_cast<long double>(a.X) + b.X) / 2),
            RoundHalfUp((static_cast<long double>(a.Y) + b.Y) / 2)};
}

long double Distance(const TFloatPoint& a, const TFloatPoint& b) {
    const long double dx = static_cast<long double>(b.X) - a.X, dy = static_cast<long double>(b.Y) - a.Y;
    return std::sqrt(dx * dx + dy * dy);
}
long double Distance(const TIntPoint& a, const TIntPoint& b) {
    const long double dx = static_cast<long double>(b.X) - a.X, dy = static_cast<long double>(b.Y) - a.Y;
    return std::sqrt(dx * dx + dy * dy);
}

bool SamePoint(const TIntPoint& a, const TIntPoint& b) {
    return a.X == b.X && a.Y == b.Y;
}

TIntPoint AddPoints(const TIntPoint& a, const TIntPoint& b) {
    return {checkedInt32(static_cast<long double>(a.X) + b.X), checkedInt32(static_cast<long double>(a.Y) + b.Y)};
}
TFloatPoint AddPointsF(const TIntPoint& a, const TIntPoint& b) {
    return {static_cast<float>(static_cast<long double>(a.X) + b.X),
            static_cast<float>(static_cast<long double>(a.Y) + b.Y)};
}

// --- Directions ---

long double Angle(const TFloatPoint& a, const TFloatPoint& b) {
    return angleOf(static_cast<long double>(b.X) - a.X, static_cast<long double>(b.Y) - a.Y);
}
long double Angle(const TIntPoint& a, const TIntPoint& b) {
    return angleOf(static_cast<long double>(b.X) - a.X, static_cast<long double>(b.Y) - a.Y);
}

int Quadrant(const TFloatPoint& a, const TFloatPoint& b) {
    const long double dx = static_cast<long double>(b.X) - a.X, dy = static_cast<long double>(b.Y) - a.Y;
    if (dx > 0) return dy < 0 ? 1 : (dy == 0 ? 2 : 3);
    if (dx < 0) return dy > 0 ? 5 : (dy == 0 ? 6 : 7);
    if (dy > 0) return 4;
    if (dy < 0) return 8;
    return 0;
}

int AngleSector(long double a) {
    if (a > 0 && a < 90) return 1;
    if (a == 0 || a == 360) return 2;
    if (a > 270 && a < 360) return 3;
    if (a == 270) return 4;
    if (a > 180 && a < 270) return 5;
    if (a == 180) return 6;
    if (a > 90 && a < 180) return 7;
    if (a == 90) return 8;
    return 0;
}

// --- Angles at corners ---

long double CornerAngle(const TFloatPoint& a, const TFloatPoint& b, const TFloatPoint& c) {
    return cornerAngle(a.X, a.Y, b.X, b.Y, c.X, c.Y);
}

long double CornerAngleArc(const TFloatPoint& a, const TFloatPoint& b, const TFloatPoint& c, long double r,
                           long double rPrev, const TFloatPoint& centre, const TFloatPoint& centrePrev) {
    if (r == 0 && rPrev == 0) return CornerAngle(a, b, c);
    long double result = 0;
    if (r > 0) result += adjustArcAngle(CornerAngle(a, b, centre));
    if (rPrev > 0) result += adjustArcAngle(CornerAngle(centrePrev, b, c));
    return result;
}

// --- Arcs ---

long double ArcRise(long double r, long double chord) {
    const long double half = chord / 2;
    if (chord > 0 && r * r >= half * half) return RoundTo1(r - std::sqrt(r * r - half * half));
    return 0;
}

long double ArcRadius(long double rise, long double chord) {
    const long double half = chord / 2;
    if (chord > 0 && rise > 0) return RoundTo1((half * half + rise * rise) / (2 * rise));
    return 0;
}

TFloatPoint ArcCenter(const TFloatPoint& s, const TFloatPoint& e, long double r) {
    const long double dx = static_cast<long double>(e.X) - s.X, dy = static_cast<long double>(e.Y) - s.Y;
    long double cx, cy;
    if (dx == 0 && dy == 0) {
        cx = r > 0 ? e.X - r : e.X;
        cy = e.Y;
    } else {
        const long double c = std::sqrt(dx * dx + dy * dy);
        const long double d = r * r - (c / 2) * (c / 2);
        long double k = 0;
        if (d >= 0) {
            k = std::sqrt(d);
        } else if (dx != 0 && dy != 0) {
            throw TqxfError(QStringLiteral("Ошибка вычисления центра дуги: радиус меньше половины хорды!"));
        }
        cx = (static_cast<long double>(s.X) + e.X) / 2 + k * -dy / c;
        cy = (static_cast<long double>(s.Y) + e.Y) / 2 + k * dx / c;
    }
    return {static_cast<float>(RoundTo4(cx)), static_cast<float>(RoundTo4(cy))};
}

bool PointOnArc(const TFloatPoint& s, const TFloatPoint& e, const TFloatPoint& centre, const TFloatPoint& p,
                long double r) {
    if (std::fabs(Distance(p, centre) - r) > 0.5L) return false;
    const long double side = (static_cast<long double>(p.X) - s.X) * (static_cast<long double>(e.Y) - s.Y) -
                             (static_cast<long double>(p.Y) - s.Y) * (static_cast<long double>(e.X) - s.X);
    return side * r >= 0;
}

// --- Constructed points ---

TFloatPoint PointToward(const TFloatPoint& p, const TFloatPoint& q, long double d) {
    const RealPoint r = towardPoint(p.X, p.Y, q.X, q.Y, d);
    return {static_cast<float>(r.X), static_cast<float>(r.Y)};
}

TIntPoint PointTowardInt(const TIntPoint& p, const TIntPoint& q, long double d) {
    const RealPoint r = towardPoint(p.X, p.Y, q.X, q.Y, d);
    return {RoundHalfUp(r.X), RoundHalfUp(r.Y)};
}

TFloatPoint PolarPoint(const TFloatPoint& origin, const TFloatPoint& a, const TFloatPoint& b, long double offset,
                       long double d) {
    const RealPoint r = polarPoint(origin.X, origin.Y, static_cast<long double>(b.X) - a.X,
                                   static_cast<long double>(b.Y) - a.Y, offset, d);
    return {static_cast<float>(r.X), static_cast<float>(r.Y)};
}

TIntPoint PolarPointInt(const TIntPoint& origin, const TIntPoint& a, const TIntPoint& b, long double offset,
                        long double d) {
    const RealPoint r = polarPoint(origin.X, origin.Y, static_cast<long double>(b.X) - a.X,
                                   static_cast<long double>(b.Y) - a.Y, offset, d);
    return {RoundHalfUp(r.X), RoundHalfUp(r.Y)};
}

TFloatPoint RotatePoint(const TFloatPoint& p, const TFloatPoint& pivot, long double degrees) {
    const RealPoint r = rotatedPoint(p.X, p.Y, pivot.X, pivot.Y, degrees);
    return {static_cast<float>(RoundTo4(r.X)), static_cast<float>(RoundTo4(r.Y))};
}

TIntPoint RotatePointInt(const TIntPoint& p, const TIntPoint& pivot, long double degrees) {
    const RealPoint r = rotatedPoint(p.X, p.Y, pivot.X, pivot.Y, degrees);
    return {RoundHalfUp(r.X), RoundHalfUp(r.Y)};
}

// --- Drawing ---

void DrawLine(QPainter& canvas, const TIntPoint& p, const TIntPoint& q) {
    canvas.drawLine(QPoint(p.X, p.Y), QPoint(q.X, q.Y));
}

void DrawSide(QPainter& canvas, const TIntPoint& s, const TIntPoint& e, const QColor& colour, long double r,
              const TFloatPoint& centre) {
    const QPen pen = canvas.pen();
    const QBrush brush = canvas.brush();
    QBrush coloured = brush;
    if (coloured.style() == Qt::NoBrush) coloured.setStyle(Qt::SolidPattern);
    coloured.setColor(colour);
    canvas.setBrush(coloured);
    if (r == 0) {
        DrawLine(canvas, s, e);
    } else {
        const long double radius = std::fabs(r);
        const long double start =
            angleOf(s.X - static_cast<long double>(centre.X), s.Y - static_cast<long double>(centre.Y));
        const long double end =
            angleOf(e.X - static_cast<long double>(centre.X), e.Y - static_cast<long double>(centre.Y));
        // Which side of S→E the centre lies on (positive: on the left as seen on screen).
        const long double side = (static_cast<long double>(centre.X) - s.X) * (static_cast<long double>(e.Y) - s.Y) -
                                 (static_cast<long double>(centre.Y) - s.Y) * (static_cast<long double>(e.X) - s.X);
        // The arc lies on the side away from the centre; a centre on the chord leaves the choice to the
        // radius' sign (positive: the arc on the left of S→E, as a point on the arc is recognised).
        // Device points are whole units while the centre keeps a tenth: a semicircle's centre that
        // rounding moved less than a unit off its chord still counts as on it.
        const long double chord = std::hypot(static_cast<long double>(e.X) - s.X, static_cast<long double>(e.Y) - s.Y);
        const bool onChord = chord == 0 || std::fabs(side) / chord < 1.0L;
        const bool arcOnLeft = onChord ? r > 0 : side < 0;
        long double span;
        if (arcOnLeft) {
            span = std::fmod(start - end + 720.0L, 360.0L);  // clockwise on screen
            if (span == 0) span = 360;
            span = -span;
        } else {
            span = std::fmod(end - start + 720.0L, 360.0L);  // counter-clockwise on screen
            if (span == 0) span = 360;
        }
        const QRectF box(static_cast<double>(centre.X - radius), static_cast<double>(centre.Y - radius),
                         static_cast<double>(2 * radius), static_cast<double>(2 * radius));
        QPainterPath path;
        path.arcMoveTo(box, static_cast<double>(start));
        path.arcTo(box, static_cast<double>(start), static_cast<double>(span));
        canvas.strokePath(path, canvas.pen());
    }
    canvas.setBrush(brush);
    canvas.setPen(pen);
}

QSize DrawRotatedText(QPainter& canvas, const TIntPoint& position, const QString& text, long double angle) {
    return DrawRotatedText(canvas, position, text, angle, Qt::AlignLeft | Qt::AlignTop);
}

QSize DrawRotatedText(QPainter& canvas, const TIntPoint& position, const QString& text, long double angle,
                      Qt::Alignment alignment) {
    const QFontMetricsF metrics(canvas.font(), canvas.device());
    const qreal w = metrics.horizontalAdvance(text);
    const qreal h = metrics.height();
    qreal x = 0, y = 0;
    if (alignment & Qt::AlignHCenter)
        x = -w / 2;
    else if (alignment & Qt::AlignRight)
        x = -w;
    if (alignment & Qt::AlignBottom)
        y = -h;
    else if (alignment & Qt::AlignBaseline)
        y = -metrics.ascent();
    canvas.save();
    canvas.translate(position.X, position.Y);
    if (angle != 0) canvas.rotate(-static_cast<double>(angle));  // Qt turns clockwise on screen
    canvas.drawText(QPointF(x, y + metrics.ascent()), text);
    canvas.restore();
    if (angle == 0) return QSize(static_cast<int>(std::nearbyint(w)), static_cast<int>(std::nearbyint(h)));
    const long double a = degToRad(angle);
    const long double c = std::fabs(std::cos(a)), sn = std::fabs(std::sin(a));
    return QSize(static_cast<int>(std::nearbyint(c * w + sn * h)), static_cast<int>(std::nearbyint(sn * w + c * h)));
}

}  // namespace qx
