#include "sim_desktop.h"

#include <algorithm>
#include <cctype>

#include "text/encoding.h"

namespace nookshade::sim {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The window system compares titles without case; ASCII folding is enough
// for the worlds the tests build, and other characters compare exactly.
bool SameTitle(std::string_view a, std::string_view b) { return Lower(a) == Lower(b); }

}  // namespace

Platform SimDesktop::platform() {
  return Platform{*this, *this, *this, *this, *this, *this, *this};
}

// ---- the world -----------------------------------------------------------

WindowHandle SimDesktop::AddWindow(std::string title, bool visible, WindowHandle owner,
                                   WindowHandle parent) {
  SimWindow window;
  window.handle = nextHandle_;
  nextHandle_ += 0x10;
  window.title = std::move(title);
  window.visible = visible;
  window.owner = owner;
  window.parent = parent;
  const WindowHandle handle = window.handle;
  windows_.push_back(std::move(window));
  if (parent == 0) zOrder_.insert(zOrder_.begin(), handle);
  return handle;
}

void SimDesktop::DestroyWindow(WindowHandle window) {
  // The shell drops the icons of a window that is gone.
  std::erase_if(trayIcons, [window](const auto& icon) { return icon.first.first == window; });
  std::erase_if(windows_, [window](const SimWindow& w) { return w.handle == window; });
  std::erase(zOrder_, window);
  if (foreground_ == window) foreground_ = 0;
  // Raw input goes to a window, and with it.
  inputHandlers_.erase(window);
  if (inputWatcher_ == window) inputWatcher_ = 0;
}

SimWindow* SimDesktop::Find(WindowHandle window) {
  for (SimWindow& w : windows_) {
    if (w.handle == window) return &w;
  }
  return nullptr;
}

const SimWindow* SimDesktop::Find(WindowHandle window) const {
  for (const SimWindow& w : windows_) {
    if (w.handle == window) return &w;
  }
  return nullptr;
}

void SimDesktop::SetForeground(WindowHandle window) {
  foreground_ = window;
  if (std::erase(zOrder_, window) > 0) zOrder_.insert(zOrder_.begin(), window);
}

// ---- WindowSystem --------------------------------------------------------

WindowHandle SimDesktop::GetForegroundWindow() { return foreground_; }

bool SimDesktop::ShowWindow(WindowHandle window, ShowCommand command) {
  MaybeKilled();
  SimWindow* target = Find(window);
  if (target == nullptr) return false;
  const bool wasVisible = target->visible;
  if (command == ShowCommand::Hide && target->refusesHide) return wasVisible;
  target->visible = command != ShowCommand::Hide;
  target->everShown = target->everShown || target->visible;
  if (command == ShowCommand::Show) {
    SetForeground(window);
  } else if (foreground_ == window) {
    // Hiding the window in front activates the next visible one down.
    foreground_ = 0;
    for (const WindowHandle next : zOrder_) {
      const SimWindow* w = Find(next);
      if (w != nullptr && w->visible && w->parent == 0) {
        foreground_ = next;
        break;
      }
    }
  }
  return wasVisible;
}

bool SimDesktop::IsWindow(WindowHandle window) { return Find(window) != nullptr; }

bool SimDesktop::IsWindowVisible(WindowHandle window) {
  const SimWindow* target = Find(window);
  return target != nullptr && target->visible;
}

WindowHandle SimDesktop::GetParent(WindowHandle window) {
  const SimWindow* target = Find(window);
  return target == nullptr ? 0 : target->parent;
}

WindowHandle SimDesktop::GetOwner(WindowHandle window) {
  const SimWindow* target = Find(window);
  return target == nullptr ? 0 : target->owner;
}

std::string SimDesktop::GetWindowText(WindowHandle window, int maxChars) {
  const SimWindow* target = Find(window);
  if (target == nullptr || maxChars <= 0) return {};
  std::u16string wide = text::Utf8ToUtf16(target->title);
  if (wide.size() > static_cast<std::size_t>(maxChars - 1)) wide.resize(maxChars - 1);
  return text::Utf16ToUtf8(wide);
}

