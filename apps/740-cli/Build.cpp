#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "BuildFailure.h"
#include "CliSupport.h"
#include "CommandLine.h"
#include "Validators.h"
#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "base/Prompter.h"
#include "builder/FirmwareBuilder.h"
#include "catalogue/VersionRules.h"
#include "report/TFormPdf.h"
#include "report/VersionSource.h"
#include "store/Table.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

// The files the manager's start-up and model choice put into the working directory, and
// removes again at exit.
class WorkingAssets {
  public:
    explicit WorkingAssets(const std::string& model) {
        kv::assets::WriteAssets();
        kv::assets::AppendUnitRows("746-opts.db");
        kv::assets::AppendUnitRows("758-opts.db");
        kv::assets::ActivateModel(model);
    }
    ~WorkingAssets() { kv::catalogue::DeleteQuietly(kv::catalogue::AssetCopies); }
    WorkingAssets(const WorkingAssets&) = delete;
    WorkingAssets& operator=(const WorkingAssets&) = delete;
};

constexpr const char* OutputFiles[] = {kv::builder::ImageFile, kv::builder::ReportFile,
                                       kv::builder::ManualFile, kv::builder::MapFile};

// What stands at an output's name: a file the build wrote has another identity or time.
struct FileStamp {
    bool Exists = false;
    ino_t Inode = 0;
    timespec Modified{};
    off_t Size = 0;
    static FileStamp Of(const char* file) {
        struct stat st {};
        if (::stat(file, &st) != 0) return {};
        return {true, st.st_ino, st.st_mtim, st.st_size};
    }
    bool operator==(const FileStamp& o) const {
        return Exists == o.Exists && Inode == o.Inode && Modified.tv_sec == o.Modified.tv_sec &&
               Modified.tv_nsec == o.Modified.tv_nsec && Size == o.Size;
    }
};

// The toolchain's output, kept in memory so that the failure can be told from it.
class CapturedOutput {
  public:
    CapturedOutput() : fd_(::memfd_create("740-cli-toolchain", MFD_CLOEXEC)) {
        if (fd_ < 0) throw Failure("cannot keep the toolchain's output");
    }
    ~CapturedOutput() { ::close(fd_); }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;
    int Fd() const { return fd_; }
    std::string Text() const {
        std::string text;
        char chunk[4096];
        for (off_t at = 0;;) {
            const ssize_t got = ::pread(fd_, chunk, sizeof chunk, at);
            if (got <= 0) return text;
            text.append(chunk, static_cast<size_t>(got));
            at += got;
        }
    }

  private:
    int fd_;
};

// The target's no-image message becomes the reason of the failure line instead.
class BuildPrompter : public LinePrompter {
  public:
    BuildPrompter(std::string noImage) : LinePrompter("740-cli build"), noImage_(noImage) {}
    kv::base::Answer Show(const std::string& text, kv::base::MessageKind kind,
                          kv::base::Buttons buttons) override {
        if (text == noImage_) return kv::base::Answer::Ok;
        return LinePrompter::Show(text, kind, buttons);
    }

  private:
    std::string noImage_;
};

struct BuildOptions {
    std::string Version, Install;
    bool Original = false, NoInfieldUnits = false, KeepTotals = false, KeepLogs = false,
         Verbose = false;
};

