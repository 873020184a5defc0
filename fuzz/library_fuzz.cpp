// The ingredient library reader on any bytes: every row it keeps has a name
// and finite values where the matrix needs them.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formulation/IngredientLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tarvisol::IngredientLibrary lib = tarvisol::ReadIngredientLibrary(text);
    for (const auto& row : lib.rows) {
        if (row.name.empty()) __builtin_trap();
        for (double v : tarvisol::LibraryMatrixValues(row))
            if (!std::isfinite(v) || v < 0) __builtin_trap();
        (void)tarvisol::FindLibraryIngredient(lib, row.name);
    }
    (void)tarvisol::SearchLibrary(lib, text.substr(0, 40));
    return 0;
}
