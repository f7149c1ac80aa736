// kit_resolution_test.cpp — set rules of kits: their conditions and bounds, messages, quantities and lengths.
#include <gtest/gtest.h>

#include "common/error.h"
#include "selection/kit_resolution.h"
#include "selection/selection_fixture.h"

namespace qx {
namespace {

struct ScaleCase {
    int ScaleCondition;
    int Start, Step, Num, Number;
    const char* Scheme;
    long double Value;
    int Expected;
};

class QuantityScaling : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(QuantityScaling, CountsFollowTheStepsAndThresholds) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(ScaledQuantity(c.ScaleCondition, c.Value, QString::fromUtf8(c.Scheme), c.Step, c.Start, c.Num, c.Number,
                             "K", "E"),
              c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scaling, QuantityScaling,
    ::testing::Values(
        // Steps from a start value: below the start the base number, then one more per step begun.
        ScaleCase{2, 400, 300, 1, 1, "", 399, 1}, ScaleCase{2, 400, 300, 1, 1, "", 400, 2},
        ScaleCase{2, 400, 300, 1, 1, "", 699, 2}, ScaleCase{2, 400, 300, 1, 1, "", 700, 3},
        ScaleCase{1, 400, 300, 2, 1, "", 700, 6},
        // A side length's distance from the start is rounded half up before it is divided.
        ScaleCase{3, 400, 300, 1, 1, "", 699.5L, 3}, ScaleCase{4, 400, 300, 1, 1, "", 699.4L, 2},
        // Thresholds: each one reached adds ScaleNum; -1 and parts that are not numbers do not count.
        ScaleCase{1, 0, 0, 1, 2, "800;1200;1600", 1300, 4}, ScaleCase{1, 0, 0, 1, 2, "800;1200;1600", 799, 2},
        ScaleCase{1, 0, 0, 1, 2, "800;1200;1600", 1600, 5}, ScaleCase{2, 0, 0, 3, 0, "-1;-5;x;;10", 0, 3},
        ScaleCase{3, 0, 0, 1, 0, "100; 200", 200.5L, 2},
        // Without scaling the base number stands.
        ScaleCase{0, 400, 0, 1, 7, "", 5000, 7}, ScaleCase{5, 400, 300, 1, 7, "", 5000, 7}));

TEST(QuantityScaling, ZeroStepIsAnErrorOnlyWithoutThresholds) {
    try {
        ScaledQuantity(2, 100, QString(), 0, 400, 1, 1, "Комплект А", "Средний запор");
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.Message,
                  "В БД наборов фурнитуры в комплекте [Комплект А]\r\nсодержится элемент фурнитуры [Средний "
                  "запор],\r\nимеющий масштабирование и шаг равный нулю!");
    }
    EXPECT_EQ(ScaledQuantity(2, 100, "50", 0, 400, 1, 1, "K", "E"), 2);
    EXPECT_EQ(ScaledQuantity(0, 100, QString(), 0, 400, 1, 1, "K", "E"), 1);
}

// --- Conditions of a rule, on the sash shapes they concern ---

enum class Shape { Rectangle, SemicircleArch, SegmentArch, EllipticTop, LeftOfPair };

// Rectangle 800 × 1400 (FFB 80, FFH 140; sides 1 left 1400, 2 top 800, 3 right 1400, 4 bottom 800).
// Arches 1000 × 1500 with the top side (2) a semicircle of R 500 or a segment of R 1300; a top side
// with two radii is elliptic. The pair is 600 + 800 × 1400, left sash active, mullion type 1.
TqxfFlugel& sashOf(SelectionFixture& f, Shape shape) {
    switch (shape) {
        case Shape::Rectangle:
            return f.Window(800, 1400);
        case Shape::SemicircleArch:
            return f.Window(1000, 1500, 7, 500, 500, 500);
        case Shape::SegmentArch:
            return f.Window(1000, 1500, 7, 100, 1300, 1300);
        case Shape::EllipticTop:
            return f.Window(1000, 1500, 0, 0, 600, 700);
        case Shape::LeftOfPair: {
            TqxfConstruction& c = f.TwoSashes(600, 800, 1400);
            SelectionFixture::Kit(*c.Flugel2);  // the partner has a kit record
            return *c.Flugel1;
        }
    }
    return f.Window(800, 1400);
}

struct ConditionCase {
    Shape On;
    const char* Rule;  // assignments to the rule's columns
    bool Fitted;
};

class RuleConditions : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(RuleConditions, FitTheElementOnlyWhenAllHold) {
    const ConditionCase& c = GetParam();
    SelectionFixture f(QString::fromUtf8(kOneElement) + QStringLiteral("UPDATE FrnSet SET ") +
                       QString::fromUtf8(c.Rule) + QStringLiteral(";"));
    const TqxfFurnComp& kit = f.Select(sashOf(f, c.On));
    EXPECT_EQ(SelectionFixture::Items(kit), c.Fitted ? QStringList{"A-1 x1"} : QStringList{}) << c.Rule;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, RuleConditions,
    ::testing::Values(
        ConditionCase{Shape::Rectangle, "Condition = 0, ScaleCondition = 0, StulpType = 0", true},
        // Sash sizes in tenths of a millimetre, bounds inclusive, a maximum of 0 unbounded.
        ConditionCase{Shape::Rectangle, "FFBMin = 80, FFBMax = 80", true},
        ConditionCase{Shape::Rectangle, "FFBMin = 80, FFBMax = 79", false},
        ConditionCase{Shape::Rectangle, "FFBMin = 81", false},
        ConditionCase{Shape::Rectangle, "FFBMin = 80, FFBMax = 0", true},
        ConditionCase{Shape::Rectangle, "FFHMin = 140, FFHMax = 140", true},
        ConditionCase{Shape::Rectangle, "FFHMax = 139", false}, ConditionCase{Shape::Rectangle, "FFHMin = 141", false},
        ConditionCase{Shape::LeftOfPair, "FFBMin = 60, FFBMax = 60", true},
        // Side lengths in millimetres.
        ConditionCase{Shape::Rectangle, "FFL1No = 2, FFL1Min = 800, FFL1Max = 800", true},
        ConditionCase{Shape::Rectangle, "FFL1No = 2, FFL1Max = 799", false},
        ConditionCase{Shape::Rectangle, "FFL1No = 1, FFL1Min = 1401", false},
        ConditionCase{Shape::Rectangle, "FFL2No = 3, FFL2Min = 1400", true},
        ConditionCase{Shape::Rectangle, "FFL2No = 4, FFL2Max = 799", false},
        // Radii and arc kinds: bit 1 any shape, 2 semicircle, 3 segment, 4 elliptic arc.
        ConditionCase{Shape::Rectangle, "FFR1No = 0, FFR1Type = 1", true},
        ConditionCase{Shape::Rectangle, "FFR1No = 2, FFR1Type = 2", false},
        ConditionCase{Shape::Rectangle, "FFR1No = 2, FFR1Max = 1", true},
        ConditionCase{Shape::SemicircleArch, "FFR1No = 2, FFR1Min = 500, FFR1Max = 500, FFR1Type = 2", true},
        ConditionCase{Shape::SemicircleArch, "FFR1No = 2, FFR1Min = 501", false},
        ConditionCase{Shape::SemicircleArch, "FFR1No = 2, FFR1Max = 499", false},
        ConditionCase{Shape::SemicircleArch, "FFR1No = 2, FFR1Type = 4", false},
        ConditionCase{Shape::SemicircleArch, "FFR1No = 2, FFR1Type = 14", true},
        ConditionCase{Shape::SemicircleArch, "FFR2No = 2, FFR2Type = 2", true},
        ConditionCase{Shape::SemicircleArch, "FFR2No = 1, FFR2Type = 2", false},
        ConditionCase{Shape::SegmentArch, "FFR1No = 2, FFR1Type = 4", true},
        ConditionCase{Shape::SegmentArch, "FFR1No = 2, FFR1Type = 2", false},
        ConditionCase{Shape::SegmentArch, "FFR2No = 2, FFR2Min = 1300, FFR2Max = 1300, FFR2Type = 5", true},
        ConditionCase{Shape::EllipticTop, "FFR1No = 2, FFR1Type = 8", true},
        ConditionCase{Shape::EllipticTop, "FFR1No = 2, FFR1Type = 6", false},
        // Corner angles, degrees.
        ConditionCase{Shape::Rectangle, "FFANo = 1, FFAMin = 90, FFAMax = 90", true},
        ConditionCase{Shape::Rectangle, "FFANo = 3, FFAMin = 90.01", false},
        ConditionCase{Shape::Rectangle, "FFANo = 4, FFAMax = 89.99", false},
        // Mullion bits: 1 every type, bit t + 1 type t (a single sash is type 6).
        ConditionCase{Shape::Rectangle, "StulpType = 1", true}, ConditionCase{Shape::Rectangle, "StulpType = 2", false},
        ConditionCase{Shape::Rectangle, "StulpType = 64", true},
        ConditionCase{Shape::Rectangle, "StulpType = 32", false},
        ConditionCase{Shape::LeftOfPair, "StulpType = 2", true},
        ConditionCase{Shape::LeftOfPair, "StulpType = 4", false},
        // The partner's sides (the right sash: 1 left 1400, 2 top 800).
        ConditionCase{Shape::LeftOfPair, "FFL21No = 2, FFL21Min = 800, FFL21Max = 800", true},
        ConditionCase{Shape::LeftOfPair, "FFL21No = 2, FFL21Max = 799", false},
        ConditionCase{Shape::LeftOfPair, "FFL22No = 1, FFL22Min = 1401", false},
        ConditionCase{Shape::LeftOfPair, "FFL22No = 1, FFL22Max = 1400", true}));

// --- Catalog faults: each ends the selection with its message ---

struct FaultCase {
    Shape On;
    const char* Rule;
    const char* Message;
};

class RuleFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RuleFaults, EndTheSelectionWithTheirMessage) {
    const FaultCase& c = GetParam();
    SelectionFixture f(QString::fromUtf8(kOneElement) + QStringLiteral("UPDATE FrnSet SET ") +
                       QString::fromUtf8(c.Rule) + QStringLiteral(";"));
    TqxfFlugel& sash = sashOf(f, c.On);
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }), QString::fromUtf8(c.Message)) << c.Rule;
}

