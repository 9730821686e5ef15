#pragma once
// The build of a version into the firmware image "PackBinary.bin" (the download command's
// work before the console), run in the installation's working directory.
#include <functional>
#include <string>
#include <vector>

#include "builder/Identity.h"
#include "builder/Toolchain.h"
#include "builder/Translation.h"
#include "builder/Units.h"

namespace kv::base {
class Prompter;
}
namespace kv::store {
class Table;
}

namespace kv::builder {

inline constexpr const char* ImageFile = "PackBinary.bin";
inline constexpr const char* ReportFile = "PackReport.pdf";
inline constexpr const char* ManualFile = "PackManual.pdf";
inline constexpr const char* ObjectFile = "740-ggui.o";
inline constexpr const char* MapFile = "Kv740.map";

// The selected version and the state of the main window the build reads.
struct BuildRequest {
    builder::Target Target;            // model, pack and hardware choice
    builder::Preferences Preferences;  // programmable units, clear totals, clear logs
    std::string Code;                  // version code of the catalogue record
    std::string DB;                    // database version of the catalogue record
    std::string Revision;              // status bar panel 0
    std::string Manual;                // the selection record's Manual slot
};

enum class BuildOutcome {
    Locked,     // the report or the manual is held by another program: nothing was done
    Stopped,    // the translation failed: no source, no toolchain step
    NoImage,    // the toolchain left no image: the target's message was shown
    ImageMade,  // "PackBinary.bin" exists and the console was called
};

// What the windows supply; every hook may be left empty.
struct BuildHooks {
    std::function<void(const std::string& caption)> ShowProgress;  // shows the progress window
    std::function<void(int position, int max)> Progress;
    std::function<void()> CloseProgress;
    std::function<void(const std::string& fileName)> CreateReport;
    // Console in manager mode with the version name, shown modally.
    std::function<void(const std::string& versionName)> ShowConsole;
};

// How the toolchain steps of the last build went.
struct ToolchainRun {
    StepResult Compile = StepResult::NotStarted;
    bool ObjectMade = false;  // the compile step left "740-ggui.o"
    StepResult Link = StepResult::NotStarted;
};

// The step-13 message of a target when no image was made.
std::string NoImageMessage(const Target& target);

class FirmwareBuilder {
  public:
    explicit FirmwareBuilder(base::Prompter& prompter) : prompter_(prompter) {}

    BuildHooks Hooks;
    ToolchainSettings Toolchain;

    // `VersionFileDownload`: the whole build over the open version table.
    BuildOutcome VersionFileDownload(store::Table& version, const BuildRequest& request);

    // `CreateDownloadFile`: compile and link the saved source, then remove the intermediates.
    void CreateDownloadFile(const Target& target);

    // The units the last build used, in UnitCoefs order.
    const ListUnits& SelectedUnits() const { return selected_; }
    const ToolchainRun& LastRun() const { return run_; }

  private:
    bool Generate(store::Table& version, const BuildRequest& request);

    base::Prompter& prompter_;
    ListUnits selected_;
    ToolchainRun run_;
};

}  // namespace kv::builder
