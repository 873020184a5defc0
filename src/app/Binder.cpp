#include "app/Binder.h"

namespace tarvisol::app {

QString ColorStyle(Color c) {
    if (c == kNoColor) return {};
    return QString("background-color: rgb(%1, %2, %3);").arg((c >> 16) & 255).arg((c >> 8) & 255).arg(c & 255);
}

QLineEdit* Binder::Bind(TextBox& box, QLineEdit* edit) { texts_.emplace_back(&box, edit); return edit; }
QComboBox* Binder::Bind(ComboBox& combo, QComboBox* widget) { combos_.emplace_back(&combo, widget); return widget; }
QPushButton* Binder::Bind(Button& button, QPushButton* widget) { buttons_.emplace_back(&button, widget); return widget; }
QLabel* Binder::Bind(Label& label, QLabel* widget) { labels_.emplace_back(&label, widget); return widget; }
QRadioButton* Binder::Bind(OptionButton& option, QRadioButton* widget) { options_.emplace_back(&option, widget); return widget; }
QCheckBox* Binder::Bind(CheckBox& check, QCheckBox* widget) { checks_.emplace_back(&check, widget); return widget; }

void Binder::Pull() {
    for (auto& [box, edit] : texts_) box->Text = edit->text().toStdString();
    for (auto& [combo, widget] : combos_) combo->ListIndex = widget->currentIndex();
    for (auto& [option, widget] : options_) option->Value = widget->isChecked();
    for (auto& [check, widget] : checks_) check->Value = widget->isChecked() ? 1 : 0;
}

void Binder::Push() {
    for (auto& [box, edit] : texts_) {
        const QString t = QString::fromStdString(box->Text);
        if (edit->text() != t) edit->setText(t);
        edit->setToolTip(QString::fromStdString(textToolTip ? textToolTip(*box) : box->ToolTip));
        edit->setStyleSheet(ColorStyle(box->BackColor));
        edit->setEnabled(box->Enabled);
        edit->setVisible(box->Visible);
    }
    for (auto& [combo, widget] : combos_) {
        const QSignalBlocker block(widget);
        bool same = widget->count() == static_cast<int>(combo->Items.size());
        for (int i = 0; same && i < widget->count(); ++i)
            same = widget->itemText(i).toStdString() == combo->Items[static_cast<std::size_t>(i)];
        if (!same) {
            widget->clear();
            for (const auto& item : combo->Items) widget->addItem(QString::fromStdString(item));
        }
        widget->setCurrentIndex(combo->ListIndex);
        if (comboToolTip) widget->setToolTip(QString::fromStdString(comboToolTip(*combo)));
    }
    for (auto& [button, widget] : buttons_) {
        widget->setText(QString::fromStdString(mnemonics.Mark(button->Caption)));
        widget->setStyleSheet(ColorStyle(button->BackColor));
        widget->setEnabled(button->Enabled);
        widget->setVisible(button->Visible);
        widget->setToolTip(QString::fromStdString(button->ToolTip));
    }
    for (auto& [label, widget] : labels_) widget->setText(QString::fromStdString(label->Caption));
    for (auto& [option, widget] : options_) {
        const QSignalBlocker block(widget);
        widget->setText(QString::fromStdString(option->Caption));
        widget->setChecked(option->Value);
    }
    for (auto& [check, widget] : checks_) {
        const QSignalBlocker block(widget);
        widget->setText(QString::fromStdString(check->Caption));
        widget->setChecked(check->Value != 0);
    }
}

}  // namespace tarvisol::app
