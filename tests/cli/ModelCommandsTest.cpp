// The commands that grow, on both growth models of a copy of the demo: the
// documented curve keeps its figures, the nutrient-response model's are its
// own and each command says which model grew the pig; a run repeats in the
// same process, a herd on any number of threads, a kept run keeps its model.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/CliArgs.h"
#include "cli/CompareCommand.h"
#include "cli/GrowthCommand.h"
#include "cli/HerdCommand.h"
#include "cli/MarketCommand.h"
#include "cli/PlotCommand.h"
#include "cli/RequirementsCommand.h"
#include "location/ScratchFolder.h"
#include "response/GenotypePresets.h"
#include "response/GenotypeText.h"
#include "shared/TextFile.h"
#include "support/DemoLocation.h"

namespace tarvisol::cli {
namespace {
namespace fs = std::filesystem;

struct DemoCopy {
    testing::ScratchFolder folder;
    DemoCopy() { testing::CopyDemoLocation(fs::path(folder.Str())); }
    std::string Location() const { return folder.File("Demo"); }
};

GrowthArgs GrowthOf(const DemoCopy& demo, const char* model) {
    GrowthArgs a;
    a.location = demo.Location();
    a.formulation = 1;
    if (model) a.model.model = model;
    return a;
}

std::string Text(const nlohmann::json& r, void (*print)(const nlohmann::json&, std::ostream&)) {
    std::ostringstream out;
    print(r, out);
    return out.str();
}

// Every command that grows takes the model, the genotype and the sex.
TEST(ModelCommands, EveryCommandThatGrowsTakesTheModelGenotypeAndSex) {
    for (const char* command : {"requirements", "market", "herd", "optimise", "plot"}) {
        std::vector<std::string> words{"tarvisol-cli", command, "loc/Demo", "--model", "response",
                                       "--genotype", "commercial", "--sex", "gilts"};
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        int code = -1;
        const auto req = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), code);
        ASSERT_TRUE(req) << command;
        const auto check = [&](const ModelArgs& m, const std::optional<int>& sex) {
            EXPECT_EQ(m.model, std::optional<std::string>("response")) << command;
            EXPECT_EQ(m.genotype, std::optional<std::string>("commercial")) << command;
            EXPECT_EQ(sex, std::optional<int>(2)) << command;
        };
        const std::string c = command;
        if (c == "requirements") check(req->requirements.model, req->requirements.sex);
        if (c == "market") check(req->market.model, req->market.sex);
        if (c == "herd") check(req->herd.model, req->herd.sex);
        if (c == "optimise") check(req->optimise.model, req->optimise.sex);
        if (c == "plot") check(req->plot.model, req->plot.sex);
    }
}

// A location whose genotype file chooses the response model runs it without a flag.
TEST(ModelCommands, ALocationsGenotypeFileChoosesTheModelOfEveryCommand) {
    DemoCopy demo;
    GrowthModelChoice choice;
    choice.Kind = GrowthModelKind::Response;
    choice.Pig = response::FindGenotypePreset("commercial")->Pig;
    std::string error;
    ASSERT_TRUE(SaveAtomic(demo.Location() + ".gen", response::GenotypeText(choice), error)) << error;
    RequirementsArgs q;
    q.location = demo.Location();
    const nlohmann::json req = RunRequirementsCommand(q, nullptr);
    ASSERT_EQ(RequirementsExitCode(req), 0) << req.dump();
    EXPECT_EQ(req["model"], "response");
    EXPECT_EQ(req["genotype"]["name"], "Current commercial herd");
    HerdArgs h;
    h.location = demo.Location();
    h.pigs = 20;
    h.pigsCsv = demo.folder.File("pigs.csv");
    const nlohmann::json herd = RunHerdCommand(h, nullptr);
    ASSERT_EQ(HerdExitCode(herd), 0) << herd.dump();
    EXPECT_EQ(herd["model"], "response");
    std::string csv;
    ASSERT_TRUE(ReadTextFile(h.pigsCsv, csv, error)) << error;
    EXPECT_EQ(csv.rfind("pig,sex,", 0), 0u);
    // --model documented is for this run only, and runs the curve.
    h.model.model = "documented";
    EXPECT_EQ(RunHerdCommand(h, nullptr)["model"], "documented");
}

