#include <iostream>

#include "cli/CalibrateCommand.h"
#include "cli/CliArgs.h"
#include "cli/DemoCommand.h"
#include "cli/OptimiseCommand.h"
#include "cli/GrowCommand.h"
#include "cli/GrowthCommand.h"
#include "cli/LpCommand.h"
#include "cli/PlotCommand.h"
#include "shared/RuntimeError.h"
#include "ui/ProgramData.h"

int main(int argc, char** argv) {
    using namespace tarvisol::cli;
    int code = 0;
    auto req = ParseCommandLine(argc, argv, code);
    if (!req) return code;
    try {
        if (req->kind == CliRequest::Kind::Grow) {
            auto result = RunGrow(req->grow, &std::cerr);
            if (req->grow.json)
                std::cout << result.dump(2) << "\n";
            else
                PrintGrow(result, std::cout);
            return result["run_failed"].get<bool>() ? 1 : 0;
        }
        if (req->kind == CliRequest::Kind::Growth) {
            auto result = RunGrowthCommand(req->growth, req->growth.json ? nullptr : &std::cerr);
            if (req->growth.json)
                std::cout << result.dump(2) << "\n";
            else
                PrintGrowthReport(result, std::cout);
            return result["ran"].get<bool>() ? 0 : 1;
        }
        if (req->kind == CliRequest::Kind::Calibrate) {
            auto result = RunCalibrateCommand(req->calibrate, req->calibrate.json ? nullptr : &std::cerr);
            if (req->calibrate.json)
                std::cout << result.dump(2) << "\n";
            else
                PrintCalibrateReport(result, std::cout);
            return result.value("ran", false) ? 0 : 1;
        }
        if (req->kind == CliRequest::Kind::Optimise) {
            auto result = RunOptimiseCommand(req->optimise, req->optimise.json ? nullptr : &std::cerr);
            if (req->optimise.json)
                std::cout << result.dump(2) << "\n";
            else
                PrintOptimiseReport(result, std::cout);
            return result.value("ran", false) ? 0 : 1;
        }
        if (req->kind == CliRequest::Kind::Plot) {
            auto result = RunPlotCommand(req->plot, req->plot.json ? nullptr : &std::cerr);
            if (req->plot.json)
                std::cout << result.dump(2) << "\n";
            else
                PrintPlotReport(result, std::cout);
            return result.value("ran", false) ? 0 : 1;
        }
        if (req->kind == CliRequest::Kind::Demo)
            return RunDemoCommand(req->demo, tarvisol::RunningProgramFolder(), std::cout, std::cerr);
        if (req->kind == CliRequest::Kind::Lp) {
            auto result = RunLpCommand(req->lp, req->lp.json ? nullptr : &std::cerr);
            if (req->lp.json)
                std::cout << result.dump(2) << "\n";
            else
                PrintLp(result, std::cout);
            return LpExitCode(result);
        }
    } catch (const std::exception& e) {
        std::cerr << "tarvisol-cli: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
