// construction_test.cpp — the position image at each format stamp, backups and copies, the kit walk of
// reports and the position total.
#include <gtest/gtest.h>

#include "common/error.h"
#include "construction/construction.h"
#include "shell/setup.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

TqxfFurnComp& GiveKit(TqxfFlugel& flugel, const QString& furnSys) {
    flugel.FurnComp = std::make_unique<TqxfFurnComp>(&flugel);
    flugel.FurnComp->FurnSys = furnSys;
    return *flugel.FurnComp;
}

// A two-sash position with kits, items, side flags, material lines and notes.
void FillPosition(TqxfConstruction& pos) {
    pos.Checked = false;
    pos.PosNo = QStringLiteral("001");
    pos.PosName = QStringLiteral("Комплект стандартный");
    pos.Quantity = 2;
    pos.ObjType = kObjDoorWithThreshold;
    pos.FurnSys = QStringLiteral("12");
    pos.ProfSys = QStringLiteral("P7");
    pos.FurnColor = QStringLiteral("WHT");
    pos.Falz = 4;
    pos.StulpType = 2;
    pos.OpenType = 1;
    pos.ProfWidth = 70.6f;
    pos.ProfThickness = 0.3f;
    pos.Price = Money::FromRaw(1234567);
    pos.Notes = QStringList{QStringLiteral("первая"), QStringLiteral("вторая")};
    pos.FlugelMode = kTwoSashesLeftActive;
    pos.BuildGeometry(TSizeRec{1400, 1300, 2, 600, 800, 0, 0}, 5);
    TqxfFurnComp& kit = GiveKit(*pos.Flugel1, QStringLiteral("12"));
    kit.ComplectID = QStringLiteral("K-1");
    kit.HandleID = QStringLiteral("H-1");
    kit.HandleHeight = 650;
    kit.UserHandleHeight = true;
    kit.Props = QStringList{QStringLiteral("1=11"), QStringLiteral("2=21")};
    kit.DopComplects = QStringList{QStringLiteral("D-1")};
    kit.ComplectImage = 3;
    kit.HingeImage = 20;
    kit.ReservedImage = -1;
    kit.HingeColor = 16777215;
    for (int i = 0; i < 2; ++i) {
        auto item = std::make_unique<TqxfFurnItem>(&kit);
        item->Assign(QStringLiteral("A-%1").arg(i), QStringLiteral("K-1"), QStringLiteral("Комплект:K-1"), 1200.5f * i,
                     QStringLiteral("прим"), 2 + i, i + 1);
        kit.Items.push_back(std::move(item));
    }
    TqxfLine& side = pos.Flugel1->Line(2);
    side.Handled = true;
    side.Opening = true;
    side.RotSide = 0;
    side.SetHandle(650, 1);
    pos.Flugel1->Line(0).Banded = true;
    pos.Flugel2->Line(1).R1 = pos.Flugel2->Line(1).R2 = 4000.5f;
    pos.Flugel2->Line(1).CalcCenter();
    auto line = std::make_unique<TqxfMatListItem>();
    line->ID = QStringLiteral("A-0");
    line->Number = 0.6f;
    line->Price = line->ListPrice = Money::FromRaw(15000);
    line->Cost = Money::FromRaw(9000);
    pos.Flugel1->MatList.push_back(std::move(line));
}

QByteArray ImageOf(const TqxfConstruction& pos) {
    TSpecStream s;
    pos.SaveToStream(s);
    return s.Data();
}

