#pragma once
// A record with a main window and scripted dialogs for the formulation tests,
// plus a three-ingredient matrix whose least-cost diets are known by hand, and
// the demo location.
#include "support/BuildPaths.h"
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "formulation/FormulationFiles.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "shared/SharedState.h"

namespace tarvisol::testing {

struct FormulationFixture {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;

    FormulationFixture() {
        DataInit(*s);
        s->Main = w.get();
        s->Dialog = &dialogs;
        w->Combo1.Items = {"Select Diet Formulas", "Least Cost Formulas", "Use Diets on Grid"};
        w->Combo1.ListIndex = 1;
        w->ComboDiets.Items = {"No. of Diets", "1", "2", "3", "4", "5", "6"};
    }

    // Ingredients A, B, C priced 100, 300, 50 with energy 3000, 2000, 1000 and
    // protein 10, 40, 5; 15 matrix columns. Diet 1 asks for energy 2500 and
    // protein 16: the optimum is A 830/13, B 290/13, C 180/13 at 1790/13.
    void LoadToyMatrix() {
        s->IngredientCount = 3;
        s->NutrientCount = 15;
        const char* names[] = {"A", "B", "C"};
        const double price[] = {100, 300, 50}, energy[] = {3000, 2000, 1000}, protein[] = {10, 40, 5};
        for (int j = 1; j <= 3; ++j) {
            s->IngredientNames(j) = names[j - 1];
            s->IngredientPrices(j) = price[j - 1];
            s->IngredientMatrix(1, j) = 100;
            s->IngredientMatrix(2, j) = energy[j - 1];
            s->IngredientMatrix(3, j) = protein[j - 1];
        }
        for (int c = 2; c <= 15; ++c) s->NutrientNames(c) = DefaultColumnLabel(c);
        s->DietCount = 1;
        s->NutrientLimits(1, 1, 1) = 2500;
        s->NutrientLimits(1, 1, 2) = 16;
    }

    static std::string DemoBase() { return std::string(TARVISOL_SOURCE_DIR) + "/examples/demo/Demo"; }

    // The demo location as the command line loads it.
    void LoadDemo() {
        s->PriceUnit() = 1;
        s->MatrixFile = DemoBase() + kMatrixEnding;
        s->IngredientRestrictionFile = DemoBase() + kIngredientEnding;
        s->NutrientRestrictionFile = DemoBase() + kNutrientEnding;
        s->DietFile = DemoBase() + kDietEnding;
        ReadDiets(*s, s->DietFile);
        LoadLP(*s, s->MatrixFile);
    }
};

// A fresh scratch folder under the system's temporary folder.
inline std::filesystem::path ScratchFolder(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() / ("tarvisol-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace tarvisol::testing
