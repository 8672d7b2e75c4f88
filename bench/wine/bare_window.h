#pragma once
// The floor programs that nookshade.exe is measured against under Wine: a
// window, a one-millisecond timer on it and a message loop, with the work
// each program names on every tick and nothing else. The window stays
// hidden, as the armed panel does, unless the command line asks --show (to
// time a start-up to a visible window).

#include <windows.h>

namespace bare {

using Tick = void (*)();

// Runs the program until its window is closed; returns the exit code.
int Run(HINSTANCE instance, const wchar_t* className, Tick tick);

// The command-line argument after `name`, or nullptr.
const wchar_t* Option(const wchar_t* name);

}  // namespace bare
