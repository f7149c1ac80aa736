// sketch_object.h — the objects a report template holds by name: the sketch of a position
// ("QXFImage") and pictures such as the firm's logo ("LogoPicture").
#pragma once
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

class QPainter;

namespace qx {

class TqxfConstruction;

// The text an unbound sketch shows.
inline constexpr const char* kSketchPlaceholderText = "ЭСКИЗ ИЗДЕЛИЯ";
// The base name of new sketch objects.
inline constexpr const char* kSketchObjectBaseName = "QXFImage";

// An object of a template, met again each time its band prints.
class TReportObject {
public:
    virtual ~TReportObject() = default;
    QString Name;
    int Line = 0;     // template line of its element
    qreal Width = 0;  // CSS pixels (1/96 inch)
    qreal Height = 0;
};

// The sketch object: a rectangle that draws the construction it is bound to.
class TqxfFRDrawView : public TReportObject {
public:
    // Draws a construction into a rectangle of the canvas.
    using TDrawRoutine = std::function<void(QPainter& canvas, const QRect& rect, const TqxfConstruction* object)>;

    TDrawRoutine DrawRoutine;
    const TqxfConstruction* Object = nullptr;
    bool Bound = false;  // a new object is unbound; the data module binds it before it prints

    // Bound with a routine: the routine draws the object into rect. Unbound: the placeholder
    // text in red bold, centred in rect, with the canvas's font family and size.
    void Draw(QPainter& canvas, const QRect& rect) const;
    // The object drawn on a white image of the given pixel size at dpi dots per inch.
    QImage Render(const QSize& size, int dpi) const;
};

// A picture object: the template's own picture unless something loads another into it.
class TReportPicture : public TReportObject {
public:
    QImage Picture;
    QString SourceFile;  // the file the picture came from, empty when none
    // Replaces the picture with the file's; false (picture unchanged) when it cannot be read.
    bool LoadFromFile(const QString& fileName);
};

// The data module's draw routine: the construction's sketch fitted into rect at zoom 1 with all
// three size-grid options (dimension lines included); nothing for a null construction.
void DrawConstructionSketch(QPainter& canvas, const QRect& rect, const TqxfConstruction* construction);

}  // namespace qx
