// The container: what CompressFileList writes and what ExpandArchive accepts, refuses and leaves.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <filesystem>

#include "Support.h"
#include "archive/FileSystem.h"
#include "archive/Headers.h"
#include "archive/Listing.h"
#include "archive/TCompress.h"

using namespace kv::archive;
using namespace kv::archive::test;
namespace fs = std::filesystem;

namespace {

class Container : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(Dir.Path() / "in");
        fs::create_directories(Dir.Path() / "out");
        Writer.SetTargetPath(Dir / "in");
        Reader.SetTargetPath(Dir / "out");
    }
    std::string In(const std::string& name) const { return Dir / ("in/" + name); }
    std::string Out(const std::string& name) const { return Dir / ("out/" + name); }
    std::string ArchivePath() const { return Dir / "pack.apl"; }

    // Writes the files into in/ and packs them in order; returns the edited list.
    std::vector<std::string> Pack(const std::vector<std::pair<std::string, Bytes>>& files,
                                  TCompressMethod method = MethodLh5) {
        std::vector<std::string> list;
        for (const auto& [name, data] : files) {
            WriteFile(In(name), data);
            list.push_back(In(name));
        }
        Writer.CompressFileList(ArchivePath(), list, method);
        return list;
    }
    std::vector<TMemberListing> Members() const { return ListArchive(ArchivePath()); }
    void WriteArchive(const Bytes& bytes) const { WriteFile(ArchivePath(), bytes); }
    std::vector<std::string> OutFiles() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(Dir.Path() / "out"))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir Dir;
    TCompress Writer, Reader;
};

TArchiveHeader HeaderOf(const Bytes& archive) {
    return TArchiveHeader::Unpack(archive.data());
}

}  // namespace

TEST_F(Container, EmptyListWritesAHeaderOnlyArchiveThatExpandsToNothing) {
    std::vector<std::string> list;
    Writer.CompressFileList(ArchivePath(), list, MethodLh5);
    Bytes archive = ReadFile(ArchivePath());
    ASSERT_EQ(archive.size(), 21u);
    EXPECT_EQ(Bytes(archive.begin(), archive.begin() + 8), Text("VELK\x1aLH5"));
    EXPECT_EQ(HeaderOf(archive).TotalSize, 0);
    EXPECT_EQ(archive[12], 1);
    std::vector<std::string> written{"x"};
    Reader.ExpandArchive(ArchivePath(), &written);
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(OutFiles().empty());
}

TEST_F(Container, ArchiveShorterThanItsHeaderExpandsToNothing) {
    WriteArchive(Text("VELK\x1aLH5\x05"));
    EXPECT_NO_THROW(Reader.ExpandArchive(ArchivePath()));
    EXPECT_TRUE(OutFiles().empty());
}

TEST_F(Container, ConsoleFilesRoundTripWithNamesMethodsAndTimes) {
    Bytes image = FirmwareImage(262144, 1), report = EnglishText(40000, 2),
          manual = RandomBytes(9000, 3);
    auto list =
        Pack({{"PackBinary.bin", image}, {"PackReport.pdf", report}, {"PackManual.pdf", manual}});
    EXPECT_EQ(list,
              (std::vector<std::string>{"PackBinary.bin", "PackReport.pdf", "PackManual.pdf"}));

    auto members = Members();
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members[0].Header.Method, MethodLh5);
    EXPECT_EQ(members[1].Header.Method, MethodLh5);
    EXPECT_EQ(members[2].Header.Method, MethodNone);  // random bytes do not shrink
    EXPECT_EQ(members[2].Header.CompressedSize, 9000);
    EXPECT_EQ(members[0].Header.Checksum, Sum(image));
    for (const auto& m : members) EXPECT_TRUE(m.Verified) << m.Name << ": " << m.Problem;
    EXPECT_EQ(HeaderOf(ReadFile(ArchivePath())).TotalSize, 262144 + 40000 + 9000);

    Reader.ExpandArchive(ArchivePath());
    EXPECT_EQ(ReadFile(Out("PackBinary.bin")), image);
    EXPECT_EQ(ReadFile(Out("PackReport.pdf")), report);
    EXPECT_EQ(ReadFile(Out("PackManual.pdf")), manual);
    auto source = fs::last_write_time(In("PackBinary.bin"));
    auto expanded = fs::last_write_time(Out("PackBinary.bin"));
    EXPECT_LE(std::chrono::abs(source - expanded), std::chrono::seconds(2));
}

