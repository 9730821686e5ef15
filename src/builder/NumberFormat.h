#pragma once
// Numbers as the generated source writes them and as the tables hold them.
#include <optional>
#include <string>
#include <string_view>

namespace kv::builder {

// Scientific notation with eight significant digits and an exponent of at least two digits,
// always with a point: 101325 -> "1.0132500E+05". Halves are rounded away from zero.
std::string FormatNumber(double value);

// Reads a decimal number as the tables write it: blanks around it, an optional sign, digits
// with an optional point, an optional exponent. Empty when the text is anything else or the
// value does not fit a double.
std::optional<double> ReadNumber(std::string_view text);

}  // namespace kv::builder
