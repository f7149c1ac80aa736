// paradox_import.h — reads a supplier's catalog kept as Paradox tables (.DB files with
// Windows-1251 texts) into a new catalog database of the program's schema, table by table.
#pragma once
#include <QString>
#include <QStringList>
#include <vector>

namespace qx {

// What became of one table of the catalog schema.
struct TParadoxTableImport {
    QString Table;               // schema table ("FrnComp")
    QString SourceFile;          // the Paradox file read; empty when none was found
    long long RowsRead = 0;      // rows written into the new database
    QStringList UnmappedFields;  // Paradox fields without a schema column of that name, or of a type not carried over
    QStringList MissingColumns;  // schema columns the file lacks (they stay empty)
    QString Error;               // why the table was not imported; empty when it was
};

struct TParadoxImport {
    QString CatalogFile;                      // TARGET/catalog.sqlite
    std::vector<TParadoxTableImport> Tables;  // in the schema's table order
    int FailedCount() const;
};

// Creates `targetDir`/catalog.sqlite with the catalog schema and fills each schema table from the
// file `sourceDir`/<Table>.DB (the file name's letter case ignored). Fields are matched to
// columns by name, letter case ignored; texts are converted from the table's code page
// (Windows-1251 when the file names none), dates become 'YYYY-MM-DD', empty fields stay empty.
// A missing or unreadable table is reported in its entry and leaves its table empty; the others
// still import. Raises TqxfError when the source directory does not exist or the database cannot
// be created (an existing catalog.sqlite is never overwritten).
TParadoxImport ImportParadoxCatalog(const QString& sourceDir, const QString& targetDir);

}  // namespace qx
