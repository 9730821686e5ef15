#include "store/ParadoxFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <set>

#include "store/Cp1252.h"
#include "store/StoreError.h"

namespace kv::store {
namespace {

// Offsets of the header fields used here.
constexpr size_t RecordSizeAt = 0x00, HeaderSizeAt = 0x02, FileTypeAt = 0x04, BlockSizeAt = 0x05,
                 RecordCountAt = 0x06, NextBlockAt = 0x0A, FileBlocksAt = 0x0C, FirstBlockAt = 0x0E,
                 LastBlockAt = 0x10, FieldCountAt = 0x21, Encryption1At = 0x25, SortOrderAt = 0x29,
                 ChangeCount1At = 0x2D, ChangeCount2At = 0x2E, TableNamePtrPtrAt = 0x30,
                 FieldInfoPtrAt = 0x34, VersionAt = 0x39, MaxBlocksAt = 0x3A, Unknown3EAt = 0x3E,
                 RealHeaderSizeAt = 0x51, Unknown56At = 0x56, FileVersion3At = 0x58,
                 FileVersion4At = 0x5A, Encryption2At = 0x5C, UpdateTimeAt = 0x60,
                 HiFieldIdAt = 0x64, HiFieldIdInfoAt = 0x66, SometimesFieldCountAt = 0x68,
                 CodePageAt = 0x6A, Unknown6CAt = 0x6C;
constexpr size_t CommonHeaderSize = 0x58, DataHeaderSize = 0x78, BlockHeadSize = 6;
constexpr uint8_t KeyedTable = 0, PlainTable = 2, Paradox7 = 0x0C;
constexpr uint32_t NoEncryption = 0xFF00FF00;
constexpr int TableNameSize7 = 261, TableNameSizeOld = 79;
constexpr char SortOrderName[] = "ANSIINTL";

uint16_t U16(std::string_view b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1])
                                                                   << 8);
}
uint32_t U32(std::string_view b, size_t at) {
    return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16;
}

