// The language-file reader and decoder on arbitrary bytes: no crash, no
// read past the input, every key in range and every text within its line.
#include "lang/LanguageFile.h"
#include "lang/SingleByteDecoder.h"
#include "lang/TextSlots.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto content = dravinor::lang::parseLanguageFile(bytes);

    static dravinor::lang::SingleByteDecoder polish(dravinor::lang::CodePage::Windows1250);
    static dravinor::lang::SingleByteDecoder russian(dravinor::lang::CodePage::Windows1251);
    dravinor::lang::TextSlots slots;
    for (const auto& line : content.lines) {
        if (line.key < 0 || line.key > 99999 || line.text.size() + 6 > size)
            std::abort();
        // A NUL ends a text.
        if (line.text.find('\0') != std::string::npos)
            std::abort();
        const std::string text = (line.key & 1 ? polish : russian).toUtf8(line.text);
        // A single-byte character never takes more than three UTF-8 bytes.
        if (text.size() > 3 * line.text.size())
            std::abort();
        slots.set(40000 + line.key % 221, text);
    }
    if (content.status == dravinor::lang::LanguageFileContent::Status::BadKey && content.badKey.size() != 5)
        std::abort();
    return 0;
}
