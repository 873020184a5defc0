#pragma once
// The feed-weight optimisation and the diet plot sweep: their working tables.
#include <cstdint>

#include "shared/Table.h"

namespace tarvisol {

struct OptimisationState {
};

}  // namespace tarvisol
