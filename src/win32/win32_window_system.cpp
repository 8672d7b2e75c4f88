#include "win32/win32_window_system.h"

#include <vector>

#include "win32/dpi.h"
#include "win32/handle_cast.h"
#include "win32/wide_text.h"
#include "win32/win32_system.h"

namespace nookshade::win32 {
namespace {

// Another program's window answers icon queries on its own thread; a hung
// one must cost us no more than this.
constexpr UINT kIconQueryTimeoutMs = 200;

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) noexcept {
  auto& windows = *reinterpret_cast<std::vector<WindowHandle>*>(context);
  try {
    windows.push_back(FromHwnd(window));
    return TRUE;
  } catch (...) {
    Win32System::LogCaught("listing the top-level windows");
    return FALSE;  // out of memory: keep what was collected
  }
}

// The system calls a thread hung once it has not answered for five
// seconds; one that stopped answering more recently is given the rest of
// that time, so that a hotkey pressed as a program freezes holds us up no
// longer. Wine calls a thread that is just waking from a long wait hung for
// a moment; one that answers within a tenth of a second is not.
bool Hung(HWND window) {
  constexpr ULONGLONG kHungAfterMs = 5000;
  const ULONGLONG start = ::GetTickCount64();
  for (DWORD_PTR ignored = 0;;) {
    if (::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &ignored)) return false;
    if (!::IsWindow(window) || ::IsHungAppWindow(window)) return true;
    if (::GetTickCount64() - start >= kHungAfterMs) return true;
  }
}

// A window hidden in the middle of a drag of its title bar, a selection
// made with the mouse or an open menu would come back still in it: under
// Wine the button's release goes to no window of its program while it is
// hidden, and the window then follows the pointer with no button down.
// Windows ends such modes for a message box by sending WM_CANCELMODE to
// the window in them; so is the window's program told before the hide.
void EndMouseMode(HWND target) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(target, nullptr), &info)) return;
  for (const HWND inMode : {info.hwndMoveSize, info.hwndMenuOwner, info.hwndCapture}) {
    if (inMode == nullptr || ::GetAncestor(inMode, GA_ROOT) != target) continue;
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(inMode, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored);
    return;
  }
}

}  // namespace

WindowHandle Win32WindowSystem::GetForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

bool Win32WindowSystem::ShowWindow(WindowHandle window, ShowCommand command) {
  const HWND target = ToHwnd(window);
  // Showing or hiding another thread's window waits for that thread: one
  // that has stopped answering would hold the hotkeys and the tray with it.
  // Its window is left in sight rather than hidden, since a hide queued for
  // it would land once it answers, perhaps after the hide was given up on;
  // a show is queued, to happen when it answers.
  if (Hung(target)) {
    const bool wasVisible = ::IsWindowVisible(target) != FALSE;
    if (command != ShowCommand::Hide) ::ShowWindowAsync(target, static_cast<int>(command));
    return wasVisible;
  }
  if (command == ShowCommand::Hide) EndMouseMode(target);
  // SW_SHOW and SW_SHOWNA leave a window that is in sight where it is,
  // perhaps under others; asked for (the fake work over a game), it comes
  // to the front as a hidden one does, activated by its own thread as
  // SW_SHOW's is (SetForegroundWindow, under Wine, activates another
  // program's window later, after windows raised since). A window with a
  // dialog of its own open hands the keyboard to it, as the taskbar's
  // button does; the dialog goes first and its window just below it, since
  // under Wine a window raised after its dialog may stay above it.
  const HWND popup = command == ShowCommand::Hide ? nullptr : ::GetLastActivePopup(target);
  const bool toPopup =
      popup != nullptr && popup != target && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup);
  const UINT activate = command == ShowCommand::Show ? 0u : SWP_NOACTIVATE;
  if (command != ShowCommand::Hide && ::IsWindowVisible(target)) {
    ::SetWindowPos(toPopup ? popup : target, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | activate);
    if (toPopup) {
      ::SetWindowPos(target, popup, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return true;
  }
  const bool wasVisible = ::ShowWindow(target, static_cast<int>(command)) != FALSE;
  // A dialog of its own left in sight (hide-all leaves a work window's)
  // ends below the window under Wine: it comes back above it.
  if (toPopup) ::SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | activate);
  return wasVisible;
}

bool Win32WindowSystem::IsWindow(WindowHandle window) {
  return ::IsWindow(ToHwnd(window)) != FALSE;
}

