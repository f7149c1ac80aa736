// sketch_test.cpp — sides, opening markers, direction symbols and the fitted position sketch.
#include "construction/sketch.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "construction/construction.h"
#include "recording_canvas.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

using test::RecordingDevice;

std::unique_ptr<TqxfConstruction> position(uint8_t mode, TSizeRec sizes) {
    auto c = std::make_unique<TqxfConstruction>();
    c->FlugelMode = mode;
    c->BuildGeometry(sizes, 0);
    return c;
}

std::vector<QLine> linesOf(const test::Recording& r) {
    std::vector<QLine> out;
    for (const auto& l : r.lines)
        out.push_back(l.line.toLine());
    return out;
}

// Gives the sash a kit record without running the selection.
TqxfFurnComp& giveKit(TqxfFlugel& flugel, int32_t image = 0) {
    flugel.FurnComp = std::make_unique<TqxfFurnComp>(&flugel);
    flugel.FurnComp->ComplectImage = image;
    return *flugel.FurnComp;
}

void markOpening(TqxfFlugel& flugel, int side, int rotSide) {
    flugel.Line(side).Opening = true;
    flugel.Line(side).RotSide = rotSide;
}

TEST(Sketch, FitsAPositionIntoTheAreaCentredWithAMarginOfTen) {
    RecordingDevice device;
    QPainter canvas(&device);
    auto c = position(kOneSash, {700, 1400, 0, 0, 0, 0, 0});
    const TSketchPlacement p = DrawSketch(canvas, *c, QRect(0, 0, 400, 400), 0, {});
    EXPECT_TRUE(p.Drawn);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Scale), 1400.0 / 380);
    EXPECT_EQ(p.Size, QSize(190, 380));
    EXPECT_EQ(p.Offset, QPoint(105, 10));
    EXPECT_TRUE(canvas.transform().isIdentity());
    canvas.end();

    const std::vector<QLine> expected = {
        {105, 390, 105, 10}, {105, 10, 295, 10}, {295, 10, 295, 390}, {295, 390, 105, 390}};
    EXPECT_EQ(linesOf(device.recording), expected);
    for (const auto& l : device.recording.lines)
        EXPECT_EQ(l.penWidth, 3);
    EXPECT_TRUE(device.recording.texts.empty());
}

TEST(Sketch, AreaOriginZoomAndScrollMoveAndScaleTheDrawing) {
    auto c = position(kOneSash, {700, 1400, 0, 0, 0, 0, 0});
    {
        RecordingDevice device;
        QPainter canvas(&device);
        const TSketchPlacement p = DrawSketch(canvas, *c, QRect(50, 20, 400, 400), 2, {});
        EXPECT_DOUBLE_EQ(static_cast<double>(p.Scale), 2 * 1400.0 / 380);
        EXPECT_EQ(p.Size, QSize(95, 190));
        EXPECT_EQ(p.Offset, QPoint(152, 105));
        canvas.end();
        EXPECT_EQ(linesOf(device.recording).front(), QLine(202, 315, 202, 125));
    }
    {
        RecordingDevice device;
        QPainter canvas(&device);
        DrawSketch(canvas, *c, QRect(0, 0, 400, 400), 0, {}, QPoint(10, 50));  // 19 and 190 device units
        canvas.end();
        EXPECT_EQ(linesOf(device.recording).front(), QLine(86, 200, 86, -180));
    }
}

