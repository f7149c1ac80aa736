// mat_list.h — material lines: the priced articles of a sash, merged into order and selection lists,
// copied through their stream image and sorted by code or by name.
#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "common/money.h"
#include "common/spec_stream.h"

namespace qx {

class TqxfFlugel;

// One material line.
class TqxfMatListItem {
  public:
    QString ID;        // article code
    float Number = 0;  // metres for articles cut to length, pieces otherwise
    Money Price;       // unit price in the document's currency
    float Reserved1 = 0;
    Money Reserved2;
    Money ListPrice;  // unit price printed by reports; every pricing sets it equal to Price
    Money Cost;       // RoundMoney(Number × ListPrice)

    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const QString& stamp);
};

using TqxfMatList = std::vector<std::unique_ptr<TqxfMatListItem>>;

// Rebuilds the sash's material lines from its kit, each priced afresh; a pricing error ends the
// build at that item with the lines so far kept.
void BuildMatList(TqxfFlugel& flugel);
// The sum of the costs of the sash's lines.
Money MatListSum(const TqxfFlugel& flugel);
// Merges the sash's lines into target: a line of an article already there adds multiplier × Number
// to it, otherwise a copy with its Number times multiplier is appended.
void AddToMatList(const TqxfFlugel& flugel, TqxfMatList& target, int32_t multiplier);
// The first line of the list with the line's code (exact comparison), nullptr when none.
TqxfMatListItem* FindMatLine(const TqxfMatList& list, const TqxfMatListItem& line);
// Copies all fields through the line's stream image; a failure shows "Ошибка копирования материала!…".
void CopyMatLine(TqxfMatListItem& target, const TqxfMatListItem& source);
// Prices every line afresh in the pricing context.
void RepriceMatList(TqxfMatList& list);
// Ascending by code, byte-wise in Windows-1251.
void SortMatListByID(TqxfMatList& list);
// Ascending by the catalog name of each article, byte-wise in Windows-1251; a missing article raises.
void SortMatListByName(TqxfMatList& list);

}  // namespace qx
