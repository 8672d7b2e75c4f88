#include "input.h"

namespace testinput {
namespace {

void Send(INPUT input) { SendInput(1, &input, sizeof(input)); }

void Mouse(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  Send(input);
}

// A Ctrl chord is a key other than a modifier going down, for the first
// time, while Ctrl is held; a release is any key coming up. Under Wine a
// release while the driver still holds the keys means the focus arriving
// took them away.
LRESULT chords = 0;
LRESULT releases = 0;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == AskMessage()) {
    if (wParam == kShowAgain) ShowWindow(window, SW_SHOW);
    return wParam == kChords ? chords : releases;
  }
  const bool modifier =
      (wParam >= VK_SHIFT && wParam <= VK_MENU) || (wParam >= VK_LSHIFT && wParam <= VK_RMENU);
  if (message == WM_KEYDOWN && (lParam & (1 << 30)) == 0 && !modifier &&
      GetKeyState(VK_CONTROL) < 0) {
    ++chords;
  }
  if (message == WM_KEYUP || message == WM_SYSKEYUP) ++releases;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void Key(WORD vk, bool down) {
  const bool extended = vk == VK_RCONTROL || vk == VK_RMENU;
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0u) | (down ? 0u : KEYEVENTF_KEYUP);
  Send(input);
}

void PointerTo(POINT at) {
  // Absolute input is in 1/65535ths of the virtual desktop.
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1;
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1;
  Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
        MulDiv(at.x - left, 65535, width), MulDiv(at.y - top, 65535, height));
}

void Button(bool down) { Mouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

void DoubleClick() {
  INPUT clicks[4] = {};
  for (int n = 0; n < 4; ++n) {
    clicks[n].type = INPUT_MOUSE;
    clicks[n].mi.dwFlags = n % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
  SendInput(4, clicks, sizeof(INPUT));
}

UINT AskMessage() {
  static const UINT message = RegisterWindowMessageW(L"NookshadeTestWindow.Ask");
  return message;
}

HWND CreateTestWindow(const wchar_t* title, int x, int y, int width, int height) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = TestWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = CreateSolidBrush(RGB(70, 130, 180));
  windowClass.lpszClassName = kTestWindowClass;
  RegisterClassW(&windowClass);  // fails harmlessly from the second window on
  return CreateWindowExW(0, kTestWindowClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width,
                         height, nullptr, nullptr, windowClass.hInstance, nullptr);
}

}  // namespace testinput
