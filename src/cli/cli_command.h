// cli_command.h — quarnix-cli's commands: the registry they join, the context they run in, argument helpers.
#pragma once
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <vector>

#include "shell/paths.h"

namespace qx::cli {

// Exit status of the tool.
enum ExitCode : int { kExitDone = 0, kExitFailed = 1, kExitUsage = 2 };

// Wrong usage: the tool prints the text and the short usage and ends with status 2.
class CliUsageError {
  public:
    explicit CliUsageError(QString message) : Message(std::move(message)) {}
    QString Message;
};

// The global options, given before the command (--json also after it).
struct CliGlobalOptions {
    QString Config;      // --config NAME
    QString CatalogDir;  // --catalog-dir DIR
    QString ServerDir;   // --server-dir DIR
    QString ReportDir;   // --report-dir DIR
    bool Yes = false;    // --yes: questions are answered OK (default Cancel)
    bool Json = false;   // --json
};

// A command's own arguments: positional ones and "--option VALUE" / "--option=VALUE" / "--flag".
// Options the command does not know, and a missing value, are wrong usage.
class CliArgs {
  public:
    CliArgs(const QStringList& args, const QStringList& valueOptions, const QStringList& flags = {});
    const QStringList& Positional() const { return positional_; }
    bool Has(const QString& option) const;
    QString Value(const QString& option) const;
    // The value of an option the command cannot do without (wrong usage when missing or empty).
    QString Required(const QString& option) const;
    // Wrong usage unless there are exactly `count` positional arguments.
    void ExpectPositional(int count, const QString& what = QString()) const;

  private:
    QStringList positional_;
    QStringList names_;
    QStringList values_;
};

// What a command runs with: the global options, its own arguments, output and the configuration.
class CliContext {
  public:
    CliGlobalOptions Options;
    QString CommandName;  // "config add"
    QStringList Args;     // the arguments after the command words

    // One line on stdout (UTF-8).
    void Print(const QString& line) const;
    // A JSON document on stdout, indented.
    void PrintJson(const QJsonValue& value) const;

    // The chosen configuration's paths, without a temporary directory: --config NAME, else the
    // "DefaultConfig" (the first configuration when it names none, as the start-up choice
    // preselects); --catalog-dir, --server-dir and --report-dir replace its directories, and
    // when only they are given no configuration is read. Failures raise TqxfError with the
    // system's texts.
    TqxfPaths ResolvePaths() const;

    // Binds the catalog data module to the configuration's directories and opens the catalog
    // tables (document commands need only the catalog). Defined with the catalog data module's
    // commands (cli_catalog.cpp); not yet part of the tool.
    void OpenCatalog();
};

using CliHandler = int (*)(CliContext&);

struct CliCommand {
    QString Name;     // one or more words: "version", "config add"
    QString Usage;    // the arguments after the name: "NAME --catalog DIR …"
    QString Summary;  // one line, shown in the usage text
    CliHandler Run;
};

// The registered commands, in the order of their names.
std::vector<CliCommand> CliCommands();
// The command whose words begin the list (the longest such name); *consumed gets its word count.
const CliCommand* FindCliCommand(const QStringList& words, int* consumed);

// Registers a command when the program starts (used through QX_CLI_COMMAND).
struct CliRegistrar {
    CliRegistrar(const char* name, const char* usage, const char* summary, CliHandler run);
};

// The short usage text: the global options and every command.
QString UsageText();

// Runs the tool over its arguments (argument 0 is the program) and returns the exit status.
int RunCli(const QStringList& arguments);

}  // namespace qx::cli

// Defines and registers a command in any file of the tool:
//   QX_CLI_COMMAND(ListOrders, "order list", "[--json]", "список заказов") { …; return kExitDone; }
// The body sees the context as `ctx`.
#define QX_CLI_COMMAND(function, name, usage, summary)                                         \
    static int function(::qx::cli::CliContext& ctx);                                           \
    static const ::qx::cli::CliRegistrar function##Registrar(name, usage, summary, &function); \
    static int function([[maybe_unused]] ::qx::cli::CliContext& ctx)
