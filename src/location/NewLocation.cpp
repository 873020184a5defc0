#include "location/NewLocation.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <system_error>

#include "formulation/FormulationFiles.h"
#include "formulation/RequirementTemplate.h"
#include "growth/GrowthRun.h"
#include "location/LocationSettings.h"
#include "location/PigFile.h"
#include "location/StartUp.h"
#include "response/GenotypeCurves.h"
#include "response/GenotypePresets.h"
#include "response/GenotypeText.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace fs = std::filesystem;
namespace {

// Diets that start at this weight or above take the finishing maximum.
constexpr double kFinishingFromKg = 100;
// The allotments are refined until they no longer change, or for this many runs.
constexpr int kAllotmentRuns = 8;
// Prices per tonne (the price unit of a new location), weights in kg, energy
// in kcal/kg.
constexpr int16_t kPricePerTonne = 1;
// The growth model takes diets of 12 % crude protein or more (the Growth
// command refuses others): no diet is formulated below it.
constexpr double kLeastProtein = 12;

// Answers Yes to the questions of opening a location and keeps the messages.
class CollectingDialogs : public Dialogs {
public:
    std::vector<std::string> messages;
    void Message(const std::string& text, const std::string&) override { messages.push_back(text); }
    Answer Ask(const std::string&, Buttons, const std::string&) override { return Answer::Yes; }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::string OpenFile(const std::string&, const std::string&, const std::string&, const std::string& initial) override {
        return initial;
    }
    std::string SaveFile(const std::string&, const std::string&, const std::string&, const std::string& initial) override {
        return initial;
    }
};

// The location opened as the user opens it, on least-cost diets for a mixed
// herd unless it says otherwise.
struct OpenedLocation {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    CollectingDialogs dialogs;
    OpenedLocation(const fs::path& folder, const fs::path& base) {
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, folder.string());
        s->LocationFolder = folder.string();
        w->Text6.Text = base.filename().string();
        LocationName(*s);
        if (w->Combo1.ListIndex < 1) w->Combo1.ListIndex = kFormulationLeastCost;
        if (w->ComboSex.ListIndex < 0) w->ComboSex.ListIndex = 0;
    }
};

// A weight in a diet's name: whole kilograms as such, others to 0.1 kg.
std::string Kg(double w) { return FormatPattern(w, std::round(w) == w ? "0" : "0.0"); }

std::string DietName(double fromKg, double toKg) { return Kg(fromKg) + "-" + Kg(toKg) + " kg"; }

bool NoCurve(const std::array<double, 5>& c) {
    return std::all_of(c.begin(), c.end(), [](double v) { return v == 0; });
}

