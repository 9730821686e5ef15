#pragma once
// Where a version lives: its name, its tables, its pack record and documents, and the working
// files the manager writes around it. The manager, the command line and the report all ask here.
#include <array>
#include <optional>
#include <string>

#include "store/Dataset.h"
#include "store/FieldDef.h"

namespace kv::catalogue {

inline constexpr const char* FactoryCode = "000000";
inline constexpr const char* DefaultFolder = "..\\dbs\\default\\";
inline constexpr const char* UserFolder = "..\\dbs\\user\\";
inline constexpr const char* PackTableName = "740-pack.db";
inline constexpr const char* DataTableName = "740-data.db";

// Code "000000" is the factory default version, kept under ..\dbs\default\.
bool IsFactoryCode(const std::string& code);

// Model, pack and code of one version.
struct VersionName {
    std::string Model;  // "746" or "758"
    std::string Pack;   // "FP01"
    std::string Code;   // "000000"

    std::string Text() const { return Model + "-" + Pack + "-" + Code; }  // "758-FP01-000000"
    std::string PackKey() const { return Model + "-" + Pack; }            // "758-FP01"
    bool IsFactory() const { return IsFactoryCode(Code); }
};

// Whether `name` has the form of a version name: "746" or "758", "-", two capitals and two
// digits, "-", six digits.
bool IsVersionName(const std::string& name);
// The parts of a well-formed name; nothing for any other text.
std::optional<VersionName> ParseVersionName(const std::string& name);

// The folder of a code's tables: ..\dbs\default\ for "000000", else ..\dbs\user\.
std::string TableFolder(const std::string& code);
// Folder + version name + ".db".
std::string VersionTablePath(const VersionName& version);
// The pack table that records a version of this code.
std::string PackTablePath(const std::string& code);
std::string FactoryPackTable();  // ..\dbs\default\740-pack.db
std::string UserPackTable();     // ..\dbs\user\740-pack.db
std::string FactoryDataTable();  // ..\dbs\default\740-data.db
std::string UserDataTable();     // ..\dbs\user\740-data.db

// "..\docs\manuals\" + model + "-" + pack + "-OM.pdf" and "..\docs\briefs\" ... "-AP.pdf".
std::string ManualPath(const std::string& model, const std::string& pack);
std::string BriefPath(const std::string& model, const std::string& pack);

// The fields of the pack table and of the data table file, in order, as the manager creates
// the user's copies.
const store::FieldDefs& PackTableFields();
const store::FieldDefs& DataTableFields();

// One record of a pack table, every field as text.
struct PackRecord {
    std::string Button, Model, Pack, Code, Creator, Date, DB, Card, Help, Title, CustomTitle,
        Description, CustomDescription;
};

// The current record of a dataset over a pack table or the catalogue.
PackRecord ReadPackRecord(store::Dataset& packs);

// The pack record of a version, read from the pack table of its code. Throws StoreError when
// the table cannot be read and std::runtime_error when no record names the version.
PackRecord FindPackRecord(const VersionName& version);

// Working files, in the order the exit sequence deletes them: the build's outputs, then the
// asset set and the active-model copies.
inline constexpr std::array<const char*, 3> WorkingFiles = {"PackBinary.bin", "PackReport.pdf",
                                                            "PackManual.pdf"};
inline constexpr std::array<const char*, 11> AssetCopies = {
    "H8S-2144.cmd", "H8S-2145.cmd", "740-ggui.h", "746-ggui.h", "758-ggui.h", "740-opts.db",
    "746-opts.db",  "758-opts.db",  "lib740.a",   "lib746.a",   "lib758.a"};

// Whether a file named by a path relative to the current directory ("..\help\...") exists.
bool FileExists(const std::string& path);

// Deletes the files named, in order, ignoring failures.
template <size_t N>
void DeleteQuietly(const std::array<const char*, N>& files);
void DeleteFileQuietly(const char* file);

template <size_t N>
void DeleteQuietly(const std::array<const char*, N>& files) {
    for (const char* file : files) DeleteFileQuietly(file);
}

}  // namespace kv::catalogue
