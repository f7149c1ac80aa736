// catalog_table_test.cpp — table objects: table order, filters over real rows, locate, edits
// written through to the database, and the edit state.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "catalog/catalog_table.h"
#include "common/error.h"
#include "support/catalog_fixture.h"

using namespace qx;

namespace {

// Five articles of two elements, inserted out of key order; A-3 has empty (NULL) columns.
const char* const kArticles = R"(
INSERT INTO FrnArt (ID, CatalogID, "Key", FalzLuft, DornMassMin, DornMassMax, WeightMin, WeightMax, ProfSys, Color, Direct)
VALUES ('E2', 'B-2', 5, 12, 0, 0, 0, 200, 'S2', 'RAL9016', 3),
       ('E1', 'A-3', 3, NULL, 7.5, 15, 0, 130, NULL, NULL, 3),
       ('E1', 'A-1', 1, 12, 7.5, 15, 0, 80, 'S 1', 'RAL9016', 1),
       ('E2', 'B-1', 4, 9, 0, 0, 0, 130, 'S2', 'ral9016', 1),
       ('E1', 'A-2', 2, 12, 15, 30, 80, 130, 'S 1', '', 2);
)";

QString articlesOf(const CatalogTable& t, const std::vector<int>& rows) {
    QStringList ids;
    for (int r : rows)
        ids << t.Text(r, "CatalogID");
    return ids.join(QLatin1Char(','));
}

QString messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const TqxfError& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

}  // namespace

struct FilterCase {
    const char* filter;
    const char* articles;
};

class TableFilter : public ::testing::TestWithParam<FilterCase> {
  protected:
    static void SetUpTestSuite() { catalog_ = new CatalogFixture(QString::fromUtf8(kArticles)); }
    static void TearDownTestSuite() {
        delete catalog_;
        catalog_ = nullptr;
    }
    static CatalogFixture* catalog_;
};
CatalogFixture* TableFilter::catalog_ = nullptr;

