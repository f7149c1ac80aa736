// tbm_export_test.cpp — the TBM request file, byte for byte.
#include "exports/tbm_export.h"

#include <QFile>

#include "common/codec.h"
#include "common/error.h"
#include "common/format.h"
#include "export_fixture.h"

namespace qx {
namespace {

class TbmExport : public ExportTest {};

TEST_F(TbmExport, WritesTheOrdersLinesInTheOrderCollected) {
    TqxfOrder order;
    BuildSmallOrder(order);
    const TqxfExportParams params = Params(TExportFormat::TBM);

    EXPECT_TRUE(RunTbmExport(params, OrderMaterials(order)));

    EXPECT_EQ(ReadFile(params.FileName), Golden("tbm_order.txt"));
    EXPECT_EQ(params.FileName, exportDir() + "/Z00420007.txt");
    EXPECT_TRUE(messages().Records.empty()) << messages().lastText().toStdString();
}

TEST_F(TbmExport, AnEmptyListGivesTheHeadTheRulesTheBlankLineAndTheSignature) {
    TqxfOrder order;
    BuildSmallOrder(order);
    for (int i = 0; i < order.Count(); ++i)
        order.Positions(i)->Checked = false;

    EXPECT_TRUE(WriteTbmFile(Params(TExportFormat::TBM), OrderMaterials(order)));

    EXPECT_EQ(ReadFile(Params(TExportFormat::TBM).FileName), Golden("tbm_empty.txt"));
}

TEST_F(TbmExport, AMissingArticleStopsTheFileAfterTheLinesBeforeIt) {
    TqxfOrder order;
    BuildSmallOrder(order, {{"GHOST", 1, 5}});
    const TqxfExportParams params = Params(TExportFormat::TBM);

    EXPECT_FALSE(WriteTbmFile(params, OrderMaterials(order)));

    EXPECT_EQ(ReadFile(params.FileName), Golden("tbm_partial.txt"));
    EXPECT_EQ(messages().texts(MessageKind::Error),
              QStringList{S("Ошибка записи данных в файл экспорта ТБМ Навигатор ") + params.FileName +
                          S("!\r\nВ каталоге отсутствуют данные для [GHOST]!\r\n(Поиск [Наименование] через [Код])")});
}

TEST_F(TbmExport, AListThatCannotBeBuiltLeavesTheFileEmpty) {
    const TqxfExportParams params = Params(TExportFormat::TBM);
    WriteFile(params.FileName, "old request");

    EXPECT_FALSE(WriteTbmFile(params, [](TqxfMatList&) { throw TqxfError(S("Ошибка цены")); }));

    EXPECT_TRUE(QFile::exists(params.FileName));
    EXPECT_EQ(ReadFile(params.FileName), QByteArray());
    EXPECT_EQ(messages().lastText(),
              S("Ошибка записи данных в файл экспорта ТБМ Навигатор ") + params.FileName + S("!\r\nОшибка цены"));
}

TEST_F(TbmExport, AnExistingFileIsOverwrittenOnlyWhenTheUserAgrees) {
    TqxfOrder order;
    BuildSmallOrder(order);
    const TqxfExportParams params = Params(TExportFormat::TBM);
    WriteFile(params.FileName, "old request");

    messages().ConfirmAnswers = {false};
    EXPECT_FALSE(WriteTbmFile(params, OrderMaterials(order)));
    EXPECT_EQ(ReadFile(params.FileName), QByteArray("old request"));
    EXPECT_EQ(messages().texts(MessageKind::Confirm),
              QStringList{S("Файл [") + params.FileName + S("] уже существует!\r\nПереписать?")});

    messages().ConfirmAnswers = {true};
    EXPECT_TRUE(WriteTbmFile(params, OrderMaterials(order)));
    EXPECT_EQ(ReadFile(params.FileName), Golden("tbm_order.txt"));
}

TEST_F(TbmExport, MissingFoldersAreCreatedAndAFileThatCannotBeCreatedIsReported) {
    TqxfOrder order;
    BuildSmallOrder(order);
    TqxfExportParams params = Params(TExportFormat::TBM);
    params.FileName = dir("a/b/c/request.txt");
    EXPECT_TRUE(WriteTbmFile(params, OrderMaterials(order)));
    EXPECT_EQ(ReadFile(params.FileName), Golden("tbm_order.txt"));

    WriteFile(dir("plain"), "a file, not a folder");
    params.FileName = dir("plain/request.txt");
    EXPECT_FALSE(WriteTbmFile(params, OrderMaterials(order)));
    const QStringList errors = messages().texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(
        errors[0].startsWith(S("Ошибка записи данных в файл экспорта ТБМ Навигатор ") + params.FileName + S("!\r\n")))
        << errors[0].toStdString();
    EXPECT_GT(errors[0].size(),
              (S("Ошибка записи данных в файл экспорта ТБМ Навигатор ") + params.FileName).size() + 3);
}

TEST_F(TbmExport, ASelectionWritesItsLinesSortedByArticleUnderItsNumber) {
    TqxfOrderSelection selection;
    BuildSelection(selection);
    TqxfExportParams params = ProposeExportParams(TExportFormat::TBM, selection.No);
    params.FirmID = "0042";
    params.OrderNo = 7;
    params.Date = Params(TExportFormat::TBM).Date;

    EXPECT_TRUE(RunTbmExport(params, SelectionMaterials(selection)));

    // The order's file with the selection's number and its lines in article order.
    QList<QByteArray> lines = Golden("tbm_order.txt").split('\n');
    lines[3].replace(ToCp1251(S("З-15")), ToCp1251(S("В-3")));
    const QList<QByteArray> collected = lines.mid(8, 4);  // HINGE-20, ROD, KEEP, DISC
    const QList<QByteArray> sorted{collected[3], collected[0], collected[2], collected[1]};
    for (int i = 0; i < 4; ++i)
        lines[8 + i] = sorted[i];
    EXPECT_EQ(ReadFile(params.FileName), lines.join('\n'));
    EXPECT_TRUE(messages().texts(MessageKind::Error).isEmpty()) << messages().lastText().toStdString();
}

}  // namespace
}  // namespace qx
