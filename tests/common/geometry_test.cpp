// geometry_test.cpp — the system's rounding, directions, corner angles, arcs and drawing primitives.
#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>

#include "common/error.h"
#include "common/geometry.h"

using namespace qx;

namespace {

TFloatPoint fp(float x, float y) {
    return {x, y};
}

// The smallest rectangle holding every non-white pixel (empty when nothing was drawn).
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QImage whiteImage() {
    QImage image(240, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

// --- RoundHalfUp ---

struct RoundCase {
    long double x;
    int32_t expected;
};

class RoundHalfUpCases : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfUpCases, RoundsSuccessivelyFromTheFourthDecimal) {
    EXPECT_EQ(RoundHalfUp(GetParam().x), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundHalfUpCases,
    ::testing::Values(RoundCase{2.5L, 3}, RoundCase{2.49L, 3}, RoundCase{2.445L, 3}, RoundCase{2.444L, 2},
                      RoundCase{2.4L, 2}, RoundCase{12.5L, 13}, RoundCase{0.0L, 0},
                      // The cut to four decimals works on the binary value: the double nearest 987.4445 lies
                      // below it and cuts to 987.4444, the extended one lies above and carries up.
                      RoundCase{987.4445, 987}, RoundCase{987.4445L, 988},
                      RoundCase{7000.49995L, 7001},  // beyond the fourth decimal dropped, then carried up
                      RoundCase{2.44449L, 2},        // 2.4444 after the cut
                      RoundCase{1.9999999L, 2},      // carries through every step
                      RoundCase{-2.7L, -2}, RoundCase{-0.5L, 0}, RoundCase{-12.5L, -12},  // negatives truncate
                      RoundCase{2147483647.0L, 2147483647}, RoundCase{-2147483648.0L, -2147483648}));

TEST(RoundHalfUp, DoubleArguments) {
    EXPECT_EQ(RoundHalfUp(2.445), 3);
    EXPECT_EQ(RoundHalfUp(2.444), 2);
    EXPECT_EQ(RoundHalfUp(987.4445), 987);
    EXPECT_EQ(RoundHalfUp(0.6f * 10), 6);  // a single 0.6 is 0.6000000238
}

TEST(RoundHalfUp, ResultsOutsideTheIntegerRangeRaise) {
    EXPECT_THROW(RoundHalfUp(3e9L), TqxfError);
    EXPECT_THROW(RoundHalfUp(-3e9L), TqxfError);
    EXPECT_THROW(RoundHalfUp(2147483647.5L), TqxfError);
    EXPECT_THROW(RoundHalfUp(std::numeric_limits<long double>::quiet_NaN()), TqxfError);
    EXPECT_THROW(RoundHalfUp(std::numeric_limits<long double>::infinity()), TqxfError);
}

TEST(RoundHalfUp, RoundToKeepsFourOrOneDecimals) {
    EXPECT_EQ(RoundTo4(0.0L), 0.0L);
    EXPECT_NEAR(static_cast<double>(RoundTo4(1.23456L)), 1.2346, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTo4(3499.99996L)), 3500.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTo4(-1.23456L)), -1.2345, 1e-12);  // negative fraction truncates
    EXPECT_NEAR(static_cast<double>(RoundTo1(2.45L)), 2.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTo1(7000.04L)), 7000.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTo1(99.96L)), 100.0, 1e-12);
}

struct CeilFloorCase {
    long double x;
    int32_t ceil;
    int32_t floor;
};

class CeilFloorUnits : public ::testing::TestWithParam<CeilFloorCase> {};

TEST_P(CeilFloorUnits, MoveAWholeUnitBeyondTheTenthTolerance) {
    EXPECT_EQ(CeilUnits(GetParam().x), GetParam().ceil);
    EXPECT_EQ(FloorUnits(GetParam().x), GetParam().floor);
}

INSTANTIATE_TEST_SUITE_P(Cases, CeilFloorUnits,
                         ::testing::Values(CeilFloorCase{7000.0L, 7000, 7000}, CeilFloorCase{7000.3L, 7001, 6999},
                                           CeilFloorCase{7000.04L, 7000, 7000}, CeilFloorCase{12.5L, 13, 11},
                                           CeilFloorCase{0.0L, 0, 0}, CeilFloorCase{6999.96L, 7000, 7000},
                                           CeilFloorCase{-2.5L, -1, -3}));

