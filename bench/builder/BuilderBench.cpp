// Times of the firmware build: the translation alone of a synthetic 3000-item version (goal
// under 50 ms) and the whole build of the demo's largest version, translation, compile and
// link with the real H8/300 toolchain (goal under 2 s).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "VersionFixture.h"
#include "assets/AssetFiles.h"
#include "base/ScriptedPrompter.h"
#include "builder/FirmwareBuilder.h"
#include "builder/GeneratedSource.h"
#include "builder/Translation.h"
#include "support/TempDir.h"

using namespace kv::builder;
using namespace kv::builder::testing;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Items of every kind in the proportions of the factory versions, most of them with units.
std::vector<Row> SyntheticVersion(int items) {
    const std::vector<Row> kinds = HandMadeVersion();
    std::vector<Row> rows;
    for (int i = 0; i < items; ++i) {
        Row row = kinds[static_cast<size_t>(i) % (kinds.size() - 1)];
        row.ID = (row.ID + "_" + std::to_string(i)).substr(0, 30);
        if (row.ID.starts_with("ID_INFO_CUSTOMER")) row.ID = "ID_INFO_CUSTOMER";
        row.Item += " " + std::to_string(i);
        rows.push_back(row);
    }
    rows.push_back(kinds.back());
    return rows;
}

struct Figures {
    std::vector<double> ms;
    void Add(Clock::duration d) {
        ms.push_back(std::chrono::duration<double, std::milli>(d).count());
    }
    void Print(const char* what) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-52s median %8.2f ms   max %8.2f ms   (%zu runs)\n", what, ms[ms.size() / 2],
                    ms.back(), ms.size());
    }
};

void TranslationAlone(const kv::testing::TempDir& dir) {
    const auto units = EngineeringUnitLines();
    const OptionRows options = SampleOptions(units);
    const DataTables data = SampleDataTables();
    CreateVersionTable(dir / "synthetic.db", SyntheticVersion(3000));
    for (bool custom : {false, true}) {
        Figures figures;
        for (int run = 0; run < 15; ++run) {
            kv::store::Table version(dir / "synthetic.db");
            version.SetReadOnly(!custom);
            version.Open();
            GeneratedSource source;
            ListUnits selected;
            const Target target = Target::For("758", "FP01", false);
            const auto start = Clock::now();
            source.CreateSkeleton({"AppPack_758_FP01", "NvrType1", "LogType0", "01", "000001",
                                   "Revision: 3.0.201", "02", "18"});
            Translate(version, target, {}, {options, data, units}, source, selected);
            figures.Add(Clock::now() - start);
        }
        figures.Print(custom ? "translation, 3000 items, custom version"
                             : "translation, 3000 items, factory version");
    }
}

void WholeBuild(const kv::testing::TempDir& dir, const std::string& version) {
    const fs::path root = dir.Path() / "install";
    fs::copy(KV740_DEMO_INSTALL, root, fs::copy_options::recursive);
    const fs::path saved = fs::current_path();
    fs::current_path(root / "bin");
    kv::assets::WriteAssets();
    kv::assets::AppendUnitRows("746-opts.db");
    kv::assets::AppendUnitRows("758-opts.db");
    kv::assets::ActivateModel(version.substr(0, 3));

    kv::base::ScriptedPrompter prompter;
    FirmwareBuilder builder(prompter);
    builder.Toolchain.PathFirst = {(root / "toolchain/bin").string()};
    BuildRequest request{Target::For(version.substr(0, 3), version.substr(4, 4), false),
                         {},
                         "000000",
                         "01",
                         RevisionText(version.substr(0, 3)),
                         ""};
    Figures figures;
    for (int run = 0; run < 5; ++run) {
        kv::store::Table table("..\\dbs\\default\\" + version + ".db");
        table.SetReadOnly(true);
        table.Open();
        const auto start = Clock::now();
        if (builder.VersionFileDownload(table, request) != BuildOutcome::ImageMade) {
            std::printf("the build of %s made no image\n", version.c_str());
            break;
        }
        figures.Add(Clock::now() - start);
    }
    fs::current_path(saved);
    if (!figures.ms.empty()) figures.Print(("whole build (no report), " + version).c_str());
}

}  // namespace

int main() {
    kv::testing::TempDir dir;
    TranslationAlone(dir);
    // The largest version of the demo by number of items.
    WholeBuild(dir, "758-MP01-000000");
    return 0;
}
