#pragma once
// The Sensitivity window over its form.
#include <QDialog>
#include <QLabel>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "ui/SensitivityWindow.h"

class QGroupBox;

namespace tarvisol::app {

class SensitivityView : public QDialog {
    Q_OBJECT
public:
    SensitivityView(SharedState& s, QWidget* parent);
    SensitivityWindow& form() { return form_; }
    // Opens the window on diet d.
    void Open(int d);
    void Refresh();

private:
    SharedState& s_;
    SensitivityWindow form_;
    Binder binder_;
    QLabel* summary_;
    QGroupBox* limits_;
    QGroupBox* ingredients_;
    QGroupBox* diagnosis_;
    GridView* limitsGrid_;
    GridView* ingredientsGrid_;
    GridView* diagnosisGrid_;
};

}  // namespace tarvisol::app
