#pragma once
// The main window over a copy of the demo installation, on its "Configuration" page: choosing a
// version, a category and an item as a user does, and reading back what the version table holds.
#include <QComboBox>
#include <QTest>

#include "MainWindowFixture.h"
#include "editor/ui/ItemList.h"
#include "editor/ui/TConfigurationEditor.h"
#include "editor/ui/TItemPage.h"

namespace kv::editor::ui::testing {

using catalogue::Command;
using catalogue::ui::testing::fs::path;
using kv::testing::Spin;
using kv::testing::WhenModal;

class EditorWindow : public catalogue::ui::testing::MainWindowFixture {
  protected:
    TConfigurationEditor& Editor() { return *Main->Configuration(); }

    // A new custom version of the pack through the version dialog; it is then the selection.
    void NewVersion(const std::string& pack, const std::string& code) {
        ChooseRow(pack);
        WhenModal([&](QWidget*) {
            Instrument->DBEditCode->setText(QString::fromStdString(code));
            Instrument->BitBtnOK->click();
        });
        Main->Action(Command::New)->trigger();
        Spin(50);
        ASSERT_EQ(Main->Core().FilterBox.Text(catalogue::Slot::Customer), code)
            << Prompter.LastText();
    }
    void ShowConfiguration() {
        Main->PageControlMain->setCurrentIndex(static_cast<int>(catalogue::Page::Configuration));
        Spin(30);
        ASSERT_EQ(Main->PageControlMain->currentIndex(), 1) << Prompter.LastText();
    }
    void EditMode() {
        Main->Action(Command::Edit)->trigger();
        Spin(30);
        ASSERT_TRUE(Main->EditAreas[0]->isEnabled()) << Prompter.LastText();
    }
    void Category(const std::string& caption) {
        for (QToolButton* b : Main->ConfigurationButtons)
            if (b->text().toStdString() == caption) {
                ASSERT_TRUE(b->isEnabled()) << caption;
                b->click();
                Spin(20);
                return;
            }
        FAIL() << "no category " << caption;
    }
    // Chooses the item in the item list as a click does.
    void Item(const std::string& item) {
        QTableView* grid = Editor().ItemList->DBGrid;
        auto* model = grid->model();
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, 0).data().toString().toStdString() == item) {
                grid->selectionModel()->setCurrentIndex(
                    model->index(r, 0),
                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                Spin(20);
                return;
            }
        FAIL() << "no item " << item;
    }
    TItemPage* Page() {
        return dynamic_cast<TItemPage*>(Editor().PageControlItems->currentWidget());
    }
    std::string CurrentPage() {
        return Editor().PageControlItems->currentWidget()->objectName().toStdString();
    }
    // What the version table file holds for an item, read through a table of its own.
    std::string Stored(const std::string& id, const char* field, const std::string& item = {}) {
        store::Table table(Main->Core().TableVersion.TableName());
        table.SetReadOnly(true);
        table.Open();
        const bool found =
            item.empty() ? table.Locate("ID", {id}) : table.Locate("ID;Item", {id, item});
        return found ? table.FieldByName(field).AsString() : "<none>";
    }
    // Chooses a row of a combo box as the user does: the list closes on it.
    static void Pick(QComboBox* box, const QString& shown) {
        const int row = box->findText(shown);
        ASSERT_GE(row, 0) << shown.toStdString();
        box->setCurrentIndex(row);
        emit box->activated(row);
        Spin(20);
    }
    std::vector<std::string> BoxTexts(size_t from = 0) const {
        std::vector<std::string> out;
        for (size_t i = from; i < Prompter.Boxes.size(); ++i) out.push_back(Prompter.Boxes[i].Text);
        return out;
    }
};

}  // namespace kv::editor::ui::testing
