#pragma once
// Random runs of the program on the simulated desktop, for the property test
// (seeded) and the fuzz target (fed by the fuzzer): user and system events one
// after another, each followed by the check that no window the program hid
// is without a way back.

#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "model/settings.h"
#include "sim_session.h"

namespace nookshade::sim {

// A number in [0, bound); it decides every choice of the run.
using Pick = std::function<std::uint32_t(std::uint32_t bound)>;

// Blanks, digits, signs, letters, key characters, UTF-8 and bytes that are not.
inline constexpr std::string_view kOddCharacters = " 0129-+Ah\x11\x10\n\xc3\xa9\xff";
inline const std::string kJournalPath = SettingPath(kAppName, setting::kRecoveryJournal.section);

// One run: the program started, then events one by one. `story` tells what
// happened, one event a line.
class RandomRun {
 public:
  RandomRun(Pick pick, std::string& story) : pick_(std::move(pick)), story_(story) {
    desktop_.keyboardMode =
        pick_(2) ? SimDesktop::KeyboardMode::Wine : SimDesktop::KeyboardMode::Windows;
    // Now and then a stored value as a user, another program or a damaged
    // hive may leave it.
    for (const SettingKey& key :
         {setting::kHideWindowHotkey, setting::kHideAllHotkey, setting::kFakeWorkHotkey,
          setting::kLaunchFakeWork, setting::kPassword, setting::kLoginStart,
          setting::kNoNotification, setting::kRecoveryJournal}) {
      if (pick_(8) != 0) continue;
      std::string value(pick_(12), ' ');
      for (char& c : value) c = kOddCharacters[pick_(kOddCharacters.size())];
      desktop_.StoreString(SettingPath(kAppName, key.section), std::string(key.key), value);
    }
    desktop_.StoreString(SettingPath(kAppName, setting::kAutoStart.section),
                         std::string(setting::kAutoStart.key), "1");
    for (int i = 0; i < 3; ++i) {
      windows_.push_back(desktop_.AddWindow("Window " + std::to_string(i)));
    }
    // Inside an open prompt or message box: one event more, at most.
    desktop_.whilePasswordPromptOpen = [this] {
      if (!std::exchange(nested_, true) && pick_(2) == 0) Event("  ");
    };
    desktop_.whileMessageBoxOpen = [this](const auto&) { desktop_.whilePasswordPromptOpen(); };
    session_.Start();
  }

  // One event, then the check: what broke, or "" when all is well.
  std::string Step() {
    if (!session_.Running()) session_.Start();  // closed: started again
    // Now and then the process is killed at some change of the world that
    // the event makes (between a record and its hide, between two hides...)
    // or, if it makes fewer, after the event.
    desktop_.killAt = pick_(8) == 0 ? static_cast<int>(1 + pick_(10)) : 0;
    nested_ = false;
    try {
      Event("");
      if (desktop_.killAt > 0) throw Killed{};
    } catch (const Killed&) {
      story_ += "  (the process is killed)\n";
      processEnds_ = true;
    }
    nested_ = true;  // no events inside the start-up's message boxes
    desktop_.killAt = desktop_.failTrayAdds = 0;
    desktop_.passwordAnswers.clear();
    if (std::exchange(processEnds_, false)) {
      session_.Kill();
      session_.Start();
    }
    return Check();
  }

