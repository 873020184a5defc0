#pragma once
// Run-time errors carrying a number and a description, as the trapping
// procedures report them: "Error 9 (Subscript out of range) in procedure  LoadLP".
#include <stdexcept>
#include <string>

namespace tarvisol {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description)
        : std::runtime_error(description), Number(number), Description(description) {}
    int Number;
    std::string Description;
};

// Error 9, raised by every table and grid on an index outside its bounds.
[[noreturn]] void RaiseSubscriptOutOfRange();
// Error 6, raised when a value does not fit the integer it is stored in.
[[noreturn]] void RaiseOverflow();

// "Error <n> (<description>" followed by the procedure tail, e.g. ") in procedure  LoadLP".
std::string TrappedErrorMessage(const RuntimeError& e, const std::string& tail);
// The same for any exception: a RuntimeError keeps its number; anything else is
// reported as error 5 (Invalid procedure call or argument) with its own text.
std::string TrappedErrorMessage(const std::exception& e, const std::string& tail);

}  // namespace tarvisol
