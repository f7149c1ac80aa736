// page_layout.h — splits a laid-out text document into pages: table rows are kept whole, the header
// rows of a table are repeated on the pages it continues on, forced page breaks are kept.
#pragma once
#include <vector>

class QPainter;
class QTextDocument;

namespace qx {

// One page of a document: the part from Top to Bottom (document coordinates), painted down to
// PaintBottom (a page that ends at a table row keeps the row's border line), below the header
// rows of a table when the page continues one.
struct TPageSlice {
    double Top = 0;
    double Bottom = 0;
    double PaintBottom = 0;
    bool HasHeader = false;
    double HeaderTop = 0;
    double HeaderBottom = 0;
    double HeaderPaintBottom = 0;
    // The page's height: the header and the part.
    double Height() const { return (HasHeader ? HeaderBottom - HeaderTop : 0) + Bottom - Top; }
};

// The pages of a document laid out at its text width (no page size), each at most pageHeight
// high. A page ends before a table row that does not fit, never inside it, unless the row alone
// is taller than a page (it is then split between lines); other text is split between lines;
// page-break-before / page-break-after start a new page. At least one page.
std::vector<TPageSlice> PaginateDocument(QTextDocument& document, double pageHeight);

// Paints a page with its top-left corner at the painter's origin, `width` wide.
void PaintPageSlice(QPainter& painter, QTextDocument& document, const TPageSlice& slice, double width);

}  // namespace qx