// z bytes 'A' then 64 random bytes: the coded size minus the input size falls by about one per
// step of z, so the range passes through "exactly the budget" and "one over".
TEST_F(Container, StoredFallbackStartsOneByteOverTheBudget) {
    Bytes tail = RandomBytes(64, 9);
    int exact = -1;
    bool sawStored = false;
    for (int z = 0; z < 200; ++z) {
        Bytes input(static_cast<size_t>(z), 'A');
        input.insert(input.end(), tail.begin(), tail.end());
        TCoded coded = EncodeBytes(input);
        sawStored = sawStored || coded.Stored;
        if (!coded.Stored) {
            ASSERT_LE(coded.Data.size(), input.size()) << z;
        }
        if (!coded.Stored && coded.Data.size() == input.size() && exact < 0) exact = z;
    }
    ASSERT_TRUE(sawStored);
    ASSERT_GE(exact, 0) << "no input in the range codes to exactly its size";

    Bytes fits(static_cast<size_t>(exact), 'A');
    fits.insert(fits.end(), tail.begin(), tail.end());
    Bytes over = tail;  // z = 0 is far over the budget
    Pack({{"fits.bin", fits}, {"over.bin", over}});
    auto members = Members();
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].Header.Method, MethodLh5);
    EXPECT_EQ(members[0].Header.CompressedSize, members[0].Header.UncompressedSize);
    EXPECT_EQ(members[1].Header.Method, MethodNone);
    EXPECT_EQ(members[1].Header.CompressedSize, 64);
    Reader.ExpandArchive(ArchivePath());
    EXPECT_EQ(ReadFile(Out("fits.bin")), fits);
    EXPECT_EQ(ReadFile(Out("over.bin")), over);
}

TEST_F(Container, EmptyFileIsAnEmptyLh5Member) {
    Pack({{"empty.bin", {}}});
    auto members = Members();
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].Header.Method, MethodLh5);
    EXPECT_EQ(members[0].Header.UncompressedSize, 0);
    EXPECT_EQ(members[0].Header.CompressedSize, 0);
    EXPECT_EQ(members[0].Header.Checksum, 0u);
    Reader.ExpandArchive(ArchivePath());
    EXPECT_TRUE(fs::exists(Out("empty.bin")));
    EXPECT_EQ(fs::file_size(Out("empty.bin")), 0u);
}

TEST_F(Container, ZeroChecksumIsAcceptedOnlyForStoredMembers) {
    TRawMember stored = StoredMember("a.bin", Text("data"));
    stored.Checksum = 0;
    WriteArchive(BuildArchive({stored}));
    EXPECT_NO_THROW(Reader.ExpandArchive(ArchivePath()));
    EXPECT_EQ(ReadFile(Out("a.bin")), Text("data"));

    TRawMember lh5;
    lh5.Name = "b.bin";
    lh5.Method = MethodLh5;
    lh5.Coded = EncodeBytes(Bytes(100, 'x')).Data;
    lh5.UncompressedSize = 100;
    lh5.Checksum = 0;
    WriteArchive(BuildArchive({lh5}));
    EXPECT_THROW(Reader.ExpandArchive(ArchivePath()), EBadChecksum);
}

TEST_F(Container, RunningTotalEndsTheMemberLoop) {
    TRawMember a = StoredMember("a.bin", Text("12345"));
    TRawMember empty = StoredMember("empty.bin", {});
    TRawMember extra = StoredMember("extra.bin", Text("xyz"));
    WriteArchive(BuildArchive({a, empty, extra}, 5));
    Reader.ExpandArchive(ArchivePath());
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"a.bin"});

    // A lone empty member with a total of 0 is still expanded.
    WriteArchive(BuildArchive({empty}, 0));
    Reader.ExpandArchive(ArchivePath());
    EXPECT_TRUE(fs::exists(Out("empty.bin")));
}

