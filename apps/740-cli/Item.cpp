// 740-cli item and factor: the items of a version listed and changed by the item pages' rules.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "CliSupport.h"
#include "CommandLine.h"
#include "Validators.h"
#include "builder/Identity.h"
#include "catalogue/Commands.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"
#include "editor/ItemEditor.h"
#include "editor/ValueEntry.h"
#include "editor/VersionViews.h"
#include "store/FileAccess.h"
#include "store/Table.h"

namespace cli {

namespace {

namespace fs = std::filesystem;
namespace cat = kv::catalogue;
namespace ed = kv::editor;

constexpr const char* ListedFields[] = {"ID",          "Item",    "Panel",     "DefaultValue",
                                        "Coefficient", "Access",  "LabelTag1", "LabelTag2",
                                        "UnitTag1",    "UnitTag2"};

struct ItemOptions {
    std::string Version, Install, Category, Id, Row;
    bool Csv = false;
    std::string Value, Choice, Unit, Access, Label, UnitTag, Input, Output;
    CLI::Option *ValueGiven = nullptr, *ChoiceGiven = nullptr, *UnitGiven = nullptr,
                *AccessGiven = nullptr, *LabelGiven = nullptr, *UnitTagGiven = nullptr,
                *InputGiven = nullptr, *OutputGiven = nullptr;
};

// The item editor over the views of one version table, as the window runs it.
struct Session {
    Session(const cat::VersionName& version, const std::string& table, bool readOnly)
        : Options(version.Model),
          Views(Options.Path()),
          Prompter("740-cli item"),
          Editor(Views.Datasets(), {Prompter,
                                    cat::FileExists,
                                    [pack = version.Pack] {
                                        return kv::builder::IsBatchPack(pack) ||
                                               kv::builder::IsLoadPack(pack);
                                    },
                                    {}}) {
        Views.Bind(table, readOnly);
        Editor.InstallValueChecks(Views.TableVersion, Views.TableFactors);
    }
    ScratchOptions Options;
    ed::VersionViews Views;
    LinePrompter Prompter;
    ed::ItemEditor Editor;
};

cat::VersionName Enter(const ItemOptions& options) {
    EnterInstallation(fs::absolute(options.Install));
    const cat::VersionName version = *cat::ParseVersionName(options.Version);
    RequireVersionTable(version);
    return version;
}

int List(const ItemOptions& options) {
    const cat::VersionName version = Enter(options);
    Session session(version, cat::VersionTablePath(version), true);
    kv::store::Table& items = session.Views.TableVersion;
    const char* separator = options.Csv ? "," : "\t";
    for (size_t i = 0; i < std::size(ListedFields); ++i)
        std::cout << (i ? separator : "") << ListedFields[i];
    std::cout << "\n";
    for (const cat::ButtonState& button : cat::InitialConfigurationButtons()) {
        if (!options.Category.empty() && options.Category != button.Caption) continue;
        items.SetFilter(std::string("Menu = 'OP_MENU_") + button.Caption + "*'");
        for (items.First(); !items.Eof(); items.Next()) {
            for (size_t i = 0; i < std::size(ListedFields); ++i) {
                const std::string value = items.FieldByName(ListedFields[i]).AsString();
                std::cout << (i ? separator : "") << (options.Csv ? CsvField(value) : value);
            }
            std::cout << "\n";
        }
    }
    return 0;
}

std::string Offered(const std::vector<ed::Choice>& choices, std::string ed::Choice::*shown) {
    std::string list;
    for (const ed::Choice& c : choices) list += (list.empty() ? "\"" : ", \"") + c.*shown + "\"";
    return list.empty() ? "nothing" : list;
}

std::string PageName(ed::ItemEditor& editor) {
    return editor.Shown() ? std::string("\"") + editor.Shown()->Caption + "\" page" : "its page";
}

// Runs a change on a scratch copy of the version table and puts the copy in place only when every
// part of it was taken, so that a refusal leaves the table as it was.
template <typename Change>
int ChangeVersion(const ItemOptions& options, Change change) {
    const cat::VersionName version = Enter(options);
    if (version.IsFactory()) throw Failure(cat::text::FactoryNotEditable);
    const std::string table = cat::VersionTablePath(version);
    const fs::path original = kv::store::NativePath(table);
    const fs::path scratch = original.parent_path() / ("~" + original.filename().string());
    fs::copy_file(original, scratch, fs::copy_options::overwrite_existing);
    const std::string scratchTable =
        table.substr(0, table.find_last_of('\\') + 1) + scratch.filename().string();
    try {
        {
            Session session(version, scratchTable, false);
            if (!session.Views.GotoItem(options.Id))
                throw Failure("The version " + version.Text() + " holds no item " + options.Id);
            session.Editor.SourceVersionDataChange();
            change(session);
            session.Editor.Post();
            session.Views.TableFactors.Post();
        }
        fs::rename(scratch, original);
    } catch (const ed::ValueError& e) {
        fs::remove(scratch);
        throw Failure(e.what());
    } catch (...) {
        std::error_code ignored;
        fs::remove(scratch, ignored);
        throw;
    }
    return 0;
}

int Set(const ItemOptions& options) {
    return ChangeVersion(options, [&](Session& s) {
        ed::ItemEditor& e = s.Editor;
        if (options.ValueGiven->count()) {
            if (!e.Shown() || !e.Shown()->ValueField)
                throw Failure(PageName(e) + " of " + options.Id + " has no value field");
            e.SetValue(options.Value);
        }
        auto choose = [&](const std::string& text, bool unit) {
            if (!(unit ? e.ChooseUnit(text) : e.Choose(text)))
                throw Failure("\"" + text + "\" is not offered by the " + PageName(e) + " of " +
                              options.Id + "; it offers " +
                              Offered(e.Shown() && e.Shown()->ChooserEditable &&
                                              (!unit || e.Shown()->SetsUnitTags)
                                          ? e.Choices()
                                          : std::vector<ed::Choice>{},
                                      &ed::Choice::Shown));
        };
        if (options.ChoiceGiven->count()) choose(options.Choice, false);
        if (options.UnitGiven->count()) choose(options.Unit, true);
        if (options.AccessGiven->count() && !e.AccessEnabled)
            throw Failure("The access or printout choice of " + options.Id +
                          " cannot be changed in this application");
        if (options.AccessGiven->count() && !e.ChooseAccess(options.Access))
            throw Failure("\"" + options.Access + "\" is not offered for " + options.Id +
                          "; it offers " + Offered(e.AccessChoices(), &ed::Choice::Description));
        auto tag = [&](const std::string& text, bool label) {
            if (!(label ? e.UserLabelEditable() : e.UserUnitEditable()))
                throw Failure(std::string("The user ") + (label ? "label" : "unit") +
                              " tag cannot be edited on the " + PageName(e));
            if (!(label ? e.SetUserLabel(text) : e.SetUserUnit(text)))
                throw Failure("\"" + text + "\" holds a character a tag cannot show");
        };
        if (options.LabelGiven->count()) tag(options.Label, true);
        if (options.UnitTagGiven->count()) tag(options.UnitTag, false);
    });
}

int FactorSet(const ItemOptions& options) {
    return ChangeVersion(options, [&](Session& s) {
        ed::ItemEditor& e = s.Editor;
        if (!e.Shown() || !e.Shown()->FactorGrid)
            throw Failure(options.Id + " is not a factor table");
        if (!e.GotoFactorRow(options.Row))
            throw Failure("The table of " + options.Id + " shows no row " + options.Row +
                          " (rows up to " + e.RowCount + ")");
        auto put = [&](int column, const std::string& value) {
            const ed::FactorColumn& c = e.Grid.Columns[column];
            if (c.ReadOnly) throw Failure("The column \"" + c.Title + "\" cannot be edited");
            if (!ed::FitsEditMask(value, c.EditMask))
                throw Failure("The column \"" + c.Title + "\" takes at most " +
                              std::to_string(c.EditMask.size()) + " digits, not \"" + value + "\"");
            e.SetFactor(c.Field, value);
        };
        if (options.InputGiven->count()) put(1, options.Input);
        if (options.OutputGiven->count()) put(2, options.Output);
    });
}

}  // namespace

void AddItemCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<ItemOptions>();
    CLI::App* item = NewCommand(app, "item", "The items of a version, by the item pages' rules.");
    item->require_subcommand(1);

