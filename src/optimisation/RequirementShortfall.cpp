#include "optimisation/RequirementShortfall.h"

#include "shared/Numbers.h"

namespace tarvisol {

const RequirementDay* DietStartDay(const RunRequirements& r, int d) {
    if (!r.Computed) return nullptr;
    for (const RequirementDay& day : r.Days)
        if (day.Diet == d && day.Feed > 0) return &day;
    return nullptr;
}

double AminoRequirementAtStart(const RunRequirements& r, int d, int column) {
    const RequirementDay* day = DietStartDay(r, d);
    if (!day) return 0;
    for (std::size_t i = 0; i < r.Nutrients.size() && i < day->Values.size(); ++i)
        if (r.Nutrients[i].Column == column) return day->Values[i].Requirement;
    return 0;
}

std::string ShortfallText(const AminoShortfall& s) {
    return s.Name + " " + FormatPattern(s.Content, "0.000") + " % < requirement " + FormatPattern(s.Requirement, "0.000") +
           " % (" + FormatPattern(s.Percent(), "0") + " %)";
}

std::string ShortfallsSentence(const std::vector<AminoShortfall>& list) {
    if (list.empty()) return {};
    std::string text = "below this herd's requirement at " + FormatPattern(list.front().StartWeight, "0.0") + " kg: ";
    for (std::size_t i = 0; i < list.size(); ++i) text += (i ? "; " : "") + ShortfallText(list[i]);
    return text;
}

}  // namespace tarvisol
