#pragma once
// The temperature window over its form.
#include <QDialog>

#include "app/GridModel.h"
#include "growth/Temperature.h"
#include "shared/Dialogs.h"

namespace tarvisol::app {

class TemperatureView : public QDialog {
    Q_OBJECT
public:
    TemperatureView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // Opens the window as it always opens (20 degrees in every week).
    void Open();
    TemperatureWindow& form() { return form_; }

private:
    void Run(void (*procedure)(SharedState&, TemperatureWindow&));
    SharedState& s_;
    Dialogs& dialogs_;
    TemperatureWindow form_;
    GridView* grid_;
};

}  // namespace tarvisol::app
