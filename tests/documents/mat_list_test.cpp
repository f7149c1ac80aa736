// mat_list_test.cpp — material lines: their image, merging into order lists, copying and sorting.
#include <gtest/gtest.h>

#include "common/error.h"
#include "common/messages.h"
#include "construction/construction.h"
#include "documents/mat_list.h"
#include "documents/pricing.h"
#include "shell/setup.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

std::unique_ptr<TqxfMatListItem> Line(const QString& id, float number, Money price) {
    auto line = std::make_unique<TqxfMatListItem>();
    line->ID = id;
    line->Number = number;
    line->Price = line->ListPrice = price;
    line->Cost = RoundMoney(static_cast<long double>(number) * price.Units());
    return line;
}

QStringList IDs(const TqxfMatList& list) {
    QStringList out;
    for (const auto& line : list)
        out << line->ID;
    return out;
}

TEST(MatLineImage, SevenValuesInTheirOrder) {
    TqxfMatListItem line;
    line.ID = QStringLiteral("AB");
    line.Number = 0.6f;
    line.Price = Money::FromRaw(125000);
    line.Reserved1 = 1.5f;
    line.Reserved2 = Money::FromRaw(7);
    line.ListPrice = Money::FromRaw(125001);
    line.Cost = Money::FromRaw(75000);
    TSpecStream s;
    line.SaveToStream(s);
    ASSERT_EQ(s.Size(), 4 + 2 + 6 * 16);
    const QByteArray& d = s.Data();
    EXPECT_EQ(d.mid(0, 6), QByteArray("\x02\x00\x00\x00"
                                      "AB",
                                      6));
    // Number: code 5 with the single's exact binary64 value.
    EXPECT_EQ(static_cast<uint8_t>(d[6]), 5);
    double number = 0;
    memcpy(&number, d.constData() + 6 + 8, 8);
    EXPECT_EQ(number, static_cast<double>(0.6f));
    // Price: code 6, amount × 10 000.
    EXPECT_EQ(static_cast<uint8_t>(d[22]), 6);
    int64_t raw = 0;
    memcpy(&raw, d.constData() + 22 + 8, 8);
    EXPECT_EQ(raw, 125000);

    s.SetPosition(0);
    TqxfMatListItem back;
    back.LoadFromStream(s, QStringLiteral("01.01.2000"));  // no field depends on the stamp
    EXPECT_EQ(back.ID, line.ID);
    EXPECT_EQ(back.Number, 0.6f);
    EXPECT_EQ(back.Price, line.Price);
    EXPECT_EQ(back.Reserved1, 1.5f);
    EXPECT_EQ(back.Reserved2, line.Reserved2);
    EXPECT_EQ(back.ListPrice, line.ListPrice);
    EXPECT_EQ(back.Cost, line.Cost);
    EXPECT_EQ(s.Remaining(), 0);
}

TEST(MatListMerge, EqualCodesMergeWithTheMultiplierAndNewCodesAreCopied) {
    TqxfFlugel sash;
    sash.MatList.push_back(Line("A", 2, Money::FromInt(10)));
    sash.MatList.push_back(Line("B", 0.6f, Money::FromRaw(33333)));
    sash.MatList.push_back(Line("A", 1, Money::FromInt(10)));  // the same article twice in one sash

    TqxfMatList target;
    target.push_back(Line("A", 1, Money::FromInt(9)));  // the target keeps its own prices
    AddToMatList(sash, target, 3);

    ASSERT_EQ(IDs(target), (QStringList{"A", "B"}));
    EXPECT_EQ(target[0]->Number, 1.0f + 3 * 2 + 3 * 1);
    EXPECT_EQ(target[0]->ListPrice, Money::FromInt(9));
    EXPECT_EQ(target[0]->Cost, Money::FromInt(90));
    const TqxfMatListItem& b = *target[1];
    EXPECT_EQ(b.Number, static_cast<float>(0.6f * 3.0L));
    EXPECT_EQ(b.Price, Money::FromRaw(33333));
    EXPECT_EQ(b.Cost, RoundMoney(static_cast<long double>(b.Number) * 3.3333L));
    EXPECT_NE(&b, sash.MatList[1].get()) << "the sash's own lines are never shared";
    EXPECT_EQ(sash.MatList[1]->Number, 0.6f);
    EXPECT_EQ(sash.MatList[0]->Number, 2.0f);
}

