#include "optimisation/OptResultFile.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "formulation/FormulationFiles.h"
#include "location/LocationFiles.h"
#include "optimisation/OptimisationWindow.h"
#include "shared/Dialogs.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

const char* const kMonths[13] = {"",    "JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::string Auto(double v) { return FixDecimalComma(FormatAuto(v)); }
std::string Precise(double v) { return FixDecimalComma(FormatPrecise(v)); }

// The position of the first "/", or failing that the first "-", from `from`.
std::size_t Separator(const std::string& s, std::size_t from) {
    const std::size_t slash = s.find('/', from);
    return slash != std::string::npos ? slash : s.find('-', from);
}

}  // namespace

std::string MonthText(const SharedState& s, const std::string& date) {
    int month = 0;
    std::string year;
    if (s.DecimalComma == 0) {
        const std::size_t slash = date.find('/');
        if (slash == std::string::npos) return {};
        const double v = Val(std::string_view(date).substr(0, slash));
        if (!(v > -1e9 && v < 1e9)) return {};
        month = static_cast<int>(v);
        if (month > 12) month = 1;
        if (date.size() < 2) return {};
        year = date.substr(date.size() - 2);
    } else {
        const std::size_t first = Separator(date, 0);
        if (first == std::string::npos) return {};
        const std::size_t second = Separator(date, first + 1);
        if (second == std::string::npos) return {};
        const double v = Val(std::string_view(date).substr(first + 1, second - first - 1));
        if (!(v > -1e9 && v < 1e9)) return {};
        month = static_cast<int>(v);
        year = "7";
    }
    if (month < 0 || month > 12) return {};
    return std::string(kMonths[month]) + " " + year;
}

std::string TodayForMonthText(const SharedState& s) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[48];
    // A point machine reads the month before the first separator, a comma
    // machine between the two: the text is laid out so that either reads this month.
    if (s.DecimalComma == 0)
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900);
    else
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
    return buf;
}

std::string OptResultPath(const SharedState& s, const FrmOptP& f, const std::string& date) {
    return MakeLocationPath(s, f.Text1.Text + "OPT" + MonthText(s, date) + ".txt");
}

std::string OptResultText(const SharedState& s) {
    std::vector<std::string> lines;
    const int diets = s.DietCount;
    auto namedColumns = [&](auto&& each) {
        for (int k = 2; k <= s.NutrientCount && k <= 121; ++k)
            if (s.NutrientNames(k).size() >= 2) each(k);
    };
    lines.push_back("  ");
    lines.push_back("DIET Results:          Calculated Diet Contents");
    lines.push_back("  ");
    lines.push_back("");
    lines.push_back("Feed Wt./Bird;");
    lines.push_back(";");
    namedColumns([&](int k) { lines.push_back(s.NutrientNames(k) + ";"); });
    lines.push_back(" ");
    lines.push_back(" ");
    lines.push_back("DIET Results:          Ingredient Weights");
    lines.push_back("  ");
    lines.push_back("");
    for (int i = 1; i <= s.IngredientCount; ++i) {
        double used = 0;
        for (int d = 1; d <= diets; ++d) used += std::max(s.DietFormula(d, i), 0.0);
        if (!(used > 0)) continue;
        std::string line = ToNextPrintZone(s.IngredientNames(i) + " ");
        for (int d = 1; d <= diets; ++d) line += "\t" + Precise(s.DietFormula(d, i));
        lines.push_back(line + ";");
    }
    lines.push_back(" ");
    lines.push_back("GROWTH Results:          Live Weight and Feed Intake");
    lines.push_back("  ");
    lines.push_back("    Age,    \t    Live Wt.\t     Daily    \t    Accum.    \t  Zero Mort.\tBreast Muscle;");
    lines.push_back("    Days    \t     , g    \t    Feed, g   \t   Feed, g    \t  Velmorant  \t     g      \";");
    // Without daily feed of the best programme the restrictions are left out.
    const int firstDay = std::clamp<int>(s.StartAge + 1, 0, 200);
    if (s.OptDayFeed(0, firstDay) == 0) return JoinCrlf(lines);
    lines.push_back(" ");
    lines.push_back("DIET Inputs:          Nutrient Contraints");
    lines.push_back("  ");
    lines.push_back("");
    namedColumns([&](int k) {
        std::string line = s.NutrientNames(k);
        for (int d = 1; d <= diets; ++d)
            line += "\t" + Auto(s.OptNutrientLimits(d, 1, k - 1)) + "   " + Auto(s.OptNutrientLimits(d, 2, k - 1));
        lines.push_back(line + ";");
    });
    lines.push_back(" ");
    lines.push_back(" ");
    lines.push_back("DIET Inputs:          Ingredient Contraints");
    lines.push_back("  ");
    lines.push_back("");
    for (int i = 1; i <= s.IngredientCount && i <= 100; ++i) {
        std::string line = s.IngredientNames(i);
        for (int d = 1; d <= diets; ++d)
            line += "\t" + Auto(s.OptIngredientLimits(d, 1, i)) + "   " + Auto(s.OptIngredientLimits(d, 2, i));
        lines.push_back(line + ";");
    }
    return JoinCrlf(lines);
}

void WriteOptResult(SharedState& s, const FrmOptP& f) { WriteOptResult(s, f, TodayForMonthText(s)); }

void WriteOptResult(SharedState& s, const FrmOptP& f, const std::string& date) {
    const std::string path = OptResultPath(s, f, date);
    std::string error;
    if (!SaveAtomic(path, OptResultText(s), error)) {
        DialogsOf(s).Message("The optimization result file could not be written: " + error);
        s.OptResultFile.clear();
        return;
    }
    s.OptResultFile = path;
}

}  // namespace tarvisol
