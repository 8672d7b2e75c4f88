// The measurement driver that scripts/measure-wine.sh runs under Wine beside
// nookshade.exe and the bare programs. It gives the input a user would, from
// a window of its own in front, and times what it sees. Results go to files,
// one number a line, never to a pipe (Wine's background processes can hold
// a pipe open after a program ends).
//
//   nookshade_measure keys <vk> <period ms> <hold ms> <seconds>
//   nookshade_measure latency <presses> <nookshade|self> <result file>
//   nookshade_measure startup <runs> <result file> <command line> [<result file> <command line>...]
//   nookshade_measure wait-window <class> <shown|hidden> <deadline ms>
//   nookshade_measure arm <deadline ms>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/panel_view.h"
#include "input.h"
#include "win32/tray_icon.h"

namespace {

constexpr wchar_t kPanelClass[] = L"NookshadePanel";
// The hide-a-window hotkey's first window goes into slot 1: the armed
// panel holds slot 0.
constexpr WPARAM kFirstWindowSlot = 1;
constexpr DWORD kDeadlineMs = 3000;
// Wine refreshes the key state it answers from at most every 50 ms: a
// hotkey's keys are held about 250 ms, and keys wait as long after a focus
// change, or a key can be seen released while still held.
constexpr DWORD kHotkeyHoldMs = 250;
constexpr DWORD kAfterFocusMs = 250;

double Milliseconds() {
  static const double perMs = [] {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / perMs;
}

// Handles everything queued for this thread, also what other processes send
// to its windows (a hide or show of the target arrives that way).
void Drain() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

template <typename Condition>
bool PumpUntil(Condition&& condition, DWORD deadlineMs) {
  const double end = Milliseconds() + deadlineMs;
  for (;;) {
    Drain();
    if (condition()) return true;
    if (Milliseconds() >= end) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

// Sleeps between messages rather than waking every millisecond: the
// driver's own requests to wineserver would otherwise swamp wineserver's CPU
// figures while the keys are being sent.
void Pump(DWORD ms) {
  const double end = Milliseconds() + ms;
  for (;;) {
    Drain();
    const double left = end - Milliseconds();
    if (left <= 0) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left) + 1, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

HWND CreateFrontWindow(const wchar_t* title) {
  const HWND window = testinput::CreateTestWindow(title, 200, 200, 400, 300);
  Drain();
  return window;
}

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  const bool front = PumpUntil([window] { return GetForegroundWindow() == window; }, kDeadlineMs);
  Pump(kAfterFocusMs);
  return front;
}

bool WriteLines(const wchar_t* path, const std::vector<double>& values) {
  FILE* file = _wfopen(path, L"w");
  if (file == nullptr) return false;
  for (const double value : values) std::fprintf(file, "%.3f\n", value);
  return std::fclose(file) == 0;
}

// A key pressed every period and held for part of it, for the given time:
// input that keeps the poller's gate open, with a key that no hotkey uses.
int Keys(WORD vk, DWORD periodMs, DWORD holdMs, DWORD seconds) {
  const HWND window = CreateFrontWindow(L"Nookshade measure keys");
  if (window == nullptr || !BringToFront(window)) return 1;
  const double start = Milliseconds();
  for (double next = start; next - start < seconds * 1000.0; next += periodMs) {
    Pump(static_cast<DWORD>(std::max(0.0, next - Milliseconds())));
    testinput::Key(vk, true);
    Pump(holdMs);
    testinput::Key(vk, false);
  }
  return 0;
}

// Right Ctrl, then H: the time from H going down to the window in front
// being hidden. "nookshade" puts the window back by a double-click on its
// icon (the callback message the tray would post); "self" shows it again
// itself, for a program that hides it and keeps no record of it.
int Latency(int presses, bool restoreThroughNookshade, const wchar_t* resultFile) {
  const HWND target = CreateFrontWindow(L"Nookshade measure target");
  if (target == nullptr) return 1;
  std::vector<double> latencies;
  for (int i = 0; i < presses; ++i) {
    if (!BringToFront(target)) {
      std::fwprintf(stderr, L"press %d: the target did not come to the front\n", i + 1);
      break;
    }
    testinput::Key(VK_RCONTROL, true);
    Pump(kHotkeyHoldMs);
    testinput::Key('H', true);
    const double down = Milliseconds();
    const bool hidden = PumpUntil([target] { return !IsWindowVisible(target); }, kDeadlineMs);
    const double latency = Milliseconds() - down;
    Pump(100);
    testinput::Key('H', false);
    testinput::Key(VK_RCONTROL, false);
    if (!hidden) {
      std::fwprintf(stderr, L"press %d: the target was not hidden\n", i + 1);
      break;
    }
    latencies.push_back(latency);
    if (restoreThroughNookshade) {
      const HWND panel = FindWindowW(kPanelClass, nullptr);
      PostMessageW(panel, nookshade::win32::kTrayCallbackMessage, kFirstWindowSlot,
                   WM_LBUTTONDBLCLK);
    } else {
      ShowWindow(target, SW_SHOW);
    }
    if (!PumpUntil([target] { return IsWindowVisible(target) != FALSE; }, kDeadlineMs)) {
      std::fwprintf(stderr, L"press %d: the target did not come back\n", i + 1);
      break;
    }
  }
  if (!WriteLines(resultFile, latencies)) return 1;
  return static_cast<int>(latencies.size()) == presses ? 0 : 1;
}

struct ProcessWindow {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<ProcessWindow*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

// From CreateProcess to the program's first visible window; then the
// window is closed as a user closes it. Nothing when it never showed.
std::optional<double> TimeStartup(const std::wstring& commandLine) {
  std::wstring mutableLine = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const double start = Milliseconds();
  if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return std::nullopt;
  }
  ProcessWindow search{process.dwProcessId, nullptr};
  const bool shown = PumpUntil(
      [&search] {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      20000);
  const double elapsed = Milliseconds() - start;
  if (shown) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!shown) return std::nullopt;
  return elapsed;
}

// The programs take turns, so that a change in the machine's load falls on
// all of them alike; one round first warms the caches and is not counted.
int Startup(int runs, const std::vector<std::pair<std::wstring, std::wstring>>& programs) {
  std::vector<std::vector<double>> times(programs.size());
  for (int run = 0; run <= runs; ++run) {
    for (std::size_t i = 0; i < programs.size(); ++i) {
      const std::optional<double> elapsed = TimeStartup(programs[i].second);
      if (!elapsed) return 1;
      if (run > 0) times[i].push_back(*elapsed);
      Sleep(500);
    }
  }
  for (std::size_t i = 0; i < programs.size(); ++i) {
    if (!WriteLines(programs[i].first.c_str(), times[i])) return 1;
  }
  return 0;
}

int WaitWindow(const wchar_t* className, bool shown, DWORD deadlineMs) {
  return PumpUntil(
             [&] {
               const HWND window = FindWindowW(className, nullptr);
               return window != nullptr && (IsWindowVisible(window) != FALSE) == shown;
             },
             deadlineMs)
             ? 0
             : 1;
}

// The panel's Start command (its menu item), as a user arms it; done when
// the panel has gone to the tray.
int Arm(DWORD deadlineMs) {
  const HWND panel = FindWindowW(kPanelClass, nullptr);
  if (panel == nullptr) return 1;
  PostMessageW(panel, WM_COMMAND, static_cast<WPARAM>(nookshade::ControlId::menuStart), 0);
  return WaitWindow(kPanelClass, false, deadlineMs);
}

int Usage() {
  std::fputs(
      "usage: nookshade_measure keys <vk> <period ms> <hold ms> <seconds>\n"
      "       nookshade_measure latency <presses> <nookshade|self> <result file>\n"
      "       nookshade_measure startup <runs> <result file> <command line>"
      " [<result file> <command line>...]\n"
      "       nookshade_measure wait-window <class> <shown|hidden> <deadline ms>\n"
      "       nookshade_measure arm <deadline ms>\n",
      stderr);
  return 2;
}

DWORD Number(const wchar_t* text) { return static_cast<DWORD>(std::wcstoul(text, nullptr, 10)); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  if (command == L"keys" && argc == 6) {
    return Keys(static_cast<WORD>(Number(argv[2])), Number(argv[3]), Number(argv[4]),
                Number(argv[5]));
  }
  if (command == L"latency" && argc == 5) {
    return Latency(static_cast<int>(Number(argv[2])), std::wcscmp(argv[3], L"nookshade") == 0,
                   argv[4]);
  }
  if (command == L"startup" && argc >= 5 && argc % 2 == 1) {
    std::vector<std::pair<std::wstring, std::wstring>> programs;
    for (int i = 3; i + 1 < argc; i += 2) programs.emplace_back(argv[i], argv[i + 1]);
    return Startup(static_cast<int>(Number(argv[2])), programs);
  }
  if (command == L"wait-window" && argc == 5) {
    return WaitWindow(argv[2], std::wcscmp(argv[3], L"shown") == 0, Number(argv[4]));
  }
  if (command == L"arm" && argc == 3) return Arm(Number(argv[2]));
  return Usage();
}
