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

}  // namespace nookshade::text
