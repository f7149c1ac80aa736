// cli_report.cpp — quarnix-cli commands of reports: the report list of a document, a template
// filled with an order or a selection into PDF or onto a printer, the demo templates.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <memory>

#include "catalog/data_module.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "documents/order.h"
#include "documents/order_selection.h"
#include "reports/demo_reports.h"
#include "reports/report_data.h"
#include "reports/report_list.h"
#include "reports/template_engine.h"
#include "shell/paths.h"
#include "shell/setup.h"

namespace qx::cli {
namespace {

// The document of a report command: --order FILE or --selection FILE.
struct ReportDocument {
    std::unique_ptr<TqxfOrder> Order;
    std::unique_ptr<TqxfOrderSelection> Selection;

    // False after the loader's own message.
    bool Load(const CliArgs& args) {
        const bool order = args.Has(QStringLiteral("--order"));
        const bool selection = args.Has(QStringLiteral("--selection"));
        if (order == selection) throw CliUsageError(QStringLiteral("укажите --order ФАЙЛ или --selection ФАЙЛ"));
        if (order) {
            Order = std::make_unique<TqxfOrder>();
            return Order->LoadFromFile(args.Required(QStringLiteral("--order")));
        }
        Selection = std::make_unique<TqxfOrderSelection>();
        return Selection->LoadFromFile(args.Required(QStringLiteral("--selection")));
    }
    void Open(TReportList& list) const {
        if (Order)
            list.Execute(*Order);
        else
            list.Execute(*Selection);
    }
    void Set(TDM_Report& data) const {
        if (Order)
            data.SetDocument(Order.get());
        else
            data.SetDocument(Selection.get());
    }
};

// Reports go nowhere while a list is only read.
class NoOutput : public TReportOutput {
public:
    void Preview(TqxfReport&) override {}
    void Print(TqxfReport&, const QString&, int) override {}
};

QString absoluteFile(const QString& file) {
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(file).absoluteFilePath()));
}

// The template of a file name, or of a name in the document's report list (letter case ignored).
QString templateFile(CommandSession& session, const ReportDocument& document, const QString& nameOrFile) {
    if (QFileInfo(nameOrFile).isFile()) return absoluteFile(nameOrFile);
    session.ConnectReports();
    TDM_Report data;
    NoOutput output;
    TReportList list(data, output);
    document.Open(list);
    list.SetShowAll(true);
    for (const TReportListRow& row : list.Rows()) {
        if (row.Name.compare(nameOrFile, Qt::CaseInsensitive) != 0) continue;
        const QString path = TReportList::TemplatePath(row);
        if (!QFileInfo(path).isFile()) throw TqxfError(Format("Невозможно найти файл отчета!\r\nФайл: %s.", path));
        return path;
    }
    throw TqxfError(
        Format("Отчет [%s] не найден ни как файл, ни в списке отчетов группы %d!", nameOrFile, list.Group()));
}

// Fills the template with the document; the data module lets go of it in every case.
void prepareReport(TqxfReport& report, const ReportDocument& document, const QString& file) {
    TDM_Report data;
    struct Release {
        TDM_Report& data;
        ~Release() { data.ReleaseDocument(); }
    } release{data};
    document.Set(data);
    report.LoadFromFile(file);
    data.AttachReport(report);
    report.PrepareReport();
}

QX_CLI_COMMAND(ListReports, "report list", "(--order FILE | --selection FILE) [--all] [--json]",
               "шаблоны отчетов для заказа (группа 11) или выборки (12); --all: и не используемые") {
    const CliArgs args(ctx.Args, {"--order", "--selection"}, {"--all"});
    args.ExpectPositional(0);
    CommandSession session(ctx, CommandSession::Catalog::None);
    ReportDocument document;
    if (!document.Load(args)) return kExitFailed;
    session.ConnectReports();
    TDM_Report data;
    NoOutput output;
    TReportList list(data, output);
    document.Open(list);
    if (args.Has(QStringLiteral("--all"))) list.SetShowAll(true);
    if (ctx.Options.Json) {
        QJsonArray rows;
        for (const TReportListRow& row : list.Rows()) {
            const QString path = TReportList::TemplatePath(row);
            rows.append(QJsonObject{{"Name", row.Name},
                                    {"FileName", row.FileName},
                                    {"Default", row.Default},
                                    {"Copies", row.Copies},
                                    {"Group", row.Group},
                                    {"USE", row.Use},
                                    {"Path", path},
                                    {"Exists", QFileInfo(path).isFile()}});
        }
        ctx.PrintJson(QJsonObject{{"Group", list.Group()}, {"Reports", rows}});
        return kExitDone;
    }
    ctx.Print(Format("Группа %d: %d шаблон(ов)", list.Group(), static_cast<int>(list.Rows().size())));
    for (const TReportListRow& row : list.Rows()) {
        const QString path = TReportList::TemplatePath(row);
        ctx.Print(QStringList{
            row.Default == 1 ? QStringLiteral("[x]") : QStringLiteral("[ ]"), Format("%d коп.", row.Copies), row.Name,
            row.FileName + (QFileInfo(path).isFile() ? QString() : QStringLiteral(" (файл не найден)")),
            row.Use == 1 ? QString() : QStringLiteral("не используется")}
                      .join(QStringLiteral(" | ")));
    }
    return kExitDone;
}

