#pragma once
// A program run on the simulated desktop, told as a story: steps separated by
// ";", each a verb and its words (see Step), as a user, another program or
// the system takes them. The tables of the unit tests and the random runs
// both speak it, so that a failing random run prints a story a table can
// take as it stands.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/settings.h"
#include "sim_session.h"

namespace nookshade::sim {

inline constexpr int kBackspace = 8, kSpace = 32, kLShift = 160, kRShift = 161, kLCtrl = 162,
                     kRCtrl = 163, kLAlt = 164, kRAlt = 165, kLWin = 91;

class World {
  static constexpr int kCrosshair1 = static_cast<int>(ControlId::crosshair1);

 public:
  World() = default;
  World(const World&) = delete;  // the session's callbacks hold `this`
  World& operator=(const World&) = delete;

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
  std::string Text(ControlId field) { return session.onScreen.at(field); }
  // A key down in a hotkey field with the selection given, or else with the
  // caret after its text, where a click right of the text and each key leave it.
  void KeyDown(ControlId field, int key,
               std::optional<std::pair<std::size_t, std::size_t>> selection = std::nullopt) {
    const auto [start, length] =
        selection.value_or(std::pair(panel().FindTextBox(field)->Text().size(), 0));
    panel().KeyDown(field, key, start, length);
  }
  int IconCount() const { return static_cast<int>(desktop.trayIcons.size()); }
  int MessageCount() const { return static_cast<int>(desktop.messageBoxes.size()); }

  // Windows are named by a letter, and so titled; "-" names none, and as an
  // answer cancels the prompt. A kill ends the program where it happens: at
  // the story's own level, since a kill inside a prompt's loop unwinds it.
  void Play(std::string_view story) {
    std::istringstream steps{std::string(story)};
    ++depth_;
    for (std::string step; std::getline(steps, step, ';');) {
      std::istringstream words(step);
      std::string verb, rest;
      std::getline(words >> verb >> std::ws, rest);
      try {
        Step(verb, rest);
      } catch (const Killed&) {
        if (depth_ > 1) {
          --depth_;
          throw;
        }
        session.Kill();
        ++kills;
      }
    }
    --depth_;
  }
  // What a story ends with: the named windows out of sight, the icons in the
  // notification area, the messages, prompts and log lines, whether the
  // panel is in sight, icons still being retried, and the fake-work rows'
  // windows ("-" for none).
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
    count("prompts behind", desktop.promptsBehind);
    count("logged", static_cast<int>(desktop.log.size()));
    if (!session.Running()) return out.empty() ? "none" : out.substr(2);
    // A retry left running would wake the program each second for good.
    if (desktop.TimerRunning(TimerId::TrayRetry)) out += ", retrying icons";
    if (Visible(session.PanelWindow())) {
      out += desktop.Find(session.PanelWindow())->topmost ? ", panel shown" : ", panel shown below";
    }
    for (const ControlId box : session.picturesInHand) {
      out += ", crosshair " + std::to_string(static_cast<int>(box) - kCrosshair1 + 1) + " in hand";
    }
    if (session.crosshairPointer) out += ", crosshair pointer";
    std::string work;
    for (const ControlId row : {ControlId::fakeWork1, ControlId::fakeWork2, ControlId::fakeWork3}) {
      work += Text(row) == kFakeWorkPlaceholder ? "-" : Text(row);
    }
    if (work != "---") out += ", work " + work;
    return out.empty() ? "none" : out.substr(2);
  }

  SimDesktop desktop;
  SimSession session{desktop};
  std::map<std::string, WindowHandle> named;  // the story's windows
  int kills = 0;