TEST(MatListMerge, APositionOfThreeWithArticleAInBothSashesGivesTwelve) {
    TqxfConstruction pos;
    pos.FlugelMode = kTwoSashesLeftActive;
    pos.BuildGeometry(TSizeRec{1400, 1400, 2, 600, 800, 0, 0}, 0);
    pos.Quantity = 3;
    pos.Flugel1->MatList.push_back(Line("A", 2, Money::FromRaw(12345)));
    pos.Flugel2->MatList.push_back(Line("A", 2, Money::FromRaw(12345)));
    pos.Flugel2->MatList.push_back(Line("C", 1, Money::FromInt(1)));
    TqxfMatList list;
    pos.CollectMaterials(list);
    ASSERT_EQ(IDs(list), (QStringList{"A", "C"}));
    EXPECT_EQ(list[0]->Number, 12.0f);
    EXPECT_EQ(list[0]->Cost, Money::FromRaw(12 * 12345));
    EXPECT_EQ(list[1]->Number, 3.0f);
}

TEST(MatListFind, CodesCompareExactly) {
    TqxfMatList list;
    list.push_back(Line("ab", 1, Money{}));
    list.push_back(Line("AB", 2, Money{}));
    TqxfMatListItem probe;
    probe.ID = QStringLiteral("AB");
    EXPECT_EQ(FindMatLine(list, probe), list[1].get());
    probe.ID = QStringLiteral("AB ");
    EXPECT_EQ(FindMatLine(list, probe), nullptr);
}

TEST(MatListCopy, CopiesAllFieldsWithoutMessages) {
    RecordingMessageHandler recorder;
    ScopedMessageHandler scope(recorder);
    auto source = Line("Х-1", 1.25f, Money::FromRaw(99999));
    source->Reserved1 = 2;
    source->Reserved2 = Money::FromRaw(3);
    TqxfMatListItem target;
    CopyMatLine(target, *source);
    TSpecStream a, b;
    source->SaveToStream(a);
    target.SaveToStream(b);
    EXPECT_EQ(a.Data(), b.Data());
    EXPECT_TRUE(recorder.Records.empty());
}

TEST(MatListSort, ByCodeBytewiseInWindows1251) {
    TqxfMatList list;
    for (const char* id : {"я", "б", "A-2", "ё", "Б", "a", "A", "Ё", "Z", "A-10"})
        list.push_back(Line(id, 1, Money{}));
    SortMatListByID(list);
    // Latin before Cyrillic; Ё (A8) and ё (B8) before А…я (C0…FF); capitals before small letters.
    EXPECT_EQ(IDs(list), (QStringList{"A", "A-10", "A-2", "Z", "a", "Ё", "ё", "Б", "б", "я"}));
}

TEST(MatListSum, AddsTheCostsOfTheSash) {
    TqxfFlugel sash;
    EXPECT_EQ(MatListSum(sash), Money{});
    sash.MatList.push_back(Line("A", 3, Money::FromRaw(33333)));
    sash.MatList.push_back(Line("B", 0.6f, Money::FromInt(10)));
    EXPECT_EQ(MatListSum(sash), Money::FromRaw(99999 + 60000));  // 0.6000000238 m × 10 costs 6.0000
    EXPECT_EQ(sash.MatListSum(), MatListSum(sash));
}

// --- Lines priced from the catalog ---

// One currency of rate 1; R: 4 per metre, S: 2.5 per piece, T: 10 000 per metre; names sort
// Б (R, C1) < Я (T, DF) < а (S, E0) byte-wise in Windows-1251: every capital before small letters.
const char* const kLineCatalog = R"(
INSERT INTO Currency (ID, Name, Value) VALUES (1, 'RUB', 1);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES
  ('R', 'Бтяга', 4, 1, 0), ('S', 'ампетля', 2.5, 1, 0), ('T', 'Яштанга', 10000, 1, 0);
)";

class PricedLines : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadRates(rates);
        setup.PriceCurrencies = &rates;
        setup.PriceCurrency = 1;
        SetSetup(&setup);
        kit = &*(sash.FurnComp = std::make_unique<TqxfFurnComp>(&sash));
    }
    void TearDown() override { SetSetup(nullptr); }
    void Item(const QString& article, float length, int count) {
        auto item = std::make_unique<TqxfFurnItem>(kit);
        item->Assign(article, "K", QString(), length, QString(), count, 0);
        kit->Items.push_back(std::move(item));
    }
    CatalogFixture catalog{QString::fromUtf8(kLineCatalog)};
    TqxfCurrencyList rates;
    TqxfSetup setup;
    TqxfFlugel sash;
    TqxfFurnComp* kit = nullptr;
};

