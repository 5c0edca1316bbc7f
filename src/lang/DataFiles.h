#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace dravinor::lang {

// The folders searched for the program's data (lang/, help/), in order: the
// current directory, the program's own folder and its parent (a build tree
// keeps a copy of the data beside app/), the data folder of the prefix the
// program is installed in, then the data folder of the configured prefix.
std::vector<std::filesystem::path> dataFolders(const std::filesystem::path& programFolder);

// The first existing folder/relative; the current directory's one when none
// exists, so that the error names the file the program looked for first.
std::filesystem::path findDataFile(std::string_view relative, const std::filesystem::path& programFolder);

}  // namespace dravinor::lang