TEST(PositionImage, RoundTripKeepsEveryField) {
    TqxfConstruction source;
    FillPosition(source);
    TSpecStream stream;
    source.SaveToStream(stream);
    stream.SetPosition(0);

    TqxfConstruction copy;
    copy.LoadFromStream(stream, kCurrentStamp);
    EXPECT_EQ(stream.Remaining(), 0);
    EXPECT_EQ(ImageOf(copy), stream.Data());
    EXPECT_FALSE(copy.Checked);
    EXPECT_EQ(copy.PosName, QStringLiteral("Комплект стандартный"));
    EXPECT_EQ(copy.ProfWidth, 70.6f);
    EXPECT_EQ(copy.Notes, source.Notes);
    EXPECT_EQ(copy.Price, Money::FromRaw(1234567));
    EXPECT_EQ(copy.FlugelMode, kTwoSashesLeftActive);
    ASSERT_TRUE(copy.Flugel1->FurnComp);
    EXPECT_FALSE(copy.Flugel2->FurnComp);
    const TqxfFurnComp& kit = *copy.Flugel1->FurnComp;
    EXPECT_EQ(kit.Flugel, copy.Flugel1.get());
    ASSERT_EQ(kit.ItemCount(), 2);
    EXPECT_EQ(kit.Item(1).Length, 1200.5f);
    EXPECT_EQ(kit.Item(1).SideNo, 2);
    EXPECT_EQ(kit.Item(1).FurnComp, &kit);
    EXPECT_EQ(kit.DopComplects, QStringList{QStringLiteral("D-1")});
    EXPECT_EQ(copy.Flugel1->Dorn, 5);
    EXPECT_EQ(copy.Flugel1->Line(2).HandlePoint, source.Flugel1->Line(2).HandlePoint);
    EXPECT_EQ(copy.Flugel2->Line(1).Center, source.Flugel2->Line(1).Center);
    EXPECT_EQ(copy.Flugel2->Line(3).StartPoint, copy.Flugel2->Points[3].get());
    EXPECT_EQ(copy.Flugel2->Line(3).EndPoint, copy.Flugel2->Points[0].get());
    ASSERT_EQ(copy.Flugel1->MatList.size(), 1u);
    EXPECT_EQ(copy.Flugel1->MatList[0]->Number, 0.6f);
}

TEST(PositionImage, LoadingReplacesSashesAndDropsAKitTheImageLacks) {
    TqxfConstruction empty;
    empty.BuildGeometry(TSizeRec{500, 600, 0, 0, 0, 0, 0}, 0);
    TqxfConstruction target;
    FillPosition(target);
    target.Assign(empty);
    EXPECT_EQ(ImageOf(target), ImageOf(empty));
    EXPECT_FALSE(target.Flugel1->FurnComp);
    EXPECT_TRUE(target.Flugel1->MatList.empty());
    EXPECT_FALSE(target.Flugel2->Exists());
}

// A hand-written image as stored by older versions: the kit item layout and the position backset
// follow the stamp.
struct LegacyImage {
    QString stamp;
    bool obsoleteTexts;  // before 10.12.2009
    bool positionDorn;   // before 23.07.2019
    bool origin;         // from 06.10.2015
    bool note;           // from 03.03.2019
    bool sideAndKit;     // from 26.12.2019
};

void WriteLegacyItem(TSpecStream& s, const LegacyImage& v) {
    WriteText(s, QStringLiteral("ART-7"));
    WriteReal(s, 900.0);
    WriteInt(s, 3);
    if (v.origin) WriteText(s, QStringLiteral("Комплект:K"));
    if (v.note) WriteText(s, QStringLiteral("слева"));
    if (v.sideAndKit) {
        WriteInt(s, 4);
        WriteInt(s, 0);
        WriteInt(s, 0);
        WriteInt(s, 0);
        WriteText(s, QStringLiteral("K"));
    }
}

void WriteLegacySash(TSpecStream& s, const LegacyImage& v, int32_t x0, bool withKit) {
    WriteInt(s, 4);
    for (TIntPoint p : {TIntPoint{x0, 10000}, TIntPoint{x0, 0}, TIntPoint{x0 + 5000, 0}, TIntPoint{x0 + 5000, 10000}}) {
        WriteInt(s, p.X);
        WriteInt(s, p.Y);
    }
    WriteInt(s, 4);
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 4; ++k)
            WriteReal(s, 0);
        WriteBool(s, false);
        WriteInt(s, -1);
        WriteBool(s, i == 2);
        WriteBool(s, false);
        WriteBool(s, false);
        WriteInt(s, i == 2 ? 500 : 0);
        WriteInt(s, 0);
        WriteInt(s, 0);
    }
    if (!v.positionDorn) WriteInt(s, 9);
    WriteBool(s, withKit);
    if (withKit) {
        for (int i = 0; i < 6; ++i)
            WriteText(s, i == 3 ? QStringLiteral("K") : QString());
        WriteInt(s, 0);
        WriteBool(s, false);
        for (int i = 0; i < 4; ++i)
            WriteText(s, QString());
        for (int i = 0; i < 9; ++i)
            WriteInt(s, -1);
        WriteLines(s, {});
        WriteLines(s, {});
        WriteInt(s, 1);
        WriteLegacyItem(s, v);
    }
    WriteInt(s, 0);
}