TEST_F(Container, UpdateModeMergesTheOldMembersNotListedAgain) {
    Pack({{"keep.bin", Text("old keep")}, {"PackBinary.bin", Text("old image")}});
    WriteFile(In("PackBinary.bin"), Text("new image, longer than before"));
    std::vector<std::string> list{In("PackBinary.bin"), ArchivePath()};
    Writer.CompressFileList(ArchivePath(), list, MethodLh5);
    EXPECT_EQ(list, std::vector<std::string>{"PackBinary.bin"});
    EXPECT_FALSE(fs::exists(Dir / "pack.$$$"));

    auto members = Members();
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].Name, "PackBinary.bin");
    EXPECT_EQ(members[1].Name, "keep.bin");
    EXPECT_EQ(HeaderOf(ReadFile(ArchivePath())).TotalSize, 29 + 8);
    Reader.ExpandArchive(ArchivePath());
    EXPECT_EQ(ReadFile(Out("PackBinary.bin")), Text("new image, longer than before"));
    EXPECT_EQ(ReadFile(Out("keep.bin")), Text("old keep"));
}

TEST_F(Container, MissingFileIsDroppedFromListAndArchive) {
    WriteFile(In("a.bin"), Text("aaaa"));
    WriteFile(In("b.bin"), Text("bbbb"));
    std::vector<std::string> list{In("a.bin"), In("missing.bin"), In("b.bin")};
    Writer.CompressFileList(ArchivePath(), list, MethodLh5);
    EXPECT_EQ(list, (std::vector<std::string>{"a.bin", "b.bin"}));
    EXPECT_EQ(Members().size(), 2u);

    fs::remove(ArchivePath());
    Writer.ExceptionOnFileError = true;
    list = {In("a.bin"), In("missing.bin")};
    EXPECT_THROW(Writer.CompressFileList(ArchivePath(), list, MethodLh5), std::system_error);
    EXPECT_FALSE(fs::exists(ArchivePath()));
}

TEST_F(Container, CreateArchiveRefusesBeforeWritingAnything) {
    WriteFile(In("a.bin"), Text("input"));
    fs::create_hard_link(In("a.bin"), Dir / "alias.apl");
    fs::create_directories(Dir.Path() / "folder.apl");
    for (const std::string name : {Dir / "alias.apl", Dir / "folder.apl", Dir / "folder.apl/"}) {
        std::vector<std::string> list{In("a.bin")};
        EXPECT_THROW(Writer.CreateArchive(name, list, MethodLh5), ECannotCreateArchive) << name;
    }
    EXPECT_EQ(ReadFile(In("a.bin")), Text("input"));
    EXPECT_TRUE(fs::is_empty(Dir.Path() / "folder.apl"));
    std::vector<std::string> top;  // no temporary left behind
    for (const auto& e : fs::directory_iterator(Dir.Path())) top.push_back(e.path().filename());
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"alias.apl", "folder.apl", "in", "out"}));
}

TEST_F(Container, ArchiveHeaderChecks) {
    Bytes good = BuildArchive({StoredMember("a.bin", Text("abc"))});
    Bytes badSignature = good;
    badSignature[3] = 'X';
    Bytes badType = good;
    badType[12] = 2;
    WriteArchive(badSignature);
    EXPECT_THROW(Reader.ExpandArchive(ArchivePath()), EInvalidHeader);
    WriteArchive(badType);
    EXPECT_THROW(Reader.ExpandArchive(ArchivePath()), EInvalidHeaderArchiveType);
    WriteArchive(BuildArchive({StoredMember("a.bin", Text("abc"))}, -1, "XYZ"));
    try {
        Reader.ExpandArchive(ArchivePath());
        FAIL() << "no exception";
    } catch (const EUnrecognizedCompressionMethod& e) {
        EXPECT_STREQ(e.what(), "Unrecognized compression method: \"XYZ\" in header");
    }
    WriteArchive(BuildArchive({StoredMember("a.bin", Text("abc"))}, -1, "lh5"));  // case matters
    EXPECT_THROW(Reader.ExpandArchive(ArchivePath()), EUnrecognizedCompressionMethod);
    WriteArchive(BuildArchive({StoredMember("a.bin", Text("abc"))}, -1, "CUS"));
    EXPECT_NO_THROW(Reader.ExpandArchive(ArchivePath()));
    EXPECT_EQ(ReadFile(Out("a.bin")), Text("abc"));
}

