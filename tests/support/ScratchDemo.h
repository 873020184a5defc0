#pragma once
// A copy of the bundled demo location in a fresh folder of the temporary
// directory, removed with the object: benchmarks and tests open and save the
// copy, never the files in examples/.
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/DemoLocation.h"

namespace tarvisol::testing {

class ScratchDemo {
public:
    ScratchDemo() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvisol-demo-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder in " + pattern);
        folder_ = pattern;
        CopyDemoLocation(folder_);
    }
    ~ScratchDemo() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    ScratchDemo(const ScratchDemo&) = delete;
    ScratchDemo& operator=(const ScratchDemo&) = delete;

    // The folder holding Demo.pig, Demo.cal, ...
    std::string Folder() const { return folder_.string(); }
    // The location's path without ending: <folder>/Demo.
    std::string Base() const { return (folder_ / "Demo").string(); }

private:
    std::filesystem::path folder_;
};

}  // namespace tarvisol::testing
