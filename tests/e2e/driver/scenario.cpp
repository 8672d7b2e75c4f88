#include "scenario.h"

#include <algorithm>

#include "registry_access.h"
#include "text.h"

namespace e2e {
namespace {

// A key pressed right after the foreground window changed may reach the
// program as released while it is still held.
constexpr DWORD kFocusSettleMs = 250;
// The key state the program polls is refreshed every 50 ms at most.
constexpr DWORD kKeyHoldMs = 100;
constexpr DWORD kHotkeyHoldMs = 250;

}  // namespace

// Right Ctrl, as the extended key: Wine marks a press only on the code of
// the left or right key itself, not on the generic Ctrl, and the program
// reads only the right one as Ctrl.
void PressHotkey(HWND target, WORD key) {
  BringToFront(target);
  Sleep(kFocusSettleMs);
  KeyDown(VK_RCONTROL, true);
  Sleep(kKeyHoldMs);
  KeyDown(key);
  Sleep(kHotkeyHoldMs);
  KeyUp(key);
  KeyUp(VK_RCONTROL, true);
}

bool AllVisible(std::span<const HWND> windows, bool visible) {
  return std::all_of(windows.begin(), windows.end(),
                     [&](HWND w) { return (IsWindowVisible(w) != FALSE) == visible; });
}

std::string Visibility(std::span<const HWND> windows) {
  std::string shown;
  for (HWND w : windows) shown += IsWindowVisible(w) ? '+' : '-';
  return "windows shown (+) and hidden (-): " + shown + ", " + std::to_string(TrayIcons().size()) +
         " tray icons";
}

std::unique_ptr<App> Launch(Checker& check, const Context& context, const std::wstring& exe) {
  (void)context;
  std::string error;
  std::unique_ptr<App> app = App::Start(exe, error);
  if (!check.Check("starts", app != nullptr, error)) return nullptr;
  if (!check.Check("panel_created", app->WaitForPanel(kStartDeadlineMs) != nullptr,
                   app->Running() ? "no window of class NookshadePanel"
                                  : "the process ended without a panel")) {
    return nullptr;
  }
  return app;
}

std::unique_ptr<App> Launch(Checker& check, const Context& context) {
  return Launch(check, context, context.exe);
}

bool ExpectPanelVisible(Checker& check, App& app, bool visible) {
  const bool ok = WaitUntil([&] { return (IsWindowVisible(app.panel()) != FALSE) == visible; });
  return check.Check(visible ? "panel_visible" : "panel_hidden", ok,
                     visible ? "the panel stayed hidden" : "the panel stayed visible");
}

bool ExpectText(Checker& check, const std::string& name, HWND control,
                const std::wstring& expected) {
  if (control == nullptr) return check.Check(name, false, "control not found");
  std::optional<std::wstring> seen;
  const bool ok = WaitUntil([&] {
    seen = ReadText(control);
    return seen == expected;
  });
  return check.Check(name, ok, Mismatch(expected, seen));
}

namespace {

std::string CheckName(std::optional<LRESULT> state) {
  if (!state) return "(no answer)";
  switch (*state) {
    case BST_UNCHECKED:
      return "unchecked";
    case BST_CHECKED:
      return "checked";
    case BST_INDETERMINATE:
      return "grayed";
    default:
      return std::to_string(*state);
  }
}

}  // namespace

bool ExpectCheck(Checker& check, const std::string& name, HWND button, LRESULT expected) {
  if (button == nullptr) return check.Check(name, false, "control not found");
  std::optional<LRESULT> seen;
  const bool ok = WaitUntil([&] {
    seen = CheckState(button);
    return seen == expected;
  });
  return check.Check(name, ok, "expected " + CheckName(expected) + ", got " + CheckName(seen));
}

bool ExpectValue(Checker& check, const std::string& name, const std::wstring& key,
                 const std::wstring& valueName, const std::optional<std::wstring>& expected) {
  std::optional<std::wstring> seen;
  const bool ok = WaitUntil([&] {
    seen = ReadString(key, valueName);
    return seen == expected;
  });
  return check.Check(
      name, ok,
      "expected " + ShownOrAbsent(expected) + ", got " + ShownOrAbsent(seen) + " in " + Utf8(key));
}

bool ExpectSetting(Checker& check, const std::string& name, const std::wstring& section,
                   const std::wstring& key, const std::optional<std::wstring>& expected) {
  return ExpectValue(check, name, SettingsKey(section), key, expected);
}

bool ExpectShownAndStored(Checker& check, const std::string& name, HWND control,
                          const std::wstring& key, const std::wstring& expected) {
  const bool shown = ExpectText(check, name, control, expected);
  return ExpectSetting(check, name + "_stored", kSavedData, key, expected) && shown;
}

bool CheckMessageBox(Checker& check, const std::string& name,
                     const std::optional<MessageBoxView>& box, const std::wstring& title,
                     const std::wstring& text) {
  if (!check.Check(name + ".shown", box.has_value(), "no message box appeared")) return false;
  bool ok = check.Check(name + ".title", box->caption == title, Mismatch(title, box->caption));
  ok = check.Check(name + ".text", box->text == text, Mismatch(text, box->text)) && ok;
  ok =
      check.Check(name + ".dismissed", DismissMessageBox(box->window), "OK did not close it") && ok;
  return ok;
}

bool ExpectMessageBox(Checker& check, const std::string& name, App& app, const std::wstring& title,
                      const std::wstring& text) {
  return CheckMessageBox(check, name, WaitForMessageBox(app.pid(), kUiDeadlineMs), title, text);
}

bool ExpectNoMessageBox(Checker& check, const std::string& name, App& app) {
  const bool synced = Sync(app.panel()) && Sync(app.panel());
  const auto boxes = MessageBoxes(app.pid());
  std::string detail = synced ? "" : "the panel did not answer; ";
  if (!boxes.empty()) {
    const auto box = WaitForMessageBox(app.pid(), 0);
    detail +=
        "unexpected box " + Shown(box ? box->caption : L"") + ": " + Shown(box ? box->text : L"");
    for (HWND open : boxes) DismissMessageBox(open);
  }
  return check.Check(name, synced && boxes.empty(), detail);
}

bool FocusByClick(Checker& check, const std::string& name, App& app, HWND control) {
  if (control == nullptr) return check.Check(name, false, "control not found");
  if (!BringToFront(app.panel()))
    return check.Check(name, false, "the panel did not come to the front");
  if (!MouseClick(control))
    return check.Check(name, false, "the pointer did not reach the control");
  return check.Check(name, WaitForFocus(control), "the control did not get the keyboard focus");
}

void Screenshot(Checker& check, const Context& context, const std::wstring& name) {
  if (context.syncDir.empty()) return;
  const std::wstring ready = context.syncDir + L"\\" + name + L"-ready";
  const std::wstring done = context.syncDir + L"\\" + name + L"-shot-done";
  HANDLE marker = CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  const bool shot =
      marker != INVALID_HANDLE_VALUE &&
      WaitUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000);
  check.Check("screenshot_taken", shot, "no answer from the screenshot taker");
}

}  // namespace e2e
