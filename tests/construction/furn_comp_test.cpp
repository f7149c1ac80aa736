// furn_comp_test.cpp — kit records: side flags from the main kit's side rows, drawing values, item
// merging and the record's image.
#include <gtest/gtest.h>

#include "construction/construction.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

// Kit K: four sides, side 1 (left) carries the handle and the opening marker pointing at side 3,
// side 4 (bottom) the hinges, side 2 a drive; image 2, screen colour 255. Kit K7 has the same sides
// with image 7. Handle H: image 4, colour 65280. Articles: A, B and the virtual V.
const char* const kKitCatalog = R"(
INSERT INTO FrnComp (ID, Name, Image, ScrColor) VALUES ('K', 'Основной', 2, 255), ('K7', 'Дверной', 7, 1),
                                                       ('H', 'Ручка', 4, 65280);
INSERT INTO FrnSide (ID, Side, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('K', 1, 1, 3, 1, 0, 0, 0), ('K', 2, 0, 0, 0, 0, 1, 0), ('K', 3, 0, 0, 0, 0, 0, 0), ('K', 4, 0, 0, 0, 1, 0, 0),
  ('K7', 1, 1, 3, 1, 0, 0, 1), ('K7', 9, 1, 1, 1, 1, 1, 0);
INSERT INTO Catalog (ID, Name, Virtual) VALUES ('A', 'Запор', 0), ('B', 'Петля', 0), ('V', 'Фиктивный', 1);
)";

class KitSides : public ::testing::Test {
  protected:
    void SetUp() override {
        pos.BuildGeometry(TSizeRec{700, 1400, 0, 0, 0, 0, 0}, 0);
        sash = pos.Flugel1.get();
    }
    TFurnChoice Choice(const QString& complect, const QString& handle = QString()) {
        TFurnChoice c;
        c.ComplectID = complect;
        c.HandleID = handle;
        return c;
    }
    CatalogFixture catalog{QString::fromUtf8(kKitCatalog)};
    TqxfConstruction pos;
    TqxfFlugel* sash = nullptr;
};

TEST_F(KitSides, MainKitSetsFlagsAndPutsTheHandleInTheMiddleOfItsSide) {
    sash->ApplyComplect(Choice("K"));
    ASSERT_TRUE(sash->FurnComp);
    const TqxfLine& left = sash->Line(0);
    EXPECT_TRUE(left.Opening);
    EXPECT_EQ(left.RotSide, 2);
    EXPECT_TRUE(left.Handled) << "image 2 draws a handle without a handle kit";
    EXPECT_EQ(left.HandleHeight, 700);
    EXPECT_EQ(left.HandlePoint, (TIntPoint{10, 7000}));
    EXPECT_TRUE(sash->Line(1).Drived);
    EXPECT_FALSE(sash->Line(1).Opening);
    EXPECT_EQ(sash->Line(1).RotSide, -1) << "a side without the opening keeps its rotation side";
    EXPECT_TRUE(sash->Line(3).Banded);
    EXPECT_EQ(sash->HandleLineIndex(), 0);
    EXPECT_EQ(sash->BandedLineIndex(), 3);

    const TqxfFurnComp& kit = *sash->FurnComp;
    EXPECT_EQ(kit.ComplectImage, 2);
    EXPECT_EQ(kit.HingeImage, 20) << "no hinge kit";
    EXPECT_EQ(kit.HingeColor, 255) << "the main kit's colour without a hinge kit";
    EXPECT_EQ(kit.HandleImage, 0) << "no handle: no catalog row";
    EXPECT_EQ(kit.HandleColor, 16777215);
    EXPECT_EQ(kit.DriveColor, 16777215);
}

TEST_F(KitSides, UserHandleHeightAndHandleDirection) {
    TFurnChoice c = Choice("K7", "H");
    c.UserHandleHeight = true;
    c.HandleHeight = 1050;
    sash->ApplyComplect(c);
    const TqxfLine& left = sash->Line(0);
    EXPECT_TRUE(left.Handled) << "image 7 needs a handle kit, which is there";
    EXPECT_EQ(left.HandleHeight, 1050);
    EXPECT_EQ(left.HandlePoint, (TIntPoint{10, 10500})) << "direction 1 measures from the end corner";
    EXPECT_EQ(sash->FurnComp->HandleImage, 4);
    EXPECT_EQ(sash->FurnComp->HandleColor, 65280);
    // The row for side 9 is outside the sash and skipped; the other sides keep their flags.
    EXPECT_FALSE(sash->Line(1).Banded);
    EXPECT_FALSE(sash->Line(2).Opening);
}

