// The demo herd's settings and temperature files are the ones our own writers
// produce. Run with TARVISOL_WRITE_DEMO=1 to (re)write them into examples/demo.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <vector>
#include <memory>
#include <string>

#include "growth/Temperature.h"
#include "location/LocationFiles.h"
#include "location/PigFile.h"
#include "location/ScratchFolder.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoAfterGrowth.h"

using namespace tarvisol;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;

namespace {

const std::string kDemoFolder = std::string(TARVISOL_SOURCE_DIR) + "/examples/demo";

// The growth curve the calibration fits to the demo herd's measured table
// (Demo.cal) on the least-cost demo diets, to seven significant digits: a
// mature weight B0 e^B2 of about 244 kg. The fit started from the earlier
// demo's curve (1.51, 0.976108, 5.672965, 0.006047, 1.046208) ends here.
constexpr double kDemoCurve[5] = {2.81, 0.976108, 4.463453, 0.00725028, 0.911863};

// A modern grow-finish herd: 25 kg at 63 days to 125 kg at 163 days on
// 254 kg of feed, mixed barrows and gilts, metric units, its calibrated curve.
void DemoHerd(SharedState& s) {
    for (int k = 0; k < 5; ++k) s.GrowthCurve(0, k) = kDemoCurve[k];
    const double inputs[6] = {0, 25, 63, 125, 254, 163};
    for (int i = 1; i <= 5; ++i) s.CalibInputs(i) = inputs[i];
    s.HerdSex = 0;
    s.EnergyUnit() = 0;
    s.WeightUnit() = 0;
    s.PriceUnit() = 1;
}

// The house temperatures typed into the window: warm for the growers, cooler
// towards finishing; the future batch is planned a little cooler.
void TypeDemoTemperatures(TemperatureWindow& w) {
    static const char* calib[20] = {"22", "21.8", "21.6", "21.4", "21.2", "21", "20.8", "20.6", "20.4", "20.2",
                                    "20", "19.8", "19.6", "19.4", "19.2", "19", "18.8", "18.6", "18.4", "18.2"};
    static const char* future[20] = {"21.5", "21.5", "21", "21", "20.5", "20.5", "20", "20", "19.5", "19.5",
                                     "19", "19", "18.5", "18.5", "18", "18", "17.5", "17.5", "17", "17"};
    for (int i = 1; i <= 20; ++i) {
        w.GridTemps.SetTextMatrix(i, 1, calib[i - 1]);
        w.GridTemps.SetTextMatrix(i, 2, future[i - 1]);
    }
}

void WriteDemo(const std::string& folder, ScriptedDialogs& dialogs) {
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    s->Dialog = &dialogs;
    s->LocationFolder = folder;
    SetLocationFiles(*s, "Demo");
    DemoHerd(*s);
    ASSERT_TRUE(SavePigTo(*s, s->PigFile));
    form->Text2.Text = "63";
    TemperatureWindow w;
    ShowTemperatureWindow(*s, w);
    TypeDemoTemperatures(w);
    TempWindowSave(*s, w);
    ASSERT_TRUE(dialogs.Log().empty());
}

TEST(DemoFiles, AreWhatTheWritersProduce) {
    ScriptedDialogs dialogs;
    if (const char* write = std::getenv("TARVISOL_WRITE_DEMO"); write && std::string(write) == "1") {
        WriteDemo(kDemoFolder, dialogs);
        return;
    }
    ScratchFolder scratch;
    WriteDemo(scratch.Str(), dialogs);
    EXPECT_EQ(Slurp(scratch.File("Demo.pig")), Slurp(kDemoFolder + "/Demo.pig"));
    EXPECT_EQ(Slurp(scratch.File("Demo.stg")), Slurp(kDemoFolder + "/Demo.stg"));
}

TEST(DemoFiles, OpenWithoutAMessage) {
    ScriptedDialogs dialogs;
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    s->Dialog = &dialogs;
    s->LocationFolder = kDemoFolder;
    SetLocationFiles(*s, "Demo");
    ASSERT_TRUE(ReadPig(*s));
    ASSERT_TRUE(ReadTempFile(*s));
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(s->GrowthCurve(0, 3), kDemoCurve[3]);
    EXPECT_EQ(s->CalibInputs(2), 63);
    EXPECT_EQ(s->HerdSex, 0);
    EXPECT_EQ(s->PriceUnit(), 1);
    EXPECT_EQ(s->TempTable(0), 63);
    EXPECT_EQ(s->CalibTemps(0), 63);
    EXPECT_EQ(s->CalibTemps(1), 22);
    EXPECT_EQ(s->TempTable(20), 17);
}

// The guide's table of the demo's limits is what the demo's files hold: each
// figure within half a unit of its last decimal, for every diet, from the
// energy minimum to the DDGS maximum.
TEST(DemoFiles, TheGuidesTableOfTheDemosLimitsIsTheDemosFiles) {
    tarvisol::testing::DemoAfterGrowth demo(kFormulationLeastCost);
    const SharedState& s = *demo.s;
    std::istringstream guide(Slurp(std::string(TARVISOL_SOURCE_DIR) + "/docs/guide.md"));
    // The columns: a nutrient's minimum (or minimum-maximum), then the DDGS maximum.
    const int nutrients[] = {1, 2, 5, 11, 9, 6, 14, 13, 15, 16};
    int ddgs = 0;
    for (int i = 1; i <= s.IngredientCount; ++i)
        if (s.IngredientNames(i) == "Corn DDGS") ddgs = i;
    ASSERT_GT(ddgs, 0);
    const auto near = [](const std::string& cell, double file, const std::string& what) {
        const std::size_t point = cell.find('.');
        const int decimals = point == std::string::npos ? 0 : static_cast<int>(cell.size() - point - 1);
        EXPECT_NEAR(std::stod(cell), file, 0.5 * std::pow(10.0, -decimals) + 1e-9) << what << ": the guide says " << cell;
    };
    std::string line;
    bool inTable = false;
    int diet = 0;
    while (std::getline(guide, line)) {
        if (line.rfind("| Diet | NE | CP | SID Lys", 0) == 0) {
            inTable = true;
            continue;
        }
        if (!inTable || line.rfind("|---", 0) == 0) continue;
        if (line.rfind("| ", 0) != 0) break;
        std::vector<std::string> cells;
        for (std::size_t at = 1, next; (next = line.find(" |", at)) != std::string::npos; at = next + 2)
            cells.push_back(line.substr(line.find_first_not_of(' ', at), next - line.find_first_not_of(' ', at)));
        ++diet;
        ASSERT_EQ(cells.size(), 12u) << line;
        EXPECT_EQ(cells[0], demo.w->Griddiets.TextMatrix(1, diet));
        for (std::size_t c = 0; c < std::size(nutrients); ++c) {
            const int k = nutrients[c];
            const std::string& cell = cells[c + 1];
            const std::string what = cells[0] + ", nutrient " + std::to_string(k);
            const std::size_t dash = cell.find("\xE2\x80\x93");  // an en dash between minimum and maximum
            near(cell.substr(0, dash), s.NutrientLimits(diet, 1, k), what + " minimum");
            if (dash != std::string::npos) near(cell.substr(dash + 3), s.NutrientLimits(diet, 2, k), what + " maximum");
            else EXPECT_EQ(s.NutrientLimits(diet, 2, k), 0) << what << " has a maximum the guide does not give";
        }
        near(cells[11], s.IngredientLimits(diet, 2, ddgs), cells[0] + ", DDGS maximum");
    }
    EXPECT_EQ(diet, s.DietCount);
}

}  // namespace