bool Win32WindowSystem::IsWindowVisible(WindowHandle window) {
  return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

WindowHandle Win32WindowSystem::GetParent(WindowHandle window) {
  // ::GetParent answers a pop-up's owner too (a Find box's window), which
  // is GetOwner's to tell.
  const HWND hwnd = ToHwnd(window);
  if ((::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) == 0) return 0;
  return FromHwnd(::GetParent(hwnd));
}

WindowHandle Win32WindowSystem::GetOwner(WindowHandle window) {
  return FromHwnd(::GetWindow(ToHwnd(window), GW_OWNER));
}

std::string Win32WindowSystem::GetWindowText(WindowHandle window, int maxChars) {
  if (maxChars <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(maxChars), L'\0');
  const int length = ::GetWindowTextW(ToHwnd(window), buffer.data(), maxChars);
  if (length <= 0) return {};
  buffer.resize(static_cast<std::size_t>(length < maxChars ? length : maxChars - 1));
  return Narrow(buffer);
}

std::string Win32WindowSystem::GetWindowTitle(WindowHandle window) {
  const HWND target = ToHwnd(window);
  // The title can change between the two calls; a longer one is cut, and
  // the next reading gets it whole.
  const int length = ::GetWindowTextLengthW(target);
  if (length <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(target, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return Narrow(buffer);
}

std::uint32_t Win32WindowSystem::GetWindowProcessId(WindowHandle window) {
  DWORD processId = 0;
  if (::GetWindowThreadProcessId(ToHwnd(window), &processId) == 0) return 0;
  return processId;
}

std::string Win32WindowSystem::GetClassName(WindowHandle window) {
  // Class names are at most 256 characters.
  wchar_t buffer[257] = {};
  const int length = ::GetClassNameW(ToHwnd(window), buffer, 257);
  return length > 0 ? Narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)))
                    : std::string();
}

WindowHandle Win32WindowSystem::GetShellWindow() { return FromHwnd(::GetShellWindow()); }

WindowHandle Win32WindowSystem::GetDesktopWindow() { return FromHwnd(::GetDesktopWindow()); }

