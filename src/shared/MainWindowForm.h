#pragma once
// The main window as a form: its controls under their names. The Growth run
// and the growth engine write their tables into Grid1.
#include "shared/Controls.h"

namespace tarvisol {

inline constexpr const char* kMainCaption = "Tarvisol for Swine 20 kg or More to Finish";

struct MainWindow {
    std::string Caption = kMainCaption;
    // The results grid: per-diet table, daily table (columns 5..8), herd
    // distribution (9) and carcass estimates (10..13).
    Grid Grid1{"Grid1", 200, 14};
};

}  // namespace tarvisol
