// Random edits of a copy of the demo location (byte-order marks, more
// decimals, doubled carriage returns, short tables, a Windows-1252 name, a
// missing file, missing and empty restriction files, two ingredients of one
// name, an ingredient without a price, a price with its thousands grouped, a
// dotted base name beside the shorter name), then the
// window's commands and the command line's, each with and without its save:
// every file a command was not asked to save keeps every byte, and every
// location file it saved opens again to the tables the session had.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "calibration/CalibrationRun.h"
#include "cli/CalibrateCommand.h"
#include "cli/CompareCommand.h"
#include "cli/DemoCommand.h"
#include "cli/GrowthCommand.h"
#include "cli/LpCommand.h"
#include "cli/MixCommand.h"
#include "cli/OptimiseCommand.h"
#include "cli/PlotCommand.h"
#include "cli/ReportCommand.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "formulation/MatrixEditor.h"
#include "formulation/RestrictionsEditor.h"
#include "growth/GrowthRun.h"
#include "growth/Temperature.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/TextFile.h"
#include "support/DemoLocation.h"
#include "support/LocationSnapshot.h"
#include "ui/ReportExport.h"

using namespace tarvisol;
using tarvisol::testing::ChangedFiles;
using tarvisol::testing::FolderBytes;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::SnapshotFolder;
using tarvisol::testing::Slurp;
using tarvisol::testing::Spit;
namespace fs = std::filesystem;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kSeeds = 7;  // every command once; the sanitizers make each run many times slower
#else
constexpr int kSeeds = 14;  // every command twice, on different edits
#endif
constexpr int kCommandsPerSeed = 3;

const std::vector<std::string> kEndings = {".pig", ".cal", ".stg", ".dts", "Matrix.txt", "Req.ing", "Req.nut"};

// A user who reopens the named location, answers the calibration's save
// question as told, uses a fitted curve that is not saved, says No to every
// other question and keeps the names the file choosers offer.
class UserAnswers : public Dialogs {
public:
    bool saveCalibration = false;
    std::vector<std::string> shown;
    void Message(const std::string& text, const std::string&) override { shown.push_back(text); }
    Answer Ask(const std::string& text, Buttons, const std::string&) override {
        if (text.rfind(kReopenQuestion, 0) == 0) return Answer::Yes;
        if (text.find("Save this Calibration Data Set to ") != std::string::npos)
            return saveCalibration ? Answer::Yes : Answer::No;
        if (text == kUseCurveQuestion) return Answer::Yes;
        return Answer::No;
    }
    std::string Input(const std::string&, const std::string&, const std::string& initial) override { return initial; }
    std::string OpenFile(const std::string&, const std::string&, const std::string&, const std::string& initial) override {
        return initial;
    }
    std::string SaveFile(const std::string&, const std::string&, const std::string&, const std::string& initial) override {
        return initial;
    }
};

// The main window with the location opened as the user opens it.
struct Session {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    UserAnswers dialogs;
    Session(const std::string& program, const std::string& folder, const std::string& name) {
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, program);
        s->LocationFolder = folder;
        w->Text6.Text = name;
        LocationName(*s);
        if (w->Combo1.ListIndex < 1) w->Combo1.ListIndex = s->NutrientCount > 0 ? kFormulationLeastCost : kFormulationGridDiets;
        if (w->ComboSex.ListIndex < 0) w->ComboSex.ListIndex = 0;
    }
};

// Inserts more decimals into one number with a decimal point, picked at random.
void MoreDecimals(std::string& text, std::mt19937& rng) {
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '.' && std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
            std::size_t e = i + 1;
            while (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e]))) ++e;
            ends.push_back(e);
        }
    if (!ends.empty()) text.insert(ends[rng() % ends.size()], "37");
}

std::string FirstLines(const std::string& text, std::size_t n) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < n && at != std::string::npos; ++i) {
        at = text.find('\n', at);
        if (at != std::string::npos) ++at;
    }
    return at == std::string::npos ? text : text.substr(0, at);
}