QX_CLI_COMMAND(RenderReport, "report render", "TEMPLATE_NAME_OR_FILE (--order FILE | --selection FILE) --pdf OUT.pdf",
               "заполняет шаблон отчета данными документа и сохраняет в PDF") {
    const CliArgs args(ctx.Args, {"--order", "--selection", "--pdf"});
    args.ExpectPositional(1, QStringLiteral("шаблон отчета"));
    const QString pdf = args.Required(QStringLiteral("--pdf"));
    CommandSession session(ctx, CommandSession::Catalog::Required);
    ReportDocument document;
    if (!document.Load(args)) return kExitFailed;
    const QString file = templateFile(session, document, args.Positional().front());
    TqxfReport report;
    prepareReport(report, document, file);
    report.ExportToPdf(pdf);
    if (ctx.Options.Json)
        ctx.PrintJson(QJsonObject{{"Template", file}, {"Pdf", absoluteFile(pdf)}, {"Pages", report.PageCount()}});
    else
        ctx.Print(Format("%s: %d стр. -> %s", report.Title(), report.PageCount(), absoluteFile(pdf)));
    return kExitDone;
}

QX_CLI_COMMAND(PrintReport, "report print",
               "TEMPLATE_NAME_OR_FILE (--order FILE | --selection FILE) [--printer NAME] [--copies N]",
               "печатает отчет документа на принтере (по умолчанию — на принтере системы по умолчанию)") {
    const CliArgs args(ctx.Args, {"--order", "--selection", "--printer", "--copies"});
    args.ExpectPositional(1, QStringLiteral("шаблон отчета"));
    int copies = 1;
    if (args.Has(QStringLiteral("--copies"))) {
        bool ok = false;
        copies = args.Value(QStringLiteral("--copies")).toInt(&ok);
        if (!ok || copies < 1 || copies > 999) throw CliUsageError(QStringLiteral("--copies: число от 1 до 999"));
    }
    CommandSession session(ctx, CommandSession::Catalog::Required);
    ReportDocument document;
    if (!document.Load(args)) return kExitFailed;
    const QString file = templateFile(session, document, args.Positional().front());
    TqxfReport report;
    prepareReport(report, document, file);
    PrintReportOnPrinter(report, args.Value(QStringLiteral("--printer")), copies);
    ctx.Print(Format(
        "%s: %d стр. x %d -> %s", report.Title(), report.PageCount(), copies,
        args.Has(QStringLiteral("--printer")) ? args.Value(QStringLiteral("--printer")) : DefaultReportPrinterName()));
    return kExitDone;
}

QX_CLI_COMMAND(ListPrinters, "report printers", "", "принтеры системы (* — принтер по умолчанию)") {
    CliArgs(ctx.Args, {}).ExpectPositional(0);
    const QString defaultPrinter = DefaultReportPrinterName();
    for (const QString& name : ReportPrinterNames())
        ctx.Print((name == defaultPrinter ? QStringLiteral("* ") : QStringLiteral("  ")) + name);
    return kExitDone;
}

QX_CLI_COMMAND(InstallDemoReports, "report demo", "[DIR]",
               "записывает демонстрационные шаблоны в папку отчетов (или DIR) и регистрирует их в reports.sqlite") {
    const CliArgs args(ctx.Args, {});
    if (args.Positional().size() > 1) throw CliUsageError(QStringLiteral("лишние аргументы"));
    QString dir = args.Positional().isEmpty() ? QString() : args.Positional().front();
    if (dir.isEmpty()) dir = ctx.ResolvePaths().ReportDir;
    if (dir.isEmpty()) throw CliUsageError(QStringLiteral("не задана папка отчетов"));
    RegisterDemoReports(dir);
    for (const TDemoReport& report : DemoReports())
        ctx.Print(Format("%d | %s | ", report.Group, report.Name) + QStringLiteral("%\\") + report.File);
    return kExitDone;
}

}  // namespace
}  // namespace qx::cli
