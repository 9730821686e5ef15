#pragma once
// Command-line words of one 740-cli command: positionals, "--name value" options and flags.
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Args {
public:
    // `valued` names the options that take a value; any other "--name" is a flag.
    Args(const std::vector<std::string>& words, const std::set<std::string>& valued,
         const std::set<std::string>& flags);
    const std::vector<std::string>& Positional() const { return Words; }
    std::optional<std::string> Value(const std::string& name) const;
    std::string Value(const std::string& name, const std::string& fallback) const;
    long Number(const std::string& name, long fallback) const;
    bool Flag(const std::string& name) const { return Flags.count(name) != 0; }

private:
    std::vector<std::string> Words;
    std::map<std::string, std::string> Values;
    std::set<std::string> Flags;
};

}  // namespace cli
