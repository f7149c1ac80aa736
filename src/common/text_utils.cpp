// text_utils.cpp — tokens, replacing, padding and numbers from text.
#include "common/text_utils.h"

#include <limits>

#include "common/error.h"

namespace qx {

namespace {

// Trims every control character and blank at both ends, as the system's trim does.
QString trimBlanks(const QString& text) {
    qsizetype start = 0, end = text.size();
    while (start < end && text[start].unicode() <= 0x20)
        ++start;
    while (end > start && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(start, end - start);
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    return -1;
}

}  // namespace

QString GetToken(const QString& text, int n, const QString& delimiters) {
    if (n <= 0) return QString();
    int index = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || delimiters.contains(text[i])) {
            if (index == n) return trimBlanks(text.mid(start, i - start));
            ++index;
            start = i + 1;
        }
    }
    return QString();
}

int TokenCount(const QString& text, const QString& delimiters) {
    if (text.isEmpty()) return 0;
    int count = 1;
    for (const QChar c : text)
        if (delimiters.contains(c)) ++count;
    return count;
}

bool IsToken(const QString& text, const QString& word, const QString& delimiters) {
    const int count = TokenCount(text, delimiters);
    for (int i = 1; i <= count; ++i)
        if (GetToken(text, i, delimiters) == word) return true;
    return false;
}

QString ReplaceText(const QString& text, const QString& oldText, const QString& newText, bool firstOnly) {
    if (oldText == newText) return text;
    if (text == oldText) return newText;
    if (oldText.isEmpty()) return text;  // nothing to look for
    QString result;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(oldText, from);
        if (at < 0) break;
        result += QStringView(text).mid(from, at - from);
        result += newText;
        from = at + oldText.size();
        if (firstOnly) break;
    }
    result += QStringView(text).mid(from);
    return result;
}

void AppendToken(QString& list, const QString& word, const QString& delimiter, bool unique) {
    if (list.isEmpty()) {
        list = word;
        return;
    }
    if (unique && IsToken(list, word, delimiter)) return;
    list += delimiter + word;
}

QString RemoveSpaces(const QString& text) {
    QString result = text;
    result.remove(QLatin1Char(' '));
    return result.isEmpty() ? QStringLiteral("0") : result;
}

QString PadLeft(const QString& text, int width, bool trim, QChar pad) {
    if (width <= 0) return QString();
    const QString t = trim ? trimBlanks(text) : text;
    return t.size() >= width ? t.right(width) : QString(width - t.size(), pad) + t;
}

QString PadRight(const QString& text, int width, bool trim, QChar pad) {
    if (width <= 0) return QString();
    const QString t = trim ? trimBlanks(text) : text;
    return t.size() >= width ? t.left(width) : t + QString(width - t.size(), pad);
}

int32_t StrToIntDef0(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n) return 0;
    int64_t value = 0;
    for (; i < n; ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0 || d >= base) return 0;
        value = value * base + d;
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1) return 0;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return 0;
    return static_cast<int32_t>(value);
}

uint16_t HexToInt(const QString& text) {
    const QString digits = text.size() % 2 != 0 ? QStringLiteral("0") + text : text;
    uint32_t value = 0;
    for (const QChar c : digits) {
        const int d = hexDigit(c);
        value = value * 16 + static_cast<uint32_t>(d < 0 ? 0 : d);
        if (value > 0xFFFF) throw TqxfError(QStringLiteral("Ошибка проверки диапазона: [%1] больше FFFF!").arg(text));
    }
    return static_cast<uint16_t>(value);
}

bool BitIsSet(int64_t value, int n) {
    if (n < 1 || n > 64) return false;
    return (static_cast<uint64_t>(value) >> (n - 1)) & 1u;
}

}  // namespace qx