#define RULE_HEAD \
    "В БД наборов фурнитуры в комплекте [Основной комплект]\r\nсодержится элемент фурнитуры [Элемент 1],\r\n"

INSTANTIATE_TEST_SUITE_P(
    Messages, RuleFaults,
    ::testing::Values(
        FaultCase{Shape::Rectangle, "Item = ''",
                  "В БД наборов фурнитуры в комплекте\r\n[Основной комплект] содержится пустой элемент!"},
        FaultCase{Shape::Rectangle, "UseIfArt = 'A-9'",
                  RULE_HEAD "для которого определена ссылка на артикул смежной штульповой створки.\r\nКомплект для "
                            "смежной створки еще не определен. Установите сначала комплект на соседнюю створку!"},
        FaultCase{Shape::Rectangle, "FFL1Min = 500, FFL1No = 0",
                  RULE_HEAD "для которого определены условия установки, зависящие от\r\nдлины стороны, на которую он "
                            "устанавливается.\r\nНомер 1-ой расчетной стороны в условиях определен неверно!"},
        FaultCase{Shape::Rectangle, "FFL2Max = 500, FFL2No = 5",
                  RULE_HEAD "для которого определены условия установки, зависящие от\r\nдлины стороны, на которую он "
                            "устанавливается.\r\nНомер 2-ой расчетной стороны в условиях определен неверно!"},
        FaultCase{Shape::Rectangle, "FFR1Min = 1, FFR1No = 9",
                  RULE_HEAD "для которого определены условия установки, зависящие от\r\nрадиуса стороны, на которую "
                            "он устанавливается.\r\nНомер 1-ой расчетной стороны в условиях определен неверно!"},
        FaultCase{Shape::Rectangle, "FFR2Type = 2, FFR2No = 0",
                  RULE_HEAD "для которого определены условия установки, зависящие от\r\nрадиуса стороны, на которую "
                            "он устанавливается.\r\nНомер 2-ой расчетной стороны в условиях определен неверно!"},
        FaultCase{Shape::Rectangle, "FFAMin = 1, FFANo = 5",
                  RULE_HEAD "для которого определены условия установки, зависящие от\r\nпараметров угла, на который "
                            "он устанавливается.\r\nНомер расчетного угла в условиях определен неверно!"},
        FaultCase{Shape::Rectangle, "FFL21Min = 1, FFL21No = 1",
                  RULE_HEAD "для которого определены условия установки, зависящие от\r\nдлины стороны смежной "
                            "створки.\r\nСмежная створка не установлена. Установите сначала створку."},
        FaultCase{Shape::LeftOfPair, "FFL22Max = 1, FFL22No = 5",
                  RULE_HEAD "для которого определены условия установки, зависящие от\r\nдлины стороны смежной "
                            "створки.\r\nНомер стороны смежной створки в условиях определен неверно!"},
        FaultCase{Shape::Rectangle, "Condition = 4, Side1No = 0",
                  RULE_HEAD "который использует принцип расчета, зависящий от\r\nпараметров стороны, на которую он "
                            "устанавливается.\r\nНомер 1-ой расчетной стороны определен неверно!"},
        FaultCase{Shape::Rectangle, "ScaleCondition = 3, ScaleStep = 100, Side1No = 5",
                  RULE_HEAD "который использует принцип расчета, зависящий от\r\nпараметров стороны, на которую он "
                            "устанавливается.\r\nНомер 1-ой расчетной стороны определен неверно!"},
        FaultCase{Shape::Rectangle, "Condition = 9, Side2No = 5",
                  RULE_HEAD "который использует принцип расчета, зависящий от\r\nпараметров стороны, на которую он "
                            "устанавливается.\r\nНомер 2-ой расчетной стороны определен неверно!"},
        FaultCase{Shape::Rectangle, "ScaleCondition = 4, ScaleStep = 100, Side2No = 0",
                  RULE_HEAD "который использует принцип расчета, зависящий от\r\nпараметров стороны, на которую он "
                            "устанавливается.\r\nНомер 2-ой расчетной стороны определен неверно!"},
        FaultCase{Shape::Rectangle, "Condition = 7, AngleNo = 0",
                  RULE_HEAD "который использует принцип расчета, зависящий от\r\nугла, на котором он "
                            "устанавливается.\r\nНомер расчетного угла определен неверно!"},
        FaultCase{Shape::Rectangle, "ScaleCondition = 1, ScaleStep = 0",
                  RULE_HEAD "имеющий масштабирование и шаг равный нулю!"},
        FaultCase{Shape::Rectangle, "UseLen = 1, LenFormula = 'FFB - 790.25', MinLen = 50",
                  RULE_HEAD "имеющий недопустимое расчетное значение длины 9,8 (Мин. допустимая длина = 50)!\r\n(Одна "
                            "из возможных причин - установлена недопустимая высота ручки при расчете тяги)"}));

