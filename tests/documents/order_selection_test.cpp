// order_selection_test.cpp — selections: lines taken from order files, their refresh, the order
// list, the material list priced in the selection's own rates, the sorts and the selection file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>

#include "common/codec.h"
#include "common/messages.h"
#include "construction/construction.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "documents/order_selection.h"
#include "shell/paths.h"
#include "shell/setup.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// Article A costs 10 in currency 2, article B 4 in currency 1; neither has a price group.
const char* const kCatalog = R"(
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('ART-A', 'Петля', 10, 2, 0);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('ART-B', 'Ручка', 4, 1, 0);
)";

struct MatLine {
    const char* ID;
    float Number;
};

struct PositionSpec {
    const char* PosNo;
    const char* PosName;
    int Quantity;
    int Width;
    int Height;
    std::vector<MatLine> Materials;  // the sash's stored lines, at a stored price of 1
    bool Checked = true;
};

// A data directory with its orders folder made the run's, and the catalog above.
class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedPaths_ = Paths();
        Paths().OrdersDir = QDir(catalog_.Root()).filePath("server/Orders");
        ASSERT_TRUE(QDir().mkpath(Paths().OrdersDir));
    }
    void TearDown() override { Paths() = savedPaths_; }

    QString ordersFile(const QString& name) const { return QDir(Paths().OrdersDir).filePath(name); }

    // Writes an order file whose rates differ from any selection's (a price taken from them would show).
    QString writeOrder(const QString& name, const QString& no, const std::vector<PositionSpec>& positions) {
        TqxfOrder order;
        order.No = no;
        order.Currency = 1;
        order.Currencies = {{1, 1.0f}, {2, 99.0f}};
        for (const PositionSpec& spec : positions) {
            std::unique_ptr<TqxfConstruction> position = order.NewPosition();
            position->PosNo = S(spec.PosNo);
            position->PosName = S(spec.PosName);
            position->Quantity = spec.Quantity;
            position->Checked = spec.Checked;
            position->BuildGeometry(TSizeRec{spec.Width, spec.Height, 0, 0, 0, 0, 0}, 0);
            for (const MatLine& m : spec.Materials) {
                auto line = std::make_unique<TqxfMatListItem>();
                line->ID = S(m.ID);
                line->Number = m.Number;
                line->Price = line->ListPrice = Money::FromInt(1);
                line->Cost = RoundMoney(m.Number);
                position->Flugel1->MatList.push_back(std::move(line));
            }
            order.AddPosition(std::move(position));
        }
        const QString file = ordersFile(name);
        EXPECT_TRUE(SaveOrderToFile(order, file));
        return file;
    }

    static QStringList lineKeys(const TqxfOrderSelection& selection) {
        QStringList keys;
        for (int i = 0; i < selection.Count(); ++i)
            keys << selection.Items(i)->OrderNo + "/" + selection.Items(i)->PosNo;
        return keys;
    }

    CatalogFixture catalog_{S(kCatalog)};
    RecordingMessageHandler messages_;
    ScopedMessageHandler scoped_{messages_};
    TqxfPaths savedPaths_;
};

