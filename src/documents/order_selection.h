// order_selection.h — the selection: lines that refer to positions of order files, its own currency
// and rates, the merged priced material list of those positions, and the selection file.
#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "catalog/currency_item.h"
#include "common/datetime.h"
#include "common/spec_stream.h"
#include "documents/mat_list.h"

namespace qx {

class TqxfOrder;
class TqxfConstruction;
class TqxfOrderSelection;

inline const QString kSelectionFileHeader = QStringLiteral("Quarnix Furniture Selection File");
// The format stamp written by every save of a selection.
inline const QString kSelectionStamp = QStringLiteral("06.10.2015");
inline const QString kSelectionFileExtension = QStringLiteral(".qfs370");
inline const QString kNewSelectionFileName = QStringLiteral("NewSel.qfs370");

// One line: a position of an order file, with a copy of its descriptive data for display.
class TqxfOrderSelectionItem {
public:
    bool Checked = true;  // included in the material list, printing and exports
    QString OrderNo;
    QString PosNo;  // with the order file, identifies the position
    float Width = 0;
    float Height = 0;
    int32_t Quantity = 0;
    QString PosName;
    QString OrderFile;  // registry form of the order file's path
    TqxfOrderSelection* Owner = nullptr;
};

class TqxfOrderSelection {
public:
    // Every header field at its default (Created, Changed: now; SelDate: today), no lines.
    TqxfOrderSelection();
    // A pricing context that refers to this selection's rates is emptied.
    ~TqxfOrderSelection();
    TqxfOrderSelection(const TqxfOrderSelection&) = delete;
    TqxfOrderSelection& operator=(const TqxfOrderSelection&) = delete;

    QString FileHeader = kSelectionFileHeader;
    QString Version = kSelectionStamp;  // after a load: the stamp of the file read
    int32_t Spare1 = 0;
    int32_t Spare2 = 0;
    TDateTime Created = 0;
    TDateTime Changed = 0;
    int32_t Spare3 = 0;
    QString No;
    TDateTime SelDate = 0;
    QString SelName;
    TqxfCurrencyList Currencies;
    int32_t Currency = 0;
    int32_t PriceGroupNo = 0;
    float NDSTax = 0;
    uint8_t RoundMode = 0;  // 0 "Нет", 1 "До мин. торговой величины"; no computation reads it
    QStringList Notes;

    // The defaults of a new selection: the settings' currency and VAT, price group 0, the current
    // rates of the currency table.
    void InitNewSelection();

    // --- Lines, in list order; the selection owns them ---
    int Count() const { return static_cast<int>(items_.size()); }
    TqxfOrderSelectionItem* Items(int i) const { return items_.at(i).get(); }
    // Appends a line (it is made to belong to this selection) and returns it.
    TqxfOrderSelectionItem* AddItem(std::unique_ptr<TqxfOrderSelectionItem> item);
    void DeleteItem(int i);
    // Moves a line to another index (the window's drag and drop).
    void MoveItem(int from, int to);
    void Clear();

    int CurrencyCount() const { return static_cast<int>(Currencies.size()); }
    const TqxfCurrencyItem& CurrencyItems(int i) const { return Currencies.at(i); }
    void ClearCurrencies() { Currencies.clear(); }

    int IncludedCount() const;
    bool HasIncluded() const { return IncludedCount() > 0; }
    // The first line with these order and position numbers, letter case ignored; -1 when none.
    int FindLine(const QString& orderNo, const QString& posNo) const;

    // Takes the positions of an order file: a position that is a line already updates that line
    // (its Checked stays), any other is appended. False when the file did not load (reported by
    // the order loader). The indexes of the lines added and updated go to the lists when given.
    bool AddOrderFile(const QString& fileName, std::vector<int>* added = nullptr, std::vector<int>* updated = nullptr);
    // Re-reads every line from its order file; with takeChecks the position's Checked too. A line
    // whose file is missing or no longer holds its position stays as it is.
    void RefreshItems(bool takeChecks);
    // The numbers of the orders the lines come from, in line order, joined by ","; an order is
    // named again whenever its file follows another file.
    QString OrderNoList() const;
    // The merged material lines of the included lines' positions, sorted by article and priced
    // afresh in the selection's own currency and rates. Nothing without a target. Pricing errors
    // raise TqxfError.
    void CollectSelMaterials(TqxfMatList* target) const;
    // The position a line refers to, read from its file into `order` (which the caller keeps for
    // as long as it uses the position); nullptr when the file is missing, does not load or holds
    // no such position.
    TqxfConstruction* ItemPosition(const TqxfOrderSelectionItem& line, std::unique_ptr<TqxfOrder>& order) const;

    // Sort the lines byte-wise in Windows-1251, letter case counting.
    void SortByOrder();  // OrderNo, PosNo
    void SortByPos();    // PosNo, OrderNo
    void SortByName();   // PosName, OrderNo, PosNo
    void SortByFile();   // OrderFile, OrderNo, PosNo

    // --- The selection file ---
    // Appends the image as it stands.
    void SaveToStream(TSpecStream& stream) const;
    // Reads an image: a foreign header is refused with "Данный файл не является файлом Tarkon
    // Dravento!", an older stamp asks whether to convert, a newer one is refused (false). A
    // malformed image raises TqxfError.
    bool LoadFromStream(TSpecStream& stream, bool& converted);
    // Writes the current stamp and replaces the file only by a complete image; failures show
    // "Ошибка сохранения выборки!\r\n(%s)" and give false.
    bool SaveToFile(const QString& fileName);
    // Failures show "Ошибка загрузки выборки!\r\n(%s)" and give false.
    bool LoadFromFile(const QString& fileName, bool* converted = nullptr);

private:
    void sortBy(QStringList (*keys)(const TqxfOrderSelectionItem&));

    std::vector<std::unique_ptr<TqxfOrderSelectionItem>> items_;
};

// Makes a selection's currency, rates and VAT the pricing context of the settings for the lifetime
// of the object and puts the previous context back afterwards.
class SelectionPricingScope {
public:
    explicit SelectionPricingScope(const TqxfOrderSelection& selection);
    ~SelectionPricingScope();
    SelectionPricingScope(const SelectionPricingScope&) = delete;
    SelectionPricingScope& operator=(const SelectionPricingScope&) = delete;

private:
    const TqxfCurrencyList* previousCurrencies_;
    int32_t previousCurrency_;
    float previousNDSTax_;
};

}  // namespace qx