QByteArray LegacyPositionImage(const LegacyImage& v) {
    TSpecStream s;
    WriteBool(s, true);
    WriteText(s, QStringLiteral("002"));
    WriteText(s, QStringLiteral("Окно"));
    WriteInt(s, 4);
    WriteInt(s, 0);  // ObjType stored as a 32-bit integer by old writers
    WriteText(s, QStringLiteral("3"));
    WriteText(s, QStringLiteral("P"));
    WriteText(s, QStringLiteral("C"));
    if (v.obsoleteTexts) {
        WriteText(s, QStringLiteral("старое 1"));
        WriteText(s, QStringLiteral("старое 2"));
    }
    WriteInt(s, 6);  // Falz
    if (v.positionDorn) WriteInt(s, 8);
    WriteInt(s, 1);  // StulpType
    WriteReal(s, 68.0);
    WriteReal(s, 0);
    WriteInt(s, 2);  // OpenType
    WriteCurrency(s, Money::FromInt(17));
    WriteLines(s, {QStringLiteral("n")});
    WriteInt(s, kTwoSashesRightActive);
    WriteLegacySash(s, v, 0, true);
    WriteLegacySash(s, v, 5000, false);
    return s.Data();
}

class PositionImageStamps : public ::testing::TestWithParam<LegacyImage> {};

TEST_P(PositionImageStamps, ReadsTheFieldsTheStampHas) {
    const LegacyImage& v = GetParam();
    TSpecStream stream(LegacyPositionImage(v));
    TqxfConstruction pos;
    pos.LoadFromStream(stream, v.stamp);
    EXPECT_EQ(stream.Remaining(), 0) << "every stored value read, nothing beyond";
    EXPECT_EQ(pos.Falz, 6);
    EXPECT_EQ(pos.StulpType, 1);
    EXPECT_EQ(pos.OpenType, 2);
    EXPECT_EQ(pos.Price, Money::FromInt(17));
    EXPECT_EQ(pos.FlugelMode, kTwoSashesRightActive);
    const int32_t dorn = v.positionDorn ? 8 : 9;  // the position's backset goes to both sashes
    EXPECT_EQ(pos.Flugel1->Dorn, dorn);
    EXPECT_EQ(pos.Flugel2->Dorn, dorn);
    EXPECT_EQ(pos.Flugel1->HandleHeightOf(), 500);
    ASSERT_TRUE(pos.Flugel1->FurnComp);
    ASSERT_EQ(pos.Flugel1->FurnComp->ItemCount(), 1);
    const TqxfFurnItem& item = pos.Flugel1->FurnComp->Item(0);
    EXPECT_EQ(item.Article, QStringLiteral("ART-7"));
    EXPECT_EQ(item.Length, 900.0f);
    EXPECT_EQ(item.Count, 3);
    EXPECT_EQ(item.Origin, v.origin ? QStringLiteral("Комплект:K") : QString());
    EXPECT_EQ(item.Note, v.note ? QStringLiteral("слева") : QString());
    EXPECT_EQ(item.SideNo, v.sideAndKit ? 4 : 0);
    EXPECT_EQ(item.ComplectID, v.sideAndKit ? QStringLiteral("K") : QString());
    EXPECT_FALSE(pos.Flugel2->FurnComp);
}

INSTANTIATE_TEST_SUITE_P(Stamps, PositionImageStamps,
                         ::testing::Values(LegacyImage{"01.06.2009", true, true, false, false, false},
                                           LegacyImage{"10.12.2009", false, true, false, false, false},
                                           LegacyImage{"06.10.2015", false, true, true, false, false},
                                           LegacyImage{"01.01.2019", false, true, true, false, false},
                                           LegacyImage{"03.03.2019", false, true, true, true, false},
                                           LegacyImage{"23.07.2019", false, false, true, true, false},
                                           LegacyImage{"26.12.2019", false, false, true, true, true}));

