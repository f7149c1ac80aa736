// hardware_selection.h — the hardware selection of one sash: its kits resolved into kit items.
#pragma once

namespace qx {
class TqxfFurnComp;
bool SelectHardware(TqxfFurnComp& kit);
}  // namespace qx
