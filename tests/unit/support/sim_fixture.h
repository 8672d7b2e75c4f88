#pragma once
// A fresh simulated desktop and one program run per test.

#include <gtest/gtest.h>

#include <cctype>
#include <initializer_list>
#include <optional>
#include <string>

#include "model/settings.h"
#include "sim_session.h"

namespace nookshade::test {

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
  std::optional<std::string> RunEntry(const std::string& name) const {
    return desktop.StoredString("Software\\Microsoft\\Windows\\CurrentVersion\\Run", name);
  }
  Panel& panel() { return session.panel(); }

  // Starts and arms as a user does, with the notification after arming off.
  void StartArmed() {
    Store(setting::kNoNotification, "1");
    session.Start();
    panel().Clicked(ControlId::Command2);
  }
  void Tick() { desktop.FireTimer(TimerId::HotkeyPoll); }
  // Each key goes down in a tick of its own and comes up after it.
  void Type(std::initializer_list<int> keys) {
    for (const int key : keys) {
      desktop.PressKey(key);
      Tick();
      desktop.ReleaseKey(key);
    }
  }

  sim::SimDesktop desktop;
  sim::SimSession session{desktop};
};

}  // namespace nookshade::test
