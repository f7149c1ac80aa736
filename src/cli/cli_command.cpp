// cli_command.cpp — the command registry, global options, dispatch and exit status of quarnix-cli.
#include "cli/cli_command.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"

namespace qx::cli {

namespace {

std::vector<CliCommand>& registry() {
    static std::vector<CliCommand> commands;
    return commands;
}

void writeOut(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// "--name=value" splits into name and value; other texts give no value.
bool splitOption(const QString& arg, QString& name, QString& value, bool& hasValue) {
    if (!arg.startsWith(QLatin1String("--"))) return false;
    const qsizetype eq = arg.indexOf(QLatin1Char('='));
    hasValue = eq > 0;
    name = hasValue ? arg.left(eq) : arg;
    value = hasValue ? arg.mid(eq + 1) : QString();
    return true;
}

QString optionValue(const QStringList& args, int& i, const QString& name, bool hasValue, const QString& inlineValue) {
    if (hasValue) return inlineValue;
    if (i + 1 >= args.size()) throw CliUsageError(QStringLiteral("Не указано значение параметра %1").arg(name));
    return args[++i];
}

}  // namespace

CliArgs::CliArgs(const QStringList& args, const QStringList& valueOptions, const QStringList& flags) {
    for (int i = 0; i < args.size(); ++i) {
        QString name, value;
        bool hasValue = false;
        if (!splitOption(args[i], name, value, hasValue) || args[i] == QLatin1String("--")) {
            positional_ << args[i];
            continue;
        }
        if (valueOptions.contains(name)) {
            value = optionValue(args, i, name, hasValue, value);
        } else if (flags.contains(name) && !hasValue) {
            value = QStringLiteral("1");
        } else {
            throw CliUsageError(QStringLiteral("Неизвестный параметр %1").arg(args[i]));
        }
        names_ << name;
        values_ << value;
    }
}

bool CliArgs::Has(const QString& option) const {
    return names_.contains(option);
}

QString CliArgs::Value(const QString& option) const {
    const qsizetype at = names_.lastIndexOf(option);
    return at < 0 ? QString() : values_[at];
}

QString CliArgs::Required(const QString& option) const {
    const QString value = Value(option);
    if (value.trimmed().isEmpty()) throw CliUsageError(QStringLiteral("Не указан параметр %1").arg(option));
    return value;
}

void CliArgs::ExpectPositional(int count, const QString& what) const {
    if (positional_.size() == count) return;
    if (positional_.size() < count) throw CliUsageError(QStringLiteral("Не указано: %1").arg(what));
    throw CliUsageError(QStringLiteral("Лишний аргумент %1").arg(positional_[count]));
}

void CliContext::Print(const QString& line) const {
    writeOut(stdout, line + QLatin1Char('\n'));
}

void CliContext::PrintJson(const QJsonValue& value) const {
    QJsonDocument doc = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    writeOut(stdout, QString::fromUtf8(doc.toJson(QJsonDocument::Indented)));
}

TqxfPaths CliContext::ResolvePaths() const {
    const bool dirsGiven =
        !Options.CatalogDir.isEmpty() || !Options.ServerDir.isEmpty() || !Options.ReportDir.isEmpty();
    TqxfDBConfig config;
    if (!Options.Config.isEmpty()) {
        if (!ReadDBConfig(Options.Config, config))
            throw TqxfError(Format(QString::fromUtf8(kDBConfigOpenErrorText), Options.Config));
    } else if (!dirsGiven) {
        QString defaultConfig;
        const QStringList names = ListDBConfigs(&defaultConfig);
        if (names.isEmpty()) throw TqxfError(QString::fromUtf8(kNoDBConfigText));
        const QString name = names[PreselectedDBConfig(names, defaultConfig)];
        if (!ReadDBConfig(name, config)) throw TqxfError(Format(QString::fromUtf8(kDBConfigOpenErrorText), name));
    }
    if (!Options.CatalogDir.isEmpty()) config.CatalogDir = Options.CatalogDir;
    if (!Options.ServerDir.isEmpty()) config.ServerDir = Options.ServerDir;
    if (!Options.ReportDir.isEmpty()) config.ReportDir = Options.ReportDir;
    return DBConfigPaths(config);
}

CliRegistrar::CliRegistrar(const char* name, const char* usage, const char* summary, CliHandler run) {
    registry().push_back(
        CliCommand{QString::fromUtf8(name), QString::fromUtf8(usage), QString::fromUtf8(summary), run});
}

std::vector<CliCommand> CliCommands() {
    std::vector<CliCommand> commands = registry();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand& a, const CliCommand& b) { return a.Name < b.Name; });
    return commands;
}

