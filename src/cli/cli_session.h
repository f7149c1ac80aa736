// cli_session.h — what a document command runs in: the configuration's paths and settings made the
// run's (never saved by the tool) and, when the command needs them, its catalog and report table.
#pragma once
#include <memory>

#include "cli/cli_command.h"

namespace qx {
class TDM;
class TqxfSetup;
}  // namespace qx

namespace qx::cli {

class CommandSession {
public:
    enum class Catalog { None, Required };

    // With Catalog::Required the catalog is opened as the run's data module; a missing catalog
    // database or a table that fails to open raises (each table's failure has been reported).
    CommandSession(const CliContext& ctx, Catalog catalog);
    ~CommandSession();
    CommandSession(const CommandSession&) = delete;
    CommandSession& operator=(const CommandSession&) = delete;

    // Connects the report table of the configuration's report directory; a missing one raises.
    void ConnectReports();
    TqxfSetup& Setup() { return *setup_; }

private:
    void install();

    std::unique_ptr<TqxfSetup> setup_;
    std::unique_ptr<TDM> dm_;
};

}  // namespace qx::cli
