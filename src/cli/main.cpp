#include <iostream>

#include "cli/CliArgs.h"
#include "cli/GrowCommand.h"
#include "shared/RuntimeError.h"

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
    } catch (const std::exception& e) {
        std::cerr << "tarvisol-cli: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
