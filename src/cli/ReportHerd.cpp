#include "cli/ReportHerd.h"

#include <cmath>
#include <utility>

#include "cli/CommandMarketSettings.h"
#include "market/HerdPopulation.h"
#include "market/MarketSettings.h"
#include "shared/FigureFormat.h"

namespace tarvisol::cli {

CommandHerdPage CommandHerdReport(const SharedState& s, Dialogs& dialogs, int threads) {
    CommandHerdPage page;
    const auto refuse = [&](const std::string& why) {
        page.refused = true;
        page.problem = why;
        return page;
    };
    std::string unusable;
    const MarketSettings m = CommandMarketSettings(s, dialogs, {}, unusable);
    if (!unusable.empty()) return refuse(unusable);
    const HerdSettings h = CommandHerdSettings(s, dialogs, {}, unusable);
    if (!unusable.empty()) return refuse(unusable);
    if (const std::string p = HerdSettingsProblem(h); !p.empty()) return refuse(p);
    if (const std::string p = MarketSettingsProblem(m); !p.empty()) return refuse(p);
    HerdOptions options;
    options.threads = threads;
    const Herd herd = GrowHerd(s, h, options);
    if (!herd.Grown()) {
        page.problem = herd.Problem;
        return page;
    }
    HerdReport r;
    r.Settings = h;
    r.Yield = SaleYield(m, herd.RunYield);
    r.YieldFromMarket = m.CarcassYield > 0;
    r.BandLow = m.BandLow;
    r.BandHigh = m.BandHigh;
    r.CarcassUnit = MarketWeightUnit(s.WeightUnit());
    r.Currency = MoneyUnit(s);
    r.Value = ValueHerd(herd, m, OneDaySale(static_cast<int>(std::lround(herd.FinalAge))));
    if (!r.Value.Valued()) {
        page.problem = r.Value.Problem;
        return page;
    }
    page.herd = std::move(r);
    return page;
}

}  // namespace tarvisol::cli
