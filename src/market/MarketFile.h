#pragma once
// The location's market settings file, "<base>.mkt": plain text, CR LF line
// ends, a first line naming the file, then one "name<TAB>value" line per
// setting with a full stop as decimal separator:
//
//   Tarvisol market settings
//   Carcass price<TAB>2.1
//   Lean base %<TAB>58
//   ...
//
// Names are those of kMarketFields (case and surrounding blanks do not
// matter); lines may come in any order and missing ones keep their default.
// A name given twice with two values uses neither (both lines named).
// "Carcass yield, %" may be left blank (the run's own yield); files written
// before it existed read as that.
#include <string>
#include <string_view>
#include <vector>

#include "market/MarketSettings.h"

namespace tarvisol {

struct SharedState;

inline constexpr const char* kMarketFileHeader = "Tarvisol market settings";
inline constexpr const char* kMarketExtension = ".mkt";

// A value as the market file and the window take it: the whole text (blanks
// around it aside) one finite number, a comma standing for the decimal point.
bool ReadMarketNumber(std::string_view text, double& v);
// The shortest text that reads back as the value ("2.1", "58", "0.30000000000000004").
std::string MarketNumberText(double v);

// A setting as the file and the window show it: its number, or nothing for
// a blank (a setting that allows one, at 0).
std::string MarketFieldText(const MarketField& f, const MarketSettings& m);

// "<base>.mkt" of the location whose base name (folder and name, without
// extension) is given.
std::string MarketFilePath(const std::string& locationBase);

// Reads the text of a market file over `settings` (which holds the defaults
// or what the caller had): every usable value replaces the one there; a value
// that is not a number or lies outside its range, a line that is not a name
// and a value, an unknown name and a name given twice each add one message
// and change nothing.
// A band whose high end ends up below its low end keeps both ends as before.
// unusable, when given, gets each setting whose value in the text could not
// be used (both band ends for a band upside down). Accepts any bytes.
void ReadMarketText(std::string_view text, MarketSettings& settings, std::vector<std::string>& messages,
                    std::vector<double MarketSettings::*>* unusable = nullptr);

// The file's text for the settings, every value written so that it reads
// back as the same number.
std::string MarketText(const MarketSettings& settings);

// The location's market settings: the defaults for its weight unit, then the
// file when there is one. Messages as ReadMarketText gives them, plus one
// when something is there that cannot be read (a folder, a link to nothing,
// a device; unusable then lists every setting).
MarketSettings LoadMarketSettings(const std::string& locationBase, int weightUnit,
                                  std::vector<std::string>& messages,
                                  std::vector<double MarketSettings::*>* unusable = nullptr);

// Saves the settings as the location's market file, atomically (through the
// location's file saving, which reports a failure). True when the file holds
// them afterwards.
bool SaveMarketSettings(SharedState& s, const MarketSettings& settings);

}  // namespace tarvisol
