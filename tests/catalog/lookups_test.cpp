// lookups_test.cpp — every lookup's found, missing and silent behaviour with the system's messages,
// the parameter lists, currencies, price groups and property sets.
#include <gtest/gtest.h>

#include <functional>

#include "catalog/lookups.h"
#include "common/error.h"
#include "support/catalog_fixture.h"

using namespace qx;

namespace {

const char* const kCatalog = R"(
INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, UseArticle, Name, Unit, Virtual, Price)
VALUES ('A-1', 'P1', 'P2', 2, 'Петля', 'шт', 0, 10),
       ('A-2', 'Q1', 'Q2', 1, 'Ручка', 'компл', 1, 20),
       ('a-1', 'p1', 'p2', 0, 'строчная', 'м', 0, 30);
INSERT INTO FrnComp (ID, "Group", Name, PrintName, Printable, ScrColor, Image)
VALUES ('K1', 12, 'Комплект 1', 'Поворотный', 1, 255, 7), ('K2', 22, 'Петли', 'Петли ПВХ', 0, NULL, NULL);
INSERT INTO FrnSide (ID, Side, HandleDirect) VALUES ('K1', 1, 2), ('K1', 3, 4);
INSERT INTO SysList (ID, Name, CommonGrp, BaseColor) VALUES ('S1', 'Система 1', 110, 'RAL9016');
INSERT INTO SysProf (SchlSysID, FurnSysID, Name) VALUES ('SP1', 'S1', 'Планки 1');
INSERT INTO COLORSET (Color, Name) VALUES ('RAL9016', 'Белый');
INSERT INTO ParamList (ID, Name, FalzLuft, FalzSize, FalzPos, DornMass, StulpType, OpenType)
VALUES (101, 'Ф12', 12, 20, 9, 0, 0, 0), (250, 'Д15', 0, 0, 0, 15.5, 0, 0),
       (301, 'Ш2', 0, 0, 0, 0, 2, 0), (401, 'О3', 0, 0, 0, 0, 0, 3);
INSERT INTO Currency (ID, Name, Nominative, Genitive, GenitivePlural, Gender, "Dec", "Value")
VALUES (1, 'руб', 'рубль', 'рубля', 'рублей', 0, 2, 1), (3, 'EUR', 'евро', 'евро', 'евро', 2, 0, 100.5);
INSERT INTO PriceGrp (GroupID, Name, Reduce_1, Reduce_9, Reduce_10) VALUES (5, 'Группа 5', -5, 9.25, 12.5);
INSERT INTO FrnProp (PropKey, ID) VALUES (7, 101), (7, 102), (8, 201);
)";

class Lookups : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { catalog_ = new CatalogFixture(QString::fromUtf8(kCatalog)); }
    static void TearDownTestSuite() {
        delete catalog_;
        catalog_ = nullptr;
    }
    void SetUp() override { SetDM(&catalog_->dm()); }
    static CatalogFixture* catalog_;
};
CatalogFixture* Lookups::catalog_ = nullptr;

QString messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const TqxfError& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

}  // namespace

