// Scratch directories go with whatever a test left in them, and with nothing outside them.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kv::testing {
namespace {

namespace fs = std::filesystem;

// Run as root nothing is read-only to the removal; the link to a file outside still counts.
TEST(TempDir, GoesWithReadOnlyContentsAndLeavesLinkTargetsAsTheyWere) {
    const TempDir outside;
    const fs::path target = outside / "target.txt";
    std::ofstream(target) << "keep";
    fs::permissions(target, fs::perms::owner_read);
    fs::path made;
    {
        const TempDir dir;
        made = dir.Path();
        EXPECT_TRUE(fs::is_directory(made));
        EXPECT_EQ(made.parent_path(), fs::temp_directory_path());
        fs::create_directories(dir / "sealed/inner");
        std::ofstream(dir / "sealed/inner/file.bin") << "x";
        fs::create_symlink(target, dir / "sealed/link");
        fs::permissions(dir / "sealed/inner", fs::perms::owner_read | fs::perms::owner_exec);
        fs::permissions(dir / "sealed", fs::perms::owner_read | fs::perms::owner_exec);
    }
    EXPECT_FALSE(fs::exists(made));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read);
    std::string text;
    std::ifstream(target) >> text;
    EXPECT_EQ(text, "keep");
    fs::permissions(target, fs::perms::owner_all);
}

TEST(TempDir, UnderAParentAndUniqueEachTime) {
    const TempDir parent;
    const TempDir first(parent.Path()), second(parent.Path());
    EXPECT_EQ(first.Path().parent_path(), parent.Path());
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_TRUE(fs::is_empty(first.Path()));
}

}  // namespace
}  // namespace kv::testing
