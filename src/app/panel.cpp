#include "app/panel.h"

#include <algorithm>
#include <utility>

#include "app/help_texts.h"
#include "app/login_entry.h"
#include "model/settings.h"
#include "model/shell_windows.h"
#include "model/window_icon.h"
#include "text/encoding.h"
#include "text/numbers.h"

namespace nookshade {
namespace {

template <std::size_t... Id>
std::array<HiddenWindowSlot, sizeof...(Id)> MakeSlots(Platform& platform, ProgramState& state,
                                                      SlotOwner& owner,
                                                      std::index_sequence<Id...>) {
  return {HiddenWindowSlot(static_cast<std::int32_t>(Id), platform, state, owner)...};
}

constexpr unsigned kHotkeyPollIntervalMs = 1;
// The shell takes a few seconds to come back after a restart.
constexpr unsigned kIconRetryMs = 1000;
constexpr int kIconAttempts = 5;

}  // namespace

Panel::Panel(Platform& platform, ProgramState& state, PanelView& view)
    : platform_(platform),
      state_(state),
      view_(view),
      journal_(platform),
      hotkeys_(hideWindowHotkey_, hideAllHotkey_, fakeWorkHotkey_, platform),
      fakeWork_(fakeWork1_, fakeWork2_, fakeWork3_, platform, view, journal_),
      passwordField_(password_, platform, state),
      options_(showFakeWorkWithHideAll_, autoStart_, loginStart_, noNotification_, platform),
      hideAll_(platform, state, journal_),
      poller_(hotkeys_.KeyStrings(), platform.keyboard),
      slots_(MakeSlots(platform, state, *this, std::make_index_sequence<kSlotCount>())) {
  for (Control* control : Controls()) control->SetObserver(this);
  poller_.onMatch = [this](HotkeyAction action) { RunHotkey(action); };
  fakeWork_.heldInSlot = hideAll_.heldInSlot = [this](WindowHandle window) {
    return std::ranges::any_of(slots_,
                               [window](HiddenWindowSlot& slot) { return slot.Keeps(window); });
  };
  fakeWork_.takenByHideAll = [this](const WindowIdentity& window,
                                    const std::vector<WindowIdentity>& dialogs) {
    return hideAll_.Adopt(window, dialogs);
  };
  fakeWork_.dialogsHiddenByHideAll = [this](WindowHandle window) {
    return hideAll_.OwnedBy(window);
  };
  hideAll_.dialogsHiddenWith = [this](WindowHandle window) {
    return fakeWork_.HiddenDialogs(window);
  };
  hideAll_.shownWithDialogs = [this](WindowHandle window) {
    fakeWork_.ShownAgainByShowAll(window);
  };
  hideAll_.shownAgain = [this](WindowHandle window) {
    return showFakeWorkWithHideAll_.Value() == 1 && fakeWork_.Holds(window);
  };
}

Panel::~Panel() {
  for (Control* control : Controls()) control->SetObserver(nullptr);
}

std::array<Control*, 11> Panel::Controls() {
  return {&hideWindowHotkey_, &hideAllHotkey_, &fakeWorkHotkey_, &fakeWork1_,
          &fakeWork2_,        &fakeWork3_,     &password_,       &showFakeWorkWithHideAll_,
          &autoStart_,        &loginStart_,    &noNotification_};
}

void Panel::Load() {
  const WindowHandle panel = view_.Handle();
  // Its owner chain too, so that the taskbar button shows it.
  SetAlphaIcon(platform_.windows, panel, kIconResource, true);
  SetTopMostWindow(platform_.windows, panel);
  hotkeys_.Load();
  options_.Load();
  fakeWork_.ShowPlaceholders();
  passwordField_.Load();
  StartPollTimer();
}

void Panel::StartPollTimer() {
  platform_.timers.StartTimer(TimerId::HotkeyPoll, kHotkeyPollIntervalMs, [this] { PollTick(); });
}

void Panel::Activate() {
  if (activatedOnce_) return;
  activatedOnce_ = true;
  if (StartsInTray()) {
    HideIntoOwnSlot();
  } else {
    // The field takes the focus as it would take a click: with the
    // placeholder left in, what the user types next would be added to it,
    // and become a password nobody knows.
    password_.Click();
  }
  view_.Focus(ControlId::password);
}

void Panel::Unload() {
  unloaded_ = true;
  hotkeys_.TakeBackHeldModifiers();  // the Alt of Alt+F4
  platform_.timers.StopTimer(TimerId::HotkeyPoll);
  pollAsleep_ = false;  // input after the unload wakes nothing
  platform_.timers.StopTimer(TimerId::PickerDrag);
  platform_.timers.StopTimer(TimerId::TrayRetry);
  state_.UnlockPassword.clear();
  // The slot objects themselves go with the panel: a restore still waiting
  // in an open prompt's loop (the session ended meanwhile) goes on using its
  // slot when the loop returns.
  for (HiddenWindowSlot& slot : slots_) slot.Restore();
  hideAll_.ShowHidden();
  fakeWork_.Open(true);
  // Everything hidden has been given back: nothing is left to recover.
  journal_.Clear();
  platform_.dialogs.UnloadPasswordPrompt();
}

void Panel::ShellRestarted() {
  if (!SendIcons(IconsToSend::All)) StartIconRetry();
}

void Panel::AnotherStart() {
  // A prompt open keeps the keyboard: the user is typing into it.
  if (platform_.dialogs.IsPasswordPromptVisible()) {
    platform_.dialogs.BringPasswordPromptForward();
    return;
  }
  const WindowHandle panel = view_.Handle();
  if (platform_.windows.IsWindowVisible(panel)) {
    platform_.windows.ShowWindow(panel, ShowCommand::Show);
    return;
  }
  if (HiddenWindowSlot* slot = PanelSlot()) slot->RequestRestore();
}

HiddenWindowSlot* Panel::PanelSlot() {
  const auto slot = std::ranges::find_if(slots_, [this](const HiddenWindowSlot& slot) {
    return slot.Hiding() && slot.Window() == view_.Handle();
  });
  return slot == slots_.end() ? nullptr : &*slot;
}

void Panel::IconMissing() {
  SendIcons(IconsToSend::Taken);
  StartIconRetry();
}

void Panel::IconRemoved() {
  // Wine's notification area (8.0) draws the icons after a removed one
  // blank until each is sent again; a user would take them for gone.
  if (!unloaded_ && !SendIcons(IconsToSend::Taken)) StartIconRetry();
}

bool Panel::SendIcons(IconsToSend which) {
  // A notification area that ends may tell no one (Wine's sends no
  // "TaskbarCreated", and none comes back on its own): a refused icon can
  // be the first sign that the icons it showed went with it.
  bool taken = true;
  for (HiddenWindowSlot& slot : slots_) {
    if (slot.Hiding() && (slot.IconShown() || which == IconsToSend::All) && !slot.SendToTray()) {
      taken = false;
    }
  }
  return taken;
}

bool Panel::IconsMissing() const {
  return std::ranges::any_of(
      slots_, [](const HiddenWindowSlot& slot) { return slot.Hiding() && !slot.IconShown(); });
}

void Panel::CheckTray() {
  // A notification area that ends, or comes back, may tell no one (Wine's
  // does neither), and the hidden windows would keep no way back: a user
  // who misses an icon moves and clicks about, and this looks once they stop.
  // An icon refused already is being tried again. The window the icons went
  // to stays remembered: one that came meanwhile gets them all at the next look.
  if (IconsMissing()) return;
  const WindowHandle tray = platform_.shell.TrayWindow();
  const WindowHandle before = std::exchange(trayWindow_, tray);
  if ((tray == 0 || (before != 0 && tray != before)) && !SendIcons(IconsToSend::All)) {
    StartIconRetry();
  }
}

void Panel::StartIconRetry() {
  iconAttempts_ = 0;
  platform_.timers.StartTimer(TimerId::TrayRetry, kIconRetryMs, [this] { RetryIcons(); });
}

void Panel::RetryIcons() {
  // While its own message is open, another would stack on it: the attempt waits.
  if (tellingOfIcons_) return;
  ++iconAttempts_;
  int gaveBackWindows = 0;
  bool gaveBackPanel = false;
  for (HiddenWindowSlot& slot : slots_) {
    // A window given back sends the others again, and a refusal then
    // gives them their own attempts.
    if (!slot.Hiding() || slot.IconShown() || slot.SendToTray() || iconAttempts_ < kIconAttempts) {
      continue;
    }
    slot.Window() == view_.Handle() ? gaveBackPanel = true : ++gaveBackWindows;
    slot.Restore();
  }
  if (!IconsMissing()) platform_.timers.StopTimer(TimerId::TrayRetry);
  tellingOfIcons_ = true;
  // The panel is no window the user hid: at a start into the tray, words
  // about a hidden window would puzzle.
  if (gaveBackWindows > 0 || gaveBackPanel) {
    platform_.dialogs.MessageBox(
        gaveBackWindows > 1    ? "The notification area did not take the icons of hidden "
                                 "windows, so those windows have been shown again."
        : gaveBackWindows == 1 ? "The notification area did not take an icon for a hidden "
                                 "window, so that window has been shown again."
                               : "The notification area did not take Nookshade's icon, so its "
                                 "panel has been shown again.",
        kAppTitle, message_style::kIconExclamation);
  }
  TellOfTray();
  tellingOfIcons_ = false;
}

void Panel::TextEdited(ControlId control, std::string text) {
  if (TextBox* box = FindEditableTextBox(control)) box->SetText(std::move(text));
}

void Panel::Clicked(ControlId control) {
  if (const auto help = HelpText(control)) {
    platform_.dialogs.MessageBox(*help, kHelpTitle, message_style::kIconInformation);
    return;
  }
  switch (control) {
    case ControlId::startButton:
    case ControlId::menuStart:
      Arm();
      return;
    case ControlId::resetHideWindowHotkey:
      hotkeys_.Reset(ControlId::hideWindowHotkey);
      return;
    case ControlId::resetHideAllHotkey:
      hotkeys_.Reset(ControlId::hideAllHotkey);
      return;
    case ControlId::resetFakeWorkHotkey:
      hotkeys_.Reset(ControlId::fakeWorkHotkey);
      return;
    case ControlId::resetFakeWork1:
      fakeWork_.Reset(ControlId::fakeWork1);
      return;
    case ControlId::resetFakeWork2:
      fakeWork_.Reset(ControlId::fakeWork2);
      return;
    case ControlId::resetFakeWork3:
      fakeWork_.Reset(ControlId::fakeWork3);
      return;
    default:
      break;
  }
  for (CheckBox* box : {&showFakeWorkWithHideAll_, &autoStart_, &loginStart_, &noNotification_}) {
    if (box->Id() == control) return box->Click();
  }
  if (TextBox* text = FindEditableTextBox(control)) text->Click();
}

void Panel::FocusLost(ControlId control) {
  if (TextBox* box = FindEditableTextBox(control)) box->LostFocus();
}

void Panel::KeyDown(ControlId control, int virtualKey, std::size_t selStart,
                    std::size_t selLength) {
  if (TextBox* box = FindEditableTextBox(control)) {
    box->SetSelection(selStart, selLength);
    box->KeyDown(virtualKey);
  }
}

void Panel::KeyUp(ControlId control, int virtualKey) { hotkeys_.KeyUp(control, virtualKey); }

void Panel::MouseDown(ControlId control) { fakeWork_.CrosshairPressed(control); }

void Panel::MouseUp(ControlId control) { fakeWork_.CrosshairReleased(control); }

void Panel::IconDoubleClicked(std::int64_t slot) {
  // Only the program's own icons report identifiers, 0 to 10; anything else
  // names no slot.
  if (slot < 0 || slot >= kSlotCount) return;
  slots_[slot].RequestRestore();
}

WindowHandle Panel::PanelHandle() const { return view_.Handle(); }

WindowHandle Panel::SlotWindow(int slot) const {
  if (slot < 0 || slot >= kSlotCount || !slots_[slot].Hiding()) return 0;
  return slots_[slot].Window();
}

void Panel::SlotsChanged() {  // FindFreeSlot
  const auto free = std::find_if(slots_.begin(), slots_.end(),
                                 [](const HiddenWindowSlot& slot) { return !slot.Hiding(); });
  freeSlot_ = free == slots_.end() ? -1 : static_cast<int>(free - slots_.begin());
}

const TextBox* Panel::FindTextBox(ControlId control) const {
  return const_cast<Panel*>(this)->FindEditableTextBox(control);
}

TextBox* Panel::FindEditableTextBox(ControlId control) {
  for (TextBox* box : {&hideWindowHotkey_, &hideAllHotkey_, &fakeWorkHotkey_, &fakeWork1_,
                       &fakeWork2_, &fakeWork3_, &password_}) {
    if (box->Id() == control) return box;
  }
  return nullptr;
}

const CheckBox* Panel::FindCheckBox(ControlId control) const {
  for (const CheckBox* box :
       {&showFakeWorkWithHideAll_, &autoStart_, &loginStart_, &noNotification_}) {
    if (box->Id() == control) return box;
  }
  return nullptr;
}

void Panel::ControlChanged(ControlId control) { view_.ControlChanged(control); }

void Panel::Arm() {
  // A minimized panel owns no prompt, and can be restored and clicked while
  // one is open; the panel cannot be hidden then, and the note would lie.
  if (platform_.dialogs.IsPasswordPromptVisible()) return;
  if (text::IsBlank(hideWindowHotkey_.Text()) || text::IsBlank(hideAllHotkey_.Text())) {
    platform_.dialogs.MessageBox("The hotkeys have not been set", kAppName,
                                 message_style::kIconInformation);
    return;
  }
  HideIntoOwnSlot();
  fakeWork_.VerifyWindows();
  noteOwed_ = noNotification_.Value() != 1;
  TellOfTray();
}

void Panel::TellOfTray() {
  // Without its icon the panel is not in the tray, whatever the note would
  // say: it is told once the icon is there, and not if the panel was shown
  // again meanwhile.
  const HiddenWindowSlot* panel = PanelSlot();
  if (panel == nullptr) noteOwed_ = false;
  if (!noteOwed_ || !panel->IconShown()) return;
  noteOwed_ = false;
  // One note at a time: armed again from a panel opened over it, the one
  // open says it already. (Should the hotkey it names have been changed
  // meanwhile, it names the old one: a second note on it would need two
  // OKs and leave the old one behind all the same.)
  if (noteOpen_) return;
  std::string note =
      "Nookshade is now running in your Taskbar Tray. Double click on it to re-open Nookshade.";
  note += "\r\n\r\n";
  note +=
      "Applications you hide are also minimized to your taskbar tray. You are now protected with "
      "Nookshade.";
  note += "\r\n\r\n";
  note += "Reminder: Press ";
  note += text::Windows1252ToUtf8(hideWindowHotkey_.Text());
  note += " to hide a window";
  noteOpen_ = true;
  platform_.dialogs.MessageBox(note, kPanelCaption, message_style::kIconInformation);
  noteOpen_ = false;
}

void Panel::ArmByShortcut() {
  hotkeys_.TakeBackHeldModifiers();
  Arm();
}

void Panel::HideIntoOwnSlot() {
  if (freeSlot_ >= 0) slots_[freeSlot_].Hide(view_.Handle());
}

// A broken owner chain must not hang the hotkey.
constexpr int kMaxOwnerDepth = 64;

void Panel::HideWindowInFront() {
  // A dialog in front (a Find box) stands for the window it belongs to,
  // which goes with all its dialogs: hidden alone, it would leave that
  // window in sight. The owners climbed are those in sight, and never the
  // shell's or ours.
  WindowSystem& windows = platform_.windows;
  WindowHandle window = windows.GetForegroundWindow();
  for (int depth = 0; depth < kMaxOwnerDepth; ++depth) {
    const WindowHandle owner = windows.GetOwner(window);
    if (owner == 0 || !windows.IsWindowVisible(owner) || IsShellWindow(windows, owner) ||
        windows.GetWindowProcessId(owner) == platform_.system.CurrentProcessId()) {
      break;
    }
    window = owner;
  }
  // A message of ours in front (the note on arming, which names this very
  // hotkey) is not hidden, nor answered with a message over it.
  if (windows.GetWindowProcessId(window) == platform_.system.CurrentProcessId()) return;
  HideIntoFreeSlot(window);
}

void Panel::HideIntoFreeSlot(WindowHandle window) {
  // Windows closed while hidden free their slots.
  for (HiddenWindowSlot& slot : slots_) slot.ReleaseIfGone();
  // A window already in a slot keeps its one icon: a second would outlive
  // its restore. Its program may have shown it again, or a dialog of it,
  // hidden with it or opened since (the hotkey climbs no owner out of
  // sight); then it goes back where it was, even with every slot taken,
  // and with its window: a modal dialog held apart would leave its window,
  // given back, dead.
  if (HiddenWindowSlot* const slot = SlotKeeping(window)) {
    slot->HideAgain(window);
    MoveIntoSlot(*slot, window);
    return;
  }
  if (freeSlot_ < 0) {
    platform_.dialogs.MessageBox("Sorry, quota full!!", kAppTitle, message_style::kIconExclamation);
    return;
  }
  if (!platform_.windows.IsWindow(window) || IsShellWindow(platform_.windows, window)) {
    platform_.dialogs.MessageBox("Not Valid window", kAppTitle, message_style::kIconStop);
    return;
  }
  HiddenWindowSlot& slot = slots_[freeSlot_];
  slot.Hide(window);
  if (slot.Holds(window)) MoveIntoSlot(slot, window);
}

HiddenWindowSlot* Panel::SlotKeeping(WindowHandle window) {
  for (int depth = 0; window != 0 && depth < kMaxOwnerDepth; ++depth) {
    for (HiddenWindowSlot& slot : slots_) {
      if (slot.Keeps(window)) return &slot;
    }
    window = platform_.windows.GetOwner(window);
  }
  return nullptr;
}

void Panel::MoveIntoSlot(HiddenWindowSlot& slot, WindowHandle window) {
  // Its dialogs that hide-all hid go with it: show-all would bare them alone.
  const std::vector<WindowIdentity> dialogs = hideAll_.OwnedBy(window);
  if (slot.Adopt(dialogs)) {
    for (const WindowIdentity& dialog : dialogs) hideAll_.Release(dialog.window);
  }
  hideAll_.Release(window);
  // So do those the fake-work toggle hid with it: its row may let go of it.
  const std::vector<WindowIdentity> toggled = fakeWork_.HiddenDialogs(window);
  if (slot.Adopt(toggled)) fakeWork_.GiveUpDialogs(window, toggled);
}

void Panel::ToggleHideAll() {
  const std::optional<bool> hidden = hideAll_.Toggle();
  // A session that ended while the prompt waited has unloaded the panel and
  // shown everything; what the prompt's answer asks for is void.
  if (unloaded_) return;
  if (hidden && showFakeWorkWithHideAll_.Value() == 1) fakeWork_.Open(*hidden);
}

void Panel::ToggleFakeWork() {
  fakeWorkShown_ = !fakeWorkShown_;
  fakeWork_.Open(fakeWorkShown_);
}

void Panel::PollTick() {
  // Hotkeys are live only while the panel is out of sight: hiding the panel
  // is what arms them.
  if (platform_.windows.IsWindowVisible(view_.Handle())) {
    poller_.Disarmed();
    return;
  }
  // Raw input is asked for at the first armed tick, not at load: nothing of
  // it is needed before the panel is first armed, and the start stays short.
  // It is asked before the tick reads the input clock: input made while the
  // registration is under way reaches no window as raw input, but the clock
  // shows it, so the tick does not sleep over it.
  if (inputWatch_ == InputWatch::NotAsked) WatchInput();
  // While a password prompt is open the hotkeys rest: typed into it, they
  // would act behind it. A message box opened by a hotkey's action rests
  // them too (the poller is acting); one opened otherwise, as the note on
  // arming, does not: the user may need to hide everything before they
  // have read it.
  poller_.Tick(!platform_.dialogs.IsPasswordPromptVisible());
  // A work window the fake-work hotkey shows is the user's, dialog or not.
  const std::function<bool(WindowHandle)> workWindow = [this](WindowHandle w) {
    return fakeWork_.Holds(w);
  };
  for (HiddenWindowSlot& slot : slots_) slot.TakeDialogsOpenedAsItHid(workWindow);
  if (!poller_.Idle()) {
    lookedSinceInput_ = false;
    return;
  }
  // A window closed while hidden gives back its slot and icon once a spell
  // of input is over (the user's closing it most likely among it), not only
  // at the next hide or a click on an icon that has nothing to show. Without
  // raw input the timer never sleeps, and looks once a spell all the same.
  if (!std::exchange(lookedSinceInput_, true)) {
    for (HiddenWindowSlot& slot : slots_) slot.ReleaseIfGone();
    CheckTray();
  }
  if (inputWatch_ == InputWatch::Watching) {
    platform_.timers.StopTimer(TimerId::HotkeyPoll);
    pollAsleep_ = true;
  }
}

void Panel::WatchInput() {
  inputWatch_ = platform_.keyboard.WatchInput(view_.Handle()) ? InputWatch::Watching
                                                              : InputWatch::Unavailable;
  if (inputWatch_ == InputWatch::Unavailable) {
    platform_.system.Log(
        "raw input could not be registered: the hotkey poll timer keeps ticking while idle");
  }
}

void Panel::InputArrived(int keyReleased, int keyPressed) {
  poller_.KeyReleased(keyReleased);
  poller_.KeyPressed(keyPressed);
  // Awake too: the gate may be about to shut on a clock that does not show
  // this event yet.
  poller_.InputArrived();
  if (!pollAsleep_) return;
  pollAsleep_ = false;
  StartPollTimer();
}

void Panel::RunHotkey(HotkeyAction action) {
  switch (action) {
    case HotkeyAction::HideWindow:
      HideWindowInFront();
      return;
    case HotkeyAction::HideAll:
      ToggleHideAll();
      return;
    case HotkeyAction::FakeWork:
      ToggleFakeWork();
      return;
  }
}

}  // namespace nookshade
