#pragma once
// The firmware asset set, embedded into the program at build time byte for byte: for each
// model a header, a firmware library and an option table, and the two linker scripts.
#include <string_view>

namespace kv::assets {

enum class Resource {
    FileHeader746,   // "746-ggui.h"
    FileHeader758,   // "758-ggui.h"
    FileLinker0,     // "H8S-2144.cmd", the small memory map
    FileLinker1,     // "H8S-2145.cmd", the large memory map
    FileOptions746,  // "746-opts.db"
    FileOptions758,  // "758-opts.db"
    FileLib746,      // "lib746.a"
    FileLib758,      // "lib758.a"
};

// The order in which start-up writes them.
inline constexpr Resource StartupResources[] = {
    Resource::FileHeader746, Resource::FileHeader758,  Resource::FileLinker0,
    Resource::FileLinker1,   Resource::FileOptions746, Resource::FileOptions758,
    Resource::FileLib746,    Resource::FileLib758,
};

std::string_view ResourceData(Resource resource);
std::string_view ResourceFileName(Resource resource);

}  // namespace kv::assets
