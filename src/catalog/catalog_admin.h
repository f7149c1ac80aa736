// catalog_admin.h — empty catalog, registry and report databases made from the schema built into
// the program; SQL scripts; the tables of a database with their row counts.
#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace qx {

enum class DatabaseKind { Catalog, Registry, Reports };

// "catalog.sqlite", "registry.sqlite", "reports.sqlite".
QString DatabaseFileName(DatabaseKind kind);
// The schema script of a database (data/schema/*.sql as built into the program).
QString SchemaText(DatabaseKind kind);

// The statements of an SQL script, without comments; quoted texts and trigger bodies keep their
// semicolons.
QStringList SplitSqlScript(const QString& script);
// Runs every statement of a script in one transaction; the first failing statement raises
// TqxfError naming it, and nothing of the script stays.
void ExecSqlScript(const QSqlDatabase& db, const QString& script);

// Creates an empty database of the kind in `directory` (made when missing) and returns its file.
// An existing file is an error; a failed creation leaves no file behind.
QString CreateDatabase(DatabaseKind kind, const QString& directory);

struct TTableInfo {
    QString Name;
    qint64 Rows = 0;
};
// The tables of a database file in creation order, with their row counts.
std::vector<TTableInfo> ListTables(const QString& databaseFile);

}  // namespace qx
