// The ingredient restriction reader with its nutrient companion on any bytes
// (the same bytes in both files), then a formulation under those limits.
#include "FormulationFuzz.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    static const std::string ing = fuzz::ScratchPath("Req.ing");
    fuzz::WriteBytes(ing, data, size);
    fuzz::WriteBytes(NutrientCompanion(ing), data, size);
    fuzz::Fresh f;
    fuzz::SmallMatrix(*f.s);
    ReadRestrictions(*f.s, ing);
    if (f.s->IngredientCount > 100 || f.s->NutrientCount > 121) __builtin_trap();
    f.s->DietCount = 8;
    for (int d = 1; d <= 8; ++d) FormulateDiet(*f.s, d);
    return 0;
}
