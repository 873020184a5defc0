#pragma once
// Every file of a folder by name with its bytes, to tell whether a command
// wrote, replaced or removed anything there.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace tarvisol::testing {

inline std::map<std::string, std::string> FolderContents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        files[e.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

// The texts of every cell of a grid, row by row.
template <class G>
std::string GridText(const G& g) {
    std::string t;
    for (int r = 0; r < g.Rows(); ++r) {
        for (int c = 0; c < g.Cols(); ++c) t += g.TextMatrix(r, c) + "\t";
        t += "\n";
    }
    return t;
}

}  // namespace tarvisol::testing
