#include "optimisation/MarginSurface.h"

#include <cmath>
#include <limits>
#include <string>

#include "shared/Progress.h"

namespace tarvisol {

std::vector<MarginSurface> MarginSurfaces(const MarginEvaluator& ev, OptObjective o, const MarginProgramme& p,
                                          int threads, Progress* progress) {
    std::vector<MarginSurface> out;
    for (int d = 1; d <= p.Count; ++d) {
        if (progress) {
            progress->Report("Margin surface", d - 1, p.Count, "Diet " + std::to_string(d) + " of " + std::to_string(p.Count));
            if (progress->Cancelled()) {
                progress->Finish();
                return {};
            }
        }
        MarginSurface s;
        s.Diet = d;
        const MarginDietLevels& own = p.Diets[static_cast<std::size_t>(d - 1)];
        std::vector<MarginProgramme> points;
        for (int i = 0; i < kSurfaceSteps; ++i) {
            const int off = i - kSurfaceCentre;
            s.Ne.push_back(own.Ne + off * kSurfaceNeStep);
            s.Lysine.push_back(own.SidLysine * (1 + off * kSurfaceLysineStep));
        }
        for (int e = 0; e < kSurfaceSteps; ++e)
            for (int l = 0; l < kSurfaceSteps; ++l) {
                MarginProgramme q = p;
                q.Diets[static_cast<std::size_t>(d - 1)].Ne = s.Ne[static_cast<std::size_t>(e)];
                q.Diets[static_cast<std::size_t>(d - 1)].SidLysine = s.Lysine[static_cast<std::size_t>(l)];
                points.push_back(q);
            }
        const std::vector<MarginOutcome> got = ev.EvaluateAll(points, threads);
        for (const MarginOutcome& g : got) {
            const double v = g.Value(o);
            s.Value.push_back(std::isfinite(v) ? (o == OptObjective::FeedCost ? -v : v)
                                               : std::numeric_limits<double>::quiet_NaN());
        }
        out.push_back(std::move(s));
    }
    if (progress) {
        progress->Report("Margin surface", p.Count, p.Count, {});
        progress->Finish();
    }
    return out;
}

}  // namespace tarvisol
