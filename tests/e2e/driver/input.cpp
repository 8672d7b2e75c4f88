#include "input.h"

#include <initializer_list>

namespace testinput {
namespace {

// One batch of mouse input, which a busy machine cannot pull apart.
void Mouse(std::initializer_list<int> events, LONG x = 0, LONG y = 0) {
  INPUT inputs[4] = {};
  UINT count = 0;
  for (const int flags : events) {
    inputs[count].type = INPUT_MOUSE;
    inputs[count].mi.dx = x;
    inputs[count].mi.dy = y;
    inputs[count++].mi.dwFlags = flags;
  }
  SendInput(count, inputs, sizeof(INPUT));
}

// A Ctrl chord is a key other than a modifier going down, for the first
// time, while Ctrl is held; a release is any key coming up. Under Wine a
// release while the driver still holds the keys means the focus arriving
// took them away.
LRESULT chords = 0, releases = 0;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == AskMessage()) {
    if (wParam == kShowAgain) ShowWindow(window, SW_SHOW);
    return wParam == kChords ? chords : releases;
  }
  const bool modifier =
      (wParam >= VK_SHIFT && wParam <= VK_MENU) || (wParam >= VK_LSHIFT && wParam <= VK_RMENU);
  if (message == WM_KEYDOWN && !(lParam & (1 << 30)) && !modifier && GetKeyState(VK_CONTROL) < 0)
    ++chords;
  if (message == WM_KEYUP || message == WM_SYSKEYUP) ++releases;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void Key(WORD vk, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (vk == VK_RCONTROL || vk == VK_RMENU ? KEYEVENTF_EXTENDEDKEY : 0u) |
                     (down ? 0u : KEYEVENTF_KEYUP);
  SendInput(1, &input, sizeof(input));
}

// Absolute input is in 1/65535ths of the virtual desktop.
void PointerTo(POINT at) {
  Mouse({MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK},
        MulDiv(at.x - GetSystemMetrics(SM_XVIRTUALSCREEN), 65535,
               GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1),
        MulDiv(at.y - GetSystemMetrics(SM_YVIRTUALSCREEN), 65535,
               GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1));
}

void Button(bool down) { Mouse({down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP}); }

void DoubleClick() {
  Mouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
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