 private:
  SimWindow& Of(const std::string& name) { return *desktop.Find(named.at(name)); }
  // A step's words: the first two, the number the first reads as, and all.
  struct Words {
    std::string a, b;
    int n = 0;
    std::string rest;
  };
  void Step(const std::string& verb, const std::string& rest) {
    Words words;
    words.rest = rest;
    std::istringstream(rest) >> words.a >> words.b;
    words.n = std::atoi(words.a.c_str());
    const auto step = steps_.find(verb);
    if (step == steps_.end()) throw std::invalid_argument("no such step: " + verb);
    step->second(words);
  }
  void Open(const std::string& name, const std::string& className) {
    named[name] = Window(name);
    Of(name).className = className;
  }
  // Its handle given to a hidden window of another program ("process"), or
  // of its own program and another class ("class").
  void Reuse(const std::string& name, const std::string& how) {
    desktop.DestroyWindow(named.at(name));
    SimWindow& reused = *desktop.Find(desktop.AddWindow(name, false));
    reused.handle = named.at(name);
    reused.processId = how == "process" ? 777 : 4242;
    reused.className = how == "class" ? "Secret" : "Notepad";
  }
  void Fill(int windows) {
    for (int i = 0; i < windows; ++i) {
      Play(std::string("open ") + static_cast<char>('A' + named.size()) + "; hide");
    }
  }
  static ControlId Crosshair(int row) { return static_cast<ControlId>(kCrosshair1 + row - 1); }
  // Drags the crosshair of a fake-work row onto the window.
  void PickRow(int row, WindowHandle window) {
    panel().MouseDown(Crosshair(row));
    Hover(window);
    panel().MouseUp(Crosshair(row));
  }
  void Hover(WindowHandle window) {
    desktop.pointerWindow = window;
    desktop.FireTimer(TimerId::PickerDrag);
  }
  // The notification area takes the keyboard, as a click on it does.
  void DoubleClickIcon(std::int64_t slot) {
    desktop.SetForeground(0);
    panel().IconDoubleClicked(slot);
  }
  // Nookshade started again: the running one is woken, and answers.
  void SecondStart(const std::string& answer) {
    Answers(answer);
    SimSession second(desktop);
    second.Start();
    if (!second.Running() && desktop.wakes > 0) panel().AnotherStart();
  }
  void Help(int only) {
    const int first = static_cast<int>(ControlId::menuHelpAbout);
    for (int item = first; item <= static_cast<int>(ControlId::menuHelpOptions); ++item) {
      if (only == 0 || item == first + only - 1) panel().Clicked(static_cast<ControlId>(item));
    }
  }
  void Busy(bool held, int icon) {
    desktop.whilePasswordPromptOpen =
        desktop.whileMessageBoxOpen = [this, held, icon, clicked = false]() mutable {
          for (const int key : {kSpace, int{'H'}, int{'K'}}) Chord(key);
          if (icon >= 0 && !std::exchange(clicked, true)) DoubleClickIcon(icon);
          if (!held) return;
          desktop.PressKey(kLCtrl);
          Tick();
          desktop.PressKey('H');
          Tick();
        };
  }
  void ShellRestart(int refusals) {
    Play("traygone " + std::to_string(refusals));
    panel().ShellRestarted();
  }
  void Seconds(int seconds) {
    for (int i = 0; i < seconds; ++i) desktop.FireTimer(TimerId::TrayRetry);
  }
  // A hotkey field by its value's name, and its Reset button.
  static std::pair<ControlId, ControlId> HotkeyField(const std::string& name) {
    if (name == "HKn") return {ControlId::hideWindowHotkey, ControlId::resetHideWindowHotkey};
    if (name == "HKa") return {ControlId::hideAllHotkey, ControlId::resetHideAllHotkey};
    return {ControlId::fakeWorkHotkey, ControlId::resetFakeWorkHotkey};
  }
  static ControlId ResetButton(const std::string& name) {
    if (name.starts_with("HK")) return HotkeyField(name).second;
    return static_cast<ControlId>(static_cast<int>(ControlId::resetFakeWork1) + std::stoi(name) -
                                  1);
  }

