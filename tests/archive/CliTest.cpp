// 740-cli pack create | list | expand, as a script or a production line would use them.
#include <gtest/gtest.h>

#include <filesystem>

#include "Support.h"
#include "support/CliRun.h"

using namespace kv::archive::test;
namespace fs = std::filesystem;

namespace {

using kv::testing::CliResult;

CliResult Cli(const std::string& args) {
    return kv::testing::RunCli("pack " + args);
}

}  // namespace

TEST(PackCli, CreateListExpandRoundTrip) {
    TempDir dir;
    fs::create_directories(dir.Path() / "src");
    const std::pair<std::string, Bytes> files[] = {{"PackBinary.bin", FirmwareImage(262144, 51)},
                                                   {"PackReport.pdf", EnglishText(30000, 52)},
                                                   {"PackManual.pdf", RandomBytes(4000, 53)}};
    std::string names;
    for (const auto& [name, data] : files) {
        WriteFile(dir / ("src/" + name), data);
        names += " '" + (dir / ("src/" + name)).string() + "'";
    }
    CliResult created = Cli("create '" + (dir / "app.apl").string() + "'" + names);
    ASSERT_EQ(created.Status, 0) << created.Output;

    CliResult listed = Cli("list '" + (dir / "app.apl").string() + "'");
    EXPECT_EQ(listed.Status, 0) << listed.Output;
    EXPECT_NE(listed.Output.find("PackBinary.bin"), std::string::npos) << listed.Output;
    EXPECT_NE(listed.Output.find("LH5"), std::string::npos);
    EXPECT_NE(listed.Output.find("NON"), std::string::npos);  // the random manual is stored
    EXPECT_EQ(listed.Output.find("FAILED"), std::string::npos);

    CliResult expanded =
        Cli("expand '" + (dir / "app.apl").string() + "' '" + (dir / "out").string() + "'");
    ASSERT_EQ(expanded.Status, 0) << expanded.Output;
    for (const auto& [name, data] : files) EXPECT_EQ(ReadFile(dir / ("out/" + name)), data) << name;
}

TEST(PackCli, FailuresExitNonZeroWithTheMessage) {
    TempDir dir;
    Bytes data = Text("some data to store");
    TRawMember bad = StoredMember("bad.bin", data);
    bad.Checksum += 1;
    WriteFile(dir / "bad.apl", BuildArchive({bad}));
    CliResult listed = Cli("list '" + (dir / "bad.apl").string() + "'");
    EXPECT_EQ(listed.Status, 1);
    EXPECT_NE(listed.Output.find("FAILED: Bad checksum during expansion -- data may be invalid"),
              std::string::npos)
        << listed.Output;

    WriteFile(dir / "evil.apl", BuildArchive({StoredMember("..\\evil.bin", data)}));
    CliResult expanded =
        Cli("expand '" + (dir / "evil.apl").string() + "' '" + (dir / "out").string() + "'");
    EXPECT_EQ(expanded.Status, 1);
    EXPECT_NE(expanded.Output.find("Unsafe file name in archive, not expanded: \"..\\evil.bin\""),
              std::string::npos)
        << expanded.Output;
    EXPECT_FALSE(fs::exists(dir / "evil.bin"));

    CliResult missing =
        Cli("create '" + (dir / "new.apl").string() + "' '" + (dir / "missing.bin").string() + "'");
    EXPECT_EQ(missing.Status, 1);
    EXPECT_FALSE(fs::exists(dir / "new.apl"));
}