TEST(ModelCommands, DemoGrowsOnBothModelsInOneProcessAndEachRunRepeats) {
    DemoCopy demo;
    const GrowthArgs documented = GrowthOf(demo, nullptr), response = GrowthOf(demo, "response");
    const nlohmann::json curve = RunGrowthCommand(documented, nullptr);
    ASSERT_EQ(GrowthExitCode(curve), 0) << curve.dump();
    // The demo's documented run, as it has always been.
    EXPECT_EQ(curve["model"], "documented");
    EXPECT_FALSE(curve.contains("genotype"));
    EXPECT_NEAR(curve["cost_per_pig"].get<double>(), 50.23, 0.005);
    EXPECT_NEAR(curve["feed_gain"].get<double>(), 2.510, 0.0005);
    EXPECT_NEAR(curve["final_age"].get<double>(), 162.93, 0.05);
    EXPECT_NE(Text(curve, PrintGrowthReport).find("Growth model: documented curve"), std::string::npos);

    const nlohmann::json pig = RunGrowthCommand(response, nullptr);
    ASSERT_EQ(GrowthExitCode(pig), 0) << pig.dump();
    EXPECT_EQ(pig["model"], "response");
    EXPECT_EQ(pig["genotype"]["name"], "NRC 2012 reference pig");
    EXPECT_NE(pig["cost_per_pig"], curve["cost_per_pig"]);
    EXPECT_NE(pig["carcass_mixed"]["lean"], curve["carcass_mixed"]["lean"]);
    EXPECT_NE(Text(pig, PrintGrowthReport).find("Growth model: nutrient response, genotype NRC 2012 reference pig"),
              std::string::npos);

    // Again, each after the other model ran in this process: what a fresh process gives.
    EXPECT_EQ(RunGrowthCommand(documented, nullptr).dump(), curve.dump());
    EXPECT_EQ(RunGrowthCommand(response, nullptr).dump(), pig.dump());
}

TEST(ModelCommands, RequirementsOfAResponseRunAreOfTheDaysItGrew) {
    DemoCopy demo;
    const nlohmann::json grown = RunGrowthCommand(GrowthOf(demo, "response"), nullptr);
    ASSERT_EQ(GrowthExitCode(grown), 0) << grown.dump();
    RequirementsArgs q;
    q.location = demo.Location();
    q.formulation = 1;
    q.model.model = "response";
    const nlohmann::json req = RunRequirementsCommand(q, nullptr);
    ASSERT_EQ(RequirementsExitCode(req), 0) << req.dump();
    EXPECT_EQ(req["model"], "response");
    EXPECT_NE(Text(req, PrintRequirementsReport).find("Growth model: nutrient response"), std::string::npos);
    const nlohmann::json& days = req["days"];
    const nlohmann::json& daily = grown["daily"];
    ASSERT_EQ(days.size(), daily.size());
    for (std::size_t i = 0; i < days.size(); ++i) {
        ASSERT_EQ(days[i]["age"], daily[i]["age"]) << i;
        // The day table gives the grams to two decimals.
        EXPECT_NEAR(days[i]["protein_deposition"].get<double>(), daily[i]["protein_deposition_g"].get<double>(), 0.006)
            << "age " << days[i]["age"];
    }
    // The documented run's days are another pig's.
    RequirementsArgs c = q;
    c.model = {};
    const nlohmann::json documented = RunRequirementsCommand(c, nullptr);
    ASSERT_EQ(documented["model"], "documented");
    EXPECT_NE(documented["days"], days);
}

TEST(ModelCommands, AResponseHerdIsTheSameOnOneTwoAndFourThreadsAndEachPigIsItsOwn) {
    DemoCopy demo;
    HerdArgs a;
    a.location = demo.Location();
    a.formulation = 1;
    a.pigs = 200;
    a.model.model = "response";
    a.pigsCsv = demo.folder.File("pigs.csv");
    std::string first, csv, error;
    for (int threads : {1, 2, 4}) {
        a.threads = threads;
        const nlohmann::json r = RunHerdCommand(a, nullptr);
        ASSERT_EQ(HerdExitCode(r), 0) << r.dump();
        EXPECT_EQ(r["model"], "response");
        std::string pigs;
        ASSERT_TRUE(ReadTextFile(a.pigsCsv, pigs, error)) << error;
        if (threads == 1) {
            first = r.dump();
            csv = pigs;
        } else {
            EXPECT_EQ(r.dump(), first) << threads << " threads";
            EXPECT_EQ(pigs, csv) << threads << " threads";
        }
    }
    // Barrows and gilts in turn, each with a genotype of its own.
    const std::vector<std::string> rows = SplitLines(csv);
    ASSERT_GE(rows.size(), 201u);
    EXPECT_EQ(rows[0].rfind("pig,sex,start_weight,mean_protein_deposition_g", 0), 0u) << rows[0];
    std::set<std::string> sexes, depositions;
    for (std::size_t i = 1; i <= 200; ++i) {
        std::stringstream line(rows[i]);
        std::string pig, sex, weight, deposition;
        std::getline(line, pig, ',');
        std::getline(line, sex, ',');
        std::getline(line, weight, ',');
        std::getline(line, deposition, ',');
        sexes.insert(sex);
        depositions.insert(deposition);
    }
    EXPECT_EQ(sexes, (std::set<std::string>{"barrow", "gilt"}));
    EXPECT_GT(depositions.size(), 150u);
}

