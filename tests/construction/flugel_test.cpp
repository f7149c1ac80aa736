// flugel_test.cpp — sash polygons from the position sizes, bounding boxes, arc kinds, corner angles,
// handle marks and catalog formulas.
#include <gtest/gtest.h>

#include <vector>

#include "common/error.h"
#include "construction/construction.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

std::vector<TIntPoint> Corners(const TqxfFlugel& f) {
    std::vector<TIntPoint> out;
    for (const auto& p : f.Points)
        out.push_back(p->Pos());
    return out;
}

struct ShapeCase {
    const char* name;
    TSizeRec sizes;
    std::vector<TIntPoint> corners;
    int width, height;                // GetSize, mm
    std::vector<long double> angles;  // CornerAngle of each side
};

class ShapeBuilding : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeBuilding, CornersSizeAndAnglesFollowTheFigure) {
    const ShapeCase& c = GetParam();
    TqxfConstruction pos;
    pos.BuildGeometry(c.sizes, 7);
    const TqxfFlugel& f = *pos.Flugel1;
    EXPECT_EQ(Corners(f), c.corners);
    ASSERT_EQ(f.LineCount(), f.PointCount());
    for (int i = 0; i < f.LineCount(); ++i) {
        EXPECT_EQ(f.Line(i).StartPoint, f.Points[i].get());
        EXPECT_EQ(f.Line(i).EndPoint, f.Points[(i + 1) % f.PointCount()].get());
    }
    int32_t w = 0, h = 0;
    f.GetSize(w, h);
    EXPECT_EQ(w, c.width);
    EXPECT_EQ(h, c.height);
    pos.GetSize(w, h);
    EXPECT_EQ(w, c.width);
    EXPECT_EQ(h, c.height);
    ASSERT_EQ(static_cast<size_t>(f.LineCount()), c.angles.size());
    for (int i = 0; i < f.LineCount(); ++i)
        EXPECT_NEAR(static_cast<double>(f.CornerAngle(i)), c.angles[i], 1e-6) << i;
    EXPECT_EQ(f.Dorn, 7);
    EXPECT_FALSE(pos.Flugel2->Exists());
}

