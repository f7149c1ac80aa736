// sketch_object.cpp — drawing of sketch objects and loading of pictures.
#include "reports/sketch_object.h"

#include <QFontMetrics>
#include <QPainter>

#include "construction/construction.h"
#include "construction/sketch.h"

namespace qx {

namespace {

// The font of sketch dimension lines and of the placeholder.
QFont sketchFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(7);
    return font;
}

}  // namespace

void TqxfFRDrawView::Draw(QPainter& canvas, const QRect& rect) const {
    if (Bound && DrawRoutine) {
        DrawRoutine(canvas, rect, Object);
        return;
    }
    canvas.save();
    QFont font = canvas.font();
    font.setBold(true);
    canvas.setFont(font);
    canvas.setPen(QColor(Qt::red));
    const QString text = QString::fromUtf8(kSketchPlaceholderText);
    const QFontMetrics metrics(font, canvas.device());
    const int textWidth = metrics.horizontalAdvance(text);
    const int textHeight = metrics.height();
    const int left = rect.x() + (rect.width() - textWidth) / 2;
    const int top = rect.y() + (rect.height() - textHeight) / 2;
    canvas.drawText(QPoint(left, top + metrics.ascent()), text);
    canvas.restore();
}

QImage TqxfFRDrawView::Render(const QSize& size, int dpi) const {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter canvas(&image);
    canvas.setRenderHint(QPainter::Antialiasing);
    canvas.setRenderHint(QPainter::TextAntialiasing);
    canvas.setFont(sketchFont());
    canvas.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Draw(canvas, QRect(QPoint(0, 0), size));
    canvas.end();
    return image;
}

bool TReportPicture::LoadFromFile(const QString& fileName) {
    QImage image;
    if (!image.load(fileName)) return false;
    Picture = image;
    SourceFile = fileName;
    return true;
}

void DrawConstructionSketch(QPainter& canvas, const QRect& rect, const TqxfConstruction* construction) {
    if (!construction) return;
    DrawSketch(canvas, *construction, rect, 1, kAllSizeGridOptions);
}

}  // namespace qx
