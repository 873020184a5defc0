#include "shared/RuntimeError.h"

namespace tarvisol {

void RaiseSubscriptOutOfRange() { throw RuntimeError(9, "Subscript out of range"); }

void RaiseOverflow() { throw RuntimeError(6, "Overflow"); }

std::string TrappedErrorMessage(const RuntimeError& e, const std::string& tail) {
    return "Error " + std::to_string(e.Number) + " (" + e.Description + tail;
}

std::string TrappedErrorMessage(const std::exception& e, const std::string& tail) {
    if (auto* rt = dynamic_cast<const RuntimeError*>(&e)) return TrappedErrorMessage(*rt, tail);
    return "Error 5 (" + std::string(e.what()) + tail;
}

}  // namespace tarvisol
