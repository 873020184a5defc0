// The price-sheet reader on any bytes: every price it reads is a finite
// number of 0 or more, and matching it onto a matrix stays in the tables.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formulation/PriceSheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static tarvisol::SharedState s;
    s.IngredientCount = 4;
    s.IngredientNames(1) = "Corn";
    s.IngredientNames(2) = "Soybean meal 47";
    s.IngredientNames(3) = "Salt";
    s.IngredientNames(4) = "corn";
    for (int i = 1; i <= 4; ++i) s.IngredientPrices(i) = 100;
    const tarvisol::PriceSheet sheet = tarvisol::ReadPriceSheet(text, s);
    for (const auto& row : sheet.rows)
        if (!std::isfinite(row.price) || row.price < 0 || row.name.empty()) __builtin_trap();
    const tarvisol::PriceMatch m = tarvisol::MatchPrices(s, sheet);
    tarvisol::ApplyPrices(s, m);
    // A refused sheet changes no price.
    if (m.Refused())
        for (int i = 1; i <= 4; ++i)
            if (s.IngredientPrices(i) != 100) __builtin_trap();
    for (int i = 1; i <= 4; ++i) s.IngredientPrices(i) = 100;
    return 0;
}
