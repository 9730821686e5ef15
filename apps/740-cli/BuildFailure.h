#pragma once
// What the command line says when a build made no image: the kind of failure, read from the
// toolchain's steps and what it printed, and the toolchain's messages without repeats.
#include <string>
#include <utility>
#include <vector>

#include "builder/FirmwareBuilder.h"

namespace cli {

// The kind of failure and what shows it, such as "image too large (region `a_rom' overflowed by
// 96 bytes)" or "compile error".
std::string NoImageReason(const kv::builder::ToolchainRun& run, const std::string& output);

// Each distinct line of the output once, in the order of first appearance, with its count.
std::vector<std::pair<std::string, int>> DistinctLines(const std::string& output);

}  // namespace cli
