// The only file that includes CLI11: it is slow to compile.
#include "cli/CliArgs.h"

#include <CLI/CLI.hpp>

#include "shared/Version.h"
#include <charconv>
#include <cctype>
#include <cmath>
#include <iostream>

#include "growth/GrowthRun.h"
#include "location/LocationSettings.h"
#include "nutrition/MinimumsFromRequirements.h"
#include "ui/KeepRun.h"

namespace tarvisol::cli {
namespace {
// The most pigs a group may count.
constexpr double kMostPigs = 1999999999;

// --least-cost or --grid-diets: the feed formulation a command takes.
struct FormulationFlags {
    bool leastCost = false, gridDiets = false;
    void AddTo(CLI::App* command) {
        auto* lc = command->add_flag("--least-cost", leastCost, "Formulate the diets at least cost first");
        command->add_flag("--grid-diets", gridDiets, "Use the diets on the grid as they stand")->excludes(lc);
    }
    void Into(std::optional<int>& formulation) const {
        if (leastCost) formulation = 1;
        if (gridDiets) formulation = 2;
    }
};

// --model and --genotype: the growth model a command grows its pig on, for
// this run only.
struct ModelFlags {
    std::string model, genotype;
    void AddTo(CLI::App* command) {
        command->add_option("--model", model, "Growth model: documented (the growth curve) or response (nutrient response)")
            ->check(CLI::IsMember({"documented", "response"}, CLI::ignore_case));
        command->add_option("--genotype", genotype,
                            "The nutrient-response model's genotype: a preset (tarvisol-cli genotypes) or a genotype file");
    }
    void Into(ModelArgs& a) const {
        if (!model.empty()) {
            std::string m = model;
            for (char& c : m) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            a.model = m;
        }
        if (!genotype.empty()) a.genotype = genotype;
    }
};

// --sex: the herd sex by name (barrows are the males, gilts the females).
const std::vector<std::string> kSexNames = {"mixed", "males", "females", "barrows", "gilts"};
int SexOf(std::string name) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "mixed") return 0;
    return name == "males" || name == "barrows" ? 1 : 2;
}

// --model, --genotype and --sex on a command that grows the location's pig.
struct GrowingFlags {
    ModelFlags model;
    std::string sex;
    void AddTo(CLI::App* command) {
        model.AddTo(command);
        command->add_option("--sex", sex, "Herd sex: mixed, males (barrows) or females (gilts)")
            ->check(CLI::IsMember(kSexNames, CLI::ignore_case));
    }
    void Into(ModelArgs& a, std::optional<int>& herdSex) const {
        model.Into(a);
        if (!sex.empty()) herdSex = SexOf(sex);
    }
};

// Every number an option takes is a finite decimal number: "nan", "inf" and
// values beyond a double are refused before any range check sees them.
std::string FiniteNumber(std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    double v = 0;
    const auto [p, ec] = std::from_chars(first, last, v);
    if (text.empty() || ec != std::errc() || p != last || !std::isfinite(v)) return "'" + text + "' is not a number";
    return {};
}

// Every count is a whole number in decimal digits: "2.5" is refused, not
// rounded, and "010" is ten (not the octal eight the conversion would read).
std::string WholeCount(std::string& text, bool negativeAllowed) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || (negativeAllowed && text[at] == '-'))) ++at;
    const std::size_t digits = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
    if (at == digits || at != text.size()) return "'" + text + "' is not a whole number";
    const std::size_t nonZero = text.find_first_not_of('0', digits);
    text.erase(digits, (nonZero == std::string::npos ? text.size() - 1 : nonZero) - digits);
    return {};
}

// A count held as a number (the pigs of a group): a whole number, no decimals.
const CLI::Validator kWholeNumber(
    [](std::string& text) {
        if (std::string why = FiniteNumber(text); !why.empty()) return why;
        const double v = std::stod(text);
        return v == std::floor(v) ? std::string() : "'" + text + "' is not a whole number";
    },
    "", "whole number");

// Puts the checks above on every option of every command by the type it
// reads into.
void CheckNumbers(CLI::App& app) {
    const CLI::Validator finite(FiniteNumber, "", "finite number");
    const CLI::Validator count([](std::string& t) { return WholeCount(t, true); }, "", "whole number");
    const CLI::Validator unsignedCount([](std::string& t) { return WholeCount(t, false); }, "", "whole number");
    std::vector<CLI::App*> apps{&app};
    for (std::size_t i = 0; i < apps.size(); ++i) {
        for (CLI::App* sub : apps[i]->get_subcommands([](CLI::App*) { return true; })) apps.push_back(sub);
        for (CLI::Option* o : apps[i]->get_options()) {
            const std::string type = o->get_type_name();
            if (type.rfind("FLOAT", 0) == 0)
                o->check(finite);
            else if (type.rfind("UINT", 0) == 0)
                o->transform(unsignedCount);  // a transform: it may drop leading zeros
            else if (type.rfind("INT", 0) == 0)
                o->transform(count);
        }
    }
}

