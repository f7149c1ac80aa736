// recording_canvas.h — a paint device that records the lines, polylines, paths and texts drawn on it
// in device coordinates, so that tests can check the geometry of a drawing.
#pragma once
#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <memory>
#include <vector>

namespace qx::test {

struct RecordedLine {
    QLineF line;  // device coordinates
    qreal penWidth = 0;
};

struct RecordedPolyline {
    QPolygonF points;  // device coordinates
    qreal penWidth = 0;
};

struct RecordedPath {
    QPainterPath path;  // device coordinates
    qreal penWidth = 0;
};

struct RecordedText {
    QString text;
    QPointF bottomCentre;  // middle of the text's bottom edge, device coordinates
    qreal angle = 0;       // degrees, counter-clockwise as seen on screen
    qreal width = 0;       // advance of the text
    qreal penWidth = 0;
    bool opaqueBackground = false;
};

struct Recording {
    std::vector<RecordedLine> lines;
    std::vector<RecordedPolyline> polylines;
    std::vector<RecordedPath> paths;
    std::vector<RecordedText> texts;
    void clear() { *this = Recording(); }
};

class RecordingPaintEngine : public QPaintEngine {
public:
    explicit RecordingPaintEngine(Recording& recording);
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawLines(const QLineF* lines, int lineCount) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;
    Type type() const override { return QPaintEngine::User; }

private:
    Recording& recording_;
};

// A canvas of the given size at 96 dots per inch.
class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(int width = 2000, int height = 2000);
    ~RecordingDevice() override;
    QPaintEngine* paintEngine() const override { return engine_.get(); }
    Recording recording;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int width_, height_;
    std::unique_ptr<RecordingPaintEngine> engine_;
};

}  // namespace qx::test
