// Data-aware controls: a field in an edit, a memo and a label, and lookup lists over a field.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>

#include "Fixtures.h"
#include "store/ui/DatasetModel.h"
#include "store/ui/FieldBinding.h"
#include "store/ui/LookupBinding.h"
#include "support/TempDir.h"

using namespace kv::store;
using namespace kv::store::ui;

namespace {

using kv::testing::InTempDir;

// ID, Type, Item, Menu, Panel, Note, Access
const std::vector<std::vector<std::string>> Items = {
    {"ID_VAR_TOTAL1", "DT_FLOAT", "Total", "OP_MENU_VARIABLES", "", "", "OP_ACCESS_DISPLAY"},
    {"ID_VAR_PROCESS1", "DT_FLOAT", "Flow rate", "OP_MENU_VARIABLES", "", "", "OP_ACCESS_PROGRAM"},
    {"ID_PARAM1", "DT_INTEGER", "Param", "OP_MENU_PARAMETERS", "", "", "OP_ACCESS_UNKNOWN"},
};

const std::vector<std::vector<std::string>> Options = {
    {"OP_ACCESS", "NONE", "OP_ACCESS_NONE"},
    {"OP_ACCESS", "DISPLAY", "OP_ACCESS_DISPLAY"},
    {"OP_ACCESS", "PROGRAM", "OP_ACCESS_PROGRAM"},
    {"OP_ITEM_PRINTOUT", "YES", "OP_ACCESS_PRINTOUT"},
};

class Bindings : public InTempDir {
  protected:
    void SetUp() override {
        InTempDir::SetUp();
        fixtures::MakeTable("758-FC01-000001.db", fixtures::VersionFields(), Items);
        fixtures::MakeTable("740-opts.db", fixtures::OptionFields(), Options);
        version.SetTableName("758-FC01-000001.db");
        version.Open();
        access.SetTableName("740-opts.db");
        access.SetReadOnly(true);
        access.SetFilter("Type = 'OP_ACCESS'");
        access.SetFiltered(true);
        access.Open();
    }
    std::string Stored(const char* id, const char* field) {
        Table reread("758-FC01-000001.db");
        reread.SetReadOnly(true);
        reread.Open();
        return reread.Locate("ID", {id}) ? reread.FieldByName(field).AsString() : "?";
    }
    Table version;
    Table access;
};

TEST_F(Bindings, AnEditShowsTheCurrentRecordAndWritesWhenTheRecordIsPostedOrLeft) {
    QLineEdit readOnly, editable;
    FieldBinding shown(version, "Item", &readOnly);
    FieldBinding edited(version, "Item", &editable, true);
    EXPECT_EQ(readOnly.text(), "Total");
    EXPECT_TRUE(readOnly.isReadOnly());
    EXPECT_FALSE(editable.isReadOnly());
    EXPECT_EQ(editable.maxLength(), 40);

    version.Next();
    EXPECT_EQ(editable.text(), "Flow rate");
    QTest::keyClicks(&editable, " (m3/h)");
    EXPECT_EQ(version.State(), DatasetState::Edit);
    EXPECT_TRUE(edited.Pending());
    EXPECT_EQ(readOnly.text(), "Flow rate");  // the field holds the text only once written
    version.Next();                           // leaving the record writes and posts it
    EXPECT_EQ(Stored("ID_VAR_PROCESS1", "Item"), "Flow rate (m3/h)");
    EXPECT_EQ(editable.text(), "Param");

    // A refused value keeps the text, the pending edit and the record.
    version.FieldByName("Item").OnValidate = [](Field& f) {
        if (f.AsString().empty()) throw StoreError("758-FC01-000001.db", "a name is needed");
    };
    QTest::keyClick(&editable, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&editable, Qt::Key_Delete);
    EXPECT_THROW(version.Prior(), StoreError);
    EXPECT_EQ(version.RecNo(), 3);
    EXPECT_TRUE(edited.Pending());
    version.Cancel();
    EXPECT_FALSE(edited.Pending());
    EXPECT_EQ(editable.text(), "Param");
    EXPECT_EQ(Stored("ID_PARAM1", "Item"), "Param");

    // Enter writes the field (the record stays in edit state until posted).
    QTest::keyClicks(&editable, "eter");
    QTest::keyClick(&editable, Qt::Key_Return);
    EXPECT_FALSE(edited.Pending());
    EXPECT_EQ(readOnly.text(), "Parameter");
    version.Post();
    EXPECT_EQ(Stored("ID_PARAM1", "Item"), "Parameter");
}

TEST_F(Bindings, AMemoAndALabelFollowTheDatasetAndAReadOnlyTableStaysReadOnly) {
    QPlainTextEdit memo;
    QLabel label;
    FieldBinding memoBinding(version, "Description", &memo, true);
    FieldBinding labelBinding(version, "Item", &label);
    memo.setPlainText("Line one\nline two");
    EXPECT_EQ(version.State(), DatasetState::Edit);
    version.Post();
    EXPECT_EQ(Stored("ID_VAR_TOTAL1", "Description"), "Line one\nline two");
    EXPECT_EQ(label.text(), "Total");

    version.Close();
    EXPECT_EQ(label.text(), "");
    EXPECT_EQ(memo.toPlainText(), "");
    version.SetReadOnly(true);
    version.Open();
    EXPECT_EQ(memo.toPlainText(), "Line one\nline two");
    EXPECT_TRUE(memo.isReadOnly());
    memo.setPlainText("ignored");
    EXPECT_EQ(version.State(), DatasetState::Browse);
}

TEST_F(Bindings, ALookupComboShowsAndWritesTheTargetFieldsKey) {
    QComboBox box;
    LookupBinding lookup(access, "Item", "Tag", &box, {&version, "Access"});
    ASSERT_EQ(box.count(), 3);
    EXPECT_EQ(box.itemText(0), "NONE");
    EXPECT_EQ(box.currentText(), "DISPLAY");
    version.Next();
    EXPECT_EQ(box.currentText(), "PROGRAM");
    version.Next();
    EXPECT_EQ(box.currentIndex(), -1);  // a value the list does not hold

    emit box.activated(0);
    EXPECT_EQ(version.FieldByName("Access").AsString(), "OP_ACCESS_NONE");
    version.Post();
    EXPECT_EQ(Stored("ID_PARAM1", "Access"), "OP_ACCESS_NONE");

    // Switching the list to the printout choices shows the target's value among them.
    access.SetFilter("Type = 'OP_ITEM_PRINTOUT'");
    EXPECT_EQ(box.count(), 1);
    EXPECT_EQ(box.currentIndex(), -1);

    version.Close();
    version.SetReadOnly(true);
    version.Open();
    access.SetFilter("Type = 'OP_ACCESS'");
    emit box.activated(2);
    EXPECT_EQ(version.FieldByName("Access").AsString(), "OP_ACCESS_DISPLAY");
    EXPECT_EQ(box.currentText(), "DISPLAY");
}

TEST_F(Bindings, ALookupListWithoutTargetMovesTheListsCursorAndOneWithATargetWritesIt) {
    QListView plain, targeted;
    LookupBinding cursor(access, "Item", "Tag", &plain);
    LookupBinding choice(access, "Item", "Description", &targeted, {&version, "Access"});
    plain.selectionModel()->setCurrentIndex(cursor.Model()->index(2, 0),
                                            QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(access.FieldByName("Tag").AsString(), "PROGRAM");
    access.First();
    EXPECT_EQ(cursor.ChosenRow(), 0);
    EXPECT_EQ(choice.ChosenRow(), 1);  // the target's value, whatever the list's cursor

    targeted.selectionModel()->setCurrentIndex(choice.Model()->index(2, 0),
                                               QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(version.FieldByName("Access").AsString(), "OP_ACCESS_PROGRAM");
    EXPECT_EQ(access.RecNo(), 1);
}

}  // namespace
