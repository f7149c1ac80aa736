// demo_reports_test.cpp — the demo templates: their registration, and each one filled with the demo
// order or selection into a PDF whose text and pictures hold what a customer must see.
#include "reports/demo_reports.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "catalog/catalog_admin.h"
#include "catalog/demo_catalog.h"
#include "catalog/lookups.h"
#include "common/amount_in_words.h"
#include "common/format.h"
#include "documents/order_file.h"
#include "documents/order_json.h"
#include "pdf_tools.h"
#include "report_fixture.h"
#include "reports/report_data.h"
#include "reports/report_list.h"
#include "reports/template_engine.h"
#include "shell/paths.h"
#include "shell/setup.h"

namespace qx {
namespace {

QStringList registeredRows(const QString& dir) {
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "demo_reports_test");
        db.setDatabaseName(QDir(dir).filePath("reports.sqlite"));
        EXPECT_TRUE(db.open());
        QSqlQuery q("SELECT Name, FileName, \"Default\", Copies, \"Group\", USE FROM Report ORDER BY rowid", db);
        while (q.next())
            rows << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                q.value(3).toString(), q.value(4).toString(), q.value(5).toString()}
                        .join(" | ");
    }
    QSqlDatabase::removeDatabase("demo_reports_test");
    return rows;
}

TEST(DemoReports, AreWrittenAndRegisteredOnceInAReportDirectory) {
    QTemporaryDir tmp;
    const QString dir = tmp.filePath("Отчеты");
    RegisterDemoReports(dir);
    RegisterDemoReports(dir);  // again: replaced, not doubled
    const QStringList expected = {"Коммерческое предложение | %\\offer.html | 1 | 2 | 11 | 1",
                                  "Спецификация фурнитуры | %\\hardware_spec.html | 1 | 1 | 11 | 1",
                                  "Ведомость материалов | %\\materials.html | 0 | 1 | 11 | 1",
                                  "Ведомость материалов по выборке | %\\selection_materials.html | 1 | 1 | 12 | 1"};
    EXPECT_EQ(registeredRows(dir), expected);
    for (const QString file :
         {"offer.html", "hardware_spec.html", "materials.html", "selection_materials.html", "logo.png"}) {
        QFile written(QDir(dir).filePath(file));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << file.toStdString();
        QFile source(QString(QX_SOURCE_DIR) + "/data/demo/reports/" + file);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), source.readAll()) << file.toStdString();
        EXPECT_TRUE(written.permissions() & QFileDevice::WriteOwner);
    }
}

// Fills a registered demo template with a document and writes the PDF; returns its text.
class DemoReportPdf : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterDemoReports(fixture.ReportDir());
        order = fixture.DemoOrder();
    }

    template <class Document>
    QString Render(const QString& name, Document* document, const QString& pdf) {
        QString file;
        for (const TDemoReport& report : DemoReports())
            if (report.Name == name) file = QDir(fixture.ReportDir()).filePath(report.File);
        TqxfReport report;
        TDM_Report data;
        data.SetDocument(document);
        report.LoadFromFile(file);
        data.AttachReport(report);
        report.PrepareReport();
        report.ExportToPdf(pdf);
        data.ReleaseDocument();
        Pages = report.PageCount();
        return PdfFlowText(pdf);
    }

    QString Pdf(const QString& name) const { return QDir(fixture.Root()).filePath(name); }

    ReportFixture fixture;
    std::unique_ptr<TqxfOrder> order;
    int Pages = 0;
};

