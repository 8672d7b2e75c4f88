#include "app/panel.h"

#include "app/help_texts.h"
#include "app/login_entry.h"
#include "hiding/tray_icons.h"
#include "model/settings.h"
#include "model/window_icon.h"
#include "text/encoding.h"
#include "text/numbers.h"

namespace nookshade {
namespace {

constexpr unsigned kHotkeyPollIntervalMs = 1;
constexpr std::int16_t kLeftButton = 1;
// The shell takes a few seconds to come back after a restart.
constexpr unsigned kIconRetryMs = 1000;
constexpr int kIconAttempts = 5;

}  // namespace

Panel::Panel(Platform& platform, ProgramState& state, PanelView& view)
    : platform_(platform),
      state_(state),
      view_(view),
      journal_(platform),
      hotkeys_(Text2, Text3, fwhk, platform),
      fakeWork_(fw1, fw2, fw3, platform, view, journal_),
      password_(PW, platform, state),
      options_(Check1, Check2, Check3, Check4, platform),
      hideAll_(hws, platform, state, journal_),
      poller_(Text2, Text3, fwhk, platform.keyboard) {
  for (Control* control : Controls()) control->SetObserver(this);
  poller_.onMatch = [this](HotkeyAction action) { RunHotkey(action); };
}

Panel::~Panel() {
  for (Control* control : Controls()) control->SetObserver(nullptr);
}

std::array<Control*, 13> Panel::Controls() {
  return {&Text1, &Text2,  &Text3,  &fwhk,   &fw1,    &fw2, &fw3,
          &PW,    &Check1, &Check2, &Check3, &Check4, &hws};
}

void Panel::Form_Load() {
  const WindowHandle panel = view_.Handle();
  SetAlphaIcon(platform_.windows, panel, kIconResource, true);
  SetAlphaIcon(platform_.windows, panel, kIconResource, false);
  SetTopMostWindow(platform_.windows, panel, true);
  InstallPanelWindowProc(panel);
  for (int i = 0; i < kSlotCount; ++i) {
    WindowSlots[i] = std::make_unique<Window>(platform_, state_, *this);
    WindowSlots[i]->Id = i;
  }
  FreeSlot = 0;
  hotkeys_.Load();
  options_.Load();
  fakeWork_.ShowPlaceholders();
  password_.Load();
  StartPollTimer();
}

void Panel::StartPollTimer() {
  platform_.timers.StartTimer(TimerId::HotkeyPoll, kHotkeyPollIntervalMs, [this] { hkt_Timer(); });
}

void Panel::Form_Activate() {
  if (ActivatedOnce) return;
  ActivatedOnce = true;
  if (Check2.Value() == 1) HideIntoOwnSlot();
  view_.Focus(ControlId::PW);
}

void Panel::Form_Unload() {
  unloaded_ = true;
  platform_.timers.StopTimer(TimerId::HotkeyPoll);
  pollAsleep_ = false;  // input after the unload wakes nothing
  platform_.timers.StopTimer(TimerId::PickerDrag);
  platform_.timers.StopTimer(TimerId::TrayRetry);
  state_.UnlockPassword.clear();
  // At the end of a session the unload can arrive through an open prompt's
  // message loop; while the prompt shows, every restore below would be
  // ignored and its window left hidden for good.
  if (platform_.dialogs.IsPasswordPromptVisible()) platform_.dialogs.UnloadPasswordPrompt();
  // The slot objects themselves go with the panel: a restore still waiting
  // in that prompt's loop goes on using its slot when the loop returns.
  for (auto& slot : WindowSlots) {
    if (slot && slot->Hiding) slot->Show(true);
  }
  hideAll_.HideListedWindows(false);
  fakeWork_.OpenFakeWork(true);
  // Everything hidden has been given back: nothing is left to recover.
  journal_.Clear();
  RemovePanelWindowProc(view_.Handle());
  platform_.dialogs.UnloadPasswordPrompt();
}

void Panel::ShellRestarted() {
  bool missing = false;
  for (auto& slot : WindowSlots) {
    if (slot && slot->Hiding && !slot->SendToTray()) missing = true;
  }
  if (missing) IconMissing();
}

void Panel::AnotherStart() {
  const WindowHandle panel = view_.Handle();
  if (platform_.windows.IsWindowVisible(panel)) {
    platform_.windows.ShowWindow(panel, ShowCommand::Show);
    return;
  }
  for (auto& slot : WindowSlots) {
    if (slot && slot->Hiding && slot->hWnd == panel) slot->Show(true);
  }
}

void Panel::IconMissing() {
  iconAttempts_ = 0;
  platform_.timers.StartTimer(TimerId::TrayRetry, kIconRetryMs, [this] { RetryIcons(); });
}

void Panel::RetryIcons() {
  const bool lastAttempt = ++iconAttempts_ >= kIconAttempts;
  bool missing = false;
  bool gaveBack = false;
  for (auto& slot : WindowSlots) {
    if (!slot || !slot->Hiding || slot->IconShown || slot->SendToTray()) continue;
    if (lastAttempt) {
      slot->Restore();
      gaveBack = true;
    } else {
      missing = true;
    }
  }
  if (!missing) platform_.timers.StopTimer(TimerId::TrayRetry);
  if (gaveBack) {
    platform_.dialogs.MessageBox(
        "The notification area did not take an icon for a hidden window, so that window has "
        "been shown again.",
        kAppTitle, message_style::kIconExclamation);
  }
}

void Panel::TextEdited(ControlId control, std::string text) {
  if (TextBox* box = FindTextBox(control)) box->SetText(std::move(text));
}

void Panel::Clicked(ControlId control) {
  if (const auto help = HelpText(control)) {
    platform_.dialogs.MessageBox(*help, kHelpTitle, message_style::kIconInformation);
    return;
  }
  switch (control) {
    case ControlId::Command1:
      HideWindow();
      return;
    case ControlId::Command2:
    case ControlId::mnuStartNookshade:
      Command2_Click();
      return;
    case ControlId::Command3:
      hotkeys_.Reset(ControlId::Text2);
      return;
    case ControlId::Command4:
      hotkeys_.Reset(ControlId::Text3);
      return;
    case ControlId::Command8:
      hotkeys_.Reset(ControlId::fwhk);
      return;
    case ControlId::Command5:
      fakeWork_.Reset(ControlId::fw1);
      return;
    case ControlId::Command6:
      fakeWork_.Reset(ControlId::fw2);
      return;
    case ControlId::Command7:
      fakeWork_.Reset(ControlId::fw3);
      return;
    default:
      break;
  }
  if (CheckBox* box = FindCheckBox(control)) {
    box->Click();
  } else if (TextBox* text = FindTextBox(control)) {
    text->Click();
  }
}

void Panel::FocusLost(ControlId control) {
  if (TextBox* box = FindTextBox(control)) box->LostFocus();
}

void Panel::KeyDown(ControlId control, int virtualKey, std::size_t selStart,
                    std::size_t selLength) {
  if (TextBox* box = FindTextBox(control)) {
    box->SetSelection(selStart, selLength);
    box->KeyDown(virtualKey);
  }
}

void Panel::MouseDown(ControlId control) { fakeWork_.CrosshairPressed(control); }

void Panel::MouseUp(ControlId control) { fakeWork_.CrosshairReleased(control); }

std::intptr_t Panel::PanelWindowProc(WindowHandle window, std::uint32_t message,
                                     std::uintptr_t wParam, std::intptr_t lParam) {
  // Taken before acting: a session that ends inside the prompt a double-click
  // opens unloads the panel, which clears it, yet this message is still owed
  // to the panel's own procedure.
  const WindowProcToken previous = state_.PreviousWindowProc;
  // An identifier that does not fit the 16-bit argument names no icon of
  // ours; cutting it down could name one.
  if (message == kTrayCallbackMessage && lParam == kTrayDoubleClick && wParam <= 0x7FFF) {
    Form1_Mouse(kLeftButton, static_cast<std::int16_t>(wParam), 0.0F, 0.0F);
  }
  return platform_.windows.CallWindowProc(previous, window, message, wParam, lParam);
}

void Panel::Form1_Mouse(std::int16_t Button, std::int16_t Shift, float /*x*/, float /*y*/) {
  if (Button != kLeftButton) return;
  // Only the program's own icons report identifiers, 0 to 10; anything else
  // names no slot.
  if (Shift < 0 || Shift >= kSlotCount || !WindowSlots[Shift]) return;
  WindowSlots[Shift]->Show(true);
}

void Panel::InstallPanelWindowProc(WindowHandle window) {
  if (state_.PreviousWindowProc != 0) return;
  state_.PreviousWindowProc = platform_.windows.ReplaceWindowProc(
      window, [this](WindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
        return PanelWindowProc(w, m, wp, lp);
      });
}

void Panel::RemovePanelWindowProc(WindowHandle window) {
  if (state_.PreviousWindowProc == 0) return;
  platform_.windows.RestoreWindowProc(window, state_.PreviousWindowProc);
  state_.PreviousWindowProc = 0;
}

WindowHandle Panel::PanelHandle() const { return view_.Handle(); }

void Panel::FindFreeSlot() {
  for (int i = 0; i < kSlotCount; ++i) {
    if (!WindowSlots[i] || !WindowSlots[i]->Hiding) {
      FreeSlot = i;
      return;
    }
  }
  FreeSlot = -1;
}

TextBox* Panel::FindTextBox(ControlId control) {
  for (TextBox* box : {&Text1, &Text2, &Text3, &fwhk, &fw1, &fw2, &fw3, &PW}) {
    if (box->Id() == control) return box;
  }
  return nullptr;
}

CheckBox* Panel::FindCheckBox(ControlId control) {
  for (CheckBox* box : {&Check1, &Check2, &Check3, &Check4}) {
    if (box->Id() == control) return box;
  }
  return nullptr;
}

void Panel::ControlChanged(ControlId control) { view_.ControlChanged(control); }

void Panel::Command2_Click() {
  if (text::IsBlank(Text2.Text()) || text::IsBlank(Text3.Text())) {
    platform_.dialogs.MessageBox("The hotkeys have not been set", kAppName,
                                 message_style::kIconInformation);
    return;
  }
  HideIntoOwnSlot();
  fakeWork_.VerifyFakeWorkWindows();
  if (Check4.Value() == 1) return;
  std::string note =
      "Nookshade is now running in your Taskbar Tray. Double click on it to re-open Nookshade.";
  note += "\r\n\r\n";
  note +=
      "Applications you hide are also minimized to your taskbar tray. You are now protected with "
      "Nookshade.";
  note += "\r\n\r\n";
  note += "Reminder: Press ";
  note += text::Windows1252ToUtf8(Text2.Text());
  note += " to hide a window";
  platform_.dialogs.MessageBox(note, kPanelCaption, message_style::kIconInformation);
}

void Panel::HideIntoOwnSlot() {
  if (FreeSlot < 0 || FreeSlot >= kSlotCount || !WindowSlots[FreeSlot]) return;
  Window& slot = *WindowSlots[FreeSlot];
  slot.hWnd = view_.Handle();
  slot.Show(false);
  FindFreeSlot();
}

void Panel::HideWindow() {
  if (Text1.Text().empty()) return;
  // Text that is no handle names no window, as a handle of 0 does.
  const WindowHandle window = text::ParseHex32(Text1.Text()).value_or(0);
  // A window already in a slot keeps its one icon: a second would outlive
  // its restore. Its program may have shown it again; then it goes back
  // where it was, even with every slot taken.
  for (const auto& slot : WindowSlots) {
    if (slot && slot->Holds(window)) {
      slot->HideAgain();
      return;
    }
  }
  if (FreeSlot < 0 || FreeSlot >= kSlotCount || !WindowSlots[FreeSlot]) {
    platform_.dialogs.MessageBox("Sorry, quota full!!", kAppTitle, message_style::kIconExclamation);
    return;
  }
  if (!platform_.windows.IsWindow(window) || IsShellWindow(platform_.windows, window)) {
    platform_.dialogs.MessageBox("Not Valid window", kAppTitle, message_style::kIconStop);
    return;
  }
  Window& slot = *WindowSlots[FreeSlot];
  slot.hWnd = window;
  slot.Show(false);
  FindFreeSlot();
}

void Panel::HideAllWindows() {
  const std::optional<bool> hidden = hideAll_.HideAllWindows();
  // A session that ended while the prompt waited has unloaded the panel and
  // shown everything; what the prompt's answer asks for is void.
  if (unloaded_) return;
  if (hidden && Check1.Value() == 1) fakeWork_.OpenFakeWork(*hidden);
}

void Panel::hkt_Timer() {
  // Hotkeys are live only while the panel is out of sight: hiding the panel
  // is what arms them.
  if (platform_.windows.IsWindowVisible(view_.Handle())) {
    poller_.Disarmed();
    return;
  }
  poller_.Tick(!platform_.dialogs.ModalOpen());
  if (poller_.Idle()) SleepUntilInput();
}

void Panel::SleepUntilInput() {
  // Asked at the first idle tick, not at load: nothing of it is needed
  // before the panel is first armed, and the start stays short.
  if (inputWatch_ == InputWatch::NotAsked) {
    inputWatch_ = platform_.keyboard.WatchInput(view_.Handle()) ? InputWatch::Watching
                                                               : InputWatch::Unavailable;
    if (inputWatch_ == InputWatch::Unavailable) {
      platform_.system.Log(
          "raw input could not be registered: the hotkey poll timer keeps ticking while idle");
    }
  }
  if (inputWatch_ != InputWatch::Watching) return;
  platform_.timers.StopTimer(TimerId::HotkeyPoll);
  pollAsleep_ = true;
}

void Panel::InputArrived() {
  if (!pollAsleep_) return;
  pollAsleep_ = false;
  poller_.InputArrived();
  StartPollTimer();
}

void Panel::RunHotkey(HotkeyAction action) {
  switch (action) {
    case HotkeyAction::HideWindow:
      Text1.SetText(text::FormatHex32(platform_.windows.GetForegroundWindow()));
      HideWindow();
      return;
    case HotkeyAction::HideAll:
      HideAllWindows();
      return;
    case HotkeyAction::FakeWork:
      FakeWorkShown = !FakeWorkShown;
      fakeWork_.OpenFakeWork(FakeWorkShown);
      return;
  }
}

}  // namespace nookshade
