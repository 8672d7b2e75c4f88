#pragma once
// A fresh simulated desktop and one program run per test, with the steps a
// user takes, stories told in those steps, and tables' case names.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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
  void Store(const SettingKey& key, std::string value) {
    desktop.StoreString(SettingPath(kAppName, key.section), std::string(key.key), std::move(value));
  }
  Panel& panel() { return session.panel(); }
  // Starts with the panel in the tray (the option "Auto"), so the hotkeys are
  // live; the default password unless another is stored.
  void StartArmed() {
    Store(setting::kAutoStart, "1");
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
  void HideInFront() { PressTicks({{kLCtrl}, {'H'}}); }
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
  void Play(std::string_view story) {
    std::istringstream steps{std::string(story)};
    for (std::string step; std::getline(steps, step, ';');) {
      std::istringstream words(step);
      std::string verb, a, b, rest;
      words >> verb;
      std::getline(words >> std::ws, rest);
      std::istringstream(rest) >> a >> b;
      try {
        Step(verb, a, b, rest);
      } catch (const sim::Killed&) {
        session.Kill();
      }
    }
  }
  // What a story ends with: the named windows out of sight, the icons in the
  // notification area, the messages and prompts shown, and whether the panel
  // is in sight.
  std::string Summary() const {
    std::string hidden;
    for (const auto& [name, window] : named) {
      if (desktop.Find(window) && !Visible(window)) hidden += name;
    }
    std::string out = hidden.empty() ? "" : ", hidden " + hidden;
    const auto count = [&out](const char* what, int n) {
      if (n > 0) out += ", " + std::string(what) + " " + std::to_string(n);
    };
    count("icons", IconCount());
    count("told", MessageCount());
    count("asked", desktop.passwordPromptsShown);
    if (session.Running() && Visible(session.PanelWindow())) out += ", panel shown";
    return out.empty() ? "none" : out.substr(2);
  }

  sim::SimDesktop desktop;
  sim::SimSession session{desktop};
  std::map<std::string, WindowHandle> named;  // the story's windows

 private:
  static std::optional<std::string> Answer(const std::string& word) {
    if (word == "-") return std::nullopt;  // the prompt cancelled
    return word;
  }
  // One step: its verb, its first two words, and all its words.
  void Step(const std::string& verb, const std::string& a, const std::string& b,
            const std::string& rest) {
    const auto number = [&a] { return std::stoi(a); };
    const auto window = [this](const std::string& name) {
      return name == "-" ? 0 : named.at(name);
    };
    const auto pressEverything = [this] {
      EXPECT_TRUE(desktop.ModalOpen());
      PressTicks({{kLCtrl}, {kSpace}, {kLCtrl}, {'H'}, {kLCtrl}, {'K'}});
    };
    if (verb == "set") {  // set <key>=<value>, before the start
      for (const SettingKey& key :
           {setting::kHideWindowHotkey, setting::kHideAllHotkey, setting::kFakeWorkHotkey,
            setting::kLaunchFakeWork, setting::kPassword, setting::kAutoStart,
            setting::kNoNotification}) {
        const std::string prefix = std::string(key.key) + "=";
        if (rest.starts_with(prefix)) Store(key, rest.substr(prefix.size()));
      }
    } else if (verb == "type") {  // type <password>: into the panel's field
      panel().TextEdited(ControlId::password, rest);
    } else if (verb == "start") {
      session.Start();
    } else if (verb == "armed") {
      StartArmed();
    } else if (verb == "open") {  // open <name> [<class>]: another program's window, in front
      named[a] = Window(a);
      desktop.Find(named[a])->className = b.empty() ? "Notepad" : b;
    } else if (verb == "hidden" || verb == "untitled") {
      named[a] = desktop.AddWindow(verb == "hidden" ? a : "", verb != "hidden");
    } else if (verb == "owned" || verb == "child") {  // owned <name> <owner>
      named[a] = desktop.AddWindow(a, true, verb == "owned" ? named.at(b) : 0,
                                   verb == "child" ? named.at(b) : 0);
    } else if (verb == "ours") {
      desktop.Find(named.at(a))->processId = desktop.ownProcessId;
    } else if (verb == "refusing") {  // its program runs with more rights than ours
      desktop.Find(named.at(a))->refusesHide = true;
    } else if (verb == "highhandle") {  // the next window's handle has its top bit set
      desktop.SetNextHandle(static_cast<WindowHandle>(0xFFFF0010u));
    } else if (verb == "front") {
      desktop.SetForeground(window(a));
    } else if (verb == "close") {
      desktop.DestroyWindow(named.at(a));
    } else if (verb == "shellwindow") {
      desktop.shellWindow = named.at(a);
    } else if (verb == "desktopwindow") {
      desktop.desktopWindow = named.at(a);
    } else if (verb == "shows") {  // its own program shows it again
      desktop.ShowWindow(named.at(a), ShowCommand::Show);
    } else if (verb == "reuse") {  // reuse <name> process|class: its handle, for a hidden window
      desktop.DestroyWindow(named.at(a));
      desktop.SetNextHandle(named.at(a));
      desktop.AddWindow("Someone else's secret", false);
      desktop.Find(named.at(a))->processId = b == "process" ? 777 : 4242;
      desktop.Find(named.at(a))->className = b == "class" ? "Secret" : "Notepad";
    } else if (verb == "fill") {  // fill <n>: so many windows more, each hidden into a slot
      for (int i = 0; i < number(); ++i) {
        const std::string name(1, static_cast<char>('A' + named.size()));
        named[name] = Window(name);
        HideInFront();
      }
    } else if (verb == "hide") {
      HideInFront();
    } else if (verb == "hidenow") {  // the same without the hotkey, the panel in sight
      panel().HideWindowInFront();
    } else if (verb == "all") {  // all [<answer>]
      desktop.passwordAnswers.clear();
      if (!a.empty()) desktop.passwordAnswers = {Answer(a)};
      PressTicks({{kLCtrl}, {kSpace}});
    } else if (verb == "fake") {
      PressTicks({{kLCtrl}, {'K'}});
    } else if (verb == "click") {  // click <icon> [<answer>]: a double-click
      desktop.passwordAnswers = {Answer(b.empty() ? "417" : b)};
      panel().IconDoubleClicked(std::stoll(a));
    } else if (verb == "arm") {
      panel().Clicked(ControlId::startButton);
    } else if (verb == "end") {  // the session ends
      panel().Unload();
    } else if (verb == "kill") {
      session.Kill();
    } else if (verb == "killat") {  // killat <n>: the process dies at its n-th change of the world
      desktop.killAt = number();
    } else if (verb == "second") {  // second [<answer>]: Nookshade started again
      desktop.passwordAnswers = {Answer(a.empty() ? "417" : a)};
      sim::SimSession second(desktop);
      const int wakes = desktop.wakes;
      second.Start();
      EXPECT_FALSE(second.Running());
      if (desktop.wakes > wakes) panel().AnotherStart();
    } else if (verb == "pick") {  // pick <row> <name>
      PickFakeWork(number(), window(b));
    } else if (verb == "reset") {  // reset <row>: the row's reset button
      panel().Clicked(
          static_cast<ControlId>(static_cast<int>(ControlId::resetFakeWork1) + number() - 1));
    } else if (verb == "shellrestart") {  // shellrestart <n>: it refuses the next n icons
      desktop.trayIcons.clear();
      desktop.failTrayAdds = number();
      panel().ShellRestarted();
    } else if (verb == "refuse") {  // refuse <n>: the shell refuses the next n icons
      desktop.failTrayAdds = number();
    } else if (verb == "seconds") {  // seconds <n>: the icon retry timer fires so often
      for (int i = 0; i < number(); ++i) desktop.FireTimer(TimerId::TrayRetry);
    } else if (verb == "unwritable") {  // the recovery journal cannot be written
      desktop.failSetString["software\\nookshade pro\\recovery"] = 5;
    } else if (verb == "busy") {  // every prompt and message of ours gets every hotkey pressed
      desktop.whilePasswordPromptOpen = pressEverything;
      desktop.whileMessageBoxOpen = [pressEverything](const auto&) { pressEverything(); };
    } else if (verb == "endinprompt") {  // the session ends while a prompt waits
      desktop.whilePasswordPromptOpen = [this] { panel().Unload(); };
    } else {
      ADD_FAILURE() << "no such step: " << verb;
    }
  }
};

// A table's case told as a story.
struct Story {
  const char* name;
  const char* steps;
  const char* outcome;
};

class StoryTest : public SimTest, public ::testing::WithParamInterface<Story> {};

}  // namespace nookshade::test
