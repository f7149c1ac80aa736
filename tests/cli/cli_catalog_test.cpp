// cli_catalog_test.cpp — the catalog commands of the real tool: the demo catalog from creation to a
// built order, the check's exit status and output, and an import that finds nothing to import.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "cli_runner.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

class CatalogCli : public CliTest {};

}  // namespace

TEST_F(CatalogCli, DemoCatalogChecksCleanAndBuildsItsOrdersThroughAConfiguration) {
    const CliResult demo = run({"catalog", "demo", dir("demo")});
    ASSERT_EQ(demo.ExitCode, 0) << demo.Err.toStdString();
    EXPECT_TRUE(QFile::exists(dir("demo/catalog.sqlite")));
    EXPECT_TRUE(QFile::exists(dir("demo/QXFurniture.ini")));
    EXPECT_TRUE(QFile::exists(dir("demo/orders/05-doors.json")));
    EXPECT_TRUE(QFile::exists(dir("demo/reports/reports.sqlite")));

    ASSERT_EQ(run({"config", "add", "DEMO", "--catalog", dir("demo"), "--server", dir("server"), "--reports",
                   dir("demo/reports"), "--default"})
                  .ExitCode,
              0);
    const CliResult check = run({"catalog", "check"});
    EXPECT_EQ(check.ExitCode, 0) << check.Err.toStdString();
    EXPECT_EQ(check.Out.trimmed(), S("Справочник проверен: замечаний нет."));

    const CliResult tables = run({"--config", "DEMO", "catalog", "tables", "--json"});
    ASSERT_EQ(tables.ExitCode, 0);
    bool kits = false;
    for (const QJsonValue& t : tables.Json()[QStringLiteral("Tables")].toArray())
        if (t[QStringLiteral("Name")].toString() == QLatin1String("FrnComp"))
            kits = t[QStringLiteral("Rows")].toInt() > 0;
    EXPECT_TRUE(kits);

    const CliResult built = run({"order", "build", dir("demo/orders/05-doors.json"), "-o", dir("doors.qfo370")});
    EXPECT_EQ(built.ExitCode, 0) << built.Err.toStdString();
    EXPECT_TRUE(QFile::exists(dir("doors.qfo370")));
    // The demo's report templates are registered for orders and print the order.
    const CliResult reports = run({"report", "list", "--order", dir("doors.qfo370")});
    EXPECT_EQ(reports.ExitCode, 0) << reports.Err.toStdString();
    EXPECT_TRUE(reports.Out.contains(S("Коммерческое предложение"))) << reports.Out.toStdString();
    const CliResult pdf = run(
        {"report", "render", S("Спецификация фурнитуры"), "--order", dir("doors.qfo370"), "--pdf", dir("spec.pdf")});
    EXPECT_EQ(pdf.ExitCode, 0) << pdf.Err.toStdString();
    EXPECT_TRUE(readFile(dir("spec.pdf")).startsWith("%PDF"));

    // A second demo into the same directory refuses and leaves the first as it was.
    const QByteArray ini = readFile(dir("demo/QXFurniture.ini"));
    const CliResult again = run({"catalog", "demo", dir("demo")});
    EXPECT_EQ(again.ExitCode, 1);
    EXPECT_TRUE(again.Err.contains(S("уже существует"))) << again.Err.toStdString();
    EXPECT_EQ(readFile(dir("demo/QXFurniture.ini")), ini);
}

TEST_F(CatalogCli, CheckFailsWithTheFindingsWhenTheCatalogHasErrors) {
    ASSERT_EQ(run({"catalog", "demo", dir("demo")}).ExitCode, 0);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cli_catalog_test"));
        db.setDatabaseName(dir("demo/catalog.sqlite"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM FrnArt WHERE ID = 'E130'")));
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("cli_catalog_test"));

    const CliResult text = run({"--catalog-dir", dir("demo"), "catalog", "check"});
    EXPECT_EQ(text.ExitCode, 1);
    EXPECT_TRUE(
        text.Out.contains(S("Ошибка [FrnSet] комплект [W-TT-L] «Поворотно-откидной, петли слева», "
                            "элемент [E130] «Средний запор горизонтальный»: у элемента нет ни одного "
                            "артикула")))
        << text.Out.toStdString();
    EXPECT_TRUE(text.Err.contains(S("В справочнике найдены ошибки:"))) << text.Err.toStdString();

    const CliResult json = run({"--catalog-dir", dir("demo"), "catalog", "check", "--json"});
    EXPECT_EQ(json.ExitCode, 1);
    EXPECT_GT(json.Json()[QStringLiteral("Errors")].toInt(), 0);
    const QJsonObject first = json.Json()[QStringLiteral("Findings")].toArray().first().toObject();
    EXPECT_EQ(first[QStringLiteral("Severity")].toString(), QStringLiteral("error"));
    EXPECT_EQ(first[QStringLiteral("Element")].toString(), QStringLiteral("E130"));
}

TEST_F(CatalogCli, ImportWithoutAnyParadoxTableFailsAndLeavesNoCatalog) {
    ASSERT_TRUE(QDir().mkpath(dir("px")));
    const CliResult import = run({"catalog", "import-paradox", dir("px"), dir("imported")});
    EXPECT_EQ(import.ExitCode, 1);
    EXPECT_TRUE(import.Out.contains(S("FrnComp: не перенесена — файл FrnComp.DB не найден")))
        << import.Out.toStdString();
    EXPECT_TRUE(import.Err.contains(S("Ни одна таблица Paradox не перенесена"))) << import.Err.toStdString();
    EXPECT_FALSE(QFile::exists(dir("imported/catalog.sqlite")));

    EXPECT_EQ(run({"catalog", "import-paradox", dir("px")}).ExitCode, 2);
}

}  // namespace qx