TEST(Rounding, TolerantComparisonsAndUnits) {
    EXPECT_TRUE(LessBy(1.0L, 1.02L));
    EXPECT_FALSE(LessBy(1.0L, 1.005L));
    EXPECT_FALSE(LessBy(1.01L, 1.0L));
    EXPECT_TRUE(GreaterBy(1.02L, 1.0L));
    EXPECT_FALSE(GreaterBy(1.005L, 1.0L));
    EXPECT_EQ(MmToUnits(700), 7000);
    EXPECT_EQ(MmToUnits(700.05L), 7001);
    EXPECT_EQ(UnitsToMm(7005), 701);
    EXPECT_EQ(UnitsToMm(7004), 700);
    EXPECT_FLOAT_EQ(MmToUnitsF(70.05f), 700.5f);
    EXPECT_FLOAT_EQ(UnitsToMmF(7005.0f), 700.5f);
    EXPECT_EQ(ScaleToDevice(7005, 10), 701);
    EXPECT_EQ(ScaleToDevice(TIntPoint{7005, -7005}, 10), (TIntPoint{701, -700}));
    EXPECT_NEAR(static_cast<double>(ScaleToDeviceF(7005, 100)), 70.1, 1e-12);
    EXPECT_THROW(ScaleToDevice(7005, 0), TqxfError);
}

TEST(Points, ConversionsMidpointsAndDistances) {
    EXPECT_EQ(ToInt(fp(2.445f, -2.7f)), (TIntPoint{3, -2}));
    EXPECT_EQ(ToFloat(TIntPoint{7000, -5}), fp(7000, -5));
    EXPECT_EQ(MidPoint(TIntPoint{0, 0}, TIntPoint{5, 3}), (TIntPoint{3, 2}));
    EXPECT_EQ(MidPoint(fp(0, 0), fp(5, 3)), fp(2.5f, 1.5f));
    EXPECT_EQ(CeilUnits(fp(12.5f, 7000)), (TIntPoint{13, 7000}));
    EXPECT_EQ(FloorUnits(fp(12.5f, 7000)), (TIntPoint{11, 7000}));
    EXPECT_DOUBLE_EQ(static_cast<double>(Distance(TIntPoint{0, 0}, TIntPoint{30, 40})), 50.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(Distance(fp(1, 1), fp(4, 5))), 5.0);
    EXPECT_TRUE(SamePoint(TIntPoint{1, 2}, TIntPoint{1, 2}));
    EXPECT_FALSE(SamePoint(TIntPoint{1, 2}, TIntPoint{2, 1}));
    EXPECT_EQ(AddPoints(TIntPoint{1, 2}, TIntPoint{10, -20}), (TIntPoint{11, -18}));
    EXPECT_EQ(AddPointsF(TIntPoint{1, 2}, TIntPoint{10, -20}), fp(11, -18));
}

// --- Directions ---

struct AngleCase {
    float dx, dy;
    double degrees;
    int quadrant;
};

class Directions : public ::testing::TestWithParam<AngleCase> {};

TEST_P(Directions, CountCounterClockwiseOnScreen) {
    const AngleCase& c = GetParam();
    const TFloatPoint a = fp(100, 100), b = fp(100 + c.dx, 100 + c.dy);
    EXPECT_NEAR(static_cast<double>(Angle(a, b)), c.degrees, 1e-9);
    EXPECT_NEAR(static_cast<double>(Angle(TIntPoint{100, 100}, TIntPoint{100 + int(c.dx), 100 + int(c.dy)})), c.degrees,
                1e-9);
    EXPECT_EQ(Quadrant(a, b), c.quadrant);
}

INSTANTIATE_TEST_SUITE_P(Cases, Directions,
                         ::testing::Values(AngleCase{10, -10, 45, 1}, AngleCase{-10, -10, 135, 7},
                                           AngleCase{-10, 10, 225, 5}, AngleCase{10, 10, 315, 3},
                                           AngleCase{0, -5, 90, 8}, AngleCase{0, 5, 270, 4}, AngleCase{5, 0, 0, 2},
                                           AngleCase{-5, 0, 180, 6}, AngleCase{0, 0, 0, 0},
                                           AngleCase{20, -10, 26.56505117707799, 1},
                                           AngleCase{-20, 10, 206.56505117707799, 5}));

TEST(Directions, AngleSectorsSplitAtTheAxes) {
    const std::pair<long double, int> cases[] = {{45, 1},  {0, 2},   {360, 2}, {300, 3}, {270, 4}, {200, 5},
                                                 {180, 6}, {135, 7}, {90, 8},  {-1, 0},  {361, 0}};
    for (const auto& [a, sector] : cases)
        EXPECT_EQ(AngleSector(a), sector) << static_cast<double>(a);
}

// --- Angles at corners ---

