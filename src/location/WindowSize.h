#pragma once
// The window-size file "ASwineForm.txt" in the program's folder: the main
// window's height, then its width, in twips, one per line.
#include <string>
#include <string_view>

#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kWindowSizeFile = "ASwineForm.txt";
inline constexpr int kWindowHeight = 9600;
inline constexpr int kMinStoredWidth = 15465;  // a narrower stored width is not used
inline constexpr int kDefaultWidth = 15420;

// ProgramFolder joined with "ASwineForm.txt".
std::string WindowSizePath(const LocationState& loc);

// Start-up: when the window-size file exists, LocationFolder becomes the
// program folder with a closing '/' and the stored size is read
// (ReadWindowSizeText); without it the width is 15420. A file that cannot be
// read counts as missing. The main window is s.Main (nothing happens without it).
void ReadWindowSize(SharedState& s);

// The size from the file's text: the height is set to 9600 whatever is
// stored; the width is the stored one when it is at least 15465 (and fits an
// integer), otherwise 15420. Any bytes are accepted.
void ReadWindowSizeText(SharedState& s, std::string_view text);

// The main window's first size in pixels on a screen whose free area is
// freeWidth x freeHeight: the size of the window-size file (twips, 15 to a
// pixel), grown on a larger screen to 85 % of the free area so that the
// window uses the screen. It is never made smaller than that size.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kScreenShare = 0.85;
void OpeningWindowSize(const SharedState& s, int freeWidth, int freeHeight, int& width, int& height);

// Writes the main window's height and width when both are non-zero. Returns
// whether the file was written; a folder that cannot be written is skipped
// without a message.
bool WriteWindowSize(const SharedState& s);

// Run when the main window unloads: writes the window-size file. Unloading the
// other windows and ending the program are the front end's.
void EndProgram(SharedState& s);

}  // namespace tarvisol
