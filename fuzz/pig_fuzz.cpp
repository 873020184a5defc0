// The .pig reader on any bytes, with the main window attached so the grid,
// boxes and herd-sex list are written too; then what was read, saved and read
// again must save to the same file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "location/PigFile.h"
#include "shared/MainWindowForm.h"
#include "shared/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    for (int k = 0; k <= 4; ++k) s->GrowthCurve(0, k) = kDefaultCurve[k];
    ReadPigText(*s, text, "fuzz.pig");
    if (s->HerdSex < -1 || s->HerdSex > 2) __builtin_trap();
    if (s->EnergyUnit() < 0 || s->EnergyUnit() > 4 || s->WeightUnit() < 0 || s->WeightUnit() > 2 ||
        s->PriceUnit() < 0 || s->PriceUnit() > 4)
        __builtin_trap();
    for (int k = 0; k <= 4; ++k)
        if (s->GrowthCurve(0, k) == 0) __builtin_trap();  // a 0 coefficient falls back to the default curve

    const std::string saved = JoinCrlf(PigFileLines(*s));
    auto again = std::make_unique<SharedState>();
    ReadPigText(*again, saved, "again.pig");
    if (again->HerdSex != s->HerdSex || !(again->UnitTable == s->UnitTable)) __builtin_trap();
    if (JoinCrlf(PigFileLines(*again)) != saved) __builtin_trap();
    return 0;
}
