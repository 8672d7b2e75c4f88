// The journeys that only the real nookshade.exe under Wine can show, taken
// as a user takes them: keys and the mouse through SendInput, Wine's own tray
// icons double-clicked, windows of a second process (this driver started
// again with --windows) hidden and shown.
//
//   nookshade_e2e.exe <nookshade.exe> <report file> <screenshot folder>
//
// Each step writes "PASS <journey>.<n> <step>" or "FAIL ...: <what was seen>";
// a journey stops at its first failure. The report ends "N passed, M failed".
// NOOKSHADE_E2E_ONLY=name[,name...] runs a chosen few journeys.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "input.h"
#include "platform/panel_view.h"
#include "win32/resource_ids.h"

using namespace testinput;
using nookshade::ControlId;

namespace {

// A journey is steps separated by ';', each "<action> -> <what then shows>".
// Windows 1..4 are titled, U the untitled one that stays through hide-all.
//   store|stored Section\Name=value   the program's settings ("Run\..." its login entry,
//                                     '@' the program's path)
//   start | start again | kill        nookshade.exe (again: must wake the first and end)
//   click <control>                   a real click; with nothing to show, until it has the focus
//   LCtrl+<key>|RCtrl+<key> <window>  Ctrl held while the key is tapped, the window (or the
//                                     panel) in front, until what is to show shows
//   double-click <window>|panel       its tray icon
//   answer <text>                     typed into the password prompt, then Enter
//   program-shows <window>            the window's own program shows it again
//   drag <row> <window>               that fake-work row's crosshair onto the window's title bar
//   shot <name>                       <name>.png: the panel, the prompt or the whole screen
//   texts|text <control> <text>       what the panel's controls, or one of them, read
//   type <keys>                       into the control that has the focus
// What then shows: "-+++" (window hidden, shown, '.' either), iN (tray icons
// added since the journey began), [no-]prompt, [no-]panel; "stays" makes a
// press one that must change nothing.
#define ARMED "store Startup\\Note=1; start -> ++++ panel; click startButton -> ++++ i1 no-panel;"
struct Journey {
  const char* name;
  const char* steps;
} const kJourneys[] = {
    {"hide_and_restore", ARMED "LCtrl+H 1 -> -+++ i2; shot hidden; double-click 1 -> prompt;"
                               "answer 418 -> -+++ i2 no-prompt; double-click 1 -> prompt;"
                               "answer 417 -> ++++ i1 no-prompt"},
    {"hide_all_and_back",
     ARMED "LCtrl+Space U -> ---- i1; double-click panel -> ---- prompt;"
           "answer 417 -> ---- i0 panel; click startButton -> ---- i1 no-panel;"
           "LCtrl+Space U -> ---- prompt; answer 417 -> ++++ i1 no-prompt;"
           "LCtrl+H 1 -> -+++ i2; double-click 1 -> prompt; LCtrl+Space U -> -+++ i2 prompt stays;"
           "answer 417 -> ++++ i1 no-prompt"},
    {"shown_by_its_program",
     ARMED "RCtrl+H 1 -> -+++ i2; program-shows 1 -> ++++ i2; LCtrl+H 1 -> -+++ i2;"
           "double-click 1 -> prompt; answer 417 -> ++++ i1 no-prompt"},
    {"armed_by_ctrl_s",
     "store Startup\\Note=1; start -> panel; click hideWindowHotkey; LCtrl+S panel -> i1 no-panel;"
     "stored Saved Data\\HKn=(Ctrl)h; LCtrl+H 1 -> -+++ i2; LCtrl+H 2 -> --++ i3;"
     "LCtrl+H 3 -> ---+ i4"},
    {"fake_work",
     "store Startup\\Note=1; start -> panel; drag 1 1; drag 2 2; drag 3 3; shot fakework;"
     "click startButton -> i1 no-panel; LCtrl+Space U -> +++-; LCtrl+Space U -> +++- prompt;"
     "answer 417 -> ---+ no-prompt; LCtrl+K U -> ++++; LCtrl+K U -> ---+"},
    {"kill_and_next_start",
     ARMED "LCtrl+H 1 -> -+++ i2; LCtrl+H 2 -> --++ i3; LCtrl+Space U -> ----; kill -> ----;"
           "start -> ++++ panel"},
    {"second_start",
     "start -> panel; shot panel; click noNotification;"
     "click startButton -> i1 no-panel; start again -> prompt; shot prompt;"
     "answer 417 -> i0 panel no-prompt"},
    {"panel_and_settings",
     "start -> panel; texts Nookshade Pro|Nookshade PRO|This is the Nookshade configuration "
     "panel. Here, you can set the password to unlock windows hidden with Nookshade, set the "
     "hotkeys to hide windows and you can also set some fake work to make it look like you are "
     "actually doing something legitimate!|Hotkeys To Hide Windows|Hotkey To Hide A Window|"
     "(Ctrl)h|Reset|Hotkey To Hide/Show All Windows|(Ctrl)(Space)|Reset|Fake Work|Hotkey:|"
     "(Ctrl)k|Reset|Fake Work #1:|Fake Work #2:|Fake Work #3:|[Fake Work Window Not Selected]|"
     "[Fake Work Window Not Selected]|[Fake Work Window Not Selected]||||Reset|Reset|Reset|"
     "Select any window by it's titlebar with the crosshair|Open fake work automatically when "
     "you hide all windows [x]|Unlock Windows Password|417|Start Nookshade Automatically|Start "
     "Nookshade When You Login|Do Not Show Notification Message When Starting Nookshade|Start "
     "Nookshade;"
     "click resetHideWindowHotkey; text hideWindowHotkey; click hideWindowHotkey;"
     "LCtrl+H panel; text hideWindowHotkey (Ctrl)h; stored Saved Data\\HKn=(Ctrl)h;"
     "click password; type \b\b\bpass; stored Saved Data\\Password=pass; click loginStart;"
     "stored Startup\\Login=1; stored Run\\nookshade=\"@\""},
};

const std::map<std::string, ControlId> kControls = {
    {"startButton", ControlId::startButton},
    {"hideWindowHotkey", ControlId::hideWindowHotkey},
    {"resetHideWindowHotkey", ControlId::resetHideWindowHotkey},
    {"password", ControlId::password},
    {"loginStart", ControlId::loginStart},
    {"noNotification", ControlId::noNotification}};

struct Step {
  std::string text, verb, args, want;  // want: words of World::State()
};

std::vector<Step> Parse(const char* steps) {
  std::vector<Step> parsed;
  std::istringstream in(steps);
  for (std::string text; std::getline(in >> std::ws, text, ';');) {
    Step& step = parsed.emplace_back();
    step.text = text;
    const auto arrow = text.find(" -> ");
    std::istringstream action(text.substr(0, arrow));
    std::getline(action >> step.verb >> std::ws, step.args);
    if (arrow != std::string::npos) step.want = text.substr(arrow + 4);
  }
  return parsed;
}

std::wstring Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// ---- seeing and waiting ---------------------------------------------------------

// Deadlines for a two-core machine busy with builds; a passing run never
// waits them out. Past the run's budget every wait gives up at once, so that
// a broken program still ends in a summary before run.sh's timeout.
constexpr DWORD kDeadlineMs = 15000;
ULONGLONG runEnd = 0;

bool WaitUntil(const std::function<bool()>& condition, DWORD ms = kDeadlineMs) {
  for (const ULONGLONG end = std::min(GetTickCount64() + ms, runEnd); !condition(); Sleep(20)) {
    if (GetTickCount64() >= end) return false;
  }
  return true;
}

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
    return std::nullopt;
  return static_cast<LRESULT>(result);
}

