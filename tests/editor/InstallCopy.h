#pragma once
// A copy of the demo installation with an empty bin/ and a custom version 758-HC01-000001 of
// the heat application, for running 740-cli against it, whose gcc keeps the sources it compiles.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "KeptSource.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace kv::editor::testing {

namespace fs = std::filesystem;

inline std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using CliRun = kv::testing::CliResult;

class InstallCopy : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* dir : {"dbs", "docs", "help", "toolchain", "apx"})
            fs::copy(fs::path(KV740_DEMO_INSTALL) / dir, Root / dir, fs::copy_options::recursive);
        fs::create_directories(Root / "bin");
        KeepCompiledSources(Root);
        ASSERT_EQ(Cli("version new 758-HC01-000000 --code 000001").Status, 0);
    }

    // Runs "740-cli ARGUMENTS --install ROOT" from the root.
    CliRun Cli(const std::string& arguments) const {
        return kv::testing::RunCli(arguments + " --install '" + Root.string() + "'", Root);
    }
    std::string Ok(const std::string& arguments) const {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.Status, 0) << arguments << "\n" << run.Output;
        return run.Output;
    }
    // Every file under the root with its bytes.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(Root))
            if (entry.is_regular_file())
                files[fs::relative(entry.path(), Root).string()] = FileBytes(entry.path());
        return files;
    }
    kv::testing::TempDir Temp;
    fs::path Root = Temp.Path();
};

}  // namespace kv::editor::testing
