// expression.cpp — parses an expression once into a tree and evaluates the tree against a context.
#include "common/expression.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "common/error.h"
#include "common/format.h"

namespace qx {

namespace {

// Deeper nesting than this (parentheses, arguments, unary signs, "not") is refused when parsing,
// so that neither parsing nor evaluation can exhaust the stack.
constexpr int MaxNesting = 200;

// ---------------------------------------------------------------------------------------------
// Numbers

// m × 10^e for the decimal digits gathered from a literal or a text; infinite when out of range.
long double ScaleDecimal(uint64_t mantissa, long e) {
    if (mantissa == 0) return 0;
    if (e > 6000) return std::numeric_limits<long double>::infinity();
    if (e < -6000) return 0;
    long magnitude = e < 0 ? -e : e;
    long double power = 1;
    if (magnitude <= 27) {
        // powers of ten up to 10^27 are exact in the 64-bit mantissa, so the result is correctly rounded
        for (long i = 0; i < magnitude; ++i)
            power *= 10;
    } else {
        power = std::pow(10.0L, static_cast<long double>(magnitude));
    }
    long double m = static_cast<long double>(mantissa);
    return e < 0 ? m / power : m * power;
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Gathers up to 19 significant digits of s[intStart, intEnd) and s[fracStart, fracEnd) into a
// mantissa and returns the value with the extra exponent.
long double ComposeDecimal(const QString& s, int intStart, int intEnd, int fracStart, int fracEnd, long exponent) {
    uint64_t mantissa = 0;
    int significant = 0;
    long e = exponent;
    for (int i = intStart; i < intEnd; ++i) {
        int d = s[i].unicode() - '0';
        if (significant == 0 && d == 0) continue;
        if (significant < 19) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(d);
            ++significant;
        } else {
            ++e;
        }
    }
    for (int i = fracStart; i < fracEnd; ++i) {
        int d = s[i].unicode() - '0';
        if (significant == 0 && d == 0) {
            --e;
            continue;
        }
        if (significant < 19) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(d);
            ++significant;
            --e;
        }
    }
    return ScaleDecimal(mantissa, e);
}

// Scans an exponent part "e[+-]digits" at pos; returns the position after it, or -1 when
// there is an "e" without digits. No "e" at all returns pos unchanged.
int ScanExponent(const QString& s, int pos, long& exponent) {
    exponent = 0;
    const int n = s.size();
    if (pos >= n || (s[pos] != QLatin1Char('e') && s[pos] != QLatin1Char('E'))) return pos;
    int i = pos + 1;
    bool negative = false;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= n || !IsDigit(s[i])) return -1;
    while (i < n && IsDigit(s[i])) {
        if (exponent < 100000) exponent = exponent * 10 + (s[i].unicode() - '0');
        ++i;
    }
    if (negative) exponent = -exponent;
    return i;
}

// A text that reads as a number: blanks around, an optional sign, digits with "." or "," as the
// decimal separator (at least one digit), an optional exponent.
bool ReadNumberText(const QString& text, long double& value) {
    int i = 0, n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    while (n > i && text[n - 1].isSpace())
        --n;
    if (i >= n) return false;
    bool negative = false;
    if (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int intStart = i;
    while (i < n && IsDigit(text[i]))
        ++i;
    int intEnd = i, fracStart = i, fracEnd = i;
    if (i < n && (text[i] == QLatin1Char('.') || text[i] == QLatin1Char(','))) {
        fracStart = ++i;
        while (i < n && IsDigit(text[i]))
            ++i;
        fracEnd = i;
    }
    if (intEnd == intStart && fracEnd == fracStart) return false;
    long exponent = 0;
    i = ScanExponent(text.left(n), i, exponent);
    if (i != n) return false;
    long double v = ComposeDecimal(text, intStart, intEnd, fracStart, fracEnd, exponent);
    if (!std::isfinite(v)) return false;
    value = negative ? -v : v;
    return true;
}

// A number as text: 15 significant digits, no trailing zeros, the given decimal separator;
// exponent form ("1,5E20", "1E-7") below 0.00001 and from 10^15 on.
QString NumberText(long double value, QChar decimalSeparator) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0) return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", value);
    QByteArray s(buf);
    bool negative = s.startsWith('-');
    if (negative) s.remove(0, 1);
    int ePos = s.indexOf('e');
    int exponent = s.mid(ePos + 1).toInt();
    QByteArray digits = s.left(ePos);
    digits.remove(1, 1);  // the separator the C library wrote, whatever the locale
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    QString out;
    if (negative) out += QLatin1Char('-');
    if (exponent >= 15 || exponent < -5) {
        out += QLatin1Char(digits[0]);
        if (digits.size() > 1) out += decimalSeparator + QString::fromLatin1(digits.mid(1));
        out += QLatin1Char('E') + QString::number(exponent);
    } else if (exponent >= 0) {
        if (digits.size() <= exponent + 1) {
            out += QString::fromLatin1(digits) + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
        } else {
            out += QString::fromLatin1(digits.left(exponent + 1)) + decimalSeparator +
                   QString::fromLatin1(digits.mid(exponent + 1));
        }
    } else {
        out += QLatin1Char('0') + QString(decimalSeparator) + QString(-exponent - 1, QLatin1Char('0')) +
               QString::fromLatin1(digits);
    }
    return out;
}

