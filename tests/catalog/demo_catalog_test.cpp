// demo_catalog_test.cpp — the built-in demo catalog loads on the schema and answers like a
// supplier's catalog; a demo directory is written whole or not at all; the demo orders cover
// every figure and build with hardware on every sash, priced in every demo currency, with sane
// material lists; the demo settings point at demo codes.
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
#include "construction/construction.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"
#include "documents/order.h"
#include "documents/order_json.h"
#include "shell/ini_file.h"
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

namespace {

// The demo catalog, loaded once for the order tests.
class DemoOrders : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() { catalog_ = new CatalogFixture(DemoCatalogSql()); }
    static void TearDownTestSuite() {
        delete catalog_;
        catalog_ = nullptr;
    }
    void SetUp() override {
        SetDM(&catalog_->dm());
        catalog_->Messages.clear();
    }
    static CatalogFixture* catalog_;

    static QByteArray orderFile(const std::string& name) {
        for (const auto& [file, bytes] : DemoOrderFiles())
            if (file.toStdString() == name) return bytes;
        return QByteArray();
    }
};
CatalogFixture* DemoOrders::catalog_ = nullptr;

std::vector<std::string> demoOrderNames() {
    std::vector<std::string> names;
    for (const auto& [file, bytes] : DemoOrderFiles())
        names.push_back(file.toStdString());
    return names;
}

}  // namespace

TEST_P(DemoOrders, BuildWithHardwareOnEverySashPricedInEveryCurrency) {
    const CatalogTable& articles = catalog_->dm().T_Catalog;
    for (int currency : {1, 2, 3}) {
        SCOPED_TRACE("currency " + std::to_string(currency));
        QJsonObject spec = ParseOrderSpec(orderFile(GetParam()));
        QJsonObject header = spec[QStringLiteral("header")].toObject();
        header[QStringLiteral("Currency")] = currency;
        spec[QStringLiteral("header")] = header;

        TqxfOrder order;
        try {
            BuildOrderFromSpec(order, spec);
        } catch (const TqxfError& e) {
            FAIL() << e.message().toStdString();
        }
        // Every article is found without asking: the demo offers no alternatives to choose from.
        EXPECT_TRUE(catalog_->Messages.Choices.empty());
        EXPECT_TRUE(catalog_->Messages.Records.empty()) << catalog_->Messages.lastText().toStdString();
        ASSERT_GT(order.Count(), 0);

        for (int i = 0; i < order.Count(); ++i) {
            const TqxfConstruction& position = *order.Positions(i);
            SCOPED_TRACE("position " + position.PosNo.toStdString());
            EXPECT_GT(position.Price, Money());
            for (const TqxfFlugel* sash : {position.Flugel1.get(), position.Flugel2.get()}) {
                if (!sash || !sash->Exists()) continue;
                ASSERT_NE(sash->FurnComp, nullptr) << "a sash without hardware";
                ASSERT_GT(sash->FurnComp->ItemCount(), 0);
                for (const auto& item : sash->FurnComp->Items) {
                    SCOPED_TRACE(item->Article.toStdString());
                    EXPECT_GT(item->Count, 0);
                    const int row = articles.Locate(QStringLiteral("ID"), {item->Article});
                    ASSERT_GE(row, 0);
                    const QString unit = articles.Text(row, QStringLiteral("Unit"));
                    if (item->Length > 0) {
                        EXPECT_EQ(unit, QStringLiteral("м"));
                        EXPECT_GE(item->Length, articles.Int(row, QStringLiteral("MinLength")));
                        EXPECT_LE(item->Length, articles.Int(row, QStringLiteral("MaxLength")));
                    } else {
                        EXPECT_EQ(unit, QStringLiteral("шт"));
                    }
                }
                ASSERT_EQ(sash->MatList.size(), size_t(sash->FurnComp->ItemCount()));
                for (const auto& line : sash->MatList) {
                    SCOPED_TRACE(line->ID.toStdString());
                    EXPECT_GT(line->Number, 0.0f);
                    EXPECT_GT(line->Price, Money());
                    EXPECT_GT(line->Cost, Money());
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Demo, DemoOrders, ::testing::ValuesIn(demoOrderNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name;
                             for (char c : info.param)
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             return name;
                         });

TEST(DemoCatalog, SettingsPointAtDemoCodes) {
    QTemporaryDir tmp;
    const TDemoCatalogFiles files = CreateDemoCatalog(tmp.path());
    CatalogFixture catalog(DemoCatalogSql());
    const IniFile ini(files.SettingsFile);
    const QString defaults = QStringLiteral("Defaults");
    EXPECT_FALSE(ini.ReadString(QStringLiteral("Firm"), QStringLiteral("Name"), QString()).isEmpty());
    EXPECT_EQ(GetSystemGroup(ini.ReadString(defaults, QStringLiteral("DefFurnSys"), QString()), false), 110);
    EXPECT_FALSE(GetKeeperSystemName(ini.ReadString(defaults, QStringLiteral("DefProfSys"), QString())).isEmpty());
    EXPECT_FALSE(GetColorName(ini.ReadString(defaults, QStringLiteral("DefFurnColor"), QString())).isEmpty());
    EXPECT_FALSE(GetColorName(ini.ReadString(defaults, QStringLiteral("DefInnerProfColor"), QString())).isEmpty());
    EXPECT_TRUE(KitExists(ini.ReadString(defaults, QStringLiteral("DefHandle"), QString())));
    EXPECT_NO_THROW(GetFalzParams(ini.ReadInteger(defaults, QStringLiteral("DefFalzType"), 0), false));
    EXPECT_NO_THROW(GetDornMass(ini.ReadInteger(defaults, QStringLiteral("DefDornType"), 0), false));
    EXPECT_NO_THROW(GetStulpType(ini.ReadInteger(defaults, QStringLiteral("DefStulpFalzType"), 0), false));
    EXPECT_NO_THROW(GetOpenType(ini.ReadInteger(defaults, QStringLiteral("DefFlugelType"), 0), false));
    EXPECT_GE(catalog.dm().T_Material.Locate(QStringLiteral("ID"),
                                             {ini.ReadInteger(defaults, QStringLiteral("DefMaterial"), 0)}),
              0);
    EXPECT_EQ(GetCurrencyName(ini.ReadInteger(QStringLiteral("Money"), QStringLiteral("CurCurrency"), 0)),
              QStringLiteral("RUB"));
    EXPECT_DOUBLE_EQ(ini.ReadFloat(QStringLiteral("Tax"), QStringLiteral("NDSTax"), 0), 20.0);
}
