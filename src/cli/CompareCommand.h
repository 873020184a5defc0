#pragma once
// tarvisol-cli compare: the location's kept runs side by side against a base
// run (the first, or --base NAME), as text or JSON, optionally as a workbook.
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tarvisol::cli {

struct CompareArgs {
    std::string location;            // folder plus base name, e.g. examples/demo/Demo
    std::optional<std::string> base;  // name of the base run (as typed, UTF-8)
    bool json = false;
    std::string xlsx;                // write the comparison workbook here
};

// Keys: "ran", "location", "runs_file", "messages", "base", "runs" (per run
// {"name", "kept", "source", "inputs", "results", "difference"}), "xlsx".
// "refused" is true when the input was refused (an unknown base).
nlohmann::json RunCompareCommand(const CompareArgs& args, std::ostream* messages);

void PrintCompareReport(const nlohmann::json& report, std::ostream& out);

// 0 all compared (and the workbook written), 2 refused input, 1 otherwise.
int CompareExitCode(const nlohmann::json& report);

}  // namespace tarvisol::cli
