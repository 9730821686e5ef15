#pragma once
// The generated source as the toolchain compiled it: the installation's gcc is wrapped so that
// it keeps a copy of every "740-ggui.C" it gets as kept-source.C in the installation's root.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kv::editor::testing {

inline void KeepCompiledSources(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    const fs::path gcc = root / "toolchain/bin/gcc";
    fs::rename(gcc, root / "toolchain/bin/gcc.real");
    std::ofstream(gcc) << "#!/bin/sh\n[ -f 740-ggui.C ] && cp 740-ggui.C ../kept-source.C\n"
                          "exec \"$(dirname \"$0\")/gcc.real\" \"$@\"\n";
    fs::permissions(gcc, fs::perms::owner_all);
}

inline std::string KeptSource(const std::filesystem::path& root) {
    std::ifstream in(root / "kept-source.C", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The text of a PDF, by pdftotext; empty when it cannot be read.
inline std::string PdfText(const std::filesystem::path& pdf) {
    const std::filesystem::path out = pdf.string() + ".txt";
    const std::string command = "pdftotext -layout '" + pdf.string() + "' '" + out.string() + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(out, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace kv::editor::testing
