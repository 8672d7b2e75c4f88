#pragma once
// Global hotkeys without registering them: each tick of the poll timer probes
// every key code, appends each new press to the poll buffer as its key
// character, and every append runs the dispatcher, which looks for the three
// hotkeys' key strings in the buffer. A hotkey fires when its keys went down
// in its order with no other new press between them, held or not.

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/keyboard.h"

namespace nookshade {

enum class HotkeyAction { HideWindow, HideAll, FakeWork };

class HotkeyPoller {
 public:
  // The hotkeys' key strings, in the order they are tested: hide a window,
  // hide all, fake work. Read at every key, so a changed field counts at once.
  HotkeyPoller(const std::array<std::string, 3>& keyStrings, Keyboard& keyboard);
  HotkeyPoller(const HotkeyPoller&) = delete;
  HotkeyPoller& operator=(const HotkeyPoller&) = delete;

  // One tick while the panel is out of sight. While one of the program's
  // modal windows is open (mayAct false) presses are probed and dropped: a
  // hotkey must not act behind a prompt, nor hide the prompt itself.
  void Tick(bool mayAct = true);
  // The last tick found that no probe can find a press until the next key
  // or button event: the timer may sleep until one arrives.
  bool Idle() const { return idle_ && !probeNext_; }
  // A key or button event arrived. The ticks that follow probe as after
  // any input, also when the input clock does not show it yet.
  void InputArrived();
  // A key was let go of, as raw input tells at once (the key state may show
  // it only later): its next press is one, not the key repeating.
  void KeyReleased(int code);
  // A key went down, as raw input tells every program that asks. Its press
  // mark is the whole desktop's: another program asking the key's state
  // (a game, a macro tool) takes it, and the press would go unseen.
  void KeyPressed(int code);
  // The panel came into sight. The first tick after it hides again probes
  // whatever the input clock says, so a key held at that moment counts.
  void Disarmed() {
    probeNext_ = true;
    toldPressed_.reset();
  }
  const std::string& Buffer() const { return buffer_; }

  // Runs the matched hotkey's action; the buffer is emptied when it returns.
  std::function<void(HotkeyAction)> onMatch;
  // Off: every tick probes, input or not (what the gate is measured against).
  bool gated = true;

 private:
  // Whether this tick can find a press that the previous probe did not.
  bool MayFindPress();
  // Whether the code went down since the previous probe (consumes the mark).
  bool NewPress(int code);
  // The same for one code, a key held down and repeating counted once.
  bool Pressed(int code);
  // Whether the key is down now.
  bool Held(char keyCharacter);
  // Whether the buffer holds the key, and only modifiers after its last one.
  bool OnlyModifiersAfterLast(char keyCharacter) const;
  // Both return whether a hotkey's action ran.
  bool Append(char keyCharacter);
  bool Dispatch();

  const std::array<std::string, 3>& keyStrings_;
  Keyboard& keyboard_;
  std::string buffer_;
  bool acting_ = false;
  bool probeNext_ = true;
  bool idle_ = false;
  std::uint32_t lastProbeStart_ = 0;
  std::uint32_t lastInputSeen_ = 0;
  int settleTicks_ = 0;
  // Side-specific Shift, Ctrl and Alt presses already probed for their
  // generic key, not yet appended as themselves.
  static constexpr int kSideCodes = 6;
  std::array<bool, kSideCodes> sidePressed_{};
  // A Ctrl press counted at the generic code, whose left side's code no
  // scan has reached since.
  bool ctrlCounted_ = false;
  // The buffer holds the leading modifiers of the hotkey that fired last,
  // held down when its action returned: they stand pressed again for the
  // next key, if they are still held when it comes, so that Ctrl held and H
  // tapped twice hides two windows, as with the system's own hotkeys.
  bool heldAfterMatch_ = false;
  // Codes whose last press was taken and that neither a probe nor raw input
  // has found let go of since. A held key marks itself pressed again at the
  // keyboard's repeat rate; those marks are no presses, or a hotkey held a
  // moment too long would hide one window after another.
  std::bitset<256> heldDown_;
  std::bitset<256> toldPressed_;  // by raw input, since the key's last probe found it down
};

}  // namespace nookshade