TEST_F(DemoReportPdf, CommercialOfferHoldsTheFirmTheOrderEveryIncludedPositionWithItsSketchAndTheTotals) {
    const QString text = Render("Коммерческое предложение", order.get(), Pdf("offer.pdf"));
    EXPECT_EQ(Pages, 1);
    for (const char* expected : {"ООО «Светлый проём»",
                                 "КОММЕРЧЕСКОЕ ПРЕДЛОЖЕНИЕ № З-2024/017",
                                 "от 05.03.2024",
                                 "ООО «Луговой квартал»",
                                 "Коттедж, окна гостиной",
                                 "Поз. 001. Окно поворотно-откидное",
                                 "Поз. 002. Окно двустворчатое без",
                                 "Поз. 004. Дверь балконная",
                                 "1000 × 1400",
                                 "1400 × 1400",
                                 "800 × 2100",
                                 "4 958,10",
                                 "9 916,20",
                                 "5 096,00",
                                 "3 350,00",
                                 "Итого:",
                                 "18 362,20",
                                 "НДС 20%:",
                                 "3 672,44",
                                 "Всего к оплате:",
                                 "22 034,64",
                                 "Всего изделий 3, на сумму 22 034,64 руб.",
                                 "Двадцать две тысячи тридцать четыре рубля /64",
                                 "Страница 1 из 1",
                                 "Кузнецов А. П."})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("не в заказе"));
    EXPECT_FALSE(text.contains("1 250,00"));           // the excluded position's price
    EXPECT_EQ(PdfImages(Pdf("offer.pdf")).size(), 4);  // the logo and three sketches
}

