#include "CliRun.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

extern char** environ;

namespace kv::testing {

namespace {

// The test's environment with `changes` applied, as "NAME=value" entries.
std::vector<std::string> Entries(const Environment& changes) {
    std::vector<std::string> entries;
    for (char** e = environ; *e; ++e) {
        const char* equals = std::strchr(*e, '=');
        const std::string name(*e, equals ? static_cast<size_t>(equals - *e) : std::strlen(*e));
        if (!changes.count(name)) entries.emplace_back(*e);
    }
    for (const auto& [name, value] : changes) entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

const char* CliProgram() {
    return KV740_CLI_PATH;
}

CliResult RunCli(const std::string& arguments, const std::filesystem::path& dir,
                 const Environment& environment, const OutputWatch& watch) {
    // Everything the child needs is made before the fork: after it only system calls are safe.
    std::vector<std::string> argv = {"sh", "-c",
                                     "exec '" + std::string(CliProgram()) + "' " + arguments};
    std::vector<std::string> envp = Entries(environment);
    std::vector<char*> argvPointers = Pointers(argv), envpPointers = Pointers(envp);
    const std::string workDir = dir.string();

    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category());
    const pid_t pid = ::fork();
    if (pid < 0) throw std::system_error(errno, std::generic_category());
    if (pid == 0) {
        const int input = ::open("/dev/null", O_RDONLY);
        if (input < 0 || ::dup2(input, 0) < 0 || ::dup2(output[1], 1) < 0 ||
            ::dup2(output[1], 2) < 0)
            ::_exit(126);
        if (!workDir.empty() && ::chdir(workDir.c_str()) != 0) ::_exit(126);
        ::execve("/bin/sh", argvPointers.data(), envpPointers.data());
        ::_exit(127);
    }
    ::close(output[1]);
    CliResult result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(output[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        result.Output.append(buffer, static_cast<size_t>(n));
        if (watch) watch(result.Output);
    }
    ::close(output[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace kv::testing
