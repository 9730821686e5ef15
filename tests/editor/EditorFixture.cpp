#include "EditorFixture.h"

#include <unistd.h>

#include <algorithm>

#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "assets/Resources.h"

namespace kv::editor::test {

namespace fs = std::filesystem;

void EditorFixture::SetUp() {
    char pattern[] = "/tmp/kveditor-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root = pattern;
    fs::copy(fs::path(KV740_DEMO_INSTALL) / "dbs", root / "dbs", fs::copy_options::recursive);
    fs::create_directories(root / "bin");
    old_ = fs::current_path();
    fs::current_path(root / "bin");
    for (auto resource : {assets::Resource::FileOptions746, assets::Resource::FileOptions758}) {
        assets::WriteResource(resource, {});
        assets::AppendUnitRows(std::string(assets::ResourceFileName(resource)));
    }
}

void EditorFixture::TearDown() {
    editor.reset();
    views.reset();
    fs::current_path(old_);
    fs::remove_all(root);
}

std::vector<std::string> EditorFixture::DemoVersions() {
    std::vector<std::string> tables;
    for (const auto& entry : fs::directory_iterator(fs::path(KV740_DEMO_INSTALL) / "dbs/default")) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with("-000000.db")) tables.push_back("..\\dbs\\default\\" + name);
    }
    std::sort(tables.begin(), tables.end());
    return tables;
}

ItemEditor& EditorFixture::Open(const std::string& versionTable, bool readOnly) {
    editor.reset();
    views.reset();
    const std::string name = versionTable.substr(versionTable.find_last_of('\\') + 1);
    fs::copy_file(name.substr(0, 3) + "-opts.db", "740-opts.db",
                  fs::copy_options::overwrite_existing);
    views = std::make_unique<VersionViews>("740-opts.db");
    views->Bind(versionTable, readOnly);
    editor = std::make_unique<ItemEditor>(
        views->Datasets(), EditorServices{prompter,
                                          [this](const std::string& path) {
                                              return std::find(existing.begin(), existing.end(),
                                                               path) != existing.end();
                                          },
                                          [this] { return batch; },
                                          {}});
    editor->InstallValueChecks(views->TableVersion, views->TableFactors);
    return *editor;
}

std::string EditorFixture::CustomCopy(const std::string& factoryName) {
    fs::create_directories(root / "dbs/user");
    const std::string custom = factoryName.substr(0, 9) + "-000123";
    fs::copy_file(root / "dbs/default" / (factoryName + ".db"),
                  root / "dbs/user" / (custom + ".db"), fs::copy_options::overwrite_existing);
    return "..\\dbs\\user\\" + custom + ".db";
}

void EditorFixture::Select(const std::string& id) {
    ASSERT_TRUE(views->GotoItem(id)) << id;
    editor->SourceVersionDataChange();
}

}  // namespace kv::editor::test
