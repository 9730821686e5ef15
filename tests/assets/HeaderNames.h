#pragma once
// The names a model header declares, read from its text: the enumerators of its four
// enumerations with their values, and its macros.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kv::assets::testing {

struct Enumeration {
    std::string Name;                                  // "EN_DATA_TYPE"
    std::vector<std::pair<std::string, long>> Values;  // in declaration order
};

class HeaderNames {
  public:
    explicit HeaderNames(const std::filesystem::path& header);

    const std::vector<Enumeration>& Enumerations() const { return enumerations_; }
    const Enumeration& EnumerationNamed(const std::string& name) const;
    // Value of an enumerator, or of a macro that names one (or a number).
    std::optional<long> Value(const std::string& name) const;
    bool Declares(const std::string& name) const { return Value(name).has_value(); }
    const std::map<std::string, std::string>& Macros() const { return macros_; }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
    std::vector<Enumeration> enumerations_;
    std::map<std::string, long> values_;
    std::map<std::string, std::string> macros_;
};

}  // namespace kv::assets::testing
