#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

namespace dravinor::testing {

// Whether the Windows build runs under wine (CI's Windows stages), where
// nothing of Windows' own fonts is installed: "Arial" is DejaVu Sans by a
// registry name only, and Qt's font database knows no writing system for
// it. Tests that measure the fonts a real PC has skip there.
inline bool underWine()
{
#ifdef _WIN32
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

}  // namespace dravinor::testing

// Skips a test that measures the fonts of a real PC, where those are absent.
#define DRAVINOR_SKIP_WITHOUT_REAL_FONTS()                                                                             \
    do {                                                                                                               \
        if (dravinor::testing::underWine())                                                                            \
            GTEST_SKIP() << "wine has none of Windows' fonts: their widths and writing systems are not a PC's";        \
    } while (false)
