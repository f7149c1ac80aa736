// order_cli_test.cpp — building, showing, reselecting and recalculating orders with the real tool.
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <memory>

#include "cli_runner.h"
#include "common/codec.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// Kit K1 fits two hinges A-1 (10 in currency 1), handle kit G1 the handle HD-1 (5 in currency 2);
// currency 1 has the rate 2, currency 2 the rate 1.
const char* const kCatalog = R"(
INSERT INTO ParamList (ID, Name, FalzLuft, FalzSize, FalzPos) VALUES (100, '12/20-9', 12, 20, 9);
INSERT INTO ParamList (ID, Name, DornMass) VALUES (200, '15', 15);
INSERT INTO ParamList (ID, Name, StulpType) VALUES (300, 'Штульп', 1);
INSERT INTO ParamList (ID, Name, OpenType) VALUES (400, 'Обычная', 0);
INSERT INTO FrnComp (ID, Name, Direct, TFlugelAvailable) VALUES ('K1', 'Основной комплект', 1, 1);
INSERT INTO FrnComp (ID, Name, Direct, TFlugelAvailable) VALUES ('G1', 'Ручка офисная', 1, 1);
INSERT INTO FrnSet (ID, Item, Number) VALUES ('K1', 'E1', 2);
INSERT INTO FrnSet (ID, Item, Number) VALUES ('G1', 'E2', 1);
INSERT INTO FrnItem (ID, Name) VALUES ('E1', 'Петля');
INSERT INTO FrnItem (ID, Name) VALUES ('E2', 'Ручка');
INSERT INTO FrnArt (ID, CatalogID) VALUES ('E1', 'A-1');
INSERT INTO FrnArt (ID, CatalogID) VALUES ('E2', 'HD-1');
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('A-1', 'Петля верхняя', 10, 1, 0);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('A-2', 'Петля новая', 12, 1, 0);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('HD-1', 'Ручка белая', 5, 2, 0);
INSERT INTO Currency (ID, Name, Value) VALUES (1, 'Евро', 2);
INSERT INTO Currency (ID, Name, Value) VALUES (2, 'Рубль', 1);
INSERT INTO SysList (ID, Name, BaseColor) VALUES ('S', 'Профиль', 'W');
)";

// A one-sash window of 800 × 1400 (twice) and a pair of 600 + 800 with the left sash active whose
// right sash has no handle; the order's default handle G1 goes to the active sashes.
const char* const kSpec = R"({
  "header": {"No": "Т-1", "Customer": "Иванов", "RegDate": "05.03.2024", "Currency": 2, "NDSTax": 20,
             "TotalNDS": true, "ProfSys": "S", "FurnSys": "F", "FalzType": 100, "DornType": 200,
             "StulpType": 300, "OpenType": 400, "Handle": "G1", "Notes": ["позвонить"]},
  "positions": [
    {"PosNo": "1", "Quantity": 2, "Figure": 0, "W": 800, "H": 1400, "Sashes": [{"ComplectID": "K1"}]},
    {"PosNo": "2", "Figure": 2, "W": 1400, "H": 1400, "X": 600,
     "Sashes": [{"ComplectID": "K1"}, {"ComplectID": "K1", "HandleID": ""}]}
  ]
})";

class OrderCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        catalog_ = std::make_unique<CatalogFixture>(S(kCatalog));
        writeFile(dir("spec.json"), kSpec);
    }
    CliResult order(const QStringList& args) const {
        return run(QStringList{"--catalog-dir", catalog_->CatalogDir(), "order"} + args);
    }
    QJsonObject show(const QString& file) const {
        const CliResult r = order({"show", file, "--json"});
        EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
        return r.Json();
    }
    void build() const {
        const CliResult r = order({"build", dir("spec.json"), "-o", dir("T-1.qfo370")});
        ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    }
    // The articles of a position's first sash as "article xcount".
    static QStringList articles(const QJsonObject& order, int position) {
        QStringList out;
        const QJsonObject sash = order["Positions"][position]["Flugel1"].toObject();
        for (const QJsonValue& item : sash["FurnComp"]["Items"].toArray())
            out << item["Article"].toString() + " x" + QString::number(item["Count"].toInt());
        return out;
    }

    std::unique_ptr<CatalogFixture> catalog_;
};

