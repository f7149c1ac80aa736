// cli_order.cpp — quarnix-cli commands on order files: build from JSON, show, reselect hardware, recalculate.
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>
#include <memory>

#include "catalog/data_module.h"
#include "catalog/lookups.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "construction/construction.h"
#include "construction/sketch.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "documents/order_json.h"
#include "documents/pricing.h"
#include "shell/setup.h"

namespace qx::cli {
namespace {

// "-o FILE" is the short form of "--output FILE".
CliArgs orderArgs(const CliContext& ctx, const QStringList& valueOptions, const QStringList& flags = {}) {
    QStringList args = ctx.Args;
    for (QString& arg : args)
        if (arg == QLatin1String("-o")) arg = QStringLiteral("--output");
    return CliArgs(args, valueOptions, flags);
}

// The catalog when the configuration has one, for names in the summary; its absence is no error.
std::unique_ptr<CommandSession> optionalEnvironment(const CliContext& ctx) {
    RecordingMessageHandler quiet;
    ScopedMessageHandler scope(quiet);
    try {
        return std::make_unique<CommandSession>(ctx, CommandSession::Catalog::Required);
    } catch (const std::exception&) {
        return nullptr;
    }
}

// Loads the order file; the older-stamp question is answered by --yes. False after the reader's
// own message.
bool loadOrder(TqxfOrder& order, const QString& fileName) {
    bool converted = false;
    return order.LoadFromFile(fileName, &converted);
}

QJsonObject totalsJson(const TqxfOrder& order, const QString& fileName) {
    return QJsonObject{{"File", fileName},
                       {"No", order.No},
                       {"Positions", order.Count()},
                       {"OrderSum", MoneyToText(order.OrderSum())},
                       {"OrderNDS", MoneyToText(order.OrderNDS())},
                       {"OrderTotal", MoneyToText(order.OrderTotal())}};
}

int reportSaved(const CliContext& ctx, const TqxfOrder& order, const QString& fileName) {
    if (ctx.Options.Json)
        ctx.PrintJson(totalsJson(order, fileName));
    else
        ctx.Print(QString::fromUtf8("Заказ № %1 сохранен: %2 (позиций: %3, итого: %4)")
                      .arg(order.No, fileName)
                      .arg(order.Count())
                      .arg(MoneyToDisplay(order.OrderTotal())));
    return kExitDone;
}

// --- The readable summary ---

// A quantity as the summary shows it: at most three decimals (millimetres of a length in metres).
QString numberText(float value) {
    QString text = QString::number(static_cast<double>(value), 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    if (text == QLatin1String("-0")) text = QStringLiteral("0");
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

// Columns padded to their widest cell; numeric columns right-aligned.
QStringList tableLines(const QStringList& header, const QList<QStringList>& rows, const QList<bool>& right) {
    QList<int> widths;
    for (const QString& cell : header)
        widths << cell.size();
    for (const QStringList& row : rows)
        for (int i = 0; i < row.size() && i < widths.size(); ++i)
            widths[i] = std::max<int>(widths[i], row[i].size());
    auto line = [&](const QStringList& cells) {
        QStringList padded;
        for (int i = 0; i < cells.size(); ++i)
            padded << (right.value(i) ? cells[i].rightJustified(widths[i]) : cells[i].leftJustified(widths[i]));
        QString text = QStringLiteral("  ") + padded.join(QLatin1Char(' '));
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text;
    };
    QStringList out{line(header)};
    QString rule;
    for (int w : widths)
        rule += QString(w, QLatin1Char('-')) + QLatin1Char(' ');
    out << QStringLiteral("  ") + rule.trimmed();
    for (const QStringList& row : rows)
        out << line(row);
    return out;
}

QStringList orderSummary(const TqxfOrder& order, const QString& fileName, bool withCatalog) {
    auto money = [](Money m) { return MoneyToDisplay(m); };
    QStringList out;
    out << QString::fromUtf8("Заказ № %1 от %2").arg(order.No, FormatShortDate(order.RegDate));
    out << QString::fromUtf8("Файл: %1 (версия формата %2)").arg(fileName, order.Version);
    auto field = [&](const char* caption, const QString& value) {
        if (!value.isEmpty()) out << QString::fromUtf8(caption) + QStringLiteral(": ") + value;
    };
    field("Служебный №", order.AltNo);
    field("Заказчик", order.Customer);
    field("Наименование объекта", order.ObjectName);
    field("Адрес объекта", order.Address);
    field("Контактный телефон", order.Phone);
    field("Метка", order.Remark);
    const QString currencyName = withCatalog ? GetCurrencyName(order.Currency) : QString();
    out << QString::fromUtf8("Валюта: %1[%2], ставка НДС: %3%4")
               .arg(currencyName.isEmpty() ? QString() : currencyName + QLatin1Char(' '))
               .arg(order.Currency)
               .arg(numberText(order.NDSTax) + QStringLiteral(" %"))
               .arg(order.TotalNDS ? QString::fromUtf8(" (начисляется на итог)") : QString());
    for (const QString& note : order.Notes)
        out << QString::fromUtf8("Примечание: ") + note;

    out << QString() << QString::fromUtf8("Позиции (%1):").arg(order.Count());
    QList<QStringList> rows;
    for (int i = 0; i < order.Count(); ++i) {
        const TqxfConstruction& p = *order.Positions(i);
        int32_t w = 0, h = 0;
        p.GetSize(w, h);
        rows << QStringList{p.Checked ? QStringLiteral("+") : QStringLiteral("-"),
                            p.PosNo,
                            p.PosName,
                            QString::number(p.Quantity),
                            QStringLiteral("%1 x %2").arg(w).arg(h),
                            money(p.Price),
                            money(p.TotalPrice())};
    }
    out << tableLines({"", "№", "Наименование", "Кол-во", "Размер, мм", "Цена", "Сумма"}, rows,
                      {false, false, false, true, true, true, true});

    TqxfMatList materials;
    order.CollectOrderMaterials(&materials);
    out << QString() << QString::fromUtf8("Материалы заказа (%1):").arg(materials.size());
    rows.clear();
    for (const auto& line : materials)
        rows << QStringList{line->ID, withCatalog ? GetArticleName(line->ID, true) : QString(),
                            numberText(line->Number), money(line->ListPrice), money(line->Cost)};
    out << tableLines({"Артикул", "Наименование", "Кол-во", "Цена", "Сумма"}, rows, {false, false, true, true, true});

    out << QString();
    out << QString::fromUtf8("Итого: %1").arg(money(order.OrderSum()));
    out << QString::fromUtf8("НДС: %1").arg(money(order.OrderNDS()));
    out << QString::fromUtf8("Всего: %1").arg(money(order.OrderTotal()));
    return out;
}

QX_CLI_COMMAND(BuildOrder, "order build", "SPEC.json -o ORDER.qfo370",
               "создает заказ по описанию JSON (шапка, курсы, позиции с размерами и фурнитурой створок) и "
               "сохраняет его") {
    const CliArgs args = orderArgs(ctx, {"--output"});
    args.ExpectPositional(1, QString::fromUtf8("файл описания заказа"));
    const QString output = args.Required(QStringLiteral("--output"));
    const QString specFile = args.Positional().front();
    QFile file(specFile);
    if (!file.open(QIODevice::ReadOnly))
        throw TqxfError(Format("Не удается открыть файл описания заказа \"%s\": %s", specFile, file.errorString()));
    const QJsonObject spec = ParseOrderSpec(file.readAll());

    CommandSession environment(ctx, CommandSession::Catalog::Required);
    TqxfOrder order;
    BuildOrderFromSpec(order, spec);
    if (!order.SaveToFile(output)) return kExitFailed;
    return reportSaved(ctx, order, output);
}

QX_CLI_COMMAND(ShowOrder, "order show", "FILE [--json]",
               "заказ целиком: шапка, курсы, позиции со створками, комплектами и материалами, итоги") {
    const CliArgs args = orderArgs(ctx, {});
    args.ExpectPositional(1, QString::fromUtf8("файл заказа"));
    const QString fileName = args.Positional().front();
    TqxfOrder order;
    if (!loadOrder(order, fileName)) return kExitFailed;
    if (ctx.Options.Json) {
        ctx.PrintJson(OrderToJson(order));
        return kExitDone;
    }
    const std::unique_ptr<CommandSession> environment = optionalEnvironment(ctx);
    for (const QString& line : orderSummary(order, fileName, environment != nullptr))
        ctx.Print(line);
    return kExitDone;
}

QX_CLI_COMMAND(ReselectOrder, "order reselect", "FILE [-o OUT]",
               "подбирает фурнитуру всех створок заново по текущему справочнику и пересчитывает цены") {
    const CliArgs args = orderArgs(ctx, {"--output"});
    args.ExpectPositional(1, QString::fromUtf8("файл заказа"));
    const QString fileName = args.Positional().front();
    const QString output = args.Has(QStringLiteral("--output")) ? args.Required(QStringLiteral("--output")) : fileName;
    CommandSession environment(ctx, CommandSession::Catalog::Required);
    TqxfOrder order;
    if (!loadOrder(order, fileName)) return kExitFailed;
    if (!order.ReselectHardware()) return kExitFailed;
    if (!order.SaveToFile(output)) return kExitFailed;
    return reportSaved(ctx, order, output);
}

QX_CLI_COMMAND(RecalcOrder, "order recalc", "FILE [-o OUT] [--current-rates] [--rate ID=КУРС ...]",
               "пересчитывает цены включенных позиций в валюте и по курсам заказа (--current-rates: взять "
               "текущие курсы справочника, --rate: задать курс валюты заказа)") {
    const CliArgs args = orderArgs(ctx, {"--output", "--rate"}, {"--current-rates"});
    args.ExpectPositional(1, QString::fromUtf8("файл заказа"));
    const QString fileName = args.Positional().front();
    const QString output = args.Has(QStringLiteral("--output")) ? args.Required(QStringLiteral("--output")) : fileName;
    // Every --rate, in the order given.
    QList<TqxfCurrencyItem> rates;
    for (int i = 0; i < ctx.Args.size(); ++i) {
        QString value;
        if (ctx.Args[i] == QLatin1String("--rate") && i + 1 < ctx.Args.size())
            value = ctx.Args[++i];
        else if (ctx.Args[i].startsWith(QLatin1String("--rate=")))
            value = ctx.Args[i].mid(7);
        else
            continue;
        const QStringList parts = value.split(QLatin1Char('='));
        bool idOk = false, rateOk = false;
        const int id = parts.value(0).trimmed().toInt(&idOk);
        const float rate = parts.value(1).trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toFloat(&rateOk);
        if (parts.size() != 2 || !idOk || !rateOk || rate < 0)
            throw CliUsageError(QString::fromUtf8("Неверный курс %1: ожидается ID=КУРС").arg(value));
        rates.append(TqxfCurrencyItem{id, rate});
    }

    CommandSession environment(ctx, CommandSession::Catalog::Required);
    TqxfOrder order;
    if (!loadOrder(order, fileName)) return kExitFailed;
    if (args.Has(QStringLiteral("--current-rates"))) LoadRates(order.Currencies);
    for (const TqxfCurrencyItem& rate : rates) {
        auto found = std::find_if(order.Currencies.begin(), order.Currencies.end(),
                                  [&](const TqxfCurrencyItem& item) { return item.ID == rate.ID; });
        if (found == order.Currencies.end()) throw TqxfError(Format("В курсах заказа нет валюты [%d]!", rate.ID));
        found->Rate = rate.Rate;
    }
    if (!order.Recalculate()) return kExitFailed;
    if (!order.SaveToFile(output)) return kExitFailed;
    return reportSaved(ctx, order, output);
}

QX_CLI_COMMAND(SketchOrder, "order sketch", "FILE --pos POSNO --png OUT.png [--width 800 --height 600]",
               "рисует эскиз позиции с размерными линиями в файл PNG") {
    const CliArgs args = orderArgs(ctx, {"--pos", "--png", "--width", "--height"});
    args.ExpectPositional(1, QString::fromUtf8("файл заказа"));
    const QString fileName = args.Positional().front();
    const QString posNo = args.Required(QStringLiteral("--pos"));
    const QString png = args.Required(QStringLiteral("--png"));
    auto sizeOption = [&](const char* option, int fallback) {
        if (!args.Has(QString::fromLatin1(option))) return fallback;
        bool ok = false;
        const int value = args.Required(QString::fromLatin1(option)).toInt(&ok);
        if (!ok || value < 50 || value > 10000)
            throw CliUsageError(
                QString::fromUtf8("%1: ожидается число от 50 до 10000").arg(QString::fromLatin1(option)));
        return value;
    };
    const QSize size(sizeOption("--width", 800), sizeOption("--height", 600));
    TqxfOrder order;
    if (!loadOrder(order, fileName)) return kExitFailed;
    const TqxfConstruction* position = order.FindPosition(posNo);
    if (!position) throw TqxfError(Format("В заказе нет позиции [%s]!", posNo));
    const QImage image = RenderSketch(*position, size);
    if (image.isNull()) throw TqxfError(Format("Позиция [%s] не имеет размеров: эскиз не построен!", posNo));
    QSaveFile out(png);
    if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.commit())
        throw TqxfError(Format("Ошибка записи файла эскиза [%s]!\r\n(%s)", png, out.errorString()));
    ctx.Print(png);
    return kExitDone;
}

}  // namespace
}  // namespace qx::cli
