#pragma once
// Windows for the program to hide, shown by a second process: the driver
// started again with --windows. Hide-all reaches every process, so these
// windows live apart from the driver, which checks them from outside.

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "app_process.h"
#include "report.h"

namespace e2e {

inline constexpr wchar_t kTestWindowsSwitch[] = L"--windows";

// In the second process: shows the windows, then handles their messages
// until the process is ended.
int ShowTestWindows();

struct TestWindows {
  std::unique_ptr<App> process;
  // One more than the slots left beside the panel's, to reach the quota.
  std::vector<HWND> titled;
  // Visible, and none of them for hide-all: no title; owned; a child.
  HWND untitled = nullptr;
  HWND owned = nullptr;
  HWND child = nullptr;
};

// Starts the second process and waits until all its windows are visible;
// nothing (after a FAIL verdict) if they do not appear.
std::optional<TestWindows> StartTestWindows(Checker& check);

}  // namespace e2e
