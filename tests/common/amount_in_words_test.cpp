// amount_in_words_test.cpp — amounts in Russian words with the currency's forms and gender.
#include <gtest/gtest.h>

#include <limits>

#include "common/amount_in_words.h"

using namespace qx;

namespace {

const TCurrencyWords kRouble{"рубль", "рубля", "рублей", 0, 2};
const TCurrencyWords kHryvnia{"гривна", "гривны", "гривен", 1, 2};
const TCurrencyWords kNeuter{"песо", "песо", "песо", 2, 2};

}  // namespace

struct WordsCase {
    const TCurrencyWords* words;
    int64_t raw;  // amount × 10 000
    int decimals;
    const char* expected;
};

class AmountWords : public ::testing::TestWithParam<WordsCase> {};

TEST_P(AmountWords, SpellsTheWholePartAndShowsTheFraction) {
    const WordsCase& c = GetParam();
    EXPECT_EQ(AmountInWords(*c.words, Money::FromRaw(c.raw), c.decimals), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Roubles, AmountWords,
    ::testing::Values(
        WordsCase{&kRouble, 10000, 2, "Один рубль / 0"}, WordsCase{&kRouble, 215000, 2, "Двадцать один рубль /50"},
        WordsCase{&kRouble, 10000000, 2, "Одна тысяча рублей / 0"},
        WordsCase{&kRouble, 20000000000, 2, "Два миллиона рублей / 0"},
        WordsCase{&kRouble, 12050500, 2, "Одна тысяча двести пять рублей / 5"},
        WordsCase{&kRouble, 110000, 2, "Одиннадцать рублей / 0"},
        WordsCase{&kRouble, 1120000, 2, "Сто двенадцать рублей / 0"},
        WordsCase{&kRouble, 30040000, 2, "Три тысячи четыре рубля / 0"}, WordsCase{&kRouble, 0, 2, "ноль рублей"},
        WordsCase{&kRouble, 5000, 2, "Рублей /50"}, WordsCase{&kRouble, -255000, 2, "Двадцать пять рублей /-50"},
        WordsCase{&kRouble, 220000000, 2, "Двадцать две тысячи рублей / 0"},
        WordsCase{&kRouble, 110000000, 2, "Одиннадцать тысяч рублей / 0"},
        WordsCase{&kRouble, 10000010000000, 2, "Один миллиард одна тысяча рублей / 0"},
        WordsCase{&kRouble, 50000000000, 2, "Пять миллионов рублей / 0"},
        WordsCase{&kRouble, 9140000, 2, "Девятьсот четырнадцать рублей / 0"},
        // the largest amounts money holds, both signs
        WordsCase{&kRouble, std::numeric_limits<int64_t>::max(), 2,
                  "Девятьсот двадцать два триллиона триста тридцать семь миллиардов двести три миллиона шестьсот "
                  "восемьдесят пять тысяч четыреста семьдесят семь рублей /58"},
        WordsCase{&kRouble, std::numeric_limits<int64_t>::min(), 2,
                  "Девятьсот двадцать два триллиона триста тридцать семь миллиардов двести три миллиона шестьсот "
                  "восемьдесят пять тысяч четыреста семьдесят семь рублей /-58"}));

INSTANTIATE_TEST_SUITE_P(
    GendersAndDecimals, AmountWords,
    ::testing::Values(
        WordsCase{&kHryvnia, 10000, 2, "Одна гривна / 0"}, WordsCase{&kHryvnia, 20000, 2, "Две гривны / 0"},
        WordsCase{&kHryvnia, 220000, 2, "Двадцать две гривны / 0"}, WordsCase{&kHryvnia, 50000, 2, "Пять гривен / 0"},
        WordsCase{&kNeuter, 10000, 2, "Одно песо / 0"}, WordsCase{&kNeuter, 20000, 2, "Два песо / 0"},
        WordsCase{&kRouble, 215500, 1, "Двадцать один рубль /6"},  // 5.5 → 6
        WordsCase{&kRouble, 214500, 1, "Двадцать один рубль /4"},  // 4.5 → 4: halves to even
        WordsCase{&kRouble, 11250, 2, "Один рубль /12"},           // 12.5 → 12
        WordsCase{&kRouble, 11350, 2, "Один рубль /14"},           // 13.5 → 14
        WordsCase{&kRouble, 11235, 3, "Один рубль /124"}, WordsCase{&kRouble, 10005, 4, "Один рубль /   5"},
        WordsCase{&kRouble, 11235, 0, "Один рубль"}, WordsCase{&kRouble, 11235, 7, "Один рубль /12"},
        WordsCase{&kRouble, -10000, 2, "Один рубль / 0"}));

TEST(AmountWords, GroupWordsGiveTheSelectorOfTheNoun) {
    struct Case {
        int gender;
        long double value;
        const char* text;
        int selector;
    };
    const Case cases[] = {{1, 2, " две", 2},
                          {0, 2, " два", 2},
                          {2, 1, " одно", 1},
                          {0, 999.9L, " девятьсот девяносто девять", 9},
                          {0, 10, " десять", 10},
                          {0, 115, " сто пятнадцать", 15},
                          {0, 340, " триста сорок", 0},
                          {0, 0.75L, "", 0}};
    for (const Case& c : cases) {
        int selector = -1;
        EXPECT_EQ(GroupWords(c.gender, c.value, selector), QString::fromUtf8(c.text));
        EXPECT_EQ(selector, c.selector) << c.text;
    }
}
