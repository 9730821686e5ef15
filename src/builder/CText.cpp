#include "builder/CText.h"

#include <cstdio>

namespace kv::builder {

std::string EscapeC(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '?' && i > 0 && text[i - 1] == '?') {
            out += "\\?";  // never a trigraph
        } else if (c < 0x20 || c == 0x7f) {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o",
                          c);  // three digits: no digit that follows can join it
            out += octal;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string CommentText(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            c = ' ';
        else if (c == '\\')
            c = '/';
    }
    return out;
}

}  // namespace kv::builder
