#include "armed_panel.h"

#include <array>
#include <string>

namespace nookshade::bench {

ArmedPanel::ArmedPanel(std::initializer_list<Setting> settings) {
  const auto store = [this](const SettingKey& key, std::string_view value) {
    desktop.StoreString(SettingPath(kAppName, key.section), std::string(key.key),
                        std::string(value));
  };
  store(setting::kAutoStart, "1");
  store(setting::kPassword, "");
  for (const auto& [key, value] : settings) store(key, value);
  session.Start();
}

void ArmedPanel::Settle() {
  // Longer than the settling time at one millisecond per tick.
  for (int i = 0; i < 200; ++i) Tick();
}

void ArmedPanel::PickFakeWork(int slot, WindowHandle window) {
  static constexpr std::array<ControlId, 3> kBoxes = {ControlId::crosshair1, ControlId::crosshair2,
                                                      ControlId::crosshair3};
  panel().MouseDown(kBoxes[static_cast<std::size_t>(slot)]);
  desktop.pointerWindow = window;
  desktop.FireTimer(TimerId::PickerDrag);
  panel().MouseUp(kBoxes[static_cast<std::size_t>(slot)]);
}

void ArmedPanel::ForgetRecords() {
  desktop.messageBoxes.clear();
}

}  // namespace nookshade::bench
