#pragma once
// The demo location (a scratch copy) grown on the nutrient-response model,
// the reference genotype, least-cost diets and a mixed herd, with the
// location's market: where the margin search starts.
#include <filesystem>
#include <memory>
#include <vector>

#include "growth/GrowthRun.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "market/MarketFile.h"
#include "response/GenotypePresets.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoLocation.h"

namespace tarvisol::testing {

struct ResponseDemo {
    ScratchFolder folder;
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    MarketSettings market;
    GrowthOutcome grown = GrowthOutcome::Refused;
    ResponseDemo() {
        CopyDemoLocation(std::filesystem::path(folder.Str()));
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, folder.Str());
        s->LocationFolder = folder.Str();
        w->Text6.Text = "Demo";
        dialogs.Answer(Answer::Yes);  // reopen the location
        LocationName(*s);
        w->Combo1.ListIndex = kFormulationLeastCost;
        if (w->ComboSex.ListIndex < 0) w->ComboSex.ListIndex = 0;
        s->Model.Kind = GrowthModelKind::Response;
        s->Model.Pig = response::ReferenceGenotype();
        grown = Growth(*s);
        std::vector<std::string> messages;
        market = LoadMarketSettings(s->LocationBase, s->WeightUnit(), messages);
    }
    // The matrix row of the ingredient named; 0 when none is.
    int Ingredient(const std::string& name) const {
        for (int j = 1; j <= s->IngredientCount; ++j)
            if (s->IngredientNames(j) == name) return j;
        return 0;
    }
};

}  // namespace tarvisol::testing