TEST(CornerAngle, InteriorAnglesOfClockwisePolygons) {
    const TFloatPoint rect[] = {fp(0, 1000), fp(0, 0), fp(800, 0), fp(800, 1000)};
    const TFloatPoint trap[] = {fp(0, 1400), fp(0, 700), fp(700, 0), fp(700, 1400)};
    const double trapAngles[] = {90, 135, 45, 90};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(static_cast<double>(CornerAngle(rect[(i + 3) % 4], rect[i], rect[(i + 1) % 4])), 90, 1e-9);
        EXPECT_NEAR(static_cast<double>(CornerAngle(trap[(i + 3) % 4], trap[i], trap[(i + 1) % 4])), trapAngles[i],
                    1e-9)
            << i;
    }
    // A reflex corner of an L-shaped outline.
    EXPECT_NEAR(static_cast<double>(CornerAngle(fp(0, 0), fp(500, 0), fp(500, 500))), 90, 1e-9);
    EXPECT_NEAR(static_cast<double>(CornerAngle(fp(500, 500), fp(1000, 500), fp(1000, 0))), 270, 1e-9);
    // Straight on: 180.
    EXPECT_NEAR(static_cast<double>(CornerAngle(fp(0, 0), fp(0.1f, 0.3f), fp(0.2f, 0.6f))), 180, 1e-6);
}

TEST(CornerAngle, SideWithoutLengthGivesMinusOne) {
    EXPECT_EQ(CornerAngle(fp(5, 5), fp(5, 5), fp(10, 0)), -1);
    EXPECT_EQ(CornerAngle(fp(0, 0), fp(5, 5), fp(5, 5)), -1);
}

TEST(CornerAngle, SpringingPointsOfASemicircularArchAreStraight) {
    // Bottom-left, up to the springing line, the arch across, down, back: clockwise on screen.
    const TFloatPoint bl = fp(0, 1500), sl = fp(0, 500), sr = fp(1000, 500), br = fp(1000, 1500);
    const TFloatPoint centre = ArcCenter(sl, sr, 500);
    ASSERT_EQ(centre, fp(500, 500));
    EXPECT_NEAR(static_cast<double>(CornerAngleArc(bl, sl, sr, 500, 0, centre, fp(0, 0))), 180, 1e-9);
    EXPECT_NEAR(static_cast<double>(CornerAngleArc(sl, sr, br, 0, 500, fp(0, 0), centre)), 180, 1e-9);
    // Without arcs it is the plain corner angle.
    EXPECT_NEAR(static_cast<double>(CornerAngleArc(bl, sl, sr, 0, 0, fp(0, 0), fp(0, 0))), 90, 1e-9);
    // A segment arch (radius 1300 over a 1000 chord) meets its sides at more than 90 but less than 180.
    const TFloatPoint seg = ArcCenter(sl, sr, 1300);
    const long double a = CornerAngleArc(bl, sl, sr, 1300, 0, seg, fp(0, 0));
    EXPECT_NEAR(static_cast<double>(a), 90 + std::asin(500.0 / 1300.0) * 180 / M_PI, 1e-4);
}

// --- Arcs ---

TEST(Arcs, RiseAndRadius) {
    EXPECT_NEAR(static_cast<double>(ArcRadius(100, 1000)), 1300, 1e-12);
    EXPECT_NEAR(static_cast<double>(ArcRise(1300, 1000)), 100, 1e-12);
    EXPECT_NEAR(static_cast<double>(ArcRise(500, 1000)), 500, 1e-12);
    EXPECT_EQ(ArcRise(400, 1000), 0);
    EXPECT_EQ(ArcRise(1300, 0), 0);
    EXPECT_EQ(ArcRadius(0, 1000), 0);
    EXPECT_EQ(ArcRadius(100, 0), 0);
    EXPECT_NEAR(static_cast<double>(ArcRise(1000, 1000)), 134.0, 1e-12);  // 133.97… to one decimal
}

struct CenterCase {
    TFloatPoint s, e;
    long double r;
    TFloatPoint centre;
};

class ArcCenters : public ::testing::TestWithParam<CenterCase> {};