// Truncates to a 64-bit integer; false when out of its range.
bool TruncToInt64(long double v, int64_t& out) {
    long double t = std::trunc(v);
    if (!(t >= -9223372036854775808.0L && t < 9223372036854775808.0L)) return false;
    out = static_cast<int64_t>(t);
    return true;
}

// Truncates and clamps to the int range (positions and counts of text functions).
int ClampToInt(long double v) {
    if (std::isnan(v)) return 0;
    long double t = std::trunc(v);
    if (t <= static_cast<long double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (t >= static_cast<long double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(t);
}

bool TryNumber(const ExprValue& v, long double& out) {
    switch (v.type) {
        case ExprValue::Type::Null:
            out = 0;
            return true;
        case ExprValue::Type::Number:
            out = v.number;
            return true;
        case ExprValue::Type::Boolean:
            out = v.boolean ? 1 : 0;
            return true;
        case ExprValue::Type::Text:
            if (v.text.trimmed().isEmpty()) {
                out = 0;
                return true;
            }
            return ReadNumberText(v.text, out);
    }
    return false;
}

bool TryBoolean(const ExprValue& v, bool& out) {
    switch (v.type) {
        case ExprValue::Type::Null:
            out = false;
            return true;
        case ExprValue::Type::Number:
            out = v.number != 0;
            return true;
        case ExprValue::Type::Boolean:
            out = v.boolean;
            return true;
        case ExprValue::Type::Text: {
            QString t = v.text.trimmed();
            long double n = 0;
            if (t.isEmpty()) {
                out = false;
            } else if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
                out = true;
            } else if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
                out = false;
            } else if (ReadNumberText(t, n)) {
                out = n != 0;
            } else {
                return false;
            }
            return true;
        }
    }
    return false;
}

// A Delphi-style number pattern: literal prefix, digit placeholders "0" (always shown) and "#"
// (shown when significant), one "." for the decimal separator, "," anywhere in the integer part
// for thousands grouping, literal suffix. Empty result on a bad pattern (fault set).
QString FormatFloatPattern(const QString& pattern, long double value, bool& bad) {
    bad = false;
    auto isPlaceholder = [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); };
    int first = -1, last = -1;
    for (int i = 0; i < pattern.size(); ++i) {
        if (isPlaceholder(pattern[i])) {
            if (first < 0) first = i;
            last = i;
        }
    }
    if (first < 0) {
        bad = true;
        return QString();
    }
    if (first > 0 && pattern[first - 1] == QLatin1Char('.')) --first;
    QString prefix = pattern.left(first);
    QString body = pattern.mid(first, last - first + 1);
    QString suffix = pattern.mid(last + 1);
    int point = -1;
    bool grouping = false;
    for (int i = 0; i < body.size(); ++i) {
        QChar c = body[i];
        if (c == QLatin1Char('.')) {
            if (point >= 0) bad = true;
            point = i;
        } else if (c == QLatin1Char(',')) {
            if (point >= 0) bad = true;
            grouping = true;
        } else if (!isPlaceholder(c)) {
            bad = true;
        }
    }
    if (bad) return QString();
    QString intPattern = point >= 0 ? body.left(point) : body;
    QString fracPattern = point >= 0 ? body.mid(point + 1) : QString();
    intPattern.remove(QLatin1Char(','));
    int minInt = 0;
    int firstZero = intPattern.indexOf(QLatin1Char('0'));
    if (firstZero >= 0) minInt = intPattern.size() - firstZero;
    int maxDec = fracPattern.size();
    int minDec = fracPattern.lastIndexOf(QLatin1Char('0')) + 1;
    if (maxDec > 18) {
        bad = true;
        return QString();
    }
    bool negative = false;
    QString digits = FixedDigits(value, maxDec, &negative);
    QString intDigits = digits.section(QLatin1Char('.'), 0, 0);
    QString fracDigits = maxDec > 0 ? digits.section(QLatin1Char('.'), 1, 1) : QString();
    while (fracDigits.size() > minDec && fracDigits.endsWith(QLatin1Char('0')))
        fracDigits.chop(1);
    if (intDigits == QLatin1String("0") && minInt == 0) intDigits.clear();
    if (intDigits.size() < minInt) intDigits.prepend(QString(minInt - intDigits.size(), QLatin1Char('0')));
    if (grouping) {
        QString grouped;
        const int n = intDigits.size();
        for (int i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0) grouped += Formats().ThousandSeparator;
            grouped += intDigits[i];
        }
        intDigits = grouped;
    }
    QString number = intDigits;
    if (!fracDigits.isEmpty()) number += Formats().DecimalSeparator + fracDigits;
    return (negative ? QStringLiteral("-") : QString()) + prefix + number + suffix;
}

