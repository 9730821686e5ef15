#pragma once
// The archive component: writes a list of files into a pack archive and expands one again.
#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/Exceptions.h"
#include "archive/Methods.h"

namespace kv::archive {

class TArchiveReader;
class TCompThreadSafety;
class TFileStream;
class TStream;
struct TMemberHeader;

class TCompress {
  public:
    TCompress();
    ~TCompress();
    TCompress(const TCompress&) = delete;
    TCompress& operator=(const TCompress&) = delete;

    // Prefix stripped from names when writing and put in front of names when expanding; a
    // non-empty value always ends with a separator ("\" is appended unless "\" or "/" ends it).
    const std::string& TargetPath() const { return Target; }
    void SetTargetPath(const std::string& path);
    bool MakeDirectories = false;
    bool ExceptionOnFileError = false;  // false: files that cannot be opened or created are skipped
    int32_t Key = 0;                    // 0: no key; locked members are refused
    bool CheckSpaceBeforeExpand = true;
    // Expansion with a FileList takes only members whose stored name equals an entry exactly
    // (otherwise the case of letters is ignored).
    bool ExactMemberNames = false;

    // Writes the files of FileList, in order, into ArchiveName (method NON or LH5). Entries whose
    // file cannot be opened are removed; the others are replaced by their stored names.
    void CompressFileList(const std::string& ArchiveName, std::vector<std::string>& FileList,
                          TCompressMethod Method);
    // As CompressFileList, for a new archive that replaces whatever file has its name, and
    // without harm to anything on failure: every file of FileList must open
    // (std::system_error) and must not be the archive, and ArchiveName must not be a directory
    // (ECannotCreateArchive), before anything is written; the archive is written beside
    // ArchiveName and renamed over it only when it is complete.
    void CreateArchive(const std::string& ArchiveName, std::vector<std::string>& FileList,
                       TCompressMethod Method);
    // Expands every member (FileList null) or those named in FileList, which then holds the
    // names of the files written. Never writes outside TargetPath (EUnsafeMemberName), nor
    // through a link or into an existing file: each member is written beside its target and
    // renamed over it once it decoded whole with the right size and checksum, so a member that
    // fails leaves the file it would replace as it was. A member whose target is the archive
    // itself is refused (EMemberIsArchive).
    void ExpandArchive(const std::string& ArchiveName,
                       std::vector<std::string>* FileList = nullptr);

  private:
    // Writes a whole archive of FileList (edited as CompressFileList does) into an empty file.
    void WriteArchive(TFileStream& file, std::vector<std::string>& FileList,
                      TCompressMethod Method);
    void WriteMember(TStream& archive, TStream& source, const std::string& storedName, int32_t size,
                     uint32_t dateTime, uint16_t attributes, TCompressMethod method);
    bool Selected(const std::vector<std::string>& fileList, const std::string& name) const;
    // Writes one selected member; false when its file cannot be created and is skipped.
    bool ExpandMember(TArchiveReader& reader, const struct stat& archiveFile,
                      const TMemberHeader& header, const std::string& name);
    void MergeOldArchive(const std::string& oldName, const std::string& workName,
                         const std::vector<std::string>& fileList);

    std::string Target;
    std::unique_ptr<TCompThreadSafety> Codec;
};

}  // namespace kv::archive
