#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace dravinor::testing {

// What a reader of the PDF gets when searching or copying: its text as
// poppler's pdftotext extracts it, in layout order (a row's caption and
// value on one line), pages separated by form feeds. Empty, with a failure,
// when the file is no PDF pdftotext can read.
inline std::string pdfText(const std::filesystem::path& pdf, const std::string& options = "-layout")
{
    const std::string command = "pdftotext " + options + " -enc UTF-8 '" + pdf.string() + "' - 2>&1";
    std::string text;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run pdftotext (package poppler-utils)";
        return text;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    if (::pclose(pipe) != 0) {
        ADD_FAILURE() << "pdftotext failed on " << pdf << ": " << text;
        text.clear();
    }
    return text;
}

// The text's lines, without their ends.
inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The line of the text that holds both needles, the first in order; empty when none does.
inline std::string lineWith(const std::string& text, const std::string& first, const std::string& second = "")
{
    for (const std::string& line : linesOf(text)) {
        const auto at = line.find(first);
        if (at != std::string::npos && line.find(second, at + first.size()) != std::string::npos)
            return line;
    }
    return {};
}

// Whether a line holds the caption and, after it, the value. Blanks do not
// count: pdftotext gives a narrow space or none where a text has two.
inline bool captionWithValue(const std::string& text, const std::string& caption, const std::string& value)
{
    const auto squeezed = [](std::string s) {
        std::erase(s, ' ');
        return s;
    };
    for (const std::string& line : linesOf(text))
        if (const auto at = line.find(caption + " ");
            at != std::string::npos &&
            squeezed(line.substr(at + caption.size())).find(squeezed(value)) != std::string::npos)
            return true;
    return false;
}

// How many pictures the PDF holds, as pdfimages lists them; -1 when it cannot tell.
inline int imagesIn(const std::filesystem::path& pdf)
{
    const std::string command = "pdfimages -list '" + pdf.string() + "' 2>/dev/null | tail -n +3 | wc -l";
    FILE* pipe = ::popen(command.c_str(), "r");
    int count = -1;
    if (pipe) {
        if (std::fscanf(pipe, "%d", &count) != 1)
            count = -1;
        ::pclose(pipe);
    }
    return count;
}

// Pages of the PDF as pdftotext separates them.
inline int pageCount(const std::string& text)
{
    int pages = 0;
    for (char c : text)
        pages += c == '\f';
    return pages;
}

}  // namespace dravinor::testing
