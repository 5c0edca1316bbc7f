#include "lang/LanguageFile.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::lang {

namespace {

constexpr std::size_t keyLength = 5;
constexpr std::size_t textStart = keyLength + 1;

bool isDecimalKey(std::string_view key)
{
    for (char c : key)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int keyValue(std::string_view key)
{
    int value = 0;
    for (char c : key)
        value = value * 10 + (c - '0');
    return value;
}

}  // namespace

LanguageFileContent parseLanguageFile(std::string_view bytes)
{
    LanguageFileContent content;
    if (isMultiByteUtf8(bytes)) {
        content.encoding = TextEncoding::Utf8;
        if (bytes.starts_with(utf8ByteOrderMark))
            bytes.remove_prefix(utf8ByteOrderMark.size());
    }
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = next;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#' || line.size() < textStart)
            continue;
        const std::string_view key = line.substr(0, keyLength);
        if (!isDecimalKey(key)) {
            content.status = LanguageFileContent::Status::BadKey;
            content.badKey = std::string(key);
            content.badLine = lineNumber;
            return content;
        }
        const std::string_view text = line.substr(textStart);
        content.lines.push_back({keyValue(key), std::string(text.substr(0, text.find('\0')))});
    }
    return content;
}

LanguageFileContent readLanguageFile(const std::filesystem::path& path)
{
    LanguageFileContent content;
    // Opened without blocking and judged by what was opened: a FIFO put
    // where a language file belongs must not stop the window from starting.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        content.status = LanguageFileContent::Status::CannotOpen;
        return content;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxLanguageFileSize) {
        ::close(fd);
        content.status = LanguageFileContent::Status::TooLarge;
        return content;
    }
    // Read with a bound as well: the file may have grown since its size was
    // taken. The buffer starts at that size (and one byte to see it grew), not
    // at the bound: a megabyte cleared for 25 kB cost the window's start-up
    // half a millisecond.
    const std::size_t limit = maxLanguageFileSize + 1;
    std::string bytes(std::min(static_cast<std::size_t>(info.st_size) + 1, limit), '\0');
    std::size_t got = 0;
    bool failed = false;
    while (got < limit) {
        if (got == bytes.size())
            bytes.resize(std::min(bytes.size() * 2, limit));
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed = n < 0;
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (failed) {
        content.status = LanguageFileContent::Status::CannotOpen;
        return content;
    }
    bytes.resize(got);
    if (bytes.size() > maxLanguageFileSize) {
        content.status = LanguageFileContent::Status::TooLarge;
        return content;
    }
    return parseLanguageFile(bytes);
}

}  // namespace dravinor::lang
