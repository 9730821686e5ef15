#pragma once
// A temporary copy of the demo installation (tables, documents, toolchain; an empty bin/ as
// the current directory) and a manager over it with a scripted prompter.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ScriptedPrompter.h"
#include "base/Shell.h"
#include "catalogue/Manager.h"
#include "support/TempDir.h"

namespace kv::catalogue::test {

class NoShell : public base::Shell {
  public:
    bool Open(const std::string&) override { return false; }
};

// The bytes of every file under a directory, by relative path.
using Snapshot = std::map<std::string, std::string>;
Snapshot TakeSnapshot(const std::filesystem::path& dir);

class InstallFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path Root() const { return root_; }
    std::filesystem::path UserDir() const { return root_ / "dbs" / "user"; }
    // A new manager, with hooks that count what the window would do.
    Manager& Make();
    // Make, then the start-up sequence.
    Manager& Start();

    // The factory pack table rewritten with the records of these models only.
    void KeepFactoryModels(const std::vector<std::string>& models);
    // A pack table with exactly these records (Button, Model, Pack, Code, Title, CustomTitle).
    static void WritePacks(const std::string& table,
                           const std::vector<std::vector<std::string>>& records);
    // A custom version copied from the factory version of the pack, recorded in the user pack
    // table (made when missing).
    void AddCustomVersion(const std::string& model, const std::string& pack,
                          const std::string& code, const std::string& customTitle);
    // Moves the catalogue to the listed record of this pack and code.
    void Select(const std::string& pack, const std::string& code = "000000");
    // The listed records as "PACK-CODE".
    std::vector<std::string> Listed();

    base::ScriptedPrompter prompter;
    NoShell shell;
    std::unique_ptr<Manager> manager;
    int closes = 0;
    int intros = 0;

  private:
    kv::testing::TempDir temp_;
    std::filesystem::path root_ = temp_.Path();
    std::optional<kv::testing::CurrentDir> inBin_;
};

}  // namespace kv::catalogue::test
