#include "lang/SingleByteDecoder.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace dravinor::lang {

namespace {

const iconv_t noConverter = reinterpret_cast<iconv_t>(-1);
constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

iconv_t handle(void* converter)
{
    return static_cast<iconv_t>(converter);
}

}  // namespace

SingleByteDecoder::SingleByteDecoder(CodePage page)
    : converter_(iconv_open("UTF-8", page == CodePage::Windows1250 ? "CP1250" : "CP1251"))
{
}

SingleByteDecoder::~SingleByteDecoder()
{
    if (handle(converter_) != noConverter)
        iconv_close(handle(converter_));
}

std::string SingleByteDecoder::toUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    if (handle(converter_) == noConverter) {
        // Without the code page only ASCII is certain.
        for (char c : bytes)
            if (static_cast<unsigned char>(c) < 0x80)
                out += c;
            else
                out += replacement;
        return out;
    }
    iconv(handle(converter_), nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::array<char, 1024> buffer;
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = iconv(handle(converter_), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (result != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // A byte with no character in the code page (one byte is always a
        // whole character here, so EINVAL cannot stop us at the end either).
        out += replacement;
        ++in;
        --inLeft;
    }
    return out;
}

}  // namespace dravinor::lang
