#pragma once
// A file written under a temporary name beside its target and renamed over the target only when
// complete: until then a file of the target's name stays as it was, and a replacement that is
// never committed is removed. The temporary is always a new file (O_EXCL | O_NOFOLLOW), so no
// existing file, hard link or symbolic link is ever opened for writing.
#include <memory>
#include <string>

#include "archive/MemberPath.h"
#include "archive/Streams.h"

namespace kv::archive {

class TReplacement {
  public:
    // Creates the temporary in `dir` (which must outlive the object). Throws std::system_error.
    TReplacement(const TDirectory& dir, const std::string& leaf);
    ~TReplacement();
    TReplacement(const TReplacement&) = delete;
    TReplacement& operator=(const TReplacement&) = delete;

    TFileStream& File() { return *Stream; }
    // Flushes the data to the disk, then renames the temporary over the target. Throws
    // std::system_error (the temporary is then removed with the object).
    void Commit();

  private:
    int DirFd;
    std::string Leaf, Temporary;
    std::unique_ptr<TFileStream> Stream;
    bool Committed = false;
};

}  // namespace kv::archive