// The tables of the plan in a record: matrix, limits, the diets grid with the
// names, provisional allotments and the template minimums, and the .pig inputs.
void FillTables(SharedState& s, const NewLocationPlan& plan) {
    const auto& names = LibraryNutrientNames();
    const int diets = static_cast<int>(plan.weights.size()) - 1;
    s.IngredientCount = static_cast<int16_t>(plan.ingredients.size());
    s.NutrientCount = static_cast<int32_t>(names.size()) + 1;
    for (std::size_t k = 0; k < names.size(); ++k) s.NutrientNames(static_cast<int>(k) + 2) = names[k];
    for (int i = 1; i <= s.IngredientCount; ++i) {
        const LibraryIngredient& row = plan.ingredients[static_cast<std::size_t>(i - 1)];
        s.IngredientNames(i) = row.name;
        s.IngredientPrices(i) = row.price;
        s.IngredientMatrix(1, i) = 100;
        const std::vector<double> values = LibraryMatrixValues(row);
        for (std::size_t k = 0; k < values.size(); ++k) s.IngredientMatrix(static_cast<int>(k) + 2, i) = values[k];
    }
    s.DietCount = static_cast<int16_t>(diets);
    Grid& g = s.Main->Griddiets;
    for (int r = 1; r <= 3; ++r) g.SetTextMatrix(r, 0, DefaultDietRowLabel(s, r));
    for (int k = 1; k <= 15; ++k) g.SetTextMatrix(k + 3, 0, names[static_cast<std::size_t>(k - 1)]);
    for (int d = 1; d <= diets; ++d) {
        const double from = plan.weights[static_cast<std::size_t>(d - 1)], to = plan.weights[static_cast<std::size_t>(d)];
        const TemplateMinimums m = NutrientTemplate(from, to);
        const bool finishing = from >= kFinishingFromKg;
        for (int i = 1; i <= s.IngredientCount; ++i) {
            const LibraryIngredient& row = plan.ingredients[static_cast<std::size_t>(i - 1)];
            const double hi = finishing && !std::isnan(row.maxFinish) ? row.maxFinish : row.maximum;
            if (!std::isnan(row.minimum)) s.IngredientLimits(d, 1, i) = row.minimum;
            if (!std::isnan(hi)) s.IngredientLimits(d, 2, i) = hi;
        }
        s.NutrientLimits(d, 1, 1) = m.netEnergy;
        s.NutrientLimits(d, 1, 2) = kLeastProtein;
        for (int a = 0; a < 12; ++a) s.NutrientLimits(d, 1, a + 3) = m.sid[static_cast<std::size_t>(a)];
        s.NutrientLimits(d, 1, kLibraryCalcium) = m.calcium;
        s.NutrientLimits(d, 1, kLibrarySttdPhosphorus) = m.sttdPhosphorus;
        s.NutrientLimits(d, 1, kLibrarySodium) = m.sodium;
        s.NutrientLimits(d, 1, kLibraryChlorine) = m.chlorine;
        s.NutrientLimits(d, 2, kLibraryCalcium) = m.calciumMax;
        s.NutrientLimits(d, 2, kLibrarySttdPhosphorus) = m.sttdPhosphorusMax;
        s.NutrientLimits(d, 2, kLibrarySodium) = m.sodiumMax;
        s.NutrientLimits(d, 2, kLibraryCrudeFibre) = m.crudeFibreMax;
        s.NutrientLimits(d, 2, kLibraryEtherExtract) = m.etherExtractMax;
        g.SetTextMatrix(1, d, DietName(from, to));
        // About 2.5 kg of feed a kg of gain until the pig has been grown.
        g.SetTextMatrix(3, d, FormatAuto(std::round(2.5 * (to - from))));
        g.SetTextMatrix(4, d, FormatAuto(m.netEnergy));
        for (int k = 3; k <= 14; ++k) g.SetTextMatrix(k + 3, d, FormatAuto(s.NutrientLimits(d, 1, k)));
    }
    for (int k = 0; k < 5; ++k) s.GrowthCurve(0, k) = NoCurve(plan.curve) ? kDefaultCurve[k] : plan.curve[static_cast<std::size_t>(k)];
    s.CalibInputs(1) = plan.weights.front();
    s.CalibInputs(2) = plan.startAge;
    s.CalibInputs(3) = plan.weights.back();
    s.HerdSex = 0;
    s.UnitTable(2) = kPricePerTonne;
}

// Feed eaten (kg) by the time the pig of the last run first weighs w, read
// between the days of the day table; the run's total when it never does.
double FeedAtWeight(const SharedState& s, double w) {
    const int last = s.RunLastDay;
    for (int day = s.StartAge + 1; day <= last; ++day) {
        const double w0 = s.DayGrowth(0, day - 1), w1 = s.DayGrowth(0, day);
        if (w1 >= w) {
            const double t = w1 > w0 ? (w - w0) / (w1 - w0) : 1;
            return s.CumFeedByDay(4, day - 1) + t * (s.CumFeedByDay(4, day) - s.CumFeedByDay(4, day - 1));
        }
    }
    return s.CumFeedByDay(4, std::max<int>(last, s.StartAge));
}

// The feed (kg) that, as an allotment, runs out on the day that starts nearest
// weight w in the last run: the feed eaten before that day and half of that
// day's. The pig leaves a diet on the day its allotment runs out, weighing
// what it weighed at the start of that day, so the change falls within half
// a day's gain of w.
double FeedToChangeAt(const SharedState& s, double w) {
    const int last = std::max<int>(s.RunLastDay, s.StartAge);
    int day = s.StartAge;
    for (int d = s.StartAge + 1; d < last; ++d)
        if (std::abs(s.DayGrowth(0, d) - w) < std::abs(s.DayGrowth(0, day) - w)) day = d;
    return s.CumFeedByDay(4, day) + 0.5 * (s.CumFeedByDay(4, day + 1) - s.CumFeedByDay(4, day));
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += (out.empty() ? "" : " ") + l;
    return out;
}

