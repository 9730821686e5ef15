#include "ReportFixture.h"

#include "catalogue/VersionRules.h"
#include "store/Store.h"

namespace kv::report::test {

using kv::store::FieldDef;
using kv::store::Table;

namespace {

void WriteTable(const std::string& path, const kv::store::FieldDefs& fields,
                const std::vector<std::vector<std::string>>& rows) {
    Table::Create(path, fields);
    Table table(path);
    table.Open();
    {
        kv::store::Batch batch(table);
        for (const auto& row : rows) table.AppendRecord(row);
    }
    table.Close();
}

kv::store::FieldDefs AlphaFields(std::initializer_list<const char*> names, int size = 30) {
    kv::store::FieldDefs fields;
    for (const char* name : names) fields.push_back(FieldDef::Alpha(name, size));
    return fields;
}

}  // namespace

void ReportFixture::SetUp() {
    for (const char* dir : {"bin", "dbs/default", "dbs/user"})
        std::filesystem::create_directories(root_ / dir);
}

void ReportFixture::WriteVersion(const std::vector<TItem>& items) {
    kv::store::FieldDefs fields = AlphaFields(
        {"ID", "Type", "Item", "Menu", "Panel", "Note", "Access", "DefaultValue", "LowLimit",
         "HighLimit", "Coefficient", "LabelTag1", "LabelTag2", "UnitTag1", "UnitTag2"});
    fields.push_back(FieldDef::Alpha("Description", 255));
    std::vector<std::vector<std::string>> rows;
    for (const TItem& i : items)
        rows.push_back({i.ID, i.Type, i.Item, i.Menu, i.Panel, "", i.Access, i.DefaultValue,
                        i.LowLimit, i.HighLimit, "", i.LabelTag1, i.LabelTag2, i.UnitTag1,
                        i.UnitTag2, ""});
    WriteTable(Path("dbs/user/758-TS01-000001.db"), fields, rows);
}

void ReportFixture::WriteOptions(const std::vector<TOption>& options) {
    kv::store::FieldDefs fields = {FieldDef::Alpha("Type", 30), FieldDef::Alpha("Tag", 7),
                                   FieldDef::Alpha("Item", 30), FieldDef::Alpha("Coefficient", 30),
                                   FieldDef::Alpha("Description", 255)};
    std::vector<std::vector<std::string>> rows;
    for (const TOption& o : options) rows.push_back({o.Type, o.Tag, o.Item, "", ""});
    WriteTable(Path("bin/740-opts.db"), fields, rows);
}

void ReportFixture::WriteFactoryData(const std::vector<TDataRow>& rows) {
    WriteTable(Path("dbs/default/740-data.db"),
               AlphaFields({"Type", "Item", "Sort", "Data1", "Data2", "Data3", "Data4", "Data5"}),
               rows);
}

void ReportFixture::WriteUserData(const std::vector<TDataRow>& rows) {
    WriteTable(Path("dbs/user/740-data.db"),
               AlphaFields({"Type", "Item", "Sort", "Data1", "Data2", "Data3", "Data4", "Data5"}),
               rows);
}

void ReportFixture::WriteUserPacks(const std::string& model, const std::string& pack,
                                   const std::string& code, const std::string& title) {
    const kv::store::FieldDefs& fields = kv::catalogue::PackTableFields();
    WriteTable(Path("dbs/user/740-pack.db"), fields,
               {{"FLOW", model, pack, code, "Tester", "2024-01-02", "01", "1", "", title, "Mine",
                 "", ""}});
}

TReportSource ReportFixture::Source() const {
    TReportSource source;
    source.VersionLabel = "758-TS01-000001";
    source.Title = "Test Application";
    source.VersionTable = Path("dbs/user/758-TS01-000001.db");
    source.OptionTable = Path("bin/740-opts.db");
    source.FactoryDataTable = Path("dbs/default/740-data.db");
    source.UserDataTable = Path("dbs/user/740-data.db");
    source.SoftwareType = "740-PM Software";
    source.Revision = "Revision: 3.0.201";
    return source;
}

bool ReportFixture::Report(TFormPdf& form) {
    form.Source = Source();
    form.ReportDay = [] { return std::chrono::year{2024} / 3 / 5; };
    return form.CreateReport(Pdf());
}

}  // namespace kv::report::test
