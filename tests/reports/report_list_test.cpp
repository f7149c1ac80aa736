// report_list_test.cpp — the report list of a document: groups, templates in use, paths, preview,
// print with copies and print group with their messages and questions.
#include "reports/report_list.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTextDocument>

#include "common/error.h"
#include "pdf_tools.h"
#include "report_fixture.h"
#include "reports/template_engine.h"
#include "shell/paths.h"

namespace qx {
namespace {

// Records what reaches the output; a title in FailOn makes Print fail.
class RecordingOutput : public TReportOutput {
public:
    void Preview(TqxfReport& report) override { Calls << "preview " + text(report); }
    void Print(TqxfReport& report, const QString& printerName, int copies) override {
        if (FailOn.contains(report.Title())) throw TqxfError("Принтер занят");
        Calls << QString("print %1 x%2 на [%3]").arg(text(report)).arg(copies).arg(printerName);
    }
    QStringList Calls;
    QStringList FailOn;

private:
    static QString text(const TqxfReport& report) {
        QTextDocument doc;
        doc.setHtml(report.PreparedHtml());
        return doc.toPlainText().trimmed();
    }
};

class ReportListTest : public ::testing::Test {
protected:
    void SetUp() override {
        order = fixture.DemoOrder();
        writeTemplate("a.html", "<title>A</title><p>Предложение [_ORDER_NO]</p>");
        writeTemplate("b.html", "<title>B</title><p>Спецификация [COUNT(frdOrderPosSpec)]</p>");
        writeTemplate("c.html", "<title>C</title><p>Ведомость [_ORDER_CUSTOMER]</p>");
        writeTemplate("s.html", "<title>S</title><p>Выборка [_SEL_NO]</p>");
        writeTemplate("bad.html", "<title>BAD</title><p>[_ORDER_NO</p>");
        writeTemplate("fails.html", "<title>F</title><p>[_NOSUCH]</p>");
        fixture.ExecReports(R"(
INSERT INTO Report (Name, FileName, "Default", Copies, "Group", USE) VALUES
  ('Предложение', '%\a.html', 1, 2, 11, 1),
  ('Старый бланк', '%\old.html', 1, 1, 11, 0),
  ('Выборка', '%\s.html', 1, 1, 12, 1),
  ('Спецификация', '%\missing.html', 1, 1, 11, 1),
  ('Ведомость', '%\c.html', 1, 3, 11, 1),
  ('Черновик', '%\c.html', 0, 1, 11, 1);)");
        fixture.Messages.clear();
    }

