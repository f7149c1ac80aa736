// catalog_table.h — a table object of a database: its rows held in memory in table order
// (primary-key order where the table has a key), hash indexes on located keys, filters parsed
// by the project's own parser (never pasted into SQL), edits written through to the database.
#pragma once
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/money.h"

namespace qx {

// Storage class of a column, from its declared type: INTEGER, REAL (decimal and money) or TEXT
// (texts and dates 'YYYY-MM-DD').
enum class ColumnType { Integer, Real, Text };

// The edit state of a table object: browsing, editing the current row, or inserting a new row.
enum class DataSetState { Browse, Edit, Insert };

// Options of the scanning Locate: letter case ignored, texts matched by their beginning.
enum LocateOption { loCaseInsensitive = 1, loPartialKey = 2 };

// A table object is used from one thread at a time (the user-interface thread); its indexes and
// compiled filters are built lazily inside const operations.
class CatalogTable {
  public:
    // name: the table in the database ("FrnSet"); objectName: the data module's object ("T_FrnSet").
    CatalogTable(QString name, QString objectName);
    ~CatalogTable();
    CatalogTable(const CatalogTable&) = delete;
    CatalogTable& operator=(const CatalogTable&) = delete;

    const QString& Name() const;
    const QString& ObjectName() const;

    // Loads the table from the database; a missing table or a database error raises TqxfError
    // with the database's text (callers report it with OpenDataSet's message).
    void Open(const QSqlDatabase& db);
    // Binds the table to a database without opening it; Open() then uses that database.
    void SetDatabase(const QSqlDatabase& db);
    void Open();
    void Close();
    bool IsOpen() const;
    // Re-reads the rows from the database (after another process changed it).
    void Refresh();

    // A filter that always applies (the four parameter lists over ParamList); set before Open.
    void SetPermanentFilter(const QString& expression);
    const QString& PermanentFilter() const;

    // Table order by these columns (";"-separated), ties by the primary key, then by insertion;
    // texts compared exactly or ignoring letter case. Empty: primary-key order. Re-sorts an open
    // table; the current row stays the same row.
    void SetOrder(const QString& columns, bool caseInsensitive = false);
    const QString& Order() const;

    // Rows visible through the permanent filter, in table order; row indexes are 0 … RowCount()-1.
    int RowCount() const;
    bool IsEmpty() const { return RowCount() == 0; }

    int ColumnCount() const;
    QString ColumnName(int column) const;
    int ColumnIndex(const QString& name) const;  // any letter case; -1 when the table has none
    bool HasColumn(const QString& name) const;
    ColumnType TypeOfColumn(int column) const;
    // Engine-numbered columns ("INTEGER AUTOINC"): filled on insert, never assigned from copies.
    bool IsAutoIncrement(int column) const;

    // Values of a row; an empty (NULL) column reads as 0 or the empty text.
    // An unknown column name raises TqxfError.
    QVariant Value(int row, int column) const;
    QVariant Value(int row, const QString& column) const;
    int64_t Int(int row, int column) const;
    int64_t Int(int row, const QString& column) const;
    double Real(int row, int column) const;
    double Real(int row, const QString& column) const;
    QString Text(int row, int column) const;
    QString Text(int row, const QString& column) const;
    Money MoneyValue(int row, int column) const;  // REAL column to the 4-decimal fixed point, halves to even
    Money MoneyValue(int row, const QString& column) const;
    bool IsNull(int row, int column) const;
    // A date column ('YYYY-MM-DD'); an invalid date when empty or not a date.
    QDate DateValue(int row, const QString& column) const;

    // The first row (table order) whose columns, separated by ";" ("ID;Side"), equal the values
    // exactly (texts case-sensitive); -1 when none. Costs a hash lookup.
    int Locate(const QString& columns, const QVariantList& values) const;
    // The same with LocateOption flags (a scan in table order when any flag is set).
    int Locate(const QString& columns, const QVariantList& values, int options) const;
    // Rows passing a filter expression, in table order. A filter whose conjunction fixes an
    // indexed column (ID = '…') touches only that key's rows. A malformed filter raises TqxfError
    // naming the filter text.
    std::vector<int> Filter(const QString& expression) const;
    int FilterCount(const QString& expression) const;

    // The shared cursor that lookups leave on the row they found (-1: none).
    int Current() const;
    void SetCurrent(int row) const;

    // Edits, written through to the database and to the rows in memory; errors raise TqxfError.
    int AppendRow(const QVariantMap& values);  // returns the new row's index
    void UpdateRow(int row, const QVariantMap& values);
    void DeleteRow(int row);
    // Removes the rows visible through the permanent filter (all rows without one).
    void DeleteAll();
    // DeleteAll for an open or a closed table (a closed table stays closed).
    void EmptyTable();

    // The edit state, as a data-aware grid uses it. Edit() starts editing the current row (on an
    // empty table it starts an insert); Insert() starts a new row, posting a pending edit first;
    // SetFieldValue() changes the pending row (TqxfError outside Edit/Insert, or for an
    // engine-numbered column); FieldValue() reads the pending row (the current row's value for
    // columns not set, empty for a new row; a null QVariant for an empty column); Post() writes the pending row through
    // (UpdateRow/AppendRow), makes it current and returns to Browse - on an error the state and the
    // pending values stay; Cancel() drops the pending values. Close() cancels.
    DataSetState State() const;
    void Edit();
    void Insert();
    void SetFieldValue(const QString& column, const QVariant& value);
    QVariant FieldValue(const QString& column) const;
    int Post();
    void Cancel();

  private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace qx
