// Time and size of the configuration report of every demo version, the largest one last:
// what a user waits for after choosing Report. Goal: the largest under 0.3 s.
// Usage: bench_report [INSTALL_DIR] [RUNS]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "base/ScriptedPrompter.h"
#include "builder/Identity.h"
#include "report/TFormPdf.h"
#include "report/VersionSource.h"
#include "store/Table.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Result {
    std::string Version;
    double MedianMs = 0, BestMs = 0;
    uintmax_t Bytes = 0;
    int Pages = 0;
};

Result Measure(const std::string& version, const fs::path& scratch, int runs) {
    const std::string model = version.substr(0, 3);
    kv::base::ScriptedPrompter prompter;
    kv::report::TFormPdf form(prompter);
    form.Source = kv::report::ReportSourceOf(version);
    form.Source.OptionTable = (scratch / (model + "-opts.db")).string();
    form.Source.SoftwareType = kv::builder::GetSoftwareType();
    form.Source.Revision = kv::builder::RevisionText(model);
    const std::string pdf = (scratch / "bench.pdf").string();

    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!form.CreateReport(pdf)) std::fprintf(stderr, "%s: report failed\n", version.c_str());
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    Result result{version, ms[ms.size() / 2], ms.front(), fs::file_size(pdf), 0};
    // Pages: each page object of the file says "/Type /Page" (the page tree "/Type /Pages").
    if (FILE* file = std::fopen(pdf.c_str(), "rb")) {
        std::string bytes(result.Bytes, '\0');
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
        const std::string page = "/Type /Page";
        for (size_t at = bytes.find(page); at != std::string::npos; at = bytes.find(page, at + 1))
            if (at + page.size() < bytes.size() && bytes[at + page.size()] != 's') ++result.Pages;
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path install = fs::absolute(argc > 1 ? argv[1] : DEMO_INSTALL);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    std::string pattern = (fs::temp_directory_path() / "kv740-bench-report-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const fs::path scratch = pattern;
    fs::current_path(install / "bin");

    // The option tables as the manager's start-up completes them.
    for (auto resource :
         {kv::assets::Resource::FileOptions746, kv::assets::Resource::FileOptions758}) {
        kv::assets::WriteResource(resource, scratch);
        kv::assets::AppendUnitRows((scratch / kv::assets::ResourceFileName(resource)).string());
    }

    std::vector<Result> results;
    kv::store::Table packs("..\\dbs\\default\\740-pack.db");
    packs.SetReadOnly(true);
    packs.Open();
    for (packs.First(); !packs.Eof(); packs.Next()) {
        const std::string version = packs.FieldByName("Model").AsString() + "-" +
                                    packs.FieldByName("Pack").AsString() + "-" +
                                    packs.FieldByName("Code").AsString();
        if (kv::store::Table::Exists("..\\dbs\\default\\" + version + ".db"))
            results.push_back(Measure(version, scratch, runs));
    }
    std::sort(results.begin(), results.end(),
              [](const Result& a, const Result& b) { return a.Bytes < b.Bytes; });

    std::printf("%-16s %6s %9s %11s %9s\n", "version", "pages", "bytes", "median ms", "best ms");
    for (const Result& r : results)
        std::printf("%-16s %6d %9ju %11.1f %9.1f\n", r.Version.c_str(), r.Pages, r.Bytes,
                    r.MedianMs, r.BestMs);
    if (!results.empty()) {
        const Result& largest = results.back();
        std::printf(
            "largest: %s, %d pages, %ju bytes, median %.1f ms over %d runs (goal under 300 ms)\n",
            largest.Version.c_str(), largest.Pages, largest.Bytes, largest.MedianMs, runs);
    }
    fs::remove_all(scratch);
    return 0;
}
