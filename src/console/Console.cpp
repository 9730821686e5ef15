#include "Console.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

#include "Texts.h"
#include "UnitStamp.h"
#include "WorkingFiles.h"
#include "archive/Exceptions.h"
#include "archive/Listing.h"
#include "link/Messages.h"
#include "link/PortMap.h"

namespace kv::console {

namespace fs = std::filesystem;
namespace msg = link::msg;

namespace {

constexpr CommandText Commands[CommandCount] = {
    {"&Open", "Open Application File"},         {"&Save", "Save Application File"},
    {"Do&wnload", "Download Application File"}, {"&Report", "View Configuration Report"},
    {"&Manual", "View Application Manual"},     {"E&xit", "Exit Program Utility"},
    {"&About...", "View About Panel"},
};

constexpr const char* PortNames[] = {"COM0", "COM1", "COM2", "COM3", "COM4",
                                     "COM5", "COM6", "COM7", "COM8", "COM9"};
constexpr size_t PortCount = std::size(PortNames);

// The next, slower rate of the scan; 1200 ends it.
uint32_t SlowerBaud(uint32_t baud) {
    switch (baud) {
        case 38400:
            return 19200;
        case 19200:
            return 9600;
        case 9600:
            return 4800;
        case 4800:
            return 2400;
        default:
            return 1200;
    }
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The archive's own message says what is wrong.
std::string DamagedText(const fs::path& file, const std::string& problem) {
    return text::FileDamaged + file.string() + " (" + problem + ")";
}

}  // namespace

const CommandText& TextOf(Command command) {
    return Commands[static_cast<size_t>(command)];
}

fs::path ApplicationFileOf(const std::string& word, const fs::path& launchDir,
                           const fs::path& workDir) {
    const fs::path given(word);
    const fs::path named = (launchDir / given).lexically_normal();  // an absolute path stays itself
    if (given.has_parent_path()) return named;
    return Exists(workDir / given) || !Exists(named) ? workDir / given : named;
}

Console::Console(ConsoleServices services, const std::string& caption,
                 const std::vector<std::string>& arguments)
    : Services(std::move(services)), IdleCaption(caption) {
    // Members go to and come from the working directory under their bare names.
    Archive.SetTargetPath(Services.WorkDir.string() + "/");
    // A working file that cannot be created is a disk that is full or protected, and is said so.
    Archive.ExceptionOnFileError = true;
    // A library yields the working files under their exact names, or not at all.
    Archive.ExactMemberNames = true;
    Caption = caption;
    StatusRevision = text::UtilityRevision;
    SetModeLite(true);
    const fs::path launchDir = Services.LaunchDir.empty() ? Services.WorkDir : Services.LaunchDir;
    FileName = arguments.empty() ? Services.WorkDir / text::PlaceholderFile
                                 : ApplicationFileOf(arguments.back(), launchDir, Services.WorkDir);
    DeleteWorkingFiles(Services.WorkDir);
    PanelInfo = text::OpenApplicationFile;
    Enable(Command::Exit, true);
    Enable(Command::About, true);
    if (const std::string refusal = link::PortMapRefusal(); !refusal.empty())
        Services.Prompter.Warning(refusal);
}

Console::~Console() {
    Comms.reset();
    DeleteWorkingFiles(Services.WorkDir);
}

void Console::SetModeLite(bool on) {
    Lite = on;
}

void Console::SetVersion(const std::string& versionName) {
    Load.VersionName = versionName;
}

void Console::Refresh(bool immediate) {
    if (OnRefresh) OnRefresh(immediate);
}

// ---- lifecycle ----

void Console::FormShow() {
    Comms = Services.MakeLink();
    Comms->OnProgress = [this](const std::string& message) { ReportProgress(message); };
    ProgressPosition = 0;
    UpdateMenu();
}

void Console::FormClose() {
    Comms.reset();
}

bool Console::CloseQuery() {
    if (!Comms || Comms->State != link::LinkState::Running) return true;
    if (Services.Prompter.Show(text::StopDownloadQuestion, base::MessageKind::Confirmation,
                               base::Buttons::YesNo) != base::Answer::Yes)
        return false;
    // The download may have ended while the question was up; stopping an idle link does no harm.
    Comms->Stop();
    SetCommandStates();
    Refresh();
    return true;
}

void Console::ActionExitExecute() {
    if (!CloseQuery()) return;
    if (Comms) Comms->SetPort("");
    if (OnClose) OnClose();
}

void Console::ActionIdleUpdate() {
    const bool visible = PanelInfo == msg::Complete;
    if (visible == LabelWarningVisible) return;
    LabelWarningVisible = visible;
    Refresh();
}

void Console::ShowHint(const std::string& hint) {
    StatusHint = hint;
    Refresh();
}

// ---- loading ----

std::vector<std::string> Console::UnitItemNames() const {
    // The utility's own name, and the one every image of the manager carries, so that both
    // programs program the same units from the same file.
    if (Lite) return {"--UNIT--", "-UNIT-"};
    return {"-UNIT-"};
}

// Why the application file cannot be loaded, found before anything is deleted so that the image
// loaded before stays loaded; empty when it can be.
std::string Console::RefusalOf(const std::string& extension) const {
    const std::string name = FileName.string();
    std::error_code error;
    if (!fs::exists(FileName, error)) return text::FileNotFound + name;
    if (!fs::is_regular_file(FileName, error) || !std::ifstream(FileName, std::ios::binary))
        return text::FileUnreadable + name;
    if (extension != ".apl") return {};
    try {
        for (const archive::TMemberListing& member : archive::ListArchive(name))
            if (!member.Verified) return DamagedText(FileName, member.Problem);
    } catch (const std::exception& e) {
        return DamagedText(FileName, e.what());
    }
    return {};
}

// False when the file was refused and nothing changed.
bool Console::Unpack() {
    const std::string extension = Lower(FileName.extension().string());
    if (extension == ".apx" || extension == ".apl") {
        if (const std::string refusal = RefusalOf(extension); !refusal.empty()) {
            Services.Prompter.Warning(refusal);
            return false;
        }
    }
    DeleteWorkingFiles(Services.WorkDir);
    const fs::path dir = Services.WorkDir;
    if (Exists(dir / PackReport) || Exists(dir / PackManual)) {
        Services.Prompter.Warning(text::DocumentsInUse);
        return true;
    }
    Load.VersionName = FileName.stem().string();
    Load.Extension = extension;
    // The file was checked above: what fails from here on is mostly the writing of the working
    // files.
    bool failed = false;
    std::string damage;
    if (Load.Extension == ".apx") {
        std::error_code error;
        fs::copy_file(FileName, dir / PackBinary, fs::copy_options::overwrite_existing, error);
        failed = static_cast<bool>(error);
    } else if (Load.Extension == ".apl") {
        // Only the working files are taken: a library must not drop other files next to the
        // program.
        std::vector<std::string> members(std::begin(WorkingFileNames), std::end(WorkingFileNames));
        try {
            Archive.ExpandArchive(FileName.string(), &members);
        } catch (const archive::EInsufficientDiskSpace&) {
            failed = true;
        } catch (const std::system_error&) {
            failed = true;  // a working file could not be created
        } catch (const std::exception& e) {
            damage = e.what();
        }
    }
    if (failed || !damage.empty()) {
        // What a failed expansion wrote before it failed must not pass as loaded.
        DeleteWorkingFiles(dir);
        Services.Prompter.Warning(failed ? std::string(text::InsufficientDiskSpace)
                                         : DamagedText(FileName, damage));
    }
    return true;
}

void Console::UpdateMenu() {
    Enable(Command::Open, Lite);
    Enable(Command::Save, !Lite);
    if (!Lite) {
        Load.Extension = ".apx";
    } else if (!Unpack()) {
        Refresh();
        return;
    }
    Load.SaveStem = Services.WorkDir / text::ApxDirectory / Load.VersionName;
    Load.ModelText = Load.VersionName.substr(0, 3);
    Load.PackKey = Load.VersionName.substr(0, 8);
    Load.Valid = false;
    Load.UnitItem.reset();
    ShowLoad();
    Refresh();
}

void Console::ShowLoad() {
    const fs::path binary = Services.WorkDir / PackBinary;
    auto disable = [this] {
        Enable(Command::Download, false);
        Enable(Command::Report, false);
        Enable(Command::Manual, false);
    };
    if (!Exists(binary)) {
        Caption = IdleCaption;
        PanelInfo = text::OpenApplicationFile;
        disable();
        return;
    }
    MakeWritable(binary);
    Buffer.Load(binary);
    Load.Identity = Buffer.ReadIdentity();
    Load.UnitItem = Buffer.FindUnitItem(Load.Identity.InfoItems, UnitItemNames());
    SerialNumber.TagEnabled = Load.UnitItem.has_value();
    Load.Valid = Buffer.TextAt(Load.Identity.AppPack) == Load.PackKey;
    if (!Load.Valid) {
        Caption = IdleCaption;
        PanelInfo = text::InvalidFile;
        Services.Prompter.Beep();
        disable();
        return;
    }
    const IdentityBlock& id = Load.Identity;
    Load.Unit = IdentityOf(id.Revision, id.CardNumber, id.CardClass, Load.VersionName);
    const std::string classText = ClassText(Load.Unit.MinClass);
    const ModelTexts model = ModelTextsOf(Load.Unit.ModelMask);
    Caption = Load.VersionName + Load.Extension + model.Label + classText;
    PanelInfo = model.Prefix + Load.ModelText + " (Class " + classText + ") to " + text::AnyPort;
    Enable(Command::Download, true);
    Enable(Command::Report, Exists(Services.WorkDir / PackReport));
    Enable(Command::Manual, Exists(Services.WorkDir / PackManual));
}

void Console::ActionOpenExecute() {
    auto chosen = Services.Dialogs.ExecuteOpen();
    if (!chosen) return;
    FileName = *chosen;
    ProgressPosition = 0;
    UpdateMenu();
}

// ---- programming ----

void Console::ActionDownloadExecute() {
    if (!Comms || !Enabled(Command::Download)) return;
    SerialNumber.FormShow();
    if (!Services.Dialogs.ExecuteSerialNumber(SerialNumber)) return;
    WriteUnitValues(Buffer, Load, SerialNumber);
    ProgressPosition = 0;
    ProgressMax = static_cast<int>(Buffer.Size() / 256);
    PanelInfo = msg::Wait;
    Refresh(true);
    Comms->SetInterval(80);
    Comms->SetBaud(38400);
    Comms->SetParity("ODD");
    SetFirstPort();
    StartAttempt();
}

void Console::StartAttempt() {
    Comms->StartDownload(Buffer.Data(), static_cast<int32_t>(Buffer.Size()), Load.Unit.ModelMask,
                         Load.Unit.MinClass);
}

bool Console::SetFirstPort() {
    Comms->SetPort(PortNames[0]);
    return SetNextPort();
}

bool Console::SetNextPort() {
    const bool wasOpen = Comms->IsOpen();
    const auto* current = std::find(std::begin(PortNames), std::end(PortNames), Comms->PortName);
    if (current == std::end(PortNames)) return Comms->IsOpen();
    size_t index = static_cast<size_t>(current - std::begin(PortNames));
    do {
        index = (index + 1) % PortCount;
        Comms->SetPort(PortNames[index]);
    } while (!Comms->IsOpen() && index != 0);
    // A port that opened before the walk wrapped answers with the state before the walk.
    if (Comms->IsOpen() && index != 0) return wasOpen;
    return Comms->IsOpen();
}

void Console::ReportProgress(const std::string& message) {
    if (OnProgressMessage) OnProgressMessage(message);
    if (message == msg::NoResponse || message == msg::NoPort) {
        if (Comms->ParityName == "ODD") {
            Comms->SetParity("EVEN");
        } else if (Comms->ParityName == "EVEN") {
            Comms->SetParity("NONE");
        } else {
            Comms->SetParity("ODD");
            if (!SetNextPort()) {
                SetFirstPort();
                Comms->SetBaud(SlowerBaud(Comms->Baud));
            }
        }
        if (Comms->Baud == 1200) {
            PanelInfo = msg::NoResponse;
            Services.Prompter.Beep();
        } else {
            StartAttempt();
        }
    } else {
        if (PanelInfo != message && message != msg::InProgress) Services.Prompter.Beep();
        PanelInfo = message;
        // The last block is number max - 1: a complete download fills the bar.
        ProgressPosition = message == msg::Complete ? ProgressMax : Comms->BlockNumber;
        if (message == msg::InProgress && Comms->BlockNumber == 0 &&
            RevisionAtLeast(Load.Identity.Revision, DateStampFrom))
            WriteDateTime(Buffer, Load, Now());
    }
    ClosePortWhenStopped();
    SetCommandStates();
    Refresh();
}

// A port left open after the last attempt would stay locked against every other program while
// the console sits idle; the next Download opens it again.
void Console::ClosePortWhenStopped() {
    if (Comms->State != link::LinkState::Running && Comms->IsOpen()) Comms->SetPort("");
}

void Console::SetCommandStates() {
    const bool running = Comms && Comms->State == link::LinkState::Running;
    Enable(Command::Open, !running && Lite);
    Enable(Command::Save, !running && !Lite);
    Enable(Command::Download, !running);
}

// ---- saving and documents ----

void Console::ActionSaveExecute() {
    SavePack.FormShow(Services.WorkDir);
    if (!Services.Dialogs.ExecuteSavePack(SavePack)) return;
    const bool binaryOnly = SavePack.BinaryOnly();
    fs::path target = Load.SaveStem;
    target += binaryOnly ? ".apx" : ".apl";
    base::Prompter& prompter = Services.Prompter;
    if (Exists(target) && prompter.Show(text::OverwriteQuestion, base::MessageKind::Warning,
                                        base::Buttons::YesNo) != base::Answer::Yes)
        return;
    // The new file is written beside the old one and takes its name only when complete, so a
    // failed save leaves the earlier file as it was.
    const fs::path partial = fs::path(target).replace_filename("~" + target.filename().string());
    std::error_code error;
    fs::remove(partial, error);
    const bool written = binaryOnly ? SaveBinary(partial) : SaveLibrary(partial);
    if (written) fs::rename(partial, target, error);
    if (!written || error) {
        fs::remove(partial, error);
        if (written) prompter.Error(binaryOnly ? text::BinaryNotSaved : text::LibraryNotSaved);
        return;
    }
    prompter.Information(binaryOnly ? text::BinarySaved : text::LibrarySaved);
}

bool Console::SaveBinary(const fs::path& file) {
    std::error_code error;
    fs::copy_file(Services.WorkDir / PackBinary, file, fs::copy_options::overwrite_existing, error);
    if (error) Services.Prompter.Error(text::BinaryNotSaved);
    return !error;
}

bool Console::SaveLibrary(const fs::path& file) {
    std::vector<std::string> members;
    for (const std::string& name : SavePack.Members) members.push_back(Archive.TargetPath() + name);
    try {
        Archive.CompressFileList(file.string(), members, archive::MethodLh5);
    } catch (const std::exception& e) {
        Services.Prompter.Error(e.what());
        return false;
    }
    return true;
}

void Console::OpenDocument(const char* name) {
    if (!Services.Shell.Open(fs::absolute(Services.WorkDir / name).string()))
        Services.Prompter.Information(text::NoPdfReader);
}

void Console::ActionReportExecute() {
    OpenDocument(PackReport);
}

void Console::ActionManualExecute() {
    OpenDocument(PackManual);
}

}  // namespace kv::console
