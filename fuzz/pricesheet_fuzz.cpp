// The price-sheet reader on any bytes: every price it reads is a finite
// number of 0 or more, and matching it onto a matrix stays in the tables.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formulation/PriceSheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tarvisol::PriceSheet sheet = tarvisol::ReadPriceSheet(text);
    for (const auto& row : sheet.rows)
        if (!std::isfinite(row.price) || row.price < 0 || row.name.empty()) __builtin_trap();
    static tarvisol::SharedState s;
    s.IngredientCount = 3;
    s.IngredientNames(1) = "Corn";
    s.IngredientNames(2) = "Soybean meal 47";
    s.IngredientNames(3) = "Salt";
    const tarvisol::PriceMatch m = tarvisol::MatchPrices(s, sheet);
    tarvisol::ApplyPrices(s, m);
    return 0;
}
