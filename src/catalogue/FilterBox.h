#pragma once
// The selection record: what the catalogue has chosen (model, category, pack, version) and the
// file names derived from it, each slot a text and a flag.
#include <array>
#include <string>

namespace kv::catalogue {

enum class Slot {
    Pack,
    Model,
    Button,
    Customer,
    Version,
    FileName,
    Manual,
    Brief,
    Note,
    Class,
    ModelPack
};
inline constexpr size_t SlotCount = 11;

struct SlotValue {
    std::string Text;
    bool Flag = false;
};

class SelectionRecord {
  public:
    // Every slot's text is its own name, every flag off.
    SelectionRecord() { Reset(); }
    void Reset();

    SlotValue& operator[](Slot slot) { return slots_[static_cast<size_t>(slot)]; }
    const SlotValue& operator[](Slot slot) const { return slots_[static_cast<size_t>(slot)]; }
    const std::string& Text(Slot slot) const { return (*this)[slot].Text; }
    bool Flag(Slot slot) const { return (*this)[slot].Flag; }

    // "Pack", "Model", ..., "Model-Pack".
    static const char* NameOf(Slot slot);

    // The record test of the catalogue: whether a pack record with these fields is listed.
    bool Passes(const std::string& button, const std::string& model, const std::string& pack,
                const std::string& code) const;

  private:
    std::array<SlotValue, SlotCount> slots_;
};

}  // namespace kv::catalogue