TEST(ModelCommands, MarketSellsTheResponsePigsOwnCarcassAndRefusesAnUnknownGenotype) {
    DemoCopy demo;
    GrowthArgs g = GrowthOf(demo, "response");
    g.finalWeight = 120;
    const nlohmann::json grown = RunGrowthCommand(g, nullptr);
    ASSERT_EQ(GrowthExitCode(grown), 0) << grown.dump();
    MarketArgs m;
    m.location = demo.Location();
    m.formulation = 1;
    m.model.model = "response";
    m.from = m.to = 120;
    m.step = 1;
    const nlohmann::json sold = RunMarketCommand(m, nullptr);
    ASSERT_EQ(MarketExitCode(sold), 0) << sold.dump();
    EXPECT_EQ(sold["model"], "response");
    EXPECT_NE(Text(sold, PrintMarketReport).find("Growth model: nutrient response"), std::string::npos);
    // One run, one answer: the row's carcass is the growth run's at that weight.
    ASSERT_EQ(sold["rows"].size(), 1u);
    EXPECT_DOUBLE_EQ(sold["rows"][0]["lean"].get<double>(), grown["carcass_mixed"]["lean"].get<double>());
    EXPECT_DOUBLE_EQ(sold["rows"][0]["final_age"].get<double>(), grown["final_age"].get<double>());

    m.model.genotype = "no such genotype";
    const nlohmann::json refused = RunMarketCommand(m, nullptr);
    EXPECT_EQ(MarketExitCode(refused), 2) << refused.dump();
    EXPECT_TRUE(refused["rows"].empty());
}

// Swept on the diets' own contents, the centre of each map is the current
// programme: grown on the responsive pig, it repeats the Growth command's
// cost and feed/gain.
TEST(ModelCommands, ThePlotGrowsTheResponsivePigAtEveryPoint) {
    DemoCopy demo;
    PlotArgs p;
    p.location = demo.Location();
    p.ratio = 1;
    p.model.model = "response";
    const nlohmann::json r = RunPlotCommand(p, nullptr);
    ASSERT_TRUE(r["ran"].get<bool>()) << r.dump();
    EXPECT_EQ(r["model"], "response");
    const nlohmann::json grown = RunGrowthCommand(GrowthOf(demo, "response"), nullptr);
    ASSERT_EQ(r["cost_per_pig"], grown["cost_per_pig"]);
    // The Growth command's cost is shown to the cent, and priced on the diets
    // grid's prices rather than the formulation's own (a tenth of a cent here).
    for (const auto& d : r["diets"]) {
        EXPECT_NEAR(d["centre"]["cost_per_pig"].get<double>(), grown["cost_per_pig"].get<double>(), 0.0075) << d.dump();
        EXPECT_NEAR(d["centre"]["feed_gain"].get<double>(), grown["feed_gain"].get<double>(), 0.0005) << d.dump();
    }
}

TEST(ModelCommands, AKeptRunKeepsItsModelAndAnOldOneReadsAsTheDocumentedCurve) {
    DemoCopy demo;
    GrowthArgs response = GrowthOf(demo, nullptr);
    response.model.genotype = "commercial";
    response.keep = "Response";
    ASSERT_FALSE(RunGrowthCommand(response, nullptr)["kept"].is_null());
    GrowthArgs documented = GrowthOf(demo, nullptr);
    documented.keep = "Curve";
    ASSERT_FALSE(RunGrowthCommand(documented, nullptr)["kept"].is_null());

    CompareArgs c;
    c.location = demo.Location();
    const nlohmann::json compared = RunCompareCommand(c, nullptr);
    ASSERT_EQ(CompareExitCode(compared), 0) << compared.dump();
    ASSERT_EQ(compared["runs"].size(), 2u);
    EXPECT_EQ(compared["runs"][0]["inputs"]["model"], "response");
    EXPECT_EQ(compared["runs"][0]["inputs"]["genotype"], "Current commercial herd");
    EXPECT_EQ(compared["runs"][1]["inputs"]["model"], "documented");
    EXPECT_TRUE(compared["runs"][1]["inputs"]["genotype"].is_null());
    const std::string text = Text(compared, PrintCompareReport);
    EXPECT_NE(text.find("Response  (kept"), std::string::npos) << text;
    EXPECT_NE(text.find("Growth model: nutrient response, genotype Current commercial herd"), std::string::npos) << text;
    EXPECT_NE(text.find("Growth model  "), std::string::npos) << text;

    // A file kept before the response model: no model, no genotype.
    const std::string file = compared["runs_file"].get<std::string>();
    std::string bytes, error;
    ASSERT_TRUE(ReadTextFile(file, bytes, error)) << error;
    nlohmann::json doc = nlohmann::json::parse(bytes);
    for (auto& run : doc["runs"]) {
        run["run"].erase("model");
        run["run"].erase("genotype");
        run["run"].erase("response_days");
    }
    ASSERT_TRUE(SaveAtomic(file, doc.dump(1, '\t'), error)) << error;
    const nlohmann::json old = RunCompareCommand(c, nullptr);
    ASSERT_EQ(CompareExitCode(old), 0) << old.dump();
    EXPECT_EQ(old["runs"][0]["inputs"]["model"], "documented");
    EXPECT_EQ(old["runs"][1]["results"], compared["runs"][1]["results"]);
}

}  // namespace
}  // namespace tarvisol::cli