TEST_F(SelectionTest, AddingAnOrderFileTakesItsPositionsAndAddingItAgainUpdatesThem) {
    const QString file =
        writeOrder("X.qfo370", "X-1", {{"1", "Окно", 2, 1000, 1400, {}}, {"2", "Дверь", 1, 900, 2100, {}}});
    TqxfOrderSelection selection;
    std::vector<int> added, updated;
    ASSERT_TRUE(selection.AddOrderFile(file, &added, &updated));
    EXPECT_EQ(added, (std::vector<int>{0, 1}));
    EXPECT_TRUE(updated.empty());
    ASSERT_EQ(selection.Count(), 2);
    const TqxfOrderSelectionItem& first = *selection.Items(0);
    EXPECT_TRUE(first.Checked);
    EXPECT_EQ(first.OrderNo, "X-1");
    EXPECT_EQ(first.PosNo, "1");
    EXPECT_EQ(first.PosName, S("Окно"));
    EXPECT_EQ(first.Quantity, 2);
    EXPECT_EQ(first.OrderFile, "%X.qfo370");
    EXPECT_EQ(first.Owner, &selection);
    {
        TqxfOrder order;
        bool converted = false;
        ASSERT_TRUE(LoadOrderFromFile(order, file, converted));
        int32_t w = 0, h = 0;
        order.Positions(0)->GetSize(w, h);
        EXPECT_GT(w, 0);
        EXPECT_EQ(first.Width, float(w));
        EXPECT_EQ(first.Height, float(h));
    }

    // The user excludes the first line; the order gains a position and changes another.
    selection.Items(0)->Checked = false;
    writeOrder("X.qfo370", "X-1",
               {{"1", "Окно большое", 5, 1000, 1400, {}},
                {"2", "Дверь", 1, 900, 2100, {}},
                {"3", "Фрамуга", 1, 600, 400, {}}});
    added.clear();
    ASSERT_TRUE(selection.AddOrderFile(file, &added, &updated));
    EXPECT_EQ(lineKeys(selection), (QStringList{"X-1/1", "X-1/2", "X-1/3"}));
    EXPECT_EQ(added, (std::vector<int>{2}));
    EXPECT_EQ(updated, (std::vector<int>{0, 1}));
    EXPECT_FALSE(selection.Items(0)->Checked);
    EXPECT_EQ(selection.Items(0)->Quantity, 5);
    EXPECT_EQ(selection.Items(0)->PosName, S("Окно большое"));
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(SelectionTest, FindLineIgnoresLetterCaseAlsoInCyrillic) {
    TqxfOrderSelection selection;
    for (const auto& [order, pos] : {std::pair{"a1", "1"}, std::pair{"зк-1", "п1"}}) {
        auto line = std::make_unique<TqxfOrderSelectionItem>();
        line->OrderNo = S(order);
        line->PosNo = S(pos);
        selection.AddItem(std::move(line));
    }
    EXPECT_EQ(selection.FindLine("A1", "1"), 0);
    EXPECT_EQ(selection.FindLine(S("ЗК-1"), S("П1")), 1);
    EXPECT_EQ(selection.FindLine("A1", "2"), -1);
}

TEST_F(SelectionTest, TheOrderListNamesAnOrderAgainWhenItsFileFollowsAnother) {
    const QString x = writeOrder("X.qfo370", "X-1",
                                 {{"1", "", 1, 500, 500, {}}, {"2", "", 1, 500, 500, {}}, {"3", "", 1, 500, 500, {}}});
    const QString y = writeOrder("Y.qfo370", "Y-7", {{"1", "", 1, 500, 500, {}}});
    TqxfOrderSelection selection;
    ASSERT_TRUE(selection.AddOrderFile(x));
    ASSERT_TRUE(selection.AddOrderFile(y));
    selection.MoveItem(2, 3);  // X, X, Y, X
    EXPECT_EQ(lineKeys(selection), (QStringList{"X-1/1", "X-1/2", "Y-7/1", "X-1/3"}));
    selection.Items(1)->Checked = false;  // excluded lines count too
    EXPECT_EQ(selection.OrderNoList(), "X-1,Y-7,X-1");

    // A line whose file has gone names nothing and reports nothing.
    QFile::remove(y);
    EXPECT_EQ(selection.OrderNoList(), "X-1,X-1");
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(SelectionTest, MaterialsOfTwoOrderFilesAreMergedSortedAndPricedInTheSelectionsOwnRates) {
    const QString x = writeOrder("X.qfo370", "X-1",
                                 {{"1", "", 2, 1000, 1400, {{"ART-B", 1}, {"ART-A", 2}}},
                                  {"2", "", 1, 900, 2100, {{"ART-B", 5}}},
                                  {"3", "", 4, 900, 2100, {{"ART-A", 100}}}});
    const QString y = writeOrder("Y.qfo370", "Y-7", {{"1", "", 3, 800, 800, {{"ART-A", 1}}}});
    TqxfOrderSelection selection;
    selection.Currencies = {{1, 1.0f}, {2, 2.5f}};
    selection.Currency = 1;
    ASSERT_TRUE(selection.AddOrderFile(x));
    ASSERT_TRUE(selection.AddOrderFile(y));
    selection.Items(2)->Checked = false;  // X-1/3 is left out

    // Whatever document is active, the selection prices in its own rates and leaves the context as it was.
    TqxfCurrencyList otherRates{{1, 1.0f}, {2, 50.0f}};
    qx::Setup().PriceCurrencies = &otherRates;
    qx::Setup().PriceCurrency = 2;
    TqxfMatList materials;
    selection.CollectSelMaterials(&materials);
    EXPECT_EQ(qx::Setup().PriceCurrencies, &otherRates);
    EXPECT_EQ(qx::Setup().PriceCurrency, 2);
    qx::Setup().PriceCurrencies = nullptr;
    qx::Setup().PriceCurrency = 0;

    ASSERT_EQ(materials.size(), 2u);
    // ART-A: 2 × 2 (X-1/1) + 1 × 3 (Y-7/1) = 7 pieces at 10 × 2.5 / 1 = 25.
    EXPECT_EQ(materials[0]->ID, "ART-A");
    EXPECT_EQ(materials[0]->Number, 7.0f);
    EXPECT_EQ(materials[0]->Price, Money::FromInt(25));
    EXPECT_EQ(materials[0]->ListPrice, Money::FromInt(25));
    EXPECT_EQ(materials[0]->Cost, Money::FromInt(175));
    // ART-B: 1 × 2 + 5 × 1 = 7 pieces at 4.
    EXPECT_EQ(materials[1]->ID, "ART-B");
    EXPECT_EQ(materials[1]->Number, 7.0f);
    EXPECT_EQ(materials[1]->Cost, Money::FromInt(28));

    // In the selection's second currency the same lines cost 10 and 1.6.
    selection.Currency = 2;
    TqxfMatList second;
    selection.CollectSelMaterials(&second);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0]->Price, Money::FromInt(10));
    EXPECT_EQ(second[1]->Price, Money::FromRaw(16000));

    // A missing target is no error.
    selection.CollectSelMaterials(nullptr);
}

