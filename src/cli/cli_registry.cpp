// cli_registry.cpp — quarnix-cli commands of the order registry: list, register, import, open,
// delete, archive, refresh and clear.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <memory>

#include "cli/cli_command.h"
#include "common/datetime.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "registry/order_registry.h"
#include "shell/paths.h"
#include "shell/setup.h"

namespace qx::cli {
namespace {

// The configuration's paths and settings made the run's, and its registry opened.
class RegistrySession {
public:
    // `create`: a data directory without a registry gets an empty one.
    RegistrySession(const CliContext& ctx, bool create) {
        Paths() = ctx.ResolvePaths();
        setup_ = std::make_unique<TqxfSetup>(Paths());
        setup_->AutoSave = false;  // the tool never writes the settings
        SetSetup(setup_.get());
        if (create && !Paths().RegistryDir.isEmpty()) TqxfOrderRegistry::CreateIfMissing(Paths().RegistryDir);
        registry_ = std::make_unique<TqxfOrderRegistry>(Paths().RegistryDir);
    }
    ~RegistrySession() {
        registry_.reset();
        SetSetup(nullptr);
    }
    RegistrySession(const RegistrySession&) = delete;
    RegistrySession& operator=(const RegistrySession&) = delete;

    TqxfOrderRegistry& registry() { return *registry_; }

private:
    std::unique_ptr<TqxfSetup> setup_;
    std::unique_ptr<TqxfOrderRegistry> registry_;
};

QString absoluteFile(const QString& file) {
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(file).absoluteFilePath()));
}

QString dateText(const QDate& date) {
    return date.isValid() ? FormatShortDate(DateFromQt(date)) : QString();
}

QJsonObject rowToJson(const TRegRow& row) {
    return QJsonObject{{"No", row.No},
                       {"RegDate", dateText(row.RegDate)},
                       {"Customer", row.Customer},
                       {"Object", row.Object},
                       {"Address", row.Address},
                       {"Phone", row.Phone},
                       {"Cost", MoneyToText(row.Cost)},
                       {"Currency", row.Currency},
                       {"OrderFile", row.OrderFile},
                       {"Note", row.Note}};
}

TRegSortOrder sortOrderOption(const QString& value) {
    if (value.isEmpty() || value == QLatin1String("no")) return TRegSortOrder::ByNo;
    if (value == QLatin1String("date")) return TRegSortOrder::ByDate;
    if (value == QLatin1String("customer")) return TRegSortOrder::ByCustName;
    if (value == QLatin1String("object")) return TRegSortOrder::ByObjName;
    throw CliUsageError(QStringLiteral("Неверный порядок \"%1\": no, date, customer или object").arg(value));
}

// The registered rows of the numbers given; a number that is not registered fails the command
// before anything changes.
QStringList registeredNumbers(TqxfOrderRegistry& registry, const QStringList& numbers) {
    QStringList result;
    for (const QString& no : numbers) {
        const std::optional<TRegRow> row = registry.Find(no);
        if (!row) throw TqxfError(Format("Заказ № %s не зарегистрирован в реестре!", no));
        result << row->No;
    }
    return result;
}

QX_CLI_COMMAND(ListRegistry, "registry list", "[--order no|date|customer|object] [--json]",
               "реестр заказов в порядке номера, даты, заказчика или объекта") {
    const CliArgs args(ctx.Args, {"--order"});
    args.ExpectPositional(0);
    const TRegSortOrder order = sortOrderOption(args.Value("--order"));
    RegistrySession session(ctx, false);
    const std::vector<TRegRow> rows = session.registry().List(order);
    if (ctx.Options.Json) {
        QJsonArray list;
        for (const TRegRow& row : rows)
            list.append(rowToJson(row));
        ctx.PrintJson(QJsonObject{{"Count", static_cast<int>(rows.size())}, {"Orders", list}});
        return kExitDone;
    }
    for (const TRegRow& row : rows)
        ctx.Print(QStringList{row.No, dateText(row.RegDate), row.Customer, row.Object, MoneyToDisplay(row.Cost),
                              row.OrderFile}
                      .join(QStringLiteral(" | ")));
    ctx.Print(RegStatusText(static_cast<int>(rows.size())));
    return kExitDone;
}

