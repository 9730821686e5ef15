#include "archive/Listing.h"

#include "archive/ArchiveReader.h"
#include "archive/Exceptions.h"
#include "archive/FileSystem.h"

namespace kv::archive {

namespace {
class TNullStream : public TStream {
  public:
    size_t Read(void*, size_t) override { return 0; }
    void Write(const void*, size_t count) override { Pos += static_cast<int64_t>(count); }
    int64_t Seek(int64_t offset) override { return Pos = offset; }
    int64_t Position() const override { return Pos; }
    int64_t Size() const override { return Pos; }

  private:
    int64_t Pos = 0;
};
}  // namespace

std::vector<TMemberListing> ListArchive(const std::string& archiveName) {
    TArchiveReader reader(NativePath(archiveName));
    TCompThreadSafety codec;
    std::vector<TMemberListing> members;
    TMemberListing m;
    while (reader.NextMember(m.Header, m.Name)) {
        m.Verified = false;
        m.Problem.clear();
        try {
            if (m.Header.Method == MethodCustom || m.Header.Method >= MethodCount)
                throw EUnsupportedMethod(m.Name);
            TNullStream sink;
            DecodeAndCheck(codec, reader.Stream(), sink, m.Header);
            m.Verified = true;
        } catch (const std::runtime_error& e) {
            m.Problem = e.what();
        }
        members.push_back(m);
        reader.SkipData();
    }
    return members;
}

}  // namespace kv::archive
