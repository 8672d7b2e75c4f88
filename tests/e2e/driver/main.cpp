// The journeys that only the real nookshade.exe under Wine can show, taken
// as a user takes them: keys and the mouse through SendInput, Wine's own tray
// icons double-clicked, windows of a second process (this driver started
// again with --windows) hidden and shown. The rules behind them are proved
// on the simulated desktop; here the real program, tray, dialogs, registry
// and Wine are shown to work together.
//
//   nookshade_e2e.exe <nookshade.exe> <results> <shots> [<journey>...]
//
// <shots> is a Unix path in which * stands for a shot's name. Each step adds
// "PASS <journey>.<n> <step>" or "FAIL ...: <what was seen>" to <results>; a
// journey stops at its first failure. Exits 0 once it ran to the end.

#include <windows.h>

#include <process.h>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "input.h"
#include "platform/panel_view.h"

using namespace testinput;
using nookshade::ControlId;

namespace {

// A journey is steps separated by ';', each "<action> -> <what then shows>".
// Windows 1..4 are titled, U the untitled one that stays through hide-all;
// window 1 has a dialog open, a pop-up it owns.
//   start | start again | kill      nookshade.exe (again: must wake the first and end)
//   click <control>                 a real click; with nothing to show, until it has the focus
//   LCtrl+<key> <window>|panel      left Ctrl held while the key is tapped, the window in front
//   hold LCtrl+Space <window>       the same, Space held until the prompt has had its repeats
//   LCtrl+<key> prompt              the same, typed into the open password prompt
//   double-click <window>|panel     its tray icon
//   answer <text>                   typed into the password prompt, then Enter
//   tap Tab|Back|Down|Apps          that key typed into the panel
//   front <window>                  that window brought to the front
//   type <text>                     typed into whatever has the keyboard
//   minimise                        the panel, by its system menu (Alt+Space, N)
//   drag <row> <window>             that fake-work row's crosshair onto the window's title bar
//   shot <name>                     the panel, the prompt or the whole screen
//   hang <window>                   its program stops answering (window 4 alone)
//   drag-hide <window>              its title bar dragged, Ctrl+H meanwhile, the button let go
//   free <window>                   its program in no mouse mode (a drag, a menu)
//   end-session | ended             the session's end sent to the panel | the program ended
//   taken                           from now on another program takes every press bit
//   drawn                           every tray icon drawn, not blank
//   close | close-tray | ok         the close box of the panel | of Wine's tray clicked;
//                                   Enter for the message in front
//   end-session-at-hide             the next window hidden sends the session's end
//   double-click-at-hide panel      ... double-clicks the panel's tray icon (slot 0)
// What then shows: "-+++" (windows 1..4 hidden or shown), d- or d+ (window
// 1's dialog), iN (tray icons added since the journey began), [no-]prompt,
// [no-]panel, minimised, no-menu, note (a message of Nookshade's in front), fN (the
// window with the keyboard, as numbered below), tN (the highest of them in
// the Z-order) and the text of the panel's control that has the focus.
#define ARMED L"start -> panel; click noNotification; click startButton -> ++++ i1 no-panel;"
const std::pair<const wchar_t*, const wchar_t*> kJourneys[] = {
    // The icons after one given back are drawn still.
    {L"hide_and_restore",
     ARMED L"LCtrl+H 1 -> -+++ d- i2; LCtrl+H 2 -> --++ i3; shot hidden;"
           L"double-click 1 -> prompt; answer 417 -> +-++ d+ i2 no-prompt; drawn"},
    {L"hide_all_and_back", ARMED L"LCtrl+Space U -> ---- d- i1; double-click panel -> prompt;"
                                 L"answer 417 -> ---- i0 panel; click startButton -> i1 no-panel;"
                                 L"hold LCtrl+Space U -> prompt; LCtrl+Space prompt -> prompt;"
                                 L"answer 417 -> ++++ d+"},
    // Raw input tells of the presses whose bits another program took.
    {L"press_bits_taken", ARMED L"taken; LCtrl+H 1 -> -+++ d- i2; LCtrl+H 2 -> --++ i3"},
    {L"fake_work",
     L"start -> panel; drag 1 1; drag 2 2; drag 3 3; shot fakework; click noNotification;"
     L"click startButton -> i1 no-panel; LCtrl+K U -> ++++ f3 t3; LCtrl+K U -> ---+;"
     L"LCtrl+Space U -> +++-; LCtrl+Space U -> prompt;"
     L"answer 417 -> ---+ no-prompt; LCtrl+K U -> ++++; LCtrl+K U -> ---+"},
    {L"second_start",
     L"start -> panel; shot panel; click noNotification; click startButton -> i1 no-panel;"
     L"start again -> prompt; shot prompt; answer 417 -> i0 panel no-prompt"},
    // The hotkey recorded comes back from the registry with the next start.
    {L"settings_kill_and_next_start",
     L"start -> panel; click noNotification; click resetHideWindowHotkey; click hideWindowHotkey;"
     L"LCtrl+J panel -> (Ctrl)j; LCtrl+S panel -> i1 no-panel; LCtrl+J 1 -> -+++ i2;"
     L"LCtrl+Space U -> ----; kill -> ----; start -> ++++; click hideWindowHotkey -> (Ctrl)j"},
    // Tabbed into, a hotkey field takes Backspace as a click into it does;
    // an arrow key moves the focus on from a check box, as in a dialog. The
    // menu key is a key of the hotkey, and opens no menu (which would take
    // the Tabs after it).
    {L"hotkey_field_by_keyboard",
     L"start -> panel; click hideWindowHotkey; tap Tab;"
     L"tap Tab -> (Ctrl)(Space); tap Back -> (Ctrl); click noNotification; tap Down -> Start "
     L"Nookshade; tap Down -> (Ctrl)h; tap Apps; tap Tab; tap Tab -> (Ctrl) no-menu"},
    // The session's end sent while hide-all waits on a window it hides: it
    // ends with everything given back, none hidden after the unload.
    {L"session_end_during_hide_all", ARMED L"end-session-at-hide; LCtrl+Space U -> ++++ i0"},
    // The panel's icon double-clicked from inside hide-all's first hide, as a
    // shell that sends its icons' callbacks would: hide-all ends first.
    {L"icon_during_hide_all", ARMED L"double-click-at-hide panel; LCtrl+Space U -> ---- prompt;"
                                    L"answer 417 -> ---- i0 panel"},
    // Minimized, the panel takes no keys: they would change the password
    // unseen. Another window in front meanwhile, as Windows makes it, the
    // field keeps its place for the panel's return.
    {L"minimised_panel",
     L"start -> panel 417; minimise -> minimised; type 12;"
     L"front 1 -> minimised; start again -> panel 417"},
    // The session's end with the prompt open: the program still ends.
    {L"session_end_in_prompt", ARMED L"LCtrl+H 1 -> -+++ i2; double-click 1 -> prompt;"
                                     L"end-session -> ++++ i0 no-prompt; ended"},
    // A window hidden in the middle of a drag comes back free of it, not
    // following the pointer with no button down.
    {L"hidden_in_a_drag", ARMED L"drag-hide 2 -> +-++ i2; free 2"},
    // Closed while the note on arming waits under the panel, opened from
    // its icon: the note, which the close waits for, comes to the front.
    {L"closed_over_the_note",
     L"start -> panel; click startButton -> i1 no-panel;"
     L"double-click panel -> prompt; answer 417 -> panel; close -> note"},
    // A program that stopped answering keeps its window in sight, and holds
    // nothing up for longer than the system takes to call it hung, the
    // first hide-all, or at all, the last.
    {L"hung_window", ARMED L"hang 4; LCtrl+Space U -> ---+; LCtrl+Space U -> prompt;"
                           L"answer 417 -> ++++ no-prompt; LCtrl+Space U -> ---+"},
    // Wine's own notification area closed by its close box hides for good
    // and takes icons no one sees: the windows come back, and the user is
    // told. Last: the area stays closed for the rest of the session.
    {L"tray_closed", ARMED L"LCtrl+H 1 -> -+++ i2; close-tray -> ++++ d+ note panel; ok"},
};

const std::map<std::wstring, ControlId> kControls = {
    {L"startButton", ControlId::startButton},
    {L"noNotification", ControlId::noNotification},
    {L"hideWindowHotkey", ControlId::hideWindowHotkey},
    {L"resetHideWindowHotkey", ControlId::resetHideWindowHotkey}};

// Deadlines for a two-core machine busy with builds; a passing run never
// waits them out.
constexpr DWORD kDeadlineMs = 15000;

// One journey's world.
std::wstring exe, shots;
std::vector<HANDLE> started;  // ended by force, if need be, with the journey
HANDLE app = nullptr;

// Another program asking the keys' state over and over, as a game or a
// macro tool does: the press bit it takes is the whole desktop's.
std::atomic<bool> taking{false};
HANDLE taker = nullptr;
DWORD WINAPI TakePressBits(void*) {
  while (taking) {
    for (const int key : {VK_LCONTROL, VK_CONTROL, int{'H'}}) GetAsyncKeyState(key);
    Sleep(1);
  }
  return 0;
}
HWND windows[7] = {};  // the panel, 1..4 titled, 5 the untitled U, 6 window 1's dialog
HWND& panel = windows[0];
HWND icons[6] = {};  // the tray icon of the panel and of each window
std::ptrdiff_t iconsBefore = 0;

// ---- seeing and waiting ---------------------------------------------------------

bool WaitUntil(auto condition, DWORD ms = kDeadlineMs) {
  for (const ULONGLONG end = GetTickCount64() + ms; !condition(); Sleep(20))
    if (GetTickCount64() >= end) return false;
  return true;
}

// -1 when the window's thread does not answer.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)
             ? static_cast<LRESULT>(result)
             : -1;
}

