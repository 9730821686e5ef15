#pragma once
// The programming console's rules: loading an application file, the unit identity, the Download
// command with its port scan, saving, and the documents. Windows, the command line and the tests
// drive it and show its state; dialogs and message boxes are reached through interfaces.
#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppImage.h"
#include "SavePackForm.h"
#include "SerialNumberForm.h"
#include "UnitIdentity.h"
#include "archive/TCompress.h"
#include "base/Prompter.h"
#include "base/Shell.h"
#include "link/TComms.h"

namespace kv::console {

enum class Command { Open, Save, Download, Report, Manual, Exit, About };
constexpr size_t CommandCount = 7;

struct CommandText {
    const char* Caption;  // "&" marks the accelerator
    const char* Hint;
};
const CommandText& TextOf(Command command);

// The console's modal dialogs. Each returns whether it closed with OK.
class ConsoleDialogs {
  public:
    virtual ~ConsoleDialogs() = default;
    // The Open dialog (filter, default extension and directory in Texts.h); the file chosen.
    virtual std::optional<std::filesystem::path> ExecuteOpen() = 0;
    // Shown after the form's FormShow; closes with OK only once CloseQuery accepts.
    virtual bool ExecuteSerialNumber(SerialNumberForm& form) = 0;
    // Shown after the form's FormShow; reports each box click to the form.
    virtual bool ExecuteSavePack(SavePackForm& form) = 0;
};

using LinkFactory = std::function<std::unique_ptr<link::TComms>()>;

struct ConsoleServices {
    base::Prompter& Prompter;
    base::Shell& Shell;
    ConsoleDialogs& Dialogs;
    LinkFactory MakeLink;
    std::filesystem::path WorkDir;  // where the working files live; saved files go to ../apx
    // Where the program was started: relative paths on the command line begin here (empty:
    // WorkDir).
    std::filesystem::path LaunchDir = {};
};

// What one load found; lasts until the next UpdateMenu.
struct LoadResults {
    std::string VersionName;
    std::string Extension;  // lower-cased
    std::string ModelText;
    std::string PackKey;
    std::filesystem::path SaveStem;  // ../apx/ + version name, without extension
    IdentityBlock Identity;
    std::optional<uint32_t> UnitItem;  // address of the unit-tag item's entry-0 text
    UnitIdentity Unit;
    bool Valid = false;
};

// The application file a command-line word names. A bare name is the file in the working
// directory, as the utility always had it, unless only the directory the program was started from
// holds it; a path names its own file, relative to that directory.
std::filesystem::path ApplicationFileOf(const std::string& word,
                                        const std::filesystem::path& launchDir,
                                        const std::filesystem::path& workDir);

class Console {
  public:
    // Creating the console: `caption` becomes the idle caption, lite mode goes on, the application
    // file is the one the last argument names (else the placeholder; see ApplicationFileOf), and
    // the working files are deleted. A KV740_PORTS that cannot be used is reported here.
    Console(ConsoleServices services, const std::string& caption,
            const std::vector<std::string>& arguments);
    // Destroying it deletes the working files again.
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void SetModeLite(bool on);
    bool ModeLite() const { return Lite; }
    void SetVersion(const std::string& versionName);
    // The application file that the next UpdateMenu loads in lite mode.
    std::filesystem::path FileName;

    void FormShow();
    void FormClose();
    void UpdateMenu();

    void ActionOpenExecute();
    void ActionSaveExecute();
    void ActionDownloadExecute();
    void ActionReportExecute();
    void ActionManualExecute();
    void ActionExitExecute();
    // Whether the window may close: a running download goes only when the user says so, and then
    // stops at once with its port closed.
    bool CloseQuery();
    void ActionIdleUpdate();
    void ShowHint(const std::string& hint);

    void ReportProgress(const std::string& message);
    bool SetFirstPort();
    bool SetNextPort();

    // What the window shows.
    std::string Caption;
    std::string PanelInfo;
    int ProgressPosition = 0;
    int ProgressMax = 100;
    bool LabelWarningVisible = false;
    std::string StatusRevision;  // status bar panel 0
    std::string StatusHint;      // status bar panel 1
    bool Enabled(Command command) const { return CommandEnabled[static_cast<size_t>(command)]; }

    SerialNumberForm SerialNumber;
    SavePackForm SavePack;
    const LoadResults& Loaded() const { return Load; }
    const AppImage& Image() const { return Buffer; }
    link::TComms* Link() const { return Comms.get(); }
    const std::filesystem::path& WorkDir() const { return Services.WorkDir; }

    // The state above changed; `immediate` asks for a repaint before returning.
    std::function<void(bool immediate)> OnRefresh;
    // Exit asks the window to close.
    std::function<void()> OnClose;
    // Every message of the link, before the console acts on it (the command line prints them).
    std::function<void(const std::string&)> OnProgressMessage;
    // Local time source of the date-time stamp.
    std::function<std::chrono::system_clock::time_point()> Now = [] {
        return std::chrono::system_clock::now();
    };

  private:
    bool Unpack();
    std::string RefusalOf(const std::string& extension) const;
    void ClosePortWhenStopped();
    // Write the file being saved; false after showing why not.
    bool SaveBinary(const std::filesystem::path& file);
    bool SaveLibrary(const std::filesystem::path& file);
    void ShowLoad();
    std::vector<std::string> UnitItemNames() const;
    void SetCommandStates();
    void Enable(Command command, bool on) { CommandEnabled[static_cast<size_t>(command)] = on; }
    void StartAttempt();
    void OpenDocument(const char* name);
    void Refresh(bool immediate = false);

    ConsoleServices Services;
    archive::TCompress Archive;
    std::string IdleCaption;
    bool Lite = true;
    LoadResults Load;
    AppImage Buffer;
    std::unique_ptr<link::TComms> Comms;
    std::array<bool, CommandCount> CommandEnabled{};
};

}  // namespace kv::console
