// sizing_test.cpp — dimension chains and the geometry of a drawn dimension line.
#include "construction/sizing.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "recording_canvas.h"

namespace qx {
namespace {

using test::RecordingDevice;

std::vector<QLine> linesOf(const test::Recording& r) {
    std::vector<QLine> out;
    for (const auto& l : r.lines)
        out.push_back(l.line.toLine());
    return out;
}

TEST(SizePointList, RejectsAPointAlreadyInTheChain) {
    TqxfSizePointList chain;
    EXPECT_EQ(chain.Add(700, 0), 0);
    EXPECT_EQ(chain.Add(0, 0), 1);
    EXPECT_EQ(chain.Add(700, 0), -1);
    EXPECT_EQ(chain.Add(0, 700), 2);  // same X, other Y: a different point
    EXPECT_EQ(chain.Count(), 3);
}

TEST(SizePointList, SortsAndComparesPointByPoint) {
    TqxfSizePointList a, b;
    for (int x : {700, 0, 350})
        a.Add(x, 0);
    a.SortByX();
    EXPECT_EQ(a.First().X, 0);
    EXPECT_EQ(a.Point(1).X, 350);
    EXPECT_EQ(a.Last().X, 700);
    for (int x : {0, 350})
        b.Add(x, 0);
    EXPECT_FALSE(a.Equals(b));
    b.Add(700, 0);
    EXPECT_TRUE(a.Equals(b));
    b.SortByY();  // all Y equal: the order stays
    EXPECT_TRUE(a.Equals(b));

    TqxfSizePointList v;
    for (int y : {1400, 0, 700})
        v.Add(0, y);
    v.SortByY();
    EXPECT_EQ(v.First().Y, 0);
    EXPECT_EQ(v.Last().Y, 1400);
    TqxfSizePointList w;
    for (int y : {0, 1400, 700})
        w.Add(0, y);
    EXPECT_FALSE(v.Equals(w));  // equal points at other positions
}

struct TextCase {
    long double mm;
    const char* text;
};

class DimensionTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(DimensionTexts, ShowWholeMillimetresWithoutAndFractionsWithOneDecimal) {
    EXPECT_EQ(DimensionText(GetParam().mm), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Sizing, DimensionTexts,
                         ::testing::Values(TextCase{350, "350"}, TextCase{350.5L, "350,5"}, TextCase{0, "0"},
                                           TextCase{1400, "1400"}, TextCase{1.4142135L, "1,4"},
                                           TextCase{0.25L, "0,3"}));

TEST(DrawDimension, HorizontalChainGivesArrowsExtensionLinesAndCentredTexts) {
    RecordingDevice device;
    QPainter canvas(&device);
    canvas.setPen(QPen(Qt::black, 3));
    TqxfSizing row;
    auto chain = std::make_unique<TqxfSizePointList>();
    for (int x : {0, 350, 700})
        chain->Add(x, 0);
    row.Add(std::move(chain));
    row.DrawRow(canvas, TIntPoint{0, 50}, false, 15, 1);
    EXPECT_EQ(canvas.pen().width(), 3);  // restored
    canvas.end();

    // Arrowheads RoundHalfUp(15 / 1.8) = 8 long and 15 div 5 = 3 to either side; extension lines
    // 15 up towards the object and 1 down.
    const std::vector<QLine> expected = {{0, 50, 350, 50},   {0, 50, 8, 47},     {0, 50, 8, 53},     {0, 35, 0, 51},
                                         {350, 50, 342, 47}, {350, 50, 342, 53}, {350, 35, 350, 51}, {350, 50, 700, 50},
                                         {350, 50, 358, 47}, {350, 50, 358, 53}, {350, 35, 350, 51}, {700, 50, 692, 47},
                                         {700, 50, 692, 53}, {700, 35, 700, 51}};
    EXPECT_EQ(linesOf(device.recording), expected);
    for (const auto& l : device.recording.lines)
        EXPECT_EQ(l.penWidth, 1);
    EXPECT_EQ(row.Angle, 0);

    const auto& texts = device.recording.texts;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "350");
    EXPECT_EQ(texts[1].text, "350");
    EXPECT_NEAR(texts[0].bottomCentre.x(), 175, 0.5);
    EXPECT_NEAR(texts[0].bottomCentre.y(), 50, 0.5);
    EXPECT_NEAR(texts[1].bottomCentre.x(), 525, 0.5);
    EXPECT_NEAR(texts[0].angle, 0, 1e-6);
    EXPECT_EQ(texts[0].penWidth, 1);
}

TEST(DrawDimension, VerticalRowRunsUpwardsWithItsPartsTurnedAndItsTextReadingUp) {
    RecordingDevice device;
    QPainter canvas(&device);
    TqxfSizing row;
    auto chain = std::make_unique<TqxfSizePointList>();
    chain->Add(0, 0);
    chain->Add(0, 1400);
    row.Add(std::move(chain));
    row.DrawRow(canvas, TIntPoint{400, 10}, true, 15, 2);
    canvas.end();

    EXPECT_EQ(row.Angle, 90);
    // From the lower point S = (400, 710) to the upper E = (400, 10); the extension lines point left,
    // towards the drawing.
    const std::vector<QLine> expected = {{400, 710, 400, 10},  {400, 710, 397, 702}, {400, 710, 403, 702},
                                         {385, 710, 401, 710}, {400, 10, 397, 18},   {400, 10, 403, 18},
                                         {385, 10, 401, 10}};
    EXPECT_EQ(linesOf(device.recording), expected);
    ASSERT_EQ(device.recording.texts.size(), 1u);
    const auto& text = device.recording.texts[0];
    EXPECT_EQ(text.text, "1400");
    EXPECT_NEAR(text.angle, 90, 1e-6);
    EXPECT_NEAR(text.bottomCentre.x(), 400, 0.5);
    EXPECT_NEAR(text.bottomCentre.y(), 360, 0.5);
}

TEST(DrawDimension, CaptionReplacesTheMeasuredValueOnEveryDimension) {
    RecordingDevice device;
    QPainter canvas(&device);
    TqxfSizing row;
    auto chain = std::make_unique<TqxfSizePointList>();
    for (int x : {0, 300, 1000})
        chain->Add(x, 0);
    chain->Caption = QStringLiteral("Створка");
    row.Add(std::move(chain));
    row.DrawRow(canvas, TIntPoint{0, 50}, false, 15, 2.5L);
    canvas.end();
    ASSERT_EQ(device.recording.texts.size(), 2u);
    for (const auto& t : device.recording.texts)
        EXPECT_EQ(t.text, QStringLiteral("Створка"));
    // 300 mm at 2.5 mm per unit: the first dimension ends at x = 120, the second at 400.
    EXPECT_EQ(linesOf(device.recording)[0], QLine(0, 50, 120, 50));
    EXPECT_EQ(linesOf(device.recording)[7], QLine(120, 50, 400, 50));
}

TEST(DrawDimension, SlopedDistanceIsMeasuredAlongTheLine) {
    RecordingDevice device;
    QPainter canvas(&device);
    DrawDimension(canvas, TIntPoint{100, 100}, 10, QString(), TqxfSizePoint{0, 0}, TqxfSizePoint{1, 1}, 1, 0);
    DrawDimension(canvas, TIntPoint{100, 100}, 10, QString(), TqxfSizePoint{0, 0}, TqxfSizePoint{30, 40}, 1, 0);
    canvas.end();
    ASSERT_EQ(device.recording.texts.size(), 2u);
    EXPECT_EQ(device.recording.texts[0].text, "1,4");
    EXPECT_EQ(device.recording.texts[1].text, "50");
}

}  // namespace
}  // namespace qx
