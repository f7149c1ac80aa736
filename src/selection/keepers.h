// keepers.h — the parts that resolved articles bring with them: keepers, covers and accessories.
#pragma once

#include "selection/kit_resolution.h"

namespace qx {

// Each pass visits the items present in the context's kit record when it starts, in list order, and
// adds what the catalog lists for their articles; an added item inherits the kit, note and side of
// the item that brought it and counts the row's number times that item's count.

// Keepers by mullion type, side, kit, properties and the hardware system's group; each keeper
// element is resolved like a kit element (required).
void AddKeepers(const TSelectionContext& context);
// Covers in the kit's colour, or the colourless ones when the colour has none.
void AddCovers(const TSelectionContext& context);
// Accessories by mullion type, side, kit and properties.
void AddAccessories(const TSelectionContext& context);

}  // namespace qx
