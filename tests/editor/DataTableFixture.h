#pragma once
// A copy of the demo installation's tables with bin/ as the current directory, the 758 option
// table completed with the units as "740-opts.db", an empty user data file and a custom version
// of the heat application whose fluid table item is current.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "base/ScriptedPrompter.h"
#include "editor/DataTables.h"
#include "store/Table.h"
#include "support/TempDir.h"

namespace kv::editor::testing {

namespace fs = std::filesystem;

inline constexpr const char* FactoryData = "../dbs/default/740-data.db";
inline constexpr const char* UserData = "../dbs/user/740-data.db";
inline constexpr const char* CustomVersion = "../dbs/user/758-HC01-000001.db";

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DataTableFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy(fs::path(KV740_DEMO_INSTALL) / "dbs", Root / "dbs", fs::copy_options::recursive);
        fs::create_directories(Root / "bin");
        fs::create_directories(Root / "dbs/user");
        InBin.emplace(Root / "bin");
        assets::WriteResource(assets::Resource::FileOptions758);
        assets::AppendUnitRows("758-opts.db");
        fs::copy_file("758-opts.db", "740-opts.db");
        {
            store::Table factory(FactoryData);
            factory.SetReadOnly(true);
            factory.Open();
            store::Table::Create(UserData, factory.GetFieldDefs());
        }
        fs::copy_file("../dbs/default/758-HC01-000000.db", CustomVersion);
        Views = std::make_unique<DataTableViews>(FactoryData, UserData, "740-opts.db");
        Version.SetTableName(CustomVersion);
        Version.Open();
        ShowItem("ID_HEAT_FLUID_TABLE");
    }
    void TearDown() override {
        Page.reset();
        Views.reset();
        Version.Close();
        InBin.reset();
    }
    // Moves the version to the item and builds its page.
    void ShowItem(const std::string& id) {
        ASSERT_TRUE(Version.Locate("ID", {id}));
        if (!Page) Page = std::make_unique<DataTablePage>(Views->Over(Version), Prompter);
        Page->ClientWidth = 400;
        Page->UpdateDataTable(Page->ItemType());
    }
    // The rows the grid shows, as Data1..Data5 joined with ",".
    std::vector<std::string> GridRows() {
        std::vector<std::string> rows;
        store::Table& data = Views->DataUser;
        for (int row = 0; row < data.RecordCount(); ++row) {
            std::string line;
            for (int c = 1; c <= TableColumnCount; ++c)
                line += (c > 1 ? "," : "") +
                        data.ValueAt(row, data.FieldByName(DataTablePage::DataField(c)).Index());
            rows.push_back(line);
        }
        return rows;
    }

    kv::testing::TempDir Temp;
    fs::path Root = Temp.Path();
    std::optional<kv::testing::CurrentDir> InBin;
    base::ScriptedPrompter Prompter;
    store::Table Version;
    std::unique_ptr<DataTableViews> Views;
    std::unique_ptr<DataTablePage> Page;
};

}  // namespace kv::editor::testing
