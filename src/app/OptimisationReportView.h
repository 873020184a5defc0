#pragma once
// The optimisation report window over its form: four tabbed tables, the
// target weight, the evaluation count and "Copy to Clipboard".
#include <QDialog>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "shared/Dialogs.h"
#include "ui/OptimisationReport.h"

class QTabWidget;

namespace tarvisol::app {

class OptimisationReportView : public QDialog {
    Q_OBJECT
public:
    OptimisationReportView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // Loads the report from the record (the optimisation window's target box
    // is the fallback for the target weight) and shows it.
    void Open(const FrmOptP* optimisationWindow = nullptr);
    OptimisationReport& form() { return form_; }
    QTabWidget* tabs() const { return tabs_; }

private:
    void Refresh();
    SharedState& s_;
    Dialogs& dialogs_;
    OptimisationReport form_;
    Binder binder_;
    QTabWidget* tabs_ = nullptr;
    std::vector<GridView*> grids_;
};

}  // namespace tarvisol::app
