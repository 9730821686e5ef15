#pragma once
// Card and software identity: which application, memory layout and logger an image links,
// the lowest unit class it needs and the hardware it fits.
#include <string>

namespace kv::builder {

// The selection and the hardware choice a build is made for.
struct Target {
    std::string Model;             // selection record's Model slot: "746" or "758"
    std::string Pack;              // "FP01"
    bool OriginalEnabled = false;  // ActionOriginal enabled: model 758 is selected
    bool OriginalChecked = false;  // ActionOriginal checked: original 758 hardware chosen

    // A target as the catalogue sets it up: the hardware choice exists for model 758 only.
    static Target For(std::string model, std::string pack, bool original);
};

bool IsOriginalCard(const Target& target);
bool IsModel746(const Target& target);

// "AppPack_" + model + "_" + pack.
std::string ApplicationName(const std::string& model, const std::string& pack);

// "NvrType0" for the small memory map (model 746, original 758 hardware), else "NvrType1".
std::string MemoryType(const Target& target);
// The linker script of the same memory map: "H8S-2144.cmd" or "H8S-2145.cmd".
std::string LinkerScript(const Target& target);

bool IsBatchPack(const std::string& pack);
bool IsLoadPack(const std::string& pack);
bool IsJumboLogging(const std::string& pack);

std::string GetLogType(const std::string& pack, const std::string& applicationName);
std::string GetCardNumber(const std::string& applicationName, bool originalChecked);
// `text` is the application name in a build and the version name in the catalogue.
std::string GetCardClass(const std::string& text);
std::string GetSoftwareType();

// Text of the main window's status bar panel 0 for a model.
std::string RevisionText(const std::string& model);

}  // namespace kv::builder
