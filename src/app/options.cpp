#include "app/options.h"

#include <string>

#include "app/login_entry.h"

namespace nookshade {

Options::Options(CheckBox& launchFakeWork, CheckBox& autoStart, CheckBox& loginStart,
                 CheckBox& noNotification, Platform& platform)
    : platform_(platform),
      options_{{
          {launchFakeWork, setting::kLaunchFakeWork, 1},
          {autoStart, setting::kAutoStart, 0},
          {loginStart, setting::kLoginStart, 0},
          {noNotification, setting::kNoNotification, 0},
      }} {
  for (Option& option : options_) option.box.onClick = [this, &option] { Clicked(option); };
}

void Options::Load() {
  for (Option& option : options_) {
    option.box.SetValue(
        ParseOptionValue(GetSetting(platform_.registry, kAppName, option.setting.section,
                                    option.setting.key, std::to_string(option.defaultValue))));
  }
}

void Options::Clicked(const Option& option) {
  if (!SaveSetting(platform_.registry, kAppName, option.setting.section, option.setting.key,
                   std::to_string(option.box.Value()))) {
    platform_.system.Log("An option could not be stored; it holds until Nookshade ends.");
  }
  if (option.setting.key == setting::kLoginStart.key) {
    const std::string program = platform_.system.ModulePath();
    SetLoginStart(platform_, LoginEntryName(program), program, option.box.Value() == 1);
  }
}

}  // namespace nookshade
