#pragma once
// The day's mix of two feeds that meets a pig's requirement: the share of
// feed A (rich) in a blend with feed B (poor) at which the SID amino acids of
// the blend, each counted as the lysine it stands for at its ideal ratio
// (the least of them), supply the SID lysine the pig's protein deposition
// needs that day on that blend's energy (the factorial of the requirements,
// NRC 2012). The share is kept to 0..1: a pig that needs more than A gives
// is fed A alone and named short.
#include <functional>

#include "precision/BlendFeed.h"
#include "response/ResponsivePig.h"

namespace tarvisol::precision {

// g of SID lysine a kg of the diet stands for: of the SID amino acids it
// states, the least lysine each stands for at its ideal ratio; 0 when it
// states none.
double LysineEquivalent(const response::ResponseDiet& d);

// A pig's day on a diet: the SID lysine it needs (g) and what the diet's
// amino acids supply of it (g), on the feed it eats of that diet.
struct LysineDay {
    double Need = 0, Supply = 0, FeedEaten = 0;
};
LysineDay LysineDayOn(const response::ResponsivePig& pig, const response::ResponseDiet& d);

struct BlendShare {
    double Share = 0;    // of feed A, 0..1
    bool Short = false;  // even A alone falls short of the requirement
};

// The least share s in 0..1 at which surplus(s) >= 0, for a surplus that
// rises with s: 1 and short when surplus(1) < 0, 0 when surplus(0) >= 0.
BlendShare SolveShare(const std::function<double(double)>& surplus);

// The share that meets the pig's requirement today.
BlendShare ShareFor(const response::ResponsivePig& pig, const BlendFeed& a, const BlendFeed& b);

}  // namespace tarvisol::precision
