#pragma once
// The "Market Weight" window: the location's market settings, the range of
// final weights, the table of what a pig earns at each weight, the chart of
// both margins with the best weights and the present final weight, and the
// buttons that run it, save the settings and take a best weight into the
// main window's "Final Weight".
#include <array>
#include <string>
#include <vector>

#include "market/MarketAnalysis.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

class Progress;

inline constexpr const char* kMarketCaption = "Market Weight";
inline constexpr const char* kMarketCancelled = "Market weights cancelled";
inline constexpr const char* kMarketOtherLocation =
    "The market weights shown were worked out for another location: press Run for this one";
inline constexpr const char* kMarketNoLocation = "Open a location before the market weights";
inline constexpr const char* kMarketNothingReached =
    "No final weight of the range is reached by day 198: there is no best weight";
inline constexpr const char* kMarketNoBest = "Run the market weights first: there is no best weight to take";

// Columns of the table.
inline constexpr int kMarketColumns = 13;

inline constexpr Color kBestRow = Rgb(200, 240, 200);        // a best weight
inline constexpr Color kNotReachedRow = Rgb(235, 235, 235);  // a weight not reached by day 198

inline constexpr const char* kMarketFeedBasis =
    "Feed and feed cost count to the fractional final age, as the days on feed do (the share of the last day the "
    "pig needed). Growth's summary counts whole days to the final age rounded, so its feed at the same weight may "
    "differ by up to half a day's feed.";

struct MarketWeightWindow {
    std::string Caption = kMarketCaption;
    bool Visible = false;

    // One box per market setting, in the order of kMarketFields, with its label.
    std::array<TextBox, kMarketFieldCount> Settings;
    std::array<Label, kMarketFieldCount> SettingLabels;
    TextBox TextFrom, TextTo, TextStep;
    Label LabelFrom{"From"}, LabelTo{"To"}, LabelStep{"Step"};

    Grid GridMarket{"GridMarket", 2, kMarketColumns};
    Label LabelBest;  // the two best weights, or why there are none
    // What the feed and feed cost columns count, beside Growth's summary.
    Label LabelFeedBasis{kMarketFeedBasis};
    // Beside the best weights: a best weight whose carcass lies within one
    // standard deviation of the herd of a band edge, and where to see the barn.
    Label LabelSpread;

    Button CommandRun{"Run", "Grow the programme to every final weight of the range"};
    Button CommandSave{"Save Market Settings", "Save the settings as the location's market file"};
    Button CommandDefaults{"Defaults", "Put the default market settings in the boxes"};
    Button CommandUsePerPig{"Use Best per Pig", "Take the best weight per pig into the main window's Final Weight"};
    Button CommandUsePerYear{"Use Best per Place-Year",
                             "Take the best weight per pig place and year into the main window's Final Weight"};

    // The last analysis the window finished (empty before the first), and
    // the location (base name) it was made for.
    MarketAnalysis Analysis;
    std::string Location;
    // Per best weight (per pig, per place-year): what "Use Best" asks before
    // it takes a weight at a band edge for the herd's spread; empty when it
    // need not ask.
    std::string SpreadPerPig, SpreadPerPlaceYear;
};

// Opening the window: the location's market file (or the defaults) in the
// boxes, the range around the main window's final weight, the captions in the
// location's units, the table of the last analysis kept when it was made for
// this location's units.
void ShowMarketWeightWindow(SharedState& s, MarketWeightWindow& f);

// "Run": reads the boxes (a box it cannot use gives a message and nothing
// runs), grows the programme to every weight and lays out the table. A
// cancel leaves the table of before and says so.
void RunMarketWeights(SharedState& s, MarketWeightWindow& f, Progress* progress = nullptr, int threads = 0);

// "Save Market Settings": the boxes, when every one is usable, as <base>.mkt.
bool SaveMarketWeightSettings(SharedState& s, MarketWeightWindow& f);

// "Defaults": the default settings of the location's weight unit in the boxes.
void MarketDefaultsClick(SharedState& s, MarketWeightWindow& f);

// The two "Use Best" buttons: the best weight of the last analysis into the
// main window's "Final Weight" box. False (with a message) when there is none,
// and when the weight lies at a band edge for the herd's spread and the user
// answers No to taking it all the same.
bool UseBestMarketWeight(SharedState& s, MarketWeightWindow& f, bool perPlaceYear);

// What the chart draws: both margins against final weight (weights sold
// only), the best points and the main window's final weight.
struct MarketChart {
    std::vector<std::pair<double, double>> PerPig, PerPlaceYear;
    bool HasBest = false;
    std::pair<double, double> BestPerPig{}, BestPerPlaceYear{};
    double CurrentWeight = 0;  // 0 when the box holds none
    std::string WeightAxis, MarginAxis, YearAxis;
};
MarketChart MarketChartOf(const SharedState& s, const MarketWeightWindow& f);

}  // namespace tarvisol
