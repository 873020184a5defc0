#pragma once
// Every file under a folder with its bytes, to tell which files a command
// wrote, created or removed.
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "location/ScratchFolder.h"

namespace tarvisol::testing {

using FolderBytes = std::map<std::string, std::string>;  // path relative to the folder -> bytes

inline FolderBytes SnapshotFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    FolderBytes files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (!e.is_directory()) files[fs::relative(e.path(), folder).string()] = Slurp(e.path().string());
    return files;
}

// The files that differ between two snapshots: changed, created or removed.
inline std::set<std::string> ChangedFiles(const FolderBytes& before, const FolderBytes& after) {
    std::set<std::string> changed;
    for (const auto& [name, bytes] : before) {
        auto it = after.find(name);
        if (it == after.end() || it->second != bytes) changed.insert(name);
    }
    for (const auto& [name, bytes] : after)
        if (!before.count(name)) changed.insert(name);
    return changed;
}

}  // namespace tarvisol::testing
