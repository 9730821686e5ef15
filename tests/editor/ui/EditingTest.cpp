// Changing a custom version on the "Configuration" page: keys refused as they are typed, values
// refused when they are committed (the warning, then the error text, and the table unchanged),
// the choosers, the factor grid and the posting rule at the moments that commit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include "EditorWindowFixture.h"
#include "editor/ui/FactorGridView.h"

namespace kv::editor::ui::testing {
namespace {

class Editing : public EditorWindow {
  protected:
    void SetUp() override {
        EditorWindow::SetUp();
        Start();
        NewVersion("FC01", "200001");
        ShowConfiguration();
        EditMode();
    }
    // Types into a field as the user does, after selecting all of it when asked.
    void Type(QWidget* control, const char* keys, bool overAll = true) {
        control->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(control); edit && overAll) edit->selectAll();
        QTest::keyClicks(control, keys);
    }
    void Enter(QWidget* control) { QTest::keyClick(control, Qt::Key_Return); }
    // The access box as the page enables it (a factory version's whole page stays disabled).
    bool AccessEnabled() { return Page()->GroupBoxAccess->isEnabledTo(Page()); }
    static QLineEdit* CellEditor(QTableView* grid) {
        return grid->viewport()->findChild<QLineEdit*>();
    }
};

struct KeyCase {
    const char* Category;
    const char* Item;
    bool UserLabel;  // the user label tag instead of the value field
    const char* Typed;
    const char* Shown;
    int Beeps;
};

TEST_F(Editing, RefusedKeysBeepAndNeverReachTheField) {
    const KeyCase cases[] = {
        {"COMMS", "Comms Address", false, "12.5x", "125", 2},  // "." is no key for DT_INTEGER
        {"OUTPUTS", "Analog Output 1 High", false, "12345678", "1234567", 1},
        {"OUTPUTS", "Analog Output 1 High", false, "-12.3456", "-12.345", 1},
        {"PARAMETERS", "Reference Temperature", false, "21.55", "21.5", 1},
        {"PARAMETERS", "Atmospheric Pressure", false, "1a01,5", "1015", 2},
        {"VARIABLES", "Total", true, "Ab[c] 1\"", "Abc 1", 3},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(std::string(c.Item) + " " + c.Typed);
        Category(c.Category);
        Item(c.Item);
        QLineEdit* field = c.UserLabel ? Page()->DBEditLabelTag2 : Page()->DBEditDefaultValue;
        const int beeps = Prompter.Beeps;
        Type(field, c.Typed);
        EXPECT_EQ(field->text().toStdString(), c.Shown);
        EXPECT_EQ(Prompter.Beeps - beeps, c.Beeps);
        Main->Core().TableVersion.Cancel();  // leaves the item as it was
    }
}

TEST_F(Editing, TypingOverASelectionOfAFullFieldIsAlwaysPossible) {
    Category("OUTPUTS");
    Item("Analog Output 1 High");
    QLineEdit* field = Page()->DBEditDefaultValue;
    Type(field, "1234567");
    field->setSelection(2, 3);
    QTest::keyClicks(field, "9");
    EXPECT_EQ(field->text(), "12967");
    EXPECT_EQ(Prompter.Beeps, 0);
}

struct RefusalCase {
    const char* Category;
    const char* Item;
    const char* Id;
    const char* Pasted;
    const char* Warning;
    const char* Error;
};

TEST_F(Editing, ARefusedValueShowsTheWarningThenTheErrorAndKeepsTheStoredValue) {
    const RefusalCase cases[] = {
        {"COMMS", "Comms Address", "ID_COMMS_ADDRESS", "248", "Value is not within allowed range",
         "Range error"},
        {"OUTPUTS", "Analog Output 1 High", "ID_AOUT1_HIGH", "12345678",
         "Only 7 digits are allowed (including upto 3 decimal places)",
         "Number of decimal places error"},
        {"OUTPUTS", "Analog Output 1 High", "ID_AOUT1_HIGH", "1.2345",
         "Only 7 digits are allowed (including upto 3 decimal places)",
         "Number of decimal places error"},
        {"PARAMETERS", "Atmospheric Pressure", "ID_PARAMETER_ATM_PRESSURE", "10-1",
         "Invalid entry: this is not a number", "Text error"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(std::string(c.Item) + " " + c.Pasted);
        Category(c.Category);
        Item(c.Item);
        const std::string stored = Stored(c.Id, "DefaultValue");
        QLineEdit* field = Page()->DBEditDefaultValue;
        field->setFocus();
        field->selectAll();
        QApplication::clipboard()->setText(c.Pasted);  // a paste: the check decides, not the keys
        field->paste();
        const size_t before = Prompter.Boxes.size();
        Enter(field);
        ASSERT_EQ(BoxTexts(before), (std::vector<std::string>{c.Warning, c.Error}));
        EXPECT_EQ(Prompter.Boxes[before].Kind, base::MessageKind::Warning);
        EXPECT_EQ(Prompter.Boxes[before + 1].Kind, base::MessageKind::Error);
        EXPECT_EQ(Stored(c.Id, "DefaultValue"), stored);
        EXPECT_EQ(field->text().toStdString(), c.Pasted);
        EXPECT_EQ(Main->Core().TableVersion.State(), store::DatasetState::Edit);

        // Leaving the item is refused the same way, and the item stays.
        Spin(20);
        const size_t left = Prompter.Boxes.size();
        Editor().ItemList->DBNavigator[2]->click();
        Spin(20);
        EXPECT_EQ(BoxTexts(left), (std::vector<std::string>{c.Warning, c.Error}));
        EXPECT_EQ(Page()->DBTextItem->text().toStdString(), c.Item);
        Main->Core().TableVersion.Cancel();
        Spin(20);
    }
}

TEST_F(Editing, AClickOnAnotherItemTellsOfARefusedValueOnce) {
    Main->activateWindow();
    Spin(20);
    Category("COMMS");
    Item("Comms Address");
    Type(Page()->DBEditDefaultValue, "300");
    ASSERT_TRUE(Page()->DBEditDefaultValue->hasFocus());
    // The field loses the focus to the list, then the list tries to leave the item.
    QTableView* list = Editor().ItemList->DBGrid;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    Spin(20);
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Value is not within allowed range", "Range error"}));
    EXPECT_EQ(Page()->DBTextItem->text(), "Comms Address");
    EXPECT_EQ(Stored("ID_COMMS_ADDRESS", "DefaultValue"), "1");

    // The next action tries again and tells again.
    Enter(Page()->DBEditDefaultValue);
    EXPECT_EQ(Prompter.Boxes.size(), 4u);
}

TEST_F(Editing, ClosingTheWindowOverARefusedValueTellsOnceAndStaysOpen) {
    Category("COMMS");
    Item("Comms Address");
    Type(Page()->DBEditDefaultValue, "300");
    Main->show();
    EXPECT_FALSE(Main->close());
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Value is not within allowed range", "Range error"}));
    EXPECT_TRUE(Main->isVisible());
    EXPECT_EQ(Stored("ID_COMMS_ADDRESS", "DefaultValue"), "1");
}

TEST_F(Editing, AValueIsCommittedByEnterByTheNavigatorAndByTheCategory) {
    Category("COMMS");
    Item("Comms Address");
    Type(Page()->DBEditDefaultValue, "247");  // the upper limit itself
    Enter(Page()->DBEditDefaultValue);
    EXPECT_EQ(Stored("ID_COMMS_ADDRESS", "DefaultValue"), "247");

    Category("OUTPUTS");
    Item("Analog Output 1 Low");
    Type(Page()->DBEditDefaultValue, "-999999");  // the lower limit
    Editor().ItemList->DBNavigator[2]->click();   // next: the posting rule first
    Spin(20);
    EXPECT_EQ(Page()->DBTextItem->text(), "Analog Output 1 High");
    EXPECT_EQ(Stored("ID_AOUT1_LOW", "DefaultValue"), "-999999");

    Type(Page()->DBEditDefaultValue, "250.5");
    Type(Page()->DBEditLabelTag2, "AO HI");
    Category("ALARMS");
    EXPECT_EQ(Stored("ID_AOUT1_HIGH", "DefaultValue"), "250.5");
    EXPECT_EQ(Stored("ID_AOUT1_HIGH", "LabelTag2"), "AO HI");
    EXPECT_TRUE(Prompter.Boxes.empty()) << Prompter.LastText();
}

TEST_F(Editing, ChoosingAUnitSetsBothUnitTags) {
    for (const auto& [category, item, id] :
         {std::tuple{"VARIABLES", "Total", "ID_VAR_TOTAL_1"},
          std::tuple{"PARAMETERS", "Atmospheric Pressure", "ID_PARAMETER_ATM_PRESSURE"}}) {
        SCOPED_TRACE(item);
        Category(category);
        Item(item);
        QComboBox* units = Page()->DBLookupComboOptions;
        ASSERT_GE(units->count(), 2);
        const int other = units->currentIndex() == 0 ? 1 : 0;
        const QString tag = units->itemText(other);
        const std::string coefficient = Stored(id, "Coefficient");
        Pick(units, tag);
        EXPECT_NE(Stored(id, "Coefficient"), coefficient);
        EXPECT_TRUE(Stored(id, "Coefficient").starts_with("GU_"));
        EXPECT_EQ(Stored(id, "UnitTag1"), tag.toStdString());
        EXPECT_EQ(Stored(id, "UnitTag2"), tag.toStdString());
        EXPECT_EQ(Page()->DBEditUnitTag1->text(), tag);
        EXPECT_EQ(Page()->DBEditUnitTag2->text(), tag);
        EXPECT_EQ(units->currentText(), tag);
    }
}

TEST_F(Editing, ChoosersStoreTheChoiceAndTheAccess) {
    Category("OUTPUTS");
    Item("Analog Output 1 Source");
    Pick(Page()->DBLookupComboOptions, "Total");
    EXPECT_EQ(Stored("ID_AOUT1_SOURCE", "DefaultValue"), "ID_VAR_TOTAL_1");
    EXPECT_EQ(Page()->DBEditLabelTag1->text(), "TOTAL");  // the chosen variable's tags
    Spin(30);                                             // the idle refresh
    EXPECT_EQ(Page()->LabelSignal->text(), "Output Signal: PULSE");

    Pick(Page()->DBLookupComboAccess, "Password protected");
    EXPECT_EQ(Stored("ID_AOUT1_SOURCE", "Access"), "OP_ACCESS_PROTECTED");

    Item("Pulse Output Width");
    QComboBox* options = Page()->DBLookupComboOptions;
    const QString other = options->itemText(options->currentIndex() == 0 ? 1 : 0);
    Pick(options, other);
    EXPECT_EQ(Page()->DBLookupComboOptions->currentText(), other);
    EXPECT_TRUE(Stored("ID_POUT1_WIDTH", "DefaultValue").starts_with("OP_PULSE_WIDTH_"));
    EXPECT_FALSE(Page()->LabelOptionDescription->text().isEmpty());

    // Closing a list without choosing commits what is pending too.
    Type(Page()->DBEditUnitTag2, "MS");
    ASSERT_NE(Stored("ID_POUT1_WIDTH", "UnitTag2"), "MS");
    Page()->DBLookupComboAccess->showPopup();
    Spin(20);
    Page()->DBLookupComboAccess->hidePopup();
    Spin(20);
    EXPECT_EQ(Stored("ID_POUT1_WIDTH", "UnitTag2"), "MS");
    EXPECT_TRUE(Prompter.Boxes.empty()) << Prompter.LastText();
}

TEST_F(Editing, FactorGridKeysAndValuesAreChecked) {
    Category("INPUTS");
    Item("Flow Input 1 Correction");
    TFactorGrid* grid = Page()->DBGridFactors;
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));  // "Hertz" of row 01
    Spin(20);
    QTest::keyClick(grid, Qt::Key_X);
    EXPECT_EQ(Prompter.Beeps, 1);
    EXPECT_EQ(CellEditor(grid), nullptr);  // no edit was started

