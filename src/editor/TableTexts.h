#pragma once
// The texts of the data table, messages and printer text pages, exactly as the user sees them.
namespace kv::editor::text {

inline constexpr const char* DefaultTable = "DEFAULT";
inline constexpr const char* NewTableName = "NEW TABLE";
inline constexpr const char* ScratchTable = "740-temp.db";

inline constexpr const char* EnterTableTitle = "Please enter table title";
inline constexpr const char* TableExists = "This table already exists";
inline constexpr const char* DefaultNotDeleted = "The default table cannot be deleted";
inline constexpr const char* DeleteTableQuestion = "Are you sure you want to delete this table ?";
inline constexpr const char* NotANumber = "Invalid entry: this is not a number";
inline constexpr const char* InvalidRange = "Invalid range: consult factory";
inline constexpr const char* OutOfRange = "Value is not within allowed range";

inline constexpr const char* TableLabel = "Table:";
inline constexpr const char* SelectTableHint = "Select Table";
inline constexpr const char* NewTableButton = "&New";
inline constexpr const char* NewTableHint = "Create New Table";
inline constexpr const char* DeleteTableButton = "&Delete";
inline constexpr const char* DeleteTableHint = "Delete Current Table";
inline constexpr const char* NewTableCaption = "New Table: Enter Title And Choose Units";
inline constexpr const char* TableTitleLabel = "Table Title";
inline constexpr const char* OkButton = "&OK";
inline constexpr const char* CancelButton = "&Cancel";

inline constexpr const char* DefaultTextLabel = "Default:";
inline constexpr const char* UserTextLabel = "User:";
inline constexpr const char* ListOfItems = "List of Items";
inline constexpr const char* UserTextColumn = "User Text  (max 30 characters)";

}  // namespace kv::editor::text
