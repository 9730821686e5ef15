// The Download command: the build with its progress window, then the console or the message.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "InstallFixture.h"
#include "catalogue/Texts.h"

namespace kv::catalogue::test {

namespace fs = std::filesystem;

namespace {

// What the window would have shown during one download.
struct Seen {
    std::vector<std::string> Captions;
    std::vector<std::pair<int, int>> Steps;
    int Closed = 0;
    std::vector<std::string> Consoles;
};

// The search path holds no "gcc" while it lives.
class NoCompiler {
  public:
    NoCompiler() : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        ::setenv("PATH", "/nonexistent", 1);
    }
    ~NoCompiler() { ::setenv("PATH", old_.c_str(), 1); }

  private:
    std::string old_;
};

}  // namespace

class Download : public InstallFixture {
  protected:
    Manager& StartWatching() {
        Manager& m = Start();
        m.OnShowProgress = [this](const std::string& caption) { seen.Captions.push_back(caption); };
        m.OnProgress = [this](int position, int max) { seen.Steps.emplace_back(position, max); };
        m.OnCloseProgress = [this] { ++seen.Closed; };
        m.OnShowConsole = [this](const std::string& version) { seen.Consoles.push_back(version); };
        return m;
    }
    Seen seen;
};

TEST_F(Download, AReportHeldElsewhereStopsBeforeAnything) {
    Manager& m = StartWatching();
    Select("FP01");
    m.ActionIdleUpdate();
    fs::create_directories("PackReport.pdf/held");  // cannot be deleted
    std::ofstream("PackBinary.bin") << "previous";
    m.ActionDownloadExecute();
    EXPECT_EQ(
        prompter.LastText(),
        "The report or manual is used in another application, please close it before downloading");
    EXPECT_EQ(prompter.Boxes.back().Kind, base::MessageKind::Warning);
    EXPECT_TRUE(seen.Captions.empty());
    EXPECT_TRUE(seen.Consoles.empty());
    std::ifstream in("PackBinary.bin");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "previous");
}

struct NoImageCase {
    const char* Name;
    const char* Model;
    bool Original;
    const char* Message;
    base::MessageKind Kind;
};

class DownloadWithoutCompiler : public Download,
                                public ::testing::WithParamInterface<NoImageCase> {};

TEST_P(DownloadWithoutCompiler, ShowsTheTargetsMessageAfterWritingTheReport) {
    const NoImageCase c = GetParam();
    Manager& m = StartWatching();
    m.SpeedButtonModelClick(c.Model);
    Select("FP01");
    m.Preferences.Original = c.Original;
    m.ActionIdleUpdate();
    const int records = [&] {
        store::Table t(m.FilterBox.Text(Slot::FileName));
        t.SetReadOnly(true);
        t.Open();
        return t.RecordCount();
    }();
    {
        NoCompiler none;
        m.Toolchain.PathFirst.clear();
        m.ActionDownloadExecute();
    }
    EXPECT_EQ(prompter.LastText(), c.Message);
    EXPECT_EQ(prompter.Boxes.back().Kind, c.Kind);
    EXPECT_EQ(seen.Captions,
              (std::vector<std::string>{text::ProcessingVersion, text::CreatingFile}));
    ASSERT_FALSE(seen.Steps.empty());
    EXPECT_EQ(seen.Steps.back(), std::make_pair(records - 1, records - 1));
    EXPECT_EQ(seen.Closed, 1);
    EXPECT_TRUE(seen.Consoles.empty());
    EXPECT_TRUE(fs::exists("PackReport.pdf"));
    EXPECT_TRUE(fs::exists("PackManual.pdf"));
    EXPECT_FALSE(fs::exists("PackBinary.bin"));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, DownloadWithoutCompiler,
    ::testing::Values(
        NoImageCase{
            "Model746", "746", false,
            "File is too large - please disable \"Programmable Units of Measurement\" option",
            base::MessageKind::Warning},
        NoImageCase{"Original758", "758", true,
                    "File is too large for Original Model - please use Standard Model",
                    base::MessageKind::Warning},
        NoImageCase{"Standard758", "758", false,
                    "Cannot create download file - please contact factory",
                    base::MessageKind::Error}),
    [](const auto& info) { return std::string(info.param.Name); });

// With the installation's toolchain (slow: the real compiler and linker run).
TEST_F(Download, BuildsTheImageAndOpensTheConsoleWithTheVersionName) {
    Manager& m = StartWatching();
    Select("FP01");
    m.ActionIdleUpdate();
    m.ActionDownloadExecute();
    EXPECT_EQ(seen.Consoles, (std::vector<std::string>{"758-FP01-000000"})) << prompter.LastText();
    EXPECT_TRUE(prompter.Boxes.empty()) << prompter.LastText();
    for (const char* file : {"PackBinary.bin", "PackReport.pdf", "PackManual.pdf", "Kv740.map"})
        EXPECT_TRUE(fs::exists(file)) << file;
    for (const char* file : {"740-ggui.C", "740-ggui.o"}) EXPECT_FALSE(fs::exists(file)) << file;
}

}  // namespace kv::catalogue::test
