#include "report/KeptRun.h"

namespace tarvisol {

std::string WhyRunCannotBeKept(const RunSnapshot& run) {
    if (run.Empty()) return "There is no finished run: run Growth first";
    if (run.RunFailed) return "The growth run failed: there are no results to keep";
    for (const RunDiet& d : run.Diets)
        if (d.Infeasible) return "Diet No" + std::to_string(d.Number) + "was Infeasible: the run has no results to keep";
    if (!run.ReachedFinalWeight) return "The pig did not reach the final weight: the run has no results to keep";
    if (!run.ResultsValid || !(run.FinalAge > 0)) return "The run has no results the program stands behind";
    return {};
}

int FindKeptRun(const std::vector<KeptRun>& runs, const std::string& name) {
    for (std::size_t i = 0; i < runs.size(); ++i)
        if (runs[i].Name == name) return static_cast<int>(i);
    return -1;
}

}  // namespace tarvisol
