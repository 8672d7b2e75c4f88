// Hotkeys fire for their keys pressed in order, a modifier of either side
// meaning the same under Windows' and Wine's ways of marking a press; they
// rest while the panel or a prompt of ours is in sight, or a message that a
// hotkey brought up.

#include <tuple>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

struct Sequence {
  const char* name;
  std::string hotkey;
  std::vector<std::vector<int>> ticks;
  bool fires;
};

using KeyboardMode = sim::SimDesktop::KeyboardMode;

class SequenceTest : public SimTest,
                     public ::testing::WithParamInterface<std::tuple<Sequence, KeyboardMode>> {};

TEST_P(SequenceTest, FiresOnlyForItsKeysPressedInOrder) {
  const auto& [sequence, mode] = GetParam();
  desktop.keyboardMode = mode;
  Set("HKn", sequence.hotkey);
  Set("HKa", "q");
  Set("HKfw", "w");
  StartArmed();
  const WindowHandle notes = Window("Notes");
  PressTicks(sequence.ticks);
  EXPECT_EQ(!Visible(notes), sequence.fires);
}

const Sequence kSequences[] = {
    {"left Ctrl then H", "(Ctrl)h", {{kLCtrl}, {'H'}}, true},
    {"right Ctrl then H", "(Ctrl)h", {{kRCtrl}, {'H'}}, true},
    {"right Shift then H", "(Shift)h", {{kRShift}, {'H'}}, true},
    {"left Shift then H", "(Shift)h", {{kLShift}, {'H'}}, false},
    {"left Alt then H", "(Alt)h", {{kLAlt}, {'H'}}, true},
    {"right Alt then H", "(Alt)h", {{kRAlt}, {'H'}}, false},
    {"left Windows then H", "(Win)h", {{kLWin}, {'H'}}, true},
    {"Ctrl, left Alt, H one by one", "(Ctrl)(Alt)h", {{kLCtrl}, {kLAlt}, {'H'}}, true},
    {"Ctrl, right Alt, H one by one", "(Ctrl)(Alt)h", {{kLCtrl}, {kRAlt}, {'H'}}, false},
    {"Ctrl then Alt with H", "(Ctrl)(Alt)h", {{kLCtrl}, {kLAlt, 'H'}}, true},
    {"right Shift, left Ctrl, H", "(Shift)(Ctrl)h", {{kRShift}, {kLCtrl}, {'H'}}, true},
    {"left Ctrl with right Shift, then H", "(Ctrl)(Shift)h", {{kLCtrl, kRShift}, {'H'}}, true},
    {"left Ctrl twice then H", "(Ctrl)(Ctrl)h", {{kLCtrl}, {kLCtrl}, {'H'}}, true},
    // As at every capital letter typed with the right Shift.
    {"right Shift once for Shift tapped twice", "(Shift)(Shift)", {{kRShift}}, false},
    {"right Shift twice", "(Shift)(Shift)", {{kRShift}, {kRShift}}, true},
    {"left Alt once for Alt tapped twice", "(Alt)(Alt)", {{kLAlt}}, false},
    {"right Ctrl with C, then with V, for Ctrl tapped twice",
     "(Ctrl)(Ctrl)",
     {{kRCtrl, 'C'}, {kRCtrl, 'V'}},
     false},
    {"idle ticks between", "(Ctrl)h", {{kLCtrl}, {}, {}, {}, {'H'}}, true},
    {"a mouse click between", "(Ctrl)h", {{kLCtrl}, {1}, {'H'}}, false},
    {"another key between", "(Ctrl)h", {{kLCtrl}, {'J'}, {'H'}}, false},
    {"H and Ctrl within one tick", "(Ctrl)h", {{'H', kLCtrl}}, true},
    {"H and right Shift within one tick", "(Shift)h", {{'H', kRShift}}, true},
    {"H before Ctrl", "(Ctrl)h", {{'H'}, {kLCtrl}}, false},
    // A letter is its letter key, whose small letter is keypad add's character.
    {"keypad add is no k", "(Ctrl)k", {{kLCtrl}, {107}}, false},
    {"keypad add as its token", "(Ctrl)(Num+)", {{kLCtrl}, {107}}, true},
    {"W is no F8", "(Ctrl)(F8)", {{kLCtrl}, {'W'}}, false},
    {"the first letter", "(Ctrl)a", {{kLCtrl}, {'A'}}, true},
    {"the last letter", "(Ctrl)z", {{kLCtrl}, {'Z'}}, true},
    {"keypad 0 stored as its character", "`", {{96}}, true},
    {"F12 stored as its character", "{", {{123}}, true},
    {"Enter as its token", "(Ctrl)(Enter)", {{kLCtrl}, {13}}, true},
    {"the last key code", "\xC3\xBF", {{255}}, true},
    {"a capital stored for a letter", "(Ctrl)H", {{kLCtrl}, {'H'}}, true},
    {"a key above 127 stored as its small letter", "(Ctrl)\xC3\xA0", {{kLCtrl}, {192}}, true},
    {"empty field", "", {{kLCtrl}, {'H'}, {kSpace}}, false},
};
INSTANTIATE_TEST_SUITE_P(Keys, SequenceTest,
                         ::testing::Combine(::testing::ValuesIn(kSequences),
                                            ::testing::Values(KeyboardMode::Windows,
                                                              KeyboardMode::Wine)),
                         [](const auto& info) {
                           return CaseName(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) == KeyboardMode::Wine ? "_as_Wine"
                                                                                 : "_as_Windows");
                         });

