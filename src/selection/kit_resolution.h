// kit_resolution.h — turns the kits chosen for a sash into kit items, set rule by set rule.
#pragma once
#include <QString>
#include <cstdint>
#include <vector>

namespace qx {

class CatalogTable;
class TqxfFlugel;
class TqxfFurnComp;

// Parameters of the sash, looked up once per selection run.
struct TSashParams {
    float ProfWidth = 0;  // carried, not used by the selection
    float ProfThickness = 0;
    int32_t FalzLuft = 0;
    int32_t FalzSize = 0;
    int32_t FalzPos = 0;
    float DornMass = 0;
    uint8_t OpenType = 0;  // 1 and 2 (a T-shaped sash) have meanings for the rules
    friend bool operator==(const TSashParams&, const TSashParams&) = default;
};

// Positions of the columns a selection run reads, found once per table and run, so that the rules
// are read by position. `names` must stay valid for the cache's life (a static array).
class TColumnCache {
public:
    // The positions of `names` in `table`; a column the table lacks raises TqxfError.
    const int* Resolve(const CatalogTable& table, const char* const* names, int count);

private:
    struct Entry {
        const CatalogTable* Table;
        const char* const* Names;
        std::vector<int> Columns;
    };
    std::vector<Entry> entries_;
};

// What every kit of one selection run reads; built once and passed unchanged to every kit.
struct TSelectionContext {
    TqxfFlugel* Sash = nullptr;
    TqxfFlugel* Partner = nullptr;  // the other sash of a two-sash construction, else none
    TqxfFurnComp* Kit = nullptr;    // the sash's kit record, which receives the items
    int32_t FFB = 0;                // a tenth of the sash's rebate width in mm, rounded
    int32_t FFH = 0;                // a tenth of the sash's rebate height in mm, rounded
    int32_t WidthMm = 0;            // the rebate sizes themselves, mm (a handle in the middle)
    int32_t HeightMm = 0;
    uint8_t Direct = 0;     // hand of the main kit
    uint8_t StulpType = 0;  // mullion type; 6 for a single sash
    double ProfWidth = 100;
    double Weight = 0;
    QString OuterColor;
    QString InnerColor;
    QString FurnColor;  // the kit record's hardware colour
    TSashParams Params;
    bool KeepSeparate = false;  // debug mode: every article its own item, with its origin text
    mutable TColumnCache Columns;
};

// The colour an element takes by its ColorCondition: 1 outer, 2 inner, 3 outer on a sash of opening
// type 1 and inner otherwise, any other value the hardware colour.
const QString& ElementColor(const TSelectionContext& context, int64_t colorCondition);

// Whether a mullion bit set (StulpType of a rule) admits mullion type t: 0 and bit 1 admit every
// type, otherwise bit t + 1 (value 2 to the power t) must be set.
bool AdmitsMullionType(int64_t bits, int64_t mullionType);

// The quantity of an element by its scaling rule (ScaleCondition 1 to 4 scale by `value`, any other
// condition gives `number`). kitName and elementName name the rule in the zero-step message.
int32_t ScaledQuantity(int32_t scaleCondition, long double value, const QString& scheme, int32_t step, int32_t start,
                       int32_t num, int32_t number, const QString& kitName, const QString& elementName);

// Fits the elements of kit `kitCode` whose conditions hold on the context's sash and adds their
// articles (count × multiplier) to the kit record. `slot` (0 to 6) selects the property lines that
// apply; with `userHandleHeight` the kit's articles leave the side handles where they are.
// A catalog inconsistency raises TqxfError naming the kit and element.
void ResolveKit(const QString& kitCode, int slot, const TSelectionContext& context, bool userHandleHeight,
                int32_t multiplier);

}  // namespace qx
