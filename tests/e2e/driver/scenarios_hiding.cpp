// Hiding other programs' windows on the hotkeys, one into its own tray icon
// or all at once, and getting them back with the password. The windows
// belong to a second process (test_windows.cpp).

#include "registry_access.h"
#include "scenario.h"

namespace e2e {
namespace {

// Cancel is answered at fakework's second start.
constexpr PromptAnswer kAnswers[] = {
    {"wrong", L"418", IDOK, false},
    {"right", L"417", IDOK, true},
};

}  // namespace

void RunHiding(const Context& context) {
  Checker check(context.report, "hiding");
  // The fake-work hotkey is empty: if an empty hotkey matched, it would
  // swallow the Ctrl press of every other hotkey.
  const bool prepared = ForgetSettings() && WriteString(SettingsKey(kSavedData), L"HKfw", L"") &&
                        WriteString(SettingsKey(kStartup), L"Note", L"1");
  if (!check.Check("registry_prepared", prepared, "could not store the settings")) return;
  auto windows = StartTestWindows(check);
  if (!windows) return;
  auto app = Launch(check, context);
  if (!app || !ExpectPanelVisible(check, *app, true)) return;
  const std::span<const HWND> titled = windows->titled;
  const auto icons = TrayIcons();

  // A press while the panel is shown is not acted on, not even once the
  // panel has gone into the tray and the hotkeys are live.
  PressHotkey(titled[0], 'H');
  Click(app->Control(nookshade::ControlId::startButton));
  if (ExpectInTray(check, "armed", app->panel(), icons) == nullptr) return;
  check.Check("ignored_while_panel_shown", Keeps([&] {
                return IsWindowVisible(titled[0]) && TrayIcons().size() == icons.size() + 1;
              }),
              Visibility(titled.first(1)));

  auto before = TrayIcons();
  PressHotkey(titled[0], 'H');
  HWND icon = ExpectInTray(check, "hotkey_hides", titled[0], before);
  if (icon == nullptr) return;
  Screenshot(check, context, L"hidden");
  for (const PromptAnswer& answer : kAnswers) {
    HWND prompt = OpenPromptFromIcon(check, answer.name, *app, icon);
    if (prompt == nullptr) return;
    AnswerPrompt(check, *app, prompt, answer, icon, titled.first(1));
  }

  // Shell windows, such as Wine's own tray, are never hidden one by one;
  // hide-all takes that tray too, as it is visible and titled. Its keys go
  // to the untitled window, which stays in front throughout.
  HWND wineTray = FindWindowW(kWineTrayClass, nullptr);
  PressHotkey(wineTray, 'H');
  ExpectMessageBox(check, "shell_window", *app, L"Nookshade", L"Not Valid window");
  std::vector<HWND> hidden(titled.begin(), titled.end());
  hidden.push_back(wineTray);
  const HWND untouched[] = {windows->untitled, windows->owned, windows->child};
  Checker all(context.report, "hiding.all");
  before = TrayIcons();
  PressHotkey(windows->untitled, VK_SPACE);
  all.Check("hotkey_hides_titled", WaitUntil([&] { return AllVisible(hidden, false); }),
            Visibility(hidden));
  all.Check("leaves_untitled_owned_child",
            Sync(app->panel()) && AllVisible(untouched, true) && TrayIcons() == before,
            Visibility(untouched));
  for (const PromptAnswer& answer : kAnswers) {
    PressHotkey(windows->untitled, VK_SPACE);
    HWND prompt = WaitForPrompt(all, answer.name, *app);
    if (prompt == nullptr) return;
    AnswerPrompt(all, *app, prompt, answer, nullptr, hidden);
  }

  // Ten slots beside the panel's.
  for (HWND window : titled.first(10)) {
    before = TrayIcons();
    PressHotkey(window, 'H');
    WaitUntil([&] { return !IsWindowVisible(window) && TrayIcons().size() == before.size() + 1; });
  }
  check.Check("ten_hidden",
              AllVisible(titled.first(10), false) && TrayIcons().size() == icons.size() + 11,
              Visibility(titled));
  PressHotkey(titled[10], 'H');
  const auto box = WaitForMessageBox(app->pid(), kUiDeadlineMs);
  // While the program's message box is open, its hotkeys rest.
  PressHotkey(titled[10], 'H');
  check.Check(
      "quota_full.keys_ignored_while_open",
      Keeps([&] { return MessageBoxes(app->pid()).size() == 1 && IsWindowVisible(titled[10]); }),
      std::to_string(MessageBoxes(app->pid()).size()) + " boxes open; " + Visibility(titled));
  CheckMessageBox(check, "quota_full", box, L"Nookshade", L"Sorry, quota full!!");
  check.Check("quota_full.not_after_closing",
              Keeps([&] { return MessageBoxes(app->pid()).empty(); }), "a second box opened");

  // Closing gives back what hide-all and the slots hid, and the icons go.
  PressHotkey(windows->untitled, VK_SPACE);
  const bool allHidden = WaitUntil([&] { return AllVisible(titled, false); });
  PostMessageW(app->panel(), WM_CLOSE, 0, 0);
  const bool ended = app->WaitForExit(kExitDeadlineMs);
  check.Check("close_shows_all", allHidden && ended && WaitUntil([&] {
                                   return AllVisible(titled, true) &&
                                          TrayIcons().size() == icons.size();
                                 }),
              std::string(allHidden ? "" : "hide-all did not hide the last one; ") +
                  (ended ? "" : "still running; ") + Visibility(titled));
}

}  // namespace e2e
