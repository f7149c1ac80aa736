// text_utils_test.cpp — tokens, replacing, padding and numbers from text.
#include <gtest/gtest.h>

#include "common/error.h"
#include "common/text_utils.h"

using namespace qx;

TEST(Tokens, CountSplitAndMatch) {
    EXPECT_EQ(TokenCount("", "."), 0);
    EXPECT_EQ(TokenCount("a.b", "."), 2);
    EXPECT_EQ(TokenCount("a;b,,c", ";,"), 4);
    EXPECT_EQ(TokenCount("abc", "."), 1);
    EXPECT_EQ(GetToken("06 .10.2015", 1, "."), QStringLiteral("06"));
    EXPECT_EQ(GetToken(" 06 . 10 .2015", 2, "."), QStringLiteral("10"));
    EXPECT_EQ(GetToken("06.10.2015", 3, "."), QStringLiteral("2015"));
    EXPECT_EQ(GetToken("06.10.2015", 4, "."), QString());
    EXPECT_EQ(GetToken("06.10.2015", 0, "."), QString());
    EXPECT_EQ(GetToken("a;b,,c", 3, ";,"), QString());
    EXPECT_EQ(GetToken("a;b,,c", 4, ";,"), QStringLiteral("c"));
    EXPECT_EQ(GetToken("a\t;b", 1, ";"), QStringLiteral("a"));
    EXPECT_TRUE(IsToken("12; 15;7", "15", ";"));
    EXPECT_FALSE(IsToken("12;150;7", "15", ";"));
    EXPECT_FALSE(IsToken("12;15;7", "1", ";"));
    EXPECT_FALSE(IsToken("", "", ";"));
    EXPECT_TRUE(IsToken("a;;b", "", ";"));
}

TEST(Texts, ReplaceText) {
    struct Case {
        const char *text, *oldText, *newText;
        bool firstOnly;
        const char* expected;
    };
    const Case cases[] = {{"aXbXc", "X", "--", false, "a--b--c"}, {"aXbXc", "X", "--", true, "a--bXc"},
                          {"aaa", "a", "aa", false, "aaaaaa"},  // replaced text is not scanned again
                          {"abab", "ab", "b", false, "bb"},       {"X", "X", "", false, ""},
                          {"", "", "new", false, "new"},          {"abc", "", "-", false, "abc"},
                          {"abc", "b", "b", false, "abc"},        {"abc", "B", "-", false, "abc"}};
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceText(c.text, c.oldText, c.newText, c.firstOnly), QString::fromUtf8(c.expected)) << c.text;
}

TEST(Texts, AppendTokenKeepsListsUniqueWhenAsked) {
    QString list;
    AppendToken(list, "12", ";", true);
    EXPECT_EQ(list, QStringLiteral("12"));
    AppendToken(list, "15", ";", true);
    AppendToken(list, "12", ";", true);
    EXPECT_EQ(list, QStringLiteral("12;15"));
    AppendToken(list, "12", ";", false);
    EXPECT_EQ(list, QStringLiteral("12;15;12"));
}

TEST(Texts, SpacesAndPadding) {
    EXPECT_EQ(RemoveSpaces("1 234 567,5"), QStringLiteral("1234567,5"));
    EXPECT_EQ(RemoveSpaces("   "), QStringLiteral("0"));
    EXPECT_EQ(RemoveSpaces(""), QStringLiteral("0"));
    EXPECT_EQ(PadLeft("12", 5, false, '0'), QStringLiteral("00012"));
    EXPECT_EQ(PadLeft("1234567", 5, false, '0'), QStringLiteral("34567"));
    EXPECT_EQ(PadLeft("  12 ", 4, true), QStringLiteral("  12"));
    EXPECT_EQ(PadLeft("  12 ", 4, false), QStringLiteral(" 12 "));
    EXPECT_EQ(PadRight("12", 5, false, '.'), QStringLiteral("12..."));
    EXPECT_EQ(PadRight("1234567", 5), QStringLiteral("12345"));
    EXPECT_EQ(PadRight(" ab ", 4, true, '_'), QStringLiteral("ab__"));
    EXPECT_EQ(PadLeft("abc", 0), QString());
}

TEST(Numbers, StrToIntDef0) {
    const std::pair<const char*, int32_t> cases[] = {{"42", 42},
                                                     {"-17", -17},
                                                     {"+5", 5},
                                                     {"  8", 8},
                                                     {"$1F", 31},
                                                     {"0x10", 16},
                                                     {"12a", 0},
                                                     {"", 0},
                                                     {"-", 0},
                                                     {"1.5", 0},
                                                     {"8 ", 0},
                                                     {"2147483647", 2147483647},
                                                     {"-2147483648", -2147483647 - 1},
                                                     {"2147483648", 0},
                                                     {"99999999999999999999", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToIntDef0(text), value) << text;
}

TEST(Numbers, HexToIntAndBits) {
    EXPECT_EQ(HexToInt("FF"), 255);
    EXPECT_EQ(HexToInt("c0"), 192);
    EXPECT_EQ(HexToInt("ABC"), 0xABC);  // read as 0ABC
    EXPECT_EQ(HexToInt("FFFF"), 0xFFFF);
    EXPECT_EQ(HexToInt("G1"), 1);  // a foreign character counts as 0
    EXPECT_EQ(HexToInt(""), 0);
    EXPECT_EQ(HexToInt("0000FFFF"), 0xFFFF);
    EXPECT_THROW(HexToInt("10000"), TqxfError);
    EXPECT_THROW(HexToInt("FFFFFFFFFFFFFFFFFFFF"), TqxfError);
    EXPECT_TRUE(BitIsSet(5, 1));
    EXPECT_FALSE(BitIsSet(5, 2));
    EXPECT_TRUE(BitIsSet(5, 3));
    EXPECT_TRUE(BitIsSet(-1, 64));
    EXPECT_FALSE(BitIsSet(5, 0));
    EXPECT_FALSE(BitIsSet(5, 65));
}
