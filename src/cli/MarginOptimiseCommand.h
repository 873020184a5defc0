#pragma once
// tarvisol-cli optimise --objective margin-place-year|margin-pig: the
// programme that pays best beside the feed-cost minimum and the current one,
// per diet its energy, SID lysine (and as % of the requirement and g per
// Mcal), allotment, the sale weight, and how the optimum moves with the pig
// price, the feed prices and the day cost.
#include <iosfwd>

#include <nlohmann/json.hpp>

#include "cli/OptimiseCommand.h"

namespace tarvisol::cli {

// Runs the margin objective of args.objective; the report as one object
// ("refused": exit 2, "ran": exit 0, else 1).
// With --pdf or --xlsx the report of the current run with the margin section,
// and its workbook, are written from the same result the object reports.
nlohmann::json RunMarginOptimiseCommand(const OptimiseArgs& args, std::ostream* messages, Progress* progress = nullptr,
                                        ReportRenderer* renderer = nullptr);

void PrintMarginOptimiseReport(const nlohmann::json& report, std::ostream& out);

}  // namespace tarvisol::cli
