#pragma once
// A shell for tests: records what it was asked to open and gives the answer it is set to.
#include <string>
#include <vector>

#include "base/Shell.h"

namespace kv::testing {

class RecordingShell : public base::Shell {
  public:
    std::vector<std::string> Opened;
    bool Result = true;
    bool Open(const std::string& target) override {
        Opened.push_back(target);
        return Result;
    }
};

}  // namespace kv::testing