std::wstring Text(HWND window) {
  wchar_t text[256] = {};
  Send(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring Title(int window) { return window == 5 ? L"" : L"Window " + std::to_wstring(window); }
int Index(const std::wstring& name) {
  return name == L"panel" ? 0 : name == L"U" ? 5 : std::stoi(name);
}

// Once true, the window's thread has handled all that came before; a thread
// busy showing a dozen windows on a loaded machine answers late, not never.
bool Sync(HWND window) {
  return WaitUntil([&] { return !IsWindow(window) || Send(window, WM_NULL) == 0; }) &&
         IsWindow(window);
}

// Wine's own notification area, shown when no tray runs on the X display,
// keeps a child window for each icon.
std::vector<HWND> Icons() {
  std::vector<HWND> icons;
  const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
  for (HWND icon = nullptr; tray && (icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", 0));)
    if (GetWindowLongPtrW(icon, GWL_STYLE) & WS_VISIBLE) icons.push_back(icon);
  return icons;
}

// Drawn: more than one colour on the screen where the icon is.
bool Drawn(HWND icon) {
  RECT r{};
  GetWindowRect(icon, &r);
  const HDC screen = GetDC(nullptr);
  const COLORREF corner = GetPixel(screen, r.left, r.top);
  bool drawn = false;
  for (LONG y = r.top; y < r.bottom && !drawn; ++y)
    for (LONG x = r.left; x < r.right && !drawn; ++x) drawn = GetPixel(screen, x, y) != corner;
  ReleaseDC(nullptr, screen);
  return drawn;
}

HWND Focused(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : 0;
}

HWND Prompt() { return FindWindowW(L"#32770", L"Enter Password"); }

// What the journeys' tables expect, in their words.
std::wstring State() {
  std::wstring state;
  for (int n = 1; n <= 4; ++n) state += IsWindowVisible(windows[n]) ? L'+' : L'-';
  state += IsWindowVisible(windows[6]) ? L" d+" : L" d-";
  state += L" i" + std::to_wstring(std::ssize(Icons()) - iconsBefore);
  const auto inFront = std::ranges::find(windows, GetForegroundWindow());
  if (inFront != std::end(windows)) state += L" f" + std::to_wstring(inFront - std::begin(windows));
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
    const auto ours = std::ranges::find(windows, top);
    if (ours == std::end(windows) || !IsWindowVisible(top)) continue;
    state += L" t" + std::to_wstring(ours - std::begin(windows));
    break;
  }
  state += Prompt() ? L" prompt" : L" no-prompt";
  if (IsIconic(panel)) state += L" minimised";
  if (!IsWindowVisible(FindWindowW(L"#32768", nullptr))) state += L" no-menu";
  wchar_t front[8] = {};
  GetClassNameW(GetForegroundWindow(), front, 8);
  if (std::wstring_view(front) == L"#32770" && GetForegroundWindow() != Prompt()) state += L" note";
  return state + (IsWindowVisible(panel) ? L" panel " + Text(Focused(panel)) : L" no-panel");
}

bool Holds(const std::wstring& want) {
  const std::wstring seen = L' ' + State() + L' ';
  std::wistringstream words(want);
  for (std::wstring word; words >> word;)
    if (seen.find(L' ' + word + L' ') == std::wstring::npos) return false;
  return true;
}

// What shows once the program has handled all that came before.
bool Shows(const std::wstring& want) {
  const auto holds = [&] { return Holds(want); };
  // A program that ends as it acts may take its window away during the sync.
  return WaitUntil(holds) && (Sync(panel) || !IsWindow(panel)) && WaitUntil(holds);
}

// The pointer to a point of the screen (absolute input is in 1/65535ths of
// it), and the left button down or up.
INPUT PointerTo(POINT at, DWORD flags = MOUSEEVENTF_MOVE) {
  return INPUT{INPUT_MOUSE,
               {{MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                 MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1), 0,
                 flags | MOUSEEVENTF_ABSOLUTE, 0, 0}}};
}
INPUT Button(bool down) {
  const DWORD flags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  return INPUT{INPUT_MOUSE, {{0, 0, 0, flags, 0, 0}}};
}

// The pointer onto the window's middle (or that far below its top), and
// once it is on the window, the left button down (true) or up (false): one
// batch of input, which a busy machine cannot pull apart.
bool Mouse(HWND window, std::initializer_list<bool> downs, int belowTop = -1) {
  RECT r{};
  GetWindowRect(window, &r);
  INPUT move =
      PointerTo({(r.left + r.right) / 2, belowTop < 0 ? (r.top + r.bottom) / 2 : r.top + belowTop});
  SendInput(1, &move, sizeof(INPUT));
  POINT now{};
  if (!WaitUntil([&] { return GetCursorPos(&now) && WindowFromPoint(now) == window; }))
    return false;
  std::vector<INPUT> inputs;
  for (const bool down : downs) inputs.push_back(Button(down));
  return SendInput(inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// In front, and its thread has taken in the change. As the X focus arrives
// Wine aligns its key state with the X server's, where the driver's keys are
// never down: a key pressed before that would come up under the finger.
bool Front(HWND window) {
  if (GetForegroundWindow() != window) SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }) && Sync(window) && Sync(window);
}

bool Ended(HANDLE process) { return WaitForSingleObject(process, kDeadlineMs) == WAIT_OBJECT_0; }

// The process, or null for a Unix program: Wine gives no handle to those.
HANDLE Start(const std::wstring& file, const std::wstring& arguments = L"") {
  const std::wstring line = L"\"" + file + L"\" " + arguments;
  const intptr_t process = _wspawnl(_P_NOWAIT, file.c_str(), line.c_str(), nullptr);
  return started.emplace_back(process == -1 ? nullptr : reinterpret_cast<HANDLE>(process));
}

// ---- the user's hands ------------------------------------------------------------

// Left Ctrl held, then `key` tapped, until `want` shows. Pressed again only
// when the press provably did not arrive whole and the program has not
// acted: a test window saw no chord, or a key come up while held (the X
// focus arriving takes held keys away). The panel cannot tell, and is
// pressed once.
bool Press(HWND target, WORD key, const std::wstring& want) {
  const bool toPanel = target == panel;
  const auto count = [&](Ask what) { return toPanel ? 0 : Send(target, kAskMessage, what); };
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!Front(target)) return false;
    const LRESULT chords = count(kChords), releases = count(kReleases);
    const auto apart = [&] { return count(kReleases) != releases; };
    // Each key held as a person holds it: Wine refreshes the key state
    // that the program polls at most every 50 ms. Ctrl repeats meanwhile,
    // as Windows repeats a held Ctrl (under X it does not).
    Key(VK_LCONTROL, true);
    for (int repeat = 0; repeat < 3; ++repeat, Key(VK_LCONTROL, true)) Sleep(33);
    Key(key, true);
    const bool whole =
        WaitUntil([&] { return toPanel || count(kChords) > chords || apart(); }) && !apart();
    const bool acted = whole && WaitUntil([&] { return Holds(want) || apart(); }) && !apart();
    const bool intact = whole && !apart();
    Key(key, false);
    Key(VK_LCONTROL, false);
    if (acted || intact) return acted;
    if (!Sync(target) || !Sync(panel) || !Sync(panel) || Holds(want)) return Holds(want);
  }
  return false;
}

