#pragma once
// A fresh simulated desktop and one program run per test, with the steps a
// user takes, stories told in those steps, and tables' case names.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "model/settings.h"
#include "sim_session.h"

namespace nookshade::test {

inline constexpr int kBackspace = 8, kSpace = 32, kLShift = 160, kRShift = 161, kLCtrl = 162,
                     kRCtrl = 163, kLAlt = 164, kRAlt = 165, kLWin = 91;

// Names a table's case after its `name`, so that a failure says which case.
inline std::string CaseName(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return out;
}
template <typename Param>
std::string NameOf(const ::testing::TestParamInfo<Param>& info) {
  return CaseName(info.param.name);
}

class SimTest : public ::testing::Test {
 protected:
  std::optional<std::string> Stored(const SettingKey& key) const {
    return desktop.StoredString(SettingPath(kAppName, key.section), std::string(key.key));
  }
  // A stored setting, by its value's name.
  void Set(const std::string& key, const std::string& value) {
    const bool startup = key == "Auto" || key == "Login" || key == "Note";
    desktop.StoreString(SettingPath(kAppName, startup ? "Startup" : "Saved Data"), key, value);
  }
  Panel& panel() { return session.panel(); }
  // Starts with the panel in the tray (the option "Auto"), so the hotkeys are
  // live; the default password unless another is stored.
  void StartArmed() {
    Set("Auto", "1");
    session.Start();
  }
  // A window of another program, in front.
  WindowHandle Window(std::string title) {
    const WindowHandle window = desktop.AddWindow(std::move(title));
    desktop.SetForeground(window);
    return window;
  }
  bool Visible(WindowHandle window) const {
    return desktop.Find(window) && desktop.Find(window)->visible;
  }
  void Tick() { desktop.FireTimer(TimerId::HotkeyPoll); }
  // Each group of keys goes down within one tick, and comes up after it.
  void PressTicks(const std::vector<std::vector<int>>& ticks) {
    for (const auto& keys : ticks) {
      for (const int key : keys) desktop.PressKey(key);
      Tick();
      for (const int key : keys) desktop.ReleaseKey(key);
    }
  }
  // The answer the password prompt gets when it opens next: "-" cancels it.
  void Answers(const std::string& answer) {
    desktop.passwordAnswers = {answer == "-" ? std::nullopt : std::optional(answer)};
  }
  // Ctrl, then the key, as people press hotkeys; with an answer ready, if any.
  void Chord(int key, const std::string& answer = "") {
    if (!answer.empty()) Answers(answer);
    PressTicks({{kLCtrl}, {key}});
  }
  // Drags the crosshair of a fake-work row onto the window.
  void PickFakeWork(int row, WindowHandle window) {
    const auto box = static_cast<ControlId>(static_cast<int>(ControlId::crosshair1) + row - 1);
    panel().MouseDown(box);
    desktop.pointerWindow = window;
    desktop.FireTimer(TimerId::PickerDrag);
    panel().MouseUp(box);
  }
  std::string Text(ControlId field) { return panel().FindTextBox(field)->Text(); }
  int IconCount() const { return static_cast<int>(desktop.trayIcons.size()); }
  int MessageCount() const { return static_cast<int>(desktop.messageBoxes.size()); }

  // A story: steps separated by ";", each a verb and its words (see Step).
  // Its windows are named by a letter, and so titled; "-" names none, and as
  // an answer cancels the prompt. A kill ends the program where it happens.
  void Play(std::string_view story) {
    std::istringstream steps{std::string(story)};
    for (std::string step; std::getline(steps, step, ';');) {
      std::istringstream words(step);
      std::string verb, rest;
      std::getline(words >> verb >> std::ws, rest);
      try {
        Step(verb, rest);
      } catch (const sim::Killed&) {
        session.Kill();
      }
    }
  }
  // What a story ends with: the named windows out of sight, the icons in the
  // notification area, the messages, prompts and log lines, whether the
  // panel is in sight, and the fake-work rows' windows ("-" for none).
  std::string Summary() {
    std::string out;
    for (const auto& [name, window] : named) {
      if (desktop.Find(window) && !Visible(window)) out += (out.empty() ? ", hidden " : "") + name;
    }
    const auto count = [&out](const char* what, int n) {
      if (n > 0) out += ", " + std::string(what) + " " + std::to_string(n);
    };
    count("icons", IconCount());
    count("told", MessageCount());
    count("asked", desktop.passwordPromptsShown);
    count("logged", static_cast<int>(desktop.log.size()));
    if (!session.Running()) return out.empty() ? "none" : out.substr(2);
    if (Visible(session.PanelWindow())) out += ", panel shown";
    std::string work;
    for (const ControlId row : {ControlId::fakeWork1, ControlId::fakeWork2, ControlId::fakeWork3}) {
      work += Text(row) == kFakeWorkPlaceholder ? "-" : Text(row);
    }
    if (work != "---") out += ", work " + work;
    return out.empty() ? "none" : out.substr(2);
  }

