#pragma once
// The table store: Paradox 7 table files (.db) read and written by our own engine.
//
//   #include "store/Store.h"
//   using namespace kv::store;
//
//   // Create (replacing any old file), then append records given as text.
//   Table::Create("..\\dbs\\user\\740-pack.db", {FieldDef::Alpha("Pack", 4),
//                 FieldDef::Of("Date", FieldType::Date), FieldDef::Of("Card", FieldType::Long)});
//   Table packs("..\\dbs\\user\\740-pack.db");   // "\" or "/" separators, relative paths
//   packs.Open();
//   packs.AppendRecord({"FC01", "2024-05-31", "7"});  // each post writes the file atomically
//   { Batch batch(packs); ... many AppendRecord ... }    // one write for the lot
//
//   // Read, filter, edit.
//   Table version("..\\dbs\\user\\758-FC01-000001.db");
//   version.SetReadOnly(code == "000000");              // factory tables are never written
//   version.Open();
//   version.SetFilter("Menu = 'OP_MENU_VARIABLES*' AND Type <> 'DT_TAG'");
//   version.SetFiltered(true);
//   for (version.First(); !version.Eof(); version.Next())
//       use(version.FieldByName("ID").AsString(), version.Fields(3).AsString());
//   version.Edit(); version.FieldByName("DefaultValue").SetAsString("12.5"); version.Post();
//   version.Locate("ID;Menu", {"id_var_total1", "op_menu_variables"});  // ignoring case
//   std::string mark = version.GetBookmark(); ... version.GotoBookmark(mark);
//
//   // Queries, given as lines; results are read-only.
//   Query q;
//   q.SetSQL({"SELECT *", "FROM '740-opts.db'", "WHERE Type = :Type"});
//   q.SetDataSource(&version);  // :Type from version's current record, re-run as it moves
//   q.Open();
//
// Events (BeforeInsert, AfterScroll, OnDataChange, ...) are signals: ds.AfterScroll.Connect(fn).
// OnViewChange tells views when the records shown change, also by another dataset's post.
// A handler throwing Abort cancels an insert or delete silently; Field::OnValidate refuses a
// value by throwing. SetRequiredFields makes Open fail on a table of another structure.
//
// Values are text: alphanumeric as UTF-8 (stored as Windows-1252), dates "yyyy-mm-dd",
// numbers with ".", logical "True"/"False", blank as "". Every failure is a StoreError whose
// message names the file and the reason; a text that does not fit is refused, never cut.
#include "store/Dataset.h"
#include "store/FieldDef.h"
#include "store/Query.h"
#include "store/StoreError.h"
#include "store/Table.h"
