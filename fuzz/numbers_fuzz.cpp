// The number readers and formatters on any text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

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
    }
    return 0;
}