// Wine publishes a key's state up to 50 ms after its input, so the probe of
// the generic Ctrl may miss a left Ctrl press that its own code shows later
// in the same scan; and a hotkey's action (here the show-all prompt) may
// return long after its scan began.
struct MidScan {
  const char* name;
  bool afterShowAll;
  int pressedAtProbeOf;
};

class MidScanTest : public SimTest, public ::testing::WithParamInterface<MidScan> {};

TEST_P(MidScanTest, ALeftCtrlPressedDuringAScanStillCountsAsCtrl) {
  desktop.keyboardMode = KeyboardMode::Wine;
  Play(GetParam().afterShowAll ? "armed; open A; all" : "armed; open A");
  bool pressed = false;
  desktop.beforeProbe = [&](int code) {
    if (pressed || code != GetParam().pressedAtProbeOf) return;
    if (GetParam().afterShowAll && panel().AllHidden()) return;
    pressed = true;
    desktop.PressKey(kLCtrl);
  };
  if (GetParam().afterShowAll) Play("all 417");
  desktop.MovePointer();
  desktop.FireTimer(TimerId::HotkeyPoll);
  ASSERT_TRUE(pressed);
  desktop.beforeProbe = nullptr;
  Play("front A");
  PressTicks({{'H'}});
  EXPECT_EQ(Summary(),
            GetParam().afterShowAll ? "hidden A, icons 2, asked 1" : "hidden A, icons 2");
}

const MidScan kKeys[] = {
    {"after the generic Ctrl", false, 100},
    {"before the generic Ctrl", false, 5},
    {"as show-all returns", true, 40},
};
INSTANTIATE_TEST_SUITE_P(Keys, MidScanTest, ::testing::ValuesIn(kKeys), NameOf<MidScan>);

// With several fields matching, the first acts: hide a window, hide all,
// fake work. An emptied field acts on nothing.
const Story kFirstFieldActs[] = {
    {"hide-a-window before hide-all", "set HKa=h; armed; open A; hide", "hidden A, icons 2"},
    {"hide-all before fake work", "set HKn=q; set HKa=(Ctrl)h; set HKfw=h; armed; open A; hide",
     "hidden A, icons 1"},
    {"fake work", "set HKn=q; set HKa=j; set HKfw=(Ctrl)h; armed; hidden A; pick 1 A; hide",
     "icons 1, work A--"},
    {"hide-a-window reset", "reset HKn; open A; hide", "icons 1"},
    {"hide-all reset", "reset HKa; open A; all", "icons 1"},
    {"fake work reset", "reset HKfw; hidden A; pick 1 A; fake", "hidden A, icons 1, work A--"},
    // Two fields without a hotkey do not clash: the second one emptied is stored too.
    {"emptied beside an empty field, across a start",
     "set HKfw=; start; reset HKn; quit; armed; open A; hide", "icons 1"},
    // The keys of a match are spent: a third H is not a second "hh".
    {"a match starts afresh", "set HKa=hh; armed; open A; tap HHH", "hidden A, icons 1"},
    // The Delete key is code 46, the character ".".
    {"the Delete key", "set HKn=(Del)h; armed; open A; tap .H", "hidden A, icons 2"},
};
INSTANTIATE_TEST_SUITE_P(FirstFieldActs, StoryTest, ::testing::ValuesIn(kFirstFieldActs),
                         NameOf<Story>);

