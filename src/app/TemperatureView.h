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
    // Opens the window with the location's temperatures.
    void Open();
    TemperatureWindow& form() { return form_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Run(void (*procedure)(SharedState&, TemperatureWindow&));
    SharedState& s_;
    Dialogs& dialogs_;
    TemperatureWindow form_;
    GridView* grid_;
};

}  // namespace tarvisol::app
