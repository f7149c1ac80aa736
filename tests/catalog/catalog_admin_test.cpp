// catalog_admin_test.cpp — databases made from the built-in schema, SQL scripts, table listings.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "catalog/catalog_admin.h"
#include "common/error.h"
#include "support/catalog_fixture.h"

using namespace qx;

TEST(SqlScript, SplitsAtSemicolonsOutsideTextsCommentsAndTriggerBodies) {
    const QStringList statements = SplitSqlScript(R"(
        -- a comment; with a semicolon
        INSERT INTO FrnSet (ScaleScheme, Note) VALUES ('800;1200;1600', 'O''Brien; ok');
        /* block; comment */ UPDATE "Odd;Name" SET x = 1;
        CREATE TRIGGER T AFTER INSERT ON A BEGIN UPDATE A SET b = 1; DELETE FROM C; END;
        SELECT 1
    )");
    ASSERT_EQ(statements.size(), 4);
    EXPECT_EQ(statements[0],
              QStringLiteral("INSERT INTO FrnSet (ScaleScheme, Note) VALUES ('800;1200;1600', 'O''Brien; ok')"));
    EXPECT_EQ(statements[1], QStringLiteral("UPDATE \"Odd;Name\" SET x = 1"));
    EXPECT_EQ(statements[2],
              QStringLiteral("CREATE TRIGGER T AFTER INSERT ON A BEGIN UPDATE A SET b = 1; DELETE FROM C; END"));
    EXPECT_EQ(statements[3], QStringLiteral("SELECT 1"));
    EXPECT_TRUE(SplitSqlScript("  -- only a comment\n ; ;").isEmpty());
}

TEST(SqlScript, AFailingStatementIsNamedAndNothingOfTheScriptStays) {
    CatalogFixture cat;
    try {
        ExecSqlScript(cat.dm().CatalogDb(),
                      "INSERT INTO COLORSET (Color) VALUES ('C1'); INSERT INTO Nowhere VALUES (1);");
        FAIL() << "the script ran";
    } catch (const TqxfError& e) {
        EXPECT_TRUE(e.message().startsWith("Ошибка выполнения SQL-запроса:\r\n("));
        EXPECT_TRUE(e.message().endsWith(")\r\nSQL:\r\n(INSERT INTO Nowhere VALUES (1))"));
    }
    cat.dm().T_Color.Refresh();
    EXPECT_EQ(cat.dm().T_Color.RowCount(), 0);
}

TEST(CreateDatabase, MakesEmptyDatabasesFromTheBuiltInSchemaAndListsTheirTables) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString catalogDir = QDir(dir.path()).filePath("a/b/catalog");  // missing parents are made
    const QString file = CreateDatabase(DatabaseKind::Catalog, catalogDir);
    EXPECT_EQ(file, QDir(catalogDir).absoluteFilePath("catalog.sqlite"));
    QStringList names;
    for (const TTableInfo& t : ListTables(file)) {
        names << t.Name;
        EXPECT_EQ(t.Rows, 0) << t.Name.toStdString();
    }
    EXPECT_EQ(names.join(' '), QStringLiteral("FrnComp FrnSet FrnItem FrnArt FrnItoI FrnSchl FrnAbd FrnDop FrnProp "
                                              "FrnSide Catalog Currency PriceGrp SysList SysColor SysProp SysProf "
                                              "COLORSET Material ParamList"));
    // An existing database is never overwritten.
    EXPECT_THROW(CreateDatabase(DatabaseKind::Catalog, catalogDir), TqxfError);

    const QString registry = CreateDatabase(DatabaseKind::Registry, dir.path());
    const QString reports = CreateDatabase(DatabaseKind::Reports, dir.path());
    EXPECT_TRUE(registry.endsWith("/registry.sqlite"));
    {
        CatalogFixture cat("INSERT INTO FrnArt (ID) VALUES ('E1'), ('E2'); INSERT INTO Catalog (ID) VALUES ('A');");
        cat.ExecReports("INSERT INTO Report (Name, \"Group\", \"USE\") VALUES ('Заказ', 11, 1)");
        QStringList counts;
        for (const TTableInfo& t : ListTables(QDir(cat.CatalogDir()).filePath("catalog.sqlite")))
            if (t.Rows) counts << t.Name + ":" + QString::number(t.Rows);
        EXPECT_EQ(counts.join(' '), QStringLiteral("FrnArt:2 Catalog:1"));
        const auto reportTables = ListTables(QDir(cat.ReportDir()).filePath("reports.sqlite"));
        ASSERT_EQ(reportTables.size(), 1u);
        EXPECT_EQ(reportTables[0].Name, QStringLiteral("Report"));
        EXPECT_EQ(reportTables[0].Rows, 1);
    }
    EXPECT_EQ(ListTables(registry).front().Name, QStringLiteral("OrderLst"));
    EXPECT_EQ(ListTables(reports).front().Name, QStringLiteral("Report"));
    EXPECT_THROW(ListTables(QDir(dir.path()).filePath("none.sqlite")), TqxfError);
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("none.sqlite")));
    EXPECT_TRUE(SchemaText(DatabaseKind::Registry).contains("CREATE TABLE \"OrderLst\""));
}
