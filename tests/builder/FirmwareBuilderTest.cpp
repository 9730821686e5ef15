#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "VersionFixture.h"
#include "base/ScriptedPrompter.h"
#include "builder/FirmwareBuilder.h"
#include "builder/GeneratedSource.h"
#include "support/TempDir.h"

namespace kv::builder {
namespace {

using namespace testing;
namespace fs = std::filesystem;
using base::MessageKind;

// A stand-in "gcc" that logs its arguments and makes the files the real one would.
const char* FakeGcc = R"(#!/bin/sh
echo "$*" >> ../gcc.log
case "$1" in
  -c) [ -f 740-ggui.C ] && cp 740-ggui.C 740-ggui.o ;;
  -T*) echo map > Kv740.map; [ -f 740-ggui.o ] && head -c 131072 /dev/zero > PackBinary.bin ;;
esac
exit 0
)";

const char* SlowGcc = R"(#!/bin/sh
echo "$*" >> ../gcc.log
case "$1" in
  -c) sleep 3 ;;
esac
exit 0
)";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// An installation with one custom version, a toolchain stand-in and the working directory
// made current for the test.
class FirmwareBuilderTest : public ::testing::Test {
  protected:
    kv::testing::TempDir root;
    fs::path saved = fs::current_path();
    base::ScriptedPrompter prompter;
    FirmwareBuilder builder{prompter};
    std::vector<std::string> calls;

    void SetUp() override {
        for (const char* dir : {"bin", "dbs/default", "dbs/user", "docs/manuals", "toolchain/bin"})
            fs::create_directories(root.Path() / dir);
        InstallGcc(FakeGcc);
        fs::current_path(root.Path() / "bin");
        CreateOptionTable("740-opts.db", SampleOptionRows(EngineeringUnitLines()));
        CreateDataTable("../dbs/default/740-data.db", SampleDataTables().Factory);
        CreateDataTable("../dbs/user/740-data.db", SampleDataTables().User);
        CreateVersionTable("../dbs/user/758-FP01-000001.db", HandMadeVersion());
        std::ofstream("../docs/manuals/758-FP01-OM.pdf") << "%PDF manual";

        builder.Toolchain.PathFirst = {(root.Path() / "toolchain/bin").string()};
        builder.Hooks.ShowProgress = [this](const std::string& caption) {
            calls.push_back("caption " + caption);
        };
        builder.Hooks.Progress = [this](int position, int max) {
            if (position == 0 || position == max)
                calls.push_back("progress " + std::to_string(position) + "/" + std::to_string(max));
        };
        builder.Hooks.CloseProgress = [this] { calls.push_back("close"); };
        builder.Hooks.CreateReport = [this](const std::string& file) {
            calls.push_back("report " + file);
            std::ofstream(file) << "%PDF report";
        };
        builder.Hooks.ShowConsole = [this](const std::string& version) {
            calls.push_back("console " + version);
        };
    }
    void TearDown() override { fs::current_path(saved); }

    void InstallGcc(const char* script) {
        const fs::path gcc = root.Path() / "toolchain/bin/gcc";
        std::ofstream(gcc) << script;
        fs::permissions(gcc, fs::perms::owner_all);
    }

    BuildRequest Request(const std::string& model, bool original,
                         const std::string& code = "000001") {
        return {Target::For(model, "FP01", original),          {}, code, "01", RevisionText(model),
                "..\\docs\\manuals\\" + model + "-FP01-OM.pdf"};
    }

    BuildOutcome Build(const BuildRequest& request,
                       const std::string& table = "../dbs/user/758-FP01-000001.db") {
        store::Table version(table);
        version.Open();
        return builder.VersionFileDownload(version, request);
    }
};

TEST_F(FirmwareBuilderTest, SuccessfulBuildRunsEveryStepInOrder) {
    EXPECT_EQ(Build(Request("758", false)), BuildOutcome::ImageMade);
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "caption Processing version configuration...", "progress 0/19",
                         "progress 19/19", "caption Please wait while file is created...",
                         "report PackReport.pdf", "close", "console 758-FP01-000001"}));
    EXPECT_EQ(ReadFile("../gcc.log"),
              "-c -g -ms -O2 740-ggui.C\n"
              "-TH8S-2145.cmd -Wl,-Map,Kv740.map -nostdlib 740-ggui.o -o PackBinary.bin\n");
    EXPECT_EQ(fs::file_size("PackBinary.bin"), 131072u);
    EXPECT_EQ(ReadFile("PackManual.pdf"), "%PDF manual");
    EXPECT_TRUE(fs::exists("PackReport.pdf"));
    EXPECT_TRUE(fs::exists("Kv740.map"));
    EXPECT_FALSE(fs::exists(GeneratedSourceFile));
    EXPECT_FALSE(fs::exists(ObjectFile));
    EXPECT_TRUE(prompter.Boxes.empty());
}