TEST_F(KitSides, ImageOutsideOneToFiveGivesNoHandleWithoutAHandleKit) {
    sash->Line(0).HandleHeight = 300;
    sash->ApplyComplect(Choice("K7"));
    EXPECT_FALSE(sash->Line(0).Handled);
    EXPECT_EQ(sash->Line(0).HandleHeight, 0);
    EXPECT_TRUE(sash->Line(0).Opening);
}

TEST_F(KitSides, AKitWithoutMainKitResetsEverySide) {
    sash->ApplyComplect(Choice("K"));
    sash->ApplyComplect(Choice(QString(), "H"));
    for (int i = 0; i < sash->LineCount(); ++i) {
        const TqxfLine& side = sash->Line(i);
        EXPECT_FALSE(side.Opening || side.Handled || side.Banded || side.Drived) << i;
        EXPECT_EQ(side.RotSide, -1) << i;
        EXPECT_EQ(side.HandleHeight, 0) << i;
    }
    EXPECT_EQ(sash->FurnComp->HandleID, QStringLiteral("H"));
    EXPECT_EQ(sash->FurnComp->ComplectImage, 0);
}

TEST_F(KitSides, ApplyComplectKeepsSystemsPropertiesAndItems) {
    TqxfFurnComp& kit = *(sash->FurnComp = std::make_unique<TqxfFurnComp>(sash));
    kit.FurnSys = QStringLiteral("5");
    kit.Props = QStringList{QStringLiteral("1=11")};
    kit.AddItem(QStringLiteral("A"), QStringLiteral("K"), QString(), false, 0, QString(), 1, 1);
    sash->ApplyComplect(Choice("K"));
    EXPECT_EQ(sash->FurnComp.get(), &kit);
    EXPECT_EQ(kit.FurnSys, QStringLiteral("5"));
    EXPECT_EQ(kit.Props, QStringList{QStringLiteral("1=11")});
    EXPECT_EQ(kit.ItemCount(), 1);
    EXPECT_EQ(kit.ComplectID, QStringLiteral("K"));
}

TEST_F(KitSides, AnEmptyChoiceClearsTheKitRecord) {
    TqxfFurnComp kit(sash);
    kit.ComplectImage = 5;
    kit.HandleColor = 9;
    kit.Props = QStringList{QStringLiteral("x")};
    kit.AddItem(QStringLiteral("A"), QString(), QString(), false, 0, QString(), 1, 0);
    kit.ApplyComplect(TFurnChoice{});
    for (int32_t v : {kit.ComplectImage, kit.HandleImage, kit.HingeImage, kit.DriveImage, kit.ReservedImage})
        EXPECT_EQ(v, -1);
    for (int32_t v : {kit.HandleColor, kit.HingeColor, kit.DriveColor, kit.ReservedColor})
        EXPECT_EQ(v, 0);
    EXPECT_TRUE(kit.Props.isEmpty());
    EXPECT_EQ(kit.ItemCount(), 0);
}

class KitItems : public ::testing::Test {
  protected:
    CatalogFixture catalog{QString::fromUtf8(kKitCatalog)};
    TqxfFurnComp kit;
};

