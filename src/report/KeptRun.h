#pragma once
// A finished run kept with the location under a name the user gave it, and
// the rule for which runs may be kept at all.
#include <string>
#include <vector>

#include "shared/RunSnapshot.h"

namespace tarvisol {

struct KeptRun {
    std::string Name;  // the location's single-byte text
    std::string Kept;  // when it was kept, "YYYY-MM-DD HH:MM"
    RunSnapshot Run;
};

// Why a finished run cannot be kept, compared or reported (its figures are
// not ones the program stands behind), or empty when it can.
std::string WhyRunCannotBeKept(const RunSnapshot& run);

// The kept run called name (exact bytes), or -1.
int FindKeptRun(const std::vector<KeptRun>& runs, const std::string& name);

}  // namespace tarvisol
