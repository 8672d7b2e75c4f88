#include "win32/wide_text.h"

#include "text/encoding.h"

namespace nookshade::win32 {
namespace {

void WipeUtf16(std::u16string& units) noexcept {
  volatile char16_t* data = units.data();
  for (std::size_t i = 0; i < units.capacity(); ++i) data[i] = 0;
  units.clear();
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  const std::u16string units = text::Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(std::wstring_view wide) {
  std::u16string units(wide.begin(), wide.end());
  std::string utf8 = text::Utf16ToUtf8(units);
  // The copy may hold a typed password; it must not linger in freed memory.
  WipeUtf16(units);
  return utf8;
}

std::wstring WidenWindows1252(std::string_view bytes) {
  return Widen(text::Windows1252ToUtf8(bytes));
}

void WipeWide(std::wstring& wide) noexcept {
  volatile wchar_t* data = wide.data();
  for (std::size_t i = 0; i < wide.capacity(); ++i) data[i] = 0;
  wide.clear();
}

}  // namespace nookshade::win32
