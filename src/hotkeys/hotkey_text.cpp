#include "hotkeys/hotkey_text.h"

#include <algorithm>

#include "text/encoding.h"

namespace nookshade::hotkey {
namespace {

// Tried in this order when Backspace removes a trailing token.
constexpr std::array<std::string_view, 6> kUpperTokens = {"(SHIFT)", "(CTRL)", "(ALT)",
                                                          "(SPACE)", "(DEL)",  "(WIN)"};

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (true) {
    const std::size_t hit = text.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  const std::string_view tail = text.substr(text.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
    return text::LowerWindows1252(a) == text::LowerWindows1252(b);
  });
}

}  // namespace

std::string KeyPressText(int keyCode) {
  return std::string(1, text::LowerWindows1252(KeyCharacter(keyCode)));
}

std::string ReplaceKeyCharacter(std::string_view text, char from, std::string_view token) {
  // None of the six key characters has another case in Windows-1252, so the
  // case-insensitive replacement is an exact one.
  return ReplaceAll(text, std::string_view(&from, 1), token);
}

std::string KeyString(std::string_view hotkeyText) {
  static constexpr std::array<Token, 6> kReadOrder = {{
      {'\x12', "(Alt)"},
      {'\x10', "(Shift)"},
      {'\x11', "(Ctrl)"},
      {' ', "(Space)"},
      {'.', "(Del)"},
      {'[', "(Win)"},
  }};
  std::string out(hotkeyText);
  for (const Token& token : kReadOrder)
    out = ReplaceAll(out, token.text, std::string_view(&token.keyCharacter, 1));
  return out;
}

bool Matches(std::string_view keyString, std::string_view buffer) {
  if (keyString.empty()) return false;
  return text::LowerWindows1252(buffer).find(text::LowerWindows1252(keyString)) !=
         std::string::npos;
}

std::string RemoveLastKey(std::string_view text) {
  for (const std::string_view token : kUpperTokens) {
    if (EndsWithIgnoringCase(text, token))
      return std::string(text.substr(0, text.size() - token.size()));
  }
  if (text.empty()) return {};
  return std::string(text.substr(0, text.size() - 1));
}

std::string DeleteSelection(std::string_view text, std::size_t start, std::size_t length) {
  start = std::min(start, text.size());
  length = std::min(length, text.size() - start);
  std::string out(text.substr(0, start));
  out.append(text.substr(start + length));
  return out;
}

}  // namespace nookshade::hotkey
