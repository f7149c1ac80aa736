// selection_cli_test.cpp — selections through the tool: made in the catalog's rates, filled from
// order files, refreshed and shown with their material list priced in their own rates.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"
#include "construction/construction.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// Article A costs 10 in currency 2, article B 4 in currency 1; currency 2 stands at 2.5 today.
const char* const kCatalog = R"(
INSERT INTO Currency (ID, Name, Value) VALUES (1, 'руб.', 1);
INSERT INTO Currency (ID, Name, Value) VALUES (2, 'EUR', 2.5);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('ART-A', 'Петля', 10, 2, 0);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('ART-B', 'Ручка', 4, 1, 0);
)";

class SelectionCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        // The settings' currency is the one a new selection takes.
        writeFile(catalog_.CatalogDir() + "/QXFurniture.ini", "[Money]\nCurCurrency=1\n[Tax]\nNDSTax=20\n");
    }

    CliResult cli(const QStringList& args) const {
        return run(QStringList{"--catalog-dir", catalog_.CatalogDir(), "--server-dir", dir("Server")} + args);
    }
    QString orders(const QString& name) const { return dir("Server/Orders/" + name); }

    // An order whose positions each carry the given articles (pieces per sash).
    QString writeOrder(const QString& name, const QString& no,
                       const std::vector<std::pair<int, std::vector<std::pair<const char*, float>>>>& positions) {
        TqxfOrder order;
        order.No = no;
        order.Currency = 1;
        order.Currencies = {{1, 1.0f}, {2, 99.0f}};
        int n = 0;
        for (const auto& [quantity, materials] : positions) {
            std::unique_ptr<TqxfConstruction> position = order.NewPosition();
            position->PosNo = QString::number(++n);
            position->PosName = S("Окно");
            position->Quantity = quantity;
            position->BuildGeometry(TSizeRec{1000, 1400, 0, 0, 0, 0, 0}, 0);
            for (const auto& [id, number] : materials) {
                auto line = std::make_unique<TqxfMatListItem>();
                line->ID = id;
                line->Number = number;
                line->Price = line->ListPrice = Money::FromInt(1);
                line->Cost = RoundMoney(number);
                position->Flugel1->MatList.push_back(std::move(line));
            }
            order.AddPosition(std::move(position));
        }
        const QString file = orders(name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        EXPECT_TRUE(SaveOrderToFile(order, file));
        return file;
    }

    CatalogFixture catalog_{S(kCatalog), false};
};

TEST_F(SelectionCliTest, BuildsASelectionFromTwoOrderFilesAndPricesItInItsOwnRates) {
    const QString x = writeOrder("X.qfo370", "X-1", {{2, {{"ART-B", 1}, {"ART-A", 2}}}, {1, {{"ART-B", 5}}}});
    const QString y = writeOrder("Y.qfo370", "Y-7", {{3, {{"ART-A", 1}}}});
    const QString sel = dir("Sel/S1.qfs370");
    QDir().mkpath(dir("Sel"));

    CliResult r = cli({"selection", "new", sel, "--no", S("В-1"), "--name", S("Дом")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(sel));
    r = cli({"selection", "new", sel, "--no", "B-2"});
    EXPECT_EQ(r.ExitCode, 1);  // an existing file is not replaced

    r = cli({"selection", "add", sel, x, y});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains(S("Добавлено позиций: 3, обновлено: 0")));
    r = cli({"selection", "add", sel, x});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains(S("Добавлено позиций: 0, обновлено: 2")));

    // Today's rate changes; the selection keeps the rates it was made with.
    catalog_.Exec("UPDATE Currency SET Value = 5 WHERE ID = 2;");
    r = cli({"selection", "show", sel, "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QJsonObject s = r.Json();
    EXPECT_EQ(s.value("No").toString(), S("В-1"));
    EXPECT_EQ(s.value("SelName").toString(), S("Дом"));
    EXPECT_EQ(s.value("Currency").toInt(), 1);
    EXPECT_EQ(s.value("NDSTax").toDouble(), 20.0);
    EXPECT_EQ(s.value("OrderNoList").toString(), "X-1,Y-7");
    const QJsonArray lines = s.value("Lines").toArray();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].toObject().value("OrderFile").toString(), "%X.qfo370");
    EXPECT_EQ(lines[2].toObject().value("OrderNo").toString(), "Y-7");
    EXPECT_EQ(lines[2].toObject().value("Quantity").toInt(), 3);
    const QJsonArray materials = s.value("MatList").toArray();
    ASSERT_EQ(materials.size(), 2);
    const QJsonObject a = materials[0].toObject();
    EXPECT_EQ(a.value("ID").toString(), "ART-A");
    EXPECT_EQ(a.value("Number").toDouble(), 7.0);       // 2 × 2 + 1 × 3
    EXPECT_EQ(a.value("Price").toString(), "25.0000");  // 10 × 2.5 / 1
    EXPECT_EQ(a.value("Cost").toString(), "175.0000");
    const QJsonObject b = materials[1].toObject();
    EXPECT_EQ(b.value("ID").toString(), "ART-B");
    EXPECT_EQ(b.value("Number").toDouble(), 7.0);  // 1 × 2 + 5 × 1
    EXPECT_EQ(b.value("Cost").toString(), "28.0000");
    EXPECT_EQ(s.value("MatListTotal").toString(), "203.0000");

    r = cli({"selection", "show", sel});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains(S("Заказы: X-1,Y-7\n")));
    EXPECT_TRUE(r.Out.contains(S("ART-A | 7 | 25,0000 | 175,0000\n")));
    EXPECT_TRUE(r.Out.contains(S("Итого: 203,0000\n")));
}

TEST_F(SelectionCliTest, RefreshTakesTheOrderFilesAsTheyAreNow) {
    const QString x = writeOrder("X.qfo370", "X-1", {{2, {{"ART-B", 1}}}});
    const QString sel = dir("S1.qfs370");
    ASSERT_EQ(cli({"selection", "new", sel, "--no", "S-1"}).ExitCode, 0);
    ASSERT_EQ(cli({"selection", "add", sel, x}).ExitCode, 0);

    writeOrder("X.qfo370", "X-1", {{9, {{"ART-B", 1}}}});
    CliResult r = cli({"selection", "refresh", sel});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    r = cli({"selection", "show", sel, "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Json().value("Lines").toArray()[0].toObject().value("Quantity").toInt(), 9);
    EXPECT_EQ(r.Json().value("MatListTotal").toString(), "36.0000");
}

TEST_F(SelectionCliTest, AnOrderFileIsNoSelectionAndANumberIsRequired) {
    const QString x = writeOrder("X.qfo370", "X-1", {{1, {}}});
    CliResult r = cli({"selection", "show", x});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Данный файл не является файлом Tarkon Dravento!")));

    r = cli({"selection", "new", dir("S.qfs370"), "--no", " "});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Не указан номер выборки!")));
    EXPECT_FALSE(QFileInfo::exists(dir("S.qfs370")));
}

}  // namespace
}  // namespace qx
