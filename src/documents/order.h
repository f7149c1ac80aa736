// order.h — the order: its header, its own currency rates, its positions, their totals and recalculation.
#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "catalog/currency_item.h"
#include "common/datetime.h"
#include "common/money.h"
#include "common/spec_stream.h"
#include "construction/construction.h"
#include "documents/mat_list.h"

namespace qx {

inline const QString kOrderFileHeader = QStringLiteral("Quarnix Furniture Order File");

// Called before each included position is recalculated: its 0-based number among the included
// positions and how many there are.
using TRecalcProgress = std::function<void(int done, int total)>;

class TqxfOrder : public TqxfOrderLink {
public:
    // Every header field at its default (Created, Changed: now; RegDate: today), no positions.
    TqxfOrder();
    // Frees the positions; a pricing context that refers to this order's rates is emptied.
    ~TqxfOrder() override;
    TqxfOrder(const TqxfOrder&) = delete;
    TqxfOrder& operator=(const TqxfOrder&) = delete;

    QString FileHeader = kOrderFileHeader;
    QString Version = kCurrentStamp;  // after a load: the stamp of the file read
    int32_t Spare1 = 0;
    int32_t Spare2 = 0;
    TDateTime Created = 0;
    TDateTime Changed = 0;
    int32_t Spare3 = 0;
    QString No;
    QString AltNo;
    QString Customer;
    QString ObjectName;
    QString Address;
    QString Phone;
    QString Remark;
    TDateTime RegDate = 0;
    bool RegDateSet = true;
    QString ProfSys;
    QString InnerProfColor;
    QString OuterProfColor;
    QString FurnSys;
    QString FurnColor;
    QString Handle;
    QString Obsolete1;  // only read from files older than "10.12.2009"
    QString Obsolete2;
    int32_t Material = 0;  // not part of the file image
    int32_t FalzType = 0;
    int32_t DornType = 0;
    int32_t StulpType = 0;
    int32_t OpenType = 0;
    int32_t PriceGroupNo = 0;
    float NDSTax = 0;
    bool TotalNDS = false;
    bool ShowIncludingNDS = false;
    TqxfCurrencyList Currencies;
    int32_t Currency = 0;
    QStringList Notes;

    // --- Positions, in list order; the order owns them ---
    int Count() const { return static_cast<int>(positions_.size()); }
    TqxfConstruction* Positions(int i) const { return positions_.at(i).get(); }
    // A new empty position belonging to this order, not yet in the list.
    std::unique_ptr<TqxfConstruction> NewPosition();
    // Appends a position (it is made to belong to this order) and returns it.
    TqxfConstruction* AddPosition(std::unique_ptr<TqxfConstruction> position);
    // Inserts a position at index (clamped to the list) and returns it.
    TqxfConstruction* InsertPosition(int index, std::unique_ptr<TqxfConstruction> position);
    // Removes the position from the list and hands it over.
    std::unique_ptr<TqxfConstruction> TakePosition(int i);
    void DeletePosition(int i);
    void Clear();

    // --- Rates ---
    int CurrencyCount() const { return static_cast<int>(Currencies.size()); }
    const TqxfCurrencyItem& CurrencyItems(int i) const { return Currencies.at(i); }
    void ClearCurrencies() { Currencies.clear(); }

    // The first position whose PosNo equals the text, letter case ignored; nullptr when none.
    TqxfConstruction* FindPosition(const QString& posNo) const;

    // --- Included positions (Checked) ---
    int IncludedCount() const;
    bool HasIncluded() const { return IncludedCount() > 0; }
    // One pass at a time: FirstIncluded starts it, NextIncluded continues; nullptr at the end.
    TqxfConstruction* FirstIncluded();
    TqxfConstruction* NextIncluded();

    // Adds the material lines of every included position, times its quantity; nothing without a list.
    void CollectOrderMaterials(TqxfMatList* target) const;
    // The sum of the included positions' TotalPrice.
    Money OrderSum() const;
    // VAT on OrderSum when TotalNDS is set, else 0.
    Money OrderNDS() const;
    Money OrderTotal() const { return OrderSum() + OrderNDS(); }

    // Ascending by PosNo (by PosName), byte-wise in Windows-1251, letter case counting.
    void SortByPosNo();
    void SortByName();

    // Reprices every included position in list order in this order's pricing context. A position
    // that fails is restored as it was, the error box "%s\r\n[Позиция: %s]" names it and the loop
    // stops there: false.
    bool Recalculate(const TRecalcProgress& progress = {});
    // Runs the hardware selection again for every sash that has a kit (its stored choices against
    // the current catalog, the active sash first), then reprices the position; every position, in
    // list order, in this order's pricing context. A failing position is restored and reported as
    // Recalculate does: false.
    bool ReselectHardware(const TRecalcProgress& progress = {});

    // The defaults of a new order from the settings and the catalog; the current rates of the
    // currency table become the order's own.
    void InitNewOrder();

    // --- The file image (the order file unit reads and writes it) ---
    void SaveToStream(TSpecStream& stream) const;
    // False when the load stopped at the format stamp (conversion refused, newer version).
    bool LoadFromStream(TSpecStream& stream, bool& converted);
    // Show their own error box and return false on failure.
    bool SaveToFile(const QString& fileName);
    bool LoadFromFile(const QString& fileName, bool* converted = nullptr);

    // What the positions read from their order.
    QString LinkOuterProfColor() const override { return OuterProfColor; }
    QString LinkInnerProfColor() const override { return InnerProfColor; }

private:
    std::vector<std::unique_ptr<TqxfConstruction>> positions_;
    int includedCursor_ = 0;
};

// Makes an order's currency, rates and VAT the pricing context of the settings for the lifetime
// of the object and puts the previous context back afterwards.
class PricingContextScope {
public:
    explicit PricingContextScope(const TqxfOrder& order);
    ~PricingContextScope();
    PricingContextScope(const PricingContextScope&) = delete;
    PricingContextScope& operator=(const PricingContextScope&) = delete;

private:
    const TqxfCurrencyList* previousCurrencies_;
    int32_t previousCurrency_;
    float previousNDSTax_;
};

// The text of an exception as the system shows it.
QString ExceptionText(const std::exception& e);

}  // namespace qx
