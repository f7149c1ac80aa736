// filter_expression.cpp — tokenizer and recursive-descent parser of filter texts, with a cache.
#include "catalog/filter_expression.h"

#include <QHash>
#include <mutex>

#include "common/error.h"
#include "common/format.h"

namespace qx {

QString FilterErrorMessage(const QString& text, const QString& reason) {
    return Format("Ошибка в выражении фильтра [%s]\r\n(%s)", text, reason);
}

void ThrowFilterError(const QString& text, const QString& reason) {
    throw TqxfError(FilterErrorMessage(text, reason));
}

namespace {

enum class Tok { End, LParen, RParen, And, Or, Op, Ident, Number, Text };

struct Token {
    Tok kind = Tok::End;
    int pos = 0;  // 1-based position in the text, for messages
    FilterOp op = FilterOp::Eq;
    FilterOperand operand;
};

constexpr int kMaxDepth = 200;

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}
bool isIdentStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isIdentPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

class Parser {
  public:
    explicit Parser(const QString& text) : text_(text) {}

    FilterExpression parse() {
        FilterExpression result;
        result.Text = text_;
        next();
        if (tok_.kind == Tok::End) return result;
        result.Empty = false;
        result.Root = parseOr(0);
        if (tok_.kind != Tok::End) fail(QStringLiteral("лишний текст после выражения"));
        return result;
    }

  private:
    [[noreturn]] void fail(const QString& what) const {
        ThrowFilterError(text_, Format("%s, позиция %d", what, tok_.pos));
    }

    FilterNode parseOr(int depth) {
        FilterNode first = parseAnd(depth);
        if (tok_.kind != Tok::Or) return first;
        FilterNode node;
        node.kind = FilterNode::Kind::Or;
        append(node, std::move(first));
        while (tok_.kind == Tok::Or) {
            next();
            append(node, parseAnd(depth));
        }
        return node;
    }

    FilterNode parseAnd(int depth) {
        FilterNode first = parsePrimary(depth);
        if (tok_.kind != Tok::And) return first;
        FilterNode node;
        node.kind = FilterNode::Kind::And;
        append(node, std::move(first));
        while (tok_.kind == Tok::And) {
            next();
            append(node, parsePrimary(depth));
        }
        return node;
    }

    // Children of the same kind are flattened: (a and b) and c is one conjunction of three.
    static void append(FilterNode& parent, FilterNode child) {
        if (child.kind == parent.kind) {
            for (auto& c : child.children)
                parent.children.push_back(std::move(c));
        } else {
            parent.children.push_back(std::move(child));
        }
    }

    FilterNode parsePrimary(int depth) {
        if (tok_.kind == Tok::LParen) {
            if (depth >= kMaxDepth) fail(QStringLiteral("слишком глубокая вложенность скобок"));
            next();
            FilterNode inner = parseOr(depth + 1);
            if (tok_.kind != Tok::RParen) fail(QStringLiteral("ожидается \")\""));
            next();
            return inner;
        }
        FilterNode node;
        node.kind = FilterNode::Kind::Compare;
        node.left = parseOperand();
        if (tok_.kind != Tok::Op) fail(QStringLiteral("ожидается оператор сравнения"));
        node.op = tok_.op;
        next();
        node.right = parseOperand();
        return node;
    }

    FilterOperand parseOperand() {
        if (tok_.kind != Tok::Ident && tok_.kind != Tok::Number && tok_.kind != Tok::Text)
            fail(QStringLiteral("ожидается имя поля или значение"));
        FilterOperand operand = tok_.operand;
        next();
        return operand;
    }

    void next() {
        const int n = int(text_.size());
        while (at_ < n && isBlank(text_[at_]))
            ++at_;
        tok_ = Token{};
        tok_.pos = at_ + 1;
        if (at_ >= n) return;
        const QChar c = text_[at_];
        if (c == QLatin1Char('(')) {
            tok_.kind = Tok::LParen;
            ++at_;
        } else if (c == QLatin1Char(')')) {
            tok_.kind = Tok::RParen;
            ++at_;
        } else if (c == QLatin1Char('=')) {
            setOp(FilterOp::Eq, 1);
        } else if (c == QLatin1Char('<')) {
            if (peek(1) == QLatin1Char('>'))
                setOp(FilterOp::Ne, 2);
            else if (peek(1) == QLatin1Char('='))
                setOp(FilterOp::Le, 2);
            else
                setOp(FilterOp::Lt, 1);
        } else if (c == QLatin1Char('>')) {
            if (peek(1) == QLatin1Char('='))
                setOp(FilterOp::Ge, 2);
            else
                setOp(FilterOp::Gt, 1);
        } else if (c == QLatin1Char('\'')) {
            lexText();
        } else if (c == QLatin1Char('"')) {
            lexQuotedName();
        } else if (isDigit(c) || c == QLatin1Char('.') ||
                   ((c == QLatin1Char('-') || c == QLatin1Char('+')) &&
                    (isDigit(peek(1)) || peek(1) == QLatin1Char('.')))) {
            lexNumber();
        } else if (isIdentStart(c)) {
            lexWord();
        } else {
            fail(Format("недопустимый символ \"%s\"", QString(c)));
        }
    }

