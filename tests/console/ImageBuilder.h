#pragma once
// Firmware images laid out as the builder links them: identity block, texts and info items.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kv::console::testing {

struct InfoItemRecipe {
    std::array<std::string, 4> Tags;
    uint16_t Id;
};

struct ImageRecipe {
    size_t Size = 70000;  // small layout unless above 131072
    std::string AppPack = "758-FP01";
    std::string Revision = "Revision: 3.0.201";
    uint8_t CardClass = 2;
    uint8_t CardNumber = 1;
    std::vector<InfoItemRecipe> Items = {
        {{"ACCEPT", "ACCEPT", "UNITS", "UNITS"}, 0x0101},
        {{"-UNIT-", "-UNIT-", "S/N", "S/N"}, 0x0102},
    };
    bool EndTable = true;
};

inline void PutBe32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

inline void PutText(std::vector<uint8_t>& image, size_t at, const std::string& text) {
    std::copy(text.begin(), text.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
    image[at + text.size()] = 0;
}

inline size_t IdentityAt(size_t size) {
    return size > 131072 ? 0x3200 : 0x10000;
}

// Texts follow the identity block, the info table follows the texts (as in the linked image).
inline std::vector<uint8_t> BuildImage(const ImageRecipe& recipe) {
    std::vector<uint8_t> image(recipe.Size);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
    const size_t id = IdentityAt(recipe.Size);
    // Equal texts share one copy, as the compiler pools string literals.
    size_t text = id + 0x80;
    std::map<std::string, uint32_t> pooled;
    auto addText = [&](const std::string& t) {
        auto [it, added] = pooled.emplace(t, static_cast<uint32_t>(text));
        if (added) {
            PutText(image, text, t);
            text += t.size() + 1;
        }
        return it->second;
    };
    const size_t table = id + 0x400;
    PutBe32(image, id, addText(recipe.AppPack));
    PutBe32(image, id + 4, static_cast<uint32_t>(table));
    PutBe32(image, id + 8, 0);
    PutBe32(image, id + 12, 0);
    PutText(image, id + 16, "000000");
    PutText(image, id + 23, "01");
    PutText(image, id + 26, "000000");
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(id + 33),
              image.begin() + static_cast<std::ptrdiff_t>(id + 51), 0);
    std::copy(recipe.Revision.begin(), recipe.Revision.end(),
              image.begin() + static_cast<std::ptrdiff_t>(id + 33));
    image[id + 51] = recipe.CardClass;
    image[id + 52] = recipe.CardNumber;
    PutText(image, id + 53, "9999,99,99,99,99,99");
    size_t item = table;
    for (const auto& info : recipe.Items) {
        for (int t = 0; t < 4; ++t) PutBe32(image, item + 4 * t, addText(info.Tags[t]));
        image[item + 16] = static_cast<uint8_t>(info.Id >> 8);
        image[item + 17] = static_cast<uint8_t>(info.Id);
        item += 32;
    }
    if (recipe.EndTable)
        std::fill(image.begin() + static_cast<std::ptrdiff_t>(item),
                  image.begin() + static_cast<std::ptrdiff_t>(item + 32), 0);
    return image;
}

inline std::string TextIn(const std::vector<uint8_t>& image, size_t at, size_t length) {
    return std::string(image.begin() + static_cast<std::ptrdiff_t>(at),
                       image.begin() + static_cast<std::ptrdiff_t>(at + length));
}

}  // namespace kv::console::testing
