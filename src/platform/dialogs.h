#pragma once
// Modal windows: message boxes and the unlock-password prompt. Both run a
// nested message loop, so timers and window messages keep arriving while
// they are open.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/secret.h"
#include "platform/types.h"

namespace nookshade {

namespace message_style {
inline constexpr std::uint32_t kOk = 0;
inline constexpr std::uint32_t kIconStop = 16;
inline constexpr std::uint32_t kIconExclamation = 48;
inline constexpr std::uint32_t kIconInformation = 64;
}  // namespace message_style

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual int MessageBox(std::string_view text, std::string_view title, std::uint32_t style) = 0;
  // Shows the prompt modally. onLoad runs with the prompt's own handle before
  // it is shown. Returns the confirmed text, or nothing when cancelled.
  virtual std::optional<SecretString> RunPasswordPrompt(
      const std::function<void(WindowHandle)>& onLoad) = 0;
  virtual bool IsPasswordPromptVisible() = 0;
  // The open prompt to the front, with the keyboard: a request that it
  // stands in the way of (a double-click on another icon) took them.
  virtual void BringPasswordPromptForward() = 0;
  virtual void UnloadPasswordPrompt() = 0;
};

}  // namespace nookshade
