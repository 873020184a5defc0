#pragma once
// Running another program from a test: whether it is installed, what it
// printed on its standard output and its exit status; tarvisol-cli itself in
// the core tests.
#include "support/BuildPaths.h"
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace tarvisol::testing {

inline bool HaveProgram(const std::string& name) {
    return std::system(("command -v " + name + " > /dev/null 2>&1").c_str()) == 0;
}

struct ProgramRun {
    std::string out;
    int status = -1;  // the exit status; -1 when the program did not exit
};

// The shell command's standard output and exit status.
inline ProgramRun RunProgram(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> p(popen(command.c_str(), "r"), pclose);
    ProgramRun r;
    char buf[8192];
    while (std::size_t n = fread(buf, 1, sizeof buf, p.get())) r.out.append(buf, n);
    const int raw = pclose(p.release());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

inline std::string ProgramOutput(const std::string& command) { return RunProgram(command).out; }

#ifdef TARVISOL_CLI
// tarvisol-cli with these arguments: its messages dropped, nothing to read.
inline ProgramRun RunCli(const std::string& args) {
    return RunProgram(std::string(TARVISOL_CLI) + " " + args + " 2>/dev/null </dev/null");
}
#endif

}  // namespace tarvisol::testing
