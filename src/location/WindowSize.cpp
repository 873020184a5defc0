#include "location/WindowSize.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "growth/Temperature.h"
#include "location/LocationFiles.h"
#include "location/PigFile.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"

namespace tarvisol {

std::string WindowSizePath(const LocationState& loc) { return JoinPath(loc.ProgramFolder, kWindowSizeFile); }

void ReadWindowSizeText(SharedState& s, std::string_view text) {
    if (!s.Main) return;
    const auto items = InputItems(text, 2);
    const double width = items.size() > 1 ? Val(items[1]) : 0;
    // The stored height is taken and then replaced by the fixed height.
    s.Main->Height = kWindowHeight;
    if (width >= kMinStoredWidth && width <= static_cast<double>(std::numeric_limits<int32_t>::max()))
        s.Main->Width = static_cast<int>(width);
    else
        s.Main->Width = kDefaultWidth;
}

void ReadWindowSize(SharedState& s) {
    const std::string path = WindowSizePath(s);
    std::string content, error;
    if (FileExists(path) && ReadTextFile(path, content, error)) {
        s.LocationFolder = JoinPath(s.ProgramFolder, "");
        ReadWindowSizeText(s, content);
    } else if (s.Main) {
        s.Main->Width = kDefaultWidth;
    }
}

void OpeningWindowSize(const SharedState& s, int freeWidth, int freeHeight, int& width, int& height) {
    width = s.Main ? s.Main->Width / kTwipsPerPixel : kDefaultWidth / kTwipsPerPixel;
    height = s.Main ? s.Main->Height / kTwipsPerPixel : kWindowHeight / kTwipsPerPixel;
    width = std::max(width, static_cast<int>(freeWidth * kScreenShare));
    height = std::max(height, static_cast<int>(freeHeight * kScreenShare));
}

bool WriteWindowSize(const SharedState& s) {
    if (!s.Main || s.Main->Height == 0 || s.Main->Width == 0) return false;
    std::string error;
    return SaveAtomic(WindowSizePath(s), JoinCrlf({PrintInteger(s.Main->Height), PrintInteger(s.Main->Width)}), error);
}

void EndProgram(SharedState& s) { WriteWindowSize(s); }

}  // namespace tarvisol