// Modifiers held after a hotkey fired count for its next key, as with the
// system's own hotkeys; let go of, they no longer do.
const Story kHeld[] = {
    {"Ctrl held, H tapped thrice", "open A; open B; open C; hold 162; tap HHH",
     "hidden ABC, icons 4"},
    {"the same, as Wine marks keys", "wine; open A; open B; open C; hold 162; tap HHH",
     "hidden ABC, icons 4"},
    {"Ctrl let go of, then H, then the hotkey again",
     "wine; open A; open B; hold 162; tap H; release 162; tap H; front A; hide",
     "hidden AB, icons 3"},
    {"Ctrl held, another key, then H", "wine; open A; open B; hold 162; tap HJH",
     "hidden B, icons 2"},
    {"Shift and Ctrl held, H twice",
     "set HKn=(Shift)(Ctrl)h; armed; wine; open A; open B; hold 161; hold 162; tap HH",
     "hidden AB, icons 3"},
    // One press of Ctrl counts once, however the scan that met it ended.
    {"Ctrl and H in one tick, let go of, then H alone",
     "open A; open B; hold 162; hold 72; idle; release 72; release 162; idle; front A; tap H",
     "hidden B, icons 2"},
    {"a hotkey of Ctrl alone, one press of the right one",
     "set HKa=(Ctrl); armed; open A; hold 163; idle; release 163; idle", "hidden A, icons 1"},
    {"a hotkey of Ctrl alone, held, then another key",
     "set HKa=(Ctrl); armed; open A; hold 162; idle; tap J", "hidden A, icons 1"},
    // Held down, a key repeats: one press, one action.
    {"Ctrl and H held, H repeating", "open A; open B; hold 162; hold 72; idle; hold 72; idle",
     "hidden B, icons 2"},
    // Let go of and pressed again before any probe: raw input told of it.
    {"the other Ctrl held and repeating after one is let go of",
     "set HKa=(Ctrl); armed; open A; hold 162; idle; hold 163; idle; release 162; hold 163; idle",
     "hidden A, icons 1, asked 1"},
    {"a hotkey of right Ctrl alone, let go of and held again at once, as Wine marks keys",
     "set HKa=(Ctrl); armed; wine; open A; hold 163; idle; release 163; hold 163; idle",
     "hidden A, icons 1, asked 1"},
    // Without raw input a probe tells: one that finds the key up, tapped since.
    {"no raw input, let go of and tapped between two probes",
     "noraw; open A; open B; hold 162; hold 72; idle; release 72; hold 72; release 72; tick; tap H",
     "hidden AB, icons 3, logged 1"},
    // Raw input tells of a press whose bit another program's probe took.
    {"press bits taken by another program", "taken; tick; open A; hide", "hidden A, icons 2"},
    {"press bits taken by another program, as Wine marks keys", "taken; wine; tick; open A; hide",
     "hidden A, icons 2"},
    {"press bits taken by another program, the key state shown late",
     "taken; late 50; tick; open A; hold 162; hold 72; idle; release 72; release 162",
     "hidden A, icons 2"},
    {"press bits taken by another program, no raw input", "noraw; taken; open A; hide",
     "icons 1, logged 1"},
    {"the same for hide-all, as Wine marks keys",
     "wine; open A; hold 162; hold 32; idle; hold 32; idle; release 32; hold 32; idle",
     "hidden A, icons 1, asked 1"},
    {"Ctrl let go of after a Ctrl hotkey, then pressed once more",
     "set HKn=(Ctrl)(Ctrl); armed; wine; open A; hold 162; tap K; release 162; idle; hold 162;"
     "idle",
     "icons 1"},
    {"Shift let go of, Ctrl held, then H",
     "set HKn=(Shift)(Ctrl)h; armed; wine; open A; open B; hold 161; hold 162; tap H; release 161;"
     "tap H",
     "hidden B, icons 2"},
};
INSTANTIATE_TEST_SUITE_P(Held, StoryTest, ::testing::ValuesIn(kHeld), NameOf<Story>);

// Hiding the panel is what arms the hotkeys.
const Story kInertInSight[] = {
    {"the panel shown at the start", "start; open A; hide", "panel shown"},
    {"the panel shown by its icon", "icon 0; open A; hide", "asked 1, panel shown"},
    {"the panel hidden again", "set Note=1; armed; icon 0; arm; open A; hide",
     "hidden A, icons 2, asked 1"},
};
INSTANTIATE_TEST_SUITE_P(InertInSight, StoryTest, ::testing::ValuesIn(kInertInSight),
                         NameOf<Story>);

// Every prompt and message of ours gets every hotkey pressed while it is open.
const Story kInertWhileOpen[] = {
    {"a hidden window's icon", "fill 1; open B; busy; icon 1", "icons 1, asked 1"},
    {"another hidden window's icon", "fill 2; busy icon 2; icon 1", "hidden B, icons 2, asked 1"},
    {"a hotkey still held as it closes", "fill 1; open B; busy held; icon 1; tap J",
     "icons 1, asked 1"},
    {"the panel's icon", "fill 1; open B; busy; icon 0", "hidden A, icons 1, asked 1, panel shown"},
    {"a second start", "fill 1; open B; busy; second", "hidden A, icons 1, asked 1, panel shown"},
    {"a second start, the prompt over the panel", "start; open A; hidenow; inprompt second; icon 0",
     "asked 1, panel shown"},
    {"the quota message", "fill 10; open K; busy; hide", "hidden ABCDEFGHIJ, icons 11, told 1"},
    // Wine's mark of Ctrl, kept for left Ctrl's place in the scan (after H's),
    // is forgotten while the message is open.
    {"the quota message, after a chord in one tick as Wine marks keys",
     "fill 10; open K; busy; wine; hold 162; tap H; release 162; tap HH",
     "hidden ABCDEFGHIJ, icons 11, told 1"},
};
INSTANTIATE_TEST_SUITE_P(InertWhileOpen, StoryTest, ::testing::ValuesIn(kInertWhileOpen),
                         NameOf<Story>);

}  // namespace
}  // namespace nookshade::test
