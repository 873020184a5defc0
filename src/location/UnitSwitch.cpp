#include "location/UnitSwitch.h"

#include <cmath>
#include <string>

#include "growth/MeasuredHerd.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ShownFigures.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kRowPrice = 2, kRowFeed = 3, kRowEnergy = 4;
constexpr int kEnergy = 1;       // the energy nutrient of the restrictions
constexpr int kMatrixEnergy = 2;  // its column of the matrix

std::string Key(const char* what, int a, int b = 0, int c = 0) {
    return std::string(what) + " " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c);
}

class Conversion {
public:
    Conversion(const UnitSwitchMemory& last, bool back) : last_(last), back_(back) {}

    // A figure held as a number: multiplied by k, or given back as it was
    // before the last switch when that switch left it untouched since.
    void Number(const std::string& key, double& v, double k) {
        if (v == 0 || !std::isfinite(v)) return;
        const double was = v;
        double to = v * k;
        if (back_)
            if (const auto it = last_.Numbers.find(key); it != last_.Numbers.end() && it->second.second == was)
                to = it->second.first;
        v = to;
        now.Numbers[key] = {was, to};
    }

    // A figure held as the text a box or cell shows: the figure (the one
    // behind the text when the program kept one) converted, shown as the
    // program shows figures and kept behind that text; or the text given
    // back as it was before the last switch.
    void Cell(const std::string& key, Grid& g, int row, int col, double k) {
        const std::string text = g.TextMatrix(row, col);
        double figure = 0;
        const bool hadFigure = g.Figure(row, col, figure);
        if (!hadFigure) figure = NumVal(std::string_view(text));
        if (figure == 0 || !std::isfinite(figure)) return;
        if (const UnitSwitchMemory::ShownText* was = Back(key, text)) {
            if (was->hadFigure) g.SetFigure(row, col, was->before, was->figure);
            else g.SetTextMatrix(row, col, was->before);
        } else {
            g.SetFigure(row, col, FormatAuto(figure * k), figure * k);
        }
        now.Texts[key] = {text, hadFigure, figure, g.TextMatrix(row, col)};
    }
    void Box(const std::string& key, TextBox& box, double k) {
        const std::string text = box.Text;
        double figure = 0;
        const bool hadFigure = BoxFigure(box, figure);
        if (!hadFigure) figure = NumVal(std::string_view(text));
        if (figure == 0 || !std::isfinite(figure)) return;
        if (const UnitSwitchMemory::ShownText* was = Back(key, text)) {
            box.Text = was->before;
            box.FigureText.clear();
            if (was->hadFigure) SetBoxFigure(box, was->before, was->figure);
        } else {
            SetBoxFigure(box, FormatAuto(figure * k), figure * k);
        }
        now.Texts[key] = {text, hadFigure, figure, box.Text};
    }

    UnitSwitchMemory now;

private:
    // What the last switch found in the place, when this switch goes back
    // and the place still shows what it left.
    const UnitSwitchMemory::ShownText* Back(const std::string& key, const std::string& text) const {
        if (!back_) return nullptr;
        const auto it = last_.Texts.find(key);
        return it != last_.Texts.end() && it->second.after == text ? &it->second : nullptr;
    }

    const UnitSwitchMemory& last_;
    bool back_;
};

}  // namespace

void SwitchUnits(SharedState& s, int energy, int weight, int price) {
    const std::array<int16_t, 3> from{s.EnergyUnit(), s.WeightUnit(), s.PriceUnit()};
    const std::array<int16_t, 3> to{static_cast<int16_t>(energy), static_cast<int16_t>(weight), static_cast<int16_t>(price)};
    if (from == to) return;
    // A figure in the old unit times k is the figure in the new one.
    const double ke = EnergyFactor(from[0]) / EnergyFactor(to[0]);
    const double kw = WeightFactor(from[1]) / WeightFactor(to[1]);
    const double kp = PriceFactor(from[2]) / PriceFactor(to[2]);
    const bool back = s.UnitSwitch.From == to && s.UnitSwitch.To == from;
    Conversion c(s.UnitSwitch, back);

    // The herd: the boxes, and the inputs they are saved from.
    for (int i : {1, 3, 4}) c.Number(Key("CalibInputs", i), s.CalibInputs(i), kw);
    if (MainWindow* w = s.Main) {
        const bool predicted = !s.PredictedFeedText.empty() && w->Text4.Text == s.PredictedFeedText;
        c.Box("Text1", w->Text1, kw);
        c.Box("Text3", w->Text3, kw);
        c.Box("Text4", w->Text4, kw);
        if (predicted) s.PredictedFeedText = w->Text4.Text;
        // The diets grid: price, feed allotment and energy of every diet.
        Grid& g = w->Griddiets;
        for (int d = 1; d < g.Cols(); ++d)
            for (const auto& [row, k] : {std::pair{kRowPrice, kp}, std::pair{kRowFeed, kw}, std::pair{kRowEnergy, ke}})
                if (row < g.Rows()) c.Cell(Key("Griddiets", row, d), g, row, d, k);
    }
    // The matrix: each ingredient's price and energy.
    for (int i = 1; i <= std::min<int>(s.IngredientCount, 100); ++i) {
        c.Number(Key("Price", i), s.IngredientPrices(i), kp);
        c.Number(Key("Matrix", kMatrixEnergy, i), s.IngredientMatrix(kMatrixEnergy, i), ke);
    }
    // The energy restrictions of every diet (a negative value is a marker, not a figure).
    for (int d = 1; d <= 8; ++d)
        for (int b = 0; b <= 2; ++b) {
            const auto limit = [&](const char* what, double& v) {
                if (v > 0) c.Number(Key(what, d, b), v, ke);
            };
            limit("Limit", s.NutrientLimits(d, b, kEnergy));
            limit("FileLimit", s.FileNutrientLimits(d, b, kEnergy));
            limit("LoadedLimit", s.LoadedNutrientLimits(d, b, kEnergy));
        }
    // The measured herd: weight and feed of each row.
    for (int r = 1; r <= 15; ++r)
        for (int j : {1, 2}) c.Number(Key("Measured", j, r), s.CalibWeightTable(j, r), kw);

    c.now.From = from;
    c.now.To = to;
    s.UnitSwitch = std::move(c.now);
    s.EnergyUnit() = to[0];
    s.WeightUnit() = to[1];
    s.PriceUnit() = to[2];
    ShowMeasuredHerd(s);
}

}  // namespace tarvisol
