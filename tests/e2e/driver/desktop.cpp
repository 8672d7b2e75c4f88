#include "desktop.h"

#include <algorithm>
#include <cstdlib>

#include "poll.h"

namespace e2e {
namespace {

constexpr UINT kMessageTimeoutMs = 3000;
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;
constexpr int kMessageBoxTextId = 0xFFFF;

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, kSendFlags, kMessageTimeoutMs,
                          &result) == 0) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

struct ChildSearch {
  int id = 0;
  const wchar_t* className = nullptr;
  const wchar_t* text = nullptr;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<ChildSearch*>(param);
  if (search.className == nullptr) {
    if (GetDlgCtrlID(window) == search.id) {
      search.found = window;
      return FALSE;
    }
    return TRUE;
  }
  if (ClassName(window) == search.className &&
      (search.text == nullptr || ReadText(window) == std::wstring(search.text))) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

struct TopLevelSearch {
  DWORD processId = 0;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId) search.found.push_back(window);
  return TRUE;
}

void SendKey(WORD vk, bool extended, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0u) | (up ? KEYEVENTF_KEYUP : 0u);
  SendInput(1, &input, sizeof(input));
}

void SendMouse(DWORD flags, LONG x, LONG y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

}  // namespace

std::optional<std::wstring> ReadText(HWND window) {
  if (window == nullptr || !IsWindow(window)) return std::nullopt;
  const auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  std::wstring buffer(static_cast<std::size_t>(*length) + 1, L'\0');
  const auto copied =
      Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  if (!copied) return std::nullopt;
  buffer.resize(static_cast<std::size_t>(*copied));
  return buffer;
}

bool WriteText(HWND window, const std::wstring& text) {
  return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
}

std::optional<LRESULT> CheckState(HWND button) {
  if (button == nullptr) return std::nullopt;
  return Send(button, BM_GETCHECK, 0, 0);
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool IsTopmost(HWND window) {
  return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool HasStyle(HWND window, LONG_PTR style) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  TopLevelSearch search{processId, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(DWORD processId, const wchar_t* className, const wchar_t* caption,
                  bool visibleOnly) {
  for (HWND window : TopLevelWindows(processId)) {
    if (visibleOnly && !IsWindowVisible(window)) continue;
    if (className != nullptr && ClassName(window) != className) continue;
    if (caption != nullptr && ReadText(window) != std::wstring(caption)) continue;
    return window;
  }
  return nullptr;
}

HWND FindChildById(HWND parent, int id) {
  ChildSearch search;
  search.id = id;
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text) {
  ChildSearch search;
  search.className = className;
  search.text = text;
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  for (HWND tray = FindWindowExW(nullptr, nullptr, kWineTrayClass, nullptr); tray != nullptr;
       tray = FindWindowExW(nullptr, tray, kWineTrayClass, nullptr)) {
    for (HWND icon = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr); icon != nullptr;
         icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
      if (TrayIconShown(icon)) icons.push_back(icon);
    }
  }
  return icons;
}

bool TrayIconShown(HWND icon) { return IsWindow(icon) && HasStyle(icon, WS_VISIBLE); }

HWND NewTrayIcon(const std::vector<HWND>& before) {
  HWND added = nullptr;
  for (HWND icon : TrayIcons()) {
    if (std::find(before.begin(), before.end(), icon) != before.end()) continue;
    if (added != nullptr) return nullptr;
    added = icon;
  }
  return added;
}

bool Sync(HWND window) { return Send(window, WM_NULL, 0, 0).has_value(); }

std::vector<HWND> MessageBoxes(DWORD processId) {
  std::vector<HWND> boxes;
  for (HWND window : TopLevelWindows(processId)) {
    // A dialog with an edit field, such as the password prompt, is not one.
    if (IsWindowVisible(window) && ClassName(window) == L"#32770" &&
        GetDlgItem(window, kMessageBoxTextId) != nullptr &&
        FindChild(window, L"Edit", nullptr) == nullptr) {
      boxes.push_back(window);
    }
  }
  return boxes;
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, DWORD deadlineMs) {
  HWND box = nullptr;
  if (!WaitUntil(
          [&] {
            const auto boxes = MessageBoxes(processId);
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
          },
          deadlineMs)) {
    return std::nullopt;
  }
  MessageBoxView view;
  view.window = box;
  view.caption = ReadText(box).value_or(L"");
  view.text = ReadText(GetDlgItem(box, kMessageBoxTextId)).value_or(L"");
  return view;
}

bool DismissMessageBox(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  if (ok == nullptr) ok = FindChild(box, L"Button", L"OK");
  if (ok == nullptr || !Click(ok)) return false;
  return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

bool Click(HWND button) { return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0) != 0; }

bool PostCommand(HWND window, int id) {
  return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) != 0;
}

bool BringToFront(HWND topLevel) {
  if (GetForegroundWindow() != topLevel) SetForegroundWindow(topLevel);
  return WaitUntil([&] { return GetForegroundWindow() == topLevel; });
}

bool MovePointer(POINT to, int steps) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  POINT from{};
  if (width <= 1 || height <= 1 || !GetCursorPos(&from)) return false;
  for (int n = 1; n <= steps; ++n) {
    const POINT step{from.x + MulDiv(to.x - from.x, n, steps),
                     from.y + MulDiv(to.y - from.y, n, steps)};
    // Absolute input is in 1/65535ths of the virtual desktop, which may
    // round a pixel off.
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
              MulDiv(step.x - left, 65535, width - 1), MulDiv(step.y - top, 65535, height - 1));
    if (!WaitUntil([&] {
          POINT now{};
          return GetCursorPos(&now) && std::abs(now.x - step.x) <= 1 &&
                 std::abs(now.y - step.y) <= 1;
        })) {
      return false;
    }
  }
  return true;
}

void MouseButton(bool down) { SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, 0, 0); }

POINT Centre(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool MouseClick(HWND window, int clicks) {
  if (!IsWindow(window) || !MovePointer(Centre(window)) || !WaitUntil([&] {
        POINT now{};
        return GetCursorPos(&now) && WindowFromPoint(now) == window;
      })) {
    return false;
  }
  for (int n = 0; n < clicks; ++n) {
    MouseButton(true);
    MouseButton(false);
  }
  return true;
}

bool WaitForFocus(HWND control) {
  const DWORD thread = GetWindowThreadProcessId(control, nullptr);
  return WaitUntil([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus == control;
  });
}

void KeyDown(WORD vk, bool extended) { SendKey(vk, extended, false); }
void KeyUp(WORD vk, bool extended) { SendKey(vk, extended, true); }

}  // namespace e2e
