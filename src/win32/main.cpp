// Start-up: the platform objects, the panel and the message loop. The
// program ends when the panel is closed and its window is gone.

#include <memory>

#include "app/panel.h"
#include "app/startup.h"
#include "model/program_state.h"
#include "win32/panel_window.h"
#include "win32/win32_dialogs.h"
#include "win32/win32_registry.h"
#include "win32/win32_shell.h"
#include "win32/win32_system.h"
#include "win32/win32_timers.h"
#include "win32/win32_window_system.h"

namespace {

using namespace nookshade;
using namespace nookshade::win32;

int RunMessageLoop(PanelWindow& view) {
  MSG message{};
  for (;;) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    if (view.TranslateInput(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

int Run(HINSTANCE instance) {
  Win32WindowSystem windows;
  Win32Keyboard keyboard;
  Win32Shell shell;
  Win32Registry registry;
  Win32Dialogs dialogs;
  Win32Timers timers;
  Win32System system;
  Platform platform{windows, keyboard, shell, registry, dialogs, timers, system};
  ProgramState state;
  PanelWindow view(timers, dialogs, windows);
  std::unique_ptr<Panel> panel;

  const bool started = nookshade::Main(platform, [&] {
    if (!view.Create(instance)) return;
    timers.Attach(view.Hwnd());
    dialogs.SetPanel(view.Hwnd());
    windows.SetMetricsWindow(view.Hwnd());
    panel = std::make_unique<Panel>(platform, state, view);
    view.Attach(panel.get());
    panel->Load();
    if (panel->StartsInTray()) {
      panel->Activate();
    } else {
      view.Show();
    }
  });
  if (!started) return 0;  // the running Nookshade was woken instead
  if (!panel || view.Hwnd() == nullptr) return 1;

  const int exitCode = RunMessageLoop(view);
  view.Attach(nullptr);
  dialogs.SetPanel(nullptr);
  windows.SetMetricsWindow(nullptr);
  return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*showCommand*/) {
  try {
    return Run(instance);
  } catch (...) {
    // The panel could not be set up, or its loop failed past every handler.
    Win32System::LogCaught("the start-up");
    return 1;
  }
}
