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
// A name given twice with two values uses neither (both lines named).
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
// keep the three as before. unusable, when given, gets the index in
// kHerdFields of each setting whose value in the text could not be used (the
// three correlations when together they describe no herd). Accepts any bytes.
void ReadHerdText(std::string_view text, HerdSettings& settings, std::vector<std::string>& messages,
                  std::vector<int>* unusable = nullptr);

// The file's text, every value written so that it reads back as the same.
std::string HerdText(const HerdSettings& settings);

// The location's herd settings: the defaults, then the file when there is one.
// Messages and unusable as ReadHerdText gives them, plus one message when the
// file exists but cannot be read (unusable then lists every setting).
HerdSettings LoadHerdSettings(const std::string& locationBase, std::vector<std::string>& messages,
                              std::vector<int>* unusable = nullptr);

// Saves the settings as the location's herd file, atomically; true when the
// file holds them afterwards.
bool SaveHerdSettings(SharedState& s, const HerdSettings& settings);

}  // namespace tarvisol
