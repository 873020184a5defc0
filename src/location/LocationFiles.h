#pragma once
// Naming the files of a location from its folder and base name.
#include <string>
#include <string_view>

#include "shared/SharedState.h"

namespace tarvisol {

// The full path of a file name in the current location. An absolute name
// keeps only its last part (after the last '/') with LocationFolder in front,
// so a file picked elsewhere is named in the current location's folder; a
// relative name gets LocationFolder in front. Folder and name are joined with
// exactly one '/', whether or not LocationFolder ends with one; an empty
// LocationFolder leaves the name as it is.
std::string MakeLocationPath(const LocationState& loc, std::string_view name);

// Folder and name joined with exactly one '/' (the name as it is when the
// folder is empty).
std::string JoinPath(std::string_view folder, std::string_view name);

// Sets every location file name from base, each through MakeLocationPath:
// base + "Matrix.txt", ".dts", ".pig", ".cal", ".stg", "Req.nut", "Req.ing"
// and "Optrestrict.txt"; then clears entries 1..10 of FileFlags. The base name
// itself is not changed here.
void SetLocationFiles(SharedState& s, const std::string& base);

}  // namespace tarvisol
