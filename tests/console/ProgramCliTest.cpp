// 740-cli program as a program: its exit status and lines when no unit answers.
#include "ProgramCommand.h"

namespace kv::console::testing {
namespace {

TEST_F(ProgramCommand, ExitStatusAndMessagesWithoutAUnit) {
    WriteFile(Dir / "758-FP01-000000.apx", BuildImage({}));
    WriteFile(Dir / "758-FP02-000000.apx", BuildImage({}));
    WriteFile(Dir / "758-FP01-000001.apl", std::vector<uint8_t>(100, 0x41));
    const std::string file = (Dir / "758-FP01-000000.apx").string();
    const std::string dir = " --dir " + Work.string();
    struct Case {
        std::string arguments;
        int status;
        std::string expected;
    } cases[] = {
        {file + dir, 1, "Unit 1 of 1, serial 000000, tag UNIT-1: Comms test failed - no response"},
        {file + dir, 1, "758-FP01-000000.apx - Original Model 758, Class 02"},
        {file + dir, 1, "no port 38400 ODD: Comms test failed - no port available"},
        {(Dir / "758-FP01-000009.apx").string() + dir, 1,
         "Application file not found: " + (Dir / "758-FP01-000009.apx").string()},
        {(Dir / "758-FP01-000001.apl").string() + dir, 1,
         "Application file is damaged: " + (Dir / "758-FP01-000001.apl").string() +
             " (Can't recognize compressed file header)"},
        {(Dir / "758-FP02-000000.apx").string() + dir, 1, "Invalid Application File Name/Contents"},
        {file + dir + " --serial 12345", 1, "Invalid Serial Number: please enter 6-digit number"},
        {file + dir + " --tag 'A#1'", 1, "does not fit the tag field"},
        {file + dir + " --tag 'A#1'", 1, "tag A#1: Unit tag"},  // the refused tag, not the default
        {file + dir + " --serials 000005..000001", 2, "runs backwards"},
        {file + dir + " --serial 000001 --serials 000001..000002", 2, "only one of"},
        {file + " --dir " + (Dir / "missing").string(), 2, "does not exist"},
        {file + dir + " --serials 000001..000003 --keep-going --yes", 1,
         "Programmed 0 of 3 units, 3 failed, 0 not attempted"},
        {file + dir + " --serials 000001..000003", 1,
         "Programmed 0 of 3 units, 1 failed, 2 not attempted"},
    };
    for (const auto& c : cases) {
        CliResult run = RunProgram(PortMap({}), c.arguments);
        EXPECT_EQ(run.Status, c.status) << c.arguments << "\n" << run.Output;
        EXPECT_NE(run.Output.find(c.expected), std::string::npos) << c.arguments << "\n"
                                                                  << run.Output;
        EXPECT_EQ(run.Output.find("COM0"), std::string::npos)
            << "the end of the port walk is no port\n"
            << run.Output;
    }
    EXPECT_FALSE(fs::exists(Work / "PackBinary.bin")) << "the working files go when the run ends";
}

}  // namespace
}  // namespace kv::console::testing