    // Eight digits are refused by the check; the Hertz column takes 0 below the item's 0.001.
    QTest::keyClick(grid, Qt::Key_1);  // starts the edit; the editor takes the rest
    QTest::keyClicks(CellEditor(grid), "2345678");
    QTest::keyClick(CellEditor(grid), Qt::Key_Return);
    Spin(20);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                              "Only 7 digits are allowed (including upto 3 decimal places)",
                              "Number of decimal places error"}));
    EXPECT_EQ(Stored("ID_FINP1_CORRECTION_FACTORS", "LowLimit", "Point 01"), "15");
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_0);
    QTest::keyClick(CellEditor(grid), Qt::Key_Return);
    Spin(20);
    EXPECT_EQ(Stored("ID_FINP1_CORRECTION_FACTORS", "LowLimit", "Point 01"), "0");
    EXPECT_EQ(Prompter.Boxes.size(), 2u) << Prompter.LastText();

    // The K-Factor column has the item's limits (0.001 to 999999.9): 0 is below them.
    auto typeInto = [&](int row, const char* text) {
        grid->setCurrentIndex(grid->model()->index(row, 2));
        QTest::keyClick(grid, text[0]);
        QTest::keyClicks(CellEditor(grid), text + 1);
        QTest::keyClick(CellEditor(grid), Qt::Key_Return);
        Spin(20);
    };
    typeInto(1, "0");
    EXPECT_EQ(BoxTexts(2),
              (std::vector<std::string>{"Value is not within allowed range", "Range error"}));
    EXPECT_EQ(Stored("ID_FINP1_CORRECTION_FACTORS", "HighLimit", "Point 02"), "10.012");
    typeInto(1, "10.5");
    EXPECT_EQ(Stored("ID_FINP1_CORRECTION_FACTORS", "HighLimit", "Point 02"), "10.5");
    EXPECT_EQ(Prompter.Boxes.size(), 4u) << Prompter.LastText();
}

TEST_F(Editing, ABatchApplicationKeepsThePrintoutOfMostVariables) {
    Main->PageControlMain->setCurrentIndex(0);
    Spin(20);
    Main->CategoryButtons[5]->click();  // BATCH
    Spin(20);
    ChooseRow("BC02");
    ShowConfiguration();
    for (const auto& [item, enabled] :
         {std::pair{"Batch Total", true}, std::pair{"Flow Rate", false},
          std::pair{"Average Rate", true}}) {
        Item(item);
        EXPECT_EQ(AccessEnabled(), enabled) << item;
    }
    // Another kind of application enables the chooser again.
    Main->PageControlMain->setCurrentIndex(0);
    Spin(20);
    Main->CategoryButtons[0]->click();  // FLOW
    Spin(20);
    ChooseRow("FC01");
    ShowConfiguration();
    Item("Flow Rate");
    EXPECT_TRUE(AccessEnabled());
}

}  // namespace
}  // namespace kv::editor::ui::testing
