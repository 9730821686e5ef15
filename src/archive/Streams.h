#pragma once
// Byte streams the archive reads and writes: files, and memory for tests and tools.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv::archive {

class TStream {
  public:
    virtual ~TStream() = default;
    // Reads up to `count` bytes; fewer only at the end. Read errors throw std::system_error.
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Writes all bytes or throws std::system_error.
    virtual void Write(const void* buffer, size_t count) = 0;
    virtual int64_t Seek(int64_t offset) = 0;  // from the start; returns the new position
    virtual int64_t Position() const = 0;
    virtual int64_t Size() const = 0;
};

class TFileStream : public TStream {
  public:
    enum Mode { OpenRead, OpenReadWrite, Create };
    // Throws std::system_error when the file cannot be opened.
    TFileStream(const std::string& path, Mode mode);
    // Takes over an open file descriptor.
    explicit TFileStream(int fd) : Fd(fd) {}
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset) override;
    int64_t Position() const override { return Pos; }
    int64_t Size() const override;
    int Handle() const { return Fd; }
    void Close();

  private:
    int Fd = -1;
    int64_t Pos = 0;
};

class TMemoryStream : public TStream {
  public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : Bytes(std::move(bytes)) {}
    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset) override;
    int64_t Position() const override { return Pos; }
    int64_t Size() const override { return static_cast<int64_t>(Bytes.size()); }
    const std::vector<uint8_t>& Data() const { return Bytes; }

  private:
    std::vector<uint8_t> Bytes;
    size_t Pos = 0;
};

}  // namespace kv::archive