TEST(KitResolution, AKitWithoutRulesGivesNoItemsAndNoError) {
    SelectionFixture f;
    TqxfFlugel& sash = f.Window(800, 1400);
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }), QString());
    EXPECT_TRUE(sash.FurnComp->Items.empty());
}

TEST(KitResolution, ConditionsThatDoNotHoldLeaveUnnumberedSidesUnexamined) {
    // With both length bounds 0 a wrong side number is never looked at.
    SelectionFixture f(QString::fromUtf8(kOneElement) + "UPDATE FrnSet SET FFL1No = 0, FFL2No = 99, FFANo = 9;");
    EXPECT_EQ(SelectionFixture::Items(f.Select(f.Window(800, 1400))), QStringList{"A-1 x1"});
}

TEST(KitResolution, TShapedSashRefusesKitsNotMadeForIt) {
    SelectionFixture f(QString::fromUtf8(kOneElement) + R"(
        INSERT INTO FrnComp (ID, Name, Direct, TFlugelAvailable) VALUES ('H1', 'Ручка', 1, 0);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    f.Position->OpenType = 402;
    SelectionFixture::Kit(sash).HandleID = QStringLiteral("H1");
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }),
              "Не допускается установка комплекта [H1] на T-образную створку!");
    // The main kit admits T-shaped sashes; on an ordinary sash the handle kit is no fault.
    f.Position->OpenType = 400;
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"A-1 x1"});
}

