// cli_session.cpp — the settings, catalog and report table of one command of the tool.
#include "cli/cli_session.h"

#include "catalog/data_module.h"
#include "common/error.h"
#include "common/format.h"
#include "shell/paths.h"
#include "shell/setup.h"

namespace qx::cli {

CommandSession::CommandSession(const CliContext& ctx, Catalog catalog) {
    Paths() = ctx.ResolvePaths();
    setup_ = std::make_unique<TqxfSetup>(Paths());
    setup_->AutoSave = false;  // the tool never writes the settings
    SetSetup(setup_.get());
    if (catalog == Catalog::None) return;
    const QString catalogDir = Paths().CatalogDir;
    if (catalogDir.isEmpty())
        throw TqxfError(Format("Ошибка открытия базы данных [%s]\r\n(%s)", "catalog.sqlite", "файл не найден"));
    dm_ = std::make_unique<TDM>();
    dm_->ConnectCatalog(catalogDir);
    if (dm_->OpenCatalogTables() > 0)
        throw TqxfError(Format("Справочник в каталоге \"%s\" открыт не полностью!", catalogDir));
    install();
}

CommandSession::~CommandSession() {
    if (dm_ && HasDM() && &DM() == dm_.get()) SetDM(nullptr);
    dm_.reset();
    SetSetup(nullptr);
}

void CommandSession::ConnectReports() {
    if (Paths().ReportDir.isEmpty())
        throw TqxfError(Format("Ошибка открытия базы данных [%s]\r\n(%s)", "reports.sqlite", "файл не найден"));
    if (!dm_) dm_ = std::make_unique<TDM>();
    dm_->ConnectReport(Paths().ReportDir);
    install();
}

void CommandSession::install() {
    if (!HasDM() || &DM() != dm_.get()) SetDM(dm_.get());
}

}  // namespace qx::cli
