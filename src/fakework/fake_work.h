#pragma once
// The three fake-work slots: a field with the chosen window's title and a
// tag with its handle. The title is how a slot finds out whether its window
// still exists; the handle is what is shown and hidden.

#include <array>
#include <set>
#include <string_view>

#include "model/controls.h"
#include "platform/platform.h"

namespace nookshade {

inline constexpr std::string_view kFakeWorkPlaceholder = "[Fake Work Window Not Selected]";

class FakeWork {
 public:
  FakeWork(TextBox& fw1, TextBox& fw2, TextBox& fw3, Platform& platform);
  FakeWork(const FakeWork&) = delete;
  FakeWork& operator=(const FakeWork&) = delete;

  // Empties every slot whose title no top-level window carries any more.
  void VerifyFakeWorkWindows();
  // Shows (or hides) the window of every selected slot.
  void OpenFakeWork(bool show);
  // The Reset button of a slot's row.
  void Reset(ControlId field);
  // What the panel's load does to each field: puts the placeholder in.
  void ShowPlaceholders();

 private:
  void Changed(TextBox& field);
  // A slot let go of the window in `tag`: if the toggle hid it and no other
  // slot holds it, it is shown again, since nothing else would ever do so.
  void LetGo(const std::string& tag);
  void LeftField(TextBox& field);
  void Clicked(TextBox& field);
  TextBox* Find(ControlId id);

  std::array<TextBox*, 3> fields_;
  Platform& platform_;
  std::set<WindowHandle> hiddenByToggle_;
};

}  // namespace nookshade
