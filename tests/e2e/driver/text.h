#pragma once
// Conversions for what the driver reads from the program (UTF-16) and what
// it writes into its report (UTF-8).

#include <optional>
#include <string>
#include <string_view>

namespace e2e {

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view utf8);

// Quoted, with control characters escaped, so that an empty text, a text
// with a stray key character or with line breaks reads unambiguously.
std::string Shown(std::wstring_view text);
std::string ShownOrAbsent(const std::optional<std::wstring>& text);

// "expected X, got Y".
std::string Mismatch(std::wstring_view expected, const std::optional<std::wstring>& actual);

}  // namespace e2e
