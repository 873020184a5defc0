#pragma once
// The Mixing Sheet window over its form; prints through Qt's print dialog and
// saves the same document as PDF.
#include <QDialog>
#include <QLabel>
#include <string>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "shared/Dialogs.h"
#include "ui/MixingSheetWindow.h"

namespace tarvisol::app {

class MixingSheetView : public QDialog {
    Q_OBJECT
public:
    MixingSheetView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    MixingSheetWindow& form() { return form_; }
    void Open(int d);
    void Refresh();
    // Writes the sheet as PDF (atomically); false with a message on failure.
    bool SavePdf(const std::string& path);

private:
    void Run(void (*procedure)(SharedState&, MixingSheetWindow&));
    void Print();
    SharedState& s_;
    Dialogs& dialogs_;
    MixingSheetWindow form_;
    Binder binder_;
    QLabel* summary_;
    GridView* ingredients_;
    GridView* nutrients_;
};

}  // namespace tarvisol::app
