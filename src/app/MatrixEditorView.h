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
    // Refills the editor when the matrix was opened again elsewhere.
    void Sync();
    MatrixEditorWindow& form() { return form_; }
    // Called after the editor changed the matrix (an ingredient added,
    // removed or taken over), so other windows can follow.
    std::function<void()> onChanged;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Run(const std::function<void()>& procedure);
    SharedState& s_;
    Dialogs& dialogs_;
    MatrixEditorWindow form_;
    GridView* grid_;
};

}  // namespace tarvisol::app
