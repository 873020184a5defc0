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
    report["runs_file"] = Windows1252ToUtf8(RunsFileOf(s));
    report["kept"] = nullptr;
    std::string error;
    const std::string bytes = Utf8ToWindows1252(name);
    if (!KeepRunAs(s, CurrentRun(s), bytes, NowText(), replace, error)) {
        if (!report.contains("messages")) report["messages"] = nlohmann::json::array();
        report["messages"].push_back("The run was not kept: " + Windows1252ToUtf8(error));
        return;
    }
    report["kept"] = Windows1252ToUtf8(CleanRunName(bytes));
}

}  // namespace tarvisol::cli
