// expression_test.cpp — the expression evaluator: grammar, values, functions, contexts and faults.
#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <map>
#include <random>

#include "common/error.h"
#include "common/expression.h"
#include "common/format.h"

using namespace qx;

namespace {

using Type = ExprValue::Type;

// A context with the names of a sash formula and of a report, and a few probing functions.
class TestContext : public ExpressionContext {
  public:
    std::map<QString, ExprValue> variables{
        {QStringLiteral("FFB"), ExprValue::Number(1000)},
        {QStringLiteral("FFН"), ExprValue::Number(2000)},  // Cyrillic EN
        {QStringLiteral("_ORDER_NO"), ExprValue::Text(QStringLiteral("A-17"))},
        {QStringLiteral("EMPTY"), ExprValue::Null()},
    };
    std::map<QString, std::function<ExprValue(const ExprArgs&)>> functions;
    QStringList askedVariables;
    int hits = 0;

    TestContext() {
        // side length of side n: n × 100
        functions[QStringLiteral("FL")] = [](const ExprArgs& a) {
            return ExprValue::Number(a.value(0).toNumber() * 100);
        };
        // counts its evaluations and gives back its argument
        functions[QStringLiteral("HIT")] = [this](const ExprArgs& a) {
            ++hits;
            return a.value(0);
        };
        functions[QStringLiteral("FAIL")] = [](const ExprArgs&) -> ExprValue {
            throw TqxfError(QStringLiteral("boom"));
        };
        // the argument texts as written, unevaluated
        functions[QStringLiteral("SRC")] = [](const ExprArgs& a) {
            QStringList parts;
            for (int i = 0; i < a.count(); ++i)
                parts << a.source(i);
            return ExprValue::Text(parts.join(QLatin1Char('|')));
        };
        // a report function: an argument that fails to evaluate counts as empty
        functions[QStringLiteral("SAFE")] = [](const ExprArgs& a) {
            QString v;
            try {
                v = a.value(0).toText();
            } catch (const TqxfError&) {
                v.clear();
            }
            return ExprValue::Text(QLatin1Char('[') + v + QLatin1Char(']'));
        };
        // the context answers before the built-ins, by the name exactly as written
        functions[QStringLiteral("MAX")] = [](const ExprArgs&) { return ExprValue::Text(QStringLiteral("context")); };
        // called without parentheses
        functions[QStringLiteral("NOW")] = [](const ExprArgs& a) {
            return ExprValue::Number(a.count() == 0 ? 42 : -1);
        };
    }

    bool Variable(const QString& name, ExprValue& value) override {
        askedVariables << name;
        auto it = variables.find(name);
        if (it == variables.end()) return false;
        value = it->second;
        return true;
    }

    bool Function(const QString& name, const ExprArgs& args, ExprValue& result) override {
        auto it = functions.find(name);
        if (it == functions.end()) return false;
        result = it->second(args);
        return true;
    }
};

// Sets the display decimal separator for one test.
class DecimalSeparatorGuard {
  public:
    explicit DecimalSeparatorGuard(QChar separator) : saved_(Formats().DecimalSeparator) {
        Formats().DecimalSeparator = separator;
    }
    ~DecimalSeparatorGuard() { Formats().DecimalSeparator = saved_; }

