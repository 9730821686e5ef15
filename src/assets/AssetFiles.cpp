#include "assets/AssetFiles.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace kv::assets {

void WriteResource(Resource resource, const std::filesystem::path& directory) {
    const std::filesystem::path file = directory / ResourceFileName(resource);
    const std::string_view data = ResourceData(resource);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) throw std::runtime_error("Cannot write " + file.string());
}

void WriteAssets(const std::filesystem::path& directory) {
    for (Resource resource : StartupResources) WriteResource(resource, directory);
}

bool ActivateModel(std::string_view model, const std::filesystem::path& directory) {
    const std::string m(model);
    const std::pair<std::string, std::string> copies[] = {{m + "-ggui.h", "740-ggui.h"},
                                                          {"lib" + m + ".a", "lib740.a"},
                                                          {m + "-opts.db", "740-opts.db"}};
    bool all = true;
    for (const auto& [from, to] : copies) {
        std::error_code error;
        std::filesystem::copy_file(directory / from, directory / to,
                                   std::filesystem::copy_options::overwrite_existing, error);
        all = all && !error;
    }
    return all;
}

}  // namespace kv::assets
