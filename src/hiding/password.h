#pragma once
// The unlock password: the field that edits it in plain view and the modal
// prompt that asks for it.

#include <string_view>

#include "model/controls.h"
#include "model/program_state.h"
#include "platform/platform.h"

namespace nookshade {

inline constexpr std::string_view kNoPasswordSet = "[No Password Set]";
inline constexpr std::string_view kDefaultPassword = "417";

// "" and the placeholder both mean that no password guards the way back.
bool IsPasswordSet(std::string_view unlockPassword);

// Shows the prompt modally; the confirmed text, or "" when cancelled.
SecretString PromptPassword(Platform& platform, ProgramState& state);

// True when a restore may go ahead: no password is set, or the prompt was
// answered with it exactly.
bool PasswordAccepted(Platform& platform, ProgramState& state);

class PasswordField {
 public:
  PasswordField(TextBox& field, Platform& platform, ProgramState& state);
  PasswordField(const PasswordField&) = delete;
  PasswordField& operator=(const PasswordField&) = delete;
  // Fills the field from the store and the unlock password from the field.
  void Load();
  // A password was stored but could not be read: the default one holds, and
  // the user is told so.
  bool Unreadable() const { return unreadable_; }

 private:
  void Changed();
  void Clicked();
  void LeftField();

  TextBox& password;
  Platform& platform_;
  ProgramState& state_;
  bool unreadable_ = false;
};

}  // namespace nookshade
