// recording_canvas.cpp — the recording paint device of the drawing tests.
#include "recording_canvas.h"

#include <QPainter>
#include <QTextItem>
#include <cmath>

namespace qx::test {

RecordingPaintEngine::RecordingPaintEngine(Recording& recording)
    : QPaintEngine(QPaintEngine::AllFeatures), recording_(recording) {}

void RecordingPaintEngine::drawLines(const QLineF* lines, int lineCount) {
    const QTransform t = painter()->combinedTransform();
    for (int i = 0; i < lineCount; ++i)
        recording_.lines.push_back({t.map(lines[i]), painter()->pen().widthF()});
}

void RecordingPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode) {
    const QTransform t = painter()->combinedTransform();
    QPolygonF polygon;
    for (int i = 0; i < pointCount; ++i)
        polygon << t.map(points[i]);
    recording_.polylines.push_back({polygon, painter()->pen().widthF()});
}

void RecordingPaintEngine::drawPath(const QPainterPath& path) {
    recording_.paths.push_back({painter()->combinedTransform().map(path), painter()->pen().widthF()});
}

void RecordingPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem) {
    const QTransform t = painter()->combinedTransform();
    RecordedText text;
    text.text = textItem.text();
    text.width = textItem.width();
    text.bottomCentre = t.map(QPointF(p.x() + textItem.width() / 2, p.y() + textItem.descent()));
    const QPointF axis = t.map(QPointF(1, 0)) - t.map(QPointF(0, 0));
    text.angle = -std::atan2(axis.y(), axis.x()) * 180 / M_PI;
    text.penWidth = painter()->pen().widthF();
    text.opaqueBackground =
        painter()->background().style() != Qt::NoBrush && painter()->backgroundMode() == Qt::OpaqueMode;
    recording_.texts.push_back(text);
}

RecordingDevice::RecordingDevice(int width, int height)
    : width_(width), height_(height), engine_(std::make_unique<RecordingPaintEngine>(recording)) {}

RecordingDevice::~RecordingDevice() = default;

int RecordingDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return width_;
        case PdmHeight:
            return height_;
        case PdmWidthMM:
            return width_ * 254 / 960;
        case PdmHeightMM:
            return height_ * 254 / 960;
        case PdmNumColors:
            return 1 << 24;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
    }
}

}  // namespace qx::test
