// 740-cli pack against hostile archives and careless command lines: the exit status, the message,
// and every file around the command before and after, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "Support.h"
#include "support/CliRun.h"

using namespace kv::archive;
using namespace kv::archive::test;
namespace fs = std::filesystem;

namespace {

// Each entry of a tree: "file " and the bytes, "dir", or "link " and where it leads.
using TTree = std::map<std::string, std::string>;

TTree Snapshot(const fs::path& root) {
    TTree tree;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string name = e.path().lexically_relative(root).string();
        if (e.is_symlink()) {
            tree[name] = "link " + fs::read_symlink(e.path()).string();
        } else if (e.is_directory()) {
            tree[name] = "dir";
        } else {
            Bytes data = ReadFile(e.path().string());
            tree[name] = "file " + std::string(data.begin(), data.end());
        }
    }
    return tree;
}

std::string File(const Bytes& data) {
    return "file " + std::string(data.begin(), data.end());
}
const std::string AnyFile = "any file";

struct TCase {
    const char* What;
    std::function<void(const fs::path&)> Arrange;
    std::string Args;  // "{D}" stands for the case's directory
    int Status;
    std::string Message;
    std::map<std::string, std::optional<std::string>> Changes;  // nullopt: removed
};

void Put(const fs::path& file, const Bytes& data) {
    fs::create_directories(file.parent_path());
    WriteFile(file.string(), data);
}

