#include "archive/Headers.h"

#include <algorithm>
#include <cstring>

namespace kv::archive {

namespace {

class TWriter {
  public:
    explicit TWriter(uint8_t* out) : Out(out) {}
    void Bytes(const char* p, size_t n) { std::memcpy(Out + At, p, n), At += n; }
    void U(uint32_t v, int width) {
        for (int i = 0; i < width; ++i) Out[At++] = static_cast<uint8_t>(v >> (8 * i));
    }

  private:
    uint8_t* Out;
    size_t At = 0;
};

class TReader {
  public:
    explicit TReader(const uint8_t* in) : In(in) {}
    void Bytes(char* p, size_t n) { std::memcpy(p, In + At, n), At += n; }
    uint32_t U(int width) {
        uint32_t v = 0;
        for (int i = 0; i < width; ++i) v |= static_cast<uint32_t>(In[At++]) << (8 * i);
        return v;
    }

  private:
    const uint8_t* In;
    size_t At = 0;
};

}  // namespace

TArchiveHeader TArchiveHeader::Make(const char* methodIdentifier, int32_t total) {
    TArchiveHeader h;
    std::copy_n(ArchiveSignature, 5, h.Signature.begin());
    std::copy_n(methodIdentifier, 3, h.Method.begin());
    h.TotalSize = total;
    return h;
}

bool TArchiveHeader::HasSignature() const {
    return std::equal(Signature.begin(), Signature.end(), ArchiveSignature);
}

std::array<uint8_t, ArchiveHeaderSize> TArchiveHeader::Pack() const {
    std::array<uint8_t, ArchiveHeaderSize> out{};
    TWriter w(out.data());
    w.Bytes(Signature.data(), 5);
    w.Bytes(Method.data(), 3);
    w.U(static_cast<uint32_t>(TotalSize), 4);
    w.U(ArchiveType, 1);
    w.U(static_cast<uint32_t>(Reserved), 4);
    w.U(static_cast<uint32_t>(Locked), 4);
    return out;
}

TArchiveHeader TArchiveHeader::Unpack(const uint8_t* bytes) {
    TArchiveHeader h;
    TReader r(bytes);
    r.Bytes(h.Signature.data(), 5);
    r.Bytes(h.Method.data(), 3);
    h.TotalSize = static_cast<int32_t>(r.U(4));
    h.ArchiveType = static_cast<uint8_t>(r.U(1));
    h.Reserved = static_cast<int32_t>(r.U(4));
    h.Locked = static_cast<int32_t>(r.U(4));
    return h;
}

std::array<uint8_t, MemberHeaderSize> TMemberHeader::Pack() const {
    std::array<uint8_t, MemberHeaderSize> out{};
    TWriter w(out.data());
    w.U(static_cast<uint16_t>(NameLength), 2);
    w.U(DateTime, 4);
    w.U(Attributes, 2);
    w.U(static_cast<uint32_t>(UncompressedSize), 4);
    w.U(static_cast<uint32_t>(CompressedSize), 4);
    w.U(Method, 1);
    w.U(Checksum, 4);
    w.U(static_cast<uint32_t>(Locked), 4);
    return out;
}

TMemberHeader TMemberHeader::Unpack(const uint8_t* bytes) {
    TMemberHeader h;
    TReader r(bytes);
    h.NameLength = static_cast<int16_t>(r.U(2));
    h.DateTime = r.U(4);
    h.Attributes = static_cast<uint16_t>(r.U(2));
    h.UncompressedSize = static_cast<int32_t>(r.U(4));
    h.CompressedSize = static_cast<int32_t>(r.U(4));
    h.Method = static_cast<uint8_t>(r.U(1));
    h.Checksum = r.U(4);
    h.Locked = static_cast<int32_t>(r.U(4));
    return h;
}

}  // namespace kv::archive
