#pragma once
// The four option boxes. Each stores its value on every change; the login
// option also writes or deletes the login entry.

#include <array>

#include "model/controls.h"
#include "model/settings.h"
#include "platform/platform.h"

namespace nookshade {

class Options {
 public:
  Options(CheckBox& launchFakeWork, CheckBox& autoStart, CheckBox& loginStart,
          CheckBox& noNotification, Platform& platform);
  Options(const Options&) = delete;
  Options& operator=(const Options&) = delete;

  // Reads the four stored values into the boxes, in their fixed order.
  void Load();

 private:
  struct Option {
    CheckBox& box;
    SettingKey setting;
    int defaultValue;
  };
  void Clicked(const Option& option);

  Platform& platform_;
  std::array<Option, 4> options_;
};

}  // namespace nookshade