TEST(KitResolution, MissingKitIsNamed) {
    SelectionFixture f;
    TqxfFlugel& sash = f.Window(800, 1400);
    SelectionFixture::Kit(sash).DopComplects = QStringList{"", "NOPE"};
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }),
              "Комплект фурнитуры [NOPE] не найден в документации!");
}

// Quantities scale by the context's FFB / FFH (tenths of a millimetre) or by side lengths (mm).
TEST(KitResolution, QuantitiesScaleBySashSizesAndSideLengths) {
    SelectionFixture f(R"(
        INSERT INTO FrnItem (ID, Name) VALUES ('EW', 'По ширине'), ('EH', 'По высоте'), ('EL', 'По стороне');
        INSERT INTO FrnArt (ID, CatalogID) VALUES ('EW', 'W'), ('EH', 'H'), ('EL', 'L');
        INSERT INTO FrnSet (ID, Item, Number, ScaleCondition, ScaleStart, ScaleStep, ScaleNum)
            VALUES ('K1', 'EW', 1, 1, 40, 30, 1), ('K1', 'EH', 1, 2, 40, 30, 1);
        INSERT INTO FrnSet (ID, Item, Number, ScaleCondition, ScaleScheme, ScaleNum, Side1No)
            VALUES ('K1', 'EL', 0, 3, '500;700;1000', 2, 2);)");
    // 800 × 1400: FFB 80 → q 1 → 3; FFH 140 → q 3 → 5; side 2 is 800 mm: two thresholds → 4.
    EXPECT_EQ(SelectionFixture::Items(f.Select(f.Window(800, 1400))), (QStringList{"H x5", "L x4", "W x3"}));
}