// Left Ctrl and Space held over the window for a second, as a user slow to
// let go: the prompt they open gets Space's repeats. Held through the X
// server (xdotool), as a keyboard holds them: keys sent by SendInput are
// not down there, and Wine takes them for let go of as the prompt takes
// the X focus.
bool Hold(HWND target) {
  if (!Front(target)) return false;
  Start(L"Z:\\usr\\bin\\xdotool", L"keydown ctrl keydown space");
  const bool prompted = WaitUntil([] { return Prompt() && GetForegroundWindow() == Prompt(); });
  Sleep(1000);  // the keyboard repeats a held key after half a second
  Start(L"Z:\\usr\\bin\\xdotool", L"keyup space keyup ctrl");
  return prompted && WaitUntil([] { return GetAsyncKeyState(VK_SPACE) >= 0; });
}

// Typed text goes by messages, in order: a key need not be held for a poll.
bool Type(const std::wstring& text) {
  for (const wchar_t key : text) {
    Key(LOBYTE(VkKeyScanW(key)), true);
    Key(LOBYTE(VkKeyScanW(key)), false);
  }
  return true;
}

// The program follows the pointer on a timer while the button is down: the
// row names the window before the button goes up.
bool Drag(int row, HWND window) {
  const HWND field = GetDlgItem(panel, static_cast<int>(ControlId::fakeWork1) + row - 1);
  const HWND crosshair = GetDlgItem(panel, static_cast<int>(ControlId::crosshair1) + row - 1);
  const int titleBar = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  if (!Front(panel) || !Mouse(crosshair, {true})) return false;
  const bool named =
      Mouse(window, {}, titleBar) && WaitUntil([&] { return Text(field) == Text(window); });
  return Mouse(window, {false}, titleBar) && named;
}

