#include "growth/MeasuredHerd.h"

#include <cmath>

#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

TextBox& Box(MainWindow& w, int i) {
    TextBox* boxes[] = {&w.Text1, &w.Text2, &w.Text3, &w.Text4, &w.Text5};
    return *boxes[i - 1];
}

// The box's value for input i, or the record's when the box holds no new
// measurement.
void TakeInput(SharedState& s, int i) {
    const std::string& text = Box(*s.Main, i).Text;
    if (i == 4 && !s.PredictedFeedText.empty() && text == s.PredictedFeedText) return;
    if (i == 5 && !s.PredictedAgeText.empty() && text == s.PredictedAgeText) return;
    if (text == FormatAuto(s.CalibInputs(i))) return;
    s.CalibInputs(i) = NumVal(std::string_view(text));
}

}  // namespace

void TakeHerdInputs(SharedState& s) {
    if (!s.Main) return;
    for (int i = 1; i <= 5; ++i) TakeInput(s, i);
    ShowMeasuredHerd(s);
}

void ShowPredictedHerd(SharedState& s, double totalFeed, double finalAge) {
    if (!s.Main) return;
    MainWindow& w = *s.Main;
    TakeInput(s, 4);
    TakeInput(s, 5);
    w.Text4.Text = FormatAuto(totalFeed);
    w.Text5.Text = FormatAuto(finalAge);
    s.PredictedFeedText = w.Text4.Text;
    s.PredictedAgeText = w.Text5.Text;
    ShowMeasuredHerd(s);
}

void ShowMeasuredHerd(SharedState& s) {
    if (!s.Main) return;
    MainWindow& w = *s.Main;
    auto shown = [](double v) { return v != 0 ? FormatAuto(v) : std::string(); };
    w.TextMeasuredFeed.Text = shown(s.CalibInputs(4));
    w.TextMeasuredAge.Text = shown(s.CalibInputs(5));
}

}  // namespace tarvisol

namespace tarvisol {

bool FedAsMeasured(const SharedState& s) {
    for (int d = 1; d < s.DietCount && d + 1 <= 15; ++d) {
        const double measured = ConvertWeight(s, 1, s.CalibWeightTable(2, d + 1));
        if (s.CalibWeightTable(0, d + 1) <= 0 || measured <= 0) break;
        if (std::fabs(s.DietFeedAmount(d) - measured) > 0.005 * measured) return false;
    }
    return true;
}

}  // namespace tarvisol
