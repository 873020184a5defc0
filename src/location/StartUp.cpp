#include "location/StartUp.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

// The .cal reader and writer are header-only (no link dependency on the
// calibration library, which builds on this one).
#include "location/CalFile.h"
#include "formulation/FormulationFiles.h"
#include "growth/GrowthRun.h"
#include "growth/MeasuredHerd.h"
#include "growth/Temperature.h"
#include "location/GenotypeFile.h"
#include "location/LocationFiles.h"
#include "location/LocationSettings.h"
#include "location/PigFile.h"
#include "location/RunCompletion.h"
#include "location/UnitChoice.h"
#include "location/WindowSize.h"
#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"

namespace tarvisol {
namespace fs = std::filesystem;

namespace {

constexpr const char* kPigPattern = "*.pig";

std::string FileTitle(const std::string& path) { return fs::path(path).filename().string(); }

std::string FolderOf(const std::string& path) {
    std::string folder = fs::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// The location's base name from a settings file name: only the file's own
// ending ".pig" is cut, so a dotted name ("Herd.v2", "Herd.v2.pig") stays
// that location's and never becomes another's ("Herd").
std::string WithoutExtension(const std::string& path) {
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".pig") == 0) return path.substr(0, path.size() - 4);
    return path;
}

// Holds back the messages of failed saves, so that a save-all can report
// them together with what it saved; every other message goes through.
class HeldSaveFailures : public Dialogs {
public:
    explicit HeldSaveFailures(Dialogs& to) : to_(to) {}
    void Message(const std::string& text, const std::string& title) override {
        if (text.rfind("Cannot save ", 0) == 0)
            held += (held.empty() ? "" : "\n") + text;
        else
            to_.Message(text, title);
    }
    Answer Ask(const std::string& text, Buttons buttons, const std::string& title) override {
        return to_.Ask(text, buttons, title);
    }
    std::string Input(const std::string& prompt, const std::string& title, const std::string& initial) override {
        return to_.Input(prompt, title, initial);
    }
    std::string OpenFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override {
        return to_.OpenFile(title, filter, folder, initial);
    }
    std::string SaveFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override {
        return to_.SaveFile(title, filter, folder, initial);
    }
    std::string held;

private:
    Dialogs& to_;
};

void SetFormulation(MainWindow& w, int entry) { w.Combo1.ListIndex = entry; }

}  // namespace

