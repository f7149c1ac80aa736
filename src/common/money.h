// money.h — money as a signed 64-bit amount × 10 000, rounded once with exact halves to even.
#pragma once
#include <QString>
#include <cstdint>

namespace qx {

struct Money {
    int64_t Raw = 0;  // amount × 10 000

    static constexpr int64_t Scale = 10000;
    static constexpr Money FromRaw(int64_t raw) { return Money{raw}; }
    static Money FromInt(int64_t units) { return Money{units * Scale}; }
    long double Units() const { return static_cast<long double>(Raw) / Scale; }
    double ToDouble() const { return static_cast<double>(Raw) / Scale; }

    friend constexpr Money operator+(Money a, Money b) { return Money{a.Raw + b.Raw}; }
    friend constexpr Money operator-(Money a, Money b) { return Money{a.Raw - b.Raw}; }
    friend constexpr Money operator-(Money a) { return Money{-a.Raw}; }
    Money& operator+=(Money b) {
        Raw += b.Raw;
        return *this;
    }
    Money& operator-=(Money b) {
        Raw -= b.Raw;
        return *this;
    }
    friend constexpr auto operator<=>(Money a, Money b) = default;
};

// The amount x (in currency units, computed in extended precision) to the nearest 1/10 000,
// an exact half going to the even neighbour. Out-of-range amounts raise TqxfError.
Money RoundMoney(long double x);

// The money value as text with four decimals and "." ("12.5000"): the JSON form.
QString MoneyToText(Money m);
// Money with `decimals` places, decimal comma, no thousands separator (export columns).
QString MoneyToDisplay(Money m, int decimals = 4);

}  // namespace qx
