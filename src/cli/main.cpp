#include <algorithm>
#include <iostream>
#include <string>

#include "cli/CalibrateCommand.h"
#include "cli/CompareCommand.h"
#include "cli/ReportCommand.h"
#include "cli/CliArgs.h"
#include "cli/DemoCommand.h"
#include "cli/GenotypeCalibration.h"
#include "cli/GenotypesCommand.h"
#include "cli/OptimiseCommand.h"
#include "cli/GrowCommand.h"
#include "cli/GrowthCommand.h"
#include "cli/LpCommand.h"
#include "cli/MixCommand.h"
#include "cli/PlotCommand.h"
#include "cli/PrecisionCommand.h"
#include "shared/RuntimeError.h"
#ifdef TARVISOL_CLI_PDF
#include "pdf/ReportPdf.h"
#endif
#include "ui/ProgramData.h"

namespace {

// The last safety net of --json output: text that is not UTF-8 (a name the
// command did not convert) is printed with replacement characters rather
// than making the output fail.
template <class Json>
std::string Printed(const Json& j) {
    return j.dump(2, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

// Exit statuses: 0 every figure printed holds; 1 the command ran but a result
// is missing or failed; 2 bad arguments or refused input.
int main(int argc, char** argv) {
    using namespace tarvisol::cli;
    int code = 0;
    auto req = ParseCommandLine(argc, argv, code);
    if (!req) return code;
    try {
        if (req->kind == CliRequest::Kind::Grow) {
            auto result = RunGrow(req->grow, &std::cerr);
            if (req->grow.json)
                std::cout << Printed(result) << "\n";
            else
                PrintGrow(result, std::cout);
            return GrowExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Growth) {
            auto result = RunGrowthCommand(req->growth, req->growth.json ? nullptr : &std::cerr);
            if (req->growth.json)
                std::cout << Printed(result) << "\n";
            else
                PrintGrowthReport(result, std::cout);
            int status = GrowthExitCode(result);
            if (req->growth.keep && result["kept"].is_null()) status = std::max(status, 1);  // --keep not done
            return status;
        }
        if (req->kind == CliRequest::Kind::Calibrate && CalibratesGenotype(req->calibrate)) {
            auto result = RunGenotypeCalibration(req->calibrate, req->calibrate.json ? nullptr : &std::cerr);
            if (req->calibrate.json)
                std::cout << Printed(result) << "\n";
            else
                PrintGenotypeCalibration(result, std::cout);
            return CalibrateExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Calibrate) {
            auto result = RunCalibrateCommand(req->calibrate, req->calibrate.json ? nullptr : &std::cerr);
            if (req->calibrate.json)
                std::cout << Printed(result) << "\n";
            else
                PrintCalibrateReport(result, std::cout);
            return CalibrateExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Optimise) {
            tarvisol::ReportRenderer* renderer = nullptr;
#ifdef TARVISOL_CLI_PDF
            if (!req->optimise.pdf.empty()) renderer = &tarvisol::pdf::StandaloneReportRenderer();
#endif
            auto result = RunOptimiseCommand(req->optimise, req->optimise.json ? nullptr : &std::cerr, nullptr, renderer);
            if (req->optimise.json)
                std::cout << Printed(result) << "\n";
            else
                PrintOptimiseReport(result, std::cout);
            return result.value("refused", false) ? 2 : result.value("ran", false) ? 0 : 1;
        }
        if (req->kind == CliRequest::Kind::Plot) {
            auto result = RunPlotCommand(req->plot, req->plot.json ? nullptr : &std::cerr);
            if (req->plot.json)
                std::cout << Printed(result) << "\n";
            else
                PrintPlotReport(result, std::cout);
            return result.value("refused", false) ? 2 : result.value("ran", false) ? 0 : 1;
        }
        if (req->kind == CliRequest::Kind::Compare) {
            auto result = RunCompareCommand(req->compare, req->compare.json ? nullptr : &std::cerr);
            if (req->compare.json) {
                result.erase("table");
                std::cout << result.dump(2) << "\n";
            } else {
                PrintCompareReport(result, std::cout);
            }
            return CompareExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Report) {
            tarvisol::ReportRenderer* renderer = nullptr;
#ifdef TARVISOL_CLI_PDF
            renderer = &tarvisol::pdf::StandaloneReportRenderer();
#endif
            auto result = RunReportCommand(req->report, renderer, &std::cerr);
            PrintReportOutcome(result, std::cout);
            return ReportExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Market) {
            auto result = RunMarketCommand(req->market, req->market.json ? nullptr : &std::cerr);
            if (req->market.json)
                std::cout << Printed(result) << "\n";
            else
                PrintMarketReport(result, std::cout);
            return MarketExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Herd) {
            auto result = RunHerdCommand(req->herd, req->herd.json ? nullptr : &std::cerr);
            if (req->herd.json)
                std::cout << Printed(result) << "\n";
            else
                PrintHerdReport(result, std::cout);
            return HerdExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Precision) {
            auto result = RunPrecisionCommand(req->precision, req->precision.json ? nullptr : &std::cerr);
            if (req->precision.json)
                std::cout << Printed(result) << "\n";
            else
                PrintPrecisionReport(result, std::cout);
            return PrecisionExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Requirements) {
            auto result = RunRequirementsCommand(req->requirements, req->requirements.json ? nullptr : &std::cerr);
            if (req->requirements.json)
                std::cout << Printed(result) << "\n";
            else
                PrintRequirementsReport(result, std::cout);
            return RequirementsExitCode(result);
        }
        if (req->kind == CliRequest::Kind::New) {
            auto result = RunNewCommand(req->newLocation, tarvisol::RunningProgramFolder());
            if (req->newLocation.json)
                std::cout << Printed(result) << "\n";
            else
                PrintNew(result, std::cout, std::cerr);
            return NewExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Prices) {
            auto result = RunPricesCommand(req->prices, req->prices.json ? nullptr : &std::cerr);
            if (req->prices.json)
                std::cout << Printed(result) << "\n";
            else
                PrintPrices(result, std::cout);
            return PricesExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Genotypes) {
            const nlohmann::json presets = GenotypesJson();
            if (req->genotypesJson)
                std::cout << Printed(presets) << "\n";
            else
                PrintGenotypes(presets, std::cout);
            return 0;
        }
        if (req->kind == CliRequest::Kind::Demo)
            return RunDemoCommand(req->demo, tarvisol::RunningProgramFolder(), std::cout, std::cerr);
        if (req->kind == CliRequest::Kind::Lp) {
            auto result = RunLpCommand(req->lp, req->lp.json ? nullptr : &std::cerr);
            if (req->lp.json)
                std::cout << Printed(result) << "\n";
            else
                PrintLp(result, std::cout);
            return LpExitCode(result);
        }
        if (req->kind == CliRequest::Kind::Mix) {
            auto result = RunMixCommand(req->mix, req->mix.json ? nullptr : &std::cerr);
            if (req->mix.json)
                std::cout << result.dump(2) << "\n";
            else
                PrintMix(result, std::cout);
            return MixExitCode(result);
        }
    } catch (const std::exception& e) {
        std::cerr << "tarvisol-cli: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
