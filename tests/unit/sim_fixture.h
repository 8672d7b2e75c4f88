#pragma once
// A fresh simulated desktop and one program run per test, with the steps a
// user takes, and tables' case names.

#include <gtest/gtest.h>

#include <cctype>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "model/settings.h"
#include "sim_session.h"

namespace nookshade::test {

inline constexpr int kMouse = 1, kBackspace = 8, kSpace = 32;
inline constexpr int kLShift = 160, kRShift = 161, kLCtrl = 162, kRCtrl = 163, kLAlt = 164,
                     kRAlt = 165, kLWin = 91;

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
  // A modifier held while a key is tapped, as people press hotkeys.
  void Chord(int modifier, int key) { PressTicks({{modifier}, {key}}); }
  void HideInFront() { Chord(kLCtrl, 'H'); }
  void HideAll(std::vector<std::optional<std::string>> answers = {}) {
    desktop.passwordAnswers.assign(answers.begin(), answers.end());
    Chord(kLCtrl, kSpace);
  }
  // A double-click on a slot's icon, answered so.
  void DoubleClickIcon(int slot, std::optional<std::string> answer = "417") {
    desktop.passwordAnswers = {answer};
    panel().IconDoubleClicked(slot);
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
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : desktop.messageBoxes) texts.push_back(box.text);
    return texts;
  }
  int IconCount() const { return static_cast<int>(desktop.trayIcons.size()); }

  sim::SimDesktop desktop;
  sim::SimSession session{desktop};
};

}  // namespace nookshade::test
