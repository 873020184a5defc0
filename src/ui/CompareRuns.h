#pragma once
// The "Compare Runs" window as a form: the location's kept runs in a list
// (rename, delete, reorder, restore: KeptRunsList.h) and, beside it, the
// comparison of every run with the chosen base run: one row per input and
// result, each run's figure with its difference to the base (absolute and %),
// better results shaded green and worse red.
#include <string>
#include <vector>

#include "report/KeptRun.h"
#include "report/RunComparison.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kCompareRunsCaption = "Compare Runs";
inline constexpr Color kBetterShade = Rgb(200, 240, 200);
inline constexpr Color kWorseShade = Rgb(246, 200, 200);
inline constexpr Color kSectionShade = Rgb(228, 232, 238);
inline constexpr Color kBaseShade = Rgb(255, 246, 214);

struct CompareRunsWindow {
    std::string Caption = kCompareRunsCaption;
    bool Visible = false;
    // One row per kept run: "No.", "Name", "Kept", "Feed Formulation",
    // "Cost per Pig" (with the runs' currency), "Final Age, days". The current row is the chosen run.
    Grid GridRuns{"GridRuns", 1, 6};
    Grid GridCompare{"GridCompare", 1, 3};
    ComboBox ComboBase;  // the runs by name
    Button CommandRename{"Rename..."};
    Button CommandDelete{"Delete"};
    Button CommandUp{"Move Up"};
    Button CommandDown{"Move Down"};
    Button CommandRestore{"Restore to Main Window", "Puts the chosen run's inputs and diets back on the main window"};
    Button CommandCopy{"Copy Table"};
    Label LabelFile{""};
    Label LabelStatus{""};

    std::string RunsFile;
    std::vector<KeptRun> Runs;
    int Base = 0;
    RunComparison Comparison;
};

// Reads the location's kept runs and shows them against the first run (a
// message when the file cannot be read; the list is then empty).
void LoadCompareRuns(SharedState& s, CompareRunsWindow& w);

// Shows w.Runs against w.Base: the list, the base list and the table.
void ShowCompareRuns(CompareRunsWindow& w);

// A base was chosen in ComboBase.
void CompareBaseChosen(CompareRunsWindow& w);

// "Copy Table": the whole comparison to the clipboard.
void CopyComparison(SharedState& s, CompareRunsWindow& w);

// The run chosen in the list (its index), or -1.
int ChosenRun(const CompareRunsWindow& w);

}  // namespace tarvisol
