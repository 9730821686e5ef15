#pragma once
// Texts are UTF-8 inside the program and Windows-1252 in the table files.
#include <optional>
#include <string>
#include <string_view>

namespace kv::store {

// The five bytes that Windows-1252 leaves undefined map to the C1 controls of the same
// number, as the Windows conversion does, so every byte round-trips.
std::string Cp1252ToUtf8(std::string_view bytes);

// Empty result when the text is not valid UTF-8 or holds a character outside the code page.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

// Case folding for comparisons that ignore case: ASCII and the letters of the code page.
std::string FoldCase(std::string_view utf8);

}  // namespace kv::store
