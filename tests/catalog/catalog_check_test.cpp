// catalog_check_test.cpp — the catalog check finds, with kit and element named, each kind of fault
// that makes a selection fail or silently miss hardware; a sound catalog and the demo catalog check
// clean.
#include <gtest/gtest.h>

#include <QJsonObject>

#include "catalog/catalog_check.h"
#include "catalog/demo_catalog.h"
#include "support/catalog_fixture.h"

using namespace qx;

namespace {

// A small sound catalog: one window system with two colours, one main kit for a rectangle with a
// gear by height (two ranges) whose article needs a keeper, a coloured handle and a cut rail.
const char* const kSound = R"(
INSERT INTO COLORSET (Color, Name) VALUES ('WH', 'Белый'), ('BR', 'Коричневый');
INSERT INTO SysList (ID, "Group", Name, "Use", CommonGrp, BaseColor) VALUES ('110', 1, 'Окно', 1, 110, 'WH');
INSERT INTO SysColor (ID, System) VALUES ('WH', '110'), ('BR', '110');
INSERT INTO SysProf (SchlSysID, FurnSysID, Name) VALUES ('P58', '100', 'Планки 58');
INSERT INTO Currency (ID, Name, Value) VALUES (1, 'RUB', 1), (2, 'EUR', 98.5);
INSERT INTO PriceGrp (GroupID, Name, Reduce_1) VALUES (1, 'Базовая', 0);
INSERT INTO ParamList (ID, Name, FalzLuft, FalzSize, FalzPos, DornMass, StulpType, OpenType) VALUES
  (101, '12/20-9', 12, 20, 9, 0, 0, 0), (201, 'Д15', 0, 0, 0, 15, 0, 0),
  (301, 'Штульп', 0, 0, 0, 0, 1, 0), (401, 'Внутрь', 0, 0, 0, 0, 0, 0);
INSERT INTO SysProp (ID, GroupName, ValueName) VALUES (110, 'Микро', 'Нет'), (111, 'Микро', 'Да');
INSERT INTO FrnProp (PropKey, ID, "Default") VALUES (1, 110, 1), (1, 111, 0), (11, 111, 0);
INSERT INTO FrnComp (ID, "Group", SubGroup, Name, "Use", CommonGrp, Direct, PropKey) VALUES
  ('K', 10, 0, 'Комплект', 1, 110, 1, 1), ('H', 30, 0, 'Ручка', 1, 100, 3, 0);
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, Handled, Banded) VALUES
  ('K', 1, 400, 1200, 89, 91, 0, 1), ('K', 2, 400, 1000, 89, 91, 0, 0),
  ('K', 3, 400, 1200, 89, 91, 1, 0), ('K', 4, 400, 1000, 89, 91, 0, 0);
INSERT INTO FrnItem (ID, Name, HasDornMass, HasFalzLuft, HasProfSys, HasColor, CommonGrp) VALUES
  ('G', 'Запор', 1, 1, 0, 0, 0), ('R', 'Шина', 0, 0, 0, 0, 0), ('M', 'Микро', 0, 1, 0, 0, 0),
  ('S', 'Планка', 0, 0, 1, 0, 100), ('HW', 'Ручка оконная', 0, 0, 0, 1, 0);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft, DornMassMin, DornMassMax, FFHMin, FFHMax, ProfSys, Color) VALUES
  ('G', 'A-G1', 12, 15, 15, 40, 80, '', ''), ('G', 'A-G2', 12, 15, 15, 81, 120, '', ''),
  ('R', 'A-R', 0, 0, 0, 0, 0, '', ''), ('M', 'A-M', 12, 0, 0, 0, 0, '', ''),
  ('S', 'A-S', 0, 0, 0, 0, 0, 'P58', ''),
  ('HW', 'A-HW', 0, 0, 0, 0, 0, '', 'WH'), ('HW', 'A-H0', 0, 0, 0, 0, 0, '', '');
