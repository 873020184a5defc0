#pragma once
// The location: folder, base name and the names of its files.
#include <string>

#include "shared/Table.h"

namespace tarvisol {

struct LocationState {
};

}  // namespace tarvisol
