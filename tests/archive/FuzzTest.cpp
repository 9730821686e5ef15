// Seeded random mutations of valid archives and coded streams: every outcome is either success
// or one of the archive's exceptions; never a crash, a hang, an out-of-bounds access (the fast
// tests also run under ASan/UBSan) or a file outside the target directory.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <map>
#include <random>

#include "LzhTestEncoder.h"
#include "Support.h"
#include "archive/ArchiveReader.h"
#include "archive/FileSystem.h"
#include "archive/TCompress.h"

using namespace kv::archive;
using namespace kv::archive::test;
namespace fs = std::filesystem;

namespace {

class TMutator {
  public:
    explicit TMutator(uint32_t seed) : Rng(seed) {}

    Bytes Mutate(Bytes b) {
        int edits = 1 + static_cast<int>(Rng() % 6);
        for (int i = 0; i < edits; ++i) {
            size_t at = b.empty() ? 0 : Rng() % b.size();
            switch (Rng() % 7) {
                case 0:
                    if (!b.empty()) b[at] ^= static_cast<uint8_t>(1u << (Rng() % 8));
                    break;
                case 1:
                    if (!b.empty()) b[at] = static_cast<uint8_t>(Rng());
                    break;
                case 2:  // a 16- or 32-bit field set to an extreme
                    if (b.size() >= at + 4) {
                        static const uint32_t extremes[] = {
                            0, 1, 0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 0x7FFF, 0x8000, 0xFFFF};
                        uint32_t v = extremes[Rng() % std::size(extremes)];
                        int width = Rng() % 2 ? 4 : 2;
                        for (int k = 0; k < width; ++k)
                            b[at + k] = static_cast<uint8_t>(v >> (8 * k));
                    }
                    break;
                case 3:
                    b.resize(at);  // truncation
                    break;
                case 4:
                    b.insert(b.begin() + static_cast<std::ptrdiff_t>(at),
                             static_cast<uint8_t>(Rng()));
                    break;
                case 5:
                    if (!b.empty()) b.erase(b.begin() + static_cast<std::ptrdiff_t>(at));
                    break;
                default:
                    if (b.size() > at + 8) {  // copy a run from elsewhere
                        size_t from = Rng() % (b.size() - 8);
                        std::copy_n(b.begin() + static_cast<std::ptrdiff_t>(from), 8,
                                    b.begin() + static_cast<std::ptrdiff_t>(at));
                    }
                    break;
            }
        }
        return b;
    }
    uint32_t Next() { return Rng(); }

  private:
    std::mt19937 Rng;
};

struct TSeedStream {
    TCompressMethod Method;
    Bytes Coded;
    int32_t Size;
};

std::vector<TSeedStream> DecoderSeeds() {
    Bytes text = EnglishText(6000, 41), image = FirmwareImage(8000, 42);
    Bytes rle = {0x41, 0x94, 0x05, 0x42, 0x94, 0x00, 0x43, 0x94, 0xFF, 0x10, 0x11};
    return {
        {MethodLh5, EncodeBytes(text).Data, 6000},
        {MethodLh5, EncodeBytes(image).Data, 8000},
        {MethodLh5, EncodeBytes(Bytes(3000, 0)).Data, 3000},
        {MethodLzh, EncodeLzh(text).Coded, 6000},
        {MethodRle, rle, static_cast<int32_t>(DecodeBytes(rle, INT32_MAX, MethodRle).size())},
        {MethodNone, image, 8000},
    };
}

// The uncompressed size each member name declares, by the path it expands to.
std::multimap<std::string, uint64_t> DeclaredSizes(const std::string& archive) {
    std::multimap<std::string, uint64_t> sizes;
    try {
        TArchiveReader reader(archive);
        TMemberHeader header;
        std::string name;
        while (reader.NextMember(header, name)) {
            sizes.emplace(fs::path(NativePath(name)).lexically_normal().string(),
                          static_cast<uint64_t>(header.UncompressedSize));
            reader.SkipData();
        }
    } catch (const std::runtime_error&) {
        // the members read so far
    }
    return sizes;
}

}  // namespace

