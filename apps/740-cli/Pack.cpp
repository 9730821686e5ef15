#include <ctime>
#include <filesystem>
#include <iomanip>
#include <iostream>

#include "CommandLine.h"
#include "Validators.h"
#include "archive/ArchiveReader.h"
#include "archive/FileSystem.h"
#include "archive/Listing.h"
#include "archive/SafeName.h"
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
    // Read before the header, so that a file that cannot be read prints no table.
    const auto members = kv::archive::ListArchive(archive);
    std::cout << std::left << std::setw(24) << "Name" << std::right << std::setw(11) << "Size"
              << std::setw(11) << "Packed"
              << "  Method  " << std::left << std::setw(21) << "Date"
              << "Check\n";
    for (const auto& m : members) {
        allVerified = allVerified && m.Verified;
        auto method = static_cast<kv::archive::TCompressMethod>(m.Header.Method);
        std::cout << std::left << std::setw(24) << kv::archive::PrintableName(m.Name) << std::right
                  << std::setw(11) << m.Header.UncompressedSize << std::setw(11)
                  << m.Header.CompressedSize << "  " << std::left << std::setw(8)
                  << kv::archive::MethodIdentifier(method) << std::setw(21)
                  << DosDate(m.Header.DateTime) << (m.Verified ? "ok" : "FAILED: " + m.Problem)
                  << "\n";
    }
    return allVerified;
}

int Create(const std::string& out, std::vector<std::string> list) {
    // Members are stored under their bare names, as the console stores them.
    std::filesystem::path dir = std::filesystem::path(list[0]).parent_path();
    for (const auto& file : list)
        if (std::filesystem::path(file).parent_path() != dir)
            throw UsageError("the FILEs must all be in one directory");
    TCompress archive;
    archive.ExceptionOnFileError = true;
    if (!dir.empty()) archive.SetTargetPath(dir.string());
    archive.CreateArchive(out, list, kv::archive::MethodLh5);
    return PrintListing(out) ? 0 : 1;
}

int Expand(const std::string& file, const std::string& dir) {
    TCompress archive;
    archive.ExceptionOnFileError = true;
    archive.MakeDirectories = true;
    if (!dir.empty()) archive.SetTargetPath(dir);
    // Listing every member expands them all and reports the files written.
    std::vector<std::string> names;
    {
        kv::archive::TArchiveReader reader(file);
        kv::archive::TMemberHeader header;
        std::string name;
        while (reader.NextMember(header, name)) {
            names.push_back(name);
            reader.SkipData();
        }
    }
    archive.ExpandArchive(file, &names);
    for (const auto& target : names)
        std::cout << kv::archive::PrintableName(kv::archive::NativePath(target)) << "\n";
    return 0;
}

struct PackOptions {
    std::string Archive, Dir;
    std::vector<std::string> Files;
};

}  // namespace

void AddPackCommand(CLI::App& app, int& status) {
    CLI::App* pack = NewCommand(app, "pack", "Application library files (.apl).");
    pack->require_subcommand(1);
    auto options = std::make_shared<PackOptions>();

    CLI::App* create =
        NewCommand(*pack, "create",
                   "Writes the FILEs (all in one directory) into the application library file\n"
                   "OUT.apl under their bare names, LH5-coded or stored when that is shorter,\n"
                   "and lists it.");
    create->add_option("OUT.apl", options->Archive, "The library file to write")
        ->required()
        ->check(FilePath);
    create->add_option("FILE", options->Files, "The files to store")->required()->check(FilePath);
    create->callback([options, &status] { status = Create(options->Archive, options->Files); });

    CLI::App* list =
        NewCommand(*pack, "list",
                   "Prints each member's name, sizes, method, date and whether its checksum\n"
                   "and size verify (exit status 1 when one does not).");
    list->add_option("FILE.apl", options->Archive, "The library file")->required()->check(FilePath);
    list->callback([options, &status] { status = PrintListing(options->Archive) ? 0 : 1; });

    CLI::App* expand =
        NewCommand(*pack, "expand",
                   "Writes every member into DIR and prints the files written; names reaching\n"
                   "outside DIR are refused.");
    expand->add_option("FILE.apl", options->Archive, "The library file")
        ->required()
        ->check(FilePath);
    expand->add_option("DIR", options->Dir, "Where the members go (default: the current directory)")
        ->check(CLI::Validator(
            [](std::string& dir) { return dir.empty() ? "an empty path names no directory" : ""; },
            ""));
    expand->callback([options, &status] { status = Expand(options->Archive, options->Dir); });
}

}  // namespace cli
