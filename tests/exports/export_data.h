// export_data.h — the small catalog and order of the export tests (also used by the command-line tests).
#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "common/money.h"
#include "construction/construction.h"
#include "construction/flugel.h"
#include "documents/order.h"

namespace qx {

// HINGE-20 has a 20-character second maker article; ROD has a three-character unit and a first
// maker article with blanks around it; KEEP has only a second maker article, a name longer than
// the name column and a six-character unit; DISC has a name with blanks around it. The catalog's
// prices (currency 1, rate 1) are the order's list prices.
inline const char* const kExportCatalog = R"(
INSERT INTO Currency (ID, Name, Value) VALUES (1, 'Рубль', 1);
INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, Name, Unit, Price, Currency)
  VALUES ('HINGE-20', 'VB-HINGE', 'ABCDEFGHIJKLMNOPQRST', 'Петля верхняя', 'шт', 1234.5, 1);
INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, Name, Unit, Price, Currency)
  VALUES ('ROD', '  R 1200  ', NULL, 'Тяга', 'м.п', 2.5, 1);
INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, Name, Unit, Price, Currency)
  VALUES ('KEEP', '', 'K2', 'Ответная планка с очень длинным наименованием для обрезки', 'компл.', 10, 1);
INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, Name, Unit, Price, Currency)
  VALUES ('DISC', 'D-1', 'D-2', ' Скидка на комплект ', 'шт', 12.34, 1);
)";

// One material line as a sash carries it (ListPrice = Price - Reserved2); Cost follows when the
// order merges the lines.
struct LineSpec {
    const char* ID;
    float Number;
    long double Price;
    long double Reserved2 = 0;
};

// A position with one sash carrying the lines, appended to the order and numbered after its place.
inline void AddExportPosition(TqxfOrder& order, int quantity, const std::vector<LineSpec>& lines) {
    auto position = order.NewPosition();
    position->PosNo = QString::number(order.Count() + 1);
    position->Quantity = quantity;
    for (const LineSpec& spec : lines) {
        auto line = std::make_unique<TqxfMatListItem>();
        line->ID = QString::fromUtf8(spec.ID);
        line->Number = spec.Number;
        line->Price = RoundMoney(spec.Price);
        line->Reserved2 = RoundMoney(spec.Reserved2);
        line->ListPrice = RoundMoney(spec.Price - spec.Reserved2);
        position->Flugel1->MatList.push_back(std::move(line));
    }
    order.AddPosition(std::move(position));
}

// Order "З-15": position 1 (quantity 1) with HINGE-20 2.5 at 1234.5 and ROD 0.4 at 3 less 0.5 (and
// the extra lines), position 2 (quantity 2) with KEEP 6 at 10 and DISC -0.75 at 12.34: a cost of
// -18.51. Collected: HINGE-20 2.5, ROD 0.4, (extra,) KEEP 12, DISC -1.5.
inline void BuildSmallExportOrder(TqxfOrder& order, const std::vector<LineSpec>& extraFirstPosition = {}) {
    order.No = QString::fromUtf8("З-15");
    std::vector<LineSpec> first{{"HINGE-20", 2.5f, 1234.5L}, {"ROD", 0.4f, 3, 0.5L}};
    first.insert(first.end(), extraFirstPosition.begin(), extraFirstPosition.end());
    AddExportPosition(order, 1, first);
    AddExportPosition(order, 2, {{"KEEP", 6, 10}, {"DISC", -0.75f, 12.34L}});
}

}  // namespace qx
