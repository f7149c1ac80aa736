// tbm_export.cpp — writing the fixed-width request files line by line.
#include "exports/tbm_export.h"

#include <QFile>

#include "catalog/lookups.h"
#include "common/codec.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "common/text_utils.h"
#include "documents/order.h"

namespace qx {

namespace {

const QString kHeadIndent(20, QLatin1Char(' '));

// Writes each line at once, so a failure leaves the lines before it in the file.
class LineWriter {
public:
    explicit LineWriter(QFile& file) : file_(file) {}
    void Write(const QString& line) {
        const QByteArray bytes = ToCp1251(line) + "\r\n";
        if (file_.write(bytes) != bytes.size()) throw TqxfError(file_.errorString());
    }

private:
    QFile& file_;
};

}  // namespace

QStringList TextExportHead(const TqxfExportParams& params) {
    return {kHeadIndent + Format("Шифр фирмы %s", params.FirmID), kHeadIndent + Format("Фирма %s", params.FirmName),
            kHeadIndent + Format("Заявка № %d", params.OrderNo), kHeadIndent + Format("Название %s", params.OrderName),
            kHeadIndent + Format("Дата заявки %s", FormatShortDate(params.Date))};
}

bool WriteTextExportFile(const TTextExportLayout& layout, const TqxfExportParams& params,
                         const TMatListBuilder& buildList) {
    if (!PrepareExportFile(params.FileName)) return false;
    const QString rule(layout.Width, QLatin1Char('-'));
    QFile file(params.FileName);
    try {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            throw TqxfError(file.errorString());
        TqxfMatList list;
        if (buildList) buildList(list);
        if (layout.SortByID) SortMatListByID(list);
        LineWriter out(file);
        for (const QString& line : TextExportHead(params))
            out.Write(line);
        out.Write(rule);
        out.Write(layout.ColumnHead);
        out.Write(rule);
        for (const auto& line : list)
            out.Write(layout.Line(*line));
        out.Write(rule);
        out.Write(QString(layout.Width, QLatin1Char(' ')));
        out.Write(PadRight(QString(layout.SignatureIndent, QLatin1Char(' ')) + QString::fromUtf8("Заявку составил") +
                               QString(24, QLatin1Char('_')),
                           layout.Width));
        file.close();
        if (file.error() != QFileDevice::NoError) throw TqxfError(file.errorString());
        return true;
    } catch (const std::exception& e) {
        file.close();
        ShowError(Format(layout.WriteErrorText, params.FileName, ExceptionText(e)));
        return false;
    }
}

QString TbmLine(const TqxfMatListItem& line) {
    const QString article = GetMakerArticle(line.ID, 2, true);
    const QString name = GetArticleName(line.ID, false);
    const QString unit = GetArticleUnit(line.ID);
    return PadRight(article, 16, true) + PadRight(name, 45, true) + PadLeft(Format("%.0f", line.Number), 7, true) +
           PadLeft(unit, 9, true);
}

TTextExportLayout TbmLayout() {
    TTextExportLayout layout;
    layout.Width = 80;
    layout.ColumnHead =
        QString::fromUtf8("    Артикул                       Название                      Кол.  Ед.изм.   ");
    layout.SignatureIndent = 20;
    layout.WriteErrorText = QString::fromUtf8(kTbmWriteErrorText);
    layout.SortByID = false;
    layout.Line = TbmLine;
    return layout;
}

bool WriteTbmFile(const TqxfExportParams& params, const TMatListBuilder& buildList) {
    return WriteTextExportFile(TbmLayout(), params, buildList);
}

bool RunTbmExport(const TqxfExportParams& params, const TMatListBuilder& buildList) {
    StoreExportParams(TExportFormat::TBM, params);
    return WriteTbmFile(params, buildList);
}

}  // namespace qx