TEST(PositionBackup, RestoreBringsBackTheBackedUpState) {
    TqxfConstruction pos;
    FillPosition(pos);
    TSpecStream backup;
    pos.Backup(backup);
    const QByteArray before = ImageOf(pos);
    pos.Flugel1->FurnComp.reset();
    pos.Quantity = 99;
    pos.Flugel2->Clear();
    pos.Restore(backup);
    EXPECT_EQ(ImageOf(pos), before);
}

TEST(PositionBackup, ACorruptBackupNamesTheRestoreAndTheCause) {
    TqxfConstruction pos;
    TSpecStream bad;
    WriteBool(bad, true);
    for (int i = 0; i < 2; ++i)
        WriteText(bad, QString());
    WriteInt(bad, 1);
    WriteByte(bad, 0);
    for (int i = 0; i < 3; ++i)
        WriteText(bad, QString());
    for (int i = 0; i < 2; ++i)
        WriteInt(bad, 0);
    for (int i = 0; i < 2; ++i)
        WriteReal(bad, 0);
    WriteInt(bad, 0);
    WriteCurrency(bad, Money{});
    WriteLines(bad, {});
    WriteByte(bad, 2);
    WriteInt(bad, -5);  // number of corners
    try {
        pos.Restore(bad);
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Ошибка восстановления объекта из резервной копии!\r\n(Неверное число "
                                            "элементов в потоке [-5]!)"));
    }
}

TEST(PositionBackup, AHugeStoredCountFailsBeforeAllocating) {
    TSpecStream s;
    WriteInt(s, 2000000000);
    s.SetPosition(0);
    TqxfFlugel f;
    EXPECT_THROW(f.LoadFromStream(s, kCurrentStamp), TqxfError);
    EXPECT_FALSE(f.Exists());
}

TEST(PositionKits, FirstAndNextKitWalkTheSashesOnce) {
    TqxfConstruction pos;
    pos.FlugelMode = kTwoSashesLeftActive;
    pos.BuildGeometry(TSizeRec{1400, 1400, 2, 600, 800, 0, 0}, 0);
    TqxfFurnComp& left = GiveKit(*pos.Flugel1, "1");
    TqxfFurnComp& right = GiveKit(*pos.Flugel2, "1");
    EXPECT_EQ(pos.NextKit(), nullptr) << "not armed before FirstKit";
    EXPECT_EQ(pos.FirstKit(), &left);
    EXPECT_EQ(pos.NextKit(), &right);
    EXPECT_EQ(pos.NextKit(), nullptr);

    pos.FlugelMode = kOneSash;
    EXPECT_EQ(pos.FirstKit(), &left);
    EXPECT_EQ(pos.NextKit(), nullptr);
}

TEST(PositionKits, PassiveSashLosesItsKitWhenTheActiveSashLosesItsKit) {
    TqxfConstruction pos;
    pos.FlugelMode = kTwoSashesRightActive;  // Flugel1 is passive
    pos.BuildGeometry(TSizeRec{1400, 1400, 1, 600, 800, 0, 0}, 0);
    GiveKit(*pos.Flugel1, "1");
    GiveKit(*pos.Flugel2, "1");
    pos.Flugel1->Line(0).Handled = true;

    pos.Flugel1->ClearFurniture();  // the passive sash itself: nothing else happens
    EXPECT_FALSE(pos.Flugel1->FurnComp);
    EXPECT_FALSE(pos.Flugel1->Line(0).Handled) << "side flags reset with the kit";
    EXPECT_TRUE(pos.Flugel2->FurnComp);

    GiveKit(*pos.Flugel1, "1");
    pos.Flugel2->ClearFurniture();
    EXPECT_FALSE(pos.Flugel2->FurnComp);
    EXPECT_FALSE(pos.Flugel1->FurnComp) << "the passive sash follows the active one";
}

