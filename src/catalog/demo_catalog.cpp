// demo_catalog.cpp — the built-in demo catalog and the making of a demo catalog directory.
#include "catalog/demo_catalog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <atomic>

#include "catalog/catalog_admin.h"
#include "common/error.h"
#include "common/format.h"

// The demo texts live in the engine library's resources; a static library has to ask for them.
static void initDemoResource() {
    Q_INIT_RESOURCE(demo_catalog);
}

namespace qx {

namespace {

const char* const kDemoRoot = ":/qx/demo/";
const char* const kSettingsFile = "QXFurniture.ini";

QByteArray readResource(const QString& path) {
    initDemoResource();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TqxfError(Format("Не найден файл демонстрационного каталога [%s]!", path.mid(QString(kDemoRoot).size())));
    return file.readAll();
}

// The resource files of a demo folder, in name order.
QStringList resourceFiles(const QString& folder) {
    initDemoResource();
    QDir dir(QLatin1String(kDemoRoot) + folder);
    return dir.entryList(QDir::Files, QDir::Name);
}

std::atomic<int> connectionCounter{0};

// A private connection to the new catalog database, removed when it goes out of scope.
class DemoConnection {
public:
    explicit DemoConnection(const QString& path) : name_(QStringLiteral("qx_demo#%1").arg(++connectionCounter)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        if (!db.open())
            throw TqxfError(Format("Ошибка открытия базы данных [%s]\r\n(%s)", QDir::toNativeSeparators(path),
                                   db.lastError().text()));
    }
    ~DemoConnection() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            if (db.isValid()) db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    DemoConnection(const DemoConnection&) = delete;
    DemoConnection& operator=(const DemoConnection&) = delete;
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw TqxfError(Format("Ошибка записи файла [%s]\r\n(%s)", QDir::toNativeSeparators(path), file.errorString()));
}

}  // namespace

std::vector<std::pair<QString, QString>> DemoCatalogScripts() {
    std::vector<std::pair<QString, QString>> scripts;
    for (const QString& name : resourceFiles(QStringLiteral("catalog")))
        scripts.emplace_back(
            name, QString::fromUtf8(readResource(QLatin1String(kDemoRoot) + QStringLiteral("catalog/") + name)));
    return scripts;
}

QString DemoCatalogSql() {
    QString sql;
    for (const auto& [name, text] : DemoCatalogScripts()) {
        sql += text;
        if (!sql.endsWith(QLatin1Char('\n'))) sql += QLatin1Char('\n');
    }
    return sql;
}

QByteArray DemoSettingsFile() {
    return readResource(QLatin1String(kDemoRoot) + QLatin1String(kSettingsFile));
}

std::vector<std::pair<QString, QByteArray>> DemoOrderFiles() {
    std::vector<std::pair<QString, QByteArray>> orders;
    for (const QString& name : resourceFiles(QStringLiteral("orders")))
        orders.emplace_back(name, readResource(QLatin1String(kDemoRoot) + QStringLiteral("orders/") + name));
    return orders;
}

TDemoCatalogFiles CreateDemoCatalog(const QString& directory) {
    const QDir dir(directory);
    TDemoCatalogFiles files;
    files.CatalogFile = dir.absoluteFilePath(DatabaseFileName(DatabaseKind::Catalog));
    files.SettingsFile = dir.absoluteFilePath(QLatin1String(kSettingsFile));
    const QString ordersDir = dir.absoluteFilePath(QStringLiteral("orders"));

    // Everything is read and checked before anything is written.
    const QString sql = DemoCatalogSql();
    const QByteArray settings = DemoSettingsFile();
    const auto orders = DemoOrderFiles();
    for (const auto& order : orders)
        files.OrderFiles << QDir(ordersDir).absoluteFilePath(order.first);
    QStringList targets = files.OrderFiles;
    targets.prepend(files.SettingsFile);
    targets.prepend(files.CatalogFile);
    for (const QString& target : targets)
        if (QFileInfo::exists(target))
            throw TqxfError(Format("Файл [%s] уже существует!", QDir::toNativeSeparators(target)));

    QStringList written;
    try {
        CreateDatabase(DatabaseKind::Catalog, directory);
        written << files.CatalogFile;
        {
            DemoConnection connection(files.CatalogFile);
            ExecSqlScript(connection.db(), sql);
        }
        writeFile(files.SettingsFile, settings);
        written << files.SettingsFile;
        if (!QDir().mkpath(ordersDir))
            throw TqxfError(Format("Невозможно создать папку [%s]!", QDir::toNativeSeparators(ordersDir)));
        for (size_t i = 0; i < orders.size(); ++i) {
            writeFile(files.OrderFiles[int(i)], orders[i].second);
            written << files.OrderFiles[int(i)];
        }
    } catch (...) {
        for (const QString& path : written)
            QFile::remove(path);
        throw;
    }
    return files;
}

}  // namespace qx
