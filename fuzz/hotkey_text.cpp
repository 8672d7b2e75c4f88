// The hotkey texts and the encodings on any bytes: what the conversions
// promise about each other holds for every input.

#include <cstring>

#include "fuzz_run.h"
#include "hotkeys/hotkey_text.h"
#include "text/encoding.h"

using namespace nookshade;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const int code = in.ConsumeIntegralInRange(1, 255);
  const auto start = fuzz::Near<std::size_t>(in, 32);
  const auto length = fuzz::Near<std::size_t>(in, 32);
  const std::string text = in.ConsumeRemainingBytesAsString();

  Require(text::Utf8ToWindows1252(text::Windows1252ToUtf8(text)) == text,
          "every Windows-1252 byte comes back from Unicode");
  std::u16string wide(text.size() / 2, u'\0');
  std::memcpy(wide.data(), text.data(), wide.size() * 2);
  Require(text::Utf8ToUtf16(text::Utf16ToUtf8(wide)) == wide,
          "UTF-16, unpaired surrogates and all, comes back from UTF-8");
  const std::string lower = text::LowerWindows1252(text);
  Require(text::LowerWindows1252(lower) == lower, "lower case has no lower case");

  const std::string pressed = hotkey::KeyPressText(code);
  Require(pressed.size() == 1 && text::LowerWindows1252(pressed) == pressed,
          "a key press writes one lower-case character");
  const std::string written = hotkey::WriteTokens(text);
  Require(hotkey::WriteTokens(written) == written, "written tokens need no second pass");
  if (text.find('(') == std::string::npos) {
    Require(hotkey::KeyString(written) == text, "the poller reads back the keys a field wrote");
  }
  const std::string keys = hotkey::KeyString(text);
  Require(!hotkey::Matches("", text), "an empty hotkey matches nothing");
  Require(keys.empty() || hotkey::Matches(keys, lower + keys + pressed),
          "a hotkey matches wherever its keys occur");

  const std::string removed = hotkey::RemoveLastKey(text);
  Require(
      text.empty() ? removed.empty() : removed.size() < text.size() && text.starts_with(removed),
      "Backspace takes keys off the end");
  const std::size_t from = std::min(start, text.size());
  const std::size_t cut = std::min(length, text.size() - from);
  Require(hotkey::DeleteSelection(text, start, length) ==
              text.substr(0, from) + text.substr(from + cut),
          "deleting a selection keeps what is around it");
  return 0;
}
