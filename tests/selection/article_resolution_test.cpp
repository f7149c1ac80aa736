// article_resolution_test.cpp — article filters, the articles chosen for an element, composite elements.
#include <gtest/gtest.h>

#include "common/error.h"
#include "selection/article_resolution.h"
#include "selection/selection_fixture.h"

namespace qx {
namespace {

TArticleRequest sampleRequest() {
    TArticleRequest r;
    r.Element = QStringLiteral("E-1");
    r.OwnerName = QStringLiteral("Комплект 1");
    r.KeeperSystem = QStringLiteral("KS");
    r.Direct = 1;
    r.StulpType = 6;
    r.ProfWidth = 100;
    r.Color = QStringLiteral("WHITE");
    r.Params.FalzLuft = 12;
    r.Params.FalzSize = 20;
    r.Params.FalzPos = 9;
    r.Params.DornMass = 15;
    r.Params.ProfThickness = 70;
    r.FFB = 80;
    r.FFH = 140;
    r.WidthMm = 800;
    r.HeightMm = 1400;
    r.L1 = 1234.5L;
    r.L2 = 333.4L;
    r.R1 = 500;
    r.R2 = 612;
    r.Angle = 45.125L;
    return r;
}

TEST(ArticleFilter, ExampleOfHeightRebateBacksetAndColour) {
    TArticleRequest r = sampleRequest();
    r.Condition = 2;
    TElementFlags flags;
    flags.HasFalzLuft = flags.HasDornMass = flags.HasColor = true;
    const TArticleFilter f = BuildArticleFilter(r, flags);
    EXPECT_EQ(f.Filter,
              "FFHMin <= 140 and FFHMax >= 140 and FalzLuft = 12 and DornMassMin <= 15.00 and DornMassMax >= 15.00 "
              "and ID='E-1' and Color = 'WHITE' ");
    EXPECT_EQ(f.ColorlessFilter,
              "FFHMin <= 140 and FFHMax >= 140 and FalzLuft = 12 and DornMassMin <= 15.00 and DornMassMax >= 15.00 "
              "and ID='E-1' and Color = '' ");
}

struct RangeCase {
    int Condition;
    const char* Expected;
};

class ArticleFilterRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ArticleFilterRange, OpensWithTheRangeOfTheComputationPrinciple) {
    TArticleRequest r = sampleRequest();
    r.Condition = GetParam().Condition;
    EXPECT_EQ(BuildArticleFilter(r, TElementFlags{}).Filter, QString::fromUtf8(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, ArticleFilterRange,
    ::testing::Values(
        RangeCase{0, "ID='E-1' "}, RangeCase{1, "FFBMin <= 80 and FFBMax >= 80 and ID='E-1' "},
        RangeCase{2, "FFHMin <= 140 and FFHMax >= 140 and ID='E-1' "},
        RangeCase{3, "FFBMin <= 80 and FFBMax >= 80 and FFHMin <= 140 and FFHMax >= 140 and ID='E-1' "},
        RangeCase{4, "FFL1Min <= 1235 and FFL1Max >= 1235 and ID='E-1' "},
        RangeCase{5, "FFL2Min <= 333 and FFL2Max >= 333 and ID='E-1' "},
        RangeCase{6, "FFL1Min <= 1235 and FFL1Max >= 1235 and FFL2Min <= 333 and FFL2Max >= 333 and ID='E-1' "},
        RangeCase{7, "FFAMin <= 45.13 and FFAMax >= 45.13 and ID='E-1' "},
        RangeCase{8, "FFR1Min <= 500 and FFR1Max >= 500 and ID='E-1' "},
        RangeCase{9, "FFR2Min <= 612 and FFR2Max >= 612 and ID='E-1' "},
        RangeCase{10, "FFR1Min <= 500 and FFR1Max >= 500 and FFR2Min <= 612 and FFR2Max >= 612 and ID='E-1' "},
        RangeCase{11, "ID='E-1' "}));

// Every attribute clause after another: the second forms, with the doubled blank of the weight clause
// and the leading blank of the thickness and profile-width clauses.
TEST(ArticleFilter, AttributeClausesFollowInTheirOrderWithTheirOddBlanks) {
    TArticleRequest r = sampleRequest();
    TElementFlags all;
    all.HasFalzLuft = all.HasFalzSize = all.HasFalzPos = all.CheckWeight = all.HasDornMass = true;
    all.CheckThickness = all.CheckProfWidth = all.HasProfSys = all.CheckStulpType = all.CheckDirect = true;
    EXPECT_EQ(BuildArticleFilter(r, all).Filter,
              "FalzLuft = 12 and FalzSize = 20 and FalzPos = 9 and WeightMin <= 0.00 and  WeightMax >= 0.00 and "
              "DornMassMin <= 15.00 and DornMassMax >= 15.00  and ThicknessMin <= 70 and ThicknessMax >= 70  and "
              "ProfWidthMin <= 100 and ProfWidthMax >= 100 and ProfSys = 'KS' and StulpType = 6 and (Direct = 3 or "
              "Direct = 1) and ID='E-1' ");
}

struct FirstClauseCase {
    TElementFlags Flags;
    const char* Expected;
};

class ArticleFilterFirstClause : public ::testing::TestWithParam<FirstClauseCase> {};

TEST_P(ArticleFilterFirstClause, TakesItsInitialFormWhenTheFilterIsEmpty) {
    TArticleRequest r = sampleRequest();
    EXPECT_EQ(BuildArticleFilter(r, GetParam().Flags).Filter, QString::fromUtf8(GetParam().Expected));
}

TElementFlags only(bool TElementFlags::*flag) {
    TElementFlags f;
    f.*flag = true;
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ArticleFilterFirstClause,
    ::testing::Values(FirstClauseCase{only(&TElementFlags::HasFalzSize), "FalzSize = 20 and ID='E-1' "},
                      FirstClauseCase{only(&TElementFlags::HasFalzPos), "FalzPos = 9 and ID='E-1' "},
                      FirstClauseCase{only(&TElementFlags::CheckWeight),
                                      "WeightMin <= 0.00 and  WeightMax >= 0.00 and ID='E-1' "},
                      FirstClauseCase{only(&TElementFlags::HasDornMass),
                                      "DornMassMin <= 15.00 and DornMassMax >= 15.00 and ID='E-1' "},
                      FirstClauseCase{only(&TElementFlags::CheckThickness),
                                      "ThicknessMin <= 70 and ThicknessMax >= 70 and ID='E-1' "},
                      FirstClauseCase{only(&TElementFlags::CheckProfWidth),
                                      "ProfWidthMin <= 100 and ProfWidthMax >= 100 and ID='E-1' "},
                      FirstClauseCase{only(&TElementFlags::HasProfSys), "ProfSys = 'KS' and ID='E-1' "},
                      FirstClauseCase{only(&TElementFlags::CheckStulpType), "StulpType = 6 and ID='E-1' "},
                      FirstClauseCase{only(&TElementFlags::CheckDirect), "(Direct = 3 or Direct = 1) and ID='E-1' "},
                      FirstClauseCase{only(&TElementFlags::HasColor), "ID='E-1' and Color = 'WHITE' "}));

TEST(ArticleFilter, KeeperSystemMissingNamesTheOwner) {
    TArticleRequest r = sampleRequest();
    r.KeeperSystem.clear();
    r.OwnerName = QStringLiteral("Подбор ответных планок");
    try {
        BuildArticleFilter(r, only(&TElementFlags::HasProfSys));
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.Message, "Для комплекта фурнитуры [Подбор ответных планок]\r\nне указана система ответных планок!");
    }
    // Without the flag the empty keeper system does not matter.
    EXPECT_EQ(BuildArticleFilter(r, TElementFlags{}).Filter, "ID='E-1' ");
}

// --- Articles chosen in a catalog ---

// One rule of K1 (required unless `rule` says otherwise) for element E "Привод" with the given flags.
QString ruleFor(const char* itemFlags, const char* rule = "Required = 1") {
    QString sql = QStringLiteral(
                      "INSERT INTO FrnItem (ID, Name) VALUES ('E', 'Привод');"
                      "INSERT INTO FrnSet (ID, Item, Number) VALUES ('K1', 'E', 1); UPDATE FrnSet SET %1;")
                      .arg(QString::fromUtf8(rule));
    if (itemFlags[0]) sql += QStringLiteral("UPDATE FrnItem SET %1;").arg(QString::fromUtf8(itemFlags));
    return sql;
}

TEST(ArticleResolution, ElementWithoutArticlesIsLeftOutSilentlyEvenWhenRequired) {
    SelectionFixture f(ruleFor(""));
    TqxfFlugel& sash = f.Window(800, 1400);
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }), QString());
    EXPECT_TRUE(sash.FurnComp->Items.empty());
    EXPECT_TRUE(f.Messages.Records.empty());
}

