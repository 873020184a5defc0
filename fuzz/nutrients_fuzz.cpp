// The nutrient restriction reader alone on any bytes, then a save and reload.
#include "FormulationFuzz.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    static const std::string nut = fuzz::ScratchPath("Req.nut");
    fuzz::WriteBytes(nut, data, size);
    fuzz::Fresh f;
    fuzz::SmallMatrix(*f.s);
    ReadNutrientRestrictions(*f.s, nut);
    if (f.s->NutrientCount > 121) __builtin_trap();
    f.s->DietCount = 8;
    FormulateDiet(*f.s, 1);
    if (SaveNutrientRestrictions(*f.s, false)) {
        fuzz::Fresh g;
        ReadNutrientRestrictions(*g.s, nut);
    }
    return 0;
}