TEST_F(Container, MembersThatCannotBeDecodedAreRefusedAndNotLeftBehind) {
    TRawMember locked = StoredMember("locked.bin", Text("secret"));
    locked.Locked = 2;
    TRawMember custom = StoredMember("custom.bin", Text("custom"));
    custom.Method = MethodCustom;
    TRawMember unknown = StoredMember("unknown.bin", Text("unknown"));
    unknown.Method = 9;
    WriteFile(Out("locked.bin"), Text("an older file of that name"));
    WriteArchive(BuildArchive({locked}));
    EXPECT_THROW(Reader.ExpandArchive(ArchivePath()), EInvalidKey);
    EXPECT_EQ(ReadFile(Out("locked.bin")), Text("an older file of that name"));
    fs::remove(Out("locked.bin"));
    WriteArchive(BuildArchive({custom}));
    EXPECT_THROW(Reader.ExpandArchive(ArchivePath()), EUnsupportedMethod);
    WriteArchive(BuildArchive({unknown}));
    EXPECT_THROW(Reader.ExpandArchive(ArchivePath()), EUnsupportedMethod);
    EXPECT_TRUE(OutFiles().empty());
}

TEST_F(Container, DamagedMemberLeavesTheFileItWouldReplace) {
    Bytes manual = RandomBytes(5000, 4);
    Pack({{"PackManual.pdf", manual}});
    Bytes archive = ReadFile(ArchivePath());
    archive[21 + 25 + 14 + 100] ^= 0x40;  // a byte of the stored data
    WriteArchive(archive);
    WriteFile(Out("PackManual.pdf"), Text("the manual of the last good load"));
    EXPECT_THROW(Reader.ExpandArchive(ArchivePath()), EBadChecksum);
    EXPECT_EQ(ReadFile(Out("PackManual.pdf")), Text("the manual of the last good load"));
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"PackManual.pdf"});  // no temporary left
}

TEST_F(Container, AlteredCodeLengthsRaiseBadDecodeTable) {
    Pack({{"PackReport.pdf", EnglishText(20000, 5)}});
    Bytes archive = ReadFile(ArchivePath());
    archive[21 + 25 + 14 + 2] = 0xFF;  // the T count: 31, beyond the 19 T symbols
    WriteArchive(archive);
    try {
        Reader.ExpandArchive(ArchivePath());
        FAIL() << "no exception";
    } catch (const ELZHBadDecodeTable& e) {
        EXPECT_STREQ(e.what(), "Bad decode table in archive!");
    }
}

TEST_F(Container, FileListSelectsMembersCaseInsensitively) {
    Pack({{"PackBinary.bin", Text("image")}, {"PackReport.pdf", Text("report")}});
    std::vector<std::string> list{"PACKREPORT.PDF"};
    Reader.ExpandArchive(ArchivePath(), &list);
    EXPECT_EQ(list, std::vector<std::string>{Reader.TargetPath() + "PackReport.pdf"});
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"PackReport.pdf"});

    fs::remove(Out("PackReport.pdf"));
    Reader.ExactMemberNames = true;
    Reader.ExpandArchive(ArchivePath(), &list);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(OutFiles().empty());
}

