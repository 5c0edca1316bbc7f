#pragma once

#include <string>
#include <string_view>

namespace dravinor::lang {

// The code pages of the language files.
enum class CodePage { Windows1250, Windows1251 };

// Turns single-byte text of one code page into UTF-8 (iconv). A byte the code
// page leaves undefined becomes U+FFFD; nothing makes it fail.
class SingleByteDecoder {
public:
    explicit SingleByteDecoder(CodePage page);
    ~SingleByteDecoder();
    SingleByteDecoder(const SingleByteDecoder&) = delete;
    SingleByteDecoder& operator=(const SingleByteDecoder&) = delete;

    std::string toUtf8(std::string_view bytes);

private:
    void* converter_;  // iconv_t, or (iconv_t)-1 when the C library lacks the code page
};

}  // namespace dravinor::lang