TEST(Sketch, DimensionRowsTakeTheirRoomBesideTheDrawingAndStayInsideTheArea) {
    // The trapezoid has two vertical rows (to the right) and one horizontal row (below).
    auto c = position(kOneSash, {700, 1400, 3, 700, 0, 0, 0});
    for (QRect area : {QRect(0, 0, 300, 600), QRect(0, 0, 600, 300), QRect(0, 0, 240, 800)}) {
        RecordingDevice device;
        QPainter canvas(&device);
        const int rh = TqxfSizeGrid(canvas).RowHeight;
        const TSketchPlacement p = DrawSketch(canvas, *c, area, 0, kAllSizeGridOptions);
        canvas.end();
        const int aw = area.width() - 2 * rh - 20, ah = area.height() - rh - 20;
        const long double s = 700.0L / 1400 >= static_cast<long double>(aw) / ah ? 700.0L / aw : 1400.0L / ah;
        EXPECT_DOUBLE_EQ(static_cast<double>(p.Scale), static_cast<double>(s));
        EXPECT_EQ(p.Offset, QPoint((aw - p.Size.width()) / 2 + 10, (ah - p.Size.height()) / 2 + 10));
        ASSERT_FALSE(device.recording.lines.empty());
        for (const auto& l : device.recording.lines) {
            EXPECT_TRUE(area.contains(l.line.p1().toPoint()) && area.contains(l.line.p2().toPoint()))
                << "area " << area.width() << "x" << area.height() << ": line " << l.line.x1() << "," << l.line.y1()
                << " - " << l.line.x2() << "," << l.line.y2();
        }
        std::vector<QString> texts;
        for (const auto& t : device.recording.texts)
            texts.push_back(t.text);
        EXPECT_EQ(texts, (std::vector<QString>{"700", "700", "700", "1400"}));
    }
}

TEST(Sketch, TheSecondSashIsDrawnUnlessThePositionHasOneSash) {
    auto c = position(kTwoSashesLeftActive, {1400, 1400, 0, 600, 800, 0, 0});
    RecordingDevice device;
    QPainter canvas(&device);
    DrawSketch(canvas, *c, QRect(0, 0, 400, 400), 0, {});
    EXPECT_EQ(device.recording.lines.size(), 8u);
    device.recording.clear();
    c->FlugelMode = kOneSash;
    DrawSketch(canvas, *c, QRect(0, 0, 400, 400), 0, {});
    EXPECT_EQ(device.recording.lines.size(), 4u);
}

TEST(Sketch, APositionWithoutSashesOrAnAreaWithoutRoomDrawsNothing) {
    TqxfConstruction empty;
    auto c = position(kOneSash, {700, 1400, 0, 0, 0, 0, 0});
    RecordingDevice device;
    QPainter canvas(&device);
    EXPECT_FALSE(DrawSketch(canvas, empty, QRect(0, 0, 400, 400), 0, kAllSizeGridOptions).Drawn);
    EXPECT_FALSE(DrawSketch(canvas, *c, QRect(0, 0, 20, 400), 0, {}).Drawn);
    EXPECT_FALSE(DrawSketch(canvas, *c, QRect(0, 0, 400, 30), 0, kAllSizeGridOptions).Drawn);
    canvas.end();
    EXPECT_TRUE(device.recording.lines.empty());
    EXPECT_TRUE(device.recording.paths.empty());
}

TEST(SashDrawing, ArchHasThreeStraightSidesAndAnArcThroughItsTop) {
    for (TSizeRec sizes : {TSizeRec{1000, 1500, 7, 500, 0, 500, 500}, TSizeRec{1000, 1500, 7, 100, 0, 1300, 1300}}) {
        auto c = position(kOneSash, sizes);
        RecordingDevice device;
        QPainter canvas(&device);
        DrawFlugel(canvas, *c->Flugel1, 10);  // 1 mm per device unit
        canvas.end();
        const int spring = sizes.X == 500 ? 500 : 100;
        const std::vector<QLine> expected = {{0, 1500, 0, spring}, {1000, spring, 1000, 1500}, {1000, 1500, 0, 1500}};
        EXPECT_EQ(linesOf(device.recording), expected);
        ASSERT_EQ(device.recording.paths.size(), 1u);
        const QPainterPath& arc = device.recording.paths[0].path;
        const QRectF box = arc.boundingRect();
        EXPECT_NEAR(box.left(), 0, 0.5);
        EXPECT_NEAR(box.right(), 1000, 0.5);
        EXPECT_NEAR(box.top(), 0, 0.5);
        EXPECT_NEAR(box.bottom(), spring, 0.5);
        EXPECT_NEAR(arc.pointAtPercent(0.5).x(), 500, 0.5);
        EXPECT_NEAR(arc.pointAtPercent(0.5).y(), 0, 0.5);
    }
}

struct ApexCase {
    TSizeRec sizes;
    int side;
    TIntPoint apex;  // internal units
};

class MarkerApexes : public ::testing::TestWithParam<ApexCase> {};

