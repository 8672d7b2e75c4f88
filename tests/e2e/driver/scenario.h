#pragma once
// Shared steps of the scenarios. Every Expect* polls until the expected
// state shows or the deadline passes, then writes exactly one verdict.

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app_process.h"
#include "desktop.h"
#include "poll.h"
#include "report.h"

namespace e2e {

struct Context {
  Report& report;
  std::wstring exe;      // full path of nookshade.exe
  std::wstring syncDir;  // handshake folder for the screenshot, or empty
};

// Starts the program and waits for its panel. On failure writes a FAIL line
// and returns nothing; the scenario then stops.
std::unique_ptr<App> Launch(Checker& check, const Context& context, const std::wstring& exe);
std::unique_ptr<App> Launch(Checker& check, const Context& context);
bool ExpectPanelVisible(Checker& check, App& app, bool visible);

bool ExpectText(Checker& check, const std::string& name, HWND control,
                const std::wstring& expected);
bool ExpectCheck(Checker& check, const std::string& name, HWND button, LRESULT expected);
// nothing = the value must be absent.
bool ExpectValue(Checker& check, const std::string& name, const std::wstring& key,
                 const std::wstring& valueName, const std::optional<std::wstring>& expected);
bool ExpectSetting(Checker& check, const std::string& name, const std::wstring& section,
                   const std::wstring& key, const std::optional<std::wstring>& expected);
// A field shows `expected` and the "Saved Data" value `key` holds it too
// (verdicts `name` and `name`_stored).
bool ExpectShownAndStored(Checker& check, const std::string& name, HWND control,
                          const std::wstring& key, const std::wstring& expected);

// Waits for a message box of the program, checks its title and text and
// presses OK. `name` prefixes the three verdicts (shown, title, text).
bool ExpectMessageBox(Checker& check, const std::string& name, App& app, const std::wstring& title,
                      const std::wstring& text);
// The same for a box already waited for (nothing: none appeared).
bool CheckMessageBox(Checker& check, const std::string& name,
                     const std::optional<MessageBoxView>& box, const std::wstring& title,
                     const std::wstring& text);
// After the program has handled everything sent so far, no box is open.
bool ExpectNoMessageBox(Checker& check, const std::string& name, App& app);

// Windows for the program to hide, shown by a second process: the driver
// started again with --windows. Hide-all reaches every process, so these
// windows live apart from the driver, which checks them from outside.
inline constexpr wchar_t kTestWindowsSwitch[] = L"--windows";

// In the second process: shows the windows, then handles their messages
// until the process is ended.
int ShowTestWindows();

struct TestWindows {
  std::unique_ptr<App> process;
  // One more than the slots left beside the panel's, to reach the quota.
  std::vector<HWND> titled;
  // Visible, and none of them for hide-all: no title; owned; a child.
  HWND untitled = nullptr;
  HWND owned = nullptr;
  HWND child = nullptr;
};

// Starts the second process and waits until all its windows are visible;
// nothing (after a FAIL verdict) if they do not appear.
std::optional<TestWindows> StartTestWindows(Checker& check);

// A Ctrl hotkey, typed with real keys while `target` is in front.
void PressHotkey(HWND target, WORD key);
bool AllVisible(std::span<const HWND> windows, bool visible);
// Which windows show, and how many tray icons, for a verdict's detail.
std::string Visibility(std::span<const HWND> windows);

// Has the runner save the screen as <name>.png, and waits until it has.
void Screenshot(Checker& check, const Context& context, const std::wstring& name);

// Puts the keyboard focus into a control of the panel with a mouse click.
bool FocusByClick(Checker& check, const std::string& name, App& app, HWND control);

// `window` is hidden and one icon has been added to the tray since
// `iconsBefore`: returns that icon, or nothing after a FAIL verdict.
HWND ExpectInTray(Checker& check, const std::string& name, HWND window,
                  const std::vector<HWND>& iconsBefore);

// The password prompt the program opens to unlock (nothing, after a FAIL
// verdict `name`.prompt_shown, when none opens).
HWND WaitForPrompt(Checker& check, const std::string& name, App& app);
// A double-click on a tray icon, then the prompt it opens.
HWND OpenPromptFromIcon(Checker& check, const std::string& name, App& app, HWND icon);
struct PromptAnswer {
  const char* name;
  const wchar_t* typed;
  int button;
  bool unlocks;
};
// Types the answer (unless the field holds it already) and presses the
// button. Then the prompt must close, and `hidden` all be shown and `icon`
// (if any) be gone exactly when the answer unlocks.
void AnswerPrompt(Checker& check, App& app, HWND prompt, const PromptAnswer& answer, HWND icon,
                  std::span<const HWND> hidden);

void RunIconResource(const Context& context);
void RunFirstRun(const Context& context);
void RunStoredValues(const Context& context);
void RunStoredDuplicates(const Context& context);
void RunHelpMenu(const Context& context);
void RunHotkeyFields(const Context& context);
void RunPasswordField(const Context& context);
void RunLoginEntry(const Context& context);
void RunStartButton(const Context& context);
void RunPasswordPrompt(const Context& context);
void RunHiding(const Context& context);
void RunFakeWork(const Context& context);

// Presses a key, holds it until `until` holds (the program has seen it),
// then releases it. Returns whether the state was reached.
template <typename Condition>
bool PressUntil(WORD vk, Condition&& until) {
  KeyDown(vk);
  const bool seen = WaitUntil(until);
  KeyUp(vk);
  return seen;
}

}  // namespace e2e