INSERT INTO FrnSet (ID, Item, PropKey, Number, Condition, DefineHandleHeight, HandleSideNo, Required, UseLen, LenFormula, MinLen) VALUES
  ('K', 'G', 0, 1, 2, 1, 3, 1, 0, '', 0),
  ('K', 'R', 0, 1, 0, 0, 0, 1, 1, 'FL(2) - 180', 200),
  ('K', 'M', 11, 1, 0, 0, 0, 1, 0, '', 0),
  ('H', 'HW', 0, 1, 0, 0, 0, 1, 0, '', 0);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('A-G1', 'S', 1, 0, 0, 0, ''), ('A-G2', 'S', 2, 0, 0, 0, '');
INSERT INTO Catalog (ID, Name, Unit, Price, PriceGrp, Currency) VALUES
  ('A-G1', 'Запор 800', 'шт', 8, 1, 2), ('A-G2', 'Запор 1200', 'шт', 10, 1, 2), ('A-R', 'Шина', 'м', 6, 1, 2),
  ('A-M', 'Микро', 'шт', 3, 1, 2), ('A-S', 'Планка', 'шт', 0.5, 0, 1),
  ('A-HW', 'Ручка белая', 'шт', 5, 1, 2), ('A-H0', 'Ручка', 'шт', 4, 1, 2);
)";

QString describe(const std::vector<TCatalogFinding>& findings) {
    QString text;
    for (const TCatalogFinding& f : findings)
        text += FindingText(f) + QLatin1Char('\n');
    return text;
}

struct BrokenCase {
    const char* name;
    const char* sql;  // run after the sound catalog
    TCheckSeverity severity;
    const char* table;
    const char* kit;
    const char* element;
    const char* article;
    const char* message;  // a part of the message
};

class CatalogCheckFinds : public ::testing::TestWithParam<BrokenCase> {};

}  // namespace

TEST(CatalogCheck, SoundCatalogChecksClean) {
    CatalogFixture catalog(QString::fromUtf8(kSound));
    const auto findings = CheckCatalog(catalog.dm());
    EXPECT_TRUE(findings.empty()) << describe(findings).toStdString();
}

TEST(CatalogCheck, DemoCatalogChecksClean) {
    CatalogFixture catalog(DemoCatalogSql());
    const auto findings = CheckCatalog(catalog.dm());
    EXPECT_TRUE(findings.empty()) << describe(findings).toStdString();
}

