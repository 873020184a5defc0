#pragma once
// Kept runs side by side: one row per input and result, one column per run,
// each figure with its difference to the base run (absolute and percent) and,
// for results, whether it is better or worse. Every run is shown in the base
// run's display units.
#include <string>
#include <vector>

#include "report/KeptRun.h"
#include "report/RunFigures.h"

namespace tarvisol {

// Which way a result is better. Inputs are not judged.
enum class Judge { None, LowerBetter, HigherBetter };
enum class Verdict { None, Same, Better, Worse };

struct ComparedValue {
    bool Present = false;  // the run has this figure (a diet it does not have has none)
    bool Numeric = false;
    double Number = 0;
    std::string Text;          // as shown
    bool HasDifference = false;  // not for the base run itself
    double Difference = 0;       // value - base value
    std::string DifferenceText;  // "+1.25", "-0.50", "0.00"; "changed" for a text
    bool HasPercent = false;     // the base value is not 0
    double Percent = 0;
    std::string PercentText;  // "+2.1 %"
    Verdict Outcome = Verdict::None;
};

struct ComparedRow {
    std::string Section;  // "Inputs", "Results", "Males", "Females"
    std::string Label;    // "Final age"
    std::string Unit;     // "days", "kg", ... (may be empty)
    std::string Key;      // stable name for exports, e.g. "final_age", "diet2.price"
    Judge Direction = Judge::None;
    int Decimals = 2;
    std::vector<ComparedValue> Values;  // one per run, in the runs' order
};

struct RunComparison {
    int Base = 0;  // index of the base run
    DisplayUnits Units;
    std::vector<std::string> Names, Kept;
    std::vector<ComparedRow> Rows;
};

// The comparison of the runs against runs[base] (clamped to the list).
RunComparison CompareRuns(const std::vector<KeptRun>& runs, int base);

// Fixed-decimal text of a value ("12.50"), and of a signed difference ("+0.25").
std::string FixedText(double value, int decimals);
std::string SignedText(double value, int decimals);

std::string VerdictName(Verdict v);  // "better", "worse", "same", ""

}  // namespace tarvisol
