// page_layout.cpp — page breaks of a report body between table rows and text lines.
#include "reports/page_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>
#include <optional>

namespace qx {

namespace {

constexpr double kEpsilon = 0.5;

// A place where a page may end; `overlap` more is painted (the border line of a table row).
struct BreakPoint {
    double Y = 0;
    double Overlap = 0;
};

struct TableExtent {
    double Top = 0;
    double Bottom = 0;
    double HeaderBottom = 0;  // the top of the first row after the header rows
    double Overlap = 0;
    bool HasHeader = false;
};

class Collector {
public:
    explicit Collector(QTextDocument& document) : layout_(document.documentLayout()) {}

    std::vector<BreakPoint> Primary;    // between top-level blocks, their lines and table rows
    std::vector<BreakPoint> Secondary;  // between lines inside table rows
    std::vector<double> Forced;
    std::vector<TableExtent> Tables;

    void Frame(QTextFrame* frame, bool inTable) {
        for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame()) {
                if (auto* table = qobject_cast<QTextTable*>(child))
                    Table(table, inTable);
                else
                    Frame(child, inTable);
            } else {
                Block(it.currentBlock(), inTable);
            }
        }
    }

private:
    QAbstractTextDocumentLayout* layout_;

    void Block(const QTextBlock& block, bool inTable) {
        const QRectF rect = layout_->blockBoundingRect(block);
        const QTextBlockFormat format = block.blockFormat();
        std::vector<BreakPoint>& out = inTable ? Secondary : Primary;
        out.push_back({rect.top() - format.topMargin(), 0});
        if (const QTextLayout* lines = block.layout())
            for (int i = 1; i < lines->lineCount(); ++i)
                out.push_back({rect.top() + lines->lineAt(i).y(), 0});
        if (inTable) return;
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            Forced.push_back(rect.top() - format.topMargin());
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)
            Forced.push_back(rect.bottom() + format.bottomMargin());
    }

    // The top of a row: above the text of its cells by their padding and the border.
    double RowTop(QTextTable* table, int row) const {
        const QTextTableFormat format = table->format();
        std::optional<double> top;
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (!cell.isValid() || cell.row() != row || cell.column() != column) continue;
            const QTextBlock first = cell.firstCursorPosition().block();
            const QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
            const double padding = cellFormat.hasProperty(QTextFormat::TableCellTopPadding) ? cellFormat.topPadding()
                                                                                            : format.cellPadding();
            const double y = layout_->blockBoundingRect(first).top() - first.blockFormat().topMargin() - padding;
            top = top ? std::min(*top, y) : y;
        }
        const double border = format.border() + format.cellSpacing();
        return top ? *top - border : layout_->frameBoundingRect(table).top();
    }

    void Table(QTextTable* table, bool nested) {
        const QRectF rect = layout_->frameBoundingRect(table);
        const QTextTableFormat format = table->format();
        const double overlap = format.border() > 0 ? format.border() + 0.5 : 0;
        const int headerRows = std::min(format.headerRowCount(), table->rows() - 1);
        if (!nested) {
            Primary.push_back({rect.top() - format.topMargin(), 0});
            if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                Forced.push_back(rect.top() - format.topMargin());
            if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)
                Forced.push_back(rect.bottom() + format.bottomMargin());
        }
        for (int row = 1; row < table->rows(); ++row) {
            // The header rows stay with the first row after them.
            if (row <= headerRows) continue;
            (nested ? Secondary : Primary).push_back({RowTop(table, row), overlap});
        }
        if (!nested && headerRows > 0)
            Tables.push_back({rect.top(), rect.bottom(), RowTop(table, headerRows), overlap, true});
        for (int row = 0; row < table->rows(); ++row)
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                if (!cell.isValid() || cell.row() != row || cell.column() != column) continue;
                for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
                    if (QTextFrame* child = it.currentFrame()) {
                        if (auto* inner = qobject_cast<QTextTable*>(child))
                            Table(inner, true);
                        else
                            Frame(child, true);
                    } else {
                        Block(it.currentBlock(), true);
                    }
                }
            }
    }
};

// The lowest break point in (start, limit].
std::optional<BreakPoint> lowestBreak(const std::vector<BreakPoint>& points, double start, double limit) {
    std::optional<BreakPoint> best;
    for (const BreakPoint& p : points)
        if (p.Y > start + kEpsilon && p.Y <= limit + kEpsilon && (!best || p.Y > best->Y)) best = p;
    return best;
}

void paintRegion(QPainter& painter, QTextDocument& document, double top, double bottom, double at, double width) {
    painter.save();
    painter.translate(0, at - top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, top, width, bottom - top);
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(context.clip, Qt::IntersectClip);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

}  // namespace

std::vector<TPageSlice> PaginateDocument(QTextDocument& document, double pageHeight) {
    const double total = document.size().height();
    Collector collector(document);
    collector.Frame(document.rootFrame(), false);
    std::sort(collector.Forced.begin(), collector.Forced.end());

    std::vector<TPageSlice> pages;
    double start = 0;
    for (;;) {
        TPageSlice page;
        page.Top = start;
        for (const TableExtent& table : collector.Tables) {
            if (start > table.HeaderBottom - kEpsilon && start < table.Bottom - kEpsilon &&
                table.HeaderBottom - table.Top < pageHeight / 3) {
                page.HasHeader = true;
                page.HeaderTop = table.Top;
                page.HeaderBottom = table.HeaderBottom;
                page.HeaderPaintBottom = table.HeaderBottom + table.Overlap;
            }
        }
        const double limit = start + pageHeight - (page.HasHeader ? page.HeaderBottom - page.HeaderTop : 0);
        std::optional<BreakPoint> end;
        for (double forced : collector.Forced)
            if (forced > start + kEpsilon && forced <= limit + kEpsilon && forced < total - kEpsilon) {
                end = BreakPoint{forced, 0};
                break;
            }
        if (!end && total <= limit + kEpsilon) {
            page.Bottom = page.PaintBottom = std::max(total, start);
            pages.push_back(page);
            break;
        }
        if (!end) end = lowestBreak(collector.Primary, start, limit);
        if (!end) end = lowestBreak(collector.Secondary, start, limit);
        if (!end) end = BreakPoint{limit, 0};
        page.Bottom = end->Y;
        page.PaintBottom = end->Y + end->Overlap;
        pages.push_back(page);
        start = end->Y;
    }
    return pages;
}

void PaintPageSlice(QPainter& painter, QTextDocument& document, const TPageSlice& slice, double width) {
    double at = 0;
    if (slice.HasHeader) {
        paintRegion(painter, document, slice.HeaderTop, slice.HeaderPaintBottom, at, width);
        at += slice.HeaderBottom - slice.HeaderTop;
    }
    paintRegion(painter, document, slice.Top, slice.PaintBottom, at, width);
}

}  // namespace qx