// A demo copy under `name` in folder, its files edited at random. Returns
// the edits made, for the failure messages.
std::string MakeEditedLocation(const std::string& folder, const std::string& name, std::mt19937& rng) {
    tarvisol::testing::CopyDemoLocation(folder);
    if (name != "Demo") {
        for (const auto& e : kEndings) {
            // The location of the shorter name stays beside it, untouched.
            if (name.find('.') != std::string::npos)
                fs::copy_file(folder + "/Demo" + e, folder + "/" + name.substr(0, name.find('.')) + e);
            fs::rename(folder + "/Demo" + e, folder + "/" + name + e);
        }
    }
    std::string edits = name + ":";
    for (const auto& e : kEndings) {
        if (rng() % 2) continue;
        const std::string path = folder + "/" + name + e;
        std::string text = Slurp(path);
        switch (rng() % 7) {
        case 0:
            text = "\xEF\xBB\xBF" + text;
            edits += " bom" + e;
            break;
        case 1:
            MoreDecimals(text, rng);
            edits += " decimals" + e;
            break;
        case 2:
            for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 3))
                text.insert(at, "\r");
            edits += " crcrlf" + e;
            break;
        case 3:
            if (e == ".cal" || e == ".stg" || e == "Req.ing" || e == "Req.nut") {
                text = FirstLines(text, e == ".cal" ? 2 + rng() % 2 : 10);
                edits += " short" + e;
            } else {
                text = "\xEF\xBB\xBF" + text;
                edits += " bom" + e;
            }
            break;
        case 5:
            if (e == "Req.ing" || e == "Req.nut") {
                if (rng() % 2) {
                    fs::remove(path);
                    edits += " missing" + e;
                    continue;
                }
                text.clear();
                edits += " empty" + e;
            } else if (e == "Matrix.txt") {
                // A copied row: Wheat becomes a second Corn.
                text.replace(text.find("\r\nWheat\r\n") + 2, 5, "Corn");
                edits += " duplicate-name" + e;
            } else {
                text = "\xEF\xBB\xBF" + text;
                edits += " bom" + e;
            }
            break;
        case 6:
            if (e == "Matrix.txt") {
                const bool zero = rng() % 2;
                const std::string from = zero ? "140.00\tCost\tWheat middlings" : "1050.0\tCost\tSoybean oil";
                text.replace(text.find(from), from.find('\t'), zero ? "0" : "1,050.00");
                edits += zero ? " zero-price" + e : " grouped-price" + e;
            } else {
                MoreDecimals(text, rng);
                edits += " decimals" + e;
            }
            break;
        default:
            if (e == "Matrix.txt") {
                text.replace(text.find("\r\nCorn\r\n") + 2, 4, "Ma\xEFs");
                edits += " cp1252-name" + e;
            } else if (e == ".cal" || e == ".stg") {
                fs::remove(path);
                edits += " missing" + e;
                continue;
            } else {
                MoreDecimals(text, rng);
                edits += " decimals" + e;
            }
        }
        Spit(path, text);
    }
    return edits;
}

// A report renderer that writes a small stand-in PDF.
class StandInRenderer : public ReportRenderer {
public:
    bool WritePdf(const ReportDocument&, ReportPage, const std::string& path, std::string& error) override {
        return SaveAtomic(path, "%PDF-1.4 stand-in\n", error);
    }
};

// The tables of the location file with this ending, compared between the
// session that saved it and a fresh opening of the saved location.
void ExpectSameTables(const std::string& e, SharedState& saved, SharedState& again, const std::string& where) {
    SCOPED_TRACE(where + " " + e);
    if (e == ".pig") {
        for (int k = 0; k < 5; ++k) EXPECT_EQ(again.GrowthCurve(0, k), saved.GrowthCurve(0, k)) << "B" << k;
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(again.CalibInputs(i), saved.CalibInputs(i)) << "input " << i;
    } else if (e == ".cal") {
        for (int col = 0; col <= 3; ++col)
            for (int r = 0; r <= 15; ++r)
                ASSERT_EQ(again.CalibWeightTable(col, r), saved.CalibWeightTable(col, r)) << "column " << col << " row " << r;
    } else if (e == ".stg") {
        EXPECT_EQ(again.CalibTemps, saved.CalibTemps);
        EXPECT_EQ(again.TempTable, saved.TempTable);
    } else if (e == ".dts") {
        EXPECT_EQ(DietFileText(again, again.DietCount), DietFileText(saved, saved.DietCount));
    } else if (e == "Req.nut") {
        for (int d = 1; d <= 8; ++d)
            for (int b = 1; b <= 2; ++b)
                for (int k = 1; k <= 121; ++k)
                    ASSERT_EQ(again.NutrientLimits(d, b, k), saved.NutrientLimits(d, b, k)) << d << " " << b << " " << k;
    } else if (e == "Req.ing") {
        for (int d = 1; d <= 8; ++d)
            for (int b = 1; b <= 2; ++b)
                for (int i = 1; i <= 100; ++i)
                    ASSERT_EQ(again.IngredientLimits(d, b, i), saved.IngredientLimits(d, b, i)) << d << " " << b << " " << i;
    } else if (e == "Matrix.txt") {
        ASSERT_EQ(again.IngredientCount, saved.IngredientCount);
        ASSERT_EQ(again.NutrientCount, saved.NutrientCount);
        for (int i = 1; i <= saved.IngredientCount; ++i) {
            EXPECT_EQ(again.IngredientNames(i), saved.IngredientNames(i)) << i;
            EXPECT_EQ(again.IngredientPrices(i), saved.IngredientPrices(i)) << i;
            for (int c = 1; c <= saved.NutrientCount + 1 && c <= 121; ++c)
                ASSERT_EQ(again.IngredientMatrix(c, i), saved.IngredientMatrix(c, i)) << c << " " << i;
        }
        // The file names the columns from the first nutrient on; the weight
        // column's label is the program's own.
        for (int c = 2; c <= saved.NutrientCount + 1 && c <= 121; ++c)
            EXPECT_EQ(again.NutrientNames(c), saved.NutrientNames(c)) << c;
    }
}

