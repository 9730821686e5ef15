#include "Args.h"

namespace cli {

Args::Args(const std::vector<std::string>& words, const std::set<std::string>& valued,
           const std::set<std::string>& flags) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.rfind("--", 0) != 0 || w == "--") {
            Words.push_back(w);
            continue;
        }
        std::string name = w.substr(2);
        std::string value;
        bool inlineValue = false;
        if (auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            inlineValue = true;
        }
        if (valued.count(name)) {
            if (!inlineValue) {
                if (i + 1 >= words.size()) throw UsageError("option --" + name + " needs a value");
                value = words[++i];
            }
            Values[name] = value;
        } else if (flags.count(name) && !inlineValue) {
            Flags.insert(name);
        } else {
            throw UsageError("unknown option --" + name);
        }
    }
}

std::optional<std::string> Args::Value(const std::string& name) const {
    auto it = Values.find(name);
    if (it == Values.end()) return std::nullopt;
    return it->second;
}

std::string Args::Value(const std::string& name, const std::string& fallback) const {
    return Value(name).value_or(fallback);
}

long Args::Number(const std::string& name, long fallback) const {
    auto v = Value(name);
    if (!v) return fallback;
    try {
        size_t used = 0;
        long n = std::stol(*v, &used, 0);
        if (used == v->size()) return n;
    } catch (const std::exception&) {
    }
    throw UsageError("option --" + name + " needs a number, not \"" + *v + "\"");
}

}  // namespace cli
