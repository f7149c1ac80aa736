// demo_catalog_test.cpp — the built-in demo catalog loads on the schema and answers like a
// supplier's catalog; a demo directory is written whole or not at all; the demo orders cover
// every figure.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <set>

#include "catalog/catalog_admin.h"
#include "catalog/data_module.h"
#include "catalog/demo_catalog.h"
#include "catalog/lookups.h"
#include "common/error.h"
#include "support/catalog_fixture.h"

using namespace qx;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(DemoCatalog, LoadsOnTheSchemaAndAnswersTheLookups) {
    CatalogFixture catalog(DemoCatalogSql());
    EXPECT_EQ(catalog.Messages.Records.size(), 0u);
    for (CatalogTable* table : catalog.dm().CatalogTables())
        EXPECT_GT(table->RowCount(), 0) << table->ObjectName().toStdString();

    EXPECT_EQ(GetKitName(QStringLiteral("W-TT-L")), QStringLiteral("Поворотно-откидной, петли слева"));
    const TFalzParams falz = GetFalzParams(102, false);
    EXPECT_EQ(falz.FalzLuft, 12);
    EXPECT_EQ(falz.FalzSize, 20);
    EXPECT_EQ(falz.FalzPos, 13);
    EXPECT_FLOAT_EQ(GetDornMass(203, false), 35.0f);
    EXPECT_EQ(GetStulpType(302, false), 2);
    EXPECT_EQ(GetOpenType(403, false), 2);  // the T-shaped sash
    EXPECT_EQ(GetSystemGroup(QStringLiteral("120"), false), 120);
    EXPECT_EQ(GetKeeperSystemName(QStringLiteral("P70")), QStringLiteral("DUV: ответные планки для профиля 70 мм"));
    EXPECT_EQ(GetCurrencyName(2), QStringLiteral("EUR"));
    EXPECT_DOUBLE_EQ(GetPriceGroupReduce(3, 0), -7.5);
    EXPECT_EQ(GetArticleUnit(QStringLiteral("DUV-15501")), QStringLiteral("м"));
    // RC1 chosen: the steel-keeper rows (set 22) apply, the standard ones (set 21) do not.
    const QStringList rc1{QStringLiteral("0=110"), QStringLiteral("0=121")};
    EXPECT_TRUE(MatchProperties(22, rc1, 0));
    EXPECT_FALSE(MatchProperties(21, rc1, 0));
    EXPECT_FALSE(MatchProperties(11, rc1, 0));  // no micro-ventilation
}

TEST(DemoCatalog, DirectoryHoldsTheCatalogTheSettingsAndTheOrders) {
    QTemporaryDir tmp;
    const QString dir = QDir(tmp.path()).filePath(QStringLiteral("demo"));
    const TDemoCatalogFiles files = CreateDemoCatalog(dir);

    EXPECT_EQ(files.CatalogFile, QDir(dir).absoluteFilePath(QStringLiteral("catalog.sqlite")));
    EXPECT_EQ(readAll(files.SettingsFile), DemoSettingsFile());
    EXPECT_TRUE(DemoSettingsFile().contains("DefFurnSys=110"));
    ASSERT_EQ(files.OrderFiles.size(), qsizetype(DemoOrderFiles().size()));
    EXPECT_EQ(readAll(files.OrderFiles.first()), DemoOrderFiles().front().second);

    TDM dm;
    dm.Connect(dir, QString(), QString());
    EXPECT_EQ(dm.OpenCatalogTables(), 0);
    EXPECT_EQ(dm.T_FrnComp.RowCount(), CatalogFixture(DemoCatalogSql()).dm().T_FrnComp.RowCount());
}

TEST(DemoCatalog, RefusesAnOccupiedDirectoryAndWritesNothing) {
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    QFile ini(QDir(dir).filePath(QStringLiteral("QXFurniture.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Firm]\nName=Своя фирма\n");
    ini.close();

    try {
        CreateDemoCatalog(dir);
        FAIL() << "an existing settings file must stop the demo";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Файл [%1] уже существует!").arg(QDir::toNativeSeparators(ini.fileName())));
    }
    EXPECT_EQ(readAll(ini.fileName()), QByteArray("[Firm]\nName=Своя фирма\n"));
    EXPECT_FALSE(QFile::exists(QDir(dir).filePath(QStringLiteral("catalog.sqlite"))));
    EXPECT_FALSE(QDir(QDir(dir).filePath(QStringLiteral("orders"))).exists());
}

TEST(DemoCatalog, OrdersCoverEveryFigureWindowsDoorsAndBothSashArrangements) {
    std::set<int> figures, objTypes;
    std::set<QString> colours, currencies;
    int twoSash = 0;
    for (const auto& [name, bytes] : DemoOrderFiles()) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << name.toStdString();
        currencies.insert(QString::number(doc[QStringLiteral("header")][QStringLiteral("Currency")].toInt()));
        for (const QJsonValue& p : doc[QStringLiteral("positions")].toArray()) {
            const QJsonObject pos = p.toObject();
            figures.insert(pos[QStringLiteral("Figure")].toInt());
            objTypes.insert(pos[QStringLiteral("ObjType")].toInt());
            colours.insert(pos[QStringLiteral("FurnColor")].toString());
            const int sashes = int(pos[QStringLiteral("Sashes")].toArray().size());
            EXPECT_EQ(sashes,
                      pos[QStringLiteral("Figure")].toInt() == 1 || pos[QStringLiteral("Figure")].toInt() == 2 ? 2 : 1)
                << name.toStdString() << " " << pos[QStringLiteral("PosNo")].toString().toStdString();
            if (sashes == 2) ++twoSash;
        }
    }
    EXPECT_EQ(figures, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(objTypes, (std::set<int>{0, 1}));
    EXPECT_EQ(colours, (std::set<QString>{"WH", "BR", "SL", "NC"}));
    EXPECT_EQ(currencies, (std::set<QString>{"1", "2", "3"}));
    EXPECT_GE(twoSash, 3);
}

TEST(DemoCatalog, AFailureHalfWayTakesBackWhatWasWritten) {
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    QFile blocker(QDir(dir).filePath(QStringLiteral("orders")));  // a file where the orders folder goes
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    EXPECT_THROW(CreateDemoCatalog(dir), TqxfError);
    EXPECT_FALSE(QFile::exists(QDir(dir).filePath(QStringLiteral("catalog.sqlite"))));
    EXPECT_FALSE(QFile::exists(QDir(dir).filePath(QStringLiteral("QXFurniture.ini"))));
}
