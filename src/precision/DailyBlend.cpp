#include "precision/DailyBlend.h"

#include <cmath>

#include "response/NrcFactorial.h"

namespace tarvisol::precision {

double LysineEquivalent(const response::ResponseDiet& d) {
    double least = 0;
    bool any = false;
    for (int j = 0; j < response::kAminoAcids; ++j) {
        const double a = d.Amino[static_cast<std::size_t>(j)];
        if (!(a > 0)) continue;
        const double lysine = a * 10.0 / IdealRatio(j);
        if (!any || lysine < least) least = lysine;
        any = true;
    }
    return any ? least : 0.0;
}

LysineDay LysineDayOn(const response::ResponsivePig& pig, const response::ResponseDiet& d) {
    LysineDay day;
    const response::DayNeed need = pig.NeedOn(d.Ne);
    day.Need = need.SidLysine;
    day.FeedEaten = need.FeedEaten;
    day.Supply = need.FeedEaten * LysineEquivalent(d);
    return day;
}

BlendShare SolveShare(const std::function<double(double)>& surplus) {
    BlendShare r;
    double fb = surplus(1.0);
    if (!(fb >= 0)) {
        r.Share = 1;
        r.Short = true;
        return r;
    }
    double fa = surplus(0.0);
    if (fa >= 0) return r;
    // Regula falsi, Illinois variant: the surplus is linear in the share on
    // two feeds of equal energy and then found in one or two steps.
    double a = 0, b = 1;
    int side = 0;
    for (int i = 0; i < 200 && b - a > 1e-13; ++i) {
        const double s = (a * fb - b * fa) / (fb - fa);
        const double fs = surplus(s);
        if (std::fabs(fs) < 1e-10) {
            b = s;
            break;
        }
        if (fs < 0) {
            a = s;
            fa = fs;
            if (side == -1) fb /= 2;
            side = -1;
        } else {
            b = s;
            fb = fs;
            if (side == 1) fa /= 2;
            side = 1;
        }
    }
    r.Share = b;  // on the side that meets the requirement
    return r;
}

BlendShare ShareFor(const response::ResponsivePig& pig, const BlendFeed& a, const BlendFeed& b) {
    return SolveShare([&](double s) {
        const LysineDay d = LysineDayOn(pig, MixOf(a, b, s).Diet);
        return d.Supply - d.Need;
    });
}

}  // namespace tarvisol::precision
