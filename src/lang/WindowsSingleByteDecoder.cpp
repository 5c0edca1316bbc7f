#include "lang/SingleByteDecoder.h"

#include <windows.h>

#include <array>

namespace dravinor::lang {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

// UTF-8 of each of the code page's 256 bytes, from the system's own table;
// a byte it leaves undefined becomes U+FFFD.
using ByteTable = std::array<std::string, 256>;

ByteTable tableOf(CodePage page)
{
    const UINT codePage = page == CodePage::Windows1250 ? 1250 : 1251;
    ByteTable table;
    for (int byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        wchar_t wide = 0;
        const int got = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &in, 1, &wide, 1);
        // An undefined byte comes back as a C1 control (0x81 as U+0081), which
        // no defined character of these code pages is, or as a private-use one.
        const bool undefined = got != 1 || (wide >= 0x80 && wide <= 0x9F) || (wide >= 0xE000 && wide <= 0xF8FF);
        if (undefined) {
            table[static_cast<std::size_t>(byte)] = byte < 0x80 ? std::string(1, in) : std::string(replacement);
            continue;
        }
        char utf8[4];
        const int size = WideCharToMultiByte(CP_UTF8, 0, &wide, 1, utf8, sizeof utf8, nullptr, nullptr);
        table[static_cast<std::size_t>(byte)] = std::string(utf8, static_cast<std::size_t>(size));
    }
    return table;
}

}  // namespace

SingleByteDecoder::SingleByteDecoder(CodePage page) : converter_(new ByteTable(tableOf(page))) {}

SingleByteDecoder::~SingleByteDecoder()
{
    delete static_cast<ByteTable*>(converter_);
}

std::string SingleByteDecoder::toUtf8(std::string_view bytes)
{
    const auto& table = *static_cast<const ByteTable*>(converter_);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes)
        out += table[static_cast<unsigned char>(c)];
    return out;
}

}  // namespace dravinor::lang