TEST_F(FirmwareBuilderTest, SmallMemoryMapForModel746AndOriginalHardware) {
    for (auto [model, original] : {std::pair{"746", false}, std::pair{"758", true}}) {
        fs::remove("../gcc.log");
        EXPECT_EQ(Build(Request(model, original)), BuildOutcome::ImageMade);
        EXPECT_NE(ReadFile("../gcc.log").find("\n-TH8S-2144.cmd "), std::string::npos) << model;
    }
}

TEST_F(FirmwareBuilderTest, ReportOrManualHeldElsewhereStopsBeforeAnything) {
    std::ofstream("PackBinary.bin") << "previous image";
    fs::create_directories("PackReport.pdf/held");  // cannot be deleted
    EXPECT_EQ(Build(Request("758", false)), BuildOutcome::Locked);
    ASSERT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_EQ(
        prompter.LastText(),
        "The report or manual is used in another application, please close it before downloading");
    EXPECT_EQ(prompter.Boxes[0].Kind, MessageKind::Warning);
    EXPECT_EQ(ReadFile("PackBinary.bin"), "previous image");
    EXPECT_FALSE(fs::exists("../gcc.log"));
    EXPECT_TRUE(calls.empty());
}

TEST_F(FirmwareBuilderTest, NoToolchainGivesTheTargetsMessageAndStillWritesTheReport) {
    fs::remove_all(root.Path() / "toolchain");
    fs::create_directories(root.Path() / "empty");
    const std::string oldPath = std::getenv("PATH");
    setenv("PATH", (root.Path() / "empty").string().c_str(), 1);
    struct Case {
        const char* Model;
        bool Original;
        const char* Message;
        MessageKind Kind;
    };
    const Case cases[] = {
        {"746", false,
         "File is too large - please disable \"Programmable Units of Measurement\" option",
         MessageKind::Warning},
        {"758", true, "File is too large for Original Model - please use Standard Model",
         MessageKind::Warning},
        {"758", false, "Cannot create download file - please contact factory", MessageKind::Error},
    };
    for (const auto& c : cases) {
        std::ofstream("PackBinary.bin") << "previous image";
        prompter.Boxes.clear();
        calls.clear();
        EXPECT_EQ(Build(Request(c.Model, c.Original)), BuildOutcome::NoImage);
        ASSERT_EQ(prompter.Boxes.size(), 1u);
        EXPECT_EQ(prompter.LastText(), c.Message);
        EXPECT_EQ(prompter.Boxes[0].Kind, c.Kind);
        EXPECT_TRUE(fs::exists("PackReport.pdf"));
        EXPECT_FALSE(fs::exists("PackBinary.bin"));
        EXPECT_FALSE(fs::exists(GeneratedSourceFile));
        EXPECT_EQ(calls.back(), "close");
    }
    setenv("PATH", oldPath.c_str(), 1);
}

TEST_F(FirmwareBuilderTest, UnknownUnitStopsTheBuildWithoutSourceOrToolchain) {
    auto rows = HandMadeVersion();
    rows[1].Coefficient = "GU_VOLUME_HOGSHEAD";
    CreateVersionTable("../dbs/user/758-FP01-000002.db", rows);
    EXPECT_EQ(Build(Request("758", false, "000002"), "../dbs/user/758-FP01-000002.db"),
              BuildOutcome::Stopped);
    ASSERT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_EQ(prompter.Boxes[0].Kind, MessageKind::Error);
    EXPECT_NE(prompter.LastText().find("GU_VOLUME_HOGSHEAD"), std::string::npos);
    EXPECT_FALSE(fs::exists(GeneratedSourceFile));
    EXPECT_FALSE(fs::exists("../gcc.log"));
    EXPECT_EQ(calls.back(), "close");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "report PackReport.pdf"), 0);
}

TEST_F(FirmwareBuilderTest, StepStillRunningAtItsLimitIsLeftBehind) {
    InstallGcc(SlowGcc);
    builder.Toolchain.TimeoutMs = 300;
    int waits = 0;  // the window repaints itself there while the steps run
    builder.Toolchain.WhileWaiting = [&] { ++waits; };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Build(Request("758", false)), BuildOutcome::NoImage);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
    EXPECT_GE(waits, 5);  // the compile step alone runs its 300 ms in 40 ms slices
    // The link ran although the compile had not finished.
    EXPECT_NE(ReadFile("../gcc.log").find("-TH8S-2145.cmd"), std::string::npos);
    EXPECT_EQ(prompter.LastText(), "Cannot create download file - please contact factory");
}

TEST_F(FirmwareBuilderTest, MissingManualIsIgnored) {
    fs::remove("../docs/manuals/758-FP01-OM.pdf");
    std::ofstream("PackManual.pdf") << "old manual";
    EXPECT_EQ(Build(Request("758", false)), BuildOutcome::ImageMade);
    EXPECT_FALSE(fs::exists("PackManual.pdf"));
}

}  // namespace
}  // namespace kv::builder
