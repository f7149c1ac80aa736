// data_module_test.cpp — the data module: connections, the start-up open order, failing tables,
// the parameter-list objects and the run's module.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "catalog/data_module.h"
#include "common/error.h"
#include "support/catalog_fixture.h"

using namespace qx;

TEST(DataModule, OpensTheCatalogTablesInStartUpOrder) {
    CatalogFixture cat;
    QStringList order;
    for (CatalogTable* t : cat.dm().CatalogTables()) {
        order << t->ObjectName();
        EXPECT_TRUE(t->IsOpen()) << t->Name().toStdString();
    }
    EXPECT_EQ(order.join(' '),
              QStringLiteral("T_Color T_Currency T_PriceGrp T_SysList T_SysColor T_SysProp T_SysProf T_Catalog "
                             "T_Material T_FalzList T_DornList T_StulpList T_OpenList T_FrnComp T_FrnSide T_FrnItem "
                             "T_FrnSet T_FrnArt T_FrnSchl T_FrnDop T_FrnAbd T_FrnProp T_FrnItoI"));
    EXPECT_TRUE(cat.Messages.Records.empty());
    EXPECT_EQ(&DM(), &cat.dm());
    // The registry table is bound to the registry database but left to its window.
    EXPECT_FALSE(cat.dm().T_OrderList.IsOpen());
    cat.ExecRegistry(
        "INSERT INTO OrderLst (\"No\", RegDate, Cost) VALUES ('B-2', '2024-03-01', 10.5), ('A-7', '2023-12-31', 0)");
    cat.dm().T_OrderList.Open();
    EXPECT_EQ(cat.dm().T_OrderList.Text(0, "No"), QStringLiteral("A-7"));
    EXPECT_EQ(cat.dm().T_OrderList.DateValue(1, "RegDate"), QDate(2024, 3, 1));
    EXPECT_EQ(cat.dm().T_OrderList.MoneyValue(1, "Cost").Raw, 105000);
}

TEST(DataModule, AMissingTableIsReportedByNameAndTheOthersOpen) {
    CatalogFixture cat("DROP TABLE FrnSide; DROP TABLE FrnItoI;", false);
    EXPECT_EQ(cat.Open(), 2);
    const QStringList errors = cat.Messages.texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(
        errors[0].startsWith(QStringLiteral("Ошибка открытия файла [FrnSide]\r\n(Таблица [FrnSide] не найдена")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("Ошибка открытия файла [FrnItoI]\r\n(")));
    EXPECT_TRUE(errors[0].endsWith(QStringLiteral(")")));
    EXPECT_FALSE(cat.dm().T_FrnSide.IsOpen());
    EXPECT_TRUE(cat.dm().T_FrnArt.IsOpen());
    EXPECT_TRUE(cat.dm().T_FrnProp.IsOpen());
}

TEST(DataModule, ParameterListsSeeDisjointRangesOfOneTable) {
    CatalogFixture cat(R"(
        INSERT INTO ParamList (ID, Name, FalzLuft, DornMass, StulpType, OpenType)
        VALUES (99, 'ниже', 1, 0, 0, 0), (100, 'Ф100', 12, 0, 0, 0), (199, 'Ф199', 9, 0, 0, 0),
               (250, 'Д250', 0, 7.5, 0, 0), (300, 'Ш300', 0, 0, 2, 0), (450, 'О450', 0, 0, 0, 3), (500, 'выше', 0, 0, 0, 0);
        INSERT INTO Material (ID, Name) VALUES (0, 'нет'), (1, 'ПВХ'), (2, 'Алюминий');
    )");
    TDM& dm = cat.dm();
    struct ListCase {
        CatalogTable* table;
        const char* names;
    };
    for (const ListCase& c : {ListCase{&dm.T_FalzList, "Ф100 Ф199"}, ListCase{&dm.T_DornList, "Д250"},
                              ListCase{&dm.T_StulpList, "Ш300"}, ListCase{&dm.T_OpenList, "О450"}}) {
        QStringList names;
        for (int r = 0; r < c.table->RowCount(); ++r)
            names << c.table->Text(r, "Name");
        EXPECT_EQ(names.join(' '), QString::fromUtf8(c.names)) << c.table->ObjectName().toStdString();
        // Filters and locates see only the object's own rows.
        EXPECT_EQ(c.table->Locate("ID", {250}) >= 0, c.table == &dm.T_DornList);
        EXPECT_EQ(c.table->FilterCount("ID = 250"), c.table == &dm.T_DornList ? 1 : 0);
        EXPECT_EQ(c.table->FilterCount("ID < 100 or ID > 499"), 0);
    }
    EXPECT_EQ(dm.T_Material.RowCount(), 2);
    EXPECT_EQ(dm.T_Material.Locate("ID", {0}), -1);
}

TEST(DataModule, ConnectionsNeedTheirDatabaseFiles) {
    CatalogFixture cat;
    QDir(cat.Root()).mkpath("empty");
    const QString emptyDir = QDir(cat.Root()).filePath("empty");
    TDM other;
    try {
        other.Connect(emptyDir, QString(), QString());
        FAIL() << "connected to a directory without catalog.sqlite";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Ошибка открытия базы данных [") +
                                   QDir::toNativeSeparators(QDir(emptyDir).filePath("catalog.sqlite")) +
                                   QStringLiteral("]\r\n(файл не найден)"));
    }
    EXPECT_FALSE(QFile::exists(QDir(emptyDir).filePath("catalog.sqlite")));
    // Two modules on the same files at once, each with its own connections.
    other.Connect(cat.CatalogDir(), cat.RegistryDir(), cat.ReportDir());
    EXPECT_EQ(other.OpenCatalogTables(), 0);
    EXPECT_NE(other.CatalogDb().connectionName(), cat.dm().CatalogDb().connectionName());
    EXPECT_TRUE(other.ReportDb().isOpen());
    EXPECT_EQ(other.CatalogDir(), cat.CatalogDir());
}

TEST(DataModule, TheRunModuleMustBeInstalled) {
    {
        CatalogFixture cat;
        EXPECT_TRUE(HasDM());
    }
    EXPECT_FALSE(HasDM());
    try {
        DM();
        FAIL() << "DM() without a module";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Каталог не открыт!"));
    }
}