INSTANTIATE_TEST_SUITE_P(Figures, ShapeBuilding,
                         ::testing::Values(ShapeCase{"rectangle",
                                                     {700, 1400, 0, 0, 0, 0, 0},
                                                     {{0, 14000}, {0, 0}, {7000, 0}, {7000, 14000}},
                                                     700,
                                                     1400,
                                                     {90, 90, 90, 90}},
                                           ShapeCase{"trapezoid_left_lower",
                                                     {700, 1400, 3, 700, 0, 0, 0},
                                                     {{0, 14000}, {0, 7000}, {7000, 0}, {7000, 14000}},
                                                     700,
                                                     1400,
                                                     {90, 135, 45, 90}},
                                           ShapeCase{"trapezoid_right_lower",
                                                     {700, 1400, 4, 700, 0, 0, 0},
                                                     {{0, 14000}, {0, 0}, {7000, 7000}, {7000, 14000}},
                                                     700,
                                                     1400,
                                                     {90, 45, 135, 90}},
                                           ShapeCase{"triangle_vertical_right",
                                                     {1000, 1000, 5, 0, 0, 0, 0},
                                                     {{0, 10000}, {10000, 0}, {10000, 10000}},
                                                     1000,
                                                     1000,
                                                     {45, 45, 90}},
                                           ShapeCase{"triangle_vertical_left",
                                                     {1000, 1000, 6, 0, 0, 0, 0},
                                                     {{0, 10000}, {0, 0}, {10000, 10000}},
                                                     1000,
                                                     1000,
                                                     {90, 45, 45}},
                                           // A semicircle springing at X = 500: both springing corners give 180.
                                           ShapeCase{"semicircular_arch",
                                                     {1000, 1500, 7, 500, 0, 500, 500},
                                                     {{0, 15000}, {0, 5000}, {10000, 5000}, {10000, 15000}},
                                                     1000,
                                                     1500,
                                                     {90, 180, 180, 90}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ArchGeometry, SemicircleCentreAndFullArcSetTheTopOfTheBox) {
    TqxfConstruction pos;
    pos.BuildGeometry(TSizeRec{1000, 1500, 7, 500, 0, 500, 500}, 0);
    const TqxfFlugel& f = *pos.Flugel1;
    const TqxfLine& top = f.Line(1);
    EXPECT_EQ(top.Center, (TFloatPoint{5000, 5000}));
    EXPECT_TRUE(top.IsCircleArc());
    EXPECT_TRUE(top.IsFullArc());
    EXPECT_FALSE(top.IsSegmentArc());
    EXPECT_FALSE(top.IsEllipseArc());
    for (int i : {0, 2, 3}) {
        EXPECT_FALSE(f.Line(i).IsCircleArc()) << i;
        EXPECT_EQ(f.Line(i).Center, TFloatPoint{}) << i;
    }
    TIntPoint tl, br;
    f.GetBounds(tl, br);
    EXPECT_EQ(tl, (TIntPoint{0, 0}));
    EXPECT_EQ(br, (TIntPoint{1000, 1500}));
}

TEST(ArchGeometry, SegmentalArchExtremeSetsTheTopOfTheBox) {
    TqxfConstruction pos;
    pos.BuildGeometry(TSizeRec{1000, 1500, 7, 100, 0, 1300, 1300}, 0);
    const TqxfFlugel& f = *pos.Flugel1;
    const TqxfLine& top = f.Line(1);
    EXPECT_EQ(top.StartPoint->Pos(), (TIntPoint{0, 1000}));
    EXPECT_EQ(top.EndPoint->Pos(), (TIntPoint{10000, 1000}));
    EXPECT_EQ(top.Center, (TFloatPoint{5000, 13000}));
    EXPECT_TRUE(top.IsSegmentArc());
    EXPECT_FALSE(top.IsFullArc());
    int32_t l, t, r, b;
    f.GetBoundsUnits(l, t, r, b);
    EXPECT_EQ(t, 0);  // the apex (5000, 0), not the corners at Y = 1000
    EXPECT_EQ(l, 0);
    EXPECT_EQ(r, 10000);
    EXPECT_EQ(b, 15000);
    int32_t w, h;
    f.GetSize(w, h);
    EXPECT_EQ(w, 1000);
    EXPECT_EQ(h, 1500);
}

TEST(TwoSashGeometry, SashesStandSideBySideAndShareTheBackset) {
    TqxfConstruction pos;
    pos.FlugelMode = kTwoSashesRightActive;
    pos.BuildGeometry(TSizeRec{1400, 1400, 1, 600, 800, 0, 0}, 3);
    EXPECT_EQ(Corners(*pos.Flugel1), (std::vector<TIntPoint>{{0, 14000}, {0, 0}, {6000, 0}, {6000, 14000}}));
    EXPECT_EQ(Corners(*pos.Flugel2), (std::vector<TIntPoint>{{6000, 14000}, {6000, 0}, {14000, 0}, {14000, 14000}}));
    int32_t w, h;
    pos.GetSize(w, h);
    EXPECT_EQ(w, 1400);
    EXPECT_EQ(h, 1400);
    pos.Flugel2->GetSize(w, h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(pos.Flugel1->Dorn, 3);
    EXPECT_EQ(pos.Flugel2->Dorn, 3);
    EXPECT_EQ(pos.Flugel1->Partner(), pos.Flugel2.get());
    EXPECT_EQ(pos.Flugel2->Partner(), pos.Flugel1.get());
    EXPECT_EQ(pos.PassiveFlugel(), pos.Flugel1.get());
    pos.FlugelMode = kTwoSashesLeftActive;
    EXPECT_EQ(pos.PassiveFlugel(), pos.Flugel2.get());
}

TEST(SideKinds, ArcKindsOrientationAndNeighbours) {
    TqxfConstruction pos;
    pos.BuildGeometry(TSizeRec{700, 1400, 3, 700, 0, 0, 0}, 0);
    TqxfFlugel& f = *pos.Flugel1;
    EXPECT_EQ(f.Line(0).Orientation(), 1);  // up the left side
    EXPECT_EQ(f.Line(1).Orientation(), 3);  // the slope
    EXPECT_EQ(f.Line(2).Orientation(), 1);
    EXPECT_EQ(f.Line(3).Orientation(), 0);  // along the bottom
    EXPECT_DOUBLE_EQ(static_cast<double>(f.Line(3).ChordLengthMm()), 700.0);
    EXPECT_EQ(f.PrevLine(&f.Line(0)), &f.Line(3));
    EXPECT_EQ(f.PrevLine(&f.Line(2)), &f.Line(1));

    TqxfLine& side = f.Line(1);
    side.R1 = 6000;
    side.R2 = 5000;
    EXPECT_TRUE(side.IsEllipseArc());
    EXPECT_FALSE(side.IsCircleArc());
    side.R2 = 0;
    EXPECT_FALSE(side.IsEllipseArc());
    EXPECT_FALSE(side.IsCircleArc());

    TqxfLine loose;
    EXPECT_EQ(loose.ChordLength(), -1);
}

TEST(SideKinds, SlopedChordLongerThanTheDiameterFailsTheCentre) {
    TqxfConstruction pos;
    pos.BuildGeometry(TSizeRec{700, 1400, 3, 700, 0, 0, 0}, 0);
    TqxfLine& slope = pos.Flugel1->Line(1);
    slope.R1 = slope.R2 = 1000;  // half the chord is about 4950 units
    EXPECT_THROW(slope.CalcCenter(), TqxfError);
}

TEST(HandleMark, SitsOneMillimetreOffTheSideAtTheHeight) {
    TqxfConstruction pos;
    pos.BuildGeometry(TSizeRec{700, 1400, 0, 0, 0, 0, 0}, 0);
    TqxfLine& left = pos.Flugel1->Line(0);  // (0, 14000) up to (0, 0)
    left.SetHandle(500, 0);
    EXPECT_EQ(left.HandleHeight, 0) << "a side without the handle keeps none";
    EXPECT_EQ(left.HandlePoint, TIntPoint{});

    left.Handled = true;
    left.SetHandle(500, 0);
    EXPECT_EQ(left.HandleHeight, 500);
    EXPECT_EQ(left.HandlePoint, (TIntPoint{10, 9000}));  // from the start corner, inside the sash
    left.SetHandle(500, 1);
    EXPECT_EQ(left.HandlePoint, (TIntPoint{10, 5000}));  // measured from the end corner

    EXPECT_EQ(pos.Flugel1->HandleLineIndex(), 0);
    EXPECT_EQ(pos.Flugel1->HandleHeightOf(), 500);
    EXPECT_EQ(pos.Flugel1->BandedLineIndex(), -1);
}

// --- Catalog formulas ---

struct FormulaCase {
    const char* formula;
    long double expected;
};

class SashFormula : public ::testing::TestWithParam<FormulaCase> {
protected:
    // A two-sash 1400 × 1200 position: the left sash 600 wide with its handle at 450 on side 3,
    // the right sash 800 wide with its handle at 1050 on side 1.
    void SetUp() override {
        pos.FlugelMode = kTwoSashesRightActive;
        pos.BuildGeometry(TSizeRec{1400, 1200, 1, 600, 800, 0, 0}, 0);
        pos.Flugel1->Line(2).HandleHeight = 450;
        pos.Flugel2->Line(0).HandleHeight = 1050;
    }
    TqxfConstruction pos;
};

TEST_P(SashFormula, EvaluatesWithTheSashVariablesAndSideFunctions) {
    const FormulaCase& c = GetParam();
    EXPECT_DOUBLE_EQ(static_cast<double>(pos.Flugel1->EvalFormula(QString::fromUtf8(c.formula))),
                     static_cast<double>(c.expected))
        << c.formula;
}

INSTANTIATE_TEST_SUITE_P(Variables, SashFormula,
                         ::testing::Values(FormulaCase{"FFB", 600}, FormulaCase{"FB + FRB", 1200},
                                           FormulaCase{"FF\u041D", 1200},       // Cyrillic EN
                                           FormulaCase{"F\u041D - 200", 1000},  // Cyrillic EN
                                           FormulaCase{"FRH", 1200},            // Latin H
                                           FormulaCase{"FFH", 0},               // Latin H: not a sash variable
                                           FormulaCase{"FH + 5", 5}, FormulaCase{"XYZ", 0},
                                           FormulaCase{"FFB / 2 - 10", 290}));

INSTANTIATE_TEST_SUITE_P(SideFunctions, SashFormula,
                         ::testing::Values(FormulaCase{"FL(1)", 1200}, FormulaCase{"FFL(2)", 600},
                                           FormulaCase{"fl(4) + 1", 601}, FormulaCase{"FL(9)", 0},
                                           FormulaCase{"FL(0)", 0}, FormulaCase{"FL(-1)", 0}, FormulaCase{"FL(256)", 0},
                                           FormulaCase{"FG(3)", 450}, FormulaCase{"FFG(1)", 0}, FormulaCase{"FG(5)", 0},
                                           FormulaCase{"FGA(1)", 1050}, FormulaCase{"ffga(1) - FG(3)", 600},
                                           FormulaCase{"FGA(7)", 0}, FormulaCase{"XYZ(1) + 3", 3},
                                           FormulaCase{"Max(FL(1), FL(2)) + Round(2.5)", 1203}));

TEST(SashFormulaErrors, AFormulaThatDoesNotParseNamesTheFormula) {
    TqxfConstruction pos;
    pos.BuildGeometry(TSizeRec{700, 1400, 0, 0, 0, 0, 0}, 0);
    try {
        pos.Flugel1->EvalFormula(QStringLiteral("FFB * (2"));
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_TRUE(e.Message.contains(QStringLiteral("FFB * (2"))) << e.Message.toStdString();
    }
}

TEST(SashFormulaErrors, PartnerFunctionsOfAFreeSashGiveZero) {
    TqxfFlugel lone;
    lone.BuildShape(TFigureRec{7000, 14000, 0, 0, 0, 0, 0}, 0);
    lone.Line(0).HandleHeight = 300;
    EXPECT_EQ(lone.EvalFormula(QStringLiteral("FGA(1)")), 0);
    EXPECT_EQ(lone.EvalFormula(QStringLiteral("FG(1)")), 300);
}

// --- Side limits of kits ---

struct SideLimit {
    int side;
    int minSize = 300, maxSize = 2000;
    double minAngle = 80, maxAngle = 100;
    int minRadius = 0, maxRadius = 0;
    int full = 0, half = 0, ellipse = 0;
};

struct FitCase {
    const char* name;
    TSizeRec sizes;
    std::vector<SideLimit> rows;
    bool fits;
};

std::vector<SideLimit> FourSides() {
    return {{1}, {2}, {3}, {4}};
}

std::vector<SideLimit> With(std::vector<SideLimit> rows, int index, void (*change)(SideLimit&)) {
    change(rows[index]);
    return rows;
}

// Side limits of an arch: any angle, the top an arc of radius up to maxRadius.
std::vector<SideLimit> ArchSides(int full, int half, int maxRadius) {
    std::vector<SideLimit> rows{{1}, {2}, {3}, {4}};
    for (SideLimit& r : rows) {
        r.minAngle = 0;
        r.maxAngle = 360;
    }
    rows[1].full = full;
    rows[1].half = half;
    rows[1].maxRadius = maxRadius;
    return rows;
}

class KitSideLimits : public ::testing::TestWithParam<FitCase> {};

TEST_P(KitSideLimits, KitFitsOnlyWhenEverySideIsWithinItsRow) {
    const FitCase& c = GetParam();
    QString sql;
    for (const SideLimit& r : c.rows)
        sql += QStringLiteral(
                   "INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, "
                   "FullRadius, HalfRadius, EllipseRadius) VALUES ('K', %1, %2, %3, %4, %5, %6, %7, %8, %9, %10);\n")
                   .arg(r.side)
                   .arg(r.minSize)
                   .arg(r.maxSize)
                   .arg(r.minAngle)
                   .arg(r.maxAngle)
                   .arg(r.minRadius)
                   .arg(r.maxRadius)
                   .arg(r.full)
                   .arg(r.half)
                   .arg(r.ellipse);
    sql += QStringLiteral("INSERT INTO FrnSide (ID, Side, MinSize, MaxSize) VALUES ('OTHER', 1, 0, 0);");
    CatalogFixture catalog(sql);
    TqxfConstruction pos;
    pos.BuildGeometry(c.sizes, 0);
    EXPECT_EQ(pos.Flugel1->KitFits(QStringLiteral("K")), c.fits);
}

const TSizeRec kRect{700, 1400, 0, 0, 0, 0, 0};
const TSizeRec kSegmentArch{1000, 1500, 7, 100, 0, 1300, 1300};
const TSizeRec kSemicircle{1000, 1500, 7, 500, 0, 500, 500};

INSTANTIATE_TEST_SUITE_P(
    Limits, KitSideLimits,
    ::testing::Values(
        FitCase{"all_sides_within", kRect, FourSides(), true},
        FitCase{"length_on_the_upper_bound", kRect, With(FourSides(), 0, [](SideLimit& r) { r.maxSize = 1400; }), true},
        FitCase{"length_above", kRect, With(FourSides(), 0, [](SideLimit& r) { r.maxSize = 1399; }), false},
        FitCase{"length_below", kRect, With(FourSides(), 1, [](SideLimit& r) { r.minSize = 701; }), false},
        FitCase{"angle_above", kRect, With(FourSides(), 2, [](SideLimit& r) { r.maxAngle = 89.99; }), false},
        FitCase{"angle_below", kRect, With(FourSides(), 3, [](SideLimit& r) { r.minAngle = 90.01; }), false},
        FitCase{"straight_side_radius_zero", kRect, With(FourSides(), 3, [](SideLimit& r) { r.minRadius = 1; }), false},
        FitCase{"fewer_rows_than_sides", kRect, {{1}, {2}, {3}}, false},
        FitCase{"side_number_outside", kRect, {{1}, {2}, {3}, {9}}, false}, FitCase{"no_rows", kRect, {}, false},
        FitCase{"segment_arc_admitted", kSegmentArch, ArchSides(0, 1, 1300), true},
        FitCase{"segment_arc_not_admitted", kSegmentArch, ArchSides(1, 0, 1300), false},
        FitCase{"segment_radius_above", kSegmentArch, ArchSides(0, 1, 1299), false},
        FitCase{"full_arc_admitted", kSemicircle, ArchSides(1, 0, 500), true},
        FitCase{"full_arc_not_admitted", kSemicircle, ArchSides(0, 1, 500), false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qx
