#pragma once
// The margin over a diet's net energy and SID lysine: the best programme
// with one diet moved over a grid of energy and lysine levels around its own
// (the other diets, the allotments and the sale weight held), every point
// formulated, grown and sold as the search prices it.
#include <vector>

#include "optimisation/MarginEvaluation.h"
#include "optimisation/MarginProgramme.h"

namespace tarvisol {

class Progress;

inline constexpr int kSurfaceSteps = 21;   // steps 0..20, the programme's level at 10
inline constexpr int kSurfaceCentre = 10;
inline constexpr double kSurfaceNeStep = 15;          // kcal NE per kg
inline constexpr double kSurfaceLysineStep = 0.02;    // of the diet's own lysine level

struct MarginSurface {
    int Diet = 0;                     // 1-based
    std::vector<double> Ne, Lysine;   // the levels of the axes (kcal/kg, %)
    // Margin of the objective at (energy step e, lysine step l), index
    // e * kSurfaceSteps + l; NaN where the programme was not sold.
    std::vector<double> Value;
    double At(int e, int l) const { return Value[static_cast<std::size_t>(e * kSurfaceSteps + l)]; }
};

// One surface per diet of the programme; empty when stopped.
std::vector<MarginSurface> MarginSurfaces(const MarginEvaluator& ev, OptObjective o, const MarginProgramme& p,
                                          int threads = 0, Progress* progress = nullptr);

}  // namespace tarvisol
