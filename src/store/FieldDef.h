#pragma once
// Field types of Paradox 7 tables and their text form inside the program.
#include <string>
#include <string_view>
#include <vector>

namespace kv::store {

// Values are the type bytes of the file format.
enum class FieldType : unsigned char {
    Alpha = 0x01,      // text of 1..255 characters, "" when blank
    Date = 0x02,       // "yyyy-mm-dd"
    Short = 0x03,      // 16-bit integer
    Long = 0x04,       // 32-bit integer
    Currency = 0x05,   // number
    Number = 0x06,     // double, "." as decimal separator
    Logical = 0x09,    // "True" or "False"
    Time = 0x14,       // "hh:mm:ss" or "hh:mm:ss.zzz"
    Timestamp = 0x15,  // "yyyy-mm-dd hh:mm:ss" or with ".zzz"
    AutoInc = 0x16,    // 32-bit integer
};

struct FieldDef {
    std::string Name;
    FieldType Type = FieldType::Alpha;
    int Size = 0;  // characters of an alphanumeric field; 0 for the other types

    static FieldDef Alpha(std::string name, int size) {
        return {std::move(name), FieldType::Alpha, size};
    }
    static FieldDef Of(std::string name, FieldType type) { return {std::move(name), type, 0}; }
    bool operator==(const FieldDef&) const = default;
};

using FieldDefs = std::vector<FieldDef>;

// "alphanumeric", "date", ...: for messages.
std::string TypeName(FieldType type);

// The letter codes of the table designers: "A20" (or "A" with a size given apart), "D", "I",
// "S", "N", "$", "L", "T", "@", "+". Throws StoreError on an unknown code.
FieldDef ParseFieldDef(std::string name, std::string_view code);

// Bytes one value takes in a record.
int ByteSize(const FieldDef& field);

// Text of a stored value; "" for a blank value.
std::string DecodeField(const FieldDef& field, const unsigned char* raw);

// Stores a text; "" makes the value blank. Throws StoreError (without a file) when the text
// does not fit, cannot be encoded or is not a value of the field's type.
void EncodeField(const FieldDef& field, std::string_view text, unsigned char* raw);

}  // namespace kv::store
