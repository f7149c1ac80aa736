// cli_selection.cpp — quarnix-cli commands of selections: new, add order files, refresh, show with
// the merged priced material list.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <memory>

#include "catalog/data_module.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "common/datetime.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "documents/order_json.h"
#include "documents/order_selection.h"
#include "shell/paths.h"
#include "shell/setup.h"

namespace qx::cli {
namespace {

QString absoluteFile(const QString& file) {
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(file).absoluteFilePath()));
}

QString singleText(float value) {
    return SingleToJson(value).toVariant().toString().replace(QLatin1Char('.'), QLatin1Char(','));
}

QJsonObject selectionToJson(const TqxfOrderSelection& selection, const TqxfMatList& materials, Money total) {
    QJsonArray rates;
    for (const TqxfCurrencyItem& item : selection.Currencies)
        rates.append(QJsonObject{{"ID", item.ID}, {"Rate", SingleToJson(item.Rate)}});
    QJsonArray lines;
    for (int i = 0; i < selection.Count(); ++i) {
        const TqxfOrderSelectionItem& line = *selection.Items(i);
        lines.append(QJsonObject{{"Checked", line.Checked},
                                 {"OrderNo", line.OrderNo},
                                 {"PosNo", line.PosNo},
                                 {"Width", SingleToJson(line.Width)},
                                 {"Height", SingleToJson(line.Height)},
                                 {"Quantity", line.Quantity},
                                 {"PosName", line.PosName},
                                 {"OrderFile", line.OrderFile}});
    }
    return QJsonObject{{"FileHeader", selection.FileHeader},
                       {"Version", selection.Version},
                       {"No", selection.No},
                       {"SelDate", FormatShortDate(selection.SelDate)},
                       {"SelName", selection.SelName},
                       {"Currency", selection.Currency},
                       {"PriceGroupNo", selection.PriceGroupNo},
                       {"NDSTax", SingleToJson(selection.NDSTax)},
                       {"RoundMode", selection.RoundMode},
                       {"Currencies", rates},
                       {"Notes", QJsonArray::fromStringList(selection.Notes)},
                       {"Lines", lines},
                       {"OrderNoList", selection.OrderNoList()},
                       {"MatList", MatListToJson(materials)},
                       {"MatListTotal", MoneyToText(total)}};
}

void printSelection(const CliContext& ctx, const TqxfOrderSelection& selection, const TqxfMatList& materials,
                    Money total) {
    ctx.Print(Format("Выборка № %s от %s  %s", selection.No, FormatShortDate(selection.SelDate), selection.SelName));
    ctx.Print(Format("Заказы: %s", selection.OrderNoList()));
    ctx.Print(QStringLiteral("Позиции:"));
    for (int i = 0; i < selection.Count(); ++i) {
        const TqxfOrderSelectionItem& line = *selection.Items(i);
        ctx.Print(QStringList{line.Checked ? QStringLiteral("[x]") : QStringLiteral("[ ]"), line.OrderNo, line.PosNo,
                              singleText(line.Width) + QStringLiteral(" x ") + singleText(line.Height),
                              Format("%d", line.Quantity), line.PosName, line.OrderFile}
                      .join(QStringLiteral(" | ")));
    }
    ctx.Print(QStringLiteral("Материалы:"));
    for (const auto& item : materials)
        ctx.Print(
            QStringList{item->ID, singleText(item->Number), MoneyToDisplay(item->ListPrice), MoneyToDisplay(item->Cost)}
                .join(QStringLiteral(" | ")));
    ctx.Print(Format("Итого: %s", MoneyToDisplay(total)));
}

QX_CLI_COMMAND(NewSelection, "selection new", "FILE --no N [--name TEXT]",
               "создает выборку в валюте и по курсам каталога") {
    const CliArgs args(ctx.Args, {"--no", "--name"});
    args.ExpectPositional(1, QStringLiteral("файл выборки"));
    const QString file = absoluteFile(args.Positional().front());
    const QString no = args.Value("--no").trimmed();
    if (no.isEmpty()) {
        ShowError(QStringLiteral("Не указан номер выборки!"));
        return kExitFailed;
    }
    if (QFileInfo::exists(file)) throw TqxfError(Format("Файл \"%s\" уже существует!", file));
    CommandSession session(ctx, CommandSession::Catalog::Required);
    TqxfOrderSelection selection;
    selection.InitNewSelection();
    selection.No = no;
    selection.SelName = args.Value("--name").trimmed();
    if (!selection.SaveToFile(file)) return kExitFailed;
    ctx.Print(Format("Выборка № %s: %s", selection.No, file));
    return kExitDone;
}

QX_CLI_COMMAND(AddToSelection, "selection add", "SELFILE ORDERFILE...",
               "добавляет позиции файлов заказов в выборку (уже взятые позиции обновляются)") {
    const CliArgs args(ctx.Args, {});
    if (args.Positional().size() < 2) throw CliUsageError(QStringLiteral("Нужны файл выборки и файлы заказов"));
    CommandSession session(ctx, CommandSession::Catalog::None);
    const QString file = absoluteFile(args.Positional().front());
    TqxfOrderSelection selection;
    if (!selection.LoadFromFile(file)) return kExitFailed;
    std::vector<int> added, updated;
    bool allLoaded = true;
    for (const QString& orderFile : args.Positional().mid(1))
        if (!selection.AddOrderFile(absoluteFile(orderFile), &added, &updated)) allLoaded = false;
    if (!selection.SaveToFile(file)) return kExitFailed;
    ctx.Print(Format("Добавлено позиций: %d, обновлено: %d", static_cast<int>(added.size()),
                     static_cast<int>(updated.size())));
    return allLoaded ? kExitDone : kExitFailed;
}

QX_CLI_COMMAND(RefreshSelection, "selection refresh", "SELFILE",
               "перечитывает строки выборки из файлов заказов (с их отметками)") {
    const CliArgs args(ctx.Args, {});
    args.ExpectPositional(1, QStringLiteral("файл выборки"));
    CommandSession session(ctx, CommandSession::Catalog::None);
    const QString file = absoluteFile(args.Positional().front());
    TqxfOrderSelection selection;
    if (!selection.LoadFromFile(file)) return kExitFailed;
    selection.RefreshItems(true);
    return selection.SaveToFile(file) ? kExitDone : kExitFailed;
}

QX_CLI_COMMAND(ShowSelection, "selection show", "SELFILE [--json]",
               "строки выборки и ее сводный список материалов в валюте и по курсам выборки") {
    const CliArgs args(ctx.Args, {});
    args.ExpectPositional(1, QStringLiteral("файл выборки"));
    CommandSession session(ctx, CommandSession::Catalog::Required);
    TqxfOrderSelection selection;
    if (!selection.LoadFromFile(absoluteFile(args.Positional().front()))) return kExitFailed;
    TqxfMatList materials;
    selection.CollectSelMaterials(&materials);
    Money total;
    for (const auto& item : materials)
        total += item->Cost;
    if (ctx.Options.Json)
        ctx.PrintJson(selectionToJson(selection, materials, total));
    else
        printSelection(ctx, selection, materials, total);
    return kExitDone;
}

}  // namespace
}  // namespace qx::cli
