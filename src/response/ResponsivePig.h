#pragma once
// The nutrient-response pig, one day at a time. Each day it eats along its
// intake curve on the diet in force (net energy), keeps its maintenance,
// deposits protein up to its potential as far as the energy and the first-
// limiting SID amino acid allow (the factorial of the requirements read
// backwards), and lays the energy left down as lipid; water and ash follow
// the protein, the live weight the empty body.
//
// Value types only, no allocation in the daily loop.
#include <array>
#include <cstdint>
#include <string>

#include "response/GenotypeCurves.h"
#include "response/PigBody.h"

namespace tarvisol::response {

inline constexpr int kAminoAcids = 12;   // diet columns 3..14
inline constexpr int kMaxDiets = 8;

struct ResponseDiet {
    double Ne = 0;                            // kcal NE per kg as fed
    std::array<double, kAminoAcids> Amino{};  // % SID of the feed; 0 where the diet states none
    double Allotment = 0;                     // kg per pig supplied (wastage included)
};

struct ResponseProgramme {
    int Count = 0;
    std::array<ResponseDiet, kMaxDiets> Diets{};
};

// What held protein deposition on a day: the potential, the energy, or
// amino acid j (kLimitAmino + j, j in the diet's column order 3..14).
inline constexpr int8_t kLimitPotential = 0, kLimitEnergy = 1, kLimitAmino = 2, kLimitNone = -1;
// "potential", "energy", "lysine", ... ("" for none).
const char* LimitingName(int code);

// The diet in force on a day: the diet, and on a changeover day the next one
// blended in with the share of the day's feed still from the diet.
struct DayDiet {
    int Diet = 1;
    int Next = 0;
    double Share = 1;
};

// The feed counted against the allotments, as the documented growth engine
// counts it: a day whose feed, estimated by yesterday's, would cross the end
// of the diet's allotment is a blend by the share still within it; a diet
// ends on the day its allotment is used up; the last diet runs to the end.
struct Allotments {
    int Diet = 1;          // diet in force at the start of the day
    double Supplied = 0;   // feed counted so far, kg
    double Yesterday = 0;  // feed of the day before, kg
    double AllotmentEnd(const ResponseProgramme& p) const;
    DayDiet Today(const ResponseProgramme& p) const;
    // Counts a day's feed; true when the diet's allotment ran out that day.
    bool Count(const ResponseProgramme& p, double feed);

private:
    mutable double end_ = 0;  // AllotmentEnd of diet endOf_
    mutable int endOf_ = 0;
};

// One day of a pig, from the start of the day to the next.
struct GrownDay {
    double Weight = 0;        // kg at the start of the day
    PigBody Body;             // at the start of the day
    double FeedSupplied = 0;  // kg, wastage included
    double FeedEaten = 0;     // kg
    double NeEaten = 0;       // kcal
    double ProteinDeposition = 0;  // g
    double LipidDeposition = 0;    // g
    int8_t Limiting = kLimitNone;
    DayDiet Diet;
};

// What a pig needs today on a diet of a given net energy: the feed it would
// eat, and the SID lysine (g) of the protein deposition its potential and
// its energy allow, by the factorial of the requirements.
struct DayNeed {
    double FeedEaten = 0, FeedSupplied = 0;  // kg
    double ProteinDeposition = 0;            // g
    double SidLysine = 0;                    // g
};

class ResponsivePig {
public:
    ResponsivePig(const SexCurves& curves, const ResponseProgramme& programme, double startWeight);
    // Grows one day and describes it; false (and nothing grown) when the
    // day cannot be grown: no energy in the diet in force, or a figure that
    // is not finite.
    bool Grow(GrownDay& day);
    // One day on a diet the caller makes (a daily blend of two feeds); the
    // allotments are not counted.
    bool GrowOn(const ResponseDiet& diet, GrownDay& day);
    DayNeed NeedOn(double ne) const;
    double Weight() const { return weight_; }
    const PigBody& Body() const { return body_; }
    const Allotments& Feed() const { return feed_; }

private:
    // NE eaten per NE at will on the reference diet, for each diet.
    double IntakeFactor(const DayDiet& d, double ne) const;
    // One day on own (the programme's diet dietIndex, -1 for another), blended
    // with next by share on a changeover day.
    bool Step(const ResponseDiet& own, int dietIndex, const ResponseDiet* next, double share, double intakeFactor,
              GrownDay& day);
    // A day's energy on a diet of net energy ne: NE and feed eaten, ME above
    // maintenance, the potential deposition and what the energy allows of it.
    struct Energy {
        double NeEaten = 0, Eaten = 0, AboveMaintenance = 0, Potential = 0, ByEnergy = 0;
    };
    Energy EnergyOn(double ne, double intakeFactor) const;

    const SexCurves* curves_;
    const ResponseProgramme* programme_;
    double weight_ = 0, logWeight_ = 0, logProtein_ = 0;
    PigBody body_;
    Allotments feed_;
    std::array<double, kMaxDiets> intakeFactor_{};
    // Of each diet alone: the least lysine its SID amino acids stand for (%
    // of the feed, by their ideal ratios) and which amino acid (-1: none stated).
    std::array<double, kMaxDiets> leastLysine_{};
    std::array<int, kMaxDiets> leastAmino_{};
    // The same of a blend of own and next, share of own.
    static void LeastAmino(const ResponseDiet& own, const ResponseDiet* next, double share, double& least, int& leastAmino);
};

}  // namespace tarvisol::response
