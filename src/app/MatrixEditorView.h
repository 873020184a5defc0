#pragma once
// The ingredient matrix editor window over its form.
#include <QDialog>

#include "app/GridModel.h"
#include "formulation/MatrixEditor.h"
#include "shared/Dialogs.h"

namespace tarvisol::app {

class MatrixEditorView : public QDialog {
    Q_OBJECT
public:
    MatrixEditorView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    void Open();

private:
    void Run(const std::function<void()>& procedure);
    SharedState& s_;
    Dialogs& dialogs_;
    MatrixEditorWindow form_;
    GridView* grid_;
};

}  // namespace tarvisol::app
