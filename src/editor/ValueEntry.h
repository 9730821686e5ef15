#pragma once
// Value entry: the key filters of the value, tag, printer text and factor fields, and the value
// check run when a number is put into the version table. Numbers use "." whatever the locale.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/Prompter.h"

namespace kv::store {
class Dataset;
class Field;
}  // namespace kv::store

namespace kv::editor {

// Keys as the filters see them.
inline constexpr char KeyBackspace = '\b';
inline constexpr char KeyTab = '\t';
inline constexpr char KeyEnter = '\r';

// The value fields (DBEditDefaultValueKeyPress): `text` is the field's text, `caret` the number
// of characters before the caret, `selection` the length of the selected text, `type` the
// item's Type. False: the key is dropped (the caller beeps).
bool ValueKeyPasses(char key, std::string_view text, int caret, int selection,
                    std::string_view type);
// Editable user tags and the user message field (TagsKeyPress).
bool TagKeyPasses(char key);
// The printer text grid (PrintTextKeyPress).
bool PrintTextKeyPasses(char key);
// The factor grid (FrameOptionsFactorsDBGridFactorsKeyPress).
bool FactorKeyPasses(char key);

// Why a value is refused: the warning shown first and the error text that follows.
struct ValueRefusal {
    std::string Warning;
    std::string Error;
};

// Whether a whole text, pasted at once, fits a field's edit mask: "9999" takes up to four digits;
// no mask takes anything.
bool FitsEditMask(std::string_view text, std::string_view editMask);

// The value check of a value against the item's limits; the limits are inclusive, and the edit
// mask "9999" takes 0 as the lower limit. Nullopt: the value is taken.
std::optional<ValueRefusal> CheckValue(std::string_view value, std::string_view lowLimit,
                                       std::string_view highLimit, std::string_view editMask = {});

// The refusal of a value; what() is the error text ("Text error", ...).
class ValueError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ValueCheckSite {
    base::Prompter& Prompter;
    // The item whose LowLimit and HighLimit bound the value (the current record of TableVersion).
    store::Dataset& Item;
    // Whether the page shown has the options frame with the value field or the factor grid.
    std::function<bool()> PageChecksValues;
};

// ValidateValue: runs the check on the value being put into `field`; on a refusal beeps, shows
// the warning and throws ValueError with the error text.
void ValidateValue(const store::Field& field, const ValueCheckSite& site);

// Installs ValidateValue on DefaultValue of the version table and on LowLimit and HighLimit
// of the factors view (at every table switch).
void InstallValueChecks(store::Dataset& version, store::Dataset& factors, ValueCheckSite site);

}  // namespace kv::editor