std::function<void(const fs::path&)> ArchiveWith(std::vector<TRawMember> members,
                                                 std::function<void(const fs::path&)> more = {}) {
    return [=](const fs::path& d) {
        fs::create_directories(d / "out");
        Put(d / "pack.apl", BuildArchive(members));
        if (more) more(d);
    };
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

TEST(PackCliHostile, StatusMessageAndFilesOnDisk) {
    // A byte sum does not see zeros cut off or added: only the declared size does.
    Bytes zeros = Text("abc");
    zeros.resize(53, 0);
    TRawMember cutShort = StoredMember("PackBinary.bin", zeros);
    cutShort.Coded.resize(23);
    TRawMember tooLong = StoredMember("PackBinary.bin", zeros);
    tooLong.Coded.resize(60, 0);
    const Bytes text = EnglishText(2000, 7);
    TRawMember lh5Short;
    lh5Short.Name = "PackReport.pdf";
    lh5Short.Method = MethodLh5;
    lh5Short.Coded = EncodeBytes(text).Data;
    lh5Short.UncompressedSize = 1990;
    lh5Short.Checksum = Sum(Bytes(text.begin(), text.begin() + 1990));
    TRawMember badSum = StoredMember("PackReport.pdf", Text("new report"));
    badSum.Checksum += 1;
    TRawMember locked = StoredMember("locked.bin", Text("secret"));
    locked.Locked = 2;
    TRawMember custom = StoredMember("custom.bin", Text("custom"));
    custom.Method = MethodCustom;
    const Bytes oldArchive = BuildArchive({StoredMember("PackBinary.bin", Text("old image"))});
    const std::string expand = "expand '{D}/pack.apl' '{D}/out'";

    const TCase cases[] = {
        {"stored member cut short inside zeros",
         ArchiveWith({cutShort},
                     [](const fs::path& d) { Put(d / "out/PackBinary.bin", Text("old image")); }),
         expand,
         1,
         "Member decodes to 23 bytes, its header declares 53 -- data may be invalid",
         {}},
        {"the same, listed",
         ArchiveWith({cutShort}),
         "list '{D}/pack.apl'",
         1,
         "FAILED: Member decodes to 23 bytes, its header declares 53",
         {}},
        {"stored member longer than declared",
         ArchiveWith({tooLong}),
         expand,
         1,
         "Member decodes to more than 53 bytes, its header declares 53",
         {}},
        {"LH5 member declared shorter than its data",
         ArchiveWith({lh5Short}),
         expand,
         1,
         "Member decodes to more than 1990 bytes, its header declares 1990",
         {}},
        {"link to a directory outside",
         ArchiveWith({StoredMember("docs\\PackManual.pdf", Text("evil"))},
                     [](const fs::path& d) {
                         fs::create_directories(d / "elsewhere");
                         fs::create_directory_symlink("../elsewhere", d / "out/docs");
                     }),
         expand,
         1,
         "Cannot open the directory \"docs\" of \"docs\\PackManual.pdf\"",
         {}},
        {"hard link inside the folder",
         ArchiveWith({StoredMember("PackBinary.bin", Text("new image"))},
                     [](const fs::path& d) {
                         Put(d / "outside.bin", Text("outside"));
                         fs::create_hard_link(d / "outside.bin", d / "out/PackBinary.bin");
                     }),
         expand,
         0,
         "PackBinary.bin",
         {{"out/PackBinary.bin", File(Text("new image"))}}},
        {"failed member over an old file",
         ArchiveWith({badSum},
                     [](const fs::path& d) { Put(d / "out/PackReport.pdf", Text("old report")); }),
         expand,
         1,
         "Bad checksum during expansion -- data may be invalid",
         {}},
        {"member named as the archive",
         ArchiveWith({StoredMember("pack.apl", Text("overwritten"))}),
         "expand '{D}/pack.apl' '{D}'",
         1,
         "Member would replace the archive being expanded, not expanded: \"pack.apl\"",
         {}},
        {"member leaving the folder",
         ArchiveWith({StoredMember("..\\evil.bin", Text("evil"))}),
         expand,
         1,
         "Unsafe file name in archive, not expanded: \"..\\evil.bin\"",
         {}},
        {"locked member",
         ArchiveWith({locked}, [](const fs::path& d) { Put(d / "out/locked.bin", Text("old")); }),
         expand,
         1,
         "File locked -- valid key required",
         {}},
        {"custom method",
         ArchiveWith({custom}),
         expand,
         1,
         "No decoder for the compression method of \"custom.bin\"",
         {}},
        {"control characters in a name",
         ArchiveWith({StoredMember("\x1B[2J\x1B]0;x\x07.bin", Text("ok"))}),
         "list '{D}/pack.apl'",
         0,
         "\\x1B[2J\\x1B]0;x\\x07.bin",
         {}},
        {"create with the input as output",
         [](const fs::path& d) { Put(d / "a.bin", Text("input")); },
         "create '{D}/a.bin' '{D}/a.bin'",
         1,
         "\"{D}/a.bin\" is the archive to be written, not one of its files",
         {}},
        {"create over a link to an input",
         [](const fs::path& d) {
             Put(d / "a.bin", Text("input"));
             fs::create_symlink("a.bin", d / "out.apl");
         },
         "create '{D}/out.apl' '{D}/a.bin'",
         1,
         "is the archive to be written",
         {}},
        {"create with a missing input",
         [&](const fs::path& d) { Put(d / "old.apl", oldArchive); },
         "create '{D}/old.apl' '{D}/missing.bin'",
         1,
         "Cannot open file \"{D}/missing.bin\"",
         {}},
        {"create onto an empty directory",
         [](const fs::path& d) {
             fs::create_directories(d / "empty");
             Put(d / "a.bin", Text("input"));
         },
         "create '{D}/empty' '{D}/a.bin'",
         2,
         "\"{D}/empty\" is a directory",
         {}},
        {"create replacing an old archive",
         [&](const fs::path& d) {
             Put(d / "old.apl", oldArchive);
             Put(d / "PackBinary.bin", Text("new image"));
         },
         "create '{D}/old.apl' '{D}/PackBinary.bin'",
         0,
         "PackBinary.bin",
         {{"old.apl", AnyFile}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TempDir scratch;
        const fs::path d = scratch.Path() / "case";
        fs::create_directories(d);
        c.Arrange(d);
        TTree expected = Snapshot(d);
        for (const auto& [name, entry] : c.Changes) {
            if (entry)
                expected[name] = *entry;
            else
                expected.erase(name);
        }

        const auto [status, shown] =
            kv::testing::RunCli("pack " + Replace(c.Args, "{D}", d.string()));

        EXPECT_EQ(status, c.Status) << shown;
        EXPECT_NE(shown.find(Replace(c.Message, "{D}", d.string())), std::string::npos) << shown;
        EXPECT_EQ(shown.find('\x1B'), std::string::npos) << "raw escape in the output";
        TTree after = Snapshot(d);
        for (auto& [name, entry] : expected)
            if (entry == AnyFile && after.count(name) && after[name].rfind("file ", 0) == 0)
                after[name] = AnyFile;
        EXPECT_EQ(after, expected);
    }
}
