#pragma once
// The one way the Win32 layer includes the system headers. Several core
// interfaces have methods whose names the headers also define as A/W
// macros (MessageBox, LoadLibrary, GetWindowText, CallWindowProc); the
// macros are dropped here so that those names mean our methods, and the
// layer calls the wide functions by their explicit names.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <winver.h>

#undef MessageBox
#undef LoadLibrary
#undef GetWindowText
#undef CallWindowProc
#undef GetClassName
