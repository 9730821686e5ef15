#pragma once
// The "Configuration" page's editor: the item list with its navigator, the fifteen item pages
// (their tabs hidden, the rules choose the page) and the description box with the note link.
// The main window places the three parts and hands over what only it has: its handler runner
// (which shows errors), the posting rule, the selected application and the note command.
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "base/Prompter.h"
#include "editor/ItemEditor.h"

namespace kv::editor::ui {

class KeyFilter;
class TItemList;
class TItemPage;

struct ConfigurationHost {
    base::Prompter& Prompter;
    EditorDatasets Data;
    // Runs a handler; what it lets through is shown by the general error display.
    std::function<void(const std::function<void()>&)> Run;
    std::function<void()> PostingRule;
    std::function<bool()> BatchOrLoad;
    // Whether a document exists, given the system's relative path.
    std::function<bool(const std::string& path)> FileExists;
    // The Note slot of the selection record: its text and whether the file exists.
    std::function<void(const std::string& path, bool exists)> SetNoteSlot;
    // The notes viewer: update it while open, close it; and the note command.
    std::function<void(const std::string& path)> UpdateNote;
    std::function<void()> CloseNotes;
    std::function<void()> ShowNote;
    // Whether the "Outputs" page is the one shown (its signal line comes from the idle refresh).
    std::function<void(bool shown)> OutputsPageShown;
};

class TConfigurationEditor : public QObject {
  public:
    explicit TConfigurationEditor(ConfigurationHost host);
    ~TConfigurationEditor() override;

    ItemEditor& Core() { return *Rules; }
    // Installs the value check on a newly bound version (Manager::OnInstallValueChecks); a
    // refused value reaches the general error display after the check's warning.
    void InstallValueChecks(store::Table& version, store::Table& factors);
    // The "Outputs" page's line and the instrument's picture.
    void SetSignalLine(const std::string& line);
    void SetPicture(const QPixmap& picture);
    // The "Tables" item page's widget replaces the placeholder.
    void SetTablesPage(QWidget* page);
    TItemPage* PageOf(ItemPage page) const;

    // The parts the window places: the item list beside the category buttons, the item pages
    // in the edit area, the description box under them.
    TItemList* ItemList;
    QStackedWidget* PageControlItems;
    QGroupBox* GroupBoxDescription;
    QPlainTextEdit* DBMemoItemDescription;
    QWidget* TabSheetTables;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildPages();
    void BuildDescription();
    void ItemChanged();
    void Render();
    void Commit();

    ConfigurationHost Host;
    std::unique_ptr<ItemEditor> Rules;
    KeyFilter* ValueKeys;
    KeyFilter* TagKeys;
    KeyFilter* FactorKeys;
    std::array<TItemPage*, ItemPageCount> Pages{};
    std::string SignalLine;
    bool Changing = false;  // an item change is being shown
    std::vector<store::ScopedConnection> Connections;
};

}  // namespace kv::editor::ui
