#include "builder/Toolchain.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

extern char** environ;

namespace kv::builder {

namespace {

// Steps left running at their limit; reaped whenever a later step starts, so that they do
// not stay as zombies in a long-running manager.
std::mutex leftBehindMutex;
std::vector<pid_t> leftBehind;

void ReapLeftBehind() {
    std::lock_guard lock(leftBehindMutex);
    std::erase_if(leftBehind, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

void LeaveBehind(pid_t pid) {
    std::lock_guard lock(leftBehindMutex);
    leftBehind.push_back(pid);
}

std::string SearchPath(const ToolchainSettings& settings) {
    std::string path;
    for (const auto& dir : settings.PathFirst) {
        path += dir;
        path += ':';
    }
    const char* inherited = std::getenv("PATH");
    path += inherited ? inherited : "/usr/bin:/bin";
    return path;
}

// The parts of a text between separators, empty ones included.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    return parts;
}

// The program's file on the search path; empty when there is none.
std::string FindProgram(const std::string& name, const std::string& searchPath) {
    if (name.find('/') != std::string::npos)
        return access(name.c_str(), X_OK) == 0 ? name : std::string();
    for (const std::string& dir : Split(searchPath, ':')) {
        const std::string candidate = (dir.empty() ? std::string(".") : dir) + '/' + name;
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// Waits until the process ends or the limit passes; true when it ended (and was reaped).
bool WaitAtMost(pid_t pid, int timeoutMs, const std::function<void()>& whileWaiting) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            if (pidfd >= 0) close(pidfd);
            return false;
        }
        const auto slice = whileWaiting ? std::min(left, std::chrono::milliseconds(40)) : left;
        if (pidfd >= 0) {
            pollfd p{pidfd, POLLIN, 0};
            poll(&p, 1, static_cast<int>(slice.count()));
        } else {
            std::this_thread::sleep_for(std::min(slice, std::chrono::milliseconds(5)));
        }
        if (whileWaiting) whileWaiting();
    }
    if (pidfd >= 0) close(pidfd);
    return true;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    auto words = Split(commandLine, ' ');
    std::erase(words, std::string());
    return words;
}

StepResult RunStep(const std::string& commandLine, const ToolchainSettings& settings) {
    ReapLeftBehind();
    const auto words = SplitCommandLine(commandLine);
    if (words.empty()) return StepResult::NotStarted;
    const std::string searchPath = SearchPath(settings);
    const std::string program = FindProgram(words[0], searchPath);
    if (program.empty()) return StepResult::NotStarted;

    std::vector<char*> argv;
    for (const auto& w : words) argv.push_back(const_cast<char*>(w.c_str()));
    argv.push_back(nullptr);
    const std::string pathVariable = "PATH=" + searchPath;
    std::vector<char*> envp;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "PATH=", 5) != 0) envp.push_back(*e);
    envp.push_back(const_cast<char*>(pathVariable.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (settings.OutputFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, settings.OutputFd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, settings.OutputFd, STDERR_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    const int error =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return StepResult::NotStarted;
    if (WaitAtMost(pid, settings.TimeoutMs, settings.WhileWaiting)) return StepResult::Finished;
    LeaveBehind(pid);
    return StepResult::TimedOut;
}

}  // namespace kv::builder
