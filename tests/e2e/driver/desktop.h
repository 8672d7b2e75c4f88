#pragma once
// What the driver can see of and do to another process's windows: the same
// things a user sees and does, through messages that cross processes.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Text of any window, also of another process (GetWindowTextW would only
// read captions there). Nothing when the window is gone or hangs.
std::optional<std::wstring> ReadText(HWND window);
bool WriteText(HWND window, const std::wstring& text);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
std::optional<LRESULT> CheckState(HWND button);
std::wstring ClassName(HWND window);
bool IsTopmost(HWND window);
bool HasStyle(HWND window, LONG_PTR style);

// Top-level windows owned by a process, hidden ones included.
std::vector<HWND> TopLevelWindows(DWORD processId);
HWND FindTopLevel(DWORD processId, const wchar_t* className, const wchar_t* caption,
                  bool visibleOnly);
// Searches the whole child tree, since controls may sit inside frames.
HWND FindChildById(HWND parent, int id);
HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text);

// Icons in Wine's own notification area (shown when no desktop tray runs),
// which keeps one child window per icon. Counted by their own visibility,
// so they stay countable while hide-all has hidden the area itself.
inline constexpr wchar_t kWineTrayClass[] = L"__winex11_standalone_tray";
std::vector<HWND> TrayIcons();
bool TrayIconShown(HWND icon);
// The one icon added since `before`, or nothing.
HWND NewTrayIcon(const std::vector<HWND>& before);

// Returns once the window's thread has handled everything queued before
// this call and is back in a message loop.
bool Sync(HWND window);

// Message boxes are dialogs of the standard class; their text sits in a
// static control with the identifier 0xFFFF.
struct MessageBoxView {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
};
std::vector<HWND> MessageBoxes(DWORD processId);
std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, DWORD deadlineMs);
// Presses OK and waits until the box is gone.
bool DismissMessageBox(HWND box);

// A click as the button itself performs it (check boxes toggle, the owner
// gets its notification); posted, so a modal box it opens cannot block us.
bool Click(HWND button);
bool PostCommand(HWND window, int id);

// Real input, as a user's. The target must be in front for keys to arrive.
bool BringToFront(HWND topLevel);
// Clicks at the window's centre; two clicks make a double-click.
bool MouseClick(HWND window, int clicks = 1);
// Moves the pointer in even steps, as a hand does, waiting for each.
bool MovePointer(POINT to, int steps = 1);
// The left button, wherever the pointer is.
void MouseButton(bool down);
POINT Centre(HWND window);
bool WaitForFocus(HWND control);
void KeyDown(WORD vk, bool extended = false);
void KeyUp(WORD vk, bool extended = false);

}  // namespace e2e
