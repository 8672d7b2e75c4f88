#include "input.h"

#include <atomic>

#include "win32/tray_icon.h"

namespace testinput {
namespace {

// A Ctrl chord is a key other than Ctrl going down while Ctrl is held; a
// release is any key coming up. Under Wine a release while the driver still
// holds the keys means the focus arriving took them away.
LRESULT chords = 0, releases = 0;
std::atomic<bool> endSessionAtHide = false;  // window 4 has a thread of its own
std::atomic<WPARAM> trayAtHide = 0;          // the icon's identifier + 1

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kAskMessage) return wParam == kChords ? chords : releases;
  if (message == kHangMessage) Sleep(60'000);
  if (message == kEndSessionMessage) endSessionAtHide = true;
  if (message == kTrayAtHideMessage) trayAtHide = wParam + 1;
  if (message == WM_SHOWWINDOW && wParam == FALSE) {
    const HWND panel = FindWindowW(L"NookshadePanel", nullptr);
    if (const WPARAM icon = trayAtHide.exchange(0)) {
      SendNotifyMessageW(panel, nookshade::win32::kTrayCallbackMessage, icon - 1, WM_LBUTTONDBLCLK);
    }
    if (endSessionAtHide.exchange(false)) {
      SendMessageW(panel, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    }
  }
  if (message == WM_KEYDOWN && wParam != VK_CONTROL && GetKeyState(VK_CONTROL) < 0) ++chords;
  if (message == WM_KEYUP || message == WM_SYSKEYUP) ++releases;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void Key(WORD vk, bool down) {
  INPUT input{INPUT_KEYBOARD, {}};
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (vk == VK_RCONTROL || vk == VK_RMENU ? KEYEVENTF_EXTENDEDKEY : 0u) |
                     (down ? 0u : KEYEVENTF_KEYUP);
  SendInput(1, &input, sizeof(input));
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
