#pragma once
// The archive component: writes a list of files into a pack archive and expands one again.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/Exceptions.h"
#include "archive/Methods.h"

namespace kv::archive {

class TCompThreadSafety;
class TStream;

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

    // Writes the files of FileList, in order, into ArchiveName (method NON or LH5). Entries whose
    // file cannot be opened are removed; the others are replaced by their stored names.
    void CompressFileList(const std::string& ArchiveName, std::vector<std::string>& FileList,
                          TCompressMethod Method);
    // Expands every member (FileList null) or those named in FileList, which then holds the
    // names of the files written. Never writes outside TargetPath (EUnsafeMemberName).
    void ExpandArchive(const std::string& ArchiveName, std::vector<std::string>* FileList = nullptr);

private:
    void WriteMember(TStream& archive, TStream& source, const std::string& storedName,
                     int32_t size, uint32_t dateTime, uint16_t attributes, TCompressMethod method);
    void MergeOldArchive(const std::string& oldName, const std::string& workName,
                            const std::vector<std::string>& fileList);

    std::string Target;
    std::unique_ptr<TCompThreadSafety> Codec;
};

}  // namespace kv::archive
