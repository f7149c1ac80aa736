// report_cli_test.cpp — the report commands of the real tool: the report list of an order or a
// selection, templates filled into PDF, the demo templates and the faults on the way.
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <memory>

#include "cli_runner.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// Kit K1 fits two hinges A-1 and a lock L-1; roubles with their word forms.
const char* const kCatalog = R"(
INSERT INTO ParamList (ID, Name, FalzLuft, FalzSize, FalzPos) VALUES (100, '12/20-9', 12, 20, 9);
INSERT INTO ParamList (ID, Name, DornMass) VALUES (200, '15', 15);
INSERT INTO ParamList (ID, Name, StulpType) VALUES (300, 'Штульп', 1);
INSERT INTO ParamList (ID, Name, OpenType) VALUES (400, 'Обычная', 0);
INSERT INTO FrnComp (ID, Name, Direct, TFlugelAvailable, Printable, PrintName) VALUES
  ('K1', 'Основной комплект', 1, 1, 1, 'Комплект поворотный');
INSERT INTO FrnSet (ID, Item, Number) VALUES ('K1', 'E1', 2), ('K1', 'E2', 1);
INSERT INTO FrnItem (ID, Name) VALUES ('E1', 'Петля'), ('E2', 'Запор');
INSERT INTO FrnArt (ID, CatalogID) VALUES ('E1', 'A-1'), ('E2', 'L-1');
INSERT INTO Catalog (ID, Name, Unit, Price, Currency, PriceGrp) VALUES
  ('A-1', 'Петля верхняя', 'шт', 150, 1, 0), ('L-1', 'Запор основной', 'шт', 700, 1, 0);
INSERT INTO Currency (ID, Name, Nominative, Genitive, GenitivePlural, Gender, Dec, Value) VALUES
  (1, 'RUB', 'рубль', 'рубля', 'рублей', 0, 2, 1);
INSERT INTO SysList (ID, Name, BaseColor) VALUES ('F', 'Фурнитура F', 'W');
)";

const char* const kSpec = R"({
  "header": {"No": "Т-7", "Customer": "Иванов И. И.", "RegDate": "05.03.2024", "Currency": 1, "NDSTax": 20,
             "TotalNDS": true, "FurnSys": "F", "FalzType": 100, "DornType": 200, "StulpType": 300,
             "OpenType": 400},
  "positions": [
    {"PosNo": "1", "PosName": "Окно на кухню", "Quantity": 2, "W": 800, "H": 1400, "Sashes": [{"ComplectID": "K1"}]},
    {"PosNo": "2", "PosName": "Окно в спальню", "W": 900, "H": 1400, "Sashes": [{"ComplectID": "K1"}]}
  ]
})";

class ReportCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        catalog_ = std::make_unique<CatalogFixture>(S(kCatalog));
        writeFile(QDir(catalog_->CatalogDir()).filePath("QXFurniture.ini"),
                  S("[Firm]\nName=ООО «Окна на заказ»\nDirector=Сидоров П. П.\n").toUtf8());
        writeFile(dir("spec.json"), kSpec);
        const CliResult built = tool({"order", "build", dir("spec.json"), "-o", dir("T-7.qfo370")});
        ASSERT_EQ(built.ExitCode, 0) << built.Err.toStdString();
        const CliResult demo = tool({"report", "demo"});
        ASSERT_EQ(demo.ExitCode, 0) << demo.Err.toStdString();
    }
    // The tool with the fixture's catalog and report directories.
    CliResult tool(const QStringList& args) const {
        return run(QStringList{"--catalog-dir", catalog_->CatalogDir(), "--report-dir", catalog_->ReportDir()} + args);
    }
    static QString pdfText(const QString& file) {
        QProcess process;
        process.start("pdftotext", {"-raw", file, "-"});
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput()).replace("-\n", "-").simplified();
    }
    std::unique_ptr<CatalogFixture> catalog_;
};