  int depth_ = 0;
  // The verbs, made once for the world.
  const std::map<std::string, std::function<void(const Words&)>> steps_ = {
      // set <key>=<value>: a stored setting.
      {"set",
       [this](const Words& w) {
         Set(w.a.substr(0, w.a.find('=')), w.rest.substr(w.a.find('=') + 1));
       }},
      {"start", [this](const Words&) { session.Start(); }},
      {"armed", [this](const Words&) { StartArmed(); }},
      // Other programs' windows. open <name> [<class>]: one in front.
      {"open", [this](const Words& w) { Open(w.a, w.b.empty() ? "Notepad" : w.b); }},
      {"hidden", [this](const Words& w) { named[w.a] = desktop.AddWindow(w.a, false); }},
      {"untitled", [this](const Words& w) { named[w.a] = desktop.AddWindow(""); }},
      // owned <name> <owner>, child <name> <parent>.
      {"owned",
       [this](const Words& w) { named[w.a] = desktop.AddWindow(w.a, true, named.at(w.b)); }},
      {"child",
       [this](const Words& w) { named[w.a] = desktop.AddWindow(w.a, true, 0, named.at(w.b)); }},
      {"ours", [this](const Words& w) { Of(w.a).processId = desktop.ownProcessId; }},
      // Its program has more rights than ours.
      {"refusing", [this](const Words& w) { Of(w.a).refusesHide = true; }},
      {"front", [this](const Words& w) { desktop.SetForeground(w.a == "-" ? 0 : named.at(w.a)); }},
      {"raise", [this](const Words& w) { desktop.Raise(named.at(w.a)); }},
      {"close", [this](const Words& w) { desktop.DestroyWindow(named.at(w.a)); }},
      // The new title is all after the name, its blanks kept.
      {"rename", [this](const Words& w) { Of(w.a).title = w.rest.substr(w.a.size() + 1); }},
      {"shellwindow", [this](const Words& w) { desktop.shellWindow = named.at(w.a); }},
      {"desktopwindow", [this](const Words& w) { desktop.desktopWindow = named.at(w.a); }},
      {"shows",
       [this](const Words& w) { desktop.ShowByItsProgram(named.at(w.a), ShowCommand::Show); }},
      {"hides",
       [this](const Words& w) { desktop.ShowByItsProgram(named.at(w.a), ShowCommand::Hide); }},
      {"reuse", [this](const Words& w) { Reuse(w.a, w.b); }},
      // The user. fill <n>: so many windows more, each hidden into a slot.
      {"fill", [this](const Words& w) { Fill(w.n); }},
      // A hidden each way: A in a slot, B by hide-all, C by the fake work.
      {"everyway",
       [this](const Words&) { Play("fill 1; open B; all; open C; pick 1 C; fake; fake"); }},
      {"hide", [this](const Words&) { Chord('H'); }},
      // The same, without the hotkey.
      {"hidenow", [this](const Words&) { panel().HideWindowInFront(); }},
      // all [<answer>]
      {"all", [this](const Words& w) { Chord(kSpace, w.a); }},
      {"fake", [this](const Words&) { Chord('K'); }},
      // Keys marked as Wine marks them (see SimDesktop::KeyboardMode).
      {"wine", [this](const Words&) { desktop.keyboardMode = SimDesktop::KeyboardMode::Wine; }},
      // hold <code>, release <code>: a key down until let go of.
      {"hold", [this](const Words& w) { desktop.PressKey(w.n); }},
      {"release", [this](const Words& w) { desktop.ReleaseKey(w.n); }},
      // tap <keys>: one a tick.
      {"tap",
       [this](const Words& w) {
         for (const char key : w.a) PressTicks({{key}});
       }},
      // icon <slot> [<answer>]
      {"icon",
       [this](const Words& w) {
         Answers(w.b.empty() ? "417" : w.b);
         DoubleClickIcon(std::stoll(w.a));
       }},
      // type <password>: in the panel.
      {"type", [this](const Words& w) { panel().TextEdited(ControlId::password, w.a); }},
      // arm [menu]: the start button, or the menu's item.
      {"arm",
       [this](const Words& w) {
         panel().Clicked(w.a == "menu" ? ControlId::menuStart : ControlId::startButton);
       }},
      // The panel's shortcut for arming.
      {"ctrl+s", [this](const Words&) { panel().ArmByShortcut(); }},
      // key HKn|HKa|HKfw <code>: a key down in that hotkey field.
      {"key", [this](const Words& w) { KeyDown(HotkeyField(w.a).first, std::stoi(w.b)); }},
      // help [<n>]: every item of the help menu in turn, or only the nth.
      {"help", [this](const Words& w) { Help(w.n); }},
      // pick <row> <name>
      {"pick", [this](const Words& w) { PickRow(w.n, w.b == "-" ? 0 : named.at(w.b)); }},
      // title <row> <text>: typed or pasted into that fake-work row by hand.
      {"title",
       [this](const Words& w) {
         const auto row = static_cast<ControlId>(static_cast<int>(ControlId::fakeWork1) + w.n - 1);
         panel().TextEdited(row, w.rest.substr(w.a.size() + 1));
       }},
      // grab <row>: a crosshair's mouse button down.
      {"grab", [this](const Words& w) { panel().MouseDown(Crosshair(w.n)); }},
      // The pointer onto the window, a crosshair's drag timer let run.
      {"hover", [this](const Words& w) { Hover(named.at(w.a)); }},
      // reset HKn|HKa|HKfw|1|2|3
      {"reset", [this](const Words& w) { panel().Clicked(ResetButton(w.a)); }},
      // The panel's close box.
      {"quit", [this](const Words&) { session.Close(); }},
      // The system. end: the session's end.
      {"end", [this](const Words&) { panel().Unload(); }},
      // inprompt <step>, inmessage <steps>: taken while each password
      // prompt, or each message box, from the next on is open (a message
      // opened by the steps themselves excepted); steps apart by ','.
      {"inprompt",
       [this](const Words& w) {
         desktop.whilePasswordPromptOpen = [this, step = w.rest] { Play(step); };
       }},
      {"inmessage",
       [this](const Words& w) {
         std::string steps = w.rest;
         std::ranges::replace(steps, ',', ';');
         desktop.whileMessageBoxOpen = [this, steps, inside = false]() mutable {
           if (std::exchange(inside, true)) return;
           Play(steps);
           inside = false;
         };
       }},
      {"kill", [this](const Words&) { session.Kill(); }},
      // killat <n>: at the program's n-th change of the world.
      {"killat", [this](const Words& w) { desktop.killAt = w.n; }},
      // second [<answer>]
      {"second", [this](const Words& w) { SecondStart(w.a.empty() ? "417" : w.a); }},
      // busy [held | icon <slot>]: every prompt and message of ours gets every
      // hotkey; with held, the hide-a-window hotkey is still down as it
      // closes; with icon, the first also gets that icon double-clicked.
      {"busy",
       [this](const Words& w) { Busy(w.a == "held", w.a == "icon" ? std::stoi(w.b) : -1); }},
      // shellrestart <n>: the shell, back, refuses n icons; refuse <n>: the next n;
      // traygone <n>: the notification area gone with its icons, unannounced,
      // and the next n icons refused.
      {"shellrestart", [this](const Words& w) { ShellRestart(w.n); }},
      {"traygone",
       [this](const Words& w) {
         desktop.trayIcons.clear();
         desktop.failTrayAdds = w.n;
         ++desktop.trayRestarts;
       }},
      {"refuse", [this](const Words& w) { desktop.failTrayAdds = w.n; }},
      // Raw input cannot be registered (before the first armed tick).
      {"noraw", [this](const Words&) { desktop.rawInputRegisters = false; }},
      // late <ms>: the key state shows each key so late (see SimDesktop::keyStateDelayMs).
      {"late",
       [this](const Words& w) { desktop.keyStateDelayMs = static_cast<std::uint32_t>(w.n); }},
      // Another program takes every press bit (see SimDesktop::pressBitsTaken).
      {"taken", [this](const Words&) { desktop.pressBitsTaken = true; }},
      {"tick", [this](const Words&) { Tick(); }},
      // wait <ms>: time passes with no tick (the timer asleep, or the loop busy).
      {"wait", [this](const Words& w) { desktop.now += static_cast<std::uint32_t>(w.n); }},
      // Ticks until the poll timer sleeps (a thousand at most: where raw input
      // cannot be had it never does).
      {"idle",
       [this](const Words&) {
         for (int i = 0; i < 1000 && desktop.TimerRunning(TimerId::HotkeyPoll); ++i) Tick();
       }},
      // seconds <n>: of the icon retry timer.
      {"seconds", [this](const Words& w) { Seconds(w.n); }},
      {"unwritable",
       [this](const Words&) { desktop.failSetString["software\\nookshade pro\\recovery"] = 5; }},
      {"writable", [this](const Words&) { desktop.failSetString.clear(); }},
  };
};

}  // namespace nookshade::sim
