#include "builder/Identity.h"

#include <initializer_list>
#include <utility>

namespace kv::builder {

namespace {

bool Has(const std::string& text, const char* code) {
    return text.find(code) != std::string::npos;
}

bool HasAny(const std::string& text, std::initializer_list<const char*> codes) {
    for (const char* code : codes)
        if (Has(text, code)) return true;
    return false;
}

}  // namespace

Target Target::For(std::string model, std::string pack, bool original) {
    const bool enabled = model == "758";
    return {std::move(model), std::move(pack), enabled, enabled && original};
}

bool IsOriginalCard(const Target& t) {
    return t.OriginalEnabled && t.OriginalChecked;
}

bool IsModel746(const Target& t) {
    return t.Model == "746";
}

std::string ApplicationName(const std::string& model, const std::string& pack) {
    return "AppPack_" + model + "_" + pack;
}

std::string MemoryType(const Target& t) {
    return !t.OriginalEnabled || t.OriginalChecked ? "NvrType0" : "NvrType1";
}

std::string LinkerScript(const Target& t) {
    return MemoryType(t) == "NvrType0" ? "H8S-2144.cmd" : "H8S-2145.cmd";
}

bool IsBatchPack(const std::string& pack) {
    return HasAny(pack, {"BC", "BF", "BR", "CB", "BS", "BT"});
}

bool IsLoadPack(const std::string& pack) {
    return HasAny(pack, {"LC", "LP"});
}

bool IsJumboLogging(const std::string& pack) {
    return HasAny(pack, {"OC", "AC"});
}

std::string GetLogType(const std::string& pack, const std::string& applicationName) {
    if (IsJumboLogging(pack)) return "LogType2";
    if (IsLoadPack(pack)) return "LogType3";
    if (IsBatchPack(pack)) return "LogType1";
    if (Has(applicationName, "LK") && Has(applicationName, "758")) return "LogType1";
    return "LogType0";
}

std::string GetCardNumber(const std::string& applicationName, bool originalChecked) {
    if (Has(applicationName, "746")) return "12";
    return originalChecked ? "01" : "18";
}

std::string GetCardClass(const std::string& text) {
    static const std::pair<const char*, const char*> classes[] = {
        {"FC", "01"}, {"FG", "01"}, {"FP", "02"}, {"FT", "02"}, {"AC", "02"}, {"GI", "02"},
        {"GC", "02"}, {"GT", "02"}, {"GN", "03"}, {"SC", "02"}, {"SH", "02"}, {"ST", "02"},
        {"TS", "01"}, {"FO", "01"}, {"CR", "02"}, {"MP", "03"}, {"FA", "01"}, {"BC", "01"},
        {"PP", "03"}, {"HC", "02"}, {"FN", "03"}, {"BF", "03"}, {"DH", "01"}, {"HD", "01"},
        {"BR", "03"}, {"CB", "03"}, {"BS", "02"}, {"DP", "03"}, {"DG", "03"}, {"OC", "03"},
        {"BT", "03"}, {"CS", "03"}, {"LC", "04"}, {"LP", "04"}, {"NC", "03"},
    };
    for (const auto& [code, cardClass] : classes)
        if (Has(text, code)) return cardClass;
    if (Has(text, "LM") && Has(text, "746")) return "01";
    if (Has(text, "LK") && Has(text, "758")) return "03";
    if (Has(text, "CD")) return "03";
    return "00";
}

std::string GetSoftwareType() {
    return "740-PM Software";
}

std::string RevisionText(const std::string& model) {
    return model == "746" ? "Revision: 2.8.8.5" : "Revision: 3.0.201";
}

}  // namespace kv::builder
