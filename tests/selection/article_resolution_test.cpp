// article_resolution_test.cpp — article filters, the articles chosen for an element, composite elements.
#include <gtest/gtest.h>

#include "common/error.h"
#include "selection/article_resolution.h"

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
    ::testing::Values(
        FirstClauseCase{only(&TElementFlags::HasFalzSize), "FalzSize = 20 and ID='E-1' "},
        FirstClauseCase{only(&TElementFlags::HasFalzPos), "FalzPos = 9 and ID='E-1' "},
        FirstClauseCase{only(&TElementFlags::CheckWeight), "WeightMin <= 0.00 and  WeightMax >= 0.00 and ID='E-1' "},
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

}  // namespace
}  // namespace qx