TEST_P(ArcCenters, LieRightOfTheChordAsSeenOnScreen) {
    const CenterCase& c = GetParam();
    const TFloatPoint centre = ArcCenter(c.s, c.e, c.r);
    EXPECT_NEAR(centre.X, c.centre.X, 1e-3);
    EXPECT_NEAR(centre.Y, c.centre.Y, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArcCenters,
    ::testing::Values(CenterCase{fp(0, 700), fp(7000, 700), 3500, fp(3500, 700)},
                      CenterCase{fp(0, 700), fp(7000, 700), 3700, fp(3500, 1900)},
                      CenterCase{fp(7000, 700), fp(0, 700), 3700, fp(3500, -500)},
                      CenterCase{fp(0, 0), fp(0, -1000), 1300, fp(1200, -500)},    // up: centre to the right
                      CenterCase{fp(0, 700), fp(7000, 700), 1000, fp(3500, 700)},  // too small: the midpoint
                      CenterCase{fp(500, 0), fp(500, 1000), 100, fp(500, 500)},    // vertical, too small
                      CenterCase{fp(0, 0), fp(300, -400), 250, fp(150, -200)},     // sloped semicircle
                      CenterCase{fp(0, 0), fp(600, 800), 1300, fp(-660, 1120)},    // sloped: (−dy, dx) side
                      CenterCase{fp(100, 200), fp(100, 200), 50, fp(50, 200)},     // S = E
                      CenterCase{fp(100, 200), fp(100, 200), 0, fp(100, 200)}));

TEST(Arcs, SlopedChordLongerThanTheDiameterRaises) {
    EXPECT_THROW(ArcCenter(fp(0, 0), fp(600, 800), 400), TqxfError);
}

TEST(Arcs, PointOnArcMeansOnTheCircleBeyondTheChord) {
    const TFloatPoint s = fp(0, 700), e = fp(7000, 700), centre = fp(3500, 1900);
    EXPECT_TRUE(PointOnArc(s, e, centre, fp(3500, -1800), 3700));     // the top of the arch
    EXPECT_TRUE(PointOnArc(s, e, centre, fp(3500, -1800.5f), 3700));  // within half a unit
    EXPECT_FALSE(PointOnArc(s, e, centre, fp(3500, -1801), 3700));
    EXPECT_FALSE(PointOnArc(s, e, centre, fp(3500, 5600), 3700));  // on the circle, centre's side
    EXPECT_TRUE(PointOnArc(s, e, centre, s, 3700));                // the ends belong to the arc
}

// --- Constructed points ---

TEST(ConstructedPoints, TowardPolarAndRotated) {
    const TFloatPoint t = PointToward(fp(0, 0), fp(0, -100), 10);
    EXPECT_NEAR(t.X, 0, 1e-5);
    EXPECT_NEAR(t.Y, -10, 1e-5);
    EXPECT_EQ(PointTowardInt(TIntPoint{0, 0}, TIntPoint{30, 40}, 5), (TIntPoint{3, 4}));
    EXPECT_EQ(PointTowardInt(TIntPoint{10, 10}, TIntPoint{110, 10}, 25), (TIntPoint{35, 10}));

    const TFloatPoint up = PolarPoint(fp(5, 5), fp(0, 0), fp(10, 0), 90, 10);
    EXPECT_NEAR(up.X, 5, 1e-5);
    EXPECT_NEAR(up.Y, -5, 1e-5);
    EXPECT_EQ(PolarPointInt(TIntPoint{0, 0}, TIntPoint{0, 0}, TIntPoint{10, 0}, -90, 10), (TIntPoint{0, 10}));

    EXPECT_EQ(RotatePoint(fp(10, 0), fp(0, 0), 90), fp(0, -10));  // a quarter turn counter-clockwise: up
    EXPECT_EQ(RotatePoint(fp(110, 50), fp(100, 50), 180), fp(90, 50));
    const TFloatPoint r30 = RotatePoint(fp(1000, 0), fp(0, 0), 30);
    EXPECT_NEAR(r30.X, 866.0254f, 1e-3);
    EXPECT_NEAR(r30.Y, -500.0f, 1e-3);
    EXPECT_EQ(RotatePointInt(TIntPoint{1000, 0}, TIntPoint{0, 0}, 30), (TIntPoint{866, -500}));
    EXPECT_EQ(RotatePointInt(TIntPoint{100, 0}, TIntPoint{0, 0}, -90), (TIntPoint{0, 100}));
}

// --- Drawing ---

TEST(Drawing, SideArcBulgesAwayFromTheCentre) {
    struct Case {
        TIntPoint s, e;
        long double r;
        TFloatPoint centre;
        QRect expected;
    };
    const Case cases[] = {
        {{20, 120}, {220, 120}, 100, fp(120, 120), QRect(QPoint(20, 20), QPoint(220, 120))},    // semicircle up
        {{220, 120}, {20, 120}, 100, fp(120, 120), QRect(QPoint(20, 120), QPoint(220, 220))},   // reversed: down
        {{20, 120}, {220, 120}, -100, fp(120, 120), QRect(QPoint(20, 120), QPoint(220, 220))},  // negative radius
        {{20, 120},
         {220, 120},
         125,
         ArcCenter(fp(20, 120), fp(220, 120), 125),
         QRect(QPoint(20, 70), QPoint(220, 120))},
        {{120, 20}, {120, 220}, 100, fp(120, 120), QRect(QPoint(120, 20), QPoint(220, 220))},  // down: bulges right
        {{20, 20}, {220, 220}, 0, fp(0, 0), QRect(QPoint(20, 20), QPoint(220, 220))},          // straight
        // a semicircle scaled to device units: its chord rounded down, its centre a fraction above
        {{20, 120}, {220, 120}, 100, fp(120, 119.6f), QRect(QPoint(20, 20), QPoint(220, 120))},
        {{20, 120}, {220, 120}, 100, fp(120, 120.4f), QRect(QPoint(20, 20), QPoint(220, 120))},
    };
    for (const Case& c : cases) {
        QImage image = whiteImage();
        {
            QPainter painter(&image);
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(QBrush(Qt::green, Qt::Dense4Pattern));
            DrawSide(painter, c.s, c.e, QColor(Qt::red), c.r, c.centre);
            EXPECT_EQ(painter.brush().color(), QColor(Qt::green));  // restored
            EXPECT_EQ(painter.brush().style(), Qt::Dense4Pattern);
            EXPECT_EQ(painter.pen().color(), QColor(Qt::black));
        }
        const QRect ink = inkBounds(image);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_LE(std::abs(ink.left() - c.expected.left()), 1) << ink.left();
        EXPECT_LE(std::abs(ink.right() - c.expected.right()), 1) << ink.right();
        EXPECT_LE(std::abs(ink.top() - c.expected.top()), 1) << ink.top();
        EXPECT_LE(std::abs(ink.bottom() - c.expected.bottom()), 1) << ink.bottom();
    }
}

TEST(Drawing, RotatedTextTurnsAboutItsPositionAndReportsTheRotatedExtent) {
    const QString text = QStringLiteral("Ширина 1200");
    QFont font;
    font.setPixelSize(16);
    struct Case {
        long double angle;
        Qt::Alignment alignment;
    };
    for (const Case& c : {Case{0, Qt::AlignLeft | Qt::AlignTop}, Case{90, Qt::AlignLeft | Qt::AlignTop},
                          Case{45, Qt::AlignLeft | Qt::AlignTop}, Case{0, Qt::AlignHCenter | Qt::AlignBottom},
                          Case{90, Qt::AlignHCenter | Qt::AlignBottom}}) {
        QImage image = whiteImage();
        QSize extent;
        qreal w = 0, h = 0;
        {
            QPainter painter(&image);
            painter.setFont(font);
            const QFontMetricsF metrics(painter.font(), painter.device());
            w = metrics.horizontalAdvance(text);
            h = metrics.height();
            extent = DrawRotatedText(painter, TIntPoint{120, 120}, text, c.angle, c.alignment);
        }
        const QRect ink = inkBounds(image);
        ASSERT_FALSE(ink.isEmpty());
        const double a = static_cast<double>(c.angle) * M_PI / 180;
        EXPECT_EQ(extent.width(), std::lround(std::fabs(std::cos(a) * w) + std::fabs(std::sin(a) * h)));
        EXPECT_EQ(extent.height(), std::lround(std::fabs(std::sin(a) * w) + std::fabs(std::cos(a) * h)));
        // Every inked pixel lies inside the rotated text box, and the ink spans most of the text's length.
        QRectF box;
        if (c.angle == 0 && (c.alignment & Qt::AlignTop)) box = QRectF(120, 120, w, h);
        if (c.angle == 0 && (c.alignment & Qt::AlignBottom)) box = QRectF(120 - w / 2, 120 - h, w, h);
        if (c.angle == 90 && (c.alignment & Qt::AlignTop)) box = QRectF(120, 120 - w, h, w);
        if (c.angle == 90 && (c.alignment & Qt::AlignBottom)) box = QRectF(120 - h, 120 - w / 2, h, w);
        if (c.angle == 45) box = QRectF(120, 120 - std::sin(a) * w, extent.width(), extent.height());
        const QRectF slack = box.adjusted(-2, -2, 2, 2);
        EXPECT_TRUE(slack.contains(QRectF(ink))) << static_cast<double>(c.angle) << " " << ink.x() << "," << ink.y()
                                                 << " " << ink.width() << "x" << ink.height();
        const double inkLength = c.angle == 0 ? ink.width() : ink.height();
        EXPECT_GT(inkLength, (c.angle == 45 ? std::sin(a) : 1.0) * w * 0.8);
    }
}
