#include "platform/win32/window_proc_thunk.h"

#include <map>
#include <memory>

namespace nookshade::win32 {
namespace {

struct Replacement {
  // Shared so that a handler which removes itself (the panel does, while it
  // unloads inside one of its own messages) stays alive until it returns.
  std::shared_ptr<MessageHandler> handler;
  WNDPROC previous = nullptr;
};

// Windows and their procedures belong to the one user-interface thread.
std::map<HWND, Replacement>& Replacements() {
  static std::map<HWND, Replacement> replacements;
  return replacements;
}

LRESULT CALLBACK ThunkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  std::shared_ptr<MessageHandler> handler;
  WNDPROC previous = nullptr;
  if (const auto found = Replacements().find(window); found != Replacements().end()) {
    handler = found->second.handler;
    previous = found->second.previous;
  }
  if (message == WM_NCDESTROY) {
    // The handle is about to be reused by the system; nothing may be found
    // under it afterwards.
    Replacements().erase(window);
  }
  if (handler && *handler) {
    try {
      return (*handler)(static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(window)), message,
                        wParam, lParam);
    } catch (...) {
      // The core failed before passing the message on; the window's own
      // procedure still gets it, so no message goes unhandled.
    }
  }
  if (previous != nullptr) return ::CallWindowProcW(previous, window, message, wParam, lParam);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

WindowProcToken InstallWindowProcThunk(HWND window, MessageHandler handler) {
  DWORD process = 0;
  if (::GetWindowThreadProcessId(window, &process) == 0 || process != ::GetCurrentProcessId()) {
    return 0;
  }
  auto shared = std::make_shared<MessageHandler>(std::move(handler));
  auto& replacements = Replacements();
  if (const auto found = replacements.find(window); found != replacements.end()) {
    // Installed already: the window's real previous procedure is the one
    // kept, never the thunk itself.
    found->second.handler = std::move(shared);
    return reinterpret_cast<WindowProcToken>(found->second.previous);
  }
  // The entry is made first: should that run out of memory, the window
  // keeps its own procedure instead of a thunk with nothing to call.
  const auto entry = replacements.try_emplace(window).first;
  entry->second.handler = std::move(shared);
  const LONG_PTR previous =
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ThunkProc));
  if (previous == 0) {
    replacements.erase(entry);
    return 0;
  }
  entry->second.previous = reinterpret_cast<WNDPROC>(previous);
  return static_cast<WindowProcToken>(previous);
}

void RemoveWindowProcThunk(HWND window, WindowProcToken previous) {
  if (previous != 0 && ::IsWindow(window)) {
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, static_cast<LONG_PTR>(previous));
  }
  Replacements().erase(window);
}

}  // namespace nookshade::win32
