#pragma once
// The File menu's most recently opened locations, newest first. Each is the
// location's folder plus base name ("/home/ann/herds/North"); the desktop
// program keeps the list in its settings store between sessions.
#include <string>
#include <vector>

#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr int kRecentLocationCount = 5;

// One way of writing a location: an absolute, normalised path without a
// trailing ".pig", so that "herds/./North.pig" and "herds/North" are the same.
std::string NormalLocationPath(const std::string& base);

class RecentLocations {
public:
    // stored: the list as it was kept (any text): empty entries and repeats
    // are dropped, at most five are kept.
    explicit RecentLocations(const std::vector<std::string>& stored = {});

    // A location was opened: it goes to the front (once), the oldest beyond
    // five falls off.
    void Opened(const std::string& base);
    // A location that is no longer there leaves the list.
    void Forget(const std::string& base);

    const std::vector<std::string>& Paths() const { return paths_; }
    // The entries whose settings file (.pig) still exists, in order: what the
    // menu offers.
    std::vector<std::string> Existing() const;

private:
    std::vector<std::string> paths_;
};

// After a command that may have opened a location: when a location with a
// settings file is open, it becomes the newest entry. Returns whether it did.
bool NoteLocationOpened(RecentLocations& recent, const SharedState& s);

// The menu caption of entry i (0-based): "&1 North   /home/ann/herds".
std::string RecentMenuCaption(int i, const std::string& base);

}  // namespace tarvisol
