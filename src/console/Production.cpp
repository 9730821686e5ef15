#include "Production.h"

#include <algorithm>
#include <stdexcept>

#include "link/Messages.h"

namespace kv::console {

namespace {

bool SixDigits(const std::string& text) {
    return text.size() == 6 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::vector<UnitEntry> SerialRange(const std::string& range,
                                   const std::optional<std::string>& tag) {
    const size_t dots = range.find("..");
    const std::string first = dots == std::string::npos ? "" : range.substr(0, dots);
    const std::string last = dots == std::string::npos ? "" : range.substr(dots + 2);
    if (!SixDigits(first) || !SixDigits(last))
        throw std::invalid_argument("serial range \"" + range +
                                    "\" is not FIRST..LAST with six digits each");
    const int from = std::stoi(first), to = std::stoi(last);
    if (from > to) throw std::invalid_argument("serial range \"" + range + "\" runs backwards");
    std::vector<UnitEntry> units;
    for (int n = from; n <= to; ++n) {
        std::string serial = std::to_string(n);
        units.push_back({std::string(6 - serial.size(), '0') + serial, tag});
    }
    return units;
}

std::vector<UnitEntry> ReadUnitList(std::istream& in) {
    std::vector<UnitEntry> units;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string content = Trim(line);
        if (content.empty() || content[0] == '#') continue;
        const size_t comma = content.find(',');
        UnitEntry unit{Trim(content.substr(0, comma)), std::nullopt};
        if (comma != std::string::npos) unit.Tag = Trim(content.substr(comma + 1));
        if (!SixDigits(unit.Serial))
            throw std::invalid_argument("line " + std::to_string(number) + ": \"" + unit.Serial +
                                        "\" is not a six-digit serial number");
        units.push_back(unit);
    }
    return units;
}

UnitResult ProductionRun::ProgramUnit(const UnitEntry& unit) {
    UnitResult result{unit, "", false};
    if (!TheConsole.Enabled(Command::Download)) {
        result.Outcome = TheConsole.PanelInfo;
        return result;
    }
    Dialogs.Units = {unit};
    TheConsole.ActionDownloadExecute();
    if (!Dialogs.Refusal.empty()) {
        result.Outcome = Dialogs.Refusal;
        return result;
    }
    RunLink();
    result.Outcome = TheConsole.PanelInfo;
    result.Complete = result.Outcome == link::msg::Complete;
    return result;
}

std::vector<UnitResult> ProductionRun::Run(const std::vector<UnitEntry>& units, bool keepGoing) {
    std::vector<UnitResult> results;
    for (size_t i = 0; i < units.size(); ++i) {
        if (i > 0 && BeforeUnit && !BeforeUnit(i, units[i])) break;
        if (OnStart) OnStart(i, units[i]);
        results.push_back(ProgramUnit(units[i]));
        if (OnResult) OnResult(i, results.back());
        if (!results.back().Complete && !keepGoing) break;
    }
    return results;
}

}  // namespace kv::console
