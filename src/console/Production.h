#pragma once
// Programming one unit after another from the same load, without windows (740-cli program).
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "HeadlessDialogs.h"

namespace kv::console {

// "000101..000105": every serial number from the first to the last, each with `tag`.
// Throws std::invalid_argument naming what is wrong.
std::vector<UnitEntry> SerialRange(const std::string& range, const std::optional<std::string>& tag);

// One unit per line, "serial,tag" (the tag may be left out); blank lines and lines beginning with
// "#" are skipped. Throws std::invalid_argument naming the line.
std::vector<UnitEntry> ReadUnitList(std::istream& in);

struct UnitResult {
    UnitEntry Unit;
    std::string Outcome;  // the console's last panel text, or why the serial number was refused
    bool Complete = false;
};

class ProductionRun {
  public:
    // `runLink` drives the link's timer until the download has ended.
    ProductionRun(Console& console, HeadlessDialogs& dialogs, std::function<void()> runLink)
        : TheConsole(console), Dialogs(dialogs), RunLink(std::move(runLink)) {}

    // Asked before each unit after the first (the operator connects it); false stops the run.
    std::function<bool(size_t index, const UnitEntry& unit)> BeforeUnit;
    std::function<void(size_t index, const UnitEntry& unit)>
        OnStart;  // once the operator has confirmed
    std::function<void(size_t index, const UnitResult& result)> OnResult;

    UnitResult ProgramUnit(const UnitEntry& unit);
    // Stops at the first unit that does not complete unless `keepGoing`.
    std::vector<UnitResult> Run(const std::vector<UnitEntry>& units, bool keepGoing);

  private:
    Console& TheConsole;
    HeadlessDialogs& Dialogs;
    std::function<void()> RunLink;
};

}  // namespace kv::console