// ---------------------------------------------------------------------------------------------
// The tree

enum class NodeKind { Constant, Variable, Call, Negate, Identity, Not, Chain, Logic, Compare };
enum class Op {
    Add,
    Subtract,
    Multiply,
    Divide,
    IntDiv,
    Mod,
    And,
    Or,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual
};

enum class Builtin {
    None,
    Round,
    Trunc,
    Int,
    Frac,
    Abs,
    Min,
    Max,
    IIF,
    Sqrt,
    Length,
    Copy,
    Pos,
    UpperCase,
    LowerCase,
    Trim,
    Str,
    IntToStr,
    FloatToStr,
    FormatFloat,
    Chr
};

struct BuiltinInfo {
    const char* name;
    Builtin id;
    int minArgs;
    int maxArgs;  // -1: any number
};

constexpr BuiltinInfo Builtins[] = {
    {"Round", Builtin::Round, 1, 1},
    {"Trunc", Builtin::Trunc, 1, 1},
    {"Int", Builtin::Int, 1, 1},
    {"Frac", Builtin::Frac, 1, 1},
    {"Abs", Builtin::Abs, 1, 1},
    {"Min", Builtin::Min, 2, -1},
    {"Max", Builtin::Max, 2, -1},
    {"IIF", Builtin::IIF, 3, 3},
    {"Sqrt", Builtin::Sqrt, 1, 1},
    {"Length", Builtin::Length, 1, 1},
    {"Copy", Builtin::Copy, 3, 3},
    {"Pos", Builtin::Pos, 2, 2},
    {"UpperCase", Builtin::UpperCase, 1, 1},
    {"LowerCase", Builtin::LowerCase, 1, 1},
    {"Trim", Builtin::Trim, 1, 1},
    {"Str", Builtin::Str, 1, 1},
    {"IntToStr", Builtin::IntToStr, 1, 1},
    {"FloatToStr", Builtin::FloatToStr, 1, 1},
    {"FormatFloat", Builtin::FormatFloat, 2, 2},
    {"Chr", Builtin::Chr, 1, 1},
};

const BuiltinInfo* FindBuiltin(const QString& name) {
    for (const BuiltinInfo& b : Builtins)
        if (name.compare(QLatin1String(b.name), Qt::CaseInsensitive) == 0) return &b;
    return nullptr;
}

}  // namespace

bool IsBuiltinFunction(const QString& name) {
    return FindBuiltin(name) != nullptr;
}

class ExpressionNode {
public:
    NodeKind kind = NodeKind::Constant;
    ExprValue constant;                    // Constant; for Variable: True/False when the name is one of them
    bool hasConstant = false;              // Variable: the name is True or False
    QString name;                          // Variable, Call
    const BuiltinInfo* builtin = nullptr;  // Call: the built-in of that name, if any
    Op op = Op::Add;                       // Logic, Compare
    std::vector<Op> ops;                   // Chain: ops[i] joins the result so far with children[i + 1]
    std::vector<std::unique_ptr<ExpressionNode>> children;
    std::vector<QString> sources;  // Call: the argument texts as written
};

namespace {

// ---------------------------------------------------------------------------------------------
// The parser

enum class Tok {
    End,
    Number,
    Text,
    Name,
    Plus,
    Minus,
    Star,
    Slash,
    Div,
    Mod,
    And,
    Or,
    Not,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    LParen,
    RParen,
    Comma
};

struct Token {
    Tok kind = Tok::End;
    int start = 0;
    int end = 0;
    long double number = 0;
    QString text;
};

bool IsNameStart(QChar c) {
    char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || (u >= 0x0400 && u <= 0x04FF);
}

bool IsNamePart(QChar c) {
    return IsNameStart(c) || IsDigit(c);
}

class Parser {
public:
    explicit Parser(const QString& text) : text_(text) {}

    std::unique_ptr<ExpressionNode> parseAll() {
        advance();
        if (token_.kind == Tok::End) fail(QStringLiteral("пустое выражение"));
        auto root = parseOr();
        if (token_.kind != Tok::End) fail(Format("лишний текст после выражения в позиции %d", token_.start + 1));
        return root;
    }

private:
    const QString& text_;
    Token token_;
    int pos_ = 0;
    int depth_ = 0;

