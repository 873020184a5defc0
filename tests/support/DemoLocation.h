#pragma once
// A copy of the bundled demo location (every examples/demo/Demo* file) in a
// scratch folder, so tests and benchmarks can open and save it freely.
//
// The bundled demo opens in the nutrient-response model (its Demo.gen holds
// the genotype fitted to its herd). Most tests and benchmarks work on the
// documented curve of the same herd (Demo.pig), so the copy leaves the
// genotype file out unless the bundle is asked for as it ships.
#include "support/BuildPaths.h"
#include <filesystem>

namespace tarvisol::testing {

enum class DemoModel { DocumentedCurve, AsBundled };

inline void CopyDemoLocation(const std::filesystem::path& folder, DemoModel model = DemoModel::DocumentedCurve) {
    namespace fs = std::filesystem;
    for (const auto& e : fs::directory_iterator(fs::path(TARVISOL_SOURCE_DIR) / "examples" / "demo")) {
        const std::string name = e.path().filename().string();
        if (name.rfind("Demo", 0) != 0) continue;
        if (model == DemoModel::DocumentedCurve && name == "Demo.gen") continue;
        fs::copy_file(e.path(), folder / e.path().filename(), fs::copy_options::overwrite_existing);
    }
}

}  // namespace tarvisol::testing