enum Command {
    WindowGrowth,
    WindowRunLp,
    WindowCalibrateSave,
    WindowCalibrateNoSave,
    WindowSaveAllUnchanged,
    WindowSaveAllEdited,
    WindowSaveTheDiets,
    MatrixEditorSave,
    RestrictionsEditorSave,
    TemperatureWindowSave,
    CliLp,
    CliMix,
    CliGrowth,
    CliGrowthKeep,
    CliCalibrate,
    CliCalibrateSave,
    CliOptimise,
    CliPlot,
    CliCompare,
    CliReport,
    CliDemo,
    kCommands
};

const char* const kCommandNames[] = {"Growth",
                                     "Run LP",
                                     "calibration, Yes to save",
                                     "calibration, No to save",
                                     "save-all of the location as opened",
                                     "save-all after an edit",
                                     "Save the Diets",
                                     "matrix editor's save",
                                     "restrictions editor's saves",
                                     "temperature window's save",
                                     "lp",
                                     "mix",
                                     "growth",
                                     "growth --keep --daily-csv",
                                     "calibrate",
                                     "calibrate --save",
                                     "optimise",
                                     "plot",
                                     "growth --keep twice, compare with or without --xlsx",
                                     "report --pdf --xlsx",
                                     "demo"};
static_assert(sizeof kCommandNames / sizeof kCommandNames[0] == kCommands);

class UnaskedWrites : public ::testing::Test {
protected:
    ScratchFolder folder, program;
    std::string name;
    std::string Path(const std::string& e) const { return folder.File(name + e); }
    std::string Relative(const std::string& path) const { return fs::relative(path, folder.Str()).string(); }

