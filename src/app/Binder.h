#pragma once
// Two-way binding of the small controls of a form to Qt widgets: Pull copies
// what the user typed or chose into the form before a procedure runs; Push
// shows the form after it returns.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <string>
#include <vector>

#include "shared/Controls.h"
#include "ui/Mnemonics.h"

namespace tarvisol::app {

class Binder {
public:
    QLineEdit* Bind(TextBox& box, QLineEdit* edit);
    QComboBox* Bind(ComboBox& combo, QComboBox* widget);
    QPushButton* Bind(Button& button, QPushButton* widget);
    QLabel* Bind(Label& label, QLabel* widget);
    QRadioButton* Bind(OptionButton& option, QRadioButton* widget);
    QCheckBox* Bind(CheckBox& check, QCheckBox* widget);
    void Pull();
    void Push();

    // The tool tip shown for a box or list (the box's own tip when unset).
    std::function<std::string(const TextBox&)> textToolTip;
    std::function<std::string(const ComboBox&)> comboToolTip;
    // The window's keyboard mnemonics: every bound button gets a letter.
    Mnemonics mnemonics;

private:
    std::vector<std::pair<TextBox*, QLineEdit*>> texts_;
    std::vector<std::pair<ComboBox*, QComboBox*>> combos_;
    std::vector<std::pair<Button*, QPushButton*>> buttons_;
    std::vector<std::pair<Label*, QLabel*>> labels_;
    std::vector<std::pair<OptionButton*, QRadioButton*>> options_;
    std::vector<std::pair<CheckBox*, QCheckBox*>> checks_;
};

QString ColorStyle(Color c);

}  // namespace tarvisol::app
