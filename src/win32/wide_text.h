#pragma once
// UTF-8 (the core's text) to and from the wide strings of the W functions.
// wchar_t and char16_t are both 16-bit code units on Windows but distinct
// types, so the units are copied rather than the pointers reinterpreted.

#include <string>
#include <string_view>

namespace nookshade::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// A Windows-1252 byte string (a hotkey text) as wide characters, one per byte.
std::wstring WidenWindows1252(std::string_view bytes);

// Overwrites a wide buffer that held a secret before it is released.
void WipeWide(std::wstring& wide) noexcept;

}  // namespace nookshade::win32
