#pragma once
// Dialog answers for runs without windows: each serial number dialog takes the next unit's values
// and closes only if the dialog's own checks accept them.
#include <deque>
#include <optional>
#include <string>

#include "Console.h"

namespace kv::console {

struct UnitEntry {
    std::string Serial;
    std::optional<std::string> Tag;  // none: the value the dialog starts from
};

class HeadlessDialogs : public ConsoleDialogs {
  public:
    explicit HeadlessDialogs(base::Prompter& prompter) : Prompter(prompter) {}

    std::deque<UnitEntry> Units;
    // Why the last serial number dialog did not close with OK; empty when it did.
    std::string Refusal;

    std::optional<std::filesystem::path> ExecuteOpen() override { return std::nullopt; }
    bool ExecuteSerialNumber(SerialNumberForm& form) override;
    bool ExecuteSavePack(SavePackForm&) override { return false; }

  private:
    base::Prompter& Prompter;
};

}  // namespace kv::console
