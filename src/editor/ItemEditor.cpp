#include "editor/ItemEditor.h"

#include <algorithm>

#include "editor/Texts.h"
#include "editor/ValueEntry.h"

namespace kv::editor {

namespace {

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The rows of a dataset as choices, without moving its cursor.
std::vector<Choice> RowsOf(store::Dataset& rows, const char* shown, const char* stored,
                           const char* description) {
    std::vector<Choice> choices;
    if (!rows.Active()) return choices;
    const int s = rows.FieldByName(shown).Index();
    const int k = rows.FieldByName(stored).Index();
    const int d = rows.FieldByName(description).Index();
    for (int row = 0, count = rows.RecordCount(); row < count; ++row)
        choices.push_back({rows.ValueAt(row, s), rows.ValueAt(row, k), rows.ValueAt(row, d)});
    return choices;
}

std::optional<Choice> Find(const std::vector<Choice>& choices, std::string Choice::*key,
                           const std::string& value) {
    auto it = std::find_if(choices.begin(), choices.end(),
                           [&](const Choice& c) { return c.*key == value; });
    if (it == choices.end()) return std::nullopt;
    return *it;
}

}  // namespace

ItemEditor::ItemEditor(EditorDatasets datasets, EditorServices services)
    : D(datasets), S(std::move(services)) {}

ItemEditor::~ItemEditor() = default;

bool ItemEditor::ReadOnly() const {
    return !D.TableVersion.CanModify();
}

bool ItemEditor::PageChecksValues() const {
    const PageSpec* pageRow = Shown();
    return pageRow && pageRow->OptionsFrame && (pageRow->ValueField || pageRow->FactorGrid);
}

bool ItemEditor::UserLabelEditable() const {
    return Shown() && Shown()->UserLabelEditable && !ReadOnly();
}

bool ItemEditor::UserUnitEditable() const {
    return Shown() && Shown()->UserUnitEditable && !ReadOnly();
}

std::string ItemEditor::ItemField(const char* name) {
    if (!D.TableVersion.Active()) return {};
    const store::Field* field = D.TableVersion.FindField(name);
    return field ? field->AsString() : std::string();
}

void ItemEditor::InstallValueChecks(store::Table& version, store::Table& factors) {
    editor::InstallValueChecks(version, factors,
                               {S.Prompter, D.TableVersion, [this] { return PageChecksValues(); }});
}

void ItemEditor::SourceVersionDataChange() {
    if (!D.TableVersion.Active() || D.TableVersion.IsEmpty()) return;
    const std::string id = ItemField("ID"), type = ItemField("Type"), menu = ItemField("Menu"),
                      panel = ItemField("Panel"), low = ItemField("LowLimit"),
                      high = ItemField("HighLimit");
    if (panel == "Tables" && OnDataTablePage) OnDataTablePage(type);

    const bool printout = Contains(menu, "OP_MENU_VARIABLES") && panel != "Tags";
    FilterAccess(printout ? AccessKind::Printout : AccessKind::Levels);

    if (auto page = PageOfPanel(panel)) Page = page;
    Header = ItemField("Item");
    Description = ItemField("Description");
    if (const PageSpec* pageRow = Shown(); pageRow && pageRow->OptionsFrame) {
        OptionsHeader = pageRow->FactorGrid   ? text::TableOfValues
                        : pageRow->ValueField ? RangeLine(low, high)
                                              : pageRow->OptionsHeader;
    }

    const bool batch = S.BatchOrLoad && S.BatchOrLoad();
    AccessEnabled = Shown() && Shown()->Access == AccessBox::Enabled;
    if (AccessEnabled && Access == AccessKind::Printout && batch)
        AccessEnabled = Contains(id, "VAR_TOTAL") || Contains(id, "VAR_PROCESS_LOG");

    UpdateNote(ItemField("Note"));
    if (panel == "Factors") SetUpFactorGrid();
    ShowLabelTags();
    Changed();
}

void ItemEditor::FilterAccess(AccessKind kind) {
    Access = kind;
    D.TableAccess.Close();
    D.TableAccess.SetFilter(kind == AccessKind::Printout ? "Type = 'OP_ITEM_PRINTOUT'"
                                                         : "Type = 'OP_ACCESS'");
    D.TableAccess.SetFiltered(true);
    if (!D.TableAccess.TableName().empty()) D.TableAccess.Open();
}

void ItemEditor::UpdateNote(const std::string& note) {
    NotePath = text::NotesFolder + note;
    // A blank Note names the folder, not a note.
    NoteExists = !note.empty() && S.FileExists && S.FileExists(NotePath);
    DescriptionHint = NoteExists ? text::NoteHint : "";
    HelpCursor = NoteExists;
    if (NoteExists) {
        if (OnShowNote) OnShowNote(NotePath);
    } else if (OnCloseNotes) {
        OnCloseNotes();
    }
}

void ItemEditor::SetUpFactorGrid() {
    EnteredColumn = -1;
    const std::string id = ItemField("ID");
    std::optional<std::string> points;
    try {
        D.TablePoints.SetFilter(PointsFilter(PointsIdOf(id)));
        D.TablePoints.SetFiltered(true);
        if (D.TablePoints.Active() && !D.TablePoints.IsEmpty())
            points = D.TablePoints.FieldByName("DefaultValue").AsString();
    } catch (const std::exception&) {
        points.reset();
    }
    RowCount = RowCountOf(points);
    D.TableFactors.SetFilter(FactorRowsFilter(id, RowCount));
    D.TableFactors.SetFiltered(true);
    Grid = FactorGridOf(id, ItemField("LabelTag1"));
    if (store::Field* low =
            D.TableFactors.Active() ? D.TableFactors.FindField("LowLimit") : nullptr)
        low->EditMask = Grid.Columns[1].EditMask;
}

void ItemEditor::FactorColumnEnter(int column) {
    if (column < 0 || column >= static_cast<int>(Grid.Columns.size())) return;
    EnteredColumn = column;
    OptionsHeader =
        FactorColumnHeader(Grid.Columns[column], ItemField("LowLimit"), ItemField("HighLimit"));
    ShowLabelTags();
    Changed();
}

store::Dataset* ItemEditor::ChoiceDataset() {
    const PageSpec* pageRow = Shown();
    if (!pageRow) return nullptr;
    switch (pageRow->Choices) {
        case ChoiceRows::Options:
            return &D.QueryOptions;
        case ChoiceRows::Outputs:
            return &D.TableOutputs;
        case ChoiceRows::Rates:
            return &D.TableRates;
        case ChoiceRows::Totals:
            return &D.TableTotals;
        case ChoiceRows::Variables:
            return &D.TableVariables;
        case ChoiceRows::None:
            break;
    }
    return nullptr;
}

void ItemEditor::ShowLabelTags() {
    const PageSpec* pageRow = Shown();
    LabelTagDefault = ItemField("LabelTag1");
    LabelTagUser = ItemField("LabelTag2");
    if (!pageRow) return;
    if (pageRow->Labels == LabelSource::ChosenVariable) {
        // The variables view follows the choice (the outputs page's signal line reads it).
        const std::string chosen = ItemField("DefaultValue");
        if (D.TableVariables.Active()) D.TableVariables.Locate("ID", {chosen});
        LabelTagDefault.clear();
        LabelTagUser.clear();
        if (store::Dataset* rows = ChoiceDataset(); rows && rows->Active()) {
            for (const Choice& c : RowsOf(*rows, "LabelTag1", "ID", "LabelTag2"))
                if (c.Stored == chosen) {
                    LabelTagDefault = c.Shown;
                    LabelTagUser = c.Description;
                    break;
                }
        }
    } else if (pageRow->Labels == LabelSource::FactorRows) {
        const bool third = EnteredColumn == 2;
        std::string tag;
        if (D.TableFactors.Active() && !D.TableFactors.IsEmpty())
            tag = D.TableFactors.FieldByName(third ? "LabelTag2" : "LabelTag1").AsString();
        LabelTagDefault = LabelTagUser = tag;
    }
}

std::vector<Choice> ItemEditor::Choices() {
    const PageSpec* pageRow = Shown();
    store::Dataset* rows = ChoiceDataset();
    if (!rows) return {};
    if (pageRow->Choices == ChoiceRows::Options) return RowsOf(*rows, "Tag", "Item", "Description");
    return RowsOf(*rows, "Item", "ID", "Description");
}

std::optional<Choice> ItemEditor::CurrentChoice() {
    const PageSpec* pageRow = Shown();
    if (!pageRow || !pageRow->ChoiceField) return std::nullopt;
    return Find(Choices(), &Choice::Stored, ItemField(pageRow->ChoiceField));
}

std::vector<Choice> ItemEditor::AccessChoices() {
    return RowsOf(D.TableAccess, "Description", "Item", "Description");
}

std::optional<Choice> ItemEditor::CurrentAccess() {
    return Find(AccessChoices(), &Choice::Stored, ItemField("Access"));
}

bool ItemEditor::Store(const std::vector<std::pair<const char*, std::string>>& values) {
    if (ReadOnly() || D.TableVersion.IsEmpty()) return false;
    D.TableVersion.Edit();
    for (const auto& [field, value] : values) D.TableVersion.FieldByName(field).SetAsString(value);
    return true;
}

bool ItemEditor::Choose(const std::string& shown) {
    const PageSpec* pageRow = Shown();
    if (!pageRow || !pageRow->ChoiceField || !pageRow->ChooserEditable) return false;
    auto choice = Find(Choices(), &Choice::Shown, shown);
    if (!choice) return false;
    std::vector<std::pair<const char*, std::string>> values{{pageRow->ChoiceField, choice->Stored}};
    // ActionUnitsExecute: both unit tags follow the chosen unit.
    if (pageRow->SetsUnitTags) {
        values.emplace_back("UnitTag1", choice->Shown);
        values.emplace_back("UnitTag2", choice->Shown);
    }
    if (!Store(values)) return false;
    ShowLabelTags();
    Post();
    return true;
}

bool ItemEditor::ChooseUnit(const std::string& tag) {
    const PageSpec* pageRow = Shown();
    return pageRow && pageRow->SetsUnitTags && Choose(tag);
}

bool ItemEditor::ChooseAccess(const std::string& description) {
    if (!AccessEnabled) return false;
    auto choice = Find(AccessChoices(), &Choice::Description, description);
    if (!choice || !Store({{"Access", choice->Stored}})) return false;
    Post();
    return true;
}

void ItemEditor::SetValue(const std::string& value) {
    const PageSpec* pageRow = Shown();
    if (!pageRow || !pageRow->ValueField || ReadOnly()) return;
    Store({{"DefaultValue", value}});
}

bool ItemEditor::SetUserLabel(const std::string& text) {
    if (!UserLabelEditable() || !std::all_of(text.begin(), text.end(), TagKeyPasses)) return false;
    LabelTagUser = text;
    return Store({{"LabelTag2", text}});
}

bool ItemEditor::SetUserUnit(const std::string& text) {
    if (!UserUnitEditable() || !std::all_of(text.begin(), text.end(), TagKeyPasses)) return false;
    return Store({{"UnitTag2", text}});
}

bool ItemEditor::ValueKeyPress(char key, const std::string& text, int caret, int selection) {
    if (ValueKeyPasses(key, text, caret, selection, ItemField("Type"))) return true;
    S.Prompter.Beep();
    return false;
}

bool ItemEditor::TagKeyPress(char key) {
    if (TagKeyPasses(key)) return true;
    S.Prompter.Beep();
    return false;
}

bool ItemEditor::FactorKeyPress(char key) {
    if (FactorKeyPasses(key)) return true;
    S.Prompter.Beep();
    return false;
}

bool ItemEditor::GotoFactorRow(const std::string& row) {
    if (!D.TableFactors.Active() || row.empty() || row.size() > 2 ||
        row.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const std::string number = row.size() == 1 ? "0" + row : row;
    return D.TableFactors.Locate("DefaultValue", {number});
}

void ItemEditor::SetFactor(const char* field, const std::string& value) {
    if (ReadOnly() || !D.TableFactors.Active() || D.TableFactors.IsEmpty()) return;
    D.TableFactors.Edit();
    D.TableFactors.FieldByName(field).SetAsString(value);
}

void ItemEditor::Post() {
    if (S.PostingRule) {
        S.PostingRule();
    } else if (D.TableVersion.CanModify()) {
        D.TableVersion.Edit();
        D.TableVersion.Post();
    }
}

void ItemEditor::Changed() {
    if (OnRefresh) OnRefresh();
}

}  // namespace kv::editor
