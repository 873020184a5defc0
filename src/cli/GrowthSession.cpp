#include "cli/GrowthSession.h"

#include "cli/OpenLocation.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "shared/Numbers.h"

namespace tarvisol::cli {

std::unique_ptr<GrowthSession> OpenForGrowth(const GrowthArgs& args, std::ostream* messages) {
    auto g = std::make_unique<GrowthSession>();
    g->dialogs = std::make_unique<ConsoleDialogs>(messages, args.yes ? Answer::Yes : Answer::No);
    g->dialogs->Preset(kReopenQuestion, Answer::Yes);
    SharedState& s = *g->s;
    MainWindow& w = *g->w;
    s.Main = &w;
    s.Dialog = g->dialogs.get();
    OpenLocationAsUser(s, args.location);
    g->refused = ApplyModelArgs(s, args.model);
    if (args.formulation) w.Combo1.ListIndex = *args.formulation;
    else if (w.Combo1.ListIndex < 1) w.Combo1.ListIndex = s.NutrientCount > 0 ? kFormulationLeastCost : kFormulationGridDiets;
    if (args.sex) w.ComboSex.ListIndex = *args.sex;
    if (args.pigs) w.TextPigNo.Text = FormatPattern(*args.pigs, "0");
    if (args.startWeight) w.Text1.Text = FormatPrecise(*args.startWeight);
    if (args.startAge) w.Text2.Text = FormatPattern(*args.startAge, "0");
    if (args.finalWeight) w.Text3.Text = FormatPrecise(*args.finalWeight);
    return g;
}

std::unique_ptr<GrowthSession> GrowAsUser(const GrowthArgs& args, std::ostream* messages) {
    auto g = OpenForGrowth(args, messages);
    if (g->w->ComboSex.ListIndex < 0) g->w->ComboSex.ListIndex = 0;
    if (!g->refused.empty()) {
        g->dialogs->Message(g->refused);
        return g;
    }
    g->outcome = Growth(*g->s);
    return g;
}

}  // namespace tarvisol::cli
