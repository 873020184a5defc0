#include "ui/RecentLocations.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "shared/Numbers.h"

namespace tarvisol {
namespace fs = std::filesystem;

std::string NormalLocationPath(const std::string& base) {
    if (base.empty()) return {};
    std::string b = base;
    while (b.size() > 1 && b.back() == '/') b.pop_back();
    if (b.size() > 4 && b.compare(b.size() - 4, 4, ".pig") == 0) b.resize(b.size() - 4);
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(b), ec);
    if (ec) p = fs::path(b);
    return p.lexically_normal().string();
}

RecentLocations::RecentLocations(const std::vector<std::string>& stored) {
    for (const std::string& s : stored) {
        const std::string p = NormalLocationPath(s);
        if (p.empty() || std::find(paths_.begin(), paths_.end(), p) != paths_.end()) continue;
        paths_.push_back(p);
        if (static_cast<int>(paths_.size()) == kRecentLocationCount) break;
    }
}

void RecentLocations::Opened(const std::string& base) {
    const std::string p = NormalLocationPath(base);
    if (p.empty()) return;
    paths_.erase(std::remove(paths_.begin(), paths_.end(), p), paths_.end());
    paths_.insert(paths_.begin(), p);
    if (static_cast<int>(paths_.size()) > kRecentLocationCount) paths_.resize(kRecentLocationCount);
}

void RecentLocations::Forget(const std::string& base) {
    const std::string p = NormalLocationPath(base);
    paths_.erase(std::remove(paths_.begin(), paths_.end(), p), paths_.end());
}

std::vector<std::string> RecentLocations::Existing() const {
    std::vector<std::string> out;
    for (const std::string& p : paths_)
        if (FileExists(p + ".pig")) out.push_back(p);
    return out;
}

bool NoteLocationOpened(RecentLocations& recent, const SharedState& s) {
    if (!s.PigDataReady || s.LocationBase.empty() || !FileExists(s.LocationBase + ".pig")) return false;
    recent.Opened(s.LocationBase);
    return true;
}

std::string RecentMenuCaption(int i, const std::string& base) {
    const fs::path p(base);
    // A '&' in a name would underline the next letter instead of showing.
    std::string shown;
    for (char c : p.filename().string() + "   " + p.parent_path().string()) {
        if (c == '&') shown += '&';
        shown += c;
    }
    return "&" + std::to_string(i + 1) + " " + shown;
}

}  // namespace tarvisol
