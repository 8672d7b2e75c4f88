#include "hotkeys/hotkey_poller.h"

#include <algorithm>
#include <utility>

#include "hotkeys/hotkey_text.h"
#include "text/numbers.h"

namespace nookshade {
namespace {

// Down now and pressed since this code's previous probe: exactly 0x8001.
constexpr std::int16_t kNewPress = -32767;
constexpr int kFirstCode = 1;
constexpr int kLastCode = 255;

// The window system may publish a key's state a little after the input's
// time stamp (Wine refreshes what GetAsyncKeyState answers at most every
// 50 ms), so probing goes on for a while after the last input: until a probe
// has started so many milliseconds after it, and for so many ticks, which
// may come late on a busy machine.
constexpr std::uint32_t kInputSettleMs = 100;
constexpr int kInputSettleTicks = 10;

constexpr int kShift = 16;
constexpr int kCtrl = 17;
constexpr int kAlt = 18;
constexpr int kFirstSideCode = 160;  // left Shift; then right Shift, left and right Ctrl, Alt
constexpr int kRightShift = 161;
constexpr int kLeftCtrl = 162;
constexpr int kRightCtrl = 163;
constexpr int kLeftAlt = 164;
constexpr int kRightAlt = 165;
constexpr char kLeftCtrlCharacter = static_cast<char>(kLeftCtrl);

// The side-specific codes that stand for their generic key and end the scan.
// Left Shift, left Ctrl and right Alt are not among them: they are appended
// as themselves, so hotkeys that start with Shift or Alt do not fire on them.
int GenericKey(int code) {
  switch (code) {
    case kRightShift:
      return 16;
    case kRightCtrl:
      return 17;
    case kLeftAlt:
      return 18;
    default:
      return 0;
  }
}

bool IsSideCode(int code) { return code >= kFirstSideCode && code <= kRightAlt; }

struct ActingScope {
  explicit ActingScope(bool& flag) : flag(flag) { flag = true; }
  ~ActingScope() { flag = false; }
  ActingScope(const ActingScope&) = delete;
  ActingScope& operator=(const ActingScope&) = delete;
  bool& flag;
};

}  // namespace

HotkeyPoller::HotkeyPoller(const std::array<std::string, 3>& keyStrings, Keyboard& keyboard)
    : keyStrings_(keyStrings), keyboard_(keyboard) {}

void HotkeyPoller::Tick(bool mayAct) {
  // A key can only newly go down with an input event: without one, 255
  // probes would find nothing, and an armed program idles at the cost of
  // its timer alone.
  const std::uint32_t now = keyboard_.TickCount();
  // Once the gate is shut it stays shut until new input: every later tick
  // would be skipped too. (A tick run by a modal window's loop inside an
  // action may shut it; the action's own tick then decides by what is owed.)
  idle_ = gated && !MayFindPress();
  if (idle_) return;
  probeNext_ = false;
  lastProbeStart_ = now;
  // An action with a modal window open (the password prompt, a message box)
  // lets ticks run inside its message loop. They go on probing, so presses
  // made meanwhile do not arrive as a burst afterwards, but act on nothing:
  // one press never runs an action twice, and no second prompt is attempted
  // while one is open.
  if (acting_ || !mayAct) {
    for (int code = kFirstCode; code <= kLastCode; ++code) Pressed(code);
    sidePressed_.fill(false);
    ctrlCounted_ = false;
    return;
  }
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    // A left Ctrl press that the generic Ctrl's probe did not count: Wine
    // published it later in this scan (it refreshes the key state it
    // answers from every 50 ms). It stands for Ctrl, as right Ctrl does.
    const bool counted = code != kLeftCtrl || std::exchange(ctrlCounted_, false);
    const bool countedAtGeneric = IsSideCode(code) && sidePressed_[code - kFirstSideCode];
    if (!NewPress(code)) continue;
    if (code == kCtrl) ctrlCounted_ = true;
    if (const int generic = counted ? GenericKey(code) : kCtrl) {
      // Appended again after the modifiers that its generic code's place in
      // the scan put after it: pressed in the same instant as one of them,
      // it counts as pressed after it too. Only then: with nothing after it,
      // or a letter, it would count twice, and a hotkey of Shift tapped
      // twice fire at capital letters typed with right Shift.
      if (countedAtGeneric && !OnlyModifiersAfterLast(hotkey::KeyCharacter(generic))) continue;
      // Higher codes stay pending: the next tick probes whatever the clock.
      Append(hotkey::KeyCharacter(generic));
      probeNext_ = true;
      return;
    }
    if (Append(hotkey::KeyCharacter(code))) {
      // The action may have waited for the user (a prompt): the codes not
      // yet probed hold presses made since, which the next tick probes in
      // their order.
      probeNext_ = true;
      return;
    }
  }
}

bool HotkeyPoller::OnlyModifiersAfterLast(char keyCharacter) const {
  const std::size_t last = buffer_.rfind(keyCharacter);
  return last != std::string::npos && last + 1 < buffer_.size() &&
         std::all_of(buffer_.begin() + static_cast<std::ptrdiff_t>(last) + 1, buffer_.end(),
                     [](char key) { return hotkey::IsModifier(static_cast<unsigned char>(key)); });
}