std::wstring Text(HWND window) {
  wchar_t text[1024] = {};
  Send(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

// Once true, the window's thread has handled all that came before; a thread
// busy showing a dozen windows on a loaded machine answers late, not never.
bool Sync(HWND window) {
  return WaitUntil([&] { return !IsWindow(window) || Send(window, WM_NULL); }) && IsWindow(window);
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

HWND Focused(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : 0;
}

POINT Centre(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The pointer there, and nothing but `window` (if given) under it.
bool PointAt(POINT at, HWND window = nullptr) {
  PointerTo(at);
  return WaitUntil([&] {
    POINT now{};
    return GetCursorPos(&now) && std::abs(now.x - at.x) <= 1 && std::abs(now.y - at.y) <= 1 &&
           (window == nullptr || WindowFromPoint(now) == window);
  });
}

// In front, and its thread has taken in the change. As the X focus arrives
// Wine aligns its key state with the X server's, where the driver's keys are
// never down: a key pressed before that would come up under the finger.
bool Front(HWND window) {
  if (GetForegroundWindow() != window) SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }) && Sync(window) && Sync(window);
}

bool Ended(HANDLE process) { return WaitForSingleObject(process, kDeadlineMs) == WAIT_OBJECT_0; }

// ---- one journey's world ---------------------------------------------------------

const std::wstring kSettings = L"Software\\Nookshade PRO";
const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr int kU = 5;

struct World {
  std::wstring exe, shots;
  std::vector<HANDLE> started;  // ended by force, if need be, with the journey
  HANDLE app = nullptr;
  HWND panel = nullptr;
  HWND windows[6] = {};  // 1..4 titled, kU untitled
  HWND icon[6] = {};     // the tray icon of the panel (0) and of each window
  std::size_t iconsBefore = 0;

  HWND Control(const std::string& name) const {
    return GetDlgItem(panel, static_cast<int>(kControls.at(name)));
  }
  static HWND Prompt() {
    const HWND prompt = FindWindowW(L"#32770", L"Enter Password");
    return IsWindowVisible(prompt) ? prompt : nullptr;
  }
  static int Index(const std::string& name) {
    return name == "panel" ? 0 : name == "U" ? kU : std::stoi(name);
  }
  HWND Window(const std::string& name) const { return Index(name) ? windows[Index(name)] : panel; }
  // What the journeys' tables expect, in their words.
  std::string State() const {
    std::string state;
    for (int n = 1; n <= 4; ++n) state += IsWindowVisible(windows[n]) ? '+' : '-';
    return state + " i" + std::to_string(Icons().size() - iconsBefore) +
           (Prompt() ? " prompt" : " no-prompt") +
           (IsWindowVisible(panel) ? " panel" : " no-panel");
  }
  bool Holds(const std::string& want) const {
    std::istringstream state(State() + " stays"), wanted(want);
    const std::vector<std::string> seen{std::istream_iterator<std::string>(state), {}};
    return std::all_of(std::istream_iterator<std::string>(wanted), {}, [&](const std::string& w) {
      return std::find(seen.begin(), seen.end(), w) != seen.end();
    });
  }
  // What shows once the program has handled all that came before.
  bool Shows(const std::string& want) const {
    return WaitUntil([&] { return Holds(want); }) && (panel == nullptr || Sync(panel)) &&
           WaitUntil([&] { return Holds(want); });
  }
  HANDLE Start(const std::wstring& file, const std::wstring& arguments) {
    std::wstring line = L"\"" + file + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(file.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
      return nullptr;
    CloseHandle(info.hThread);
    return started.emplace_back(info.hProcess);
  }
  ~World() {
    for (HANDLE process : started) {
      if (TerminateProcess(process, 1)) Ended(process);
      CloseHandle(process);
    }
  }
};

// ---- the user's hands ------------------------------------------------------------

// Ctrl held, then `key` tapped, until the program has acted. Pressed again
// only when the press provably was not seen: the keys did not reach a test
// window as a chord, or a key came up there while held (the X focus
// arriving), and once released and settled the program has not acted. The
// panel cannot tell, and is pressed once. With `once`, a press that must
// change nothing: made until it reaches its window whole.
bool Press(World& world, HWND target, WORD ctrl, WORD key, const std::function<bool()>& acted,
           bool once) {
  const bool counts = target != world.panel;
  const auto count = [&](Ask what) { return counts ? Send(target, AskMessage(), what) : 0; };
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!Front(target)) return false;
    const auto chords = count(kChords), releases = count(kReleases);
    const auto intact = [&] { return count(kReleases) == releases; };
    Key(ctrl, true);
    // Each key held as a person holds it: Wine refreshes the key state
    // that the program polls at most every 50 ms.
    Sleep(100);
    Key(key, true);
    const bool reached = WaitUntil([&] { return !counts || count(kChords) > chords || !intact(); });
    // One that must change nothing is held as long as a person holds a
    // hotkey, for some polls to see it.
    if (once) Sleep(250);
    const bool done = !once && reached && WaitUntil([&] { return acted() || !intact(); });
    const bool whole = reached && intact();
    Key(key, false);
    Key(ctrl, false);
    if (whole) return once || done;
    if (once) continue;
    if (!Sync(target) || !Sync(world.panel) || !Sync(world.panel) || acted()) return acted();
  }
  return false;
}

// Each key held until the focused control's text changes.
bool Type(HWND window, const std::string& keys) {
  for (const char key : keys) {
    const HWND field = Focused(window);
    const std::wstring before = Text(field);
    const WORD vk = LOBYTE(VkKeyScanW(key));
    Key(vk, true);
    const bool seen = WaitUntil([&] { return Text(field) != before; });
    Key(vk, false);
    if (!seen) return false;
  }
  return true;
}

// The program follows the pointer on a timer while the button is down: the
// row names the window before the button goes up.
bool Drag(World& world, const std::string& args) {
  const int row = args[0] - '1';
  const HWND field = GetDlgItem(world.panel, static_cast<int>(ControlId::fakeWork1) + row);
  const HWND window = world.Window(args.substr(2));
  RECT frame{};
  GetWindowRect(window, &frame);
  const POINT from = Centre(GetDlgItem(world.panel, static_cast<int>(ControlId::crosshair1) + row));
  const POINT to{Centre(window).x,
                 frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
  if (!Front(world.panel) || !PointAt(from)) return false;
  Button(true);
  bool moved = true;
  for (int n = 1; n <= 8 && moved; ++n) {
    moved = PointAt({from.x + (to.x - from.x) * n / 8, from.y + (to.y - from.y) * n / 8});
  }
  const bool named = moved && WaitUntil([&] { return Text(field) == Text(window); });
  Button(false);
  return named;
}

// run.sh saves the screen (cropped to the window, if any) while the driver
// holds it still.
bool Shot(const World& world, const std::string& name) {
  const HWND window = name == "panel" ? world.panel : name == "prompt" ? World::Prompt() : nullptr;
  RECT r{};
  if (window != nullptr) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
    if (!Sync(window) || !GetWindowRect(window, &r)) return false;
  }
  const std::wstring base = world.shots + L"\\" + Wide(name);
  DeleteFileW((base + L"-shot-done").c_str());
  if (std::FILE* ready = _wfopen((base + L"-ready").c_str(), L"w")) {
    if (window)
      std::fprintf(ready, "%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top, r.left, r.top);
    std::fclose(ready);
  }
  return WaitUntil([&] { return GetFileAttributesW((base + L"-shot-done").c_str()) != ~0u; });
}

bool Run(World& world, const Step& step) {
  const std::string &verb = step.verb, &args = step.args;
  const auto shows = [&] { return world.Holds(step.want); };
  if (verb == "store" || verb == "stored") {
    // "Saved Data\HKn=(Ctrl)h": a key below the program's ("Run\..." the
    // login entries), a value's name and its text ('@' the program's path).
    const auto equals = args.find('='), slash = args.rfind('\\', equals);
    const std::wstring key =
        args.starts_with("Run\\") ? kRunKey : kSettings + L"\\" + Wide(args.substr(0, slash));
    const std::wstring name = Wide(args.substr(slash + 1, equals - slash - 1));
    std::wstring text = Wide(args.substr(equals + 1));
    if (const auto at = text.find(L'@'); at != text.npos) text.replace(at, 1, world.exe);
    if (verb == "store") {
      return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, text.c_str(),
                             (text.size() + 1) * sizeof(wchar_t)) == ERROR_SUCCESS;
    }
    return WaitUntil([&] {
      wchar_t stored[1024] = {};
      DWORD bytes = sizeof(stored);
      return RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                          stored, &bytes) == ERROR_SUCCESS &&
             text == stored;
    });
  }
  if (verb == "start" && args == "again") {
    const HANDLE second = world.Start(world.exe, L"");
    return second && Ended(second) && world.Shows(step.want);
  }
  if (verb == "start" || verb == "kill") {
    world.panel = nullptr;
    if (verb == "kill")
      return TerminateProcess(world.app, 1) && Ended(world.app) && world.Shows(step.want);
    return (world.app = world.Start(world.exe, L"")) &&
           WaitUntil([&] { return (world.panel = FindWindowW(L"NookshadePanel", nullptr)); }) &&
           world.Shows(step.want);
  }
  if (verb.starts_with("LCtrl+") || verb.starts_with("RCtrl+")) {
    const bool stays = step.want.ends_with("stays");
    return Press(world, world.Window(args), verb[0] == 'R' ? VK_RCONTROL : VK_LCONTROL,
                 verb.ends_with("Space") ? VK_SPACE : verb.back(), shows, stays) &&
           world.Shows(step.want) &&
           // Fifty of the program's polls (every 10 ms under Wine) see nothing change.
           (!stays || !WaitUntil([&] { return !shows(); }, 500));
  }
  if (verb == "click") {
    const HWND control = world.Control(args);
    // Under Wine without a window manager, a click on a panel that is not
    // the active window is taken by its activation.
    if (!Front(world.panel) || !PointAt(Centre(control), control)) return false;
    Button(true);
    Button(false);
    return step.want.empty() ? WaitUntil([&] { return Focused(world.panel) == control; })
                             : world.Shows(step.want);
  }
  if (verb == "double-click") {
    // A user double-clicks again when a busy machine took the clicks apart.
    const HWND icon = world.icon[World::Index(args)];
    for (int attempt = 0; attempt < 2 && !shows(); ++attempt) {
      if (!PointAt(Centre(icon), icon)) return false;
      DoubleClick();
      WaitUntil(shows, kDeadlineMs / 2);
    }
    return world.Shows(step.want);
  }
  if (verb == "answer") {
    const HWND prompt = World::Prompt();
    if (!prompt || !Front(prompt) ||
        !WaitUntil([&] { return Focused(prompt) == GetDlgItem(prompt, IDC_PASSW); }) ||
        !Type(prompt, args))
      return false;
    Key(VK_RETURN, true);
    const bool closed = WaitUntil([&] { return !IsWindowVisible(prompt); });
    Key(VK_RETURN, false);
    return closed && world.Shows(step.want);
  }
  if (verb == "type") return Type(world.panel, args);
  if (verb == "drag") return Drag(world, args);
  if (verb == "shot") return world.shots.empty() || Shot(world, args);
  if (verb == "program-shows") {
    return Send(world.Window(args), AskMessage(), kShowAgain) && world.Shows(step.want);
  }
  if (verb == "text") {
    const std::string name = args.substr(0, args.find(' '));
    const std::wstring text = name == args ? L"" : Wide(args.substr(name.size() + 1));
    return WaitUntil([&] { return Text(world.Control(name)) == text; });
  }
  return verb == "texts" && WaitUntil([&] {
           std::wstring texts = Text(world.panel);
           for (int id = static_cast<int>(ControlId::descriptionFrame);
                id <= static_cast<int>(ControlId::startButton); ++id) {
             texts += L"|" + Text(GetDlgItem(world.panel, id));
             if (Send(GetDlgItem(world.panel, id), BM_GETCHECK) == BST_CHECKED) texts += L" [x]";
           }
           return texts == Wide(args);
         });
}

