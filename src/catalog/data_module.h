// data_module.h — TDM: the three database connections and every table object of the catalog.
#pragma once
#include <QSqlDatabase>
#include <QString>
#include <memory>
#include <vector>

#include "catalog/catalog_table.h"

namespace qx {

class TDM {
  public:
    TDM();
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // Binds and opens the three connections ("KVDB_Catalog", "KVDB_Registry", "KVDB_Report")
    // to catalog.sqlite, registry.sqlite and reports.sqlite in the directories (an empty directory
    // leaves its connection closed). Errors raise TqxfError.
    void Connect(const QString& catalogDir, const QString& registryDir, const QString& reportDir);
    // One connection at a time (Connect runs the three in this order). A directory without its
    // database file raises TqxfError naming the file; an empty directory closes the connection.
    void ConnectCatalog(const QString& catalogDir);
    void ConnectRegistry(const QString& registryDir);
    void ConnectReport(const QString& reportDir);
    // Opens the catalog tables in the start-up order; a table that fails is reported with
    // OpenDataSet's message and the next is tried. Returns the number of tables that failed.
    int OpenCatalogTables();
    void Close();

    QSqlDatabase CatalogDb() const;
    QSqlDatabase RegistryDb() const;
    QSqlDatabase ReportDb() const;
    const QString& CatalogDir() const;
    const QString& RegistryDir() const;
    const QString& ReportDir() const;

    CatalogTable T_FrnComp{"FrnComp", "T_FrnComp"};
    CatalogTable T_FrnSet{"FrnSet", "T_FrnSet"};
    CatalogTable T_FrnItem{"FrnItem", "T_FrnItem"};
    CatalogTable T_FrnArt{"FrnArt", "T_FrnArt"};
    CatalogTable T_FrnItoI{"FrnItoI", "T_FrnItoI"};
    CatalogTable T_FrnSchl{"FrnSchl", "T_FrnSchl"};
    CatalogTable T_FrnAbd{"FrnAbd", "T_FrnAbd"};
    CatalogTable T_FrnDop{"FrnDop", "T_FrnDop"};
    CatalogTable T_FrnProp{"FrnProp", "T_FrnProp"};
    CatalogTable T_FrnSide{"FrnSide", "T_FrnSide"};
    CatalogTable T_Catalog{"Catalog", "T_Catalog"};
    CatalogTable T_Currency{"Currency", "T_Currency"};
    CatalogTable T_PriceGrp{"PriceGrp", "T_PriceGrp"};
    CatalogTable T_SysList{"SysList", "T_SysList"};
    CatalogTable T_SysColor{"SysColor", "T_SysColor"};
    CatalogTable T_SysProp{"SysProp", "T_SysProp"};
    CatalogTable T_SysProf{"SysProf", "T_SysProf"};
    CatalogTable T_Color{"COLORSET", "T_Color"};
    CatalogTable T_Material{"Material", "T_Material"};
    CatalogTable T_FalzList{"ParamList", "T_FalzList"};
    CatalogTable T_DornList{"ParamList", "T_DornList"};
    CatalogTable T_StulpList{"ParamList", "T_StulpList"};
    CatalogTable T_OpenList{"ParamList", "T_OpenList"};

    // The order registry table (bound to the registry connection; its window opens it).
    CatalogTable T_OrderList{"OrderLst", "T_OrderList"};

    // The catalog tables in the start-up open order.
    std::vector<CatalogTable*> CatalogTables();

  private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The run's data module (one per run, as the system has); raises TqxfError when none is set.
TDM& DM();
bool HasDM();
// Installs the run's data module (not owned); nullptr removes it.
void SetDM(TDM* dm);

}  // namespace qx
