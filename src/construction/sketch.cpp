// sketch.cpp — sash sides, opening markers, direction symbols and the fitted position sketch.
#include "construction/sketch.h"

#include <QPainter>

#include "construction/construction.h"
#include "construction/flugel.h"

namespace qx {

namespace {

// Internal units of the direction symbol: half its length, arrowhead length and half-width.
constexpr int32_t kSymbolHalf = 650;

TIntPoint scaled(const TIntPoint& p, long double scale) {
    return ScaleToDevice(p, scale);
}

void drawScaled(QPainter& canvas, const TIntPoint& p, const TIntPoint& q, long double scale) {
    DrawLine(canvas, scaled(p, scale), scaled(q, scale));
}

}  // namespace

void DrawLine(QPainter& canvas, const TqxfLine& line, long double scale) {
    if (!line.StartPoint || !line.EndPoint) return;
    const TFloatPoint centre{static_cast<float>(RoundTo1(line.Center.X / scale)),
                             static_cast<float>(RoundTo1(line.Center.Y / scale))};
    DrawSide(canvas, scaled(line.StartPoint->Pos(), scale), scaled(line.EndPoint->Pos(), scale), QColor(Qt::black),
             RoundTo1(line.R1 / scale), centre);
}

TIntPoint MarkerApex(const TqxfLine& target) {
    const TFloatPoint start = target.StartPoint->PosF();
    const TFloatPoint end = target.EndPoint->PosF();
    if (target.R1 == 0) return MidPoint(target.StartPoint->Pos(), target.EndPoint->Pos());
    const long double span = CornerAngle(end, target.Center, start);
    return ToInt(RotatePoint(start, target.Center, -span / 2));
}

void DrawOpeningMarker(QPainter& canvas, const TqxfFlugel& flugel, int side, long double scale) {
    const TqxfLine& line = flugel.Line(side);
    if (line.RotSide < 0 || line.RotSide > flugel.PointCount() - 1 || line.RotSide >= flugel.LineCount()) return;
    const TqxfLine& target = flugel.Line(line.RotSide);
    if (!line.StartPoint || !line.EndPoint || !target.StartPoint || !target.EndPoint) return;
    const TPainterStateGuard guard(canvas);
    QPen pen = canvas.pen();
    pen.setWidth(1);
    canvas.setPen(pen);
    const TIntPoint a = scaled(line.StartPoint->Pos(), scale);
    const TIntPoint b = scaled(MarkerApex(target), scale);
    const TIntPoint c = scaled(line.EndPoint->Pos(), scale);
    const QPoint polyline[] = {QPoint(a.X, a.Y), QPoint(b.X, b.Y), QPoint(c.X, c.Y)};
    canvas.drawPolyline(polyline, 3);
}

void DrawDirectionSymbol(QPainter& canvas, const TqxfFlugel& flugel, int image, long double scale) {
    if (image < 1 || image > 5) return;
    TIntPoint topLeft, bottomRight;
    flugel.GetBounds(topLeft, bottomRight);
    const int32_t left = MmToUnits(topLeft.X), top = MmToUnits(topLeft.Y);
    const int32_t right = MmToUnits(bottomRight.X), bottom = MmToUnits(bottomRight.Y);
    const int32_t cx = left + (right - left) / 2;
    const int32_t cy = top + (bottom - top) / 2;
    const TIntPoint l{cx - kSymbolHalf, cy};
    const TIntPoint r{cx + kSymbolHalf, cy};
    const int32_t g = RoundHalfUp(kSymbolHalf / 1.5L);
    const int32_t h = kSymbolHalf / 4;
    const bool leftHead = image == 1 || image == 3 || image == 4;
    const bool rightHead = image == 2 || image == 3 || image == 5;
    drawScaled(canvas, l, r, scale);
    if (leftHead) {
        drawScaled(canvas, l, TIntPoint{l.X + g, l.Y - h}, scale);
        drawScaled(canvas, l, TIntPoint{l.X + g, l.Y + h}, scale);
    }
    if (rightHead) {
        drawScaled(canvas, r, TIntPoint{r.X - g, r.Y - h}, scale);
        drawScaled(canvas, r, TIntPoint{r.X - g, r.Y + h}, scale);
    }
    if (image == 4) drawScaled(canvas, TIntPoint{r.X, r.Y + kSymbolHalf}, r, scale);
    if (image == 5) drawScaled(canvas, TIntPoint{l.X, l.Y + kSymbolHalf}, l, scale);
}

void DrawFlugel(QPainter& canvas, const TqxfFlugel& flugel, long double scale) {
    for (const auto& line : flugel.Lines)
        DrawLine(canvas, *line, scale);
    if (!flugel.FurnComp) return;
    for (int i = 0; i < flugel.LineCount(); ++i)
        if (flugel.Line(i).Opening) DrawOpeningMarker(canvas, flugel, i, scale);
    DrawDirectionSymbol(canvas, flugel, flugel.FurnComp->ComplectImage, scale);
}

TSketchPlacement DrawSketch(QPainter& canvas, const TqxfConstruction& construction, const QRect& area, long double zoom,
                            TSizeGridOptions options, const QPoint& scrollPercent) {
    TSketchPlacement placement;
    TqxfSizeGrid grid(canvas);
    grid.Setup(construction, options);
    // Vertical rows stand to the right of the drawing, horizontal rows below it.
    const int32_t availWidth = area.width() - grid.VertReserve() - 20;
    const int32_t availHeight = area.height() - grid.HorzReserve() - 20;
    int32_t width = 0, height = 0;
    construction.GetSize(width, height);
    if (width <= 0 || height <= 0 || availWidth <= 0 || availHeight <= 0) return placement;

    const long double w = width, h = height, aw = availWidth, ah = availHeight;
    long double scale = w / h >= aw / ah ? w / aw : h / ah;
    if (zoom != 0) scale *= zoom;
    placement.Scale = scale;
    placement.Size = QSize(RoundHalfUp(w / scale), RoundHalfUp(h / scale));
    placement.Offset =
        QPoint((availWidth - placement.Size.width()) / 2 + 10, (availHeight - placement.Size.height()) / 2 + 10);

    const TPainterStateGuard guard(canvas);
    canvas.translate(area.left() + placement.Offset.x(), area.top() + placement.Offset.y());
    canvas.translate(-RoundHalfUp(scrollPercent.x() * static_cast<long double>(placement.Size.width()) / 100),
                     -RoundHalfUp(scrollPercent.y() * static_cast<long double>(placement.Size.height()) / 100));
    QPen pen = canvas.pen();
    pen.setWidth(3);
    canvas.setPen(pen);
    DrawFlugel(canvas, *construction.Flugel1, 10 * scale);
    if (construction.FlugelMode != kOneSash && construction.Flugel2)
        DrawFlugel(canvas, *construction.Flugel2, 10 * scale);
    grid.Draw(scale);
    placement.Drawn = true;
    return placement;
}

QImage RenderSketch(const TqxfConstruction& construction, const QSize& size, TSizeGridOptions options) {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;  // no pixels to draw on
    image.fill(Qt::white);
    QPainter canvas(&image);
    canvas.setRenderHint(QPainter::Antialiasing);
    canvas.setRenderHint(QPainter::TextAntialiasing);
    canvas.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    canvas.translate(0.5, 0.5);  // device units at pixel centres: one-unit lines stay sharp
    DrawSketch(canvas, construction, QRect(QPoint(0, 0), size), 0, options);
    canvas.end();
    return image;
}

}  // namespace qx
