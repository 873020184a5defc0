#pragma once
// A copy of the bundled demo location (every examples/demo/Demo* file) in a
// scratch folder, so tests and benchmarks can open and save it freely.
#include "support/BuildPaths.h"
#include <filesystem>

namespace tarvisol::testing {

inline void CopyDemoLocation(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    for (const auto& e : fs::directory_iterator(fs::path(TARVISOL_SOURCE_DIR) / "examples" / "demo"))
        if (e.path().filename().string().rfind("Demo", 0) == 0)
            fs::copy_file(e.path(), folder / e.path().filename(), fs::copy_options::overwrite_existing);
}

}  // namespace tarvisol::testing
