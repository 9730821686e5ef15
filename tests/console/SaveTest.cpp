// Saving application files from the manager's console, and opening the documents.
#include <gtest/gtest.h>

#include "ConsoleFixture.h"
#include "archive/TCompress.h"

namespace kv::console::testing {
namespace {

namespace fs = std::filesystem;

class Save : public ConsoleFixture {
  protected:
    Save() : Image(BuildImage({})) {}

    // The manager's console after a build that left the image and the given documents.
    void Built(bool report, bool manual) {
        CreateManager("758-FP01-000099", Image);
        if (report) WriteFile(Bin / "PackReport.pdf", Report);
        if (manual) WriteFile(Bin / "PackManual.pdf", Manual);
    }

    // Expands a library into a fresh directory; the names written, in archive order.
    std::vector<std::string> Expand(const fs::path& library, const fs::path& into) {
        fs::create_directories(into);
        archive::TCompress archive;
        archive.SetTargetPath(into.string() + "/");
        std::vector<std::string> names = {"PackBinary.bin", "PackReport.pdf", "PackManual.pdf"};
        archive.ExpandArchive(library.string(), &names);
        for (auto& n : names) n = fs::path(n).filename().string();
        return names;
    }

    std::vector<uint8_t> Image;
    std::vector<uint8_t> Report = {'%', 'P', 'D', 'F', '-', '1', '.', '4', '\n', 'r'};
    std::vector<uint8_t> Manual = std::vector<uint8_t>(5000, 'm');
};

TEST_F(Save, ImageAloneBecomesAByteIdenticalBinaryFile) {
    Built(false, false);
    console->ActionSaveExecute();
    EXPECT_EQ(console->SavePack.Caption, "Save As: Binary File Only (.apx)");
    EXPECT_EQ(ReadFileBytes(Apx / "758-FP01-000099.apx"), Image);
    ASSERT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_EQ(prompter.Boxes[0].Text, "Binary file (.apx) has been saved in ..\\apx directory");
    EXPECT_EQ(prompter.Boxes[0].Kind, base::MessageKind::Information);
}

TEST_F(Save, ImageAndManualBecomeALibraryThatExpandsToTheSameBytes) {
    Built(false, true);
    dialogs.SaveClicks = {SavePackForm::Manual};
    dialogs.SaveStates = {CheckState::Checked};
    console->ActionSaveExecute();
    EXPECT_EQ(console->SavePack.Caption, "Save As: Library File (.apl)");
    EXPECT_EQ(prompter.LastText(), "Library file (.apl) has been saved in ..\\apx directory");
    EXPECT_EQ(Expand(Apx / "758-FP01-000099.apl", Root / "out"),
              (std::vector<std::string>{"PackBinary.bin", "PackManual.pdf"}));
    EXPECT_EQ(ReadFileBytes(Root / "out" / "PackBinary.bin"), Image);
    EXPECT_EQ(ReadFileBytes(Root / "out" / "PackManual.pdf"), Manual);

    // The utility opens what the manager saved.
    fs::copy_file(Apx / "758-FP01-000099.apl", Root / "758-FP01-000099.apl");
    dialogs.OpenChoice = Root / "758-FP01-000099.apl";
    console->SetModeLite(true);
    console->ActionOpenExecute();
    EXPECT_EQ(console->Caption, "758-FP01-000099.apl - Original Model 758, Class 02");
    EXPECT_FALSE(console->Enabled(Command::Report));
    EXPECT_TRUE(console->Enabled(Command::Manual));
}

TEST_F(Save, OverwriteOnlyWhenTheAnswerIsYes) {
    Built(true, false);
    WriteFile(Apx / "758-FP01-000099.apl", {9, 9, 9});
    prompter.Answers = {base::Answer::No};
    console->ActionSaveExecute();
    EXPECT_EQ(prompter.LastText(), "File already exists, do you want to overwrite it ?");
    EXPECT_EQ(prompter.Boxes.back().Kind, base::MessageKind::Warning);
    EXPECT_EQ(prompter.Boxes.back().Choice, base::Buttons::YesNo);
    EXPECT_EQ(ReadFileBytes(Apx / "758-FP01-000099.apl"), (std::vector<uint8_t>{9, 9, 9}));

    prompter.Answers = {base::Answer::Yes};
    console->ActionSaveExecute();
    EXPECT_EQ(prompter.LastText(), "Library file (.apl) has been saved in ..\\apx directory");
    EXPECT_EQ(Expand(Apx / "758-FP01-000099.apl", Root / "out"),
              (std::vector<std::string>{"PackBinary.bin", "PackReport.pdf"}));

    // A binary save of the same version leaves the library beside it.
    dialogs.SaveClicks = {SavePackForm::Report};
    dialogs.SaveStates = {CheckState::Unchecked};
    console->ActionSaveExecute();
    EXPECT_TRUE(Exists(Apx / "758-FP01-000099.apl"));
    EXPECT_EQ(ReadFileBytes(Apx / "758-FP01-000099.apx"), Image);
}

TEST_F(Save, AFailedOverwriteKeepsTheEarlierFile) {
    Built(true, false);
    WriteFile(Apx / "758-FP01-000099.apl", {9, 9, 9});
    // A report that cannot be read stops the compression after the question.
    fs::remove(Bin / "PackReport.pdf");
    fs::create_directories(Bin / "PackReport.pdf");
    prompter.Answers = {base::Answer::Yes};
    console->ActionSaveExecute();
    EXPECT_EQ(prompter.Boxes.back().Kind, base::MessageKind::Error) << prompter.LastText();
    EXPECT_EQ(ReadFileBytes(Apx / "758-FP01-000099.apl"), (std::vector<uint8_t>{9, 9, 9}));
    EXPECT_EQ(std::distance(fs::directory_iterator(Apx), fs::directory_iterator()), 1);
}

TEST_F(Save, CancelWritesNothing) {
    Built(true, true);
    dialogs.SaveOk = false;
    console->ActionSaveExecute();
    EXPECT_TRUE(fs::is_empty(Apx));
    EXPECT_TRUE(prompter.Boxes.empty());
}

TEST_F(Save, FailuresAreNotReportedAsSuccess) {
    Built(true, false);
    fs::remove(Apx);  // the installation lacks its apx folder
    console->ActionSaveExecute();
    ASSERT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_EQ(prompter.Boxes[0].Kind, base::MessageKind::Error);
    EXPECT_NE(prompter.Boxes[0].Text.find("Disk protected or full during compression"),
              std::string::npos)
        << prompter.Boxes[0].Text;

    dialogs.SaveClicks = {SavePackForm::Report};
    dialogs.SaveStates = {CheckState::Unchecked};
    console->ActionSaveExecute();
    EXPECT_EQ(prompter.LastText(), "Binary file (.apx) could not be saved in ..\\apx directory");
    EXPECT_EQ(prompter.Boxes.back().Kind, base::MessageKind::Error);
}

TEST_F(Save, DocumentsOpenThroughTheShell) {
    Built(true, true);
    console->ActionReportExecute();
    console->ActionManualExecute();
    EXPECT_EQ(shell.Opened,
              (std::vector<std::string>{fs::absolute(Bin / "PackReport.pdf").string(),
                                        fs::absolute(Bin / "PackManual.pdf").string()}));
    EXPECT_TRUE(prompter.Boxes.empty());
    shell.Result = false;
    console->ActionManualExecute();
    EXPECT_EQ(prompter.LastText(), "PDF file Reader is not installed on this computer");
    EXPECT_EQ(prompter.Boxes.back().Kind, base::MessageKind::Information);
}

}  // namespace
}  // namespace kv::console::testing