// --yield, a carcass yield the market takes.
double CarcassYield(double percent) {
    if (!std::isfinite(percent) || percent < 40 || percent > 100)
        throw CLI::ValidationError("--yield", "must be a carcass yield from 40 to 100 %");
    return percent;
}
}  // namespace


std::string ParseDiet(const std::string& text, std::array<double, 16>& diet) {
    diet.fill(0);
    std::size_t start = 0;
    int n = 0;
    for (;;) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        std::string field = text.substr(start, end - start);
        while (!field.empty() && field.front() == ' ') field.erase(field.begin());
        while (!field.empty() && field.back() == ' ') field.pop_back();
        double v = 0;
        auto [p, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
        if (field.empty() || ec != std::errc() || p != field.data() + field.size() || !std::isfinite(v))
            return "--diet: '" + field + "' is not a number (in '" + text + "')";
        if (n == 16) return "--diet takes 15 or 16 values, got more: '" + text + "'";
        diet[static_cast<std::size_t>(n++)] = v;
        if (end == text.size()) break;
        start = end + 1;
    }
    if (n < 15)
        return "--diet takes 15 or 16 values (E,CP,ARG,HIS,LYS,TRP,PHETYR,PHE,METCYS,MET,THR,LEU,ILE,VAL,FEEDKG[,PRICE]), got " +
               std::to_string(n) + ": '" + text + "'";
    return {};
}

