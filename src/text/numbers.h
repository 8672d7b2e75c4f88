#pragma once
// The small text tests that several controls' rules share.

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nookshade::text {

// Empty, or blanks (spaces) only.
inline bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

// A whole text as a signed decimal 32-bit number; nothing for anything else
// (empty, trailing characters, out of range).
inline std::optional<std::int32_t> ParseInt32(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A handle as the hide-a-window action reads it: upper-case hexadecimal, no
// prefix, no leading zeros; the 32-bit pattern, so negative handles give
// eight digits and 0 gives "0".
inline std::string FormatHex32(std::int32_t value) {
  char digits[8];
  const auto [end, error] =
      std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(value), 16);
  std::string out(digits, error == std::errc() ? end : digits);
  for (char& c : out) c = (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
  return out;
}

// Hexadecimal text of at most eight digits, either case, as a 32-bit pattern;
// nothing for anything else (empty, a sign, other characters, overflow).
inline std::optional<std::int32_t> ParseHex32(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace nookshade::text