// The left button down on the window's title bar and the pointer moved on,
// Ctrl+H meanwhile, then the button let go of, as a user who changes their
// mind while moving a window.
bool DragHide(HWND window) {
  RECT before{}, now{};
  GetWindowRect(window, &before);
  const auto send = [](DWORD flags) {
    POINT at{};
    GetCursorPos(&at);
    INPUT input = PointerTo({at.x + 40, at.y + 40}, flags);
    return SendInput(1, &input, sizeof(INPUT)) == 1;
  };
  const int titleBar = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  if (!Front(window) || !Mouse(window, {true}, titleBar) || !send(MOUSEEVENTF_MOVE) ||
      !WaitUntil([&] { return GetWindowRect(window, &now) && now.left != before.left; })) {
    return false;
  }
  Key(VK_LCONTROL, true);
  Sleep(100);  // held as a person holds it (see Press)
  Key('H', true);
  const bool hidden = WaitUntil([&] { return !IsWindowVisible(window); });
  Key('H', false);
  Key(VK_LCONTROL, false);
  return send(MOUSEEVENTF_LEFTUP) && hidden;
}

// A click in the middle of the window's close box, as its hit test finds it.
bool CloseBox(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  std::vector<int> box;
  for (int x = r.left; x < r.right; ++x)
    if (Send(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) box.push_back(x);
  INPUT inputs[3] = {PointerTo({box.empty() ? 0 : box[box.size() / 2], y}), Button(true),
                     Button(false)};
  return !box.empty() && SendInput(3, inputs, sizeof(INPUT)) == 3;
}

bool Free(HWND window) {
  return WaitUntil([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           (info.flags & (GUI_INMOVESIZE | GUI_INMENUMODE)) == 0 && info.hwndCapture == nullptr;
  });
}

// ImageMagick's import saves the screen, cropped to the window. It writes
// the file only once it holds the picture.
bool Shot(const std::wstring& name) {
  const HWND window = name == L"panel" ? panel : name == L"prompt" ? Prompt() : GetDesktopWindow();
  RECT r{};
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
  if (!Sync(window) || !GetWindowRect(window, &r)) return false;
  std::wstring png = shots;
  png.replace(png.find(L'*'), 1, name);
  wchar_t command[1024];
  std::swprintf(command, 1024, L"-window root -crop %ldx%ld+%ld+%ld \"%ls\"", r.right - r.left,
                r.bottom - r.top, r.left, r.top, png.c_str());
  Start(L"Z:\\usr\\bin\\import", command);
  const std::wstring file = L"Z:" + png;
  return WaitUntil([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

// Each step's action; RunJourney then waits for what it shows.
bool Run(const std::wstring& verb, const std::wstring& args, const std::wstring& want) {
  if (verb == L"start") {
    const HANDLE process = Start(exe);
    if (args == L"again") return process && Ended(process);
    return (app = process) &&
           WaitUntil([&] { return (panel = FindWindowW(L"NookshadePanel", nullptr)); });
  }
  if (verb == L"kill") return TerminateProcess(app, 1) && Ended(app);
  if (verb.starts_with(L"LCtrl+")) {
    const WORD key = verb == L"LCtrl+Space" ? VK_SPACE : verb.back();
    if (args != L"prompt") return Press(windows[Index(args)], key, want);
    // Pressed again over its own prompt, as a user unsure it was heard.
    Key(VK_LCONTROL, true);
    for (const bool down : {true, false}) Key(key, down);
    Key(VK_LCONTROL, false);
    return Sync(Prompt());
  }
  if (verb == L"click") {
    const HWND control = GetDlgItem(panel, static_cast<int>(kControls.at(args)));
    // Under Wine without a window manager, a click on a panel that is not
    // the active window is taken by its activation.
    return Front(panel) && Mouse(control, {true, false}) &&
           (!want.empty() || WaitUntil([&] { return Focused(panel) == control; }));
  }
  if (verb == L"double-click") {
    // A user double-clicks again when a busy machine took the clicks apart.
    for (int attempt = 0; attempt < 2 && !Holds(want); ++attempt) {
      if (!Mouse(icons[Index(args)], {true, false, true, false})) return false;
      WaitUntil([&] { return Holds(want); }, kDeadlineMs / 2);
    }
    return true;
  }
  if (verb == L"answer") {
    // The prompt must come up in front, ready for keys: a user types at once.
    const HWND prompt = Prompt();
    if (!prompt || !WaitUntil([&] { return GetForegroundWindow() == prompt; }) || !Sync(prompt))
      return false;
    return Type(args + L"\r");
  }
  if (verb == L"type") return Type(args);
  if (verb == L"front") return Front(windows[Index(args)]);
  if (verb == L"tap") {
    // Typed into the panel: keys the panel's dialog navigation takes.
    if (!Front(panel)) return false;
    const std::map<std::wstring, WORD> keys = {
        {L"Tab", VK_TAB}, {L"Down", VK_DOWN}, {L"Apps", VK_APPS}, {L"Back", VK_BACK}};
    for (const bool down : {true, false}) Key(keys.at(args), down);
    return true;
  }
  if (verb == L"minimise") {
    // The system menu is a window of its own while it is open.
    if (!Front(panel)) return false;
    Key(VK_MENU, true);
    for (const bool down : {true, false}) Key(VK_SPACE, down);
    Key(VK_MENU, false);
    if (!WaitUntil([] { return IsWindowVisible(FindWindowW(L"#32768", nullptr)); })) return false;
    return Type(L"n");
  }
  if (verb == L"drag") return Drag(args[0] - L'0', windows[Index(args.substr(2))]);
  if (verb == L"end-session") {
    // As a restart manager ends a program while the session goes on; Wine
    // has none, and its own end of the session would end this driver too.
    Send(panel, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP);
    return Send(panel, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP) == 0;
  }
  if (verb == L"ended") return Ended(app);
  if (verb == L"taken") {
    taking = true;
    return (taker = CreateThread(nullptr, 0, TakePressBits, nullptr, 0, nullptr)) != nullptr;
  }
  if (verb == L"close") return Front(panel) && CloseBox(panel);
  if (verb == L"close-tray") {
    // Then on to other work, as a hand goes: a click into window 2 is input
    // after which the program looks again, had it looked before the close.
    const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    return CloseBox(tray) && WaitUntil([&] { return !IsWindowVisible(tray); }) &&
           Mouse(windows[2], {true, false});
  }
  if (verb == L"ok") return Type(L"\r");
  if (verb == L"drag-hide") return DragHide(windows[Index(args)]);
  if (verb == L"hold") return Hold(windows[Index(args.substr(args.find(L' ') + 1))]);
  if (verb == L"free") return Free(windows[Index(args)]);
  if (verb == L"drawn") return WaitUntil([] { return std::ranges::all_of(Icons(), Drawn); });
  if (verb == L"end-session-at-hide") return Send(windows[1], kEndSessionMessage) == 0;
  if (verb == L"double-click-at-hide") return Send(windows[1], kTrayAtHideMessage, 0) == 0;
  if (verb == L"hang") {
    // Stopped answering just now: not hung yet for the system, which waits five seconds.
    const HWND window = windows[Index(args)];
    DWORD_PTR ignored = 0;
    return PostMessageW(window, kHangMessage, 0, 0) && WaitUntil([&] {
             return !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &ignored);
           });
  }
  return verb == L"shot" && Shot(args);
}

// ---- the run ------------------------------------------------------------------------

// Small tiles below the top left corner, where Wine puts its tray.
void Tile(int n) { CreateTestWindow(Title(n).c_str(), 20 + n % 5 * 170, 200, 150, 150); }

// The tile numbered by `n`, if any, and its thread's message loop.
DWORD WINAPI TileThread(void* n) {
  if (n != nullptr) Tile(static_cast<int>(reinterpret_cast<INT_PTR>(n)));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

std::FILE* results = nullptr;

void RunJourney(const wchar_t* journey, const wchar_t* steps) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Nookshade PRO");
  // Steps that need the windows fail without them.
  Start(_wpgmptr, L"--windows");
  WaitUntil([&] {
    for (int n = 1; n <= 6; ++n) windows[n] = FindWindowW(kTestWindowClass, Title(n).c_str());
    return std::all_of(windows + 1, windows + 7, IsWindowVisible);
  });
  iconsBefore = std::ssize(Icons());
  std::wistringstream in(steps);
  int n = 0;
  for (std::wstring step, verb, args; std::getline(in >> std::ws, step, L';');) {
    const auto arrow = step.find(L" -> ");
    const std::wstring want = arrow == std::wstring::npos ? L"" : step.substr(arrow + 4);
    std::wistringstream action(step.substr(0, arrow));
    std::getline(action >> verb >> std::ws, args);
    const std::vector<HWND> before = Icons();
    const bool ok = Run(verb, args, want) && Shows(want);
    // An icon that came with the step is the icon of the window it hid, or the panel's.
    for (HWND icon : Icons())
      if (std::find(before.begin(), before.end(), icon) == before.end())
        icons[verb.starts_with(L"LCtrl+") ? Index(args) : 0] = icon;
    std::fprintf(results, "%s %ls.%d %ls%s%ls\n", ok ? "PASS" : "FAIL", journey, ++n, step.c_str(),
                 ok ? "" : ": ", ok ? L"" : State().c_str());
    std::fflush(results);
    if (!ok) break;
  }
  // Closed as a user closes it, which gives back what it hid and takes its
  // icons away; by force when that does not end it.
  if (panel != nullptr && PostMessageW(panel, WM_CLOSE, 0, 0)) Ended(app);
  for (HANDLE process : started)
    if (TerminateProcess(process, 1)) Ended(process);
  started.clear();
  if (taker != nullptr) {
    taking = false;
    WaitForSingleObject(taker, INFINITE);
    CloseHandle(taker);
    taker = nullptr;
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && argv[1] == std::wstring(L"--windows")) {
    // Window 4 on a thread of its own, which can hang alone; made once the
    // window class is.
    for (const int n : {1, 2, 3, 5}) Tile(n);
    // As a Find box: a pop-up its window owns, under the tiles and left of
    // the panel at every DPI the screenshots take (the panel is above it, but
    // Wine without a window manager may stack it otherwise).
    CreateWindowExW(WS_EX_DLGMODALFRAME, kTestWindowClass, Title(6).c_str(),
                    WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, 400, 150, 100,
                    FindWindowW(kTestWindowClass, Title(1).c_str()), nullptr, nullptr, nullptr);
    CloseHandle(CreateThread(nullptr, 0, TileThread, reinterpret_cast<void*>(4), 0, nullptr));
    return static_cast<int>(TileThread(nullptr));
  }
  if (argc < 4 || (results = _wfopen(argv[2], L"ab")) == nullptr) return 2;
  exe = argv[1];
  shots = argv[3];
  for (const auto& [journey, steps] : kJourneys)
    if (argc == 4 || std::find(argv + 4, argv + argc, std::wstring(journey)) != argv + argc)
      RunJourney(journey, steps);
  return 0;
}
