#include "shared/Checkpoint.h"

#include "shared/MainWindowForm.h"
#include "shared/SharedState.h"

namespace tarvisol {
namespace {

// A grid put back must still read as changed to a view that showed it while
// the command ran.
void MarkChanged(Grid& g) { g.SetRows(g.Rows()); }

}  // namespace

Checkpoint::Checkpoint(const SharedState& s) : state_(std::make_unique<SharedState>(s)) {
    if (s.Main) main_ = std::make_unique<MainWindow>(*s.Main);
}

Checkpoint::~Checkpoint() = default;

void Checkpoint::Restore(SharedState& s) const {
    Dialogs* const dialog = s.Dialog;
    MainWindow* const main = s.Main;
    Clipboard* const clip = s.Clip;
    Grid* const active = s.ActiveGrid;
    Progress* const progress = s.OptProgress;
    s = *state_;
    s.Dialog = dialog;
    s.Main = main;
    s.Clip = clip;
    s.ActiveGrid = active;
    s.OptProgress = progress;
    if (main && main_) {
        *main = *main_;
        for (Grid* g : {&main->GridWeight, &main->Griddiets, &main->Grid1, &main->GridFormula, &main->gridFILES})
            MarkChanged(*g);
    }
}

}  // namespace tarvisol
