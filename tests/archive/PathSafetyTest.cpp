// Expansion never writes outside its target directory, whatever names an archive carries.
#include <gtest/gtest.h>

#include <filesystem>

#include "Support.h"
#include "archive/SafeName.h"
#include "archive/TCompress.h"

using namespace kv::archive;
using namespace kv::archive::test;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> TreeOf(const fs::path& root) {
    std::vector<std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(root))
        entries.push_back(fs::relative(e.path(), root).string());
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace

TEST(PathSafety, UnsafeNamesAreRefusedBeforeAnythingIsWritten) {
    const std::string unsafe[] = {
        "../victim.txt",
        "..\\victim.txt",
        "sub/../../victim.txt",
        "sub\\..\\..\\victim.txt",
        "..",
        "\\victim.txt",
        "/tmp/victim.txt",
        "C:victim.txt",
        "C:\\victim.txt",
        "",
        std::string("ok\0/../x", 8),
    };
    for (const auto& name : unsafe) {
        SCOPED_TRACE(name);
        TempDir dir;
        fs::create_directories(dir.Path() / "target");
        WriteFile(dir / "victim.txt", Text("keep"));
        WriteFile(dir / "pack.apl", BuildArchive({StoredMember(name, Text("evil"))}));
        TCompress archive;
        archive.MakeDirectories = true;
        archive.SetTargetPath(dir / "target");
        try {
            archive.ExpandArchive(dir / "pack.apl");
            FAIL() << "expanded";
        } catch (const EUnsafeMemberName& e) {
            EXPECT_NE(std::string(e.what()).find("\"" + PrintableName(name) + "\""),
                      std::string::npos)
                << e.what();
        }
        EXPECT_EQ(ReadFile(dir / "victim.txt"), Text("keep"));
        EXPECT_EQ(TreeOf(dir.Path()),
                  (std::vector<std::string>{"pack.apl", "target", "victim.txt"}));
    }
}

TEST(PathSafety, BackslashSeparatesDirectoriesInsideTheTarget) {
    TempDir dir;
    WriteFile(dir / "pack.apl",
              BuildArchive({StoredMember("docs\\manual\\PackManual.pdf", Text("manual")),
                            StoredMember("a..b.bin", Text("dots"))}));
    TCompress archive;
    archive.MakeDirectories = true;
    archive.SetTargetPath(dir / "target");
    archive.ExpandArchive(dir / "pack.apl");
    EXPECT_EQ(ReadFile(dir / "target/docs/manual/PackManual.pdf"), Text("manual"));
    EXPECT_EQ(ReadFile(dir / "target/a..b.bin"), Text("dots"));
}

TEST(PathSafety, MembersBeforeAnUnsafeOneStayAndLaterOnesAreNotWritten) {
    TempDir dir;
    WriteFile(dir / "pack.apl", BuildArchive({StoredMember("first.bin", Text("1")),
                                              StoredMember("..\\evil.bin", Text("2")),
                                              StoredMember("last.bin", Text("3"))}));
    TCompress archive;
    archive.SetTargetPath(dir.Path().string());
    EXPECT_THROW(archive.ExpandArchive(dir / "pack.apl"), EUnsafeMemberName);
    EXPECT_TRUE(fs::exists(dir / "first.bin"));
    EXPECT_FALSE(fs::exists(dir / "last.bin"));
    EXPECT_FALSE(fs::exists(dir.Path().parent_path() / "evil.bin"));
}

TEST(PathSafety, LinksInTheTargetDoNotLeadAMemberOut) {
    TempDir dir;
    fs::create_directories(dir.Path() / "target");
    fs::create_directories(dir.Path() / "elsewhere");
    WriteFile(dir / "victim.txt", Text("keep"));
    WriteFile(dir / "linked.txt", Text("keep too"));
    fs::create_symlink(dir.Path() / "victim.txt", dir.Path() / "target/PackBinary.bin");
    fs::create_hard_link(dir.Path() / "linked.txt", dir.Path() / "target/PackReport.pdf");
    fs::create_directory_symlink(dir.Path() / "elsewhere", dir.Path() / "target/docs");
    WriteFile(dir / "pack.apl",
              BuildArchive({StoredMember("PackBinary.bin", Text("image")),
                            StoredMember("PackReport.pdf", Text("report")),
                            StoredMember("docs\\PackManual.pdf", Text("manual"))}));
    TCompress archive;
    archive.SetTargetPath(dir / "target");
    archive.ExceptionOnFileError = true;
    EXPECT_THROW(archive.ExpandArchive(dir / "pack.apl"), std::system_error);  // at the docs link
    // The links themselves are replaced; what they led to is untouched.
    EXPECT_EQ(ReadFile(dir / "victim.txt"), Text("keep"));
    EXPECT_EQ(ReadFile(dir / "linked.txt"), Text("keep too"));
    EXPECT_FALSE(fs::is_symlink(dir.Path() / "target/PackBinary.bin"));
    EXPECT_EQ(ReadFile(dir / "target/PackBinary.bin"), Text("image"));
    EXPECT_EQ(ReadFile(dir / "target/PackReport.pdf"), Text("report"));
    EXPECT_TRUE(fs::is_empty(dir.Path() / "elsewhere"));

    archive.ExceptionOnFileError = false;  // a member that cannot be placed is skipped
    EXPECT_NO_THROW(archive.ExpandArchive(dir / "pack.apl"));
    EXPECT_TRUE(fs::is_empty(dir.Path() / "elsewhere"));
}

TEST(PathSafety, MemberNamedAsTheArchiveIsRefused) {
    TempDir dir;
    const Bytes archive = BuildArchive({StoredMember("pack.apl", Text("overwritten"))});
    WriteFile(dir / "pack.apl", archive);
    fs::create_hard_link(dir.Path() / "pack.apl", dir.Path() / "alias.apl");
    for (const char* name : {"pack.apl", "alias.apl"}) {
        TCompress reader;
        reader.SetTargetPath(dir.Path().string());
        EXPECT_THROW(reader.ExpandArchive(dir / name), EMemberIsArchive) << name;
        EXPECT_EQ(ReadFile(dir / "pack.apl"), archive) << name;
    }
}

TEST(PathSafety, NameRule) {
    for (const char* ok :
         {"PackBinary.bin", "a\\b.bin", "a/b/c", "..x", "x..", ".hidden", "a\\.\\b"})
        EXPECT_TRUE(IsSafeMemberName(ok)) << ok;
    for (const char* bad : {"..", "../a", "a\\..", "\\a", "/a", "c:a", "Z:\\a"})
        EXPECT_FALSE(IsSafeMemberName(bad)) << bad;
    EXPECT_EQ(PrintableName("\x1B]0;x\x07"
                            "a\\b\x7F\xE9.bin"),
              "\\x1B]0;x\\x07a\\b\\x7F\\xE9.bin");
}
