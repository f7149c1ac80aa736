// amount_in_words.cpp — money amounts spelled out in Russian words.
#include "common/amount_in_words.h"

#include <cmath>

#include "common/format.h"

namespace qx {

namespace {

const char* const kUnits[20] = {"",
                                "",
                                "",
                                "три",
                                "четыре",
                                "пять",
                                "шесть",
                                "семь",
                                "восемь",
                                "девять",
                                "десять",
                                "одиннадцать",
                                "двенадцать",
                                "тринадцать",
                                "четырнадцать",
                                "пятнадцать",
                                "шестнадцать",
                                "семнадцать",
                                "восемнадцать",
                                "девятнадцать"};
const char* const kTens[10] = {"",          "",           "двадцать",  "тридцать",    "сорок",
                               "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
const char* const kHundreds[10] = {"",        "сто",      "двести",  "триста",    "четыреста",
                                   "пятьсот", "шестьсот", "семьсот", "восемьсот", "девятьсот"};

QString unitWord(int gender, int units) {
    if (units == 1)
        return gender == 0 ? QStringLiteral("один") : gender == 1 ? QStringLiteral("одна") : QStringLiteral("одно");
    if (units == 2) return gender == 1 ? QStringLiteral("две") : QStringLiteral("два");
    return QString::fromUtf8(kUnits[units]);
}

// Words of a whole group 0 … 999, each word preceded by a blank.
QString groupWords(int gender, int value, int& selector) {
    QString text;
    const int hundreds = value / 100;
    if (hundreds > 0) text += QLatin1Char(' ') + QString::fromUtf8(kHundreds[hundreds]);
    value -= hundreds * 100;
    const int tens = value / 10;
    if (tens >= 2) {
        text += QLatin1Char(' ') + QString::fromUtf8(kTens[tens]);
        value -= tens * 10;
    }
    if (value > 0) text += QLatin1Char(' ') + unitWord(gender, value);
    selector = value;
    return text;
}

const QString& formBySelector(int selector, const QString& one, const QString& few, const QString& many) {
    if (selector == 1) return one;
    if (selector >= 2 && selector <= 4) return few;
    return many;
}

struct GroupName {
    uint64_t divisor;
    int gender;
    const char* one;
    const char* few;
    const char* many;
};

const GroupName kGroups[] = {{1000000000000ULL, 0, "триллион", "триллиона", "триллионов"},
                             {1000000000ULL, 0, "миллиард", "миллиарда", "миллиардов"},
                             {1000000ULL, 0, "миллион", "миллиона", "миллионов"},
                             {1000ULL, 1, "тысяча", "тысячи", "тысяч"}};

// The fraction of the signed amount in `decimals` places, rounded to the nearest, a half to even.
int64_t fractionDigits(int64_t raw, int decimals) {
    const int64_t fraction = raw % Money::Scale;  // keeps the amount's sign
    int64_t divisor = 1;
    for (int i = decimals; i < 4; ++i)
        divisor *= 10;
    int64_t q = fraction / divisor;
    const int64_t r = fraction % divisor;
    const int64_t sign = fraction < 0 ? -1 : 1;
    const int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > divisor || (twice == divisor && q % 2 != 0)) q += sign;
    return q;
}

}  // namespace

QString GroupWords(int gender, long double value, int& selector) {
    // Ten-thousandths of the value; the fraction gives no words.
    const long double tenThousandths = std::nearbyint(std::fabs(value) * 10000.0L);
    int whole = 0;
    if (std::isfinite(tenThousandths))
        whole = static_cast<int>(std::fmod(std::trunc(tenThousandths / 10000.0L), 1000.0L));
    return groupWords(gender, whole, selector);
}

QString AmountInWords(const TCurrencyWords& words, Money amount, int decimals) {
    const uint64_t a = amount.Raw < 0 ? 0 - static_cast<uint64_t>(amount.Raw) : static_cast<uint64_t>(amount.Raw);
    if (a == 0) return (QStringLiteral("ноль ") + words.GenitivePlural).toLower();
    if (a > 9999999999999999999ULL) return QString();  // 10^15 and more have no words

    const uint64_t whole = a / Money::Scale;
    const uint64_t fraction = a % Money::Scale;
    QString text;
    int selector = 0;
    for (const GroupName& group : kGroups) {
        const int value = static_cast<int>(whole / group.divisor % 1000);
        if (value == 0) continue;
        text += groupWords(group.gender, value, selector) + QLatin1Char(' ');
        text += formBySelector(selector, QString::fromUtf8(group.one), QString::fromUtf8(group.few),
                               QString::fromUtf8(group.many));
    }
    selector = 0;
    const int last = static_cast<int>(whole % 1000);
    if (last != 0 || fraction != 0) text += groupWords(words.Gender, last, selector);
    text += QLatin1Char(' ') + formBySelector(selector, words.Nominative, words.Genitive, words.GenitivePlural);

    if (decimals != 0) {
        if (decimals < 1 || decimals > 4) decimals = 2;
        text += QStringLiteral(" /") + Format(QStringLiteral("%") + QString::number(decimals) + QStringLiteral("d"),
                                              static_cast<long long>(fractionDigits(amount.Raw, decimals)));
    }
    text = text.trimmed();
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

}  // namespace qx
