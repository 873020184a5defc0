#pragma once
// Shared by the formulation file fuzz targets: the input bytes become a file
// that the reader opens, on a fresh record with a main window.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "shared/MainWindowForm.h"
#include "shared/SharedState.h"

namespace tarvisol::fuzz {

struct Fresh {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    Fresh() {
        DataInit(*s);
        s->Main = w.get();
        w->Combo1.Items = {"Select Diet Formulas", "Least Cost Formulas", "Use Diets on Grid"};
        w->ComboDiets.Items = {"No. of Diets", "1", "2", "3", "4", "5", "6"};
    }
};

// A scratch path private to this process in the temporary folder (the replay
// driver points TMPDIR at a fresh folder it removes at the end), ending as given.
inline std::string ScratchPath(const std::string& ending) {
    return (std::filesystem::temp_directory_path() / ("tarvisol-fuzz-" + std::to_string(::getpid()) + ending))
        .string();
}

inline void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
}

// A small matrix to formulate against: three ingredients, 20 columns.
inline void SmallMatrix(SharedState& s) {
    s.IngredientCount = 3;
    s.NutrientCount = 20;
    for (int j = 1; j <= 3; ++j) {
        s.IngredientPrices(j) = 100.0 * j;
        s.IngredientMatrix(1, j) = 100;
        for (int c = 2; c <= 20; ++c) s.IngredientMatrix(c, j) = (c * 37 + j * 11) % 50;
    }
}

}  // namespace tarvisol::fuzz
