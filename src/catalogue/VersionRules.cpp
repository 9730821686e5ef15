#include "catalogue/VersionRules.h"

#include <filesystem>
#include <regex>
#include <stdexcept>

#include "store/FileAccess.h"
#include "store/Table.h"

namespace kv::catalogue {

bool IsFactoryCode(const std::string& code) {
    return code == FactoryCode;
}

bool IsVersionName(const std::string& name) {
    static const std::regex form("(746|758)-[A-Z]{2}[0-9]{2}-[0-9]{6}");
    return std::regex_match(name, form);
}

std::optional<VersionName> ParseVersionName(const std::string& name) {
    if (!IsVersionName(name)) return std::nullopt;
    return VersionName{name.substr(0, 3), name.substr(4, 4), name.substr(9, 6)};
}

std::string TableFolder(const std::string& code) {
    return IsFactoryCode(code) ? DefaultFolder : UserFolder;
}
std::string VersionTablePath(const VersionName& version) {
    return TableFolder(version.Code) + version.Text() + ".db";
}
std::string PackTablePath(const std::string& code) {
    return TableFolder(code) + PackTableName;
}
std::string FactoryPackTable() {
    return std::string(DefaultFolder) + PackTableName;
}
std::string UserPackTable() {
    return std::string(UserFolder) + PackTableName;
}
std::string FactoryDataTable() {
    return std::string(DefaultFolder) + DataTableName;
}
std::string UserDataTable() {
    return std::string(UserFolder) + DataTableName;
}

std::string ManualPath(const std::string& model, const std::string& pack) {
    return "..\\docs\\manuals\\" + model + "-" + pack + "-OM.pdf";
}
std::string BriefPath(const std::string& model, const std::string& pack) {
    return "..\\docs\\briefs\\" + model + "-" + pack + "-AP.pdf";
}

const store::FieldDefs& PackTableFields() {
    using store::FieldDef;
    using store::FieldType;
    static const store::FieldDefs fields = {FieldDef::Alpha("Button", 20),
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
    return fields;
}

const store::FieldDefs& DataTableFields() {
    using store::FieldDef;
    static const store::FieldDefs fields = {
        FieldDef::Alpha("Type", 30),  FieldDef::Alpha("Item", 30),  FieldDef::Alpha("Sort", 30),
        FieldDef::Alpha("Data1", 30), FieldDef::Alpha("Data2", 30), FieldDef::Alpha("Data3", 30),
        FieldDef::Alpha("Data4", 30), FieldDef::Alpha("Data5", 30)};
    return fields;
}

PackRecord FindPackRecord(const VersionName& version) {
    store::Table packs(PackTablePath(version.Code));
    packs.SetReadOnly(true);
    packs.Open();
    if (!packs.Locate("Model;Pack;Code", {version.Model, version.Pack, version.Code}))
        throw std::runtime_error("The catalogue holds no version " + version.Text());
    return ReadPackRecord(packs);
}

PackRecord ReadPackRecord(store::Dataset& packs) {
    auto field = [&](const char* name) { return packs.FieldByName(name).AsString(); };
    return {field("Button"),
            field("Model"),
            field("Pack"),
            field("Code"),
            field("Creator"),
            field("Date"),
            field("DB"),
            field("Card"),
            field("Help"),
            field("Title"),
            field("CustomTitle"),
            field("Description"),
            field("CustomDescription")};
}

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(store::NativePath(path), ignored);
}

void DeleteFileQuietly(const char* file) {
    std::error_code ignored;
    std::filesystem::remove(store::NativePath(file), ignored);
}

}  // namespace kv::catalogue