const CliCommand* FindCliCommand(const QStringList& words, int* consumed) {
    const CliCommand* best = nullptr;
    int bestWords = 0;
    for (const CliCommand& command : registry()) {
        const QStringList name = command.Name.split(QLatin1Char(' '));
        if (name.size() <= bestWords || name.size() > words.size()) continue;
        if (words.mid(0, name.size()) == name) {
            best = &command;
            bestWords = static_cast<int>(name.size());
        }
    }
    if (consumed) *consumed = bestWords;
    return best;
}

QString UsageText() {
    QString text = QString::fromUtf8(
        "Использование: quarnix-cli [общие параметры] КОМАНДА [параметры]\n"
        "\n"
        "Общие параметры (перед командой):\n"
        "  --config ИМЯ            конфигурация базы данных (иначе конфигурация по умолчанию)\n"
        "  --catalog-dir КАТАЛОГ   каталог справочника вместо каталога конфигурации\n"
        "  --server-dir КАТАЛОГ    каталог данных (заказы, реестр) вместо каталога конфигурации\n"
        "  --report-dir КАТАЛОГ    каталог шаблонов отчетов вместо каталога конфигурации\n"
        "  --yes                   отвечать OK на вопросы (по умолчанию Cancel)\n"
        "  --json                  вывод в формате JSON (можно указать и после команды)\n"
        "\n"
        "Команды:\n");
    for (const CliCommand& command : CliCommands()) {
        const QString call = command.Usage.isEmpty() ? command.Name : command.Name + QLatin1Char(' ') + command.Usage;
        text += QStringLiteral("  %1\n      %2\n").arg(call, command.Summary);
    }
    text += QString::fromUtf8("\nКод завершения: 0 выполнено, 1 ошибка (сообщение в stderr), 2 неверный вызов.\n");
    return text;
}

int RunCli(const QStringList& arguments) {
    CliContext ctx;
    ConsoleMessageHandler console;
    ScopedMessageHandler scope(console);
    try {
        int i = 1;
        for (; i < arguments.size(); ++i) {
            const QString& arg = arguments[i];
            QString name, value;
            bool hasValue = false;
            if (arg == QLatin1String("-h"))
                name = QStringLiteral("--help");
            else if (!splitOption(arg, name, value, hasValue))
                break;
            if (name == QLatin1String("--config"))
                ctx.Options.Config = optionValue(arguments, i, name, hasValue, value);
            else if (name == QLatin1String("--catalog-dir"))
                ctx.Options.CatalogDir = optionValue(arguments, i, name, hasValue, value);
            else if (name == QLatin1String("--server-dir"))
                ctx.Options.ServerDir = optionValue(arguments, i, name, hasValue, value);
            else if (name == QLatin1String("--report-dir"))
                ctx.Options.ReportDir = optionValue(arguments, i, name, hasValue, value);
            else if (name == QLatin1String("--yes") && !hasValue)
                ctx.Options.Yes = true;
            else if (name == QLatin1String("--json") && !hasValue)
                ctx.Options.Json = true;
            else if (name == QLatin1String("--help") || name == QLatin1String("--version"))
                break;
            else
                throw CliUsageError(QStringLiteral("Неизвестный параметр %1").arg(arg));
        }
        QStringList words = arguments.mid(i);
        if (!words.isEmpty() && (words.front() == QLatin1String("--help") || words.front() == QLatin1String("-h")))
            words.front() = QStringLiteral("help");
        if (!words.isEmpty() && words.front() == QLatin1String("--version")) words.front() = QStringLiteral("version");
        if (words.isEmpty()) throw CliUsageError(QStringLiteral("Не указана команда"));
        int consumed = 0;
        const CliCommand* command = FindCliCommand(words, &consumed);
        if (!command) throw CliUsageError(QStringLiteral("Неизвестная команда %1").arg(words.front()));
        ctx.CommandName = command->Name;
        for (const QString& arg : words.mid(consumed)) {
            if (arg == QLatin1String("--json"))
                ctx.Options.Json = true;
            else
                ctx.Args << arg;
        }
        console.setAnswerYes(ctx.Options.Yes);
        return command->Run(ctx);
    } catch (const CliUsageError& e) {
        writeOut(stderr, QStringLiteral("quarnix-cli: %1\n\n").arg(e.Message) + UsageText());
        return kExitUsage;
    } catch (const TqxfError& e) {
        ShowError(e.message());
        return kExitFailed;
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()));
        return kExitFailed;
    }
}

}  // namespace qx::cli
