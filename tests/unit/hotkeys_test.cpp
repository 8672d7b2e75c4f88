// Recording hotkeys in the panel's fields, and polling the keyboard while
// armed for the keys pressed lately.

#include <tuple>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

struct Recording {
  const char* name;
  std::vector<int> keys;  // Backspace with a selection: see `selection`
  std::string text;
  std::pair<std::size_t, std::size_t> selection = {0, 0};
};

class RecordingTest : public SimTest, public ::testing::WithParamInterface<Recording> {};

TEST_P(RecordingTest, KeysAreAddedToTheFieldAndStored) {
  session.Start();  // the field holds the default "(Ctrl)h"
  const auto [start, length] = GetParam().selection;
  for (const int key : GetParam().keys) {
    panel().KeyDown(ControlId::hideWindowHotkey, key, start, length);
  }
  EXPECT_EQ(Text(ControlId::hideWindowHotkey), GetParam().text);
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, RecordingTest,
    ::testing::Values(
        Recording{"a letter, lower case", {'J'}, "(Ctrl)hj"},
        Recording{
            "every token", {16, 18, kLWin, kSpace, 46}, "(Ctrl)h(Shift)(Alt)(Win)(Space)(Del)"},
        Recording{"keypad add as its character", {107}, "(Ctrl)hk"},
        Recording{"Backspace takes the last letter", {kBackspace}, "(Ctrl)"},
        Recording{"Backspace takes a token whole", {kBackspace, kBackspace}, ""},
        Recording{"Backspace in an empty field", {kBackspace, kBackspace, kBackspace}, ""},
        Recording{"Backspace deletes the selection", {kBackspace}, "h", {0, 6}},
        Recording{"a selection past the end is clamped", {kBackspace}, "(Ctrl)", {6, 99}},
        Recording{"no key of the keyboard", {0, 256}, "(Ctrl)h"}),
    NameOf<Recording>);

TEST_F(RecordingTest, AHotkeyAnotherFieldHoldsIsRefusedAndEmptied) {
  session.Start();
  panel().Clicked(ControlId::resetHideAllHotkey);
  for (const int key : {17, int{'H'}}) panel().KeyDown(ControlId::hideAllHotkey, key, 0, 0);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "This Hotkey is already in Use");
  EXPECT_EQ(desktop.messageBoxes[0].title, "Hotkey In Use");
  EXPECT_EQ(Text(ControlId::hideAllHotkey), "");
  EXPECT_EQ(Stored(setting::kHideAllHotkey), "");
}

struct Sequence {
  const char* name;
  std::string hotkey;
  std::vector<std::vector<int>> ticks;
  bool fires;
};

using KeyboardMode = sim::SimDesktop::KeyboardMode;

// Windows marks a press on a modifier's generic code and on its side's; Wine
// on the side's alone. A user pressing the same keys gets the same outcome.
class SequenceTest : public SimTest,
                     public ::testing::WithParamInterface<std::tuple<Sequence, KeyboardMode>> {};

TEST_P(SequenceTest, FiresOnlyForItsKeysPressedInOrder) {
  const auto& [sequence, mode] = GetParam();
  desktop.keyboardMode = mode;
  Store(setting::kHideWindowHotkey, sequence.hotkey);
  Store(setting::kHideAllHotkey, "q");
  Store(setting::kFakeWorkHotkey, "w");
  StartArmed();
  const WindowHandle notes = Window("Notes");
  PressTicks(sequence.ticks);
  EXPECT_EQ(!Visible(notes), sequence.fires);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SequenceTest,
    ::testing::Combine(
        ::testing::Values(
            Sequence{"left Ctrl then H", "(Ctrl)h", {{kLCtrl}, {'H'}}, true},
            Sequence{"right Ctrl then H", "(Ctrl)h", {{kRCtrl}, {'H'}}, true},
            Sequence{"right Shift then H", "(Shift)h", {{kRShift}, {'H'}}, true},
            Sequence{"left Shift then H", "(Shift)h", {{kLShift}, {'H'}}, false},
            Sequence{"left Alt then H", "(Alt)h", {{kLAlt}, {'H'}}, true},
            Sequence{"right Alt then H", "(Alt)h", {{kRAlt}, {'H'}}, false},
            Sequence{"left Windows then H", "(Win)h", {{kLWin}, {'H'}}, true},
            Sequence{"Ctrl Alt H one by one", "(Ctrl)(Alt)h", {{kLCtrl}, {kLAlt}, {'H'}}, false},
            Sequence{"Ctrl then Alt with H", "(Ctrl)(Alt)h", {{kLCtrl}, {kLAlt, 'H'}}, true},
            Sequence{
                "right Shift, left Ctrl, H", "(Shift)(Ctrl)h", {{kRShift}, {kLCtrl}, {'H'}}, true},
            Sequence{
                "left Shift, left Ctrl, H", "(Shift)(Ctrl)h", {{kLShift}, {kLCtrl}, {'H'}}, false},
            Sequence{"left Ctrl with right Shift, then H",
                     "(Ctrl)(Shift)h",
                     {{kLCtrl, kRShift}, {'H'}},
                     true},
            Sequence{"left Ctrl twice then H", "(Ctrl)(Ctrl)h", {{kLCtrl}, {kLCtrl}, {'H'}}, true},
            Sequence{"idle ticks between", "(Ctrl)h", {{kLCtrl}, {}, {}, {}, {'H'}}, true},
            Sequence{"a mouse click between", "(Ctrl)h", {{kLCtrl}, {kMouse}, {'H'}}, false},
            Sequence{"another key between", "(Ctrl)h", {{kLCtrl}, {'J'}, {'H'}}, false},
            Sequence{"H and Ctrl within one tick", "(Ctrl)h", {{'H', kLCtrl}}, true},
            Sequence{"H before Ctrl", "(Ctrl)h", {{'H'}, {kLCtrl}}, false},
            Sequence{"K for a lower-case k", "(Ctrl)k", {{kLCtrl}, {'K'}}, true},
            Sequence{"keypad add for k", "(Ctrl)k", {{kLCtrl}, {107}}, true},
            Sequence{"empty field", "", {{kLCtrl}, {'H'}, {kSpace}}, false}),
        ::testing::Values(KeyboardMode::Windows, KeyboardMode::Wine)),
    [](const auto& info) {
      return CaseName(std::get<0>(info.param).name) +
             (std::get<1>(info.param) == KeyboardMode::Wine ? "_as_Wine" : "_as_Windows");
    });