TEST(Fuzz, DecodersSurviveMutatedStreams) {
    TMutator mutator(20261210);
    auto seeds = DecoderSeeds();
    for (int i = 0; i < 6000; ++i) {
        const auto& seed = seeds[static_cast<size_t>(i) % seeds.size()];
        Bytes coded = mutator.Mutate(seed.Coded);
        // Sizes around the true one, and now and then far beyond what the data can describe.
        int32_t size = seed.Size + static_cast<int32_t>(mutator.Next() % 200) - 100;
        if (mutator.Next() % 16 == 0) size = static_cast<int32_t>(mutator.Next() % (64 << 20));
        try {
            bool truncated = false, overlong = false;
            Bytes out = DecodeBytes(coded, size, seed.Method, &truncated, &overlong);
            // Decoding stops at the declared size; a member is whole only at exactly that size.
            ASSERT_LE(static_cast<int64_t>(out.size()), std::max(size, 0)) << i;
            if ((seed.Method == MethodLh5 || seed.Method == MethodLzh) && !truncated && !overlong) {
                ASSERT_EQ(static_cast<int64_t>(out.size()), std::max(size, 0)) << i;
            }
        } catch (const ELZHBadDecodeTable&) {
            ASSERT_EQ(seed.Method, MethodLh5) << i;
        }
    }
}

TEST(Fuzz, ExpandArchiveSurvivesMutatedArchives) {
    // Every member written is flushed to the disk before it takes its name: in memory that costs
    // nothing, so the many expansions stay quick.
    const fs::path memory = "/dev/shm";
    TempDir dir = fs::is_directory(memory) ? TempDir(memory) : TempDir();
    const fs::path target = dir.Path() / "target";
    fs::create_directories(dir.Path() / "in");
    WriteFile(dir / "in/PackBinary.bin", FirmwareImage(6000, 43));
    WriteFile(dir / "in/PackReport.pdf", EnglishText(5000, 44));
    WriteFile(dir / "in/PackManual.pdf", RandomBytes(700, 45));
    std::vector<std::string> list{dir / "in/PackBinary.bin", dir / "in/PackReport.pdf",
                                  dir / "in/PackManual.pdf"};
    TCompress writer;
    writer.SetTargetPath(dir / "in");
    writer.CompressFileList(dir / "seed.apl", list, MethodLh5);
    Bytes written = ReadFile(dir / "seed.apl");
    fs::remove_all(dir.Path() / "in");
    fs::remove(dir / "seed.apl");

    Bytes text = EnglishText(3000, 46);
    TRawMember lzh;
    lzh.Name = "sub\\lzh.txt";
    lzh.Method = MethodLzh;
    lzh.Coded = EncodeLzh(text).Coded;
    lzh.UncompressedSize = 3000;
    lzh.Checksum = Sum(text);
    TRawMember rle = StoredMember("rle.bin", Bytes{0x41, 0x94, 0x05, 0x42});
    rle.Method = MethodRle;
    rle.UncompressedSize = 6;
    const Bytes seeds[] = {
        written, BuildArchive({lzh, rle, StoredMember("stored.bin", Text("stored data"))})};

    TMutator mutator(740);
    TCompress reader;
    reader.MakeDirectories = true;
    reader.SetTargetPath(target.string());
    for (int i = 0; i < 1500; ++i) {
        WriteFile(dir / "pack.apl", mutator.Mutate(seeds[i % 2]));
        try {
            reader.ExpandArchive(dir / "pack.apl");
        } catch (const std::runtime_error&) {
            // one of the archive's exceptions, or a file error of the platform
        }
        std::vector<std::string> top;
        for (const auto& e : fs::directory_iterator(dir.Path())) top.push_back(e.path().filename());
        std::sort(top.begin(), top.end());
        ASSERT_TRUE(top == std::vector<std::string>{"pack.apl"} ||
                    top == (std::vector<std::string>{"pack.apl", "target"}))
            << i;
        // Every file expanded, and nothing else (no temporary), has the size a member declares.
        const auto declared = DeclaredSizes(dir / "pack.apl");
        if (fs::exists(target)) {
            for (const auto& e : fs::recursive_directory_iterator(target)) {
                if (e.is_directory()) continue;
                const std::string name = e.path().lexically_relative(target).string();
                auto [from, to] = declared.equal_range(name);
                ASSERT_TRUE(
                    std::any_of(from, to, [&](const auto& m) { return m.second == e.file_size(); }))
                    << i << " " << name << " " << e.file_size();
            }
        }
        fs::remove_all(target);
    }
}