void FormLoad(SharedState& s, const std::string& programFolder) {
    MainWindow& w = *s.Main;
    std::string folder = programFolder;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    s.ProgramFolder = folder;
    s.LocationFolder = folder;
    InstallRunCompletion(s);

    s.DietCount = 6;
    w.Text6.ToolTip = "Type in a New Location Name then double click or just double click";
    w.CommandData.Visible = false;
    w.Combo1.Items = {"Select Diet Formulas", "Least Cost Formulas", "Use Diets on Grid"};
    w.Combo1.ListIndex = -1;

    ReadWindowSize(s);

    w.ComboUnits.Items = {"Starting Weight, kg", "Starting Weight, lb"};
    w.ComboUnits.ListIndex = 0;
    ComboUnitsClick(s);
    // Numbers are always written with a decimal point here, whatever the
    // machine's regional settings, so the caption never needs the comma note.
    s.DecimalComma = FormatPattern(0.2, "0.0").find(',') != std::string::npos ? 1 : 0;
    if (s.DecimalComma == 1) w.Caption += " Commas Not Periods";

    for (Grid* g : {&w.Griddiets, &w.GridFormula}) {
        if (g->Cols() < 9) g->SetCols(9);
        for (int c = 0; c < 9; ++c) g->SetColWidth(c, static_cast<int>(g->ColWidth(c) * 1.2));
    }
    // Room for the row labels and the results' side-by-side tables.
    w.Griddiets.SetColWidth(0, 2200);
    w.GridFormula.SetColWidth(0, 2200);
    for (int c = 1; c <= 8; ++c) {
        w.Griddiets.SetColWidth(c, 2000);
        w.GridFormula.SetColWidth(c, 2000);
    }
    w.Grid1.SetColWidth(0, 1700);
    for (int c = 1; c <= 4; ++c) w.Grid1.SetColWidth(c, 1150);
    w.Grid1.SetColWidth(3, 1900);
    for (int c = 5; c <= 8; ++c) w.Grid1.SetColWidth(c, 1000);
    w.Grid1.SetColWidth(9, 1800);
    for (int c = 10; c <= 13; ++c) w.Grid1.SetColWidth(c, 1450);
    w.GridWeight.SetColWidth(0, 900);
    w.ComboDiets.Items = {"No. of Diets", "1", "2", "3", "4", "5", "6"};
    w.ComboDiets.ListIndex = 0;

    Grid& files = w.gridFILES;
    files.SetRows(11);
    files.SetCols(1);
    files.FixedCols = 0;
    files.SetTextMatrix(0, 0, "Files in Use");
    files.SetTextMatrix(1, 0, "Save all to this Location");
    files.SetTextMatrix(3, 0, "Save Diets to this Location");
    files.SetTextMatrix(5, 0, "Save Matrix to this Location");
    files.SetTextMatrix(7, 0, "Save Nut. Restrict to this Location");
    files.SetTextMatrix(9, 0, "Save Ing. Restrict to this Location");
    for (int r = 2; r <= 10; r += 2) files.SetTextMatrix(r, 0, "Not Open");

    // The diets grid's labels: row 0 the diet numbers, column 0 the rows.
    Grid& diets = w.Griddiets;
    for (int d = 1; d <= 6; ++d) diets.SetTextMatrix(0, d, "Diet " + std::to_string(d));
    for (int r = 1; r < diets.Rows(); ++r) diets.SetTextMatrix(r, 0, DefaultDietRowLabel(s, r));
    Grid& curve = w.GridWeight;
    static const char* heads[] = {"", "B0", "B1", "B2", "B3", "B4", "Fit Error"};
    for (int c = 0; c < curve.Cols() && c < 7; ++c) curve.SetTextMatrix(0, c, heads[c]);
    curve.SetTextMatrix(1, 0, "Curve");

    w.ComboSex.Items = {"Mixed", "Males", "Females"};
    w.ComboSex.ListIndex = -1;
    static const char* resultHeads[] = {"Diet Name", "Live Wt.", "Age", "Daily Wt. Gain, kg", "", "Age", "Weight",
                                        "Daily Feed", "Tot FEED"};
    for (int c = 0; c <= 8; ++c) w.Grid1.SetTextMatrix(0, c, resultHeads[c]);
    DataInit(s);
    SetTemps(s);
    w.MainTabs.Captions = {"Results", "Inputs and Diets", "Formulas", "Files"};
    w.MainTabs.Tab = 1;
}

