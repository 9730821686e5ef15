// 740-cli program: the utility's road without windows, for one unit or a production batch.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>

#include "CliSupport.h"
#include "CommandLine.h"
#include "ConnectionDeadline.h"
#include "Validators.h"
#include "console/Console.h"
#include "console/Gang.h"
#include "console/GangLoop.h"
#include "console/HeadlessDialogs.h"
#include "console/Production.h"
#include "console/ProgrammingRecord.h"
#include "console/ProgressLines.h"
#include "console/Texts.h"
#include "console/UnitProgress.h"
#include "link/Messages.h"
#include "link/PosixPort.h"

namespace cli {

namespace {

namespace con = kv::console;
namespace fs = std::filesystem;

class NoShell : public kv::base::Shell {
  public:
    bool Open(const std::string&) override { return false; }
};

struct ProgramOptions {
    std::string File, Dir = ".";
    std::optional<std::string> Serial, Serials, SerialsFile, Tag, Log;
    std::vector<std::string> Ports;
    bool Yes = false, KeepGoing = false;
    int Timeout = 30;
};

// A production list is a small text file; it is read with a bound, and a line that cannot be a
// serial number and tag is refused without repeating it whole.
std::vector<con::UnitEntry> ReadSerialsFile(const std::string& path) {
    constexpr std::streamsize MaxBytes = 1 << 20;
    constexpr size_t MaxLine = 64;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UsageError("cannot read \"" + path + "\"");
    std::string text(MaxBytes + 1, '\0');
    in.read(text.data(), MaxBytes + 1);
    if (in.bad()) throw UsageError("cannot read \"" + path + "\"");
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > static_cast<size_t>(MaxBytes))
        throw UsageError("\"" + path + "\" is larger than a list of units can be (1 MiB)");
    if (text.find('\0') != std::string::npos)
        throw UsageError("\"" + path + "\" is not a text file");
    std::istringstream lines(text);
    int number = 1;
    for (std::string line; std::getline(lines, line); ++number)
        if (line.size() > MaxLine)
            throw UsageError("line " + std::to_string(number) + " of \"" + path +
                             "\" is longer than " + std::to_string(MaxLine) + " characters: \"" +
                             line.substr(0, 20) + "...\"");
    lines.clear();
    lines.seekg(0);
    return con::ReadUnitList(lines);
}

using Prefix = con::UnitProgress::Prefix;

// The record named by --log, opened before any unit is touched.
std::unique_ptr<con::ProgrammingRecord> OpenRecord(const ProgramOptions& options) {
    if (!options.Log) return nullptr;
    try {
        return std::make_unique<con::ProgrammingRecord>(*options.Log);
    } catch (const std::runtime_error& e) {
        throw UsageError(e.what());
    }
}

// Writes a unit's row; a record that cannot be written ends the run (the operator relies on it).
bool Record(con::ProgrammingRecord* record, const con::RecordRow& row) {
    if (!record) return true;
    try {
        record->Append(row);
        return true;
    } catch (const std::runtime_error& e) {
        std::cerr << "740-cli program: " << e.what() << std::endl;
        return false;
    }
}

std::string Summary(size_t complete, size_t attempted, size_t count) {
    return "Programmed " + std::to_string(complete) + " of " + std::to_string(count) + " units, " +
           std::to_string(attempted - complete) + " failed, " + std::to_string(count - attempted) +
           " not attempted";
}

size_t CompleteCount(const std::vector<con::UnitResult>& results) {
    return static_cast<size_t>(std::count_if(results.begin(), results.end(),
                                             [](const con::UnitResult& r) { return r.Complete; }));
}

// One unit on each port at once, all links polled from one loop.
int ProgramGang(const ProgramOptions& options, con::Console& console, LinePrompter& prompter,
                const std::vector<con::UnitEntry>& units, con::ProgrammingRecord* record) {
    con::GangLoop loop;
    con::Gang gang(
        console, options.Ports, units,
        [&loop](const std::string&) {
            return std::make_unique<kv::link::TComms>(std::make_unique<kv::link::PosixPort>(),
                                                      loop.NewTimer());
        },
        prompter);
    gang.AskBeforeNext = !options.Yes;
    gang.KeepGoing = options.KeepGoing;
    const auto lines = con::ProgressLines::ForStandardOutput(options.Ports.size());
    const size_t count = units.size();
    bool recorded = true;
    auto clock = [] { return con::UnitProgress::Clock::now(); };
    gang.OnProgress = [&](size_t i) {
        const con::UnitProgress& progress = gang.Stations()[i].Progress;
        lines->Update(i, progress, progress.StatusLine(Prefix::Always, clock()),
                      progress.MessageLine(Prefix::Always));
    };
    gang.OnResult = [&](size_t i, const con::UnitResult& result) {
        const con::Gang::Station& station = gang.Stations()[i];
        const con::UnitProgress& progress = station.Progress;
        lines->Finish(i, progress.Text == result.Outcome ? progress.MessageLine(Prefix::Always)
                                                         : station.Port + ": " + result.Outcome);
        if (result.Outcome == kv::link::msg::Incompatible)
            lines->Print(station.Port + ": " + IncompatibleDetail(*station.Link));
        const con::RecordRow row = con::UnitRow(console, result, station.Form, progress, clock());
        lines->Print("Unit " + std::to_string(station.Unit + 1) + " of " + std::to_string(count) +
                     " on " + station.Port + ", serial " + row.Serial + ", tag " + row.Tag + ": " +
                     result.Outcome);
        if (!Record(record, row)) {
            recorded = false;
            gang.Stop();
        }
    };
    gang.OnWaiting = [&](size_t i) {
        const con::Gang::Station& station = gang.Stations()[i];
        lines->Print("Connect unit " + std::to_string(station.Unit + 1) + " of " +
                     std::to_string(count) + " (serial " + units[station.Unit].Serial + ") on " +
                     station.Port + " and press Enter");
    };
    if (!options.Yes) loop.Input = STDIN_FILENO;
    loop.OnLine = [&gang] { gang.Confirm(); };
    loop.OnInputEnd = [&gang] { gang.Stop(); };
    gang.Start();
    loop.Run([&gang] { return gang.Done(); });

    const auto& results = gang.Results();
    const size_t complete = CompleteCount(results);
    lines->Print(Summary(complete, results.size(), count));
    return complete == count && recorded ? 0 : 1;
}

std::vector<con::UnitEntry> UnitsFrom(const ProgramOptions& options) {
    const auto &serial = options.Serial, &range = options.Serials, &file = options.SerialsFile;
    const auto& tag = options.Tag;
    if (!!serial + !!range + !!file > 1)
        throw UsageError("give only one of --serial, --serials and --serials-file");
    std::vector<con::UnitEntry> units;
    try {
        if (range) {
            units = con::SerialRange(*range, tag);
        } else if (file) {
            units = ReadSerialsFile(*file);
            for (auto& unit : units)
                if (!unit.Tag) unit.Tag = tag;
        } else {
            units = {{serial.value_or(con::text::FirstSerial), tag}};
        }
    } catch (const std::invalid_argument& e) {
        throw UsageError(e.what());
    }
    if (units.empty()) throw UsageError("no unit to program");
    return units;
}

void CheckPorts(const std::vector<std::string>& ports) {
    std::set<std::string> seen;
    for (const std::string& port : ports)
        if (!seen.insert(port).second)
            throw UsageError("port " + port + " is given twice in --ports");
}

int Program(const ProgramOptions& options) {
    const std::vector<con::UnitEntry> units = UnitsFrom(options);
    CheckPorts(options.Ports);
    const auto record = OpenRecord(options);
    const fs::path dir = options.Dir;

    LinePrompter prompter("740-cli program", kv::base::Answer::No);
    NoShell shell;
    con::HeadlessDialogs dialogs(prompter);
    ConnectionDeadline* loop = nullptr;
    auto makeLink = [&loop, &options] {
        auto timer = std::make_unique<ConnectionDeadline>(std::chrono::seconds(options.Timeout));
        loop = timer.get();
        auto link = std::make_unique<kv::link::TComms>(std::make_unique<kv::link::PosixPort>(),
                                                       std::move(timer));
        loop->Watch(*link);
        return link;
    };
    con::Console console({prompter, shell, dialogs, makeLink, dir}, con::text::UtilityTitle, {});
    console.FileName = fs::absolute(options.File);
    console.FormShow();
    std::cout << console.Caption << "\n" << console.PanelInfo << std::endl;
    if (!console.Enabled(con::Command::Download)) return 1;
    if (!console.SerialNumber.TagEnabled && options.Tag)
        std::cout << "The image has no unit tag item: tags are not written" << std::endl;
    if (!options.Ports.empty()) return ProgramGang(options, console, prompter, units, record.get());

    // Every message once as it comes (the blocks' repeats aside); an attempt names its settings.
    const auto lines = con::ProgressLines::ForStandardOutput(1);
    con::UnitProgress progress;
    auto clock = [] { return con::UnitProgress::Clock::now(); };
    console.OnProgressMessage = [&](const std::string& message) {
        progress.Message(message, *console.Link(), clock());
        lines->Update(0, progress, progress.StatusLine(Prefix::Attempts, clock()),
                      progress.MessageLine(Prefix::Attempts));
        namespace msg = kv::link::msg;
        if (message == msg::Incompatible) lines->Print(IncompatibleDetail(*console.Link()));
        if (message == msg::NoResponse && loop->TakeRunningApplication())
            lines->Print(RunningApplicationLine);
    };

    const size_t count = units.size();
    bool recorded = true;
    con::ProductionRun run(console, dialogs, [&loop] { loop->Run(); });
    run.BeforeUnit = [&](size_t index, const con::UnitEntry& unit) {
        if (options.Yes) return recorded;
        lines->Print("Connect unit " + std::to_string(index + 1) + " of " + std::to_string(count) +
                     " (serial " + unit.Serial + ") and press Enter");
        std::string line;
        return recorded && static_cast<bool>(std::getline(std::cin, line));
    };
    run.OnStart = [&](size_t, const con::UnitEntry&) {
        progress.Begin(clock());
        lines->Restart(0);
    };
    run.OnResult = [&](size_t index, const con::UnitResult& result) {
        lines->Finish(0, progress.Text == result.Outcome ? progress.MessageLine(Prefix::Attempts)
                                                         : result.Outcome);
        // A refused tag never reaches the form: the row names the one that was given.
        const con::RecordRow row =
            con::UnitRow(console, result, console.SerialNumber, progress, clock());
        lines->Print("Unit " + std::to_string(index + 1) + " of " + std::to_string(count) +
                     ", serial " + result.Unit.Serial + ", tag " + row.Tag + ": " + result.Outcome);
        recorded = Record(record.get(), row) && recorded;
    };
    const auto results = run.Run(units, options.KeepGoing);
    const size_t complete = CompleteCount(results);
    if (count > 1) lines->Print(Summary(complete, results.size(), count));
    return complete == count && recorded ? 0 : 1;
}

}  // namespace