TEST(PositionKits, ClearFurnitureOfThePositionKeepsSideFlagsAndThePartner) {
    TqxfConstruction pos;
    pos.FlugelMode = kTwoSashesRightActive;
    pos.BuildGeometry(TSizeRec{1400, 1400, 1, 600, 800, 0, 0}, 0);
    GiveKit(*pos.Flugel1, "1");
    GiveKit(*pos.Flugel2, "1");
    pos.Flugel2->Line(0).Handled = true;
    pos.ClearFurniture(7);  // any number other than 1: the second sash
    EXPECT_FALSE(pos.Flugel2->FurnComp);
    EXPECT_TRUE(pos.Flugel2->Line(0).Handled);
    EXPECT_TRUE(pos.Flugel1->FurnComp) << "no passive sash rule here";
    pos.ClearFurniture(1);
    EXPECT_FALSE(pos.Flugel1->FurnComp);
}

TEST(PositionPrice, TotalIsUnitPriceTimesQuantityToFourDecimals) {
    TqxfConstruction pos;
    pos.Price = Money::FromRaw(123457);  // 12.3457
    pos.Quantity = 3;
    EXPECT_EQ(pos.TotalPrice(), Money::FromRaw(370371));
    pos.Quantity = 0;
    EXPECT_EQ(pos.TotalPrice(), Money{});
}

// --- Kit choices of the sash hardware dialog ---

// Rebate 101 (12/20-9), backset 201 (15 mm), opening type 401, mullion type 301; kits K and K2 with
// four sides, side 1 carrying the handle; H a handle, D a door closer. Only K3 has a set rule: two
// pieces of article ART at 10 in currency 1 (rate 2).
const char* const kChoiceCatalog = R"(
INSERT INTO ParamList (ID, Name, FalzLuft, FalzSize, FalzPos, DornMass, OpenType, StulpType) VALUES
  (101, '12/20-9', 12, 20, 9, 0, 0, 0), (201, '15', 0, 0, 0, 15, 0, 0), (301, 'Штульп', 0, 0, 0, 0, 0, 1),
  (401, 'Поворотно-откидная', 0, 0, 0, 0, 0, 0);
INSERT INTO FrnComp (ID, Name, Image, ScrColor, Direct, TFlugelAvailable) VALUES
  ('K', 'Комплект ПО', 2, 255, 1, 1), ('K2', 'Комплект П', 1, 255, 1, 1), ('H', 'Ручка белая', 4, 1, 3, 1),
  ('D', 'Доводчик', 0, 1, 3, 1), ('K3', 'Комплект с запором', 2, 255, 1, 1);
INSERT INTO FrnSet (ID, Item, Number) VALUES ('K3', 'E1', 2);
INSERT INTO FrnItem (ID, Name) VALUES ('E1', 'Запор');
INSERT INTO FrnArt (ID, CatalogID) VALUES ('E1', 'ART');
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('ART', 'Запор', 10, 1, 0);
INSERT INTO Currency (ID, Name, Value) VALUES (1, 'EUR', 2);
INSERT INTO FrnSide (ID, Side, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('K', 1, 1, 3, 1, 0, 0, 0), ('K', 4, 0, 0, 0, 1, 0, 0), ('K2', 1, 0, 0, 1, 0, 0, 0);
)";

class PositionFurniture : public ::testing::Test {
  protected:
    void Build(uint8_t mode) {
        pos.FlugelMode = mode;
        pos.Falz = 101;
        pos.StulpType = 301;
        pos.OpenType = 401;
        pos.BuildGeometry(
            mode == kOneSash ? TSizeRec{700, 1400, 0, 0, 0, 0, 0} : TSizeRec{1400, 1400, 1, 600, 800, 0, 0}, 201);
    }
    static TFurnChoice Kit(const QString& complect) {
        TFurnChoice c;
        c.ComplectID = complect;
        c.Dorn = 201;
        return c;
    }
    void Set(const TFurnChoice& left, const TFurnChoice& right, const QString& system = "1") {
        pos.SetFurniture(system, "P", left, right, "WHT", 101, 301, 401, 70, 58);
    }
    CatalogFixture catalog{QString::fromUtf8(kChoiceCatalog)};
    TqxfConstruction pos;
};

