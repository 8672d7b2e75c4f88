#include "bare_window.h"

#include <cstdlib>
#include <cwchar>

namespace bare {
namespace {

// The same period as nookshade's poll timer (Wine gives 100 ticks a second).
constexpr UINT kTimerMs = 1;
constexpr UINT_PTR kTimerId = 1;
Tick onTick = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      onTick();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool Flag(const wchar_t* name) {
  for (int i = 1; i < __argc; ++i) {
    if (std::wcscmp(__wargv[i], name) == 0) return true;
  }
  return false;
}

}  // namespace

const wchar_t* Option(const wchar_t* name) {
  for (int i = 1; i + 1 < __argc; ++i) {
    if (std::wcscmp(__wargv[i], name) == 0) return __wargv[i + 1];
  }
  return nullptr;
}

int Run(HINSTANCE instance, const wchar_t* className, Tick tick) {
  onTick = tick;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  if (RegisterClassW(&windowClass) == 0) return 1;
  const HWND window = CreateWindowExW(0, className, className, WS_OVERLAPPEDWINDOW, 100, 100, 320,
                                      200, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  if (Flag(L"--show")) ShowWindow(window, SW_SHOW);
  SetTimer(window, kTimerId, kTimerMs, nullptr);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace bare
