#pragma once
// The configuration panel: every control's content, its load, first
// activation and unload, the replacement window procedure, and the routing of
// the user's input to the handlers of each control. The on-screen window is a
// PanelView that mirrors this model.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/options.h"
#include "fakework/fake_work.h"
#include "hiding/hide_all.h"
#include "hiding/password.h"
#include "hiding/window_slot.h"
#include "hotkeys/capture_fields.h"
#include "hotkeys/hotkey_poller.h"
#include "model/controls.h"
#include "model/program_state.h"
#include "platform/panel_view.h"
#include "platform/platform.h"

namespace nookshade {

inline constexpr std::string_view kPanelCaption = "Nookshade Pro";

class Panel final : public SlotOwner, private ControlObserver {
 public:
  Panel(Platform& platform, ProgramState& state, PanelView& view);
  ~Panel() override;
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  // The notification area was created anew (the shell restarted) and has
  // lost every icon; each hidden window gets its icon back, so none is left
  // without a way back.
  void ShellRestarted();
  // Nookshade was started again while this one runs: the panel comes
  // forward, from the tray behind the password.
  void AnotherStart();
  // A key or mouse-button event somewhere in the session (the platform
  // tells of them once the panel watches input): a sleeping poll timer
  // starts again.
  void InputArrived();

  // The user's input, reported by the view.
  void TextEdited(ControlId control, std::string text);
  void Clicked(ControlId control);
  void FocusLost(ControlId control);
  void KeyDown(ControlId control, int virtualKey, std::size_t selStart, std::size_t selLength);
  // A mouse button went down on a control, or up on the control that the
  // press captured the mouse for.
  void MouseDown(ControlId control);
  void MouseUp(ControlId control);

  std::intptr_t PanelWindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam);
  void Form1_Mouse(std::int16_t Button, std::int16_t Shift, float x, float y);
  void InstallPanelWindowProc(WindowHandle window);
  void RemovePanelWindowProc(WindowHandle window);

  // SlotOwner
  WindowHandle PanelHandle() const override;
  void FindFreeSlot() override;
  RecoveryJournal& Journal() override { return journal_; }
  void IconMissing() override;

  TextBox* FindTextBox(ControlId control);
  CheckBox* FindCheckBox(ControlId control);

  // The hide-a-window action (the hidden Command1's click): hides the window
  // whose handle Text1 holds into the lowest free slot.
  void HideWindow();
  // The hide-all hotkey, with the fake work shown or hidden along when
  // Check1 asks for it.
  void HideAllWindows();

  // Controls. Text1, hws and Command1 are never shown.
  TextBox Text1{ControlId::Text1, TextEncoding::Utf8};
  TextBox Text2{ControlId::Text2, TextEncoding::Windows1252};
  TextBox Text3{ControlId::Text3, TextEncoding::Windows1252};
  TextBox fwhk{ControlId::fwhk, TextEncoding::Windows1252};
  TextBox fw1{ControlId::fw1, TextEncoding::Utf8};
  TextBox fw2{ControlId::fw2, TextEncoding::Utf8};
  TextBox fw3{ControlId::fw3, TextEncoding::Utf8};
  TextBox PW{ControlId::PW, TextEncoding::Utf8, std::string(kDefaultPassword)};
  CheckBox Check1{ControlId::Check1};
  CheckBox Check2{ControlId::Check2};
  CheckBox Check3{ControlId::Check3};
  CheckBox Check4{ControlId::Check4};
  ListBox hws{ControlId::hws};

  std::array<std::unique_ptr<Window>, kSlotCount> WindowSlots;
  std::int32_t FreeSlot = 0;
  bool ActivatedOnce = false;
  // Inverted by every fake-work hotkey; what that hotkey asks for.
  bool FakeWorkShown = false;

  FakeWork& fakeWork() { return fakeWork_; }
  HideAll& hideAll() { return hideAll_; }
  const std::string& PollBuffer() const { return poller_.Buffer(); }

 private:
  std::array<Control*, 13> Controls();
  void ControlChanged(ControlId control) override;
  void Command2_Click();
  void HideIntoOwnSlot();
  void hkt_Timer();
  void StartPollTimer();
  // Stops the poll timer until input arrives, when the platform can tell of
  // input; otherwise the timer goes on, gated.
  void SleepUntilInput();
  void RunHotkey(HotkeyAction action);
  // Tries again to add the icons the shell refused; after the last attempt
  // their windows are shown again, so that none stays hidden without one.
  void RetryIcons();

  Platform& platform_;
  ProgramState& state_;
  PanelView& view_;
  RecoveryJournal journal_;
  HotkeyFields hotkeys_;
  FakeWork fakeWork_;
  PasswordField password_;
  Options options_;
  HideAll hideAll_;
  HotkeyPoller poller_;
  int iconAttempts_ = 0;
  bool unloaded_ = false;
  enum class InputWatch { NotAsked, Watching, Unavailable } inputWatch_ = InputWatch::NotAsked;
  bool pollAsleep_ = false;
};

}  // namespace nookshade
