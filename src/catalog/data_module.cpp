// data_module.cpp — the three connections, the table objects bound to them, and the run's module.
#include "catalog/data_module.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <atomic>

#include "catalog/dataset_helpers.h"
#include "common/error.h"
#include "common/format.h"

namespace qx {

namespace {

std::atomic<int> instanceCounter{0};
TDM* runModule = nullptr;

const char* const kCatalogFile = "catalog.sqlite";
const char* const kRegistryFile = "registry.sqlite";
const char* const kReportFile = "reports.sqlite";

}  // namespace

struct TDM::Impl {
    int instance = 0;
    QString catalogDir, registryDir, reportDir;

    QString connectionName(const char* alias) const {
        return QStringLiteral("%1#%2").arg(QLatin1String(alias)).arg(instance);
    }

    static void closeConnection(const QString& name) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            if (db.isValid()) db.close();
        }
        if (QSqlDatabase::contains(name)) QSqlDatabase::removeDatabase(name);
    }

    // Opens connection `name` to `file` in `dir`; the file must exist (a missing database is not
    // created behind the user's back).
    static void openConnection(const QString& name, const QString& dir, const char* file) {
        closeConnection(name);
        if (dir.isEmpty()) return;
        const QString path = QDir(dir).filePath(QLatin1String(file));
        if (!QFileInfo(path).isFile())
            throw TqxfError(
                Format("Ошибка открытия базы данных [%s]\r\n(%s)", QDir::toNativeSeparators(path), "файл не найден"));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            const QString err = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw TqxfError(Format("Ошибка открытия базы данных [%s]\r\n(%s)", QDir::toNativeSeparators(path), err));
        }
    }
};

TDM::TDM() : d(std::make_unique<Impl>()) {
    d->instance = ++instanceCounter;
    // The four parameter lists over ParamList see their own ranges only; materials without ID 0.
    T_FalzList.SetPermanentFilter(QStringLiteral("ID >= 100 and ID <= 199"));
    T_DornList.SetPermanentFilter(QStringLiteral("ID >= 200 and ID <= 299"));
    T_StulpList.SetPermanentFilter(QStringLiteral("ID >= 300 and ID <= 399"));
    T_OpenList.SetPermanentFilter(QStringLiteral("ID >= 400 and ID <= 499"));
    T_Material.SetPermanentFilter(QStringLiteral("ID <> 0"));
    // Keepers, covers and accessories are read in article order.
    T_FrnSchl.SetOrder(QStringLiteral("CatalogID"));
    T_FrnAbd.SetOrder(QStringLiteral("CatalogID"));
    T_FrnDop.SetOrder(QStringLiteral("CatalogID"));
}

TDM::~TDM() {
    if (runModule == this) runModule = nullptr;
    Close();
}

void TDM::Connect(const QString& catalogDir, const QString& registryDir, const QString& reportDir) {
    ConnectCatalog(catalogDir);
    ConnectRegistry(registryDir);
    ConnectReport(reportDir);
}

void TDM::ConnectCatalog(const QString& catalogDir) {
    for (CatalogTable* t : CatalogTables())
        t->Close();
    d->catalogDir = catalogDir;
    d->openConnection(d->connectionName("KVDB_Catalog"), catalogDir, kCatalogFile);
    const QSqlDatabase db = CatalogDb();
    for (CatalogTable* t : CatalogTables())
        t->SetDatabase(db);
}

void TDM::ConnectRegistry(const QString& registryDir) {
    T_OrderList.Close();
    d->registryDir = registryDir;
    d->openConnection(d->connectionName("KVDB_Registry"), registryDir, kRegistryFile);
    T_OrderList.SetDatabase(RegistryDb());
}

void TDM::ConnectReport(const QString& reportDir) {
    d->reportDir = reportDir;
    d->openConnection(d->connectionName("KVDB_Report"), reportDir, kReportFile);
}

int TDM::OpenCatalogTables() {
    int failed = 0;
    for (CatalogTable* t : CatalogTables())
        if (!OpenDataSet(*t)) ++failed;
    return failed;
}

void TDM::Close() {
    for (CatalogTable* t : CatalogTables())
        t->Close();
    T_OrderList.Close();
    d->closeConnection(d->connectionName("KVDB_Catalog"));
    d->closeConnection(d->connectionName("KVDB_Registry"));
    d->closeConnection(d->connectionName("KVDB_Report"));
}

QSqlDatabase TDM::CatalogDb() const {
    return QSqlDatabase::database(d->connectionName("KVDB_Catalog"), false);
}
QSqlDatabase TDM::RegistryDb() const {
    return QSqlDatabase::database(d->connectionName("KVDB_Registry"), false);
}
QSqlDatabase TDM::ReportDb() const {
    return QSqlDatabase::database(d->connectionName("KVDB_Report"), false);
}
const QString& TDM::CatalogDir() const {
    return d->catalogDir;
}
const QString& TDM::RegistryDir() const {
    return d->registryDir;
}
const QString& TDM::ReportDir() const {
    return d->reportDir;
}

std::vector<CatalogTable*> TDM::CatalogTables() {
    return {&T_Color,    &T_Currency, &T_PriceGrp, &T_SysList,   &T_SysColor, &T_SysProp, &T_SysProf, &T_Catalog,
            &T_Material, &T_FalzList, &T_DornList, &T_StulpList, &T_OpenList, &T_FrnComp, &T_FrnSide, &T_FrnItem,
            &T_FrnSet,   &T_FrnArt,   &T_FrnSchl,  &T_FrnDop,    &T_FrnAbd,   &T_FrnProp, &T_FrnItoI};
}

TDM& DM() {
    if (!runModule) throw TqxfError(QStringLiteral("Каталог не открыт!"));
    return *runModule;
}

bool HasDM() {
    return runModule != nullptr;
}

void SetDM(TDM* dm) {
    runModule = dm;
}

}  // namespace qx
