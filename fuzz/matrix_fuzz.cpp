// The matrix reader (LoadLP) on any bytes, then a formulation of what it loaded.
#include "FormulationFuzz.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    static const std::string path = fuzz::ScratchPath("Matrix.txt");
    fuzz::WriteBytes(path, data, size);
    fuzz::Fresh f;
    f.s->IngredientRestrictionFile = fuzz::ScratchPath("-absent.ing");
    if (LoadLP(*f.s, path)) {
        f.s->DietCount = 1;
        f.s->NutrientLimits(1, 1, 1) = 1;
        FormulateDiet(*f.s, 1);
        if (f.s->IngredientCount < 0 || f.s->IngredientCount > 100) __builtin_trap();
        if (f.s->NutrientCount < 1 || f.s->NutrientCount > 121) __builtin_trap();
    }
    return 0;
}
