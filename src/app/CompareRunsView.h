#pragma once
// The "Compare Runs" window over its form: the kept runs with their commands
// (rename, delete, move up and down, restore to the main window) and the
// comparison with the chosen base run.
#include <QDialog>
#include <functional>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "shared/Dialogs.h"
#include "ui/CompareRuns.h"

namespace tarvisol::app {

class CompareRunsView : public QDialog {
    Q_OBJECT
public:
    // runCommand runs a procedure that changes the main window and shows it
    // afterwards (the restore).
    CompareRunsView(SharedState& s, Dialogs& dialogs, std::function<void(const std::function<void()>&)> runCommand,
                    QWidget* parent);
    // Reads the location's kept runs and shows the window.
    void Open();
    CompareRunsWindow& form() { return form_; }
    GridView* runsGrid() const { return runs_; }
    GridView* table() const { return table_; }

private:
    void Run(const std::function<void()>& procedure);
    void Refresh();

    SharedState& s_;
    Dialogs& dialogs_;
    std::function<void(const std::function<void()>&)> runCommand_;
    CompareRunsWindow form_;
    Binder binder_;
    GridView* runs_ = nullptr;
    GridView* table_ = nullptr;
    bool loading_ = false;
};

}  // namespace tarvisol::app