void AddProgramCommand(CLI::App& app, int& status) {
    CLI::App* command = NewCommand(
        app, "program",
        "Loads the application file FILE (.apx or .apl) into WORKDIR as 740-lite does, then\n"
        "programs the unit: writes its serial number and tag (when the image has a unit tag "
        "item),\n"
        "finds the port and line settings on which it answers (COM1..COM9; parity ODD, EVEN, "
        "NONE;\n"
        "38400 to 2400 baud) and downloads the image, printing every progress message. Exit status "
        "0\n"
        "exactly when every unit completes. Batch: --serials programs one unit per serial number, "
        "a\n"
        "CSV file one per line \"serial,tag\" (\"#\" comments; --tag fills missing tags); each "
        "unit is\n"
        "confirmed with Enter (or --yes), one result line is printed per unit and a summary at "
        "the\n"
        "end. The batch stops at the first unit that fails unless --keep-going.\n"
        "Gang: --ports programs one unit on each listed port at the same time, each port scanning\n"
        "only its own parities and speeds and taking the next serial number when its unit is done\n"
        "(after Enter, or at once with --yes); a port whose unit fails takes no more unless\n"
        "--keep-going. --log appends one CSV row per unit to the programming record FILE.");
    auto options = std::make_shared<ProgramOptions>();
    command->add_option("FILE", options->File, "The application file")->required()->check(FilePath);
    command->add_option("--serial", options->Serial, "The serial number")
        ->type_name("NNNNNN")
        ->default_str(con::text::FirstSerial);
    command->add_option("--serials", options->Serials, "One unit per serial number")
        ->type_name("FIRST..LAST");
    command->add_option("--serials-file", options->SerialsFile, "One unit per line \"serial,tag\"")
        ->type_name("CSV")
        ->check(FilePath);
    command->add_option("--tag", options->Tag, "The unit tag")
        ->type_name("TEXT")
        ->default_str(con::text::FirstTag);
    command->add_option("--dir", options->Dir, "The working directory")
        ->type_name("WORKDIR")
        ->check(ExistingFolder);
    command->add_flag("--yes", options->Yes, "Programs each unit without waiting for Enter");
    command->add_flag("--keep-going", options->KeepGoing, "Goes on after a unit that fails");
    AddTimeoutOption(*command, options->Timeout);
    command
        ->add_option("--ports", options->Ports, "Programs one unit on each of these ports at once")
        ->type_name("COMn,COMn...")
        ->delimiter(',')
        ->check(PortName);
    command
        ->add_option("--log", options->Log,
                     "Appends one CSV row per unit to this programming record")
        ->type_name("FILE")
        ->check(FilePath);
    command->callback([options, &status] { status = Program(*options); });
}

}  // namespace cli