TEST(ArticleResolution, ArticlesOfAnElementMissingFromTheCatalogAreAnError) {
    SelectionFixture f(R"(INSERT INTO FrnSet (ID, Item, Number) VALUES ('K1', 'X', 1);
                          INSERT INTO FrnArt (ID, CatalogID) VALUES ('X', 'X-1');)");
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(f.Window(800, 1400)); }),
              "Элемент фурнитуры [X] не найден в документации!");
}

TEST(ArticleResolution, ColourlessArticlesServeWhenTheColourHasNone) {
    SelectionFixture f(ruleFor("HasColor = 1") + R"(
        INSERT INTO FrnArt (ID, CatalogID, Color) VALUES ('E', 'ANY', ''), ('E', 'BROWN', 'BR');)");
    TqxfFlugel& sash = f.Window(800, 1400);
    TqxfFurnComp& kit = SelectionFixture::Kit(sash);
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"ANY x1"});
    kit.Color = QStringLiteral("BR");
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"BROWN x1"});
}

TEST(ArticleResolution, RequiredElementWithoutAFittingArticleQuotesTheFilter) {
    SelectionFixture f(ruleFor("HasColor = 1", "Required = 1, Condition = 2") + R"(
        INSERT INTO FrnArt (ID, CatalogID, Color, FFHMin, FFHMax) VALUES ('E', 'BROWN', 'BR', 0, 999);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }),
              "В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры "
              "[Привод]!\r\n\r\nИскомый запрос:\r\nFFHMin <= 140 and FFHMax >= 140 and ID='E' and Color = 'HW' ");
    EXPECT_TRUE(sash.FurnComp->Items.empty());
    // The rule's own alert text is the whole message.
    f.Exec("UPDATE FrnSet SET AlertIfNoArt = 'Нет привода для этого цвета';");
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }), "Нет привода для этого цвета");
    // Not required: left out.
    f.Exec("UPDATE FrnSet SET Required = 0;");
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{});
}

