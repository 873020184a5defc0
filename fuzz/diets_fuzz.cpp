// The diet reader on any bytes, then a save of what it read.
#include "FormulationFuzz.h"
#include "formulation/FormulationFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    static const std::string dts = fuzz::ScratchPath(".dts");
    fuzz::WriteBytes(dts, data, size);
    fuzz::Fresh f;
    ReadDiets(*f.s, dts);
    if (f.s->DietCount < 0 || f.s->DietCount > 8) __builtin_trap();
    SaveDiets(*f.s, false);
    return 0;
}
