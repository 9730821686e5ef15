// 740-cli program: the utility's road without windows, for one unit or a production batch.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "Args.h"
#include "CliSupport.h"
#include "Commands.h"
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

std::vector<con::UnitEntry> UnitsFrom(const Args& args) {
    const auto serial = args.Value("serial"), range = args.Value("serials"), file = args.Value("serials-file");
    const auto tag = args.Value("tag");
    if (!!serial + !!range + !!file > 1) throw UsageError("give only one of --serial, --serials and --serials-file");
    std::vector<con::UnitEntry> units;
    try {
        if (range) {
            units = con::SerialRange(*range, tag);
        } else if (file) {
            std::ifstream in(*file);
            if (!in) throw UsageError("cannot read \"" + *file + "\"");
            units = con::ReadUnitList(in);
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

}  // namespace

int RunProgram(const Words& words) {
    Args args(words, {"serial", "tag", "dir", "serials", "serials-file"}, {"yes", "keep-going"});
    if (args.Positional().size() != 1) throw UsageError("one application FILE expected");
    const std::vector<con::UnitEntry> units = UnitsFrom(args);
    const fs::path dir = args.Value("dir", ".");
    if (!fs::is_directory(dir)) throw UsageError("working directory \"" + dir.string() + "\" does not exist");

    LinePrompter prompter("740-cli program", kv::base::Answer::No);
    NoShell shell;
    con::HeadlessDialogs dialogs(prompter);
    kv::link::LoopTimer* loop = nullptr;
    auto makeLink = [&loop] {
        auto timer = std::make_unique<kv::link::LoopTimer>();
        loop = timer.get();
        return std::make_unique<kv::link::TComms>(std::make_unique<kv::link::PosixPort>(), std::move(timer));
    };
    con::Console console({prompter, shell, dialogs, makeLink, dir}, con::text::UtilityTitle, {});
    console.FileName = fs::absolute(args.Positional()[0]);

    // Every message once as it comes (the blocks' repeats aside); an attempt names its settings.
    std::string last;
    console.OnProgressMessage = [&](const std::string& message) {
        if (message == last) return;
        last = message;
        namespace msg = kv::link::msg;
        const kv::link::TComms& link = *console.Link();
        if (message == msg::Wait || message == msg::NoResponse || message == msg::NoPort)
            std::cout << link.PortName << " " << link.Baud << " " << link.ParityName << ": ";
        std::cout << message << std::endl;
    };
    console.FormShow();
    std::cout << console.Caption << "\n" << console.PanelInfo << std::endl;
    if (!console.Enabled(con::Command::Download)) return 1;
    if (!console.SerialNumber.TagEnabled && args.Value("tag"))
        std::cout << "The image has no unit tag item: tags are not written" << std::endl;

    const size_t count = units.size();
    con::ProductionRun run(console, dialogs, [&loop] { loop->Run(); });
    run.BeforeUnit = [&](size_t index, const con::UnitEntry& unit) {
        if (args.Flag("yes")) return true;
        std::cout << "Connect unit " << index + 1 << " of " << count << " (serial " << unit.Serial
                  << ") and press Enter" << std::endl;
        std::string line;
        return static_cast<bool>(std::getline(std::cin, line));
    };
    run.OnResult = [&](size_t index, const con::UnitResult& result) {
        std::cout << "Unit " << index + 1 << " of " << count << ", serial " << result.Unit.Serial << ", tag "
                  << console.SerialNumber.Tag << ": " << result.Outcome << std::endl;
        last.clear();
    };
    const auto results = run.Run(units, args.Flag("keep-going"));
    const size_t complete = static_cast<size_t>(
        std::count_if(results.begin(), results.end(), [](const con::UnitResult& r) { return r.Complete; }));
    if (count > 1)
        std::cout << "Programmed " << complete << " of " << count << " units, " << results.size() - complete
                  << " failed, " << count - results.size() << " not attempted" << std::endl;
    return complete == count ? 0 : 1;
}

}  // namespace cli
