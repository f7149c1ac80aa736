// size_grid_test.cpp — which chains a position or a sash shows, how they share rows, and where the
// rows are drawn.
#include "construction/size_grid.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "construction/construction.h"
#include "recording_canvas.h"

namespace qx {
namespace {

using test::RecordingDevice;
using Chain = std::vector<int32_t>;
using Row = std::vector<Chain>;

// The rows of a grid as the measured coordinates of their chains.
std::vector<Row> rowsOf(const std::vector<std::unique_ptr<TqxfSizing>>& rows, bool vertical) {
    std::vector<Row> out;
    for (const auto& row : rows) {
        Row r;
        for (int k = 0; k < row->Count(); ++k) {
            Chain c;
            for (int i = 0; i < row->Chain(k).Count(); ++i)
                c.push_back(vertical ? row->Chain(k).Point(i).Y : row->Chain(k).Point(i).X);
            r.push_back(c);
        }
        out.push_back(r);
    }
    return out;
}

// Rows without the single-point chains an empty second sash leaves (they draw nothing).
std::vector<Row> drawnRowsOf(const std::vector<std::unique_ptr<TqxfSizing>>& rows, bool vertical) {
    std::vector<Row> out;
    for (Row r : rowsOf(rows, vertical)) {
        std::erase_if(r, [](const Chain& c) { return c.size() < 2; });
        out.push_back(r);
    }
    return out;
}

std::unique_ptr<TqxfConstruction> position(uint8_t mode, TSizeRec sizes) {
    auto c = std::make_unique<TqxfConstruction>();
    c->FlugelMode = mode;
    c->BuildGeometry(sizes, 0);
    return c;
}

TEST(SizeGrid, SingleRectangularSashHasOneRowEachWay) {
    RecordingDevice device;
    QPainter canvas(&device);
    TqxfSizeGrid grid(canvas);
    auto c = position(kOneSash, {700, 1400, 0, 0, 0, 0, 0});
    grid.Setup(*c, kAllSizeGridOptions);
    EXPECT_EQ(drawnRowsOf(grid.HorzRows, false), (std::vector<Row>{{{0, 700}}}));
    EXPECT_EQ(drawnRowsOf(grid.VertRows, true), (std::vector<Row>{{{0, 1400}}}));
    EXPECT_GT(grid.RowHeight, 2);
    EXPECT_EQ(grid.HorzReserve(), grid.RowHeight);
    EXPECT_EQ(grid.VertReserve(), grid.RowHeight);
    EXPECT_EQ(grid.Extent, (TIntPoint{700, 1400}));
}

TEST(SizeGrid, TwoSashesShareTheFirstRowAndTheOverallWidthTakesASecond) {
    RecordingDevice device;
    QPainter canvas(&device);
    TqxfSizeGrid grid(canvas);
    auto c = position(kTwoSashesLeftActive, {1400, 1400, 0, 600, 800, 0, 0});
    grid.Setup(*c, kAllSizeGridOptions);
    EXPECT_EQ(rowsOf(grid.HorzRows, false), (std::vector<Row>{{{0, 600}, {600, 1400}}, {{0, 1400}}}));
    EXPECT_EQ(rowsOf(grid.VertRows, true), (std::vector<Row>{{{0, 1400}}}));
    EXPECT_EQ(grid.HorzReserve(), 2 * grid.RowHeight);
    EXPECT_EQ(grid.VertReserve(), grid.RowHeight);
}

TEST(SizeGrid, TrapezoidShowsItsLowerSideAndTheFullHeightInTwoRows) {
    RecordingDevice device;
    QPainter canvas(&device);
    TqxfSizeGrid grid(canvas);
    auto c = position(kOneSash, {700, 1400, 3, 700, 0, 0, 0});
    grid.Setup(*c, kAllSizeGridOptions);
    EXPECT_EQ(drawnRowsOf(grid.VertRows, true), (std::vector<Row>{{{0, 700, 1400}}, {{0, 1400}}}));
    EXPECT_EQ(drawnRowsOf(grid.HorzRows, false), (std::vector<Row>{{{0, 700}}}));
}

TEST(SizeGrid, ShowSidesKeepsTheEdgeSidesThatSkipEdgeSidesDrops) {
    RecordingDevice device;
    QPainter canvas(&device);
    TqxfSizeGrid grid(canvas);
    // Right side lower: corners (0, 1400), (0, 0), (700, 700), (700, 1400).
    auto c = position(kOneSash, {700, 1400, 4, 700, 0, 0, 0});

    grid.Setup(*c->Flugel1, TSizeGridOption::ShowSides);
    EXPECT_EQ(rowsOf(grid.HorzRows, false), (std::vector<Row>{{{0, 700}}}));
    EXPECT_EQ(rowsOf(grid.VertRows, true), (std::vector<Row>{{{0, 1400}}, {{0, 700, 1400}}}));

    grid.Setup(*c->Flugel1, TSizeGridOption::SkipEdgeSides);
    EXPECT_EQ(rowsOf(grid.VertRows, true), (std::vector<Row>{{{0, 700, 1400}}, {{0, 1400}}}));

    grid.Setup(*c->Flugel1, TSizeGridOption::ShowOverall);  // a sash's own box only
    EXPECT_EQ(rowsOf(grid.VertRows, true), (std::vector<Row>{{{0, 1400}}}));
    EXPECT_EQ(grid.Extent, (TIntPoint{700, 1400}));
}

TEST(SizeGrid, WithoutOptionsTheGridStaysEmpty) {
    RecordingDevice device;
    QPainter canvas(&device);
    TqxfSizeGrid grid(canvas);
    auto c = position(kOneSash, {700, 1400, 0, 0, 0, 0, 0});
    grid.Setup(*c, kAllSizeGridOptions);
    grid.Setup(*c, {});
    EXPECT_TRUE(grid.HorzRows.empty());
    EXPECT_TRUE(grid.VertRows.empty());
    EXPECT_EQ(grid.HorzReserve(), 0);
    EXPECT_EQ(grid.VertReserve(), 0);
    grid.Draw(1);
    canvas.end();
    EXPECT_TRUE(device.recording.lines.empty());
    EXPECT_TRUE(device.recording.texts.empty());
}

TEST(SizeGrid, ChainsArePackedBeforeBetweenAndAfterTheChainsOfARow) {
    RecordingDevice device;
    QPainter canvas(&device);
    TqxfSizeGrid grid(canvas);
    auto chain = [](std::initializer_list<int32_t> xs) {
        auto c = std::make_unique<TqxfSizePointList>();
        for (int32_t x : xs)
            c->Add(x, 0);
        return c;
    };
    grid.AddHorzChain(chain({400, 600}));
    grid.AddHorzChain(chain({0, 300}));       // before
    grid.AddHorzChain(chain({900, 1000}));    // after
    grid.AddHorzChain(chain({600, 900}));     // between, touching both
    grid.AddHorzChain(chain({250, 450}));     // overlaps: a new row
    grid.AddHorzChain(chain({0, 300}));       // equal to a chain of a row: discarded
    grid.AddHorzChain(chain({300, 400}));     // fits the gap of the first row
    grid.AddHorzChain(chain({0, 100, 200}));  // fits before the second row's chain
    EXPECT_EQ(
        rowsOf(grid.HorzRows, false),
        (std::vector<Row>{{{0, 300}, {300, 400}, {400, 600}, {600, 900}, {900, 1000}}, {{0, 100, 200}, {250, 450}}}));
}

TEST(SizeGrid, DrawsHorizontalRowsBelowAndVerticalRowsRightOfTheObject) {
    RecordingDevice device;
    QPainter canvas(&device);
    canvas.setBrush(Qt::red);
    TqxfSizeGrid grid(canvas);
    auto c = position(kTwoSashesLeftActive, {1400, 1400, 0, 600, 800, 0, 0});
    grid.Setup(*c, kAllSizeGridOptions);
    grid.Draw(4);  // drawing 350 x 350 device units
    EXPECT_EQ(canvas.brush().color(), QColor(Qt::red));
    canvas.end();

    const int rh = grid.RowHeight;
    const auto& lines = device.recording.lines;
    // Row 1 at y = 350 + rh: 0-600 and 600-1400; row 2 at 350 + 2 rh: 0-1400; the vertical row at x = 350 + rh.
    ASSERT_EQ(lines.size(), 4u * 7);
    EXPECT_EQ(lines[0].line.toLine(), QLine(0, 350 + rh, 150, 350 + rh));
    EXPECT_EQ(lines[3].line.toLine(), QLine(0, 350, 0, 350 + rh + 1));  // extension line up to the drawing
    EXPECT_EQ(lines[7].line.toLine(), QLine(150, 350 + rh, 350, 350 + rh));
    EXPECT_EQ(lines[14].line.toLine(), QLine(0, 350 + 2 * rh, 350, 350 + 2 * rh));
    EXPECT_EQ(lines[21].line.toLine(), QLine(350 + rh, 350, 350 + rh, 0));
    EXPECT_EQ(lines[24].line.toLine(), QLine(350, 350, 350 + rh + 1, 350));
    std::vector<QString> texts;
    for (const auto& t : device.recording.texts) {
        texts.push_back(t.text);
        EXPECT_FALSE(t.opaqueBackground);
    }
    EXPECT_EQ(texts, (std::vector<QString>{"600", "800", "1400", "1400"}));
}

}  // namespace
}  // namespace qx
