#pragma once
// Failures of the table store. The manager reacts to message texts (for example
// "name is too long"), so every error carries the file and a plain reason.
#include <stdexcept>
#include <string>

namespace kv::store {

class StoreError : public std::runtime_error {
  public:
    StoreError(std::string file, std::string reason)
        : std::runtime_error(file.empty() ? reason : file + ": " + reason),
          file_(std::move(file)),
          reason_(std::move(reason)) {}
    const std::string& File() const { return file_; }
    const std::string& Reason() const { return reason_; }

  private:
    std::string file_;
    std::string reason_;
};

// Thrown by an event handler to cancel an insert or delete without a message.
struct Abort : std::exception {
    const char* what() const noexcept override { return "Operation aborted"; }
};

}  // namespace kv::store