void Put16(std::string& b, size_t at, uint32_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

bool KnownType(uint8_t t) {
    switch (static_cast<FieldType>(t)) {
        case FieldType::Alpha:
        case FieldType::Date:
        case FieldType::Short:
        case FieldType::Long:
        case FieldType::Currency:
        case FieldType::Number:
        case FieldType::Logical:
        case FieldType::Time:
        case FieldType::Timestamp:
        case FieldType::AutoInc:
            return true;
    }
    return false;
}

std::string TypeByteName(uint8_t t) {
    switch (t) {
        case 0x0C:
            return "memo";
        case 0x0D:
            return "binary";
        case 0x0E:
            return "formatted memo";
        case 0x0F:
            return "OLE";
        case 0x10:
            return "graphic";
        case 0x17:
            return "BCD";
        case 0x18:
            return "bytes";
        default:
            return "unknown (" + std::to_string(t) + ")";
    }
}

// Block sizes of Paradox 7 tables, in KiB. The smallest that wastes little of each block;
// records of several hundred bytes fill large blocks much better.
int BlockSizeFor(int recordSize) {
    int best = 32;
    double bestWaste = 1;
    for (int kib : {2, 4, 16, 32}) {
        int usable = kib * 1024 - static_cast<int>(BlockHeadSize);
        if (recordSize > usable) continue;
        double waste = static_cast<double>(usable % recordSize) / usable;
        if (waste <= 0.05) return kib;
        if (waste < bestWaste) {
            best = kib;
            bestWaste = waste;
        }
    }
    return best;
}

class Decoder {
  public:
    Decoder(std::string_view bytes, const std::string& file) : b_(bytes), file_(file) {}

    TableContents Run() {
        if (b_.size() < CommonHeaderSize)
            Fail("file is too short to be a Paradox table (" + std::to_string(b_.size()) +
                 " bytes)");
        uint8_t fileType = Byte(FileTypeAt);
        if (fileType != KeyedTable && fileType != PlainTable)
            Fail("not a Paradox data table (file type " + std::to_string(fileType) + ")");
        uint8_t version = Byte(VersionAt);
        if (version < 3 || version > 12)
            Fail("unknown Paradox file version " + std::to_string(version));
        bool dataHeader = version >= 5;
        size_t headerSize = U16(b_, HeaderSizeAt);
        size_t fieldInfo = dataHeader ? DataHeaderSize : CommonHeaderSize;
        if (headerSize < fieldInfo || headerSize > b_.size())
            Fail("header size " + std::to_string(headerSize) + " is impossible for a file of " +
                 std::to_string(b_.size()) + " bytes");
        uint32_t enc1 = U32(b_, Encryption1At);
        if ((enc1 != 0 && enc1 != NoEncryption) || (dataHeader && U32(b_, Encryption2At) != 0))
            Fail("the table is password protected");
        if (dataHeader) {
            uint16_t codePage = U16(b_, CodePageAt);
            if (codePage != 0 && codePage != 1252)
                Fail("code page " + std::to_string(codePage) + " is not supported (only 1252)");
        }

        FieldDefs fields = ReadFields(fieldInfo, headerSize, version);
        RecordLayout layout = MakeLayout(std::move(fields));
        size_t recordSize = U16(b_, RecordSizeAt);
        if (recordSize != static_cast<size_t>(layout.RecordSize()))
            Fail("record size " + std::to_string(recordSize) +
                 " in the header does not match the fields (" +
                 std::to_string(layout.RecordSize()) + " bytes)");

        TableContents out{std::move(layout), {}, fileType == KeyedTable};
        ReadBlocks(headerSize, recordSize, out.Records);
        return out;
    }

  private:
    [[noreturn]] void Fail(const std::string& reason) const { throw StoreError(file_, reason); }
    uint8_t Byte(size_t at) const { return static_cast<uint8_t>(b_[at]); }

    FieldDefs ReadFields(size_t at, size_t headerSize, uint8_t version) {
        size_t count = U16(b_, FieldCountAt);
        if (count == 0 || count > 255)
            Fail("the header counts " + std::to_string(count) + " fields");
        size_t tableName = version == Paradox7 ? TableNameSize7 : TableNameSizeOld;
        size_t names = at + count * 2 + 4 + count * 4 + tableName;
        if (names > headerSize) Fail("the field descriptors run past the header");
        FieldDefs fields(count);
        for (size_t i = 0; i < count; ++i) {
            uint8_t type = Byte(at + i * 2), size = Byte(at + i * 2 + 1);
            if (!KnownType(type))
                Fail("field " + std::to_string(i + 1) + " has the unsupported type " +
                     TypeByteName(type));
            fields[i].Type = static_cast<FieldType>(type);
            fields[i].Size = fields[i].Type == FieldType::Alpha ? size : 0;
            if (fields[i].Type != FieldType::Alpha && size != ByteSize(fields[i]))
                Fail("field " + std::to_string(i + 1) + " has a wrong size for its type (" +
                     std::to_string(size) + ")");
        }
        for (size_t i = 0; i < count; ++i) {
            size_t end = b_.find('\0', names);
            if (end == std::string_view::npos || end >= headerSize)
                Fail("the field names run past the header");
            fields[i].Name = Cp1252ToUtf8(b_.substr(names, end - names));
            names = end + 1;
        }
        return fields;
    }

    RecordLayout MakeLayout(FieldDefs fields) const {
        try {
            return RecordLayout(std::move(fields));
        } catch (const StoreError& e) {
            Fail("bad structure: " + e.Reason());
        }
    }

    void ReadBlocks(size_t headerSize, size_t recordSize, std::vector<std::string>& records) {
        uint8_t kib = Byte(BlockSizeAt);
        if (kib < 1 || kib > 32) Fail("unknown block size " + std::to_string(kib) + " KiB");
        size_t blockSize = kib * size_t{1024};
        if (recordSize > blockSize - BlockHeadSize)
            Fail("records of " + std::to_string(recordSize) + " bytes do not fit a block");
        size_t fileBlocks = U16(b_, FileBlocksAt);
        if (headerSize + fileBlocks * blockSize > b_.size())
            Fail("the file is truncated: the header counts " + std::to_string(fileBlocks) +
                 " blocks of " + std::to_string(blockSize) + " bytes but the file holds " +
                 std::to_string(b_.size()) + " bytes");
        size_t perBlock = (blockSize - BlockHeadSize) / recordSize;
        uint32_t claimed = U32(b_, RecordCountAt);
        std::set<size_t> seen;
        for (size_t block = U16(b_, FirstBlockAt); block != 0;) {
            if (block > fileBlocks)
                Fail("the block chain points to block " + std::to_string(block) + " of " +
                     std::to_string(fileBlocks));
            if (!seen.insert(block).second)
                Fail("the block chain loops at block " + std::to_string(block));
            size_t start = headerSize + (block - 1) * blockSize;
            auto used = static_cast<int16_t>(U16(b_, start + 4));
            // The head holds the bytes used beyond the first record: -recordSize when empty.
            long n = (static_cast<long>(used) + static_cast<long>(recordSize));
            if (n < 0 || n % static_cast<long>(recordSize) != 0 ||
                static_cast<size_t>(n) / recordSize > perBlock)
                Fail("block " + std::to_string(block) + " claims an impossible fill (" +
                     std::to_string(used) + ")");
            size_t count = static_cast<size_t>(n) / recordSize;
            if (records.size() + count > claimed)
                Fail("the data blocks hold more records than the " + std::to_string(claimed) +
                     " the header counts");
            for (size_t r = 0; r < count; ++r)
                records.emplace_back(b_.substr(start + BlockHeadSize + r * recordSize, recordSize));
            block = U16(b_, start);
        }
        if (records.size() != claimed)
            Fail("the header counts " + std::to_string(claimed) +
                 " records but the data blocks hold " + std::to_string(records.size()));
    }

    std::string_view b_;
    const std::string& file_;
};

}  // namespace