TEST(KitResolution, PartnerDependentElementsFollowThePartnersArticles) {
    SelectionFixture f(QString::fromUtf8(kOneElement) + "UPDATE FrnSet SET UseIfArt = 'ACT-1';");
    TqxfConstruction& c = f.TwoSashes(600, 800, 1400);
    // The passive sash (right) depends on the active one's articles.
    EXPECT_NE(SelectionFixture::ErrorOf([&] { f.Select(*c.Flugel2); }), QString());
    TqxfFurnComp& active = SelectionFixture::Kit(*c.Flugel1);
    active.AddItem("OTHER", "K1", "", false, 0, "", 1, 0);
    EXPECT_EQ(SelectionFixture::Items(f.Select(*c.Flugel2)), QStringList{});
    active.AddItem("ACT-1", "K1", "", false, 0, "", 1, 0);
    EXPECT_EQ(SelectionFixture::Items(f.Select(*c.Flugel2)), QStringList{"A-1 x1"});
}

// Kit slots take the property lines of their own digit; additional kits those of the main kit.
TEST(KitResolution, PropertyLinesApplyToTheirSlot) {
    SelectionFixture f(R"(
        INSERT INTO FrnComp (ID, Name, Direct) VALUES ('H1', 'Ручка', 1), ('D1', 'Доп', 1);
        INSERT INTO FrnProp (PropKey, ID) VALUES (7, 101);
        INSERT INTO FrnItem (ID, Name) VALUES ('E1', 'Элемент 1');
        INSERT INTO FrnArt (ID, CatalogID) VALUES ('E1', 'A-1');
        INSERT INTO FrnSet (ID, Item, Number, PropKey) VALUES ('H1', 'E1', 1, 7), ('D1', 'E1', 10, 7);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    TqxfFurnComp& kit = SelectionFixture::Kit(sash);
    kit.HandleID = QStringLiteral("H1");
    kit.DopComplects = QStringList{"D1"};
    kit.Props = QStringList{"0=102", "1=101"};  // slot 1 admits 101; slot 0 chose 102
    EXPECT_EQ(SelectionFixture::ItemDetails(f.Select(sash)), QStringList{"A-1 x1 kit=H1 side=0 len=0 note= origin="});
    kit.Props = QStringList{"0=101", "1=103"};
    EXPECT_EQ(SelectionFixture::ItemDetails(f.Select(sash)), QStringList{"A-1 x10 kit=D1 side=0 len=0 note= origin="});
}

// Elements take the outer, inner, opening-dependent or hardware colour.
TEST(KitResolution, ElementsTakeTheColourTheirRuleNames) {
    SelectionFixture f(R"(
        INSERT INTO FrnItem (ID, Name, HasColor) VALUES ('EC', 'Цветной', 1);
        INSERT INTO FrnArt (ID, CatalogID, Color) VALUES ('EC', 'C-OUT', 'OUT'), ('EC', 'C-IN', 'IN'), ('EC', 'C-HW', 'HW');
        INSERT INTO FrnSet (ID, Item, Number, ColorCondition) VALUES ('K1', 'EC', 1, 1), ('K1', 'EC', 10, 2),
            ('K1', 'EC', 100, 3), ('K1', 'EC', 1000, 0);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), (QStringList{"C-HW x1000", "C-IN x110", "C-OUT x1"}));
    f.Position->OpenType = 401;  // opening type 1 takes the outer colour
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), (QStringList{"C-HW x1000", "C-IN x10", "C-OUT x101"}));
}

