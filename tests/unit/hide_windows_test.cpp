// Hiding the window in front into a slot, and hiding every window at once.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "sim_fixture.h"
#include "text/numbers.h"

namespace nookshade::test {
namespace {

class HideTest : public SimTest {
 protected:
  void SetUp() override {
    Store(setting::kAutoStart, "1");  // the panel in slot 0, as when armed
    session.Start();
  }
  // The hide-a-window action on the window whose handle Text1 carries.
  void HideWindow(std::string text1) {
    panel().Text1.SetText(std::move(text1));
    panel().Clicked(ControlId::Command1);
  }
  void HideWindow(WindowHandle window) { HideWindow(text::FormatHex32(window)); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : desktop.messageBoxes) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(HideTest, TheWindowGoesIntoTheLowestFreeSlotWithItsIcon) {
  const WindowHandle a = desktop.AddWindow("A"), b = desktop.AddWindow("B");
  const WindowHandle c = desktop.AddWindow("C");
  HideWindow(a);
  HideWindow(b);
  desktop.passwordAnswers = {"417"};
  panel().Form1_Mouse(1, 1, 0, 0);  // a's icon
  HideWindow(c);
  EXPECT_TRUE(desktop.IsWindowVisible(a));
  EXPECT_FALSE(desktop.IsWindowVisible(c));
  EXPECT_EQ(panel().WindowSlots[1]->hWnd, c);
  EXPECT_TRUE(desktop.trayIcons.contains({session.PanelWindow(), 1}));
}

// What Text1 names: a text as it stands, or a window built for the case.
enum class Target { Text, Closed, OfClass, ShellWindow, DesktopWindow };

struct Refusal {
  const char* name;
  Target target;
  std::string detail;  // the text, or the window's class
  bool told;
};

class RefusalTest : public HideTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, NothingIsHiddenAndTheUserIsTold) {
  const Refusal& r = GetParam();
  const WindowHandle window = r.target == Target::Text ? 0 : desktop.AddWindow("Target");
  if (r.target == Target::Closed) desktop.DestroyWindow(window);
  if (r.target == Target::OfClass) desktop.Find(window)->className = r.detail;
  if (r.target == Target::ShellWindow) desktop.shellWindow = window;
  if (r.target == Target::DesktopWindow) desktop.desktopWindow = window;
  const std::size_t icons = desktop.trayIcons.size();
  HideWindow(r.target == Target::Text ? r.detail : text::FormatHex32(window));
  EXPECT_EQ(Messages(),
            r.told ? std::vector<std::string>{"Not Valid window"} : std::vector<std::string>{});
  if (desktop.IsWindow(window)) {
    EXPECT_TRUE(desktop.IsWindowVisible(window));
  }
  EXPECT_EQ(desktop.trayIcons.size(), icons);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, RefusalTest,
    ::testing::Values(Refusal{"empty text", Target::Text, "", false},
                      Refusal{"no window", Target::Text, "0", true},
                      Refusal{"not hexadecimal", Target::Text, "12G4", true},
                      Refusal{"closed window", Target::Closed, "", true},
                      Refusal{"taskbar", Target::OfClass, "Shell_TrayWnd", true},
                      Refusal{"second taskbar", Target::OfClass, "shell_secondarytraywnd", true},
                      Refusal{"desktop", Target::OfClass, "Progman", true},
                      Refusal{"desktop worker", Target::OfClass, "WorkerW", true},
                      Refusal{"Wine's tray", Target::OfClass, "__winex11_standalone_tray", true},
                      Refusal{"the shell's window", Target::ShellWindow, "", true},
                      Refusal{"the window system's desktop", Target::DesktopWindow, "", true}),
    NameOf<Refusal>);

TEST_F(HideTest, QuotaFullIsToldBeforeTheHandleIsRead) {
  for (int i = 1; i <= 10; ++i) HideWindow(desktop.AddWindow("W" + std::to_string(i)));
  ASSERT_EQ(panel().FreeSlot, -1);
  HideWindow("not a handle");
  EXPECT_EQ(Messages(), std::vector<std::string>{"Sorry, quota full!!"});
  EXPECT_EQ(desktop.messageBoxes[0].title, "Nookshade");
  EXPECT_EQ(desktop.messageBoxes[0].style, message_style::kIconExclamation);
}

TEST_F(HideTest, AWindowAlreadyInASlotKeepsItsOneIcon) {
  const WindowHandle a = desktop.AddWindow("A");
  HideWindow(a);
  HideWindow(a);
  EXPECT_EQ(desktop.trayIcons.size(), 2u);  // the panel's and a's
  EXPECT_EQ(panel().FreeSlot, 2);
}

class HideAllTest : public HideTest {
 protected:
  void SetUp() override {
    Store(setting::kPassword, "417");
    HideTest::SetUp();
  }
  void Press(std::vector<std::optional<std::string>> answers = {}) {
    desktop.passwordAnswers.assign(answers.begin(), answers.end());
    panel().HideAllWindows();
  }
  bool Visible(WindowHandle window) { return desktop.IsWindowVisible(window); }
};

TEST_F(HideAllTest, HidesVisibleTitledUnownedTopLevelWindowsAndBringsThemBackInOrder) {
  const WindowHandle low = desktop.AddWindow("Low"), top = desktop.AddWindow("Top");
  const WindowHandle untitled = desktop.AddWindow(""), owned = desktop.AddWindow("Tool", true, top);
  const WindowHandle child = desktop.AddWindow("Child", true, 0, top);
  const WindowHandle invisible = desktop.AddWindow("Invisible", false);
  desktop.SetNextHandle(static_cast<WindowHandle>(0xFFFF0010u));
  const WindowHandle negative = desktop.AddWindow("Negative");
  const auto order = desktop.EnumTopLevelWindows();
  Press();
  EXPECT_FALSE(Visible(low) || Visible(top) || Visible(negative));
  EXPECT_TRUE(Visible(untitled) && Visible(owned) && Visible(child));
  EXPECT_FALSE(Visible(invisible));
  EXPECT_EQ(desktop.passwordPromptsShown, 0);
  Press({"417"});
  EXPECT_TRUE(Visible(low) && Visible(top) && Visible(negative));
  EXPECT_FALSE(Visible(invisible));
  // The window that was on top is shown last, so it is on top again.
  std::vector<WindowHandle> shown;
  for (const WindowHandle w : desktop.EnumTopLevelWindows()) {
    if (w == low || w == top || w == negative) shown.push_back(w);
  }
  std::vector<WindowHandle> before;
  for (const WindowHandle w : order) {
    if (w == low || w == top || w == negative) before.push_back(w);
  }
  EXPECT_EQ(shown, before);
}

struct Unlock {
  const char* name;
  std::string password;
  std::vector<std::optional<std::string>> answers;  // one press of the hotkey each
  bool shown;
  int prompts;
};

class UnlockTest : public HideAllTest, public ::testing::WithParamInterface<Unlock> {};

TEST_P(UnlockTest, ShowingThemAgainAsksForThePassword) {
  panel().PW.SetText(GetParam().password);
  const WindowHandle window = desktop.AddWindow("Mail");
  Press();
  for (const auto& answer : GetParam().answers) Press({answer});
  if (GetParam().answers.empty()) Press();
  EXPECT_EQ(Visible(window), GetParam().shown);
  EXPECT_EQ(panel().hideAll().AllHidden, !GetParam().shown);
  EXPECT_EQ(desktop.passwordPromptsShown, GetParam().prompts);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UnlockTest,
    ::testing::Values(Unlock{"right", "417", {"417"}, true, 1},
                      Unlock{"wrong", "417", {"418"}, false, 1},
                      Unlock{"other case", "Secret", {"secret"}, false, 1},
                      Unlock{"cancelled then right", "417", {std::nullopt, "417"}, true, 2},
                      Unlock{"no password", "", {}, true, 0},
                      Unlock{"placeholder", "[No Password Set]", {}, true, 0}),
    NameOf<Unlock>);

struct FakeWorkOption {
  const char* name;
  int value;
  bool shownWhileHidden;
};

class FakeWorkOptionTest : public HideAllTest,
                           public ::testing::WithParamInterface<FakeWorkOption> {};

TEST_P(FakeWorkOptionTest, TicksShowTheFakeWorkWithHideAllAndHideItAfter) {
  panel().Check1.SetValue(GetParam().value);
  const WindowHandle work = desktop.AddWindow("Report");
  panel().fw1.SetTag(std::to_string(work));
  panel().fw1.SetText("Report");
  Press();
  EXPECT_EQ(Visible(work), GetParam().shownWhileHidden);
  Press({"417"});
  EXPECT_EQ(Visible(work), !GetParam().shownWhileHidden);
}

INSTANTIATE_TEST_SUITE_P(Check1, FakeWorkOptionTest,
                         ::testing::Values(FakeWorkOption{"ticked", 1, true},
                                           FakeWorkOption{"unticked", 0, false},
                                           FakeWorkOption{"grayed", 2, false}),
                         NameOf<FakeWorkOption>);

TEST_F(HideAllTest, WithNothingToHideTheNextPressStillAsks) {
  Press();
  EXPECT_TRUE(panel().hideAll().AllHidden);
  Press({"417"});
  EXPECT_EQ(desktop.passwordPromptsShown, 1);
  EXPECT_FALSE(panel().hideAll().AllHidden);
}

TEST_F(HideAllTest, EachHideCollectsAfreshAndTheSlotsKeepTheirs) {
  const WindowHandle first = desktop.AddWindow("First");
  const WindowHandle slotted = desktop.AddWindow("Slotted");
  HideWindow(slotted);
  Press();
  Press({"417"});
  const WindowHandle later = desktop.AddWindow("Later");
  Press();
  EXPECT_FALSE(Visible(first) || Visible(later));
  Press({"417"});
  EXPECT_TRUE(Visible(first) && Visible(later));
  EXPECT_FALSE(Visible(slotted));  // only its icon brings it back
}

struct WayBack {
  const char* name;
  std::string className;
  bool ours;  // a window of the program's own process
  bool hidden;
};

class WayBackTest : public HideAllTest, public ::testing::WithParamInterface<WayBack> {};

TEST_P(WayBackTest, HideAllLeavesEveryWayBackInSight) {
  const WindowHandle window = desktop.AddWindow("Titled");
  desktop.Find(window)->className = GetParam().className;
  if (GetParam().ours) desktop.Find(window)->processId = desktop.ownProcessId;
  Press();
  EXPECT_EQ(!Visible(window), GetParam().hidden);
  Press({"417"});
  EXPECT_TRUE(Visible(window));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WayBackTest,
    ::testing::Values(WayBack{"an ordinary window", "Notepad", false, true},
                      WayBack{"the taskbar", "Shell_TrayWnd", false, false},
                      WayBack{"a second taskbar", "Shell_SecondaryTrayWnd", false, false},
                      WayBack{"the overflow area", "NotifyIconOverflowWindow", false, false},
                      WayBack{"Wine's tray", "__winex11_standalone_tray", false, false},
                      WayBack{"Program Manager", "Progman", false, true},
                      WayBack{"a window of ours", "#32770", true, false}),
    NameOf<WayBack>);

struct Rehide {
  const char* name;
  int othersHidden;  // windows in slots besides the panel's and this one
};

class RehideTest : public HideTest, public ::testing::WithParamInterface<Rehide> {};

TEST_P(RehideTest, AWindowItsProgramShowedAgainGoesBackIntoItsSlot) {
  const WindowHandle window = desktop.AddWindow("Chat");
  HideWindow(window);
  for (int i = 0; i < GetParam().othersHidden; ++i) HideWindow(desktop.AddWindow("Other"));
  const std::size_t icons = desktop.trayIcons.size();
  desktop.ShowWindow(window, ShowCommand::Show);  // its program's doing
  HideWindow(window);
  EXPECT_FALSE(desktop.IsWindowVisible(window));
  EXPECT_EQ(panel().WindowSlots[1]->hWnd, window);
  EXPECT_EQ(desktop.trayIcons.size(), icons);
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  desktop.passwordAnswers = {"417"};
  panel().Form1_Mouse(1, 1, 0, 0);
  EXPECT_TRUE(desktop.IsWindowVisible(window));
}

INSTANTIATE_TEST_SUITE_P(Slots, RehideTest,
                         ::testing::Values(Rehide{"slots left", 0}, Rehide{"every slot taken", 9}),
                         NameOf<Rehide>);

enum class WayOut { Icon, ShowAll, Unload };

struct Successor {
  const char* name;
  WayOut way;
  bool sameWindow;  // or its handle now names another program's hidden window
};

class SuccessorRestoreTest : public HideAllTest, public ::testing::WithParamInterface<Successor> {};

TEST_P(SuccessorRestoreTest, OnlyTheWindowThatWasHiddenIsShown) {
  const Successor& c = GetParam();
  WindowHandle window = desktop.AddWindow("Ledger");
  if (c.way == WayOut::Icon) {
    HideWindow(window);
  } else {
    Press();
  }
  if (!c.sameWindow) {
    desktop.DestroyWindow(window);
    desktop.SetNextHandle(window);
    window = desktop.AddWindow("Someone else's secret", false);
    desktop.Find(window)->processId = 777;
  }
  if (c.way == WayOut::Unload) {
    session.Close();
  } else if (c.way == WayOut::Icon) {
    desktop.passwordAnswers = {"417"};
    panel().Form1_Mouse(1, 1, 0, 0);
  } else if (c.way == WayOut::ShowAll) {
    Press({"417"});
  }
  EXPECT_EQ(Visible(window), c.sameWindow);
  if (session.Running()) {
    EXPECT_FALSE(desktop.trayIcons.contains({session.PanelWindow(), 1}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, SuccessorRestoreTest,
    ::testing::Values(Successor{"icon, same window", WayOut::Icon, true},
                      Successor{"icon, handle reused", WayOut::Icon, false},
                      Successor{"show all, same window", WayOut::ShowAll, true},
                      Successor{"show all, handle reused", WayOut::ShowAll, false},
                      Successor{"unload, same window", WayOut::Unload, true},
                      Successor{"unload, handle reused", WayOut::Unload, false}),
    NameOf<Successor>);

struct EndDuringShowAll {
  const char* name;
  std::optional<std::string> answer;
};

class EndDuringShowAllTest : public HideAllTest,
                             public ::testing::WithParamInterface<EndDuringShowAll> {};

TEST_P(EndDuringShowAllTest, TheWaitingShowAllUndoesNothingOfTheUnload) {
  const WindowHandle mail = desktop.AddWindow("Mail");
  const WindowHandle work = desktop.AddWindow("Report", false);
  panel().fw1.SetTag(std::to_string(work));
  panel().fw1.SetText("Report");
  Press();  // Check1 is ticked by default: the fake work shows
  desktop.whilePasswordPromptOpen = [&] { panel().Form_Unload(); };  // the session ends
  Press({GetParam().answer});
  EXPECT_TRUE(Visible(mail) && Visible(work));
  EXPECT_EQ(Stored(setting::kRecoveryJournal), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Answers, EndDuringShowAllTest,
                         ::testing::Values(EndDuringShowAll{"cancelled by the unload",
                                                            std::nullopt},
                                           EndDuringShowAll{"right", "417"}),
                         NameOf<EndDuringShowAll>);

}  // namespace
}  // namespace nookshade::test
