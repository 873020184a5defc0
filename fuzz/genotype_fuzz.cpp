// The genotype file reader on any bytes: whatever the file holds, the
// genotype ends one the model can grow, and written again it reads back as
// the same with nothing to say.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "response/GenotypeCurves.h"
#include "response/GenotypePresets.h"
#include "response/GenotypeText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    const std::string text(reinterpret_cast<const char*>(data), size);
    GrowthModelChoice c;
    c.Pig = response::ReferenceGenotype();
    std::vector<std::string> messages;
    response::ReadGenotypeText(text, c, messages);
    if (!response::GenotypeProblem(c.Pig).empty()) __builtin_trap();
    GrowthModelChoice again;
    again.Pig = response::ReferenceGenotype();
    std::vector<std::string> none;
    response::ReadGenotypeText(response::GenotypeText(c), again, none);
    if (!(again == c) || !none.empty()) __builtin_trap();
    return 0;
}
