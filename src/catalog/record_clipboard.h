// record_clipboard.h — snapshots of table rows (TRec) and the run's record clipboard, with which a
// table editor copies rows of a table object and pastes them back as an edit or as new rows.
#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

#include "catalog/catalog_table.h"

namespace qx {

// One field of a snapshot: the column's name and a copy of its value (a null QVariant for an
// empty column).
struct TRecField {
    QString FieldName;
    QVariant Value;
};

// A snapshot of the current row of a table object.
class TRec {
  public:
    TRec() = default;
    // Takes the dataset's current row (the pending values when it is editing). fieldNames null:
    // every column; exclude: every column except the listed names (exact letter case); otherwise
    // the listed names that exist in the dataset, in list order. A missing dataset, one without
    // rows or without a current row gives an empty snapshot that remembers no dataset.
    TRec(const CatalogTable* dataSet, bool exclude, const std::optional<QStringList>& fieldNames);

    // False unless dataSet is the very dataset of the snapshot; otherwise sets every snapshot field
    // that exists in the dataset on its pending row and returns true. Engine-numbered columns are
    // skipped, so that pasted rows get numbers of their own. It neither starts nor posts an edit
    // (outside Edit/Insert the dataset raises TqxfError).
    bool AssignToDataSet(CatalogTable* dataSet) const;
    void Clear();

    const CatalogTable* DataSet() const { return dataSet_; }
    const std::vector<TRecField>& Fields() const { return fields_; }
    int Count() const { return int(fields_.size()); }

  private:
    const CatalogTable* dataSet_ = nullptr;
    std::vector<TRecField> fields_;
};

// Copied rows of one table object.
class TRecClipBoard {
  public:
    // Does nothing unless the dataset exists and has rows. Otherwise empties the clipboard,
    // remembers the dataset and takes snapshots: when selectedRows (the rows selected in the grid
    // showing the dataset, in selection order) holds more than one row, one per selected row in
    // that order, after which the selection is cleared; otherwise one of the current row. The
    // dataset's current row is the same afterwards, also when a snapshot fails.
    void CopyRecords(CatalogTable* dataSet, const std::optional<QStringList>& fieldNames, bool exclude,
                     std::vector<int>* selectedRows = nullptr);
    // Does nothing unless dataSet is the remembered dataset and a snapshot is held. One snapshot:
    // puts the dataset into edit state unless it is editing or inserting, and assigns the snapshot
    // (the user or the grid posts it). Several: for each in order, inserts a row, assigns and posts.
    // Errors of the dataset (a key violation on post) propagate.
    void PasteRecords(CatalogTable* dataSet);
    void Clear();

    const CatalogTable* DataSet() const { return dataSet_; }
    int Count() const { return int(records_.size()); }
    const std::vector<TRec>& Records() const { return records_; }

  private:
    const CatalogTable* dataSet_ = nullptr;
    std::vector<TRec> records_;
};

// The one record clipboard of the run.
TRecClipBoard& RecClipBoard();

// CopyRecords and PasteRecords on RecClipBoard.
void CopyRecords(CatalogTable* dataSet, const std::optional<QStringList>& fieldNames, bool exclude,
                 std::vector<int>* selectedRows = nullptr);
void PasteRecords(CatalogTable* dataSet);

}  // namespace qx