bool HotkeyPoller::NewPress(int code) {
  if (IsSideCode(code)) {
    const bool early = std::exchange(sidePressed_[code - kFirstSideCode], false);
    return Pressed(code) || early;
  }
  const bool marked = Pressed(code);
  if (code < kShift || code > kAlt) return marked;
  // Windows marks a press of Shift, Ctrl or Alt on the generic code as well
  // as on the side's; Wine marks only the side's. The sides are probed here,
  // where Windows' generic mark would be met, and remembered for their own
  // place in the scan (or the next scan, if this one ends before it), so
  // that a press means the same under both. They are probed whatever the
  // generic mark says: a side's mark left for a later scan would count there
  // as a press of its own.
  bool found = false;
  for (int side = 0; side < 2; ++side) {
    const int sideCode = kFirstSideCode + 2 * (code - kShift) + side;
    bool& pressed = sidePressed_[sideCode - kFirstSideCode];
    if (!pressed && Pressed(sideCode)) {
      pressed = true;
      found = true;
    }
  }
  return marked || found;
}

bool HotkeyPoller::Pressed(int code) {
  const std::int16_t state = keyboard_.GetAsyncKeyState(code);
  if (state >= 0) {
    // A press told of stays for the key state, which may show it late.
    heldDown_.reset(code);
    return false;
  }
  const bool told = toldPressed_.test(code);
  toldPressed_.reset(code);
  if ((state != kNewPress && !told) || heldDown_.test(code)) return false;
  heldDown_.set(code);
  return true;
}

void HotkeyPoller::KeyPressed(int code) {
  // Raw input names the side of Shift, Ctrl and Alt, whose probes count it.
  if (code < kFirstCode || code > kLastCode || (code >= kShift && code <= kAlt)) return;
  toldPressed_.set(code);
}

void HotkeyPoller::KeyReleased(int code) {
  if (code < kFirstCode || code > kLastCode) return;
  heldDown_.reset(code);
  toldPressed_.reset(code);
  // A side let go of leaves its generic code to a probe, as the other side
  // may still be held and repeating; a generic Shift, Ctrl or Alt let go of
  // may be either side.
  if (code < kShift || code > kAlt) return;
  for (const int side :
       {kFirstSideCode + 2 * (code - kShift), kFirstSideCode + 2 * (code - kShift) + 1}) {
    heldDown_.reset(side);
    toldPressed_.reset(side);
  }
}

bool HotkeyPoller::Held(char keyCharacter) {
  return keyboard_.GetAsyncKeyState(static_cast<unsigned char>(keyCharacter)) < 0;
}

void HotkeyPoller::InputArrived() { settleTicks_ = kInputSettleTicks; }

bool HotkeyPoller::MayFindPress() {
  if (probeNext_) return true;
  const std::uint32_t lastInput = keyboard_.LastInputTime();
  if (lastInput != lastInputSeen_) {
    lastInputSeen_ = lastInput;
    settleTicks_ = kInputSettleTicks;
  }
  if (settleTicks_ > 0) {
    --settleTicks_;
    return true;
  }
  // Counted to the last probe's start, not to now: after a stall of the
  // message loop, a key published late may not have been probed for yet.
  // Signed, since the clocks run round every 49 days: an input after that
  // start comes out below zero, and counts.
  const auto inputBeforeProbeMs = static_cast<std::int32_t>(lastProbeStart_ - lastInput);
  return inputBeforeProbeMs < static_cast<std::int32_t>(kInputSettleMs);
}

bool HotkeyPoller::Append(char keyCharacter) {
  // Let go of since, they were only pressed for the hotkey before; one of
  // them pressed anew was let go of too, though it is held now. Left
  // Ctrl's own code, which dispatch drops, is no key after them: it may
  // arrive a scan late, with Ctrl still held, and let a Ctrl released since
  // count for a key pressed alone.
  if (keyCharacter != kLeftCtrlCharacter && std::exchange(heldAfterMatch_, false) &&
      (buffer_.find(keyCharacter) != std::string::npos ||
       !std::ranges::all_of(buffer_, [this](char key) { return Held(key); }))) {
    buffer_.clear();
  }
  std::size_t longest = 1;
  for (const std::string& keyString : keyStrings_) longest = std::max(longest, keyString.size());
  // Only the tail can still complete a hotkey, so hours of typing cost
  // neither memory nor time per key.
  if (buffer_.size() >= longest) buffer_.erase(0, buffer_.size() - (longest - 1));
  buffer_.push_back(keyCharacter);
  return Dispatch();
}

bool HotkeyPoller::Dispatch() {
  // Left Ctrl's own code after the generic Ctrl that the same press set;
  // dropped, it leaves a plain Ctrl.
  std::erase(buffer_, kLeftCtrlCharacter);
  static constexpr std::array<HotkeyAction, 3> kActions = {
      HotkeyAction::HideWindow, HotkeyAction::HideAll, HotkeyAction::FakeWork};
  for (std::size_t i = 0; i < keyStrings_.size(); ++i) {
    if (!hotkey::Matches(keyStrings_[i], buffer_)) continue;
    const std::string matched = keyStrings_[i];  // the action may change the fields
    {
      const ActingScope scope(acting_);
      if (onMatch) onMatch(kActions[i]);
    }
    buffer_.clear();
    // A side's press counted at its generic code is spent with the match:
    // appended again at its own place, a hotkey of right Ctrl alone would
    // fire twice for one press.
    sidePressed_.fill(false);
    // Its leading modifiers still held stay for its last key tapped again;
    // the last key itself never does, or a hotkey of modifiers alone would
    // fire again at the next key.
    for (std::size_t k = 0; k + 1 < matched.size(); ++k) {
      const char key = matched[k];
      if (!hotkey::IsModifier(static_cast<unsigned char>(key)) || !Held(key)) break;
      buffer_.push_back(key);
    }
    heldAfterMatch_ = !buffer_.empty();
    return true;
  }
  return false;
}

}  // namespace nookshade
