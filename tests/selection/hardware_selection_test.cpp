// hardware_selection_test.cpp — the whole selection of a sash: its preconditions, kits in order,
// the debug mode, and the tidy item list it leaves.
#include <gtest/gtest.h>

#include "selection/hardware_selection.h"
#include "selection/selection_fixture.h"

namespace qx {
namespace {

TEST(HardwareSelection, SashParametersMustBeKnownAndComplete) {
    SelectionFixture f(kOneElement);
    TqxfFlugel& sash = f.Window(800, 1400);
    SelectionFixture::Kit(sash);

    sash.Dorn = 201;  // a backset of 0
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }), "Не определена величина 'Дормасс'!");
    sash.Dorn = 299;  // an unknown code raises the lookup's message
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }),
              "В БД параметров дорнмасса отсутствуют данные для кода [299]!");
    sash.Dorn = 200;

    f.Position->Falz = 101;
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }),
              "В документации не установлены\r\nпараметры фальца 0/20-9!");
    f.Position->Falz = 100;

    sash.FurnComp->ComplectID.clear();
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }), "Комплект фурнитуры [] не найден в документации!");
    sash.FurnComp->ComplectID = QStringLiteral("K7");
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }), "Комплект фурнитуры [K7] не найден в документации!");
    EXPECT_TRUE(sash.FurnComp->Items.empty());

    sash.FurnComp->ComplectID = QStringLiteral("K1");
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"A-1 x1"});
}

TEST(HardwareSelection, NothingToDoWithoutASash) {
    TqxfFurnComp loose;
    EXPECT_FALSE(SelectHardware(loose));
}

// Every kit slot and the additional kits are resolved, each item carrying its kit.
TEST(HardwareSelection, ResolvesEveryChosenKit) {
    SelectionFixture f(R"(
        INSERT INTO FrnComp (ID, Name) VALUES ('H', 'Ручка'), ('B', 'Петли'), ('L', 'Замок'), ('C', 'Цилиндр'),
            ('D', 'Доводчик'), ('S', 'Шпингалеты'), ('X', 'Доп. 1'), ('Y', 'Доп. 2');
        INSERT INTO FrnItem (ID, Name) VALUES ('E', 'Элемент');
        INSERT INTO FrnArt (ID, CatalogID) VALUES ('E', 'ART');
        INSERT INTO FrnSet (ID, Item, Number) VALUES ('K1', 'E', 1), ('H', 'E', 2), ('B', 'E', 3), ('L', 'E', 4),
            ('C', 'E', 5), ('D', 'E', 6), ('S', 'E', 7), ('X', 'E', 8), ('Y', 'E', 9);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    TqxfFurnComp& kit = SelectionFixture::Kit(sash);
    kit.HandleID = "H";
    kit.HingeID = "B";
    kit.LockID = "L";
    kit.CylinderID = "C";
    kit.DriveID = "D";
    kit.LatchID = "S";
    kit.DopComplects = QStringList{"X", "", "Y"};
    QStringList byKit;
    for (const auto& item : f.Select(sash).Items)
        byKit << item->ComplectID + "=" + QString::number(item->Count);
    byKit.sort();
    EXPECT_EQ(byKit, (QStringList{"B=3", "C=5", "D=6", "H=2", "K1=1", "L=4", "S=7", "X=8", "Y=9"}));
}

// The debug mode keeps every resolved article as its own item with the road it came by.
TEST(HardwareSelection, DebugModeKeepsEveryArticleWithItsOrigin) {
    SelectionFixture f(R"(
        INSERT INTO FrnSet (ID, Item, Number, ItemSideNo) VALUES ('K1', 'G', 1, 3), ('K1', 'G', 1, 3), ('K1', 'C', 1, 2);
        INSERT INTO FrnItem (ID, Name) VALUES ('G', 'Привод'), ('C', 'Набор'), ('P', 'Часть'), ('S', 'Планка');
        INSERT INTO FrnArt (ID, CatalogID) VALUES ('G', 'G-1'), ('P', 'P-1'), ('S', 'S-1');
        INSERT INTO FrnItoI (ID, Item, Number) VALUES ('C', 'P', 1);
        INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, ItemSideNo, ItemComplectID) VALUES ('G-1', 'S', 1, 0, 0, '');
        INSERT INTO FrnAbd (CatalogID, Color, AccessoryID, Number, ItemSideNo) VALUES ('S-1', '', 'CAP', 1, 0);
        INSERT INTO FrnDop (CatalogID, AccessoryID, Number, StulpType, ItemSideNo, ItemComplectID)
            VALUES ('CAP', 'SCREW', 2, 0, 0, '');)");
    TqxfFlugel& sash = f.Window(800, 1400);
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)),
              (QStringList{"CAP x2", "G-1 x2", "P-1 x1", "S-1 x2", "SCREW x4"}));

    qx::Setup().DebugMode = true;
    const QString gear = "Комплект:K1 -> Элемент:G -> Артикул:G-1";
    const QString keeper = gear + " -> Элемент:S -> Артикул:S-1";
    const QString cover = keeper + " -> Артикул:CAP";
    const QString screw = cover + " -> Артикул:SCREW";
    QStringList expected{"CAP x1 kit=K1 side=3 len=0 note= origin=" + cover,
                         "CAP x1 kit=K1 side=3 len=0 note= origin=" + cover,
                         "G-1 x1 kit=K1 side=3 len=0 note= origin=" + gear,
                         "G-1 x1 kit=K1 side=3 len=0 note= origin=" + gear,
                         "P-1 x1 kit=K1 side=2 len=0 note= origin=Комплект:K1 -> Элемент:C -> Элемент:P -> Артикул:P-1",
                         "S-1 x1 kit=K1 side=3 len=0 note= origin=" + keeper,
                         "S-1 x1 kit=K1 side=3 len=0 note= origin=" + keeper,
                         "SCREW x2 kit=K1 side=3 len=0 note= origin=" + screw,
                         "SCREW x2 kit=K1 side=3 len=0 note= origin=" + screw};
    EXPECT_EQ(SelectionFixture::ItemDetails(f.Select(sash)), expected);
}

