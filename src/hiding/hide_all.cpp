#include "hiding/hide_all.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "hiding/password.h"
#include "text/numbers.h"

namespace nookshade {
namespace {

// Titles are read as the window system's 256-character buffer reads them;
// only whether there is one matters here.
constexpr int kTitleBuffer = 256;

// Window classes the shell documents for its taskbars, the desktop and the
// notification area's overflow; Wine's own notification area, shown when no
// other tray runs, holds the icons there.
constexpr std::array<std::string_view, 6> kShellClasses = {
    "Shell_TrayWnd", "Shell_SecondaryTrayWnd",   "Progman",
    "WorkerW",       "NotifyIconOverflowWindow", "__winex11_standalone_tray"};

bool SameClass(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<bool> HideAll::HideAllWindows() {
  if (AllHidden && !PasswordAccepted(platform_, state_)) return std::nullopt;
  AllHidden = !AllHidden;
  if (AllHidden) CollectWindows();
  HideListedWindows(AllHidden);
  return AllHidden;
}

void HideAll::CollectWindows() {
  hws_.Clear();
  WindowSystem& windows = platform_.windows;
  for (const WindowHandle window : windows.EnumTopLevelWindows()) {
    // The shell's windows may carry titles (the desktop's is "Program
    // Manager"), but they are never the program's to hide.
    if (!windows.IsWindowVisible(window) || windows.GetParent(window) != 0 ||
        windows.GetOwner(window) != 0 || windows.GetWindowText(window, kTitleBuffer).empty() ||
        IsShellWindow(windows, window)) {
      continue;
    }
    const std::size_t index = hws_.Add(std::to_string(window));
    hws_.SetItemData(index, window);
  }
}

void HideAll::HideListedWindows(bool hideThem) {
  const auto& items = hws_.Items();
  const std::size_t count = items.size();
  std::vector<WindowHandle> windows;
  windows.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& text = hideThem ? items[i].text : items[count - 1 - i].text;
    if (const auto handle = text::ParseInt32(text)) windows.push_back(*handle);
  }
  // Journaled before the first hide, forgotten after the last show.
  if (hideThem) journal_.Record(windows, HiddenBy::HideAll);
  for (const WindowHandle window : windows) {
    platform_.windows.ShowWindow(window, hideThem ? ShowCommand::Hide : ShowCommand::Show);
  }
  if (!hideThem) journal_.Forget(windows, HiddenBy::HideAll);
}

bool IsShellWindow(WindowSystem& windows, WindowHandle window) {
  if (window == 0) return false;
  if (window == windows.GetShellWindow() || window == windows.GetDesktopWindow()) return true;
  const std::string className = windows.GetClassName(window);
  for (const std::string_view shellClass : kShellClasses) {
    if (SameClass(className, shellClass)) return true;
  }
  return false;
}

}  // namespace nookshade
