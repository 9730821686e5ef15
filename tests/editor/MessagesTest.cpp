// User texts of messages and printer lines: which items, which characters, how long.
#include "DataTableFixture.h"
#include "editor/Messages.h"

namespace kv::editor::testing {
namespace {

TEST(UserTexts, KindFollowsTheMenuWithAlarmsAsRelays) {
    const std::pair<const char*, TextKind> cases[] = {
        {"OP_MENU_ERRORS", TextKind::Message},      {"OP_MENU_WARNINGS", TextKind::Message},
        {"OP_MENU_RELAYS", TextKind::Message},      {"OP_MENU_PROMPTS_HIDDEN", TextKind::Message},
        {"OP_MENU_HEADERS", TextKind::PrinterLine}, {"OP_MENU_FOOTERS", TextKind::PrinterLine},
        {"OP_MENU_ALARMS", TextKind::None},         {"OP_MENU_PARAMETERS", TextKind::None},
    };
    for (const auto& [menu, kind] : cases) EXPECT_EQ(TextKindOf(menu), kind) << menu;
}

TEST(UserTexts, CharactersAndLengthOfEachKind) {
    struct Case {
        TextKind Kind;
        std::string Text;
        bool Taken;
    } cases[] = {
        {TextKind::Message, "HIGH ALARM 2 @ 50%", true},
        {TextKind::Message, "OPERATOR'S", false},
        {TextKind::Message, "LOW, HIGH", false},
        {TextKind::Message, "END.", false},
        {TextKind::Message, "\"X\"", false},
        {TextKind::PrinterLine, "TICKET NO. 5, (COPY): <A>", true},
        {TextKind::PrinterLine, "OPERATOR'S COPY", false},
        {TextKind::PrinterLine, "\"COPY\"", false},
        {TextKind::PrinterLine, "A[1]", false},
        {TextKind::PrinterLine, std::string(30, 'X'), true},
        {TextKind::PrinterLine, std::string(31, 'X'), false},
        {TextKind::None, "TEXT", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserTextRefusal(c.Kind, c.Text).empty(), c.Taken) << c.Text;
    EXPECT_EQ(UserTextRefusal(TextKind::Message, "A'B"),
              "The character \"'\" cannot be typed in a message");
    EXPECT_FALSE(UserTextKeyPasses(TextKind::PrinterLine, '\''));
    EXPECT_TRUE(UserTextKeyPasses(TextKind::PrinterLine, '\b'));
}

TEST(UserTexts, ThePrinterGridAlwaysEditsTheUserText) {
    EXPECT_EQ(PrintTextColumnEnter(0), 1);
    EXPECT_EQ(PrintTextColumnEnter(1), 1);
}

using MessagesOnVersion = DataTableFixture;

TEST_F(MessagesOnVersion, AUserTextIsPostedOrRefusedWithoutAWrite) {
    ASSERT_TRUE(Version.Locate("ID", {"ID_HEADER_2"}));
    SetUserText(Version, "DELIVERY NOTE");
    store::Table check(CustomVersion);
    check.Open();
    ASSERT_TRUE(check.Locate("ID", {"ID_HEADER_2"}));
    EXPECT_EQ(check.FieldByName("HighLimit").AsString(), "DELIVERY NOTE");
    EXPECT_EQ(check.FieldByName("LowLimit").AsString(), "TICKET REPORT") << "the default stays";

    const std::string before = ReadBytes(CustomVersion);
    EXPECT_THROW(SetUserText(Version, "DRIVER'S COPY"), std::invalid_argument);
    EXPECT_THROW(SetUserText(Version, std::string(31, 'A')), std::invalid_argument);
    ASSERT_TRUE(Version.Locate("ID", {"ID_HEAT_FLUID_TABLE"}));
    EXPECT_THROW(SetUserText(Version, "X"), std::invalid_argument);
    EXPECT_EQ(ReadBytes(CustomVersion), before);
}

}  // namespace
}  // namespace kv::editor::testing
