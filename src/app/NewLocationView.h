#pragma once
// The "New Location from Library" window over its form.
#include <QDialog>
#include <QLabel>
#include <functional>
#include <string>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "shared/Dialogs.h"
#include "ui/NewLocationWindow.h"

namespace tarvisol::app {

class NewLocationView : public QDialog {
    Q_OBJECT
public:
    NewLocationView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    NewLocationWindow& form() { return form_; }
    // Reads the library and shows the window, the folder box at folder.
    void Open(const std::string& libraryFile, const std::string& folder);
    void Refresh();
    // Runs "Make Location" (the main window's way of running a command that
    // opens a location); by itself the view runs it trapped.
    std::function<void(const std::function<void()>&)> runCommand;

private:
    void Run(void (*procedure)(SharedState&, NewLocationWindow&));
    SharedState& s_;
    Dialogs& dialogs_;
    NewLocationWindow form_;
    Binder binder_;
    QLabel* library_;
    QLabel* source_;
    GridView* found_;
    GridView* chosen_;
    GridView* weights_;
};

}  // namespace tarvisol::app
