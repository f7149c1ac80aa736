// format.h — the system's format strings ("%s", "%d", "%.4d", "%.2f", "%m", "%.4x", …)
// with its display formats: decimal comma, blank thousands separator, halves away from zero.
#pragma once
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <variant>

namespace qx {

// Display formats valid for the whole run; documents set CurrencyText and CurrencyDecimals.
struct DisplayFormats {
    QChar DecimalSeparator = QLatin1Char(',');
    QChar ThousandSeparator = QLatin1Char(' ');
    QString CurrencyText = QStringLiteral(" ");
    int CurrencyDecimals = 2;
    QString ShortDateFormat = QStringLiteral("dd.MM.yyyy");
};
DisplayFormats& Formats();

// One argument of a format string.
class FormatArg {
public:
    FormatArg(int v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(long long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(unsigned v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(unsigned long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(unsigned long long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(float v) : value_(static_cast<long double>(v)) {}
    FormatArg(double v) : value_(static_cast<long double>(v)) {}
    FormatArg(long double v) : value_(v) {}
    FormatArg(const QString& v) : value_(v) {}
    FormatArg(const char* v) : value_(QString::fromUtf8(v)) {}
    FormatArg(QLatin1StringView v) : value_(QString(v)) {}

    bool isInteger() const { return std::holds_alternative<int64_t>(value_); }
    bool isReal() const { return std::holds_alternative<long double>(value_); }
    bool isText() const { return std::holds_alternative<QString>(value_); }
    int64_t integer() const;
    long double real() const;
    QString text() const;

private:
    std::variant<int64_t, long double, QString> value_;
};

// Formats with an explicit decimal separator (the display one, or "." for filter texts).
// Unknown or mismatched specifiers raise TqxfError, as the system's format routine does.
QString FormatWith(QChar decimalSeparator, const QString& format, std::initializer_list<FormatArg> args);

// Formats with the run's display formats (decimal comma).
template <class... A>
QString Format(const QString& format, const A&... args) {
    return FormatWith(Formats().DecimalSeparator, format, {FormatArg(args)...});
}

// Formats with "." as decimal separator: the texts of catalog filter expressions.
template <class... A>
QString FormatDot(const QString& format, const A&... args) {
    return FormatWith(QLatin1Char('.'), format, {FormatArg(args)...});
}

// The digits of |value| with `decimals` places, exact halves rounded away from zero
// (the value is first taken to 18 significant digits, as the system's float-to-text does).
// No sign, no separators; decimal point ".".
QString FixedDigits(long double value, int decimals, bool* negative = nullptr);

// A number as the display shows it: thousands separator and decimal comma ("%n").
QString FormatNumber(long double value, int decimals);

// Reads a number written with the display decimal separator (or "."); false when not a number.
bool TryParseFloat(const QString& text, long double& value);

}  // namespace qx
