// size_grid.cpp — collection, packing into rows and drawing of a sketch's dimension chains.
#include "construction/size_grid.h"

#include <QFontMetrics>
#include <QPainter>

#include "construction/construction.h"
#include "construction/flugel.h"

namespace qx {

namespace {

using Rows = std::vector<std::unique_ptr<TqxfSizing>>;

// Places the chain in the first row where it fits before, between or after the row's chains without
// overlapping them (touching is allowed); coord reads the measured coordinate of a point.
template <class Coord>
void placeChain(Rows& rows, std::unique_ptr<TqxfSizePointList> chain, Coord coord) {
    for (const auto& row : rows)
        for (int k = 0; k < row->Count(); ++k)
            if (row->Chain(k).Equals(*chain)) return;
    const int32_t first = coord(chain->First());
    const int32_t last = coord(chain->Last());
    for (const auto& row : rows) {
        const int n = row->Count();
        if (n == 0) continue;
        if (coord(row->First().First()) >= last) {
            row->Insert(0, std::move(chain));
            return;
        }
        for (int k = 1; k < n; ++k) {
            if (first >= coord(row->Chain(k - 1).Last()) && coord(row->Chain(k).First()) >= last) {
                row->Insert(k, std::move(chain));
                return;
            }
        }
        if (first >= coord(row->Last().Last())) {
            row->Add(std::move(chain));
            return;
        }
    }
    auto row = std::make_unique<TqxfSizing>();
    row->Add(std::move(chain));
    rows.push_back(std::move(row));
}

int32_t xOf(const TqxfSizePoint& p) {
    return p.X;
}

int32_t yOf(const TqxfSizePoint& p) {
    return p.Y;
}

std::unique_ptr<TqxfSizePointList> horzChain(std::initializer_list<int32_t> xs) {
    auto chain = std::make_unique<TqxfSizePointList>();
    for (int32_t x : xs)
        chain->Add(x, 0);
    chain->SortByX();
    return chain;
}

std::unique_ptr<TqxfSizePointList> vertChain(std::initializer_list<int32_t> ys) {
    auto chain = std::make_unique<TqxfSizePointList>();
    for (int32_t y : ys)
        chain->Add(0, y);
    chain->SortByY();
    return chain;
}

}  // namespace

TqxfSizeGrid::TqxfSizeGrid(QPainter& canvas) : Canvas(canvas) {
    const QFontMetrics metrics(canvas.font(), canvas.device());
    RowHeight = metrics.size(Qt::TextSingleLine, QStringLiteral("0")).height() + 2;
}

void TqxfSizeGrid::clear() {
    HorzRows.clear();
    VertRows.clear();
    Extent = TIntPoint{};
}

void TqxfSizeGrid::AddHorzChain(std::unique_ptr<TqxfSizePointList> chain) {
    placeChain(HorzRows, std::move(chain), xOf);
}

void TqxfSizeGrid::AddVertChain(std::unique_ptr<TqxfSizePointList> chain) {
    placeChain(VertRows, std::move(chain), yOf);
}

void TqxfSizeGrid::Setup(const TqxfConstruction& construction, TSizeGridOptions options) {
    clear();
    if (!options) return;
    construction.GetSize(Extent.X, Extent.Y);
    if (construction.Flugel1) addSash(*construction.Flugel1, options);
    if (construction.Flugel2) addSash(*construction.Flugel2, options);
    if (options & TSizeGridOption::ShowOverall) {
        AddHorzChain(horzChain({0, Extent.X}));
        AddVertChain(vertChain({0, Extent.Y}));
    }
}

void TqxfSizeGrid::Setup(const TqxfFlugel& flugel, TSizeGridOptions options) {
    clear();
    if (!options) return;
    flugel.GetSize(Extent.X, Extent.Y);
    addSash(flugel, options);
}

void TqxfSizeGrid::addSash(const TqxfFlugel& flugel, TSizeGridOptions options) {
    TIntPoint topLeft, bottomRight;
    flugel.GetBounds(topLeft, bottomRight);
    const int32_t left = topLeft.X, top = topLeft.Y, right = bottomRight.X, bottom = bottomRight.Y;
    const bool skipEdges = options.testFlag(TSizeGridOption::SkipEdgeSides);
    const bool sides = skipEdges || options.testFlag(TSizeGridOption::ShowSides);
    if (sides) {
        for (const auto& line : flugel.Lines) {
            if (!line->StartPoint || !line->EndPoint) continue;
            const TIntPoint p1{line->StartPoint->X / 10, line->StartPoint->Y / 10};
            const TIntPoint p2{line->EndPoint->X / 10, line->EndPoint->Y / 10};
            const int orientation = line->Orientation();
            if (orientation != 1) {
                auto onEdge = [&](int32_t x) { return x == left || x == right; };
                if (!(skipEdges && onEdge(p1.X) && onEdge(p2.X))) {
                    auto chain = std::make_unique<TqxfSizePointList>();
                    chain->Add(left, 0);
                    if (!(skipEdges && onEdge(p1.X))) chain->Add(p1.X, 0);
                    if (!(skipEdges && onEdge(p2.X))) chain->Add(p2.X, 0);
                    chain->Add(right, 0);
                    chain->SortByX();
                    AddHorzChain(std::move(chain));
                }
            }
            if (orientation != 0) {
                auto onEdge = [&](int32_t y) { return y == top || y == bottom; };
                if (!(skipEdges && onEdge(p1.Y) && onEdge(p2.Y))) {
                    auto chain = std::make_unique<TqxfSizePointList>();
                    chain->Add(0, top);
                    if (!(skipEdges && onEdge(p1.Y))) chain->Add(0, p1.Y);
                    if (!(skipEdges && onEdge(p2.Y))) chain->Add(0, p2.Y);
                    chain->Add(0, bottom);
                    chain->SortByY();
                    AddVertChain(std::move(chain));
                }
            }
        }
    }
    AddHorzChain(horzChain({left, right}));
    AddVertChain(vertChain({top, bottom}));
}

void TqxfSizeGrid::Draw(long double scale) {
    const TPainterStateGuard guard(Canvas);
    Canvas.setBrush(Qt::NoBrush);
    Canvas.setBackgroundMode(Qt::TransparentMode);
    TIntPoint origin{Origin.X, Origin.Y + RoundHalfUp(Extent.Y / scale)};
    for (const auto& row : HorzRows) {
        origin.Y += RowHeight;
        row->DrawRow(Canvas, origin, false, RowHeight, scale);
    }
    origin = TIntPoint{Origin.X + RoundHalfUp(Extent.X / scale), Origin.Y};
    for (const auto& row : VertRows) {
        origin.X += RowHeight;
        row->DrawRow(Canvas, origin, true, RowHeight, scale);
    }
}

}  // namespace qx
