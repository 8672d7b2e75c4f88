#include "text.h"

#include <windows.h>

#include <cstdio>

namespace e2e {

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
  return out;
}

std::string Shown(std::wstring_view text) {
  std::wstring escaped;
  for (const wchar_t c : text) {
    if (c == L'\r') {
      escaped += L"\\r";
    } else if (c == L'\n') {
      escaped += L"\\n";
    } else if (c < 0x20 || c == 0x7F) {
      wchar_t code[8];
      std::swprintf(code, 8, L"\\x%02X", static_cast<unsigned>(c));
      escaped += code;
    } else {
      escaped += c;
    }
  }
  std::string quoted(1, '"');
  quoted += Utf8(escaped);
  quoted += '"';
  return quoted;
}

std::string ShownOrAbsent(const std::optional<std::wstring>& text) {
  return text ? Shown(*text) : std::string("(absent)");
}

std::string Mismatch(std::wstring_view expected, const std::optional<std::wstring>& actual) {
  return "expected " + Shown(expected) + ", got " + ShownOrAbsent(actual);
}

}  // namespace e2e