TEST_P(CatalogCheckFinds, TheFaultWithKitAndElementNamed) {
    const BrokenCase& c = GetParam();
    CatalogFixture catalog(QString::fromUtf8(kSound) + QString::fromUtf8(c.sql));
    const auto findings = CheckCatalog(catalog.dm());
    const auto match = std::find_if(findings.begin(), findings.end(), [&](const TCatalogFinding& f) {
        return f.Severity == c.severity && f.Table == QLatin1String(c.table) && f.Kit == QString::fromUtf8(c.kit) &&
               f.Element == QString::fromUtf8(c.element) && f.Article == QString::fromUtf8(c.article) &&
               f.Message.contains(QString::fromUtf8(c.message));
    });
    EXPECT_NE(match, findings.end()) << describe(findings).toStdString();
    // Only errors fail the check (exit status 1); a warning alone leaves it passing.
    EXPECT_EQ(ErrorCount(findings) > 0, c.severity == TCheckSeverity::Error);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CatalogCheckFinds,
    ::testing::Values(
        BrokenCase{"SideBeyondTheKit",
                   "INSERT INTO FrnSet (ID, Item, Number, FFL1No, FFL1Min, Required) VALUES ('K', 'R', 1, 5, 500, 1);",
                   TCheckSeverity::Error, "FrnSet", "K", "R", "", "FFL1No = 5 вне 1-4"},
        BrokenCase{"CornerBeyondATriangle",
                   "DELETE FROM FrnSide WHERE ID = 'K' AND Side = 4;"
                   "INSERT INTO FrnSet (ID, Item, Number, Condition, AngleNo, Required) VALUES ('K', 'R', 1, 7, 4, 0);",
                   TCheckSeverity::Error, "FrnSet", "K", "R", "", "AngleNo = 4 вне 1-3"},
        BrokenCase{
            "PartnerSideBeyondARectangle",
            "INSERT INTO FrnComp (ID, \"Group\", SubGroup, Name) VALUES ('P', 10, 22, 'Пассивный');"
            "INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle) VALUES ('P', 1, 1, 9999, 0, 360),"
            " ('P', 2, 1, 9999, 0, 360), ('P', 3, 1, 9999, 0, 360), ('P', 4, 1, 9999, 0, 360);"
            "INSERT INTO FrnSet (ID, Item, Number, FFL21No, FFL21Min) VALUES ('P', 'R', 1, 6, 300);",
            TCheckSeverity::Error, "FrnSet", "P", "R", "", "FFL21No = 6 вне 1-4"},
        BrokenCase{"PartnerConditionOnASingleSash",
                   "INSERT INTO FrnSet (ID, Item, Number, UseIfArt) VALUES ('K', 'R', 1, 'A-G1');",
                   TCheckSeverity::Error, "FrnSet", "K", "R", "", "условие по смежной створке"},
        BrokenCase{"ScalingWithoutAStep",
                   "INSERT INTO FrnSet (ID, Item, Number, ScaleCondition, ScaleNum) VALUES ('K', 'R', 1, 1, 1);",
                   TCheckSeverity::Error, "FrnSet", "K", "R", "", "ScaleStep = 0"},
        BrokenCase{"ElementWithoutArticles",
                   "INSERT INTO FrnItem (ID, Name) VALUES ('X', 'Пустой');"
                   "INSERT INTO FrnSet (ID, Item, Number, Required) VALUES ('K', 'X', 1, 1);",
                   TCheckSeverity::Error, "FrnSet", "K", "X", "", "нет ни одного артикула"},
        BrokenCase{"ElementMissingFromTheElements",
                   "INSERT INTO FrnSet (ID, Item, Number, Required) VALUES ('K', 'Y', 1, 1);", TCheckSeverity::Error,
                   "FrnSet", "K", "Y", "", "отсутствует в FrnItem"},
        BrokenCase{"RequiredArticlesForAnotherAirGap", "UPDATE FrnArt SET FalzLuft = 11 WHERE ID = 'M';",
                   TCheckSeverity::Error, "FrnSet", "K", "M", "", "фальц 11/0-0"},
        BrokenCase{"OptionalArticlesForAnotherAirGap",
                   "UPDATE FrnArt SET FalzLuft = 11 WHERE ID = 'M'; UPDATE FrnSet SET Required = 0 WHERE Item = 'M';",
                   TCheckSeverity::Warning, "FrnSet", "K", "M", "", "ни один артикул"},
        BrokenCase{"BacksetNotInTheList",
                   "INSERT INTO FrnArt (ID, CatalogID, FalzLuft, DornMassMin, DornMassMax, FFHMin, FFHMax) VALUES"
                   " ('G', 'A-G3', 12, 25, 25, 40, 120);"
                   "INSERT INTO Catalog (ID, Name, Price, PriceGrp, Currency) VALUES ('A-G3', 'Запор 25', 9, 1, 2);",
                   TCheckSeverity::Warning, "FrnArt", "", "G", "A-G3", "дорнмасс 25-25"},
        BrokenCase{"KeeperSystemNotInTheList", "UPDATE FrnArt SET ProfSys = 'P70' WHERE ID = 'S';",
                   TCheckSeverity::Error, "FrnSchl", "", "S", "", "[P70] отсутствует в SysProf"},
        BrokenCase{"GapInTheHeightRanges", "UPDATE FrnArt SET FFHMin = 85 WHERE CatalogID = 'A-G2';",
                   TCheckSeverity::Error, "FrnSet", "K", "G", "", "FFH 81-84"},
        BrokenCase{"SizesTheSideLimitsAdmitAndNoArticleCovers",
                   "UPDATE FrnArt SET FFHMin = 45 WHERE CatalogID = 'A-G1';", TCheckSeverity::Error, "FrnSet", "K", "G",
                   "", "FFH 40-44"},
        BrokenCase{"ColourWithoutFallback", "DELETE FROM FrnArt WHERE CatalogID = 'A-H0';", TCheckSeverity::Error,
                   "FrnSet", "H", "HW", "", "нет артикула цвета BR"},
        BrokenCase{"ArticleMissingFromTheCatalog", "DELETE FROM Catalog WHERE ID = 'A-M';", TCheckSeverity::Error,
                   "FrnArt", "", "M", "A-M", "отсутствует в каталоге"},
        BrokenCase{"AccessoryMissingFromTheCatalog",
                   "INSERT INTO FrnDop (CatalogID, AccessoryID, Number) VALUES ('A-G1', 'A-Z', 1);",
                   TCheckSeverity::Error, "FrnDop", "", "", "A-Z", "отсутствует в каталоге"},
        BrokenCase{"CurrencyWithoutRate", "UPDATE Currency SET Value = 0 WHERE ID = 2;", TCheckSeverity::Error,
                   "Catalog", "", "", "A-G1", "нет курса"},
        BrokenCase{"CurrencyMissing", "UPDATE Catalog SET Currency = 3 WHERE ID = 'A-R';", TCheckSeverity::Error,
                   "Catalog", "", "", "A-R", "(код 3) отсутствует"},
        BrokenCase{"PriceGroupMissing", "UPDATE Catalog SET PriceGrp = 4 WHERE ID = 'A-R';", TCheckSeverity::Error,
                   "Catalog", "", "", "A-R", "ценовая группа 4"},
        BrokenCase{"MainKitWithoutSideLimits", "DELETE FROM FrnSide WHERE ID = 'K';", TCheckSeverity::Error, "FrnComp",
                   "K", "", "", "нет ограничений сторон"},
        BrokenCase{"SideLimitsNoSashMeets", "UPDATE FrnSide SET Side = 5 WHERE ID = 'K' AND Side = 4;",
                   TCheckSeverity::Error, "FrnSide", "K", "", "", "сторона 5"},
        BrokenCase{"PropertyKeyWithoutProperties", "DELETE FROM FrnProp WHERE PropKey = 11;", TCheckSeverity::Error,
                   "FrnSet", "K", "M", "", "PropKey 11"},
        BrokenCase{"PropertyValueMissing", "DELETE FROM SysProp WHERE ID = 111;", TCheckSeverity::Error, "FrnProp", "",
                   "", "", "значение 111"},
        BrokenCase{"FormulaThatDoesNotParse", "UPDATE FrnSet SET LenFormula = 'FL(2) -' WHERE Item = 'R';",
                   TCheckSeverity::Error, "FrnSet", "K", "R", "", "не разбирается"},
        BrokenCase{"FormulaWithAnUnknownFunction", "UPDATE FrnSet SET LenFormula = 'FX(2) - 180' WHERE Item = 'R';",
                   TCheckSeverity::Error, "FrnSet", "K", "R", "", "Неизвестная функция [FX]"},
        BrokenCase{"FormulaHeightWithALatinH", "UPDATE FrnSet SET LenFormula = 'FFH - 180' WHERE Item = 'R';",
                   TCheckSeverity::Warning, "FrnSet", "K", "R", "", "переменная [FFH] неизвестна"},
        BrokenCase{"FormulaSideBeyondTheKit", "UPDATE FrnSet SET LenFormula = 'FL(7) - 180' WHERE Item = 'R';",
                   TCheckSeverity::Warning, "FrnSet", "K", "R", "", "FL(7)"}),
    [](const ::testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });

