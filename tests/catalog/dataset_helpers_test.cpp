// dataset_helpers_test.cpp — guarded opening of tables and queries, and emptying a table.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "catalog/dataset_helpers.h"
#include "common/error.h"
#include "support/catalog_fixture.h"

using namespace qx;

TEST(DatasetHelpers, FailedOpeningsAreShownAndReturnFalse) {
    CatalogFixture cat("DROP TABLE COLORSET;", false);
    CatalogTable& colors = cat.dm().T_Color;
    EXPECT_FALSE(OpenDataSet(colors));
    EXPECT_FALSE(colors.IsOpen());
    ASSERT_EQ(cat.Messages.Records.size(), 1u);
    EXPECT_EQ(cat.Messages.Records[0].Kind, MessageKind::Error);
    EXPECT_TRUE(
        cat.Messages.lastText().startsWith("Ошибка открытия файла [COLORSET]\r\n(Таблица [COLORSET] не найдена"));
    EXPECT_TRUE(OpenDataSet(cat.dm().T_FrnArt));
    EXPECT_TRUE(CloseDataSet(cat.dm().T_FrnArt));
    EXPECT_FALSE(cat.dm().T_FrnArt.IsOpen());

    QSqlQuery bad(cat.dm().CatalogDb());
    bad.prepare("SELECT * FROM Report WHERE \"Group\" = ?");  // a report table in the catalog: no such table
    EXPECT_FALSE(OpenDataSet(bad));
    EXPECT_TRUE(cat.Messages.lastText().startsWith("Ошибка открытия SQL-запроса:\r\n("));
    EXPECT_TRUE(cat.Messages.lastText().endsWith(")\r\nSQL:\r\n(SELECT * FROM Report WHERE \"Group\" = ?)"));
    QSqlQuery good(cat.dm().ReportDb());
    good.prepare("SELECT COUNT(*) FROM Report WHERE \"Group\" = ?");
    good.addBindValue(11);
    EXPECT_TRUE(OpenDataSet(good));
    ASSERT_TRUE(good.next());
    EXPECT_EQ(good.value(0).toInt(), 0);
    EXPECT_TRUE(CloseDataSet(good));
    EXPECT_EQ(cat.Messages.texts(MessageKind::Error).size(), 2);
}

TEST(DatasetHelpers, EmptyTableClosedKeepsTheTablesOpenState) {
    CatalogFixture cat(R"(
        INSERT INTO COLORSET (Color) VALUES ('C1'), ('C2');
        INSERT INTO SysProf (SchlSysID) VALUES ('S1');
        INSERT INTO ParamList (ID) VALUES (101), (201);
    )");
    TDM& dm = cat.dm();
    EmptyTableClosed(dm.T_Color);
    EXPECT_TRUE(dm.T_Color.IsOpen());
    EXPECT_EQ(dm.T_Color.RowCount(), 0);
    dm.T_SysProf.Close();
    EmptyTableClosed(dm.T_SysProf);
    EXPECT_FALSE(dm.T_SysProf.IsOpen());
    dm.T_SysProf.Open();
    EXPECT_EQ(dm.T_SysProf.RowCount(), 0);
    // A parameter list empties only its own range.
    EmptyTableClosed(dm.T_FalzList);
    dm.T_DornList.Refresh();
    EXPECT_EQ(dm.T_DornList.RowCount(), 1);
    // When emptying fails, the table is open again and the error reaches the caller.
    cat.Exec(R"(INSERT INTO COLORSET (Color) VALUES ('C3');
                CREATE TRIGGER NoDelete BEFORE DELETE ON COLORSET BEGIN SELECT RAISE(ABORT, 'удаление запрещено'); END;)");
    EXPECT_THROW(EmptyTableClosed(dm.T_Color), TqxfError);
    EXPECT_TRUE(dm.T_Color.IsOpen());
    EXPECT_EQ(dm.T_Color.RowCount(), 1);
}
