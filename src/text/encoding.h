#pragma once
// Conversions at the edges of the core. Inside it, window titles and other
// user-visible text are UTF-8 and hotkey texts are Windows-1252 bytes.
//
// UTF-16 from the window system may hold unpaired surrogates (titles are not
// validated by Windows). They are carried as their generalised UTF-8 form, so
// a title read from a window converts back to exactly the same UTF-16 and can
// be found again.

#include <string>
#include <string_view>

namespace nookshade::text {

std::string Utf16ToUtf8(std::u16string_view utf16);
// Malformed UTF-8 bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Every byte maps to one character (the five unassigned bytes to the C1
// controls of the same value, as Windows maps them).
std::string Windows1252ToUtf8(std::string_view bytes);
// Characters outside Windows-1252 become '?'.
std::string Utf8ToWindows1252(std::string_view utf8);

// Lower case as the Windows-1252 code page defines it (A-Z, accented capitals,
// Š Œ Ž Ÿ); every other byte is unchanged.
char LowerWindows1252(char c);
std::string LowerWindows1252(std::string_view bytes);

// Equal but for the case of A to Z: window class names and titles, which the
// window system compares without case.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace nookshade::text
