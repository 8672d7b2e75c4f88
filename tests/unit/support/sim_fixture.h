#pragma once
// A fresh simulated desktop and one program run per test.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "model/settings.h"
#include "sim_session.h"

namespace nookshade::test {

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

  sim::SimDesktop desktop;
  sim::SimSession session{desktop};
};

}  // namespace nookshade::test