std::vector<WindowHandle> Win32WindowSystem::EnumTopLevelWindows() {
  std::vector<WindowHandle> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

WindowHandle Win32WindowSystem::FindWindowByTitle(std::string_view title) {
  const std::wstring wide = Widen(title);
  return FromHwnd(::FindWindowW(nullptr, wide.c_str()));
}

IconHandle Win32WindowSystem::GetWindowIcon(WindowHandle window, IconKind kind) {
  DWORD_PTR icon = 0;
  const WPARAM which = kind == IconKind::Big ? ICON_BIG : ICON_SMALL;
  if (::SendMessageTimeoutW(ToHwnd(window), WM_GETICON, which, 0, SMTO_ABORTIFHUNG,
                            kIconQueryTimeoutMs, &icon) == 0) {
    return 0;
  }
  return FromHandle(reinterpret_cast<const void*>(icon));
}

IconHandle Win32WindowSystem::GetClassSmallIcon(WindowHandle window) {
  return FromHandle(
      reinterpret_cast<const void*>(::GetClassLongPtrW(ToHwnd(window), GCLP_HICONSM)));
}

void Win32WindowSystem::SetWindowIcon(WindowHandle window, IconKind kind, IconHandle icon) {
  const WPARAM which = kind == IconKind::Big ? ICON_BIG : ICON_SMALL;
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(ToHwnd(window), WM_SETICON, which, reinterpret_cast<LPARAM>(ToHicon(icon)),
                        SMTO_ABORTIFHUNG, kIconQueryTimeoutMs, &ignored);
}

IconHandle Win32WindowSystem::LoadAppIcon(std::string_view resourceName, int width, int height) {
  auto key = std::make_tuple(Widen(resourceName), width, height);
  if (const auto found = appIcons_.find(key); found != appIcons_.end()) {
    return FromHandle(found->second.Get());
  }
  UniqueIcon icon(static_cast<HICON>(::LoadImageW(
      ::GetModuleHandleW(nullptr), std::get<0>(key).c_str(), IMAGE_ICON, width, height, 0)));
  if (!icon) return 0;
  const HICON loaded = icon.Get();
  appIcons_.emplace(std::move(key), std::move(icon));
  return FromHandle(loaded);
}

int Win32WindowSystem::GetSystemMetric(SystemMetric metric) {
  // Every metric the core asks for is a size.
  return SizeMetricForDpi(static_cast<int>(metric), WindowDpi(metricsWindow_));
}

std::int32_t Win32WindowSystem::SetTopmost(WindowHandle window, bool topmost) {
  // Not activated by it: the panel is made topmost while it loads, still
  // hidden, and a panel that starts in the tray is never shown; activating
  // it would take the keyboard from the program in front.
  return ::SetWindowPos(ToHwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

Point Win32WindowSystem::GetCursorPos() {
  POINT point{};
  if (!::GetCursorPos(&point)) return {};
  return {static_cast<std::int32_t>(point.x), static_cast<std::int32_t>(point.y)};
}

WindowHandle Win32WindowSystem::WindowFromPoint(Point point) {
  const POINT at{point.x, point.y};
  const HWND found = ::WindowFromPoint(at);
  const bool nothing = found == nullptr || found == ::GetDesktopWindow();
  // Under Wine with a window manager the title bars and frames are the
  // manager's, and the point there finds the window behind, or only the
  // desktop: the highest window in sight above that one whose frame (not
  // its client area, where the answer above stands) holds the point is
  // the one the user sees.
  const HWND below = nothing ? nullptr : ::GetAncestor(found, GA_ROOT);
  for (HWND window = ::GetTopWindow(nullptr); window != nullptr && window != below;
       window = ::GetWindow(window, GW_HWNDNEXT)) {
    const LONG_PTR clickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;
    RECT frame{};
    RECT client{};
    if (!::IsWindowVisible(window) || ::IsIconic(window) ||
        (::GetWindowLongPtrW(window, GWL_EXSTYLE) & clickThrough) == clickThrough ||
        !::GetWindowRect(window, &frame) || !::PtInRect(&frame, at) ||
        !::GetClientRect(window, &client)) {
      continue;
    }
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!::PtInRect(&client, at)) return FromHwnd(window);
  }
  return nothing ? 0 : FromHwnd(found);
}

std::int16_t Win32Keyboard::GetAsyncKeyState(int virtualKey) {
  return static_cast<std::int16_t>(::GetAsyncKeyState(virtualKey));
}

std::uint32_t Win32Keyboard::LastInputTime() {
  LASTINPUTINFO info{};
  info.cbSize = sizeof(info);
  // Without an answer every tick probes, as if input had just arrived.
  return ::GetLastInputInfo(&info) != FALSE ? info.dwTime : ::GetTickCount();
}

std::uint32_t Win32Keyboard::TickCount() { return ::GetTickCount(); }

bool Win32Keyboard::WatchInput(WindowHandle window) {
  // Generic desktop page: the keyboard and the mouse. INPUTSINK: also while
  // another program is in front. Raw input goes to every program that asks,
  // so nothing is taken from the program the keys are meant for.
  constexpr USHORT kGenericDesktop = 0x01;
  constexpr USHORT kMouse = 0x02;
  constexpr USHORT kKeyboard = 0x06;
  const RAWINPUTDEVICE devices[] = {
      {kGenericDesktop, kKeyboard, RIDEV_INPUTSINK, ToHwnd(window)},
      {kGenericDesktop, kMouse, RIDEV_INPUTSINK, ToHwnd(window)},
  };
  return ::RegisterRawInputDevices(devices, 2, sizeof(RAWINPUTDEVICE)) != FALSE;
}

RawInputEvent ReadRawInput(HRAWINPUT input) noexcept {
  RAWINPUT data{};
  UINT size = sizeof(data);
  // Unreadable: taken for a key, so that no press goes unseen.
  if (::GetRawInputData(input, RID_INPUT, &data, &size, sizeof(RAWINPUTHEADER)) ==
      static_cast<UINT>(-1)) {
    return {};
  }
  if (data.header.dwType == RIM_TYPEKEYBOARD) {
    const RAWKEYBOARD& key = data.data.keyboard;
    // Raw input names Shift, Ctrl and Alt by their generic code; the side
    // is in the scan code, so that the other side, still held, goes on
    // repeating unheard when one is let go of.
    constexpr USHORT kRightShiftScanCode = 0x36;
    const bool right = (key.Flags & RI_KEY_E0) != 0 || key.MakeCode == kRightShiftScanCode;
    int code = key.VKey;
    switch (key.VKey) {
      case VK_SHIFT:
        code = right ? VK_RSHIFT : VK_LSHIFT;
        break;
      case VK_CONTROL:
        code = right ? VK_RCONTROL : VK_LCONTROL;
        break;
      case VK_MENU:
        code = right ? VK_RMENU : VK_LMENU;
        break;
      default:
        break;
    }
    if ((key.Flags & RI_KEY_BREAK) != 0) return {true, code, 0};
    return {true, 0, code};
  }
  if (data.header.dwType != RIM_TYPEMOUSE) return {};
  constexpr USHORT kButtonTransitions =
      RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_LEFT_BUTTON_UP | RI_MOUSE_RIGHT_BUTTON_DOWN |
      RI_MOUSE_RIGHT_BUTTON_UP | RI_MOUSE_MIDDLE_BUTTON_DOWN | RI_MOUSE_MIDDLE_BUTTON_UP |
      RI_MOUSE_BUTTON_4_DOWN | RI_MOUSE_BUTTON_4_UP | RI_MOUSE_BUTTON_5_DOWN | RI_MOUSE_BUTTON_5_UP;
  return {(data.data.mouse.usButtonFlags & kButtonTransitions) != 0, 0};
}

}  // namespace nookshade::win32
