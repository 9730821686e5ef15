#pragma once
// A copy of the demo installation's tables and documents in a temporary folder, with bin/ as the
// current directory, and scripted boxes, shell and notes viewer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/ScriptedPrompter.h"
#include "docs/Documents.h"
#include "docs/NotesViewer.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"

namespace kv::docs::testing {

namespace fs = std::filesystem;

using kv::testing::RecordingShell;

class FakeViewer : public NotesViewer {
  public:
    std::vector<fs::path> Loaded;
    bool Open = false;
    void Load(const fs::path& file) override { Loaded.push_back(file); }
    void ShowNormal() override { Open = true; }
    void Close() override { Open = false; }
    bool IsOpen() const override { return Open; }
};

class DocsFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* dir : {"dbs", "docs", "help"})
            fs::copy(fs::path(DEMO_INSTALL) / dir, Root / dir, fs::copy_options::recursive);
        fs::create_directories(Root / "bin");
        InBin.emplace(Root / "bin");
    }
    static void WriteFile(const fs::path& path, const std::string& text) {
        if (path.has_parent_path()) fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    kv::testing::TempDir Temp;
    fs::path Root = Temp.Path();
    std::optional<kv::testing::CurrentDir> InBin;
    base::ScriptedPrompter Prompter;
    RecordingShell Shell;
    FakeViewer Viewer;
};

}  // namespace kv::docs::testing
