#pragma once
// The firmware image in memory and the two structures the console reads from it. Every read is
// bounded by the loaded image: an image comes from a file anyone can hand us.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kv::console {

constexpr size_t ImageCapacity = 300001;
constexpr size_t LargeImageSize = 131072;  // an image above this uses the large layout
constexpr size_t SmallIdentityOffset = 0x10000;
constexpr size_t LargeIdentityOffset = 0x3200;
constexpr size_t IdentitySize = 72;
constexpr size_t InfoItemSize = 32;

// Offsets inside the identity block.
constexpr size_t SrlNumberOffset = 16;
constexpr size_t RevisionOffset = 33;
constexpr size_t RevisionLength = 18;
constexpr size_t CardClassOffset = 51;
constexpr size_t CardNumberOffset = 52;
constexpr size_t DateTimeOffset = 53;
constexpr size_t SerialLength = 6;
constexpr size_t DateTimeLength = 19;

struct IdentityBlock {
    size_t Position = 0;     // offset of the block in the buffer
    uint32_t AppPack = 0;    // address of the model-pack text
    uint32_t InfoItems = 0;  // address of the info item table
    std::string Revision;    // at most 18 characters up to the first zero
    uint8_t CardClass = 0;
    uint8_t CardNumber = 0;
};

class AppImage {
  public:
    AppImage() : Buffer(ImageCapacity, 0xFF) {}

    // Fills the buffer with 0xFF and reads at most its capacity from the file; false when it cannot
    // be read (the buffer is then empty of content).
    bool Load(const std::filesystem::path& file);

    size_t Size() const { return Loaded; }
    bool IsLarge() const { return Loaded > LargeImageSize; }
    const uint8_t* Data() const { return Buffer.data(); }

    IdentityBlock ReadIdentity() const;

    // The zero-terminated text at an address; none when the address or the terminator lies beyond
    // the loaded image.
    std::optional<std::string> TextAt(uint64_t address) const;

    // Entry-0 text address of the first info item whose entry 0 is one of `names` and whose entry 2
    // is "S/N". The walk ends at an identifier 0 or at the end of the loaded image.
    std::optional<uint32_t> FindUnitItem(uint32_t infoItems,
                                         const std::vector<std::string>& names) const;

    // Writes bytes at a buffer offset; the caller keeps them inside the buffer.
    void Write(size_t offset, const std::string& bytes);

  private:
    uint32_t Be32(size_t offset) const;
    uint16_t Be16(size_t offset) const;

    std::vector<uint8_t> Buffer;
    size_t Loaded = 0;
};

}  // namespace kv::console
