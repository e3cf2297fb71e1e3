// Runs a shell command line and collects what it prints, for the command-line tests that read the
// program's output.
#pragma once

#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace discora::fixture {

struct ShellRun
{
    int exitCode = -1; // -1 when the command could not run or did not exit
    std::string printed;
};

inline ShellRun runShell(const std::string& command)
{
    ShellRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.printed.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace discora::fixture
