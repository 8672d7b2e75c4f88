// The panel as it loads: captions, fields and options from the stored
// settings (or their defaults) and what loading writes back.

#include <array>

#include "expected_texts.h"
#include "registry_access.h"
#include "scenario.h"
#include "text.h"

namespace e2e {
namespace {

struct FieldText {
  ControlId id;
  const char* name;
  const wchar_t* text;
};

struct BoxState {
  ControlId id;
  const char* name;
  LRESULT state;
};

struct StoredValue {
  const wchar_t* section;
  const wchar_t* key;
  std::optional<std::wstring> value;  // nothing: absent
};

void ExpectFields(Checker& check, App& app, std::span<const FieldText> fields) {
  for (const FieldText& field : fields) {
    ExpectText(check, std::string("field.") + field.name, app.Control(field.id), field.text);
  }
}

void ExpectBoxes(Checker& check, App& app, std::span<const BoxState> boxes) {
  for (const BoxState& box : boxes) {
    ExpectCheck(check, std::string("option.") + box.name, app.Control(box.id), box.state);
  }
}

void ExpectStored(Checker& check, std::span<const StoredValue> values) {
  for (const StoredValue& value : values) {
    ExpectSetting(check, "stored." + Utf8(value.key), value.section, value.key, value.value);
  }
}

bool Seed(Checker& check, std::span<const StoredValue> values) {
  bool ok = ForgetSettings();
  for (const StoredValue& value : values) {
    ok = WriteString(SettingsKey(value.section), value.key, *value.value) && ok;
  }
  return check.Check("registry_prepared", ok, "could not write the stored settings");
}

}  // namespace

void RunFirstRun(const Context& context) {
  Checker check(context.report, "first_run");
  if (!check.Check("registry_cleared", ForgetSettings(), "could not delete the settings")) return;
  auto app = Launch(check, context);
  if (!app) return;
  if (!ExpectPanelVisible(check, *app, true)) return;
  HWND panel = app->panel();
  const auto caption = ReadText(panel);
  check.Check("caption", caption == kPanelCaption, Mismatch(kPanelCaption, caption));
  check.Check("topmost", IsTopmost(panel), "the panel is not kept above other windows");
  // The first activation puts the caret into the password field.
  check.Check("focus_in_password", WaitForFocus(app->Control(ControlId::password)),
              "the keyboard focus is not in the password field");

  for (const ControlCaption& expected : PanelCaptions()) {
    HWND control = app->Control(expected.id);
    const std::string name = std::string("caption.") + expected.name;
    if (!ExpectText(check, name, control, expected.text)) continue;
    check.Check(name + ".visible", IsWindowVisible(control) != FALSE, "the control is hidden");
  }
  const FieldText fields[] = {
      {ControlId::hideWindowHotkey, "hideWindowHotkey", L"(Ctrl)h"},
      {ControlId::hideAllHotkey, "hideAllHotkey", L"(Ctrl)(Space)"},
      {ControlId::fakeWorkHotkey, "fakeWorkHotkey", L"(Ctrl)k"},
      {ControlId::password, "password", L"417"},
      {ControlId::fakeWork1, "fakeWork1", kFakeWorkPlaceholder},
      {ControlId::fakeWork2, "fakeWork2", kFakeWorkPlaceholder},
      {ControlId::fakeWork3, "fakeWork3", kFakeWorkPlaceholder},
  };
  ExpectFields(check, *app, fields);
  const BoxState boxes[] = {
      {ControlId::showFakeWorkWithHideAll, "showFakeWorkWithHideAll", BST_CHECKED},
      {ControlId::autoStart, "autoStart", BST_UNCHECKED},
      {ControlId::loginStart, "loginStart", BST_UNCHECKED},
      {ControlId::noNotification, "noNotification", BST_UNCHECKED},
  };
  ExpectBoxes(check, *app, boxes);
  const StoredValue stored[] = {
      {kSavedData, L"HKn", L"(Ctrl)h"},        {kSavedData, L"HKa", L"(Ctrl)(Space)"},
      {kSavedData, L"HKfw", L"(Ctrl)k"},       {kSavedData, L"LFW", L"1"},
      {kSavedData, L"Password", std::nullopt}, {kStartup, L"Auto", std::nullopt},
      {kStartup, L"Login", std::nullopt},      {kStartup, L"Note", std::nullopt},
  };
  ExpectStored(check, stored);
  ExpectValue(check, "no_login_entry", kRunKey, L"nookshade", std::nullopt);
  ExpectNoMessageBox(check, "no_message_box", *app);
  Screenshot(check, context, L"panel");
}

void RunStoredValues(const Context& context) {
  Checker check(context.report, "stored_values");
  const StoredValue seeded[] = {
      {kSavedData, L"HKn", L"(Alt)x"}, {kSavedData, L"HKa", L"(Shift)y"},
      {kSavedData, L"HKfw", L""},      {kSavedData, L"Password", L"secret"},
      {kSavedData, L"LFW", L"0"},      {kStartup, L"Note", L"1"},
      {kStartup, L"Login", L"2"},
  };
  if (!Seed(check, seeded)) return;
  // A grayed login option counts as off, so loading must remove a stale entry.
  WriteString(kRunKey, L"nookshade", L"\"C:\\old place\\nookshade.exe\"");
  auto app = Launch(check, context);
  if (!app) return;
  ExpectPanelVisible(check, *app, true);
  const FieldText fields[] = {
      {ControlId::hideWindowHotkey, "hideWindowHotkey", L"(Alt)x"},
      {ControlId::hideAllHotkey, "hideAllHotkey", L"(Shift)y"},
      {ControlId::fakeWorkHotkey, "fakeWorkHotkey", L""},
      {ControlId::password, "password", L"secret"},
  };
  ExpectFields(check, *app, fields);
  const BoxState boxes[] = {
      {ControlId::showFakeWorkWithHideAll, "showFakeWorkWithHideAll", BST_UNCHECKED},
      {ControlId::autoStart, "autoStart", BST_UNCHECKED},
      {ControlId::loginStart, "loginStart", BST_INDETERMINATE},
      {ControlId::noNotification, "noNotification", BST_CHECKED},
  };
  ExpectBoxes(check, *app, boxes);
  const StoredValue stored[] = {
      {kSavedData, L"HKn", L"(Alt)x"}, {kSavedData, L"HKa", L"(Shift)y"},
      {kSavedData, L"HKfw", L""},      {kSavedData, L"Password", L"secret"},
      {kSavedData, L"LFW", L"0"},      {kStartup, L"Note", L"1"},
      {kStartup, L"Login", L"2"},      {kStartup, L"Auto", std::nullopt},
  };
  ExpectStored(check, stored);
  ExpectValue(check, "stale_login_entry_removed", kRunKey, L"nookshade", std::nullopt);
  ExpectNoMessageBox(check, "no_message_box", *app);
}

void RunStoredDuplicates(const Context& context) {
  Checker check(context.report, "stored_duplicate");
  // The fake-work default equals the stored hide-a-window hotkey, and the
  // stored password is empty.
  const StoredValue seeded[] = {
      {kSavedData, L"HKn", L"(Ctrl)k"},
      {kSavedData, L"Password", L""},
  };
  if (!Seed(check, seeded)) return;
  auto app = Launch(check, context);
  if (!app) return;
  ExpectMessageBox(check, "load_message", *app, kDuplicateTitle, kDuplicateFakeWorkHotkey);
  ExpectPanelVisible(check, *app, true);
  const FieldText fields[] = {
      {ControlId::hideWindowHotkey, "hideWindowHotkey", L"(Ctrl)k"},
      {ControlId::hideAllHotkey, "hideAllHotkey", L"(Ctrl)(Space)"},
      {ControlId::fakeWorkHotkey, "fakeWorkHotkey", L""},
      {ControlId::password, "password", kNoPassword},
  };
  ExpectFields(check, *app, fields);
  const StoredValue stored[] = {
      {kSavedData, L"HKn", L"(Ctrl)k"},
      {kSavedData, L"HKa", L"(Ctrl)(Space)"},
      {kSavedData, L"HKfw", L""},
      {kSavedData, L"Password", kNoPassword},
  };
  ExpectStored(check, stored);
  ExpectNoMessageBox(check, "no_second_message_box", *app);
}

}  // namespace e2e