    QChar peek(int offset) const {
        const int i = at_ + offset;
        return i < int(text_.size()) ? text_[i] : QChar();
    }

    void setOp(FilterOp op, int length) {
        tok_.kind = Tok::Op;
        tok_.op = op;
        at_ += length;
    }

    void lexText() {
        QString value;
        int i = at_ + 1;
        const int n = int(text_.size());
        for (;;) {
            if (i >= n) fail(QStringLiteral("не закрыта кавычка"));
            if (text_[i] == QLatin1Char('\'')) {
                if (i + 1 < n && text_[i + 1] == QLatin1Char('\'')) {
                    value += QLatin1Char('\'');
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            value += text_[i++];
        }
        at_ = i;
        tok_.kind = Tok::Text;
        tok_.operand.kind = FilterOperand::Kind::Text;
        tok_.operand.text = value;
    }

    void lexQuotedName() {
        const int close = int(text_.indexOf(QLatin1Char('"'), at_ + 1));
        if (close < 0) fail(QStringLiteral("не закрыта кавычка"));
        const QString name = text_.mid(at_ + 1, close - at_ - 1);
        if (name.trimmed().isEmpty()) fail(QStringLiteral("пустое имя поля"));
        at_ = close + 1;
        tok_.kind = Tok::Ident;
        tok_.operand.kind = FilterOperand::Kind::Column;
        tok_.operand.text = name;
    }

    void lexNumber() {
        const int start = at_;
        const int n = int(text_.size());
        int i = at_;
        if (text_[i] == QLatin1Char('-') || text_[i] == QLatin1Char('+')) ++i;
        int digits = 0;
        bool point = false;
        while (i < n && (isDigit(text_[i]) || (!point && text_[i] == QLatin1Char('.')))) {
            if (text_[i] == QLatin1Char('.'))
                point = true;
            else
                ++digits;
            ++i;
        }
        if (digits == 0) fail(QStringLiteral("неверное число"));
        if (i < n && isIdentPart(text_[i])) fail(QStringLiteral("неверное число"));
        const QString literal = text_.mid(start, i - start);
        at_ = i;
        tok_.kind = Tok::Number;
        tok_.operand.text = literal;
        bool ok = false;
        if (!point) {
            const qlonglong v = literal.toLongLong(&ok);
            if (ok) {
                tok_.operand.kind = FilterOperand::Kind::Integer;
                tok_.operand.integer = v;
                tok_.operand.number = double(v);
                return;
            }
        }
        tok_.operand.kind = FilterOperand::Kind::Decimal;
        tok_.operand.number = literal.toDouble(&ok);
        if (!ok) fail(QStringLiteral("неверное число"));
    }

    void lexWord() {
        const int start = at_;
        const int n = int(text_.size());
        int i = at_;
        while (i < n && isIdentPart(text_[i]))
            ++i;
        const QString word = text_.mid(start, i - start);
        at_ = i;
        if (word.compare(QLatin1String("and"), Qt::CaseInsensitive) == 0) {
            tok_.kind = Tok::And;
        } else if (word.compare(QLatin1String("or"), Qt::CaseInsensitive) == 0) {
            tok_.kind = Tok::Or;
        } else {
            tok_.kind = Tok::Ident;
            tok_.operand.kind = FilterOperand::Kind::Column;
            tok_.operand.text = word;
        }
    }

    const QString& text_;
    int at_ = 0;
    Token tok_;
};

// Filters are rebuilt with the same texts over and over; texts that carry sizes vary, so the
// cache is bounded and simply starts afresh when full.
constexpr int kCacheLimit = 4096;

struct ParseCache {
    std::mutex mutex;
    QHash<QString, std::shared_ptr<const FilterExpression>> entries;
};

ParseCache& cache() {
    static ParseCache instance;
    return instance;
}

}  // namespace

std::shared_ptr<const FilterExpression> ParseFilter(const QString& text) {
    ParseCache& c = cache();
    {
        std::lock_guard<std::mutex> lock(c.mutex);
        auto it = c.entries.constFind(text);
        if (it != c.entries.constEnd()) return it.value();
    }
    auto parsed = std::make_shared<const FilterExpression>(Parser(text).parse());
    std::lock_guard<std::mutex> lock(c.mutex);
    if (c.entries.size() >= kCacheLimit) c.entries.clear();
    c.entries.insert(text, parsed);
    return parsed;
}

}  // namespace qx
