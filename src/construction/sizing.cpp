// sizing.cpp — dimension chains and the drawing of one dimension line.
#include "construction/sizing.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/format.h"

namespace qx {

TPainterStateGuard::TPainterStateGuard(QPainter& painter) : painter_(painter) {
    painter_.save();
}

TPainterStateGuard::~TPainterStateGuard() {
    painter_.restore();
}

int TqxfSizePointList::Add(const TqxfSizePoint& point) {
    if (std::find(points_.begin(), points_.end(), point) != points_.end()) return -1;
    points_.push_back(point);
    return Count() - 1;
}

void TqxfSizePointList::SortByX() {
    std::stable_sort(points_.begin(), points_.end(),
                     [](const TqxfSizePoint& a, const TqxfSizePoint& b) { return a.X < b.X; });
}

void TqxfSizePointList::SortByY() {
    std::stable_sort(points_.begin(), points_.end(),
                     [](const TqxfSizePoint& a, const TqxfSizePoint& b) { return a.Y < b.Y; });
}

void TqxfSizing::Insert(int index, std::unique_ptr<TqxfSizePointList> chain) {
    chains_.insert(chains_.begin() + std::clamp(index, 0, Count()), std::move(chain));
}

void TqxfSizing::DrawRow(QPainter& canvas, const TIntPoint& origin, bool vertical, int extension, long double scale) {
    Angle = vertical ? 90 : 0;
    for (const auto& chain : chains_) {
        for (int i = 1; i < chain->Count(); ++i) {
            const TqxfSizePoint& from = vertical ? chain->Point(i) : chain->Point(i - 1);
            const TqxfSizePoint& to = vertical ? chain->Point(i - 1) : chain->Point(i);
            DrawDimension(canvas, origin, extension, chain->Caption, from, to, scale, Angle);
        }
    }
}

QString DimensionText(long double distanceMm) {
    long double whole;
    if (std::modf(distanceMm, &whole) != 0) return Format(QStringLiteral("%.1f"), distanceMm);
    return Format(QStringLiteral("%.0f"), distanceMm);
}

void DrawDimension(QPainter& canvas, const TIntPoint& origin, int extension, const QString& caption,
                   const TqxfSizePoint& p, const TqxfSizePoint& q, long double scale, long double angle) {
    const TPainterStateGuard guard(canvas);
    QPen pen = canvas.pen();
    pen.setWidth(1);
    canvas.setPen(pen);

    const QString text =
        caption.isEmpty() ? DimensionText(Distance(TIntPoint{p.X, p.Y}, TIntPoint{q.X, q.Y})) : caption;
    const TIntPoint s = AddPoints(ScaleToDevice(TIntPoint{p.X, p.Y}, scale), origin);
    const TIntPoint e = AddPoints(ScaleToDevice(TIntPoint{q.X, q.Y}, scale), origin);
    const int a = extension;
    const int32_t b = RoundHalfUp(a / 1.8L);
    const int32_t w = a / 5;
    auto atS = [&](int32_t dx, int32_t dy) { return RotatePointInt(TIntPoint{s.X + dx, s.Y + dy}, s, angle); };
    auto atE = [&](int32_t dx, int32_t dy) { return RotatePointInt(TIntPoint{e.X + dx, e.Y + dy}, e, angle); };

    DrawLine(canvas, s, e);
    DrawLine(canvas, s, atS(b, -w));
    DrawLine(canvas, s, atS(b, w));
    DrawLine(canvas, atS(0, -a), atS(0, 1));
    DrawLine(canvas, e, atE(-b, -w));
    DrawLine(canvas, e, atE(-b, w));
    DrawLine(canvas, atE(0, -a), atE(0, 1));

    DrawRotatedText(canvas, MidPoint(s, e), text, angle, Qt::AlignHCenter | Qt::AlignBottom);
}

}  // namespace qx