std::string SimDesktop::GetWindowTitle(WindowHandle window) {
  const SimWindow* target = Find(window);
  return target == nullptr ? std::string() : target->title;
}

std::uint32_t SimDesktop::GetWindowProcessId(WindowHandle window) {
  const SimWindow* target = Find(window);
  return target == nullptr ? 0 : target->processId;
}

std::string SimDesktop::GetClassName(WindowHandle window) {
  const SimWindow* target = Find(window);
  return target == nullptr ? std::string() : target->className;
}

std::vector<WindowHandle> SimDesktop::EnumTopLevelWindows() { return zOrder_; }

WindowHandle SimDesktop::FindWindowByTitle(std::string_view title) {
  for (const WindowHandle handle : zOrder_) {
    const SimWindow* w = Find(handle);
    if (w != nullptr && w->parent == 0 && SameTitle(w->title, title)) return handle;
  }
  return 0;
}

IconHandle SimDesktop::GetWindowIcon(WindowHandle window, IconKind kind) {
  const SimWindow* target = Find(window);
  if (target == nullptr) return 0;
  return kind == IconKind::Big ? target->bigIcon : target->smallIcon;
}

IconHandle SimDesktop::GetClassSmallIcon(WindowHandle window) {
  const SimWindow* target = Find(window);
  return target == nullptr ? 0 : target->classSmallIcon;
}

void SimDesktop::SetWindowIcon(WindowHandle window, IconKind kind, IconHandle icon) {
  if (SimWindow* target = Find(window))
    (kind == IconKind::Big ? target->bigIcon : target->smallIcon) = icon;
}

IconHandle SimDesktop::LoadAppIcon(std::string_view, int width, int) {
  return 0x7000 + width;  // one shared image per size
}

int SimDesktop::GetSystemMetric(SystemMetric metric) {
  return metric == SystemMetric::IconWidth || metric == SystemMetric::IconHeight ? 32 : 16;
}

std::int32_t SimDesktop::SetTopmost(WindowHandle window, bool topmost) {
  SimWindow* target = Find(window);
  if (target == nullptr) return 0;
  target->topmost = topmost;
  return 1;
}

Point SimDesktop::GetCursorPos() { return cursor; }

WindowHandle SimDesktop::WindowFromPoint(Point) { return pointerWindow; }

// ---- Keyboard ------------------------------------------------------------

namespace {

// A side-specific modifier goes down and up together with its generic code,
// as the window system reports both for one key.
int GenericModifier(int virtualKey) {
  if (virtualKey >= 160 && virtualKey <= 165) return 16 + (virtualKey - 160) / 2;
  return 0;
}

}  // namespace

bool SimDesktop::IsKeyCode(int virtualKey) const {
  return virtualKey >= 0 && virtualKey < static_cast<int>(keys_.size());
}

void SimDesktop::PressKey(int virtualKey) { KeyEvent(virtualKey, true); }

void SimDesktop::ReleaseKey(int virtualKey) { KeyEvent(virtualKey, false); }

void SimDesktop::KeyEvent(int virtualKey, bool down) {
  if (!IsKeyCode(virtualKey)) return;
  lastInput = now;
  if (keyStateDelayMs > 0) {
    delayedKeys_.push_back({now + keyStateDelayMs, virtualKey, down});
  } else {
    SetKeyState(virtualKey, down);
  }
  TellOfInput();
}

void SimDesktop::SetKeyState(int virtualKey, bool down) {
  const int generic = GenericModifier(virtualKey);
  if (down) {
    keys_[virtualKey] = static_cast<std::int16_t>(0x8001);
    if (generic != 0) {
      keys_[generic] = static_cast<std::int16_t>(
          keyboardMode == KeyboardMode::Wine ? (keys_[generic] | 0x8000) : 0x8001);
    }
    return;
  }
  keys_[virtualKey] &= 0x0001;
  // The generic code stays down while the other side's key is held.
  if (generic != 0 && (keys_[virtualKey ^ 1] & 0x8000) == 0) keys_[generic] &= 0x0001;
}