struct Routing {
  const char* name;
  std::string hideWindow, hideAll, fakeWork;
  bool hidWindow, hidAll, toggledFakeWork;
};

class RoutingTest : public SimTest, public ::testing::WithParamInterface<Routing> {};

TEST_P(RoutingTest, OnlyTheFirstMatchingFieldActs) {
  const Routing& r = GetParam();
  Store(setting::kHideWindowHotkey, r.hideWindow);
  Store(setting::kHideAllHotkey, r.hideAll);
  Store(setting::kFakeWorkHotkey, r.fakeWork);
  StartArmed();
  const WindowHandle notes = Window("Notes");
  HideInFront();
  EXPECT_EQ(panel().SlotWindow(1) == notes, r.hidWindow);
  EXPECT_EQ(panel().AllHidden(), r.hidAll);
  EXPECT_EQ(panel().FakeWorkShown(), r.toggledFakeWork);
  // A match empties the buffer; no match leaves the keys there.
  EXPECT_EQ(panel().PollBuffer().empty(), r.hidWindow || r.hidAll || r.toggledFakeWork);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RoutingTest,
    ::testing::Values(Routing{"hide-a-window before hide-all", "(Ctrl)h", "h", "w", true, false,
                              false},
                      Routing{"hide-all before fake work", "q", "(Ctrl)h", "h", false, true, false},
                      Routing{"fake work", "q", "j", "(Ctrl)h", false, false, true},
                      Routing{"none", "q", "j", "w", false, false, false}),
    NameOf<Routing>);

TEST_F(SimTest, HotkeysRestWhileThePanelIsInSightAndCountAKeyHeldAsItHides) {
  Store(setting::kNoNotification, "1");
  session.Start();
  const WindowHandle notes = Window("Notes");
  HideInFront();
  EXPECT_TRUE(Visible(notes));
  desktop.Tap(kLCtrl);  // pressed in sight: not counted once armed
  panel().Clicked(ControlId::startButton);
  PressTicks({{'H'}});
  EXPECT_TRUE(Visible(notes));
  DoubleClickIcon(0);
  desktop.PressKey(kLCtrl);  // held as the panel goes: counted
  panel().Clicked(ControlId::startButton);
  Tick();
  desktop.ReleaseKey(kLCtrl);
  PressTicks({{'H'}});
  EXPECT_FALSE(Visible(notes));
}

// Left Ctrl goes down while a scan runs: Wine publishes a key's state up to
// 50 ms after its input, so the probe of the generic Ctrl may miss a press
// that its own code shows later in the same scan; and a hotkey's action
// (here the show-all prompt) may return long after its scan began.
struct MidScan {
  const char* name;
  bool afterShowAll;
  int pressedAtProbeOf;
};

class MidScanTest : public SimTest, public ::testing::WithParamInterface<MidScan> {};

TEST_P(MidScanTest, ALeftCtrlPressedDuringAScanStillCountsAsCtrl) {
  desktop.keyboardMode = KeyboardMode::Wine;
  StartArmed();
  const WindowHandle notes = Window("Notes");
  if (GetParam().afterShowAll) HideAll();
  bool pressed = false;
  desktop.beforeProbe = [&](int code) {
    if (pressed || code != GetParam().pressedAtProbeOf) return;
    if (GetParam().afterShowAll && panel().AllHidden()) return;
    pressed = true;
    desktop.PressKey(kLCtrl);
  };
  if (GetParam().afterShowAll) HideAll({"417"});
  desktop.MovePointer();
  Tick();
  ASSERT_TRUE(pressed);
  desktop.beforeProbe = nullptr;
  desktop.SetForeground(notes);
  PressTicks({{'H'}});
  EXPECT_FALSE(Visible(notes));
}

