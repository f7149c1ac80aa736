// order.cpp — the order: positions, included-position pass, totals, sorting, recalculation, defaults.
#include "documents/order.h"

#include <algorithm>
#include <exception>

#include "catalog/lookups.h"
#include "common/codec.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "documents/order_file.h"
#include "documents/pricing.h"
#include "shell/setup.h"

namespace qx {

QString ExceptionText(const std::exception& e) {
    if (auto error = dynamic_cast<const TqxfError*>(&e)) return error->Message;
    return QString::fromUtf8(e.what());
}

TqxfOrder::TqxfOrder() : Created(Now()), Changed(Created), RegDate(Today()) {}

TqxfOrder::~TqxfOrder() {
    Clear();
    // The pricing context must not keep rates that no longer exist.
    TqxfSetup& setup = Setup();
    if (setup.PriceCurrencies == &Currencies) setup.PriceCurrencies = nullptr;
}

std::unique_ptr<TqxfConstruction> TqxfOrder::NewPosition() {
    return std::make_unique<TqxfConstruction>(this, this);
}

TqxfConstruction* TqxfOrder::AddPosition(std::unique_ptr<TqxfConstruction> position) {
    return InsertPosition(Count(), std::move(position));
}

TqxfConstruction* TqxfOrder::InsertPosition(int index, std::unique_ptr<TqxfConstruction> position) {
    if (!position) return nullptr;
    position->SetOrder(this, this);
    index = std::clamp(index, 0, Count());
    TqxfConstruction* raw = position.get();
    positions_.insert(positions_.begin() + index, std::move(position));
    return raw;
}

std::unique_ptr<TqxfConstruction> TqxfOrder::TakePosition(int i) {
    std::unique_ptr<TqxfConstruction> position = std::move(positions_.at(i));
    positions_.erase(positions_.begin() + i);
    position->SetOrder(nullptr, nullptr);
    return position;
}

void TqxfOrder::DeletePosition(int i) {
    positions_.at(i);  // range check before anything changes
    positions_.erase(positions_.begin() + i);
}

void TqxfOrder::Clear() {
    positions_.clear();
    includedCursor_ = 0;
}

TqxfConstruction* TqxfOrder::FindPosition(const QString& posNo) const {
    for (const auto& position : positions_)
        if (position->PosNo.compare(posNo, Qt::CaseInsensitive) == 0) return position.get();
    return nullptr;
}

int TqxfOrder::IncludedCount() const {
    return static_cast<int>(
        std::count_if(positions_.begin(), positions_.end(), [](const auto& position) { return position->Checked; }));
}

TqxfConstruction* TqxfOrder::FirstIncluded() {
    includedCursor_ = 0;
    return NextIncluded();
}

TqxfConstruction* TqxfOrder::NextIncluded() {
    while (includedCursor_ >= 0 && includedCursor_ < Count()) {
        TqxfConstruction* position = positions_[includedCursor_++].get();
        if (position->Checked) return position;
    }
    includedCursor_ = Count();
    return nullptr;
}

void TqxfOrder::CollectOrderMaterials(TqxfMatList* target) const {
    if (!target) return;
    for (const auto& position : positions_)
        if (position->Checked) position->CollectMaterials(*target);
}

Money TqxfOrder::OrderSum() const {
    Money sum;
    for (const auto& position : positions_)
        if (position->Checked) sum += position->TotalPrice();
    return sum;
}

Money TqxfOrder::OrderNDS() const {
    if (!TotalNDS) return Money{};
    return RoundMoney(static_cast<long double>(OrderSum().Raw) * NDSTax / 100 / Money::Scale);
}

void TqxfOrder::SortByPosNo() {
    std::stable_sort(positions_.begin(), positions_.end(),
                     [](const auto& a, const auto& b) { return CompareCp1251(a->PosNo, b->PosNo) < 0; });
}

void TqxfOrder::SortByName() {
    std::stable_sort(positions_.begin(), positions_.end(),
                     [](const auto& a, const auto& b) { return CompareCp1251(a->PosName, b->PosName) < 0; });
}

namespace {

// Runs `change` on the position with a backup: a failure restores the position, shows
// "%s\r\n[Позиция: %s]" and gives false.
bool changeGuarded(TqxfConstruction& position, const std::function<void()>& change) {
    TSpecStream backup;
    bool backedUp = false;
    try {
        position.Backup(backup);
        backedUp = true;
        change();
        return true;
    } catch (const std::exception& e) {
        QString text = ExceptionText(e);
        if (backedUp) {
            try {
                position.Restore(backup);
            } catch (const std::exception& restoreError) {
                text = ExceptionText(restoreError);
            }
        }
        ShowError(Format("%s\r\n[Позиция: %s]", text, position.PosNo));
        return false;
    }
}

}  // namespace

bool TqxfOrder::Recalculate(const TRecalcProgress& progress) {
    PricingContextScope context(*this);
    const int total = IncludedCount();
    int done = 0;
    for (const auto& position : positions_) {
        if (!position->Checked) continue;
        if (progress) progress(done, total);
        ++done;
        if (!changeGuarded(*position, [&] { position->CalcPrice(); })) return false;
    }
    return true;
}

bool TqxfOrder::ReselectHardware(const TRecalcProgress& progress) {
    PricingContextScope context(*this);
    for (int i = 0; i < Count(); ++i) {
        if (progress) progress(i, Count());
        TqxfConstruction& position = *positions_[i];
        const bool rightFirst = position.FlugelMode == kTwoSashesRightActive;
        TqxfFlugel* first = rightFirst ? position.Flugel2.get() : position.Flugel1.get();
        TqxfFlugel* second = rightFirst ? position.Flugel1.get() : position.Flugel2.get();
        const bool changed = changeGuarded(position, [&] {
            for (TqxfFlugel* flugel : {first, second})
                if (flugel->Exists() && flugel->FurnComp) flugel->FurnComp->Recalculate();
            position.CalcPrice();
        });
        if (!changed) return false;
    }
    return true;
}

void TqxfOrder::InitNewOrder() {
    const TqxfSetup& setup = Setup();
    ProfSys = setup.DefProfSys;
    FurnSys = setup.DefFurnSys;
    InnerProfColor = OuterProfColor = GetSystemBaseColor(ProfSys);
    FurnColor = GetSystemBaseColor(FurnSys);
    Handle = setup.DefHandle;
    FalzType = setup.DefFalzType;
    DornType = setup.DefDornType;
    StulpType = setup.DefStulpFalzType;
    OpenType = setup.DefFlugelType;
    Material = setup.DefMaterial;
    Currency = setup.CurCurrency;
    PriceGroupNo = setup.PriceGrpNo;
    NDSTax = setup.NDSTax;
    TotalNDS = setup.TotalNDS;
    ShowIncludingNDS = setup.ShowIncludingNDS;
    LoadRates(Currencies);
}

void TqxfOrder::SaveToStream(TSpecStream& stream) const {
    SaveOrderToStream(*this, stream);
}

bool TqxfOrder::LoadFromStream(TSpecStream& stream, bool& converted) {
    return LoadOrderFromStream(*this, stream, converted);
}

bool TqxfOrder::SaveToFile(const QString& fileName) {
    return SaveOrderToFile(*this, fileName);
}

bool TqxfOrder::LoadFromFile(const QString& fileName, bool* converted) {
    bool scratch = false;
    return LoadOrderFromFile(*this, fileName, converted ? *converted : scratch);
}

PricingContextScope::PricingContextScope(const TqxfOrder& order) {
    TqxfSetup& setup = Setup();
    previousCurrencies_ = setup.PriceCurrencies;
    previousCurrency_ = setup.PriceCurrency;
    previousNDSTax_ = setup.PriceNDSTax;
    setup.PriceCurrencies = &order.Currencies;
    setup.PriceCurrency = order.Currency;
    setup.PriceNDSTax = order.NDSTax;
}

PricingContextScope::~PricingContextScope() {
    TqxfSetup& setup = Setup();
    setup.PriceCurrencies = previousCurrencies_;
    setup.PriceCurrency = previousCurrency_;
    setup.PriceNDSTax = previousNDSTax_;
}

}  // namespace qx
