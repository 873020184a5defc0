#pragma once
// The optimisation window "Diet Optimization" over its form: the grid of
// current values and ranges with its check boxes, the boxes, the spin and the
// buttons. "Run Opt." shows a progress dialog while the search runs.
#include <QDialog>
#include <functional>
#include <memory>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "optimisation/OptimisationWindow.h"
#include "shared/Dialogs.h"
#include "ui/UndoHistory.h"

class QLabel;

namespace tarvisol::app {

class MarginPanelView;
class OptimisationReportView;

class OptimisationView : public QDialog {
    Q_OBJECT
public:
    OptimisationView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    ~OptimisationView() override;
    // The main window's "Run Optimization": diet prices from the diets grid,
    // the window loaded (when it was not showing) and shown.
    void Open();
    FrmOptP& form() { return form_; }
    GridView* grid() const { return grid_; }
    OptimisationReportView* report() const { return report_.get(); }
    MarginPanelView* margin() const { return margin_; }
    // Opens the "Market Weight" window (set by the main window).
    std::function<void()> openMarket;
    // Edit -> Undo takes back Transfer Optimum to Current.
    UndoHistory* undo = nullptr;
    // Shows the main window's form again after a command of this window
    // changed it (the transfer of the optimum, a search's results rows).
    std::function<void()> onMainChanged;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Run(const std::function<void()>& procedure);
    void Refresh();
    SharedState& s_;
    Dialogs& dialogs_;
    FrmOptP form_;
    Binder binder_;
    GridView* grid_ = nullptr;
    QLabel* working_ = nullptr;
    MarginPanelView* margin_ = nullptr;
    QWidget* ranges_ = nullptr;
    std::unique_ptr<OptimisationReportView> report_;
};

}  // namespace tarvisol::app
