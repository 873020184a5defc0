#pragma once
// The figures a precision-feeding comparison shows for each way of feeding,
// in the order every table shows them: the command line, the window, the
// report and the workbook read this one list.
#include <string>

#include "precision/PrecisionRun.h"

namespace tarvisol::precision {

struct PrecisionFigure {
    const char* Key;    // JSON name
    const char* Label;  // row caption
    int Decimals;
    double StrategyResult::*Value;
};

inline constexpr PrecisionFigure kPrecisionFigures[] = {
    {"sid_lysine_kg", "SID lysine eaten, kg/pig", 3, &StrategyResult::SidLysine},
    {"crude_protein_kg", "Crude protein eaten, kg/pig", 2, &StrategyResult::CrudeProtein},
    {"sttd_phosphorus_kg", "STTD P eaten, kg/pig", 3, &StrategyResult::SttdPhosphorus},
    {"n_intake_kg", "N eaten, kg/pig", 3, &StrategyResult::NIntake},
    {"n_retained_kg", "N retained, kg/pig", 3, &StrategyResult::NRetained},
    {"n_excreted_kg", "N excreted, kg/pig", 3, &StrategyResult::NExcreted},
    {"p_intake_kg", "P eaten (total), kg/pig", 3, &StrategyResult::PIntake},
    {"p_excreted_kg", "P excreted, kg/pig", 3, &StrategyResult::PExcreted},
    {"n_excreted_per_place_year_kg", "N excreted, kg/place-year", 2, &StrategyResult::NExcretedPerPlaceYear},
    {"p2o5_excreted_per_place_year_kg", "P2O5 excreted, kg/place-year", 2, &StrategyResult::P2O5ExcretedPerPlaceYear},
    {"feed_supplied_kg", "Feed supplied, kg/pig", 1, &StrategyResult::FeedSupplied},
    {"feed_cost", "Feed cost per pig", 2, &StrategyResult::FeedCost},
    {"daily_gain_kg", "Daily gain, kg", 3, &StrategyResult::DailyGain},
    {"feed_gain", "Feed/gain", 3, &StrategyResult::FeedGain},
    {"carcass_weight", "Carcass weight", 1, &StrategyResult::CarcassWeight},
    {"lean_percent", "Carcass lean, %", 1, &StrategyResult::Lean},
    {"days", "Days on feed", 1, &StrategyResult::Days},
    {"margin_per_pig", "Margin per pig", 2, &StrategyResult::MarginPerPig},
    {"margin_per_place_year", "Margin per place-year", 2, &StrategyResult::MarginPerPlaceYear},
    {"share_days_below", "Pig-days below 95 % SID lysine", 3, &StrategyResult::ShareDaysBelow},
    {"share_days_below_sttd_phosphorus", "Pig-days below 95 % STTD P", 3, &StrategyResult::ShareDaysBelowPhosphorus},
    {"share_days_short_of_a", "Pig-days feed A alone falls short", 3, &StrategyResult::ShareDaysShortOfA},
    {"share_of_a", "Share of feed A eaten", 3, &StrategyResult::ShareOfA},
};

// A figure the feeds cannot give (phosphorus a feed does not state) is not shown.
inline bool FigureShown(const PrecisionFigure& f, const PrecisionResult& r) {
    const std::string key = f.Key;
    if (!r.PhosphorusComputed && (key == "p_intake_kg" || key == "p_excreted_kg" || key == "p2o5_excreted_per_place_year_kg"))
        return false;
    return r.SttdPhosphorusStated || (key != "sttd_phosphorus_kg" && key != "share_days_below_sttd_phosphorus");
}

}  // namespace tarvisol::precision