// The files written so far, removed again when the location is not made.
struct Written {
    std::vector<std::string> files;
    fs::path madeFolder;  // the folder this making created, if any
    bool keep = false;
    ~Written() {
        if (keep) return;
        std::error_code ec;
        for (const std::string& f : files) fs::remove(f, ec);
        if (!madeFolder.empty()) fs::remove_all(madeFolder, ec);
    }
};

}  // namespace

bool PresetModel(const std::string& keyOrName, GrowthModelChoice& model) {
    const response::GenotypePreset* p = response::FindGenotypePreset(keyOrName);
    if (!p) return false;
    model = GrowthModelChoice{GrowthModelKind::Response, p->Pig};
    return true;
}

GrowthModelChoice DefaultNewModel() {
    GrowthModelChoice m;
    PresetModel(kNewLocationGenotype, m);
    return m;
}

bool ModelOfLocation(const std::string& base, NewLocationPlan& plan, std::string& error) {
    if (!CurveOfLocation(base, plan.curve, error)) return false;
    const std::string gen = base + response::kGenotypeExtension;
    if (!FileExists(gen)) {
        plan.model = GrowthModelChoice{};
        plan.model.Pig = response::ReferenceGenotype();
        plan.genotypeFile = false;
        return true;
    }
    std::string text;
    if (!ReadTextFile(gen, text, error)) return false;
    GrowthModelChoice read;
    read.Pig = response::ReferenceGenotype();
    std::vector<std::string> messages;
    response::ReadGenotypeText(text, read, messages);
    if (!messages.empty()) {
        error = gen + ": " + messages.front();
        return false;
    }
    plan.model = read;
    plan.genotypeFile = true;
    return true;
}

bool CurveOfLocation(const std::string& base, std::array<double, 5>& curve, std::string& error) {
    std::string text;
    if (!ReadTextFile(base + ".pig", text, error)) return false;
    SharedState other;
    SilentDialogs quiet;
    other.Dialog = &quiet;
    ReadPigText(other, text, base + ".pig");
    for (int k = 0; k < 5; ++k) curve[static_cast<std::size_t>(k)] = other.GrowthCurve(0, k);
    return true;
}

std::vector<double> EvenWeights(double startKg, double finalKg, int diets) {
    std::vector<double> w{startKg};
    for (int d = 1; d < diets; ++d) w.push_back(std::round(startKg + (finalKg - startKg) * d / diets));
    w.push_back(finalKg);
    return w;
}

std::string CheckNewLocation(const NewLocationPlan& plan) {
    const fs::path base(plan.base);
    if (plan.base.empty() || base.filename().empty() || plan.base.back() == '/')
        return "Name the new location: a folder and a base name, e.g. Herds/North/North";
    if (base.filename().string().find('.') != std::string::npos)
        return "The base name of a location holds no period: " + base.filename().string();
    for (char c : plan.base)
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            return "The location's folder and name hold a TAB, a line break or another control character";
    if (plan.ingredients.empty()) return "Choose at least one ingredient";
    if (plan.ingredients.size() > 100) return "A matrix holds at most 100 ingredients";
    std::string unpriced;
    for (const LibraryIngredient& row : plan.ingredients)
        if (!(row.price > 0)) unpriced += (unpriced.empty() ? "" : ", ") + row.name;
    if (!unpriced.empty()) return "Give a price above 0 for " + unpriced;
    const int diets = static_cast<int>(plan.weights.size()) - 1;
    if (diets < 1 || diets > kNewLocationMaxDiets)
        return "The number of diets must be from 1 to " + std::to_string(kNewLocationMaxDiets);
    if (!(plan.weights.front() >= 20)) return "Starting Weight must be 20 kg or more";
    for (std::size_t i = 1; i < plan.weights.size(); ++i)
        if (!(plan.weights[i] > plan.weights[i - 1]) || !std::isfinite(plan.weights[i]))
            return "Each diet must end at a weight above the one it starts at";
    if (plan.weights.back() > 250) return "The final weight must be 250 kg or less";
    if (!(plan.startAge >= 1 && plan.startAge <= kLastStartAge)) return kStartAgeRange;
    std::string currency;
    if (std::string why = CurrencyFromTyped(plan.currency, currency); !why.empty()) return why;
    if (plan.model.Kind == GrowthModelKind::Response)
        if (std::string why = response::GenotypeProblem(plan.model.Pig); !why.empty()) return why;

    const fs::path folder = base.has_parent_path() ? base.parent_path() : fs::path(".");
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) return folder.string() + " is a file, not a folder";
    if (fs::is_directory(folder, ec))
        for (const auto& entry : fs::directory_iterator(folder, ec))
            if (entry.path().extension() == ".pig")
                return folder.string() + " already holds a location (" + entry.path().filename().string() +
                       "); choose an empty folder or a new one";
    const std::string b = plan.base;
    for (const std::string& f : {b + kMatrixEnding, b + kDietEnding, b + kNutrientEnding, b + kIngredientEnding,
                                 b + ".pig", b + ".cal", b + ".stg", b + kSettingsEnding,
                                 b + response::kGenotypeExtension})
        if (fs::exists(f, ec) || fs::is_symlink(f, ec)) return f + " already exists; nothing was written";
    return {};
}

