#include "store/TableFiles.h"

#include <filesystem>
#include <map>

#include "store/ParadoxFile.h"
#include "store/StoreError.h"

namespace kv::store {
namespace {

std::map<std::string, std::weak_ptr<TableFile>>& Registry() {
    static std::map<std::string, std::weak_ptr<TableFile>> registry;
    return registry;
}

std::string KeyOf(const std::string& native) {
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(std::filesystem::absolute(native, ec), ec);
    return ec ? native : canonical.string();
}

std::string BaseName(const std::string& native) {
    auto slash = native.rfind('/');
    return slash == std::string::npos ? native : native.substr(slash + 1);
}

}  // namespace

void TableFile::Load() {
    std::string bytes = ReadWholeFile(Native, File);
    FileStamp stamp = StampOf(Native);
    TableContents contents = DecodeTableFile(bytes, File);
    Keyed = contents.Keyed;
    Assign(std::move(contents.Layout), std::move(contents.Records));
    Stamp = stamp;
}

void TableFile::Save() {
    if (BatchDepth > 0) {
        Dirty = true;
        return;
    }
    std::string bytes;
    try {
        bytes = EncodeTableFile(Layout, Records, BaseName(Native));
    } catch (const StoreError& e) {
        throw StoreError(File, e.Reason());
    }
    WriteFileAtomically(Native, bytes, File);
    Stamp = StampOf(Native);
    Dirty = false;
}

void TableFile::BeginBatch() {
    if (BatchDepth++ == 0) {
        Snapshot.Records = Records;
        Snapshot.Ids = Ids;
    }
}

void TableFile::EndBatch() {
    if (BatchDepth == 0 || --BatchDepth > 0 || !Dirty) return;
    try {
        Save();
    } catch (...) {
        // Memory goes back to what the file still holds.
        Records = std::move(Snapshot.Records);
        Ids = std::move(Snapshot.Ids);
        ++Version;
        Dirty = false;
        Changed();
        throw;
    }
}

std::shared_ptr<TableFile> AcquireTable(const std::string& file) {
    std::string native = NativePath(file);
    std::string key = KeyOf(native);
    auto& registry = Registry();
    if (auto shared = registry[key].lock()) {
        if (shared->BatchDepth == 0 && StampOf(native) != shared->Stamp) {
            shared->File = file;
            shared->Load();
            shared->Changed();
        }
        return shared;
    }
    auto table = std::make_shared<TableFile>();
    table->Native = native;
    table->File = file;
    table->Load();
    registry[key] = table;
    std::erase_if(registry, [](const auto& entry) { return entry.second.expired(); });
    return table;
}

bool TableInUse(const std::string& native) {
    auto found = Registry().find(KeyOf(native));
    return found != Registry().end() && !found->second.expired();
}

}  // namespace kv::store
