#pragma once
// The figures the margin search shows for each programme and each diet, in
// the order every table shows them: the command line, the optimisation
// window, its report and the workbook read these lists, each figure from the
// one MarginSearchResult of the run.
#include <string>

#include "optimisation/MarginProgramme.h"

namespace tarvisol {

struct MarginFigure {
    const char* Key;    // JSON name
    const char* Label;  // row caption; the carcass row adds its unit
    int Decimals;
    double MarginOutcome::*Value;
    bool HerdOnly = false;  // shown when the margin was valued on a herd
};

inline constexpr MarginFigure kMarginFigures[] = {
    {"sale_weight", "Sale weight, kg", 1, &MarginOutcome::SaleWeight},
    {"feed_cost_per_pig", "Feed cost per pig", 2, &MarginOutcome::FeedCost},
    {"adg", "ADG, kg/day", 3, &MarginOutcome::DailyGain},
    {"feed_gain", "Feed/gain", 3, &MarginOutcome::FeedGain},
    {"carcass_weight", "Carcass", 1, &MarginOutcome::CarcassWeight},
    {"lean_percent", "Lean, %", 1, &MarginOutcome::Lean},
    {"days", "Days on feed", 1, &MarginOutcome::Days},
    {"herd_feed_cost_per_pig", "Herd feed cost per pig", 2, &MarginOutcome::HerdFeedCost, true},
    {"herd_revenue_per_pig", "Herd revenue per pig", 2, &MarginOutcome::HerdRevenue, true},
    {"sort_loss_per_pig", "Sort loss per pig", 2, &MarginOutcome::SortLoss, true},
    {"barn_days", "Barn days", 0, &MarginOutcome::BarnDays, true},
    {"margin_per_pig", "Margin per pig", 2, &MarginOutcome::MarginPerPig},
    {"margin_per_place_year", "Margin per pig place and year", 2, &MarginOutcome::MarginPerPlaceYear},
};

struct MarginDietFigure {
    const char* Key;
    const char* Label;
    int Decimals;
    double MarginDiet::*Value;
};

// Per diet of a programme. A lysine share of 0 was not worked out.
inline constexpr MarginDietFigure kMarginDietFigures[] = {
    {"ne", "NE, kcal/kg", 0, &MarginDiet::Ne},
    {"sid_lysine", "SID lysine, %", 3, &MarginDiet::SidLysine},
    {"lysine_of_requirement", "SID lysine, % of requirement", 0, &MarginDiet::LysineOfRequirement},
    {"lysine_per_mcal_ne", "g SID lysine per Mcal NE", 2, &MarginDiet::LysinePerMcal},
    {"allotment", "Allotment, kg", 1, &MarginDiet::Allotment},
    {"price_per_kg", "Price per kg", 3, &MarginDiet::Price},
};

// The figure's caption, the carcass row with its weight unit.
inline std::string MarginFigureLabel(const MarginFigure& f, const std::string& carcassUnit) {
    return std::string(f.Key) == "carcass_weight" ? std::string(f.Label) + ", " + carcassUnit : std::string(f.Label);
}

}  // namespace tarvisol
