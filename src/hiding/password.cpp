#include "hiding/password.h"

#include "model/settings.h"
#include "model/window_icon.h"

namespace nookshade {

bool IsPasswordSet(std::string_view unlockPassword) {
  return !unlockPassword.empty() && unlockPassword != kNoPasswordSet;
}

SecretString PromptPassword(Platform& platform, ProgramState& state) {
  std::optional<SecretString> answer =
      platform.dialogs.RunPasswordPrompt([&platform](WindowHandle prompt) {
        SetTopMostWindow(platform.windows, prompt);
        // Its own icon, so that the task switcher shows whose prompt it is.
        SetAlphaIcon(platform.windows, prompt, kIconResource, false);
      });
  if (answer) state.TypedPassword = std::move(*answer);
  SecretString typed = std::move(state.TypedPassword);
  state.TypedPassword.Wipe();
  return typed;
}

bool PasswordAccepted(Platform& platform, ProgramState& state) {
  if (!IsPasswordSet(state.UnlockPassword)) return true;
  // The password asked for, not whatever holds when the prompt returns: an
  // unload inside the prompt (the session ending) clears it, and the
  // cancelled answer must not then pass for the right one.
  const std::string asked = state.UnlockPassword;
  const SecretString typed = PromptPassword(platform, state);
  return typed.View() == asked;
}

PasswordField::PasswordField(TextBox& field, Platform& platform, ProgramState& state)
    : password(field), platform_(platform), state_(state) {
  password.onChange = [this] { Changed(); };
  password.onClick = [this] { Clicked(); };
  password.onLostFocus = [this] { LeftField(); };
}

void PasswordField::Load() {
  const auto& key = setting::kPassword;
  password.SetText(GetSetting(platform_.registry, kAppName, key.section, key.key, kDefaultPassword,
                              unreadable_));
  // Told, not only logged: a user who arms now believes their own password
  // guards what they hide.
  if (unreadable_) {
    platform_.dialogs.MessageBox(
        "Nookshade could not read its stored unlock password. Until you set it again, the "
        "password shown in the panel unlocks your hidden windows.",
        kAppTitle, message_style::kIconExclamation);
  }
  if (password.Text().empty()) password.SetText(std::string(kNoPasswordSet));
  state_.UnlockPassword = password.Text();
}

void PasswordField::Changed() {
  state_.UnlockPassword = password.Text();
  if (!SaveSetting(platform_.registry, kAppName, setting::kPassword.section, setting::kPassword.key,
                   password.Text())) {
    platform_.system.Log("The unlock password could not be stored; it holds until Nookshade ends.");
  }
}

void PasswordField::Clicked() {
  if (password.Text() == kNoPasswordSet) password.SetText({});
}

void PasswordField::LeftField() {
  if (password.Text().empty()) password.SetText(std::string(kNoPasswordSet));
}

}  // namespace nookshade