 private:
  void Event(const std::string& indent) {
    const auto say = [&](const std::string& line) { story_ += indent + line + "\n"; };
    Panel& panel = session_.panel();
    const WindowHandle window = windows_[pick_(windows_.size())];
    const std::string name = std::to_string(window);
    switch (const std::uint32_t event = pick_(10)) {
      case 0:
      case 1:
      case 2: {
        const int ctrl = pick_(4) == 0 ? 163 : 162;
        const int key = std::array{'H', ' ', 'K'}[event];
        say(std::string(ctrl == 163 ? "right" : "left") + " Ctrl+" +
            std::array{"H", "Space", "K"}[event] + " with " + name + " in front, answer " +
            Answer());
        desktop_.SetForeground(window);
        desktop_.PressKey(ctrl);
        desktop_.FireTimer(TimerId::HotkeyPoll);
        desktop_.PressKey(key);
        for (int i = 0; i < 3; ++i) desktop_.FireTimer(TimerId::HotkeyPoll);
        desktop_.ReleaseKey(key);
        desktop_.ReleaseKey(ctrl);
        break;
      }
      case 3: {
        const int slot = static_cast<int>(pick_(13)) - 1;
        say("double-click on icon " + std::to_string(slot) + ", answer " + Answer());
        panel.IconDoubleClicked(slot);
        break;
      }
      case 4:
        if (desktop_.IsWindowVisible(session_.PanelWindow()) && pick_(3) == 0) {
          say("the panel's Start button");
          panel.Clicked(ControlId::startButton);
        } else {
          say("a second start or the panel's icon, answer " + Answer());
          pick_(2) == 0 ? panel.AnotherStart() : panel.IconDoubleClicked(0);
        }
        break;
      case 5: {
        const bool show = pick_(2) == 0;
        say("its program " + std::string(show ? "shows " : "hides ") + name);
        desktop_.ShowWindow(window, show ? ShowCommand::Show : ShowCommand::Hide);
        hiddenByOwner_.erase(window);
        if (!show) hiddenByOwner_.insert(window);
        break;
      }
      case 6: {
        const std::uint32_t row = pick_(3);
        say("crosshair " + std::to_string(row + 1) + " dragged onto " + name);
        const auto box = static_cast<ControlId>(static_cast<int>(ControlId::crosshair1) + row);
        panel.MouseDown(box);
        desktop_.pointerWindow = window;
        desktop_.FireTimer(TimerId::PickerDrag);
        panel.MouseUp(box);
        break;
      }
      case 7:
        say("the shell restarts, refusing " + std::to_string(desktop_.failTrayAdds = pick_(8)));
        desktop_.trayIcons.clear();
        panel.ShellRestarted();
        // An icon the shell refused is tried again for five seconds at most.
        for (int second = 0; second < 6; ++second) desktop_.FireTimer(TimerId::TrayRetry);
        break;
      case 8:
        // The end of the session reaches the panel through the open modal
        // loop; the process ends once the loop returns.
        say(indent.empty() ? "the panel is closed" : "the session ends");
        indent.empty() ? session_.Close() : panel.Unload();
        processEnds_ = !indent.empty();
        break;
      default: {
        // Another program's window may get the handle that was freed.
        const bool reused = pick_(2) == 0;
        say(name + " closes; a new window opens" + (reused ? " with its handle" : ""));
        desktop_.DestroyWindow(window);
        hiddenByOwner_.erase(window);
        std::erase(windows_, window);
        SimWindow& opened =
            *desktop_.Find(desktop_.AddWindow("Window " + std::to_string(windows_.size())));
        if (reused) {
          opened.handle = window;
          opened.className = "Reused";
        }
        windows_.push_back(opened.handle);
      }
    }
  }

  // The answer the next password prompt gets.
  std::string Answer() {
    const std::array<std::optional<std::string>, 3> answers = {std::nullopt, "417", "wrong"};
    desktop_.passwordAnswers.push_back(answers[pick_(3)]);
    return desktop_.passwordAnswers.back().value_or("cancel");
  }

  // While it runs, every window it hid has its record in the journal (the
  // way back should the process die) and each in a slot its icon as well;
  // once closed, it has shown everything and left no journal.
  std::string Check() {
    const std::optional<std::string> journal = desktop_.StoredString(kJournalPath, "Windows");
    const bool running = session_.Running();
    if (!running && journal) return "a clean exit left a journal";
    for (const WindowHandle window : windows_) {
      // Each record reads "<how> <handle> <process> <class>".
      const std::string record = " " + std::to_string(window) + " ";
      if (!desktop_.IsWindowVisible(window) && !hiddenByOwner_.contains(window) &&
          (!running || journal.value_or("").find(record) == std::string::npos)) {
        return "window " + std::to_string(window) + " is hidden without a way back";
      }
    }
    for (int slot = 0; running && slot < kSlotCount; ++slot) {
      if (session_.panel().SlotWindow(slot) != 0 &&
          !desktop_.trayIcons.contains({session_.PanelWindow(), slot})) {
        return "slot " + std::to_string(slot) + " hides a window without its icon";
      }
    }
    return {};
  }

  const Pick pick_;
  std::string& story_;
  SimDesktop desktop_;
  SimSession session_{desktop_};
  std::vector<WindowHandle> windows_;     // other programs' windows
  std::set<WindowHandle> hiddenByOwner_;  // hidden by their own program
  bool nested_ = true;
  bool processEnds_ = false;
};

}  // namespace nookshade::sim
