// report_list.cpp — the report table's list for a document and its preview, print and print group.
#include "reports/report_list.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include "catalog/data_module.h"
#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "common/messages.h"
#include "documents/order.h"
#include "documents/order_selection.h"
#include "reports/report_data.h"
#include "reports/template_engine.h"
#include "shell/paths.h"

namespace qx {

namespace {

const char* const kMissingTemplateText = "Невозможно найти файл отчета!\r\nФайл: %s.";
const char* const kMissingGroupTemplateText = "Невозможно найти файл отчета!\r\n";
const char* const kGroupPrintErrorText = "Ошибка печати группы отчетов!\r\n";
const char* const kPrepareErrorText = "Ошибка подготовки отчета";

// The document is released and the report freed whatever happens in between.
class ReleaseGuard {
public:
    explicit ReleaseGuard(TDM_Report& data) : data_(data) {}
    ~ReleaseGuard() { data_.ReleaseDocument(); }
    ReleaseGuard(const ReleaseGuard&) = delete;
    ReleaseGuard& operator=(const ReleaseGuard&) = delete;

private:
    TDM_Report& data_;
};

bool askContinue(const QString& text) {
    return AskButtons(text, QStringLiteral("Продолжить"), QStringLiteral("Остановить"), QStringLiteral("Вопрос")) == 1;
}

}  // namespace

QStringList ReportPrinterNames() {
    return QPrinterInfo::availablePrinterNames();
}

QString DefaultReportPrinterName() {
    return QPrinterInfo::defaultPrinterName();
}

void PrintReportOnPrinter(TqxfReport& report, const QString& printerName, int copies) {
    const QString name = printerName.isEmpty() ? DefaultReportPrinterName() : printerName;
    if (name.isEmpty()) throw TqxfError(QStringLiteral("В системе не установлен принтер!"));
    if (!ReportPrinterNames().contains(name)) throw TqxfError(Format("Принтер [%s] не найден!", name));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(name);
    printer.setFullPage(true);
    printer.setDocName(report.Title());
    report.Print(printer, copies);
}

void TSystemReportOutput::Preview(TqxfReport& report) {
    QString folder = Paths().TempDir;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::tempPath();
    const QString file = QDir(folder).filePath(MakeSafeFileName(report.Title()) + QStringLiteral(".pdf"));
    report.ExportToPdf(file);
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void TSystemReportOutput::Print(TqxfReport& report, const QString& printerName, int copies) {
    PrintReportOnPrinter(report, printerName, copies);
}

// ---------------------------------------------------------------------------------------------

TReportList::TReportList(TDM_Report& data, TReportOutput& output) : data_(data), output_(output) {}

void TReportList::Execute(TqxfOrder& order) {
    order_ = &order;
    selection_ = nullptr;
    group_ = kOrderReportGroup;
    OpenList();
}

void TReportList::Execute(TqxfOrderSelection& selection) {
    order_ = nullptr;
    selection_ = &selection;
    group_ = kSelectionReportGroup;
    OpenList();
}

void TReportList::SetShowAll(bool showAll) {
    showAll_ = showAll;
    OpenList();
}

QStringList TReportList::QueryLines() const {
    QStringList lines = {QStringLiteral("SELECT *"), QStringLiteral("FROM \"Report\" T"), QStringLiteral("WHERE"),
                         Format("T.\"Group\" = %d", group_)};
    if (!showAll_) lines << QStringLiteral("AND") << QStringLiteral("USE = 1");
    return lines;
}

void TReportList::OpenList() {
    rows_.clear();
    CurrentRow = 0;
    QSqlQuery query(DM().ReportDb());
    if (!query.exec(QueryLines().join(QLatin1Char('\n'))))
        throw TqxfError(Format("Ошибка чтения списка отчетов!\r\n(%s)", query.lastError().text()));
    while (query.next()) {
        TReportListRow row;
        row.Name = query.value(QStringLiteral("Name")).toString();
        row.FileName = query.value(QStringLiteral("FileName")).toString();
        row.Default = query.value(QStringLiteral("Default")).toInt();
        row.Copies = query.value(QStringLiteral("Copies")).toInt();
        row.Group = query.value(QStringLiteral("Group")).toInt();
        row.Use = query.value(QStringLiteral("USE")).toInt();
        rows_.push_back(row);
    }
}

void TReportList::CloseList() {
    rows_.clear();
    CurrentRow = 0;
}

QString TReportList::TemplatePath(const TReportListRow& row) {
    return ResolveExistingPath(MakeAbsolutePath(Paths().ReportDir, row.FileName));
}

void TReportList::setDocument() {
    if (order_)
        data_.SetDocument(order_);
    else if (selection_)
        data_.SetDocument(selection_);
    else
        data_.SetDocument(nullptr);
}

bool TReportList::prepare(TqxfReport& report, const QString& path) {
    setDocument();
    try {
        report.LoadFromFile(path);
        data_.AttachReport(report);
    } catch (const std::exception& e) {
        // A template that did not load would print empty pages: the action stops here.
        ShowErrorDetail(QString::fromUtf8(kPrepareErrorText), ExceptionText(e));
        return false;
    }
    return true;
}

void TReportList::runOne(Action action) {
    if (rows_.empty()) return;
    if (CurrentRow < 0 || CurrentRow >= static_cast<int>(rows_.size())) return;
    const TReportListRow& row = rows_[CurrentRow];
    const QString path = TemplatePath(row);
    if (!QFileInfo(path).isFile()) {
        ShowError(Format(kMissingTemplateText, path));
        return;
    }
    TqxfReport report;
    const ReleaseGuard release(data_);
    if (!prepare(report, path)) return;
    try {
        const WaitCursorGuard cursor;
        report.PrepareReport();
        if (action == Action::Preview)
            output_.Preview(report);
        else
            output_.Print(report, PrinterName, qMax(1, row.Copies));
    } catch (const std::exception& e) {
        ShowError(ExceptionText(e));
    }
}

void TReportList::Preview() {
    runOne(Action::Preview);
}

void TReportList::Print() {
    runOne(Action::Print);
}

void TReportList::PrintGroup() {
    if (rows_.empty()) return;
    const int remembered = CurrentRow;
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        if (rows_[i].Default != 1) continue;
        CurrentRow = i;
        const QString path = TemplatePath(rows_[i]);
        if (!QFileInfo(path).isFile()) {
            if (!askContinue(QString::fromUtf8(kMissingGroupTemplateText) + path)) break;
            continue;
        }
        TqxfReport report;
        const ReleaseGuard release(data_);
        if (!prepare(report, path)) continue;
        try {
            const WaitCursorGuard cursor;
            report.PrepareReport();
            output_.Print(report, PrinterName, qMax(1, rows_[i].Copies));
        } catch (const std::exception& e) {
            if (!askContinue(QString::fromUtf8(kGroupPrintErrorText) + ExceptionText(e))) break;
        }
    }
    CurrentRow = remembered;
}

}  // namespace qx
