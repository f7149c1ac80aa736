// order_test.cpp — the order document: defaults, positions, included pass, materials, amounts,
// recalculation and the pricing context.
#include <gtest/gtest.h>

#include <QDate>

#include "common/codec.h"
#include "documents/order.h"
#include "order_fixture.h"
#include "shell/setup.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

QStringList posNos(const TqxfOrder& order) {
    QStringList out;
    for (int i = 0; i < order.Count(); ++i)
        out << order.Positions(i)->PosNo;
    return out;
}

// The material list as "ID number price cost" lines.
QStringList lines(const TqxfMatList& list) {
    QStringList out;
    for (const auto& line : list)
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(line->ID)
                   .arg(static_cast<double>(line->Number))
                   .arg(MoneyToText(line->ListPrice), MoneyToText(line->Cost));
    return out;
}

QByteArray imageOf(const TqxfConstruction& position) {
    TSpecStream stream;
    position.SaveToStream(stream);
    return stream.Data();
}

TEST(Order, ANewOrderHasTheDefaultsOfTheDataModel) {
    const TqxfOrder order;
    EXPECT_EQ(order.FileHeader, "Quarnix Furniture Order File");
    EXPECT_EQ(order.Version, "26.12.2019");
    EXPECT_EQ(order.RegDate, DateFromQt(QDate::currentDate()));
    EXPECT_TRUE(order.RegDateSet);
    EXPECT_NEAR(order.Created, Now(), 1.0 / 24);
    EXPECT_EQ(order.Changed, order.Created);
    EXPECT_FALSE(order.TotalNDS);
    EXPECT_FALSE(order.ShowIncludingNDS);
    EXPECT_EQ(order.Count(), 0);
    EXPECT_EQ(order.CurrencyCount(), 0);
    EXPECT_FALSE(order.HasIncluded());
    EXPECT_EQ(order.OrderSum(), Money{});
}

TEST(Order, FindsPositionsIgnoringCaseAndSortsThemByteWise) {
    OrderFixture cat;
    TqxfOrder order;
    for (const char* no : {"2", "б", "A1", "10", "Б", "Z", "1"})
        OrderFixture::AddPosition(order, S(no), 1, {{"A", 1}}).PosName = S("n") + S(no);
    EXPECT_EQ(order.FindPosition("a1"), order.Positions(2));
    EXPECT_EQ(order.FindPosition(S("б")), order.Positions(1));  // the first of "б" and "Б"
    EXPECT_EQ(order.FindPosition("A2"), nullptr);

    order.SortByPosNo();
    EXPECT_EQ(posNos(order), (QStringList{"1", "10", "2", "A1", "Z", S("Б"), S("б")}));
    order.DeletePosition(0);
    order.SortByName();  // "n…" names: the same order without "1"
    EXPECT_EQ(posNos(order), (QStringList{"10", "2", "A1", "Z", S("Б"), S("б")}));
    EXPECT_EQ(order.Positions(0)->Order, &order);
}

TEST(Order, TheIncludedPassVisitsCheckedPositionsInListOrder) {
    OrderFixture cat;
    TqxfOrder order;
    for (const char* no : {"1", "2", "3"})
        OrderFixture::AddPosition(order, no, 1, {{"A", 1}}).Checked = false;
    EXPECT_FALSE(order.HasIncluded());
    EXPECT_EQ(order.FirstIncluded(), nullptr);

    order.Positions(2)->Checked = true;
    EXPECT_EQ(order.IncludedCount(), 1);
    EXPECT_EQ(order.FirstIncluded(), order.Positions(2));
    EXPECT_EQ(order.NextIncluded(), nullptr);

    order.Positions(0)->Checked = true;
    EXPECT_EQ(order.FirstIncluded(), order.Positions(0));
    EXPECT_EQ(order.NextIncluded(), order.Positions(2));
    EXPECT_EQ(order.NextIncluded(), nullptr);
}

TEST(Order, PricesInItsOwnRatesWithThePriceGroup) {
    OrderFixture cat;
    TqxfOrder rubles;
    OrderFixture::PriceInCurrency2(rubles);
    TqxfConstruction& a = OrderFixture::AddPosition(rubles, "1", 2, {{"A", 1}});
    // The same catalog in an order that keeps other rates.
    TqxfOrder euros;
    euros.Currencies = {{1, 2.5f}, {2, 1.25f}};
    euros.Currency = 1;
    TqxfConstruction& b = OrderFixture::AddPosition(euros, "1", 1, {{"A", 1}, {"B", 2}});

    qx::Setup().PriceCurrency = 77;
    ASSERT_TRUE(rubles.Recalculate());
    ASSERT_TRUE(euros.Recalculate());
    EXPECT_EQ(MoneyToText(a.Price), "18.0000");  // 10 × 2.5 / 1.25 = 20, then −10 %
    EXPECT_EQ(MoneyToText(a.TotalPrice()), "36.0000");
    EXPECT_EQ(MoneyToText(b.Price), "13.0000");  // 10 × 0.9 + 2 × (4 × 1.25 / 2.5)
    // The context is the order's only while it computes.
    EXPECT_EQ(qx::Setup().PriceCurrency, 77);
    EXPECT_EQ(qx::Setup().PriceCurrencies, nullptr);
    qx::Setup().PriceCurrency = 0;
}