  private:
    QChar saved_;
};

const char* TypeName(Type t) {
    switch (t) {
        case Type::Null:
            return "Null";
        case Type::Number:
            return "Number";
        case Type::Text:
            return "Text";
        case Type::Boolean:
            return "Boolean";
    }
    return "?";
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Values of well-formed expressions: the type and the text the value prints as.

struct ValueCase {
    const char* expression;
    Type type;
    const char* text;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.expression;
}

class ExpressionValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ExpressionValue, EvaluatesToTheExpectedTypeAndText) {
    const ValueCase& c = GetParam();
    TestContext context;
    ExprValue v = EvaluateExpression(QString::fromUtf8(c.expression), context);
    EXPECT_STREQ(TypeName(v.type), TypeName(c.type));
    EXPECT_EQ(v.toText(), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, ExpressionValue,
    ::testing::Values(ValueCase{"1 + 2 * 3", Type::Number, "7"}, ValueCase{"(1 + 2) * 3", Type::Number, "9"},
                      ValueCase{"10 - 4 - 3", Type::Number, "3"}, ValueCase{"100 / 10 / 5", Type::Number, "2"},
                      ValueCase{"2 * 3 / 4", Type::Number, "1,5"}, ValueCase{"-2 * 3", Type::Number, "-6"},
                      ValueCase{"-(2 + 3)", Type::Number, "-5"}, ValueCase{"2 - -3", Type::Number, "5"},
                      ValueCase{"2 * -3", Type::Number, "-6"}, ValueCase{"+4 - +1", Type::Number, "3"},
                      ValueCase{"- - 2", Type::Number, "2"}, ValueCase{"7 div 2", Type::Number, "3"},
                      ValueCase{"-7 div 2", Type::Number, "-3"}, ValueCase{"7 mod 3", Type::Number, "1"},
                      ValueCase{"-7 mod 3", Type::Number, "-1"}, ValueCase{"7.9 div 2.9", Type::Number, "3"},
                      ValueCase{"7.9 mod 2.9", Type::Number, "1"}, ValueCase{"7 DIV 2 + 10 Mod 4", Type::Number, "5"},
                      ValueCase{"1 + 5 mod 2 * 3", Type::Number, "4"},
                      ValueCase{"1.5e3 + 2E-1", Type::Number, "1500,2"}, ValueCase{"0.1 + 0.2", Type::Number, "0,3"},
                      ValueCase{"1 / 3", Type::Number, "0,333333333333333"}, ValueCase{"2.50", Type::Number, "2,5"},
                      ValueCase{"1e15", Type::Number, "1E15"},
                      ValueCase{"999999999999999", Type::Number, "999999999999999"},
                      ValueCase{"0.00001", Type::Number, "0,00001"}, ValueCase{"0.000001", Type::Number, "1E-6"},
                      ValueCase{"-0", Type::Number, "0"}, ValueCase{"3mod 2", Type::Number, "1"}));

INSTANTIATE_TEST_SUITE_P(
    Texts, ExpressionValue,
    ::testing::Values(ValueCase{"'abc'", Type::Text, "abc"}, ValueCase{"'it''s'", Type::Text, "it's"},
                      ValueCase{"''", Type::Text, ""}, ValueCase{"''''", Type::Text, "'"},
                      ValueCase{"'a' + 'b'", Type::Text, "ab"}, ValueCase{"'L=' + 1.5", Type::Text, "L=1,5"},
                      ValueCase{"2 + 3 + 'x'", Type::Text, "5x"}, ValueCase{"'x' + 2 + 3", Type::Text, "x23"},
                      ValueCase{"'5' * 2", Type::Number, "10"}, ValueCase{"'2,5' * 2", Type::Number, "5"},
                      ValueCase{"'2.5' - 1", Type::Number, "1,5"},
                      ValueCase{"'Ёлка ' + 'ФУРНИТУРА'", Type::Text, "Ёлка ФУРНИТУРА"},
                      ValueCase{"'a + b'", Type::Text, "a + b"}));

INSTANTIATE_TEST_SUITE_P(
    Comparisons, ExpressionValue,
    ::testing::Values(ValueCase{"1 < 2", Type::Boolean, "True"}, ValueCase{"2 <= 2", Type::Boolean, "True"},
                      ValueCase{"3 > 4", Type::Boolean, "False"}, ValueCase{"3 >= 3", Type::Boolean, "True"},
                      ValueCase{"1 = 1.0", Type::Boolean, "True"}, ValueCase{"1 <> 1", Type::Boolean, "False"},
                      ValueCase{"1 + 1 = 2", Type::Boolean, "True"}, ValueCase{"'abc' = 'abc'", Type::Boolean, "True"},
                      ValueCase{"'abc' = 'ABC'", Type::Boolean, "False"},
                      ValueCase{"'abc ' = 'abc'", Type::Boolean, "False"},
                      ValueCase{"'abc' <> 'abd'", Type::Boolean, "True"}, ValueCase{"'b' > 'a'", Type::Boolean, "True"},
                      ValueCase{"'10' = 10", Type::Boolean, "True"}, ValueCase{"'9' < 10", Type::Boolean, "True"},
                      ValueCase{"'9' < '10'", Type::Boolean, "False"}, ValueCase{"'10,0' = 10", Type::Boolean, "True"},
                      ValueCase{"'abc' = 0", Type::Boolean, "False"},
                      ValueCase{"(1 = 1) = true", Type::Boolean, "True"}));

INSTANTIATE_TEST_SUITE_P(Logic, ExpressionValue,
                         ::testing::Values(ValueCase{"1 < 2 and 2 < 3", Type::Boolean, "True"},
                                           ValueCase{"1 > 2 or 2 < 3", Type::Boolean, "True"},
                                           ValueCase{"not 1 > 2", Type::Boolean, "True"},
                                           ValueCase{"NOT (1 = 1)", Type::Boolean, "False"},
                                           ValueCase{"true AND not False", Type::Boolean, "True"},
                                           ValueCase{"not not true", Type::Boolean, "True"},
                                           ValueCase{"1 = 1 or 1 = 2 and 1 = 2", Type::Boolean, "True"},
                                           ValueCase{"(1 = 1 or 1 = 2) and 1 = 2", Type::Boolean, "False"},
                                           ValueCase{"1 and 0", Type::Boolean, "False"},
                                           ValueCase{"false Or 'true'", Type::Boolean, "True"},
                                           ValueCase{"false and FAIL()", Type::Boolean, "False"},
                                           ValueCase{"true or FAIL()", Type::Boolean, "True"}));

INSTANTIATE_TEST_SUITE_P(
    Functions, ExpressionValue,
    ::testing::Values(
        ValueCase{"Round(2.5)", Type::Number, "3"}, ValueCase{"Round(-2.5)", Type::Number, "-3"},
        ValueCase{"Round(2.4999)", Type::Number, "2"}, ValueCase{"round(0.5)", Type::Number, "1"},
        ValueCase{"Trunc(-2.7)", Type::Number, "-2"}, ValueCase{"Int(2.7)", Type::Number, "2"},
        ValueCase{"Frac(2.75)", Type::Number, "0,75"}, ValueCase{"Frac(-2.75)", Type::Number, "-0,75"},
        ValueCase{"Abs(-3)", Type::Number, "3"}, ValueCase{"Min(3, 1, 2)", Type::Number, "1"},
        ValueCase{"Max(3, 10, 2)", Type::Number, "10"}, ValueCase{"max(1, -1)", Type::Number, "1"},
        ValueCase{"IIF(1 < 2, 'yes', 'no')", Type::Text, "yes"}, ValueCase{"IIF(0, 1, 2)", Type::Number, "2"},
        ValueCase{"Sqrt(16)", Type::Number, "4"}, ValueCase{"Length('Ручка')", Type::Number, "5"},
        ValueCase{"Length(12.5)", Type::Number, "4"}, ValueCase{"Copy('ФУРНИТУРА', 1, 4)", Type::Text, "ФУРН"},
        ValueCase{"Copy('abcdef', 3, 100)", Type::Text, "cdef"}, ValueCase{"Copy('abc', 0, 2)", Type::Text, "ab"},
        ValueCase{"Copy('abc', 5, 1)", Type::Text, ""}, ValueCase{"Copy('abc', 2, -1)", Type::Text, ""},
        ValueCase{"Pos('ни', 'фурнитура')", Type::Number, "4"}, ValueCase{"Pos('x', 'abc')", Type::Number, "0"},
        ValueCase{"Pos('', 'abc')", Type::Number, "0"}, ValueCase{"UpperCase('ручка abc')", Type::Text, "РУЧКА ABC"},
        ValueCase{"LOWERCASE('ФFб')", Type::Text, "фfб"}, ValueCase{"Trim('  a b \t')", Type::Text, "a b"},
        ValueCase{"Str(1.5)", Type::Text, "1,5"}, ValueCase{"Str(1 = 1)", Type::Text, "True"},
        ValueCase{"IntToStr(2.5)", Type::Text, "3"}, ValueCase{"IntToStr(-7)", Type::Text, "-7"},
        ValueCase{"FloatToStr(0.25)", Type::Text, "0,25"}, ValueCase{"FloatToStr('7')", Type::Text, "7"},
        ValueCase{"Chr(65) + Chr(1049)", Type::Text, "AЙ"}));

INSTANTIATE_TEST_SUITE_P(FormatFloat, ExpressionValue,
                         ::testing::Values(ValueCase{"FormatFloat('0.00', 3.14159)", Type::Text, "3,14"},
                                           ValueCase{"FormatFloat('0.00', 2.005)", Type::Text, "2,01"},
                                           ValueCase{"FormatFloat('0.00', -2.005)", Type::Text, "-2,01"},
                                           ValueCase{"FormatFloat('#,##0.00', 1234567.891)", Type::Text,
                                                     "1 234 567,89"},
                                           ValueCase{"FormatFloat('#,##0', 999.5)", Type::Text, "1 000"},
                                           ValueCase{"FormatFloat('0.##', 2.5)", Type::Text, "2,5"},
                                           ValueCase{"FormatFloat('0.##', 2)", Type::Text, "2"},
                                           ValueCase{"FormatFloat('000', 7)", Type::Text, "007"},
                                           ValueCase{"FormatFloat('#.##', 0.5)", Type::Text, ",5"},
                                           ValueCase{"FormatFloat('#', 0)", Type::Text, ""},
                                           ValueCase{"FormatFloat('0.00', -0.001)", Type::Text, "0,00"},
                                           ValueCase{"FormatFloat('0.0 мм', -12.34)", Type::Text, "-12,3 мм"},
                                           ValueCase{"FormatFloat('№ 0', 5)", Type::Text, "№ 5"}));

INSTANTIATE_TEST_SUITE_P(
    ContextNames, ExpressionValue,
    ::testing::Values(ValueCase{"FFB", Type::Number, "1000"}, ValueCase{"FFН", Type::Number, "2000"},
                      ValueCase{"FFB - 2 * 10", Type::Number, "980"}, ValueCase{"FFН / 2 + FFB", Type::Number, "2000"},
                      ValueCase{"FL(1) + FL(3)", Type::Number, "400"}, ValueCase{"FL(FFB / 500)", Type::Number, "200"},
                      ValueCase{"'№ ' + _ORDER_NO", Type::Text, "№ A-17"}, ValueCase{"EMPTY", Type::Null, ""},
                      ValueCase{"EMPTY + 1", Type::Number, "1"}, ValueCase{"EMPTY + 'x'", Type::Text, "x"},
                      ValueCase{"EMPTY = ''", Type::Boolean, "True"}, ValueCase{"EMPTY = 0", Type::Boolean, "True"},
                      ValueCase{"MAX(1, 2)", Type::Text, "context"}, ValueCase{"Max(1, 2)", Type::Number, "2"},
                      ValueCase{"NOW + 1", Type::Number, "43"}, ValueCase{"NOW() + 1", Type::Number, "43"},
                      ValueCase{"IIF(FFB > 500, HIT(1), FAIL())", Type::Number, "1"},
                      ValueCase{"IIF(FFB < 500, NOSUCH, 5)", Type::Number, "5"}));

// ---------------------------------------------------------------------------------------------
// Faults: the exact message and whether parsing or evaluation raises it.

struct ErrorCase {
    const char* expression;
    bool atParse;
    const char* message;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.expression;
}

class ExpressionError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ExpressionError, RaisesTheExactMessage) {
    const ErrorCase& c = GetParam();
    const QString text = QString::fromUtf8(c.expression);
    TestContext context;
    QString message;
    bool parsed = false;
    try {
        Expression e = Expression::Parse(text);
        parsed = true;
        e.Evaluate(context);
    } catch (const TqxfError& error) {
        message = error.message();
    }
    EXPECT_EQ(parsed, !c.atParse);
    EXPECT_EQ(message, QString::fromUtf8(c.message));
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, ExpressionError,
    ::testing::Values(
        ErrorCase{"(1 + 2", true, "Ошибка в выражении [(1 + 2]: не закрыта скобка в позиции 1"},
        ErrorCase{"((1) + 2", true, "Ошибка в выражении [((1) + 2]: не закрыта скобка в позиции 1"},
        ErrorCase{"1 + 2)", true, "Ошибка в выражении [1 + 2)]: лишний текст после выражения в позиции 6"},
        ErrorCase{"FFB FFB", true, "Ошибка в выражении [FFB FFB]: лишний текст после выражения в позиции 5"},
        ErrorCase{"1 +", true, "Ошибка в выражении [1 +]: неожиданный конец выражения"},
        ErrorCase{"1 + * 2", true, "Ошибка в выражении [1 + * 2]: ожидается операнд в позиции 5"},
        ErrorCase{"", true, "Ошибка в выражении []: пустое выражение"},
        ErrorCase{"  ", true, "Ошибка в выражении [  ]: пустое выражение"},
        ErrorCase{"2 # 3", true, "Ошибка в выражении [2 # 3]: недопустимый символ '#' в позиции 3"},
        ErrorCase{"2 + \"x\"", true, "Ошибка в выражении [2 + \"x\"]: недопустимый символ '\"' в позиции 5"},
        ErrorCase{"'abc", true, "Ошибка в выражении ['abc]: не закрыта текстовая константа, начатая в позиции 1"},
        ErrorCase{"'it''", true, "Ошибка в выражении ['it'']: не закрыта текстовая константа, начатая в позиции 1"},
        ErrorCase{"1.2.3", true, "Ошибка в выражении [1.2.3]: недопустимый символ '.' в позиции 4"},
        ErrorCase{"1. + 2", true, "Ошибка в выражении [1. + 2]: неверная запись числа в позиции 1"},
        ErrorCase{"2e + 1", true, "Ошибка в выражении [2e + 1]: неверная запись числа в позиции 1"},
        ErrorCase{"1e99999", true, "Ошибка в выражении [1e99999]: число вне допустимого диапазона в позиции 1"},
        ErrorCase{
            "1 < 2 < 3", true,
            "Ошибка в выражении [1 < 2 < 3]: сравнения нельзя ставить подряд в позиции 7 (соедините их через and)"},
        ErrorCase{"Max(1 2)", true, "Ошибка в выражении [Max(1 2)]: ожидается ',' или ')' в позиции 7"},
        ErrorCase{"Max(1, 2", true, "Ошибка в выражении [Max(1, 2]: не закрыта скобка в позиции 4"},
        ErrorCase{"Max(,)", true, "Ошибка в выражении [Max(,)]: ожидается операнд в позиции 5"},
        ErrorCase{"FL(1))", true, "Ошибка в выражении [FL(1))]: лишний текст после выражения в позиции 6"}));

INSTANTIATE_TEST_SUITE_P(
    Evaluation, ExpressionError,
    ::testing::Values(
        ErrorCase{"1 / 0", false, "Ошибка в выражении [1 / 0]: деление на ноль"},
        ErrorCase{"FFB / (FFB - 1000)", false, "Ошибка в выражении [FFB / (FFB - 1000)]: деление на ноль"},
        ErrorCase{"5 div (2 - 2)", false, "Ошибка в выражении [5 div (2 - 2)]: деление на ноль"},
        ErrorCase{"5 mod 0.5", false, "Ошибка в выражении [5 mod 0.5]: деление на ноль"},
        ErrorCase{"1e4000 * 1e4000", false,
                  "Ошибка в выражении [1e4000 * 1e4000]: результат вне допустимого диапазона"},
        ErrorCase{"1e30 div 1", false, "Ошибка в выражении [1e30 div 1]: значение вне диапазона целых чисел"},
        ErrorCase{"FFH * 2", false, "Неизвестная переменная [FFH]"},
        ErrorCase{"ffb", false, "Неизвестная переменная [ffb]"},
        ErrorCase{"NoSuch(1)", false, "Неизвестная функция [NoSuch]"},
        ErrorCase{"Round(1, 2)", false, "Неверное число аргументов функции [Round]"},
        ErrorCase{"Max(1)", false, "Неверное число аргументов функции [Max]"},
        ErrorCase{"IIF(true, 1)", false, "Неверное число аргументов функции [IIF]"},
        ErrorCase{"'abc' * 2", false, "Ошибка в выражении ['abc' * 2]: значение [abc] не является числом"},
        ErrorCase{"-_ORDER_NO", false, "Ошибка в выражении [-_ORDER_NO]: значение [A-17] не является числом"},
        ErrorCase{"'x' and true", false, "Ошибка в выражении ['x' and true]: значение [x] не является логическим"},
        ErrorCase{"Sqrt(-1)", false, "Ошибка в выражении [Sqrt(-1)]: корень из отрицательного числа"},
        ErrorCase{"FormatFloat('abc', 1)", false,
                  "Ошибка в выражении [FormatFloat('abc', 1)]: неверный формат числа [abc]"},
        ErrorCase{"FormatFloat('0.0,0', 1)", false,
                  "Ошибка в выражении [FormatFloat('0.0,0', 1)]: неверный формат числа [0.0,0]"},
        ErrorCase{"Chr(-1)", false, "Ошибка в выражении [Chr(-1)]: неверный код символа -1"},
        ErrorCase{"IIF(FFB > 500, FAIL(), 1)", false, "boom"}));

// ---------------------------------------------------------------------------------------------
// Names, lazy arguments, reuse

TEST(Expression, NamesReachTheContextAsWritten) {
    TestContext context;
    EXPECT_EQ(EvaluateExpression(QStringLiteral("FFB + FFН"), context).toNumber(), 3000);
    EXPECT_EQ(context.askedVariables, (QStringList{QStringLiteral("FFB"), QStringLiteral("FFН")}));
    // The Latin H is a different name from the Cyrillic one.
    EXPECT_THROW(EvaluateExpression(QStringLiteral("FFH"), context), TqxfError);
    context.variables[QStringLiteral("FFH")] = ExprValue::Number(7);
    EXPECT_EQ(EvaluateExpression(QStringLiteral("FFH + FFН"), context).toNumber(), 2007);
}

TEST(Expression, FunctionsSeeTheArgumentTextsAsWritten) {
    TestContext context;
    // NOSUCH and f are never evaluated: only their texts are read
    ExprValue v = EvaluateExpression(QStringLiteral("SRC( 1 + 2 , 'a,b' , f(x, (y)) , NOSUCH )"), context);
    EXPECT_EQ(v.toText(), QStringLiteral("1 + 2|'a,b'|f(x, (y))|NOSUCH"));
    EXPECT_EQ(EvaluateExpression(QStringLiteral("SRC()"), context).toText(), QString());
}

TEST(Expression, FunctionsMaySwallowArgumentErrors) {
    TestContext context;
    EXPECT_EQ(EvaluateExpression(QStringLiteral("SAFE(2 * 3)"), context).toText(), QStringLiteral("[6]"));
    EXPECT_EQ(EvaluateExpression(QStringLiteral("SAFE(1 / 0)"), context).toText(), QStringLiteral("[]"));
    EXPECT_EQ(EvaluateExpression(QStringLiteral("SAFE(UNKNOWN_VAR)"), context).toText(), QStringLiteral("[]"));
    EXPECT_EQ(EvaluateExpression(QStringLiteral("SAFE(NoSuch(1))"), context).toText(), QStringLiteral("[]"));
    // an argument that is not there is empty
    EXPECT_EQ(EvaluateExpression(QStringLiteral("SAFE()"), context).toText(), QStringLiteral("[]"));
}

TEST(Expression, IIFEvaluatesOnlyTheChosenBranch) {
    TestContext context;
    EXPECT_EQ(EvaluateExpression(QStringLiteral("IIF(FFB > 500, HIT(1), HIT(2))"), context).toNumber(), 1);
    EXPECT_EQ(context.hits, 1);
    EXPECT_EQ(EvaluateExpression(QStringLiteral("IIF(FFB < 500, HIT(1), HIT(2)) + HIT(0)"), context).toNumber(), 2);
    EXPECT_EQ(context.hits, 3);
    EXPECT_EQ(EvaluateExpression(QStringLiteral("IIF(true, 1, 1 / 0)"), context).toNumber(), 1);
}

TEST(Expression, ParsedOnceEvaluatesAgainstEachContext) {
    Expression e = Expression::Parse(QStringLiteral("IIF(FFB > 1500, FFB - 100, FFB + FL(2))"));
    Expression copy = e;
    TestContext narrow, wide;
    wide.variables[QStringLiteral("FFB")] = ExprValue::Number(2000);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e.Evaluate(narrow).toNumber(), 1200);
        EXPECT_EQ(copy.Evaluate(wide).toNumber(), 1900);
    }
    EXPECT_EQ(copy.text(), e.text());
    Expression none;
    EXPECT_EQ(none.Evaluate(narrow).type, Type::Null);
}

