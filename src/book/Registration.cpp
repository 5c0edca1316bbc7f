#include "book/Registration.h"

namespace dravinor::book {

namespace {

// Cyrillic small letters in UTF-8: а..п are D0 B0..BF, р..я are D1 80..8F,
// ѐ..џ are D1 90..9F; their capitals are 0x20 and 0x50 code points lower.
bool upperCyrillic(std::string_view text, std::size_t at, std::string& key)
{
    if (at + 1 >= text.size())
        return false;
    const auto lead = static_cast<unsigned char>(text[at]);
    const auto tail = static_cast<unsigned char>(text[at + 1]);
    char32_t point = 0;
    if (lead == 0xD0 && tail >= 0xB0 && tail <= 0xBF)
        point = 0x400 + (tail - 0x80) - 0x20;
    else if (lead == 0xD1 && tail >= 0x80 && tail <= 0x8F)
        point = 0x440 + (tail - 0x80) - 0x20;
    else if (lead == 0xD1 && tail >= 0x90 && tail <= 0x9F)
        point = 0x450 + (tail - 0x90) - 0x50;
    else
        return false;
    key += static_cast<char>(0xC0 | (point >> 6));
    key += static_cast<char>(0x80 | (point & 0x3F));
    return true;
}

}  // namespace

std::string registrationKey(std::string_view registration)
{
    std::string key;
    key.reserve(registration.size());
    for (std::size_t i = 0; i < registration.size(); ++i) {
        const char c = registration[i];
        if (c == ' ' || c == '-' || c == '\t')
            continue;
        if (upperCyrillic(registration, i, key)) {
            ++i;
            continue;
        }
        key += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return key;
}

}  // namespace dravinor::book
