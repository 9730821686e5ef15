// The product codes page without windows: defaults, the summary's lines, the 758 relay rule
// and what a second showing keeps.
#include <gtest/gtest.h>

#include "editor/ProductCodes.h"

namespace kv::editor {
namespace {

const ProductSelection FlowComputer746{"FC01", "746", "Flow Computer", "Class 01"};
const ProductSelection Totaliser758{"FP01", "758", "Pulse Input Flow Rate Totaliser", "Class 02"};

TEST(ProductCodes, DefaultsOfEachModelFillTheNineLines) {
    struct Case {
        ProductSelection Selection;
        int Page;
        std::vector<std::string> Summary;
    };
    const Case cases[] = {
        {FlowComputer746,
         0,
         {"746-FC01 Instrument    \"Flow Computer\"    (Class 01)", "", "Model:\t\t746.112ESN-FC01",
          "Enclosure:\t1 - Panel mount enclosure",
          "Options:\t\t1 - 1 logic input, 2 pulse outputs, 2 relays, RS232/RS485, RTC logging, "
          "4-20 mA output",
          "Extra Options:\t2 - DB9 connector for RS232 port",
          "Power Supply:\tE - Inputs for 12-28 VDC and 220/240 VAC",
          "Display:\t\tS - Standard option (now with backlight and LCD backup)",
          "PCB Protection:\tN - No coating - suitable for normal climatic conditions up to Class "
          "B2, IEC 654-1"}},
        {Totaliser758,
         1,
         {"758-FP01 Instrument    \"Pulse Input Flow Rate Totaliser\"    (Class 02)", "",
          "Model:\t\t758.111USN-FP01", "Enclosure:\t1 - Panel mount enclosure",
          "Options:\t\t1 - 4 logic inputs, 2 isolated outputs, 4 relays, RTC logging, RS232 and "
          "RS485 ports",
          "Relay Type:\t1 - Electromechanical relays only",
          "Power Supply:\tU - Inputs for 12-28 VDC and 100-240 VAC (replaces: A - 110 /120 VAC and "
          "E - 220/240 VAC)",
          "Display:\t\tS - Standard option (now with backlight and LCD backup)",
          "PCB Protection:\tN - No coating - suitable for normal climatic conditions up to Class "
          "B2, IEC 654-1"}},
    };
    for (const Case& c : cases) {
        ProductCodes codes;
        ASSERT_EQ(codes.FormShow(c.Selection), c.Page);
        EXPECT_EQ(codes.Pages[c.Page].Summary, c.Summary) << c.Selection.Model;
    }
}

TEST(ProductCodes, EveryChoiceLandsInTheCodeAtItsPosition) {
    ProductCodes codes;
    codes.FormShow(Totaliser758);
    ProductCodesPage& page = codes.Pages[1];
    codes.RadioGroupClick(page, 3, 5);  // enclosure 6
    codes.RadioGroupClick(page, 4, 3);  // options 3
    codes.RadioGroupClick(page, 5, 2);  // relay 3
    codes.RadioGroupClick(page, 6, 1);  // power D
    codes.RadioGroupClick(page, 8, 0);  // coating C
    EXPECT_EQ(page.Summary[2], "Model:\t\t758.633DSC-FP01");
    EXPECT_EQ(page.Summary[3],
              "Enclosure:\t6 - Explosion proof 'Ex d' enclosure with NPT glands and heater");
    EXPECT_EQ(page.Summary[8],
              "PCB Protection:\tC - Conformal coating - required for maximum environmental "
              "operating range");
    EXPECT_EQ(codes.OrderCode(page), "758.633DSC-FP01");
}

TEST(ProductCodes, Options0Of758FixTheRelayTypeUntilAnotherOptionIsChosen) {
    ProductCodes codes;
    codes.FormShow(Totaliser758);
    ProductCodesPage& page = codes.Pages[1];
    codes.RadioGroupClick(page, 5, 2);
    ASSERT_EQ(codes.OrderCode(page), "758.113USN-FP01");

    codes.RadioGroupClick(page, 4, 0);
    EXPECT_FALSE(page.Group(5).Enabled);
    EXPECT_EQ(page.Group(5).ItemIndex, 0);
    EXPECT_EQ(page.Summary[5], "Relay Type:\t1 - Electromechanical relays only");
    EXPECT_EQ(page.Summary[2], "Model:\t\t758.101USN-FP01");
    EXPECT_EQ(page.Group(5).ValidCharacters(), "1");
    codes.RadioGroupClick(page, 5, 1);  // a greyed-out group takes no choice
    EXPECT_EQ(codes.OrderCode(page), "758.101USN-FP01");

    codes.RadioGroupClick(page, 4, 2);
    EXPECT_TRUE(page.Group(5).Enabled);
    EXPECT_EQ(page.Group(5).ValidCharacters(), "123");
    codes.RadioGroupClick(page, 5, 1);
    EXPECT_EQ(codes.OrderCode(page), "758.122USN-FP01");
}

TEST(ProductCodes, Options0Of746LeaveTheExtraOptionsAlone) {
    ProductCodes codes;
    codes.FormShow(FlowComputer746);
    codes.RadioGroupClick(codes.Pages[0], 4, 0);
    EXPECT_TRUE(codes.Pages[0].Group(5).Enabled);
    EXPECT_EQ(codes.OrderCode(codes.Pages[0]), "746.102ESN-FC01");
}

TEST(ProductCodes, ASecondShowingKeepsTheChoicesOnlyForTheSamePack) {
    ProductCodes codes;
    codes.FormShow(Totaliser758);
    codes.RadioGroupClick(codes.Pages[1], 4, 0);
    codes.RadioGroupClick(codes.Pages[0], 3, 1);  // the other model's page is kept as well

    codes.FormShow(Totaliser758);
    EXPECT_EQ(codes.OrderCode(codes.Pages[1]), "758.101USN-FP01");
    EXPECT_FALSE(codes.Pages[1].Group(5).Enabled);
    EXPECT_EQ(codes.Pages[0].Group(3).ItemIndex, 1);

    // The same pack number on the other model keeps the choices but shows the new title.
    const ProductSelection sameNumber{"FP01", "746", "Pulse Input Flow Rate Totaliser (746)",
                                      "Class 02"};
    EXPECT_EQ(codes.FormShow(sameNumber), 0);
    EXPECT_EQ(codes.Pages[0].Summary[0],
              "746-FP01 Instrument    \"Pulse Input Flow Rate Totaliser (746)\"    (Class 02)");
    EXPECT_EQ(codes.OrderCode(codes.Pages[0]), "746.212ESN-FP01");

    const ProductSelection other{"ST01", "758", "Steam Mass Computer", "Class 02"};
    codes.FormShow(other);
    EXPECT_EQ(codes.OrderCode(codes.Pages[1]), "758.111USN-ST01");
    EXPECT_TRUE(codes.Pages[1].Group(5).Enabled);
    EXPECT_EQ(codes.OrderCode(codes.Pages[0]), "746.112ESN-ST01");
}

TEST(ProductCodes, ChoosingByCharacterTakesOnlyWhatTheGroupOffers) {
    ProductCodes codes;
    codes.FormShow(FlowComputer746);
    ProductCodesPage& page = codes.Pages[0];
    EXPECT_EQ(page.Group(6).ValidCharacters(), "AED");
    EXPECT_TRUE(codes.ChooseCharacter(page, 6, 'D'));
    EXPECT_FALSE(codes.ChooseCharacter(page, 6, 'U'));
    EXPECT_FALSE(codes.ChooseCharacter(page, 6, 'd'));
    EXPECT_FALSE(codes.ChooseCharacter(page, 5, '1'));
    EXPECT_EQ(codes.OrderCode(page), "746.112DSN-FC01");
}

}  // namespace
}  // namespace kv::editor
