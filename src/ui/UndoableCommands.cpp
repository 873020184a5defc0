#include "ui/UndoableCommands.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"
#include "ui/HerdWindow.h"

namespace tarvisol {
namespace {

bool SameText(const Grid& a, const Grid& b) {
    if (a.Rows() != b.Rows() || a.Cols() != b.Cols()) return false;
    for (int r = 0; r < a.Rows(); ++r)
        for (int c = 0; c < a.Cols(); ++c)
            if (a.TextMatrix(r, c) != b.TextMatrix(r, c)) return false;
    return true;
}

// A grid put back reads as changed to every view that showed it since.
void PutGrid(Grid& into, const Grid& from) {
    const uint64_t shown = into.Version();
    into = from;
    while (into.Version() <= shown) into.SetRows(into.Rows());
}

// What the user sets up on the main window (its results stay as they are,
// the last run's predicted feed and age in Text4 and Text5 among them).
struct WindowInputs {
    TextBox Text1, Text2, Text3, TextPigNo, TextMeasuredFeed, TextMeasuredAge;
    ComboBox ComboSex, Combo1, ComboDiets;
    CheckBox CheckRatioProtein, CheckRatioLysine;
    OptionButton OptionCalibLoaded;
    Grid GridWeight, Griddiets;

    explicit WindowInputs(const MainWindow& w)
        : Text1(w.Text1), Text2(w.Text2), Text3(w.Text3), TextPigNo(w.TextPigNo),
          TextMeasuredFeed(w.TextMeasuredFeed), TextMeasuredAge(w.TextMeasuredAge), ComboSex(w.ComboSex), Combo1(w.Combo1),
          ComboDiets(w.ComboDiets), CheckRatioProtein(w.CheckRatioProtein), CheckRatioLysine(w.CheckRatioLysine),
          OptionCalibLoaded(w.OptionCalibLoaded), GridWeight(w.GridWeight), Griddiets(w.Griddiets) {}

    void PutBack(MainWindow& w) const {
        w.Text1 = Text1, w.Text2 = Text2, w.Text3 = Text3, w.TextPigNo = TextPigNo;
        w.TextMeasuredFeed = TextMeasuredFeed, w.TextMeasuredAge = TextMeasuredAge;
        w.ComboSex = ComboSex, w.Combo1 = Combo1, w.ComboDiets = ComboDiets;
        w.CheckRatioProtein = CheckRatioProtein, w.CheckRatioLysine = CheckRatioLysine;
        w.OptionCalibLoaded = OptionCalibLoaded;
        PutGrid(w.GridWeight, GridWeight);
        PutGrid(w.Griddiets, Griddiets);
    }

    bool operator==(const WindowInputs& o) const {
        const auto same = [](const TextBox& a, const TextBox& b) { return a.Text == b.Text; };
        return same(Text1, o.Text1) && same(Text2, o.Text2) && same(Text3, o.Text3) && same(TextPigNo, o.TextPigNo) &&
               same(TextMeasuredFeed, o.TextMeasuredFeed) &&
               same(TextMeasuredAge, o.TextMeasuredAge) && ComboSex.ListIndex == o.ComboSex.ListIndex &&
               Combo1.ListIndex == o.Combo1.ListIndex && ComboDiets.ListIndex == o.ComboDiets.ListIndex &&
               CheckRatioProtein.Value == o.CheckRatioProtein.Value && CheckRatioLysine.Value == o.CheckRatioLysine.Value &&
               OptionCalibLoaded.Value == o.OptionCalibLoaded.Value && SameText(GridWeight, o.GridWeight) &&
               SameText(Griddiets, o.Griddiets);
    }
};

// The location's files that a save writes: each one's bytes, or none.
using FileBytes = std::vector<std::pair<std::string, std::optional<std::string>>>;

FileBytes LocationFiles(const SharedState& s) {
    FileBytes files;
    for (const std::string* path : {&s.PigFile, &s.CalFile, &s.TempFileName, &s.DietFile, &s.MatrixFile,
                                    &s.NutrientRestrictionFile, &s.IngredientRestrictionFile}) {
        if (path->empty()) continue;
        std::optional<std::string> bytes;
        std::string content, error;
        if (FileExists(*path) && ReadTextFile(*path, content, error)) bytes = std::move(content);
        files.emplace_back(*path, std::move(bytes));
    }
    return files;
}

struct DeskState {
    std::optional<WindowInputs> window;
    Table3<double, 8, 2, 121> nutrientLimits;
    Table3<double, 8, 2, 100> ingredientLimits;
    Array1<double, 0, 24> feedAmounts;
    Table2<double, 2, 5> curve, defaultCurve;
    Array1<double, 0, 6> calibInputs;
    Table2<double, 3, 15> calibWeights;
    bool calibrationLoaded = false;
    RunSnapshot transferred;
    std::optional<FileBytes> files;

