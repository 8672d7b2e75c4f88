#pragma once
// The text form of a hotkey: the keys in press order, six keys written as
// tokens and every other key as its key character, lower-cased. Key
// characters are Windows-1252 bytes, fixed for every user so that what is
// captured, stored and polled always agrees. The keypad and the function
// keys, whose key characters are the small letters and the signs after
// them, are written as tokens of their own: "w" is the W key, "(F8)" is F8;
// so are the keys whose characters show as nothing (Enter, Esc, the locks).

#include <cstddef>
#include <string>
#include <string_view>

namespace nookshade::hotkey {

inline constexpr int kBackspace = 8;

inline constexpr std::string_view kDefaultHideWindow = "(Ctrl)h";
inline constexpr std::string_view kDefaultHideAll = "(Ctrl)(Space)";
inline constexpr std::string_view kDefaultFakeWork = "(Ctrl)k";

// The key character of a key code 1..255.
inline char KeyCharacter(int keyCode) {
  return static_cast<char>(static_cast<unsigned char>(keyCode));
}

// Shift, Ctrl, Alt and the two Windows keys: held for other keys, not
// pressed for their own sake.
inline bool IsModifier(int keyCode) {
  return (keyCode >= 16 && keyCode <= 18) || keyCode == 91 || keyCode == 92;
}

// The token of a keypad or function key, or of a key whose character shows
// as nothing (Enter, Esc, the lock keys), or empty.
std::string_view KeyToken(int keyCode);

// Every key character that has a token written as it, wherever the text
// came from: a key press, the store, an earlier Nookshade (which wrote the
// keypad's and the function keys' characters); the small letters are
// letter keys and stay.
std::string WriteTokens(std::string_view text);

// A modifier written twice running before a key, as an earlier Nookshade
// recorded Windows' repeats of a held Ctrl, written once: the poll counts a
// key held down once. Modifiers alone ("(Shift)(Shift)", a double tap) stay.
std::string MergeHeldModifiers(std::string_view text);

// What one key press appends to a capture field (never called for Backspace).
std::string KeyPressText(int keyCode);

// The characters the poller appends for this hotkey: exact, case-sensitive
// token replacement, so only the mixed-case tokens are recognised; a letter
// stands for its letter key.
std::string KeyString(std::string_view hotkeyText);

// Whether keyString occurs in the poll buffer, the case of the characters
// above 127 ignored. An empty key string matches nothing: an empty field
// means "no hotkey", not "any key".
bool Matches(std::string_view keyString, std::string_view buffer);

// Backspace with nothing selected: a trailing token goes whole (compared
// without case), otherwise the last character.
std::string RemoveLastKey(std::string_view text);

// Backspace with a selection: the selection is deleted.
std::string DeleteSelection(std::string_view text, std::size_t start, std::size_t length);

}  // namespace nookshade::hotkey