TEST(Order, ARateThatRoundsToZeroFailsEveryPriceAndKeepsThePosition) {
    OrderFixture cat;
    RecordingMessageHandler messages;
    ScopedMessageHandler scope(messages);
    TqxfOrder order;
    order.Currencies = {{1, 2.5f}, {2, 0.00004f}};
    order.Currency = 2;
    TqxfConstruction& position = OrderFixture::AddPosition(order, "001", 1, {{"A", 1}});
    const QByteArray before = imageOf(position);

    EXPECT_FALSE(order.Recalculate());
    EXPECT_EQ(messages.texts(MessageKind::Error), QStringList{S("Значение текущей валюты = 0!\r\n[Позиция: 001]")});
    EXPECT_EQ(imageOf(position), before);
}

TEST(Order, MaterialsMergeEqualArticlesAcrossSashesAndPositions) {
    OrderFixture cat;
    TqxfOrder order;
    OrderFixture::PriceInCurrency2(order);
    OrderFixture::AddPosition(order, "1", 3, {{"A", 2}, {"R", 2, 1500}}, {{"A", 2}});
    OrderFixture::AddPosition(order, "2", 1, {{"B", 1}, {"A", 1}});
    OrderFixture::AddPosition(order, "3", 5, {{"A", 7}}).Checked = false;
    ASSERT_TRUE(order.Recalculate());

    TqxfMatList merged;
    order.CollectOrderMaterials(&merged);
    order.CollectOrderMaterials(nullptr);  // no list: nothing happens
    // A: 3 × (2 + 2) + 1; R: 3 × 2 × 1.5 m; the excluded position adds nothing.
    EXPECT_EQ(lines(merged), (QStringList{"A 13 18.0000 234.0000", "R 9 3.0000 27.0000", "B 1 4.0000 4.0000"}));
    // The sash keeps its own lines.
    EXPECT_EQ(lines(order.Positions(0)->Flugel1->MatList), (QStringList{"A 2 18.0000 36.0000", "R 3 3.0000 9.0000"}));
    EXPECT_EQ(MoneyToText(order.OrderSum()), "265.0000");  // 3 × 81 + 22
}

struct AmountCase {
    int64_t PriceRaw;
    int Quantity;
    float NDSTax;
    bool TotalNDS;
    const char* Sum;
    const char* NDS;
    const char* Total;
};

class OrderAmounts : public ::testing::TestWithParam<AmountCase> {};

TEST_P(OrderAmounts, AreRoundedOnceWithHalvesToEven) {
    const AmountCase& c = GetParam();
    TqxfOrder order;
    for (int i = 0; i < 2; ++i) {
        TqxfConstruction* position = order.AddPosition(order.NewPosition());
        position->Price = Money::FromRaw(c.PriceRaw);
        position->Quantity = c.Quantity;
    }
    order.NDSTax = c.NDSTax;
    order.TotalNDS = c.TotalNDS;
    EXPECT_EQ(MoneyToText(order.OrderSum()), c.Sum);
    EXPECT_EQ(MoneyToText(order.OrderNDS()), c.NDS);
    EXPECT_EQ(MoneyToText(order.OrderTotal()), c.Total);
}

INSTANTIATE_TEST_SUITE_P(
    Order, OrderAmounts,
    ::testing::Values(AmountCase{1234567, 3, 18, true, "740.7402", "133.3332", "874.0734"},  // 133.333236
                      AmountCase{1234567, 3, 18, false, "740.7402", "0.0000", "740.7402"},
                      AmountCase{25, 1, 1, true, "0.0050", "0.0000", "0.0050"},  // 0.00005 to even: 0
                      AmountCase{75, 1, 1, true, "0.0150", "0.0002", "0.0152"},  // 0.00015 to even: 0.0002
                      AmountCase{-75, 1, 1, true, "-0.0150", "-0.0002", "-0.0152"}));

