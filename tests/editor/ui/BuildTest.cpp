// From the "Configuration" page to the firmware image: a value and a tag changed in a custom
// version in the window are what the H8/300 build of that version carries.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <fstream>

#include "EditorWindowFixture.h"

namespace kv::editor::ui::testing {
namespace {

using BuildAfterEditing = EditorWindow;

std::string ReadAll(const path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The image's big-endian single-precision number.
std::string BigEndian(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((bits >> shift) & 0xff);
    return out;
}

TEST_F(BuildAfterEditing, TheImageCarriesWhatWasChangedInTheWindow) {
    Start();
    std::vector<std::string> consoles;
    Main->Core().OnShowConsole = [&](const std::string& version) { consoles.push_back(version); };
    auto download = [&] {
        Main->PageControlMain->setCurrentIndex(0);
        Spin(30);
        ASSERT_TRUE(Main->Action(Command::Download)->isEnabled());
        Main->Action(Command::Download)->trigger();
        Spin(30);
        ASSERT_FALSE(consoles.empty()) << Prompter.LastText();
    };
    ChooseRow("FC01");
    download();
    const std::string factory = ReadAll(Bin() / "PackBinary.bin");

    NewVersion("FC01", "300001");
    ShowConfiguration();
    EditMode();
    Category("ALARMS");
    Item("Alarm 1 Setpoint");
    QTest::keyClicks(Page()->DBEditLabelTag2, "\b\b\b\b\b\b\bPLANT7");
    QLineEdit* value = Page()->DBEditDefaultValue;
    value->setFocus();
    value->selectAll();
    QTest::keyClicks(value, "12.345");
    QTest::keyClick(value, Qt::Key_Return);
    ASSERT_EQ(Stored("ID_ALARM1_SETPOINT", "DefaultValue"), "12.345") << Prompter.LastText();
    download();
    EXPECT_EQ(consoles.back(), "758-FC01-300001");
    const std::string custom = ReadAll(Bin() / "PackBinary.bin");

    EXPECT_EQ(custom.size(), factory.size());
    EXPECT_EQ(factory.find("PLANT7"), std::string::npos);
    EXPECT_NE(custom.find("PLANT7"), std::string::npos);
    EXPECT_EQ(factory.find(BigEndian(12.345f)), std::string::npos);
    EXPECT_NE(custom.find(BigEndian(12.345f)), std::string::npos);
    EXPECT_NE(factory.find(BigEndian(90.0f)), std::string::npos);  // the factory setpoint
}

}  // namespace
}  // namespace kv::editor::ui::testing
