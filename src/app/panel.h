#pragma once
// The configuration panel: every control's content, its load, first
// activation and unload, and the intents the view and the hotkeys call:
// hide the window in front, an icon double-clicked, show or hide all, toggle
// the fake work, arm. The on-screen window is a PanelView that mirrors this
// model and reports the user's input to it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/options.h"
#include "fakework/fake_work.h"
#include "hiding/hidden_window_slot.h"
#include "hiding/hide_all.h"
#include "hiding/password.h"
#include "hotkeys/capture_fields.h"
#include "hotkeys/hotkey_poller.h"
#include "model/controls.h"
#include "model/program_state.h"
#include "platform/panel_view.h"
#include "platform/platform.h"

namespace nookshade {

inline constexpr std::string_view kPanelCaption = "Nookshade Pro";

class Panel final : public SlotOwner, private ControlObserver {  // Form1
 public:
  Panel(Platform& platform, ProgramState& state, PanelView& view);
  ~Panel() override;
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  void Load();  // Form_Load
  // Whether the loaded panel goes straight to the tray (the automatic start
  // option). It is then never shown at the start: the program runs its
  // first activation unseen instead, and the panel's controls are never
  // built unless it is opened.
  // Unless the unlock password in force is one the user cannot know.
  bool StartsInTray() const { return autoStart_.Value() == 1 && !passwordField_.Unreadable(); }
  void Activate();  // Form_Activate
  void Unload();    // Form_Unload

  // ---- intents -----------------------------------------------------------
  // The hide-a-window hotkey: the window in front into the lowest free slot.
  void HideWindowInFront();  // HideWindow
  // A left double-click on the tray icon with this identifier.
  void IconDoubleClicked(std::int64_t slot);  // Form1_Mouse
  // The hide-all hotkey, with the fake work shown or hidden along when the
  // option asks for it.
  void ToggleHideAll();  // HideAllWindows
  // The fake-work hotkey.
  void ToggleFakeWork();
  // "Start Nookshade": hides the panel into the tray, which arms the hotkeys.
  void Arm();  // Command2_Click
  // The same by its keyboard shortcut, Ctrl+S.
  void ArmByShortcut();
  // The notification area was created anew (the shell restarted) and has
  // lost every icon; each hidden window gets its icon back, so none is left
  // without a way back.
  void ShellRestarted();
  // Nookshade was started again while this one runs: the panel comes
  // forward, from the tray behind the password.
  void AnotherStart();
  // A key or mouse button went down or up somewhere in the session; the
  // key let go of or pressed, if raw input names one.
  void InputArrived(int keyReleased = 0, int keyPressed = 0);

  // ---- the user's input in the panel, reported by the view ---------------
  void TextEdited(ControlId control, std::string text);
  void Clicked(ControlId control);
  void FocusLost(ControlId control);
  void KeyDown(ControlId control, int virtualKey, std::size_t selStart, std::size_t selLength);
  void KeyUp(ControlId control, int virtualKey);
  // A mouse button went down on a control, or up on the control that the
  // press captured the mouse for.
  void MouseDown(ControlId control);
  void MouseUp(ControlId control);

  // ---- what the view mirrors ---------------------------------------------
  const TextBox* FindTextBox(ControlId control) const;
  const CheckBox* FindCheckBox(ControlId control) const;

  // ---- state, for those who watch the program run ------------------------
  bool AllHidden() const { return hideAll_.AllHidden(); }
  bool FakeWorkShown() const { return fakeWorkShown_; }
  const std::string& PollBuffer() const { return poller_.Buffer(); }
  // The window a slot hides, or 0.
  WindowHandle SlotWindow(int slot) const;

  // SlotOwner
  WindowHandle PanelHandle() const override;
  void SlotsChanged() override;
  RecoveryJournal& Journal() override { return journal_; }
  void IconMissing() override;
  void IconRemoved() override;

 private:
  std::array<Control*, 11> Controls();
  TextBox* FindEditableTextBox(ControlId control);
  void ControlChanged(ControlId control) override;
  void HideIntoOwnSlot();
  void HideIntoFreeSlot(WindowHandle window);
  // The slot that keeps the window, or the window one of its owners is.
  HiddenWindowSlot* SlotKeeping(WindowHandle window);
  // The window, just taken by the slot, leaves hide-all's set, and the
  // dialogs hide-all or the fake-work toggle hid with it go to the slot.
  void MoveIntoSlot(HiddenWindowSlot& slot, WindowHandle window);
  void StartPollTimer();
  void PollTick();  // hkt_Timer
  void WatchInput();
  void RunHotkey(HotkeyAction action);
  // The note on arming, once the panel is in the tray.
  void TellOfTray();
  // The slot that hides the panel, if any.
  HiddenWindowSlot* PanelSlot();
  // Sends icons again: after the shell's restart every hidden window's,
  // else those it had taken. Whether it took them all.
  enum class IconsToSend { Taken, All };
  bool SendIcons(IconsToSend which);
  void StartIconRetry();
  // Tries again to add the icons the shell refused; after the last attempt
  // their windows are shown again, so that none stays hidden without one.
  void RetryIcons();
  // Looks for the notification area once a spell of input is over.
  void CheckTray();
  // Whether a hidden window's icon was refused and is being tried again.
  bool IconsMissing() const;

  TextBox hideWindowHotkey_{ControlId::hideWindowHotkey, TextEncoding::Windows1252};  // Text2
  TextBox hideAllHotkey_{ControlId::hideAllHotkey, TextEncoding::Windows1252};        // Text3
  TextBox fakeWorkHotkey_{ControlId::fakeWorkHotkey, TextEncoding::Windows1252};      // fwhk
  TextBox fakeWork1_{ControlId::fakeWork1, TextEncoding::Utf8};                       // fw1
  TextBox fakeWork2_{ControlId::fakeWork2, TextEncoding::Utf8};                       // fw2
  TextBox fakeWork3_{ControlId::fakeWork3, TextEncoding::Utf8};                       // fw3
  TextBox password_{ControlId::password, TextEncoding::Utf8, std::string(kDefaultPassword)};  // PW
  CheckBox showFakeWorkWithHideAll_{ControlId::showFakeWorkWithHideAll};  // Check1
  CheckBox autoStart_{ControlId::autoStart};                              // Check2
  CheckBox loginStart_{ControlId::loginStart};                            // Check3
  CheckBox noNotification_{ControlId::noNotification};                    // Check4

  Platform& platform_;
  ProgramState& state_;
  PanelView& view_;
  RecoveryJournal journal_;
  HotkeyFields hotkeys_;
  FakeWork fakeWork_;
  PasswordField passwordField_;
  Options options_;
  HideAll hideAll_;
  HotkeyPoller poller_;
  std::array<HiddenWindowSlot, kSlotCount> slots_;  // WindowSlots
  int freeSlot_ = 0;                                // FreeSlot
  bool activatedOnce_ = false;                      // ActivatedOnce
  // Inverted by every fake-work hotkey; what that hotkey asks for.
  bool fakeWorkShown_ = false;  // FakeWorkShown
  int iconAttempts_ = 0;
  WindowHandle trayWindow_ = 0;  // as the last look found it
  bool noteOwed_ = false;        // the note on arming, until the panel's icon is there
  bool noteOpen_ = false;
  bool tellingOfIcons_ = false;
  bool unloaded_ = false;
  enum class InputWatch { NotAsked, Watching, Unavailable } inputWatch_ = InputWatch::NotAsked;
  bool pollAsleep_ = false;
  bool lookedSinceInput_ = false;  // at the end of the last spell of input
};

}  // namespace nookshade
