#include "catalogue/FilterBox.h"

namespace kv::catalogue {

const char* SelectionRecord::NameOf(Slot slot) {
    static constexpr std::array<const char*, SlotCount> names = {
        "Pack",   "Model", "Button", "Customer", "Version",   "FileName",
        "Manual", "Brief", "Note",   "Class",    "Model-Pack"};
    return names[static_cast<size_t>(slot)];
}

void SelectionRecord::Reset() {
    for (size_t i = 0; i < SlotCount; ++i) slots_[i] = {NameOf(static_cast<Slot>(i)), false};
}

bool SelectionRecord::Passes(const std::string& button, const std::string& model,
                             const std::string& pack, const std::string& code) const {
    auto holds = [this](Slot slot, const std::string& value) {
        return !Flag(slot) || value == Text(slot);
    };
    if (!holds(Slot::Pack, pack) || !holds(Slot::Model, model) || !holds(Slot::Customer, code))
        return false;
    // A record may list several categories in its Button field.
    return !Flag(Slot::Button) || button.find(Text(Slot::Button)) != std::string::npos;
}

}  // namespace kv::catalogue
