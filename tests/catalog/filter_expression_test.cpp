// filter_expression_test.cpp — the filter language: precedence, literals, blanks and malformed texts.
#include <gtest/gtest.h>

#include <QStringList>

#include "catalog/filter_expression.h"
#include "common/error.h"

using namespace qx;

namespace {

// A compact rendering of a parsed tree: (a=1 | (b=2 & c=3)).
QString render(const FilterNode& n) {
    if (n.kind == FilterNode::Kind::Compare) {
        static const char* ops[] = {"=", "<>", "<", "<=", ">", ">="};
        auto operand = [](const FilterOperand& o) {
            switch (o.kind) {
                case FilterOperand::Kind::Column:
                    return QStringLiteral("col:") + o.text;
                case FilterOperand::Kind::Integer:
                    return QStringLiteral("int:") + QString::number(o.integer);
                case FilterOperand::Kind::Decimal:
                    return QStringLiteral("dec:") + QString::number(o.number);
                case FilterOperand::Kind::Text:
                    return QStringLiteral("'") + o.text + QStringLiteral("'");
            }
            return QString();
        };
        return operand(n.left) + QLatin1String(ops[int(n.op)]) + operand(n.right);
    }
    QStringList parts;
    for (const auto& c : n.children)
        parts << render(c);
    return QLatin1Char('(') +
           parts.join(n.kind == FilterNode::Kind::And ? QStringLiteral(" & ") : QStringLiteral(" | ")) +
           QLatin1Char(')');
}

QString parsed(const char* text) {
    auto e = ParseFilter(QString::fromUtf8(text));
    return e->Empty ? QStringLiteral("<empty>") : render(e->Root);
}

}  // namespace

struct ParseCase {
    const char* text;
    const char* tree;
};

class FilterParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(FilterParsing, BuildsTheTreeTheTextMeans) {
    EXPECT_EQ(parsed(GetParam().text), QString::fromUtf8(GetParam().tree)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, FilterParsing,
    ::testing::Values(
        // "and" binds tighter than "or"; parentheses override; nested conjunctions are flattened.
        ParseCase{"A = 1 or B = 2 and C = 3", "(col:A=int:1 | (col:B=int:2 & col:C=int:3))"},
        ParseCase{"(A = 1 or B = 2) and C = 3", "((col:A=int:1 | col:B=int:2) & col:C=int:3)"},
        ParseCase{"(A=1 and B=2) and (C=3 and D=4)", "(col:A=int:1 & col:B=int:2 & col:C=int:3 & col:D=int:4)"},
        ParseCase{"A=1 AND B<>2 Or C>=3", "((col:A=int:1 & col:B<>int:2) | col:C>=int:3)"},
        // Every operator; literal on the left; decimals with a point; signs.
        ParseCase{"X<1 and X<=2 and X>3 and X>=4", "(col:X<int:1 & col:X<=int:2 & col:X>int:3 & col:X>=int:4)"},
        ParseCase{"5 < X", "int:5<col:X"},
        ParseCase{"FFAMin <= 135.50 and FFAMax >= -0.5", "(col:FFAMin<=dec:135.5 & col:FFAMax>=dec:-0.5)"},
        // The texts the system builds: doubled blanks, a clause beginning with a blank, a trailing blank.
        ParseCase{"WeightMin <= 12.00 and  WeightMax >= 12.00 ", "(col:WeightMin<=dec:12 & col:WeightMax>=dec:12)"},
        ParseCase{"FalzLuft = 12  and ThicknessMin <= 68 and ThicknessMax >= 68 and ID='E1' ",
                  "(col:FalzLuft=int:12 & col:ThicknessMin<=int:68 & col:ThicknessMax>=int:68 & col:ID='E1')"},
        ParseCase{"  \tID = 'A'\r\n", "col:ID='A'"},
        // Quoted texts: blanks kept, '' is the empty text, a doubled quote inside is one quote.
        ParseCase{"Name = 'Петля  двойная ' and Color = ''", "(col:Name='Петля  двойная ' & col:Color='')"},
        ParseCase{"Name = 'O''Brien'", "col:Name='O'Brien'"}, ParseCase{"FurnSysID='100'", "col:FurnSysID='100'"},
        // Column names in double quotes; blank texts are no filter at all.
        ParseCase{"\"Group\" = 12", "col:Group=int:12"}, ParseCase{"   ", "<empty>"}, ParseCase{"", "<empty>"}));

class MalformedFilter : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedFilter, RaisesAnErrorNamingTheFilterText) {
    const QString text = QString::fromUtf8(GetParam());
    try {
        ParseFilter(text);
        FAIL() << "parsed: " << GetParam();
    } catch (const TqxfError& e) {
        EXPECT_TRUE(
            e.message().startsWith(QStringLiteral("Ошибка в выражении фильтра [") + text + QStringLiteral("]\r\n(")))
            << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, MalformedFilter,
                         ::testing::Values("ID = ", "ID 'x'", "(ID = 1", "ID = 1)", "ID = 'abc", "and ID = 1",
                                           "ID = 1 and", "ID == 1", "A = 1 or or B = 2", "= 5", "ID = 5x", "ID ! 5",
                                           "ID = 1 ID = 2", "ID = 1.2.3", "ID = -", "()", "\"\" = 1", "ID = 'a' ;"));

TEST(FilterParsingLimits, DeepNestingIsAnErrorNotACrash) {
    const QString text =
        QString(100000, QLatin1Char('(')) + QStringLiteral("A = 1") + QString(100000, QLatin1Char(')'));
    EXPECT_THROW(ParseFilter(text), TqxfError);
    const QString fine = QString(50, QLatin1Char('(')) + QStringLiteral("A = 1") + QString(50, QLatin1Char(')'));
    EXPECT_EQ(render(ParseFilter(fine)->Root), QStringLiteral("col:A=int:1"));
}

TEST(FilterParsingLimits, SameTextIsParsedOnce) {
    const QString text = QStringLiteral("ID='X' and FalzLuft = 12 ");
    EXPECT_EQ(ParseFilter(text).get(), ParseFilter(QString(text)).get());
}