TEST(ArticleResolution, EmptyArticleCodeIsAnError) {
    SelectionFixture f(ruleFor("") + "INSERT INTO FrnArt (ID, CatalogID) VALUES ('E', '');");
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(f.Window(800, 1400)); }),
              "В БД артикулов фурнитуры найден пустой\r\nартикул для элемента фурнитуры [Привод]!");
}

TEST(ArticleResolution, HandAdmitsItsOwnAndSymmetricArticles) {
    SelectionFixture f(ruleFor("CheckDirect = 1") +
                       "INSERT INTO FrnArt (ID, CatalogID, Direct) VALUES ('E', 'LEFT', 1), ('E', 'RIGHT', 2);");
    TqxfFlugel& sash = f.Window(800, 1400);
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"LEFT x1"});  // K1 has hand 1
    f.Exec("UPDATE FrnComp SET Direct = 2;");
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"RIGHT x1"});
    f.Exec("UPDATE FrnArt SET Direct = 3 WHERE CatalogID = 'LEFT'; UPDATE FrnComp SET Direct = 1;");
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"LEFT x1"});
}

TEST(ArticleResolution, ArticlesAreChosenByTheSashParameters) {
    SelectionFixture f(
        ruleFor("HasFalzLuft = 1, HasDornMass = 1, CheckThickness = 1, CheckStulpType = 1, HasProfSys = 1") + R"(
        INSERT INTO FrnArt (ID, CatalogID, FalzLuft, DornMassMin, DornMassMax, ThicknessMin, ThicknessMax, StulpType, ProfSys)
            VALUES ('E', 'GAP9', 9, 0, 99, 0, 99, 6, 'KS'), ('E', 'FITS', 12, 15, 15, 70, 70, 6, 'KS'),
                   ('E', 'BACKSET25', 12, 25, 25, 0, 99, 6, 'KS'), ('E', 'THICK80', 12, 0, 99, 80, 90, 6, 'KS'),
                   ('E', 'MULLION1', 12, 0, 99, 0, 99, 1, 'KS'), ('E', 'OTHERSYS', 12, 0, 99, 0, 99, 6, 'XX');)");
    EXPECT_EQ(SelectionFixture::Items(f.Select(f.Window(800, 1400))), QStringList{"FITS x1"});
}

