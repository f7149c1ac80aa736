// pricing_test.cpp — rate lists, their image, conversion between currencies and article prices.
#include <gtest/gtest.h>

#include "common/error.h"
#include "documents/pricing.h"
#include "shell/setup.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

TEST(Rates, FindRateDistinguishesNoListFromNoCurrency) {
    const TqxfCurrencyList rates{{1, 1.0f}, {2, 2.5f}, {2, 9.0f}};
    EXPECT_EQ(FindRate(nullptr, 1), 0.0f);
    EXPECT_EQ(FindRate(&rates, 2), 2.5f);
    EXPECT_EQ(FindRate(&rates, 3), -1.0f);
}

TEST(Rates, ImageIsAnIntegerAndARealReadBackAsSingle) {
    TSpecStream s;
    WriteCurrencyItem(s, TqxfCurrencyItem{7, 0.1f});
    ASSERT_EQ(s.Size(), 32);
    EXPECT_EQ(static_cast<uint8_t>(s.Data()[0]), 3);
    EXPECT_EQ(static_cast<uint8_t>(s.Data()[16]), 5);
    double stored = 0;
    memcpy(&stored, s.Data().constData() + 24, 8);
    EXPECT_EQ(stored, static_cast<double>(0.1f));
    s.SetPosition(0);
    TqxfCurrencyItem back;
    ReadCurrencyItem(s, back);
    EXPECT_EQ(back.ID, 7);
    EXPECT_EQ(back.Rate, 0.1f);
}

TEST(Conversion, ConvertsThroughTheCommonBase) {
    const TqxfCurrencyList rates{{1, 1.25f}, {2, 2.5f}};
    EXPECT_EQ(ConvertPrice(&rates, 2, Money::FromRaw(12500), Money::FromInt(10)), Money::FromInt(20));
    // Rounded once to four decimals: 10 × 1 / 3.
    const TqxfCurrencyList thirds{{1, 3.0f}, {4, 1.0f}};
    EXPECT_EQ(ConvertPrice(&thirds, 4, Money::FromInt(3), Money::FromInt(10)), Money::FromRaw(33333));
}

TEST(Conversion, ATargetRateOfZeroFails) {
    const TqxfCurrencyList rates{{1, 1.0f}};
    try {
        ConvertPrice(&rates, 1, Money{}, Money::FromInt(10));
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Значение текущей валюты = 0!"));
    }
}

TEST(Conversion, ASourceCurrencyMissingFromTheRatesFailsInsteadOfPricingNegative) {
    const TqxfCurrencyList rates{{1, 1.0f}};
    try {
        ConvertPrice(&rates, 9, Money::FromInt(1), Money::FromInt(10));
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.Message, QStringLiteral("В курсах документа отсутствует курс валюты [9]!"));
    }
}

// Currencies: 1 with rate 2.5, 2 with rate 1.25, 3 with 0.00004. Price group 7 takes 10 % off in its
// first column (its second column would add 50 %). A: 10 in currency 1, group 7; B: 10 in currency
// 1, no group; C: group 99, which does not exist; D: currency 8, which has no rate.
const char* const kPriceCatalog = R"(
INSERT INTO Currency (ID, Name, Value) VALUES (1, 'EUR', 2.5), (2, 'RUB', 1.25), (3, 'XXX', 0.00004);
INSERT INTO PriceGrp (GroupID, Name, Reduce_1, Reduce_2) VALUES (7, 'Скидка', -10, 50);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES
  ('A', 'Запор', 10, 1, 7), ('B', 'Петля', 10, 1, 0), ('C', 'Ручка', 10, 1, 99), ('D', 'Цилиндр', 10, 8, 0);
)";

// Installs a settings object whose pricing context is the given rates and currency.
class PricingContext {
  public:
    PricingContext(const TqxfCurrencyList* rates, int32_t currency) {
        setup_.PriceCurrencies = rates;
        setup_.PriceCurrency = currency;
        SetSetup(&setup_);
    }
    ~PricingContext() { SetSetup(nullptr); }

  private:
    TqxfSetup setup_;
};

class ArticlePricing : public ::testing::Test {
  protected:
    void SetUp() override { LoadRates(rates); }
    QString ErrorOf(const QString& code) {
        try {
            ArticlePrice(code, false);
        } catch (const TqxfError& e) {
            return e.Message;
        }
        return QStringLiteral("no error");
    }
    CatalogFixture catalog{QString::fromUtf8(kPriceCatalog)};
    TqxfCurrencyList rates;
};

TEST_F(ArticlePricing, LoadRatesTakesEveryCurrencyRowInOrder) {
    ASSERT_EQ(rates.size(), 3u);
    EXPECT_EQ(rates[0].ID, 1);
    EXPECT_EQ(rates[0].Rate, 2.5f);
    EXPECT_EQ(rates[2].ID, 3);
    EXPECT_EQ(rates[2].Rate, 0.00004f);
    rates.push_back({42, 1});
    LoadRates(rates);
    EXPECT_EQ(rates.size(), 3u) << "the list is emptied first";
}

TEST_F(ArticlePricing, ConvertsIntoTheActiveCurrencyAndAppliesTheFirstGroupColumn) {
    PricingContext context(&rates, 2);
    EXPECT_EQ(ArticlePrice("A", false), Money::FromInt(18));  // 10 × 2.5 / 1.25 = 20, less 10 %
    EXPECT_EQ(ArticlePrice("B", true), Money::FromInt(20));
    EXPECT_EQ(ArticlePrice(&rates, 1, "B", false), Money::FromInt(10));
}

TEST_F(ArticlePricing, MissingArticlesAndGroupsNameTheirKey) {
    PricingContext context(&rates, 2);
    EXPECT_EQ(ErrorOf("Z-9"),
              QStringLiteral("В каталоге отсутствуют данные для [Z-9]!\r\n(Поиск [Наименование] через [Код])"));
    EXPECT_EQ(ArticlePrice("Z-9", true), Money{});
    EXPECT_EQ(ErrorOf("C"), QStringLiteral("В каталоге ценовых групп отсутствуют данные для группы [99]!"));
}

TEST_F(ArticlePricing, ARateThatRoundsToZeroFailsEveryPrice) {
    PricingContext context(&rates, 3);  // 0.00004 is 0.0000 to four decimals
    EXPECT_EQ(ErrorOf("A"), QStringLiteral("Значение текущей валюты = 0!"));
    EXPECT_EQ(ErrorOf("B"), QStringLiteral("Значение текущей валюты = 0!"));
    EXPECT_EQ(ArticlePrice("Z-9", true), Money{}) << "the article is looked up before the conversion";
}

TEST_F(ArticlePricing, WithoutAContextEveryPriceFails) {
    PricingContext context(nullptr, 0);
    EXPECT_EQ(ErrorOf("B"), QStringLiteral("Значение текущей валюты = 0!"));
}

TEST_F(ArticlePricing, ACurrencyWithoutARateFailsInsteadOfPricingNegative) {
    {
        PricingContext context(&rates, 5);  // the document's currency is not among its rates
        EXPECT_EQ(ErrorOf("B"), QStringLiteral("В курсах документа отсутствует курс валюты [5]!"));
    }
    PricingContext context(&rates, 2);
    EXPECT_EQ(ErrorOf("D"), QStringLiteral("В курсах документа отсутствует курс валюты [8]!"));
}

}  // namespace
}  // namespace qx
