#include "BuildFailure.h"

#include <sstream>
#include <unordered_map>

namespace cli {

namespace {

using kv::builder::StepResult;

// The linker's first line about a memory region that did not hold its sections.
std::string OverflowLine(const std::string& output) {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("overflowed by") == std::string::npos &&
            line.find("will not fit in region") == std::string::npos &&
            line.find("is full") == std::string::npos)
            continue;
        const size_t tool = line.find(": ");
        return tool == std::string::npos ? line : line.substr(tool + 2);
    }
    return {};
}

}  // namespace

std::string NoImageReason(const kv::builder::ToolchainRun& run, const std::string& output) {
    if (run.Compile == StepResult::NotStarted)
        return "toolchain not found (no gcc in the installation's toolchain/bin or on PATH)";
    if (run.Compile == StepResult::TimedOut) return "the compiler did not finish in time";
    if (!run.ObjectMade) return "compile error";
    if (run.Link == StepResult::TimedOut) return "the linker did not finish in time";
    if (const std::string overflow = OverflowLine(output); !overflow.empty())
        return "image too large (" + overflow + ")";
    return "link error";
}

std::vector<std::pair<std::string, int>> DistinctLines(const std::string& output) {
    std::vector<std::pair<std::string, int>> distinct;
    std::unordered_map<std::string, size_t> seen;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) continue;
        const auto [at, added] = seen.emplace(line, distinct.size());
        if (added)
            distinct.emplace_back(line, 1);
        else
            ++distinct[at->second].second;
    }
    return distinct;
}

}  // namespace cli
