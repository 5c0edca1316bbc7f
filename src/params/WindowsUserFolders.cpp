#include "params/UserFolders.h"

#include <cstdlib>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace dravinor::params {

namespace fs = std::filesystem;

namespace {

// The folder's name is the program's, as Windows programs name theirs.
constexpr const wchar_t* programFolder = L"Dravinor";

// Read wide: a folder named outside the ANSI code page ("C:\Użytkownicy\…") stays itself.
fs::path environmentFolder(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    return value && *value ? fs::path(value) : fs::path();
}

// Empty when the system names none (a profile without that folder).
fs::path knownFolder(const KNOWNFOLDERID& id)
{
    PWSTR path = nullptr;
    fs::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = path;
    CoTaskMemFree(path);
    return folder;
}

fs::path programFolderIn(const KNOWNFOLDERID& id)
{
    const fs::path folder = knownFolder(id);
    return folder.empty() ? fs::path() : folder / programFolder;
}

}  // namespace

fs::path stateFolder()
{
    if (fs::path dir = environmentFolder(L"DRAVINOR_STATE_DIR"); !dir.empty())
        return dir;
    return programFolderIn(FOLDERID_LocalAppData);
}

fs::path dataFolder()
{
    if (fs::path dir = environmentFolder(L"DRAVINOR_DATA_DIR"); !dir.empty())
        return dir;
    return programFolderIn(FOLDERID_LocalAppData);
}

fs::path settingsFolder()
{
    if (fs::path dir = environmentFolder(L"DRAVINOR_CONFIG_DIR"); !dir.empty())
        return dir;
    return programFolderIn(FOLDERID_RoamingAppData);
}

}  // namespace dravinor::params
