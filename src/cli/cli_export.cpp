// cli_export.cpp — quarnix-cli command that writes a supplier request (TBM, Vorne, XML) of an order or a selection.
#include <QJsonObject>
#include <memory>

#include "catalog/data_module.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "common/datetime.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "documents/order.h"
#include "documents/order_selection.h"
#include "exports/export_params.h"
#include "exports/tbm_export.h"
#include "exports/vbh_export.h"
#include "exports/vorne_export.h"
#include "shell/setup.h"

namespace qx::cli {
namespace {

TExportFormat parseFormat(const QString& text) {
    if (text == QLatin1String("tbm")) return TExportFormat::TBM;
    if (text == QLatin1String("vorne")) return TExportFormat::Vorne;
    if (text == QLatin1String("xml")) return TExportFormat::VBH;
    throw CliUsageError(QString::fromUtf8("Неизвестный формат %1 (tbm, vorne или xml)").arg(text));
}

const char* formatName(TExportFormat format) {
    switch (format) {
        case TExportFormat::TBM:
            return "tbm";
        case TExportFormat::Vorne:
            return "vorne";
        case TExportFormat::VBH:
            break;
    }
    return "xml";
}

void refuseOptions(const CliArgs& args, const QStringList& options, const char* format) {
    for (const QString& option : options)
        if (args.Has(option))
            throw CliUsageError(QString::fromUtf8("Параметр %1 не относится к формату %2").arg(option, format));
}

// The dialog's fields as the options give them; unset options keep the proposals. The file name
// follows a new customer code or request number unless --out names the file.
void applyOptions(const CliArgs& args, TExportFormat format, TqxfExportParams& params) {
    if (args.Has("--firm-id")) params.FirmID = args.Value("--firm-id");
    if (args.Has("--firm-name")) params.FirmName = args.Value("--firm-name");
    if (args.Has("--request-no")) {
        bool ok = false;
        params.OrderNo = args.Value("--request-no").trimmed().toInt(&ok);
        if (!ok) throw CliUsageError(QString::fromUtf8("Неверный номер заявки %1").arg(args.Value("--request-no")));
    }
    if (args.Has("--request-name")) params.OrderName = args.Value("--request-name");
    if (args.Has("--order-list")) params.OrderList = args.Value("--order-list");
    if (args.Has("--comment")) params.Comment = args.Value("--comment");
    if (args.Has("--date") && !ParseShortDate(args.Value("--date"), params.Date))
        throw CliUsageError(QString::fromUtf8("Неверная дата %1 (дд.мм.гггг)").arg(args.Value("--date")));
    if (args.Has("--firm-id") || args.Has("--request-no"))
        params.FileName = ExportFileName(format, params.FirmID, params.OrderNo);
    if (args.Has("--out")) params.FileName = args.Required("--out");
    if (args.Has("--upload")) params.Upload = true;
}

bool runExport(TExportFormat format, const TqxfExportParams& params, const TMatListBuilder& materials) {
    switch (format) {
        case TExportFormat::TBM:
            return RunTbmExport(params, materials);
        case TExportFormat::Vorne:
            return RunVorneExport(params, materials);
        case TExportFormat::VBH:
            break;
    }
    return RunVbhExport(params, materials);
}

QX_CLI_COMMAND(
    ExportRequest, "export",
    "tbm|vorne|xml (--order FILE | --selection FILE) [--firm-id X] [--firm-name Y] [--request-no N] [--request-name S] "
    "[--order-list S] [--comment S] [--date дд.мм.гггг] [--out FILE] [--upload] [--yes]",
    "файл заявки поставщику (\"ТБМ Навигатор\", \"Ворне Бела\", XML) по материалам заказа или выборки; "
    "не заданные параметры берутся, как их предлагает диалог, и запоминаются, как после OK; "
    "--upload: отправить XML на FTP (по умолчанию настройка ftpUpload); --yes: переписать файл") {
    const CliArgs args(ctx.Args,
                       {"--order", "--selection", "--firm-id", "--firm-name", "--request-no", "--request-name",
                        "--order-list", "--comment", "--date", "--out"},
                       {"--upload", "--yes"});
    args.ExpectPositional(1, QString::fromUtf8("формат (tbm, vorne или xml)"));
    const TExportFormat format = parseFormat(args.Positional().front());
    if (format == TExportFormat::VBH)
        refuseOptions(args, {"--request-name"}, formatName(format));
    else
        refuseOptions(args, {"--order-list", "--comment", "--upload"}, formatName(format));
    if (args.Has("--order") == args.Has("--selection"))
        throw CliUsageError(QString::fromUtf8("Укажите один из параметров --order или --selection"));
    const bool isSelection = args.Has("--selection");
    const QString documentFile = args.Required(isSelection ? "--selection" : "--order");
    // --yes also after the command: the overwrite question is answered OK.
    if (args.Has("--yes"))
        if (auto* console = dynamic_cast<ConsoleMessageHandler*>(&CurrentMessageHandler())) console->setAnswerYes(true);

    CommandSession environment(ctx, CommandSession::Catalog::Required);
    TqxfOrder order;
    TqxfOrderSelection selection;
    bool converted = false;
    if (isSelection ? !selection.LoadFromFile(documentFile, &converted) : !order.LoadFromFile(documentFile, &converted))
        return kExitFailed;
    TqxfExportParams params = ProposeExportParams(format, isSelection ? selection.No : order.No);
    applyOptions(args, format, params);
    if (!runExport(format, params, isSelection ? SelectionMaterials(selection) : OrderMaterials(order)))
        return kExitFailed;
    if (ctx.Options.Json)
        ctx.PrintJson(QJsonObject{{"Format", formatName(format)},
                                  {"FileName", params.FileName},
                                  {"OrderNo", params.OrderNo},
                                  {"Uploaded", params.Upload}});
    else
        ctx.Print(params.FileName);
    return kExitDone;
}

}  // namespace
}  // namespace qx::cli
