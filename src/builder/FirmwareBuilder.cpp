#include "builder/FirmwareBuilder.h"

#include <filesystem>

#include "base/Prompter.h"
#include "builder/BuildError.h"
#include "builder/GeneratedSource.h"
#include "store/FileAccess.h"
#include "store/Table.h"

namespace kv::builder {

namespace fs = std::filesystem;

namespace {

void RemoveQuietly(const char* file) {
    std::error_code ignored;
    fs::remove(file, ignored);
}

bool Exists(const char* file) {
    std::error_code ignored;
    return fs::exists(file, ignored);
}

}  // namespace

std::string NoImageMessage(const Target& target) {
    if (IsOriginalCard(target))
        return "File is too large for Original Model - please use Standard Model";
    if (IsModel746(target))
        return "File is too large - please disable \"Programmable Units of Measurement\" option";
    return "Cannot create download file - please contact factory";
}

BuildOutcome FirmwareBuilder::VersionFileDownload(store::Table& version,
                                                  const BuildRequest& request) {
    RemoveQuietly(ReportFile);
    RemoveQuietly(ManualFile);
    if (Exists(ReportFile) || Exists(ManualFile)) {
        prompter_.Warning(
            "The report or manual is used in another application, please close it before "
            "downloading");
        return BuildOutcome::Locked;
    }
    if (Hooks.ShowProgress) Hooks.ShowProgress("Processing version configuration...");
    if (!Generate(version, request)) {
        if (Hooks.CloseProgress) Hooks.CloseProgress();
        return BuildOutcome::Stopped;
    }
    if (Hooks.ShowProgress) Hooks.ShowProgress("Please wait while file is created...");
    CreateDownloadFile(request.Target);

    if (Hooks.CreateReport) {
        try {
            Hooks.CreateReport(ReportFile);
        } catch (const std::exception&) {
            // The report shows its own failures; the build goes on without it.
        }
    }
    std::error_code ignored;
    fs::copy_file(store::NativePath(request.Manual), ManualFile,
                  fs::copy_options::overwrite_existing, ignored);
    if (Hooks.CloseProgress) Hooks.CloseProgress();

    if (Exists(ImageFile)) {
        const Target& t = request.Target;
        if (Hooks.ShowConsole) Hooks.ShowConsole(t.Model + "-" + t.Pack + "-" + request.Code);
        return BuildOutcome::ImageMade;
    }
    const std::string message = NoImageMessage(request.Target);
    if (IsOriginalCard(request.Target) || IsModel746(request.Target))
        prompter_.Warning(message);
    else
        prompter_.Error(message);
    return BuildOutcome::NoImage;
}

bool FirmwareBuilder::Generate(store::Table& version, const BuildRequest& request) {
    const Target& t = request.Target;
    const std::string app = ApplicationName(t.Model, t.Pack);
    SkeletonValues values{app,
                          MemoryType(t),
                          GetLogType(t.Pack, app),
                          request.DB,
                          request.Code,
                          request.Revision,
                          GetCardClass(app),
                          GetCardNumber(app, t.OriginalChecked),
                          IsOriginalCard(t) || IsModel746(t),
                          IsOriginalCard(t)};
    try {
        GeneratedSource source;
        source.CreateSkeleton(values);
        const OptionRows options = OptionRows::Load("740-opts.db");
        const DataTables data =
            DataTables::Load("..\\dbs\\default\\740-data.db", "..\\dbs\\user\\740-data.db");
        Translate(version, t, request.Preferences, {options, data, EngineeringUnitLines()}, source,
                  selected_, [&](int position, int records) {
                      if (Hooks.Progress) Hooks.Progress(position, records - 1);
                  });
        source.Save(GeneratedSourceFile);
        return true;
    } catch (const std::exception& e) {
        prompter_.Error(e.what());
        return false;
    }
}

void FirmwareBuilder::CreateDownloadFile(const Target& target) {
    RemoveQuietly(ImageFile);
    run_ = {};
    run_.Compile = RunStep("gcc -c -g -ms -O2 740-ggui.C", Toolchain);
    run_.ObjectMade = Exists(ObjectFile);
    run_.Link = RunStep("gcc -T" + LinkerScript(target) +
                            " -Wl,-Map,Kv740.map -nostdlib 740-ggui.o -o PackBinary.bin",
                        Toolchain);
    RemoveQuietly(ObjectFile);
    RemoveQuietly(GeneratedSourceFile);
}

}  // namespace kv::builder
