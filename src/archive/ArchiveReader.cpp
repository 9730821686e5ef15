#include "archive/ArchiveReader.h"

#include "archive/Exceptions.h"
#include "archive/Methods.h"

namespace kv::archive {

bool ReadMember(TStream& stream, TMemberHeader& header, std::string& name) {
    uint8_t bytes[MemberHeaderSize];
    if (stream.Read(bytes, sizeof bytes) != sizeof bytes) return false;
    header = TMemberHeader::Unpack(bytes);
    if (header.NameLength < 0 || header.UncompressedSize < 0 || header.CompressedSize < 0)
        throw EInvalidHeader();
    name.assign(static_cast<size_t>(header.NameLength), '\0');
    return stream.Read(name.data(), name.size()) == name.size();
}

void DecodeAndCheck(TCompThreadSafety& codec, TStream& archive, TStream& out,
                    const TMemberHeader& header) {
    if (header.Locked > 0) throw EInvalidKey();
    auto method = static_cast<TCompressMethod>(header.Method);
    TDecodeResult result =
        codec.DecodeMember(method, archive, out, header.UncompressedSize, header.CompressedSize);
    bool accepted =
        result.Checksum == header.Checksum || (header.Checksum == 0 && method == MethodNone);
    if (result.Truncated || !accepted) throw EBadChecksum();
    // A byte sum cannot see zeros cut off or appended: the length must agree as well.
    if (result.Overlong || result.Written != header.UncompressedSize)
        throw EBadMemberSize(header.UncompressedSize, result.Written, result.Overlong);
}

TArchiveReader::TArchiveReader(const std::string& archiveName)
    : File(archiveName, TFileStream::OpenRead) {
    uint8_t bytes[ArchiveHeaderSize];
    if (File.Read(bytes, sizeof bytes) != sizeof bytes) {
        Empty = true;
        return;
    }
    ArchiveHeader = TArchiveHeader::Unpack(bytes);
    if (!ArchiveHeader.HasSignature()) throw EInvalidHeader();
    if (ArchiveHeader.ArchiveType != ArchiveTypeMulti) throw EInvalidHeaderArchiveType();
    if (!MethodFromIdentifier(ArchiveHeader.MethodIdentifier()))
        throw EUnrecognizedCompressionMethod(ArchiveHeader.MethodIdentifier());
}

bool TArchiveReader::NextMember(TMemberHeader& header, std::string& name) {
    if (Empty || !ReadMember(File, header, name)) return false;
    DataEnd = File.Position() + header.CompressedSize;
    return true;
}

void TArchiveReader::SkipData() {
    File.Seek(DataEnd);
}

}  // namespace kv::archive
