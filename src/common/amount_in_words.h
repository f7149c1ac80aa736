// amount_in_words.h — money amounts spelled out in Russian words with the currency's word forms.
#pragma once
#include <QString>
#include <cstdint>

#include "common/money.h"

namespace qx {

// The names of a currency in the three forms used after numerals, and its gender.
struct TCurrencyWords {
    QString Nominative;      // after 1 (not 11): рубль
    QString Genitive;        // after 2–4 (not 12–14): рубля
    QString GenitivePlural;  // otherwise: рублей
    uint8_t Gender = 0;      // 0 masculine, 1 feminine, other neuter
    int Dec = 2;             // decimal places shown
};

// Words of one three-digit group (value 0 … 999, fraction ignored) and the selector (units 0 … 19).
QString GroupWords(int gender, long double value, int& selector);

// "Одна тысяча двести пять рублей / 5"; decimals is the system's currency decimals setting (2 unless configured).
QString AmountInWords(const TCurrencyWords& words, Money amount, int decimals = 2);

}  // namespace qx
