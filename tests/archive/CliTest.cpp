// 740-cli pack create | list | expand, as a script or a production line would use them.
#include <gtest/gtest.h>

#include <filesystem>

#include "Support.h"

using namespace kv::archive::test;
namespace fs = std::filesystem;

namespace {

struct TResult {
    int Status;
    std::string Output;  // standard output and error together
};

TResult Cli(const TScratchDir& dir, const std::string& args) {
    int status = RunCommand(std::string(KV740_CLI) + " pack " + args + " > '" + (dir / "cli.out") +
                            "' 2>&1");
    Bytes out = ReadFile(dir / "cli.out");
    return {status, std::string(out.begin(), out.end())};
}

}  // namespace

TEST(PackCli, CreateListExpandRoundTrip) {
    TScratchDir dir;
    fs::create_directories(dir.Path() / "src");
    const std::pair<std::string, Bytes> files[] = {{"PackBinary.bin", FirmwareImage(262144, 51)},
                                                   {"PackReport.pdf", EnglishText(30000, 52)},
                                                   {"PackManual.pdf", RandomBytes(4000, 53)}};
    std::string names;
    for (const auto& [name, data] : files) {
        WriteFile(dir / ("src/" + name), data);
        names += " '" + (dir / ("src/" + name)) + "'";
    }
    TResult created = Cli(dir, "create '" + (dir / "app.apl") + "'" + names);
    ASSERT_EQ(created.Status, 0) << created.Output;

    TResult listed = Cli(dir, "list '" + (dir / "app.apl") + "'");
    EXPECT_EQ(listed.Status, 0) << listed.Output;
    EXPECT_NE(listed.Output.find("PackBinary.bin"), std::string::npos) << listed.Output;
    EXPECT_NE(listed.Output.find("LH5"), std::string::npos);
    EXPECT_NE(listed.Output.find("NON"), std::string::npos);  // the random manual is stored
    EXPECT_EQ(listed.Output.find("FAILED"), std::string::npos);

    TResult expanded = Cli(dir, "expand '" + (dir / "app.apl") + "' '" + (dir / "out") + "'");
    ASSERT_EQ(expanded.Status, 0) << expanded.Output;
    for (const auto& [name, data] : files) EXPECT_EQ(ReadFile(dir / ("out/" + name)), data) << name;
}

TEST(PackCli, FailuresExitNonZeroWithTheMessage) {
    TScratchDir dir;
    Bytes data = Text("some data to store");
    TRawMember bad = StoredMember("bad.bin", data);
    bad.Checksum += 1;
    WriteFile(dir / "bad.apl", BuildArchive({bad}));
    TResult listed = Cli(dir, "list '" + (dir / "bad.apl") + "'");
    EXPECT_EQ(listed.Status, 1);
    EXPECT_NE(listed.Output.find("FAILED: Bad checksum during expansion -- data may be invalid"),
              std::string::npos)
        << listed.Output;

    WriteFile(dir / "evil.apl", BuildArchive({StoredMember("..\\evil.bin", data)}));
    TResult expanded = Cli(dir, "expand '" + (dir / "evil.apl") + "' '" + (dir / "out") + "'");
    EXPECT_EQ(expanded.Status, 1);
    EXPECT_NE(expanded.Output.find("Unsafe file name in archive, not expanded: \"..\\evil.bin\""),
              std::string::npos)
        << expanded.Output;
    EXPECT_FALSE(fs::exists(dir / "evil.bin"));

    TResult missing =
        Cli(dir, "create '" + (dir / "new.apl") + "' '" + (dir / "missing.bin") + "'");
    EXPECT_EQ(missing.Status, 1);
    EXPECT_FALSE(fs::exists(dir / "new.apl"));
}
