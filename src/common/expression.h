// expression.h — the project's own expression evaluator: catalog length formulas and report fields.
// A Pascal-like language: numbers with ".", texts in single quotes, + - * / div mod, unary minus,
// comparisons = <> < <= > >=, and or not, parentheses, function calls; names resolved by a context.
#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "common/money.h"

namespace qx {

struct ExprValue {
    enum class Type { Null, Number, Text, Boolean };
    Type type = Type::Null;
    long double number = 0;
    QString text;
    bool boolean = false;

    static ExprValue Number(long double v);
    static ExprValue Text(const QString& v);
    static ExprValue Boolean(bool v);
    static ExprValue Null() { return ExprValue(); }

    // Conversions as the report engine makes them: Null → 0 / "" / false; texts that read as
    // numbers convert to numbers (either decimal separator); numbers print without trailing zeros.
    // Numbers print with the display decimal separator (Formats()), flags as "True"/"False".
    // toNumber and toBoolean raise TqxfError for a text that is neither blank nor a number
    // (toBoolean also takes "True"/"False" in any letter case).
    long double toNumber() const;
    QString toText() const;
    bool toBoolean() const;
};

class ExpressionNode;

// The arguments of a function call, evaluated only when the function asks for them.
class ExprArgs {
public:
    virtual ~ExprArgs() = default;
    virtual int count() const = 0;
    virtual QString source(int i) const = 0;   // the argument's expression text as written
    virtual ExprValue value(int i) const = 0;  // evaluates argument i (may throw TqxfError)
    // An index outside 0 … count()-1 gives an empty source and a Null value. Each value(i) call
    // evaluates the argument anew.
};

// Resolves names. Names reach the context as written; contexts compare as they need.
class ExpressionContext {
public:
    virtual ~ExpressionContext() = default;
    // true and a value when the context knows the variable
    virtual bool Variable(const QString& name, ExprValue& value) = 0;
    // true and a result when the context knows the function (built-ins are tried after the context).
    // A bare name that Variable does not know is offered here as a call without arguments.
    virtual bool Function(const QString& /*name*/, const ExprArgs& /*args*/, ExprValue& /*result*/) { return false; }
};

// A parsed expression. Parse raises TqxfError naming the expression and the fault.
class Expression {
public:
    Expression();
    ~Expression();
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;
    // Copies share the parsed tree, which never changes after Parse.
    Expression(const Expression&);
    Expression& operator=(const Expression&);

    static Expression Parse(const QString& text);
    // Evaluates the parsed tree; a default-constructed expression gives Null. Raises TqxfError for
    // unknown names, wrong argument counts and faults such as a division by zero.
    ExprValue Evaluate(ExpressionContext& context) const;
    const QString& text() const { return text_; }

private:
    QString text_;
    std::shared_ptr<const ExpressionNode> root_;
};

// Whether a function name (any letter case) is one of the built-in functions.
bool IsBuiltinFunction(const QString& name);

// Parses and evaluates in one step.
ExprValue EvaluateExpression(const QString& text, ExpressionContext& context);

}  // namespace qx
