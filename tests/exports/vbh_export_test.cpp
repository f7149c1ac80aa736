// vbh_export_test.cpp — the XML order document: elements, attributes and their order, rounding, partial files.
#include "exports/vbh_export.h"

#include <QXmlStreamReader>

#include "common/error.h"
#include "export_fixture.h"

namespace qx {
namespace {

class VbhExport : public ExportTest {
protected:
    TqxfExportParams XmlParams() const {
        TqxfExportParams params = Params(TExportFormat::VBH);
        params.OrderList = S("З-15,З-16");
        params.Comment = S("Срочно & \"важно\" <до 10:00>");
        return params;
    }
};

TEST_F(VbhExport, WritesTheDocumentWithItsElementsAndAttributesInOrder) {
    TqxfOrder order;
    BuildSmallOrder(order);
    const TqxfExportParams params = XmlParams();

    EXPECT_TRUE(RunVbhExport(params, OrderMaterials(order)));

    EXPECT_EQ(params.FileName, exportDir() + "/Z00420007.xml");
    EXPECT_EQ(ReadFile(params.FileName), Golden("vbh_order.xml"));
    EXPECT_TRUE(messages().Records.empty()) << messages().lastText().toStdString();
}

struct RoundCase {
    float Number;
    int Expected;
};

class VbhNumber : public ExportTest, public ::testing::WithParamInterface<RoundCase> {};

// The system's integer rounding carries halves up digit by digit from the fourth decimal.
TEST_P(VbhNumber, IsTheQuantityRoundedByTheSystemsRule) {
    TqxfMatListItem line;
    line.ID = "HINGE-20";
    line.Number = GetParam().Number;
    EXPECT_EQ(VbhItem(line).Number, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Rounding, VbhNumber,
                         ::testing::Values(RoundCase{2.5f, 3}, RoundCase{2.49f, 3}, RoundCase{2.445f, 3},
                                           RoundCase{2.444f, 2}, RoundCase{0.4f, 0}, RoundCase{0.6f, 1},
                                           RoundCase{12, 12}, RoundCase{-2.7f, -2}));

TEST_F(VbhExport, AnArticleWithoutMakerArticlesGivesItsCodeThreeTimes) {
    catalog_->Exec("INSERT INTO Catalog (ID, Name, Unit) VALUES ('PLAIN', 'Заглушка', 'шт');");
    TqxfMatListItem line;
    line.ID = "PLAIN";
    line.Number = 1;
    const TVbhItem item = VbhItem(line);
    EXPECT_EQ(item.Article, "PLAIN");
    EXPECT_EQ(item.Article2, "PLAIN");
    EXPECT_EQ(item.Article3, "PLAIN");
    EXPECT_EQ(item.Name, S("Заглушка"));
}

TEST_F(VbhExport, AMissingArticleLeavesAWellFormedFileWithTheItemsBeforeIt) {
    TqxfOrder order;
    BuildSmallOrder(order, {{"GHOST", 1, 5}});
    const TqxfExportParams params = XmlParams();

    EXPECT_FALSE(WriteVbhFile(params, OrderMaterials(order)));

    const QByteArray golden = Golden("vbh_order.xml");
    const qsizetype secondItemEnd = golden.indexOf("/>", golden.indexOf("Article3=\"ROD\"")) + 2;
    EXPECT_EQ(ReadFile(params.FileName), golden.left(secondItemEnd) + "</ItemList></Order>\r\n");
    EXPECT_EQ(messages().texts(MessageKind::Error),
              QStringList{S("Ошибка записи данных в файл экспорта XML ") + params.FileName +
                          S("!\r\nВ каталоге отсутствуют данные для [GHOST]!\r\n(Поиск [Наименование] через [Код])")});
}

TEST_F(VbhExport, AnEmptyListGivesAnEmptyItemList) {
    const TqxfExportParams params = XmlParams();
    EXPECT_TRUE(WriteVbhFile(params, [](TqxfMatList&) {}));
    const QByteArray file = ReadFile(params.FileName);
    EXPECT_TRUE(file.endsWith("Date=\"09.12.2026\"/><ItemList/></Order>\r\n")) << file.toStdString();
}

TEST_F(VbhExport, DecliningTheOverwriteKeepsTheFile) {
    const TqxfExportParams params = XmlParams();
    WriteFile(params.FileName, "<old/>");
    messages().ConfirmAnswers = {false};
    EXPECT_FALSE(WriteVbhFile(params, [](TqxfMatList&) {}));
    EXPECT_EQ(ReadFile(params.FileName), "<old/>");
    EXPECT_EQ(messages().texts(MessageKind::Confirm),
              QStringList{S("Файл [") + params.FileName + S("] уже существует!\r\nПереписать?")});
}

TEST_F(VbhExport, ASelectionGivesItsNumberAsOrderListAndItsLinesInArticleOrder) {
    TqxfOrderSelection selection;
    BuildSelection(selection);
    const TqxfExportParams proposed = ProposeExportParams(TExportFormat::VBH, selection.No);
    EXPECT_EQ(proposed.OrderList, S("В-3"));

    EXPECT_TRUE(RunVbhExport(proposed, SelectionMaterials(selection)));

    QXmlStreamReader xml(ReadFile(proposed.FileName));
    QStringList articles;
    QString orderList;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("Property")) orderList = xml.attributes().value("OrderList").toString();
        if (xml.name() == QLatin1String("Item")) articles << xml.attributes().value("Article3").toString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(orderList, S("В-3"));
    EXPECT_EQ(articles, QStringList({"DISC", "HINGE-20", "KEEP", "ROD"}));
}

}  // namespace
}  // namespace qx
