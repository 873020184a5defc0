#include "report/RunComparison.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

namespace tarvisol {
namespace {

struct RowDef {
    std::string section, label, unit, key;
    Judge judge;
    int decimals;
    // The number of a run's figures, or none when the run has no such figure.
    std::function<std::optional<double>(const RunFigures&)> number;
    // A text figure (herd sex, formulation, diet names) instead of a number.
    std::function<std::optional<std::string>(const RunFigures&)> text;
};

const DietFigures* DietOf(const RunFigures& f, int d) {
    for (const DietFigures& x : f.Diets)
        if (x.Number == d) return &x;
    return nullptr;
}

// The names of the ingredients whose price differs between the runs, in
// the order the runs name them.
std::vector<std::string> PricesThatDiffer(const std::vector<RunFigures>& figures) {
    std::vector<std::string> names;
    const auto priceIn = [](const RunFigures& f, const std::string& name) -> std::optional<double> {
        for (const auto& [n, p] : f.IngredientPrices)
            if (n == name) return p;
        return std::nullopt;
    };
    for (const RunFigures& f : figures)
        for (const auto& entry : f.IngredientPrices) {
            const std::string& name = entry.first;
            if (std::find(names.begin(), names.end(), name) != names.end()) continue;
            const std::optional<double> first = priceIn(figures.front(), name);
            for (const RunFigures& g : figures)
                if (priceIn(g, name) != first) {
                    names.push_back(name);
                    break;
                }
        }
    return names;
}

// A diet's inclusion of an ingredient: none when the run did not formulate
// the diet, 0 when its formula leaves the ingredient out.
std::optional<double> InclusionIn(const RunFigures& f, int d, const std::string& name) {
    const DietFigures* x = DietOf(f, d);
    if (!x || x->Formula.empty()) return std::nullopt;
    for (const auto& [n, percent] : x->Formula)
        if (n == name) return percent;
    return 0.0;
}

// Per diet, the names of the ingredients whose inclusion differs between the
// runs as shown (two decimals), in the order the runs name them.
std::vector<std::vector<std::string>> InclusionsThatDiffer(const std::vector<RunFigures>& figures, int diets) {
    std::vector<std::vector<std::string>> byDiet(static_cast<std::size_t>(diets) + 1);
    const auto shown = [](const std::optional<double>& x) { return x ? FixedText(*x, 2) : std::string(); };
    for (int d = 1; d <= diets; ++d) {
        std::vector<std::string>& names = byDiet[static_cast<std::size_t>(d)];
        for (const RunFigures& f : figures) {
            const DietFigures* x = DietOf(f, d);
            if (!x) continue;
            for (const auto& entry : x->Formula) {
                const std::string& name = entry.first;
                if (std::find(names.begin(), names.end(), name) != names.end()) continue;
                const std::string first = shown(InclusionIn(figures.front(), d, name));
                bool differs = false, included = false;
                for (const RunFigures& g : figures) {
                    const std::string text = shown(InclusionIn(g, d, name));
                    differs = differs || text != first;
                    included = included || (!text.empty() && text != FixedText(0, 2));
                }
                if (differs && included) names.push_back(name);
            }
        }
    }
    return byDiet;
}

std::vector<RowDef> Rows(const RunFigures& base, int diets, const std::vector<std::string>& prices,
                         const std::vector<std::vector<std::string>>& inclusions, bool genotypes) {
    const std::string w = base.WeightLabel;
    std::vector<RowDef> rows;
    const auto num = [&](std::string section, std::string label, std::string unit, std::string key, Judge judge,
                         int decimals, std::function<double(const RunFigures&)> get) {
        rows.push_back({std::move(section), std::move(label), std::move(unit), std::move(key), judge, decimals,
                        [get](const RunFigures& f) -> std::optional<double> { return get(f); }, nullptr});
    };
    const auto text = [&](std::string section, std::string label, std::string key,
                          std::function<std::optional<std::string>(const RunFigures&)> get) {
        rows.push_back({std::move(section), std::move(label), "", std::move(key), Judge::None, 0, nullptr, std::move(get)});
    };

    const std::string in = "Inputs";
    num(in, "Starting weight", w, "start_weight", Judge::None, 1, [](const RunFigures& f) { return f.StartWeight; });
    num(in, "Final weight", w, "final_weight", Judge::None, 1, [](const RunFigures& f) { return f.FinalWeight; });
    num(in, "Starting age", "days", "start_age", Judge::None, 0, [](const RunFigures& f) { return f.StartAge; });
    text(in, "Herd sex", "sex", [](const RunFigures& f) { return f.Sex; });
    num(in, "Number of pigs", "", "pigs", Judge::None, 0, [](const RunFigures& f) { return f.Pigs; });
    text(in, "Feed formulation", "formulation", [](const RunFigures& f) { return f.Formulation; });
    text(in, "Growth model", "model", [](const RunFigures& f) { return f.Model; });
    // The genotype of a run the nutrient response grew (none when no run was).
    if (genotypes)
        text(in, "Genotype", "genotype", [](const RunFigures& f) -> std::optional<std::string> {
            if (f.Genotype.empty()) return std::nullopt;
            return f.Genotype;
        });
    for (const std::string& name : prices)
        rows.push_back({in, "Price of " + name, base.PriceLabel, "ingredient." + name + ".price", Judge::None, 2,
                        [name](const RunFigures& f) -> std::optional<double> {
                            for (const auto& [n, p] : f.IngredientPrices)
                                if (n == name) return p;
                            return std::nullopt;
                        },
                        nullptr});
    for (int d = 1; d <= diets; ++d) {
        const std::string n = "Diet " + std::to_string(d), k = "diet" + std::to_string(d) + ".";
        const auto field = [d](double DietFigures::*m) {
            return [d, m](const RunFigures& f) -> std::optional<double> {
                const DietFigures* x = DietOf(f, d);
                if (!x) return std::nullopt;
                return x->*m;
            };
        };
        text(in, n + " name", k + "name", [d](const RunFigures& f) -> std::optional<std::string> {
            const DietFigures* x = DietOf(f, d);
            if (!x) return std::nullopt;
            return x->Name;
        });
        rows.push_back({in, n + " price", base.PriceLabel, k + "price", Judge::None, 2, field(&DietFigures::Price), nullptr});
        rows.push_back({in, n + " energy", base.EnergyLabel, k + "energy", Judge::None, 0, field(&DietFigures::Energy), nullptr});
        rows.push_back({in, n + " protein", "%", k + "protein", Judge::None, 2, field(&DietFigures::Protein), nullptr});
        rows.push_back({in, n + " lysine", "%", k + "lysine", Judge::None, 3, field(&DietFigures::Lysine), nullptr});
        rows.push_back({in, n + " allotment", w + " per pig", k + "allotment", Judge::None, 1, field(&DietFigures::Allotment), nullptr});
        for (const std::string& name : inclusions[static_cast<std::size_t>(d)])
            rows.push_back({in, n + " " + name, "%", k + "formula." + name, Judge::None, 2,
                            [d, name](const RunFigures& f) { return InclusionIn(f, d, name); }, nullptr});
    }

    const std::string out = "Results";
    const Judge lo = Judge::LowerBetter, hi = Judge::HigherBetter;
    num(out, "Final age", "days", "final_age", lo, 1, [](const RunFigures& f) { return f.FinalAge; });
    num(out, "Days on feed", "days", "days_on_feed", lo, 1, [](const RunFigures& f) { return f.DaysOnFeed; });
    num(out, "Average daily gain", w + " per day", "daily_gain", hi, 3, [](const RunFigures& f) { return f.DailyGain; });
    num(out, "Total feed", w + " per pig", "total_feed", lo, 1, [](const RunFigures& f) { return f.TotalFeed; });
    num(out, "Feed/gain", "", "feed_gain", lo, 3, [](const RunFigures& f) { return f.FeedGain; });
    num(out, "Cost per pig", "", "cost_per_pig", lo, 2, [](const RunFigures& f) { return f.CostPerPig; });
    num(out, "Cost per " + base.TonneName + " of gain", "", "cost_per_tonne_gain", lo, 2,
        [](const RunFigures& f) { return f.CostPerTonneGain; });
    num(out, "Cost per " + base.TonneName + " of live weight", "", "cost_per_tonne", lo, 2,
        [](const RunFigures& f) { return f.CostPerTonne; });
    const auto carcass = [&](const std::string& section, const std::string& key, int sex) {
        const auto s = static_cast<std::size_t>(sex);
        num(section, "Back fat at 10th rib", base.BackFatLabel, key + "back_fat", lo, 2,
            [s](const RunFigures& f) { return f.Sexes[s].BackFat; });
        num(section, "Longissimus area", base.AreaLabel, key + "loin_area", hi, 2,
            [s](const RunFigures& f) { return f.Sexes[s].LoinArea; });
        num(section, "Carcass lean", "%", key + "lean", hi, 2, [s](const RunFigures& f) { return f.Sexes[s].Lean; });
        num(section, "Carcass yield (model)", "%", key + "yield", hi, 2, [s](const RunFigures& f) { return f.Sexes[s].Yield; });
    };
    carcass(out, "", 0);
    // What the pig left, from the runs that could balance it.
    const auto balance = [&](const std::string& label, const std::string& key, int decimals,
                             bool NutrientBalance::*computed, double NutrientBalance::*value) {
        rows.push_back({"Nutrient balance", label, "kg", key, lo, decimals,
                        [computed, value](const RunFigures& f) -> std::optional<double> {
                            if (!(f.Balance.*computed)) return std::nullopt;
                            return f.Balance.*value;
                        },
                        nullptr});
    };
    balance("N excreted per pig", "n_excreted", 2, &NutrientBalance::NitrogenComputed, &NutrientBalance::NExcreted);
    balance("N excreted per place and year", "n_excreted_per_place_year", 2, &NutrientBalance::NitrogenComputed,
            &NutrientBalance::NExcretedPerPlaceYear);
    balance("P excreted per pig", "p_excreted", 3, &NutrientBalance::PhosphorusComputed, &NutrientBalance::PExcreted);
    balance("P2O5 excreted per place and year", "p2o5_excreted_per_place_year", 2,
            &NutrientBalance::PhosphorusComputed, &NutrientBalance::P2O5ExcretedPerPlaceYear);
    for (int sex = 1; sex <= 2; ++sex) {
        const std::string section = sex == 1 ? "Males" : "Females", key = sex == 1 ? "males." : "females.";
        const auto s = static_cast<std::size_t>(sex);
        num(section, "Live weight", w, key + "live_weight", Judge::None, 1,
            [s](const RunFigures& f) { return f.Sexes[s].LiveWeight; });
        num(section, "Feed", w + " per pig", key + "feed", lo, 1, [s](const RunFigures& f) { return f.Sexes[s].Feed; });
        num(section, "Cost", "", key + "cost", lo, 2, [s](const RunFigures& f) { return f.Sexes[s].Cost; });
        num(section, "Feed/gain", "", key + "feed_gain", lo, 3, [s](const RunFigures& f) { return f.Sexes[s].FeedGain; });
        carcass(section, key, sex);
    }
    return rows;
}

}  // namespace

std::string FixedText(double value, int decimals) {
    if (!std::isfinite(value)) return "";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", std::clamp(decimals, 0, 9), value);
    std::string t = buf;
    // No "-0.00": a value that rounds to zero shows as zero.
    if (t.front() == '-' && t.find_first_not_of("-0.") == std::string::npos) t.erase(t.begin());
    return t;
}

std::string SignedText(double value, int decimals) {
    std::string t = FixedText(value, decimals);
    if (t.empty() || t.front() == '-') return t;
    if (t.find_first_not_of("0.") == std::string::npos) return t;
    return "+" + t;
}

std::string VerdictName(Verdict v) {
    switch (v) {
        case Verdict::Same: return "same";
        case Verdict::Better: return "better";
        case Verdict::Worse: return "worse";
        default: return "";
    }
}

RunComparison CompareRuns(const std::vector<KeptRun>& runs, int base) {
    RunComparison c;
    if (runs.empty()) return c;
    c.Base = std::clamp(base, 0, static_cast<int>(runs.size()) - 1);
    const RunSnapshot& baseRun = runs[static_cast<std::size_t>(c.Base)].Run;
    c.Units = UnitsOf(baseRun);
    std::vector<RunFigures> figures;
    int diets = 0;
    for (const KeptRun& k : runs) {
        c.Names.push_back(k.Name);
        c.Kept.push_back(k.Kept);
        figures.push_back(FiguresOf(k.Run, c.Units));
        for (const DietFigures& d : figures.back().Diets) diets = std::max(diets, d.Number);
    }
    const RunFigures& b = figures[static_cast<std::size_t>(c.Base)];
    const bool genotypes =
        std::any_of(figures.begin(), figures.end(), [](const RunFigures& f) { return !f.Genotype.empty(); });
    for (const RowDef& rowDef :
         Rows(b, diets, PricesThatDiffer(figures), InclusionsThatDiffer(figures, diets), genotypes)) {
        ComparedRow row{rowDef.section, rowDef.label, rowDef.unit, rowDef.key, rowDef.judge, rowDef.decimals, {}};
        std::optional<double> baseNumber;
        std::optional<std::string> baseText;
        if (rowDef.number) baseNumber = rowDef.number(b);
        if (rowDef.text) baseText = rowDef.text(b);
        for (std::size_t i = 0; i < figures.size(); ++i) {
            ComparedValue v;
            const bool isBase = static_cast<int>(i) == c.Base;
            if (rowDef.number) {
                const std::optional<double> x = rowDef.number(figures[i]);
                if (x && std::isfinite(*x)) {
                    v.Present = v.Numeric = true;
                    v.Number = *x;
                    v.Text = FixedText(*x, rowDef.decimals);
                    if (!isBase && baseNumber && std::isfinite(*baseNumber)) {
                        v.HasDifference = true;
                        v.Difference = *x - *baseNumber;
                        v.DifferenceText = SignedText(v.Difference, rowDef.decimals);
                        if (*baseNumber != 0) {
                            v.HasPercent = true;
                            v.Percent = 100.0 * v.Difference / std::fabs(*baseNumber);
                            v.PercentText = SignedText(v.Percent, 1) + " %";
                        }
                        // Same when the two figures read the same as shown.
                        const bool same = FixedText(*x, rowDef.decimals) == FixedText(*baseNumber, rowDef.decimals);
                        if (same) v.Outcome = Verdict::Same;
                        else if (rowDef.judge != Judge::None)
                            v.Outcome = (v.Difference < 0) == (rowDef.judge == Judge::LowerBetter) ? Verdict::Better
                                                                                                   : Verdict::Worse;
                    }
                }
            } else if (rowDef.text) {
                const std::optional<std::string> t = rowDef.text(figures[i]);
                if (t) {
                    v.Present = true;
                    v.Text = *t;
                    if (!isBase && baseText) {
                        v.HasDifference = true;
                        v.DifferenceText = *t == *baseText ? "" : "changed";
                        if (*t == *baseText) v.Outcome = Verdict::Same;
                    }
                }
            }
            row.Values.push_back(std::move(v));
        }
        c.Rows.push_back(std::move(row));
    }
    return c;
}

}  // namespace tarvisol
