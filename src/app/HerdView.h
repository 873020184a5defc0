#pragma once
// The "Herd and Marketing" window over its form: the herd's settings and the
// cuts on the left, the histogram of carcass weights per cut with the packer's
// band, the table of the cuts and the totals. "Grow and Sell" and "Find the
// Best Cuts" show a progress dialog that can cancel.
#include <QDialog>
#include <functional>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "shared/Dialogs.h"
#include "ui/HerdWindow.h"
#include "ui/UndoHistory.h"

class QChartView;

namespace tarvisol::app {

class HerdView : public QDialog {
    Q_OBJECT
public:
    HerdView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // Shows the window for the location open now.
    void Open();
    HerdWindow& form() { return form_; }
    QChartView* chartView() const { return chart_; }
    // Edit -> Undo takes back Find the Best Cuts and edits of the cuts.
    UndoHistory* undo = nullptr;
    // The window shows its form anew (after an undo).
    void Refresh();

private:
    void Run(const std::function<void()>& procedure);
    void DrawHistogram();

    SharedState& s_;
    Dialogs& dialogs_;
    HerdWindow form_;
    Binder binder_;
    QChartView* chart_ = nullptr;
    GridView* cuts_ = nullptr;
    GridView* table_ = nullptr;
};

}  // namespace tarvisol::app
