#pragma once

#include <string_view>

namespace dravinor::lang {

// How the texts of a language file are to be read.
enum class TextEncoding {
    CodePage,  // single bytes of the language's Windows code page, as shipped
    Utf8,      // the file was saved as UTF-8 by an editor
};

inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF) holding at least one multi-byte
// character. Text of a Windows code page practically never is: its letters
// above 127 would all have to fall into exact lead and continuation runs.
bool isMultiByteUtf8(std::string_view bytes);

}  // namespace dravinor::lang
