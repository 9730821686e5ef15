#include "VirtualInstrument.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kv::testing {

VirtualInstrument::VirtualInstrument(const std::vector<std::string>& options) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    Pid = fork();
    if (Pid < 0) throw std::runtime_error("fork failed");
    if (Pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv;
        std::string program = VINSTRUMENT_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copy = options;
        for (auto& o : copy) argv.push_back(o.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    // The first line is the device path.
    std::string line;
    char c;
    pollfd p{out[0], POLLIN, 0};
    while (poll(&p, 1, 5000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    if (line.empty()) {
        kill(Pid, SIGKILL);
        waitpid(Pid, nullptr, 0);
        throw std::runtime_error("the virtual instrument did not start");
    }
    DevicePath = line;
}

VirtualInstrument::~VirtualInstrument() {
    if (Pid <= 0) return;
    kill(Pid, SIGTERM);
    waitpid(Pid, nullptr, 0);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

}  // namespace kv::testing
