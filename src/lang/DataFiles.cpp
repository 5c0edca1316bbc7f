#include "lang/DataFiles.h"

#include <system_error>

namespace dravinor::lang {

std::vector<std::filesystem::path> dataFolders(const std::filesystem::path& programFolder)
{
    std::vector<std::filesystem::path> folders{std::filesystem::path(".")};
    if (!programFolder.empty()) {
        folders.push_back(programFolder);
        folders.push_back(programFolder.parent_path());
        // Installed under any prefix: <prefix>/bin/dravinor finds <prefix>/share/dravinor.
        folders.push_back(programFolder.parent_path() / "share" / "dravinor");
    }
#ifdef DRAVINOR_DATA_DIR
    folders.emplace_back(DRAVINOR_DATA_DIR);
#endif
    return folders;
}

std::filesystem::path findDataFile(std::string_view relative, const std::filesystem::path& programFolder)
{
    for (const auto& folder : dataFolders(programFolder)) {
        std::error_code error;
        const auto candidate = folder / relative;
        if (std::filesystem::exists(candidate, error))
            return candidate;
    }
    return std::filesystem::path(".") / relative;
}

}  // namespace dravinor::lang
