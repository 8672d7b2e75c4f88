// Polling the keyboard while armed and turning the keys pressed lately into
// one of the three actions.

#include <gtest/gtest.h>

#include <vector>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

constexpr int kMouse = 1, kSpace = 32, kLeftWin = 91, kKeypadAdd = 107;
constexpr int kLShift = 160, kRShift = 161, kLCtrl = 162, kRCtrl = 163, kLAlt = 164, kRAlt = 165;

class DispatchTest : public SimTest {
 protected:
  // Armed by the automatic start, which (unlike the Start button) lets any
  // field be empty; the hide-all and fake-work hotkeys stay out of the way.
  void StartWith(std::string hideWindow, std::string hideAll = "q", std::string fakeWork = "w") {
    Store(setting::kHideWindowHotkey, std::move(hideWindow));
    Store(setting::kHideAllHotkey, std::move(hideAll));
    Store(setting::kFakeWorkHotkey, std::move(fakeWork));
    Store(setting::kPassword, "");
    Store(setting::kAutoStart, "1");
    session.Start();
    notes = desktop.AddWindow("Notes");
    desktop.SetForeground(notes);
  }
  // Each group of keys goes down within one tick.
  void PressTicks(const std::vector<std::vector<int>>& ticks) {
    for (const auto& keys : ticks) {
      for (const int key : keys) desktop.PressKey(key);
      Tick();
      for (const int key : keys) desktop.ReleaseKey(key);
    }
  }
  bool NotesHidden() { return !desktop.IsWindowVisible(notes); }

  WindowHandle notes = 0;
};

struct Sequence {
  const char* name;
  std::string hotkey;
  std::vector<std::vector<int>> ticks;
  bool fires;
};

using KeyboardMode = sim::SimDesktop::KeyboardMode;

// Every outcome is the same whether the press bit is set as Windows sets it
// or as Wine does.
class SequenceTest : public DispatchTest,
                     public ::testing::WithParamInterface<std::tuple<Sequence, KeyboardMode>> {};

TEST_P(SequenceTest, FiresOnlyForItsKeysPressedInOrder) {
  const auto& [sequence, mode] = GetParam();
  desktop.keyboardMode = mode;
  StartWith(sequence.hotkey);
  PressTicks(sequence.ticks);
  EXPECT_EQ(NotesHidden(), sequence.fires);
}

std::string SequenceName(const ::testing::TestParamInfo<std::tuple<Sequence, KeyboardMode>>& info) {
  const auto& [sequence, mode] = info.param;
  return CaseName(sequence.name) + (mode == KeyboardMode::Wine ? "_as_Wine" : "_as_Windows");
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
            Sequence{"left Windows then H", "(Win)h", {{kLeftWin}, {'H'}}, true},
            Sequence{"Ctrl Alt H one by one", "(Ctrl)(Alt)h", {{kLCtrl}, {kLAlt}, {'H'}}, false},
            Sequence{"Ctrl then Alt with H", "(Ctrl)(Alt)h", {{kLCtrl}, {kLAlt, 'H'}}, true},
            Sequence{"right Shift then left Ctrl then H",
                     "(Shift)(Ctrl)h",
                     {{kRShift}, {kLCtrl}, {'H'}},
                     true},
            Sequence{"left Shift then left Ctrl then H",
                     "(Shift)(Ctrl)h",
                     {{kLShift}, {kLCtrl}, {'H'}},
                     false},
            Sequence{"idle ticks between", "(Ctrl)h", {{kLCtrl}, {}, {}, {}, {'H'}}, true},
            Sequence{"a mouse click between", "(Ctrl)h", {{kLCtrl}, {kMouse}, {'H'}}, false},
            Sequence{"another key between", "(Ctrl)h", {{kLCtrl}, {'J'}, {'H'}}, false},
            Sequence{"H and Ctrl within one tick", "(Ctrl)h", {{'H', kLCtrl}}, true},
            Sequence{"H before Ctrl", "(Ctrl)h", {{'H'}, {kLCtrl}}, false},
            Sequence{"K for a lower-case k", "(Ctrl)k", {{kLCtrl}, {'K'}}, true},
            Sequence{"keypad add for k", "(Ctrl)k", {{kLCtrl}, {kKeypadAdd}}, true},
            Sequence{"empty field", "", {{kLCtrl}, {'H'}, {kSpace}}, false},
            Sequence{
                "left Ctrl held over two ticks then H", "(Ctrl)h", {{kLCtrl}, {}, {'H'}}, true},
            Sequence{"left Ctrl with right Shift then H",
                     "(Ctrl)(Shift)h",
                     {{kLCtrl, kRShift}, {'H'}},
                     true},
            Sequence{"left Ctrl twice then H", "(Ctrl)(Ctrl)h", {{kLCtrl}, {kLCtrl}, {'H'}}, true}),
        ::testing::Values(KeyboardMode::Windows, KeyboardMode::Wine)),
    [](const auto& info) { return SequenceName(info); });