std::optional<CliRequest> ParseCommandLine(int argc, char** argv, int& exitCode) {
    CLI::App app{"Tarvisol for Swine: growth, formulation, optimisation and calibration without a window"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("tarvisol-cli ") + kVersion, "Print the version and exit");

    CliRequest req;
    std::vector<double> curve;
    std::vector<std::string> diets;
    auto* grow = app.add_subcommand("grow", "Run the growth engine on a programme of diets, without a location");
    grow->add_option("--start-weight", req.grow.startWeight, "Starting live weight, kg")->required();
    grow->add_option("--start-age", req.grow.startAge, "Starting age, days (0..196)")->required();
    grow->add_option("--final-weight", req.grow.finalWeight, "Final live weight, kg")->required();
    grow->add_option("--curve", curve, "Growth curve B0 B1 B2 B3 B4 (default: the default curve)")->expected(5);
    grow->add_option("--diet", diets,
                     "E,CP,ARG,HIS,LYS,TRP,PHETYR,PHE,METCYS,MET,THR,LEU,ILE,VAL,FEEDKG[,PRICE]; repeat per diet")
        ->required()
        ->take_all()
        ->allow_extra_args(false);
    grow->add_flag("--json", req.grow.json, "Print one JSON object");

    auto* lp = app.add_subcommand("lp", "Formulate a location's diets at least cost (the Run LP command)");
    lp->add_option("LOCATION", req.lp.location,
                   "Folder plus base name of the location, e.g. examples/demo/Demo (reads DemoMatrix.txt, "
                   "DemoReq.ing, DemoReq.nut, Demo.dts)")
        ->required();
    lp->add_flag("--json", req.lp.json, "Print one JSON object");
    lp->add_flag("--sensitivity", req.lp.sensitivity,
                 "Add shadow prices and ranges per formulated diet, and why each infeasible diet is infeasible");

    // mix: a formulated diet as a batch for the feed mill.
    auto* mix = app.add_subcommand("mix", "Weigh out one formulated diet as a batch for the mill (the mixing sheet)");
    double mixBatch = 0, mixResolution = 0, mixFine = 0;
    mix->add_option("LOCATION", req.mix.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    mix->add_option("--diet", req.mix.diet, "Diet number, 1-based")->required();
    auto* mixBatchOpt = mix->add_option("--batch", mixBatch, "Batch size, kg (default 1000)");
    auto* mixResOpt = mix->add_option("--resolution", mixResolution,
                                      "Scale resolution for ingredients above 2 % of the diet, kg (default 0.5)");
    auto* mixFineOpt = mix->add_option("--fine-resolution", mixFine,
                                       "Scale resolution for ingredients at 2 % or less, kg (default 0.01)");
    mix->add_flag("--json", req.mix.json, "Print one JSON object");

    auto* growth = app.add_subcommand("growth", "Open a location and press Growth, as the main window does");
    GrowthArgs& ga = req.growth;
    FormulationFlags gFormulation;
    bool no = false;
    std::string sex;
    double pigs = 0, startWeight = 0, startAge = 0, finalWeight = 0;
    growth->add_option("LOCATION", ga.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    gFormulation.AddTo(growth);
    growth->add_option("--sex", sex, "Herd sex: mixed, males (barrows) or females (gilts)")
        ->check(CLI::IsMember(kSexNames, CLI::ignore_case));
    ModelFlags gModel;
    gModel.AddTo(growth);
    auto* pigsOpt = growth->add_option("--pigs", pigs, "Number of pigs")->check(kWholeNumber);
    auto* swOpt = growth->add_option("--start-weight", startWeight, "Starting weight (display unit)");
    auto* saOpt = growth->add_option("--start-age", startAge, "Starting age, days");
    auto* fwOpt = growth->add_option("--final-weight", finalWeight, "Final weight (display unit)");
    growth->add_flag("--json", ga.json, "Print one JSON object");
    growth->add_option("--daily-csv", ga.dailyCsv, "Write the day table to this file");
    std::string keep;
    auto* keepOpt = growth->add_option("--keep", keep, "Keep the run in the location's kept runs under this name");
    auto* yesOpt = growth->add_flag("--yes", ga.yes, "Answer Yes to the program's other questions");
    growth->add_flag("--no", no, "Answer No to the program's other questions (the default)")->excludes(yesOpt);

    auto* calibrate = app.add_subcommand("calibrate", "Fit the growth curve to the location's measured herd");
    calibrate->add_option("LOCATION", req.calibrate.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    calibrate->add_flag("--save", req.calibrate.save, "Save the calibrated location (answer Yes to the save question)");
    calibrate->add_flag("--json", req.calibrate.json, "Print one JSON object");
    calibrate->add_flag("--documented-only", req.calibrate.documentedOnly,
                        "The fit alone: no wider search from other starting curves when its result carries a warning");
    ModelFlags cModel;
    cModel.AddTo(calibrate);

    auto* optimise = app.add_subcommand("optimise", "Search feed weights, energy and protein for the lowest cost per pig");
    double targetWeight = 0;
    optimise->add_option("LOCATION", req.optimise.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    auto* targetOpt = optimise->add_option("--target-weight", targetWeight, "Target weight (display unit)");
    optimise->add_flag("--feed-weights-only", req.optimise.feedWeightsOnly, "Optimise the feed weights only");
    optimise->add_flag("--meet-requirements", req.optimise.meetRequirements,
                       "Keep every amino-acid minimum at or above the pigs' requirement where the diet starts");
    optimise->add_flag("--json", req.optimise.json, "Print one JSON object");
    GrowingFlags oGrowing;
    oGrowing.AddTo(optimise);
    optimise->add_option("--objective", req.optimise.objective,
                         "cost (feed cost per pig, the default search), margin-place-year or margin-pig")
        ->check(CLI::IsMember({"cost", "margin-place-year", "margin-pig"}));
    optimise->add_flag("--herd", req.optimise.herd,
                       "Value the margin on the location's herd (<base>.hrd), the barn sold on the day of the sale weight");
    optimise->add_option("--pdf", req.optimise.pdf, "Write the margin search's report (the current run and the margin section)");
    optimise->add_option("--xlsx", req.optimise.xlsx, "Write the margin search's workbook (the current run and its Margin sheet)");
    optimise->add_option("--threads", req.optimise.threads, "Threads of the margin search (0: one per processor)")
        ->check(CLI::NonNegativeNumber);

    auto* plot = app.add_subcommand("plot", "Sweep every diet over energy and lysine (or protein) and write the plot files");
    plot->add_option("LOCATION", req.plot.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    bool lysine = false, protein = false;
    auto* lysineFlag = plot->add_flag("--lysine", lysine, "Centre on the diets' contents; amino acids follow lysine");
    auto* proteinFlag = plot->add_flag("--protein", protein, "Centre on the restriction minimums; nutrients follow protein");
    lysineFlag->excludes(proteinFlag);
    plot->add_flag("--json", req.plot.json, "Print one JSON object");
    GrowingFlags pGrowing;
    pGrowing.AddTo(plot);

    // Kept runs compared, and the report of a Growth run.
    auto* compare = app.add_subcommand("compare", "Compare the location's kept runs with a base run");
    std::string compareBase;
    compare->add_option("LOCATION", req.compare.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    auto* baseOpt = compare->add_option("--base", compareBase, "The kept run the others are compared with (default: the first)");
    compare->add_flag("--json", req.compare.json, "Print one JSON object");
    compare->add_option("--xlsx", req.compare.xlsx, "Also write the comparison as a workbook");

    auto* report = app.add_subcommand("report", "Press Growth as `growth` does and write the run's report");
    GrowthArgs& ra = req.report.growth;
    FormulationFlags rFormulation;
    bool rNo = false;
    std::string rSex, page = "a4";
    double rPigs = 0, rStartWeight = 0, rStartAge = 0, rFinalWeight = 0;
    report->add_option("LOCATION", ra.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    rFormulation.AddTo(report);
    report->add_option("--sex", rSex, "Herd sex: mixed, males (barrows) or females (gilts)")
        ->check(CLI::IsMember(kSexNames, CLI::ignore_case));
    ModelFlags rModel;
    rModel.AddTo(report);
    auto* rPigsOpt = report->add_option("--pigs", rPigs, "Number of pigs")->check(kWholeNumber);
    auto* rSw = report->add_option("--start-weight", rStartWeight, "Starting weight (display unit)");
    auto* rSa = report->add_option("--start-age", rStartAge, "Starting age, days");
    auto* rFw = report->add_option("--final-weight", rFinalWeight, "Final weight (display unit)");
    report->add_option("--pdf", req.report.pdf, "The report's PDF file")->required();
    report->add_option("--xlsx", req.report.xlsx, "Also write the run and the comparison as a workbook");
    report->add_option("--page", page, "Page size: a4 (default) or letter")
        ->check(CLI::IsMember({"a4", "letter"}, CLI::ignore_case));
    report->add_option("--date", req.report.date, "The date printed on the report (default: today)");
    report->add_flag("--herd", req.report.herd,
                     "Add the herd page: the location's herd sold on its market settings, the whole barn the day "
                     "the pig reaches the final weight");
    auto* rYes = report->add_flag("--yes", ra.yes, "Answer Yes to the program's other questions");
    report->add_flag("--no", rNo, "Answer No to the program's other questions (the default)")->excludes(rYes);
    // genotypes: the nutrient-response model's presets.
    auto* genotypes = app.add_subcommand("genotypes", "List the nutrient-response model's genotype presets and their sources");
    genotypes->add_flag("--json", req.genotypesJson, "Print one JSON object");

    // demo: a writable copy of the bundled demo location.
    auto* demo = app.add_subcommand("demo", "Copy the bundled demo location into a new folder under FOLDER and print "
                                            "its location for the other commands");
    demo->add_option("FOLDER", req.demo.folder, "Folder to make the copy's own folder in, e.g. ~/Documents")
        ->required();

    // new: a location made from the ingredient library.
    auto* newCmd = app.add_subcommand("new", "Make a new location from the ingredient library");
    NewArgs& na = req.newLocation;
    std::string newIngredients, newWeights;
    newCmd->add_option("LOCATION", na.location, "Folder plus base name of the new location, e.g. Herds/North/North")
        ->required();
    newCmd->add_option("--ingredients", newIngredients, "Library ingredients, comma-separated, e.g. \"Corn,Soybean meal 47\"")
        ->required();
    newCmd->add_option("--prices", na.prices, "A price sheet (ingredient, price per tonne) for the chosen ingredients");
    newCmd->add_option("--diets", na.diets, "Number of diets, 1 to 6 (default 4)");
    newCmd->add_option("--weights", newWeights,
                       "Starting weight, then the weight each diet ends at, kg (default 25 to 125 kg in equal steps)");
    newCmd->add_option("--start-age", na.startAge, "Age at the starting weight, days (default 63)");
    newCmd->add_option("--genotype", na.genotype,
                       "The genotype the new location grows on the nutrient-response model: a preset (tarvisol-cli "
                       "genotypes) or a genotype file (default: commercial, a current commercial mixed herd)");
    newCmd->add_option("--from,--curve-from", na.curveFrom,
                       "Another location whose growth model and genotype the new one keeps (its growth curve when it "
                       "runs the documented one)");
    newCmd->add_option("--library", na.library, "The ingredient library (default: the one installed with the program)");
    newCmd->add_option("--currency", na.currency, "The currency shown with the location's money figures, e.g. USD");
    newCmd->add_flag("--json", na.json, "Print one JSON object");

    // prices: a price sheet onto a location's matrix.
    auto* pricesCmd = app.add_subcommand("prices", "Put a price sheet (ingredient, price) onto a location's matrix");
    pricesCmd->add_option("LOCATION", req.prices.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    pricesCmd->add_option("FILE", req.prices.file, "The price sheet: CSV or TAB, as a spreadsheet saves it")->required();
    pricesCmd->add_flag("--save", req.prices.save, "Save the matrix when every line of the sheet matched");
    pricesCmd->add_flag("--json", req.prices.json, "Print one JSON object");

    // market: when to sell; the programme grown to a range of final weights and priced by the market.
    auto* market = app.add_subcommand("market", "Grow the programme to a range of final weights and find the weight "
                                                "that pays best per pig and per pig place and year");
    MarketArgs& ma = req.market;
    market->add_option("LOCATION", ma.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    FormulationFlags mFormulation;
    mFormulation.AddTo(market);
    std::string mBand;
    struct MarketNumber {
        const char* name;
        std::optional<double>* target;
        bool positive;  // above 0 rather than 0 or more
        double value = 0;
        CLI::Option* option = nullptr;
    };
    std::vector<MarketNumber> mNumbers{
        {"--carcass-price", &ma.carcassPrice, false}, {"--lean-base", &ma.leanBase, false},
        {"--lean-premium", &ma.leanPremium, false},  {"--discount", &ma.discount, false},
        {"--pig-cost", &ma.pigCost, false},          {"--day-cost", &ma.dayCost, false},
        {"--empty-days", &ma.emptyDays, false},      {"--from", &ma.from, true},
        {"--to", &ma.to, true},                      {"--step", &ma.step, true}};
    for (MarketNumber& n : mNumbers)
        n.option = market->add_option(n.name, n.value, std::string(n.name + 2) + " (overrides the location's market file)");
    market->add_option("--band", mBand, "Carcass weights LOW:HIGH that earn the base price");
    double mYield = 0;
    auto* mYieldOpt = market->add_option("--yield", mYield,
                                         "Carcass yield the packer pays on, % of live weight, 40 to 100 (overrides the "
                                         "location's market file; blank there: the run's own)");
    market->add_flag("--json", ma.json, "Print one JSON object");
    GrowingFlags mGrowing;
    mGrowing.AddTo(market);
    market->callback([&] {
        req.kind = CliRequest::Kind::Market;
        mFormulation.Into(ma.formulation);
        mGrowing.Into(ma.model, ma.sex);
        for (const MarketNumber& n : mNumbers) {
            if (!*n.option) continue;
            if (!std::isfinite(n.value) || n.value < 0 || (n.positive && n.value == 0))
                throw CLI::ValidationError(n.name, n.positive ? "must be a number above 0" : "must be a number, 0 or more");
            *n.target = n.value;
        }
        if (*mYieldOpt) ma.carcassYield = CarcassYield(mYield);
        if (!mBand.empty()) {
            const std::size_t colon = mBand.find(':');
            double low = 0, high = 0;
            const auto number = [](const std::string& t, double& v) {
                auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
                return !t.empty() && ec == std::errc() && p == t.data() + t.size() && std::isfinite(v) && v >= 0;
            };
            if (colon == std::string::npos || !number(mBand.substr(0, colon), low) ||
                !number(mBand.substr(colon + 1), high) || high < low)
                throw CLI::ValidationError("--band", "takes LOW:HIGH, two carcass weights with LOW not above HIGH");
            ma.bandLow = low;
            ma.bandHigh = high;
        }
    });

    // herd: a barn of pigs that differ, sold in cuts.
    auto* herdCmd = app.add_subcommand("herd", "Grow a herd of pigs that differ on the programme and sell it in cuts "
                                               "(or find the cuts that pay best per pig place and year)");
    HerdArgs& ha = req.herd;
    herdCmd->add_option("LOCATION", ha.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    FormulationFlags hFormulation;
    hFormulation.AddTo(herdCmd);
    int hPigs = 0;
    std::uint64_t hSeed = 0;
    double hCvWeight = 0, hCvGrowth = 0, hCvMature = 0, hCvMaintenance = 0, hYield = 0;
    auto* hPigsOpt = herdCmd->add_option("--pigs", hPigs, "Pigs in the herd, 1 to 20,000 (default 1,000)");
    auto* hSeedOpt = herdCmd->add_option("--seed", hSeed, "Seed of the draws (the same seed, the same herd)");
    auto* hCvWeightOpt = herdCmd->add_option("--cv-weight", hCvWeight, "Spread of the starting weight, CV %");
    auto* hCvGrowthOpt = herdCmd->add_option("--cv-growth", hCvGrowth, "Spread of the growth rate (B3), CV %");
    auto* hCvMatureOpt = herdCmd->add_option("--cv-mature", hCvMature, "Spread of the mature size (B2), CV %");
    auto* hCvMaintenanceOpt =
        herdCmd->add_option("--cv-maintenance", hCvMaintenance, "Spread of the maintenance (B4), CV %");
    herdCmd->add_option("--cuts", ha.cuts,
                        "Cuts AGE:WEIGHT (the pigs at or above a live weight), AGE:SHARE% (the heaviest share of the "
                        "pigs left) or AGE, comma-separated in order of age; the last empties the barn");
    herdCmd->add_flag("--best", ha.best, "Find the cuts that pay best per pig place and year");
    auto* hYieldOpt = herdCmd->add_option("--yield", hYield,
                                          "Carcass yield the packer pays on, % of live weight, 40 to 100 (overrides "
                                          "the location's market file)");
    herdCmd->add_option("--pigs-csv", ha.pigsCsv, "Write one row per pig to this CSV file");
    herdCmd->add_flag("--json", ha.json, "Print one JSON object");
    GrowingFlags hGrowing;
    hGrowing.AddTo(herdCmd);
    herdCmd->callback([&] {
        req.kind = CliRequest::Kind::Herd;
        hFormulation.Into(ha.formulation);
        hGrowing.Into(ha.model, ha.sex);
        // Checked where the window checks them, so the messages are the same.
        if (*hPigsOpt) ha.pigs = hPigs;
        if (*hSeedOpt) ha.seed = hSeed;
        if (*hCvWeightOpt) ha.cvWeight = hCvWeight;
        if (*hCvGrowthOpt) ha.cvGrowth = hCvGrowth;
        if (*hCvMatureOpt) ha.cvMatureSize = hCvMature;
        if (*hCvMaintenanceOpt) ha.cvMaintenance = hCvMaintenance;
        if (*hYieldOpt) ha.carcassYield = CarcassYield(hYield);
    });

    // precision: the phase programme against daily blends for the group and for each pig.
    auto* precisionCmd = app.add_subcommand("precision", "Compare the phase programme with a daily blend of two feeds "
                                                         "for the group and with each pig's own daily blend");
    PrecisionArgs& pa = req.precision;
    precisionCmd->add_option("LOCATION", pa.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    FormulationFlags pFormulation;
    pFormulation.AddTo(precisionCmd);
    double pPercentile = 0;
    int pPigs = 0;
    std::uint64_t pSeed = 0;
    std::string pDiets;
    auto* pPercentileOpt = precisionCmd->add_option(
        "--percentile", pPercentile, "The group blend meets the requirement of this percentile of the pigs, 1 to 100 "
                                     "(default: the herd's mean requirement)");
    auto* pPigsOpt = precisionCmd->add_option("--pigs", pPigs, "Pigs in the herd, 1 to 20,000 (default the herd file's)");
    auto* pSeedOpt = precisionCmd->add_option("--seed", pSeed, "Seed of the draws (the same seed, the same herd)");
    precisionCmd->add_option("--diets", pDiets, "A,B: two of the location's diets as feeds A and B (default: "
                                                "formulate them at least cost)");
    precisionCmd->add_option("--threads", pa.threads, "Threads (default one per processor)")->check(CLI::Range(1, 64));
    precisionCmd->add_flag("--json", pa.json, "Print one JSON object");
    precisionCmd->callback([&] {
        req.kind = CliRequest::Kind::Precision;
        pFormulation.Into(pa.formulation);
        if (*pPercentileOpt) {
            if (!(pPercentile >= 1 && pPercentile <= 100))
                throw CLI::ValidationError("--percentile", "takes a percentile from 1 to 100");
            pa.percentile = pPercentile;
        }
        if (*pPigsOpt) pa.pigs = pPigs;
        if (*pSeedOpt) pa.seed = pSeed;
        if (!pDiets.empty()) {
            const std::size_t comma = pDiets.find(',');
            int a = 0, b = 0;
            const auto whole = [](const std::string& t, int& v) {
                auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
                return !t.empty() && ec == std::errc() && p == t.data() + t.size() && v >= 1 && v <= 8;
            };
            if (comma == std::string::npos || !whole(pDiets.substr(0, comma), a) || !whole(pDiets.substr(comma + 1), b) || a == b)
                throw CLI::ValidationError("--diets", "takes A,B: two different diet numbers from 1 to 8");
            pa.dietA = a;
            pa.dietB = b;
        }
    });

    // requirements: what the pig needs day by day against what its diets supply.
    auto* reqCmd = app.add_subcommand("requirements", "Press Growth and compare what the pig needs day by day with "
                                                      "what its diets supply; the nitrogen and phosphorus balance");
    RequirementsArgs& qa = req.requirements;
    reqCmd->add_option("LOCATION", qa.location, "Folder plus base name, e.g. examples/demo/Demo")->required();
    bool qLeastCost = false, qGridDiets = false;
    auto* qLc = reqCmd->add_flag("--least-cost", qLeastCost, "Formulate the diets at least cost first");
    reqCmd->add_flag("--grid-diets", qGridDiets, "Use the diets on the grid as they stand")->excludes(qLc);
    reqCmd->add_flag("--json", qa.json, "Print one JSON object");
    GrowingFlags qGrowing;
    qGrowing.AddTo(reqCmd);
    auto* qSet = reqCmd->add_flag("--set-minimums", qa.setMinimums,
                                  "Make each diet's amino-acid, STTD phosphorus and calcium minimums the highest "
                                  "requirement of the days it is fed (or see --days-covered)");
    reqCmd->add_option("--margin", qa.margin, "Percent of the requirement the minimums take (default 100)")
        ->needs(qSet)
        ->check(CLI::Range(kLowestMargin, kHighestMargin));
    reqCmd->add_option("--days-covered", qa.daysCovered,
                       "Percent of each diet's days its minimums cover, 50 to 100 (default 100: the highest "
                       "requirement of its days)")
        ->needs(qSet)
        ->check(CLI::Range(kLeastDaysCovered, kAllDaysCovered));
    reqCmd->add_flag("--save", qa.save, "Save the nutrient restriction file with the new minimums")->needs(qSet);
    reqCmd->callback([&] {
        req.kind = CliRequest::Kind::Requirements;
        if (qLeastCost) qa.formulation = 1;
        if (qGridDiets) qa.formulation = 2;
        qGrowing.Into(qa.model, qa.sex);
    });

    CheckNumbers(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        exitCode = app.exit(e) == 0 ? 0 : 2;
        return std::nullopt;
    }

    if (lp->parsed()) {
        req.kind = CliRequest::Kind::Lp;
        if (req.lp.location.empty()) {
            std::cerr << "tarvisol-cli lp: LOCATION must name a folder and base name\n";
            exitCode = 2;
            return std::nullopt;
        }
    }
    if (mix->parsed()) {
        req.kind = CliRequest::Kind::Mix;
        auto positive = [&](const char* name, double v) {
            if (std::isfinite(v) && v > 0) return true;
            std::cerr << "tarvisol-cli mix: " << name << " must be a number above 0\n";
            exitCode = 2;
            return false;
        };
        if (*mixBatchOpt) {
            if (!positive("--batch", mixBatch)) return std::nullopt;
            req.mix.batch = mixBatch;
        }
        if (*mixResOpt) {
            if (!positive("--resolution", mixResolution)) return std::nullopt;
            req.mix.resolution = mixResolution;
        }
        if (*mixFineOpt) {
            if (!positive("--fine-resolution", mixFine)) return std::nullopt;
            req.mix.fineResolution = mixFine;
        }
    }
    if (calibrate->parsed()) req.kind = CliRequest::Kind::Calibrate;
    if (pricesCmd->parsed()) req.kind = CliRequest::Kind::Prices;
    if (newCmd->parsed()) {
        req.kind = CliRequest::Kind::New;
        auto bad = [&](const std::string& msg) {
            std::cerr << "tarvisol-cli new: " << msg << "\n";
            exitCode = 2;
            return std::nullopt;
        };
        na.ingredients = SplitNames(newIngredients);
        if (na.ingredients.empty()) return bad("--ingredients names no ingredient");
        std::string bytes;
        if (const std::string why = CurrencyFromTyped(na.currency, bytes); !why.empty()) return bad("--currency: " + why);
        if (!newWeights.empty()) {
            for (const std::string& w : SplitNames(newWeights)) {
                double v = 0;
                auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
                if (ec != std::errc() || p != w.data() + w.size() || !std::isfinite(v))
                    return bad("--weights: '" + w + "' is not a weight");
                na.weights.push_back(v);
            }
            if (na.weights.size() < 2) return bad("--weights needs the starting weight and at least one more");
            if (!*newCmd->get_option("--diets")) na.diets = static_cast<int>(na.weights.size()) - 1;
        }
    }
    if (demo->parsed()) req.kind = CliRequest::Kind::Demo;
    if (calibrate->parsed()) cModel.Into(req.calibrate.model);
    if (genotypes->parsed()) req.kind = CliRequest::Kind::Genotypes;
    if (plot->parsed()) {
        req.kind = CliRequest::Kind::Plot;
        pGrowing.Into(req.plot.model, req.plot.sex);
        if (lysine) req.plot.ratio = 1;
        if (protein) req.plot.ratio = 0;
    }
    if (optimise->parsed()) {
        req.kind = CliRequest::Kind::Optimise;
        oGrowing.Into(req.optimise.model, req.optimise.sex);
        if (*targetOpt) {
            if (!std::isfinite(targetWeight) || targetWeight <= 0) {
                std::cerr << "tarvisol-cli optimise: --target-weight must be above 0\n";
                exitCode = 2;
                return std::nullopt;
            }
            req.optimise.targetWeight = targetWeight;
        }
    }
    if (growth->parsed()) {
        req.kind = CliRequest::Kind::Growth;
        gFormulation.Into(ga.formulation);
        if (!sex.empty()) ga.sex = SexOf(sex);
        gModel.Into(ga.model);
        auto bad = [&](const std::string& msg) {
            std::cerr << "tarvisol-cli growth: " << msg << "\n";
            exitCode = 2;
            return std::nullopt;
        };
        if (*pigsOpt) {
            if (!std::isfinite(pigs) || pigs < 1 || pigs >= kMostPigs + 1)
                return bad("--pigs must be from 1 to 1999999999");
            ga.pigs = pigs;
        }
        if (*swOpt) ga.startWeight = startWeight;
        if (*saOpt) ga.startAge = startAge;
        if (*fwOpt) ga.finalWeight = finalWeight;
        if (*keepOpt) {
            std::string bytes;
            if (const std::string why = KeptRunName(keep, bytes); !why.empty()) return bad("--keep: " + why);
            ga.keep = keep;
        }
    }
    if (compare->parsed()) {
        req.kind = CliRequest::Kind::Compare;
        if (*baseOpt) req.compare.base = compareBase;
    }
    if (report->parsed()) {
        req.kind = CliRequest::Kind::Report;
        auto bad = [&](const std::string& msg) {
            std::cerr << "tarvisol-cli report: " << msg << "\n";
            exitCode = 2;
            return std::nullopt;
        };
        rFormulation.Into(ra.formulation);
        if (!rSex.empty()) ra.sex = SexOf(rSex);
        rModel.Into(ra.model);
        if (*rPigsOpt) {
            if (!std::isfinite(rPigs) || rPigs < 1 || rPigs >= kMostPigs + 1)
                return bad("--pigs must be from 1 to 1999999999");
            ra.pigs = rPigs;
        }
        if (*rSw) ra.startWeight = rStartWeight;
        if (*rSa) ra.startAge = rStartAge;
        if (*rFw) ra.finalWeight = rFinalWeight;
        if (req.report.pdf.empty()) return bad("--pdf needs a file name");
        req.report.page = std::tolower(static_cast<unsigned char>(page[0])) == 'l' ? ReportPage::Letter : ReportPage::A4;
    }
    if (grow->parsed()) {
        req.kind = CliRequest::Kind::Grow;
        auto bad = [&](const std::string& msg) {
            std::cerr << "tarvisol-cli grow: " << msg << "\n";
            exitCode = 2;
            return std::nullopt;
        };
        GrowArgs& g = req.grow;
        if (!std::isfinite(g.startWeight) || g.startWeight <= 0) return bad("--start-weight must be above 0 kg");
        if (g.startAge < 0 || g.startAge > kLastStartAge)
            return bad("--start-age must be a whole number of days from 0 to " + std::to_string(kLastStartAge) +
                       " (the day tables end at 198)");
        if (!std::isfinite(g.finalWeight) || g.finalWeight <= 0) return bad("--final-weight must be above 0 kg");
        if (!curve.empty()) {
            std::array<double, 5> c{};
            for (std::size_t k = 0; k < 5; ++k) {
                if (!std::isfinite(curve[k])) return bad("--curve values must be numbers");
                c[k] = curve[k];
            }
            g.curve = c;
        }
        if (diets.size() > 8) return bad("at most 8 diets");
        for (const auto& d : diets) {
            std::array<double, 16> diet{};
            if (auto err = ParseDiet(d, diet); !err.empty()) return bad(err);
            g.diets.push_back(diet);
        }
    }
    exitCode = 0;
    return req;
}

}  // namespace tarvisol::cli
