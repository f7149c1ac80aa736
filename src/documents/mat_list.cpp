// mat_list.cpp — material lines of sashes, their merging, copying, repricing and sorting.
#include "documents/mat_list.h"

#include <algorithm>
#include <exception>

#include "catalog/lookups.h"
#include "common/codec.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "construction/flugel.h"
#include "documents/pricing.h"

namespace qx {

namespace {

Money LineCost(float number, Money price) {
    return RoundMoney(static_cast<long double>(number) * price.Units());
}

}  // namespace

void TqxfMatListItem::SaveToStream(TSpecStream& stream) const {
    WriteText(stream, ID);
    WriteReal(stream, Number);
    WriteCurrency(stream, Price);
    WriteReal(stream, Reserved1);
    WriteCurrency(stream, Reserved2);
    WriteCurrency(stream, ListPrice);
    WriteCurrency(stream, Cost);
}

void TqxfMatListItem::LoadFromStream(TSpecStream& stream, const QString& /*stamp: no field depends on it*/) {
    ID = ReadText(stream);
    Number = ReadSingle(stream);
    Price = ReadCurrency(stream);
    Reserved1 = ReadSingle(stream);
    Reserved2 = ReadCurrency(stream);
    ListPrice = ReadCurrency(stream);
    Cost = ReadCurrency(stream);
}

void BuildMatList(TqxfFlugel& flugel) {
    flugel.MatList.clear();
    if (!flugel.FurnComp) return;
    for (const auto& item : flugel.FurnComp->Items) {
        auto line = std::make_unique<TqxfMatListItem>();
        line->ID = item->Article;
        if (item->Length > 0)
            line->Number = static_cast<float>(static_cast<long double>(item->Count) * item->Length / 1000);
        else
            line->Number = static_cast<float>(item->Count);
        line->Price = line->ListPrice = ArticlePrice(item->Article, false);
        line->Cost = LineCost(line->Number, line->Price);
        flugel.MatList.push_back(std::move(line));
    }
}

Money MatListSum(const TqxfFlugel& flugel) {
    Money sum;
    for (const auto& line : flugel.MatList)
        sum += line->Cost;
    return sum;
}

void AddToMatList(const TqxfFlugel& flugel, TqxfMatList& target, int32_t multiplier) {
    for (const auto& source : flugel.MatList) {
        if (TqxfMatListItem* found = FindMatLine(target, *source)) {
            found->Number = static_cast<float>(found->Number + static_cast<long double>(multiplier) * source->Number);
            found->Cost = LineCost(found->Number, found->ListPrice);
            continue;
        }
        auto line = std::make_unique<TqxfMatListItem>();
        CopyMatLine(*line, *source);
        line->Number = static_cast<float>(static_cast<long double>(line->Number) * multiplier);
        line->Cost = LineCost(line->Number, line->ListPrice);
        target.push_back(std::move(line));
    }
}

TqxfMatListItem* FindMatLine(const TqxfMatList& list, const TqxfMatListItem& line) {
    for (const auto& item : list)
        if (item->ID == line.ID) return item.get();
    return nullptr;
}

void CopyMatLine(TqxfMatListItem& target, const TqxfMatListItem& source) {
    try {
        TSpecStream stream;
        source.SaveToStream(stream);
        stream.SetPosition(0);
        target.LoadFromStream(stream, kCurrentStamp);
    } catch (const TqxfError& e) {
        ShowError(Format("Ошибка копирования материала!\r\n(%s)", e.Message));
    } catch (const std::exception& e) {
        ShowError(Format("Ошибка копирования материала!\r\n(%s)", QString::fromUtf8(e.what())));
    }
}

void RepriceMatList(TqxfMatList& list) {
    for (const auto& line : list) {
        const Money price = ArticlePrice(line->ID, false);
        line->Price = line->ListPrice = price;
        line->Cost = LineCost(line->Number, price);
    }
}

void SortMatListByID(TqxfMatList& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return CompareCp1251(a->ID, b->ID) < 0; });
}

void SortMatListByName(TqxfMatList& list) {
    // Names are looked up before anything moves: a missing article leaves the list as it was.
    std::vector<std::pair<QString, std::unique_ptr<TqxfMatListItem>>> keyed;
    std::vector<QString> names;
    names.reserve(list.size());
    for (const auto& line : list)
        names.push_back(GetArticleName(line->ID, false));
    keyed.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        keyed.emplace_back(std::move(names[i]), std::move(list[i]));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return CompareCp1251(a.first, b.first) < 0; });
    for (size_t i = 0; i < keyed.size(); ++i)
        list[i] = std::move(keyed[i].second);
}

}  // namespace qx
