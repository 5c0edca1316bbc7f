#include "lang/TextSlots.h"

#include <algorithm>
#include <iostream>

namespace dravinor::lang {

namespace {

std::ptrdiff_t indexOf(int key)
{
    const auto table = slotDefinitions();
    const auto it =
        std::lower_bound(table.begin(), table.end(), key, [](const SlotDefinition& row, int k) { return row.key < k; });
    return it != table.end() && it->key == key ? it - table.begin() : -1;
}

}  // namespace

std::string cutToCharacters(std::string_view utf8, std::size_t maxCharacters)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        // A character starts at every byte that is not a continuation byte.
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
            if (characters == maxCharacters)
                return std::string(utf8.substr(0, i));
            ++characters;
        }
    }
    return std::string(utf8);
}

TextSlots::TextSlots()
{
    restoreBuiltIn();
}

void TextSlots::restoreBuiltIn()
{
    texts_.clear();
    for (const SlotDefinition& row : slotDefinitions())
        texts_.emplace_back(row.builtIn);
}

bool TextSlots::has(int key) const
{
    return indexOf(key) >= 0;
}

const std::string& TextSlots::text(int key) const
{
    static const std::string none;
    const auto index = indexOf(key);
    return index >= 0 ? texts_[static_cast<std::size_t>(index)] : none;
}

bool TextSlots::set(int key, std::string_view text)
{
    const auto index = indexOf(key);
    if (index < 0)
        return false;
    const auto room = static_cast<std::size_t>(slotDefinitions()[static_cast<std::size_t>(index)].capacity - 1);
    std::string kept = cutToCharacters(text, room);
    if (kept.size() < text.size())
        std::cerr << "dravinor: the text of key " << key << " is longer than its " << room
                  << " characters and was cut\n";
    texts_[static_cast<std::size_t>(index)] = std::move(kept);
    return true;
}

TextSlots& textSlots()
{
    static TextSlots slots;
    return slots;
}

}  // namespace dravinor::lang
