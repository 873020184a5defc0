#pragma once
// The days of a nutrient-response run as the record and a kept run hold
// them: what each day's pig ate and deposited, what held its protein
// deposition, and its body. Plain data; the growth run fills it when the
// location runs the nutrient-response model (empty for the documented curve).
#include <cstdint>
#include <vector>

namespace tarvisol {

struct ResponseDayFigures {
    int Age = 0;                   // days, at the start of the day
    double Weight = 0;             // kg at the start of the day
    double FeedSupplied = 0;       // kg, wastage included (what the allotments and costs count)
    double FeedEaten = 0;          // kg
    double ProteinDeposition = 0;  // g
    double LipidDeposition = 0;    // g
    double BodyProtein = 0;        // kg at the start of the day
    double BodyLipid = 0;          // kg at the start of the day
    // What held protein deposition (response::LimitingName): of the pig, or
    // of the males and of the females of a mixed herd (the same code twice
    // for one sex).
    int8_t LimitingMales = -1, LimitingFemales = -1;
    // The diet in force and the changeover blend, as the feed counted
    // against the allotments gives them.
    int Diet = 0;
    int NextDiet = 0;
    double DietShare = 1;   // share of the day's feed from Diet
    double FeedShare = 1;   // share of the day's feed counted against Diet's allotment
    double Share = 1;       // part of the day the run used (below 1 on the final day)
};

struct ResponseRunDays {
    bool Used = false;  // the last growth run ran the nutrient-response model
    // The run's pig (the mean of the sexes of a mixed herd), one entry per
    // day grown from the starting age; and each sex grown on its own (empty
    // for a sex the herd does not have).
    std::vector<ResponseDayFigures> Days, Males, Females;
};

}  // namespace tarvisol
