#include "report/RequirementTables.h"

#include "nutrition/NutrientBalance.h"
#include "report/RunComparison.h"
#include "shared/TextEncoding.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

TableCell Num(double v, int decimals) { return {{}, v, decimals}; }
TableCell Txt(std::string t) { return {std::move(t), std::nullopt, 0}; }
TableCell NumOr(bool have, double v, int decimals) { return have ? Num(v, decimals) : Txt("-"); }

}  // namespace

std::string TableCell::Shown() const { return Number ? FixedText(*Number, Decimals) : Text; }

std::vector<FigureTable> RequirementTablesOf(const RunSnapshot& run) {
    std::vector<FigureTable> tables;
    const RunRequirements& r = run.Nutrition.Requirements;
    if (!r.Computed) return tables;
    const double wf = WeightFactor(run.WeightUnit);
    const std::string unit = run.WeightUnit == 1 ? "lb" : run.WeightUnit == 2 ? "g" : "kg";
    const int lysine = r.IndexOf("lysine");
    for (const RequirementPhase& ph : r.Phases) {
        FigureTable t;
        t.Title = "Diet " + std::to_string(ph.Diet) + ": " + Windows1252ToUtf8(ph.Name) + ", " +
                  FixedText(ph.FromWeight / wf, 1) + " to " + FixedText(ph.ToWeight / wf, 1) + " " + unit + ", " +
                  std::to_string(ph.Days) + " days";
        t.Header = {"Nutrient", "Required, %", "Supplied, %", "Ratio", "Days short", "Days over"};
        for (std::size_t i = 0; i < r.Nutrients.size() && i < ph.Values.size(); ++i) {
            const PhaseValue& v = ph.Values[i];
            t.Rows.push_back({Txt(Windows1252ToUtf8(r.Nutrients[i].Name)), Num(v.Requirement, 3),
                              NumOr(v.Stated, v.Supply, 3), NumOr(v.Stated, v.Ratio, 2), Num(v.DaysBelow, 0),
                              Num(v.DaysAbove, 0)});
            if (static_cast<int>(i) == lysine)
                t.Rows.push_back({Txt(std::string("SID Lys, g/Mcal ") + (r.EnergyIsNet ? "NE" : "energy")),
                                  Num(ph.LysinePerMcalRequirement, 2),
                                  NumOr(ph.LysinePerMcalSupply > 0, ph.LysinePerMcalSupply, 2),
                                  NumOr(ph.LysinePerMcalSupply > 0 && ph.LysinePerMcalRequirement > 0,
                                        ph.LysinePerMcalRequirement > 0 ? ph.LysinePerMcalSupply / ph.LysinePerMcalRequirement : 0, 2),
                                  Txt(""), Txt("")});
        }
        tables.push_back(std::move(t));
    }
    return tables;
}

FigureTable BalanceTableOf(const RunSnapshot& run) {
    const NutrientBalance& b = run.Nutrition.Balance;
    FigureTable t;
    t.Title = "Nitrogen and phosphorus balance";
    t.Header = {"Per pig", "Eaten, kg", "Retained, kg", "Excreted, kg", "g per kg gain", "kg per place and year", "EU BAT range"};
    const auto perGain = [&](double kg) { return b.Gain > 0 ? kg * 1000.0 / b.Gain : 0.0; };
    const TableCell none = Txt("-");
    const auto above = [](TableCell c, double high) {
        c.AboveRange = c.Number && *c.Number > high;
        return c;
    };
    if (b.NitrogenComputed)
        t.Rows.push_back({Txt("Nitrogen (N)"), Num(b.NIntake, 2), Num(b.NRetained, 2), Num(b.NExcreted, 2),
                          Num(perGain(b.NExcreted), 1), above(Num(b.NExcretedPerPlaceYear, 2), kBatNitrogenHigh),
                          Txt(FixedText(kBatNitrogenLow, 1) + "-" + FixedText(kBatNitrogenHigh, 1))});
    else
        t.Rows.push_back({Txt("Nitrogen (N)"), none, none, none, none, none, none});
    if (b.PhosphorusComputed)
        t.Rows.push_back({Txt("Phosphorus (P)"), Num(b.PIntake, 3), Num(b.PRetained, 3), Num(b.PExcreted, 3),
                          Num(perGain(b.PExcreted), 1), above(Num(b.P2O5ExcretedPerPlaceYear, 2), kBatP2O5High),
                          Txt(FixedText(kBatP2O5Low, 1) + "-" + FixedText(kBatP2O5High, 1))});
    else
        t.Rows.push_back({Txt("Phosphorus (P)"), none, none, none, none, none, none});
    return t;
}

std::vector<std::string> RequirementNotesOf(const RunSnapshot& run) {
    std::vector<std::string> lines;
    const RunRequirements& r = run.Nutrition.Requirements;
    const NutrientBalance& b = run.Nutrition.Balance;
    if (r.Computed)
        lines.push_back("Requirements by the NRC (2012) factorial method from each day's weight, feed and protein "
                        "deposition: SID amino acids, STTD phosphorus and total calcium, % of the feed as fed. Days "
                        "short: below 95 % of the day's requirement; days over: above 115 %.");
    lines.push_back("Excreted per pig place and year: kg N, and kg P2O5 for phosphorus (P x 2.291); places are "
                    "used " + FixedText(b.BatchesPerYear, 2) + " times a year: " + FixedText(b.DaysOnFeed, 1) +
                    " days on feed and " + FixedText(b.EmptyDays, 0) +
                    " empty days (the market settings). EU BAT ranges for fattening pigs: Commission Implementing "
                    "Decision (EU) 2017/302.");
    if (!b.NitrogenComputed && !b.NitrogenMissing.empty()) lines.push_back(Windows1252ToUtf8(b.NitrogenMissing));
    if (!b.PhosphorusComputed && !b.PhosphorusMissing.empty()) lines.push_back(Windows1252ToUtf8(b.PhosphorusMissing));
    for (const std::string& n : r.Notes) lines.push_back(Windows1252ToUtf8(n));
    return lines;
}

}  // namespace tarvisol