TEST_F(Lookups, MissingKeysRaiseTheSystemsMessagesNamingTheKey) {
    const QString maker =
        QStringLiteral("В каталоге отсутствуют данные для [a-2]!\r\n(Поиск [Артикул производителя] через [Код])");
    struct Case {
        const char* what;
        std::function<void()> call;
        QString message;
    };
    const std::vector<Case> cases = {
        {"GetMakerArticle", [] { GetMakerArticle("a-2", 0, false); }, maker},
        {"GetMakerArticle mode 7", [] { GetMakerArticle("a-2", 7, false); }, maker},
        {"GetArticleInfo", [] { GetArticleInfo("a-2", false); }, maker},
        {"GetArticleUnit", [] { GetArticleUnit("a-2"); },
         "В каталоге отсутствуют данные для [a-2]!\r\n(Поиск [Ед.изм] через [Код])"},
        {"GetArticleName", [] { GetArticleName("a-2", false); },
         "В каталоге отсутствуют данные для [a-2]!\r\n(Поиск [Наименование] через [Код])"},
        {"GetCatalogValue", [] { GetCatalogValue("a-2", "Name", false); },
         "В каталоге не найден материал с кодом [a-2]!"},
        {"GetKitName", [] { GetKitName("k1"); }, "В БД комплектов фурнитур отсутствуют\r\nданные для комплекта [k1]"},
        {"GetSystemGroup", [] { GetSystemGroup("S2", false); }, "В БД отсутствуют данные для системы [S2]!"},
        {"GetFalzParams", [] { GetFalzParams(250, false); },
         "В БД параметров фальца отсутствуют данные для кода [250]!"},
        {"GetDornMass", [] { GetDornMass(101, false); },
         "В БД параметров дорнмасса отсутствуют данные для кода [101]!"},
        {"GetStulpType", [] { GetStulpType(250, false); }, "В БД типов штульпа отсутствуют данные для кода [250]!"},
        {"GetOpenType", [] { GetOpenType(-1, false); },
         "В БД типов открываний створок отсутствуют данные для кода [-1]!"},
        {"GetPriceGroupReduce", [] { GetPriceGroupReduce(6, 0); },
         "В каталоге ценовых групп отсутствуют данные для группы [6]!"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(messageOf(c.call), c.message) << c.what;
}

TEST_F(Lookups, SilentLookupsAndDefaultsGiveTheEmptyResult) {
    EXPECT_FALSE(FindArticle("a-2"));
    EXPECT_EQ(GetMakerArticle("a-2", 0, true), QString());
    const TArticleInfo info = GetArticleInfo("a-2", true);
    EXPECT_TRUE(info.ProdArticle.isEmpty() && info.ProdArticle2.isEmpty() && info.Name.isEmpty() &&
                info.Unit.isEmpty());
    EXPECT_EQ(GetArticleName("a-2", true), QString());
    EXPECT_EQ(GetCatalogValue("a-2", "Name", true), QVariant(QString()));
    EXPECT_FALSE(IsVirtualArticle("a-2"));
    EXPECT_FALSE(IsVirtualArticle(""));
    EXPECT_FALSE(KitExists("k1"));
    QString name = "старое";
    EXPECT_FALSE(TryGetKitName("k1", name));
    EXPECT_EQ(name, QString());
    bool printable = true;
    EXPECT_EQ(GetKitPrintName("k1", printable), QString());
    EXPECT_FALSE(printable);
    EXPECT_EQ(GetKitGroup("k1"), 0);
    EXPECT_EQ(GetKitColor("k1"), 16777215);
    EXPECT_EQ(GetKitImage("k1"), 0);
    EXPECT_EQ(GetSideHandleDirect("K1", 2), 0);
    EXPECT_EQ(GetSystemGroup("S2", true), 0);
    EXPECT_EQ(GetSystemName("S2"), QString());
    EXPECT_EQ(GetSystemBaseColor("S2"), QString());
    EXPECT_EQ(GetKeeperSystemName("SP2"), QString());
    EXPECT_EQ(GetColorName("ral9016"), QString());
    EXPECT_EQ(GetColorName(""), QString());
    const TFalzParams falz = GetFalzParams(102, true);
    EXPECT_EQ(falz.FalzLuft + falz.FalzSize + falz.FalzPos, 0);
    EXPECT_EQ(GetDornMass(101, true), 0.0f);
    EXPECT_EQ(GetStulpType(101, true), 0);
    EXPECT_EQ(GetOpenType(101, true), 0);
    EXPECT_EQ(GetFalzName(250) + GetDornName(101) + GetStulpName(401) + GetOpenName(301), QString());
    EXPECT_EQ(GetCurrencyName(2), QString());
    EXPECT_EQ(GetCurrencyDecimals(2), 2);
    TCurrencyWords words;
    words.Nominative = "доллар";
    EXPECT_FALSE(GetCurrencyWords(2, words));
    EXPECT_EQ(words.Nominative, QStringLiteral("доллар"));
    EXPECT_TRUE(catalog_->Messages.Records.empty());
}

TEST_F(Lookups, ArticlesAreFoundByTheirExactCodeAndBecomeCurrent) {
    EXPECT_EQ(GetMakerArticle("A-1", 0, false), QStringLiteral("P2"));  // UseArticle 2
    EXPECT_EQ(GetMakerArticle("A-2", 0, false), QStringLiteral("Q1"));
    EXPECT_EQ(GetMakerArticle("A-2", 1, false), QStringLiteral("Q1"));
    EXPECT_EQ(GetMakerArticle("A-2", 2, false), QStringLiteral("Q2"));
    EXPECT_EQ(GetMakerArticle("A-2", 3, false), QString());
    const TArticleInfo info = GetArticleInfo("a-1", false);
    EXPECT_EQ(QStringList({info.ProdArticle, info.ProdArticle2, info.Name, info.Unit}).join('|'),
              QStringLiteral("p1|p2|строчная|м"));
    EXPECT_EQ(GetArticleUnit("A-2"), QStringLiteral("компл"));
    EXPECT_EQ(GetCatalogValue("A-1", "name", false), QVariant(QStringLiteral("Петля")));
    EXPECT_EQ(GetCatalogValue("A-2", "Price", false).toDouble(), 20.0);
    EXPECT_EQ(GetCatalogValue("A-1", "NoSuchColumn", false), QVariant(QString()));
    EXPECT_EQ(GetCatalogValue("", "Name", false), QVariant(QString()));
    EXPECT_EQ(GetCatalogValue("A-1", "", false), QVariant(QString()));
    EXPECT_TRUE(IsVirtualArticle("A-2"));
    EXPECT_FALSE(IsVirtualArticle("A-1"));
    // The table stays on the row found; a miss leaves it there.
    const CatalogTable& t = DM().T_Catalog;
    EXPECT_EQ(GetArticleName("A-2", false), QStringLiteral("Ручка"));
    EXPECT_EQ(t.Text(t.Current(), "ID"), QStringLiteral("A-2"));
    EXPECT_FALSE(FindArticle("A-3"));
    EXPECT_EQ(t.Text(t.Current(), "ID"), QStringLiteral("A-2"));
}

TEST_F(Lookups, KitsSystemsColoursAndKeeperSystems) {
    EXPECT_TRUE(KitExists("K1"));
    EXPECT_EQ(GetKitName("K1"), QStringLiteral("Комплект 1"));
    QString name;
    EXPECT_TRUE(TryGetKitName("K2", name));
    EXPECT_EQ(name, QStringLiteral("Петли"));
    bool printable = false;
    EXPECT_EQ(GetKitPrintName("K1", printable), QStringLiteral("Поворотный"));
    EXPECT_TRUE(printable);
    EXPECT_EQ(GetKitPrintName("K2", printable), QStringLiteral("Петли ПВХ"));
    EXPECT_FALSE(printable);
    EXPECT_EQ(GetKitGroup("K2"), 22);
    EXPECT_EQ(GetKitColor("K1"), 255);
    EXPECT_EQ(GetKitColor("K2"), 0);  // an empty colour is 0, not the missing kit's white
    EXPECT_EQ(GetKitImage("K1"), 7);
    EXPECT_EQ(GetSideHandleDirect("K1", 3), 4);
    EXPECT_EQ(GetSystemGroup("S1", false), 110);
    EXPECT_EQ(GetSystemName("S1"), QStringLiteral("Система 1"));
    EXPECT_EQ(GetSystemBaseColor("S1"), QStringLiteral("RAL9016"));
    EXPECT_EQ(GetKeeperSystemName("SP1"), QStringLiteral("Планки 1"));
    EXPECT_EQ(GetColorName("RAL9016"), QStringLiteral("Белый"));
}

TEST_F(Lookups, ParameterCodesCurrenciesAndPriceGroups) {
    const TFalzParams falz = GetFalzParams(101, false);
    EXPECT_EQ(QString("%1/%2/%3").arg(falz.FalzLuft).arg(falz.FalzSize).arg(falz.FalzPos), QStringLiteral("12/20/9"));
    EXPECT_EQ(GetDornMass(250, false), 15.5f);
    EXPECT_EQ(GetStulpType(301, false), 2);
    EXPECT_EQ(GetOpenType(401, false), 3);
    EXPECT_EQ(GetFalzName(101) + GetDornName(250) + GetStulpName(301) + GetOpenName(401), QStringLiteral("Ф12Д15Ш2О3"));
    EXPECT_EQ(GetCurrencyName(3), QStringLiteral("EUR"));
    EXPECT_EQ(GetCurrencyDecimals(3), 0);
    TCurrencyWords words;
    ASSERT_TRUE(GetCurrencyWords(1, words));
    EXPECT_EQ(words.Nominative + "/" + words.Genitive + "/" + words.GenitivePlural,
              QStringLiteral("рубль/рубля/рублей"));
    EXPECT_EQ(words.Gender, 0);
    EXPECT_EQ(words.Dec, 2);
    ASSERT_TRUE(GetCurrencyWords(3, words));
    EXPECT_EQ(words.Gender, 2);
    EXPECT_EQ(words.Dec, 0);
    const TqxfCurrencyList rates = {{1, 1.0f}, {3, 100.5f}, {3, 99.0f}};
    EXPECT_EQ(FindRateIndex(&rates, 3), 1);
    EXPECT_EQ(FindRateIndex(&rates, 2), -1);
    EXPECT_EQ(FindRateIndex(nullptr, 1), -1);
    EXPECT_EQ(GetPriceGroupReduce(5, 0), -5.0);
    EXPECT_EQ(GetPriceGroupReduce(5, 9), 12.5);  // column 9 reads Reduce_10
    EXPECT_EQ(GetPriceGroupReduce(5, 8), 9.25);
    EXPECT_EQ(GetPriceGroupReduce(5, 4), 0.0);
    EXPECT_THROW(GetPriceGroupReduce(5, 10), TqxfError);  // there is no Reduce_11
}

struct MatchCase {
    int propKey;
    std::vector<const char*> entries;
    int slot;
    bool admitted;
};

class MatchPropertiesTest : public Lookups, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(MatchPropertiesTest, ASetRestrictsOnlyThePropertiesItLists) {
    const MatchCase& c = GetParam();
    QStringList entries;
    for (const char* e : c.entries)
        entries << QString::fromUtf8(e);
    EXPECT_EQ(MatchProperties(c.propKey, entries, c.slot), c.admitted) << entries.join(',').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Sets, MatchPropertiesTest,
                         ::testing::Values(MatchCase{7, {}, 0, true},         // nothing chosen
                                           MatchCase{9, {"0=105"}, 0, true},  // a set without rows admits all
                                           MatchCase{9, {"0=abc"}, 0, true},  // … and reads no value
                                           MatchCase{7, {"0=101"}, 0, true}, MatchCase{7, {"0=102"}, 0, true},
                                           MatchCase{7, {"0=105"}, 0, false},  // listed property, unlisted value
                                           MatchCase{7, {"0=110"}, 0, true},
                                           MatchCase{7, {"0=119"}, 0, true},  // other property
                                           MatchCase{7, {"0=100"}, 0, false}, MatchCase{7, {"0=109"}, 0, false},
                                           MatchCase{7, {"1=105"}, 0, true},  // another slot is ignored
                                           MatchCase{7, {"1=105"}, 1, false}, MatchCase{7, {"1:101"}, 1, true},
                                           MatchCase{7, {"0=101", "0=205", "0=109"}, 0, false},
                                           MatchCase{8, {"0=205"}, 0, false},
                                           MatchCase{8, {"0=201", "2=205"}, 0, true}));

TEST_F(Lookups, APropertyValueThatIsNotANumberIsAnError) {
    EXPECT_EQ(messageOf([] {
                  MatchProperties(7, {"1=105", "0=abc"}, 0);
              }),
              QStringLiteral("Неверное значение свойства [0=abc] в списке свойств комплекта: ожидается число!"));
    EXPECT_THROW(MatchProperties(7, {"0"}, 0), TqxfError);
    EXPECT_TRUE(MatchProperties(7, {"1=abc"}, 0));  // entries of other slots are not read
}
