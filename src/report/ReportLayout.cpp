#include "report/ReportLayout.h"

#include <cstdio>
#include <stdexcept>

namespace kv::report {

namespace {

constexpr int IntroX[] = {71, 150, 306, 468, 85};

int Digit(char c, std::string_view item) {
    if (c < '0' || c > '9')
        throw std::invalid_argument("Bad layout item \"" + std::string(item) + "\"");
    return c - '0';
}

std::string_view TextAfterCode(std::string_view item, size_t codeLength) {
    if (item.size() < codeLength + 1 || item[codeLength] != ' ')
        throw std::invalid_argument("Bad layout item \"" + std::string(item) + "\"");
    return item.substr(codeLength + 1);
}

}  // namespace

TCell ParseCell(std::string_view item) {
    std::string_view name = TextAfterCode(item, 4);
    if (item[3] != 'L' && item[3] != 'C')
        throw std::invalid_argument("Bad cell \"" + std::string(item) + "\"");
    return {Digit(item[0], item) * 100 + Digit(item[1], item) * 10 + Digit(item[2], item), item[3],
            std::string(name)};
}

std::string CellItem(int width, const std::string& name) {
    char code[8];
    std::snprintf(code, sizeof code, "%03dC ", width % 1000);
    return code + name;
}

TIntroLine ParseIntroLine(std::string_view item) {
    std::string_view text = TextAfterCode(item, 3);
    const int position = Digit(item[0], item);
    if (position >= static_cast<int>(std::size(IntroX)) || (item[1] != 'B' && item[1] != 'R'))
        throw std::invalid_argument("Bad introduction line \"" + std::string(item) + "\"");
    return {IntroX[position], item[1] == 'B', Digit(item[2], item), std::string(text)};
}

TReportLayout::TReportLayout() {
    const TFont title{"Arial", 13, true, clNavy};
    const TFont heading{"Arial", 11, true, clNavy};
    const TFont data{"Arial", 9, false, 0};

    ListBoxIntro = {
        {"Times New Roman", 11, false, 0},
        {
            "0B0 Report:",
            "1R0 Model ..........................................",
            "2R0 Serial Number ...............................",
            "3R2 Date ......................",
            "4R1 The Configuration Report shows the settings of the instrument as delivered. "
            "You can use this report to",
            "4R2 record local (in-field) changes that are made to the instrument settings.",
            "0B0 Order Form:",
            "1R0 Customer .....................................",
            "2R0 Order Ref ......................................",
            "3R2 Date ......................",
            "4R1 The Configuration Order Form shows the default settings for this application. "
            "You can use this form to",
            "4R1 order an instrument to be configured with custom tags, engineering units and "
            "calibration settings prior",
            "4R1 to shipping. Note that custom tags and access levels cannot be changed in the "
            "field.",
            "4R1 Refer to the Application Brief and the Instrument Calibration chapter of the "
            "Operation Manual for",
            "4R1 a detailed description of the calibration settings and available options. "
            "If you use this form to customize",
            "4R2 an instrument, please indicate \"Configuration Order Form Attached\" on your "
            "purchase order.",
            "0B0 Cells with  * :",
            "1R2 Select from available options",
            "0B0 In-field Access:",
            "1R1 NV - Not Visible, DO - Display Only, PG - Programmable, PW - Password Protected",
            "1R1 PR - Included into Printout",
        }};

    ListBoxT1 = {title, {"100C Label Tag", "100C Unit Tag", "100C Access", "180C Setting"}};
    ListBoxT3 = {title, {"030C ", "180C Hertz (0...9999)", "180C K-Factor"}};
    ListBoxT4 = {title, {"030C ", "180C Input (0.000...0.999)", "180C Output (0.000...0.999)"}};
    ListBoxT5 = {title, {"030C ", "090C ", "180C Molar % (Fraction)"}};

    ListBoxH1 = {heading,
                 {"050L Default", "050L Custom", "050L Default", "050L Custom", "050L Default",
                  "050L Custom", "090L Default", "090L Custom / Local"}};
    ListBoxC1 = {data,
                 {"050L LabelTag1", "050L LabelTag2", "050L UnitTag1", "050L UnitTag2",
                  "050L Access", "050L Empty", "090L DefaultValue", "090L Empty"}};
    ListBoxH2 = {heading, {"240L Default", "240L Custom (30 characters maximum)"}};
    ListBoxC2 = {data, {"240L LowLimit", "240L HighLimit"}};
    ListBoxH3 = {
        heading,
        {"030L No.", "090L Default", "090L Custom / Local", "090L Default", "090L Custom / Local"}};
    ListBoxC3 = {
        data, {"030L DefaultValue", "090L LowLimit", "090L Empty", "090L HighLimit", "090L Empty"}};
    ListBoxH4 = {heading,
                 {"080L Item", "200L Preprogrammed", "200L Custom (30 characters maximum)"}};
    ListBoxC4 = {data, {"080L Item", "200L HighLimit", "200L Empty"}};
    ListBoxH5 = {heading, {"030L No.", "090L Item", "090L Default", "090L Custom / Local"}};
    ListBoxC5 = {data, {"030L DefaultValue", "090L Item", "090L HighLimit", "090L Empty"}};
    ListBoxH6 = {heading, {}};
    ListBoxC6 = {data, {}};
}

const std::vector<TSectionRef>& ReportSections() {
    static const std::vector<TSectionRef> sections = {
        {"VARIABLES", "Variables (Main Menu, etc.)"},
        {"PARAMETERS", "Application Parameters"},
        {"INPUTS", "Signal Inputs"},
        {"OUTPUTS", "Signal Outputs"},
        {"ALARMS", "Relay Alarms"},
        {"COMMS", "Communication Ports"},
        {"TIME_LOG", "Real Time Clock and Logging Settings"},
        {"SETUP", "Other Configuration Settings"},
        {"Messages", "Warning/Error/Alarm/Prompt Messages"},
        {"Report", "Headers/Footers (Printer Text)"},
        {"ID_FINP1_CORRECTION_FACTORS", ""},
        {"ID_FINP2_CORRECTION_FACTORS", ""},
        {"ID_AINP1_CORRECTION_FACTORS", ""},
        {"ID_AINP2_CORRECTION_FACTORS", ""},
        {"ID_AINP3_CORRECTION_FACTORS", ""},
        {"ID_AINP4_CORRECTION_FACTORS", ""},
        {"ID_PARAMETER_FACTORS", ""},
        {"Tables", "0"},
        {"Tables", "1"},
    };
    return sections;
}

}  // namespace kv::report
