#include "CliSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "CommandLine.h"
#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "assets/Resources.h"
#include "store/FileAccess.h"
#include "store/Table.h"

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

std::string IncompatibleDetail(const kv::link::TComms& link) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "The unit reported model 0x%02X class %u; the image accepts models 0x%02X, class "
                  "%d or higher",
                  link.DecodedFrame[2], link.DecodedFrame[3], link.ModelMask, link.MinClass);
    return text;
}

std::filesystem::path DefaultInstallation() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path own = fs::read_symlink("/proc/self/exe", error).parent_path().parent_path();
    if (!error && fs::exists(own / "dbs" / "default", error)) return own;
    return KV740_DEMO_INSTALL;
}

void EnterInstallation(const std::filesystem::path& install) {
    std::error_code error;
    std::filesystem::current_path(install / "bin", error);
    if (error) throw Failure("no installation at \"" + install.string() + "\"");
}

ScratchOptions::ScratchOptions(const std::string& model) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "kv740-options-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch directory");
    dir_ = pattern;
    const auto resource = model == "746" ? kv::assets::Resource::FileOptions746
                                         : kv::assets::Resource::FileOptions758;
    kv::assets::WriteResource(resource, dir_);
    path_ = (dir_ / kv::assets::ResourceFileName(resource)).string();
    kv::assets::AppendUnitRows(path_);
}

ScratchOptions::~ScratchOptions() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::string CsvField(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void RequireVersionTable(const kv::catalogue::VersionName& version) {
    const std::string table = kv::catalogue::VersionTablePath(version);
    if (kv::store::Table::Exists(table)) return;
    throw Failure(
        "the version table of " + version.Text() + " does not exist (" +
        std::filesystem::absolute(kv::store::NativePath(table)).lexically_normal().string() + ")");
}

}  // namespace cli
