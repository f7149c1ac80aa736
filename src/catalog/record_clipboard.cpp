// record_clipboard.cpp — row snapshots and the record clipboard.
#include "catalog/record_clipboard.h"

namespace qx {

TRec::TRec(const CatalogTable* dataSet, bool exclude, const std::optional<QStringList>& fieldNames) {
    if (!dataSet || dataSet->IsEmpty() || dataSet->Current() < 0) return;
    dataSet_ = dataSet;
    auto take = [&](int column) {
        const QString name = dataSet->ColumnName(column);
        fields_.push_back({name, dataSet->FieldValue(name)});
    };
    if (!fieldNames) {
        for (int c = 0; c < dataSet->ColumnCount(); ++c)
            take(c);
    } else if (exclude) {
        for (int c = 0; c < dataSet->ColumnCount(); ++c)
            if (!fieldNames->contains(dataSet->ColumnName(c), Qt::CaseSensitive)) take(c);
    } else {
        for (const QString& name : *fieldNames) {
            const int c = dataSet->ColumnIndex(name);
            if (c >= 0) take(c);
        }
    }
}

bool TRec::AssignToDataSet(CatalogTable* dataSet) const {
    if (!dataSet || dataSet != dataSet_) return false;
    for (const TRecField& f : fields_) {
        const int c = dataSet->ColumnIndex(f.FieldName);
        if (c < 0 || dataSet->IsAutoIncrement(c)) continue;
        dataSet->SetFieldValue(f.FieldName, f.Value);
    }
    return true;
}

void TRec::Clear() {
    fields_.clear();
    dataSet_ = nullptr;
}

void TRecClipBoard::CopyRecords(CatalogTable* dataSet, const std::optional<QStringList>& fieldNames, bool exclude,
                                std::vector<int>* selectedRows) {
    if (!dataSet || dataSet->IsEmpty()) return;
    Clear();
    dataSet_ = dataSet;
    if (selectedRows && selectedRows->size() > 1) {
        const int remembered = dataSet->Current();
        try {
            for (int row : *selectedRows) {
                dataSet->SetCurrent(row);
                records_.emplace_back(dataSet, exclude, fieldNames);
            }
        } catch (...) {
            dataSet->SetCurrent(remembered);
            throw;
        }
        selectedRows->clear();
        dataSet->SetCurrent(remembered);
    } else {
        records_.emplace_back(dataSet, exclude, fieldNames);
    }
}

void TRecClipBoard::PasteRecords(CatalogTable* dataSet) {
    if (!dataSet || dataSet != dataSet_ || records_.empty()) return;
    if (records_.size() == 1) {
        if (dataSet->State() == DataSetState::Browse) dataSet->Edit();
        records_.front().AssignToDataSet(dataSet);
        return;
    }
    for (const TRec& rec : records_) {
        dataSet->Insert();
        rec.AssignToDataSet(dataSet);
        dataSet->Post();
    }
}

void TRecClipBoard::Clear() {
    records_.clear();
    dataSet_ = nullptr;
}

TRecClipBoard& RecClipBoard() {
    static TRecClipBoard clipboard;
    return clipboard;
}

void CopyRecords(CatalogTable* dataSet, const std::optional<QStringList>& fieldNames, bool exclude,
                 std::vector<int>* selectedRows) {
    RecClipBoard().CopyRecords(dataSet, fieldNames, exclude, selectedRows);
}

void PasteRecords(CatalogTable* dataSet) {
    RecClipBoard().PasteRecords(dataSet);
}

}  // namespace qx