void SimDesktop::Tap(int virtualKey) {
  PressKey(virtualKey);
  ReleaseKey(virtualKey);
}

std::int16_t SimDesktop::GetAsyncKeyState(int virtualKey) {
  if (!IsKeyCode(virtualKey)) return 0;
  // Wrap-safe: the clock runs round.
  while (!delayedKeys_.empty() && static_cast<std::int32_t>(now - delayedKeys_.front().due) >= 0) {
    SetKeyState(delayedKeys_.front().virtualKey, delayedKeys_.front().down);
    delayedKeys_.pop_front();
  }
  if (beforeProbe) beforeProbe(virtualKey);
  std::int16_t& state = keys_[static_cast<std::size_t>(virtualKey)];
  const std::int16_t answer = state;
  state = static_cast<std::int16_t>(state & ~0x0001);
  return answer;
}

bool SimDesktop::WatchInput(WindowHandle window) {
  if (!rawInputRegisters || Find(window) == nullptr) return false;
  inputWatcher_ = window;
  return true;
}

void SimDesktop::SetInputHandler(WindowHandle window, std::function<void()> handler) {
  inputHandlers_[window] = std::move(handler);
}

void SimDesktop::TellOfInput() {
  const auto it = inputHandlers_.find(inputWatcher_);
  if (it == inputHandlers_.end() || !it->second) return;
  // A copy: the handler may replace itself while it runs.
  const std::function<void()> handler = it->second;
  handler();
}

// ---- Shell ---------------------------------------------------------------

bool SimDesktop::ShowIcon(WindowHandle owner, std::int32_t id, IconHandle icon) {
  MaybeKilled();
  const auto key = std::make_pair(owner, id);
  if (const auto it = trayIcons.find(key); it != trayIcons.end()) {
    it->second = icon;
    return true;
  }
  if (failTrayAdds > 0) {
    --failTrayAdds;
    return false;
  }
  trayIcons.emplace(key, icon);
  return true;
}

void SimDesktop::RemoveIcon(WindowHandle owner, std::int32_t id) {
  MaybeKilled();
  trayIcons.erase(std::make_pair(owner, id));
}

// ---- Registry ------------------------------------------------------------

SimDesktop::Values* SimDesktop::KeyAt(const std::string& path) {
  const auto it = registry_.find(Lower(path));
  return it == registry_.end() ? nullptr : &it->second;
}

const SimDesktop::Values* SimDesktop::KeyAt(const std::string& path) const {
  const auto it = registry_.find(Lower(path));
  return it == registry_.end() ? nullptr : &it->second;
}

std::optional<std::string> SimDesktop::StoredString(const std::string& path,
                                                    const std::string& name) const {
  const Values* values = KeyAt(path);
  if (values == nullptr) return std::nullopt;
  const auto it = values->find(Lower(name));
  if (it == values->end() || it->second.type != RegistryValue::Type::String) return std::nullopt;
  return it->second.data;
}

void SimDesktop::StoreString(const std::string& path, const std::string& name, std::string value) {
  StoreValue(path, name, RegistryValue{RegistryValue::Type::String, std::move(value)});
}

void SimDesktop::StoreValue(const std::string& path, const std::string& name, RegistryValue value) {
  registry_[Lower(path)][Lower(name)] = std::move(value);
}

std::int32_t SimDesktop::CreateKey(std::string_view path, RegistryKey& key) {
  const std::string lower = Lower(path);
  if (const auto it = failCreateKey.find(lower); it != failCreateKey.end()) return it->second;
  registry_[lower];
  key = nextKey_++;
  openKeys_[key] = {lower, true};
  return registry_status::kSuccess;
}

std::int32_t SimDesktop::OpenKey(std::string_view path, RegistryKey& key, bool write) {
  const std::string lower = Lower(path);
  if (!registry_.contains(lower)) return registry_status::kFileNotFound;
  key = nextKey_++;
  openKeys_[key] = {lower, write};
  return registry_status::kSuccess;
}

