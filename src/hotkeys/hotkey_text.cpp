#include "hotkeys/hotkey_text.h"

#include <algorithm>
#include <array>
#include <span>

#include "text/encoding.h"

namespace nookshade::hotkey {
namespace {

struct TokenOf {
  int code;
  std::string_view text;
};
// Every key written as a token: the six that the rules name (Backspace
// tries them in this order), then the keypad and F1 to F24 (codes 96 to
// 135), whose key characters are the small letters and the signs after
// them, and the keys whose characters show as nothing. No token holds a
// key character that has a token, nor ends another token.
constexpr std::array<TokenOf, 52> kTokens = {{
    {16, "(Shift)"},    {17, "(Ctrl)"},        {18, "(Alt)"},   {32, "(Space)"},    {46, "(Del)"},
    {91, "(Win)"},      {96, "(Num0)"},        {97, "(Num1)"},  {98, "(Num2)"},     {99, "(Num3)"},
    {100, "(Num4)"},    {101, "(Num5)"},       {102, "(Num6)"}, {103, "(Num7)"},    {104, "(Num8)"},
    {105, "(Num9)"},    {106, "(Num*)"},       {107, "(Num+)"}, {108, "(Sep)"},     {109, "(Num-)"},
    {110, "(NumDec)"},  {111, "(Num/)"},       {112, "(F1)"},   {113, "(F2)"},      {114, "(F3)"},
    {115, "(F4)"},      {116, "(F5)"},         {117, "(F6)"},   {118, "(F7)"},      {119, "(F8)"},
    {120, "(F9)"},      {121, "(F10)"},        {122, "(F11)"},  {123, "(F12)"},     {124, "(F13)"},
    {125, "(F14)"},     {126, "(F15)"},        {127, "(F16)"},  {128, "(F17)"},     {129, "(F18)"},
    {130, "(F19)"},     {131, "(F20)"},        {132, "(F21)"},  {133, "(F22)"},     {134, "(F23)"},
    {135, "(F24)"},     {13, "(Enter)"},       {19, "(Pause)"}, {20, "(CapsLock)"}, {27, "(Esc)"},
    {144, "(NumLock)"}, {145, "(ScrollLock)"},
}};
constexpr std::size_t kFirstKeyToken = 6;  // the keypad's, the first a key press writes

// Key characters compared as the match compares them: a letter key and the
// keypad or function key whose character is its small letter are two keys.
char MatchFold(char c) {
  return static_cast<unsigned char>(c) < 0x80 ? c : text::LowerWindows1252(c);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  const std::string_view tail = text.substr(text.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
    return text::LowerWindows1252(a) == text::LowerWindows1252(b);
  });
}

}  // namespace

std::string_view KeyToken(int keyCode) {
  const auto keyTokens = std::span(kTokens).subspan(kFirstKeyToken);
  const auto token = std::ranges::find(keyTokens, keyCode, &TokenOf::code);
  return token != keyTokens.end() ? token->text : std::string_view();
}

std::string WriteTokens(std::string_view text) {
  std::string out;
  for (const char c : text) {
    // The small letters are letter keys, whatever key shares their character.
    const int code = static_cast<unsigned char>(c);
    const auto token = std::ranges::find(kTokens, code, &TokenOf::code);
    if (token == kTokens.end() || (code >= 'a' && code <= 'z')) {
      out += c;
    } else {
      out += token->text;
    }
  }
  return out;
}

std::string KeyPressText(int keyCode) {
  if (const std::string_view token = KeyToken(keyCode); !token.empty()) return std::string(token);
  return std::string(1, text::LowerWindows1252(KeyCharacter(keyCode)));
}

std::string KeyString(std::string_view hotkeyText) {
  // Exact: only the mixed-case tokens are read as keys. The letters left are
  // the text's own, each its letter key.
  std::string keys;
  for (std::size_t at = 0; at < hotkeyText.size();) {
    const auto token = std::ranges::find_if(
        kTokens, [&](const TokenOf& t) { return hotkeyText.substr(at).starts_with(t.text); });
    if (token != kTokens.end()) {
      keys += KeyCharacter(token->code);
      at += token->text.size();
      continue;
    }
    const char c = hotkeyText[at++];
    keys += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return keys;
}

std::string MergeHeldModifiers(std::string_view text) {
  std::string out(text);
  if (std::ranges::all_of(KeyString(text),
                          [](char key) { return IsModifier(static_cast<unsigned char>(key)); })) {
    return out;
  }
  for (const TokenOf& token : std::span(kTokens).first(kFirstKeyToken)) {
    if (!IsModifier(token.code)) continue;
    const std::string twice = std::string(token.text) + std::string(token.text);
    for (std::size_t at = 0; (at = out.find(twice)) != std::string::npos;) {
      out.erase(at, token.text.size());
    }
  }
  return out;
}

bool Matches(std::string_view keyString, std::string_view buffer) {
  if (keyString.empty()) return false;
  return std::search(buffer.begin(), buffer.end(), keyString.begin(), keyString.end(),
                     [](char a, char b) { return MatchFold(a) == MatchFold(b); }) != buffer.end();
}

std::string RemoveLastKey(std::string_view text) {
  for (const TokenOf& token : kTokens) {
    if (EndsWithIgnoringCase(text, token.text))
      return std::string(text.substr(0, text.size() - token.text.size()));
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