    // Runs one command; returns the files (relative to the folder) it was
    // asked to write. `session` is the window it ran in, when it ran in one.
    std::set<std::string> Run(Command c, std::mt19937& rng, std::unique_ptr<Session>& session, nlohmann::json& report) {
        std::set<std::string> all;
        for (const auto& e : kEndings) all.insert(name + e);
        const std::string location = Path("");
        auto open = [&] { session = std::make_unique<Session>(program.Str(), folder.Str(), name); };
        // A number with more decimals than the layout writes, in a file the
        // command is about to save: the save must keep them.
        auto sharpen = [&](const std::string& e) {
            if (!fs::exists(Path(e))) return;
            std::string text = Slurp(Path(e));
            MoreDecimals(text, rng);
            Spit(Path(e), text);
        };
        switch (c) {
        case WindowGrowth:
            open();
            Growth(*session->s);
            return {};
        case WindowRunLp:
            open();
            RunLp(*session->s);
            return {};
        case WindowCalibrateSave:
        case WindowCalibrateNoSave: {
            if (c == WindowCalibrateSave) sharpen(".cal");
            open();
            session->dialogs.saveCalibration = c == WindowCalibrateSave;
            CalibrationWindow form;
            CalibrationCommand(*session->s, form);
            if (form.Visible) ContinueCalibration(*session->s, form);
            // "Continue Calibration" keeps the measured table in the .cal either way.
            return c == WindowCalibrateSave ? all : std::set<std::string>{name + ".cal"};
        }
        case WindowSaveAllUnchanged:
            open();
            SaveAllToCurrentLocation(*session->s);
            return {};
        case WindowSaveAllEdited: {
            const int pick = static_cast<int>(rng() % 3);
            sharpen(pick == 0 ? ".pig" : pick == 1 ? "Matrix.txt" : "Req.ing");
            open();
            SharedState& s = *session->s;
            std::set<std::string> asked;
            if (pick == 0 || s.IngredientCount < 2) {
                session->w->Text3.Text = "118.5";
                asked.insert(name + ".pig");
            } else if (pick == 1) {
                s.IngredientPrices(2) = 301.25;
                asked.insert(name + "Matrix.txt");
            } else {
                s.IngredientLimits(1, 2, 2) = 37.5;
                asked.insert(name + "Req.ing");
            }
            SaveAllToCurrentLocation(s);
            return asked;
        }
        case WindowSaveTheDiets:
            for (const char* e : {"Req.ing", "Req.nut", "Matrix.txt"}) sharpen(e);
            open();
            RunLp(*session->s);
            SaveTheDiets(*session->s);
            return {name + ".dts", name + "Req.ing", name + "Req.nut", name + "Matrix.txt"};
        case MatrixEditorSave: {
            sharpen("Matrix.txt");
            open();
            MatrixEditorWindow editor;
            LoadMatrixEditor(*session->s, editor);
            if (editor.GridMatrix.Rows() > 1 && editor.GridMatrix.Cols() > 1) editor.GridMatrix.SetTextMatrix(1, 1, "199.75");
            SaveMatrixEditor(*session->s, editor);
            return {name + "Matrix.txt"};
        }
        case RestrictionsEditorSave: {
            sharpen("Req.ing");
            sharpen("Req.nut");
            open();
            RestrictionsWindow editor;
            LoadRestrictionsWindow(*session->s, editor);
            SaveIngredientsToFile(*session->s, editor);
            SaveNutrientsToFile(*session->s, editor);
            return {name + "Req.ing", name + "Req.nut"};
        }
        case TemperatureWindowSave: {
            sharpen(".stg");
            open();
            TemperatureWindow t;
            ShowTemperatureWindow(*session->s, t);
            t.GridTemps.SetTextMatrix(2, 2, "18.5");
            TempWindowSave(*session->s, t);
            return {name + ".stg"};
        }
        case CliLp:
            report = cli::RunLpCommand({location, true, rng() % 2 == 0}, nullptr);
            return {};
        case CliMix: {
            cli::MixArgs a;
            a.location = location;
            a.diet = 1 + static_cast<int>(rng() % 4);
            report = cli::RunMixCommand(a, nullptr);
            return {};
        }
        case CliGrowth: {
            cli::GrowthArgs a;
            a.location = location;
            a.yes = rng() % 2 == 0;
            report = cli::RunGrowthCommand(a, nullptr);
            return {};
        }
        case CliGrowthKeep: {
            cli::GrowthArgs a;
            a.location = location;
            a.keep = "Kept \xC3\xA9t\xC3\xA9";
            a.dailyCsv = folder.File("days.csv");
            report = cli::RunGrowthCommand(a, nullptr);
            std::set<std::string> asked = {"days.csv"};
            if (report.contains("runs_file") && report["runs_file"].is_string())
                asked.insert(Relative(report["runs_file"].get<std::string>()));
            return asked;
        }
        case CliCalibrate:
        case CliCalibrateSave: {
            cli::CalibrateArgs a;
            a.location = location;
            a.save = c == CliCalibrateSave;
            if (a.save) sharpen(".cal");
            report = cli::RunCalibrateCommand(a, nullptr);
            return a.save ? all : std::set<std::string>{};
        }
        case CliOptimise: {
            cli::OptimiseArgs a;
            a.location = location;
            a.feedWeightsOnly = true;
            report = cli::RunOptimiseCommand(a, nullptr);
            if (report.contains("result_file") && report["result_file"].is_string() &&
                !report["result_file"].get<std::string>().empty())
                return {Relative(report["result_file"].get<std::string>())};
            return {};
        }
        case CliPlot: {
            cli::PlotArgs a;
            a.location = location;
            report = cli::RunPlotCommand(a, nullptr);
            std::set<std::string> asked;
            for (const char* key : {"diet_plot_file", "plot_file"})
                if (report.contains(key) && report[key].is_string()) asked.insert(Relative(report[key].get<std::string>()));
            return asked;
        }
        case CliCompare: {
            // Two kept runs to compare, kept as `growth --keep` keeps them.
            const bool workbook = rng() % 2 == 0;
            std::set<std::string> asked;
            if (workbook) asked.insert("compare.xlsx");
            for (const char* kept : {"First", "Second"}) {
                cli::GrowthArgs g;
                g.location = location;
                g.keep = kept;
                g.pigs = kept[0] == 'F' ? 100 : 250;
                const nlohmann::json grown = cli::RunGrowthCommand(g, nullptr);
                if (grown.contains("runs_file") && grown["runs_file"].is_string())
                    asked.insert(Relative(grown["runs_file"].get<std::string>()));
            }
            cli::CompareArgs a;
            a.location = location;
            if (workbook) a.xlsx = folder.File("compare.xlsx");
            report = cli::RunCompareCommand(a, nullptr);
            return asked;
        }
        case CliReport: {
            cli::ReportArgs a;
            a.growth.location = location;
            a.pdf = folder.File("report.pdf");
            a.xlsx = folder.File("report.xlsx");
            a.date = "2026-03-14";
            StandInRenderer renderer;
            report = cli::RunReportCommand(a, &renderer, nullptr);
            return {"report.pdf", "report.xlsx"};
        }
        case CliDemo: {
            std::ostringstream out, err;
            const std::string programDir = (fs::path(TARVISOL_SOURCE_DIR) / "build/any/src").string();
            cli::RunDemoCommand({folder.Str()}, programDir, out, err);
            std::set<std::string> asked;
            for (const auto& e : fs::directory_iterator(fs::path(TARVISOL_SOURCE_DIR) / "examples" / "demo"))
                asked.insert("Tarvisol Demo/" + e.path().filename().string());
            return asked;
        }
        case kCommands:
            break;
        }
        return {};
    }
};

