// page_layout_test.cpp — page breaks between table rows and lines, repeated table headers, forced breaks.
#include "reports/page_layout.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <memory>

namespace qx {
namespace {

std::unique_ptr<QTextDocument> laidOut(const QString& html, double width = 400) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setDocumentMargin(0);
    doc->setHtml(html);
    doc->setTextWidth(width);
    return doc;
}

QString rows(int count, const QString& attributes = QString()) {
    QString html;
    for (int i = 1; i <= count; ++i)
        html += QStringLiteral("<tr%1><td>%2</td><td>Строка %2 %3</td></tr>")
                    .arg(attributes)
                    .arg(i)
                    .arg(QString("текст, который переносится на новые строки ячейки ").repeated(i % 3 + 1));
    return html;
}

// The vertical extent of every row of the first table, from the blocks of its cells.
std::vector<std::pair<double, double>> rowExtents(QTextDocument& doc) {
    QTextTable* table = nullptr;
    for (QTextFrame* frame : doc.rootFrame()->childFrames())
        if ((table = qobject_cast<QTextTable*>(frame))) break;
    std::vector<std::pair<double, double>> out;
    if (!table) return out;
    for (int r = 0; r < table->rows(); ++r) {
        double top = 1e9, bottom = -1e9;
        for (int c = 0; c < table->columns(); ++c) {
            const QRectF rect =
                doc.documentLayout()->blockBoundingRect(table->cellAt(r, c).firstCursorPosition().block());
            top = std::min(top, rect.top());
            bottom = std::max(bottom, rect.bottom());
        }
        out.emplace_back(top, bottom);
    }
    return out;
}

TEST(PageLayout, PagesEndBetweenTableRowsAndCoverTheWholeDocument) {
    auto doc = laidOut(
        "<p>Заголовок</p><table border='1' cellpadding='3' cellspacing='0' "
        "style='border-collapse: collapse'>" +
        rows(60) + "</table><p>Подпись</p>");
    const double pageHeight = 300;
    const std::vector<TPageSlice> pages = PaginateDocument(*doc, pageHeight);
    ASSERT_GT(pages.size(), 3u);
    EXPECT_EQ(pages.front().Top, 0);
    EXPECT_DOUBLE_EQ(pages.back().Bottom, doc->size().height());
    for (size_t i = 0; i < pages.size(); ++i) {
        EXPECT_LE(pages[i].Height(), pageHeight + 0.5) << i;
        if (i > 0) {
            EXPECT_EQ(pages[i].Top, pages[i - 1].Bottom) << i;
        }
        // No row's text is cut by the end of a page.
        for (const auto& [top, bottom] : rowExtents(*doc))
            EXPECT_FALSE(top < pages[i].Bottom && bottom > pages[i].Bottom) << "page " << i << " row at " << top;
        EXPECT_GE(pages[i].PaintBottom, pages[i].Bottom);
    }
}

TEST(PageLayout, HeaderRowsRepeatOnEveryPageTheTableContinuesOn) {
    auto doc = laidOut("<table border='1' cellspacing='0'><thead><tr><th>№</th><th>Наименование</th></tr></thead>" +
                       rows(60) + "</table><p>После таблицы</p>" + QString("<p>Абзац текста.</p>").repeated(40));
    const std::vector<TPageSlice> pages = PaginateDocument(*doc, 250);
    ASSERT_GT(pages.size(), 3u);
    EXPECT_FALSE(pages[0].HasHeader);  // the table starts with its own header
    const auto extents = rowExtents(*doc);
    const double tableBottom = extents.back().second;
    for (size_t i = 1; i < pages.size(); ++i) {
        if (pages[i].Top < tableBottom) {
            EXPECT_TRUE(pages[i].HasHeader) << i;
            EXPECT_LE(pages[i].HeaderTop, extents[0].first);
            EXPECT_GT(pages[i].HeaderBottom, extents[0].second);
            EXPECT_LT(pages[i].HeaderBottom, extents[1].first);
        } else {
            EXPECT_FALSE(pages[i].HasHeader) << i;
        }
        EXPECT_LE(pages[i].Height(), 250.5);
    }
}

TEST(PageLayout, ForcedBreaksStartNewPagesAndATallRowIsSplitBetweenLines) {
    auto doc = laidOut(
        "<p>Первая</p><p style='page-break-before: always'>Вторая</p>"
        "<table style='page-break-before: always'><tr><td>" +
        QString("Очень длинная ячейка. ").repeated(400) + "</td></tr></table>");
    const std::vector<TPageSlice> pages = PaginateDocument(*doc, 200);
    ASSERT_GE(pages.size(), 4u);
    const QRectF first = doc->documentLayout()->blockBoundingRect(doc->begin());
    const QRectF second = doc->documentLayout()->blockBoundingRect(doc->begin().next());
    EXPECT_GE(pages[1].Top, first.bottom());  // between the two paragraphs
    EXPECT_LE(pages[1].Top, second.top());
    EXPECT_LT(pages[1].Bottom, 100);  // "Вторая" alone
    for (size_t i = 2; i + 1 < pages.size(); ++i)
        EXPECT_GT(pages[i].Height(), 150) << i;  // the tall row fills its pages line by line

    auto empty = laidOut("");
    EXPECT_EQ(PaginateDocument(*empty, 200).size(), 1u);
}

}  // namespace
}  // namespace qx