TEST_F(PricedLines, BuildMatListTurnsLengthsIntoMetresAndPricesEachItem) {
    Item("R", 1500, 2);  // 3 m
    Item("S", 0, 2);     // 2 pieces
    Item("R", 1000, 1);  // not merged with the first
    Item("T", 600, 1);   // 0.6 m held as a single: 0.6000000238
    sash.MatList.push_back(Line("old", 1, Money{}));
    BuildMatList(sash);
    ASSERT_EQ(IDs(sash.MatList), (QStringList{"R", "S", "R", "T"}));
    EXPECT_EQ(sash.MatList[0]->Number, 3.0f);
    EXPECT_EQ(sash.MatList[0]->Price, Money::FromInt(4));
    EXPECT_EQ(sash.MatList[0]->ListPrice, Money::FromInt(4));
    EXPECT_EQ(sash.MatList[0]->Cost, Money::FromInt(12));
    EXPECT_EQ(sash.MatList[1]->Number, 2.0f);
    EXPECT_EQ(sash.MatList[1]->Cost, Money::FromInt(5));
    EXPECT_EQ(sash.MatList[3]->Number, 0.6f);
    EXPECT_EQ(sash.MatList[3]->Cost, Money::FromRaw(60000002)) << "the single's rounding is part of the cost";
    EXPECT_EQ(MatListSum(sash), Money::FromRaw(120000 + 50000 + 40000 + 60000002));
}

TEST_F(PricedLines, APricingErrorEndsTheBuildKeepingTheLinesSoFar) {
    Item("R", 0, 1);
    Item("NOPE", 0, 1);
    Item("S", 0, 1);
    try {
        BuildMatList(sash);
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.Message,
                  QStringLiteral("В каталоге отсутствуют данные для [NOPE]!\r\n(Поиск [Наименование] через [Код])"));
    }
    EXPECT_EQ(IDs(sash.MatList), QStringList{"R"});
}

TEST_F(PricedLines, ASashWithoutKitHasNoLines) {
    sash.FurnComp.reset();
    sash.MatList.push_back(Line("R", 1, Money::FromInt(4)));
    BuildMatList(sash);
    EXPECT_TRUE(sash.MatList.empty());
}

TEST_F(PricedLines, RepriceTakesTheCurrentCatalogPrice) {
    TqxfMatList list;
    list.push_back(Line("R", 2.5f, Money::FromInt(1)));
    list.push_back(Line("S", 3, Money::FromInt(1)));
    RepriceMatList(list);
    EXPECT_EQ(list[0]->Price, Money::FromInt(4));
    EXPECT_EQ(list[0]->ListPrice, Money::FromInt(4));
    EXPECT_EQ(list[0]->Cost, Money::FromInt(10));
    EXPECT_EQ(list[1]->Cost, Money::FromRaw(75000));
}

TEST_F(PricedLines, SortByNameUsesCatalogNamesAndAMissingArticleLeavesTheListAsItWas) {
    TqxfMatList list;
    for (const char* id : {"T", "S", "R"})
        list.push_back(Line(id, 1, Money{}));
    SortMatListByName(list);
    EXPECT_EQ(IDs(list), (QStringList{"R", "T", "S"}));  // Бтяга, Яштанга, ампетля

    list.push_back(Line("NOPE", 1, Money{}));
    std::swap(list[0], list[2]);  // S, T, R, NOPE
    EXPECT_THROW(SortMatListByName(list), TqxfError);
    EXPECT_EQ(IDs(list), (QStringList{"S", "T", "R", "NOPE"}));
}

TEST_F(PricedLines, PositionPriceIsTheSumOfItsSashes) {
    TqxfConstruction pos;
    pos.FlugelMode = kTwoSashesLeftActive;
    pos.BuildGeometry(TSizeRec{1400, 1400, 2, 600, 800, 0, 0}, 0);
    for (TqxfFlugel* f : {pos.Flugel1.get(), pos.Flugel2.get()}) {
        auto& k = *(f->FurnComp = std::make_unique<TqxfFurnComp>(f));
        k.AddItem("S", "K", QString(), false, 0, QString(), 2, 0);
    }
    pos.Flugel2->FurnComp->AddItem("R", "K", QString(), false, 500, QString(), 1, 0);
    pos.Quantity = 3;
    pos.CalcPrice();
    EXPECT_EQ(pos.Price, Money::FromInt(5 + 5 + 2));
    EXPECT_EQ(pos.TotalPrice(), Money::FromInt(36));
}

}  // namespace
}  // namespace qx
