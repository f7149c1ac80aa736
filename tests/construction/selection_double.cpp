// selection_double.cpp — TEST DOUBLE of SelectHardware, in tests only, until the real hardware
// selection is merged (then this file goes): succeeds without adding items, and fails with
// "double: failed" for a kit whose main kit is "FAIL".
#include "common/error.h"
#include "construction/furn_comp.h"
#include "selection/hardware_selection.h"

namespace qx {

bool SelectHardware(TqxfFurnComp& kit) {
    if (kit.ComplectID == QLatin1String("FAIL")) throw TqxfError(QStringLiteral("double: failed"));
    return true;
}

}  // namespace qx
