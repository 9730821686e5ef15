#pragma once
// The item pages' rules over the datasets of the selected version: which page shows the current
// item, what its chooser offers, what a choice stores, the access box, the note link and the
// factor grid. The window renders the public state and calls the handlers; 740-cli runs the same
// object over tables of its own.
//
//   ItemEditor editor({manager.TableVersion, ...}, {prompter, fileExists, batchOrLoad});
//   manager.OnInstallValueChecks = [&](auto& v, auto& f) { editor.InstallValueChecks(v, f); };
//   editor.SourceVersionDataChange();   // connected to TableVersion's OnDataChange by the window
//   editor.Choose("GAL");               // a chooser closed on the row showing "GAL"
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Prompter.h"
#include "editor/FactorGrid.h"
#include "editor/ItemPages.h"
#include "store/Query.h"
#include "store/Table.h"

namespace kv::editor {

struct EditorDatasets {
    store::Table& TableVersion;
    store::Table& TableVariables;
    store::Table& TableOutputs;
    store::Table& TableRates;
    store::Table& TableTotals;
    store::Table& TableFactors;
    store::Table& TablePoints;
    store::Query& QueryOptions;  // bound to TableVersion's Type
    store::Table& TableAccess;   // "740-opts.db"
};

struct EditorServices {
    base::Prompter& Prompter;
    // Whether a document exists, given its path relative to the current directory.
    std::function<bool(const std::string& path)> FileExists;
    // Whether the selected application is a batch or load application.
    std::function<bool()> BatchOrLoad;
    // The posting rule; when empty the editor posts TableVersion itself when it can be modified.
    std::function<void()> PostingRule;
};

// Which rows the access chooser offers.
enum class AccessKind { Levels, Printout };  // "OP_ACCESS", "OP_ITEM_PRINTOUT"

// One row of a chooser: what it shows, what a choice stores, its Description.
struct Choice {
    std::string Shown;
    std::string Stored;
    std::string Description;
};

class ItemEditor {
  public:
    ItemEditor(EditorDatasets datasets, EditorServices services);
    ~ItemEditor();
    ItemEditor(const ItemEditor&) = delete;
    ItemEditor& operator=(const ItemEditor&) = delete;

    // The current item of TableVersion changed (steps of the item change).
    void SourceVersionDataChange();
    // Installs the value check on the newly bound version (Manager::OnInstallValueChecks).
    void InstallValueChecks(store::Table& version, store::Table& factors);

    // The page shown and its description; nullopt before the first item with a known Panel.
    std::optional<ItemPage> Page;
    const PageSpec* Shown() const { return Page ? &Spec(*Page) : nullptr; }
    // Whether the value check acts: the page has the options frame with a value field or grid.
    bool PageChecksValues() const;
    // A factory version: its tables are read only and nothing here changes them.
    bool ReadOnly() const;

    // What the page shows for the current item.
    std::string Header;         // the item's Item
    std::string OptionsHeader;  // the options box header, range line or "Table Of Values"
    std::string Description;    // the item's Description (the description box)
    AccessKind Access = AccessKind::Levels;
    bool AccessEnabled = true;
    // Label tags shown on the "Default:" and "User:" rows (the item's, the chosen variable's or
    // the factor row's); the unit tags are always the item's own.
    std::string LabelTagDefault;
    std::string LabelTagUser;
    bool UserLabelEditable() const;
    bool UserUnitEditable() const;

    // Note link: the Note slot ("..\docs\notes\" + Note), whether it exists and the hint.
    std::string NotePath;
    bool NoteExists = false;
    std::string DescriptionHint;  // "Double Click For Configuration Item Note" or empty
    bool HelpCursor = false;
    // The notes viewer: show this note if it is open / close it. May be left empty.
    std::function<void(const std::string& path)> OnShowNote;
    std::function<void()> OnCloseNotes;
    // The "Tables" page is rebuilt for the item's Type (the data table page).
    std::function<void(const std::string& type)> OnDataTablePage;

    // The chooser of the page, the current choice (the row whose key the item stores, if any)
    // and the access chooser.
    std::vector<Choice> Choices();
    std::optional<Choice> CurrentChoice();
    std::vector<Choice> AccessChoices();
    std::optional<Choice> CurrentAccess();

    // The user picks by the text shown (DBComboCloseUp follows: the posting rule). False, with
    // nothing changed, when the page offers no such row or the item cannot be changed.
    bool Choose(const std::string& shown);
    // A unit of the "Units" or "Parameters" page by its Tag: Coefficient and both unit tags.
    bool ChooseUnit(const std::string& tag);
    bool ChooseAccess(const std::string& description);
    // Puts a whole value into DefaultValue as a paste does (the value check decides); a refused
    // value throws ValueError and leaves the record in edit state with the old stored value.
    void SetValue(const std::string& value);
    // The user tags; false when the page does not let the tag be edited or a character is not
    // a tag character.
    bool SetUserLabel(const std::string& text);
    bool SetUserUnit(const std::string& text);

    // Key filters of the page's fields, with the beep on a refused key.
    bool ValueKeyPress(char key, const std::string& text, int caret, int selection);
    bool TagKeyPress(char key);
    bool FactorKeyPress(char key);

    // The factor grid: layout, row count and the entered column (-1 after set-up).
    FactorGridSpec Grid{};
    std::string RowCount;
    int EnteredColumn = -1;
    // A column of the grid was entered (0 is "No.").
    void FactorColumnEnter(int column);
    // A factor row, as the grid's "No." column shows it ("03"; "3" means the same): moves
    // TableFactors there. False when the grid does not show such a row.
    bool GotoFactorRow(const std::string& row);
    // Puts the input (LowLimit) or output (HighLimit) of the current factor row, checked.
    void SetFactor(const char* field, const std::string& value);

    // The posting rule (DBComboCloseUp, navigator, category, page).
    void Post();

    // The state above changed.
    std::function<void()> OnRefresh;

  private:
    void ShowPage(const PageSpec& pageRow);
    void FilterAccess(AccessKind kind);
    void UpdateNote(const std::string& note);
    void SetUpFactorGrid();
    void ShowLabelTags();
    store::Dataset* ChoiceDataset();
    std::string ItemField(const char* name);
    bool Store(const std::vector<std::pair<const char*, std::string>>& values);
    void Changed();

    EditorDatasets D;
    EditorServices S;
    std::vector<store::ScopedConnection> Connections;
};

}  // namespace kv::editor