TEST(CatalogCheck, FindingsReadAsOneLineAndAsJson) {
    TCatalogFinding f;
    f.Table = QStringLiteral("FrnSet");
    f.Kit = QStringLiteral("K");
    f.KitName = QStringLiteral("Комплект");
    f.Element = QStringLiteral("G");
    f.ElementName = QStringLiteral("Запор");
    f.Message = QStringLiteral("нет артикула");
    EXPECT_EQ(FindingText(f),
              QStringLiteral("Ошибка [FrnSet] комплект [K] «Комплект», элемент [G] «Запор»: нет артикула"));
    f.Severity = TCheckSeverity::Warning;
    f.Kit.clear();
    f.Article = QStringLiteral("A-1");
    EXPECT_EQ(FindingText(f),
              QStringLiteral("Предупреждение [FrnSet] элемент [G] «Запор», артикул [A-1]: нет артикула"));
    const QJsonObject o = FindingJson(f);
    EXPECT_EQ(o[QStringLiteral("Severity")].toString(), QStringLiteral("warning"));
    EXPECT_EQ(o[QStringLiteral("Element")].toString(), QStringLiteral("G"));
    EXPECT_EQ(o[QStringLiteral("Article")].toString(), QStringLiteral("A-1"));
    EXPECT_EQ(o.size(), 8);
}
