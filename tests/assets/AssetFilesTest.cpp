#include <gtest/gtest.h>

#include <set>

#include "TestFiles.h"
#include "assets/AssetFiles.h"
#include "support/TempDir.h"

namespace kv::assets {
namespace {

using kv::testing::TempDir;
using testing::BuildDir;
using testing::ReadBytes;
using testing::SourceDir;
using testing::WriteBytes;

// Where the build made (or keeps) each asset.
std::filesystem::path BuiltFile(Resource resource) {
    const std::string name(ResourceFileName(resource));
    if (name.ends_with(".h")) return SourceDir / "firmware/include" / name;
    if (name.ends_with(".cmd")) return SourceDir / "firmware/ld" / name;
    return BuildDir / "firmware" / name;
}

TEST(AssetFiles, StartUpWritesTheEightFilesByteForByte) {
    TempDir dir;
    WriteBytes(
        dir / "lib746.a",
        std::string(1 << 20, 'x'));  // a longer old file is replaced, not overwritten in part
    WriteAssets(dir.Path());

    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        written.insert(entry.path().filename().string());
    EXPECT_EQ(written,
              (std::set<std::string>{"746-ggui.h", "758-ggui.h", "H8S-2144.cmd", "H8S-2145.cmd",
                                     "746-opts.db", "758-opts.db", "lib746.a", "lib758.a"}));
    for (Resource resource : StartupResources) {
        const std::string file(ResourceFileName(resource));
        const std::string bytes = ReadBytes(dir / file);
        EXPECT_FALSE(bytes.empty()) << file;
        EXPECT_EQ(bytes, ResourceData(resource)) << file;
        EXPECT_EQ(bytes, ReadBytes(BuiltFile(resource)))
            << file << " differs from the build's file";
    }
}

TEST(AssetFiles, LibrariesAreArchivesWithASymbolIndexFirst) {
    for (Resource resource : {Resource::FileLib746, Resource::FileLib758}) {
        const std::string_view data = ResourceData(resource);
        ASSERT_GT(data.size(), 68u);
        EXPECT_EQ(data.substr(0, 8), "!<arch>\n");
        EXPECT_EQ(data.substr(8, 2), "/ ") << "the first member is the symbol index";
    }
}

TEST(AssetFiles, ModelActivationCopiesTheModelFilesToTheGenericNames) {
    TempDir dir;
    WriteAssets(dir.Path());
    ASSERT_TRUE(ActivateModel("746", dir.Path()));
    EXPECT_EQ(ReadBytes(dir / "740-ggui.h"), ResourceData(Resource::FileHeader746));
    EXPECT_EQ(ReadBytes(dir / "lib740.a"), ResourceData(Resource::FileLib746));
    EXPECT_EQ(ReadBytes(dir / "740-opts.db"), ResourceData(Resource::FileOptions746));

    ASSERT_TRUE(ActivateModel("758", dir.Path()));
    EXPECT_EQ(ReadBytes(dir / "740-ggui.h"), ResourceData(Resource::FileHeader758));
    EXPECT_EQ(ReadBytes(dir / "lib740.a"), ResourceData(Resource::FileLib758));
    EXPECT_EQ(ReadBytes(dir / "740-opts.db"), ResourceData(Resource::FileOptions758));
}

TEST(AssetFiles, AFailedModelCopyIsNotReportedAndTheOthersAreStillMade) {
    TempDir dir;
    WriteAssets(dir.Path());
    std::filesystem::remove(dir / "lib758.a");
    WriteBytes(dir / "lib740.a", "old");
    EXPECT_FALSE(ActivateModel("758", dir.Path()));
    EXPECT_EQ(ReadBytes(dir / "740-ggui.h"), ResourceData(Resource::FileHeader758));
    EXPECT_EQ(ReadBytes(dir / "lib740.a"), "old");
    EXPECT_EQ(ReadBytes(dir / "740-opts.db"), ResourceData(Resource::FileOptions758));
}

TEST(AssetFiles, AFailedWriteStopsStartUpWithAnError) {
    TempDir dir;
    std::filesystem::create_directory(dir /
                                      "746-ggui.h");  // a directory where the first file should go
    try {
        WriteAssets(dir.Path());
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("746-ggui.h"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "758-ggui.h"));
}

}  // namespace
}  // namespace kv::assets
