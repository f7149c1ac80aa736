// currency_item.h — one currency rate of a document's rate list.
#pragma once
#include <cstdint>
#include <vector>

namespace qx {

struct TqxfCurrencyItem {
    int32_t ID = 0;  // Currency.ID
    float Rate = 0;  // Currency.Value when the list was taken
};

using TqxfCurrencyList = std::vector<TqxfCurrencyItem>;

}  // namespace qx
