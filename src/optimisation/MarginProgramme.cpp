#include "optimisation/MarginProgramme.h"

#include <limits>

namespace tarvisol {

const char* ObjectiveKey(OptObjective o) {
    switch (o) {
        case OptObjective::MarginPerPlaceYear: return "margin-place-year";
        case OptObjective::MarginPerPig: return "margin-pig";
        default: return "cost";
    }
}

const char* ObjectiveCaption(OptObjective o) {
    switch (o) {
        case OptObjective::MarginPerPlaceYear: return "Margin per pig place and year";
        case OptObjective::MarginPerPig: return "Margin per pig";
        default: return "Feed cost per pig";
    }
}

bool ObjectiveOfKey(const std::string& key, OptObjective& o) {
    for (OptObjective c : {OptObjective::FeedCost, OptObjective::MarginPerPlaceYear, OptObjective::MarginPerPig})
        if (key == ObjectiveKey(c)) {
            o = c;
            return true;
        }
    return false;
}

double MarginOutcome::Value(OptObjective o) const {
    if (!Sold) return -std::numeric_limits<double>::infinity();
    switch (o) {
        case OptObjective::MarginPerPlaceYear: return MarginPerPlaceYear;
        case OptObjective::MarginPerPig: return MarginPerPig;
        default: return -FeedCost;
    }
}

}  // namespace tarvisol
