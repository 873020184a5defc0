#pragma once
// The "Herd and Marketing" window: how the pigs of the barn differ, the cuts
// the barn is sold in, the table of each cut and the totals, the histogram of
// carcass weights per cut with the packer's band, and the search for the
// cuts that pay best per pig place and year.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "market/HerdCuts.h"
#include "market/HerdPopulation.h"
#include "market/MarketSettings.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

class Progress;

inline constexpr const char* kHerdCaption = "Herd and Marketing";
inline constexpr const char* kHerdNoLocation = "Open a location before the herd";
inline constexpr const char* kHerdCancelled = "Herd and Marketing cancelled";
inline constexpr int kHerdSettingCount = 10;  // pigs, seed, four spreads, carcass yield, three correlations
inline constexpr int kHerdResultColumns = 9;
inline constexpr Color kTotalsRow = Rgb(225, 235, 250);  // the totals under the cuts

struct HerdWindow {
    std::string Caption = kHerdCaption;
    bool Visible = false;

    // Pigs, seed, the spreads of starting weight, growth rate, mature size and
    // maintenance (CV %), the packer's dressing (opened on the market
    // file's; blank: the model's carcass yield), and
    // the correlations of growth rate with starting weight, mature size and
    // maintenance.
    std::array<TextBox, kHerdSettingCount> Settings;
    std::array<Label, kHerdSettingCount> SettingLabels;
    // Up to four cuts, one per row: day of age, the live weight at or above
    // which pigs go, or the share of the pigs left; the last filled row
    // empties the barn. All blank: the whole barn at the pig's final age.
    Grid GridCuts{"GridCuts", kHerdMaxCuts + 1, 4};
    Grid GridHerd{"GridHerd", 2, kHerdResultColumns};  // per cut, then the totals row
    Label LabelTotals;  // per pig and per place-year, or why there are none
    Label LabelBest;    // what the best cuts gain over one day for the whole barn

    Button CommandSell{"Grow and Sell", "Grow the herd on the programme and sell it in the cuts"};
    Button CommandBest{"Find the Best Cuts",
                       "Search the days and weights of up to four cuts for the best margin per pig place and year"};
    Button CommandDefaults{"Defaults", "Put the default herd settings in the boxes"};
    Button CommandSave{"Save Herd Settings", "Save the herd settings as the location's herd file"};

    // What the window last showed, and for which location.
    std::string Location;
    MarketSettings Market;
    Herd LastHerd;
    HerdValue Value;
    std::string CarcassUnit = "kg";
};

// Opening: the location's herd settings (its .hrd file, or the defaults) in
// the boxes, the yield from its market file, the cuts blank, the captions in
// the location's units.
void ShowHerdWindow(SharedState& s, HerdWindow& f);

// A cut cell typed by the user.
void EditHerdCut(HerdWindow& f, int row, int col, const std::string& text);

// "Grow and Sell": reads the boxes and the cuts (a box or cut it cannot use
// gives a message and nothing runs), grows the herd and sells it.
void SellHerdClick(SharedState& s, HerdWindow& f, Progress* progress = nullptr, int threads = 0);

// "Find the Best Cuts": grows the herd and searches the cuts; the best go
// into the cuts grid and are sold. A cancel leaves the window as it was.
void BestHerdCutsClick(SharedState& s, HerdWindow& f, Progress* progress = nullptr, int threads = 0);

void HerdDefaultsClick(SharedState& s, HerdWindow& f);

// "Save Herd Settings": the boxes, when every one is usable, as <base>.hrd
// (the carcass yield belongs to the market settings and is not saved here).
bool SaveHerdWindowSettings(SharedState& s, HerdWindow& f);

// The histogram: carcass weights per cut in bins of equal width, the band.
struct HerdHistogram {
    double From = 0, BinWidth = 1;              // carcass weight unit
    std::vector<std::vector<int>> Counts;       // per cut, per bin
    std::vector<std::string> CutNames;          // "Cut 1, day 150"
    double BandLow = 0, BandHigh = 0;
    std::string Axis;                           // "Carcass weight, kg"
};
HerdHistogram HerdHistogramOf(const HerdWindow& f);

// The herd the window last sold, for the report and the workbook; none
// before a sale or for another location than s's.
std::optional<HerdReport> HerdReportOf(const SharedState& s, const HerdWindow& f);

}  // namespace tarvisol
