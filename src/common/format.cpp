// format.cpp — the format routine and the float-to-text rounding of the system.
#include "common/format.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdio>

#include "common/error.h"

namespace qx {

DisplayFormats& Formats() {
    static DisplayFormats formats;
    return formats;
}

int64_t FormatArg::integer() const {
    if (auto p = std::get_if<int64_t>(&value_)) return *p;
    throw TqxfError(QStringLiteral("Format: аргумент не является целым числом"));
}

long double FormatArg::real() const {
    if (auto p = std::get_if<long double>(&value_)) return *p;
    if (auto p = std::get_if<int64_t>(&value_)) return static_cast<long double>(*p);
    throw TqxfError(QStringLiteral("Format: аргумент не является числом"));
}

QString FormatArg::text() const {
    if (auto p = std::get_if<QString>(&value_)) return *p;
    throw TqxfError(QStringLiteral("Format: аргумент не является строкой"));
}

QString FixedDigits(long double value, int decimals, bool* negative) {
    if (negative) *negative = false;
    if (std::isnan(value) || std::isinf(value)) return std::isnan(value) ? QStringLiteral("NAN") : QStringLiteral("INF");
    if (decimals < 0) decimals = 0;
    if (decimals > 18) decimals = 18;
    // 18 significant digits in scientific form: d.ddddddddddddddddde±XX
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", value);
    QByteArray s(buf);
    bool neg = s.startsWith('-');
    if (neg) s.remove(0, 1);
    int ePos = s.indexOf('e');
    int exponent = s.mid(ePos + 1).toInt();
    QByteArray mantissa = s.left(ePos);
    mantissa.remove(1, 1);  // drop the point: 18 digits
    // digits[i] has the weight 10^(exponent - i)
    // keep digits with weight >= 10^-decimals
    int keep = exponent + decimals + 1;  // number of mantissa digits kept
    QByteArray digits;
    bool roundUp = false;
    if (keep <= 0) {
        // Everything is below the last kept place; only a first digit >= 5 just below it rounds up.
        roundUp = (keep == 0 && mantissa.at(0) >= '5');
        digits = QByteArray();
    } else if (keep >= mantissa.size()) {
        digits = mantissa + QByteArray(keep - mantissa.size(), '0');
    } else {
        digits = mantissa.left(keep);
        roundUp = mantissa.at(keep) >= '5';
    }
    // digits now hold the number × 10^decimals as an integer text (possibly empty)
    if (roundUp) {
        int i = digits.size() - 1;
        while (i >= 0 && digits[i] == '9') {
            digits[i] = '0';
            --i;
        }
        if (i >= 0)
            digits[i] = static_cast<char>(digits[i] + 1);
        else
            digits.prepend('1');
    }
    if (digits.size() < decimals + 1) digits.prepend(QByteArray(decimals + 1 - digits.size(), '0'));
    QByteArray intPart = digits.left(digits.size() - decimals);
    QByteArray fracPart = digits.right(decimals);
    // strip leading zeros of the integer part
    int nz = 0;
    while (nz < intPart.size() - 1 && intPart[nz] == '0') ++nz;
    intPart = intPart.mid(nz);
    bool allZero = true;
    for (char c : intPart + fracPart)
        if (c != '0') allZero = false;
    if (negative) *negative = neg && !allZero;
    QString result = QString::fromLatin1(intPart);
    if (decimals > 0) result += QLatin1Char('.') + QString::fromLatin1(fracPart);
    return result;
}

namespace {

QString groupThousands(const QString& intDigits, QChar separator) {
    QString out;
    int n = intDigits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += separator;
        out += intDigits[i];
    }
    return out;
}

QString fixedText(long double value, int decimals, QChar decimalSeparator, bool thousands) {
    bool negative = false;
    QString digits = FixedDigits(value, decimals, &negative);
    QString intPart = digits.section(QLatin1Char('.'), 0, 0);
    QString fracPart = decimals > 0 ? digits.section(QLatin1Char('.'), 1, 1) : QString();
    if (thousands) intPart = groupThousands(intPart, Formats().ThousandSeparator);
    QString result = intPart;
    if (decimals > 0) result += decimalSeparator + fracPart;
    if (negative) result.prepend(QLatin1Char('-'));
    return result;
}

}  // namespace

