// template_engine_test.cpp — the template language: bands, fields, conditions, objects, page bands,
// page set-up, output, and the faults a template can have.
#include "reports/template_engine.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <map>

#include "common/error.h"
#include "pdf_tools.h"
#include "reports/sketch_object.h"

namespace qx {
namespace {

// A record source over a list of texts; the list may follow the current record of a parent source.
class ListSource : public TReportDataSource {
public:
    explicit ListSource(QStringList records = {}) : records_(std::move(records)) {}
    void First() override {
        ++FirstCalls;
        index_ = 0;
    }
    void Next() override { ++index_; }
    void Prior() override { --index_; }
    bool Eof() const override { return index_ < 0 || index_ >= records().size(); }
    QString Current() const { return Eof() ? QString() : records()[index_]; }

    // The records are the children of the parent's current record.
    ListSource* Parent = nullptr;
    std::map<QString, QStringList> Children;
    int FirstCalls = 0;

private:
    QStringList records() const {
        if (!Parent) return records_;
        const auto it = Children.find(Parent->Current());
        return it == Children.end() ? QStringList() : it->second;
    }
    QStringList records_;
    int index_ = -1;
};

class TemplateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        items_.Parent = &groups_;
        items_.Children = {{"Окна", {"Окно 1", "Окно 2"}}, {"Двери", {"Дверь"}}};
        report_.SetDataSource("frdGroups", &groups_);
        report_.SetDataSource("frdItems", &items_);
        report_.OnGetValue = [this](const QString& name, ExprValue& value) {
            const QString upper = name.toUpper();
            if (upper == "GROUP") {
                value = ExprValue::Text(groups_.Current());
                return true;
            }
            if (upper == "ITEM") {
                value = ExprValue::Text(items_.Current());
                return true;
            }
            if (Values.contains(upper)) {
                value = Values.value(upper);
                return true;
            }
            return false;
        };
        report_.OnUserFunction = [this](const QString& name, const ExprArgs& args, ExprValue& result) {
            if (name.toUpper() != "_TWICE") return false;
            ++FunctionCalls;
            result = ExprValue::Text(args.value(0).toText() + args.value(0).toText());
            return true;
        };
    }

    // Loads and prepares a template; returns the filled body as plain text.
    QString Prepare(const QString& html) {
        report_.LoadFromText(html, "test.html", dir_.path());
        report_.PrepareReport();
        return PlainText(report_.PreparedHtml());
    }

    static QString PlainText(const QString& html) {
        QTextDocument doc;
        doc.setHtml(html);
        return doc.toPlainText().simplified();
    }

    // The message of the fault the template raises when loaded and prepared; empty when none.
    QString FaultOf(const QString& html) {
        try {
            Prepare(html);
        } catch (const TqxfError& e) {
            return e.Message;
        }
        return QString();
    }

