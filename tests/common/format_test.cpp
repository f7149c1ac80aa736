// format_test.cpp — the system's format strings and money rounding.
#include <gtest/gtest.h>

#include "common/error.h"
#include "common/format.h"
#include "common/money.h"

using namespace qx;

struct FixedCase {
    long double value;
    const char* format;
    const char* expected;
};

class FormatFixed : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixed, HalvesGoAwayFromZeroWithDecimalComma) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(Format(QString::fromUtf8(c.format), c.value), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatFixed,
                         ::testing::Values(FixedCase{2.5L, "%.0f", "3"}, FixedCase{0.4L, "%.0f", "0"},
                                           FixedCase{-2.5L, "%.0f", "-3"}, FixedCase{3.5L, "%.0f", "4"},
                                           FixedCase{1234.5L, "%.4f", "1234,5000"}, FixedCase{350.5L, "%.1f", "350,5"},
                                           FixedCase{0.6f, "%.4f", "0,6000"}, FixedCase{-0.004L, "%.2f", "0,00"},
                                           FixedCase{999.995L, "%.2f", "1000,00"}, FixedCase{12.0L, "%f", "12,00"},
                                           FixedCase{1234567.891L, "%.2n", "1 234 567,89"}));

TEST(Format, IntegersTextsAndHex) {
    EXPECT_EQ(Format("\\Z%s%.4d.txt", "0000", 1), QStringLiteral("\\Z00000001.txt"));
    EXPECT_EQ(Format("%.3d|%d|%2d|%-4s|", 7, -12, 5, "ab"), QStringLiteral("007|-12| 5|ab  |"));
    EXPECT_EQ(Format("%.4x%.4x", 0x419, 0x4E3), QStringLiteral("041904E3"));
    EXPECT_EQ(Format("100%% [%s]", "x"), QStringLiteral("100% [x]"));
    EXPECT_EQ(FormatDot("FFAMin <= %.2f and FFAMax >= %.2f ", 135.0, 135.0),
              QStringLiteral("FFAMin <= 135.00 and FFAMax >= 135.00 "));
}

TEST(Format, BadSpecifiersRaise) {
    EXPECT_THROW(Format("%d", "text"), TqxfError);
    EXPECT_THROW(Format("%d %d", 1), TqxfError);
    EXPECT_THROW(Format("%q", 1), TqxfError);
}

TEST(Money, RoundsExactHalvesToEven) {
    EXPECT_EQ(RoundMoney(0.00005L).Raw, 0);
    EXPECT_EQ(RoundMoney(0.00015L).Raw, 2);
    EXPECT_EQ(RoundMoney(12.5L).Raw, 125000);
    EXPECT_EQ(RoundMoney(-0.00015L).Raw, -2);
    EXPECT_EQ(RoundMoney(1.23456L).Raw, 12346);
    EXPECT_EQ(MoneyToText(Money::FromRaw(125000)), QStringLiteral("12.5000"));
    EXPECT_EQ(MoneyToText(Money::FromRaw(-5)), QStringLiteral("-0.0005"));
}

