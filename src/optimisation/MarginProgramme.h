#pragma once
// What the margin search moves and what it weighs: a programme as levels
// (per diet the net energy and SID lysine it is formulated to, the feed
// allotted to it, and the weight the pig is sold at), the objective the
// optimisation window offers, and what one programme grown and sold gives.
#include <array>
#include <string>

namespace tarvisol {

// The optimisation's objective. FeedCost is the documented search (feed cost
// per pig at the target weight); the margins are the market's, per pig and
// per pig place and year.
enum class OptObjective { FeedCost, MarginPerPlaceYear, MarginPerPig };

// "cost", "margin-place-year", "margin-pig": the command line's names.
const char* ObjectiveKey(OptObjective o);
// As the optimisation window lists them.
const char* ObjectiveCaption(OptObjective o);
// False for a key that names no objective.
bool ObjectiveOfKey(const std::string& key, OptObjective& o);

inline constexpr int kMarginMaxDiets = 8;

struct MarginDietLevels {
    double Ne = 0;         // kcal NE per kg as fed: the diet's energy minimum
    double SidLysine = 0;  // % of the feed: the lysine minimum; the other amino acids follow by their ideal ratios
    double Allotment = 0;  // kg per pig (the last diet is fed to the sale weight)
    bool operator==(const MarginDietLevels&) const = default;
};

struct MarginProgramme {
    int Count = 0;
    std::array<MarginDietLevels, kMarginMaxDiets> Diets{};
    double SaleWeight = 0;  // kg live
    bool operator==(const MarginProgramme&) const = default;
};

// One diet as formulated and fed.
struct MarginDiet {
    double Ne = 0;                  // kcal per kg, as formulated
    double SidLysine = 0;           // %, as formulated
    double LysinePerMcal = 0;       // g SID lysine per Mcal NE
    double LysineOfRequirement = 0; // % of the pigs' SID lysine requirement over the diet's phase (0: not worked out)
    double Allotment = 0;           // kg per pig
    double Price = 0;               // money per kg of feed
};

// A programme grown on the location's model and sold by its market, every
// figure counted as the market analysis counts it.
struct MarginOutcome {
    bool Sold = false;     // formulated, grown to the sale weight and priced
    std::string Message;   // why not
    int Count = 0;
    std::array<MarginDiet, kMarginMaxDiets> Diets{};
    double SaleWeight = 0;       // kg live
    double FeedCost = 0;         // per pig, to the fractional final age
    double MarginPerPig = 0;
    double MarginPerPlaceYear = 0;
    double CarcassValue = 0;     // per pig
    double CarcassWeight = 0;    // kg (lb in the pound system)
    double Lean = 0;             // carcass lean, %
    double FeedGain = 0;
    double DailyGain = 0;        // kg a day
    double Days = 0;             // on feed
    double FinalAge = 0;

    // Valued on a herd (HerdPigs above 0): the whole barn sold on the day of
    // age the programme's pig reaches the sale weight, every pig at its own
    // weight, so that pigs outside the band cost their discount. The margins
    // above are then the herd's per pig; the growth figures stay the pig's.
    int HerdPigs = 0;
    int SaleAge = 0;                 // the day the barn is sold
    double HerdFeedCost = 0;         // per pig
    double HerdRevenue = 0;          // per pig
    double SortLoss = 0;             // per pig, against the same pigs all inside the band
    double OutsideBand = 0;          // share of the pigs, 0 to 1
    double BarnDays = 0;

    // The value the objective maximises: the margin, or the feed cost
    // negated; minus infinity for a programme that was not sold.
    double Value(OptObjective o) const;
};

}  // namespace tarvisol
