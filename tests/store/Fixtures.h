#pragma once
// Table structures of the manager and small tables built from rows of text.
#include <string>
#include <vector>

#include "store/Store.h"

namespace fixtures {

using kv::store::FieldDef;
using kv::store::FieldDefs;
using kv::store::FieldType;

inline FieldDefs PackFields() {
    return {FieldDef::Alpha("Button", 20),
            FieldDef::Alpha("Model", 3),
            FieldDef::Alpha("Pack", 4),
            FieldDef::Alpha("Code", 6),
            FieldDef::Alpha("Creator", 30),
            FieldDef::Of("Date", FieldType::Date),
            FieldDef::Alpha("DB", 2),
            FieldDef::Of("Card", FieldType::Long),
            FieldDef::Alpha("Help", 30),
            FieldDef::Alpha("Title", 50),
            FieldDef::Alpha("CustomTitle", 50),
            FieldDef::Alpha("Description", 255),
            FieldDef::Alpha("CustomDescription", 255)};
}

inline FieldDefs VersionFields() {
    FieldDefs f;
    for (const char* name : {"ID", "Type", "Item", "Menu", "Panel", "Note", "Access",
                             "DefaultValue", "LowLimit", "HighLimit", "Coefficient"})
        f.push_back(FieldDef::Alpha(name, 40));
    for (const char* name : {"LabelTag1", "LabelTag2", "UnitTag1", "UnitTag2"})
        f.push_back(FieldDef::Alpha(name, 10));
    f.push_back(FieldDef::Alpha("Description", 255));
    return f;
}

inline FieldDefs OptionFields() {
    return {FieldDef::Alpha("Type", 30), FieldDef::Alpha("Tag", 7), FieldDef::Alpha("Item", 30),
            FieldDef::Alpha("Coefficient", 30), FieldDef::Alpha("Description", 255)};
}

// Creates the table and appends the rows (values by position) in one write.
inline void MakeTable(const std::string& path, const FieldDefs& fields,
                      const std::vector<std::vector<std::string>>& rows) {
    kv::store::Table::Create(path, fields);
    kv::store::Table t(path);
    t.Open();
    kv::store::Batch batch(t);
    for (const auto& row : rows) t.AppendRecord(row);
}

// The values of one field over the dataset's records, from the first on.
inline std::vector<std::string> Column(kv::store::Dataset& d, const char* field) {
    std::vector<std::string> out;
    for (d.First(); !d.Eof(); d.Next()) out.push_back(d.FieldByName(field).AsString());
    return out;
}

}  // namespace fixtures
