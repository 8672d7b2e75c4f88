#pragma once
// Input as a user gives it, and windows for a program to hide: shared by the
// end-to-end driver and the measurement driver in bench/wine.

#include <windows.h>

namespace testinput {

// One key down or up. Right Ctrl and right Alt go as extended keys: without
// the flag Wine reports the left one.
void Key(WORD vk, bool down);
// The pointer to a point of the screen; the left button.
void PointerTo(POINT at);
void Button(bool down);
// Two clicks in one batch of input, so that a busy machine cannot stretch
// them apart beyond the double-click time.
void DoubleClick();

// Windows of this class count what keys did to them, so that a driver can
// tell a hotkey that reached one whole from one that Wine took apart, and
// show themselves again on request, as a program shows its own window that
// another one hid. The question goes as AskMessage() with an Ask in wParam.
inline constexpr wchar_t kTestWindowClass[] = L"NookshadeTestWindow";
enum Ask : WPARAM { kChords, kReleases, kShowAgain };
UINT AskMessage();
HWND CreateTestWindow(const wchar_t* title, int x, int y, int width, int height);

}  // namespace testinput
