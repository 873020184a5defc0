#include "cli/KeepCommand.h"

#include <ctime>

#include "report/RunsFile.h"
#include "shared/TextEncoding.h"
#include "ui/KeepRun.h"

namespace tarvisol::cli {

std::string NowText() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", &local);
    return buf;
}

void KeepGrownRun(SharedState& s, const std::string& name, bool replace, nlohmann::json& report) {
    report["runs_file"] = MixedTextToUtf8(RunsFileOf(s));
    report["kept"] = nullptr;
    std::string bytes;
    std::string error = KeptRunName(name, bytes);
    if (error.empty() && KeepRunAs(s, CurrentRun(s), bytes, NowText(), replace, error)) {
        report["kept"] = Windows1252ToUtf8(bytes);
        return;
    }
    if (!report.contains("messages")) report["messages"] = nlohmann::json::array();
    report["messages"].push_back("The run was not kept: " + MixedTextToUtf8(error));
}

}  // namespace tarvisol::cli
