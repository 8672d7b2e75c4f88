#pragma once
// Random runs of the program on the simulated desktop, for the property test
// (seeded) and the fuzz target (fed by the fuzzer): user and system events one
// after another, told as stories, each followed by the check that no window
// the program hid is without a way back.

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "story.h"

namespace nookshade::sim {

// A number in [0, bound); it decides every choice of the run.
using Pick = std::function<std::uint32_t(std::uint32_t bound)>;

// Blanks, digits, signs, letters, key characters, UTF-8 and bytes that are not.
inline constexpr std::string_view kOddCharacters = " 0129-+Ah\x11\x10\n\xc3\xa9\xff";

// One run: the program started, then events one by one. `story` tells what
// happened, one event a line, in steps a table can take; its first line
// names the keyboard and any odd values stored before the start, and an
// event inside a prompt or message box is indented.
class RandomRun {
 public:
  RandomRun(Pick pick, std::string& story) : pick_(std::move(pick)), story_(story) {
    SimDesktop& desktop = world_.desktop;
    const bool wine = pick_(2) != 0;
    desktop.keyboardMode =
        wine ? SimDesktop::KeyboardMode::Wine : SimDesktop::KeyboardMode::Windows;
    story_ += wine ? "(keys marked as Wine marks them" : "(keys marked as Windows marks them";
    // Now and then a stored value as a user, another program or a damaged
    // hive may leave it.
    for (const SettingKey& key :
         {setting::kHideWindowHotkey, setting::kHideAllHotkey, setting::kFakeWorkHotkey,
          setting::kLaunchFakeWork, setting::kPassword, setting::kLoginStart,
          setting::kNoNotification, setting::kRecoveryJournal}) {
      if (pick_(8) != 0) continue;
      std::string value(pick_(12), ' ');
      for (char& c : value) c = kOddCharacters[pick_(kOddCharacters.size())];
      desktop.StoreString(SettingPath(kAppName, key.section), std::string(key.key), value);
      story_ += "; " + std::string(key.key) + " stored as \"";
      for (const char c : value) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
        story_ += c >= ' ' && c <= '~' ? std::string(1, c) : escaped;
      }
      story_ += "\"";
    }
    story_ += ")\n";
    // D is a dialog of A (a Find box).
    world_.Play("armed; open A; open B; open C; owned D A");
    // Inside an open prompt or message box: one event more, at most.
    desktop.whilePasswordPromptOpen = desktop.whileMessageBoxOpen = [this] {
      if (!std::exchange(nested_, true) && pick_(2) == 0) Tell(Event(true), "  ");
    };
  }

  // One event, then the check: what broke, or "" when all is well.
  std::string Step() {
    if (!world_.session.Running()) Tell("start", "");  // closed: started again
    // Now and then the process is killed at some change of the world that
    // the event makes (between a record and its hide, between two hides...)
    // or, if it makes fewer, after the event.
    if (pick_(8) == 0) Tell("killat " + std::to_string(1 + pick_(10)), "");
    const int kills = world_.kills;
    nested_ = false;
    Tell(Event(false), "");
    nested_ = true;  // no events inside the start-up's message boxes
    // The session's end inside a modal loop ends the process once it returns.
    // A kill may have cut a shell's restart short: it is back by the next start.
    if (std::exchange(world_.desktop.killAt, 0) > 0 || std::exchange(sessionEnds_, false) ||
        world_.kills != kills) {
      Tell("kill; refuse 0; start", "");
    }
    return Check();
  }

 private:
  void Tell(const std::string& event, const char* indent) {
    story_ += indent + event + "\n";
    world_.Play(event);
  }

  // One event in steps, as it is picked.
  std::string Event(bool nested) {
    const std::string window(1, static_cast<char>('A' + pick_(4)));
    const std::string answer = std::array{"-", "417", "wrong"}[pick_(3)];
    switch (pick_(10)) {
      case 0:
        return "front " + window + "; hide";
      case 1:
        return "front " + window + "; all " + answer;
      case 2:
        return "front " + window + "; fake";
      case 3:
        return "icon " + std::to_string(static_cast<int>(pick_(13)) - 1) + " " + answer;
      case 4:
        if (world_.Visible(world_.session.PanelWindow()) && pick_(3) == 0) return "arm";
        return (pick_(2) == 0 ? "second " : "icon 0 ") + answer;
      case 5:
        return (pick_(2) == 0 ? "shows " : "hides ") + window;
      case 6:
        return "pick " + std::to_string(1 + pick_(3)) + " " + window;
      case 7:
        // An icon the shell refused is tried again for five seconds at most;
        // by then the shell takes icons again.
        return "shellrestart " + std::to_string(pick_(8)) + "; seconds 6; refuse 0";
      case 8:
        sessionEnds_ = nested;
        return nested ? "end" : "quit";
      default:
        // Another program's window may get the handle that was freed.
        if (pick_(2) == 0) return "close " + window + "; open " + window;
        return "reuse " + window + " process";
    }
  }

  // While it runs, every window it hid has its record in the journal (the
  // way back should the process die) and each in a slot its icon as well;
  // once closed, it has shown everything and left no journal.
  std::string Check() {
    const std::optional<std::string> journal = world_.desktop.StoredString(
        SettingPath(kAppName, setting::kRecoveryJournal.section), "Windows");
    const bool running = world_.session.Running();
    if (!running && journal) return "a clean exit left a journal";
    for (const auto& [name, window] : world_.named) {
      const SimWindow* seen = world_.desktop.Find(window);
      if (seen == nullptr) continue;
      // Each record reads "<how> <handle> <process> <class>": one of another
      // window that had the handle would not bring this one back.
      const std::string record = " " + std::to_string(window) + " " +
                                 std::to_string(seen->processId) + " " + seen->className + "\n";
      if (!seen->visible && !seen->hiddenByItsProgram &&
          (!running || (journal.value_or("") + "\n").find(record) == std::string::npos)) {
        return "window " + name + " is hidden without a way back";
      }
    }
    for (int slot = 0; running && slot < kSlotCount; ++slot) {
      if (world_.panel().SlotWindow(slot) != 0 &&
          !world_.desktop.trayIcons.contains({world_.session.PanelWindow(), slot})) {
        return "slot " + std::to_string(slot) + " hides a window without its icon";
      }
    }
    return {};
  }

  const Pick pick_;
  std::string& story_;
  World world_;
  bool nested_ = true;
  bool sessionEnds_ = false;
};

}  // namespace nookshade::sim
