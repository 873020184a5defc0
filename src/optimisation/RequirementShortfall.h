#pragma once
// Amino acids of a diet below what this herd needs: the requirement of a run
// (SID, percent of the feed) on the first day each diet was fed, which is
// the highest of the diet's phase, against the diet's own contents. The
// optimisation report and the diet plot mark what falls short, and the
// optimisation can hold its amino-acid minimums at these requirements.
#include <string>
#include <vector>

#include "shared/RunNutrition.h"

namespace tarvisol {

struct AminoShortfall {
    int Diet = 0;
    int Column = 0;  // diet column of the amino acid (3..14)
    std::string Name;
    double Content = 0;      // % of the feed
    double Requirement = 0;  // % of the feed, on the diet's first day
    double StartWeight = 0;  // kg, the pig's weight that day
    // (Content - Requirement) / Requirement x 100, negative.
    double Percent() const { return Requirement > 0 ? (Content - Requirement) * 100 / Requirement : 0; }
};

// The first day diet d was fed in the requirements (nullptr when never).
const RequirementDay* DietStartDay(const RunRequirements& r, int d);

// The amino-acid requirement of diet d at its start, diet column 3..14;
// 0 when the run has no such figure.
double AminoRequirementAtStart(const RunRequirements& r, int d, int column);

// The amino acids of diet d whose contents fall below the requirement at
// its start. contents(k) gives the diet's column k in % of the feed; a
// content of 0 (not stated) is not compared.
template <class Contents>
std::vector<AminoShortfall> AminoShortfalls(const RunRequirements& r, int d, Contents contents);

// "SID LYSINE 0.62 % < requirement 0.70 % (-11 %)".
std::string ShortfallText(const AminoShortfall& s);

// One sentence for a diet: "below this herd's requirement at 52.3 kg: ..."
// with every shortfall; empty when none.
std::string ShortfallsSentence(const std::vector<AminoShortfall>& list);

template <class Contents>
std::vector<AminoShortfall> AminoShortfalls(const RunRequirements& r, int d, Contents contents) {
    std::vector<AminoShortfall> out;
    const RequirementDay* day = DietStartDay(r, d);
    if (!day) return out;
    for (std::size_t i = 0; i < r.Nutrients.size() && i < day->Values.size(); ++i) {
        const RequirementNutrient& n = r.Nutrients[i];
        if (n.Column < 3 || n.Column > 14) continue;
        const double need = day->Values[i].Requirement;
        const double have = contents(n.Column);
        // Compared to the shown precision of a restriction (three decimals).
        if (!(have > 0) || !(need > 0) || have >= need - 5e-4) continue;
        out.push_back({d, n.Column, n.Name, have, need, day->Weight});
    }
    return out;
}

}  // namespace tarvisol
