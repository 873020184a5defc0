#pragma once
// A new location made from the ingredient library: the matrix of the chosen
// ingredients (the basis in every nutrient's name), the ingredient limits of
// the library's template, the nutrient minimums of the requirement template
// per diet, the diets with feed allotments that end near the chosen weights
// (found by growing the pig on the least-cost diets), and a .pig with the
// default growth curve or another location's. Only new files are written: a
// folder that already holds a location is refused, and a failure leaves
// nothing behind.
#include <array>
#include <string>
#include <vector>

#include "formulation/IngredientLibrary.h"

namespace tarvisol {

inline constexpr int kNewLocationMaxDiets = 6;
inline constexpr double kNewLocationStartAge = 63;

struct NewLocationPlan {
    std::string base;  // folder plus base name, e.g. /home/me/Herds/North/North
    // The ingredients in matrix order, each with the price it is to have (per
    // tonne).
    std::vector<LibraryIngredient> ingredients;
    // The starting weight, then the weight each diet ends at (kg); the last is
    // the final weight. Diets = weights.size() - 1.
    std::vector<double> weights;
    double startAge = kNewLocationStartAge;
    std::array<double, 5> curve{};  // B0..B4; all 0: the default curve
    std::string currency;           // the location's currency as typed (UTF-8); empty: none
};

// Weights from start to final in diets equal steps, rounded to whole kg.
std::vector<double> EvenWeights(double startKg, double finalKg, int diets);

// The growth curve B0..B4 of another location (base: folder plus base name),
// from its .pig. False with the reason in error when it cannot be read.
bool CurveOfLocation(const std::string& base, std::array<double, 5>& curve, std::string& error);

// Why the plan cannot be made (the user's input is refused), or empty.
std::string CheckNewLocation(const NewLocationPlan& plan);

struct NewLocationDiet {
    std::string name;
    double fromKg = 0, toKg = 0;  // the chosen range
    double allotment = 0;         // kg per pig
    double endWeight = 0;         // where the pig leaves the diet in the run, kg
    double price = 0;             // of the formulated diet, per tonne
};

struct NewLocationOutcome {
    bool made = false;
    bool refused = false;  // the plan was refused before anything was written
    std::string error;     // why there is no location
    std::vector<std::string> files;  // the files written
    // The run of the files written: the location opened afresh and grown as
    // the Growth command grows it.
    std::vector<NewLocationDiet> diets;
    double finalAge = 0, totalFeed = 0;
};

// Makes the location. The caller's own files are never touched.
NewLocationOutcome MakeNewLocation(const NewLocationPlan& plan);

}  // namespace tarvisol
