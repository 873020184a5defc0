#pragma once
// A main window filled as a user would before pressing Growth: a 25 -> 115 kg
// mixed herd from 60 days on three grid diets (prices per tonne).
#include <memory>
#include <string>

#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "shared/SharedState.h"
#include "support/Programme.h"

namespace tarvisol::testing {

inline void FillDietColumn(MainWindow& w, int d, const std::string& name, double price, double feed, double energy,
                           double protein, double lysine) {
    Grid& g = w.Griddiets;
    g.SetTextMatrix(1, d, name);
    g.SetTextMatrix(2, d, std::to_string(price));
    g.SetTextMatrix(3, d, std::to_string(feed));
    g.SetTextMatrix(4, d, std::to_string(energy));
    g.SetTextMatrix(5, d, std::to_string(protein));
    for (int j = 0; j < 12; ++j) g.SetTextMatrix(6 + j, d, std::to_string(lysine * kIdealRatio[j]));
}

struct MainWindowFixture {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;

    MainWindowFixture() {
        DataInit(*s);
        s->Main = w.get();
        s->Dialog = &dialogs;
        s->PigDataReady = true;
        s->PriceUnit() = 1;  // per tonne
        w->ComboSex.Items = {"Mixed", "Males", "Females"};
        w->ComboSex.ListIndex = 0;
        w->Combo1.Items = {"Select Diet Formulas", "Least Cost Formulas", "Use Diets on Grid"};
        w->Combo1.ListIndex = 2;
        w->Text1.Text = "25";
        w->Text2.Text = "60";
        w->Text3.Text = "115";
        FillDietColumn(*w, 1, "Grower 1", 310, 40, 2450, 18, 1.10);
        FillDietColumn(*w, 2, "Grower 2", 290, 90, 2475, 16, 0.95);
        FillDietColumn(*w, 3, "Finisher", 270, 200, 2500, 14, 0.80);
    }
};

}  // namespace tarvisol::testing
