// 740-cli text: the user text of a message or printer line of a custom version.
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "CliSupport.h"
#include "CommandLine.h"
#include "Validators.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"
#include "editor/Messages.h"
#include "store/Table.h"

namespace cli {

namespace {

namespace cat = kv::catalogue;

struct TextOptions {
    std::string Version, Id, Text, Install;
};

int Set(const TextOptions& options) {
    EnterInstallation(std::filesystem::absolute(options.Install));
    const cat::VersionName name = *cat::ParseVersionName(options.Version);
    if (name.IsFactory()) throw Failure(cat::text::FactoryNotEditable);
    RequireVersionTable(name);
    kv::store::Table version(cat::VersionTablePath(name));
    version.Open();
    if (!version.Locate("ID", {options.Id}))
        throw Failure("the version " + name.Text() + " holds no item " + options.Id);
    try {
        kv::editor::SetUserText(version, options.Text);
    } catch (const std::invalid_argument& refusal) {
        throw Failure(refusal.what());
    }
    std::cout << version.FieldByName("Item").AsString() << ": "
              << version.FieldByName("HighLimit").AsString() << "\n";
    return 0;
}

}  // namespace

void AddTextCommand(CLI::App& app, int& status) {
    CLI::App* text = NewCommand(app, "text", "User texts of messages and printer lines.");
    text->require_subcommand(1);
    auto options = std::make_shared<TextOptions>();
    CLI::App* set =
        NewCommand(*text, "set",
                   "Makes TEXT the user text of the message or printer line ID (error,\n"
                   "warning, alarm, prompt, header or footer) of a custom version. Messages\n"
                   "take the characters of a user tag; printer lines at most 30 characters\n"
                   "without quotes, apostrophes, brackets and braces.");
    AddVersionArgument(*set, options->Version);
    set->add_option("ID", options->Id, "The item, such as ID_HEADER_1")->required();
    set->add_option("TEXT", options->Text, "The user text (may be empty)")->required();
    AddInstallOption(*set, options->Install);
    set->callback([options, &status] { status = Set(*options); });
}

}  // namespace cli
