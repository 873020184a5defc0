// The .cal reader on any bytes, with the main window attached: it must fill
// at most rows 1..15 with finite values and leave row 0 and column 3 empty;
// then what was read, written and read again must write the same text, and
// what the writer writes is never taken for a file that cannot be read.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "location/CalFile.h"
#include "calibration/SwineCalib.h"
#include "shared/MainWindowForm.h"
#include "shared/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    const int rows = ReadCalText(*s, text, "fuzz.cal");
    if (rows < 0 || rows > 15) __builtin_trap();
    for (int j = 0; j <= 3; ++j)
        if (s->CalibWeightTable(j, 0) != 0) __builtin_trap();
    for (int r = 0; r <= 15; ++r) {
        if (s->CalibWeightTable(3, r) != 0) __builtin_trap();
        for (int j = 0; j <= 2; ++j)
            if (!std::isfinite(s->CalibWeightTable(j, r))) __builtin_trap();
    }
    // The fit's table term reads whatever was read without leaving the tables.
    double sum = 0;
    WeightCurveError(*s, sum);

    (void)CalTextProblem(text);
    const std::string saved = JoinCrlf(CalFileLines(*s, CalLastRow(*s)));
    if (!CalTextProblem(saved).empty()) __builtin_trap();
    auto again = std::make_unique<SharedState>();
    ReadCalText(*again, saved, "again.cal");
    if (JoinCrlf(CalFileLines(*again, CalLastRow(*again))) != saved) __builtin_trap();
    return 0;
}
