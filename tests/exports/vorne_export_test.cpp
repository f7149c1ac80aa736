// vorne_export_test.cpp — the Vorne request file, byte for byte.
#include "exports/vorne_export.h"

#include "common/money.h"
#include "export_fixture.h"

namespace qx {
namespace {

class VorneExport : public ExportTest {};

TEST_F(VorneExport, WritesTheLinesSortedByArticleWithTheirFourMoneyColumns) {
    TqxfOrder order;
    BuildSmallOrder(order);
    const TqxfExportParams params = Params(TExportFormat::Vorne);

    EXPECT_TRUE(RunVorneExport(params, OrderMaterials(order)));

    EXPECT_EQ(ReadFile(params.FileName), Golden("vorne_order.txt"));
    EXPECT_TRUE(messages().Records.empty()) << messages().lastText().toStdString();
}

TEST_F(VorneExport, MoneyColumnsKeepTheirLastSeventeenCharacters) {
    TqxfMatListItem line;
    line.ID = "ROD";
    line.Number = 1;
    line.Price = Money::FromInt(123456789012LL);  // 17 characters with four decimals
    line.Reserved2 = RoundMoney(-1234567890123.5L);
    line.ListPrice = RoundMoney(1234.5L);
    line.Cost = Money{};
    const QString text = VorneLine(line);
    ASSERT_EQ(text.size(), 145);
    EXPECT_EQ(text.mid(77, 17), "123456789012,0000");
    EXPECT_EQ(text.mid(94, 17), "234567890123,5000");  // the sign and the first digit are cut
    EXPECT_EQ(text.mid(111, 17), "        1234,5000");
    EXPECT_EQ(text.mid(128, 17), "           0,0000");
}

TEST_F(VorneExport, AMissingArticleIsReportedWithTheVorneText) {
    TqxfOrder order;
    BuildSmallOrder(order, {{"GHOST", 1, 5}});
    const TqxfExportParams params = Params(TExportFormat::Vorne);

    EXPECT_FALSE(WriteVorneFile(params, OrderMaterials(order)));

    EXPECT_EQ(messages().texts(MessageKind::Error),
              QStringList{S("Ошибка записи данных в файл экспорта Ворне Бела ") + params.FileName +
                          S("!\r\nВ каталоге отсутствуют данные для [GHOST]!\r\n(Поиск [Наименование] через [Код])")});
    // Sorted, GHOST follows DISC: the file ends with the line of DISC.
    const QByteArray file = ReadFile(params.FileName);
    EXPECT_TRUE(file.endsWith(Golden("vorne_order.txt").split('\n').at(8) + '\n'));
    EXPECT_EQ(file.count('\n'), 9);
}

TEST_F(VorneExport, ASelectionIsPricedAfreshInItsOwnCurrency) {
    TqxfOrderSelection selection;
    BuildSelection(selection);
    selection.Currencies = {{1, 2.0f}, {2, 1.0f}};
    selection.Currency = 2;  // the catalog's prices of currency 1 at twice the rate
    const TqxfExportParams params = Params(TExportFormat::Vorne);

    EXPECT_TRUE(RunVorneExport(params, SelectionMaterials(selection)));

    const QList<QByteArray> lines = ReadFile(params.FileName).split('\n');
    ASSERT_EQ(lines.size(), 16);  // 15 lines, each ended by CR LF
    // ROD: 0.4 m at 5 (3 in the order), its discount kept from the order's line.
    EXPECT_EQ(lines[11].mid(77), "           5,0000           0,5000           5,0000           2,0000\r");
    EXPECT_TRUE(lines[8].startsWith("D-1 ")) << lines[8].toStdString();
    EXPECT_TRUE(lines[11].startsWith("R 1200 ")) << lines[11].toStdString();
}

}  // namespace
}  // namespace qx
