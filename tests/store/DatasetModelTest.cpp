// The Qt table model over a dataset: the model tester's checks through every kind of change,
// columns, the current record as the selection, and editing only when asked.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QTableView>

#include "Fixtures.h"
#include "store/ui/DatasetModel.h"
#include "support/TempDir.h"

using namespace kv::store;
using kv::store::ui::DatasetModel;

namespace {

using kv::testing::InTempDir;

const std::vector<std::vector<std::string>> Packs = {
    {"FLOW", "758", "FP01", "000000", "", "", "", "", "", "Flow computer"},
    {"FLOW STEAM", "758", "SP01", "000000", "", "", "", "", "", "Steam computer"},
    {"GAS", "746", "GP01", "000000", "", "", "", "", "", "Gas computer"},
};

// Warnings of the model tester (and of Qt) while a test runs.
std::vector<std::string>* warnings = nullptr;
void Collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (warnings && type >= QtWarningMsg) warnings->push_back(message.toStdString());
}

class Model : public InTempDir {
  protected:
    void SetUp() override {
        InTempDir::SetUp();
        fixtures::MakeTable("740-pack.db", fixtures::PackFields(), Packs);
        packs.SetTableName("740-pack.db");
        packs.Open();
        warnings = &seen;
        previous = qInstallMessageHandler(Collect);
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        warnings = nullptr;
        InTempDir::TearDown();
    }
    // What the model shows, row by row, with the columns joined by "|".
    std::vector<std::string> Shown(const DatasetModel& m) const {
        std::vector<std::string> rows;
        for (int r = 0; r < m.rowCount(); ++r) {
            std::string row;
            for (int c = 0; c < m.columnCount(); ++c)
                row += (c ? "|" : "") + m.index(r, c).data().toString().toStdString();
            rows.push_back(row);
        }
        return rows;
    }

    Table packs;
    std::vector<std::string> seen;
    QtMessageHandler previous = nullptr;
};

using Rows = std::vector<std::string>;

TEST_F(Model, ShowsTheViewThroughEveryKindOfChangeAndPassesTheModelTester) {
    DatasetModel model(
        packs, {{"Pack", "Pack", Qt::AlignCenter}, {"Title", "Title"}, {"NoSuchField", "Missing"}});
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    Table other("740-pack.db");
    other.Open();

    struct Step {
        const char* what;
        std::function<void()> act;
        Rows expected;
    } steps[] = {
        {"open", [] {}, {"FP01|Flow computer|", "SP01|Steam computer|", "GP01|Gas computer|"}},
        {"record test",
         [&] {
             packs.SetOnFilterRecord([](Dataset& d) {
                 return d.FieldByName("Button").AsString().find("FLOW") != std::string::npos;
             });
             packs.SetFiltered(true);
         },
         {"FP01|Flow computer|", "SP01|Steam computer|"}},
        {"another dataset's post",
         [&] {
             ASSERT_TRUE(other.Locate("Pack", {"SP01"}));
             other.Edit();
             other.FieldByName("Title").SetAsString("Steam and heat");
             other.Post();
         },
         {"FP01|Flow computer|", "SP01|Steam and heat|"}},
        {"append",
         [&] {
             other.AppendRecord(
                 {"FLOW", "746", "FC01", "000000", "", "", "", "", "", "Rate totaliser"});
         },
         {"FP01|Flow computer|", "SP01|Steam and heat|", "FC01|Rate totaliser|"}},
        {"delete",
         [&] {
             packs.First();
             packs.Delete();
         },
         {"SP01|Steam and heat|", "FC01|Rate totaliser|"}},
        {"close", [&] { packs.Close(); }, {}},
        {"open again", [&] { packs.Open(); }, {"SP01|Steam and heat|", "FC01|Rate totaliser|"}},
    };
    for (auto& step : steps) {
        step.act();
        EXPECT_EQ(Shown(model), step.expected) << step.what;
    }
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Pack");
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Missing");
    EXPECT_EQ(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignCenter);
    EXPECT_EQ(model.index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(seen, std::vector<std::string>{});
}

TEST_F(Model, TheSelectionIsTheCurrentRecordBothWays) {
    DatasetModel model(packs, {{"Pack"}, {"Code"}, {"Title"}});
    QTableView grid;
    model.Attach(&grid);
    model.SetColumnVisible(1, false);
    auto selectedRow = [&] {
        const auto rows = grid.selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.front().row() : -1;
    };
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_TRUE(grid.isColumnHidden(1));

    ASSERT_TRUE(packs.Locate("Pack", {"GP01"}));
    EXPECT_EQ(selectedRow(), 2);
    grid.selectionModel()->setCurrentIndex(
        model.index(1, 2), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(packs.FieldByName("Pack").AsString(), "SP01");
    EXPECT_EQ(selectedRow(), 1);

    // A record that cannot be left keeps the selection on it.
    packs.Edit();
    auto refuse = packs.OnUpdateRecord.Connect(
        [](Dataset&) { throw StoreError("740-pack.db", "value refused"); });
    grid.selectionModel()->setCurrentIndex(
        model.index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(packs.RecNo(), 2);
    EXPECT_EQ(selectedRow(), 1);
    refuse.Disconnect();

    // Filtering goes to the first record; the column stays hidden after the reset.
    packs.SetFilter("Model = '746'");
    packs.SetFiltered(true);
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_TRUE(grid.isColumnHidden(1));
    packs.Close();
    EXPECT_EQ(selectedRow(), -1);
}

TEST_F(Model, EditsOnlyWhenAskedAndThroughTheValueCheck) {
    DatasetModel model(packs, {{"Pack"}, {"Title"}});
    const QModelIndex title = model.index(1, 1);
    EXPECT_FALSE(model.flags(title) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(title, "Changed"));

    model.SetReadOnly(false);
    ASSERT_TRUE(model.flags(title) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.setData(title, "Steam and heat"));
    packs.FieldByName("Title").OnValidate = [](Field& f) {
        if (f.AsString().empty()) throw StoreError("740-pack.db", "a title is needed");
    };
    EXPECT_FALSE(model.setData(title, ""));
    EXPECT_EQ(packs.State(), DatasetState::Browse);
    EXPECT_EQ(title.data().toString(), "Steam and heat");
    packs.Close();
    Table reread("740-pack.db");
    reread.SetReadOnly(true);
    reread.Open();
    ASSERT_TRUE(reread.Locate("Pack", {"SP01"}));
    EXPECT_EQ(reread.FieldByName("Title").AsString(), "Steam and heat");

    DatasetModel readOnlyTable(reread, {{"Title"}});
    readOnlyTable.SetReadOnly(false);
    EXPECT_FALSE(readOnlyTable.flags(readOnlyTable.index(0, 0)) & Qt::ItemIsEditable);
}

}  // namespace
