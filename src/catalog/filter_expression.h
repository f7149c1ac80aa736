// filter_expression.h — the filter language of table objects: comparisons of columns and literals
// joined by "and" / "or" with parentheses, parsed into trees (cached per text).
#pragma once
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace qx {

enum class FilterOp { Eq, Ne, Lt, Le, Gt, Ge };

// One side of a comparison: a column name or a literal.
struct FilterOperand {
    enum class Kind { Column, Integer, Decimal, Text };
    Kind kind = Kind::Text;
    // Column: the name as written; Integer/Decimal: the literal as written ("-12", "7.50");
    // Text: the text between the quotes with '' read as one quote.
    QString text;
    int64_t integer = 0;  // Integer
    double number = 0;    // Integer and Decimal

    bool isColumn() const { return kind == Kind::Column; }
    bool isNumber() const { return kind == Kind::Integer || kind == Kind::Decimal; }
};

// A node of a parsed filter. And/Or nodes hold two or more children (nested conjunctions are
// flattened); Compare nodes hold an operator and two operands.
struct FilterNode {
    enum class Kind { And, Or, Compare };
    Kind kind = Kind::Compare;
    std::vector<FilterNode> children;
    FilterOp op = FilterOp::Eq;
    FilterOperand left, right;
};

struct FilterExpression {
    QString Text;
    bool Empty = true;  // a blank text: every row passes
    FilterNode Root;
};

// Parses a filter text: comparisons "=", "<>", "<", "<=", ">", ">=" of a column name (any letter
// case, optionally in double quotes) and a literal (integer, decimal with ".", text in single
// quotes, '' for the empty text), combined by "and" (binding tighter) and "or" (any letter case)
// and parentheses. Blanks, tabs and line breaks anywhere between tokens. Results are cached per
// text. A malformed text raises TqxfError naming the filter text.
std::shared_ptr<const FilterExpression> ParseFilter(const QString& text);

// The error message for a filter that cannot be used, naming its text and the reason.
QString FilterErrorMessage(const QString& text, const QString& reason);
[[noreturn]] void ThrowFilterError(const QString& text, const QString& reason);

}  // namespace qx
