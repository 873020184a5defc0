#include "ui/CompareRuns.h"

#include <algorithm>

#include "report/RunFigures.h"
#include "report/RunsFile.h"
#include "shared/Dialogs.h"
#include "shared/FigureFormat.h"
#include "ui/GridClipboard.h"

namespace tarvisol {
namespace {

Color Shade(Verdict v) { return v == Verdict::Better ? kBetterShade : v == Verdict::Worse ? kWorseShade : kNoColor; }

void FillRunList(CompareRunsWindow& w) {
    Grid& g = w.GridRuns;
    g.Clear();
    g.SetRows(static_cast<int>(w.Runs.size()) + 1);
    g.SetCols(6);
    g.FixedCols = 0;
    // The money of the runs when they all share one.
    std::string money = w.Runs.empty() ? std::string() : w.Runs.front().Run.Currency;
    for (const KeptRun& k : w.Runs)
        if (k.Run.Currency != money) money.clear();
    const std::string heads[] = {"No.", "Name", "Kept", "Feed Formulation", WithUnit("Cost per Pig", money), "Final Age, days"};
    static const int widths[] = {500, 3400, 2000, 2300, 1600, 1400};
    for (int c = 0; c < 6; ++c) {
        g.SetTextMatrix(0, c, heads[c]);
        g.SetColWidth(c, widths[c]);
    }
    for (std::size_t i = 0; i < w.Runs.size(); ++i) {
        const KeptRun& k = w.Runs[i];
        const int r = static_cast<int>(i) + 1;
        const RunFigures f = FiguresOf(k.Run, UnitsOf(k.Run));
        g.SetTextMatrix(r, 0, std::to_string(r) + (static_cast<int>(i) == w.Base ? " *" : ""));
        g.SetTextMatrix(r, 1, k.Name);
        g.SetTextMatrix(r, 2, k.Kept);
        g.SetTextMatrix(r, 3, k.Run.Source == "Optimum" ? "Optimum" : k.Run.FormulationName);
        g.SetTextMatrix(r, 4, FixedText(f.CostPerPig, 2));
        g.SetTextMatrix(r, 5, FixedText(f.FinalAge, 1));
        if (static_cast<int>(i) == w.Base)
            for (int c = 0; c < 6; ++c) g.SetCellBackColor(r, c, kBaseShade);
    }
}

void FillTable(CompareRunsWindow& w) {
    Grid& g = w.GridCompare;
    const RunComparison& c = w.Comparison;
    g.Clear();
    const int runs = static_cast<int>(c.Names.size());
    // Figure, unit, the base run, then each other run with its difference and %.
    const int cols = 2 + (runs > 0 ? 1 + 3 * (runs - 1) : 0);
    std::vector<std::string> sections;
    for (const ComparedRow& row : c.Rows)
        if (sections.empty() || sections.back() != row.Section) sections.push_back(row.Section);
    g.SetCols(std::max(cols, 2));
    g.SetRows(static_cast<int>(c.Rows.size() + sections.size()) + 1);
    g.FixedCols = 1;
    g.SetTextMatrix(0, 0, "Figure");
    g.SetTextMatrix(0, 1, "Unit");
    g.SetColWidth(0, 3600);
    g.SetColWidth(1, 1500);
    std::vector<int> column(static_cast<std::size_t>(runs), 0);
    int col = 2;
    for (int i = 0; i < runs; ++i) {
        column[static_cast<std::size_t>(i)] = col;
        const std::string& name = c.Names[static_cast<std::size_t>(i)];
        if (i == c.Base) {
            g.SetTextMatrix(0, col, name + " (base)");
            g.SetColWidth(col, 1900);
            ++col;
        } else {
            g.SetTextMatrix(0, col, name);
            g.SetTextMatrix(0, col + 1, "Difference");
            g.SetTextMatrix(0, col + 2, "%");
            g.SetColWidth(col, 1900);
            g.SetColWidth(col + 1, 1200);
            g.SetColWidth(col + 2, 1000);
            col += 3;
        }
    }
    int r = 1;
    std::string section;
    for (const ComparedRow& row : c.Rows) {
        if (row.Section != section) {
            section = row.Section;
            g.SetTextMatrix(r, 0, section);
            for (int k = 0; k < g.Cols(); ++k) g.SetCellBackColor(r, k, kSectionShade);
            ++r;
        }
        g.SetTextMatrix(r, 0, row.Label);
        g.SetTextMatrix(r, 1, row.Unit);
        for (int i = 0; i < runs; ++i) {
            const ComparedValue& v = row.Values[static_cast<std::size_t>(i)];
            const int at = column[static_cast<std::size_t>(i)];
            g.SetTextMatrix(r, at, v.Text);
            if (i == c.Base) continue;
            g.SetTextMatrix(r, at + 1, v.DifferenceText);
            g.SetTextMatrix(r, at + 2, v.PercentText);
            const Color shade = Shade(v.Outcome);
            if (shade != kNoColor)
                for (int k = 0; k < 3; ++k) g.SetCellBackColor(r, at + k, shade);
        }
        ++r;
    }
}

}  // namespace

void ShowCompareRuns(CompareRunsWindow& w) {
    w.Base = w.Runs.empty() ? 0 : std::clamp(w.Base, 0, static_cast<int>(w.Runs.size()) - 1);
    w.Comparison = CompareRuns(w.Runs, w.Base);
    w.ComboBase.Items.clear();
    for (const KeptRun& k : w.Runs) w.ComboBase.Items.push_back(k.Name);
    w.ComboBase.ListIndex = w.Runs.empty() ? -1 : w.Base;
    FillRunList(w);
    FillTable(w);
    const bool any = !w.Runs.empty();
    for (Button* b : {&w.CommandRename, &w.CommandDelete, &w.CommandUp, &w.CommandDown, &w.CommandRestore, &w.CommandCopy})
        b->Enabled = any;
    w.LabelFile.Caption = w.RunsFile.empty() ? "No location is open" : "Kept runs: " + w.RunsFile;
}

void LoadCompareRuns(SharedState& s, CompareRunsWindow& w) {
    w.Visible = true;
    w.RunsFile = RunsFileOf(s);
    w.Runs.clear();
    w.Base = 0;
    w.LabelStatus.Caption.clear();
    std::string error;
    if (w.RunsFile.empty()) {
        w.LabelStatus.Caption = "Open a location to compare its kept runs";
    } else if (!ReadRunsFile(w.RunsFile, w.Runs, error)) {
        DialogsOf(s).Message(error);
        w.LabelStatus.Caption = "The kept runs file cannot be read";
    } else if (w.Runs.empty()) {
        w.LabelStatus.Caption = "No runs are kept yet: use File, Keep This Run after Growth";
    }
    ShowCompareRuns(w);
}

void CompareBaseChosen(CompareRunsWindow& w) {
    if (w.ComboBase.ListIndex < 0 || w.ComboBase.ListIndex >= static_cast<int>(w.Runs.size())) return;
    w.Base = w.ComboBase.ListIndex;
    ShowCompareRuns(w);
}

void CopyComparison(SharedState& s, CompareRunsWindow& w) { CopyAllToClipboard(s, w.GridCompare); }

int ChosenRun(const CompareRunsWindow& w) {
    const int i = w.GridRuns.Row - 1;
    return i >= 0 && i < static_cast<int>(w.Runs.size()) ? i : -1;
}

}  // namespace tarvisol