NewLocationOutcome MakeNewLocation(const NewLocationPlan& plan) {
    NewLocationOutcome out;
    if (std::string why = CheckNewLocation(plan); !why.empty()) {
        out.refused = true;
        out.error = std::move(why);
        return out;
    }
    const int diets = static_cast<int>(plan.weights.size()) - 1;
    const fs::path base = fs::absolute(plan.base);
    const fs::path folder = base.parent_path();
    Written written;
    std::error_code ec;
    if (!fs::exists(folder, ec)) {
        fs::path top = folder;  // the highest folder this making creates
        while (top.has_parent_path() && top.parent_path() != top && !fs::exists(top.parent_path(), ec))
            top = top.parent_path();
        if (!fs::create_directories(folder, ec) && ec) {
            out.error = "Cannot make the folder " + folder.string() + ": " + ec.message();
            return out;
        }
        written.madeFolder = top;
    }
    auto write = [&](const std::string& path, const std::string& text) {
        std::string error;
        if (!SaveAtomic(path, text, error)) {
            out.error = error;
            return false;
        }
        if (std::find(written.files.begin(), written.files.end(), path) == written.files.end())
            written.files.push_back(path);
        return true;
    };

    // 1. The files from the plan, the allotments still a first guess.
    const std::string b = base.string();
    {
        SharedState a;
        MainWindow w;
        a.Main = &w;
        FillTables(a, plan);
        if (!write(b + kMatrixEnding, MatrixText(a, nullptr)) ||
            !write(b + kIngredientEnding, IngredientRestrictionText(a, nullptr)) ||
            !write(b + kNutrientEnding, NutrientRestrictionText(a, nullptr)) ||
            !write(b + kDietEnding, DietFileText(a, diets)) || !write(b + ".pig", JoinCrlf(PigFileLines(a))))
            return out;
        // Written before the location is opened, so that every run below
        // grows the pig the location will grow.
        if (plan.genotypeFile && !write(b + response::kGenotypeExtension, response::GenotypeText(plan.model)))
            return out;
        std::string currency;
        CurrencyFromTyped(plan.currency, currency);  // checked above
        if (!currency.empty() && !write(b + kSettingsEnding, WithCurrency("", currency))) return out;
    }

    // 2. Opened as the user opens it; the pig grown on least-cost diets until
    // every diet ends near its chosen weight.
    OpenedLocation opened(folder, base);
    const std::unique_ptr<SharedState>& s = opened.s;
    const std::unique_ptr<MainWindow>& w = opened.w;
    CollectingDialogs& dialogs = opened.dialogs;
    w->Combo1.ListIndex = kFormulationLeastCost;
    w->ComboSex.ListIndex = 0;
    bool proteinSet = false;
    for (int run = 0;; ++run) {
        dialogs.messages.clear();
        const GrowthOutcome grown = Growth(*s);
        if (grown == GrowthOutcome::NotFormulated) {
            out.error = "The chosen ingredients give no diet that meets the minimums: " + Joined(dialogs.messages) +
                        " Add ingredients (a protein meal, a fat, the minerals or the amino acids the minimums "
                        "need) and try again.";
            return out;
        }
        if (grown != GrowthOutcome::Results) {
            out.error = "The pig could not be grown on the new location: " + Joined(dialogs.messages);
            return out;
        }
        if (!proteinSet) {
            // Crude protein minimums just under what the amino-acid minimums
            // give on these ingredients, so that they never bind.
            for (int d = 1; d <= diets; ++d)
                s->NutrientLimits(d, 1, 2) =
                    std::max(kLeastProtein, std::floor((s->DietNutrients(d, 2) - 0.5) * 10) / 10);
            proteinSet = true;
        }
        // The allotments that end each diet on the day that starts nearest
        // its weight; run again until they no longer change.
        bool changed = false;
        double before = 0;
        for (int d = 1; d <= diets; ++d) {
            const double w8 = plan.weights[static_cast<std::size_t>(d)];
            const double upTo = d < diets ? FeedToChangeAt(*s, w8) : FeedAtWeight(*s, w8);
            const std::string cell = FormatPattern(std::max(0.1, upTo - before), "0.0");
            changed = changed || cell != w->Griddiets.TextMatrix(3, d);
            w->Griddiets.SetTextMatrix(3, d, cell);
            before = upTo;
        }
        if (!changed || run + 1 == kAllotmentRuns) break;
    }

    // 3. The diets as grown, the protein minimums and the herd's inputs.
    s->CalibInputs(4) = std::round(s->DietResults(diets, 3) * 10) / 10;
    s->CalibInputs(5) = std::round(s->FinalAge * 10) / 10;
    if (!write(b + kDietEnding, DietFileText(*s, diets)) || !write(b + kNutrientEnding, NutrientRestrictionText(*s, nullptr)) ||
        !write(b + ".pig", JoinCrlf(PigFileLines(*s))))
        return out;

    // 4. What is told of the new location is the run its files give: the
    // location opened afresh and grown as the Growth command grows it (the
    // last refinement above may have moved an allotment after its run).
    OpenedLocation again(folder, base);
    SharedState* const fresh = again.s.get();
    MainWindow* const fw = again.w.get();
    std::vector<double> allotments;  // as the files give them, before the run shows what was eaten
    for (int d = 1; d <= diets; ++d) allotments.push_back(NumVal(std::string_view(fw->Griddiets.TextMatrix(3, d))));
    if (Growth(*fresh) != GrowthOutcome::Results) {
        out.error = "The new location's files do not grow the pig: " + Joined(again.dialogs.messages);
        return out;
    }
    out.finalAge = fresh->FinalAge;
    out.totalFeed = fresh->DietResults(diets, 3);
    double fromAge = fresh->StartAge, fromWeight = plan.weights.front(), eaten = 0;
    for (int d = 1; d <= diets; ++d) {
        NewLocationDiet diet;
        diet.name = fw->Griddiets.TextMatrix(1, d);
        diet.fromKg = plan.weights[static_cast<std::size_t>(d - 1)];
        diet.toKg = plan.weights[static_cast<std::size_t>(d)];
        diet.allotment = allotments[static_cast<std::size_t>(d - 1)];
        diet.endWeight = fresh->DietResults(d, 2);
        diet.endAge = d == diets ? fresh->FinalAge : fresh->DietResults(d, 1);
        const double feed = (d == diets ? out.totalFeed : fresh->DietResults(d, 3)) - eaten;
        if (diet.endAge > fromAge) diet.dailyGain = (diet.endWeight - fromWeight) / (diet.endAge - fromAge);
        if (diet.endWeight > fromWeight) diet.feedGain = feed / (diet.endWeight - fromWeight);
        fromAge = diet.endAge;
        fromWeight = diet.endWeight;
        eaten += feed;
        diet.price = fresh->DietPrice(d);
        out.diets.push_back(diet);
    }
    // The herd's measured inputs of the .pig: the pig as its files grow it.
    const double feed = std::round(out.totalFeed * 10) / 10, age = std::round(out.finalAge * 10) / 10;
    if (s->CalibInputs(4) != feed || s->CalibInputs(5) != age) {
        s->CalibInputs(4) = feed;
        s->CalibInputs(5) = age;
        if (!write(b + ".pig", JoinCrlf(PigFileLines(*s)))) return out;
    }
    out.files = written.files;
    out.made = true;
    written.keep = true;
    return out;
}

}  // namespace tarvisol