QString FormatNumber(long double value, int decimals) {
    return fixedText(value, decimals, Formats().DecimalSeparator, true);
}

bool TryParseFloat(const QString& text, long double& value) {
    QString t = text.trimmed();
    if (t.isEmpty()) return false;
    t.replace(Formats().DecimalSeparator, QLatin1Char('.'));
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok) return false;
    value = v;
    return true;
}

QString FormatWith(QChar decimalSeparator, const QString& format, std::initializer_list<FormatArg> args) {
    QString out;
    auto arg = args.begin();
    auto nextArg = [&]() -> const FormatArg& {
        if (arg == args.end()) throw TqxfError(QStringLiteral("Format '%1': недостаточно аргументов").arg(format));
        return *arg++;
    };
    const int n = format.size();
    for (int i = 0; i < n; ++i) {
        QChar c = format[i];
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        ++i;
        if (i >= n) throw TqxfError(QStringLiteral("Format '%1': неверный формат").arg(format));
        if (format[i] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            continue;
        }
        bool left = false;
        if (format[i] == QLatin1Char('-')) {
            left = true;
            ++i;
        }
        int width = -1;
        while (i < n && format[i].isDigit()) {
            width = (width < 0 ? 0 : width * 10) + format[i].digitValue();
            ++i;
        }
        int precision = -1;
        if (i < n && format[i] == QLatin1Char('.')) {
            ++i;
            precision = 0;
            while (i < n && format[i].isDigit()) {
                precision = precision * 10 + format[i].digitValue();
                ++i;
            }
        }
        if (i >= n) throw TqxfError(QStringLiteral("Format '%1': неверный формат").arg(format));
        QChar type = format[i].toLower();
        QString piece;
        const FormatArg& a = nextArg();
        switch (type.unicode()) {
            case 'd':
            case 'u': {
                int64_t v = a.integer();
                bool neg = v < 0;
                uint64_t magnitude = neg ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
                QString digits = QString::number(magnitude);
                if (precision > 0 && digits.size() < precision) digits.prepend(QString(precision - digits.size(), QLatin1Char('0')));
                piece = neg ? QLatin1Char('-') + digits : digits;
                break;
            }
            case 'x': {
                uint64_t v = static_cast<uint64_t>(a.integer());
                QString digits = QString::number(v, 16).toUpper();
                if (precision > 0 && digits.size() < precision) digits.prepend(QString(precision - digits.size(), QLatin1Char('0')));
                piece = digits;
                break;
            }
            case 'f':
                piece = fixedText(a.real(), precision < 0 ? 2 : precision, decimalSeparator, false);
                break;
            case 'n':
                piece = fixedText(a.real(), precision < 0 ? 2 : precision, decimalSeparator, true);
                break;
            case 'm': {
                long double v = a.real();
                QString amount = fixedText(v < 0 ? -v : v, precision < 0 ? Formats().CurrencyDecimals : precision,
                                           decimalSeparator, true);
                bool neg = v < 0 && amount.contains(QRegularExpression(QStringLiteral("[1-9]")));
                piece = (neg ? QStringLiteral("-") : QString()) + amount + QLatin1Char(' ') + Formats().CurrencyText;
                break;
            }
            case 's': {
                piece = a.text();
                if (precision >= 0 && piece.size() > precision) piece.truncate(precision);
                break;
            }
            default:
                throw TqxfError(QStringLiteral("Format '%1': неверный формат").arg(format));
        }
        if (width > piece.size()) {
            QString pad(width - piece.size(), QLatin1Char(' '));
            piece = left ? piece + pad : pad + piece;
        }
        out += piece;
    }
    return out;
}

}  // namespace qx
