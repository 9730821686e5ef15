#pragma once
// A copy of the demo installation's tables and notes with bin/ as the current directory and an
// empty user catalogue, as the manager leaves them after its first start; a catalogue host that
// records what the dialog asks of the main window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/ScriptedPrompter.h"
#include "catalogue/VersionInfo.h"
#include "catalogue/VersionLifecycle.h"
#include "store/FileAccess.h"
#include "store/Table.h"
#include "support/TempDir.h"

namespace kv::catalogue::testing {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file under a folder with its bytes: what "nothing written" compares.
inline std::map<std::string, std::string> Snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), dir).string()] = ReadFile(entry.path());
    return files;
}

class InstallationCopy : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* dir : {"dbs", "docs"})
            fs::copy(fs::path(DEMO_INSTALL) / dir, Root / dir, fs::copy_options::recursive);
        fs::create_directories(Root / "bin");
        InBin.emplace(Root / "bin");
        if (!store::Table::Exists(UserPackTable()))
            store::Table::Create(UserPackTable(), PackTableFields());
    }
    fs::path Factory(const std::string& version) const {
        return Root / "dbs/default" / (version + ".db");
    }
    fs::path User(const std::string& version) const {
        return Root / "dbs/user" / (version + ".db");
    }
    int UserRecords() const {
        store::Table packs(UserPackTable());
        packs.Open();
        return packs.RecordCount();
    }

    kv::testing::TempDir Temp;
    fs::path Root = Temp.Path();
    std::optional<kv::testing::CurrentDir> InBin;
};

// The catalogue as the dialog sees it: the selected record and the bound item table.
class RecordingHost : public VersionHost {
  public:
    // Selects the catalogue record of `version` (factory or user pack table).
    void Select(const std::string& version) {
        const VersionName name = *ParseVersionName(version);
        Selected.Close();
        Selected.SetTableName(PackTablePath(name.Code));
        Selected.Open();
        ASSERT_TRUE(Selected.Locate("Model;Pack;Code", {name.Model, name.Pack, name.Code}))
            << version;
        Bound = VersionTablePath(name);
    }

    store::Dataset& SelectedRecord() override { return Selected; }
    std::string BoundItemTable() override { return Bound; }
    void ShowNewVersion(const VersionName& version) override { Shown.push_back(version.Text()); }
    void ReopenCatalogue() override { ++Reopened; }
    void VersionDeleted() override {
        // The table file goes only after the catalogue has let go of the record.
        TableLeftWhenDeleted = fs::exists(store::NativePath(Bound));
        ++Deleted;
    }
    void CloseNotes() override { ++NotesClosed; }

    store::Table Selected;
    std::string Bound;
    std::vector<std::string> Shown;
    int Reopened = 0, Deleted = 0, NotesClosed = 0;
    bool TableLeftWhenDeleted = false;
};

}  // namespace kv::catalogue::testing
