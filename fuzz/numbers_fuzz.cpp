// The number readers and formatters on any text; a matrix cell, when read,
// holds a finite number whose text reads back as it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "formulation/MatrixNumber.h"
#include "shared/Numbers.h"
#include "shared/RuntimeError.h"
#include "shared/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto& line : tarvisol::SplitLines(text)) {
        std::string t = line;
        const double v = tarvisol::NumVal(t);
        if (!std::isfinite(v)) __builtin_trap();
        (void)tarvisol::FormatAuto(v);
        (void)tarvisol::FormatPrecise(v);
        (void)tarvisol::FormatShort(v);
        try {
            (void)tarvisol::IntVal(line);
        } catch (const tarvisol::RuntimeError&) {
        }
        for (const auto& f : tarvisol::SplitTabs(line)) (void)tarvisol::Val(f);
        if (!std::isfinite(tarvisol::ReadMatrixNumber(line).value)) __builtin_trap();
        tarvisol::MatrixNumber cell;
        if (tarvisol::ReadMatrixCell(line, cell) && (!std::isfinite(cell.value) || tarvisol::Val(cell.text) != cell.value))
            __builtin_trap();
    }
    return 0;
}