TEST_P(MarkerApexes, LieInTheMiddleOfTheRotationSide) {
    auto c = position(kOneSash, GetParam().sizes);
    EXPECT_EQ(MarkerApex(c->Flugel1->Line(GetParam().side)), GetParam().apex);
}

INSTANTIATE_TEST_SUITE_P(Sketch, MarkerApexes,
                         ::testing::Values(ApexCase{{700, 1400, 0, 0, 0, 0, 0}, 0, {0, 7000}},
                                           ApexCase{{700, 1400, 0, 0, 0, 0, 0}, 3, {3500, 14000}},
                                           ApexCase{{701, 1400, 0, 0, 0, 0, 0}, 1, {3505, 0}},
                                           ApexCase{{1000, 1500, 7, 500, 0, 500, 500}, 1, {5000, 0}},
                                           ApexCase{{1000, 1500, 7, 100, 0, 1300, 1300}, 1, {5000, 0}},
                                           ApexCase{{700, 1400, 3, 700, 0, 0, 0}, 1, {3500, 3500}}));

TEST(SashDrawing, OpeningMarkersRunFromTheMarkedSideToTheMiddleOfTheRotationSide) {
    auto c = position(kOneSash, {1000, 1500, 7, 500, 0, 500, 500});
    TqxfFlugel& sash = *c->Flugel1;
    giveKit(sash);
    markOpening(sash, 1, 3);  // top arc to the bottom: from the springing points to the bottom's middle
    markOpening(sash, 3, 1);  // bottom to the arc: its tip in the middle of the arc
    RecordingDevice device;
    QPainter canvas(&device);
    canvas.setPen(QPen(Qt::black, 3));
    DrawFlugel(canvas, sash, 10);
    EXPECT_EQ(canvas.pen().width(), 3);
    canvas.end();
    const auto& markers = device.recording.polylines;
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0].points.toPolygon(), QPolygon({QPoint(0, 500), QPoint(500, 1500), QPoint(1000, 500)}));
    EXPECT_EQ(markers[1].points.toPolygon(), QPolygon({QPoint(1000, 1500), QPoint(500, 0), QPoint(0, 1500)}));
    for (const auto& m : markers)
        EXPECT_EQ(m.penWidth, 1);
    for (const auto& l : device.recording.lines)
        EXPECT_EQ(l.penWidth, 3);
}

TEST(SashDrawing, AKitFromTheCatalogDrawsTheMarkersAndSymbolItsSideRowsAndImageGive) {
    // Side 2 (the arc) tilts to side 4 (the bottom), side 3 (right) turns to side 1 (left).
    CatalogFixture catalog(
        QStringLiteral("INSERT INTO FrnComp (ID, Name, Image) VALUES ('ARCH', 'Арка', 3);"
                       "INSERT INTO FrnSide (ID, Side, OpenMode, RotSide) VALUES ('ARCH', 1, 0, 0), ('ARCH', 2, 1, 4),"
                       " ('ARCH', 3, 1, 1), ('ARCH', 4, 0, 0);"));
    auto c = position(kOneSash, {1000, 1500, 7, 500, 0, 500, 500});
    TFurnChoice choice;
    choice.ComplectID = QStringLiteral("ARCH");
    c->Flugel1->ApplyComplect(choice);
    ASSERT_TRUE(c->Flugel1->FurnComp);

    RecordingDevice device;
    QPainter canvas(&device);
    DrawFlugel(canvas, *c->Flugel1, 10);
    canvas.end();
    const auto& markers = device.recording.polylines;
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0].points.toPolygon(), QPolygon({QPoint(0, 500), QPoint(500, 1500), QPoint(1000, 500)}));
    EXPECT_EQ(markers[1].points.toPolygon(), QPolygon({QPoint(1000, 500), QPoint(0, 1000), QPoint(1000, 1500)}));
    // Three straight sides, then the double arrow about the box's middle (500, 750).
    std::vector<QLine> lines = linesOf(device.recording);
    ASSERT_EQ(lines.size(), 3u + 5);
    EXPECT_EQ(lines[3], QLine(435, 750, 565, 750));
}