    [[noreturn]] void fail(const QString& fault) const {
        throw TqxfError(Format("Ошибка в выражении [%s]: %s", text_, fault));
    }

    // Counts one level of nesting for the lifetime of the guard.
    struct Nesting {
        Parser& parser;
        explicit Nesting(Parser& p) : parser(p) {
            if (++parser.depth_ > MaxNesting)
                parser.fail(Format("слишком глубокая вложенность (более %d уровней) в позиции %d", MaxNesting,
                                   parser.token_.start + 1));
        }
        ~Nesting() { --parser.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;
    };

    void advance() {
        const int n = text_.size();
        while (pos_ < n && text_[pos_].isSpace())
            ++pos_;
        token_ = Token();
        token_.start = pos_;
        if (pos_ >= n) {
            token_.end = pos_;
            return;
        }
        QChar c = text_[pos_];
        if (IsDigit(c)) {
            lexNumber();
        } else if (c == QLatin1Char('\'')) {
            lexText();
        } else if (IsNameStart(c)) {
            int start = pos_;
            while (pos_ < n && IsNamePart(text_[pos_]))
                ++pos_;
            token_.text = text_.mid(start, pos_ - start);
            token_.kind = keyword(token_.text);
        } else {
            lexOperator(c);
        }
        token_.end = pos_;
    }

    static Tok keyword(const QString& word) {
        static const struct {
            const char* word;
            Tok kind;
        } words[] = {{"div", Tok::Div}, {"mod", Tok::Mod}, {"and", Tok::And}, {"or", Tok::Or}, {"not", Tok::Not}};
        if (word.size() > 3) return Tok::Name;
        for (const auto& w : words)
            if (word.compare(QLatin1String(w.word), Qt::CaseInsensitive) == 0) return w.kind;
        return Tok::Name;
    }

    void lexNumber() {
        const int n = text_.size();
        int start = pos_;
        while (pos_ < n && IsDigit(text_[pos_]))
            ++pos_;
        int intEnd = pos_, fracStart = pos_, fracEnd = pos_;
        if (pos_ < n && text_[pos_] == QLatin1Char('.')) {
            if (pos_ + 1 >= n || !IsDigit(text_[pos_ + 1]))
                fail(Format("неверная запись числа в позиции %d", start + 1));
            fracStart = ++pos_;
            while (pos_ < n && IsDigit(text_[pos_]))
                ++pos_;
            fracEnd = pos_;
        }
        long exponent = 0;
        int after = ScanExponent(text_, pos_, exponent);
        if (after < 0) fail(Format("неверная запись числа в позиции %d", start + 1));
        pos_ = after;
        if (pos_ < n && IsDigit(text_[pos_])) fail(Format("неверная запись числа в позиции %d", start + 1));
        long double v = ComposeDecimal(text_, start, intEnd, fracStart, fracEnd, exponent);
        if (!std::isfinite(v)) fail(Format("число вне допустимого диапазона в позиции %d", start + 1));
        token_.kind = Tok::Number;
        token_.number = v;
    }