TableContents DecodeTableFile(std::string_view bytes, const std::string& file) {
    return Decoder(bytes, file).Run();
}

std::string EncodeTableFile(const RecordLayout& layout, const std::vector<std::string>& records,
                            std::string_view tableName) {
    const FieldDefs& fields = layout.Fields();
    const size_t count = fields.size();
    std::vector<std::string> names;
    size_t namesSize = 0;
    for (const auto& f : fields) {
        names.push_back(Utf8ToCp1252(f.Name).value_or("?"));
        namesSize += names.back().size() + 1;
    }
    std::string storedName = Utf8ToCp1252(tableName).value_or("").substr(0, TableNameSize7 - 1);

    const size_t tableNamePtr = DataHeaderSize + count * 2;
    const size_t tableNameAt = tableNamePtr + 4 + count * 4;
    const size_t namesAt = tableNameAt + TableNameSize7;
    const size_t used = namesAt + namesSize + count * 2 + sizeof SortOrderName;
    const size_t headerSize = (used + 0x7FF) / 0x800 * 0x800;
    const int recordSize = layout.RecordSize();
    const int kib = BlockSizeFor(recordSize);
    const size_t blockSize = kib * size_t{1024};
    const size_t perBlock = (blockSize - BlockHeadSize) / recordSize;
    const size_t blocks = (records.size() + perBlock - 1) / perBlock;
    if (blocks > 0xFFFF)
        throw StoreError("", "the table is full (" + std::to_string(records.size()) + " records)");

    std::string b(headerSize + blocks * blockSize, '\0');
    Put16(b, RecordSizeAt, recordSize);
    Put16(b, HeaderSizeAt, static_cast<uint32_t>(headerSize));
    b[FileTypeAt] = static_cast<char>(PlainTable);
    b[BlockSizeAt] = static_cast<char>(kib);
    Put32(b, RecordCountAt, static_cast<uint32_t>(records.size()));
    Put16(b, NextBlockAt, static_cast<uint32_t>(blocks));
    Put16(b, FileBlocksAt, static_cast<uint32_t>(blocks));
    Put16(b, FirstBlockAt, blocks ? 1 : 0);
    Put16(b, LastBlockAt, static_cast<uint32_t>(blocks));
    Put16(b, FieldCountAt, static_cast<uint32_t>(count));
    Put32(b, Encryption1At, NoEncryption);
    b[SortOrderAt] = 0x62;
    b[ChangeCount1At] = 2;
    b[ChangeCount2At] = 1;
    // In-memory pointers of the original writer; only their presence matters.
    Put32(b, TableNamePtrPtrAt, static_cast<uint32_t>(tableNamePtr));
    Put32(b, FieldInfoPtrAt, DataHeaderSize);
    b[VersionAt] = static_cast<char>(Paradox7);
    Put16(b, MaxBlocksAt, static_cast<uint32_t>(blocks));
    b[Unknown3EAt] = 0x1F;
    b[Unknown3EAt + 1] = 0x0F;
    Put16(b, RealHeaderSizeAt, static_cast<uint32_t>(used));
    b[Unknown56At] = 0x20;
    Put16(b, FileVersion3At, 0x0100 | Paradox7);
    Put16(b, FileVersion4At, 0x0100 | Paradox7);
    Put32(b, UpdateTimeAt, static_cast<uint32_t>(std::time(nullptr)));
    Put16(b, HiFieldIdAt, static_cast<uint32_t>(count + 1));
    Put16(b, HiFieldIdInfoAt,
          static_cast<uint32_t>(0x20 + count * 6 + 4 + TableNameSize7 + namesSize));
    Put16(b, SometimesFieldCountAt, static_cast<uint32_t>(count));
    Put16(b, CodePageAt, 1252);
    b[Unknown6CAt] = 1;
    b[Unknown6CAt + 1] = 1;
    Put16(b, Unknown6CAt + 2,
          static_cast<uint32_t>(0x18 + count * 8 + 4 + TableNameSize7 + namesSize + 8));

    for (size_t i = 0; i < count; ++i) {
        b[DataHeaderSize + i * 2] = static_cast<char>(fields[i].Type);
        b[DataHeaderSize + i * 2 + 1] = static_cast<char>(ByteSize(fields[i]));
    }
    Put32(b, tableNamePtr, static_cast<uint32_t>(tableNameAt));
    for (size_t i = 0, at = namesAt; i < count; at += names[i].size() + 1, ++i)
        Put32(b, tableNamePtr + 4 + i * 4, static_cast<uint32_t>(at));
    std::memcpy(&b[tableNameAt], storedName.data(), storedName.size());
    size_t at = namesAt;
    for (const auto& n : names) {
        std::memcpy(&b[at], n.data(), n.size());
        at += n.size() + 1;
    }
    for (size_t i = 0; i < count; ++i, at += 2) Put16(b, at, static_cast<uint32_t>(i + 1));
    std::memcpy(&b[at], SortOrderName, sizeof SortOrderName - 1);

    for (size_t k = 0; k < blocks; ++k) {
        size_t start = headerSize + k * blockSize;
        size_t first = k * perBlock, n = std::min(perBlock, records.size() - first);
        Put16(b, start, k + 1 < blocks ? static_cast<uint32_t>(k + 2) : 0);
        Put16(b, start + 2, static_cast<uint32_t>(k));
        Put16(b, start + 4, static_cast<uint32_t>((n - 1) * recordSize) & 0xFFFF);
        for (size_t r = 0; r < n; ++r)
            std::memcpy(&b[start + BlockHeadSize + r * recordSize], records[first + r].data(),
                        recordSize);
    }
    return b;
}

}  // namespace kv::store
