// money.cpp — the one rounding of money.
#include "common/money.h"

#include <cfenv>
#include <cmath>

#include "common/error.h"
#include "common/format.h"

namespace qx {

Money RoundMoney(long double x) {
    long double scaled = x * 10000.0L;
    if (std::isnan(scaled) || std::fabs(scaled) > 9.2e18L)
        throw TqxfError(QStringLiteral("Денежная величина вне допустимого диапазона"));
    // Round to nearest, exact halves to even.
    long double r = std::floor(scaled);
    long double diff = scaled - r;
    if (diff > 0.5L || (diff == 0.5L && std::fmod(r, 2.0L) != 0.0L)) r += 1.0L;
    return Money{static_cast<int64_t>(r)};
}

QString MoneyToText(Money m) {
    int64_t raw = m.Raw;
    bool neg = raw < 0;
    uint64_t mag = neg ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    QString frac = QString::number(mag % 10000).rightJustified(4, QLatin1Char('0'));
    return (neg ? QStringLiteral("-") : QString()) + QString::number(mag / 10000) + QLatin1Char('.') + frac;
}

QString MoneyToDisplay(Money m, int decimals) {
    return FormatWith(Formats().DecimalSeparator, QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f"),
                      {m.Units()});
}

}  // namespace qx
