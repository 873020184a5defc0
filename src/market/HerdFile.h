#pragma once
// The location's herd settings file, "<base>.hrd": plain text, CR LF line
// ends, a first line naming the file, then one "name<TAB>value" line per
// setting with a full stop as decimal separator:
//
//   Tarvisol herd settings
//   Pigs<TAB>1000
//   Seed<TAB>2013
//   CV starting weight, %<TAB>12
//   ...
//
// Names are those of kHerdFields (case and blanks around them do not matter);
// lines may come in any order and missing ones keep their default.
#include <string>
#include <string_view>
#include <vector>

#include "market/HerdPopulation.h"

namespace tarvisol {

struct SharedState;

inline constexpr const char* kHerdFileHeader = "Tarvisol herd settings";
inline constexpr const char* kHerdExtension = ".hrd";

// One setting by its name in the file.
struct HerdField {
    const char* Name;
    double Low, High;  // usable values
    bool Whole;        // a whole number
};
inline constexpr int kHerdFieldCount = 9;
extern const HerdField kHerdFields[kHerdFieldCount];

// Setting i of kHerdFields in h, as a number, and set from one.
double HerdFieldValue(const HerdSettings& h, int i);
void SetHerdField(HerdSettings& h, int i, double v);

std::string HerdFilePath(const std::string& locationBase);

// Reads the text of a herd file over `settings`: every usable value replaces
// the one there; a value that is not a number or lies outside its range, a
// line that is not a name and a value and an unknown name each add one
// message and change nothing; correlations that together describe no herd
// keep the three as before. Accepts any bytes.
void ReadHerdText(std::string_view text, HerdSettings& settings, std::vector<std::string>& messages);

// The file's text, every value written so that it reads back as the same.
std::string HerdText(const HerdSettings& settings);

// The location's herd settings: the defaults, then the file when there is one.
HerdSettings LoadHerdSettings(const std::string& locationBase, std::vector<std::string>& messages);

// Saves the settings as the location's herd file, atomically; true when the
// file holds them afterwards.
bool SaveHerdSettings(SharedState& s, const HerdSettings& settings);

}  // namespace tarvisol