void LocationName(SharedState& s) {
    MainWindow& w = *s.Main;
    Dialogs& dlg = DialogsOf(s);
    if (w.Text6.Text == kCalibrationNamePlaceholder) w.Text6.Text.clear();
    std::string name = w.Text6.Text;
    std::string base;
    bool reopen = false;
    if (!name.empty()) {
        base = name;
        reopen = dlg.Ask(kReopenQuestion + base + " (yes) or a New location (no)?",
                         Buttons::YesNo) == Answer::Yes;
        s.CalibrationLoaded = true;
    }
    if (!reopen) {
        const std::string chosen = dlg.OpenFile(
            "Select Path and Calibration File - IF THIS IS A NEW LOCATION, PUT THE fILE NAME BELOW AND CLICK OK ",
            kPigPattern, s.LocationFolder, kPigPattern);
        if (chosen.empty() || chosen == kPigPattern) return;
        static constexpr double pickCurve[5] = {6.6, 1.45, 2.7, 0.0011, 1.0};
        for (int k = 0; k < 5; ++k) s.DefaultGrowthCurve(0, k) = pickCurve[k];
        base = WithoutExtension(chosen);
        name = chosen;
        s.LocationFolder = FolderOf(chosen);
    }

    SetLocationFiles(s, base);
    w.gridFILES.EnsureCell(2, 0);
    w.gridFILES.SetTextMatrix(2, 0, FileTitle(s.PigFile));
    s.CalibrationLoaded = FileExists(s.PigFile);

    if (s.CalibrationLoaded) {
        base = WithoutExtension(name);
        SetLocationFiles(s, base);
        s.LocationBase = MakeLocationPath(s, base);
        SetTemps(s);
        ReadPig(s);
        ReadLocationSettings(s, s.LocationBase);
        ReadGenotypeFile(s);
        // The units read from the settings show in the unit list and captions.
        w.ComboUnits.ListIndex = s.WeightUnit() == 1 ? 1 : 0;
        SetWeightCaptions(w, s.WeightUnit());
        w.Text6.BackColor = kWhite;
        w.CommandGrowth.BackColor = kLightGreen;
        w.CommandCalibration.BackColor = kLightGreen;
        // The measured herd table, when the location has one.
        // A file there that cannot be read is told and kept from every save.
        std::error_code ec;
        if (fs::exists(s.CalFile, ec) && ReadCalFile(s) && s.CalibWeightTable(0, 2) > 0)
            w.OptionCalibLoaded.Value = true;
        if (fs::exists(s.TempFileName, ec)) ReadTempFile(s);
        w.Text6.Text = FileTitle(base);
        ReadDiets(s, s.DietFile);
        if (!FileExists(s.MatrixFile)) {
            dlg.Message("No Matrix File found named " + s.MatrixFile);
            SetFormulation(w, kFormulationGridDiets);
        } else {
            LoadLP(s, s.MatrixFile);
            if (s.NutrientCount == 0) {
                dlg.Message("No Nutrient File found");
                SetFormulation(w, kFormulationGridDiets);
            }
        }
    } else {
        dlg.Ask("You are using this path " + s.LocationFolder + " Is this correct?", Buttons::YesNo);
        SetFormulation(w, kFormulationGridDiets);
        s.LocationBase = MakeLocationPath(s, base);
        s.Currency.clear();
        ReadGenotypeFile(s);
        if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".pig") == 0)
            w.Text6.Text = FileTitle(name.substr(0, name.size() - 4));
        else if (!name.empty())
            w.Text6.Text = FileTitle(name);
    }
    // A new location's herd data are the values the user types: the Growth
    // command works on them as on a reopened location's.
    s.PigDataReady = true;
    if (s.CalibrationLoaded) RememberOpenedLocation(s);
}

void Text6LostFocus(SharedState& s) {
    MainWindow& w = *s.Main;
    if (w.Text6.Text == kCalibrationNamePlaceholder) w.Text6.Text.clear();
    if (w.Text6.Text.empty()) return;
    SetFormulation(w, kFormulationGridDiets);
    const std::string base = MakeLocationPath(s, w.Text6.Text);
    if (base != s.LocationBase) {
        s.LocationBase = base;
        SetLocationFiles(s, w.Text6.Text);
    }
}

std::vector<LocationFile> LocationFiles(SharedState& s) {
    std::vector<LocationFile> files;
    files.push_back({s.PigFile, JoinCrlf(PigFileLines(s, NumbersOf(s, s.PigFile)))});
    files.push_back({s.CalFile, JoinCrlf(CalFileLines(s, CalLastRow(s), NumbersOf(s, s.CalFile)))});
    files.push_back({s.TempFileName, TempFileText(s)});
    // The genotype file: written once the location's model or genotype is
    // other than the documented curve's default it had without one.
    files.push_back({GenotypeFilePath(s), GenotypeFileText(s)});
    if (s.Main) files.push_back({s.DietFile, DietFileText(s, s.DietCount)});
    if (s.NutrientCount > 0) {
        files.push_back({s.NutrientRestrictionFile,
                         NutrientRestrictionText(s, NumbersOf(s, s.NutrientRestrictionFile))});
        files.push_back({s.IngredientRestrictionFile,
                         IngredientRestrictionText(s, NumbersOf(s, s.IngredientRestrictionFile))});
        files.push_back({s.MatrixFile, MatrixText(s, NumbersOf(s, s.MatrixFile))});
    }
    return files;
}