struct Routing {
  const char* name;
  std::string hideWindow, hideAll, fakeWork;
  bool hidWindow, hidAll, showedFakeWork;
};

class RoutingTest : public DispatchTest, public ::testing::WithParamInterface<Routing> {};

TEST_P(RoutingTest, OnlyTheFirstMatchingFieldActs) {
  const Routing& r = GetParam();
  StartWith(r.hideWindow, r.hideAll, r.fakeWork);
  PressTicks({{kLCtrl}, {'H'}});
  EXPECT_EQ(NotesHidden() && panel().WindowSlots[1]->Hiding, r.hidWindow);
  EXPECT_EQ(panel().hideAll().AllHidden, r.hidAll);
  EXPECT_EQ(panel().FakeWorkShown, r.showedFakeWork);
  // A match empties the buffer; no match leaves the keys there.
  EXPECT_EQ(panel().PollBuffer().empty(), r.hidWindow || r.hidAll || r.showedFakeWork);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RoutingTest,
    ::testing::Values(Routing{"hide-a-window before hide-all", "(Ctrl)h", "h", "w", true, false,
                              false},
                      Routing{"hide-all before fake work", "q", "(Ctrl)h", "h", false, true, false},
                      Routing{"fake work", "q", "j", "(Ctrl)h", false, false, true},
                      Routing{"none", "q", "j", "w", false, false, false}),
    NameOf<Routing>);

TEST_F(DispatchTest, AfterHideAllShowedTheFakeWorkItsHotkeyShowsFirst) {
  StartWith("q", "(Ctrl)(Space)", "(Ctrl)k");
  const WindowHandle work = desktop.AddWindow("Report", false);
  panel().fw1.SetTag(std::to_string(work));
  panel().fw1.SetText("Report");
  PressTicks({{kLCtrl}, {kSpace}});  // Check1 is ticked by default
  ASSERT_TRUE(desktop.IsWindowVisible(work));
  PressTicks({{kLCtrl}, {'K'}});  // the toggle's own state said hidden
  EXPECT_TRUE(desktop.IsWindowVisible(work));
  PressTicks({{kLCtrl}, {'K'}});
  EXPECT_FALSE(desktop.IsWindowVisible(work));
}

TEST_F(DispatchTest, HotkeysRestWhileThePanelIsInSight) {
  StartWith("(Ctrl)h");
  panel().WindowSlots[0]->Show(true);
  PressTicks({{kLCtrl}, {'H'}});
  EXPECT_FALSE(NotesHidden());
  // Ctrl pressed and released in sight is not counted once armed again...
  desktop.Tap(kLCtrl);
  panel().Clicked(ControlId::Command2);
  PressTicks({{'H'}});
  EXPECT_FALSE(NotesHidden());
  // ...but a key still held at the first armed tick is.
  panel().WindowSlots[0]->Show(true);
  desktop.PressKey(kLCtrl);
  panel().Clicked(ControlId::Command2);
  Tick();
  desktop.ReleaseKey(kLCtrl);
  PressTicks({{'H'}});
  EXPECT_TRUE(NotesHidden());
}

struct Foreground {
  const char* name;
  WindowHandle handle;  // 0: no window in front
  std::string text1;
};

class ForegroundTest : public DispatchTest, public ::testing::WithParamInterface<Foreground> {};

TEST_P(ForegroundTest, TheWindowInFrontTravelsAsHexadecimal) {
  StartWith("(Ctrl)h");
  WindowHandle target = 0;
  if (GetParam().handle != 0) {
    desktop.SetNextHandle(GetParam().handle);
    target = desktop.AddWindow("Target");
  }
  desktop.SetForeground(target);
  PressTicks({{kLCtrl}, {'H'}});
  EXPECT_EQ(panel().Text1.Text(), GetParam().text1);
  if (target != 0) {
    EXPECT_FALSE(desktop.IsWindowVisible(target));
  } else {
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].text, "Not Valid window");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Handles, ForegroundTest,
    ::testing::Values(Foreground{"small handle", 0x10A40, "10A40"},
                      Foreground{"top bit set", static_cast<WindowHandle>(0x80001230u), "80001230"},
                      Foreground{"none", 0, "0"}),
    NameOf<Foreground>);

