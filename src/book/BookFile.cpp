#include "book/BookFile.h"

#include "params/UserFolders.h"

#include <fstream>
#include <string>

namespace dravinor::book {

namespace fs = std::filesystem;

namespace {

// SQLite's own names for the files beside a database.
constexpr const char* companions[] = {"-wal", "-shm"};

fs::path withSuffix(const fs::path& path, const std::string& suffix)
{
    fs::path withIt = path;  // a path, so that any name survives on Windows too
    withIt += suffix;
    return withIt;
}

}  // namespace

fs::path defaultBookPath()
{
    return params::dataFolder() / "workshop.sqlite";
}

fs::path damagedPath(const fs::path& book, std::time_t now)
{
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const fs::path first = withSuffix(book, std::string(".damaged-") + stamp);
    fs::path candidate = first;
    std::error_code error;
    for (int n = 2; fs::exists(fs::symlink_status(candidate, error)); ++n)
        candidate = withSuffix(first, "-" + std::to_string(n));
    return candidate;
}

bool moveAside(const fs::path& book, const fs::path& aside)
{
    std::error_code error;
    fs::rename(book, aside, error);
    if (error)
        return false;
    // The log goes with its database: SQLite finds it by the same name plus "-wal".
    for (const char* companion : companions)
        if (fs::exists(withSuffix(book, companion), error))
            fs::rename(withSuffix(book, companion), withSuffix(aside, companion), error);
    return true;
}

fs::path sizeRecordPath(const fs::path& book)
{
    return withSuffix(book, ".checked-size");
}

std::optional<std::uintmax_t> recordedSize(const fs::path& book)
{
    std::ifstream in(sizeRecordPath(book));
    std::uintmax_t size = 0;
    if (!(in >> size))
        return std::nullopt;
    return size;
}

void recordSize(const fs::path& book, std::uintmax_t size)
{
    // A torn record only costs one more check at the next opening.
    std::ofstream(sizeRecordPath(book), std::ios::trunc) << size << '\n';
}

}  // namespace dravinor::book
