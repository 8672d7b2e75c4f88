#include "model/recovery_journal.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "model/settings.h"

namespace nookshade {
namespace {

constexpr std::string_view kSection = setting::kRecoveryJournal.section;
constexpr std::string_view kValue = setting::kRecoveryJournal.key;
// The first line; a journal of another format is not guessed at.
constexpr std::string_view kFormat = "nookshade-journal 1";

template <typename Number>
bool ReadNumber(std::string_view& text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data() + text.size() || *end != ' ') return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
  return true;
}

// A class name may hold any character, a line break too, which would split
// its record and make the whole journal unreadable: a line break is written
// as \n and the backslash as \\.
void AppendEscaped(std::string& text, std::string_view name) {
  for (const char c : name) {
    if (c == '\\' || c == '\n') text += '\\';
    text += c == '\n' ? 'n' : c;
  }
}

std::string Unescaped(std::string_view text) {
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      name += text[i];
    } else {
      name += text[++i] == 'n' ? '\n' : text[i];
    }
  }
  return name;
}

}  // namespace

bool RecoveryJournal::Record(std::span<const WindowIdentity> windows, HiddenBy how) {
  // Nothing to note needs no write, which could fail and refuse a hide of
  // nothing.
  if (windows.empty()) return true;
  const std::size_t before = entries_.size();
  for (const WindowIdentity& window : windows) entries_.push_back({how, window});
  if (Write()) return true;
  entries_.resize(before);
  return false;
}

void RecoveryJournal::Forget(std::span<const WindowHandle> windows, HiddenBy how) {
  const std::size_t before = entries_.size();
  for (const WindowHandle window : windows) {
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
      return e.window.window == window && e.how == how;
    });
    if (it != entries_.end()) entries_.erase(it);
  }
  if (entries_.size() != before && !Write()) {
    platform_.system.Log("The recovery journal could not be updated after a window was shown.");
  }
}

void RecoveryJournal::Clear() {
  entries_.clear();
  DeleteSetting(platform_.registry, kAppName, kSection, kValue);
}

void RecoveryJournal::Recover() {
  // Absent, the journal reads as one without records; Nookshade never
  // writes it empty, nor as anything but text.
  bool unreadable = false;
  const std::string text =
      GetSetting(platform_.registry, kAppName, kSection, kValue, kFormat, unreadable);
  std::vector<Entry> found;
  int damaged = 0;
  const bool readWhole = !unreadable && Parse(text, found, damaged) && damaged == 0;
  WindowSystem& windows = platform_.windows;
  for (const Entry& entry : found) {
    // A handle given to another window since must never be touched; a
    // window in sight needs no show, which would raise it over the user's.
    if (!entry.window.StillNames(windows) || windows.IsWindowVisible(entry.window.window)) {
      continue;
    }
    // Not activated: the program starting up keeps the foreground.
    windows.ShowWindow(entry.window.window, ShowCommand::ShowNoActivate);
  }
  if (!readWhole) {
    // The windows of what could not be read stay hidden with no way back
    // that Nookshade knows of: the user must hear of it, once the others
    // are back.
    platform_.dialogs.MessageBox(
        "Nookshade could not read its list of the windows it had hidden when it stopped, so "
        "some of them may still be hidden. Ending their programs and starting them again "
        "brings them back.",
        kAppTitle, message_style::kIconExclamation);
  }
  Clear();
}

bool RecoveryJournal::Write() {
  if (entries_.empty()) {
    DeleteSetting(platform_.registry, kAppName, kSection, kValue);
    return true;
  }
  return SaveSetting(platform_.registry, kAppName, kSection, kValue, Format(entries_));
}

std::string RecoveryJournal::Format(const std::vector<Entry>& entries) {
  std::string text(kFormat);
  for (const Entry& entry : entries) {
    text += '\n';
    text += static_cast<char>(entry.how);
    text += ' ';
    text += std::to_string(entry.window.window);
    text += ' ';
    text += std::to_string(entry.window.processId);
    text += ' ';
    AppendEscaped(text, entry.window.className);
  }
  return text;
}

bool RecoveryJournal::Parse(const std::string& text, std::vector<Entry>& entries, int& damaged) {
  std::string_view rest(text);
  const std::size_t firstBreak = rest.find('\n');
  if (rest.substr(0, firstBreak) != kFormat) return false;
  if (firstBreak == std::string_view::npos) return true;
  rest.remove_prefix(firstBreak + 1);
  while (!rest.empty()) {
    const std::size_t lineEnd = rest.find('\n');
    std::string_view line = rest.substr(0, lineEnd);
    rest.remove_prefix(lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1);
    if (ParseLine(line, entries)) continue;
    // Each record names its window whole: one damaged line must not keep
    // the windows of the lines after it hidden.
    ++damaged;
  }
  return true;
}

bool RecoveryJournal::ParseLine(std::string_view line, std::vector<Entry>& entries) {
  if (line.size() < 2 || line[1] != ' ') return false;
  const char how = line[0];
  if (how != 'S' && how != 'A' && how != 'F') return false;
  line.remove_prefix(2);
  Entry entry{static_cast<HiddenBy>(how), {}};
  WindowIdentity& window = entry.window;
  if (!ReadNumber(line, window.window) || !ReadNumber(line, window.processId)) return false;
  window.className = Unescaped(line);
  entries.push_back(std::move(entry));
  return true;
}

}  // namespace nookshade
