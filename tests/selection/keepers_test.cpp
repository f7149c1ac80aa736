// keepers_test.cpp — keepers, covers and accessories that the articles of a sash bring with them.
#include <gtest/gtest.h>

#include "selection/keepers.h"
#include "selection/selection_fixture.h"

namespace qx {
namespace {

// K1 fits the gear G (article G-1, 2 pieces, side 3, note "привод"); keeper elements resolve by rebate
// air gap (the sash's is 12).
const char* const kGear = R"(
INSERT INTO FrnSet (ID, Item, Number, ItemSideNo, Note) VALUES ('K1', 'G', 2, 3, 'привод');
INSERT INTO FrnItem (ID, Name) VALUES ('G', 'Привод');
INSERT INTO FrnArt (ID, CatalogID) VALUES ('G', 'G-1');
)";

QString keeperElement(const QString& element, int group, const QString& article) {
    return QStringLiteral(
               "INSERT INTO FrnItem (ID, Name, HasFalzLuft, CommonGrp) VALUES ('%1', 'Планка %1', 1, %2);"
               "INSERT INTO FrnArt (ID, CatalogID, FalzLuft) VALUES ('%1', '%3', 12), ('%1', '%3-9', 9);")
        .arg(element)
        .arg(group)
        .arg(article);
}

TEST(Keepers, FollowTheArticlesWithTheirKitNoteAndSide) {
    SelectionFixture f(QString::fromUtf8(kGear) + keeperElement("S", 0, "S-12") + R"(
        INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, ItemSideNo, ItemComplectID)
            VALUES ('G-1', 'S', 3, 0, 0, '');)");
    EXPECT_EQ(SelectionFixture::ItemDetails(f.Select(f.Window(800, 1400))),
              (QStringList{"G-1 x2 kit=K1 side=3 len=0 note=привод origin=",
                           "S-12 x6 kit=K1 side=3 len=0 note=привод origin="}));
}

struct KeeperRowCase {
    const char* Rows;  // FrnSchl rows for G-1 and keeper element S: (StulpType, ItemSideNo, ItemComplectID)
    bool TwoSashes;    // the gear on the active sash of a pair with mullion type 2
    bool Fitted;
};

class KeeperRows : public ::testing::TestWithParam<KeeperRowCase> {};

TEST_P(KeeperRows, ApplyByMullionTypeSideAndKit) {
    const KeeperRowCase& c = GetParam();
    SelectionFixture f(QString::fromUtf8(kGear) + keeperElement("S", 0, "S-12") +
                       "INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, ItemSideNo, ItemComplectID) VALUES " +
                       QString::fromUtf8(c.Rows) + ";");
    TqxfFlugel& sash =
        c.TwoSashes ? *f.TwoSashes(800, 800, 1400, kTwoSashesLeftActive, 302).Flugel1 : f.Window(800, 1400);
    const QStringList items = SelectionFixture::Items(f.Select(sash));
    EXPECT_EQ(items.contains("S-12 x2"), c.Fitted) << c.Rows << " → " << items.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, KeeperRows,
                         ::testing::Values(KeeperRowCase{"('G-1', 'S', 1, 2, 0, '')", true, true},
                                           KeeperRowCase{"('G-1', 'S', 1, 2, 0, '')", false,
                                                         false},  // a single sash is type 6
                                           KeeperRowCase{"('G-1', 'S', 1, 6, 0, '')", false, true},
                                           KeeperRowCase{"('G-1', 'S', 1, 0, 0, '')", true, true},
                                           KeeperRowCase{"('G-1', 'S', 1, 0, 3, '')", false, true},
                                           KeeperRowCase{"('G-1', 'S', 1, 0, 1, '')", false, false},
                                           KeeperRowCase{"('G-1', 'S', 1, 0, 0, 'K1')", false, true},
                                           KeeperRowCase{"('G-1', 'S', 1, 0, 0, 'K2')", false, false},
                                           KeeperRowCase{"('G-2', 'S', 1, 0, 0, '')", false, false}));

