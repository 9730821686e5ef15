#pragma once
// Reads an archive front to back: the archive header, then each member header and name.
#include <string>

#include "archive/Headers.h"
#include "archive/Streams.h"
#include "archive/TCompThreadSafety.h"

namespace kv::archive {

class TArchiveReader {
  public:
    // Opens the archive (errors propagate as std::system_error) and reads its header. An archive
    // of fewer than 21 bytes counts as empty. Throws EInvalidHeader, EInvalidHeaderArchiveType or
    // EUnrecognizedCompressionMethod for a header that is not one of ours.
    explicit TArchiveReader(const std::string& archiveName);

    const TArchiveHeader& Header() const { return ArchiveHeader; }
    // Reads the next member header and name; false when either comes back short. Throws
    // EInvalidHeader for negative counts, which no writer produces.
    bool NextMember(TMemberHeader& header, std::string& name);
    // Positions the stream after the current member's coded data.
    void SkipData();
    TFileStream& Stream() { return File; }

  private:
    TFileStream File;
    TArchiveHeader ArchiveHeader;
    bool Empty = false;
    int64_t DataEnd = 0;
};

// Reads the next member of an archive stream positioned at a member header.
bool ReadMember(TStream& stream, TMemberHeader& header, std::string& name);

// Decodes the member's coded data from the archive into `out` and checks it: EInvalidKey for a
// locked member (before reading anything), EBadChecksum when the sum of the decoded bytes differs
// from the stored one (a stored member with checksum 0 passes) or the coded data is cut short,
// EBadMemberSize when the data decodes to another length than the uncompressed size.
void DecodeAndCheck(TCompThreadSafety& codec, TStream& archive, TStream& out,
                    const TMemberHeader& header);

}  // namespace kv::archive
