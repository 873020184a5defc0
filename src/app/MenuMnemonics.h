#pragma once
// Mnemonics for a menu bar and its menus (ui/Mnemonics): every entry gets a
// letter of its own within its menu; an entry written with one keeps it.
class QMenu;
class QMenuBar;

namespace tarvisol::app {

void MarkMenu(QMenu* menu);
// The bar's own entries (menus and commands on it), then each menu.
void MarkMenuBar(QMenuBar* bar);

}  // namespace tarvisol::app