TEST_F(OrderCliTest, BuildsAnOrderFromJsonAndShowsEveryPart) {
    build();
    const QJsonObject o = show(dir("T-1.qfo370"));
    EXPECT_EQ(o["No"].toString(), S("Т-1"));
    EXPECT_EQ(o["RegDate"].toString(), "05.03.2024");
    EXPECT_EQ(o["Version"].toString(), "26.12.2019");
    EXPECT_EQ(o["InnerProfColor"].toString(), "W");
    EXPECT_EQ(o["Notes"].toArray(), QJsonArray{S("позвонить")});
    EXPECT_EQ(o["Currencies"].toArray(),
              (QJsonArray{QJsonObject{{"ID", 1}, {"Rate", 2}}, QJsonObject{{"ID", 2}, {"Rate", 1}}}));

    const QJsonArray positions = o["Positions"].toArray();
    ASSERT_EQ(positions.size(), 2);
    const QJsonObject one = positions[0].toObject();
    EXPECT_EQ(one["PosName"].toString(), S("Окно: Комплект стандартный"));
    EXPECT_EQ(one["FlugelMode"].toInt(), 2);
    EXPECT_EQ(one["Width"].toInt(), 800);
    EXPECT_EQ(one["Height"].toInt(), 1400);
    EXPECT_EQ(one["Falz"].toInt(), 100);
    EXPECT_TRUE(one["Flugel2"].isNull());
    const QJsonObject sash = one["Flugel1"].toObject();
    EXPECT_EQ(sash["Dorn"].toInt(), 200);
    EXPECT_EQ(sash["Points"].toArray(),
              (QJsonArray{QJsonArray{0, 14000}, QJsonArray{0, 0}, QJsonArray{8000, 0}, QJsonArray{8000, 14000}}));
    ASSERT_EQ(sash["Lines"].toArray().size(), 4);
    const QJsonObject side = sash["Lines"][1].toObject();
    for (const char* field : {"R1", "R2", "Center", "StartPoint", "EndPoint", "Opening", "RotSide", "Handled", "Banded",
                              "Drived", "HandleHeight", "HandlePoint"})
        EXPECT_TRUE(side.contains(field)) << field;
    const QJsonObject kit = sash["FurnComp"].toObject();
    EXPECT_EQ(kit["ComplectID"].toString(), "K1");
    EXPECT_EQ(kit["HandleID"].toString(), "G1");
    EXPECT_EQ(kit["FurnSys"].toString(), "F");
    EXPECT_EQ(articles(o, 0), (QStringList{"A-1 x2", "HD-1 x1"}));
    EXPECT_EQ(kit["Items"][1]["ComplectID"].toString(), "G1");
    EXPECT_EQ(sash["MatList"][0].toObject(),
              (QJsonObject{
                  {"ID", "A-1"}, {"Number", 2}, {"Price", "20.0000"}, {"ListPrice", "20.0000"}, {"Cost", "40.0000"}}));
    EXPECT_EQ(sash["MatListSum"].toString(), "45.0000");
    EXPECT_EQ(one["Price"].toString(), "45.0000");
    EXPECT_EQ(one["TotalPrice"].toString(), "90.0000");

    const QJsonObject pair = positions[1].toObject();
    EXPECT_EQ(pair["FlugelMode"].toInt(), 0);
    EXPECT_EQ(pair["Width"].toInt(), 1400);
    EXPECT_EQ(pair["Flugel1"]["Width"].toInt(), 600);
    EXPECT_EQ(pair["Flugel2"]["Width"].toInt(), 800);
    EXPECT_EQ(pair["Flugel2"]["FurnComp"]["HandleID"].toString(), "");
    EXPECT_EQ(pair["Price"].toString(), "85.0000");

    EXPECT_EQ(o["OrderSum"].toString(), "175.0000");
    EXPECT_EQ(o["OrderNDS"].toString(), "35.0000");
    EXPECT_EQ(o["OrderTotal"].toString(), "210.0000");
    EXPECT_EQ(
        o["MatList"].toArray(),
        (QJsonArray{
            QJsonObject{
                {"ID", "A-1"}, {"Number", 8}, {"Price", "20.0000"}, {"ListPrice", "20.0000"}, {"Cost", "160.0000"}},
            QJsonObject{
                {"ID", "HD-1"}, {"Number", 3}, {"Price", "5.0000"}, {"ListPrice", "5.0000"}, {"Cost", "15.0000"}}}));

    // The readable summary, with the catalog's names in the material table.
    const CliResult text = order({"show", dir("T-1.qfo370")});
    ASSERT_EQ(text.ExitCode, 0) << text.Err.toStdString();
    EXPECT_TRUE(text.Out.startsWith(S("Заказ № Т-1 от 05.03.2024\n"))) << text.Out.toStdString();
    EXPECT_TRUE(text.Out.contains(S("Валюта: Рубль [2], ставка НДС: 20 % (начисляется на итог)")));
    EXPECT_TRUE(text.Out.contains(QRegularExpression(S("A-1 +Петля верхняя +8 +20,0000 +160,0000\n"))))
        << text.Out.toStdString();
    EXPECT_TRUE(text.Out.endsWith(S("Итого: 175,0000\nНДС: 35,0000\nВсего: 210,0000\n")));
}

