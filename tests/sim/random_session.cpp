#include "random_session.h"

#include <utility>

#include "model/settings.h"

namespace nookshade::sim {
namespace {

constexpr int kCtrl = 162, kRightCtrl = 163, kSpace = 32;
const std::string kJournalPath = SettingPath(kAppName, setting::kRecoveryJournal.section);

}  // namespace

RandomSession::RandomSession(Pick pick) : pick_(std::move(pick)) {
  desktop_.keyboardMode =
      pick_(2) ? SimDesktop::KeyboardMode::Wine : SimDesktop::KeyboardMode::Windows;
  // Now and then a stored value as a user, another program or a damaged
  // hive may leave it.
  for (const SettingKey& key :
       {setting::kHideWindowHotkey, setting::kHideAllHotkey, setting::kFakeWorkHotkey,
        setting::kLaunchFakeWork, setting::kPassword, setting::kLoginStart,
        setting::kNoNotification, setting::kRecoveryJournal}) {
    if (pick_(8) != 0) continue;
    std::string value(pick_(24), ' ');
    for (char& c : value) c = static_cast<char>(pick_(256));
    desktop_.StoreString(SettingPath(kAppName, key.section), std::string(key.key), value);
  }
  desktop_.StoreString(SettingPath(kAppName, "Startup"), "Auto", "1");
  for (int i = 0; i < 4; ++i) windows_.push_back(desktop_.AddWindow("Window " + std::to_string(i)));
  Restart();
}

void RandomSession::Restart() {
  session_ = std::make_unique<SimSession>(desktop_);
  session_->Start();
}

void RandomSession::Press(std::initializer_list<int> keys) {
  const int ctrl = pick_(4) == 0 ? kRightCtrl : kCtrl;
  desktop_.PressKey(ctrl);
  desktop_.FireTimer(TimerId::HotkeyPoll);
  for (const int key : keys) {
    desktop_.PressKey(key);
    desktop_.FireTimer(TimerId::HotkeyPoll);
    desktop_.ReleaseKey(key);
  }
  desktop_.ReleaseKey(ctrl);
  for (int i = 0; i < 3; ++i) desktop_.FireTimer(TimerId::HotkeyPoll);
}

WindowHandle RandomSession::AnyWindow() { return windows_[pick_(windows_.size())]; }

std::string RandomSession::Answer() {
  switch (pick_(3)) {
    case 0:
      desktop_.passwordAnswers.push_back(std::nullopt);
      return "cancel";
    case 1:
      desktop_.passwordAnswers.push_back("417");
      return "417";
    default:
      desktop_.passwordAnswers.push_back("wrong");
      return "wrong";
  }
}

void RandomSession::Event(int depth) {
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  const auto say = [&](const std::string& line) { story_ += indent + line + "\n"; };
  // Events inside an open prompt: one more, at most.
  desktop_.whilePasswordPromptOpen = [this, depth] {
    if (depth == 0 && pick_(2) == 0) Event(depth + 1);
  };
  Panel& panel = session_->panel();
  switch (pick_(12)) {
    case 0: {
      const WindowHandle window = AnyWindow();
      desktop_.SetForeground(window);
      say("hide-a-window hotkey on " + std::to_string(window));
      Press({'H'});
      break;
    }
    case 1:
      say("hide-all hotkey, answer " + Answer());
      Press({kSpace});
      break;
    case 2:
      say("fake-work hotkey");
      Press({'K'});
      break;
    case 3: {
      const int slot = static_cast<int>(pick_(13)) - 1;
      say("double-click on icon " + std::to_string(slot) + ", answer " + Answer());
      panel.IconDoubleClicked(slot);
      break;
    }
    case 4: {
      const WindowHandle window = AnyWindow();
      const bool show = pick_(2) == 0;
      say(std::string("its program ") + (show ? "shows " : "hides ") + std::to_string(window));
      desktop_.ShowWindow(window, show ? ShowCommand::Show : ShowCommand::Hide);
      if (show) {
        hiddenByOwner_.erase(window);
      } else {
        hiddenByOwner_.insert(window);
      }
      break;
    }
    case 5: {
      const WindowHandle window = AnyWindow();
      say("crosshair of row " + std::to_string(1 + pick_(3)) + " onto " + std::to_string(window));
      const auto box = static_cast<ControlId>(static_cast<int>(ControlId::crosshair1) + pick_(3));
      panel.MouseDown(box);
      desktop_.pointerWindow = window;
      desktop_.FireTimer(TimerId::PickerDrag);
      panel.MouseUp(box);
      break;
    }
    case 6:
      if (depth > 0) break;  // the prompt's loop goes with the process
      say("killed, then started again");
      session_->Kill();
      Restart();
      break;
    case 7:
      say("the shell restarts, refusing " + std::to_string(desktop_.failTrayAdds = pick_(8)));
      desktop_.trayIcons.clear();
      panel.ShellRestarted();
      for (int second = 0; second < 6; ++second) desktop_.FireTimer(TimerId::TrayRetry);
      desktop_.failTrayAdds = 0;
      break;
    case 8:
      if (depth > 0) {
        say("the session ends");
        panel.Unload();
        sessionEnded_ = true;
        break;
      }
      say("the panel is closed, then Nookshade started again");
      session_->Close();
      Restart();
      break;
    case 9:
      say("a second start, answer " + Answer());
      panel.AnotherStart();
      break;
    case 10:
      say("the panel's icon, answer " + Answer() + ", then Start");
      panel.IconDoubleClicked(0);
      if (desktop_.IsWindowVisible(session_->PanelWindow())) panel.Clicked(ControlId::startButton);
      break;
    default: {
      const WindowHandle window = AnyWindow();
      say("window " + std::to_string(window) + " closes; a new one opens");
      desktop_.DestroyWindow(window);
      hiddenByOwner_.erase(window);
      std::erase(windows_, window);
      windows_.push_back(desktop_.AddWindow("Window " + std::to_string(windows_.size())));
      break;
    }
  }
  desktop_.passwordAnswers.clear();
}

std::string RandomSession::Step() {
  // Now and then the process is killed at some change of the world that the
  // event makes: between a record and its hide, between two hides...
  desktop_.killAt = pick_(4) == 0 ? static_cast<int>(1 + pick_(10)) : 0;
  try {
    Event(0);
  } catch (const Killed&) {
    story_ += "  (killed there; started again)\n";
    desktop_.failTrayAdds = 0;
    session_->Kill();
    Restart();
  }
  desktop_.killAt = 0;
  // A session that ended inside a prompt: the process ends with it.
  if (std::exchange(sessionEnded_, false)) {
    session_->Kill();
    story_ += "  (the process ends)\n";
    Restart();
  }
  return Check();
}

std::string RandomSession::Check() {
  const std::string journal = desktop_.StoredString(kJournalPath, "Windows").value_or("");
  for (const WindowHandle window : windows_) {
    if (desktop_.IsWindowVisible(window) || hiddenByOwner_.contains(window)) continue;
    // Each record reads "<how> <handle> <process> <class>".
    std::string record(1, ' ');
    record.append(std::to_string(window)).push_back(' ');
    if (journal.find(record) == std::string::npos) {
      return "window " + std::to_string(window) + " is hidden and not in the recovery journal";
    }
  }
  Panel& panel = session_->panel();
  for (const auto& [key, icon] : desktop_.trayIcons) {
    if (key.first != session_->PanelWindow() || panel.SlotWindow(key.second) == 0) {
      return "icon " + std::to_string(key.second) + " stands for no hidden window";
    }
  }
  // An icon the shell refused is tried again for a while.
  for (int slot = 0; slot < 11 && !desktop_.TimerRunning(TimerId::TrayRetry); ++slot) {
    if (panel.SlotWindow(slot) != 0 &&
        !desktop_.trayIcons.contains({session_->PanelWindow(), slot})) {
      return "slot " + std::to_string(slot) + " hides a window without its icon";
    }
  }
  return {};
}

std::string RandomSession::Finish() {
  if (session_->Running()) session_->Close();
  for (const WindowHandle window : windows_) {
    if (!desktop_.IsWindowVisible(window) && !hiddenByOwner_.contains(window)) {
      return "window " + std::to_string(window) + " stays hidden after the program ended";
    }
  }
  if (desktop_.StoredString(kJournalPath, "Windows")) return "a clean exit left a journal";
  return {};
}

}  // namespace nookshade::sim
