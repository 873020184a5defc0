#pragma once
// The nutrient sources window over its form.
#include <QDialog>
#include <QLabel>

#include "app/GridModel.h"
#include "ui/NutrientSources.h"

namespace tarvisol::app {

class NutrientSourcesView : public QDialog {
    Q_OBJECT
public:
    NutrientSourcesView(SharedState& s, QWidget* parent);
    NutrientSourcesWindow& form() { return form_; }
    // Shows the window as the opener left the form.
    void Open();

private:
    void Refresh();
    SharedState& s_;
    NutrientSourcesWindow form_;
    QLabel* caption_;
    GridView* grid_;
};

}  // namespace tarvisol::app
