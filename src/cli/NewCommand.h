#pragma once
// tarvisol-cli new FOLDER/BASE --ingredients "Corn,Soybean meal 47,..." [--prices FILE]
// [--diets N] [--weights W0,W1,..] [--start-age D] [--curve-from LOCATION]
// [--library FILE]: a new location made from the ingredient library.
#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tarvisol::cli {

struct NewArgs {
    std::string location;                  // folder plus base name of the new location
    std::vector<std::string> ingredients;  // library names, in matrix order
    std::string prices;                    // a price sheet, optional
    int diets = 4;
    std::vector<double> weights;  // start, then each diet's end; empty: 25 to 125 kg in equal steps
    double startAge = 63;
    // Another location whose growth model and genotype the new one keeps (or
    // its growth curve, when it runs the documented one).
    std::string curveFrom;
    // A genotype preset (key or name) or a genotype file; empty: the default
    // preset, or the other location's model.
    std::string genotype;
    std::string library;    // the library file; empty: the one beside the demo
    std::string currency;   // the location's currency setting
    bool json = false;
};

// Splits --ingredients at its commas (blanks around the names dropped).
std::vector<std::string> SplitNames(const std::string& list);

// Makes the location. Returns {"location", "made", "refused", "error",
// "files", "prices": {"from_sheet", "indicative", "not_used"}, "diets": [{"diet",
// "name", "from_weight", "to_weight", "allotment", "end_weight", "end_age",
// "daily_gain", "feed_gain", "price"}], "final_age", "total_feed", "model",
// "genotype": {"name", "source"} (the nutrient-response model's)}. programFolder is where the running program sits
// (the library is found from there).
nlohmann::ordered_json RunNewCommand(const NewArgs& args, const std::string& programFolder);

void PrintNew(const nlohmann::ordered_json& result, std::ostream& out, std::ostream& err);

// 0 made, 1 not made (the ingredients give no diet, a file could not be
// written), 2 refused (an unknown ingredient, a folder holding a location).
int NewExitCode(const nlohmann::ordered_json& result);

}  // namespace tarvisol::cli