    DeskState(const SharedState& s, bool withFiles)
        : nutrientLimits(s.NutrientLimits), ingredientLimits(s.IngredientLimits), feedAmounts(s.DietFeedAmount),
          curve(s.GrowthCurve), defaultCurve(s.DefaultGrowthCurve), calibInputs(s.CalibInputs),
          calibWeights(s.CalibWeightTable), calibrationLoaded(s.CalibrationLoaded), transferred(s.TransferredOptimum) {
        if (s.Main) window.emplace(*s.Main);
        if (withFiles) files = LocationFiles(s);
    }

    void PutBack(SharedState& s) const {
        if (window && s.Main) window->PutBack(*s.Main);
        s.NutrientLimits = nutrientLimits;
        s.IngredientLimits = ingredientLimits;
        s.DietFeedAmount = feedAmounts;
        s.GrowthCurve = curve;
        s.DefaultGrowthCurve = defaultCurve;
        s.CalibInputs = calibInputs;
        s.CalibWeightTable = calibWeights;
        s.CalibrationLoaded = calibrationLoaded;
        s.TransferredOptimum = transferred;
        if (!files) return;
        // The files as they were: those that were there get their bytes
        // back, those the command made are taken away again.
        for (const auto& [path, bytes] : *files) {
            std::string error;
            if (bytes) {
                std::string now, readError;
                if (FileExists(path) && ReadTextFile(path, now, readError) && now == *bytes) continue;
                if (!SaveAtomic(path, *bytes, error)) DialogsOf(s).Message(error + "; it was not put back");
            } else if (FileExists(path)) {
                std::error_code ec;
                std::filesystem::remove(path, ec);
                if (ec) DialogsOf(s).Message(path + " could not be removed: " + ec.message());
            }
        }
    }

    bool operator==(const DeskState& o) const {
        return window == o.window && nutrientLimits == o.nutrientLimits && ingredientLimits == o.ingredientLimits &&
               feedAmounts == o.feedAmounts && curve == o.curve && defaultCurve == o.defaultCurve &&
               calibInputs == o.calibInputs && calibWeights == o.calibWeights && calibrationLoaded == o.calibrationLoaded &&
               transferred.Taken == o.transferred.Taken && files == o.files;
    }
};

// The Herd and Marketing window as it was (its cuts, settings and sale).
struct HerdState {
    HerdWindow window;
    explicit HerdState(const HerdWindow& f) : window(f) {}
    void PutBack(HerdWindow& f) const {
        const bool visible = f.Visible;
        const uint64_t cuts = f.GridCuts.Version(), herd = f.GridHerd.Version();
        f = window;
        f.Visible = visible;
        while (f.GridCuts.Version() <= cuts) f.GridCuts.SetRows(f.GridCuts.Rows());
        while (f.GridHerd.Version() <= herd) f.GridHerd.SetRows(f.GridHerd.Rows());
    }
    bool operator==(const HerdState& o) const {
        for (std::size_t i = 0; i < window.Settings.size(); ++i)
            if (window.Settings[i].Text != o.window.Settings[i].Text) return false;
        return SameText(window.GridCuts, o.window.GridCuts) && SameText(window.GridHerd, o.window.GridHerd) &&
               window.LabelTotals.Caption == o.window.LabelTotals.Caption &&
               window.LabelBest.Caption == o.window.LabelBest.Caption;
    }
};

}  // namespace

bool RecordDeskChange(SharedState& s, UndoHistory& history, const std::string& what, bool files,
                      const std::function<void()>& command) {
    auto before = std::make_shared<const DeskState>(s, files);
    command();
    auto after = std::make_shared<const DeskState>(s, files);
    if (*after == *before) return false;
    history.Record(s, {what, {}, [before](SharedState& st) { before->PutBack(st); },
                       [after](SharedState& st) { after->PutBack(st); }});
    return true;
}

bool RecordHerdChange(SharedState& s, UndoHistory& history, HerdWindow& f, const std::string& what,
                      const std::function<void()>& command) {
    auto before = std::make_shared<const HerdState>(f);
    command();
    auto after = std::make_shared<const HerdState>(f);
    if (*after == *before) return false;
    HerdWindow* window = &f;
    history.Record(s, {what, {}, [before, window](SharedState&) { before->PutBack(*window); },
                       [after, window](SharedState&) { after->PutBack(*window); }});
    return true;
}

}  // namespace tarvisol
