// The kept-runs reader on any bytes: it either refuses the text or gives runs
// that write back to a text it reads again as the same runs (and the same
// text); whatever it accepts can be compared, charted, reported and put back
// into a main window without leaving the tables.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "report/GrowthChartData.h"
#include "report/ReportDocument.h"
#include "report/RunComparison.h"
#include "report/RunsFile.h"
#include "shared/MainWindowForm.h"
#include "ui/RestoreRun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<KeptRun> runs;
    std::string error;
    if (!ParseRunsText(text, runs, error)) {
        if (error.empty() || !runs.empty()) __builtin_trap();
        return 0;
    }
    const std::string saved = RunsFileText(runs);
    std::vector<KeptRun> again;
    if (!ParseRunsText(saved, again, error) || again.size() != runs.size()) __builtin_trap();
    if (RunsFileText(again) != saved) __builtin_trap();

    for (int base = 0; base < static_cast<int>(runs.size()) && base < 3; ++base) CompareRuns(runs, base);
    for (std::size_t i = 0; i < runs.size() && i < 3; ++i) {
        GrowthChartOf(runs[i].Run);
        ReportRequest rq;
        rq.Run = &runs[i].Run;
        rq.Kept = &runs;
        BuildReport(rq);
        auto s = std::make_unique<SharedState>();
        auto w = std::make_unique<MainWindow>();
        s->Main = w.get();
        RestoreRun(*s, runs[i].Run);
    }
    return 0;
}
