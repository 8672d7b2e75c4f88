#pragma once
// One running nookshade.exe (or the driver's own window process, which has
// no panel). The destructor always ends it: first as a user would (closing
// the panel), then by force, so no scenario leaves a process behind
// whatever happened in it.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/panel_view.h"

namespace e2e {

inline constexpr wchar_t kPanelClass[] = L"NookshadePanel";
inline constexpr wchar_t kPanelCaption[] = L"Nookshade Pro";

class App {
 public:
  // Starts the program; nothing when CreateProcessW fails (error says why).
  static std::unique_ptr<App> Start(const std::wstring& exe, std::string& error,
                                    const std::wstring& arguments = {});
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  DWORD pid() const { return info_.dwProcessId; }
  HANDLE process() const { return info_.hProcess; }
  bool Running() const;
  bool WaitForExit(DWORD deadlineMs) const;

  // The panel window, found by its class among this process's windows;
  // waits until it exists (visible or not).
  HWND WaitForPanel(DWORD deadlineMs);
  HWND panel() const { return panel_; }
  HWND Control(nookshade::ControlId id) const;

  // Ends the process, politely first.
  void Stop();

 private:
  App() = default;
  PROCESS_INFORMATION info_{};
  HWND panel_ = nullptr;
};

// Ends every nookshade.exe still running, for example one started by an
// earlier scenario whose cleanup could not find it.
int KillStrays();

}  // namespace e2e
