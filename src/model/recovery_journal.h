#pragma once
// What the program has hidden, kept in the settings store so that a crash
// or a kill cannot lose a window for good. Each record is written before its
// window is hidden and dropped after it is shown again; the next start shows
// every window a record still names, then starts a fresh journal.
//
// Journaled windows come back visible, not into slots: the icons died with
// the process that owned them, a hide-all set can be larger than the slots,
// and a window shown is one the user can always hide again, while a window
// hidden by a program that is no longer running has no way back at all.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/window_identity.h"
#include "platform/platform.h"

namespace nookshade {

enum class HiddenBy : char { Slot = 'S', HideAll = 'A', FakeWork = 'F' };

// What the user is told when a window stays in sight because its record
// could not be written.
inline constexpr std::string_view kJournalFailedMessage =
    "Nookshade could not note this window in the registry, so it has not been hidden: if "
    "Nookshade were ended, nothing could bring it back.";

class RecoveryJournal {
 public:
  explicit RecoveryJournal(Platform& platform) : platform_(platform) {}
  RecoveryJournal(const RecoveryJournal&) = delete;
  RecoveryJournal& operator=(const RecoveryJournal&) = delete;

  // Before hiding: the windows as they are now (the handle alone may be
  // given to another window once this one is gone). False when the record
  // could not be stored: then nothing may be hidden.
  [[nodiscard]] bool Record(std::span<const WindowIdentity> windows, HiddenBy how);
  [[nodiscard]] bool Record(const WindowIdentity& window, HiddenBy how) {
    return Record(std::span(&window, 1), how);
  }
  // After showing. A record left behind only shows a shown window again.
  void Forget(std::span<const WindowHandle> windows, HiddenBy how);
  void Forget(WindowHandle window, HiddenBy how) { Forget(std::span(&window, 1), how); }
  // A clean exit: everything was shown again.
  void Clear();

  // At start-up, before anything else: shows every journaled window that is
  // still the same window (same process, same class), then clears the
  // journal. A journal that cannot be read whole is dropped, and the user told.
  void Recover();

 private:
  struct Entry {
    HiddenBy how;
    WindowIdentity window;
  };
  bool Write();
  static std::string Format(const std::vector<Entry>& entries);
  // False for a journal of another format; a damaged line is skipped and counted.
  static bool Parse(const std::string& text, std::vector<Entry>& entries, int& damaged);
  static bool ParseLine(std::string_view line, std::vector<Entry>& entries);

  Platform& platform_;
  std::vector<Entry> entries_;
};

}  // namespace nookshade