TEST_F(PositionFurniture, OneSashGetsItsKitAndTheSecondSashNone) {
    Build(kOneSash);
    TFurnChoice left = Kit("K");
    left.HandleID = "H";
    left.Props = QStringList{QStringLiteral("1=11")};
    Set(left, Kit("K2"));
    EXPECT_EQ(pos.FurnSys, QStringLiteral("1"));
    EXPECT_EQ(pos.Falz, 101);
    EXPECT_EQ(pos.ProfThickness, 58.0f);
    ASSERT_TRUE(pos.Flugel1->FurnComp);
    const TqxfFurnComp& kit = *pos.Flugel1->FurnComp;
    EXPECT_EQ(kit.FurnSys, QStringLiteral("1"));
    EXPECT_EQ(kit.ProfSys, QStringLiteral("P"));
    EXPECT_EQ(kit.Color, QStringLiteral("WHT"));
    EXPECT_EQ(kit.HandleID, QStringLiteral("H"));
    EXPECT_EQ(kit.Props, left.Props);
    EXPECT_EQ(pos.Flugel1->Dorn, 201);
    EXPECT_TRUE(pos.Flugel1->Line(0).Handled);
    EXPECT_EQ(pos.Flugel1->Line(0).HandleHeight, 700);
    EXPECT_FALSE(pos.Flugel2->FurnComp);
    EXPECT_EQ(pos.Price, Money{});
}

TEST_F(PositionFurniture, AnEmptyChoiceDropsTheKitAndItsSideFlags) {
    Build(kOneSash);
    Set(Kit("K"), TFurnChoice{});
    ASSERT_TRUE(pos.Flugel1->FurnComp);
    TFurnChoice none;
    none.Dorn = 201;
    none.Props = QStringList{QStringLiteral("1=11")};  // properties alone are no kit
    Set(none, TFurnChoice{});
    EXPECT_FALSE(pos.Flugel1->FurnComp);
    EXPECT_FALSE(pos.Flugel1->Line(0).Handled);
    EXPECT_FALSE(pos.Flugel1->Line(0).Opening);
    EXPECT_FALSE(pos.Flugel1->Line(3).Banded);
}