// A system group that is a multiple of 100 admits its whole family, any other group only itself;
// a hardware system that is not a number admits every group.
TEST(Keepers, SystemGroupsRestrictKeeperElements) {
    SelectionFixture f(QString::fromUtf8(kGear) + keeperElement("S110", 110, "A110") +
                       keeperElement("S100", 100, "A100") + keeperElement("S120", 120, "A120") +
                       keeperElement("S0", 0, "A0") + keeperElement("S200", 200, "A200") + R"(
        INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, ItemSideNo, ItemComplectID)
            VALUES ('G-1', 'S110', 1, 0, 0, ''), ('G-1', 'S100', 1, 0, 0, ''), ('G-1', 'S120', 1, 0, 0, ''),
                   ('G-1', 'S0', 1, 0, 0, ''), ('G-1', 'S200', 1, 0, 0, ''), ('G-1', 'S-NONE', 1, 0, 0, '');)");
    TqxfFlugel& sash = f.Window(800, 1400);
    TqxfFurnComp& kit = SelectionFixture::Kit(sash);
    kit.FurnSys = QStringLiteral("110");
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), (QStringList{"A0 x2", "A100 x2", "A110 x2", "G-1 x2"}));
    kit.FurnSys = QStringLiteral("SYS");
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)),
              (QStringList{"A0 x2", "A100 x2", "A110 x2", "A120 x2", "A200 x2", "G-1 x2"}));
}

TEST(Keepers, KeeperRowsFollowTheProperties) {
    SelectionFixture f(QString::fromUtf8(kGear) + keeperElement("S", 0, "S-12") + R"(
        INSERT INTO FrnProp (PropKey, ID) VALUES (9, 121);
        INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, ItemSideNo, ItemComplectID, PropKey)
            VALUES ('G-1', 'S', 1, 0, 0, '', 9);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    TqxfFurnComp& kit = SelectionFixture::Kit(sash);
    kit.Props = QStringList{"0=122"};
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), QStringList{"G-1 x2"});
    kit.Props = QStringList{"0=121"};
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), (QStringList{"G-1 x2", "S-12 x2"}));
}

TEST(Keepers, UnresolvableKeepersEndTheSelection) {
    SelectionFixture f(QString::fromUtf8(kGear) + R"(
        INSERT INTO FrnItem (ID, Name, HasFalzLuft, HasProfSys) VALUES ('S', 'Планка', 1, 0);
        INSERT INTO FrnArt (ID, CatalogID, FalzLuft, ProfSys) VALUES ('S', 'S-9', 9, 'KS');
        INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, ItemSideNo, ItemComplectID)
            VALUES ('G-1', 'S', 1, 0, 0, '');)");
    TqxfFlugel& sash = f.Window(800, 1400);
    TqxfFurnComp& kit = SelectionFixture::Kit(sash);
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }),
              "В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры "
              "[Планка]!\r\n\r\nИскомый запрос:\r\nFalzLuft = 12 and ID='S' ");
    EXPECT_TRUE(kit.Items.empty());
    f.Exec("UPDATE FrnItem SET HasProfSys = 1 WHERE ID = 'S';");
    kit.ProfSys.clear();
    EXPECT_EQ(SelectionFixture::ErrorOf([&] { f.Select(sash); }),
              "Для комплекта фурнитуры [Подбор ответных планок]\r\nне указана система ответных планок!");
}

// Covers in the kit's colour; the colourless ones only when the colour has none.
TEST(Covers, FollowTheKitColourWithTheColourlessAsFallback) {
    SelectionFixture f(QString::fromUtf8(kGear) + R"(
        INSERT INTO FrnAbd (CatalogID, Color, AccessoryID, Number, ItemSideNo)
            VALUES ('G-1', 'HW', 'CAP-HW', 2, 0), ('G-1', '', 'CAP', 1, 0), ('G-1', 'HW', 'CAP-SIDE1', 1, 1);)");
    TqxfFlugel& sash = f.Window(800, 1400);
    TqxfFurnComp& kit = SelectionFixture::Kit(sash);
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), (QStringList{"CAP-HW x4", "G-1 x2"}));
    kit.Color = QStringLiteral("BR");
    EXPECT_EQ(SelectionFixture::Items(f.Select(sash)), (QStringList{"CAP x2", "G-1 x2"}));
}