    void lexText() {
        const int n = text_.size();
        int start = pos_++;
        QString value;
        for (;;) {
            if (pos_ >= n) fail(Format("не закрыта текстовая константа, начатая в позиции %d", start + 1));
            QChar c = text_[pos_];
            if (c == QLatin1Char('\'')) {
                if (pos_ + 1 < n && text_[pos_ + 1] == QLatin1Char('\'')) {
                    value += c;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            value += c;
            ++pos_;
        }
        token_.kind = Tok::Text;
        token_.text = value;
    }

    void lexOperator(QChar c) {
        const int n = text_.size();
        QChar next = pos_ + 1 < n ? text_[pos_ + 1] : QChar();
        int length = 1;
        switch (c.unicode()) {
            case '+':
                token_.kind = Tok::Plus;
                break;
            case '-':
                token_.kind = Tok::Minus;
                break;
            case '*':
                token_.kind = Tok::Star;
                break;
            case '/':
                token_.kind = Tok::Slash;
                break;
            case '=':
                token_.kind = Tok::Equal;
                break;
            case '(':
                token_.kind = Tok::LParen;
                break;
            case ')':
                token_.kind = Tok::RParen;
                break;
            case ',':
                token_.kind = Tok::Comma;
                break;
            case '<':
                if (next == QLatin1Char('=')) {
                    token_.kind = Tok::LessEqual;
                    length = 2;
                } else if (next == QLatin1Char('>')) {
                    token_.kind = Tok::NotEqual;
                    length = 2;
                } else {
                    token_.kind = Tok::Less;
                }
                break;
            case '>':
                if (next == QLatin1Char('=')) {
                    token_.kind = Tok::GreaterEqual;
                    length = 2;
                } else {
                    token_.kind = Tok::Greater;
                }
                break;
            default: {
                QString shown = c.isPrint() && !c.isSpace() ? QString(c) : Format("#%d", static_cast<int>(c.unicode()));
                fail(Format("недопустимый символ '%s' в позиции %d", shown, pos_ + 1));
            }
        }
        pos_ += length;
    }

    static std::unique_ptr<ExpressionNode> makeNode(NodeKind kind) {
        auto node = std::make_unique<ExpressionNode>();
        node->kind = kind;
        return node;
    }

    std::unique_ptr<ExpressionNode> parseOr() {
        Nesting guard(*this);
        auto left = parseAnd();
        if (token_.kind != Tok::Or) return left;
        auto node = makeNode(NodeKind::Logic);
        node->op = Op::Or;
        node->children.push_back(std::move(left));
        while (token_.kind == Tok::Or) {
            advance();
            node->children.push_back(parseAnd());
        }
        return node;
    }

    std::unique_ptr<ExpressionNode> parseAnd() {
        auto left = parseNot();
        if (token_.kind != Tok::And) return left;
        auto node = makeNode(NodeKind::Logic);
        node->op = Op::And;
        node->children.push_back(std::move(left));
        while (token_.kind == Tok::And) {
            advance();
            node->children.push_back(parseNot());
        }
        return node;
    }

    std::unique_ptr<ExpressionNode> parseNot() {
        if (token_.kind != Tok::Not) return parseComparison();
        Nesting guard(*this);
        advance();
        auto node = makeNode(NodeKind::Not);
        node->children.push_back(parseNot());
        return node;
    }

    static bool comparison(Tok kind, Op& op) {
        switch (kind) {
            case Tok::Equal:
                op = Op::Equal;
                return true;
            case Tok::NotEqual:
                op = Op::NotEqual;
                return true;
            case Tok::Less:
                op = Op::Less;
                return true;
            case Tok::LessEqual:
                op = Op::LessEqual;
                return true;
            case Tok::Greater:
                op = Op::Greater;
                return true;
            case Tok::GreaterEqual:
                op = Op::GreaterEqual;
                return true;
            default:
                return false;
        }
    }

    std::unique_ptr<ExpressionNode> parseComparison() {
        auto left = parseAdditive();
        Op op;
        if (!comparison(token_.kind, op)) return left;
        advance();
        auto node = makeNode(NodeKind::Compare);
        node->op = op;
        node->children.push_back(std::move(left));
        node->children.push_back(parseAdditive());
        if (comparison(token_.kind, op))
            fail(Format("сравнения нельзя ставить подряд в позиции %d (соедините их через and)", token_.start + 1));
        return node;
    }

    std::unique_ptr<ExpressionNode> parseAdditive() {
        auto left = parseMultiplicative();
        if (token_.kind != Tok::Plus && token_.kind != Tok::Minus) return left;
        auto node = makeNode(NodeKind::Chain);
        node->children.push_back(std::move(left));
        while (token_.kind == Tok::Plus || token_.kind == Tok::Minus) {
            node->ops.push_back(token_.kind == Tok::Plus ? Op::Add : Op::Subtract);
            advance();
            node->children.push_back(parseMultiplicative());
        }
        return node;
    }

    static bool multiplicative(Tok kind, Op& op) {
        switch (kind) {
            case Tok::Star:
                op = Op::Multiply;
                return true;
            case Tok::Slash:
                op = Op::Divide;
                return true;
            case Tok::Div:
                op = Op::IntDiv;
                return true;
            case Tok::Mod:
                op = Op::Mod;
                return true;
            default:
                return false;
        }
    }

    std::unique_ptr<ExpressionNode> parseMultiplicative() {
        auto left = parseUnary();
        Op op;
        if (!multiplicative(token_.kind, op)) return left;
        auto node = makeNode(NodeKind::Chain);
        node->children.push_back(std::move(left));
        while (multiplicative(token_.kind, op)) {
            node->ops.push_back(op);
            advance();
            node->children.push_back(parseUnary());
        }
        return node;
    }

    std::unique_ptr<ExpressionNode> parseUnary() {
        if (token_.kind != Tok::Minus && token_.kind != Tok::Plus) return parsePrimary();
        Nesting guard(*this);
        auto node = makeNode(token_.kind == Tok::Minus ? NodeKind::Negate : NodeKind::Identity);
        advance();
        node->children.push_back(parseUnary());
        return node;
    }

    std::unique_ptr<ExpressionNode> parsePrimary() {
        switch (token_.kind) {
            case Tok::Number: {
                auto node = makeNode(NodeKind::Constant);
                node->constant = ExprValue::Number(token_.number);
                advance();
                return node;
            }
            case Tok::Text: {
                auto node = makeNode(NodeKind::Constant);
                node->constant = ExprValue::Text(token_.text);
                advance();
                return node;
            }
            case Tok::Name:
                return parseName();
            case Tok::LParen: {
                int open = token_.start;
                advance();
                auto inner = parseOr();
                if (token_.kind != Tok::RParen) unclosed(open);
                advance();
                return inner;
            }
            case Tok::End:
                fail(QStringLiteral("неожиданный конец выражения"));
            default:
                fail(Format("ожидается операнд в позиции %d", token_.start + 1));
        }
    }

    [[noreturn]] void unclosed(int open) const {
        if (token_.kind == Tok::End) fail(Format("не закрыта скобка в позиции %d", open + 1));
        fail(Format("ожидается ')' в позиции %d", token_.start + 1));
    }

    std::unique_ptr<ExpressionNode> parseName() {
        QString name = token_.text;
        advance();
        if (token_.kind != Tok::LParen) {
            auto node = makeNode(NodeKind::Variable);
            if (name.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                name.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
                node->hasConstant = true;
                node->constant = ExprValue::Boolean(name.size() == 4);
            }
            node->name = name;
            return node;
        }
        int open = token_.start;
        advance();
        auto node = makeNode(NodeKind::Call);
        node->name = name;
        node->builtin = FindBuiltin(name);
        if (token_.kind == Tok::RParen) {
            advance();
            return node;
        }
        for (;;) {
            int start = token_.start;
            node->children.push_back(parseOr());
            node->sources.push_back(text_.mid(start, token_.start - start).trimmed());
            if (token_.kind == Tok::Comma) {
                advance();
                continue;
            }
            if (token_.kind == Tok::RParen) break;
            if (token_.kind == Tok::End) fail(Format("не закрыта скобка в позиции %d", open + 1));
            fail(Format("ожидается ',' или ')' в позиции %d", token_.start + 1));
        }
        advance();
        return node;
    }
};

// ---------------------------------------------------------------------------------------------
// The evaluator

class Evaluator {
public:
    Evaluator(const QString& text, ExpressionContext& context) : text_(text), context_(context) {}

    ExprValue eval(const ExpressionNode& node) const;

private:
    const QString& text_;
    ExpressionContext& context_;

    [[noreturn]] void fail(const QString& fault) const {
        throw TqxfError(Format("Ошибка в выражении [%s]: %s", text_, fault));
    }

    long double number(const ExprValue& v) const {
        long double n = 0;
        if (!TryNumber(v, n)) fail(Format("значение [%s] не является числом", v.toText()));
        return n;
    }

    bool boolean(const ExprValue& v) const {
        bool b = false;
        if (!TryBoolean(v, b)) fail(Format("значение [%s] не является логическим", v.toText()));
        return b;
    }

    long double finite(long double v) const {
        if (!std::isfinite(v)) fail(QStringLiteral("результат вне допустимого диапазона"));
        return v;
    }

    int64_t integer(long double v) const {
        int64_t i = 0;
        if (!TruncToInt64(v, i)) fail(QStringLiteral("значение вне диапазона целых чисел"));
        return i;
    }

    ExprValue arithmetic(Op op, ExprValue&& left, const ExprValue& right) const;
    bool compare(Op op, const ExprValue& left, const ExprValue& right) const;
    ExprValue variable(const ExpressionNode& node) const;
    ExprValue call(const ExpressionNode& node) const;
    ExprValue builtin(const ExpressionNode& node, const ExprArgs& args) const;
};

// The arguments of one call, evaluated on request.
class CallArguments final : public ExprArgs {
public:
    CallArguments(const Evaluator& evaluator, const ExpressionNode* call) : evaluator_(evaluator), call_(call) {}
    int count() const override { return call_ ? static_cast<int>(call_->children.size()) : 0; }
    QString source(int i) const override { return i >= 0 && i < count() ? call_->sources[i] : QString(); }
    ExprValue value(int i) const override {
        return i >= 0 && i < count() ? evaluator_.eval(*call_->children[i]) : ExprValue();
    }

private:
    const Evaluator& evaluator_;
    const ExpressionNode* call_;
};

ExprValue Evaluator::eval(const ExpressionNode& node) const {
    switch (node.kind) {
        case NodeKind::Constant:
            return node.constant;
        case NodeKind::Variable:
            return variable(node);
        case NodeKind::Call:
            return call(node);
        case NodeKind::Negate:
            return ExprValue::Number(-number(eval(*node.children[0])));
        case NodeKind::Identity:
            return ExprValue::Number(number(eval(*node.children[0])));
        case NodeKind::Not:
            return ExprValue::Boolean(!boolean(eval(*node.children[0])));
        case NodeKind::Chain: {
            ExprValue result = eval(*node.children[0]);
            for (size_t i = 0; i < node.ops.size(); ++i)
                result = arithmetic(node.ops[i], std::move(result), eval(*node.children[i + 1]));
            return result;
        }
        case NodeKind::Logic: {
            // evaluated from the left only as far as the outcome is open
            const bool stopAt = node.op == Op::Or;
            for (const auto& child : node.children)
                if (boolean(eval(*child)) == stopAt) return ExprValue::Boolean(stopAt);
            return ExprValue::Boolean(!stopAt);
        }
        case NodeKind::Compare:
            return ExprValue::Boolean(compare(node.op, eval(*node.children[0]), eval(*node.children[1])));
    }
    return ExprValue();
}

ExprValue Evaluator::arithmetic(Op op, ExprValue&& left, const ExprValue& right) const {
    if (op == Op::Add && (left.type == ExprValue::Type::Text || right.type == ExprValue::Type::Text)) {
        if (left.type != ExprValue::Type::Text) left = ExprValue::Text(left.toText());
        left.text += right.toText();
        return std::move(left);
    }
    long double a = number(left), b = number(right);
    switch (op) {
        case Op::Add:
            return ExprValue::Number(finite(a + b));
        case Op::Subtract:
            return ExprValue::Number(finite(a - b));
        case Op::Multiply:
            return ExprValue::Number(finite(a * b));
        case Op::Divide:
            if (b == 0) fail(QStringLiteral("деление на ноль"));
            return ExprValue::Number(finite(a / b));
        case Op::IntDiv:
        case Op::Mod: {
            int64_t x = integer(a), y = integer(b);
            if (y == 0) fail(QStringLiteral("деление на ноль"));
            if (y == -1) return ExprValue::Number(op == Op::Mod ? 0 : -static_cast<long double>(x));
            return ExprValue::Number(static_cast<long double>(op == Op::Mod ? x % y : x / y));
        }
        default:
            return ExprValue();
    }
}

bool Evaluator::compare(Op op, const ExprValue& left, const ExprValue& right) const {
    using T = ExprValue::Type;
    int order = 0;
    bool textual = false;
    long double a = 0, b = 0;
    if (left.type == T::Text || right.type == T::Text) {
        // a text against a number or flag compares as numbers when the text reads as one
        const bool leftText = left.type == T::Text;
        const ExprValue& text = leftText ? left : right;
        const ExprValue& other = leftText ? right : left;
        long double t = 0;
        if (other.type == T::Text || other.type == T::Null || !TryNumber(text, t)) {
            textual = true;
        } else {
            long double o = number(other);
            a = leftText ? t : o;
            b = leftText ? o : t;
        }
    } else {
        a = number(left);
        b = number(right);
    }
    if (textual) {
        int c = QString::compare(left.toText(), right.toText(), Qt::CaseSensitive);
        order = c < 0 ? -1 : (c > 0 ? 1 : 0);
    } else {
        order = a < b ? -1 : (a > b ? 1 : 0);
    }
    switch (op) {
        case Op::Equal:
            return order == 0;
        case Op::NotEqual:
            return order != 0;
        case Op::Less:
            return order < 0;
        case Op::LessEqual:
            return order <= 0;
        case Op::Greater:
            return order > 0;
        case Op::GreaterEqual:
            return order >= 0;
        default:
            return false;
    }
}

ExprValue Evaluator::variable(const ExpressionNode& node) const {
    ExprValue value;
    if (context_.Variable(node.name, value)) return value;
    // a bare name that no variable answers may be a function called without parentheses
    value = ExprValue();
    CallArguments none(*this, nullptr);
    if (context_.Function(node.name, none, value)) return value;
    if (node.hasConstant) return node.constant;
    throw TqxfError(Format("Неизвестная переменная [%s]", node.name));
}

ExprValue Evaluator::call(const ExpressionNode& node) const {
    CallArguments args(*this, &node);
    ExprValue result;
    if (context_.Function(node.name, args, result)) return result;
    if (!node.builtin) throw TqxfError(Format("Неизвестная функция [%s]", node.name));
    const int n = args.count();
    if (n < node.builtin->minArgs || (node.builtin->maxArgs >= 0 && n > node.builtin->maxArgs))
        throw TqxfError(Format("Неверное число аргументов функции [%s]", node.name));
    return builtin(node, args);
}

ExprValue Evaluator::builtin(const ExpressionNode& node, const ExprArgs& args) const {
    auto num = [&](int i) { return number(args.value(i)); };
    auto text = [&](int i) { return args.value(i).toText(); };
    switch (node.builtin->id) {
        case Builtin::Round:
            return ExprValue::Number(std::round(num(0)));
        case Builtin::Trunc:
        case Builtin::Int:
            return ExprValue::Number(std::trunc(num(0)));
        case Builtin::Frac: {
            long double x = num(0);
            return ExprValue::Number(finite(x - std::trunc(x)));
        }
        case Builtin::Abs:
            return ExprValue::Number(std::fabs(num(0)));
        case Builtin::Min:
        case Builtin::Max: {
            long double result = num(0);
            for (int i = 1; i < args.count(); ++i) {
                long double x = num(i);
                if (node.builtin->id == Builtin::Min ? x < result : x > result) result = x;
            }
            return ExprValue::Number(result);
        }
        case Builtin::IIF:
            return boolean(args.value(0)) ? args.value(1) : args.value(2);
        case Builtin::Sqrt: {
            long double x = num(0);
            if (x < 0) fail(QStringLiteral("корень из отрицательного числа"));
            return ExprValue::Number(std::sqrt(x));
        }
        case Builtin::Length:
            return ExprValue::Number(text(0).size());
        case Builtin::Copy: {
            QString s = text(0);
            int start = ClampToInt(num(1));
            int count = ClampToInt(num(2));
            if (start < 1) start = 1;
            if (count <= 0 || start > s.size()) return ExprValue::Text(QString());
            return ExprValue::Text(s.mid(start - 1, count));
        }
        case Builtin::Pos: {
            QString sub = text(0);
            if (sub.isEmpty()) return ExprValue::Number(0);
            return ExprValue::Number(text(1).indexOf(sub) + 1);
        }
        case Builtin::UpperCase:
            return ExprValue::Text(text(0).toUpper());
        case Builtin::LowerCase:
            return ExprValue::Text(text(0).toLower());
        case Builtin::Trim: {
            QString s = text(0);
            int from = 0, to = s.size();
            while (from < to && s[from].unicode() <= ' ')
                ++from;
            while (to > from && s[to - 1].unicode() <= ' ')
                --to;
            return ExprValue::Text(s.mid(from, to - from));
        }
        case Builtin::Str:
            return ExprValue::Text(text(0));
        case Builtin::IntToStr:
            return ExprValue::Text(QString::number(integer(std::round(num(0)))));
        case Builtin::FloatToStr:
            return ExprValue::Text(ExprValue::Number(num(0)).toText());
        case Builtin::FormatFloat: {
            QString pattern = text(0);
            bool bad = false;
            QString result = FormatFloatPattern(pattern, finite(num(1)), bad);
            if (bad) fail(Format("неверный формат числа [%s]", pattern));
            return ExprValue::Text(result);
        }
        case Builtin::Chr: {
            int64_t code = integer(num(0));
            if (code < 0 || code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF))
                fail(Format("неверный код символа %d", static_cast<long long>(code)));
            return ExprValue::Text(QString(QChar(static_cast<char16_t>(code))));
        }
        case Builtin::None:
            break;
    }
    return ExprValue();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// ExprValue

ExprValue ExprValue::Number(long double v) {
    ExprValue e;
    e.type = Type::Number;
    e.number = v;
    return e;
}

ExprValue ExprValue::Text(const QString& v) {
    ExprValue e;
    e.type = Type::Text;
    e.text = v;
    return e;
}

ExprValue ExprValue::Boolean(bool v) {
    ExprValue e;
    e.type = Type::Boolean;
    e.boolean = v;
    return e;
}

long double ExprValue::toNumber() const {
    long double n = 0;
    if (!TryNumber(*this, n)) throw TqxfError(Format("Значение [%s] не является числом", text));
    return n;
}

QString ExprValue::toText() const {
    switch (type) {
        case Type::Null:
            return QString();
        case Type::Number:
            return NumberText(number, Formats().DecimalSeparator);
        case Type::Text:
            return text;
        case Type::Boolean:
            return boolean ? QStringLiteral("True") : QStringLiteral("False");
    }
    return QString();
}

bool ExprValue::toBoolean() const {
    bool b = false;
    if (!TryBoolean(*this, b)) throw TqxfError(Format("Значение [%s] не является логическим", text));
    return b;
}

// ---------------------------------------------------------------------------------------------
// Expression

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;
Expression::Expression(const Expression&) = default;
Expression& Expression::operator=(const Expression&) = default;

Expression Expression::Parse(const QString& text) {
    Parser parser(text);
    std::shared_ptr<const ExpressionNode> root = parser.parseAll();
    Expression e;
    e.text_ = text;
    e.root_ = std::move(root);
    return e;
}

ExprValue Expression::Evaluate(ExpressionContext& context) const {
    if (!root_) return ExprValue();
    return Evaluator(text_, context).eval(*root_);
}

ExprValue EvaluateExpression(const QString& text, ExpressionContext& context) {
    return Expression::Parse(text).Evaluate(context);
}

}  // namespace qx
