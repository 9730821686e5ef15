// 740-cli version: custom versions made, described and deleted by the manager's own rules.
#include <filesystem>
#include <iostream>
#include <memory>

#include "CliSupport.h"
#include "CommandLine.h"
#include "Validators.h"
#include "builder/Identity.h"
#include "catalogue/CreatorSetting.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionLifecycle.h"
#include "catalogue/VersionTexts.h"
#include "report/TFormPdf.h"
#include "store/Table.h"

namespace cli {

namespace {

namespace fs = std::filesystem;
namespace cat = kv::catalogue;

struct VersionOptions {
    std::string Version, Install, Code, Title, Description, Creator;
    // Which of the optional texts were given.
    CLI::Option* TitleGiven = nullptr;
    CLI::Option* DescriptionGiven = nullptr;
    CLI::Option* CreatorGiven = nullptr;
};

// Tables are found relative to the installation's bin directory, as in the programs.
cat::VersionName EnterVersionInstallation(const VersionOptions& options) {
    cli::EnterInstallation(fs::absolute(options.Install));
    return *cat::ParseVersionName(options.Version);
}

void Print(const cat::PackRecord& record) {
    const std::pair<const char*, const std::string*> lines[] = {
        {cat::text::LabelTitle, &record.Title},
        {cat::text::LabelModel, &record.Model},
        {cat::text::LabelPack, &record.Pack},
        {cat::text::LabelDescription, &record.Description},
        {cat::text::LabelCreator, &record.Creator},
        {cat::text::LabelDate, &record.Date},
        {cat::text::LabelCode, &record.Code},
        {cat::text::LabelCustomTitle, &record.CustomTitle},
        {cat::text::LabelCustomDescription, &record.CustomDescription},
    };
    for (const auto& [label, value] : lines) std::cout << label << ": " << *value << "\n";
}

int Show(const VersionOptions& options) {
    Print(cat::FindPackRecord(EnterVersionInstallation(options)));
    return 0;
}

int New(const VersionOptions& options) {
    const cat::VersionName source = EnterVersionInstallation(options);
    if (!kv::store::Table::Exists(cat::VersionTablePath(source)))
        throw Failure(cat::text::NotAvailable);
    cat::PackRecord record = cat::FindPackRecord(source);
    record.Code = options.Code;
    if (const std::string refusal =
            cat::NewVersionRefusal({record.Model, record.Pack, record.Code});
        !refusal.empty())
        throw Failure(refusal);

    record.Date = cat::DateText(kv::report::Today());
    record.Creator = options.CreatorGiven->count()
                         ? options.Creator
                         : cat::CreatorDefault(kv::builder::RevisionText(source.Model));
    record.CustomTitle = options.TitleGiven->count() ? options.Title : cat::text::NewVersionTitle;
    if (options.DescriptionGiven->count()) record.CustomDescription = options.Description;
    // The manager makes the user pack table at its first start; so does this command.
    if (!kv::store::Table::Exists(cat::UserPackTable()))
        kv::store::Table::Create(cat::UserPackTable(), cat::PackTableFields());
    cat::CreateVersion(record, cat::VersionTablePath(source));
    Print(record);
    return 0;
}

int Edit(const VersionOptions& options) {
    const cat::VersionName version = EnterVersionInstallation(options);
    if (version.IsFactory()) throw Failure(cat::text::FactoryNotEditable);
    cat::PackRecord record = cat::FindPackRecord(version);
    if (options.TitleGiven->count()) record.CustomTitle = options.Title;
    if (options.DescriptionGiven->count()) record.CustomDescription = options.Description;
    cat::UpdateVersionRecord(record);
    Print(record);
    return 0;
}

int Delete(const VersionOptions& options) {
    const cat::VersionName version = EnterVersionInstallation(options);
    if (version.IsFactory()) throw Failure(cat::text::CannotDelete);
    if (!cat::DeleteVersionRecord(version))
        throw Failure("The catalogue holds no version " + version.Text());
    if (kv::store::Table::Exists(cat::VersionTablePath(version))) cat::DeleteVersionTable(version);
    std::cout << "Deleted " << version.Text() << "\n";
    return 0;
}

CLI::Validator AtMost(size_t length) {
    return CLI::Validator(
        [length](std::string& text) {
            return text.size() > length ? "takes at most " + std::to_string(length) + " characters"
                                        : std::string();
        },
        "");
}

const CLI::Validator CodeDigits(
    [](std::string& code) {
        return code.size() > cat::CodeLength ||
                       code.find_first_not_of("0123456789") != std::string::npos
                   ? "\"" + code + "\" is not a version code (up to six digits)"
                   : std::string();
    },
    "");

// The title and description of a version record.
void AddTexts(CLI::App& command, VersionOptions& options) {
    options.TitleGiven = command.add_option("--title", options.Title, "The version title")
                             ->type_name("T")
                             ->check(AtMost(50));
    options.DescriptionGiven =
        command.add_option("--description", options.Description, "The version description")
            ->type_name("D")
            ->check(AtMost(cat::CustomDescriptionLength));
}

}  // namespace

void AddVersionCommand(CLI::App& app, int& status) {
    CLI::App* version = NewCommand(app, "version", "Custom versions, by the manager's rules.");
    version->require_subcommand(1);
    // Each command with options of its own, so that "given" means given to that command.
    auto add = [&](const char* name, const char* description, int (*run)(const VersionOptions&)) {
        auto options = std::make_shared<VersionOptions>();
        CLI::App* command = NewCommand(*version, name, description);
        AddVersionArgument(*command, options->Version);
        AddInstallOption(*command, options->Install);
        command->callback([options, run, &status] { status = run(*options); });
        return std::pair{command, options};
    };

    add("show", "Prints the catalogue record of the version.", Show);

    auto [create, made] =
        add("new",
            "Makes the custom version with code NNNNNN from the version (factory or custom):\n"
            "its catalogue record (title \"Custom Instrument\", the description of the\n"
            "version, the installation's creator unless given) and a copy of its item\n"
            "table, both or neither. Refused with the manager's message (\"Number of\n"
            "characters is not sufficient\", \"This version already exists\"), exit status 1.",
            New);
    create->add_option("--code", made->Code, "The new version's code")
        ->type_name("NNNNNN")
        ->required()
        ->check(CodeDigits);
    AddTexts(*create, *made);
    made->CreatorGiven = create->add_option("--creator", made->Creator, "Who creates it")
                             ->type_name("C")
                             ->check(AtMost(30));

    auto [edit, edited] =
        add("edit",
            "Changes the title and description in the catalogue record of a custom\n"
            "version; its items stay as they are. A factory version is refused.",
            Edit);
    AddTexts(*edit, *edited);

    add("delete",
        "Deletes a custom version: its catalogue record, then its item table. A factory\n"
        "version is refused (\"Instrument cannot be deleted\").",
        Delete);
}

}  // namespace cli