// Keepers get their covers, and keepers and covers their accessories; each pass visits only the
// items present at its start, so a keeper's own keepers are not added.
TEST(Keepers, LaterPassesVisitWhatEarlierPassesAdded) {
    SelectionFixture f(QString::fromUtf8(kGear) + keeperElement("S", 0, "S-12") + keeperElement("T", 0, "T-12") + R"(
        INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, ItemSideNo, ItemComplectID)
            VALUES ('G-1', 'S', 1, 0, 0, ''), ('S-12', 'T', 1, 0, 0, '');
        INSERT INTO FrnAbd (CatalogID, Color, AccessoryID, Number, ItemSideNo) VALUES ('S-12', '', 'CAP', 2, 0);
        INSERT INTO FrnDop (CatalogID, AccessoryID, Number, StulpType, ItemSideNo, ItemComplectID)
            VALUES ('CAP', 'SCREW', 2, 0, 0, ''), ('S-12', 'SCREW', 1, 0, 0, ''), ('SCREW', 'NUT', 1, 0, 0, '');)");
    EXPECT_EQ(SelectionFixture::Items(f.Select(f.Window(800, 1400))),
              (QStringList{"CAP x4", "G-1 x2", "S-12 x2", "SCREW x10"}));
}

struct AccessoryCase {
    const char* Props;
    const char* Row;  // (StulpType, ItemSideNo, ItemComplectID, PropKey)
    bool Fitted;
};

class AccessoryRows : public ::testing::TestWithParam<AccessoryCase> {};

TEST_P(AccessoryRows, ApplyByPropertiesMullionTypeSideAndKit) {
    const AccessoryCase& c = GetParam();
    SelectionFixture f(QString::fromUtf8(kGear) + R"(
        INSERT INTO FrnProp (PropKey, ID) VALUES (4, 131), (4, 132);
        INSERT INTO FrnDop (CatalogID, AccessoryID, Number, StulpType, ItemSideNo, ItemComplectID, PropKey)
            VALUES )" + QString::fromUtf8(c.Row) +
                       ";");
    TqxfFlugel& sash = f.Window(800, 1400);
    SelectionFixture::Kit(sash).Props = QString::fromUtf8(c.Props).split(',', Qt::SkipEmptyParts);
    const QStringList items = SelectionFixture::Items(f.Select(sash));
    EXPECT_EQ(items.contains("VENT x6"), c.Fitted) << c.Props << " " << c.Row;
}

INSTANTIATE_TEST_SUITE_P(Rows, AccessoryRows,
                         ::testing::Values(AccessoryCase{"", "('G-1', 'VENT', 3, 0, 0, '', 4)", true},
                                           AccessoryCase{"0=132", "('G-1', 'VENT', 3, 0, 0, '', 4)", true},
                                           AccessoryCase{"0=135", "('G-1', 'VENT', 3, 0, 0, '', 4)", false},
                                           AccessoryCase{"1=135", "('G-1', 'VENT', 3, 0, 0, '', 4)", true},
                                           AccessoryCase{"0=135", "('G-1', 'VENT', 3, 0, 0, '', 0)", true},
                                           AccessoryCase{"", "('G-1', 'VENT', 3, 2, 0, '', 0)", false},
                                           AccessoryCase{"", "('G-1', 'VENT', 3, 6, 3, 'K1', 0)", true},
                                           AccessoryCase{"", "('G-1', 'VENT', 3, 0, 2, '', 0)", false},
                                           AccessoryCase{"", "('G-1', 'VENT', 3, 0, 0, 'K9', 0)", false}));

}  // namespace
}  // namespace qx