TEST(Order, ARecalculationThatFailsOnTheSecondOfThreePositionsStopsThere) {
    OrderFixture cat;
    RecordingMessageHandler messages;
    ScopedMessageHandler scope(messages);
    TqxfOrder order;
    OrderFixture::PriceInCurrency2(order);
    OrderFixture::AddPosition(order, "001", 1, {{"B", 1}});
    OrderFixture::AddPosition(order, "002", 1, {{"B", 1}, {"X", 1}}, {{"B", 2}});
    OrderFixture::AddPosition(order, "003", 1, {{"B", 1}});
    for (int i = 0; i < 3; ++i)
        order.Positions(i)->Price = Money::FromInt(1);
    const QByteArray second = imageOf(*order.Positions(1));
    const QByteArray third = imageOf(*order.Positions(2));

    QList<QPair<int, int>> progress;
    EXPECT_FALSE(order.Recalculate([&](int done, int total) { progress.append({done, total}); }));
    EXPECT_EQ(MoneyToText(order.Positions(0)->Price), "4.0000");
    EXPECT_EQ(imageOf(*order.Positions(1)), second);
    EXPECT_EQ(imageOf(*order.Positions(2)), third);
    EXPECT_EQ(progress, (QList<QPair<int, int>>{{0, 3}, {1, 3}}));
    EXPECT_EQ(messages.texts(MessageKind::Error),
              QStringList{S("В каталоге отсутствуют данные для [X]!\r\n(Поиск [Наименование] через [Код])"
                            "\r\n[Позиция: 002]")});
}

TEST(Order, ANewOrderTakesItsDefaultsFromTheSettingsAndTheCatalog) {
    OrderFixture cat;
    TqxfSetup setup;
    SetSetup(&setup);
    setup.DefProfSys = "S";
    setup.DefFurnSys = "F";
    setup.DefHandle = "H1";
    setup.DefFalzType = 100;
    setup.DefDornType = 200;
    setup.DefStulpFalzType = 300;
    setup.DefFlugelType = 400;
    setup.DefMaterial = 3;
    setup.CurCurrency = 2;
    setup.PriceGrpNo = 4;
    setup.NDSTax = 20;
    setup.TotalNDS = true;
    setup.ShowIncludingNDS = false;

    TqxfOrder order;
    order.InitNewOrder();
    SetSetup(nullptr);
    EXPECT_EQ(order.ProfSys, "S");
    EXPECT_EQ(order.InnerProfColor, "BC");
    EXPECT_EQ(order.OuterProfColor, "BC");
    EXPECT_EQ(order.FurnSys, "F");
    EXPECT_EQ(order.FurnColor, "FC");
    EXPECT_EQ(order.Handle, "H1");
    EXPECT_EQ(order.FalzType, 100);
    EXPECT_EQ(order.DornType, 200);
    EXPECT_EQ(order.StulpType, 300);
    EXPECT_EQ(order.OpenType, 400);
    EXPECT_EQ(order.Material, 3);
    EXPECT_EQ(order.Currency, 2);
    EXPECT_EQ(order.PriceGroupNo, 4);
    EXPECT_EQ(order.NDSTax, 20.0f);
    EXPECT_TRUE(order.TotalNDS);
    EXPECT_FALSE(order.ShowIncludingNDS);
    ASSERT_EQ(order.CurrencyCount(), 2);
    EXPECT_EQ(order.CurrencyItems(0).ID, 1);
    EXPECT_EQ(order.CurrencyItems(0).Rate, 2.5f);
    EXPECT_EQ(order.CurrencyItems(1).Rate, 1.25f);
    // The positions read the order's colours.
    OrderFixture::AddPosition(order, "1", 1, {});
    EXPECT_EQ(order.Positions(0)->OuterProfColor(), "BC");

    // A system missing from the list gives empty colours.
    TqxfSetup other;
    other.DefProfSys = "NONE";
    SetSetup(&other);
    order.InitNewOrder();
    SetSetup(nullptr);
    EXPECT_EQ(order.InnerProfColor, "");
    EXPECT_EQ(order.FurnColor, "");
}

TEST(Order, FreeingAnOrderEmptiesThePricingContextThatUsesItsRates) {
    auto order = std::make_unique<TqxfOrder>();
    order->Currency = 5;
    qx::Setup().PriceCurrencies = nullptr;
    {
        PricingContextScope scope(*order);
        EXPECT_EQ(qx::Setup().PriceCurrencies, &order->Currencies);
        EXPECT_EQ(qx::Setup().PriceCurrency, 5);
    }
    EXPECT_EQ(qx::Setup().PriceCurrencies, nullptr);
    EXPECT_EQ(qx::Setup().PriceCurrency, 0);

    qx::Setup().PriceCurrencies = &order->Currencies;  // as an active order window leaves it
    order.reset();
    EXPECT_EQ(qx::Setup().PriceCurrencies, nullptr);
}

}  // namespace
}  // namespace qx