TEST(ArticleResolution, SeveralFittingArticlesAreOfferedForChoice) {
    SelectionFixture f(ruleFor("") + R"(
        INSERT INTO FrnArt (ID, CatalogID) VALUES ('E', 'B-2'), ('E', 'A-1'), ('E', 'C-3');
        INSERT INTO Catalog (ID, Name) VALUES ('A-1', 'Привод короткий'), ('B-2', 'Привод длинный');)");
    TqxfFlugel& sash = f.Window(800, 1400);
    // Without an answer the row under the cursor is the first in article order.
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"A-1 x1"});
    ASSERT_EQ(f.Messages.Choices.size(), 1u);
    const ChoiceRequest& choice = f.Messages.Choices[0];
    EXPECT_EQ(choice.Caption, "Список артикулов");
    EXPECT_EQ(choice.Text, "В документации присутствует несколько альтернативных вариантов. Выберите нужный элемент.");
    EXPECT_EQ(choice.Columns.size(), 2);
    EXPECT_EQ(choice.Rows, (QList<QStringList>{{"A-1", "Привод короткий"}, {"B-2", "Привод длинный"}, {"C-3", ""}}));
    // The row the user leaves the cursor on is taken, also when the dialog is cancelled.
    f.Messages.ChoiceAnswers = {2};
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"C-3 x1"});
}

// The handle height an article defines; without one, the middle of the sash's size for the rule's
// principle.
TEST(ArticleResolution, ArticlesDefineTheHandleHeight) {
    SelectionFixture f(ruleFor("", "DefineHandleHeight = 1, Condition = 2, HandleSideNo = 3") + R"(
        INSERT INTO FrnArt (ID, CatalogID, FFHMin, FFHMax, HandleHeight) VALUES ('E', 'G-1', 100, 150, 0);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    sash.Line(2).Handled = true;
    f.Select(sash);
    EXPECT_EQ(sash.Line(2).HandleHeight, 700);
    f.Exec("UPDATE FrnArt SET HandleHeight = 1050;");
    f.Select(sash);
    EXPECT_EQ(sash.Line(2).HandleHeight, 1050);
    // On a side length (principle 4) the middle of that side.
    f.Exec(
        "UPDATE FrnArt SET HandleHeight = 0, FFL1Min = 0, FFL1Max = 9999;"
        "UPDATE FrnSet SET Condition = 4, Side1No = 2;");
    f.Select(sash);
    EXPECT_EQ(sash.Line(2).HandleHeight, 400);
}

// Parts of a composite element: on their own side or the element's, by properties and mullion type,
// counted per piece of the element; parts are not expanded further.
TEST(ArticleResolution, CompositeElementsFitTheirParts) {
    SelectionFixture f(R"(
        INSERT INTO FrnSet (ID, Item, Number, ItemSideNo, Note) VALUES ('K1', 'C', 2, 4, 'набор');
        INSERT INTO FrnItem (ID, Name) VALUES ('C', 'Комплект планок'), ('P1', 'Планка'), ('P2', 'Болт'),
            ('P3', 'Штульповая'), ('P4', 'Набор в наборе'), ('P5', 'Вложенная');
        INSERT INTO FrnArt (ID, CatalogID) VALUES ('C', 'C-ART'), ('P1', 'P1-ART'), ('P2', 'P2-ART'),
            ('P3', 'P3-ART'), ('P4', 'P4-ART'), ('P5', 'P5-ART');
        INSERT INTO FrnItoI (ID, Item, Number, ItemSideNo, StulpType, Note) VALUES
            ('C', 'P1', 1, 0, 0, 'часть'), ('C', 'P2', 3, 2, 0, ''), ('C', 'P3', 1, 0, 2, ''), ('C', 'P4', 1, 0, 0, '');
        INSERT INTO FrnItoI (ID, Item, Number) VALUES ('P4', 'P5', 1);)");
    EXPECT_EQ(SelectionFixture::ItemDetails(f.Select(f.Window(800, 1400))),
              (QStringList{
                  "C-ART x2 kit=K1 side=4 len=0 note=набор origin=", "P1-ART x2 kit=K1 side=4 len=0 note=часть origin=",
                  "P2-ART x6 kit=K1 side=2 len=0 note= origin=", "P4-ART x2 kit=K1 side=4 len=0 note= origin="}));
}

TEST(ArticleResolution, CompositeFaultsNameTheComposite) {
    SelectionFixture f(R"(
        INSERT INTO FrnSet (ID, Item, Number) VALUES ('K1', 'C', 1);
        INSERT INTO FrnItoI (ID, Item, Number) VALUES ('C', '', 1);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }), "Элемент фурнитуры [C] не найден в документации!");
    f.Exec("INSERT INTO FrnItem (ID, Name) VALUES ('C', 'Комплект планок');");
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }),
              "В составе составного элемента [Комплект планок] содержится пустой элемент!");
}

}  // namespace
}  // namespace qx
