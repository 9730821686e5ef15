#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "Args.h"
#include "CliSupport.h"
#include "Commands.h"
#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "base/Prompter.h"
#include "builder/Identity.h"
#include "report/TFormPdf.h"
#include "report/VersionSource.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

// The model's option table completed with the engineering units, as the manager's start-up
// makes it, in a scratch directory so that the installation is left as it is.
class ScratchOptions {
public:
    explicit ScratchOptions(const std::string& model) {
        std::string pattern = (fs::temp_directory_path() / "kv740-report-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch directory");
        dir_ = pattern;
        const auto resource = model == "746" ? kv::assets::Resource::FileOptions746 : kv::assets::Resource::FileOptions758;
        kv::assets::WriteResource(resource, dir_);
        path_ = (dir_ / kv::assets::ResourceFileName(resource)).string();
        kv::assets::AppendUnitRows(path_);
    }
    ~ScratchOptions() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    ScratchOptions(const ScratchOptions&) = delete;
    ScratchOptions& operator=(const ScratchOptions&) = delete;
    const std::string& Path() const { return path_; }

private:
    fs::path dir_;
    std::string path_;
};

}  // namespace

int RunReport(const Words& words) {
    Words named;
    for (const std::string& word : words) named.push_back(word == "-o" ? "--output" : word);
    Args args(named, {"output", "install"}, {});
    if (args.Positional().size() != 1) throw UsageError("one MODEL-PACK-CODE expected");
    const std::string version = args.Positional()[0];
    if (!kv::report::IsVersionName(version)) throw UsageError("\"" + version + "\" is not a MODEL-PACK-CODE");
    const fs::path output = fs::absolute(args.Value("output", "Report.pdf"));
    const fs::path install = fs::absolute(args.Value("install", DefaultInstallation().string()));

    // Tables are found relative to the installation's bin directory, as in the programs.
    std::error_code error;
    fs::current_path(install / "bin", error);
    if (error) {
        std::cerr << "740-cli report: no installation at \"" << install.string() << "\"\n";
        return 1;
    }
    const ScratchOptions options(version.substr(0, 3));
    LinePrompter prompter("740-cli report");
    kv::report::TFormPdf form(prompter);
    form.Source = kv::report::ReportSourceOf(version);
    form.Source.OptionTable = options.Path();
    form.Source.SoftwareType = kv::builder::GetSoftwareType();
    form.Source.Revision = kv::builder::RevisionText(version.substr(0, 3));
    if (!form.CreateReport(output.string())) {
        std::cerr << "740-cli report: the report could not be written to \"" << output.string() << "\"\n";
        return 1;
    }
    std::cout << output.string() << "\n";
    return 0;
}

}  // namespace cli
