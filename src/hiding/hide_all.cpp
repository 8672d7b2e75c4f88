#include "hiding/hide_all.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hiding/password.h"
#include "model/owned_windows.h"
#include "model/settings.h"
#include "model/shell_windows.h"

namespace nookshade {
namespace {

// Titles are read as the window system's 256-character buffer reads them;
// only whether there is one matters here.
constexpr int kTitleBuffer = 256;

}  // namespace

std::optional<bool> HideAll::Toggle() {
  if (allHidden_) {
    if (!PasswordAccepted(platform_, state_)) return std::nullopt;
    allHidden_ = false;
    ShowHidden();
    return false;
  }
  if (!HideCollected()) {
    platform_.dialogs.MessageBox(kJournalFailedMessage, kAppTitle, message_style::kIconExclamation);
    return std::nullopt;
  }
  allHidden_ = true;
  return true;
}

std::vector<WindowHandle> HideAll::CollectWindows() {
  std::vector<WindowHandle> candidates;
  WindowSystem& windows = platform_.windows;
  const std::uint32_t ownProcess = platform_.system.CurrentProcessId();
  for (const WindowHandle window : windows.EnumTopLevelWindows()) {
    if (!windows.IsWindowVisible(window) || windows.GetParent(window) != 0 ||
        windows.GetWindowText(window, kTitleBuffer).empty()) {
      continue;
    }
    // The way back stays in sight: the notification area with every icon,
    // and the program's own windows (a prompt open at this moment, a message
    // box, the panel).
    if (IsTrayWindow(windows, window) || windows.GetWindowProcessId(window) == ownProcess) {
      continue;
    }
    candidates.push_back(window);
  }
  // An owned window (a Find box, a program's question) goes with its
  // owner: left in sight, it would show what the user just hid. Others
  // stay, as the owned windows of the shell's and of ours. Listed from the
  // top: shown again from the bottom up, each ends where it was.
  return TakeWithOwners(windows, candidates, [this](WindowHandle owner) {
    if (owner == 0) return OwnerSays::Take;
    if (shownAgain && shownAgain(owner)) return OwnerSays::Leave;
    return heldInSlot && heldInSlot(owner) ? OwnerSays::Take : OwnerSays::AsOwner;
  });
}

bool HideAll::HideCollected() {
  WindowSystem& windows = platform_.windows;
  // The window the user was in comes back in front, whatever the window
  // system's order put above it (a topmost window; under Wine, one raised
  // without taking the keyboard).
  front_ = windows.GetForegroundWindow();
  std::vector<WindowIdentity> collected;
  for (const WindowHandle window : CollectWindows()) {
    collected.push_back(WindowIdentity::Of(windows, window));
  }
  // Journaled before the first hide.
  if (!journal_.Record(collected, HiddenBy::HideAll)) return false;
  hidden_ = std::move(collected);
  for (const WindowIdentity& window : hidden_) windows.ShowWindow(window.window, ShowCommand::Hide);
  return true;
}

void HideAll::ShowHidden() {
  // Left hidden, a modal question would leave its window shown but dead.
  // Only a window that is still the one hidden: its handle may name another
  // since, which the fake work may hold.
  std::vector<WindowIdentity> shown;
  std::vector<WindowHandle> stillNamed;
  for (const WindowIdentity& window : hidden_) {
    const bool same = window.StillNames(platform_.windows);
    if (same) stillNamed.push_back(window.window);
    if (same && dialogsHiddenWith) {
      for (const WindowIdentity& dialog : dialogsHiddenWith(window.window)) {
        if (std::ranges::find(hidden_, dialog) == hidden_.end()) shown.push_back(dialog);
      }
    }
    shown.push_back(window);
  }
  ShowAgain(platform_.windows, {shown.rbegin(), shown.rend()}, front_);
  // Forgotten after the last show.
  journal_.Forget(Handles(std::exchange(hidden_, {})), HiddenBy::HideAll);
  if (shownWithDialogs) {
    for (const WindowHandle window : stillNamed) shownWithDialogs(window);
  }
}

std::vector<WindowIdentity> HideAll::OwnedBy(WindowHandle window) {
  std::vector<WindowIdentity> owned;
  for (const WindowHandle dialog :
       nookshade::OwnedBy(platform_.windows, Handles(hidden_), window)) {
    owned.push_back(*std::ranges::find(hidden_, dialog, &WindowIdentity::window));
  }
  return owned;
}

bool HideAll::Adopt(const WindowIdentity& window, const std::vector<WindowIdentity>& dialogs) {
  // Whole identities: a record of the set whose handle names another
  // window since holds not this one.
  const auto held = [this](const WindowIdentity& w) {
    return std::ranges::find(hidden_, w) != hidden_.end();
  };
  // In sight (its program showed it since), it is the toggle's to show
  // with its dialogs: hidden, a modal question would leave it dead.
  if (!allHidden_ || platform_.windows.IsWindowVisible(window.window)) return false;
  const bool joins = !held(window);
  std::vector<WindowIdentity> adopted;
  std::ranges::copy_if(dialogs, std::back_inserter(adopted),
                       [&held](const WindowIdentity& d) { return !held(d); });
  if (joins) adopted.push_back(window);
  if (!journal_.Record(adopted, HiddenBy::HideAll)) return false;
  // Listed above their owner, as the set lists from the top: shown after
  // it. One that joins was hidden before the others: it comes back first.
  if (joins) {
    hidden_.insert(hidden_.end(), adopted.begin(), adopted.end());
  } else {
    hidden_.insert(std::ranges::find(hidden_, window), adopted.begin(), adopted.end());
  }
  return true;
}

void HideAll::Release(WindowHandle window) {
  if (std::erase_if(hidden_, [window](const WindowIdentity& w) { return w.window == window; }) >
      0) {
    journal_.Forget(window, HiddenBy::HideAll);
  }
}

}  // namespace nookshade
