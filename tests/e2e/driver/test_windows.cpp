#include <string>

#include "scenario.h"

namespace e2e {
namespace {

constexpr wchar_t kClass[] = L"NookshadeTestWindow";
constexpr wchar_t kOwnedCaption[] = L"Owned window";
constexpr wchar_t kChildCaption[] = L"Child window";
constexpr int kTitledCount = 11;
// Small tiles in rows below the top of the screen, where Wine puts its own
// tray; nothing may cover the tray's icons, which the driver clicks.
constexpr int kTile = 150;
constexpr int kTop = 200;
constexpr int kPerRow = 7;

std::wstring TitledCaption(int n) { return L"Window " + std::to_wstring(n); }

HWND Create(const std::wstring& caption, DWORD style, HWND parent, int tile) {
  return CreateWindowExW(0, kClass, caption.c_str(), style | WS_VISIBLE,
                         (tile % kPerRow) * (kTile + 20) + 20,
                         (tile / kPerRow) * (kTile + 40) + kTop, kTile, kTile, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

bool FindAll(DWORD pid, TestWindows& windows) {
  windows.titled.clear();
  for (int n = 1; n <= kTitledCount; ++n) {
    windows.titled.push_back(FindTopLevel(pid, kClass, TitledCaption(n).c_str(), true));
    if (windows.titled.back() == nullptr) return false;
  }
  windows.untitled = FindTopLevel(pid, kClass, L"", true);
  windows.owned = FindTopLevel(pid, kClass, kOwnedCaption, true);
  windows.child = windows.untitled ? FindChild(windows.untitled, kClass, kChildCaption) : nullptr;
  return windows.owned != nullptr && windows.child != nullptr;
}

}  // namespace

int ShowTestWindows() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = CreateSolidBrush(RGB(70, 130, 180));
  windowClass.lpszClassName = kClass;
  if (RegisterClassW(&windowClass) == 0) return 1;
  HWND untitled = Create(L"", WS_OVERLAPPEDWINDOW, nullptr, 0);
  CreateWindowExW(0, kClass, kChildCaption, WS_CHILD | WS_CAPTION | WS_VISIBLE, 10, 30, 100, 80,
                  untitled, nullptr, GetModuleHandleW(nullptr), nullptr);
  Create(kOwnedCaption, WS_OVERLAPPEDWINDOW, untitled, 1);
  for (int n = 1; n <= kTitledCount; ++n)
    Create(TitledCaption(n), WS_OVERLAPPEDWINDOW, nullptr, n + 1);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

std::optional<TestWindows> StartTestWindows(Checker& check) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::string error;
  TestWindows windows;
  windows.process = App::Start(self, error, kTestWindowsSwitch);
  const bool shown =
      windows.process != nullptr &&
      WaitUntil([&] { return FindAll(windows.process->pid(), windows); }, kStartDeadlineMs);
  if (!check.Check("test_windows_shown", shown, error.empty() ? "not all on screen" : error)) {
    return std::nullopt;
  }
  return windows;
}

}  // namespace e2e