TEST(Expression, NestingIsLimitedWithAnError) {
    TestContext context;
    auto nested = [](const QString& open, const QString& core, const QString& close, int depth) {
        return open.repeated(depth) + core + close.repeated(depth);
    };
    EXPECT_EQ(EvaluateExpression(nested(QStringLiteral("("), QStringLiteral("1"), QStringLiteral(")"), 150), context)
                  .toNumber(),
              1);
    EXPECT_EQ(
        EvaluateExpression(nested(QStringLiteral("Abs("), QStringLiteral("-2"), QStringLiteral(")"), 150), context)
            .toNumber(),
        2);
    const QString deep[] = {
        nested(QStringLiteral("("), QStringLiteral("1"), QStringLiteral(")"), 100000),
        nested(QStringLiteral("-"), QStringLiteral("1"), QString(), 100000),
        nested(QStringLiteral("not "), QStringLiteral("true"), QString(), 100000),
        nested(QStringLiteral("Abs("), QStringLiteral("1"), QStringLiteral(")"), 300),
    };
    for (const QString& text : deep) {
        try {
            Expression::Parse(text);
            ADD_FAILURE() << "parsed " << text.left(20).toStdString();
        } catch (const TqxfError& error) {
            EXPECT_TRUE(error.message().startsWith(QStringLiteral("Ошибка в выражении [")));
            EXPECT_TRUE(error.message().contains(QStringLiteral("слишком глубокая вложенность (более 200 уровней)")));
        }
    }
}