INSTANTIATE_TEST_SUITE_P(Keys, MidScanTest,
                         ::testing::Values(MidScan{"after the generic Ctrl", false, 100},
                                           MidScan{"before the generic Ctrl", false, 5},
                                           MidScan{"as show-all returns", true, 40}),
                         NameOf<MidScan>);

enum class Opener { WindowIcon, PanelIcon, SecondStart, QuotaMessage };

struct OpenModal {
  const char* name;
  Opener opener;
};

class OpenModalTest : public SimTest, public ::testing::WithParamInterface<OpenModal> {};

TEST_P(OpenModalTest, HotkeysActOnNothingWhileAPromptOrMessageOfOursIsOpen) {
  StartArmed();
  const WindowHandle notes = Window("Notes");
  HideInFront();
  if (GetParam().opener == Opener::QuotaMessage) {
    for (int i = 0; i < 9; ++i) {
      Window("Filler");
      HideInFront();
    }
  }
  const WindowHandle mail = Window("Mail");
  bool openThroughout = false;
  const auto pressEverything = [&] {
    Chord(kLCtrl, kSpace);
    HideInFront();
    openThroughout = desktop.ModalOpen();
  };
  desktop.whilePasswordPromptOpen = pressEverything;
  desktop.whileMessageBoxOpen = [&](const auto&) { pressEverything(); };
  desktop.passwordAnswers = {"417"};
  switch (GetParam().opener) {
    case Opener::WindowIcon:
      panel().IconDoubleClicked(1);
      break;
    case Opener::PanelIcon:
      panel().IconDoubleClicked(0);
      break;
    case Opener::SecondStart:
      panel().AnotherStart();
      break;
    case Opener::QuotaMessage:
      HideInFront();
      break;
  }
  EXPECT_TRUE(openThroughout);
  EXPECT_TRUE(Visible(mail));
  EXPECT_FALSE(panel().AllHidden());
  EXPECT_EQ(desktop.passwordPromptsShown + desktop.messageBoxes.size(), 1u);
  EXPECT_TRUE(panel().PollBuffer().empty());
  EXPECT_EQ(Visible(notes), GetParam().opener == Opener::WindowIcon);
}

INSTANTIATE_TEST_SUITE_P(Openers, OpenModalTest,
                         ::testing::Values(OpenModal{"a hidden window's icon", Opener::WindowIcon},
                                           OpenModal{"the panel's icon", Opener::PanelIcon},
                                           OpenModal{"a second start", Opener::SecondStart},
                                           OpenModal{"the quota message", Opener::QuotaMessage}),
                         NameOf<OpenModal>);

// Keys in the hotkey field before Ctrl+S arms; 0 stands for Ctrl coming up.
struct Shortcut {
  const char* name;
  std::vector<int> keys;
  std::string text;
};

class ShortcutTest : public SimTest, public ::testing::WithParamInterface<Shortcut> {};

TEST_P(ShortcutTest, ArmingWithCtrlSLeavesTheHotkeyAsItWas) {
  Store(setting::kNoNotification, "1");
  session.Start();
  for (const int key : GetParam().keys) {
    if (key == 0) {
      panel().KeyUp(ControlId::hideWindowHotkey, 17);
    } else {
      panel().KeyDown(ControlId::hideWindowHotkey, key, 0, 0);
      panel().KeyUp(ControlId::hideWindowHotkey, 'Q');  // another key's release changes nothing
    }
  }
  panel().ArmByShortcut();
  EXPECT_EQ(Text(ControlId::hideWindowHotkey), GetParam().text);
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ShortcutTest,
    ::testing::Values(Shortcut{"Ctrl held for the shortcut", {17, 17, 17}, "(Ctrl)h"},
                      Shortcut{"a Ctrl recorded before", {17, 0, 17}, "(Ctrl)h(Ctrl)"},
                      Shortcut{"another key after Ctrl", {17, 'J'}, "(Ctrl)h(Ctrl)j"},
                      Shortcut{"from elsewhere than the field", {}, "(Ctrl)h"}),
    NameOf<Shortcut>);

TEST_F(ShortcutTest, EveryHidePressHidesAfterArmingWithCtrlS) {
  Store(setting::kNoNotification, "1");
  session.Start();
  panel().KeyDown(ControlId::hideWindowHotkey, 17, 0, 0);
  panel().ArmByShortcut();
  for (int i = 0; i < 3; ++i) {
    const WindowHandle window = Window("Window " + std::to_string(i));
    HideInFront();
    EXPECT_FALSE(Visible(window)) << "press " << i;
  }
}

}  // namespace
}  // namespace nookshade::test