TEST_P(TableFilter, PassesTheRowsTheExpressionSelectsInTableOrder) {
    const CatalogTable& t = catalog_->dm().T_FrnArt;
    const std::vector<int> rows = t.Filter(QString::fromUtf8(GetParam().filter));
    EXPECT_EQ(articlesOf(t, rows), QString::fromUtf8(GetParam().articles)) << GetParam().filter;
    EXPECT_EQ(t.FilterCount(QString::fromUtf8(GetParam().filter)), int(rows.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, TableFilter,
    ::testing::Values(
        FilterCase{"", "A-1,A-2,A-3,B-1,B-2"},  // table order: ID, CatalogID, Key
        FilterCase{"ID='E1' ", "A-1,A-2,A-3"},
        FilterCase{"ID = 'E1' and FalzLuft = 12 and WeightMin <= 50.00 and  WeightMax >= 50.00 ", "A-1"},
        // Texts compare exactly: letter case counts, blanks count.
        FilterCase{"Color = 'RAL9016'", "A-1,B-2"}, FilterCase{"Color = 'ral9016'", "B-1"},
        FilterCase{"ProfSys = 'S 1'", "A-1,A-2"}, FilterCase{"ProfSys = 'S1'", ""},
        FilterCase{"CatalogID < 'A-3'", "A-1,A-2"},
        // Column names in any letter case.
        FilterCase{"color = 'RAL9016' and CATALOGID <> 'B-2'", "A-1"}, FilterCase{"WEIGHTMAX > 100", "A-2,A-3,B-1,B-2"},
        // Empty columns read as 0 and as the empty text.
        FilterCase{"Color = ''", "A-2,A-3"}, FilterCase{"FalzLuft = 0", "A-3"}, FilterCase{"FalzLuft = ''", "A-3"},
        // Numbers compare numerically whatever the literal's form.
        FilterCase{"FalzLuft = 12.0", "A-1,A-2,B-2"}, FilterCase{"FalzLuft = '12'", "A-1,A-2,B-2"},
        FilterCase{"FalzLuft = 12.5", ""}, FilterCase{"DornMassMin <= 7.50 and DornMassMax >= 7.50", "A-1,A-3"},
        FilterCase{"Key >= 2 and Key <= 4", "A-2,A-3,B-1"}, FilterCase{"Direct <> 1", "A-2,A-3,B-2"},
        // Precedence and parentheses.
        FilterCase{"ID = 'E2' or ID = 'E1' and Direct = 2", "A-2,B-1,B-2"},
        FilterCase{"(ID = 'E2' or ID = 'E1') and Direct = 1", "A-1,B-1"},
        FilterCase{"ID = 'E1' and (Direct = 3 or Direct = 2) ", "A-2,A-3"},
        FilterCase{"ID = 'E1' and Color = 'RAL9016' or ID = 'E2'", "A-1,B-1,B-2"}, FilterCase{"ID = 'E3'", ""},
        FilterCase{"ID = 'E1' and ID = 'E2'", ""},
        // Two columns, two literals.
        FilterCase{"DornMassMin = DornMassMax", "B-1,B-2"}, FilterCase{"1 = 1", "A-1,A-2,A-3,B-1,B-2"},
        FilterCase{"2 < 1", ""}));

TEST(TableFilterErrors, UnusableFiltersNameTheFilterText) {
    CatalogFixture cat(QString::fromUtf8(kArticles));
    const CatalogTable& t = cat.dm().T_FrnArt;
    struct Case {
        QString filter, reason;
    };
    const std::vector<Case> cases = {
        {"Colour = 'RAL9016'", "поле [Colour] не найдено в таблице [FrnArt]"},
        {"FalzLuft = 'abc'", "значение 'abc' поля [FalzLuft] не является числом"},
        {"ID = FalzLuft", "поля [ID] и [FalzLuft] нельзя сравнивать"},
        {"ID = 'E1' and", "ожидается имя поля или значение, позиция 14"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(messageOf([&] { t.Filter(c.filter); }), QStringLiteral("Ошибка в выражении фильтра [") + c.filter +
                                                              QStringLiteral("]\r\n(") + c.reason +
                                                              QStringLiteral(")"));
    // The table is untouched and still answers.
    EXPECT_EQ(t.FilterCount("ID = 'E1'"), 3);
}

TEST(TableFilterIndex, KeyedFiltersAgreeWithAFullScanAfterEdits) {
    CatalogFixture cat(QString::fromUtf8(kArticles));
    CatalogTable& t = cat.dm().T_FrnArt;
    // Build the indexes, then edit: the indexes must follow.
    EXPECT_EQ(t.FilterCount("ID = 'E1' and Color = 'RAL9016'"), 1);
    t.AppendRow({{"ID", "E1"}, {"CatalogID", "A-0"}, {"Color", "RAL9016"}});
    t.UpdateRow(t.Locate("CatalogID", {"B-1"}), {{"ID", "E1"}, {"Color", "RAL9016"}});
    t.DeleteRow(t.Locate("CatalogID", {"A-1"}));
    EXPECT_EQ(articlesOf(t, t.Filter("ID = 'E1' and Color = 'RAL9016'")), QStringLiteral("A-0,B-1"));
    EXPECT_EQ(articlesOf(t, t.Filter("(ID = 'E1') and (Color = 'RAL9016')")), QStringLiteral("A-0,B-1"));
    EXPECT_EQ(articlesOf(t, t.Filter("Color = 'RAL9016' and 1 = 1")), QStringLiteral("A-0,B-1,B-2"));
}

TEST(TableOrder, KeyedTablesReadInKeyOrderOthersInInsertionOrder) {
    CatalogFixture cat(R"(
        INSERT INTO FrnSet (ID, Item, "Key") VALUES ('K2', 'I1', 7), ('K1', 'I2', 1), ('K1', 'I1', 9), ('K1', 'I1', 3);
        INSERT INTO FrnItem (ID) VALUES ('Z'), ('A'), ('M');
        INSERT INTO FrnSchl (CatalogID, Item) VALUES ('C2', 'first'), ('C1', 'second'), ('C2', 'third');
    )");
    QStringList set;
    for (int r = 0; r < cat.dm().T_FrnSet.RowCount(); ++r)
        set << cat.dm().T_FrnSet.Text(r, "ID") + "/" + cat.dm().T_FrnSet.Text(r, "Item") + "/" +
                   cat.dm().T_FrnSet.Text(r, "Key");
    EXPECT_EQ(set.join(' '), QStringLiteral("K1/I1/3 K1/I1/9 K1/I2/1 K2/I1/7"));
    QStringList items;
    for (int r = 0; r < cat.dm().T_FrnItem.RowCount(); ++r)
        items << cat.dm().T_FrnItem.Text(r, "ID");
    EXPECT_EQ(items.join(' '), QStringLiteral("Z A M"));
    // Keepers are read in article order, rows of one article in insertion order.
    QStringList keepers;
    for (int r = 0; r < cat.dm().T_FrnSchl.RowCount(); ++r)
        keepers << cat.dm().T_FrnSchl.Text(r, "Item");
    EXPECT_EQ(keepers.join(' '), QStringLiteral("second first third"));
}

TEST(TableLocate, FindsTheFirstRowWithExactlyEqualValues) {
    CatalogFixture cat(R"(
        INSERT INTO FrnSide (ID, Side, HandleDirect) VALUES ('K1', 2, 20), ('K1', 1, 10), ('k1', 1, 99);
        INSERT INTO FrnProp (PropKey, ID) VALUES (5, 101), (5, 102), (6, 101);
        INSERT INTO Currency (ID, Name, "Value") VALUES (1, 'USD', 92.5), (2, 'EUR', 100.25);
    )");
    const CatalogTable& side = cat.dm().T_FrnSide;
    EXPECT_EQ(side.Int(side.Locate("ID;Side", {"K1", 1}), "HandleDirect"), 10);
    EXPECT_EQ(side.Int(side.Locate("id; side", {"k1", "1"}), "HandleDirect"), 99);
    EXPECT_EQ(side.Locate("ID;Side", {"K1", 3}), -1);
    EXPECT_EQ(side.Locate("ID;Side", {"K1", 1.5}), -1);
    EXPECT_EQ(side.Locate("ID", {"K1"}), 0);  // the first in table order
    const CatalogTable& prop = cat.dm().T_FrnProp;
    EXPECT_EQ(prop.Locate("PropKey;ID", {6, 101}), 2);
    EXPECT_EQ(prop.Locate("PropKey;ID", {6, 102}), -1);
    EXPECT_EQ(cat.dm().T_Currency.Locate("Value", {100.25}), 1);
    // Scanning options: letter case ignored, beginnings of texts.
    EXPECT_EQ(side.Int(side.Locate("ID;Side", {"k1", 2}, loCaseInsensitive), "HandleDirect"), 20);
    EXPECT_EQ(side.Locate("ID;Side", {"k", 1}, loPartialKey), 2);
    EXPECT_EQ(side.Locate("ID", {"x"}, loPartialKey | loCaseInsensitive), -1);
    // Wrong use names the table.
    EXPECT_EQ(messageOf([&] {
                  side.Locate("ID;Sides", {"K1", 1});
              }),
              QStringLiteral("Поле [Sides] не найдено в таблице [FrnSide]!"));
    EXPECT_THROW(side.Locate("ID;Side", {"K1"}), TqxfError);
}

TEST(TableValues, EmptyColumnsReadAsZeroAndEmptyTextMoneyRoundsHalfToEven) {
    CatalogFixture cat(R"(
        INSERT INTO Catalog (ID, Name, Price, "Group", Weight) VALUES ('A', NULL, 12.5, NULL, 0.125),
                                                                   ('B', 'Петля', 0.03125, 7, NULL),
                                                                   ('C', '', 0.09375, 7, NULL);
    )");
    const CatalogTable& t = cat.dm().T_Catalog;
    const int a = t.Locate("ID", {"A"});
    EXPECT_TRUE(t.IsNull(a, t.ColumnIndex("Name")));
    EXPECT_EQ(t.Text(a, "Name"), QString());
    EXPECT_EQ(t.Int(a, "Group"), 0);
    EXPECT_EQ(t.Value(a, "Group").toInt(), 0);
    EXPECT_EQ(t.MoneyValue(a, "Price").Raw, 125000);
    EXPECT_EQ(t.Text(a, "Weight"), QStringLiteral("0,125"));
    const int b = t.Locate("ID", {"B"});
    EXPECT_EQ(t.Text(b, "name"), QStringLiteral("Петля"));
    EXPECT_EQ(t.MoneyValue(b, "Price").Raw, 312);  // exact halves go to the even neighbour
    EXPECT_EQ(t.MoneyValue(t.Locate("ID", {"C"}), "Price").Raw, 938);
    EXPECT_EQ(t.Real(b, "Weight"), 0.0);
    EXPECT_EQ(t.ColumnName(t.ColumnIndex("GROUP")), QStringLiteral("Group"));
    EXPECT_EQ(messageOf([&] { t.Value(a, "Colour"); }),
              QStringLiteral("Поле [Colour] не найдено в таблице [Catalog]!"));
    EXPECT_THROW(t.Value(5, "Name"), TqxfError);
    EXPECT_THROW(t.Value(-1, "Name"), TqxfError);
}

TEST(TableEdits, WriteThroughWithBoundValuesAndKeepMemoryInStep) {
    CatalogFixture cat(R"(INSERT INTO FrnSet (ID, Item) VALUES ('K1', 'I1'), ('K3', 'I1');)");
    CatalogTable& t = cat.dm().T_FrnSet;
    // A text that would break pasted SQL is stored as it is; the engine numbers the row.
    const QString odd = QStringLiteral("x'); DROP TABLE FrnSet; --");
    const int row = t.AppendRow({{"ID", "K2"}, {"Item", odd}, {"Number", 4}});
    EXPECT_EQ(row, 1);  // between K1 and K3
    EXPECT_EQ(t.Current(), 1);
    EXPECT_EQ(t.Text(row, "Item"), odd);
    EXPECT_EQ(t.Int(row, "Key"), 3);
    t.UpdateRow(0, {{"ID", "K9"}, {"Number", "7"}});  // moves to the end
    EXPECT_EQ(t.Text(2, "ID"), QStringLiteral("K9"));
    EXPECT_EQ(t.Int(2, "Number"), 7);
    t.DeleteRow(t.Locate("ID", {"K3"}));
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Locate("ID", {"K3"}), -1);
    // Another module over the same file sees the same rows.
    TDM other;
    other.Connect(cat.CatalogDir(), QString(), QString());
    other.T_FrnSet.Open();
    ASSERT_EQ(other.T_FrnSet.RowCount(), 2);
    EXPECT_EQ(other.T_FrnSet.Text(0, "Item"), odd);
    EXPECT_EQ(other.T_FrnSet.Int(1, "Number"), 7);
    // Values the column cannot hold are refused before anything is written.
    EXPECT_EQ(messageOf([&] {
                  t.AppendRow({{"ID", "K5"}, {"Number", "много"}});
              }),
              QStringLiteral("Значение [много] не подходит для поля [Number] таблицы [FrnSet]!"));
    EXPECT_THROW(t.AppendRow({{"Nmber", 1}}), TqxfError);
    // A key violation comes back as an error and leaves memory as it was.
    const int k9 = t.Locate("ID", {"K9"});
    EXPECT_THROW(t.AppendRow({{"ID", "K9"}, {"Item", "I1"}, {"Key", qlonglong(t.Int(k9, "Key"))}}), TqxfError);
    EXPECT_EQ(t.RowCount(), 2);
    t.DeleteAll();
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_EQ(t.Current(), -1);
    other.T_FrnSet.Refresh();
    EXPECT_EQ(other.T_FrnSet.RowCount(), 0);
}

TEST(TableEdits, DeletingAFilteredObjectRemovesOnlyItsOwnRows) {
    CatalogFixture cat(R"(INSERT INTO ParamList (ID, Name) VALUES (101, 'Фальц'), (201, 'Дорн'), (301, 'Штульп');)");
    cat.dm().T_DornList.DeleteAll();
    cat.dm().T_FalzList.AppendRow({{"ID", 250}, {"Name", "вне списка"}});  // stored, but not a rebate type
    cat.Exec("");
    EXPECT_EQ(cat.dm().T_DornList.RowCount(), 1);
    EXPECT_EQ(cat.dm().T_DornList.Text(0, "Name"), QStringLiteral("вне списка"));
    EXPECT_EQ(cat.dm().T_FalzList.RowCount(), 1);
    EXPECT_EQ(cat.dm().T_StulpList.RowCount(), 1);
}

TEST(TableEditState, EditInsertPostAndCancelAsAGridDoes) {
    CatalogFixture cat(R"(INSERT INTO COLORSET (Color, Name) VALUES ('C1', 'Белый'), ('C3', 'Чёрный');)");
    CatalogTable& t = cat.dm().T_Color;
    EXPECT_EQ(t.State(), DataSetState::Browse);
    EXPECT_EQ(messageOf([&] { t.SetFieldValue("Name", "x"); }),
              QStringLiteral("Таблица [COLORSET] не находится в режиме редактирования!"));
    t.SetCurrent(1);
    t.Edit();
    t.SetFieldValue("name", "Графит");
    EXPECT_EQ(t.FieldValue("Name").toString(), QStringLiteral("Графит"));
    EXPECT_EQ(t.Text(1, "Name"), QStringLiteral("Чёрный"));  // nothing written before Post
    EXPECT_EQ(t.FieldValue("Color").toString(), QStringLiteral("C3"));
    t.Post();
    EXPECT_EQ(t.State(), DataSetState::Browse);
    EXPECT_EQ(t.Text(1, "Name"), QStringLiteral("Графит"));
    t.Edit();
    t.SetFieldValue("Name", "отменено");
    t.Cancel();
    EXPECT_EQ(t.Text(1, "Name"), QStringLiteral("Графит"));
    // Insert, fail on the key, stay in insert state until cancelled.
    t.Insert();
    EXPECT_TRUE(t.FieldValue("Color").isNull());
    t.SetFieldValue("Color", "C1");
    EXPECT_THROW(t.Post(), TqxfError);
    EXPECT_EQ(t.State(), DataSetState::Insert);
    t.SetFieldValue("Color", "C2");
    EXPECT_EQ(t.Post(), 1);
    EXPECT_EQ(t.Current(), 1);
    EXPECT_EQ(t.RowCount(), 3);
    // Engine-numbered columns are not assigned.
    CatalogTable& set = cat.dm().T_FrnSet;
    set.Insert();
    EXPECT_EQ(messageOf([&] { set.SetFieldValue("Key", 5); }),
              QStringLiteral("Поле [Key] таблицы [FrnSet] не может быть изменено!"));
    set.Cancel();
}
