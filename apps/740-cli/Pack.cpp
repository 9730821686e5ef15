#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <iostream>

#include "Args.h"
#include "Commands.h"
#include "archive/ArchiveReader.h"
#include "archive/FileSystem.h"
#include "archive/Listing.h"
#include "archive/TCompress.h"

namespace cli {

namespace {

using kv::archive::TCompress;

std::string DosDate(uint32_t dos) {
    std::time_t t = kv::archive::FromDosDateTime(dos);
    std::tm tm{};
    char text[32] = "-";
    if (t != static_cast<std::time_t>(-1) && localtime_r(&t, &tm))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

// Prints the members; true when every one decodes with a matching checksum.
bool PrintListing(const std::string& archive) {
    bool allVerified = true;
    std::cout << std::left << std::setw(24) << "Name" << std::right << std::setw(11) << "Size"
              << std::setw(11) << "Packed" << "  Method  " << std::left << std::setw(21) << "Date"
              << "Check\n";
    for (const auto& m : kv::archive::ListArchive(archive)) {
        allVerified = allVerified && m.Verified;
        auto method = static_cast<kv::archive::TCompressMethod>(m.Header.Method);
        std::cout << std::left << std::setw(24) << m.Name << std::right << std::setw(11)
                  << m.Header.UncompressedSize << std::setw(11) << m.Header.CompressedSize << "  "
                  << std::left << std::setw(8) << kv::archive::MethodIdentifier(method)
                  << std::setw(21) << DosDate(m.Header.DateTime)
                  << (m.Verified ? "ok" : "FAILED: " + m.Problem) << "\n";
    }
    return allVerified;
}

int Create(const Words& files) {
    if (files.size() < 2) throw UsageError("pack create needs OUT.apl and at least one FILE");
    const std::string out = files[0];
    // Members are stored under their bare names, as the console stores them.
    std::filesystem::path dir = std::filesystem::path(files[1]).parent_path();
    std::vector<std::string> list;
    for (size_t i = 1; i < files.size(); ++i) {
        if (std::filesystem::path(files[i]).parent_path() != dir)
            throw UsageError("the FILEs must all be in one directory");
        list.push_back(files[i]);
    }
    TCompress archive;
    archive.ExceptionOnFileError = true;
    if (!dir.empty()) archive.SetTargetPath(dir.string());
    std::remove(out.c_str());
    archive.CompressFileList(out, list, kv::archive::MethodLh5);
    return PrintListing(out) ? 0 : 1;
}

int Expand(const Words& words) {
    if (words.empty() || words.size() > 2) throw UsageError("pack expand needs FILE.apl and at most one DIR");
    TCompress archive;
    archive.ExceptionOnFileError = true;
    archive.MakeDirectories = true;
    if (words.size() == 2) archive.SetTargetPath(words[1]);
    // Listing every member expands them all and reports the files written.
    std::vector<std::string> names;
    {
        kv::archive::TArchiveReader reader(words[0]);
        kv::archive::TMemberHeader header;
        std::string name;
        while (reader.NextMember(header, name)) {
            names.push_back(name);
            reader.SkipData();
        }
    }
    archive.ExpandArchive(words[0], &names);
    for (const auto& target : names) std::cout << kv::archive::NativePath(target) << "\n";
    return 0;
}

}  // namespace

int RunPack(const Words& words) {
    Args args(words, {}, {});
    const auto& w = args.Positional();
    if (w.empty()) throw UsageError("pack needs create, list or expand");
    Words rest(w.begin() + 1, w.end());
    if (w[0] == "create") return Create(rest);
    if (w[0] == "list") {
        if (rest.size() != 1) throw UsageError("pack list needs one FILE.apl");
        return PrintListing(rest[0]) ? 0 : 1;
    }
    if (w[0] == "expand") return Expand(rest);
    throw UsageError("unknown pack command \"" + w[0] + "\"");
}

}  // namespace cli
