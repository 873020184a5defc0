#pragma once
// The restrictions editor window over its form; opened without blocking.
#include <QDialog>

#include "app/GridModel.h"
#include "formulation/RestrictionsEditor.h"
#include "shared/Dialogs.h"

namespace tarvisol::app {

class RestrictionsView : public QDialog {
    Q_OBJECT
public:
    RestrictionsView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    void Open();
    RestrictionsWindow& form() { return form_; }
    // Fills the window again when ingredients came or went elsewhere.
    void Sync();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Run(void (*procedure)(SharedState&, RestrictionsWindow&));
    void Refresh();
    SharedState& s_;
    Dialogs& dialogs_;
    RestrictionsWindow form_;
    GridView* nutrients_;
    GridView* ingredients_;
};

}  // namespace tarvisol::app
