#pragma once
// The herd's calibration inputs and the fit's working tables.
#include <cstdint>

#include "shared/Table.h"

namespace tarvisol {

struct CalibrationState {
};

}  // namespace tarvisol
