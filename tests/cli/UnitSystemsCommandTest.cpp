// The demo location kept in pounds, kcal per pound and price per short ton
// (every weight, energy and price of its files converted) runs through the
// commands as the metric demo does: the same formulas, growth, fitted curve
// and optimum, shown in the location's units.
#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/CalibrateCommand.h"
#include "cli/CliArgs.h"
#include "cli/ConsoleDialogs.h"
#include "cli/GrowthCommand.h"
#include "cli/LpCommand.h"
#include "cli/OpenLocation.h"
#include "cli/OptimiseCommand.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "optimisation/PlotSweep.h"
#include "shared/MainWindowForm.h"
#include "location/ScratchFolder.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"
#include "shared/Units.h"
#include "support/DemoLocation.h"

namespace tarvisol {
namespace {
namespace fs = std::filesystem;
using testing::Slurp;
using testing::Spit;

constexpr int kLb = 1, kKcalPerLb = 1, kPerShortTon = 3;
double Pounds(double kg) { return kg / WeightFactor(kLb); }
double PerPound(double perKg) { return perKg / EnergyFactor(kKcalPerLb); }
double PerShortTon(double perTonne) { return perTonne * PriceFactor(1) / PriceFactor(kPerShortTon); }

std::string Exact(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Rewrites each line of a file; field(i) of a TAB line is replaced by f.
void EachLine(const std::string& path, const std::function<std::string(const std::string&)>& f) {
    std::string out;
    for (const std::string& line : SplitLines(Slurp(path))) out += f(line) + "\r\n";
    Spit(path, out);
}
std::string WithField(const std::string& line, std::size_t i, const std::function<double(double)>& f) {
    std::vector<std::string> fields = SplitTabs(line);
    fields[i] = Exact(f(Val(fields[i])));
    std::string out;
    for (std::size_t k = 0; k < fields.size(); ++k) out += (k ? "\t" : "") + fields[k];
    return out;
}

// The demo's files with every weight, energy and price in the imperial units.
void ToImperial(const std::string& base) {
    std::vector<std::string> pig = SplitLines(Slurp(base + ".pig"));
    for (int line : {5, 7, 8}) pig[line] = Exact(Pounds(Val(pig[line])));  // start, final weight, total feed
    pig[12] = " 1 ";
    pig[13] = " 3 ";
    pig[11] = " 1 " + pig[11].substr(pig[11].find('\t'));
    Spit(base + ".pig", JoinCrlf(pig));
    EachLine(base + ".cal", [](const std::string& l) { return WithField(WithField(l, 1, Pounds), 2, Pounds); });
    EachLine(base + ".dts", [](const std::string& l) {
        if (l.rfind("Feed Cost\t", 0) == 0) return WithField(l, 1, PerShortTon);
        if (l.rfind("Feed Weight\t", 0) == 0) return WithField(l, 1, Pounds);
        if (l.rfind("NET ENERGY (NE)\t", 0) == 0) return WithField(l, 1, PerPound);
        return l;
    });
    EachLine(base + "Matrix.txt", [](const std::string& l) {
        if (l.find("\tCost\t") != std::string::npos) return WithField(l, 0, PerShortTon);
        if (l.find("\tNET ENERGY (NE)\t") != std::string::npos) return WithField(l, 0, PerPound);
        return l;
    });
    EachLine(base + "Req.nut", [](const std::string& l) {
        const std::vector<std::string> f = SplitTabs(l);
        if (f.size() < 4 || Val(f[1]) != 1) return l;
        return WithField(WithField(l, 2, PerPound), 3, PerPound);
    });
}

// The herd's weights and feed in the boxes and the measured table are shown
// to four digits: these are whole in both systems (26 kg is 57.33 lb, 120 kg
// 264.6 lb), so what the boxes show is the herd itself in either.
void RoundHerd(const std::string& base) {
    std::vector<std::string> pig = SplitLines(Slurp(base + ".pig"));
    pig[5] = "26.00";
    pig[7] = "120.0";
    pig[8] = "260.0";
    Spit(base + ".pig", JoinCrlf(pig));
    Spit(base + ".cal", "63\t26\t0\r\n94\t40\t60\r\n120\t80\t100\r\n146\t100\t60\r\n165\t120\t40\r\n");
}

struct BothUnitSystems : ::testing::Test {
    testing::ScratchFolder metricFolder, imperialFolder;
    std::string metric = metricFolder.File("Demo"), imperial = imperialFolder.File("Demo");
    void SetUp() override {
        testing::CopyDemoLocation(metricFolder.Str());
        testing::CopyDemoLocation(imperialFolder.Str());
        RoundHerd(metric);
        RoundHerd(imperial);
        ToImperial(imperial);
    }
};

double Rel(double a) { return 1e-7 * (1 + std::abs(a)); }

TEST_F(BothUnitSystems, RunLpGivesTheSameFormulas) {
    cli::LpArgs a, b;
    a.location = metric;
    b.location = imperial;
    const auto m = cli::RunLpCommand(a, nullptr), i = cli::RunLpCommand(b, nullptr);
    ASSERT_EQ(m["diets"].size(), 4u);
    ASSERT_EQ(i["diets"].size(), 4u);
    for (std::size_t d = 0; d < 4; ++d) {
        ASSERT_TRUE(m["diets"][d]["feasible"].get<bool>());
        ASSERT_TRUE(i["diets"][d]["feasible"].get<bool>()) << i["diets"][d].dump();
        const auto &mf = m["diets"][d]["formula"], &imf = i["diets"][d]["formula"];
        ASSERT_EQ(imf.size(), mf.size());
        for (std::size_t n = 0; n < mf.size(); ++n)
            EXPECT_NEAR(imf[n]["percent"].get<double>(), mf[n]["percent"].get<double>(), Rel(mf[n]["percent"].get<double>()))
                << mf[n]["name"];
        const double price = m["diets"][d]["price"].get<double>();
        EXPECT_NEAR(i["diets"][d]["price"].get<double>(), PerShortTon(price), Rel(price));
    }
}

TEST_F(BothUnitSystems, GrowthOnTheDietsOfTheGridGrowsTheSamePig) {
    cli::GrowthArgs a, b;
    a.location = metric;
    b.location = imperial;
    a.formulation = b.formulation = 2;
    const auto m = cli::RunGrowthCommand(a, nullptr), i = cli::RunGrowthCommand(b, nullptr);
    ASSERT_TRUE(m["ran"].get<bool>()) << m.dump();
    ASSERT_TRUE(i["ran"].get<bool>()) << i.dump();
    EXPECT_EQ(i["weight_unit"], "Lbs.");
    // The grid shows the diets' energies to four digits, 1100 kcal/lb for
    // 2425 kcal/kg (2425.5): the pig eats up to 0.05 % less, no more.
    const double energy = 5e-4;
    EXPECT_NEAR(i["final_age"].get<double>(), m["final_age"].get<double>(), 1e-6);
    const double cost = m["cost_per_pig"].get<double>(), feed = Pounds(m["total_feed"].get<double>());
    EXPECT_NEAR(i["cost_per_pig"].get<double>(), cost, 0.006 + energy * cost);
    EXPECT_NEAR(i["feed_gain"].get<double>(), m["feed_gain"].get<double>(), 0.0006 + energy * 3);
    EXPECT_NEAR(i["total_feed"].get<double>(), feed, 0.06 + energy * feed);
}

// The fit works on the measured herd in kilograms whatever the units: the
// same curve; the run grown on it shows the herd's figures to the boxes'
// four digits.
TEST_F(BothUnitSystems, CalibrationFitsTheSameCurve) {
    cli::CalibrateArgs a, b;
    a.location = metric;
    b.location = imperial;
    const auto m = cli::RunCalibrateCommand(a, nullptr), i = cli::RunCalibrateCommand(b, nullptr);
    ASSERT_TRUE(m["ran"].get<bool>()) << m.dump();
    ASSERT_TRUE(i["ran"].get<bool>()) << i.dump();
    EXPECT_EQ(i["growth_runs"], m["growth_runs"]);
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_NEAR(i["curve"][k].get<double>(), m["curve"][k].get<double>(), Rel(m["curve"][k].get<double>())) << k;
    EXPECT_NEAR(i["final_age"].get<double>(), m["final_age"].get<double>(), 0.01);
    EXPECT_NEAR(i["total_feed"].get<double>() * WeightFactor(kLb), m["total_feed"].get<double>(), 0.1);
}

// Feed weights only: the search moves the same allotments from the same
// programme. Each system starts from the diets' energies as its own grid
// shows them (four digits: 1100 kcal/lb is not 2425 kcal/kg exactly), so the
// optimum agrees to a fraction of a percent, not to the cent.
TEST_F(BothUnitSystems, OptimisationFindsTheSameOptimum) {
    cli::OptimiseArgs a, b;
    a.location = metric;
    b.location = imperial;
    a.feedWeightsOnly = b.feedWeightsOnly = true;
    const auto m = cli::RunOptimiseCommand(a, nullptr), i = cli::RunOptimiseCommand(b, nullptr);
    ASSERT_TRUE(m["ran"].get<bool>()) << m.dump();
    ASSERT_TRUE(i["ran"].get<bool>()) << i.dump();
    EXPECT_EQ(i["weight_unit"], "Lbs.");
    const double before = m["cost_per_pig_before"].get<double>();
    EXPECT_NEAR(i["cost_per_pig_before"].get<double>(), before, 0.006 + 5e-4 * before);
    const double after = m["cost_per_pig_after"].get<double>();
    EXPECT_NEAR(i["cost_per_pig_after"].get<double>(), after, 0.01 * after);
    double metricFeed = 0, imperialFeed = 0;
    ASSERT_EQ(i["diets"].size(), m["diets"].size());
    for (std::size_t d = 0; d < m["diets"].size(); ++d) {
        metricFeed += m["diets"][d]["optimum"]["feed_weight"].get<double>();
        imperialFeed += i["diets"][d]["optimum"]["feed_weight"].get<double>() * WeightFactor(kLb);
    }
    EXPECT_NEAR(imperialFeed, metricFeed, 0.01 * metricFeed);
}

// A location opened as `plot` opens it, grown on its least-cost diets and
// swept by Plot Diets.
struct Swept {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    cli::ConsoleDialogs dialogs{nullptr, Answer::No};
    bool finished = false;
    explicit Swept(const std::string& location) {
        dialogs.Preset(kReopenQuestion, Answer::Yes);
        dialogs.Preset(kPlotQuestion, Answer::Yes);
        s->Main = w.get();
        s->Dialog = &dialogs;
        cli::OpenLocationAsUser(*s, location);
        cli::ChooseMissingProgramme(*s);
        if (Growth(*s) != GrowthOutcome::Results) return;
        finished = PlotDiets(*s).finished;
    }
};

// The sweep steps energy in the unit shown (10 kcal/lb is not 20 kcal/kg),
// so the two systems share each diet's line at its own energy: there every
// lysine or protein level formulates, grows and prices the same pig, and the
// cost per pig is money in either system. The diets not swept enter as the
// grid shows them, to four digits, as they do in Growth: feed per gain, age
// and cost agree to 1e-5, not to the last digit. The loin is measured in
// square inches and inches in the pound system, and the file says so.
TEST_F(BothUnitSystems, PlotDietsSweepsTheSamePigsAtEachDietsOwnEnergy) {
    const Swept m(metric), i(imperial);
    ASSERT_TRUE(m.finished) << (m.dialogs.Shown().empty() ? "" : m.dialogs.Shown().back());
    ASSERT_TRUE(i.finished) << (i.dialogs.Shown().empty() ? "" : i.dialogs.Shown().back());
    ASSERT_EQ(i.s->SweepDietCount, m.s->SweepDietCount);
    ASSERT_EQ(i.s->RatioToLysine, m.s->RatioToLysine);
    const int level = m.s->RatioToLysine ? kSweepLysine : kSweepProtein;
    const int c = kSweepCentre;
    for (int d = 1; d <= m.s->SweepDietCount; ++d) {
        SCOPED_TRACE(d);
        const double kcal = m.s->SweepValues(d, c, kSweepEnergy);
        EXPECT_NEAR(i.s->SweepValues(d, c, kSweepEnergy) * EnergyFactor(kKcalPerLb), kcal, Rel(kcal));
        EXPECT_NEAR(i.s->SweepValues(d, c + 1, kSweepEnergy) - i.s->SweepValues(d, c, kSweepEnergy), 10, 1e-9);
        int feasible = 0;
        for (int l = 0; l < kSweepSteps; ++l) {
            EXPECT_NEAR(i.s->SweepValues(d, l, level), m.s->SweepValues(d, l, level), Rel(m.s->SweepValues(d, l, level)));
            if (m.s->SweepResults(kSweepFeedGain, d, c, l) != kSweepInfeasible) ++feasible;
            for (int f = kSweepFeedGain; f <= kSweepLoinDepth; ++f) {
                const double v = m.s->SweepResults(f, d, c, l) * (f == kSweepLoinArea    ? 0.155
                                                                  : f == kSweepLoinDepth ? 0.3937
                                                                                         : 1.0);
                EXPECT_NEAR(i.s->SweepResults(f, d, c, l), v, f <= kSweepCost ? 1e-5 * v : Rel(v))
                    << "level step " << l << ", field " << f;
            }
        }
        EXPECT_GT(feasible, 10);
    }
    const auto heading = [](const Swept& x) { return SplitLines(Slurp((fs::path(x.s->LocationFolder) / kDietPlotFile).string()))[0]; };
    EXPECT_NE(heading(m).find("\tLongissimus Area sq cm.\t"), std::string::npos);
    EXPECT_NE(heading(i).find("\tLongissimus Area sq in.\t"), std::string::npos);
}

}  // namespace
}  // namespace tarvisol
