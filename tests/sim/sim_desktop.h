#pragma once
// A simulated desktop for tests: a stateful stand-in for the window system,
// keyboard, shell, registry, modal windows, timers and process services.
// Tests build a world (windows, stored settings, answers to prompts), drive
// the program through it, and observe outcomes, not calls.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
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
  bool everShown = false;
  WindowHandle parent = 0;
  WindowHandle owner = 0;
  IconHandle bigIcon = 0;
  IconHandle smallIcon = 0;
  IconHandle classSmallIcon = 0;
  bool topmost = false;
};

// Thrown at the change of the world at which a test kills the program.
struct Killed {};

struct MessageBoxRecord {
  std::string text;
  std::string title;
  std::uint32_t style = 0;
};

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
  SimDesktop() = default;
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;
  Platform platform();

  // Counts down the program's changes of the world (a window shown or
  // hidden, a value written or deleted, a tray call); the one that reaches
  // zero throws Killed instead of happening. 0: never.
  int killAt = 0;

  // ---- the world -------------------------------------------------------
  WindowHandle AddWindow(std::string title, bool visible = true, WindowHandle owner = 0,
                         WindowHandle parent = 0);
  void DestroyWindow(WindowHandle window);
  // The handle the next window gets (later ones count on from it).
  void SetNextHandle(WindowHandle handle) { nextHandle_ = handle; }
  SimWindow* Find(WindowHandle window);
  const SimWindow* Find(WindowHandle window) const;
  void SetForeground(WindowHandle window);

  // ---- registry --------------------------------------------------------
  std::optional<std::string> StoredString(const std::string& path, const std::string& name) const;
  void StoreString(const std::string& path, const std::string& name, std::string value);
  void StoreValue(const std::string& path, const std::string& name, RegistryValue value);
  // The next CreateKey or SetString on this path answers with the status.
  std::map<std::string, std::int32_t> failCreateKey;
  std::map<std::string, std::int32_t> failSetString;

  // ---- modal windows ---------------------------------------------------
  std::vector<MessageBoxRecord> messageBoxes;
  // Runs inside each message box, as its nested message loop would.
  std::function<void(const MessageBoxRecord&)> whileMessageBoxOpen;
  // Answers for the password prompt, taken in order; nothing = cancel.
  std::deque<std::optional<std::string>> passwordAnswers;
  std::function<void()> whilePasswordPromptOpen;
  int passwordPromptsShown = 0;
  WindowHandle lastPromptWindow = 0;

  // ---- shell -----------------------------------------------------------
  // The icons in the notification area, by owner and identifier.
  std::map<std::pair<WindowHandle, std::int32_t>, IconHandle> trayIcons;
  // The shell refuses this many adds (it is restarting, or gone).
  int failTrayAdds = 0;

  // ---- process ---------------------------------------------------------
  std::string modulePath = "C:\\Program Files\\Nookshade\\nookshade.exe";

  // ---- timers and keyboard ---------------------------------------------
  bool TimerRunning(TimerId id) const;
  void FireTimer(TimerId id);
  // Left and right Shift, Ctrl and Alt (160 to 165) also press and release
  // their generic code (16, 17, 18); mouse buttons are codes 1, 2 and 4.
  // Windows marks a press as "pressed since the last probe" on both codes;
  // Wine on the side-specific code alone (the generic one only goes down).
  enum class KeyboardMode { Windows, Wine } keyboardMode = KeyboardMode::Windows;
  // A code outside 0 to 255 names no key: pressing it is no input at all.
  void PressKey(int virtualKey);
  void ReleaseKey(int virtualKey);
  void Tap(int virtualKey);
  // Wine answers GetAsyncKeyState from a copy of the key state that it
  // refreshes at most every 50 ms: with a delay, a key event moves the input
  // clock (and is told of) at once, and reaches the key state so many
  // milliseconds later.
  std::uint32_t keyStateDelayMs = 0;
  // Runs before each probe of a key's state: input that arrives in the
  // middle of a scan, as Wine publishes it up to 50 ms late.
  std::function<void(int virtualKey)> beforeProbe;
  // Input that sets no press bit (the pointer moved): the input clock moves
  // on, and no window is told of it.
  void MovePointer() { lastInput = now; }
  // Raw input: once a window watches input (WatchInput), each key and
  // button event above reaches it as it happens, through the handler its
  // view set here (as WM_INPUT reaches the window's procedure).
  bool rawInputRegisters = true;
  WindowHandle InputWatcher() const { return inputWatcher_; }
  void SetInputHandler(WindowHandle window, std::function<void()> handler);
  // The input clock: milliseconds now (the poll timer moves it on by its
  // interval at each tick) and the time stamp of the last key event.
  std::uint32_t now = 0;
  std::uint32_t lastInput = 0;

  WindowHandle pointerWindow = 0;
  WindowHandle shellWindow = 0;
  WindowHandle desktopWindow = 0;
  Point cursor;

  // WindowSystem
  WindowHandle GetForegroundWindow() override;
  bool ShowWindow(WindowHandle window, ShowCommand command) override;
  bool IsWindow(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  WindowHandle GetParent(WindowHandle window) override;
  WindowHandle GetOwner(WindowHandle window) override;
  std::string GetWindowText(WindowHandle window, int maxChars) override;
  std::vector<WindowHandle> EnumTopLevelWindows() override;
  std::string GetWindowTitle(WindowHandle window) override;
  std::uint32_t GetWindowProcessId(WindowHandle window) override;
  std::string GetClassName(WindowHandle window) override;
  WindowHandle GetShellWindow() override { return shellWindow; }
  WindowHandle GetDesktopWindow() override { return desktopWindow; }
  WindowHandle FindWindowByTitle(std::string_view title) override;
  IconHandle GetWindowIcon(WindowHandle window, IconKind kind) override;
  IconHandle GetClassSmallIcon(WindowHandle window) override;
  void SetWindowIcon(WindowHandle window, IconKind kind, IconHandle icon) override;
  IconHandle LoadAppIcon(std::string_view resourceName, int width, int height) override;
  int GetSystemMetric(SystemMetric metric) override;
  std::int32_t SetTopmost(WindowHandle window, bool topmost) override;
  Point GetCursorPos() override;
  WindowHandle WindowFromPoint(Point point) override;

  // Keyboard
  std::int16_t GetAsyncKeyState(int virtualKey) override;
  std::uint32_t LastInputTime() override { return lastInput; }
  std::uint32_t TickCount() override { return now; }
  bool WatchInput(WindowHandle window) override;

  // Shell
  bool ShowIcon(WindowHandle owner, std::int32_t id, IconHandle icon) override;
  void RemoveIcon(WindowHandle owner, std::int32_t id) override;

  // Registry
  std::int32_t CreateKey(std::string_view path, RegistryKey& key) override;
  std::int32_t OpenKey(std::string_view path, RegistryKey& key, bool write) override;
  std::int32_t QueryString(RegistryKey key, std::string_view name, std::string& value) override;
  std::int32_t SetString(RegistryKey key, std::string_view name, std::string_view value) override;
  std::int32_t DeleteValue(RegistryKey key, std::string_view name) override;
  void CloseKey(RegistryKey key) override;
  std::string DescribeStatus(std::int32_t status) override;
  int OpenKeys() const { return static_cast<int>(openKeys_.size()); }

  // Dialogs
  int MessageBox(std::string_view text, std::string_view title, std::uint32_t style) override;
  std::optional<SecretString> RunPasswordPrompt(
      const std::function<void(WindowHandle)>& onLoad) override;
  bool IsPasswordPromptVisible() override;
  bool ModalOpen() const override { return modalDepth_ > 0; }
  void UnloadPasswordPrompt() override;

  // Timers
  void StartTimer(TimerId id, unsigned intervalMs, std::function<void()> tick) override;
  void StopTimer(TimerId id) override;

  // System
  std::string ModulePath() override;
  void Log(std::string_view line) override { log.emplace_back(line); }
  bool ClaimSingleInstance() override { return !std::exchange(instanceRunning, true); }
  void WakeRunningInstance() override { ++wakes; }
  std::uint32_t CurrentProcessId() override { return ownProcessId; }
  // The program's own windows (the panel, its prompt) belong to this process;
  // every other window to another program's (SimWindow::processId).
  std::uint32_t ownProcessId = 1000;
  std::vector<std::string> log;
  bool instanceRunning = false;  // a Nookshade holds the claim
  int wakes = 0;

 private:
  struct Timer {
    unsigned interval = 0;
    std::function<void()> tick;
  };
  using Values = std::map<std::string, RegistryValue>;  // keyed by lower-case name

  bool IsKeyCode(int virtualKey) const;
  void MaybeKilled() {
    if (killAt > 0 && --killAt == 0) throw Killed{};
  }
  Values* KeyAt(const std::string& path);
  const Values* KeyAt(const std::string& path) const;

  std::vector<SimWindow> windows_;
  std::vector<WindowHandle> zOrder_;  // top first
  WindowHandle foreground_ = 0;
  WindowHandle nextHandle_ = 0x10010;
  std::map<std::string, Values> registry_;  // keyed by lower-case path
  struct OpenKeyState {
    std::string path;  // lower case
    bool writable;
  };
  std::map<RegistryKey, OpenKeyState> openKeys_;
  RegistryKey nextKey_ = 0x100;
  std::map<TimerId, Timer> timers_;
  std::array<std::int16_t, 256> keys_{};
  WindowHandle inputWatcher_ = 0;
  std::map<WindowHandle, std::function<void()>> inputHandlers_;
  void TellOfInput();
  void KeyEvent(int virtualKey, bool down);
  void SetKeyState(int virtualKey, bool down);
  struct DelayedKey {
    std::uint32_t due;
    int virtualKey;
    bool down;
  };
  std::deque<DelayedKey> delayedKeys_;
  bool promptOpen_ = false;
  int modalDepth_ = 0;
};

}  // namespace nookshade::sim
