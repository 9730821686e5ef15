// The manager's core on a copy of the demo installation: the start-up sequence (goal under
// 150 ms), the table switch to the largest demo version (goal under 10 ms) and one idle refresh
// when nothing changed (goal under 0.2 ms: it runs every time the event queue empties).
// Usage: bench_catalogue [INSTALL_DIR] [RUNS]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/ScriptedPrompter.h"
#include "base/Shell.h"
#include "catalogue/Manager.h"
#include "catalogue/VersionRules.h"
#include "store/Table.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using kv::catalogue::Slot;

namespace {

class NoShell : public kv::base::Shell {
  public:
    bool Open(const std::string&) override { return false; }
};

double Ms(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

void Print(const char* what, std::vector<double> ms, double goal) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s best %8.3f ms  median %8.3f ms  (goal < %g ms)\n", what, ms.front(),
                ms[ms.size() / 2], goal);
}

// The factory version table with the most records.
std::string LargestVersion() {
    std::string best;
    int most = -1;
    for (const auto& entry : fs::directory_iterator("../dbs/default")) {
        const std::string stem = entry.path().stem().string();
        if (!kv::catalogue::IsVersionName(stem)) continue;
        kv::store::Table t(kv::catalogue::VersionTablePath(*kv::catalogue::ParseVersionName(stem)));
        t.SetReadOnly(true);
        t.Open();
        if (t.RecordCount() > most) most = t.RecordCount(), best = stem;
    }
    std::printf("largest demo version: %s (%d records)\n", best.c_str(), most);
    return best;
}

// Binds the manager's tables to a version by its selection record, as a catalogue click does.
void Choose(kv::catalogue::Manager& m, const std::string& version) {
    const auto name = *kv::catalogue::ParseVersionName(version);
    m.FilterBox[Slot::Customer].Text = name.Code;
    m.FilterBox[Slot::FileName] = {kv::catalogue::VersionTablePath(name), true};
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path demo = argc > 1 && *argv[1] ? fs::path(argv[1]) : fs::path(KV740_DEMO_INSTALL);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    char pattern[] = "/tmp/kvcatalogue-bench-XXXXXX";
    if (!::mkdtemp(pattern)) return 1;
    const fs::path root = pattern;
    for (const char* part : {"dbs", "docs", "help", "toolchain"})
        fs::copy(demo / part, root / part, fs::copy_options::recursive);
    fs::create_directories(root / "bin");
    fs::current_path(root / "bin");

    kv::base::ScriptedPrompter prompter;
    NoShell shell;
    std::vector<double> startup;
    std::unique_ptr<kv::catalogue::Manager> manager;
    for (int i = 0; i < runs; ++i) {
        manager.reset();
        const auto t0 = Clock::now();
        manager = std::make_unique<kv::catalogue::Manager>(
            kv::catalogue::ManagerServices{prompter, shell});
        manager->FormShow();
        startup.push_back(Ms(t0));
    }
    Print("start-up sequence (first with no user tables)", startup, 150);

    kv::catalogue::Manager& m = *manager;
    const std::string largest = LargestVersion();
    const std::string other = largest == "758-FP01-000000" ? "746-FP01-000000" : "758-FP01-000000";
    std::vector<double> switches;
    for (int i = 0; i < runs; ++i) {
        Choose(m, other);
        m.TablesUpdate();
        Choose(m, largest);
        const auto t0 = Clock::now();
        m.TablesUpdate();
        switches.push_back(Ms(t0));
    }
    Print(("table switch to " + largest).c_str(), switches, 10);

    m.ActionIdleUpdate();
    std::vector<double> idle;
    constexpr int perSample = 1000;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        for (int j = 0; j < perSample; ++j) m.ActionIdleUpdate();
        idle.push_back(Ms(t0) / perSample);
    }
    Print("idle refresh, nothing changed", idle, 0.2);

    manager.reset();
    fs::current_path("/");
    fs::remove_all(root);
    return 0;
}
