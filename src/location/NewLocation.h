#pragma once
// A new location made from the ingredient library: the matrix of the chosen
// ingredients (the basis in every nutrient's name), the ingredient limits of
// the library's template, the nutrient minimums of the requirement template
// per diet, the diets with feed allotments that end near the chosen weights
// (found by growing the pig on the least-cost diets), a .pig and a .gen. The
// location starts on the nutrient-response model with a preset genotype (a
// current commercial herd unless another is chosen), or on another
// location's model: its genotype, or its curve when it runs the documented
// one. Only new files are written: a folder that already holds a location is
// refused, and a failure leaves nothing behind.
#include <array>
#include <string>
#include <vector>

#include "formulation/IngredientLibrary.h"
#include "shared/Genotype.h"

namespace tarvisol {

inline constexpr int kNewLocationMaxDiets = 6;
inline constexpr double kNewLocationStartAge = 63;
// The genotype preset a new location grows unless the user picks another.
inline constexpr const char* kNewLocationGenotype = "commercial";

// The nutrient-response model with the preset of the key (a key or a name);
// false when there is no such preset.
bool PresetModel(const std::string& keyOrName, GrowthModelChoice& model);
// The nutrient-response model with the default preset.
GrowthModelChoice DefaultNewModel();

struct NewLocationPlan {
    std::string base;  // folder plus base name, e.g. /home/me/Herds/North/North
    // The ingredients in matrix order, each with the price it is to have (per
    // tonne).
    std::vector<LibraryIngredient> ingredients;
    // The starting weight, then the weight each diet ends at (kg); the last is
    // the final weight. Diets = weights.size() - 1.
    std::vector<double> weights;
    double startAge = kNewLocationStartAge;
    std::array<double, 5> curve{};  // B0..B4 of the .pig; all 0: the default curve
    // The growth model and genotype of the .gen; the nutrient-response model
    // with the default preset unless set.
    GrowthModelChoice model = DefaultNewModel();
    // False: no .gen is written (another location's documented curve, taken
    // from a location without one).
    bool genotypeFile = true;
    std::string currency;           // the location's currency as typed (UTF-8); empty: none
};

// Weights from start to final in diets equal steps, rounded to whole kg.
std::vector<double> EvenWeights(double startKg, double finalKg, int diets);

// The growth curve B0..B4 of another location (base: folder plus base name),
// from its .pig. False with the reason in error when it cannot be read.
bool CurveOfLocation(const std::string& base, std::array<double, 5>& curve, std::string& error);

// What a location made from another keeps of it: its curve, and its model and
// genotype from its .gen (none: the documented curve, and no .gen is
// written). False with the reason in error when either cannot be read.
bool ModelOfLocation(const std::string& base, NewLocationPlan& plan, std::string& error);

// Why the plan cannot be made (the user's input is refused), or empty.
std::string CheckNewLocation(const NewLocationPlan& plan);

struct NewLocationDiet {
    std::string name;
    double fromKg = 0, toKg = 0;  // the chosen range
    double allotment = 0;         // kg per pig
    double endWeight = 0;         // where the pig leaves the diet in the run, kg
    double endAge = 0;            // the age it leaves it at, days
    double dailyGain = 0;         // kg a day on the diet
    double feedGain = 0;          // feed supplied per kg of gain on the diet
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