// Items whose counts cancel out are dropped; the rest are ordered by the bytes of their codes in
// Windows-1251 (Latin capitals, small letters, then Cyrillic capitals and small letters).
TEST(HardwareSelection, DropsEmptyCountsAndSortsByCodeBytes) {
    SelectionFixture f(R"(
        INSERT INTO FrnItem (ID, Name) VALUES ('E1', '1'), ('E2', '2'), ('E3', '3'), ('E4', '4'), ('E5', '5'),
            ('E6', '6'), ('E7', '7');
        INSERT INTO FrnArt (ID, CatalogID) VALUES ('E1', 'я-1'), ('E2', 'b-1'), ('E3', 'Я-1'), ('E4', 'Z-1'),
            ('E5', 'ZERO'), ('E6', 'ZERO'), ('E7', '10');
        INSERT INTO FrnSet (ID, Item, Number) VALUES ('K1', 'E1', 1), ('K1', 'E2', 1), ('K1', 'E3', 1),
            ('K1', 'E4', 1), ('K1', 'E5', 2), ('K1', 'E6', -2), ('K1', 'E7', 1);)");
    EXPECT_EQ(SelectionFixture::Items(f.Select(f.Window(800, 1400))),
              (QStringList{"10 x1", "Z-1 x1", "b-1 x1", "Я-1 x1", "я-1 x1"}));
}

// A fault part-way leaves the kit without any items, also those added before it.
TEST(HardwareSelection, FailedSelectionLeavesNoItems) {
    SelectionFixture f(QString::fromUtf8(kOneElement) + R"(
        INSERT INTO FrnItem (ID, Name) VALUES ('Z', 'Последний');
        INSERT INTO FrnSet (ID, Item, Number, FFL1Min, FFL1No) VALUES ('K1', 'Z', 1, 10, 9);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    TqxfFurnComp& kit = SelectionFixture::Kit(sash);
    kit.AddItem("OLD", "K1", "", false, 0, "", 1, 0);
    EXPECT_NE(SelectionFixture::ErrorOf([&] { kit.Calculate(); }), QString());
    EXPECT_TRUE(kit.Items.empty());
}

}  // namespace
}  // namespace qx
