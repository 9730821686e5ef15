// 740-cli order-code over the staged demo installation, which it only reads.
#include <gtest/gtest.h>

#include <string>

#include "support/CliRun.h"

namespace {

using kv::testing::CliResult;

CliResult OrderCode(const std::string& arguments) {
    return kv::testing::RunCli("order-code " + arguments + " --install " + KV740_DEMO_INSTALL);
}

TEST(OrderCodeCli, PrintsThePageOfTheApplication) {
    const CliResult result =
        OrderCode("758-FP01 --options 3 --relay 2 --power D --coating C --enclosure 4");
    ASSERT_EQ(result.Status, 0) << result.Output;
    EXPECT_EQ(result.Output,
              "758-FP01 Instrument    \"Pulse Input Flow Rate Totaliser\"    (Class 02)\n"
              "\n"
              "Model:\t\t758.432DSC-FP01\n"
              "Enclosure:\t4 - Explosion proof 'Ex d' enclosure with NPT glands\n"
              "Options:\t\t3 - 4 logic inputs, 2 isolated outputs, 4 relays, RTC logging, RS232 "
              "and RF ports\n"
              "Relay Type:\t2 - Electromechanical (2) and solid state (2) relays\n"
              "Power Supply:\tD - Input for 12-28 VDC power only\n"
              "Display:\t\tS - Standard option (now with backlight and LCD backup)\n"
              "PCB Protection:\tC - Conformal coating - required for maximum environmental "
              "operating range\n");

    const CliResult defaults = OrderCode("746-FG01");
    ASSERT_EQ(defaults.Status, 0) << defaults.Output;
    EXPECT_EQ(defaults.Output.substr(0, defaults.Output.find("Enclosure")),
              "746-FG01 Instrument    \"Flow Totaliser With Two Totals\"    (Class "
              "01)\n\nModel:\t\t746.112ESN-FG01\n");
}

TEST(OrderCodeCli, NamesTheValidCharactersOfARefusedChoice) {
    struct Case {
        const char* Arguments;
        const char* Message;
    };
    const Case cases[] = {
        {"758-FP01 --power A", "--power takes one of U, D, not \"A\""},
        {"758-FP01 --options 0 --relay 3", "--relay takes only 1 with these options, not \"3\""},
        {"746-FC01 --relay 1", "--relay takes only 2, not \"1\""},
        {"746-FC01 --enclosure 12", "--enclosure takes one of 1, 2, 3, 4, 5, 6, not \"12\""},
        {"758-FP1", "\"758-FP1\" is not a MODEL-PACK"},
    };
    for (const Case& c : cases) {
        const CliResult result = OrderCode(c.Arguments);
        EXPECT_NE(result.Status, 0) << c.Arguments;
        EXPECT_NE(result.Output.find(c.Message), std::string::npos) << c.Arguments << "\n"
                                                                    << result.Output;
    }
    const CliResult unknown = OrderCode("758-ZZ01");
    EXPECT_EQ(unknown.Status, 1);
    EXPECT_NE(unknown.Output.find("The catalogue holds no version 758-ZZ01-000000"),
              std::string::npos)
        << unknown.Output;
}

}  // namespace