TEST_F(DispatchTest, HoursOfTypingKeepOnlyWhatCanStillMatch) {
  StartWith("(Shift)(Ctrl)h");
  for (int i = 0; i < 3000; ++i) Type({'A' + i % 7});
  EXPECT_LE(panel().PollBuffer().size(), 3u);
  PressTicks({{kRShift}, {kLCtrl}, {'H'}});
  EXPECT_TRUE(NotesHidden());
}

TEST_F(DispatchTest, PressesDuringAnActionsMessageActOnNothing) {
  StartWith("(Ctrl)h");
  for (int i = 0; i < 10; ++i) {  // ten windows join the panel's slot
    desktop.SetForeground(desktop.AddWindow("Window " + std::to_string(i)));
    PressTicks({{kLCtrl}, {'H'}});
  }
  ASSERT_EQ(panel().FreeSlot, -1);
  desktop.whileMessageBoxOpen = [&](const auto&) { PressTicks({{kLCtrl}, {'H'}}); };
  PressTicks({{kLCtrl}, {'H'}});
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "Sorry, quota full!!");
  EXPECT_TRUE(panel().PollBuffer().empty());
  desktop.whileMessageBoxOpen = nullptr;
  PressTicks({{kLCtrl}, {'H'}});
  EXPECT_EQ(desktop.messageBoxes.size(), 2u);
}

TEST_F(DispatchTest, ASecondHideAllDuringItsPromptFlipsNothing) {
  StartWith("q", "(Ctrl)(Space)");
  panel().PW.SetText("417");
  PressTicks({{kLCtrl}, {kSpace}});
  ASSERT_FALSE(desktop.IsWindowVisible(notes));
  desktop.passwordAnswers = {"417"};
  desktop.whilePasswordPromptOpen = [&] { PressTicks({{kLCtrl}, {kSpace}}); };
  PressTicks({{kLCtrl}, {kSpace}});
  EXPECT_EQ(desktop.passwordPromptsShown, 1);
  EXPECT_FALSE(panel().hideAll().AllHidden);
  EXPECT_TRUE(desktop.IsWindowVisible(notes));
}

enum class PromptOpener { WindowIcon, PanelIcon, SecondStart };

struct OpenPrompt {
  const char* name;
  PromptOpener opener;
};

class OpenPromptTest : public DispatchTest, public ::testing::WithParamInterface<OpenPrompt> {};

TEST_P(OpenPromptTest, HotkeysActOnNothingWhileAnyPromptOfOursIsOpen) {
  StartWith("(Ctrl)h", "(Ctrl)(Space)");
  panel().PW.SetText("417");
  PressTicks({{kLCtrl}, {'H'}});  // Notes into slot 1
  const WindowHandle mail = desktop.AddWindow("Mail");
  desktop.SetForeground(mail);
  bool promptStayed = false;
  desktop.whilePasswordPromptOpen = [&] {
    desktop.SetForeground(desktop.lastPromptWindow);
    PressTicks({{kLCtrl}, {kSpace}});
    PressTicks({{kLCtrl}, {'H'}});
    promptStayed = desktop.IsWindowVisible(desktop.lastPromptWindow);
  };
  desktop.passwordAnswers = {"417"};
  switch (GetParam().opener) {
    case PromptOpener::WindowIcon:
      panel().Form1_Mouse(1, 1, 0, 0);
      break;
    case PromptOpener::PanelIcon:
      panel().Form1_Mouse(1, 0, 0, 0);
      break;
    case PromptOpener::SecondStart:
      panel().AnotherStart();
      break;
  }
  EXPECT_TRUE(promptStayed);
  EXPECT_TRUE(desktop.IsWindowVisible(mail));
  EXPECT_FALSE(panel().hideAll().AllHidden);
  EXPECT_EQ(desktop.passwordPromptsShown, 1);
  EXPECT_TRUE(panel().PollBuffer().empty());
}

INSTANTIATE_TEST_SUITE_P(Openers, OpenPromptTest,
                         ::testing::Values(OpenPrompt{"a hidden window's icon",
                                                      PromptOpener::WindowIcon},
                                           OpenPrompt{"the panel's icon", PromptOpener::PanelIcon},
                                           OpenPrompt{"a second start", PromptOpener::SecondStart}),
                         NameOf<OpenPrompt>);

}  // namespace
}  // namespace nookshade::test