// ---- the run ------------------------------------------------------------------------

std::FILE* report = nullptr;
int passed = 0, failed = 0;

void RunJourney(const std::wstring& exe, const std::wstring& shots, const Journey& journey) {
  World world;
  world.exe = exe;
  world.shots = shots;
  RegDeleteTreeW(HKEY_CURRENT_USER, kSettings.c_str());
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey.c_str(), L"nookshade");
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const wchar_t* titles[] = {nullptr, L"Window 1", L"Window 2", L"Window 3", L"Window 4", L""};
  bool ok = world.Start(self, L"--windows") && WaitUntil([&] {
              for (int n = 1; n <= kU; ++n)
                world.windows[n] = FindWindowW(kTestWindowClass, titles[n]);
              return std::all_of(world.windows + 1, world.windows + kU + 1, IsWindowVisible);
            });
  if (!ok && ++failed)
    std::fprintf(report, "FAIL %s.0 the windows of a second process\n", journey.name);
  world.iconsBefore = Icons().size();
  const std::vector<Step> steps = Parse(journey.steps);
  for (std::size_t n = 0; n < steps.size() && ok; ++n) {
    const auto before = Icons();
    ok = Run(world, steps[n]);
    // An icon that came with the step is the icon of the window it hid, or the panel's.
    for (HWND icon : Icons()) {
      if (std::find(before.begin(), before.end(), icon) == before.end())
        world.icon[steps[n].verb.find("Ctrl+") == 1 ? World::Index(steps[n].args) : 0] = icon;
    }
    (ok ? passed : failed)++;
    std::fprintf(report, "%s %s.%zu %s%s\n", ok ? "PASS" : "FAIL", journey.name, n + 1,
                 steps[n].text.substr(0, 80).c_str(), ok ? "" : (": " + world.State()).c_str());
    std::fflush(report);
  }
  // Closed as a user closes it, which gives back what it hid and takes its
  // icons away; by force when that does not end it.
  if (world.panel != nullptr && PostMessageW(world.panel, WM_CLOSE, 0, 0)) Ended(world.app);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"--windows") {
    // Small tiles below the top left corner, where Wine puts its tray.
    for (int n = 0; n <= 4; ++n) {
      CreateTestWindow(n == 0 ? L"" : (L"Window " + std::to_wstring(n)).c_str(), 20 + n * 170, 200,
                       150, 150);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
  }
  if (argc < 4 || (report = _wfopen(argv[2], L"wb")) == nullptr) return 2;
  runEnd = GetTickCount64() + 400000;
  const char* only = std::getenv("NOOKSHADE_E2E_ONLY");
  const std::string list = std::string(",").append(only ? only : "").append(",");
  for (const Journey& journey : kJourneys) {
    if (list == ",," || list.find(std::string(",").append(journey.name) += ',') != list.npos)
      RunJourney(argv[1], argv[3], journey);
  }
  std::fprintf(report, "%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
