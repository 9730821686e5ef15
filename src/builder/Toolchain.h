#pragma once
// The external toolchain steps: each program is started in the current directory with a
// search path of our own and awaited for a limited time.
#include <functional>
#include <string>
#include <vector>

namespace kv::builder {

enum class StepResult {
    NotStarted,  // the program was not found or could not be started: the step is skipped
    Finished,    // it ended (its exit status is not read: only the files it leaves count)
    TimedOut,    // still running at the limit: left behind, not waited for
};

struct ToolchainSettings {
    // Directories searched for the program before the inherited PATH.
    std::vector<std::string> PathFirst;
    int TimeoutMs = 40000;
    // Where the programs' output goes; -1 discards it.
    int OutputFd = -1;
    // Called every few tens of milliseconds while a step runs (a window repaints itself there).
    std::function<void()> WhileWaiting;
};

// Runs one command line (program name and arguments separated by single spaces), finding the
// program on the search path of `settings`; the process gets that PATH in its environment.
StepResult RunStep(const std::string& commandLine, const ToolchainSettings& settings);

// Splits a command line at single spaces.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace kv::builder