TEST(KitResolution, LengthFormulasGiveTheItemLength) {
    SelectionFixture f(QString::fromUtf8(kOneElement) +
                       "UPDATE FrnSet SET UseLen = 1, LenFormula = 'FFB - 100', MinLen = 700, Note = 'тяга';");
    EXPECT_EQ(SelectionFixture::ItemDetails(f.Select(f.Window(800, 1400))),
              QStringList{"A-1 x1 kit=K1 side=0 len=700 note=тяга origin="});
}

// A virtual element has no article of its own; its parts are still fitted.
TEST(KitResolution, VirtualElementsExpandIntoTheirParts) {
    SelectionFixture f(R"(
        INSERT INTO FrnSet (ID, Item, Number, ItemSideNo) VALUES ('K1', 'V', 2, 3);
        INSERT INTO FrnItem (ID, Name, Virtual) VALUES ('V', 'Набор', 1), ('P', 'Часть', 0);
        INSERT INTO FrnArt (ID, CatalogID) VALUES ('V', 'V-ART'), ('P', 'P-ART');
        INSERT INTO FrnItoI (ID, Item, Number) VALUES ('V', 'P', 3);)");
    EXPECT_EQ(SelectionFixture::ItemDetails(f.Select(f.Window(800, 1400))),
              QStringList{"P-ART x6 kit=K1 side=3 len=0 note= origin="});
}

// Handle heights that articles define move the handle of the sash's handle side; a user height on
// the main kit keeps it, but the handle kit still moves it.
TEST(KitResolution, ArticlesPlaceTheHandleUnlessTheUserGaveItsHeight) {
    SelectionFixture f(R"(
        INSERT INTO FrnComp (ID, Name, Direct) VALUES ('H1', 'Ручка', 1);
        INSERT INTO FrnSide (ID, Side, HandleDirect) VALUES ('K1', 3, 1), ('H1', 3, 0);
        INSERT INTO FrnItem (ID, Name) VALUES ('G', 'Привод'), ('R', 'Ручка');
        INSERT INTO FrnArt (ID, CatalogID, HandleHeight) VALUES ('G', 'G-1', 1050), ('R', 'R-1', 900);
        INSERT INTO FrnSet (ID, Item, Number, DefineHandleHeight, HandleSideNo) VALUES ('K1', 'G', 1, 1, 0);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    sash.Line(2).Handled = true;
    TqxfFurnComp& kit = SelectionFixture::Kit(sash);
    f.Select(sash);
    EXPECT_EQ(sash.Line(2).HandleHeight, 1050);  // the handled side, found without a HandleSideNo

    sash.Line(2).SetHandle(700, 0);
    kit.UserHandleHeight = true;
    f.Select(sash);
    EXPECT_EQ(sash.Line(2).HandleHeight, 700);

    f.Exec("INSERT INTO FrnSet (ID, Item, Number, DefineHandleHeight, HandleSideNo) VALUES ('H1', 'R', 1, 1, 3);");
    kit.HandleID = QStringLiteral("H1");
    f.Select(sash);
    EXPECT_EQ(sash.Line(2).HandleHeight, 900);
}

}  // namespace
}  // namespace qx
