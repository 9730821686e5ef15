// 740-cli program: the utility's road without windows, for one unit or a production batch.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

#include "CliSupport.h"
#include "CommandLine.h"
#include "ConnectionDeadline.h"
#include "Validators.h"
#include "console/Console.h"
#include "console/HeadlessDialogs.h"
#include "console/Production.h"
#include "console/Texts.h"
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
    std::optional<std::string> Serial, Serials, SerialsFile, Tag;
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
    if (text.find('\0') != std::string::npos) throw UsageError("\"" + path + "\" is not a text file");
    std::istringstream lines(text);
    int number = 1;
    for (std::string line; std::getline(lines, line); ++number)
        if (line.size() > MaxLine)
            throw UsageError("line " + std::to_string(number) + " of \"" + path + "\" is longer than " +
                             std::to_string(MaxLine) + " characters: \"" + line.substr(0, 20) + "...\"");
    lines.clear();
    lines.seekg(0);
    return con::ReadUnitList(lines);
}

std::vector<con::UnitEntry> UnitsFrom(const ProgramOptions& options) {
    const auto &serial = options.Serial, &range = options.Serials, &file = options.SerialsFile;
    const auto& tag = options.Tag;
    if (!!serial + !!range + !!file > 1) throw UsageError("give only one of --serial, --serials and --serials-file");
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

int Program(const ProgramOptions& options) {
    const std::vector<con::UnitEntry> units = UnitsFrom(options);
    const fs::path dir = options.Dir;

    LinePrompter prompter("740-cli program", kv::base::Answer::No);
    NoShell shell;
    con::HeadlessDialogs dialogs(prompter);
    ConnectionDeadline* loop = nullptr;
    auto makeLink = [&loop, &options] {
        auto timer = std::make_unique<ConnectionDeadline>(std::chrono::seconds(options.Timeout));
        loop = timer.get();
        auto link = std::make_unique<kv::link::TComms>(std::make_unique<kv::link::PosixPort>(), std::move(timer));
        loop->Watch(*link);
        return link;
    };
    con::Console console({prompter, shell, dialogs, makeLink, dir}, con::text::UtilityTitle, {});
    console.FileName = fs::absolute(options.File);

    // Every message once as it comes (the blocks' repeats aside); an attempt names its settings.
    std::string last;
    console.OnProgressMessage = [&](const std::string& message) {
        if (message == last) return;
        last = message;
        namespace msg = kv::link::msg;
        if (message == msg::Wait || message == msg::NoResponse || message == msg::NoPort)
            std::cout << console.AttemptSettings() << ": ";
        std::cout << message << std::endl;
        if (message == msg::Incompatible) std::cout << IncompatibleDetail(*console.Link()) << std::endl;
        if (message == msg::NoResponse && loop->TakeRunningApplication())
            std::cout << RunningApplicationLine << std::endl;
    };
    console.FormShow();
    std::cout << console.Caption << "\n" << console.PanelInfo << std::endl;
    if (!console.Enabled(con::Command::Download)) return 1;
    if (!console.SerialNumber.TagEnabled && options.Tag)
        std::cout << "The image has no unit tag item: tags are not written" << std::endl;

    const size_t count = units.size();
    con::ProductionRun run(console, dialogs, [&loop] { loop->Run(); });
    run.BeforeUnit = [&](size_t index, const con::UnitEntry& unit) {
        if (options.Yes) return true;
        std::cout << "Connect unit " << index + 1 << " of " << count << " (serial " << unit.Serial
                  << ") and press Enter" << std::endl;
        std::string line;
        return static_cast<bool>(std::getline(std::cin, line));
    };
    run.OnResult = [&](size_t index, const con::UnitResult& result) {
        // A refused tag never reaches the form: name the one that was given.
        const bool given = result.Unit.Tag && console.SerialNumber.TagEnabled;
        std::cout << "Unit " << index + 1 << " of " << count << ", serial " << result.Unit.Serial << ", tag "
                  << (given ? *result.Unit.Tag : console.SerialNumber.Tag) << ": " << result.Outcome << std::endl;
        last.clear();
    };
    const auto results = run.Run(units, options.KeepGoing);
    const size_t complete = static_cast<size_t>(
        std::count_if(results.begin(), results.end(), [](const con::UnitResult& r) { return r.Complete; }));
    if (count > 1)
        std::cout << "Programmed " << complete << " of " << count << " units, " << results.size() - complete
                  << " failed, " << count - results.size() << " not attempted" << std::endl;
    return complete == count ? 0 : 1;
}

}  // namespace

void AddProgramCommand(CLI::App& app, int& status) {
    CLI::App* command = NewCommand(
        app, "program",
        "Loads the application file FILE (.apx or .apl) into WORKDIR as 740-lite does, then\n"
        "programs the unit: writes its serial number and tag (when the image has a unit tag item),\n"
        "finds the port and line settings on which it answers (COM1..COM9; parity ODD, EVEN, NONE;\n"
        "38400 to 2400 baud) and downloads the image, printing every progress message. Exit status 0\n"
        "exactly when every unit completes. Batch: --serials programs one unit per serial number, a\n"
        "CSV file one per line \"serial,tag\" (\"#\" comments; --tag fills missing tags); each unit is\n"
        "confirmed with Enter (or --yes), one result line is printed per unit and a summary at the\n"
        "end. The batch stops at the first unit that fails unless --keep-going.");
    auto options = std::make_shared<ProgramOptions>();
    command->add_option("FILE", options->File, "The application file")->required()->check(FilePath);
    command->add_option("--serial", options->Serial, "The serial number")->type_name("NNNNNN")->default_str(con::text::FirstSerial);
    command->add_option("--serials", options->Serials, "One unit per serial number")->type_name("FIRST..LAST");
    command->add_option("--serials-file", options->SerialsFile, "One unit per line \"serial,tag\"")
        ->type_name("CSV")
        ->check(FilePath);
    command->add_option("--tag", options->Tag, "The unit tag")->type_name("TEXT")->default_str(con::text::FirstTag);
    command->add_option("--dir", options->Dir, "The working directory")->type_name("WORKDIR")->check(ExistingFolder);
    command->add_flag("--yes", options->Yes, "Programs each unit without waiting for Enter");
    command->add_flag("--keep-going", options->KeepGoing, "Goes on after a unit that fails");
    AddTimeoutOption(*command, options->Timeout);
    command->callback([options, &status] { status = Program(*options); });
}

}  // namespace cli