void RememberOpenedLocation(SharedState& s) {
    // What each reader found is known; the tables are remembered as they
    // stand once every file is read (a file read later may change what an
    // earlier one's writer gives, as the matrix names the diets' rows). A
    // file that was not there is remembered as absent, so that a save-all
    // of the unchanged location does not create it.
    for (LocationFile& f : LocationFiles(s)) {
        if (f.path.empty()) continue;
        if (s.Files.Find(f.path))
            RememberTables(s, f.path, std::move(f.text));
        else if (!FileExists(f.path))
            RememberAbsent(s, f.path, std::move(f.text));
    }
}

std::vector<std::string> UnsavedLocationFiles(SharedState& s) {
    std::vector<std::string> changed;
    // The boxes' values, as a save-all would take them.
    const auto inputs = s.CalibInputs;
    TakeHerdInputs(s);
    for (const LocationFile& f : LocationFiles(s))
        // A file that could not be read is left as it was by every save.
        if (!f.path.empty() && !LeftUnread(s, f.path) && WouldChange(s, f.path, f.text)) changed.push_back(f.path);
    s.CalibInputs = inputs;
    ShowMeasuredHerd(s);
    return changed;
}

bool MayCloseMainWindow(SharedState& s) {
    if (s.LocationBase.empty()) return true;
    const std::vector<std::string> changed = UnsavedLocationFiles(s);
    if (changed.empty()) return true;
    std::string names;
    for (const auto& f : changed) names += (names.empty() ? "" : ", ") + FileTitle(f);
    const Answer a = DialogsOf(s).Ask("These files of the location have changes that are not saved: " + names +
                                          ". Save all files to the current location before closing?",
                                      Buttons::YesNoCancel);
    if (a == Answer::Cancel) return false;
    if (a == Answer::No) return true;
    return SaveAllToCurrentLocation(s);
}

bool SaveAllToCurrentLocation(SharedState& s) {
    // The settings file keeps the herd's inputs as the boxes show them now,
    // the measured feed and age rather than the last Growth's prediction.
    TakeHerdInputs(s);
    // This is the current location: the settings file is saved where it is.
    s.FileFlags(2) = true;
    Dialogs& shown = DialogsOf(s);
    HeldSaveFailures held(shown);
    Dialogs* before = s.Dialog;
    s.Dialog = &held;
    struct Step {
        std::string path;
        bool (*save)(SharedState&);
    };
    std::vector<Step> steps = {{s.PigFile, [](SharedState& st) { return SavePig(st); }},
                               {s.CalFile, [](SharedState& st) { return WriteCalFile(st); }},
                               {s.TempFileName, [](SharedState& st) { return WriteTempFile(st); }},
                               {s.DietFile, [](SharedState& st) { return SaveDiets(st, false); }},
                               // The growth model and genotype (written once they differ from the
                               // documented curve a location without the file runs).
                               {GenotypeFilePath(s), [](SharedState& st) { return GenotypeFilePath(st).empty() || SaveGenotypeFile(st); }}};
    if (s.NutrientCount > 0) {
        steps.push_back({s.NutrientRestrictionFile, [](SharedState& st) { return SaveNutrientRestrictions(st, false); }});
        steps.push_back(
            {s.IngredientRestrictionFile, [](SharedState& st) { return SaveIngredientRestrictions(st, false); }});
        steps.push_back({s.MatrixFile, [](SharedState& st) { return SaveMatrix(st, false); }});
    }
    // Every file is written aside first; only when all are written do they
    // take their places, so the location changes as a whole or not at all.
    std::size_t done = 0;
    bool placedAll = false;
    std::vector<std::string> placed, notPlaced;
    std::string commitError;
    {
        LocationSaveBatch batch(s);
        for (; done < steps.size(); ++done)
            if (!steps[done].save(s) && !LeftUnread(s, steps[done].path)) break;
        if (done == steps.size()) placedAll = batch.Commit(placed, notPlaced, commitError);
    }
    s.Dialog = before;
    if (placedAll) {
        if (!s.DietFile.empty()) shown.Message(s.DietFile + " was saved");
        return true;
    }
    if (s.KeepFiles) return false;

    auto titles = [](const std::vector<std::string>& paths) {
        std::string list;
        for (const std::string& p : paths) list += (list.empty() ? "" : ", ") + FileTitle(p);
        return list;
    };
    if (done == steps.size()) {
        // A file could not take its place after all were written: the
        // location now holds new and old files, and the user is told which.
        std::string text = commitError + "\nThe location was saved only in part.";
        if (!placed.empty()) text += "\nNow holding the new figures: " + titles(placed) + ".";
        text += "\nStill holding the old: " + titles(notPlaced) + ".";
        shown.Message(text);
        return false;
    }
    std::string text = held.held.empty() ? "Cannot save " + (steps[done].path.empty() ? std::string("the file") : steps[done].path)
                                         : held.held;
    text += "\nThe location was not saved: none of its files was changed.";
    shown.Message(text);
    return false;
}

