// vorne_export.cpp — the Vorne lines and layout over the shared fixed-width writer.
#include "exports/vorne_export.h"

#include "catalog/lookups.h"
#include "common/format.h"
#include "common/money.h"
#include "common/text_utils.h"

namespace qx {

namespace {

QString moneyColumn(Money value) {
    return PadLeft(Format("%.4f", value.Units()), 17, true);
}

}  // namespace

QString VorneLine(const TqxfMatListItem& line) {
    const QString article = GetMakerArticle(line.ID, 1, true);
    const QString name = GetArticleName(line.ID, false);
    const QString unit = GetArticleUnit(line.ID);
    return PadRight(article, 16, true) + PadRight(name, 45, true) + PadLeft(Format("%.0f", line.Number), 7, true) +
           PadLeft(unit, 9, true) + moneyColumn(line.Price) + moneyColumn(line.Reserved2) +
           moneyColumn(line.ListPrice) + moneyColumn(line.Cost);
}

TTextExportLayout VorneLayout() {
    TTextExportLayout layout;
    layout.Width = 148;
    layout.ColumnHead = QString::fromUtf8(
        "    Артикул                       Название                      Кол.  Ед.изм. Цена без скидки      Скидка  "
        "     Цена со скидкой        Сумма        ");
    layout.SignatureIndent = 64;
    layout.WriteErrorText = QString::fromUtf8(kVorneWriteErrorText);
    layout.SortByID = true;
    layout.Line = VorneLine;
    return layout;
}

bool WriteVorneFile(const TqxfExportParams& params, const TMatListBuilder& buildList) {
    return WriteTextExportFile(VorneLayout(), params, buildList);
}

bool RunVorneExport(const TqxfExportParams& params, const TMatListBuilder& buildList) {
    StoreExportParams(TExportFormat::Vorne, params);
    return WriteVorneFile(params, buildList);
}

}  // namespace qx
