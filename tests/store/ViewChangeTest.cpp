// What a view over a dataset is told when the records it shows change.
#include <gtest/gtest.h>

#include <filesystem>

#include "Fixtures.h"
#include "support/TempDir.h"

using namespace kv::store;

namespace {

using kv::testing::InTempDir;

const std::vector<std::vector<std::string>> Items = {
    {"ID_VAR_TOTAL1", "DT_FLOAT", "Total", "OP_MENU_VARIABLES"},
    {"ID_VAR_PROCESS1", "DT_FLOAT", "Flow rate", "OP_MENU_VARIABLES"},
    {"ID_PARAM1", "DT_INTEGER", "Param", "OP_MENU_PARAMETERS"},
};

// Each announcement with what the dataset shows at that moment, so that a listener reading the
// dataset from its handler is seen to read the new state.
struct Heard {
    ViewChange Change;
    int Rows;
    std::string FirstItem;
    bool operator==(const Heard&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Heard& h) {
    return out << (h.Change == ViewChange::Rows ? "Rows " : "Values ") << h.Rows << " "
               << h.FirstItem;
}

class ViewChanges : public InTempDir {
  protected:
    void SetUp() override {
        InTempDir::SetUp();
        fixtures::MakeTable("758-FC01-000001.db", fixtures::VersionFields(), Items);
        Listen(view);
        view.SetTableName("758-FC01-000001.db");
    }
    void Listen(Dataset& d) {
        connections.emplace_back(d.OnViewChange.Connect([this](Dataset& ds, ViewChange change) {
            heard.push_back({change, ds.RecordCount(), ds.RecordCount() ? ds.ValueAt(0, 2) : ""});
        }));
    }
    std::vector<Heard> Take() { return std::exchange(heard, {}); }
    void SetItem(Dataset& d, const char* item) {
        d.Edit();
        d.FieldByName("Item").SetAsString(item);
        d.Post();
    }

    Table view;
    std::vector<Heard> heard;
    std::vector<ScopedConnection> connections;
};

const ViewChange Rows = ViewChange::Rows;
const ViewChange Values = ViewChange::Values;

TEST_F(ViewChanges, EachOperationOfTheDatasetItselfIsToldOnce) {
    struct Step {
        const char* what;
        std::function<void(Table&)> act;
        std::vector<Heard> expected;
    } steps[] = {
        {"open", [](Table& t) { t.Open(); }, {{Rows, 3, "Total"}}},
        {"post of a changed value",
         [this](Table& t) { SetItem(t, "Grand total"); },
         {{Values, 3, "Grand total"}}},
        {"post of an unchanged record", [this](Table& t) { SetItem(t, "Grand total"); }, {}},
        {"a cancelled edit",
         [](Table& t) {
             t.Edit();
             t.FieldByName("Item").SetAsString("x");
             t.Cancel();
         },
         {}},
        {"filter",
         [](Table& t) {
             t.SetFilter("Menu = 'OP_MENU_VARIABLES'");
             t.SetFiltered(true);
         },
         {{Rows, 2, "Grand total"}}},
        {"refresh that shows the same records", [](Table& t) { t.Refresh(); }, {}},
        {"post that takes the record out of the filter",
         [](Table& t) {
             t.Edit();
             t.FieldByName("Menu").SetAsString("OP_MENU_SETUP");
             t.Post();
         },
         {{Rows, 1, "Flow rate"}}},
        {"append",
         [](Table& t) {
             t.AppendRecord({"ID_VAR_TOTAL2", "DT_FLOAT", "Net", "OP_MENU_VARIABLES"});
         },
         {{Rows, 2, "Flow rate"}}},
        {"an insert cancelled before posting",
         [](Table& t) {
             t.Insert();
             t.Cancel();
         },
         {}},
        {"delete",
         [](Table& t) {
             t.First();
             t.Delete();
         },
         {{Rows, 1, "Net"}}},
        {"filter off", [](Table& t) { t.SetFiltered(false); }, {{Rows, 3, "Grand total"}}},
        {"moving the cursor",
         [](Table& t) {
             t.Last();
             t.First();
         },
         {}},
        {"close", [](Table& t) { t.Close(); }, {{Rows, 0, ""}}},
    };
    for (auto& step : steps) {
        step.act(view);
        EXPECT_EQ(Take(), step.expected) << step.what;
    }
}

TEST_F(ViewChanges, PostsAndDeletesOfAnotherDatasetOfTheTableAreTold) {
    view.SetFilter("Menu = 'OP_MENU_VARIABLES'");
    view.SetFiltered(true);
    view.Open();
    Table editor("758-FC01-000001.db");
    editor.Open();
    Table otherFile;  // a table of another file stays silent
    fixtures::MakeTable("758-FC01-000002.db", fixtures::VersionFields(), Items);
    otherFile.SetTableName("758-FC01-000002.db");
    otherFile.Open();
    Take();

    SetItem(editor, "Sum");
    EXPECT_EQ(Take(), (std::vector<Heard>{{Values, 2, "Sum"}}));
    ASSERT_TRUE(editor.Locate("ID", {"ID_PARAM1"}));
    SetItem(editor, "Not shown");  // a record the view filters out: its rows are the same
    EXPECT_EQ(Take(), (std::vector<Heard>{{Values, 2, "Sum"}}));
    editor.First();
    editor.Delete();
    EXPECT_EQ(Take(), (std::vector<Heard>{{Rows, 1, "Flow rate"}}));
    SetItem(otherFile, "Elsewhere");
    otherFile.First();
    otherFile.Delete();
    EXPECT_EQ(Take(), std::vector<Heard>{});

    // A listener that connects later starts from what it reads itself.
    editor.Close();
    Table late("758-FC01-000001.db");
    late.Open();
    Listen(late);
    SetItem(view, "Rate");
    EXPECT_EQ(Take(), (std::vector<Heard>{{Values, 1, "Rate"}, {Rows, 2, "Rate"}}));
}

TEST_F(ViewChanges, AFileChangedBehindOurBackIsToldWhenItIsReadAgain) {
    view.Open();
    Take();
    std::filesystem::create_directory("other");
    fixtures::MakeTable("other/758-FC01-000001.db", fixtures::VersionFields(), {Items[2]});
    std::filesystem::copy_file("other/758-FC01-000001.db", "758-FC01-000001.db",
                               std::filesystem::copy_options::overwrite_existing);

    Table second("758-FC01-000001.db");
    second.Open();  // reads the file again, for every dataset of the table
    EXPECT_EQ(Take(), (std::vector<Heard>{{Rows, 1, "Param"}}));
    EXPECT_EQ(view.FieldByName("Item").AsString(), "Param");
}

}  // namespace
