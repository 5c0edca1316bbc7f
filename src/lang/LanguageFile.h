#pragma once

#include "lang/TextEncoding.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::lang {

// One keyed line: the key and its text, bytes as in the file.
struct KeyedText {
    int key;
    std::string text;
};

struct LanguageFileContent {
    enum class Status {
        Read,        // every line read
        BadKey,      // stopped at a key that is not a decimal number
        CannotOpen,  // missing, unreadable or not a regular file
        TooLarge,    // over maxLanguageFileSize
    };
    Status status = Status::Read;
    // CodePage unless the whole file is UTF-8 (see isMultiByteUtf8); the
    // texts are bytes of that encoding either way.
    TextEncoding encoding = TextEncoding::CodePage;
    // The keyed lines before the end or the bad key, in file order.
    std::vector<KeyedText> lines;
    std::string badKey;  // the five characters that did not convert
    int badLine = 0;     // 1-based
};

// Language files are a few tens of kilobytes; anything this big is not one.
inline constexpr std::size_t maxLanguageFileSize = 1024 * 1024;

// Splits the bytes of a language file into keyed lines.
//  - A line ends at a line feed; one carriage return before it is no part of
//    the text. The end of the data ends the last line, line feed or not.
//  - "#" as the first character makes the line a comment.
//  - Otherwise characters 1..5 are the key, character 6 is dropped whatever
//    it is, and the rest is the text, byte for byte up to a NUL, which ends
//    it (no screen shows a NUL as anything but a box).
//  - A file that is UTF-8 is marked so, and loses its byte order mark,
//    which would otherwise spoil its first line.
//  - Blank lines and lines shorter than six characters carry no key and
//    text, and are skipped.
//  - A key of anything but five decimal digits ends the reading there.
LanguageFileContent parseLanguageFile(std::string_view bytes);

// Reads and parses the file at path, refusing what is not a regular,
// readable file of at most maxLanguageFileSize bytes.
LanguageFileContent readLanguageFile(const std::filesystem::path& path);

}  // namespace dravinor::lang