TEST_F(ReportCliTest, ListsTheTemplatesOfAnOrderOrASelection) {
    catalog_->ExecReports(R"(INSERT INTO Report (Name, FileName, "Default", Copies, "Group", USE)
                             VALUES ('Архивный бланк', '%\old.html', 0, 1, 11, 0);)");
    CliResult r = tool({"report", "list", "--order", dir("T-7.qfo370")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, S("Группа 11: 3 шаблон(ов)\n"
                       "[x] | 2 коп. | Коммерческое предложение | %\\offer.html | \n"
                       "[x] | 1 коп. | Спецификация фурнитуры | %\\hardware_spec.html | \n"
                       "[ ] | 1 коп. | Ведомость материалов | %\\materials.html | \n"));

    r = tool({"--json", "report", "list", "--order", dir("T-7.qfo370"), "--all"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QJsonArray rows = r.Json()["Reports"].toArray();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[3]["Name"].toString(), S("Архивный бланк"));
    EXPECT_EQ(rows[3]["USE"].toInt(), 0);
    EXPECT_FALSE(rows[3]["Exists"].toBool());
    EXPECT_TRUE(rows[0]["Exists"].toBool());
    EXPECT_EQ(rows[0]["Path"].toString(), QDir(catalog_->ReportDir()).filePath("offer.html"));

    ASSERT_EQ(tool({"selection", "new", dir("S.qfs370"), "--no", "В-1"}).ExitCode, 0);
    ASSERT_EQ(tool({"selection", "add", dir("S.qfs370"), dir("T-7.qfo370")}).ExitCode, 0);
    r = tool({"report", "list", "--selection", dir("S.qfs370")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.startsWith(S("Группа 12: 1 шаблон(ов)\n"))) << r.Out.toStdString();
    EXPECT_TRUE(r.Out.contains(S("Ведомость материалов по выборке")));

    r = tool(
        {"report", "render", "Ведомость материалов по выборке", "--selection", dir("S.qfs370"), "--pdf", dir("s.pdf")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QString text = pdfText(dir("s.pdf"));
    EXPECT_TRUE(text.contains(S("ВЕДОМОСТЬ МАТЕРИАЛОВ ПО ВЫБОРКЕ № В-1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(S("Окно на кухню"))) << text.toStdString();
}

TEST_F(ReportCliTest, RendersATemplateByNameOrByFileIntoPdf) {
    CliResult r =
        tool({"report", "render", "коммерческое предложение", "--order", dir("T-7.qfo370"), "--pdf", dir("offer.pdf")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, S("Коммерческое предложение: 1 стр. -> ") + QDir::toNativeSeparators(dir("offer.pdf")) + "\n");
    const QString text = pdfText(dir("offer.pdf"));
    for (const char* expected :
         {"ООО «Окна на заказ»", "КОММЕРЧЕСКОЕ ПРЕДЛОЖЕНИЕ № Т-7", "Иванов И. И.", "Поз. 1. Окно на кухню",
          "Поз. 2. Окно в спальню", "800 × 1400", "Итого:", "Всего к оплате:", "Сидоров П. П."})
        EXPECT_TRUE(text.contains(S(expected))) << expected << "\n" << text.toStdString();
    // 2 × 1 000 + 1 000 = 3 000, with VAT 3 600
    EXPECT_TRUE(text.contains(S("3 000,00"))) << text.toStdString();
    EXPECT_TRUE(text.contains(S("Три тысячи шестьсот рублей / 0"))) << text.toStdString();

    writeFile(dir("own.html"), S("<p>Заказ [_ORDER_NO]: [_MONEYBYWORD_RUS(_ORDER_TOTAL)]</p>").toUtf8());
    r = tool({"--json", "report", "render", dir("own.html"), "--order", dir("T-7.qfo370"), "--pdf", dir("own.pdf")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Json()["Pages"].toInt(), 1);
    EXPECT_EQ(pdfText(dir("own.pdf")), S("Заказ Т-7: Три тысячи шестьсот рублей / 0"));
}

TEST_F(ReportCliTest, FaultsEndWithTheirMessage) {
    CliResult r = tool({"report", "render", "Нет такого", "--order", dir("T-7.qfo370"), "--pdf", dir("x.pdf")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Отчет [Нет такого] не найден ни как файл, ни в списке отчетов группы 11!")))
        << r.Err.toStdString();

    writeFile(dir("bad.html"), S("<p>\n[_ORDER_NO + ]</p>").toUtf8());
    r = tool({"report", "render", dir("bad.html"), "--order", dir("T-7.qfo370"), "--pdf", dir("x.pdf")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Шаблон отчета [") + QDir::toNativeSeparators(dir("bad.html")) + S("], строка 2:")))
        << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(dir("x.pdf")));

    r = tool({"report", "render", "Коммерческое предложение", "--pdf", dir("x.pdf")});
    EXPECT_EQ(r.ExitCode, 2);
    r = tool({"report", "render", "Коммерческое предложение", "--order", dir("T-7.qfo370")});
    EXPECT_EQ(r.ExitCode, 2);
    r = tool({"report", "list", "--order", dir("нет.qfo370")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Ошибка загрузки заказа!"))) << r.Err.toStdString();

    r = tool({"report", "print", "Коммерческое предложение", "--order", dir("T-7.qfo370"), "--printer", "Нет такого"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Принтер [Нет такого] не найден!"))) << r.Err.toStdString();
}

}  // namespace
}  // namespace qx
