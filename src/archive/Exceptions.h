#pragma once
// The archive's failures. Each class carries only its message; the console tells them apart by
// class.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "archive/SafeName.h"

namespace kv::archive {

class EInvalidHeader : public std::runtime_error {
  public:
    EInvalidHeader() : std::runtime_error("Can't recognize compressed file header") {}
};

class EInvalidHeaderArchiveType : public std::runtime_error {
  public:
    EInvalidHeaderArchiveType() : std::runtime_error("Archive type must be caMulti") {}
};

class EUnrecognizedCompressionMethod : public std::runtime_error {
  public:
    explicit EUnrecognizedCompressionMethod(const std::string& identifier)
        : std::runtime_error("Unrecognized compression method: \"" + identifier + "\" in header") {}
};

class EUnableToCompress : public std::runtime_error {
  public:
    EUnableToCompress() : std::runtime_error("Could not compress data, will store instead") {}
};

class EInsufficientDiskSpace : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class EBadChecksum : public std::runtime_error {
  public:
    EBadChecksum() : std::runtime_error("Bad checksum during expansion -- data may be invalid") {}

  protected:
    explicit EBadChecksum(const std::string& message) : std::runtime_error(message) {}
};

// A member that decodes to another length than its header declares is as damaged as one whose
// sum is wrong, so callers that handle EBadChecksum refuse it too.
class EBadMemberSize : public EBadChecksum {
  public:
    EBadMemberSize(int64_t declared, int64_t decoded, bool longer)
        : EBadChecksum("Member decodes to " + std::string(longer ? "more than " : "") +
                       std::to_string(longer ? declared : decoded) +
                       " bytes, its header declares " + std::to_string(declared) +
                       " -- data may be invalid") {}
};

class EInvalidKey : public std::runtime_error {
  public:
    EInvalidKey() : std::runtime_error("File locked -- valid key required") {}
};

class ELZHBadDecodeTable : public std::runtime_error {
  public:
    ELZHBadDecodeTable() : std::runtime_error("Bad decode table in archive!") {}
};

// A stored name that would put a file outside the target directory: the member is not written.
class EUnsafeMemberName : public std::runtime_error {
  public:
    explicit EUnsafeMemberName(const std::string& name)
        : std::runtime_error("Unsafe file name in archive, not expanded: \"" + PrintableName(name) +
                             "\"") {}
};

// A member whose target is the archive being read: writing it would destroy the archive.
class EMemberIsArchive : public std::runtime_error {
  public:
    explicit EMemberIsArchive(const std::string& name)
        : std::runtime_error("Member would replace the archive being expanded, not expanded: \"" +
                             PrintableName(name) + "\"") {}
};

// An archive that cannot be created without harm to its inputs or to what stands at its name.
class ECannotCreateArchive : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A member coded with the custom method (or an index outside the table): never decoded as another.
class EUnsupportedMethod : public std::runtime_error {
  public:
    explicit EUnsupportedMethod(const std::string& name)
        : std::runtime_error("No decoder for the compression method of \"" + PrintableName(name) +
                             "\"") {}
};

namespace msg {
inline constexpr const char* DiskFullCompressing = "Disk protected or full during compression";
inline constexpr const char* DiskFullMerging = "Disk full or write error during compression";
inline constexpr const char* NoSpaceToExpand = "Not enough disk space to expand ";
}  // namespace msg

}  // namespace kv::archive