TEST_F(Container, DateAndReadOnlyAttributeAreRestored) {
    TRawMember m = StoredMember("ro.bin", Text("read only"));
    m.Attributes = AttrArchive | AttrReadOnly;
    m.DateTime = (uint32_t{(2019 - 1980) << 9 | 7 << 5 | 14} << 16) | (13 << 11 | 45 << 5 | 30 / 2);
    WriteArchive(BuildArchive({m}));
    Reader.ExpandArchive(ArchivePath());
    struct stat st {};
    ASSERT_EQ(::stat(Out("ro.bin").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u);
    EXPECT_EQ(st.st_mtime, FromDosDateTime(m.DateTime));
    EXPECT_EQ(ToDosDateTime(st.st_mtime), m.DateTime);
}

TEST_F(Container, ReadOnlyMethodsExpand) {
    TRawMember rle;
    rle.Name = "rle.bin";
    rle.Method = MethodRle;
    rle.Coded = {0x41, 0x94, 0x05, 0x42};
    rle.UncompressedSize = 6;
    rle.Checksum = Sum(Text("AAAAAB"));
    WriteArchive(BuildArchive({rle}));
    Reader.ExpandArchive(ArchivePath());
    EXPECT_EQ(ReadFile(Out("rle.bin")), Text("AAAAAB"));
}

TEST_F(Container, NegativeMemberCountsAreRefused) {
    TRawMember m = StoredMember("a.bin", Text("abc"));
    Bytes archive = BuildArchive({m});
    archive[21 + 12 + 3] = 0x80;  // compressed size negative
    WriteArchive(archive);
    EXPECT_THROW(Reader.ExpandArchive(ArchivePath()), EInvalidHeader);
}

namespace {

// Limits the size of files this process writes, so that writes fail as on a full disk (root
// ignores permissions, not this limit).
class TFileSizeLimit {
  public:
    explicit TFileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &Saved);
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = Saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, OldHandler);
    }

  private:
    struct rlimit Saved {};
    void (*OldHandler)(int);
};

template <typename F>
std::string MessageOf(F f) {
    try {
        f();
    } catch (const EInsufficientDiskSpace& e) {
        return e.what();
    }
    return "no EInsufficientDiskSpace";
}

}  // namespace

TEST_F(Container, WriteErrorsReportDiskFullAndLeaveNoWorkFile) {
    WriteFile(In("big.bin"), RandomBytes(200000, 6));
    WriteFile(In("small.bin"), Text("small"));
    std::vector<std::string> list{In("big.bin")};
    std::string message = MessageOf([&] {
        TFileSizeLimit limit(100000);
        Writer.CompressFileList(ArchivePath(), list, MethodLh5);
    });
    EXPECT_EQ(message, "Disk protected or full during compression");
    EXPECT_FALSE(fs::exists(ArchivePath()));

    list = {In("small.bin")};
    EXPECT_EQ(
        MessageOf([&] { Writer.CompressFileList(Dir / "missing/pack.apl", list, MethodLh5); }),
        "Disk protected or full during compression");

    // Update mode: the new member fits, the merged old one does not.
    list = {In("big.bin")};
    Writer.CompressFileList(ArchivePath(), list, MethodLh5);
    Bytes old = ReadFile(ArchivePath());
    list = {In("small.bin")};
    message = MessageOf([&] {
        TFileSizeLimit limit(100000);
        Writer.CompressFileList(ArchivePath(), list, MethodLh5);
    });
    EXPECT_EQ(message, "Disk full or write error during compression");
    EXPECT_EQ(ReadFile(ArchivePath()), old);
    EXPECT_FALSE(fs::exists(Dir / "pack.$$$"));
}

// /proc reports no free space: a stand-in for a full disk.
TEST_F(Container, FreeSpaceIsCheckedBeforeEachMember) {
    WriteArchive(BuildArchive({StoredMember("x.bin", Text("ten bytes!"))}));
    TCompress full;
    full.SetTargetPath("/proc");
    try {
        full.ExpandArchive(ArchivePath());
        FAIL() << "no exception";
    } catch (const EInsufficientDiskSpace& e) {
        EXPECT_EQ(std::string(e.what()), "Not enough disk space to expand /proc\\x.bin");
    }
    full.CheckSpaceBeforeExpand = false;
    EXPECT_NO_THROW(full.ExpandArchive(ArchivePath()));  // the file cannot be created: skipped
}
