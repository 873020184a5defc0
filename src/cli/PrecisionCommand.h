#pragma once
// tarvisol-cli precision: opens a location as `growth` does and compares
// three ways of feeding a herd of pigs that differ, on the nutrient-response
// model: the location's phase programme, a daily blend of two feeds for the
// group, and each pig its own daily blend.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tarvisol {
class Progress;
namespace precision {
struct PrecisionLocation;
struct PrecisionResult;
}  // namespace precision
}  // namespace tarvisol

namespace tarvisol::cli {

struct PrecisionArgs {
    std::string location;            // folder plus base name, e.g. examples/demo/Demo
    std::optional<int> formulation;  // 1 least cost, 2 diets on the grid; default as `growth` chooses
    std::optional<double> percentile;  // the group blend's pig; none: the herd's mean requirement
    std::optional<int> pigs;
    std::optional<std::uint64_t> seed;
    int dietA = 0, dietB = 0;  // two of the location's diets as A and B; 0: formulate them
    bool json = false;
    int threads = 0;  // 0: one per processor
};

// {"location", "formulation", "outcome", "messages", "settings", "feeds",
//  "strategies": {"phase", "group_blend", "precision"}, "differences":
//  {"group_blend", "precision"} (each less the phase programme), "bat",
//  "series", "notes"}.
nlohmann::json RunPrecisionCommand(const PrecisionArgs& args, std::ostream* messages, Progress* progress = nullptr);

// The comparison as the report gives it, for the window and the report.
nlohmann::json PrecisionJson(const precision::PrecisionLocation& where, const precision::PrecisionResult& r);

void PrintPrecisionReport(const nlohmann::json& report, std::ostream& out);

// 0 for a comparison made; 2 when the options or the location's settings were
// refused; 1 otherwise (no Growth result, a feed that cannot be formulated).
int PrecisionExitCode(const nlohmann::json& report);

}  // namespace tarvisol::cli
