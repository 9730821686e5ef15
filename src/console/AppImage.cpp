#include "AppImage.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace kv::console {

bool AppImage::Load(const std::filesystem::path& file) {
    std::fill(Buffer.begin(), Buffer.end(), 0xFF);
    Loaded = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    in.read(reinterpret_cast<char*>(Buffer.data()), static_cast<std::streamsize>(Buffer.size()));
    Loaded = static_cast<size_t>(in.gcount());
    return true;
}

uint32_t AppImage::Be32(size_t offset) const {
    return (uint32_t{Buffer[offset]} << 24) | (uint32_t{Buffer[offset + 1]} << 16) |
           (uint32_t{Buffer[offset + 2]} << 8) | uint32_t{Buffer[offset + 3]};
}

uint16_t AppImage::Be16(size_t offset) const {
    return static_cast<uint16_t>((Buffer[offset] << 8) | Buffer[offset + 1]);
}

IdentityBlock AppImage::ReadIdentity() const {
    IdentityBlock block;
    // Both positions plus the block lie inside the buffer whatever was loaded.
    block.Position = IsLarge() ? LargeIdentityOffset : SmallIdentityOffset;
    const size_t at = block.Position;
    block.AppPack = Be32(at);
    block.InfoItems = Be32(at + 4);
    const char* revision = reinterpret_cast<const char*>(&Buffer[at + RevisionOffset]);
    block.Revision.assign(revision, std::find(revision, revision + RevisionLength, '\0'));
    block.CardClass = Buffer[at + CardClassOffset];
    block.CardNumber = Buffer[at + CardNumberOffset];
    return block;
}

std::optional<std::string> AppImage::TextAt(uint64_t address) const {
    if (address >= Loaded) return std::nullopt;
    auto begin = Buffer.begin() + static_cast<std::ptrdiff_t>(address);
    auto end = Buffer.begin() + static_cast<std::ptrdiff_t>(Loaded);
    auto zero = std::find(begin, end, 0);
    if (zero == end) return std::nullopt;
    return std::string(begin, zero);
}

std::optional<uint32_t> AppImage::FindUnitItem(uint32_t infoItems,
                                               const std::vector<std::string>& names) const {
    for (uint64_t at = infoItems; at + InfoItemSize <= Loaded; at += InfoItemSize) {
        const size_t item = static_cast<size_t>(at);
        if (Be16(item + 16) == 0) break;
        const uint32_t label = Be32(item);
        auto entry0 = TextAt(label);
        if (!entry0 || std::find(names.begin(), names.end(), *entry0) == names.end()) continue;
        if (TextAt(Be32(item + 8)) == "S/N") return label;
    }
    return std::nullopt;
}

void AppImage::Write(size_t offset, const std::string& bytes) {
    if (offset > Buffer.size() || bytes.size() > Buffer.size() - offset)
        throw std::out_of_range("write outside the image buffer");
    std::copy(bytes.begin(), bytes.end(), Buffer.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace kv::console
