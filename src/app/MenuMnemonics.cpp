#include "app/MenuMnemonics.h"

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <string>
#include <vector>

#include "ui/Mnemonics.h"

namespace tarvisol::app {
namespace {

void MarkActions(const QList<QAction*>& actions) {
    Mnemonics m;
    for (QAction* a : actions)
        if (const char c = MnemonicOf(a->text().toStdString())) m.Reserve(std::string(1, c));
    std::vector<QAction*> unmarked;
    std::vector<std::string> captions;
    for (QAction* a : actions) {
        if (a->isSeparator() || MnemonicOf(a->text().toStdString()) != 0) continue;
        unmarked.push_back(a);
        captions.push_back(a->text().toStdString());
    }
    const std::vector<std::string> marked = m.MarkAll(captions);
    for (std::size_t i = 0; i < unmarked.size(); ++i) unmarked[i]->setText(QString::fromStdString(marked[i]));
    for (QAction* a : actions)
        if (a->menu()) MarkMenu(a->menu());
}

}  // namespace

void MarkMenu(QMenu* menu) { MarkActions(menu->actions()); }

void MarkMenuBar(QMenuBar* bar) { MarkActions(bar->actions()); }

}  // namespace tarvisol::app