    QString File(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    ListSource groups_{{"Окна", "Двери"}};
    ListSource items_;
    TqxfReport report_;
    QHash<QString, ExprValue> Values;
    int FunctionCalls = 0;
};

TEST_F(TemplateTest, BandsRepeatPerRecordAndNest) {
    const QString text = Prepare(R"(<html><body>
<p>Начало</p>
<div data-band="frdGroups"><h2>[Group]</h2>
  <table><tr data-band="frdItems"><td>[LINE]. [Item] ([Group])</td></tr></table>
</div>
<p>Конец</p>
</body></html>)");
    EXPECT_EQ(text, "Начало Окна 1. Окно 1 (Окна) 2. Окно 2 (Окна) Двери 1. Дверь (Двери) Конец");
    EXPECT_FALSE(report_.PreparedHtml().contains("data-band"));
}

TEST_F(TemplateTest, AnEmptySourceLeavesOutItsBand) {
    items_.Children.clear();
    EXPECT_EQ(Prepare(R"(<p data-band="frdGroups">[Group]:<span data-band="frdItems">[Item]</span>.</p>)"),
              "Окна:. Двери:.");
}

TEST_F(TemplateTest, FieldsInTextAndAttributesWithLiteralBrackets) {
    Values["_NO"] = ExprValue::Text("З-17 <A&B>");
    Values["_SUM"] = ExprValue::Number(1234.5);
    Values["_NOTE"] = ExprValue::Text("строка 1\r\nстрока 2");
    Prepare(
        R"(<p title="№ [_NO]" class="c[[1]">[[x] [_NO] — [FormatFloat('#,##0.00', _SUM)] [_SUM &gt; 1000] [_TWICE('ab')]</p>
<p>[_NOTE]</p>)");
    const QString html = report_.PreparedHtml();
    EXPECT_TRUE(html.contains(R"(title="№ З-17 &lt;A&amp;B&gt;")")) << html.toStdString();
    EXPECT_TRUE(html.contains(R"(class="c[1]")")) << html.toStdString();
    EXPECT_TRUE(html.contains("строка 1<br/>строка 2")) << html.toStdString();
    EXPECT_EQ(PlainText(html), "[x] З-17 <A&B> — 1 234,50 True abab строка 1 строка 2");
}

TEST_F(TemplateTest, ConditionsKeepOrDropElementsPerRecord) {
    Values["_SHOW"] = ExprValue::Boolean(false);
    EXPECT_EQ(Prepare(R"(<p data-if="_SHOW">скрыто</p><p data-if="not _SHOW">видно</p>
<ul><li data-band="frdGroups" data-if="Group &lt;&gt; 'Окна'">[Group]</li></ul>)"),
              "видно Двери");
}

TEST_F(TemplateTest, SumAndCountWalkASourceOutsideItsBand) {
    Values["_N"] = ExprValue::Number(2.5);
    EXPECT_EQ(Prepare(R"(<p data-band="frdGroups">[Group]: [COUNT(frdItems)] шт., [SUM(frdItems, _N)]</p>
<p>Всего групп: [COUNT(frdGroups)]</p>)"),
              "Окна: 2 шт., 5 Двери: 1 шт., 2,5 Всего групп: 2");
    EXPECT_EQ(FaultOf(R"(<p data-band="frdGroups">[COUNT(frdGroups)]</p>)"),
              "Шаблон отчета [test.html], строка 1:\r\nФункцию COUNT нельзя вызывать внутри бэнда ее источника "
              "[frdGroups]");
}

struct FaultCase {
    const char* name;
    const char* html;
    const char* message;
};

class TemplateFaults : public TemplateTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(TemplateFaults, NameTheTemplateTheLineAndTheFault) {
    EXPECT_EQ(FaultOf(QString::fromUtf8(GetParam().html)),
              "Шаблон отчета [test.html], " + QString::fromUtf8(GetParam().message));
    EXPECT_FALSE(report_.Prepared());
}

INSTANTIATE_TEST_SUITE_P(
    Template, TemplateFaults,
    ::testing::Values(
        FaultCase{"EmptyTemplate", "<html><head><title>x</title></head>\n<body> \n</body></html>",
                  "строка 1:\r\nшаблон пуст: в нем нечего печатать"},
        FaultCase{"UnclosedField", "<p>\n<b>[_NO</b>\n</p>", "строка 2:\r\nне закрыта скобка [ выражения [_NO"},
        FaultCase{"FieldRunsIntoAField", "<p>[_NO [_SUM]</p>", "строка 1:\r\nне закрыта скобка [ выражения [_NO"},
        FaultCase{"UnclosedFieldAtTheEnd", "<p>\n\n[_NO", "строка 3:\r\nне закрыта скобка [ выражения [_NO"},
        FaultCase{"UnclosedQuote", "<p>\n['abc]</p>", "строка 2:\r\nне закрыта кавычка ' в выражении ['abc]</p>"},
        FaultCase{"UnclosedFieldInAttribute", "<p>\n<td title=\"[_NO\">x</td>",
                  "строка 2:\r\nне закрыта скобка [ выражения [_NO"},
        FaultCase{"EmptyField", "<p>[ ]</p>", "строка 1:\r\nпустое выражение []"},
        FaultCase{"BadExpression", "<p>\n\n[_SUM + * 2]</p>",
                  "строка 3:\r\nОшибка в выражении [_SUM + * 2]: ожидается операнд в позиции 8"},
        FaultCase{"BadCondition", "<p data-if=\"1 &lt; &lt;\">x</p>",
                  "строка 1:\r\nОшибка в выражении [1 < <]: ожидается операнд в позиции 5"},
        FaultCase{"UnknownBandSource", "<table>\n<tr data-band=\"frdNothing\"><td>x</td></tr></table>",
                  "строка 2:\r\nнеизвестный источник данных бэнда [frdNothing]"},
        FaultCase{"BandInsideItsOwnSource", "<div data-band=\"frdGroups\">\n<p data-band=\"FRDGROUPS\">x</p></div>",
                  "строка 2:\r\nбэнд источника [FRDGROUPS] вложен в бэнд того же источника"},
        FaultCase{"UnknownName", "<div data-band=\"frdGroups\">\n[Group] [_NOSUCH]</div>",
                  "строка 2:\r\nНеизвестная переменная [_NOSUCH]"},
        FaultCase{"UnknownFunction", "<p>\n[_NOSUCH(1)]</p>", "строка 2:\r\nНеизвестная функция [_NOSUCH]"},
        FaultCase{"FaultWhileFilling", "<p>[1 / 0]</p>", "строка 1:\r\nОшибка в выражении [1 / 0]: деление на ноль"},
        FaultCase{"MissingPicture", "<p>\n<img src=\"нет.png\"></p>", "строка 2:\r\nне найден файл рисунка [нет.png]"},
        FaultCase{"MissingObjectPicture", "<img data-object=\"LogoPicture\" src=\"нет.png\">",
                  "строка 1:\r\nне найден файл рисунка [нет.png]"},
        FaultCase{"ObjectNotAPicture", "<p>\n<div data-object=\"QXFImage\"></div>",
                  "строка 2:\r\nобъект отчета [QXFImage] должен быть рисунком <img>"},
        FaultCase{"BadObjectSize", "<p>\n<img data-object=\"QXFImage\" width=\"abc\">",
                  "строка 2:\r\nневерный размер width=\"abc\" (число пикселей или мм, например 40mm)"},
        FaultCase{"PageBandInsideBand", "<div data-band=\"frdGroups\">\n<div data-band=\"PageFooter\">x</div></div>",
                  "строка 2:\r\nбэнд PageFooter не может находиться внутри другого бэнда"},
        FaultCase{"SecondPageHeader", "<div data-band=\"PageHeader\">a</div>\n<div data-band=\"PageHeader\">b</div>",
                  "строка 2:\r\nвторой бэнд PageHeader в шаблоне"},
        FaultCase{"BadPageSize", "<head>\n<meta name=\"page-size\" content=\"A9\"></head>",
                  "строка 2:\r\nневерный размер страницы [A9] (A3, A4, A5, A6, B5, Letter, Legal или ширина x высота "
                  "в мм)"},
        FaultCase{"BadMargins", "<meta name=\"page-margins\" content=\"10 x\">",
                  "строка 1:\r\nневерные поля страницы [10 x] (от 1 до 4 чисел в мм: сверху справа снизу слева)"},
        FaultCase{"HeaderFillsThePage", "<div data-band=\"PageHeader\" style=\"font-size: 300pt\">1<br>2<br>3</div>",
                  "строка 1:\r\nколонтитулы не оставляют места на странице"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(TemplateTest, AFileThatCannotBeReadIsNamed) {
    try {
        report_.LoadFromFile(File("нет.html"));
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_TRUE(e.Message.startsWith("Невозможно открыть шаблон отчета [" + File("нет.html") + "]!\r\n("))
            << e.Message.toStdString();
    }
    EXPECT_FALSE(report_.Loaded());
}

TEST_F(TemplateTest, PageBandsPrintOnEveryPageWithPageNumberAndCount) {
    QString rows;
    for (int i = 1; i <= 150; ++i)
        rows += QStringLiteral("<tr><td>Строка %1</td></tr>\n").arg(i);
    Values["_NO"] = ExprValue::Text("З-17");
    Prepare(R"(<html><head><meta name="page-size" content="A5"></head><body>
<div data-band="PageHeader">Заказ [_NO], лист [PAGE]</div>
<table>)" + rows +
            R"(</table>
<div data-band="PageFooter">Страница [PAGE] из [PAGES]</div>
</body></html>)");
    const int pages = report_.PageCount();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(PlainText(report_.PageHeaderHtml(2)), "Заказ З-17, лист 2");
    EXPECT_EQ(PlainText(report_.PageFooterHtml(pages)), QString("Страница %1 из %1").arg(pages));

    const QString pdf = File("pages.pdf");
    report_.ExportToPdf(pdf);
    EXPECT_EQ(PdfPageCount(pdf), pages);
    const QString text = PdfText(pdf);
    const QStringList pageTexts = text.split(QChar('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pageTexts.size(), pages);
    int lastRow = 0;
    for (int page = 1; page <= pages; ++page) {
        const QString& t = pageTexts[page - 1];
        EXPECT_TRUE(t.contains(QString("Заказ З-17, лист %1").arg(page))) << page;
        EXPECT_TRUE(t.contains(QString("Страница %1 из %2").arg(page).arg(pages))) << page;
        // Rows continue from page to page: none lost, none repeated.
        const QRegularExpression rowRe("Строка (\\d+)");
        for (auto it = rowRe.globalMatch(t); it.hasNext();) {
            const int row = it.next().captured(1).toInt();
            EXPECT_EQ(row, lastRow + 1);
            lastRow = row;
        }
    }
    EXPECT_EQ(lastRow, 150);
}

TEST_F(TemplateTest, PageSetUpComesFromTheTemplate) {
    Prepare(R"(<head><meta name="page-size" content="A5"><meta name="page-orientation" content="landscape">
<meta name="page-margins" content="5 6 7 8"></head><body><p>x</p></body>)");
    EXPECT_EQ(report_.PageSetup().PaperMm(), QSizeF(210, 148));
    EXPECT_EQ(report_.PageSetup().Margins, QMarginsF(8, 5, 6, 7));
    const QString pdf = File("a5.pdf");
    report_.ExportToPdf(pdf);
    EXPECT_EQ(PdfPageSize(pdf), "595 x 420");
    const QImage page = report_.RenderPage(0, 72);
    EXPECT_EQ(page.size(), QSize(595, 420));

    Prepare(R"(<meta name="page-size" content="100 x 150"><p>x</p>)");
    EXPECT_EQ(report_.PageSetup().PaperMm(), QSizeF(100, 150));
    EXPECT_EQ(report_.PageSetup().Margins, QMarginsF(20, 15, 10, 15));  // the default
}

TEST_F(TemplateTest, CopiesPrintThePagesAgain) {
    Prepare("<p>Один лист</p>");
    const QString pdf = File("copies.pdf");
    {
        QPdfWriter writer(pdf);
        report_.Print(writer, 3);
    }
    EXPECT_EQ(PdfPageCount(pdf), 3);
    EXPECT_EQ(PdfText(pdf).count("Один лист"), 3);
}

TEST_F(TemplateTest, SketchObjectsAreBoundBeforeTheyPrintAndDrawnAtObjectResolution) {
    std::vector<QString> hooked;
    std::vector<QRect> drawn;
    report_.OnBeforePrint = [&](TReportObject& object) {
        hooked.push_back(object.Name + ":" + groups_.Current());
        auto* sketch = dynamic_cast<TqxfFRDrawView*>(&object);
        if (!sketch) return;
        sketch->Bound = groups_.Current() == "Окна";
        sketch->DrawRoutine = [&](QPainter&, const QRect& rect, const TqxfConstruction*) { drawn.push_back(rect); };
    };
    report_.ObjectDpi = 254;  // 10 dots per millimetre
    Prepare(R"(<p data-band="frdGroups">[Group] <img data-object="QXFImage" width="40mm" height="30mm"></p>
<img data-object="QXFImage" name="Общий">)");
    EXPECT_EQ(hooked, (std::vector<QString>{"QXFImage1:Окна", "QXFImage1:Двери", "Общий:"}));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0], QRect(0, 0, 400, 300));
    ASSERT_NE(report_.FindObject("qxfimage1"), nullptr);
    EXPECT_EQ(report_.Objects().size(), 2u);
    EXPECT_EQ(report_.PreparedHtml().count("<img "), 3);
}

TEST(SketchObject, UnboundShowsThePlaceholderInRedCentred) {
    TqxfFRDrawView view;
    const QImage image = view.Render(QSize(600, 300), 300);
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == Qt::white) continue;
            EXPECT_GT(c.red(), c.green());
            EXPECT_EQ(c.green(), c.blue());
            left = qMin(left, x), right = qMax(right, x), top = qMin(top, y), bottom = qMax(bottom, y);
        }
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_NEAR((left + right) / 2.0, 300, 6);
    EXPECT_NEAR((top + bottom) / 2.0, 150, 10);

    view.Bound = true;  // bound without a routine: still the placeholder
    EXPECT_EQ(view.Render(QSize(600, 300), 300), image);
}

TEST_F(TemplateTest, PicturesComeFromTheTemplateFolder) {
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(File("logo.png")));
    Prepare(R"(<img data-object="LogoPicture" src="logo.png" height="10mm"><img src="logo.png" width="80">)");
    auto* picture = dynamic_cast<TReportPicture*>(report_.FindObject("LogoPicture"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Picture.size(), QSize(40, 20));
    const QString html = report_.PreparedHtml();
    EXPECT_TRUE(html.contains(R"(width="75.59" height="37.80")")) << html.toStdString();  // 10 mm high, aspect kept
    EXPECT_TRUE(html.contains(R"(width="80.00" height="40.00")")) << html.toStdString();

    const QString pdf = File("logo.pdf");
    report_.ExportToPdf(pdf);
    EXPECT_EQ(PdfImages(pdf).size(), 2);
}

TEST_F(TemplateTest, HandHtmlLeavesOutEndTags) {
    EXPECT_EQ(Prepare(R"(<table><tr data-band="frdGroups"><td>[Group]<td>ячейка</table><p>абзац<p>ещё)"),
              "Окна ячейка Двери ячейка абзац ещё");
    const QString html = report_.PreparedHtml();
    EXPECT_EQ(html.count("<tr>"), 2);
    EXPECT_EQ(html.count("</td>"), 4);
}

}  // namespace
}  // namespace qx
