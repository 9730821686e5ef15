#include <filesystem>
#include <iostream>
#include <map>
#include <regex>

#include "CliSupport.h"
#include "CommandLine.h"
#include "Validators.h"
#include "builder/Identity.h"
#include "editor/ProductCodes.h"
#include "report/VersionSource.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

struct ChoiceOption {
    const char* Name;
    int Tag;
    const char* Help;
};

// In the order of the code, so that the options are chosen before the relay type they govern.
constexpr ChoiceOption ChoiceOptions[] = {{"enclosure", 3, "Enclosure"},
                                          {"options", 4, "Options"},
                                          {"relay", 5, "Relay type (758) or extra options (746)"},
                                          {"power", 6, "Power supply"},
                                          {"display", 7, "Display"},
                                          {"coating", 8, "PCB protection"}};

struct OrderCodeOptions {
    std::string Application, Install;
    std::map<std::string, std::string> Choices;  // option name to code character
};

const CLI::Validator ApplicationName(
    [](std::string& name) -> std::string {
        static const std::regex form("(746|758)-[A-Z]{2}[0-9]{2}");
        return std::regex_match(name, form)
                   ? ""
                   : "\"" + name + "\" is not a MODEL-PACK (such as 758-FP01)";
    },
    "");

std::string Listed(const std::string& characters) {
    std::string listed;
    for (char c : characters) listed += (listed.empty() ? "" : ", ") + std::string(1, c);
    return listed;
}

int OrderCode(const OrderCodeOptions& options) {
    const fs::path install = fs::absolute(options.Install);
    EnterInstallation(install);
    const std::string model = options.Application.substr(0, 3),
                      pack = options.Application.substr(4, 4);
    const std::string version = options.Application + "-000000";
    kv::editor::ProductCodes codes;
    const int shown = codes.FormShow({pack, model, kv::report::ReportSourceOf(version).Title,
                                      "Class " + kv::builder::GetCardClass(version)});
    kv::editor::ProductCodesPage& page = codes.Pages.at(shown);

    for (const ChoiceOption& option : ChoiceOptions) {
        const auto chosen = options.Choices.find(option.Name);
        if (chosen == options.Choices.end()) continue;
        const std::string& value = chosen->second;
        const kv::editor::ChoiceGroup& group = page.Group(option.Tag);
        const std::string valid = group.ValidCharacters();
        if (value.size() != 1 || !codes.ChooseCharacter(page, option.Tag, value[0]))
            throw UsageError("--" + std::string(option.Name) + " takes " +
                             (valid.size() == 1 ? "only " : "one of ") + Listed(valid) +
                             (group.Enabled ? "" : " with these options") + ", not \"" + value +
                             "\"");
    }
    for (const std::string& line : page.Summary) std::cout << line << "\n";
    return 0;
}

}  // namespace

void AddOrderCodeCommand(CLI::App& app, int& status) {
    CLI::App* command =
        NewCommand(app, "order-code",
                   "Prints the nine lines of the product codes page for the application\n"
                   "MODEL-PACK of the installation DIR, the order code of its hardware on the\n"
                   "third. Each choice takes the code character of an entry (the first\n"
                   "character of its text); the others keep their defaults. On model 758\n"
                   "options 0 allow relay type 1 only. A refused character is named with\n"
                   "the valid ones (exit status 2).");
    auto options = std::make_shared<OrderCodeOptions>();
    command->add_option("MODEL-PACK", options->Application, "The application, such as 758-FP01")
        ->required()
        ->check(ApplicationName);
    for (const ChoiceOption& option : ChoiceOptions)
        command
            ->add_option_function<std::string>(
                "--" + std::string(option.Name),
                [options, name = std::string(option.Name)](const std::string& value) {
                    options->Choices[name] = value;
                },
                option.Help)
            ->type_name("C");
    AddInstallOption(*command, options->Install);
    command->callback([options, &status] { status = OrderCode(*options); });
}

}  // namespace cli
