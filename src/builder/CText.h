#pragma once
// Table texts inside the generated C++ source.
#include <string>
#include <string_view>

namespace kv::builder {

// The text as the body of a C string literal (without the quotes): the compiled string holds
// exactly the stored text, whatever quotes, backslashes or control characters it contains.
std::string EscapeC(std::string_view text);

// The text as the rest of a "//" line comment: control characters become spaces and
// backslashes slashes, so that the comment can neither end early nor swallow the next line.
std::string CommentText(std::string_view text);

}  // namespace kv::builder
