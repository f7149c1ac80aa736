// pricing.h — currency rates and the price of an article in the pricing context of the active document.
#pragma once
#include <QString>
#include <cstdint>

#include "catalog/currency_item.h"
#include "common/money.h"
#include "common/spec_stream.h"

namespace qx {

// Empties the list and takes one rate per row of the currency table, in table order.
void LoadRates(TqxfCurrencyList& list);
// 0 without a list, -1 when no item has the ID, otherwise the first item's rate.
float FindRate(const TqxfCurrencyList* list, int32_t currency);

// The stream image of a rate: ID integer, Rate real.
void WriteCurrencyItem(TSpecStream& stream, const TqxfCurrencyItem& item);
void ReadCurrencyItem(TSpecStream& stream, TqxfCurrencyItem& item);

// The amount in source currency converted with the rates of `rates` into the currency of target
// rate `targetRate`; a target rate of 0 raises "Значение текущей валюты = 0!", a source currency
// without a rate in the list raises rather than pricing with the rate -1.
Money ConvertPrice(const TqxfCurrencyList* rates, int32_t sourceCurrency, Money targetRate, Money amount);
// The same in the pricing context of the settings.
Money ConvertPrice(int32_t sourceCurrency, Money targetRate, Money amount);

// The unit price of an article in a given context: catalog price converted into `currency`, then
// the price group's surcharge or discount. A missing article raises unless silent (then 0).
Money ArticlePrice(const TqxfCurrencyList* rates, int32_t currency, const QString& code, bool silent);
// The same in the pricing context of the settings (the active document's currency and rates).
Money ArticlePrice(const QString& code, bool silent);

}  // namespace qx
