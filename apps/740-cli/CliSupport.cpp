#include "CliSupport.h"

#include <iostream>

namespace cli {

kv::base::Answer LinePrompter::Show(const std::string& text, kv::base::MessageKind kind,
                                    kv::base::Buttons buttons) {
    static const char* const kinds[] = {"Warning", "Error", "Information", "Confirmation"};
    std::cerr << Prefix << ": " << kinds[static_cast<int>(kind)] << ": " << text << std::endl;
    if (buttons == kv::base::Buttons::Ok) return kv::base::Answer::Ok;
    if (buttons == kv::base::Buttons::OkCancel)
        return Question == kv::base::Answer::Yes ? kv::base::Answer::Ok : kv::base::Answer::Cancel;
    return Question;
}

std::filesystem::path DefaultInstallation() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path own = fs::read_symlink("/proc/self/exe", error).parent_path().parent_path();
    if (!error && fs::exists(own / "dbs" / "default", error)) return own;
    return KV740_DEMO_INSTALL;
}

}  // namespace cli