QX_CLI_COMMAND(RegisterRegistry, "registry register", "FILE [--prev-no NO]",
               "регистрирует заказ или обновляет его строку; --prev-no: прежний номер перенумерованного заказа") {
    const CliArgs args(ctx.Args, {"--prev-no"});
    args.ExpectPositional(1, QStringLiteral("файл заказа"));
    RegistrySession session(ctx, true);
    const QString file = absoluteFile(args.Positional().front());
    TqxfOrder order;
    bool converted = false;
    if (!LoadOrderFromFile(order, file, converted)) return kExitFailed;
    // A file is a saved order: its previous number is its own unless the caller names another.
    const QString prevNo = args.Has("--prev-no") ? args.Value("--prev-no") : order.No;
    if (!RegisterOrder(session.registry(), order, file, prevNo, false, true)) return kExitFailed;
    ctx.Print(Format("Заказ № %s зарегистрирован: %s", order.No, RegFileName(file)));
    return kExitDone;
}

QX_CLI_COMMAND(ImportRegistry, "registry import", "FILE...",
               "регистрирует файлы заказов; уже зарегистрированные номера не принимаются") {
    const CliArgs args(ctx.Args, {});
    if (args.Positional().isEmpty()) throw CliUsageError(QStringLiteral("Не указаны файлы заказов"));
    RegistrySession session(ctx, true);
    QStringList files;
    for (const QString& file : args.Positional())
        files << absoluteFile(file);
    const int imported = ImportOrders(session.registry(), files);
    ctx.Print(Format("Зарегистрировано заказов: %d из %d", imported, static_cast<int>(files.size())));
    return imported == files.size() ? kExitDone : kExitFailed;
}

QX_CLI_COMMAND(OpenRegistry, "registry open", "NO", "файл зарегистрированного заказа") {
    const CliArgs args(ctx.Args, {});
    args.ExpectPositional(1, QStringLiteral("номер заказа"));
    RegistrySession session(ctx, false);
    const QString no = registeredNumbers(session.registry(), args.Positional()).front();
    const QString file = OpenRegOrder(*session.registry().Find(no));
    if (file.isEmpty()) return kExitFailed;
    ctx.Print(QDir::toNativeSeparators(file));
    return kExitDone;
}

int removeOrders(CliContext& ctx, bool archive) {
    const CliArgs args(ctx.Args, {});
    if (args.Positional().isEmpty()) throw CliUsageError(QStringLiteral("Не указаны номера заказов"));
    RegistrySession session(ctx, false);
    const QStringList numbers = registeredNumbers(session.registry(), args.Positional());
    const int removed = archive ? ArchiveRegOrders(session.registry(), numbers, true)
                                : DeleteRegOrders(session.registry(), numbers, true);
    ctx.Print(Format(archive ? "Перенесено в архив заказов: %d" : "Удалено заказов: %d", removed));
    return removed == numbers.size() ? kExitDone : kExitFailed;
}

QX_CLI_COMMAND(DeleteRegistry, "registry delete", "NO...",
               "удаляет заказы из реестра (с --yes); файлы уходят в Recycled, если MoveToRecycled") {
    return removeOrders(ctx, false);
}

QX_CLI_COMMAND(ArchiveRegistry, "registry archive", "NO...",
               "переносит заказы в архив (с --yes): строки удаляются, файлы уходят в Archive") {
    return removeOrders(ctx, true);
}

QX_CLI_COMMAND(RefreshRegistry, "registry refresh", "NO", "перечитывает данные заказа из его файла (с --yes)") {
    const CliArgs args(ctx.Args, {});
    args.ExpectPositional(1, QStringLiteral("номер заказа"));
    RegistrySession session(ctx, false);
    const QString no = registeredNumbers(session.registry(), args.Positional()).front();
    return RefreshRegOrder(session.registry(), no) ? kExitDone : kExitFailed;
}

QX_CLI_COMMAND(ClearRegistryCommand, "registry clear", "", "очищает реестр (с --yes), файлы заказов не затрагиваются") {
    CliArgs(ctx.Args, {}).ExpectPositional(0);
    RegistrySession session(ctx, false);
    if (session.registry().IsEmpty()) return kExitDone;
    return ClearRegistry(session.registry()) ? kExitDone : kExitFailed;
}

}  // namespace
}  // namespace qx::cli
