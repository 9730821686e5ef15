// The 740-lite program itself: one instance per user, working files gone at start.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "ConsoleFixture.h"

namespace kv::console::testing {
namespace {

namespace fs = std::filesystem;

class LiteProgram : public ::testing::Test {
  protected:
    LiteProgram() : Root(Temp.Path()), Program(Root / "bin" / "740-lite"), Runtime(Root / "run") {
        fs::create_directories(Root / "bin");
        fs::create_directories(Runtime);
        fs::permissions(Runtime, fs::perms::owner_all, fs::perm_options::replace);
        // Its own directory becomes its working directory: run a copy inside the scratch folder.
        fs::copy_file(LITE_PATH, Program);
    }
    ~LiteProgram() override {
        for (pid_t pid : Started) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    // Starts the program from `from` (default: here) with one argument.
    pid_t Start(const std::string& argument = "758-FP01-000000.apx", const fs::path& from = {}) {
        pid_t pid = fork();
        if (pid == 0) {
            if (!from.empty() && chdir(from.c_str()) != 0) _exit(126);
            setenv("XDG_RUNTIME_DIR", Runtime.c_str(), 1);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            freopen("/dev/null", "w", stdout);
            freopen("/dev/null", "w", stderr);
            execl(Program.c_str(), Program.c_str(), argument.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        Started.push_back(pid);
        return pid;
    }

    // Waits for the process to end; its exit status, or -1 when it still runs after `ms`.
    int Ended(pid_t pid, int ms) {
        for (int waited = 0; waited <= ms; waited += 20) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                std::erase(Started, pid);
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }

    static bool Within(int ms, const std::function<bool()>& condition) {
        for (int waited = 0; waited <= ms; waited += 20) {
            if (condition()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    kv::testing::TempDir Temp;
    fs::path Root, Program, Runtime;
    std::vector<pid_t> Started;
};

TEST_F(LiteProgram, ASecondCopyEndsAtOnce) {
    WriteFile(Root / "bin" / "PackBinary.bin", {1, 2, 3});
    pid_t first = Start();
    ASSERT_TRUE(Within(10000, [&] { return fs::exists(Runtime / "TKv740FormComms.lock"); }));
    EXPECT_TRUE(Within(10000, [&] { return !fs::exists(Root / "bin" / "PackBinary.bin"); }))
        << "the console deletes the working files when it is created";

    pid_t second = Start();
    EXPECT_EQ(Ended(second, 10000), 0);
    EXPECT_EQ(Ended(first, 0), -1) << "the first keeps running";

    // A copy that died without cleaning up does not block the next one.
    kill(first, SIGKILL);
    EXPECT_EQ(Ended(first, 5000), 128 + SIGKILL);
    pid_t third = Start();
    EXPECT_EQ(Ended(third, 1500), -1);
}

// A path on the command line is taken from where the program was started, although the program
// works in its own directory.
TEST_F(LiteProgram, OpensThePathItIsGivenFromWhereItWasStarted) {
    fs::create_directories(Root / "home" / "work");
    fs::create_directories(Root / "home" / "apx");
    const auto image = BuildImage({});
    WriteFile(Root / "home" / "apx" / "758-FP01-000000.apx", image);
    Start("../apx/758-FP01-000000.apx", Root / "home" / "work");
    EXPECT_TRUE(
        Within(10000, [&] { return ReadFileBytes(Root / "bin" / "PackBinary.bin") == image; }));
}

}  // namespace
}  // namespace kv::console::testing