std::int32_t SimDesktop::QueryString(RegistryKey key, std::string_view name, std::string& value) {
  const auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return 6;  // ERROR_INVALID_HANDLE
  const Values& values = registry_[open->second.path];
  const auto it = values.find(Lower(name));
  if (it == values.end()) return registry_status::kFileNotFound;
  if (it->second.type != RegistryValue::Type::String) return registry_status::kUnsupportedType;
  value = it->second.data;
  return registry_status::kSuccess;
}

std::int32_t SimDesktop::SetString(RegistryKey key, std::string_view name, std::string_view value) {
  MaybeKilled();
  const auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return 6;
  if (!open->second.writable) return registry_status::kAccessDenied;
  if (const auto it = failSetString.find(open->second.path); it != failSetString.end()) {
    return it->second;
  }
  registry_[open->second.path][Lower(name)] =
      RegistryValue{RegistryValue::Type::String, std::string(value)};
  return registry_status::kSuccess;
}

std::int32_t SimDesktop::DeleteValue(RegistryKey key, std::string_view name) {
  MaybeKilled();
  const auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return 6;
  // As the registry does: a key opened for reading refuses changes.
  if (!open->second.writable) return registry_status::kAccessDenied;
  return registry_[open->second.path].erase(Lower(name)) > 0 ? registry_status::kSuccess
                                                             : registry_status::kFileNotFound;
}

void SimDesktop::CloseKey(RegistryKey key) { openKeys_.erase(key); }

std::string SimDesktop::DescribeStatus(std::int32_t status) {
  switch (status) {
    case registry_status::kAccessDenied:
      return "Access is denied.";
    case registry_status::kFileNotFound:
      return "The system cannot find the file specified.";
    default:
      return "Status " + std::to_string(status) + ".";
  }
}

// ---- Dialogs -------------------------------------------------------------

int SimDesktop::MessageBox(std::string_view text, std::string_view title, std::uint32_t style) {
  messageBoxes.push_back({std::string(text), std::string(title), style});
  ++modalDepth_;
  if (whileMessageBoxOpen) whileMessageBoxOpen(messageBoxes.back());
  --modalDepth_;
  return 1;  // IDOK
}

std::optional<SecretString> SimDesktop::RunPasswordPrompt(
    const std::function<void(WindowHandle)>& onLoad) {
  ++passwordPromptsShown;
  lastPromptWindow = AddWindow("Enter Password", false);
  Find(lastPromptWindow)->processId = ownProcessId;
  onLoad(lastPromptWindow);
  ShowWindow(lastPromptWindow, ShowCommand::Show);
  promptOpen_ = true;
  ++modalDepth_;
  if (whilePasswordPromptOpen) whilePasswordPromptOpen();
  --modalDepth_;
  promptOpen_ = false;
  DestroyWindow(lastPromptWindow);
  if (passwordAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(passwordAnswers.front());
  passwordAnswers.pop_front();
  if (!answer) return std::nullopt;
  return SecretString(std::move(*answer));
}

bool SimDesktop::IsPasswordPromptVisible() { return promptOpen_; }

void SimDesktop::UnloadPasswordPrompt() { promptOpen_ = false; }

// ---- Timers --------------------------------------------------------------

void SimDesktop::StartTimer(TimerId id, unsigned intervalMs, std::function<void()> tick) {
  timers_[id] = Timer{intervalMs, std::move(tick)};
}

void SimDesktop::StopTimer(TimerId id) { timers_.erase(id); }

bool SimDesktop::TimerRunning(TimerId id) const { return timers_.contains(id); }

void SimDesktop::FireTimer(TimerId id) {
  const auto it = timers_.find(id);
  if (it == timers_.end()) return;
  now += it->second.interval;
  const std::function<void()> tick = it->second.tick;
  tick();
}

// ---- System --------------------------------------------------------------

std::string SimDesktop::ModulePath() { return modulePath; }

}  // namespace nookshade::sim
