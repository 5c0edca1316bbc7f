#pragma once

#include <string>

namespace dravinor::link {

// UTF-8 to the UTF-16 of Win32's wide calls, and back.
std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const std::wstring& text);
// The system's words for a GetLastError() code, in UTF-8.
std::string systemErrorText(unsigned long error);

}  // namespace dravinor::link
