// Loading application files: what the console shows, the unit identity, and files built to hurt.
#include <gtest/gtest.h>

#include "ConsoleFixture.h"
#include "archive/TCompress.h"
#include "support/VirtualInstrument.h"

namespace kv::console::testing {
namespace {

namespace fs = std::filesystem;

using Load = ConsoleFixture;

TEST_F(Load, CaptionAndPanelForEachModel) {
    struct Case {
        const char* file;
        const char* pack;
        uint8_t mask;
        uint8_t minClass;
        const char* caption;
        const char* panel;
    } cases[] = {
        {"746-GN01-000017.apx", "746-GN01", 0x04, 3,
         "746-GN01-000017.apx - Standard Model 746, Class 03",
         "Connect Model 746 (Class 03) to COM1...COM9 port"},
        {"758-FP01-000000.APX", "758-FP01", 0x01, 12,
         "758-FP01-000000.apx - Original Model 758, Class 12",
         "Connect Original Model 758 (Class 12) to COM1...COM9 port"},
        {"758-FP01-000000.apx", "758-FP01", 0x02, 2,
         "758-FP01-000000.apx - Standard Model 758, Class 02",
         "Connect Standard Model 758 (Class 02) to COM1...COM9 port"},
    };
    for (const auto& c : cases) {
        ImageRecipe recipe;
        recipe.AppPack = c.pack;
        recipe.CardNumber = c.mask;
        recipe.CardClass = c.minClass;
        Start(c.file, BuildImage(recipe));
        EXPECT_EQ(console->Caption, c.caption);
        EXPECT_EQ(console->PanelInfo, c.panel);
        EXPECT_EQ(console->Loaded().Unit.ModelMask, c.mask);
        EXPECT_EQ(console->Loaded().Unit.MinClass, c.minClass);
        EXPECT_TRUE(console->Enabled(Command::Download));
        EXPECT_TRUE(console->Enabled(Command::Open));
        EXPECT_FALSE(console->Enabled(Command::Save));
        EXPECT_FALSE(console->Enabled(Command::Report));  // an .apx carries no documents
        EXPECT_EQ(prompter.Beeps, 0);
    }
}

TEST_F(Load, OldRevisionTakesTheIdentityFromTheName) {
    ImageRecipe recipe;
    recipe.Revision = "Revision: 2.10.0.0";  // below 2.5.7.0 as text
    recipe.AppPack = "746-GN01";
    recipe.CardNumber = 0x01;
    recipe.CardClass = 9;
    Start("746-GN01-000000.apx", BuildImage(recipe));
    EXPECT_EQ(console->Loaded().Unit.ModelMask, 12u);
    EXPECT_EQ(console->Loaded().Unit.MinClass, 3);
    EXPECT_EQ(console->Caption, "746-GN01-000000.apx - Standard Model 746, Class 03");
}

TEST_F(Load, TheImageMustCarryThePackKeyOfTheFileName) {
    ImageRecipe recipe;  // 758-FP01
    struct Case {
        const char* file;
        bool valid;
    } cases[] = {
        {"758-FP01-123456.apx", true},   // another customer code is fine
        {"758-FP02-000000.apx", false},  // another pack is not
        {"746-FP01-000000.apx", false},
        {"758-fp01-000000.apx", false},  // case counts
    };
    for (const auto& c : cases) {
        prompter.Beeps = 0;
        Start(c.file, BuildImage(recipe));
        EXPECT_EQ(console->Loaded().Valid, c.valid) << c.file;
        if (c.valid) continue;
        EXPECT_EQ(console->Caption, "740-Series Program Utility");
        EXPECT_EQ(console->PanelInfo, "Invalid Application File Name/Contents");
        EXPECT_EQ(prompter.Beeps, 1);
        EXPECT_FALSE(console->Enabled(Command::Download));
        EXPECT_FALSE(console->Enabled(Command::Report));
        EXPECT_FALSE(console->Enabled(Command::Manual));
    }
}

TEST_F(Load, LayoutFollowsTheImageSize) {
    for (size_t size : {size_t{131072}, size_t{131073}, size_t{262144}}) {
        ImageRecipe recipe;
        recipe.Size = size;
        Start("758-FP01-000000.apx", BuildImage(recipe));
        EXPECT_TRUE(console->Loaded().Valid) << size;
        EXPECT_EQ(console->Loaded().Identity.Position, size > 131072 ? 0x3200u : 0x10000u);
        EXPECT_EQ(console->Image().Size(), size);
    }
    ImageRecipe big;
    big.Size = 300500;
    Start("758-FP01-000000.apx", BuildImage(big));
    EXPECT_EQ(console->Image().Size(), 300001u);
    EXPECT_TRUE(console->Loaded().Valid);
}

TEST_F(Load, WithoutAFileNamedThePlaceholderLoadsNothing) {
    Create({});
    EXPECT_EQ(console->Caption, "740-Series Program Utility");
    EXPECT_EQ(console->PanelInfo, "Open Application File");
    EXPECT_FALSE(console->Enabled(Command::Download));
    EXPECT_TRUE(console->Enabled(Command::Open));
    EXPECT_EQ(console->FileName.filename(), "000-0000-000000.nnn");
    EXPECT_TRUE(prompter.Boxes.empty());

    ImageRecipe recipe;
    WriteFile(Bin / "758-FP01-000000.bin", BuildImage(recipe));
    Create({"758-FP01-000000.bin"});
    EXPECT_EQ(console->PanelInfo, "Open Application File");
    EXPECT_TRUE(prompter.Boxes.empty()) << "no application file, nothing to complain about";
}

// The file a command line names: a bare name in the working directory first, then where the
// program was started; a path (absolute or from where the program was started) as it stands.
TEST_F(Load, TheCommandLineOpensTheFileItNames) {
    fs::create_directories(Root / "elsewhere");
    fs::create_directories(Launch / "apx");
    // Each place holds the same version with its own class, so the class tells which was opened.
    const std::pair<fs::path, uint8_t> places[] = {
        {Bin / "758-FP01-000000.apx", 5},
        {Root / "elsewhere" / "758-FP01-000000.apx", 7},
        {Launch / "apx" / "758-FP01-000000.apx", 8},
        {Launch / "758-FP01-000001.apx", 9},
    };
    for (const auto& [file, minClass] : places) {
        ImageRecipe recipe;
        recipe.CardClass = minClass;
        WriteFile(file, BuildImage(recipe));
    }
    struct Case {
        std::vector<std::string> arguments;
        int minClass;
    } cases[] = {
        {{"758-FP01-000000.apx"}, 5},  // the working directory first
        {{"758-FP01-000001.apx"}, 9},  // only where it was started
        {{(Root / "elsewhere" / "758-FP01-000000.apx").string()}, 7},  // an absolute path
        {{"apx/758-FP01-000000.apx"}, 8},  // relative to where it was started
        {{"../elsewhere/758-FP01-000000.apx"}, 7},
        {{"first.apx", (Root / "elsewhere" / "758-FP01-000000.apx").string()},
         7},  // the last word counts
    };
    for (const auto& c : cases) {
        prompter.Boxes.clear();
        Create(c.arguments);
        EXPECT_TRUE(console->Loaded().Valid) << c.arguments.back();
        EXPECT_EQ(console->Loaded().Unit.MinClass, c.minClass) << c.arguments.back();
        EXPECT_TRUE(prompter.Boxes.empty()) << c.arguments.back();
    }
}

// "Insufficient disk space" keeps its meaning: the working file could not be written.
TEST_F(Load, AWorkingFileThatCannotBeWrittenIsADiskProblem) {
    WriteFile(Bin / "758-FP01-000000.apx", BuildImage({}));
    // A directory in the image's place that cannot be deleted: nothing can be written there.
    fs::create_directories(Bin / "PackBinary.bin" / "held");
    Create({"758-FP01-000000.apx"});
    ASSERT_FALSE(prompter.Boxes.empty());
    EXPECT_EQ(prompter.Boxes[0].Text, "Insufficient disk space");
    EXPECT_FALSE(console->Enabled(Command::Download));
}

TEST_F(Load, WorkingFilesGoAtCreationAndDestruction) {
    for (const char* name : {"PackBinary.bin", "PackReport.pdf", "PackManual.pdf"})
        WriteFile(Bin / name, {1});
    fs::permissions(Bin / "PackReport.pdf", fs::perms::owner_read);
    Construct({});
    for (const char* name : {"PackBinary.bin", "PackReport.pdf", "PackManual.pdf"})
        EXPECT_FALSE(Exists(Bin / name));
    console->FormShow();
    WriteFile(Bin / "PackReport.pdf", {1});
    console.reset();
    EXPECT_FALSE(Exists(Bin / "PackReport.pdf"));
}

TEST_F(Load, OpenLoadsTheChosenFile) {
    Create({});
    ImageRecipe recipe;
    fs::create_directories(Root / "docs");
    WriteFile(Root / "docs" / "758-FP01-000042.apx", BuildImage(recipe));
    dialogs.OpenChoice.reset();
    console->ActionOpenExecute();  // cancelled: nothing changes
    EXPECT_EQ(console->PanelInfo, "Open Application File");
    console->ProgressPosition = 17;
    dialogs.OpenChoice = Root / "docs" / "758-FP01-000042.apx";
    console->ActionOpenExecute();
    EXPECT_EQ(console->ProgressPosition, 0);
    EXPECT_EQ(console->Caption, "758-FP01-000042.apx - Original Model 758, Class 02");
    EXPECT_EQ(ReadFileBytes(Bin / "PackBinary.bin"), BuildImage(recipe));
}

TEST_F(Load, ADocumentThatCannotBeDeletedStopsTheLoad) {
    ImageRecipe recipe;
    WriteFile(Bin / "758-FP01-000000.apx", BuildImage(recipe));
    // A directory of the report's name stands for a report held open by a viewer.
    fs::create_directories(Bin / "PackReport.pdf" / "held");
    Create({"758-FP01-000000.apx"});
    EXPECT_EQ(
        prompter.LastText(),
        "The report or manual is used in another application, please close it before opening file");
    EXPECT_EQ(console->PanelInfo, "Open Application File");
    EXPECT_FALSE(Exists(Bin / "PackBinary.bin"));
}

TEST_F(Load, UnitTagItemByName) {
    struct Case {
        const char* name;
        const char* entry2;
        bool lite;
        bool tag;
    } cases[] = {
        {"-UNIT-", "S/N", false, true},  {"--UNIT--", "S/N", false, false},
        {"--UNIT--", "S/N", true, true}, {"-UNIT-", "S/N", true, true},
        {"-UNIT-", "s/n", true, false},  {"-unit-", "S/N", true, false},
    };
    for (const auto& c : cases) {
        ImageRecipe recipe;
        recipe.Items = {{{"ACCEPT", "ACCEPT", "UNITS", "UNITS"}, 1},
                        {{c.name, c.name, c.entry2, c.entry2}, 2}};
        if (c.lite)
            Start("758-FP01-000000.apx", BuildImage(recipe));
        else
            CreateManager("758-FP01-000000", BuildImage(recipe));
        EXPECT_TRUE(console->Loaded().Valid);
        EXPECT_EQ(console->SerialNumber.TagEnabled, c.tag) << c.name << " lite " << c.lite;
        EXPECT_EQ(console->Loaded().UnitItem.has_value(), c.tag);
    }
}

TEST_F(Load, ManagerModeUsesTheVersionAndOffersSave) {
    CreateManager("758-FP01-000099", BuildImage({}));
    EXPECT_EQ(console->Caption, "758-FP01-000099.apx - Original Model 758, Class 02");
    EXPECT_FALSE(console->Enabled(Command::Open));
    EXPECT_TRUE(console->Enabled(Command::Save));
    EXPECT_TRUE(Exists(Bin / "PackBinary.bin"));  // left as the builder wrote it
}

// Addresses and tables that point anywhere: the console stops at the end of the loaded image.
TEST_F(Load, HostileBinaryFiles) {
    struct Case {
        const char* what;
        std::function<std::vector<uint8_t>()> image;
        bool valid;
        bool tag;
    } cases[] = {
        {"empty file", [] { return std::vector<uint8_t>(); }, false, false},
        {"identity block beyond the image", [] { return std::vector<uint8_t>(0x10000, 0); }, false,
         false},
        {"pack text address beyond the image",
         [] {
             auto image = BuildImage({});
             PutBe32(image, 0x10000, 0x7FFFFFF0);
             return image;
         },
         false, true},
        {"pack text without its terminator before the end",
         [] {
             auto image = BuildImage({});
             PutBe32(image, 0x10000, static_cast<uint32_t>(image.size() - 8));
             std::string key = "758-FP01";
             std::copy(key.begin(), key.end(), image.end() - 8);
             return image;
         },
         false, true},
        {"info table that never ends",
         [] {
             ImageRecipe recipe;
             recipe.Items.assign(100, {{"ACCEPT", "ACCEPT", "UNITS", "UNITS"}, 7});
             auto image = BuildImage(recipe);
             // From the table on, every item has a non-zero identifier up to the last byte.
             for (size_t at = 0x10400 + 100 * 32; at < image.size(); ++at) image[at] = 0x01;
             return image;
         },
         true, false},
        {"info table at the very top of the address space",
         [] {
             auto image = BuildImage({});
             PutBe32(image, 0x10004, 0xFFFFFFF0);
             return image;
         },
         true, false},
        {"tag texts outside the image",
         [] {
             auto image = BuildImage({});
             const size_t item = 0x10400 + 32;  // the unit item
             PutBe32(image, item, 0xFFFFFFFF);
             PutBe32(image, item + 8, static_cast<uint32_t>(image.size()));
             return image;
         },
         true, false},
    };
    for (const auto& c : cases) {
        prompter.Beeps = 0;
        Start("758-FP01-000000.apx", c.image());
        EXPECT_EQ(console->Loaded().Valid, c.valid) << c.what;
        EXPECT_EQ(console->SerialNumber.TagEnabled, c.tag) << c.what;
        EXPECT_EQ(console->PanelInfo == "Invalid Application File Name/Contents", !c.valid)
            << c.what;
    }
}

// ---- library files ----

// A hand-made archive: one stored member per name, with a correct checksum.
std::vector<uint8_t> StoredArchive(
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& members,
    int32_t claimedSize = -1) {
    std::vector<uint8_t> out = {'V', 'E', 'L', 'K', 0x1A, 'N', 'O', 'N'};
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    uint32_t total = 0;
    for (const auto& m : members) total += static_cast<uint32_t>(m.second.size());
    put32(total);
    out.push_back(1);
    put32(0);
    put32(0);
    for (const auto& [name, data] : members) {
        out.push_back(static_cast<uint8_t>(name.size()));
        out.push_back(0);
        put32(0x5A210000);
        out.push_back(0x20);
        out.push_back(0);
        put32(claimedSize >= 0 ? static_cast<uint32_t>(claimedSize)
                               : static_cast<uint32_t>(data.size()));
        put32(static_cast<uint32_t>(data.size()));
        out.push_back(0);
        uint32_t sum = 0;
        for (uint8_t b : data) sum += b;
        put32(sum);
        put32(0);
        out.insert(out.end(), name.begin(), name.end());
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

TEST_F(Load, LibraryFileWithoutManual) {
    const auto image = BuildImage({});
    fs::create_directories(Root / "src");
    WriteFile(Root / "src" / "PackBinary.bin", image);
    WriteFile(Root / "src" / "PackReport.pdf", {'%', 'P', 'D', 'F'});
    std::vector<std::string> list = {(Root / "src" / "PackBinary.bin").string(),
                                     (Root / "src" / "PackReport.pdf").string()};
    archive::TCompress archive;
    archive.SetTargetPath((Root / "src").string() + "/");
    archive.CompressFileList((Bin / "758-FP01-000000.apl").string(), list, archive::MethodLh5);

    Create({"758-FP01-000000.apl"});
    EXPECT_EQ(console->Caption, "758-FP01-000000.apl - Original Model 758, Class 02");
    EXPECT_TRUE(console->Enabled(Command::Report));
    EXPECT_FALSE(console->Enabled(Command::Manual));
    EXPECT_EQ(ReadFileBytes(Bin / "PackBinary.bin"), image);
}

TEST_F(Load, HostileLibraryFiles) {
    const auto image = BuildImage({});
    const std::string connect = "Connect Original Model 758 (Class 02) to COM1...COM9 port";
    struct Case {
        const char* what;
        std::vector<uint8_t> archive;
        const char* panel;
        bool warned;
    } cases[] = {
        // Only the three working files are taken from a library: anything else, inside the
        // directory or not, is passed over.
        {"member leaving the directory",
         StoredArchive({{"../apx/evil.bin", {1, 2, 3}}, {"PackBinary.bin", image}}),
         connect.c_str(), false},
        {"absolute member name", StoredArchive({{"/tmp/kv740-evil.bin", {1}}}),
         "Open Application File", false},
        {"stray member", StoredArchive({{"740-lite", {1, 2}}, {"PackBinary.bin", image}}),
         connect.c_str(), false},
        {"size that lies", StoredArchive({{"PackBinary.bin", {1, 2, 3}}}, 1),
         "Open Application File", true},
        // Names are matched exactly: another spelling is not a working file and is not written.
        {"member named in another case", StoredArchive({{"packbinary.bin", image}}),
         "Open Application File", false},
        // The report and the image were whole, the manual is not: none of them stays.
        {"last member cut short",
         [&] {
             auto a = StoredArchive({{"PackBinary.bin", image},
                                     {"PackReport.pdf", {'%', 'P', 'D', 'F'}},
                                     {"PackManual.pdf", std::vector<uint8_t>(100, '%')}});
             a.resize(a.size() - 10);
             return a;
         }(),
         "Open Application File", true},
        {"not an archive", std::vector<uint8_t>(100, 0x41), "Open Application File", true},
        {"cut short",
         [&] {
             auto a = StoredArchive({{"PackBinary.bin", image}});
             a.resize(5000);
             return a;
         }(),
         "Open Application File", true},
    };
    for (const auto& c : cases) {
        prompter.Boxes.clear();
        WriteFile(Bin / "758-FP01-000000.apl", c.archive);
        Create({"758-FP01-000000.apl"});
        EXPECT_EQ(console->PanelInfo, c.panel) << c.what;
        EXPECT_EQ(!prompter.Boxes.empty() &&
                      prompter.LastText().rfind("Application file is damaged: ", 0) == 0,
                  c.warned)
            << c.what;
        EXPECT_FALSE(Exists(Apx / "evil.bin")) << c.what;
        EXPECT_FALSE(Exists("/tmp/kv740-evil.bin")) << c.what;
        EXPECT_FALSE(Exists(Bin / "740-lite")) << c.what;
        EXPECT_FALSE(Exists(Bin / "packbinary.bin")) << c.what;
        for (const char* name : WorkingFileNames)
            EXPECT_TRUE(!c.warned || !Exists(Bin / name)) << c.what << ": " << name;
    }
}

// A file that cannot be loaded says why and names itself; what was loaded before stays loaded.
TEST_F(Load, AFileThatCannotBeLoadedKeepsTheLoadedImage) {
    const auto image = BuildImage({});
    fs::create_directories(Root / "src");
    WriteFile(Root / "src" / "PackBinary.bin", image);
    WriteFile(Root / "src" / "PackReport.pdf", {'%', 'P', 'D', 'F'});
    std::vector<std::string> list = {(Root / "src" / "PackBinary.bin").string(),
                                     (Root / "src" / "PackReport.pdf").string()};
    archive::TCompress archive;
    archive.SetTargetPath((Root / "src").string() + "/");
    archive.CompressFileList((Root / "good.apl").string(), list, archive::MethodLh5);
    const auto library = ReadFileBytes(Root / "good.apl");
    auto flipped = StoredArchive({{"PackBinary.bin", image}});
    flipped[flipped.size() / 2] ^= 0x55;  // inside the image, which no longer matches its checksum
    auto cut = library;
    cut.resize(library.size() / 2);
    WriteFile(Root / "758-FP01-000001.apl", flipped);
    WriteFile(Root / "758-FP01-000002.apl", cut);
    WriteFile(Root / "758-FP01-000003.apl", std::vector<uint8_t>(100, 0x41));
    fs::create_directories(Root /
                           "758-FP01-000004.apx");  // a directory stands for a file nobody may read

    struct Case {
        std::string file;
        std::string warning;  // the start of the text; the file's path follows
        std::string problem;  // the archive's own words, when it is damaged
    } cases[] = {
        {"758-FP01-000009.apx", "Application file not found: ", ""},
        {"758-FP01-000009.apl", "Application file not found: ", ""},
        {"758-FP01-000004.apx", "Application file cannot be read: ", ""},
        {"758-FP01-000001.apl",
         "Application file is damaged: ", "Bad checksum during expansion -- data may be invalid"},
        {"758-FP01-000002.apl", "Application file is damaged: ", ""},
        {"758-FP01-000003.apl",
         "Application file is damaged: ", "Can't recognize compressed file header"},
    };
    WriteFile(Bin / "758-FP01-000000.apl", library);
    Create({"758-FP01-000000.apl"});
    const std::string caption = console->Caption;
    ASSERT_EQ(caption, "758-FP01-000000.apl - Original Model 758, Class 02");
    for (const auto& c : cases) {
        prompter.Boxes.clear();
        dialogs.OpenChoice = Root / c.file;
        console->ActionOpenExecute();
        ASSERT_EQ(prompter.Boxes.size(), 1u) << c.file;
        const std::string text = prompter.LastText();
        EXPECT_EQ(prompter.Boxes[0].Kind, base::MessageKind::Warning);
        EXPECT_EQ(text.rfind(c.warning + (Root / c.file).string(), 0), 0u) << text;
        EXPECT_NE(text.find(c.problem), std::string::npos) << text;
        EXPECT_EQ(console->Caption, caption) << c.file;
        EXPECT_TRUE(console->Enabled(Command::Download)) << c.file;
        EXPECT_TRUE(console->Enabled(Command::Report)) << c.file;
        EXPECT_EQ(ReadFileBytes(Bin / "PackBinary.bin"), image) << c.file;
        EXPECT_TRUE(Exists(Bin / "PackReport.pdf")) << c.file;
    }

    // At start nothing was loaded before: the panel asks for a file.
    prompter.Boxes.clear();
    Create({(Root / "758-FP01-000003.apl").string()});
    EXPECT_EQ(console->PanelInfo, "Open Application File");
    EXPECT_FALSE(console->Enabled(Command::Download));
    EXPECT_TRUE(console->Enabled(Command::Open));
    EXPECT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_FALSE(Exists(Bin / "PackBinary.bin"));
}

}  // namespace
}  // namespace kv::console::testing
