// Going into the tray (the Start button, its menu item, the automatic
// start) and coming back through the password prompt.

#include <algorithm>

#include "expected_texts.h"
#include "win32/resource_ids.h"
#include "registry_access.h"
#include "scenario.h"
#include "text.h"

namespace e2e {
namespace {

std::wstring Notification(const std::wstring& hotkey) {
  return L"Nookshade is now running in your Taskbar Tray. Double click on it to re-open Nookshade."
         L"\r\n\r\n"
         L"Applications you hide are also minimized to your taskbar tray. You are now protected "
         L"with Nookshade."
         L"\r\n\r\n"
         L"Reminder: Press " +
         hotkey + L" to hide a window";
}

}  // namespace

// The icon comes last, so once it is there the slot is taken.
HWND ExpectInTray(Checker& check, const std::string& name, HWND window,
                  const std::vector<HWND>& iconsBefore) {
  HWND icon = nullptr;
  const bool inTray = WaitUntil([&] {
    icon = NewTrayIcon(iconsBefore);
    return icon != nullptr && !IsWindowVisible(window);
  });
  check.Check(name, inTray,
              std::string("window ") + (IsWindowVisible(window) ? "visible" : "hidden") + ", " +
                  std::to_string(TrayIcons().size()) + " tray icons (expected " +
                  std::to_string(iconsBefore.size() + 1) + ")");
  return inTray ? icon : nullptr;
}

HWND WaitForPrompt(Checker& check, const std::string& name, App& app) {
  HWND prompt = nullptr;
  WaitUntil([&] {
    prompt = FindTopLevel(app.pid(), nullptr, L"Enter Password", true);
    return prompt != nullptr;
  });
  check.Check(name + ".prompt_shown", prompt != nullptr, "no \"Enter Password\" window");
  return prompt;
}

HWND OpenPromptFromIcon(Checker& check, const std::string& name, App& app, HWND icon) {
  // On a loaded machine Wine now and then takes the two clicks for two
  // single ones; a user double-clicks again, and so do we, once.
  for (int attempt = 0; attempt < 2; ++attempt) {
    MouseClick(icon, 2);
    const bool shown = WaitUntil(
        [&] { return FindTopLevel(app.pid(), nullptr, L"Enter Password", true) != nullptr; },
        kUiDeadlineMs / 2);
    if (shown) break;
  }
  return WaitForPrompt(check, name, app);
}

void AnswerPrompt(Checker& check, App& app, HWND prompt, const PromptAnswer& answer, HWND icon,
                  std::span<const HWND> hidden) {
  const std::string name = answer.name;
  HWND field = GetDlgItem(prompt, IDC_PASSW);
  if (ReadText(field) != answer.typed) WriteText(field, answer.typed);
  HWND button = GetDlgItem(prompt, answer.button);
  const bool answered = Click(button) && WaitUntil([&] { return !IsWindow(prompt); }) &&
                        Sync(app.panel()) && Sync(app.panel());
  const auto shown = [&] {
    return std::count_if(hidden.begin(), hidden.end(), [](HWND w) { return IsWindowVisible(w); });
  };
  const auto outcome = [&] {
    const bool iconAsExpected = icon == nullptr || TrayIconShown(icon) != answer.unlocks;
    return iconAsExpected && shown() == (answer.unlocks ? std::ssize(hidden) : 0);
  };
  check.Check(name + (answer.unlocks ? ".shown" : ".stays_hidden"),
              answered && (answer.unlocks ? WaitUntil(outcome) : outcome()),
              std::string(answered ? "" : "the prompt did not close; ") + std::to_string(shown()) +
                  " of " + std::to_string(hidden.size()) + " windows shown" +
                  (icon == nullptr       ? ""
                   : TrayIconShown(icon) ? ", icon shown"
                                         : ", icon gone"));
}

void RunStartButton(const Context& context) {
  Checker check(context.report, "start_button");
  if (!check.Check("registry_cleared", ForgetSettings(), "could not delete the settings")) return;
  {
    // Refused while the hide-a-window hotkey is blank.
    auto app = Launch(check, context);
    if (!app) return;
    if (!ExpectPanelVisible(check, *app, true)) return;
    Click(app->Control(ControlId::resetHideWindowHotkey));
    ExpectText(check, "refused.Text2_empty", app->Control(ControlId::hideWindowHotkey), L"");
    Click(app->Control(ControlId::startButton));
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
    if (!ExpectText(check, "armed.loaded", app->Control(ControlId::hideWindowHotkey), L"(Ctrl)h"))
      return;
    const auto icons = TrayIcons();
    Click(app->Control(ControlId::startButton));
    const auto box = WaitForMessageBox(app->pid(), kUiDeadlineMs);
    // The panel is already in the tray while the notification is open.
    ExpectInTray(check, "armed.in_tray_before_ok", app->panel(), icons);
    CheckMessageBox(check, "armed.notification", box, kPanelCaption, Notification(L"(Ctrl)h"));
    Sync(app->panel());
    ExpectInTray(check, "armed.stays_in_tray", app->panel(), icons);
  }
  {
    // The menu item does the same; with "Note" on there is no message.
    const bool prepared = WriteString(SettingsKey(kStartup), L"Note", L"1");
    if (!check.Check("quiet.registry_prepared", prepared, "could not store the option")) return;
    auto app = Launch(check, context);
    if (!app) return;
    if (!ExpectPanelVisible(check, *app, true)) return;
    ExpectCheck(check, "quiet.noNotification", app->Control(ControlId::noNotification),
                BST_CHECKED);
    const auto icons = TrayIcons();
    PostCommand(app->panel(), static_cast<int>(ControlId::menuStart));
    ExpectInTray(check, "quiet.in_tray", app->panel(), icons);
    ExpectNoMessageBox(check, "quiet.no_message", *app);
  }
}

void RunPasswordPrompt(const Context& context) {
  Checker check(context.report, "password_prompt");
  const bool prepared = ForgetSettings() && WriteString(SettingsKey(kStartup), L"Auto", L"1");
  if (!check.Check("registry_prepared", prepared, "could not store the option")) return;
  const auto icons = TrayIcons();
  auto app = Launch(check, context);
  if (!app) return;
  // The option is read (and stored back) while loading; the first activation
  // then sends the panel to slot 0 of the tray without any message.
  ExpectSetting(check, "auto.stored", kStartup, L"Auto", L"1");
  HWND icon = ExpectInTray(check, "auto.in_tray", app->panel(), icons);
  if (icon == nullptr) return;
  ExpectNoMessageBox(check, "auto.no_message", *app);

  // Other wrong answers and Cancel are tried on hidden windows' icons.
  const PromptAnswer answers[] = {
      {"trailing_blank", L"417 ", IDOK, false},
      {"right", L"417", IDOK, true},
  };
  const HWND panel[] = {app->panel()};
  for (const PromptAnswer& answer : answers) {
    const std::string name = answer.name;
    HWND prompt = OpenPromptFromIcon(check, name, *app, icon);
    if (prompt == nullptr) return;
    HWND field = GetDlgItem(prompt, IDC_PASSW);
    ExpectText(check, name + ".field_empty", field, L"");
    if (&answer == answers) {
      // The prompt's look, once.
      check.Check("prompt_topmost", IsTopmost(prompt), "the prompt is not topmost");
      ExpectText(check, "label", GetDlgItem(prompt, IDC_PWLABEL),
                 L"Enter Password to Unlock Window");
      check.Check("field_masked", field != nullptr && HasStyle(field, ES_PASSWORD),
                  "the typed password would be readable");
    }
    if (answer.unlocks) {
      // Typed as a user types it.
      BringToFront(prompt);
      check.Check(name + ".field_focused", WaitForFocus(field), "the password field has no focus");
      const std::wstring typed = answer.typed;
      for (std::size_t n = 1; n <= typed.size(); ++n) {
        PressUntil(static_cast<WORD>(typed[n - 1]),
                   [&] { return ReadText(field) == typed.substr(0, n); });
      }
      ExpectText(check, name + ".typed", field, typed);
    }
    AnswerPrompt(check, *app, prompt, answer, icon, panel);
  }
  ExpectNoMessageBox(check, "no_message_box", *app);
}

}  // namespace e2e