TEST(SashDrawing, NoMarkersWithoutAKitOrWithARotationSideOutsideTheSash) {
    auto c = position(kOneSash, {700, 1400, 0, 0, 0, 0, 0});
    TqxfFlugel& sash = *c->Flugel1;
    markOpening(sash, 0, 2);
    RecordingDevice device;
    QPainter canvas(&device);
    DrawFlugel(canvas, sash, 10);  // flags left on the sides, but no kit
    EXPECT_TRUE(device.recording.polylines.empty());
    EXPECT_EQ(device.recording.lines.size(), 4u);

    giveKit(sash);
    sash.Line(0).RotSide = 4;
    sash.Line(1).Opening = true;  // RotSide -1
    DrawFlugel(canvas, sash, 10);
    EXPECT_TRUE(device.recording.polylines.empty());

    sash.Line(0).RotSide = 2;
    sash.Line(0).Opening = false;  // a rotation side without Opening draws nothing either
    DrawFlugel(canvas, sash, 10);
    EXPECT_TRUE(device.recording.polylines.empty());
    sash.Line(0).Opening = true;
    DrawFlugel(canvas, sash, 10);
    EXPECT_EQ(device.recording.polylines.size(), 1u);
}

struct SymbolCase {
    int image;
    std::vector<QLine> lines;
};

class DirectionSymbols : public ::testing::TestWithParam<SymbolCase> {};

TEST_P(DirectionSymbols, FollowTheKitImage) {
    auto c = position(kOneSash, {700, 1400, 0, 0, 0, 0, 0});
    TqxfFlugel& sash = *c->Flugel1;
    giveKit(sash, GetParam().image);
    RecordingDevice device;
    QPainter canvas(&device);
    DrawFlugel(canvas, sash, 10);
    canvas.end();
    std::vector<QLine> lines = linesOf(device.recording);
    ASSERT_GE(lines.size(), 4u);
    lines.erase(lines.begin(), lines.begin() + 4);  // the sides
    EXPECT_EQ(lines, GetParam().lines);
}

// Centre (3500, 7000) internal units; L = (2850, 7000), R = (4150, 7000); arrowheads 433 long and
// 162 to either side; at 10 units per device unit.
const QLine kShaft(285, 700, 415, 700);
const QLine kLeftUp(285, 700, 328, 684), kLeftDown(285, 700, 328, 716);
const QLine kRightUp(415, 700, 372, 684), kRightDown(415, 700, 372, 716);

INSTANTIATE_TEST_SUITE_P(Sketch, DirectionSymbols,
                         ::testing::Values(SymbolCase{0, {}}, SymbolCase{1, {kShaft, kLeftUp, kLeftDown}},
                                           SymbolCase{2, {kShaft, kRightUp, kRightDown}},
                                           SymbolCase{3, {kShaft, kLeftUp, kLeftDown, kRightUp, kRightDown}},
                                           SymbolCase{4, {kShaft, kLeftUp, kLeftDown, QLine(415, 765, 415, 700)}},
                                           SymbolCase{5, {kShaft, kRightUp, kRightDown, QLine(285, 765, 285, 700)}},
                                           SymbolCase{6, {}}, SymbolCase{-1, {}}));

TEST(Sketch, RendersAnImageOnWhiteWithTheSashAndItsDimensions) {
    auto c = position(kOneSash, {700, 1400, 0, 0, 0, 0, 0});
    const QImage image = RenderSketch(*c, QSize(400, 300));
    ASSERT_EQ(image.size(), QSize(400, 300));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));

    // The same fit on a recording canvas of the same resolution tells where the left side lies.
    RecordingDevice device(400, 300);
    QPainter canvas(&device);
    const TSketchPlacement p = DrawSketch(canvas, *c, QRect(0, 0, 400, 300), 0, kAllSizeGridOptions);
    canvas.end();
    const QPoint onLeftSide(p.Offset.x(), p.Offset.y() + p.Size.height() / 2);
    EXPECT_LT(image.pixelColor(onLeftSide).lightness(), 64);
    EXPECT_EQ(image.pixelColor(onLeftSide + QPoint(p.Size.width() / 2, 0)), QColor(Qt::white));
    EXPECT_TRUE(RenderSketch(*c, QSize(0, 300)).isNull());
}

}  // namespace
}  // namespace qx