TEST_F(OrderCliTest, ReselectTakesTheArticlesOfTheCurrentCatalog) {
    build();
    catalog_->Exec("UPDATE FrnArt SET CatalogID = 'A-2' WHERE ID = 'E1';");
    const QByteArray before = readFile(dir("T-1.qfo370"));

    // Repricing keeps the kits' articles.
    CliResult r = order({"recalc", dir("T-1.qfo370"), "-o", dir("recalc.qfo370")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(articles(show(dir("recalc.qfo370")), 0), (QStringList{"A-1 x2", "HD-1 x1"}));

    r = order({"reselect", dir("T-1.qfo370"), "-o", dir("new.qfo370")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(readFile(dir("T-1.qfo370")), before);
    const QJsonObject o = show(dir("new.qfo370"));
    EXPECT_EQ(articles(o, 0), (QStringList{"A-2 x2", "HD-1 x1"}));
    EXPECT_EQ(o["Positions"][1]["Flugel2"]["MatList"][0]["ID"].toString(), "A-2");
    EXPECT_EQ(o["OrderSum"].toString(), "207.0000");  // 2 × (48 + 5) + (53 + 48)

    // In place.
    r = order({"reselect", dir("T-1.qfo370")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(readFile(dir("T-1.qfo370")), readFile(dir("new.qfo370")));
}

TEST_F(OrderCliTest, RecalcPricesInTheOrdersOwnRatesUntilItTakesTheCurrentOnes) {
    build();
    catalog_->Exec("UPDATE Catalog SET Price = 15 WHERE ID = 'A-1'; UPDATE Currency SET Value = 3 WHERE ID = 1;");
    const QString file = dir("T-1.qfo370");
    auto priceOfA = [&] { return show(file)["MatList"][0]["Price"].toString(); };

    CliResult r = order({"recalc", file});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(priceOfA(), "30.0000");  // the new catalog price at the order's rate 2

    r = order({"recalc", file, "--current-rates"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(priceOfA(), "45.0000");
    EXPECT_EQ(show(file)["Currencies"][0]["Rate"].toDouble(), 3.0);

    r = order({"recalc", file, "--rate", "1=2.5", "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Json()["OrderSum"].toString(), "315.0000");  // 2 × (75 + 5) + (80 + 75)
    EXPECT_EQ(priceOfA(), "37.5000");
}

TEST_F(OrderCliTest, AnOlderFileIsConvertedOnlyWithYes) {
    // Positions without hardware have the same image under the stamp of the day before.
    writeFile(dir("plain.json"), R"({"header": {"No": "P", "Currency": 2}, "positions": [{"W": 700}, {"Figure": 1}]})");
    CliResult r = order({"build", dir("plain.json"), "-o", dir("old.qfo")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    QByteArray bytes = readFile(dir("old.qfo"));
    bytes.replace("26.12.2019", "25.12.2019");
    writeFile(dir("old.qfo"), bytes);

    r = order({"recalc", dir("old.qfo")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Необходимо конвертировать файл заказа!\nЗагружаемая версия: 25.12.2019")))
        << r.Err.toStdString();
    EXPECT_EQ(readFile(dir("old.qfo")), bytes);

    r = run({"--yes", "--catalog-dir", catalog_->CatalogDir(), "order", "recalc", dir("old.qfo")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QJsonObject o = show(dir("old.qfo"));
    EXPECT_EQ(o["Version"].toString(), "26.12.2019");
    EXPECT_EQ(o["Positions"][1]["Width"].toInt(), 700);
}

TEST_F(OrderCliTest, FailuresExitWith1AndTheMessageAndLeaveTheFilesAlone) {
    struct Case {
        const char* Spec;
        const char* Message;
    };
    const Case cases[] = {
        {R"({"header": {"No": "1"}, "positions": [)", "Ошибка: Ошибка разбора JSON:"},
        {R"({"header": {"Nо": "1"}})", "Ошибка: Неизвестное поле [header.Nо] в описании заказа!"},
        {R"({"header": {"Currency": 2}, "positions": [{"PosNo": "7", "W": "wide"}]})",
         "Ошибка: Поле [positions[0].W] должно быть числом!\n[Позиция: 7]"},
        {R"({"header": {"Currency": 2, "FalzType": 100, "DornType": 200, "StulpType": 300, "OpenType": 400},
            "positions": [{"Sashes": [{"ComplectID": "K1", "HandleID": "G1"}]},
            {"PosNo": "B", "Sashes": [{"ComplectID": "K1", "HingeID": "NONE"}]}]})",
         "\n[Позиция: B]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Spec);
        writeFile(dir("bad.json"), c.Spec);
        const CliResult r = order({"build", dir("bad.json"), "-o", dir("bad.qfo370")});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_TRUE(r.Err.contains(S(c.Message))) << r.Err.toStdString();
        EXPECT_FALSE(QFile::exists(dir("bad.qfo370")));
    }

    CliResult r = order({"build", dir("missing.json"), "-o", dir("bad.qfo370")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Не удается открыть файл описания заказа"))) << r.Err.toStdString();
    r = order({"show", dir("missing.qfo370")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.startsWith(S("Ошибка: Ошибка загрузки заказа!\n(Не удается открыть файл")))
        << r.Err.toStdString();
    r = order({"build", dir("spec.json")});
    EXPECT_EQ(r.ExitCode, 2);

    // A catalog that lost an article: the order and the other output stay as they were.
    build();
    const QByteArray before = readFile(dir("T-1.qfo370"));
    catalog_->Exec("DELETE FROM Catalog WHERE ID = 'HD-1';");
    for (const char* command : {"reselect", "recalc"}) {
        SCOPED_TRACE(command);
        r = order({command, dir("T-1.qfo370"), "-o", dir("out.qfo370")});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_TRUE(
            r.Err.contains(S("В каталоге отсутствуют данные для [HD-1]!\n(Поиск [Наименование] через "
                             "[Код])\n[Позиция: 1]")))
            << r.Err.toStdString();
        EXPECT_EQ(readFile(dir("T-1.qfo370")), before);
        EXPECT_FALSE(QFile::exists(dir("out.qfo370")));
    }

    // No catalog at all.
    r = run({"--catalog-dir", dir("nowhere"), "order", "recalc", dir("T-1.qfo370")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Ошибка открытия базы данных"))) << r.Err.toStdString();
    EXPECT_EQ(readFile(dir("T-1.qfo370")), before);
}

}  // namespace
}  // namespace qx