TEST_F(SelectionTest, TwoLinesOfOnePositionGiveItsMaterialsTwiceAndMissingFilesAreSkippedSilently) {
    const QString x = writeOrder("X.qfo370", "X-1", {{"1", "", 1, 1000, 1400, {{"ART-B", 2}}}});
    TqxfOrderSelection selection;
    selection.Currencies = {{1, 1.0f}};
    selection.Currency = 1;
    ASSERT_TRUE(selection.AddOrderFile(x));
    auto copy = std::make_unique<TqxfOrderSelectionItem>(*selection.Items(0));
    auto lost = std::make_unique<TqxfOrderSelectionItem>(*selection.Items(0));
    lost->OrderFile = "%GONE.qfo370";
    selection.AddItem(std::move(copy));
    selection.AddItem(std::move(lost));
    auto renumbered = std::make_unique<TqxfOrderSelectionItem>(*selection.Items(0));
    renumbered->PosNo = "99";  // the file no longer holds this position
    selection.AddItem(std::move(renumbered));

    TqxfMatList materials;
    selection.CollectSelMaterials(&materials);
    ASSERT_EQ(materials.size(), 1u);
    EXPECT_EQ(materials[0]->Number, 4.0f);
    EXPECT_EQ(materials[0]->Cost, Money::FromInt(16));
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(SelectionTest, RefreshingReadsTheLinesFromTheirFilesAndLeavesLinesWithoutAPositionAlone) {
    const QString x =
        writeOrder("X.qfo370", "X-1", {{"1", "Окно", 2, 1000, 1400, {}}, {"2", "Дверь", 1, 900, 2100, {}}});
    TqxfOrderSelection selection;
    ASSERT_TRUE(selection.AddOrderFile(x));
    auto lost = std::make_unique<TqxfOrderSelectionItem>(*selection.Items(1));
    lost->OrderFile = "%GONE.qfo370";
    lost->PosName = "stays";
    selection.AddItem(std::move(lost));

    // The order is renumbered, position 1 excluded and enlarged, position 2 removed.
    writeOrder("X.qfo370", "X-2", {{"1", "Окно новое", 7, 1200, 1500, {}, false}});
    selection.RefreshItems(false);
    const TqxfOrderSelectionItem& first = *selection.Items(0);
    EXPECT_EQ(first.OrderNo, "X-2");
    EXPECT_EQ(first.Quantity, 7);
    EXPECT_EQ(first.PosName, S("Окно новое"));
    EXPECT_TRUE(first.Checked);
    {
        TqxfOrder order;
        bool converted = false;
        ASSERT_TRUE(LoadOrderFromFile(order, x, converted));
        int32_t w = 0, h = 0;
        order.Positions(0)->GetSize(w, h);
        EXPECT_EQ(first.Width, float(w));  // the size as it is now, not 0
        EXPECT_EQ(first.Height, float(h));
    }
    EXPECT_EQ(selection.Items(1)->OrderNo, "X-1");  // position 2 is gone: unchanged
    EXPECT_EQ(selection.Items(1)->PosName, S("Дверь"));
    EXPECT_EQ(selection.Items(2)->PosName, "stays");

    selection.RefreshItems(true);
    EXPECT_FALSE(selection.Items(0)->Checked);
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(SelectionTest, ItemPositionReadsThePositionFromTheLinesFile) {
    const QString x = writeOrder("X.qfo370", "X-1", {{"A1", "Окно", 2, 1000, 1400, {}}});
    TqxfOrderSelection selection;
    ASSERT_TRUE(selection.AddOrderFile(x));
    selection.Items(0)->PosNo = "a1";
    std::unique_ptr<TqxfOrder> order;
    TqxfConstruction* position = selection.ItemPosition(*selection.Items(0), order);
    ASSERT_NE(position, nullptr);
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(position->Order, order.get());
    EXPECT_EQ(position->PosName, S("Окно"));

    selection.Items(0)->PosNo = "B2";
    EXPECT_EQ(selection.ItemPosition(*selection.Items(0), order), nullptr);
    selection.Items(0)->OrderFile = "%GONE.qfo370";
    EXPECT_EQ(selection.ItemPosition(*selection.Items(0), order), nullptr);
    EXPECT_EQ(order, nullptr);
}

struct SortCase {
    const char* Name;
    void (TqxfOrderSelection::*Sort)();
    std::vector<const char*> Expected;  // line names
};

class SelectionSorts : public ::testing::TestWithParam<SortCase> {};

TEST_P(SelectionSorts, CompareTheKeysByteWiseInWindows1251) {
    // name, order, position, posname, file
    const std::vector<std::array<const char*, 5>> lines = {
        {"l1", "б", "2", "Окно", "%B"}, {"l2", "Б", "10", "окно", "%a"}, {"l3", "a", "2", "Дверь", "%B"},
        {"l4", "B", "1", "Окно", "%a"}, {"l5", "Б", "2", "Окно", "%A"},
    };
    TqxfOrderSelection selection;
    for (const auto& l : lines) {
        auto line = std::make_unique<TqxfOrderSelectionItem>();
        line->Checked = true;
        line->OrderNo = S(l[1]);
        line->PosNo = S(l[2]);
        line->PosName = S(l[3]);
        line->OrderFile = S(l[4]);
        line->Quantity = static_cast<int>(&l - lines.data());
        selection.AddItem(std::move(line));
    }
    (selection.*GetParam().Sort)();
    QStringList names;
    for (int i = 0; i < selection.Count(); ++i)
        names << S(lines[selection.Items(i)->Quantity][0]);
    QStringList expected;
    for (const char* name : GetParam().Expected)
        expected << S(name);
    EXPECT_EQ(names, expected);
}

// Windows-1251: "B" 42 < "a" 61 < "Б" C1 < "б" E1; "Дверь" < "Окно" < "окно"; "%A" < "%B" < "%a"; "1" < "10" < "2".
INSTANTIATE_TEST_SUITE_P(
    All, SelectionSorts,
    ::testing::Values(SortCase{"ByOrder", &TqxfOrderSelection::SortByOrder, {"l4", "l3", "l2", "l5", "l1"}},
                      SortCase{"ByPos", &TqxfOrderSelection::SortByPos, {"l4", "l2", "l3", "l5", "l1"}},
                      SortCase{"ByName", &TqxfOrderSelection::SortByName, {"l3", "l4", "l5", "l1", "l2"}},
                      SortCase{"ByFile", &TqxfOrderSelection::SortByFile, {"l5", "l3", "l1", "l4", "l2"}}),
    [](const ::testing::TestParamInfo<SortCase>& info) { return std::string(info.param.Name); });

TEST_F(SelectionTest, TheFileKeepsEveryFieldAndStartsWithItsHeaderAndStamp) {
    TqxfOrderSelection selection;
    selection.Version = "01.01.2000";  // every save writes the current stamp
    selection.Spare1 = 7;
    selection.Spare3 = -3;
    selection.No = S("В-12");
    selection.SelDate = 45000;
    selection.SelName = S("Объект «Заря»");
    selection.Currencies = {{1, 1.0f}, {2, 91.25f}};
    selection.Currency = 2;
    selection.PriceGroupNo = 3;
    selection.NDSTax = 20;
    selection.RoundMode = 1;
    selection.Notes = {S("первая"), S("вторая")};
    auto line = std::make_unique<TqxfOrderSelectionItem>();
    line->Checked = false;
    line->OrderNo = "X-1";
    line->PosNo = "2";
    line->Width = 1000.5f;
    line->Height = 1400;
    line->Quantity = 3;
    line->PosName = S("Окно");
    line->OrderFile = "%X.qfo370";
    selection.AddItem(std::move(line));
    const QString file = QDir(catalog_.Root()).filePath("sel.qfs370");
    ASSERT_TRUE(selection.SaveToFile(file));
    EXPECT_EQ(selection.Version, "06.10.2015");

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.left(4), QByteArray("\x20\0\0\0", 4));
    EXPECT_EQ(bytes.mid(4, 32), "Quarnix Furniture Selection File");
    EXPECT_EQ(bytes.mid(36, 4), QByteArray("\x0A\0\0\0", 4));
    EXPECT_EQ(bytes.mid(40, 10), "06.10.2015");

    TqxfOrderSelection loaded;
    bool converted = true;
    ASSERT_TRUE(loaded.LoadFromFile(file, &converted));
    EXPECT_FALSE(converted);
    EXPECT_EQ(loaded.Spare1, 7);
    EXPECT_EQ(loaded.Spare3, -3);
    EXPECT_EQ(loaded.Created, selection.Created);
    EXPECT_EQ(loaded.No, selection.No);
    EXPECT_EQ(loaded.SelDate, 45000);
    EXPECT_EQ(loaded.SelName, selection.SelName);
    ASSERT_EQ(loaded.CurrencyCount(), 2);
    EXPECT_EQ(loaded.CurrencyItems(1).ID, 2);
    EXPECT_EQ(loaded.CurrencyItems(1).Rate, 91.25f);
    EXPECT_EQ(loaded.Currency, 2);
    EXPECT_EQ(loaded.PriceGroupNo, 3);
    EXPECT_EQ(loaded.NDSTax, 20.0f);
    EXPECT_EQ(loaded.RoundMode, 1);
    EXPECT_EQ(loaded.Notes, selection.Notes);
    ASSERT_EQ(loaded.Count(), 1);
    const TqxfOrderSelectionItem& l = *loaded.Items(0);
    EXPECT_FALSE(l.Checked);
    EXPECT_EQ(l.OrderNo, "X-1");
    EXPECT_EQ(l.PosNo, "2");
    EXPECT_EQ(l.Width, 1000.5f);
    EXPECT_EQ(l.Height, 1400.0f);
    EXPECT_EQ(l.Quantity, 3);
    EXPECT_EQ(l.PosName, S("Окно"));
    EXPECT_EQ(l.OrderFile, "%X.qfo370");
    EXPECT_EQ(l.Owner, &loaded);

    // Saving the loaded selection gives the same bytes.
    const QString again = QDir(catalog_.Root()).filePath("again.qfs370");
    ASSERT_TRUE(loaded.SaveToFile(again));
    QFile g(again);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_EQ(g.readAll(), bytes);
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(SelectionTest, AFileThatIsNoSelectionIsRefusedByItsHeader) {
    const QString order = writeOrder("X.qfo370", "X-1", {{"1", "", 1, 500, 500, {}}});
    const QString empty = QDir(catalog_.Root()).filePath("empty.qfs370");
    {
        QFile f(empty);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    for (const QString& file : {order, empty}) {
        messages_.clear();
        TqxfOrderSelection selection;
        selection.No = "keep";
        EXPECT_FALSE(selection.LoadFromFile(file)) << file.toStdString();
        EXPECT_EQ(messages_.texts(MessageKind::Error),
                  QStringList{S("Данный файл не является файлом Tarkon Dravento!")});
        EXPECT_EQ(messages_.Records.size(), 1u);
        EXPECT_EQ(selection.No, "keep");
    }
}

TEST_F(SelectionTest, AnOlderStampAsksForConversionAndANewerOneIsRefused) {
    const auto writeStamped = [&](const QString& stamp) {
        TqxfOrderSelection selection;
        selection.No = "S-1";
        selection.Version = stamp;
        TSpecStream stream;
        selection.SaveToStream(stream);
        const QString file = QDir(catalog_.Root()).filePath(stamp + ".qfs370");
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(stream.Data());
        return file;
    };
    const QString older = writeStamped("01.01.2010");
    const QString newer = writeStamped("01.01.2020");

    TqxfOrderSelection selection;
    bool converted = false;
    messages_.ConfirmAnswers = {false};
    EXPECT_FALSE(selection.LoadFromFile(older, &converted));
    EXPECT_EQ(messages_.texts(MessageKind::Confirm),
              QStringList{S("Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: 01.01.2010\r\nТекущая "
                            "версия: 06.10.2015")});
    EXPECT_NE(selection.No, "S-1");

    messages_.clear();
    messages_.ConfirmAnswers = {true};
    EXPECT_TRUE(selection.LoadFromFile(older, &converted));
    EXPECT_TRUE(converted);
    EXPECT_EQ(selection.No, "S-1");
    EXPECT_EQ(selection.Version, "01.01.2010");

    messages_.clear();
    TqxfOrderSelection other;
    EXPECT_FALSE(other.LoadFromFile(newer, &converted));
    EXPECT_EQ(messages_.texts(MessageKind::Warning),
              QStringList{S("Вы пытаетесь открыть выборку, созданную более новой версией программы, чем "
                            "текущая.\r\nДанный модуль поддерживает файлы выборки\r\nверсии не старше: "
                            "06.10.2015!\r\nЗагружаемая версия: 01.01.2020")});
    EXPECT_TRUE(other.No.isEmpty());
}

TEST_F(SelectionTest, ACutFileAndAFailedSaveAreReported) {
    TqxfOrderSelection selection;
    selection.No = "S-1";
    for (int i = 0; i < 3; ++i)
        selection.AddItem(std::make_unique<TqxfOrderSelectionItem>());
    const QString file = QDir(catalog_.Root()).filePath("sel.qfs370");
    ASSERT_TRUE(selection.SaveToFile(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();

    const QString cut = QDir(catalog_.Root()).filePath("cut.qfs370");
    QFile c(cut);
    ASSERT_TRUE(c.open(QIODevice::WriteOnly));
    c.write(bytes.left(bytes.size() - 20));
    c.close();
    TqxfOrderSelection loaded;
    EXPECT_FALSE(loaded.LoadFromFile(cut));
    ASSERT_EQ(messages_.texts(MessageKind::Error).size(), 1);
    EXPECT_TRUE(messages_.texts(MessageKind::Error)[0].startsWith(S("Ошибка загрузки выборки!\r\n(")));

    messages_.clear();
    EXPECT_FALSE(selection.SaveToFile(QDir(catalog_.Root()).filePath("no/such/dir/sel.qfs370")));
    ASSERT_EQ(messages_.texts(MessageKind::Error).size(), 1);
    EXPECT_TRUE(messages_.texts(MessageKind::Error)[0].startsWith(S("Ошибка сохранения выборки!\r\n(")));
}

TEST_F(SelectionTest, ANewSelectionTakesTheSettingsCurrencyAndTheCatalogsRates) {
    catalog_.Exec(
        "INSERT INTO Currency (ID, Name, Value) VALUES (1, 'руб', 1); "
        "INSERT INTO Currency (ID, Name, Value) VALUES (3, 'EUR', 90.5);");
    TqxfSetup setup;
    setup.CurCurrency = 3;
    setup.NDSTax = 20;
    SetSetup(&setup);
    {
        TqxfOrderSelection selection;
        selection.InitNewSelection();
        EXPECT_EQ(selection.Currency, 3);
        EXPECT_EQ(selection.NDSTax, 20.0f);
        EXPECT_EQ(selection.PriceGroupNo, 0);
        ASSERT_EQ(selection.CurrencyCount(), 2);
        EXPECT_EQ(selection.CurrencyItems(1).Rate, 90.5f);
        // Freeing the selection empties a context that points at its rates.
        setup.PriceCurrencies = &selection.Currencies;
    }
    EXPECT_EQ(setup.PriceCurrencies, nullptr);
    SetSetup(nullptr);
}

}  // namespace
}  // namespace qx
