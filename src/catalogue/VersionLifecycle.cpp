#include "catalogue/VersionLifecycle.h"

#include <cstdio>
#include <filesystem>

#include "catalogue/VersionTexts.h"
#include "store/FileAccess.h"
#include "store/Table.h"

namespace kv::catalogue {

namespace fs = std::filesystem;

namespace {

using FieldOf = std::string PackRecord::*;
constexpr std::pair<const char*, FieldOf> PackFields[] = {
    {"Button", &PackRecord::Button},
    {"Model", &PackRecord::Model},
    {"Pack", &PackRecord::Pack},
    {"Code", &PackRecord::Code},
    {"Creator", &PackRecord::Creator},
    {"Date", &PackRecord::Date},
    {"DB", &PackRecord::DB},
    {"Card", &PackRecord::Card},
    {"Help", &PackRecord::Help},
    {"Title", &PackRecord::Title},
    {"CustomTitle", &PackRecord::CustomTitle},
    {"Description", &PackRecord::Description},
    {"CustomDescription", &PackRecord::CustomDescription},
};

VersionName NameOf(const PackRecord& record) {
    return {record.Model, record.Pack, record.Code};
}

// The user pack table positioned on the record of `version`; false when it holds none.
bool LocateUserRecord(store::Table& packs, const VersionName& version) {
    packs.SetTableName(UserPackTable());
    packs.Open();
    return packs.Locate("Model;Pack;Code", {version.Model, version.Pack, version.Code});
}

bool UserRecordExists(const VersionName& version) {
    if (!store::Table::Exists(UserPackTable())) return false;
    store::Table packs;
    packs.SetReadOnly(true);
    return LocateUserRecord(packs, version);
}

}  // namespace

std::string NewVersionRefusal(const VersionName& version) {
    if (version.Code.size() < CodeLength) return text::CodeTooShort;
    // A record without its table (left by hand or by an older release) would otherwise be
    // doubled: it counts as existing too.
    if (version.IsFactory() ||
        store::Table::Exists(std::string(UserFolder) + version.Text() + ".db") ||
        UserRecordExists(version))
        return text::VersionExists;
    return "";
}

std::string DateText(const std::chrono::year_month_day& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

void WritePackRecord(store::Dataset& record, const PackRecord& values) {
    for (const auto& [name, field] : PackFields)
        record.FieldByName(name).SetAsString(values.*field);
}

void CreateVersion(const PackRecord& record, const std::string& itemTable) {
    const VersionName version = NameOf(record);
    const fs::path target = store::NativePath(VersionTablePath(version));
    const fs::path partial = target.parent_path() / ("~" + version.Text() + ".db.part");
    std::error_code ignored;

    fs::copy_file(store::NativePath(itemTable), partial, fs::copy_options::overwrite_existing);
    store::Table packs(UserPackTable());
    try {
        packs.Open();
        packs.Append();
        WritePackRecord(packs, record);
        packs.Post();
    } catch (...) {
        packs.Close();
        fs::remove(partial, ignored);
        throw;
    }
    try {
        fs::rename(partial, target);
    } catch (...) {
        if (packs.Locate("Model;Pack;Code", {version.Model, version.Pack, version.Code}))
            packs.Delete();
        fs::remove(partial, ignored);
        throw;
    }
}

bool UpdateVersionRecord(const PackRecord& record) {
    store::Table packs;
    if (!LocateUserRecord(packs, NameOf(record))) return false;
    packs.Edit();
    WritePackRecord(packs, record);
    packs.Post();
    return true;
}

bool DeleteVersionRecord(const VersionName& version) {
    store::Table packs;
    if (!LocateUserRecord(packs, version)) return false;
    packs.Delete();
    return true;
}

void DeleteVersionTable(const VersionName& version) {
    store::Table::DeleteTable(VersionTablePath(version));
}

}  // namespace kv::catalogue
