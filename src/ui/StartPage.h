#pragma once
// The "Start here" page the results tab shows while no location is open: how
// to begin (open a location or the demo, then Growth) and one line on what
// each main button does.
#include <string>
#include <vector>

#include "shared/MainWindowForm.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kStartPageTitle = "Start here";

struct StartPageButton {
    std::string caption;  // the button's caption as the window shows it
    std::string what;     // what it does, one line
};

struct StartPage {
    std::string title = kStartPageTitle;
    std::vector<std::string> steps;
    std::vector<StartPageButton> buttons;
};

// The main window's command buttons, in the order the window shows them.
std::vector<const Button*> MainCommandButtons(const MainWindow& w);

// The page for the window as it is: every visible command button gets its
// line (its tool tip when no line is written for it).
StartPage BuildStartPage(const MainWindow& w);

// The page as HTML for a rich-text view (texts escaped).
std::string StartPageHtml(const StartPage& page);

// While no location is open the results tab shows the start page.
bool ShowsStartPage(const SharedState& s);

// A fresh start opens on the start page (the results tab). When a command
// opened a location while the start page was in front, the window goes on to
// the Inputs and Diets tab, where work on a location begins.
void OpenOnStartPage(SharedState& s);
void LeaveStartPage(SharedState& s, bool startPageWasShown);

}  // namespace tarvisol