TEST_F(UnaskedWrites, EveryCommandWritesOnlyWhatItWasAskedToSave) {
    std::set<int> wrote;    // the commands that wrote something
    std::set<int> refused;  // the commands the location refused every time (nothing to write)
    for (int seed = 1; seed <= kSeeds; ++seed) {
        std::mt19937 rng(static_cast<std::mt19937::result_type>(seed * 7919));
        std::vector<fs::path> left;
        for (const auto& e : fs::directory_iterator(folder.Str())) left.push_back(e.path());
        for (const auto& p : left) fs::remove_all(p);
        name = seed % 3 == 0 ? "Herd.v2" : (seed % 3 == 1 ? "Demo" : "Finisher");
        const std::string edits = MakeEditedLocation(folder.Str(), name, rng);
        for (int k = 0; k < kCommandsPerSeed; ++k) {
            const Command c = static_cast<Command>(((seed - 1) * kCommandsPerSeed + k) % kCommands);
            const std::string where = "seed " + std::to_string(seed) + " (" + edits + "), " + kCommandNames[c];
            SCOPED_TRACE(where);
            const FolderBytes before = SnapshotFolder(folder.Str());
            std::unique_ptr<Session> session;
            nlohmann::json report;
            const std::set<std::string> asked = Run(c, rng, session, report);
            const FolderBytes after = SnapshotFolder(folder.Str());
            std::set<std::string> savedLocationFiles;
            if (!ChangedFiles(before, after).empty()) wrote.insert(c);
            // A hostile location may refuse a Growth run outright (an amino
            // acid far short, say): it keeps nothing and says why.
            if (c == CliGrowthKeep && !report.value("ran", true)) refused.insert(c);
            for (const std::string& f : ChangedFiles(before, after)) {
                EXPECT_TRUE(asked.count(f)) << f << " changed, created or removed without being asked to save";
                for (const auto& e : kEndings)
                    if (f == name + e && after.count(f)) savedLocationFiles.insert(e);
            }
            if (savedLocationFiles.empty()) continue;
            // What was saved opens again as the session had it, and the
            // opened location has nothing left to save.
            Session again(program.Str(), folder.Str(), name);
            for (const std::string& e : savedLocationFiles) {
                // The calibration grows the fitted curve once more after its
                // save, which sets the last diet's feed allotment anew.
                if (session && !(c == WindowCalibrateSave && e == ".dts")) ExpectSameTables(e, *session->s, *again.s, where);
            }
            EXPECT_EQ(UnsavedLocationFiles(*again.s), std::vector<std::string>{});
            if (c == CliCalibrateSave && report.value("saved", false)) {
                for (int b = 0; b < 5; ++b) EXPECT_EQ(again.s->GrowthCurve(0, b), report["curve"][b].get<double>()) << "B" << b;
            }
        }
    }
    // The saves asked for did run: a command that writes nothing would pass the above.
    for (Command c : {WindowCalibrateSave, WindowSaveAllEdited, MatrixEditorSave, TemperatureWindowSave, CliGrowthKeep,
                      CliCalibrateSave, CliCompare, CliReport, CliDemo})
        EXPECT_TRUE(wrote.count(c) || refused.count(c)) << kCommandNames[c] << " wrote nothing";
}

}  // namespace
