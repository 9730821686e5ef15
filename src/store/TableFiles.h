#pragma once
// One in-memory copy per table file, shared by all datasets of the process that have it
// open, so that what one posts the others see. Every change is written back at once.
#include <memory>
#include <string>

#include "store/FileAccess.h"
#include "store/RecordSet.h"

namespace kv::store {

struct TableFile : RecordSet {
    std::string Native;  // path on this system
    std::string File;    // the name errors carry
    FileStamp Stamp;     // the file as last read or written by us
    bool Keyed = false;
    int BatchDepth = 0;
    bool Dirty = false;
    RecordSet Snapshot;  // the records when the outermost batch began

    void Load();
    // Writes the records now, or at the end of the batch.
    void Save();
    void BeginBatch();
    void EndBatch();
};

// The shared copy of a table, read from disk when no dataset has it or when the file was
// changed behind our back.
std::shared_ptr<TableFile> AcquireTable(const std::string& file);

// Whether a dataset of this process has the table open.
bool TableInUse(const std::string& native);

}  // namespace kv::store
