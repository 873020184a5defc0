#include "growth/DietValues.h"

namespace tarvisol {

std::string DietValueFault(const SharedState& s, int d) {
    (void)s;
    (void)d;
    return {};
}

std::string ProgrammeValueFault(const SharedState& s, int count) {
    for (int d = 1; d <= count; ++d)
        if (std::string fault = DietValueFault(s, d); !fault.empty()) return fault;
    return {};
}

}  // namespace tarvisol
