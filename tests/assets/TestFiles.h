#pragma once
// Paths of the build's outputs and file helpers for the asset tests.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kv::assets::testing {

inline const std::filesystem::path BuildDir = KV740_BUILD_DIR;
inline const std::filesystem::path SourceDir = KV740_SOURCE_DIR;
inline const std::filesystem::path DemoInstall = BuildDir / "demo-install";

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace kv::assets::testing