TEST_F(PositionFurniture, AFailedSelectionDropsAKitCreatedInTheCallOnly) {
    Build(kOneSash);
    auto failing = [&] {
        try {
            pos.Flugel1->SetFurniture("1", "P", "WHT", Kit("FAIL"));
        } catch (const TqxfError& e) {
            return e.Message;
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(failing(), QStringLiteral("Комплект фурнитуры [FAIL] не найден в документации!"));
    EXPECT_FALSE(pos.Flugel1->FurnComp) << "created in the failed call";

    pos.Flugel1->SetFurniture("1", "P", "WHT", Kit("K3"));
    TqxfFurnComp* kit = pos.Flugel1->FurnComp.get();
    ASSERT_EQ(kit->ItemCount(), 1);
    EXPECT_EQ(failing(), QStringLiteral("Комплект фурнитуры [FAIL] не найден в документации!"));
    ASSERT_EQ(pos.Flugel1->FurnComp.get(), kit) << "a kit that was there stays";
    EXPECT_EQ(kit->ItemCount(), 0) << "without items after the failed selection";
}

TEST_F(PositionFurniture, TheSelectedArticlesArePricedIntoThePosition) {
    Build(kTwoSashesLeftActive);
    TqxfCurrencyList rates{{1, 2.0f}};
    struct Context : TqxfSetup {
        explicit Context(const TqxfCurrencyList* rates) {
            PriceCurrencies = rates;
            PriceCurrency = 1;
            SetSetup(this);
        }
        ~Context() { SetSetup(nullptr); }
    } context(&rates);
    Set(Kit("K3"), Kit("K3"));
    for (TqxfFlugel* f : {pos.Flugel1.get(), pos.Flugel2.get()}) {
        ASSERT_TRUE(f->FurnComp);
        ASSERT_EQ(f->FurnComp->ItemCount(), 1);
        EXPECT_EQ(f->FurnComp->Item(0).Article, QStringLiteral("ART"));
        EXPECT_EQ(f->FurnComp->Item(0).Count, 2);
        ASSERT_EQ(f->MatList.size(), 1u);
        EXPECT_EQ(f->MatList[0]->Cost, Money::FromInt(20));
    }
    EXPECT_EQ(pos.Price, Money::FromInt(40));
}

TEST_F(PositionFurniture, TheActiveSashIsServedFirst) {
    // Right sash active: an empty choice there first, then the passive left sash keeps its new kit.
    Build(kTwoSashesRightActive);
    Set(Kit("K"), TFurnChoice{});
    EXPECT_TRUE(pos.Flugel1->FurnComp);
    EXPECT_FALSE(pos.Flugel2->FurnComp);

    TqxfConstruction other;
    other.FlugelMode = kTwoSashesLeftActive;
    other.Falz = 101;
    other.BuildGeometry(TSizeRec{1400, 1400, 2, 600, 800, 0, 0}, 201);
    other.SetFurniture("1", "P", TFurnChoice{}, Kit("K"), "WHT", 101, 301, 401, 70, 58);
    EXPECT_FALSE(other.Flugel1->FurnComp);
    EXPECT_TRUE(other.Flugel2->FurnComp);
}

TEST_F(PositionFurniture, AnotherSystemOnTheActiveSashDropsThePassiveKit) {
    Build(kTwoSashesRightActive);  // Flugel1 passive
    Set(Kit("K2"), Kit("K"));
    ASSERT_TRUE(pos.Flugel1->FurnComp);
    ASSERT_TRUE(pos.Flugel2->FurnComp);

    pos.Flugel2->SetFurniture("1", "P", "WHT", Kit("K2"));  // same system
    EXPECT_TRUE(pos.Flugel1->FurnComp);
    pos.Flugel1->SetFurniture("2", "P", "WHT", Kit("K2"));  // the passive sash itself
    EXPECT_TRUE(pos.Flugel1->FurnComp);
    pos.Flugel2->SetFurniture("1", "P", "WHT", Kit("K"));  // "1" differs from the passive kit's "2"
    EXPECT_FALSE(pos.Flugel1->FurnComp);
    EXPECT_TRUE(pos.Flugel2->FurnComp);
}

TEST_F(PositionFurniture, ApplyComplectSetsFlagsWithoutTheSelectionOrThePassiveRule) {
    Build(kTwoSashesRightActive);
    GiveKit(*pos.Flugel1, "7");
    TFurnChoice right = Kit("K");
    pos.ApplyComplect(Kit("K2"), right);
    ASSERT_TRUE(pos.Flugel1->FurnComp);
    EXPECT_EQ(pos.Flugel1->FurnComp->FurnSys, QStringLiteral("7")) << "systems stay";
    EXPECT_EQ(pos.Flugel1->FurnComp->ComplectID, QStringLiteral("K2"));
    ASSERT_TRUE(pos.Flugel2->FurnComp);
    EXPECT_TRUE(pos.Flugel2->Line(0).Handled);
    EXPECT_EQ(pos.Flugel2->FurnComp->FurnSys, QString()) << "a new kit gets no system from ApplyComplect";
    EXPECT_NO_THROW(pos.Flugel2->ApplyComplect(Kit("FAIL"))) << "no hardware selection runs";
    EXPECT_TRUE(pos.Flugel1->FurnComp) << "the passive sash rule does not run";
}

TEST_F(PositionFurniture, KitNamesListTheChosenElementsOfBothSashes) {
    Build(kTwoSashesLeftActive);
    TqxfFurnComp& left = GiveKit(*pos.Flugel1, "1");
    left.ComplectID = "K";
    left.HandleID = "H";
    left.HingeID = "NOKIT";  // no catalog row: an empty line
    left.LockID = "K2";      // locks and latches are not listed
    left.LatchID = "K2";
    GiveKit(*pos.Flugel2, "1").DriveID = "D";
    QStringList lines{QStringLiteral("before")};
    pos.KitNames(lines);
    EXPECT_EQ(lines, (QStringList{"before", "Комплект ПО", "Ручка белая", "", "Доводчик"}));
}

}  // namespace
}  // namespace qx