int Build(const BuildOptions& options) {
    const std::string& version = options.Version;
    const kv::catalogue::VersionName name =
        *kv::catalogue::ParseVersionName(version);  // checked by the parser
    const std::string &model = name.Model, &pack = name.Pack;
    if (options.Original && model != "758")
        throw UsageError("--original is for model 758 only, not " + version);
    const fs::path install = fs::absolute(options.Install);

    EnterInstallation(install);
    const std::string versionTable = kv::catalogue::VersionTablePath(name);
    RequireVersionTable(name);

    kv::builder::BuildRequest request;
    request.Target = kv::builder::Target::For(model, pack, options.Original);
    request.Preferences = {!options.NoInfieldUnits, !options.KeepTotals, !options.KeepLogs};
    request.Code = name.Code;
    request.DB = kv::catalogue::FindPackRecord(name).DB;
    request.Revision = kv::builder::RevisionText(model);
    request.Manual = kv::catalogue::ManualPath(model, pack);

    const WorkingAssets assets(model);
    BuildPrompter prompter(kv::builder::NoImageMessage(request.Target));
    kv::builder::FirmwareBuilder builder(prompter);
    builder.Toolchain.PathFirst = {(install / "toolchain" / "bin").string()};
    const CapturedOutput toolchainOutput;
    builder.Toolchain.OutputFd = toolchainOutput.Fd();
    builder.Hooks.ShowProgress = [](const std::string& caption) {
        std::cout << caption << std::endl;
    };
    builder.Hooks.CreateReport = [&](const std::string& file) {
        kv::report::TFormPdf form(prompter);
        form.Source = kv::report::ReportSourceOf(version);
        form.Source.SoftwareType = kv::builder::GetSoftwareType();
        form.Source.Revision = request.Revision;
        form.CreateReport(file);
    };

    kv::store::Table table(versionTable);
    table.SetReadOnly(name.IsFactory());
    table.Open();
    std::vector<FileStamp> before;
    for (const char* file : OutputFiles) before.push_back(FileStamp::Of(file));
    const auto outcome = builder.VersionFileDownload(table, request);
    table.Close();
    const std::string messages = toolchainOutput.Text();
    if (options.Verbose)
        for (const auto& [line, count] : DistinctLines(messages))
            std::cerr << line << (count > 1 ? "  (" + std::to_string(count) + " times)" : "")
                      << "\n";

    // Files of an earlier build may still stand there: only what this build wrote is its output.
    for (size_t i = 0; i < std::size(OutputFiles); ++i) {
        const FileStamp after = FileStamp::Of(OutputFiles[i]);
        if (after.Exists && !(after == before[i]))
            std::cout << (install / "bin" / OutputFiles[i]).string() << " (" << after.Size
                      << " bytes)\n";
    }
    if (outcome == kv::builder::BuildOutcome::ImageMade) return 0;
    if (outcome == kv::builder::BuildOutcome::NoImage) {
        std::cerr << "740-cli build: failed: " << NoImageReason(builder.LastRun(), messages) << ": "
                  << kv::builder::NoImageMessage(request.Target) << "\n";
        if (!options.Verbose)
            std::cerr << "740-cli build: --verbose shows the toolchain's messages\n";
        return 1;
    }
    std::cerr << "740-cli build: no image was made\n";
    return 1;
}

}  // namespace

void AddBuildCommand(CLI::App& app, int& status) {
    CLI::App* command = NewCommand(
        app, "build",
        "Builds the version MODEL-PACK-CODE of the installation DIR (default: the one this "
        "program\n"
        "belongs to, else the staged demo) into the firmware image bin/PackBinary.bin with the\n"
        "installation's H8/300 toolchain, writing the report and the manual beside it, as the\n"
        "manager's Download does. Prints the progress and the files written; exit status 0 "
        "exactly\n"
        "when the image was made, else the message of the target is printed.");
    auto options = std::make_shared<BuildOptions>();
    AddVersionArgument(*command, options->Version);
    command->add_flag("--original", options->Original,
                      "The original 758 hardware instead of the standard one");
    command->add_flag("--no-infield-units", options->NoInfieldUnits,
                      "No programmable units of measurement");
    command->add_flag("--keep-totals", options->KeepTotals, "Totals kept on downloading");
    command->add_flag("--keep-logs", options->KeepLogs, "Logs kept on downloading");
    AddInstallOption(*command, options->Install);
    command->add_flag("--verbose", options->Verbose,
                      "Also the toolchain's messages, each distinct one once with its count");
    command->callback([options, &status] { status = Build(*options); });
}

}  // namespace cli
