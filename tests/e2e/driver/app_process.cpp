#include "app_process.h"

#include <tlhelp32.h>

#include "desktop.h"
#include "poll.h"

namespace e2e {

std::unique_ptr<App> App::Start(const std::wstring& exe, std::string& error,
                                const std::wstring& arguments) {
  std::unique_ptr<App> app(new App());
  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &app->info_)) {
    error = "CreateProcessW failed with " + std::to_string(GetLastError());
    return nullptr;
  }
  return app;
}

App::~App() {
  Stop();
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
  if (info_.hProcess != nullptr) CloseHandle(info_.hProcess);
}

bool App::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool App::WaitForExit(DWORD deadlineMs) const {
  return WaitForSingleObject(info_.hProcess, deadlineMs) == WAIT_OBJECT_0;
}

HWND App::WaitForPanel(DWORD deadlineMs) {
  WaitUntil(
      [&] {
        panel_ = FindTopLevel(pid(), kPanelClass, nullptr, false);
        return panel_ != nullptr || !Running();
      },
      deadlineMs);
  return panel_;
}

HWND App::Control(nookshade::ControlId id) const {
  return panel_ == nullptr ? nullptr : FindChildById(panel_, static_cast<int>(id));
}

void App::Stop() {
  if (info_.hProcess == nullptr || !Running()) return;
  if (panel_ == nullptr) panel_ = FindTopLevel(pid(), kPanelClass, nullptr, false);
  // Without a panel there is nothing to close, and past the run's budget
  // there is no time to wait for it.
  if (panel_ != nullptr && IsWindow(panel_) && WithinRunBudget()) {
    // Open message boxes would keep the close waiting behind them.
    for (HWND box : MessageBoxes(pid())) PostMessageW(box, WM_COMMAND, IDOK, 0);
    PostMessageW(panel_, WM_CLOSE, 0, 0);
    if (WaitForExit(kExitDeadlineMs)) return;
  }
  TerminateProcess(info_.hProcess, 1);
  WaitForExit(kExitDeadlineMs);
}

int KillStrays() {
  int killed = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, L"nookshade.exe") != 0) continue;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (process == nullptr) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kExitDeadlineMs);
    CloseHandle(process);
    ++killed;
  }
  CloseHandle(snapshot);
  return killed;
}

}  // namespace e2e