    void writeTemplate(const QString& name, const QString& html) {
        QFile file(QDir(fixture.ReportDir()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html.toUtf8());
    }

    QStringList names() const {
        QStringList out;
        for (const TReportListRow& row : list.Rows())
            out << row.Name;
        return out;
    }

    QString path(const QString& file) const { return QDir(fixture.ReportDir()).filePath(file); }

    ReportFixture fixture;
    std::unique_ptr<TqxfOrder> order;
    TDM_Report data;
    RecordingOutput output;
    TReportList list{data, output};
};

TEST_F(ReportListTest, ListsTheTemplatesOfTheDocumentsGroupInUseUnlessAllAreAsked) {
    list.Execute(*order);
    EXPECT_EQ(list.Group(), 11);
    EXPECT_EQ(list.QueryLines(),
              QStringList({"SELECT *", "FROM \"Report\" T", "WHERE", "T.\"Group\" = 11", "AND", "USE = 1"}));
    EXPECT_EQ(names(), QStringList({"Предложение", "Спецификация", "Ведомость", "Черновик"}));
    EXPECT_EQ(list.Rows()[0].Copies, 2);
    EXPECT_EQ(list.Rows()[0].FileName, "%\\a.html");
    list.SetShowAll(true);
    EXPECT_EQ(list.QueryLines().size(), 4);
    EXPECT_EQ(names(), QStringList({"Предложение", "Старый бланк", "Спецификация", "Ведомость", "Черновик"}));

    auto selection = fixture.SelectionOf(fixture.SaveOrder(*order, "z.qfo370"));
    list.SetShowAll(false);
    list.Execute(*selection);
    EXPECT_EQ(list.Group(), 12);
    EXPECT_EQ(names(), QStringList{"Выборка"});
    list.Preview();
    EXPECT_EQ(output.Calls, QStringList{"preview Выборка В-05"});
}

TEST_F(ReportListTest, TemplatePathsWithPercentLieInTheReportDirectory) {
    EXPECT_EQ(TReportList::TemplatePath({"", "%\\a.html"}), path("a.html"));
    EXPECT_EQ(TReportList::TemplatePath({"", "%/a.html"}), path("a.html"));
    EXPECT_EQ(TReportList::TemplatePath({"", "%\\A.HTML"}), path("a.html"));  // as stored on Windows
    EXPECT_EQ(TReportList::TemplatePath({"", path("c.html")}), path("c.html"));
}

TEST_F(ReportListTest, PreviewAndPrintTheCurrentRowWithItsCopiesOnTheChosenPrinter) {
    list.Execute(*order);
    list.PrinterName = "Бухгалтерия";
    list.Preview();
    list.Print();
    list.CurrentRow = 2;
    list.Print();
    EXPECT_EQ(output.Calls,
              QStringList({"preview Предложение З-2024/017", "print Предложение З-2024/017 x2 на [Бухгалтерия]",
                           "print Ведомость ООО «Луговой квартал» x3 на [Бухгалтерия]"}));
    EXPECT_TRUE(fixture.Messages.Records.empty());
    EXPECT_EQ(data.Order(), nullptr);  // released after every action
    EXPECT_EQ(data.Report(), nullptr);
}

TEST_F(ReportListTest, AMissingOrFaultyTemplateIsReportedAndNothingPrints) {
    list.Execute(*order);
    list.CurrentRow = 1;  // missing.html
    list.Preview();
    list.Print();
    const QString missing = "Невозможно найти файл отчета!\r\nФайл: " + path("missing.html") + ".";
    EXPECT_EQ(fixture.Messages.texts(MessageKind::Error), QStringList({missing, missing}));

    fixture.Messages.clear();
    list.Rows()[1].FileName = "%\\bad.html";
    list.Print();
    list.Rows()[1].FileName = "%\\fails.html";
    list.Print();
    EXPECT_EQ(
        fixture.Messages.texts(MessageKind::Error),
        QStringList({"Ошибка подготовки отчета [Шаблон отчета [" + path("bad.html") +
                         "], строка 1:\r\nне закрыта скобка [ выражения [_ORDER_NO]!",
                     "Шаблон отчета [" + path("fails.html") + "], строка 1:\r\nНеизвестная переменная [_NOSUCH]"}));
    EXPECT_TRUE(output.Calls.isEmpty());
    EXPECT_EQ(data.Order(), nullptr);

    list.CloseList();
    list.Print();  // an empty list does nothing
    list.PrintGroup();
    EXPECT_TRUE(output.Calls.isEmpty());
}

TEST_F(ReportListTest, PrintGroupAsksAtAMissingTemplateAndGoesOnOrStops) {
    list.Execute(*order);
    list.CurrentRow = 3;
    fixture.Messages.ButtonAnswers = {1};  // "Продолжить"
    list.PrintGroup();
    EXPECT_EQ(output.Calls,
              QStringList({"print Предложение З-2024/017 x2 на []", "print Ведомость ООО «Луговой квартал» x3 на []"}));
    EXPECT_EQ(fixture.Messages.texts(MessageKind::Buttons),
              QStringList{"Невозможно найти файл отчета!\r\n" + path("missing.html")});
    EXPECT_EQ(list.CurrentRow, 3);

    output.Calls.clear();
    fixture.Messages.clear();
    fixture.Messages.ButtonAnswers = {2};  // "Остановить"
    list.PrintGroup();
    EXPECT_EQ(output.Calls, QStringList{"print Предложение З-2024/017 x2 на []"});
    EXPECT_EQ(fixture.Messages.Records.size(), 1u);
}

TEST_F(ReportListTest, PrintGroupAsksAfterAFailedPrintAndStopsSilently) {
    list.Execute(*order);
    list.Rows()[1].FileName = "%\\b.html";
    output.FailOn = {"A"};
    fixture.Messages.ButtonAnswers = {1};
    list.PrintGroup();
    EXPECT_EQ(fixture.Messages.texts(MessageKind::Buttons),
              QStringList{"Ошибка печати группы отчетов!\r\nПринтер занят"});
    EXPECT_EQ(output.Calls,
              QStringList({"print Спецификация 3 x1 на []", "print Ведомость ООО «Луговой квартал» x3 на []"}));

    output.Calls.clear();
    fixture.Messages.clear();
    fixture.Messages.ButtonAnswers = {0};  // the question closed: stop
    list.PrintGroup();
    EXPECT_TRUE(output.Calls.isEmpty());
    EXPECT_EQ(fixture.Messages.Records.size(), 1u);
}

TEST_F(ReportListTest, DefaultAndCopiesChangeForThisOpeningOnly) {
    list.Execute(*order);
    list.Rows()[0].Default = 0;
    list.Rows()[1].Default = 0;
    list.Rows()[2].Copies = 1;
    list.Rows()[3].Default = 1;
    list.PrintGroup();
    EXPECT_EQ(output.Calls, QStringList({"print Ведомость ООО «Луговой квартал» x1 на []",
                                         "print Ведомость ООО «Луговой квартал» x1 на []"}));
    list.Execute(*order);  // opened again: the table's values
    EXPECT_EQ(list.Rows()[0].Default, 1);
    EXPECT_EQ(list.Rows()[2].Copies, 3);
    EXPECT_EQ(list.Rows()[3].Default, 0);
}

TEST(ReportPrinter, AnUnknownPrinterIsNamed) {
    TqxfReport report;
    report.LoadFromText("<p>x</p>", "x.html");
    report.PrepareReport();
    try {
        PrintReportOnPrinter(report, "Нет такого принтера", 1);
        FAIL() << "printed";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.Message, "Принтер [Нет такого принтера] не найден!");
    }
}

}  // namespace
}  // namespace qx