void SaveAllToNewLocation(SharedState& s) {
    MainWindow& w = *s.Main;
    Dialogs& dlg = DialogsOf(s);
    const std::string remembered = s.LocationFolder;
    const std::string chosen = dlg.SaveFile(
        "Save Current Data to New Location.  Choose Folder and Filename. Click OK, Do not add ending", "*.*",
        s.LocationFolder, "");
    if (chosen.empty() || chosen == "*.*") return;
    std::string oldName = w.gridFILES.Rows() > 2 ? w.gridFILES.TextMatrix(2, 0) : std::string();
    if (oldName.size() > 4 && oldName != "Not Open") oldName.resize(oldName.size() - 4);
    else oldName = FileTitle(s.LocationBase);
    const std::string target = FolderOf(chosen);
    std::error_code ec;
    fs::create_directories(target, ec);
    std::vector<std::string> failed;
    for (const char* ending : {".pig", ".cal", ".stg", ".dts", "Matrix.txt", "Req.nut", "Req.ing", kSettingsEnding, ".gen"}) {
        const fs::path from = fs::path(remembered) / (oldName + ending);
        if (!fs::exists(from)) continue;
        fs::copy_file(from, fs::path(target) / (oldName + ending), fs::copy_options::overwrite_existing, ec);
        if (ec) failed.push_back(from.string() + ": " + ec.message());
    }
    if (!failed.empty()) {
        std::string text = "Could not copy to " + target + ":";
        for (const auto& f : failed) text += "\n" + f;
        dlg.Message(text);
    }
    s.LocationFolder = remembered;
}

void FilesGridClick(SharedState& s, int row) {
    if (row < 0 || row >= 11) return;
    Dialogs& dlg = DialogsOf(s);
    auto ask = [&](const std::string& text) { return dlg.Ask(text, Buttons::YesNoCancel); };
    switch (row) {
        case 1: {
            const Answer a = ask("Do you want to Save All Data to the existing location?");
            if (a == Answer::Yes) {
                SaveAllToCurrentLocation(s);
            } else if (a == Answer::No) {
                SaveAllToNewLocation(s);
            }
            break;
        }
        case 3: {
            const Answer a = ask("Do you want to Save the Current Diets to the existing location?");
            if (a != Answer::Cancel) SaveDiets(s, a == Answer::No);
            break;
        }
        case 5: {
            const Answer a = ask("Do you want to Save the Current Matrix Data to the existing location?");
            if (a != Answer::Cancel) SaveMatrix(s, a == Answer::No);
            break;
        }
        case 7: {
            const Answer a = ask("Do you want to Save the  Nutrition Restrictions to the existing location?");
            if (a != Answer::Cancel) SaveNutrientRestrictions(s, a == Answer::No);
            break;
        }
        case 9:
            dlg.Message(
                "Click Below to Save Ingredient Restriction to to an Existing or New Location Name and Folder Below");
            break;
        case 10:
            SaveIngredientRestrictions(s, true);
            break;
        default:
            break;
    }
}

}  // namespace tarvisol
