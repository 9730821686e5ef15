#pragma once
// Each test runs in a fresh directory of its own, the current directory while it runs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

class InTempDir : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/kvstore-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
    }
    const std::filesystem::path& Dir() const { return dir_; }

  private:
    std::filesystem::path dir_;
    std::filesystem::path old_;
};