TEST_F(DemoReportPdf, HardwareSpecificationListsEveryKitAndItemPerPositionAndSash) {
    const QString text = Render("Спецификация фурнитуры", order.get(), Pdf("spec.pdf"));
    EXPECT_EQ(Pages, 3);  // a page per position
    for (const char* expected : {"СПЕЦИФИКАЦИЯ ФУРНИТУРЫ",
                                 "к заказу № З-2024/017 от 05.03.2024",
                                 "Позиция 001. Окно поворотно-откидное",
                                 "Позиция 002. Окно двустворчатое без импоста",
                                 "Позиция 004. Дверь балконная",
                                 "Створка 1: Фурнитура поворотно-откидная, левая",
                                 "высота ручки 700 мм",
                                 "с микропроветриванием, с детской защитой",
                                 "Створка 1: Фурнитура штульповая, активная левая",
                                 "Створка 2: W-ST-PR",
                                 "Механизм штульповый",
                                 "Шина удлинительная",
                                 "420",
                                 "отрезать по месту",
                                 "Запор основной 1201-1400",
                                 "Лист 2 из 3",
                                 "18 362,20",
                                 "3 672,44",
                                 "22 034,64",
                                 "Двадцать две тысячи тридцать четыре рубля /64"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("Позиция 003"));
    EXPECT_EQ(PdfImages(Pdf("spec.pdf")).size(), 3);
}

TEST_F(DemoReportPdf, MaterialListIsSortedByNameWithTotalsAndWords) {
    const QString text = Render("Ведомость материалов", order.get(), Pdf("materials.pdf"));
    for (const char* expected :
         {"ВЕДОМОСТЬ МАТЕРИАЛОВ", "по заказу № З-2024/017", "Окно поворотно-откидное", "Окно двустворчатое без импоста",
          "Дверь балконная", "DUV-160", "0,84", "378,00", "18 362,20", "3 672,44", "22 034,64",
          "Всего наименований 11, на сумму 22 034,64 руб.", "Двадцать две тысячи тридцать четыре рубля /64"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("не в заказе"));
    // Rows by article name: "Блокиратор" first, "Шина" last.
    const qsizetype first = text.indexOf("Блокиратор открывания");
    const qsizetype middle = text.indexOf("Петля верхняя");
    const qsizetype last = text.indexOf("Шина удлинительная");
    EXPECT_TRUE(first >= 0 && first < middle && middle < last) << text.toStdString();
}

TEST_F(DemoReportPdf, SelectionMaterialListShowsTheLinesAndTheMaterialsOfTheFilesFound) {
    auto selection = fixture.SelectionOf(fixture.SaveOrder(*order, "z17.qfo370"));
    const QString text = Render("Ведомость материалов по выборке", selection.get(), Pdf("selection.pdf"));
    for (const char* expected : {"ВЕДОМОСТЬ МАТЕРИАЛОВ ПО ВЫБОРКЕ", "№ В-05 от 01.04.2024", "Окна для дома на Новой",
                                 "Отгрузка одной партией", "З-2024/017", "З-404", "Файл заказа не найден",
                                 "Окно поворотно-откидное", "Дверь балконная", "18 362,20", "3 672,44", "22 034,64"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_EQ(PdfImages(Pdf("selection.pdf")).size(), 3);  // no sketch for the line without its file
}

// The demo templates on the shipped demo catalog, its settings and all five demo orders.
TEST(DemoReportsOnTheDemoCatalog, FillEveryDemoOrderAndASelectionOfThem) {
    CatalogFixture catalog(DemoCatalogSql());
    QFile ini(QDir(catalog.CatalogDir()).filePath("QXFurniture.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(DemoSettingsFile());
    ini.close();
    TqxfPaths paths;
    SetConfigDirs(paths, catalog.CatalogDir(), catalog.Root(), catalog.ReportDir());
    TqxfSetup settings(paths);
    settings.AutoSave = false;
    SetSetup(&settings);
    Paths() = paths;
    RegisterDemoReports(catalog.ReportDir());
    auto render = [&](const QString& file, auto* document, const QString& pdf, int* pages) {
        TqxfReport report;
        TDM_Report data;
        data.SetDocument(document);
        report.LoadFromFile(QDir(catalog.ReportDir()).filePath(file));
        data.AttachReport(report);
        report.PrepareReport();
        report.ExportToPdf(pdf);
        data.ReleaseDocument();
        *pages = report.PageCount();
        return PdfFlowText(pdf);
    };

    auto selection = std::make_unique<TqxfOrderSelection>();
    selection->No = "В-1";
    selection->Currency = 1;
    selection->Currencies = {{1, 1.0f}, {2, 98.5f}, {3, 91.2f}};
    for (const auto& [name, json] : DemoOrderFiles()) {
        SCOPED_TRACE(name.toStdString());
        TqxfOrder order;
        BuildOrderFromSpec(order, ParseOrderSpec(json));
        TCurrencyWords words;
        GetCurrencyWords(order.Currency, words);
        const QString total = FormatNumber(order.OrderTotal().Units(), 2);
        const QString inWords = AmountInWords(words, order.OrderTotal(), 2);
        int included = 0;
        for (const QString file : {"offer.html", "hardware_spec.html", "materials.html"}) {
            int pages = 0;
            const QString pdf = QDir(catalog.Root()).filePath(name + "-" + file + ".pdf");
            const QString text = render(file, &order, pdf, &pages);
            EXPECT_GE(pages, 1);
            EXPECT_TRUE(text.contains(order.No)) << file.toStdString() << "\n" << text.toStdString();
            EXPECT_TRUE(text.contains("ООО «Светлый проём»")) << file.toStdString();
            EXPECT_TRUE(text.contains(total)) << file.toStdString() << " " << total.toStdString();
            EXPECT_TRUE(text.contains(inWords)) << file.toStdString() << " " << inWords.toStdString();
            included = 0;
            for (int i = 0; i < order.Count(); ++i) {
                const TqxfConstruction& p = *order.Positions(i);
                if (!p.Checked) continue;
                ++included;
                EXPECT_TRUE(text.contains(p.PosName)) << file.toStdString() << " " << p.PosName.toStdString();
            }
            if (file != QLatin1String("materials.html")) {  // a sketch per position, and the offer's logo
                EXPECT_EQ(PdfImages(pdf).size(), included + (file == QLatin1String("offer.html") ? 1 : 0))
                    << file.toStdString();
            }
        }
        const QString orderFile = QDir(catalog.Root()).filePath(name + ".qfo370");
        ASSERT_TRUE(SaveOrderToFile(order, orderFile));
        ASSERT_TRUE(selection->AddOrderFile(orderFile));
    }
    int pages = 0;
    const QString text =
        render("selection_materials.html", selection.get(), QDir(catalog.Root()).filePath("sel.pdf"), &pages);
    EXPECT_TRUE(text.contains("ВЕДОМОСТЬ МАТЕРИАЛОВ ПО ВЫБОРКЕ № В-1")) << text.toStdString();
    for (const QString no : {"DEMO-001", "DEMO-002", "DEMO-003", "DEMO-004", "DEMO-005"})
        EXPECT_TRUE(text.contains(no)) << no.toStdString();
    EXPECT_EQ(PdfImages(QDir(catalog.Root()).filePath("sel.pdf")).size(), selection->IncludedCount());
    EXPECT_TRUE(catalog.Messages.texts(MessageKind::Error).isEmpty()) << catalog.Messages.lastText().toStdString();
    SetSetup(nullptr);
    Paths() = TqxfPaths();
}

}  // namespace
}  // namespace qx
