#include "precision/BlendFeed.h"

namespace tarvisol::precision {

BlendFeed MixOf(const BlendFeed& a, const BlendFeed& b, double share) {
    const auto mix = [share](double x, double y) { return share * x + (1 - share) * y; };
    BlendFeed m;
    m.Diet.Ne = mix(a.Diet.Ne, b.Diet.Ne);
    for (std::size_t j = 0; j < m.Diet.Amino.size(); ++j) {
        // An amino acid one of the feeds does not state is not stated by the mix.
        const double x = a.Diet.Amino[j], y = b.Diet.Amino[j];
        m.Diet.Amino[j] = x > 0 && y > 0 ? mix(x, y) : 0.0;
    }
    m.CrudeProtein = mix(a.CrudeProtein, b.CrudeProtein);
    m.SttdPhosphorus = a.SttdPhosphorus > 0 && b.SttdPhosphorus > 0 ? mix(a.SttdPhosphorus, b.SttdPhosphorus) : 0.0;
    m.TotalPhosphorus = a.TotalPhosphorus > 0 && b.TotalPhosphorus > 0 ? mix(a.TotalPhosphorus, b.TotalPhosphorus) : 0.0;
    m.PricePerKg = mix(a.PricePerKg, b.PricePerKg);
    return m;
}

}  // namespace tarvisol::precision
