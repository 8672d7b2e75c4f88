#pragma once
// A simulated desktop for tests: a stateful stand-in for the window system,
// keyboard, shell, registry, modal windows, timers and process services.
// Tests build a world (windows, stored settings, answers to prompts), drive
// the program through it, and observe outcomes, not calls.

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace nookshade::sim {

struct SimWindow {
  WindowHandle handle = 0;
  std::string title;
  std::string className = "SimWindow";
  std::uint32_t processId = 4242;
  // A window of a program with more rights than ours ignores our hides.
  bool refusesHide = false;
  bool visible = true;
  bool hiddenByItsProgram = false;  // out of sight by its own program's doing
  WindowHandle parent = 0;
  WindowHandle owner = 0;
  bool topmost = false;
  IconHandle bigIcon = 0;
  IconHandle smallIcon = 0;
  IconHandle classSmallIcon = 0;
  // The window's procedure for raw input, once the window watches input:
  // with the key let go of, or 0.
  std::function<void(int code, bool down)> onInput;
};

// Thrown at the change of the world at which a test kills the program.
struct Killed {};

struct RegistryValue {
  enum class Type { String, Dword, Binary } type = Type::String;
  std::string data;
};

class SimDesktop final : public WindowSystem,
                         public Keyboard,
                         public Shell,
                         public Registry,
                         public Dialogs,
                         public Timers,
                         public System {
 public:
  Platform platform() { return Platform{*this, *this, *this, *this, *this, *this, *this}; }

  // Counts down the program's changes of the world (a window shown or
  // hidden, a value written or deleted, a tray call); the one that reaches
  // zero throws Killed instead of happening. 0: never.
  int killAt = 0;

  // ---- the world -------------------------------------------------------
  // A new window, on top of the others.
  WindowHandle AddWindow(std::string title, bool visible = true, WindowHandle owner = 0,
                         WindowHandle parent = 0) {
    SimWindow& window = windows_.emplace_front();
    window.handle = std::exchange(nextHandle_, nextHandle_ + 0x10);
    window.title = std::move(title);
    window.visible = visible;
    window.hiddenByItsProgram = !visible;
    window.owner = owner;
    window.parent = parent;
    return window.handle;
  }
  void DestroyWindow(WindowHandle window) {
    // The shell drops the icons of a window that is gone.
    std::erase_if(trayIcons, [window](const auto& icon) { return icon.first.first == window; });
    std::erase_if(windows_, [window](const SimWindow& w) { return w.handle == window; });
    if (foreground_ == window) foreground_ = 0;
  }
  SimWindow* Find(WindowHandle window) {
    const auto it = std::ranges::find(windows_, window, &SimWindow::handle);
    return it == windows_.end() ? nullptr : &*it;
  }
  const SimWindow* Find(WindowHandle window) const {
    return const_cast<SimDesktop*>(this)->Find(window);
  }
  // A window's own program shows or hides it: no change of our program's.
  void ShowByItsProgram(WindowHandle window, ShowCommand command) { Show(window, command, true); }
  void SetForeground(WindowHandle window) {
    foreground_ = window;
    Raise(window);
  }
  // To the top of the Z-order without the keyboard, as a topmost window is;
  // the windows it owns stay above it.
  void Raise(WindowHandle window) {
    const auto it = std::ranges::find(windows_, window, &SimWindow::handle);
    if (it == windows_.end()) return;
    windows_.splice(windows_.begin(), windows_, it);
    std::vector<WindowHandle> owned;
    for (const SimWindow& w : windows_) {
      if (w.owner == window) owned.insert(owned.begin(), w.handle);
    }
    for (const WindowHandle w : owned) Raise(w);
  }

  // ---- registry --------------------------------------------------------
  std::optional<std::string> StoredString(const std::string& path, const std::string& name) const {
    const auto it = values_.find(ValueKey(path, name));
    if (it == values_.end() || it->second.type != RegistryValue::Type::String) return {};
    return it->second.data;
  }
  bool Stores(const std::string& path, const std::string& name) const {
    return values_.contains(ValueKey(path, name));
  }
  void StoreString(const std::string& path, const std::string& name, std::string value) {
    StoreValue(path, name, {RegistryValue::Type::String, std::move(value)});
  }
  void StoreValue(const std::string& path, const std::string& name, RegistryValue value) {
    registryKeys_.insert(Lower(path));
    values_[ValueKey(path, name)] = std::move(value);
  }
  // CreateKey, OpenKey (CreateKey too) or SetString on this (lower-case)
  // path answers with the status.
  std::map<std::string, std::int32_t> failCreateKey;
  std::map<std::string, std::int32_t> failOpenKey;
  std::map<std::string, std::int32_t> failSetString;
  int OpenKeys() const { return static_cast<int>(openKeys_.size()); }

  // ---- modal windows ---------------------------------------------------
  std::vector<std::string> messageBoxes;  // "<title>: <text>"
  // Runs inside each message box, as its nested message loop would.
  std::function<void()> whileMessageBoxOpen;
  // Answers for the password prompt, taken in order; nothing = cancel.
  std::deque<std::optional<std::string>> passwordAnswers;
  std::function<void()> whilePasswordPromptOpen;
  int passwordPromptsShown = 0;
  // Prompts that had lost the keyboard to another window when answered.
  int promptsBehind = 0;

  // ---- shell -----------------------------------------------------------
  // The icons in the notification area, by owner and identifier.
  std::map<std::pair<WindowHandle, std::int32_t>, IconHandle> trayIcons;
  // The shell refuses this many adds (it is restarting, or gone).
  int failTrayAdds = 0;
  // Each time the notification area comes back it is a new window.
  int trayRestarts = 0;
  WindowHandle shellWindow = 0;
  WindowHandle desktopWindow = 0;

  // ---- timers and keyboard ---------------------------------------------
  bool TimerRunning(TimerId id) const { return timers_.contains(id); }
  // One period of a running timer: the clock moves on by its interval.
  void FireTimer(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    now += it->second.first;
    const std::function<void()> tick = it->second.second;  // it may stop its timer
    tick();
  }
  // Left and right Shift, Ctrl and Alt (160 to 165) also press and release
  // their generic code (16, 17, 18); mouse buttons are codes 1, 2 and 4.
  // Windows marks a press as "pressed since the last probe" on both codes;
  // Wine on the side-specific code alone (the generic one only goes down).
  enum class KeyboardMode { Windows, Wine } keyboardMode = KeyboardMode::Windows;
  void PressKey(int virtualKey) { KeyEvent(virtualKey, true); }
  void ReleaseKey(int virtualKey) { KeyEvent(virtualKey, false); }
  // Wine answers GetAsyncKeyState from a copy of the key state that it
  // refreshes at most every 50 ms: with a delay, a key event moves the input
  // clock (and is told of) at once, and reaches the key state so many
  // milliseconds later.
  std::uint32_t keyStateDelayMs = 0;
  // Runs before each probe of a key's state: input that arrives in the
  // middle of a scan, as Wine publishes it up to 50 ms late.
  std::function<void(int virtualKey)> beforeProbe;
  // Another program asks every key's state as often as keys go down (a
  // game, a macro tool): each press bit is taken as it is set.
  bool pressBitsTaken = false;
  // Input that sets no press bit (the pointer moved): the input clock moves
  // on, and no window is told of it.
  void MovePointer() { lastInput = now; }
  // Once a window watches input, each key and button event reaches its
  // SimWindow::onInput as it happens (as WM_INPUT reaches its procedure).
  bool rawInputRegisters = true;
  // Runs while the registration is under way: input made then is not told of.
  std::function<void()> whileRegistering;
  // The input clock: milliseconds now and the time stamp of the last input.
  std::uint32_t now = 0;
  std::uint32_t lastInput = 0;
  WindowHandle pointerWindow = 0;

  // ---- process ---------------------------------------------------------
  std::string modulePath = "C:\\Program Files\\Nookshade\\nookshade.exe";
  // The program's own windows (the panel, its prompt) belong to this process;
  // every other window to another program's (SimWindow::processId).
  std::uint32_t ownProcessId = 1000;
  std::vector<std::string> log;
  bool instanceRunning = false;  // a Nookshade holds the claim
  int wakes = 0;
  // The program's process ends, killed or done: its windows, timers, modal
  // loops and claim go with it.
  void EndProcess() {
    std::erase_if(windows_, [this](const SimWindow& w) { return w.processId == ownProcessId; });
    std::erase_if(trayIcons, [this](const auto& icon) { return !IsWindow(icon.first.first); });
    timers_.clear();
    promptOpen_ = false;
    instanceRunning = false;
  }

  // WindowSystem
  WindowHandle GetForegroundWindow() override { return foreground_; }
  bool ShowWindow(WindowHandle window, ShowCommand command) override {
    MaybeKilled();
    return Show(window, command, false);
  }
  bool IsWindow(WindowHandle window) override { return Find(window) != nullptr; }
  bool IsWindowVisible(WindowHandle w) override { return Get(w, &SimWindow::visible); }
  WindowHandle GetParent(WindowHandle w) override { return Get(w, &SimWindow::parent); }
  WindowHandle GetOwner(WindowHandle w) override { return Get(w, &SimWindow::owner); }
  std::string GetWindowText(WindowHandle window, int maxChars) override {
    return GetWindowTitle(window).substr(0, std::max(maxChars - 1, 0));
  }
  std::string GetWindowTitle(WindowHandle w) override { return Get(w, &SimWindow::title); }
  std::vector<WindowHandle> EnumTopLevelWindows() override {
    std::vector<WindowHandle> handles;
    for (const SimWindow& w : windows_) {
      if (TopLevel(w)) handles.push_back(w.handle);
    }
    return handles;
  }
  std::uint32_t GetWindowProcessId(WindowHandle w) override {
    return Get(w, &SimWindow::processId);
  }
  std::string GetClassName(WindowHandle w) override { return Get(w, &SimWindow::className); }
  WindowHandle GetShellWindow() override { return shellWindow; }
  WindowHandle GetDesktopWindow() override { return desktopWindow; }
  WindowHandle FindWindowByTitle(std::string_view title) override {
    for (const SimWindow& w : windows_) {
      if (TopLevel(w) && Lower(w.title) == Lower(title)) return w.handle;
    }
    return 0;
  }
  IconHandle GetWindowIcon(WindowHandle window, IconKind kind) override {
    return Get(window, kind == IconKind::Big ? &SimWindow::bigIcon : &SimWindow::smallIcon);
  }
  IconHandle GetClassSmallIcon(WindowHandle w) override {
    return Get(w, &SimWindow::classSmallIcon);
  }
  void SetWindowIcon(WindowHandle window, IconKind kind, IconHandle icon) override {
    if (SimWindow* target = Find(window)) {
      (kind == IconKind::Big ? target->bigIcon : target->smallIcon) = icon;
    }
  }
  // One shared image per size.
  IconHandle LoadAppIcon(std::string_view, int width, int) override { return 0x7000 + width; }
  int GetSystemMetric(SystemMetric metric) override {
    return metric == SystemMetric::IconWidth || metric == SystemMetric::IconHeight ? 32 : 16;
  }
  std::int32_t SetTopmost(WindowHandle window, bool topmost) override {
    if (SimWindow* target = Find(window)) target->topmost = topmost;
    return IsWindow(window);
  }
  Point GetCursorPos() override { return {}; }
  WindowHandle WindowFromPoint(Point) override { return pointerWindow; }

  // Keyboard
  std::int16_t GetAsyncKeyState(int virtualKey) override {
    if (!IsKey(virtualKey)) return 0;
    PublishKeys();
    if (beforeProbe) beforeProbe(virtualKey);
    return std::exchange(keys_[virtualKey], static_cast<std::int16_t>(keys_[virtualKey] & ~1));
  }
  std::uint32_t LastInputTime() override { return lastInput; }
  std::uint32_t TickCount() override { return now; }
  bool WatchInput(WindowHandle window) override {
    if (whileRegistering) whileRegistering();
    if (!rawInputRegisters || !IsWindow(window)) return false;
    inputWatcher_ = window;
    return true;
  }

  // Shell
  bool ShowIcon(WindowHandle owner, std::int32_t id, IconHandle icon) override {
    MaybeKilled();
    if (!trayIcons.contains({owner, id}) && failTrayAdds > 0) {
      --failTrayAdds;
      return false;
    }
    trayIcons[{owner, id}] = icon;
    return true;
  }
  void RemoveIcon(WindowHandle owner, std::int32_t id) override {
    MaybeKilled();
    trayIcons.erase({owner, id});
  }
  WindowHandle TrayWindow() override { return failTrayAdds > 0 ? 0 : 0x7e00 + trayRestarts; }

  // Registry. The program never uses a key it has closed: at() throws if it does.
  std::int32_t CreateKey(std::string_view path, RegistryKey& key) override {
    const auto failure = failCreateKey.find(Lower(path));
    if (failure != failCreateKey.end()) return failure->second;
    registryKeys_.insert(Lower(path));
    return OpenKey(path, key, true);
  }
  std::int32_t OpenKey(std::string_view path, RegistryKey& key, bool write) override {
    if (const auto it = failOpenKey.find(Lower(path)); it != failOpenKey.end()) return it->second;
    if (!registryKeys_.contains(Lower(path))) return registry_status::kFileNotFound;
    key = nextKey_++;
    openKeys_[key] = {Lower(path), write};
    return registry_status::kSuccess;
  }
  std::int32_t QueryString(RegistryKey key, std::string_view name, std::string& value) override {
    const auto it = values_.find(ValueKey(openKeys_.at(key).first, name));
    if (it == values_.end()) return registry_status::kFileNotFound;
    if (it->second.type != RegistryValue::Type::String) return registry_status::kUnsupportedType;
    value = it->second.data;
    return registry_status::kSuccess;
  }
  std::int32_t SetString(RegistryKey key, std::string_view name, std::string_view value) override {
    MaybeKilled();
    const auto& [path, writable] = openKeys_.at(key);
    // As the registry does: a key opened for reading refuses changes.
    if (!writable) return registry_status::kAccessDenied;
    if (const auto it = failSetString.find(path); it != failSetString.end()) return it->second;
    values_[ValueKey(path, name)] = {RegistryValue::Type::String, std::string(value)};
    return registry_status::kSuccess;
  }
  std::int32_t DeleteValue(RegistryKey key, std::string_view name) override {
    MaybeKilled();
    const auto& [path, writable] = openKeys_.at(key);
    if (!writable) return registry_status::kAccessDenied;
    return values_.erase(ValueKey(path, name)) > 0 ? registry_status::kSuccess
                                                   : registry_status::kFileNotFound;
  }
  void CloseKey(RegistryKey key) override { openKeys_.erase(key); }
  std::string DescribeStatus(std::int32_t status) override {
    if (status == registry_status::kAccessDenied) return "Access is denied.";
    if (status != registry_status::kFileNotFound) return "Status " + std::to_string(status) + ".";
    return "The system cannot find the file specified.";
  }

  // Dialogs
  int MessageBox(std::string_view text, std::string_view title, std::uint32_t) override {
    messageBoxes.push_back(std::string(title) + ": " + std::string(text));
    if (whileMessageBoxOpen) whileMessageBoxOpen();
    return 1;  // IDOK
  }
  std::optional<SecretString> RunPasswordPrompt(
      const std::function<void(WindowHandle)>& onLoad) override {
    ++passwordPromptsShown;
    const WindowHandle prompt = prompt_ = AddWindow("Enter Password", false);
    Find(prompt)->processId = ownProcessId;
    onLoad(prompt);
    ShowWindow(prompt, ShowCommand::Show);
    promptOpen_ = true;
    if (whilePasswordPromptOpen) whilePasswordPromptOpen();
    if (promptOpen_ && foreground_ != prompt) ++promptsBehind;  // not closed by the program
    promptOpen_ = false;
    DestroyWindow(prompt);
    if (passwordAnswers.empty()) return std::nullopt;
    const std::optional<std::string> answer = std::move(passwordAnswers.front());
    passwordAnswers.pop_front();
    if (!answer) return std::nullopt;
    return SecretString(*answer);
  }
  bool IsPasswordPromptVisible() override { return promptOpen_; }
  void BringPasswordPromptForward() override {
    if (promptOpen_) SetForeground(prompt_);
  }
  void UnloadPasswordPrompt() override { promptOpen_ = false; }

  // Timers
  void StartTimer(TimerId id, unsigned intervalMs, std::function<void()> tick) override {
    timers_[id] = {intervalMs, std::move(tick)};
  }
  void StopTimer(TimerId id) override { timers_.erase(id); }

  // System
  std::string ModulePath() override { return modulePath; }
  void Log(std::string_view line) override { log.emplace_back(line); }
  bool ClaimSingleInstance() override { return !std::exchange(instanceRunning, true); }
  void WakeRunningInstance() override { ++wakes; }
  std::uint32_t CurrentProcessId() override { return ownProcessId; }

 private:
  bool Show(WindowHandle window, ShowCommand command, bool byItsProgram) {
    SimWindow* target = Find(window);
    if (target == nullptr) return false;
    const bool wasVisible = target->visible;
    // A program with more rights than ours ignores our hides, not its own.
    if (command == ShowCommand::Hide && target->refusesHide && !byItsProgram) return wasVisible;
    target->visible = command != ShowCommand::Hide;
    target->hiddenByItsProgram = byItsProgram && !target->visible;
    if (command == ShowCommand::Show) {
      SetForeground(window);
    } else if (command == ShowCommand::ShowNoActivate && wasVisible) {
      Raise(window);
    } else if (foreground_ == window && !target->visible) {
      // Hiding the window in front activates the next visible one down.
      const auto next = std::ranges::find_if(
          windows_, [this](const SimWindow& w) { return w.visible && TopLevel(w); });
      foreground_ = next == windows_.end() ? 0 : next->handle;
    }
    return wasVisible;
  }
  // A child of the desktop window, as some programs make, is a top-level
  // window like those that have no parent.
  bool TopLevel(const SimWindow& w) const { return w.parent == 0 || w.parent == desktopWindow; }
  // The window system and the registry compare names without case; ASCII
  // folding is enough for the worlds the tests build.
  static std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  }
  static std::string ValueKey(std::string_view path, std::string_view name) {
    return Lower(path) + '\n' + Lower(name);
  }
  // A window's attribute, or what the window system answers for a gone one.
  template <typename T>
  T Get(WindowHandle window, T SimWindow::*attribute) const {
    const SimWindow* found = Find(window);
    return found == nullptr ? T() : found->*attribute;
  }
  void MaybeKilled() {
    if (killAt > 0 && --killAt == 0) throw Killed{};
  }
  // A code outside 0 to 255 names no key: pressing it is no input at all.
  static bool IsKey(int code) { return code >= 0 && code < 256; }
  void KeyEvent(int virtualKey, bool down) {
    if (!IsKey(virtualKey)) return;
    lastInput = now;
    delayedKeys_.emplace_back(now + keyStateDelayMs, virtualKey, down);
    PublishKeys();
    const SimWindow* watcher = Find(inputWatcher_);
    if (watcher != nullptr && watcher->onInput) watcher->onInput(virtualKey, down);
  }
  void PublishKeys() {
    // Wrap-safe: the clock runs round.
    while (!delayedKeys_.empty() &&
           static_cast<std::int32_t>(now - std::get<0>(delayedKeys_.front())) >= 0) {
      const auto [due, key, down] = delayedKeys_.front();
      delayedKeys_.pop_front();
      // A side-specific modifier goes down and up together with its
      // generic code, as the window system reports both for one key.
      const int generic = key >= 160 && key <= 165 ? 16 + (key - 160) / 2 : 0;
      if (!down) {
        keys_[key] &= 1;
        // The generic code stays down while the other side's key is held.
        if (generic != 0 && (keys_[key ^ 1] & 0x8000) == 0) keys_[generic] &= 1;
        continue;
      }
      const auto mark = static_cast<std::int16_t>(pressBitsTaken ? 0 : 1);
      keys_[key] = static_cast<std::int16_t>(0x8000 | mark);
      if (generic == 0) continue;
      keys_[generic] = static_cast<std::int16_t>(
          keyboardMode == KeyboardMode::Wine ? (keys_[generic] | 0x8000) : (0x8000 | mark));
    }
  }

  std::list<SimWindow> windows_;  // top of the Z-order first
  WindowHandle foreground_ = 0;
  WindowHandle nextHandle_ = 0x10010;
  WindowHandle inputWatcher_ = 0;
  std::set<std::string> registryKeys_;                            // lower-case paths
  std::map<std::string, RegistryValue> values_;                   // by ValueKey
  std::map<RegistryKey, std::pair<std::string, bool>> openKeys_;  // path, writable
  RegistryKey nextKey_ = 0x100;
  std::map<TimerId, std::pair<unsigned, std::function<void()>>> timers_;  // interval, tick
  std::array<std::int16_t, 256> keys_{};
  std::deque<std::tuple<std::uint32_t, int, bool>> delayedKeys_;  // due, code, down
  bool promptOpen_ = false;
  WindowHandle prompt_ = 0;
};

}  // namespace nookshade::sim
