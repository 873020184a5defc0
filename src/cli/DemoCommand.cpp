#include "cli/DemoCommand.h"

#include "ui/DemoCopy.h"
#include "ui/ProgramData.h"

namespace tarvisol::cli {

int RunDemoCommand(const DemoArgs& args, const std::string& programFolder, std::ostream& out, std::ostream& err) {
    const ProgramData data = FindProgramData(programFolder);
    const DemoCopy copy = CopyDemoToFreshFolder(data.demoFolder, args.folder);
    if (copy.base.empty()) {
        err << "tarvisol-cli demo: " << copy.error << "\n";
        return 1;
    }
    out << copy.base << "\n";
    return 0;
}

}  // namespace tarvisol::cli
