#include "book/TextFold.h"

namespace dravinor::book {

namespace {

char32_t smallOf(char32_t c)
{
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    // Latin Extended-A: mostly a capital at an even code point, its small
    // letter after it; from Ĺ to Ň and from Ź to Ž the other way round.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return c % 2 == 1 ? c + 1 : c;
    if (c == 0x178)  // Ÿ
        return 0xFF;
    if (c >= 0x410 && c <= 0x42F)  // А..Я
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)  // Ѐ..Џ, Ё among them
        return c + 0x50;
    return c;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {  // every letter folded here is below U+0800
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string foldedForSearch(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            appendUtf8(folded, smallOf(lead));
            continue;
        }
        // Two-byte sequences hold every letter folded; the rest pass as they are.
        const bool twoBytes = lead >= 0xC2 && lead <= 0xDF && i + 1 < text.size() &&
                              (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
        if (!twoBytes) {
            folded += text[i];
            continue;
        }
        const char32_t c = (char32_t{lead} & 0x1F) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
        appendUtf8(folded, smallOf(c));
        ++i;
    }
    return folded;
}

}  // namespace dravinor::book