TEST(Expression, LongFlatChainsNeedNoNesting) {
    TestContext context;
    const int n = 100000;
    EXPECT_EQ(EvaluateExpression(QStringLiteral("1+").repeated(n - 1) + QStringLiteral("1"), context).toNumber(), n);
    EXPECT_EQ(EvaluateExpression(QStringLiteral("true and ").repeated(n) + QStringLiteral("FFB > 0"), context).toText(),
              QStringLiteral("True"));
    EXPECT_EQ(EvaluateExpression(QStringLiteral("'ab'+").repeated(n) + QStringLiteral("''"), context).toText().size(),
              2 * n);
}

// ---------------------------------------------------------------------------------------------
// Conversions of values

TEST(ExprValue, ConvertsAsTheReportEngineDoes) {
    EXPECT_EQ(ExprValue::Null().toNumber(), 0);
    EXPECT_EQ(ExprValue::Null().toText(), QString());
    EXPECT_FALSE(ExprValue::Null().toBoolean());

    struct {
        const char* text;
        long double number;
    } numbers[] = {{"12,5", 12.5L}, {"12.5", 12.5L}, {" -3 ", -3}, {"1e3", 1000}, {"+.5", 0.5L}, {"", 0}, {"  ", 0}};
    for (const auto& c : numbers)
        EXPECT_EQ(ExprValue::Text(QString::fromUtf8(c.text)).toNumber(), c.number) << c.text;
    for (const char* bad : {"abc", "1,2,3", "1 000", "12a", "e5", "-", "."}) {
        try {
            ExprValue::Text(QString::fromUtf8(bad)).toNumber();
            ADD_FAILURE() << "converted " << bad;
        } catch (const TqxfError& error) {
            EXPECT_EQ(error.message(), QStringLiteral("Значение [%1] не является числом").arg(QString::fromUtf8(bad)));
        }
    }

    struct {
        long double number;
        const char* text;
    } texts[] = {{2.50L, "2,5"},  {1500, "1500"},          {-0.0L, "0"},
                 {1e-7L, "1E-7"}, {0.00001L, "0,00001"},   {123456.789L, "123456,789"},
                 {1e20L, "1E20"}, {-1.25e20L, "-1,25E20"}, {0.1, "0,1"}};  // 0.1 held as a double prints as written
    for (const auto& c : texts)
        EXPECT_EQ(ExprValue::Number(c.number).toText(), QString::fromUtf8(c.text));
    EXPECT_EQ(ExprValue::Boolean(true).toText(), QStringLiteral("True"));
    EXPECT_EQ(ExprValue::Boolean(true).toNumber(), 1);

    EXPECT_TRUE(ExprValue::Text(QStringLiteral("True")).toBoolean());
    EXPECT_FALSE(ExprValue::Text(QStringLiteral("false")).toBoolean());
    EXPECT_FALSE(ExprValue::Text(QStringLiteral("0")).toBoolean());
    EXPECT_TRUE(ExprValue::Text(QStringLiteral("2,5")).toBoolean());
    EXPECT_TRUE(ExprValue::Number(-1).toBoolean());
    EXPECT_THROW(ExprValue::Text(QStringLiteral("да")).toBoolean(), TqxfError);
}