  sim::SimDesktop desktop;
  sim::SimSession session{desktop};
  std::map<std::string, WindowHandle> named;  // the story's windows

 private:
  sim::SimWindow& Of(const std::string& name) { return *desktop.Find(named.at(name)); }
  void Step(const std::string& verb, const std::string& rest) {
    std::string a, b;
    std::istringstream(rest) >> a >> b;
    const int n = std::atoi(a.c_str());
    const std::map<std::string, std::function<void()>> steps = {
        {"set", [&] { Set(a.substr(0, a.find('=')), rest.substr(a.find('=') + 1)); }},  // <key>=
        {"start", [&] { session.Start(); }},
        {"armed", [&] { StartArmed(); }},
        // Other programs' windows. open <name> [<class>]: one in front.
        {"open", [&] { Open(a, b.empty() ? "Notepad" : b); }},
        {"hidden", [&] { named[a] = desktop.AddWindow(a, false); }},
        {"untitled", [&] { named[a] = desktop.AddWindow(""); }},
        {"owned", [&] { named[a] = desktop.AddWindow(a, true, named.at(b)); }},     // by <b>
        {"child", [&] { named[a] = desktop.AddWindow(a, true, 0, named.at(b)); }},  // of <b>
        {"ours", [&] { Of(a).processId = desktop.ownProcessId; }},
        {"refusing", [&] { Of(a).refusesHide = true; }},  // its program has more rights than ours
        {"front", [&] { desktop.SetForeground(a == "-" ? 0 : named.at(a)); }},
        {"close", [&] { desktop.DestroyWindow(named.at(a)); }},
        {"rename", [&] { Of(a).title = b; }},
        {"shellwindow", [&] { desktop.shellWindow = named.at(a); }},
        {"desktopwindow", [&] { desktop.desktopWindow = named.at(a); }},
        {"shows", [&] { desktop.ShowWindow(named.at(a), ShowCommand::Show); }},  // its own program
        {"hides", [&] { desktop.ShowWindow(named.at(a), ShowCommand::Hide); }},  // its own program
        {"reuse", [&] { Reuse(a, b); }},
        // The user. fill <n>: so many windows more, each hidden into a slot.
        {"fill", [&] { Fill(n); }},
        // A hidden each way: A in a slot, B by hide-all, C by the fake work.
        {"everyway", [&] { Play("fill 1; open B; all; open C; pick 1 C; fake; fake"); }},
        {"hide", [&] { Chord('H'); }},
        {"hidenow", [&] { panel().HideWindowInFront(); }},  // the same, without the hotkey
        {"all", [&] { Chord(kSpace, a); }},                 // all [<answer>]
        {"fake", [&] { Chord('K'); }},
        {"tap",
         [&] {
           for (const char key : a) PressTicks({{key}});
         }},  // keys, one a tick
        {"icon", [&] { DoubleClickIcon(std::stoll(a), b.empty() ? "417" : b); }},  // [<answer>]
        {"type", [&] { panel().TextEdited(ControlId::password, a); }},  // a password, in the panel
        {"arm", [&] { panel().Clicked(ControlId::startButton); }},
        {"ctrl+s", [&] { panel().ArmByShortcut(); }},  // the panel's shortcut for arming
        {"help", [&] { Help(); }},                     // every item of the help menu
        {"pick", [&] { PickFakeWork(n, b == "-" ? 0 : named.at(b)); }},  // pick <row> <name>
        {"reset", [&] { panel().Clicked(ResetButton(a)); }},             // reset HKn|HKa|HKfw|1|2|3
        // The system.
        {"end", [&] { panel().Unload(); }},  // the session's end
        {"endinprompt", [&] { desktop.whilePasswordPromptOpen = [this] { panel().Unload(); }; }},
        {"kill", [&] { session.Kill(); }},
        {"killat", [&] { desktop.killAt = n; }},  // at the program's n-th change of the world
        {"second", [&] { SecondStart(a.empty() ? "417" : a); }},
        {"busy", [&] { Busy(); }},  // every prompt and message of ours gets every hotkey
        {"shellrestart", [&] { ShellRestart(n); }},     // the shell, back, refuses n icons
        {"refuse", [&] { desktop.failTrayAdds = n; }},  // the next n icons
        {"seconds", [&] { Seconds(n); }},               // of the icon retry timer
        {"unwritable", [&] { desktop.failSetString["software\\nookshade pro\\recovery"] = 5; }},
    };
    const auto step = steps.find(verb);
    ASSERT_NE(step, steps.end()) << "no such step: " << verb;
    step->second();
  }
  void Open(const std::string& name, const std::string& className) {
    named[name] = Window(name);
    Of(name).className = className;
  }
  // Its handle given to a hidden window of another program ("process"), or
  // of its own program and another class ("class").
  void Reuse(const std::string& name, const std::string& how) {
    desktop.DestroyWindow(named.at(name));
    desktop.SetNextHandle(named.at(name));
    desktop.AddWindow(name, false);
    Of(name).processId = how == "process" ? 777 : 4242;
    Of(name).className = how == "class" ? "Secret" : "Notepad";
  }
  void Fill(int windows) {
    for (int i = 0; i < windows; ++i) {
      Play(std::string("open ") + static_cast<char>('A' + named.size()) + "; hide");
    }
  }
  void DoubleClickIcon(std::int64_t slot, const std::string& answer) {
    Answers(answer);
    panel().IconDoubleClicked(slot);
  }
  // Nookshade started again: the running one is woken, and answers.
  void SecondStart(const std::string& answer) {
    Answers(answer);
    sim::SimSession second(desktop);
    second.Start();
    if (!second.Running() && desktop.wakes > 0) panel().AnotherStart();
  }
  void Help() {
    const int first = static_cast<int>(ControlId::menuHelpAbout);
    for (int item = first; item <= static_cast<int>(ControlId::menuHelpOptions); ++item) {
      panel().Clicked(static_cast<ControlId>(item));
    }
  }
  void Busy() {
    const auto pressEverything = [this] {
      EXPECT_TRUE(desktop.ModalOpen());
      for (const int key : {kSpace, int{'H'}, int{'K'}}) Chord(key);
    };
    desktop.whilePasswordPromptOpen = pressEverything;
    desktop.whileMessageBoxOpen = [=](const auto&) { pressEverything(); };
  }
  void ShellRestart(int refusals) {
    desktop.trayIcons.clear();
    desktop.failTrayAdds = refusals;
    panel().ShellRestarted();
  }
  void Seconds(int seconds) {
    for (int i = 0; i < seconds; ++i) desktop.FireTimer(TimerId::TrayRetry);
  }
  static ControlId ResetButton(const std::string& name) {
    if (name == "HKn") return ControlId::resetHideWindowHotkey;
    if (name == "HKa") return ControlId::resetHideAllHotkey;
    if (name == "HKfw") return ControlId::resetFakeWorkHotkey;
    return static_cast<ControlId>(static_cast<int>(ControlId::resetFakeWork1) + std::stoi(name) -
                                  1);
  }
};

// A table's case told as a story.
struct Story {
  const char* name;
  const char* steps;
  const char* outcome;
};

inline void PrintTo(const Story& story, std::ostream* out) { *out << story.steps; }

class StoryTest : public SimTest, public ::testing::WithParamInterface<Story> {};

}  // namespace nookshade::test
