#include "InstallFixture.h"

#include <algorithm>

#include <fstream>
#include <sstream>

#include "catalogue/VersionRules.h"
#include "store/FileAccess.h"
#include "store/Table.h"

namespace kv::catalogue::test {

namespace fs = std::filesystem;

Snapshot TakeSnapshot(const fs::path& dir) {
    Snapshot files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[fs::relative(entry.path(), dir).string()] = bytes.str();
    }
    return files;
}

void InstallFixture::SetUp() {
    const fs::path demo = KV740_DEMO_INSTALL;
    for (const char* part : {"dbs", "docs", "help", "toolchain", "apx"})
        fs::copy(demo / part, root_ / part, fs::copy_options::recursive);
    fs::create_directories(root_ / "bin");
    inBin_.emplace(root_ / "bin");
}

void InstallFixture::TearDown() {
    manager.reset();
}

Manager& InstallFixture::Make() {
    manager = std::make_unique<Manager>(ManagerServices{prompter, shell});
    manager->OnClose = [this] { ++closes; };
    manager->OnShowIntro = [this] { ++intros; };
    return *manager;
}

Manager& InstallFixture::Start() {
    Make().FormShow();
    return *manager;
}

void InstallFixture::WritePacks(const std::string& table,
                                const std::vector<std::vector<std::string>>& records) {
    store::Table::Create(table, PackTableFields());
    store::Table packs(table);
    packs.Open();
    for (const auto& r : records)
        packs.AppendRecord(
            {r[0], r[1], r[2], r[3], "Factory", "2024-03-01", "01", "0", "", r[4], r[5], "", ""});
}

void InstallFixture::KeepFactoryModels(const std::vector<std::string>& models) {
    std::vector<std::vector<std::string>> kept;
    {
        store::Table packs(FactoryPackTable());
        packs.Open();
        for (packs.First(); !packs.Eof(); packs.Next()) {
            PackRecord r = ReadPackRecord(packs);
            if (std::find(models.begin(), models.end(), r.Model) != models.end())
                kept.push_back({r.Button, r.Model, r.Pack, r.Code, r.Title, r.CustomTitle});
        }
    }
    WritePacks(FactoryPackTable(), kept);
}

void InstallFixture::AddCustomVersion(const std::string& model, const std::string& pack,
                                      const std::string& code, const std::string& customTitle) {
    const VersionName factory{model, pack, FactoryCode}, custom{model, pack, code};
    fs::copy_file(store::NativePath(VersionTablePath(factory)),
                  store::NativePath(VersionTablePath(custom)));
    if (!store::Table::Exists(UserPackTable()))
        store::Table::Create(UserPackTable(), PackTableFields());
    const PackRecord base = FindPackRecord(factory);
    store::Table packs(UserPackTable());
    packs.Open();
    packs.AppendRecord({base.Button, model, pack, code, "Tester", "2024-05-31", base.DB, "0", "",
                        base.Title, customTitle, base.Description, "A custom version"});
}

void InstallFixture::Select(const std::string& pack, const std::string& code) {
    ASSERT_TRUE(manager->QueryPacks.Locate("Pack;Code", {pack, code})) << pack << "-" << code;
}

std::vector<std::string> InstallFixture::Listed() {
    std::vector<std::string> listed;
    store::Query& q = manager->QueryPacks;
    const int pack = q.FieldByName("Pack").Index(), code = q.FieldByName("Code").Index();
    for (int row = 0; row < q.RecordCount(); ++row)
        listed.push_back(q.ValueAt(row, pack) + "-" + q.ValueAt(row, code));
    return listed;
}

}  // namespace kv::catalogue::test