TEST(ExprValue, NumbersPrintWithTheDisplayDecimalSeparator) {
    TestContext context;
    DecimalSeparatorGuard dot(QLatin1Char('.'));
    EXPECT_EQ(ExprValue::Number(2.5L).toText(), QStringLiteral("2.5"));
    EXPECT_EQ(EvaluateExpression(QStringLiteral("'L=' + FFB / 8"), context).toText(), QStringLiteral("L=125"));
    EXPECT_EQ(EvaluateExpression(QStringLiteral("'L=' + FFB / 16"), context).toText(), QStringLiteral("L=62.5"));
    EXPECT_EQ(EvaluateExpression(QStringLiteral("FormatFloat('0.00', 1.5)"), context).toText(), QStringLiteral("1.50"));
    // texts in either form still read as numbers
    EXPECT_EQ(ExprValue::Text(QStringLiteral("2,5")).toNumber(), 2.5L);
}

// ---------------------------------------------------------------------------------------------
// Robustness

TEST(Expression, RandomInputParsesOrRaisesTqxfError) {
    std::mt19937 random(20240601);
    const char* pieces[] = {"(",     ")",     "'",     "1",     "2.5",   "e",     "+",     "-",      "*",
                            "/",     " div ", " mod ", " and ", " or ",  " not ", "=",     "<",      ">",
                            "<>",    ",",     "FFB",   "FFН",   "FL",    "IIF(",  "Copy(", " ",      "''",
                            "Max(",  "1e",    ".",     "0",     "SAFE(", "SRC(",  "true",  "Round(", "FormatFloat(",
                            "'0.#'", "HIT(",  "NOW",   "Chr("};
    const int pieceCount = static_cast<int>(std::size(pieces));
    const char* seeds[] = {"IIF(FFB > 500, FFB - 2 * 10, FL(2) div 3)",
                           "'№ ' + _ORDER_NO + ' от ' + FormatFloat('#,##0.00', FFН / 7)",
                           "not (FFB mod 2 = 0) or Copy('abc''d', 2, Length('xy')) <> 'b'",
                           "SAFE(1 / (FFB - 1000)) + SRC(Max(1, -2.5e1, +3), 'a,b')",
                           "Round(-FFН / 3) + Trunc(1.5E2) * Abs(Min(1, 2)) - Pos('a', UpperCase('bA'))"};
    const int seedCount = static_cast<int>(std::size(seeds));
    TestContext context;
    int parsed = 0, rejected = 0;
    for (int round = 0; round < 20000; ++round) {
        QString text;
        if (round % 3 == 0) {
            // raw bytes, read as Latin-1 or as UTF-8
            QByteArray bytes;
            int length = static_cast<int>(random() % 24);
            for (int i = 0; i < length; ++i)
                bytes += static_cast<char>(random() % 256);
            text = round % 2 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
        } else if (round % 3 == 1) {
            int length = static_cast<int>(random() % 16);
            for (int i = 0; i < length; ++i)
                text += QString::fromUtf8(pieces[random() % pieceCount]);
        } else {
            // a valid expression with a few characters deleted or pieces inserted
            text = QString::fromUtf8(seeds[random() % seedCount]);
            for (int m = static_cast<int>(random() % 3); m >= 0 && !text.isEmpty(); --m) {
                int at = static_cast<int>(random() % text.size());
                if (random() % 2)
                    text.remove(at, 1);
                else
                    text.insert(at, QString::fromUtf8(pieces[random() % pieceCount]));
            }
        }
        try {
            Expression e = Expression::Parse(text);
            ++parsed;
            try {
                e.Evaluate(context);
            } catch (const TqxfError&) {
            }
        } catch (const TqxfError& error) {
            ++rejected;
            if (!error.message().startsWith(QStringLiteral("Ошибка в выражении [") + text + QStringLiteral("]: ")))
                ADD_FAILURE() << "message " << error.message().toStdString();
        }
    }
    EXPECT_GT(parsed, 1000);
    EXPECT_GT(rejected, 1000);
}
