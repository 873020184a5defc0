#pragma once
// The pig of a run on the nutrient-response model, on values: one sex grown
// alone, or a barrow and a gilt grown side by side whose mean is the pig of
// a mixed herd, from a starting weight and age to a final weight on a
// programme of diets changed by feed allotment. What the growth run writes
// into the record, and what calibration, optimisation and the herd read
// without going through the record.
#include <array>
#include <vector>

#include "response/ResponsivePig.h"
#include "shared/Genotype.h"
#include "shared/ResponseDays.h"

namespace tarvisol::response {

// Which pigs a run grows: 0 a mixed herd (both), 1 the males, 2 the females.
inline bool GrowsMales(int herdSex) { return herdSex != 2; }
inline bool GrowsFemales(int herdSex) { return herdSex != 1; }

struct HerdPigStart {
    int Age = 0;             // days
    double Weight = 0;       // kg
    double FinalWeight = 0;  // kg
    int LastDay = 198;       // the last day whose weight the run may reach
    int HerdSex = 0;
};

struct HerdPigRun {
    bool Failed = false;   // a day could not be grown (no energy, a figure not finite), or the genotype cannot be grown
    bool Reached = false;  // the pig reached the final weight by LastDay
    int StartAge = 0;
    // Day i of the run (age StartAge + i), at the start of the day: the
    // run's pig (the mean of the sexes of a mixed herd) and each sex grown.
    // Days holds every day whose next weight lies within LastDay; the sexes
    // may hold one day more (the day the run stopped on).
    std::vector<ResponseDayFigures> Days, Males, Females;
    double EndWeight = 0;    // kg at the start of the day after the last in Days
    double EndLipid = 0;     // body lipid then (kg; the mean of the sexes)
    // The feed of a day grown past LastDay, whose weight the run may not
    // reach (0 when the run stopped at the final weight).
    double FeedAfterLastDay = 0;
    double FinalAge = 0;     // days, interpolated at the final weight when reached; else the last day
    double TotalFeed = 0;    // kg supplied to the final age (the last day in part)
    // Per diet 1..8 as the mean pig ran out of it: the day (0 for a diet not
    // finished), the weight at the start of that day and the feed counted to
    // the end of its allotment.
    std::array<double, kMaxDiets + 1> DietEndAge{}, DietEndWeight{}, DietEndFeed{};
    int LastDiet = 1;        // the diet in force when the run ended

    double WeightAt(int age) const;  // the run's pig at the start of day age (EndWeight past Days)
};

// Grows the run; the vectors of out are reused (no allocation once they have
// grown to a run's length).
void GrowHerdPig(const Genotype& genotype, const ResponseProgramme& programme, const HerdPigStart& start, HerdPigRun& out);

}  // namespace tarvisol::response
