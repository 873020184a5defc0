#pragma once
// What the last switch of the unit system converted: each figure as it was
// before the switch and as the switch left it, so that switching back gives
// every figure not edited in between back exactly (and its file byte for
// byte), not to the precision of two conversions.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace tarvisol {

struct UnitSwitchMemory {
    // Energy, weight and price units of the figures before the switch and after it.
    std::array<int16_t, 3> From{-1, -1, -1};
    std::array<int16_t, 3> To{-1, -1, -1};
    // A box's or cell's text before the switch (with the figure the program
    // kept behind it, if any) and the text the switch left.
    struct ShownText {
        std::string before;
        bool hadFigure = false;
        double figure = 0;
        std::string after;
    };
    // By the figure's place ("Text1", "Griddiets 2 3", "Matrix 2 5", ...):
    // (before, after).
    std::map<std::string, std::pair<double, double>> Numbers;
    std::map<std::string, ShownText> Texts;

    void Clear() { *this = UnitSwitchMemory{}; }
};

}  // namespace tarvisol
