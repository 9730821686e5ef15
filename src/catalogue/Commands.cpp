#include "catalogue/Commands.h"

namespace kv::catalogue {

namespace {

struct CommandInfo {
    const char* Object;
    const char* Caption;
    const char* Hint;
};

constexpr std::array<CommandInfo, CommandCount> Infos = {{
    {"ActionNew", "&New", "Create New Instrument"},
    {"ActionEdit", "&Edit", "Edit Selected Instrument"},
    {"ActionDelete", "&Delete", "Delete Selected Instrument"},
    {"ActionDownload", "Do&wnload", "Download Selected Instrument"},
    {"ActionNote", "&Report", "View Configuration Report"},
    {"ActionBrief", "&Brief", "View Application Brief"},
    {"ActionManual", "&Manual", "View Application Manual"},
    {"ActionExit", "E&xit", "Exit From Program Manager"},
    {"ActionShow", "", ""},
    {"ActionOptions", "&Options", "Edit Options"},
    {"ActionModels", "Order &Codes", "Product Codes"},
}};

}  // namespace

CommandState InitialState(Command command) {
    const CommandInfo& info = Infos[static_cast<size_t>(command)];
    return {info.Caption, info.Hint, true, false};
}

const char* ObjectName(Command command) {
    return Infos[static_cast<size_t>(command)].Object;
}

const char* CaptionOf(Page page) {
    static constexpr std::array<const char*, PageCount> captions = {
        "Instruments", "Configuration", "Messages", "Printer Text", "Developer"};
    return captions[static_cast<size_t>(page)];
}

CatalogueButtons InitialCatalogueButtons() {
    return {{{"FLOW", "Flow Computers (Rate Totalisers)"},
             {"STEAM", "Steam Computers"},
             {"GAS", "Gas Computers"},
             {"HEAT", "Heat Calculators"},
             {"LOAD", "Load Controllers"},
             {"BATCH", "Batch Controllers"},
             {"CONTROL", "Process Controllers"},
             {"OTHER", "Other Applications"}}};
}

ConfigurationButtons InitialConfigurationButtons() {
    return {{{"VARIABLES", "Variables (Main Menu, etc.)"},
             {"PARAMETERS", "Application Parameters"},
             {"INPUTS", "Signal Inputs"},
             {"OUTPUTS", "Signal Outputs"},
             {"ALARMS", "Relay Alarms"},
             {"COMMS", "Communication Ports"},
             {"TIME_LOG", "Real Time Clock and Logging Settings"},
             {"SETUP", "Other Configuration Settings"}}};
}

MessagesButtons InitialMessagesButtons() {
    return {{{"ERRORS", "Error Messages"},
             {"WARNINGS", "Warning Messages"},
             {"ALARMS", "Alarm Messages"},
             {"PROMPTS", "Prompt Messages"}}};
}

PrinterButtons InitialPrinterButtons() {
    return {{{"HEADERS", "Printer Protocol Headers"}, {"FOOTERS", "Printer Protocol Footers"}}};
}

std::string MenuWord(Page page, const std::string& caption) {
    return page == Page::Messages && caption == "ALARMS" ? "RELAYS" : caption;
}

}  // namespace kv::catalogue
