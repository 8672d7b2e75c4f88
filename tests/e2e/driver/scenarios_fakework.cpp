// Fake work: windows picked with the crosshair, which hide-all leaves in
// sight and the fake-work hotkey shows and hides. Then recovery: what a
// killed run had hidden is back at the next start.

#include <windows.h>
// Needs <windows.h> first.
#include <shellapi.h>

#include <functional>

#include "expected_texts.h"
#include "registry_access.h"
#include "scenario.h"

namespace e2e {
namespace {

constexpr ControlId kFields[] = {ControlId::fakeWork1, ControlId::fakeWork2, ControlId::fakeWork3};
constexpr ControlId kBoxes[] = {ControlId::crosshair1, ControlId::crosshair2,
                                ControlId::crosshair3};
// Enough moves for the program's 50 ms drag tick to see some of the way.
constexpr int kDragSteps = 8;

// Presses on the row's crosshair box and moves onto `target`; once the
// row's field names `window`, runs `held` and lets go.
bool Drag(App& app, int row, POINT target, HWND window, const std::function<void()>& held = {}) {
  if (!MovePointer(Centre(app.Control(kBoxes[row])))) return false;
  MouseButton(true);
  const bool named = MovePointer(target, kDragSteps) && WaitUntil([&] {
                       return ReadText(app.Control(kFields[row])) == ReadText(window);
                     });
  if (named && held) held();
  MouseButton(false);
  return named;
}

HWND Arm(Checker& check, App& app) {
  const auto icons = TrayIcons();
  // Under Wine without a window manager, a click on a panel that is not yet
  // the active window (just started, behind the windows it showed again) is
  // taken by its activation; a user would see it come forward first.
  BringToFront(app.panel());
  MouseClick(app.Control(ControlId::startButton));
  return ExpectInTray(check, "armed", app.panel(), icons);
}

HCURSOR Pointer() {
  CURSORINFO info{};
  info.cbSize = sizeof(info);
  return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

}  // namespace

void RunFakeWork(const Context& context) {
  Checker check(context.report, "fakework");
  const bool prepared = ForgetSettings() && WriteString(SettingsKey(kStartup), L"Note", L"1");
  if (!check.Check("registry_prepared", prepared, "could not store the option")) return;
  auto windows = StartTestWindows(check);
  if (!windows) return;
  auto app = Launch(check, context);
  if (!app || !ExpectPanelVisible(check, *app, true)) return;
  const std::span<const HWND> titled = windows->titled;
  const std::span<const HWND> chosen = titled.first(3);
  const std::wstring journal = SettingsKey(L"Recovery");

  RECT frame{};
  GetWindowRect(titled[0], &frame);
  const POINT titleBar{Centre(titled[0]).x, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 +
                                                GetSystemMetrics(SM_CYFRAME)};
  // Wine tells another process's pointer only by handle, not by its look:
  // the drag's must differ from the one after the release.
  HCURSOR dragPointer = nullptr;
  Drag(*app, 0, titleBar, titled[0], [&] { dragPointer = Pointer(); });
  if (!ExpectText(check, "title_bar", app->Control(ControlId::fakeWork1), L"Window 1")) return;
  check.Check("crosshair_pointer", dragPointer != nullptr && dragPointer != Pointer(),
              "the pointer did not change for the drag");
  // The second row looks at the first before the third, and a duplicate of
  // the first empties it.
  Drag(*app, 1, Centre(titled[0]), titled[0]);
  ExpectMessageBox(check, "same_window", *app, L"Nookshade PRO",
                   L"You Have Already Selected The Same Window");
  ExpectText(check, "same_window.emptied", app->Control(ControlId::fakeWork2),
             kFakeWorkPlaceholder);
  Drag(*app, 1, Centre(titled[1]), titled[1]);
  Drag(*app, 2, Centre(titled[2]), titled[2]);
  if (!ExpectText(check, "client_area", app->Control(ControlId::fakeWork2), L"Window 2") ||
      !ExpectText(check, "third_row", app->Control(ControlId::fakeWork3), L"Window 3")) {
    return;
  }
  Screenshot(check, context, L"fakework");

  if (Arm(check, *app) == nullptr) return;
  std::vector<HWND> others(titled.begin() + 3, titled.end());
  others.push_back(FindWindowW(kWineTrayClass, nullptr));
  PressHotkey(windows->untitled, VK_SPACE);
  // Hide-all takes the fake work too, and shows it again in the same step.
  const bool hidden = WaitUntil([&] { return AllVisible(others, false); }) && Sync(app->panel());
  check.Check("hide_all_leaves_it_shown", hidden && AllVisible(chosen, true), Visibility(titled));
  PressHotkey(windows->untitled, VK_SPACE);
  HWND prompt = WaitForPrompt(check, "show_all", *app);
  if (prompt == nullptr) return;
  AnswerPrompt(check, *app, prompt, {"show_all", L"417", IDOK, true}, nullptr, others);
  check.Check("show_all_hides_it", WaitUntil([&] { return AllVisible(chosen, false); }),
              Visibility(titled));
  for (const bool shown : {true, false}) {
    PressHotkey(windows->untitled, 'K');
    check.Check(shown ? "hotkey_shows" : "hotkey_hides",
                WaitUntil([&] { return AllVisible(chosen, shown); }), Visibility(chosen));
  }
  PostMessageW(app->panel(), WM_CLOSE, 0, 0);
  check.Check("close_shows_it", app->WaitForExit(kExitDeadlineMs) && WaitUntil([&] {
                                  return AllVisible(chosen, true);
                                }),
              Visibility(chosen));
  ExpectValue(check, "close_clears_journal", journal, L"Windows", std::nullopt);

  // A run killed while it hides two slots, a hide-all set and the fake work.
  Checker recovery(context.report, "recovery");
  app = Launch(recovery, context);
  if (!app || !ExpectPanelVisible(recovery, *app, true)) return;
  // The second pick is closed (as by its close box) before arming.
  const bool picked =
      Drag(*app, 0, Centre(titled[0]), titled[0]) && Drag(*app, 1, Centre(titled[1]), titled[1]) &&
      PostMessageW(titled[1], WM_CLOSE, 0, 0) && WaitUntil([&] { return !IsWindow(titled[1]); });
  if (!recovery.Check("picked_and_closed", picked, "a pick or the close failed")) return;
  if (Arm(recovery, *app) == nullptr) return;
  ExpectText(recovery, "closed_pick_dropped", app->Control(ControlId::fakeWork2),
             kFakeWorkPlaceholder);
  for (HWND window : titled.subspan(2, 2)) {
    PressHotkey(window, 'H');
    WaitUntil([&] { return !IsWindowVisible(window); });
  }
  // Hide-all leaves the fake work in sight: the hotkey's first press shows
  // it, the second hides it.
  for (const WORD key : {WORD{VK_SPACE}, WORD{'K'}, WORD{'K'}}) PressHotkey(windows->untitled, key);
  std::vector<HWND> all(titled.begin() + 2, titled.end());
  all.push_back(titled[0]);
  all.push_back(others.back());
  if (!recovery.Check("all_hidden", WaitUntil([&] { return AllVisible(all, false); }),
                      Visibility(all))) {
    return;
  }
  TerminateProcess(app->process(), 1);
  app->WaitForExit(kExitDeadlineMs);

  Checker restart(context.report, "recovery.restart");
  app = Launch(restart, context);
  // Its controls come as it is shown: there is nothing to click before.
  if (!app || !ExpectPanelVisible(restart, *app, true)) return;
  restart.Check("windows_shown", WaitUntil([&] { return AllVisible(all, true); }), Visibility(all));
  ExpectValue(restart, "journal_cleared", journal, L"Windows", std::nullopt);
  HWND panelIcon = Arm(restart, *app);
  if (panelIcon == nullptr) return;
  std::string error;
  auto second = App::Start(context.exe, error);
  restart.Check("second_start.exits", second && second->WaitForExit(kExitDeadlineMs),
                error.empty() ? "still running" : error);
  prompt = WaitForPrompt(restart, "second_start", *app);
  if (prompt == nullptr) return;
  const HWND panel[] = {app->panel()};
  AnswerPrompt(restart, *app, prompt, {"second_start.cancel", L"", IDCANCEL, false}, panelIcon,
               panel);
  // A second poller would hide the window too, under a second icon.
  const auto icons = TrayIcons();
  PressHotkey(titled[2], 'H');
  ExpectInTray(restart, "one_poller", titled[2], icons);

  // Windows loses every icon when its shell restarts, which Wine's cannot:
  // they are taken away here instead, and "TaskbarCreated", which Wine
  // never broadcasts, is sent to the panel by hand.
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof(icon);
  icon.hWnd = app->panel();
  for (icon.uID = 0; icon.uID < 2; ++icon.uID) Shell_NotifyIconW(NIM_DELETE, &icon);
  const bool lost = WaitUntil([&] { return TrayIcons().size() == icons.size() - 1; });
  PostMessageW(app->panel(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  restart.Check("taskbar_created",
                lost && WaitUntil([&] { return TrayIcons().size() == icons.size() + 1; }),
                std::string(lost ? "" : "the icons could not be taken away; ") + Visibility(all));
}

}  // namespace e2e
