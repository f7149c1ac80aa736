// demo_catalog.h — the demo catalog of the invented supplier DUV built into the program (its SQL
// scripts, settings file and order descriptions) and the creation of a demo catalog directory.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace qx {

// The demo catalog's SQL scripts, each with its file name, in load order.
std::vector<std::pair<QString, QString>> DemoCatalogScripts();
// All demo scripts as one text, in load order.
QString DemoCatalogSql();
// The demo configuration's settings file (QXFurniture.ini) as shipped.
QByteArray DemoSettingsFile();
// The demo order descriptions (order build JSON), each with its file name, in name order.
std::vector<std::pair<QString, QByteArray>> DemoOrderFiles();

// What CreateDemoCatalog wrote.
struct TDemoCatalogFiles {
    QString CatalogFile;     // DIR/catalog.sqlite
    QString SettingsFile;    // DIR/QXFurniture.ini
    QStringList OrderFiles;  // DIR/orders/*.json
};

// Makes `directory` (created when missing) a demo catalog directory: catalog.sqlite with the
// catalog schema and the demo data, the settings file QXFurniture.ini and the demo orders in
// orders/. Refuses, writing nothing, when any of these files exists already; a failure leaves
// none of them behind. Raises TqxfError.
TDemoCatalogFiles CreateDemoCatalog(const QString& directory);

}  // namespace qx
