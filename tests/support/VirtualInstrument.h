#pragma once
// Runs the virtual instrument program on a pseudo-terminal for end-to-end tests.
#include <sys/types.h>

#include <string>
#include <vector>

namespace kv::testing {

class VirtualInstrument {
  public:
    // Starts the program with the given options; throws when it does not come up.
    explicit VirtualInstrument(const std::vector<std::string>& options);
    ~VirtualInstrument();
    VirtualInstrument(const VirtualInstrument&) = delete;
    VirtualInstrument& operator=(const VirtualInstrument&) = delete;

    const std::string& Device() const { return DevicePath; }

  private:
    pid_t Pid = -1;
    std::string DevicePath;
};

// Reads a whole file; empty when it is missing.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace kv::testing