    CLI::App* list = NewCommand(*item, "list",
                                "Lists the items of a category (all configuration categories\n"
                                "when none is given) as the item list shows them.");
    AddVersionArgument(*list, options->Version);
    list->add_option("--category", options->Category, "VARIABLES, PARAMETERS, INPUTS, ...")
        ->type_name("CAT")
        ->check(CLI::IsMember({"VARIABLES", "PARAMETERS", "INPUTS", "OUTPUTS", "ALARMS", "COMMS",
                               "TIME_LOG", "SETUP"}));
    list->add_flag("--csv", options->Csv, "Comma-separated values with a header line");
    AddInstallOption(*list, options->Install);
    list->callback([options, &status] { status = List(*options); });

    CLI::App* set = NewCommand(
        *item, "set",
        "Changes an item of a custom version as its page lets the user: --value types a\n"
        "value (checked against the item's limits), --choice picks by the text the chooser\n"
        "shows, --unit picks a unit by its tag, --access picks by description. A refusal\n"
        "prints the message, exits 1 and leaves the table as it was.");
    AddVersionArgument(*set, options->Version);
    set->add_option("ID", options->Id, "The item's ID")->required();
    options->ValueGiven = set->add_option("--value", options->Value, "The value")->type_name("V");
    options->ChoiceGiven =
        set->add_option("--choice", options->Choice, "An option's Tag or a variable's Item")
            ->type_name("TEXT");
    options->UnitGiven =
        set->add_option("--unit", options->Unit, "A unit by its Tag")->type_name("TAG");
    options->AccessGiven =
        set->add_option("--access", options->Access, "An access or printout choice")
            ->type_name("TEXT");
    options->LabelGiven =
        set->add_option("--label", options->Label, "The user label tag")->type_name("TEXT");
    options->UnitTagGiven =
        set->add_option("--unit-tag", options->UnitTag, "The user unit tag")->type_name("TEXT");
    AddInstallOption(*set, options->Install);
    set->callback([options, &status] { status = Set(*options); });

    CLI::App* factor = NewCommand(app, "factor", "The rows of a correction factor table.");
    factor->require_subcommand(1);
    CLI::App* fset = NewCommand(*factor, "set",
                                "Changes the input and output of a row (ROW as the grid's\n"
                                "\"No.\" column shows it, \"03\" or \"3\") of a custom version,\n"
                                "checked against the factors item's limits.");
    AddVersionArgument(*fset, options->Version);
    fset->add_option("ID", options->Id, "The factors item's ID")->required();
    fset->add_option("ROW", options->Row, "The row number")->required();
    options->InputGiven =
        fset->add_option("--input", options->Input, "The input value")->type_name("X");
    options->OutputGiven =
        fset->add_option("--output", options->Output, "The output value")->type_name("Y");
    AddInstallOption(*fset, options->Install);
    fset->callback([options, &status] { status = FactorSet(*options); });
}

}  // namespace cli