TEST_F(KitItems, EqualArticlesMergeAndLoseTheirOriginUnlessKeptApart) {
    kit.AddItem("A", "K", "Комплект:K -> Элемент:E -> Артикул:A", false, 1200, "прим", 2, 1);
    kit.AddItem("A", "K", "Комплект:K -> Элемент:F -> Артикул:A", false, 1200, "прим", 3, 1);
    ASSERT_EQ(kit.ItemCount(), 1);
    EXPECT_EQ(kit.Item(0).Count, 5);
    EXPECT_EQ(kit.Item(0).Origin, QString());

    TqxfFurnComp debug;
    debug.AddItem("A", "K", "Комплект:K -> Элемент:E -> Артикул:A", true, 1200, "прим", 2, 1);
    debug.AddItem("A", "K", "Комплект:K -> Элемент:F -> Артикул:A", true, 1200, "прим", 3, 1);
    ASSERT_EQ(debug.ItemCount(), 2);
    EXPECT_EQ(debug.Item(0).Origin, QStringLiteral("Комплект:K -> Элемент:E -> Артикул:A"));
    EXPECT_EQ(debug.Item(1).Origin, QStringLiteral("Комплект:K -> Элемент:F -> Артикул:A"));
    EXPECT_EQ(debug.Item(1).Count, 3);
    EXPECT_EQ(debug.Item(1).FurnComp, &debug);
}

TEST_F(KitItems, AnyDifferenceOfKitNoteLengthOrSideKeepsItemsApart) {
    kit.AddItem("A", "K", "", false, 1200, "n", 1, 1);
    kit.AddItem("A", "K2", "", false, 1200, "n", 1, 1);
    kit.AddItem("A", "K", "", false, 1200, "m", 1, 1);
    kit.AddItem("A", "K", "", false, 1200.5f, "n", 1, 1);
    kit.AddItem("A", "K", "", false, 1200, "n", 1, 2);
    EXPECT_EQ(kit.ItemCount(), 5);
    EXPECT_EQ(kit.FindItem("A", "K", "n", 1200.5f, 1), 3);
    EXPECT_EQ(kit.FindItem("A", "K", "n", 1200, 3), -1);
    EXPECT_EQ(kit.IndexOfArticle("A"), 0);
    EXPECT_EQ(kit.IndexOfArticle("B"), -1);
}

TEST_F(KitItems, EmptyZeroAndVirtualArticlesAreIgnored) {
    kit.AddItem("", "K", "", false, 0, "", 1, 0);
    kit.AddItem("B", "K", "", false, 0, "", 0, 0);
    kit.AddItem("V", "K", "", true, 0, "", 4, 0);
    EXPECT_EQ(kit.ItemCount(), 0);
    kit.AddItem("X-unknown", "K", "", false, 0, "", -1, 0);  // not in the catalog: not virtual either
    ASSERT_EQ(kit.ItemCount(), 1);
    EXPECT_EQ(kit.Item(0).Count, -1);
}

TEST(KitItem, AssignClearsForAnEmptyArticleOrAZeroCount) {
    TqxfFurnItem item;
    item.Assign("A", "K", "o", 10, "n", 2, 3);
    item.Reserved2 = 5;
    item.Assign("A", "K", "o", 10, "n", 0, 3);
    EXPECT_EQ(item.Article, QString());
    EXPECT_EQ(item.Length, 0);
    EXPECT_EQ(item.SideNo, 0);
    EXPECT_EQ(item.Reserved2, 0);
    item.Assign("B", "K", "o", 10, "n", 2, 3);
    EXPECT_EQ(item.Article, QStringLiteral("B"));
    EXPECT_EQ(item.SideNo, 3);
}

TEST(KitItem, AnImageStampedBeforeTheSideNumberHasNoSideReservedOrKit) {
    TqxfFurnItem item;
    item.Assign("A", "K", "o", 10, "n", 2, 3);
    TSpecStream s;
    item.SaveToStream(s);
    // The layout of 03.03.2019 ends after the note.
    TSpecStream old;
    WriteText(old, "A");
    WriteReal(old, 10);
    WriteInt(old, 2);
    WriteText(old, "o");
    WriteText(old, "n");
    old.SetPosition(0);
    TqxfFurnItem back;
    back.LoadFromStream(old, QStringLiteral("03.03.2019"));
    EXPECT_EQ(old.Remaining(), 0);
    EXPECT_EQ(back.Note, QStringLiteral("n"));
    EXPECT_EQ(back.SideNo, 0);
    EXPECT_EQ(back.ComplectID, QString());
    // The current layout adds side, three reserved integers and the kit.
    EXPECT_EQ(s.Size(), old.Size() + 4 * 16 + 4 + 1);
}

}  // namespace
}  // namespace qx
