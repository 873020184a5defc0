#include "cli/FormulationSession.h"

#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"

namespace tarvisol::cli {

FormulationSession OpenFormulationFiles(const std::string& base, Dialogs& dialogs) {
    FormulationSession f;
    SharedState& s = *f.s;
    DataInit(s);
    s.Dialog = &dialogs;
    s.Main = f.form.get();
    s.UnitTable(2) = 1;  // prices per tonne, as a metric location keeps them
    s.MatrixFile = base + kMatrixEnding;
    s.IngredientRestrictionFile = base + kIngredientEnding;
    s.NutrientRestrictionFile = base + kNutrientEnding;
    s.DietFile = base + kDietEnding;
    ReadDiets(s, s.DietFile);
    f.loaded = LoadLP(s, s.MatrixFile);
    return f;
}

}  // namespace tarvisol::cli
