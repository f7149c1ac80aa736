// pricing.cpp — currency rates and article prices in the document's currency.
#include "documents/pricing.h"

#include "catalog/data_module.h"
#include "catalog/lookups.h"
#include "common/error.h"
#include "common/format.h"
#include "shell/setup.h"

namespace qx {

namespace {

// A currency whose rate the document's rate list lacks (FindRate gives -1).
TqxfError MissingRate(int32_t currency) {
    return TqxfError(Format("В курсах документа отсутствует курс валюты [%d]!", currency));
}

}  // namespace

void LoadRates(TqxfCurrencyList& list) {
    list.clear();
    const CatalogTable& table = DM().T_Currency;
    list.reserve(table.RowCount());
    for (int row = 0; row < table.RowCount(); ++row)
        list.push_back(
            TqxfCurrencyItem{static_cast<int32_t>(table.Int(row, "ID")), static_cast<float>(table.Real(row, "Value"))});
}

float FindRate(const TqxfCurrencyList* list, int32_t currency) {
    if (!list) return 0;
    for (const TqxfCurrencyItem& item : *list)
        if (item.ID == currency) return item.Rate;
    return -1;
}

void WriteCurrencyItem(TSpecStream& stream, const TqxfCurrencyItem& item) {
    WriteInt(stream, item.ID);
    WriteReal(stream, item.Rate);
}

void ReadCurrencyItem(TSpecStream& stream, TqxfCurrencyItem& item) {
    item.ID = ReadInt(stream);
    item.Rate = ReadSingle(stream);
}

Money ConvertPrice(const TqxfCurrencyList* rates, int32_t sourceCurrency, Money targetRate, Money amount) {
    const float rate = FindRate(rates, sourceCurrency);
    if (targetRate.Raw == 0) throw TqxfError(QStringLiteral("Значение текущей валюты = 0!"));
    // A currency missing from the document's rates would price with the rate -1: a negative price.
    if (rate < 0) throw MissingRate(sourceCurrency);
    return RoundMoney(amount.Units() * rate / targetRate.Units());
}

Money ConvertPrice(int32_t sourceCurrency, Money targetRate, Money amount) {
    return ConvertPrice(Setup().PriceCurrencies, sourceCurrency, targetRate, amount);
}

Money ArticlePrice(const TqxfCurrencyList* rates, int32_t currency, const QString& code, bool silent) {
    const float activeRate = FindRate(rates, currency);
    const Money target = RoundMoney(activeRate);
    const CatalogTable& catalog = DM().T_Catalog;
    const int row = catalog.Locate(QStringLiteral("ID"), {code});
    if (row < 0) {
        if (silent) return Money{};
        throw TqxfError(Format("В каталоге отсутствуют данные для [%s]!\r\n(Поиск [Наименование] через [Код])", code));
    }
    catalog.SetCurrent(row);
    // The document's own currency missing from its rates would turn every price negative.
    if (activeRate < 0) throw MissingRate(currency);
    const Money price = ConvertPrice(rates, static_cast<int32_t>(catalog.Int(row, "Currency")), target,
                                     catalog.MoneyValue(row, "Price"));
    const int group = static_cast<int>(catalog.Int(row, "PriceGrp"));
    const Money reduce = group != 0 ? RoundMoney(GetPriceGroupReduce(group, 0)) : Money{};
    return RoundMoney(price.Units() * (1 + reduce.Units() / 100));
}

Money ArticlePrice(const QString& code, bool silent) {
    const TqxfSetup& setup = Setup();
    return ArticlePrice(setup.PriceCurrencies, setup.PriceCurrency, code, silent);
}

}  // namespace qx
