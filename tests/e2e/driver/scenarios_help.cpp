// The Help menu: each item shows its text and changes nothing else.

#include <array>

#include "expected_texts.h"
#include "registry_access.h"
#include "scenario.h"
#include "text.h"

namespace e2e {
namespace {

std::string ItemName(ControlId id) {
  static constexpr std::array<const char*, 6> kNames = {"menuHelpAbout",    "menuHelpHotkeys",
                                                        "menuHelpPassword", "menuHelpFakeWork",
                                                        "menuHelpStarting", "menuHelpOptions"};
  const auto index =
      static_cast<std::size_t>(static_cast<int>(id) - static_cast<int>(ControlId::menuHelpAbout));
  return index < kNames.size() ? kNames[index] : "menu" + std::to_string(static_cast<int>(id));
}

std::array<std::optional<std::wstring>, 4> StoredHotkeysAndPassword() {
  const std::wstring key = SettingsKey(kSavedData);
  return {ReadString(key, L"HKn"), ReadString(key, L"HKa"), ReadString(key, L"HKfw"),
          ReadString(key, L"LFW")};
}

}  // namespace

void RunHelpMenu(const Context& context) {
  Checker check(context.report, "help");
  if (!check.Check("registry_cleared", ForgetSettings(), "could not delete the settings")) return;
  auto app = Launch(check, context);
  if (!app) return;
  if (!ExpectPanelVisible(check, *app, true)) return;
  // Loading has written its values once the fields show them.
  ExpectText(check, "loaded", app->Control(ControlId::fakeWorkHotkey), L"(Ctrl)k");
  ExpectSetting(check, "loaded_stored", kSavedData, L"LFW", L"1");
  const auto before = StoredHotkeysAndPassword();

  for (const HelpItem& item : HelpItems()) {
    const std::string name = ItemName(item.id);
    if (!check.Check(name + ".chosen", PostCommand(app->panel(), static_cast<int>(item.id)),
                     "could not post the menu command")) {
      continue;
    }
    const auto box = WaitForMessageBox(app->pid(), kUiDeadlineMs);
    CheckMessageBox(check, name, box, kPanelCaption, item.text);
    check.Check(name + ".panel_stays",
                app->Running() && IsWindowVisible(app->panel()) && Sync(app->panel()),
                "the panel is gone after the help text");
  }
  ExpectNoMessageBox(check, "no_other_message_box", *app);
  check.Check("settings_unchanged", StoredHotkeysAndPassword() == before,
              "a help item changed a stored setting");
}

}  // namespace e2e
