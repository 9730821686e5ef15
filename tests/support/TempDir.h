#pragma once
// Scratch directories of the tests: each one new and empty, and gone again with its owner.
#include <gtest/gtest.h>

#include <filesystem>

namespace kv::testing {

// A unique directory under the system's temporary directory (or under `parent`), removed with
// all it holds at destruction, read-only members included.
class TempDir {
  public:
    TempDir();
    explicit TempDir(const std::filesystem::path& parent);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }

  private:
    std::filesystem::path path_;
};

// Makes `dir` the current directory while the object lives.
class CurrentDir {
  public:
    explicit CurrentDir(const std::filesystem::path& dir);
    ~CurrentDir();
    CurrentDir(const CurrentDir&) = delete;
    CurrentDir& operator=(const CurrentDir&) = delete;

  private:
    std::filesystem::path previous_;
};

// Each test runs in a TempDir of its own, the current directory while it runs.
class InTempDir : public ::testing::Test {
  protected:
    const std::filesystem::path& Dir() const { return temp_.Path(); }

  private:
    TempDir temp_;
    CurrentDir current_{temp_.Path()};
};

}  // namespace kv::testing
