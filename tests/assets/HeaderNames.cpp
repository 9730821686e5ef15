#include "HeaderNames.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace kv::assets::testing {

namespace {

std::string StripComments(const std::string& text) {
    static const std::regex comments(R"(/\*[\s\S]*?\*/|//[^\n]*)");
    return std::regex_replace(text, comments, " ");
}

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r\n");
    const size_t e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

}  // namespace

HeaderNames::HeaderNames(const std::filesystem::path& header) {
    std::ifstream in(header);
    std::stringstream buffer;
    buffer << in.rdbuf();
    text_ = buffer.str();
    const std::string code = StripComments(text_);

    static const std::regex enumBlock(R"(typedef\s+enum\s*\{([^}]*)\}\s*(\w+)\s*;)");
    for (std::sregex_iterator it(code.begin(), code.end(), enumBlock), end; it != end; ++it) {
        Enumeration e{(*it)[2], {}};
        long next = 0;
        std::stringstream body((*it)[1].str());
        std::string entry;
        while (std::getline(body, entry, ',')) {
            entry = Trim(entry);
            if (entry.empty()) continue;
            const size_t eq = entry.find('=');
            const std::string name = Trim(entry.substr(0, eq));
            if (eq != std::string::npos) next = std::stol(Trim(entry.substr(eq + 1)), nullptr, 0);
            e.Values.emplace_back(name, next);
            values_[name] = next;
            ++next;
        }
        enumerations_.push_back(std::move(e));
    }
    static const std::regex define(R"(#define[ \t]+(\w+)[ \t]+(\w+))");
    for (std::sregex_iterator it(code.begin(), code.end(), define), end; it != end; ++it)
        macros_[(*it)[1]] = (*it)[2];
}

const Enumeration& HeaderNames::EnumerationNamed(const std::string& name) const {
    for (const Enumeration& e : enumerations_)
        if (e.Name == name) return e;
    throw std::runtime_error("no enumeration " + name);
}

std::optional<long> HeaderNames::Value(const std::string& name) const {
    if (auto it = values_.find(name); it != values_.end()) return it->second;
    if (auto it = macros_.find(name); it != macros_.end()) {
        if (std::isdigit(static_cast<unsigned char>(it->second[0])))
            return std::stol(it->second, nullptr, 0);
        return Value(it->second);
    }
    return std::nullopt;
}

}  // namespace kv::assets::testing
