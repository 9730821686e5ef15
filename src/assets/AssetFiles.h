#pragma once
// The asset files in the working directory: written out at start-up, copied to the generic
// names "740-ggui.h", "lib740.a" and "740-opts.db" when a model is chosen.
#include <filesystem>
#include <string_view>

#include "assets/Resources.h"

namespace kv::assets {

// Writes the resource byte for byte to its file in `directory` (the current directory when
// empty), replacing a file of that name. Throws std::runtime_error naming the file on failure.
void WriteResource(Resource resource, const std::filesystem::path& directory = {});

// All eight, in start-up order; the first failure stops and passes to the caller.
void WriteAssets(const std::filesystem::path& directory = {});

// Copies the model's header, library and option table ("746" or "758") to the generic names,
// in that order, replacing them. A failed copy is not reported to the user; the result says
// whether all three were made.
bool ActivateModel(std::string_view model, const std::filesystem::path& directory = {});

}  // namespace kv::assets
