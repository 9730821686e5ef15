#pragma once
// A scratch installation copied from the demo one, with the option tables the manager's start-up
// writes, and the item editor over the views of one of its versions.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/ScriptedPrompter.h"
#include "editor/ItemEditor.h"
#include "editor/VersionViews.h"

namespace kv::editor::test {

class EditorFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The demo versions' table paths ("..\dbs\default\758-FC01-000000.db", ...).
    static std::vector<std::string> DemoVersions();
    // Opens the views on a version table and makes the editor; `model` picks the option table.
    ItemEditor& Open(const std::string& versionTable, bool readOnly);
    // A custom copy of a factory version, as "version new" makes it: "..\dbs\user\<name>.db".
    std::string CustomCopy(const std::string& factoryName);
    // Goes to an item and runs the item change.
    void Select(const std::string& id);
    std::string Field(const char* name) { return views->TableVersion.FieldByName(name).AsString(); }

    base::ScriptedPrompter prompter;
    bool batch = false;
    std::vector<std::string> existing;  // note paths that exist
    std::unique_ptr<VersionViews> views;
    std::unique_ptr<ItemEditor> editor;
    std::filesystem::path root;

  private:
    std::filesystem::path old_;
};

}  // namespace kv::editor::test
