// Going into the tray (the Start button, its menu item, the automatic
// start) and coming back through the password prompt.

#include "expected_texts.h"
#include "hiding/tray_icons.h"
#include "platform/win32/resource_ids.h"
#include "registry_access.h"
#include "scenario.h"
#include "text.h"

namespace e2e {
namespace {

constexpr wchar_t kPromptCaption[] = L"Enter Password";

std::wstring Notification(const std::wstring& hotkey) {
  return L"Nookshade is now running in your Taskbar Tray. Double click on it to re-open Nookshade."
         L"\r\n\r\n"
         L"Applications you hide are also minimized to your taskbar tray. You are now protected "
         L"with Nookshade."
         L"\r\n\r\n"
         L"Reminder: Press " +
         hotkey + L" to hide a window";
}

// The double-click that the shell reports for the tray icon of a slot.
bool DoubleClickTrayIcon(App& app, int slot) {
  return PostMessageW(app.panel(), nookshade::kTrayCallbackMessage, static_cast<WPARAM>(slot),
                      WM_LBUTTONDBLCLK) != 0;
}

HWND WaitForPrompt(App& app) {
  HWND prompt = nullptr;
  WaitUntil([&] {
    prompt = FindTopLevel(app.pid(), nullptr, kPromptCaption, true);
    return prompt != nullptr;
  });
  return prompt;
}

// Answers the prompt and waits until it has gone and the program has acted
// on the answer.
bool Answer(App& app, HWND prompt, int button) {
  HWND target = GetDlgItem(prompt, button);
  if (target == nullptr) target = FindChild(prompt, L"Button", button == IDOK ? L"OK" : L"Cancel");
  if (!Click(target)) return false;
  return WaitUntil([&] { return !IsWindow(prompt); }) && Sync(app.panel()) && Sync(app.panel());
}

// The panel in the tray: hidden, and its icon added to the tray. The icon
// comes last, so from then on the panel's slot is taken.
bool WaitForPanelInTray(App& app, int iconsBefore) {
  return WaitUntil(
      [&] { return !IsWindowVisible(app.panel()) && TrayIconCount() == iconsBefore + 1; });
}

std::string TrayState(App& app, int expectedIcons) {
  return std::string("panel ") + (IsWindowVisible(app.panel()) ? "visible" : "hidden") + ", " +
         std::to_string(TrayIconCount()) + " tray icons (expected " +
         std::to_string(expectedIcons) + ")";
}

bool WaitForTrayIcons(int count) {
  return WaitUntil([&] { return TrayIconCount() == count; });
}

}  // namespace

void RunStartButton(const Context& context) {
  Checker check(context.report, "start_button");
  if (!check.Check("registry_cleared", ForgetSettings(), "could not delete the settings")) return;
  {
    // Refused while the hide-a-window hotkey is blank.
    auto app = Launch(check, context);
    if (!app) return;
    if (!ExpectPanelVisible(check, *app, true)) return;
    Click(app->Control(ControlId::Command3));
    ExpectText(check, "refused.Text2_empty", app->Control(ControlId::Text2), L"");
    Click(app->Control(ControlId::Command2));
    ExpectMessageBox(check, "refused.message", *app, L"Nookshade PRO",
                     L"The hotkeys have not been set");
    check.Check("refused.panel_stays", Sync(app->panel()) && IsWindowVisible(app->panel()),
                "the panel went away although arming was refused");
  }
  if (!check.Check("registry_cleared_again", ForgetSettings(), "could not delete the settings"))
    return;
  {
    auto app = Launch(check, context);
    if (!app) return;
    if (!ExpectPanelVisible(check, *app, true)) return;
    if (!ExpectText(check, "armed.loaded", app->Control(ControlId::Text2), L"(Ctrl)h")) return;
    const int icons = TrayIconCount();
    Click(app->Control(ControlId::Command2));
    const auto box = WaitForMessageBox(app->pid(), kUiDeadlineMs);
    // The panel is already in the tray while the notification is open.
    check.Check("armed.in_tray_before_ok", WaitForPanelInTray(*app, icons),
                TrayState(*app, icons + 1));
    CheckMessageBox(check, "armed.notification", box, kPanelCaption, Notification(L"(Ctrl)h"));
    check.Check("armed.stays_in_tray", Sync(app->panel()) && WaitForPanelInTray(*app, icons),
                TrayState(*app, icons + 1));
    PostMessageW(app->panel(), WM_CLOSE, 0, 0);
    check.Check("armed.close_ends_process", app->WaitForExit(kExitDeadlineMs), "still running");
    check.Check("armed.close_removes_icon", WaitForTrayIcons(icons),
                std::to_string(TrayIconCount()) + " tray icons, expected " + std::to_string(icons));
  }
  {
    // The menu item does the same; with "Note" on there is no message.
    const bool prepared = WriteString(SettingsKey(kStartup), L"Note", L"1");
    if (!check.Check("quiet.registry_prepared", prepared, "could not store the option")) return;
    auto app = Launch(check, context);
    if (!app) return;
    if (!ExpectPanelVisible(check, *app, true)) return;
    ExpectCheck(check, "quiet.Check4", app->Control(ControlId::Check4), BST_CHECKED);
    const int icons = TrayIconCount();
    PostCommand(app->panel(), static_cast<int>(ControlId::mnuStartNookshade));
    check.Check("quiet.in_tray", WaitForPanelInTray(*app, icons), TrayState(*app, icons + 1));
    ExpectNoMessageBox(check, "quiet.no_message", *app);
  }
}

void RunPasswordPrompt(const Context& context) {
  Checker check(context.report, "password_prompt");
  const bool prepared = ForgetSettings() && WriteString(SettingsKey(kStartup), L"Auto", L"1");
  if (!check.Check("registry_prepared", prepared, "could not store the option")) return;
  const int icons = TrayIconCount();
  auto app = Launch(check, context);
  if (!app) return;
  // The option is read (and stored back) while loading; the first activation
  // then sends the panel to slot 0 of the tray without any message.
  ExpectSetting(check, "auto.stored", kStartup, L"Auto", L"1");
  if (!check.Check("auto.in_tray", WaitForPanelInTray(*app, icons), TrayState(*app, icons + 1))) {
    return;
  }
  ExpectNoMessageBox(check, "auto.no_message", *app);

  struct Attempt {
    const char* name;
    const wchar_t* typed;
    int button;
    bool unlocks;
  };
  const Attempt attempts[] = {
      {"wrong", L"418", IDOK, false},
      {"trailing_blank", L"417 ", IDOK, false},
      {"cancel", L"417", IDCANCEL, false},
      {"right", L"417", IDOK, true},
  };
  for (const Attempt& attempt : attempts) {
    const std::string name = attempt.name;
    DoubleClickTrayIcon(*app, 0);
    HWND prompt = WaitForPrompt(*app);
    if (!check.Check(name + ".prompt_shown", prompt != nullptr, "no \"Enter Password\" window"))
      return;
    HWND field = GetDlgItem(prompt, IDC_PASSW);
    check.Check(name + ".prompt_topmost", IsTopmost(prompt), "the prompt is not topmost");
    ExpectText(check, name + ".label", GetDlgItem(prompt, IDC_PWLABEL),
               L"Enter Password to Unlock Window");
    ExpectText(check, name + ".field_empty", field, L"");
    check.Check(name + ".field_masked", field != nullptr && HasStyle(field, ES_PASSWORD),
                "the typed password would be readable");
    if (attempt.unlocks) {
      // Typed as a user types it.
      BringToFront(prompt);
      check.Check(name + ".field_focused", WaitForFocus(field), "the password field has no focus");
      const std::wstring typed = attempt.typed;
      for (std::size_t n = 1; n <= typed.size(); ++n) {
        PressUntil(static_cast<WORD>(typed[n - 1]),
                   [&] { return ReadText(field) == typed.substr(0, n); });
      }
      ExpectText(check, name + ".typed", field, typed);
    } else {
      WriteText(field, attempt.typed);
    }
    check.Check(name + ".answered", Answer(*app, prompt, attempt.button),
                "the prompt did not close");
    if (attempt.unlocks) {
      ExpectPanelVisible(check, *app, true);
      check.Check(name + ".icon_removed", WaitForTrayIcons(icons), TrayState(*app, icons));
    } else {
      check.Check(name + ".stays_in_tray",
                  !IsWindowVisible(app->panel()) && TrayIconCount() == icons + 1,
                  TrayState(*app, icons + 1));
    }
  }
  ExpectNoMessageBox(check, "no_message_box", *app);
  PostMessageW(app->panel(), WM_CLOSE, 0, 0);
  check.Check("close_ends_process", app->WaitForExit(kExitDeadlineMs), "still running");
}

}  // namespace e2e
