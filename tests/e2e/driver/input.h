#pragma once
// Keys as a user presses them, and windows for a program to hide: shared by the
// end-to-end driver and the measurement driver in bench/wine.

#include <windows.h>

namespace testinput {

// One key down or up. Right Ctrl and right Alt go as extended keys: without
// the flag Wine reports the left one.
void Key(WORD vk, bool down);

// Windows of this class count what keys did to them, so that a driver can
// tell a hotkey that reached one whole from one that Wine took apart: sent
// kAskMessage with an Ask in wParam, they answer its count.
inline constexpr wchar_t kTestWindowClass[] = L"NookshadeTestWindow";
inline constexpr UINT kAskMessage = WM_APP;
enum Ask : WPARAM { kChords, kReleases };
// Sent kHangMessage, a test window's thread stops answering for a minute, as
// a program that hangs.
inline constexpr UINT kHangMessage = WM_APP + 1;
// Sent kEndSessionMessage, the next test window hidden tells Nookshade's
// panel from inside its hide that the session ends: a message sent to a
// program while it waits on another program's window.
inline constexpr UINT kEndSessionMessage = WM_APP + 2;
// Sent kTrayAtHideMessage with a tray icon's identifier, the next test window
// hidden double-clicks that icon of Nookshade's from inside its hide, as a
// shell that sends its icons' callbacks (SendNotifyMessage) would.
inline constexpr UINT kTrayAtHideMessage = WM_APP + 3;
HWND CreateTestWindow(const wchar_t* title, int x, int y, int width, int height);

}  // namespace testinput
