// Hiding the window in front into a slot with its icon, hiding every window
// at once, and every way back behind the unlock password.

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

class HidingTest : public SimTest {
 protected:
  void SetUp() override { StartArmed(); }  // the panel in slot 0
};

// What is in front when the hotkey is pressed.
enum class Front { Ordinary, Closed, OfClass, ShellWindow, DesktopWindow, Nothing };

struct Refusal {
  const char* name;
  Front front;
  std::string className;
  int slotsTaken;  // besides the panel's
  std::string message;
};

class RefusalTest : public HidingTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, AWindowIsHiddenIntoTheLowestFreeSlotOrTheUserIsTold) {
  const Refusal& r = GetParam();
  for (int i = 0; i < r.slotsTaken; ++i) {
    Window("Filler");
    HideInFront();
  }
  const int icons = IconCount();
  desktop.messageBoxes.clear();
  const WindowHandle window = Window("Target");
  desktop.Find(window)->className = r.className;
  if (r.front == Front::Closed) {
    desktop.DestroyWindow(window);
    desktop.SetForeground(window);  // a dead handle
  }
  if (r.front == Front::ShellWindow) desktop.shellWindow = window;
  if (r.front == Front::DesktopWindow) desktop.desktopWindow = window;
  if (r.front == Front::Nothing) desktop.SetForeground(0);
  HideInFront();
  EXPECT_EQ(Messages(),
            r.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{r.message});
  const bool hidden = r.message.empty();
  if (desktop.IsWindow(window)) {
    EXPECT_EQ(Visible(window), !hidden);
  }
  EXPECT_EQ(IconCount(), icons + (hidden ? 1 : 0));
  if (hidden) {
    EXPECT_EQ(panel().SlotWindow(1 + r.slotsTaken), window);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fronts, RefusalTest,
    ::testing::Values(
        Refusal{"an ordinary window", Front::Ordinary, "Notepad", 0, ""},
        Refusal{"the tenth window", Front::Ordinary, "Notepad", 9, ""},
        Refusal{"the eleventh window", Front::Ordinary, "Notepad", 10, "Sorry, quota full!!"},
        Refusal{"a closed window", Front::Closed, "Notepad", 0, "Not Valid window"},
        Refusal{"nothing in front", Front::Nothing, "Notepad", 0, "Not Valid window"},
        Refusal{"the taskbar", Front::OfClass, "Shell_TrayWnd", 0, "Not Valid window"},
        Refusal{"a second taskbar", Front::OfClass, "shell_secondarytraywnd", 0,
                "Not Valid window"},
        Refusal{"the overflow area", Front::OfClass, "NotifyIconOverflowWindow", 0,
                "Not Valid window"},
        Refusal{"Wine's tray", Front::OfClass, "__winex11_standalone_tray", 0, "Not Valid window"},
        Refusal{"the desktop", Front::OfClass, "Progman", 0, "Not Valid window"},
        Refusal{"the desktop worker", Front::OfClass, "WorkerW", 0, "Not Valid window"},
        Refusal{"the shell's window", Front::ShellWindow, "Notepad", 0, "Not Valid window"},
        Refusal{"the window system's desktop", Front::DesktopWindow, "Notepad", 0,
                "Not Valid window"}),
    NameOf<Refusal>);

TEST_F(HidingTest, AWindowThatRefusesToHideGetsNoSlotAndTheUserIsTold) {
  const WindowHandle window = Window("Admin console");
  desktop.Find(window)->refusesHide = true;
  HideInFront();
  EXPECT_TRUE(Visible(window));
  EXPECT_EQ(panel().SlotWindow(1), 0);
  EXPECT_EQ(IconCount(), 1);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(HidingTest, AFreedSlotIsTheNextOneTaken) {
  const WindowHandle a = Window("A");
  HideInFront();
  Window("B");
  HideInFront();
  DoubleClickIcon(1);
  const WindowHandle c = Window("C");
  HideInFront();
  EXPECT_TRUE(Visible(a));
  EXPECT_EQ(panel().SlotWindow(1), c);
}

struct Rehide {
  const char* name;
  int othersHidden;
};

class RehideTest : public HidingTest, public ::testing::WithParamInterface<Rehide> {};

TEST_P(RehideTest, AWindowItsProgramShowedAgainGoesBackIntoItsSlot) {
  const WindowHandle chat = Window("Chat");
  HideInFront();
  for (int i = 0; i < GetParam().othersHidden; ++i) {
    Window("Other");
    HideInFront();
  }
  const int icons = IconCount();
  desktop.ShowWindow(chat, ShowCommand::Show);  // its program's doing
  desktop.SetForeground(chat);
  HideInFront();
  EXPECT_FALSE(Visible(chat));
  EXPECT_EQ(IconCount(), icons);
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  DoubleClickIcon(1);
  EXPECT_TRUE(Visible(chat));
}

INSTANTIATE_TEST_SUITE_P(Slots, RehideTest,
                         ::testing::Values(Rehide{"slots left", 0}, Rehide{"every slot taken", 9}),
                         NameOf<Rehide>);

struct Unlock {
  const char* name;
  std::string password;
  std::vector<std::optional<std::string>> answers;  // one double-click each
  bool shown;
  int prompts;
};

class UnlockTest : public SimTest, public ::testing::WithParamInterface<Unlock> {};

TEST_P(UnlockTest, AnIconAndShowAllBringWindowsBackOnlyWithTheExactPassword) {
  Store(setting::kPassword, GetParam().password);
  StartArmed();
  const WindowHandle slotted = Window("Slotted");
  HideInFront();
  const WindowHandle other = Window("Other");
  HideAll();
  for (const auto& answer : GetParam().answers) DoubleClickIcon(1, answer);
  for (const auto& answer : GetParam().answers) HideAll({answer});
  if (GetParam().answers.empty()) {
    DoubleClickIcon(1, std::nullopt);
    HideAll();
  }
  EXPECT_EQ(Visible(slotted), GetParam().shown);
  EXPECT_EQ(Visible(other), GetParam().shown);
  EXPECT_EQ(IconCount(), GetParam().shown ? 1 : 2);
  EXPECT_EQ(desktop.passwordPromptsShown, 2 * GetParam().prompts);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UnlockTest,
    ::testing::Values(Unlock{"right", "417", {"417"}, true, 1},
                      Unlock{"wrong", "417", {"418"}, false, 1},
                      Unlock{"other case", "Secret", {"secret"}, false, 1},
                      Unlock{"cancelled", "417", {std::nullopt}, false, 1},
                      Unlock{"cancelled then right", "417", {std::nullopt, "417"}, true, 2},
                      Unlock{"no password", "", {}, true, 0},
                      Unlock{"the placeholder", "[No Password Set]", {}, true, 0}),
    NameOf<Unlock>);

struct IconId {
  const char* name;
  std::int64_t id;
  bool restores;
};

class IconIdTest : public HidingTest, public ::testing::WithParamInterface<IconId> {};

TEST_P(IconIdTest, OnlyTheProgramsOwnIdentifiersNameASlot) {
  for (int i = 1; i <= 10; ++i) {
    Window("W");
    HideInFront();
  }
  const int icons = IconCount();
  DoubleClickIcon(GetParam().id);
  EXPECT_EQ(IconCount(), icons - (GetParam().restores ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Ids, IconIdTest,
                         ::testing::Values(IconId{"the panel's", 0, true},
                                           IconId{"the last", 10, true},
                                           IconId{"one past the last", 11, false},
                                           IconId{"negative", -1, false},
                                           IconId{"beyond 16 bits", 0x10001, false}),
                         NameOf<IconId>);

struct WayBack {
  const char* name;
  std::string className;
  bool ours;  // a window of the program's own process
  bool hidden;
};

class WayBackTest : public HidingTest, public ::testing::WithParamInterface<WayBack> {};

TEST_P(WayBackTest, HideAllTakesEveryTitledWindowButTheWayBack) {
  const WindowHandle window = Window("Titled");
  desktop.Find(window)->className = GetParam().className;
  if (GetParam().ours) desktop.Find(window)->processId = desktop.ownProcessId;
  HideAll();
  EXPECT_EQ(!Visible(window), GetParam().hidden);
  HideAll({"417"});
  EXPECT_TRUE(Visible(window));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WayBackTest,
    ::testing::Values(WayBack{"an ordinary window", "Notepad", false, true},
                      WayBack{"Program Manager", "Progman", false, true},
                      WayBack{"the taskbar", "Shell_TrayWnd", false, false},
                      WayBack{"a second taskbar", "Shell_SecondaryTrayWnd", false, false},
                      WayBack{"the overflow area", "NotifyIconOverflowWindow", false, false},
                      WayBack{"Wine's tray", "__winex11_standalone_tray", false, false},
                      WayBack{"a window of ours", "#32770", true, false}),
    NameOf<WayBack>);

TEST_F(HidingTest, HideAllLeavesUntitledOwnedChildAndHiddenWindowsAndShowsInOrder) {
  const WindowHandle low = Window("Low"), top = Window("Top");
  const WindowHandle untitled = Window(""), owned = desktop.AddWindow("Tool", true, top);
  const WindowHandle child = desktop.AddWindow("Child", true, 0, top);
  const WindowHandle invisible = desktop.AddWindow("Invisible", false);
  desktop.SetNextHandle(static_cast<WindowHandle>(0xFFFF0010u));
  const WindowHandle negative = Window("Negative handle");
  const WindowHandle slotted = Window("Slotted");
  HideInFront();
  HideAll();
  EXPECT_FALSE(Visible(low) || Visible(top) || Visible(negative));
  EXPECT_TRUE(Visible(untitled) && Visible(owned) && Visible(child));
  HideAll({"417"});
  EXPECT_FALSE(Visible(invisible) || Visible(slotted));
  // The window that was on top is shown last, so it is on top again.
  std::vector<WindowHandle> shown;
  for (const WindowHandle w : desktop.EnumTopLevelWindows()) {
    if (w == low || w == top || w == negative) shown.push_back(w);
  }
  EXPECT_EQ(shown, (std::vector{negative, top, low}));
}

enum class WayOut { Icon, ShowAll, Unload };

struct Successor {
  const char* name;
  WayOut way;
  bool sameWindow;  // or its handle now names another program's hidden window
};

class SuccessorTest : public HidingTest, public ::testing::WithParamInterface<Successor> {};

TEST_P(SuccessorTest, OnlyTheWindowThatWasHiddenIsShown) {
  const Successor& c = GetParam();
  WindowHandle window = Window("Ledger");
  c.way == WayOut::Icon ? HideInFront() : HideAll();
  if (!c.sameWindow) {
    desktop.DestroyWindow(window);
    desktop.SetNextHandle(window);
    window = desktop.AddWindow("Someone else's secret", false);
    desktop.Find(window)->processId = 777;
  }
  if (c.way == WayOut::Unload) session.Close();
  if (c.way == WayOut::Icon) DoubleClickIcon(1);
  if (c.way == WayOut::ShowAll) HideAll({"417"});
  EXPECT_EQ(Visible(window), c.sameWindow);
  EXPECT_EQ(IconCount(), c.way == WayOut::Unload ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, SuccessorTest,
    ::testing::Values(Successor{"icon, same window", WayOut::Icon, true},
                      Successor{"icon, handle reused", WayOut::Icon, false},
                      Successor{"show all, same window", WayOut::ShowAll, true},
                      Successor{"show all, handle reused", WayOut::ShowAll, false},
                      Successor{"unload, same window", WayOut::Unload, true},
                      Successor{"unload, handle reused", WayOut::Unload, false}),
    NameOf<Successor>);

struct Refused {
  const char* name;
  int refusals;  // adds the shell refuses after a restart: at it, then once a second
  bool shownAgain;
};

class ShellRestartTest : public SimTest, public ::testing::WithParamInterface<Refused> {};

TEST_P(ShellRestartTest, AHiddenWindowGetsItsIconBackOrIsShownAfterTheFifthRetry) {
  session.Start();
  const WindowHandle window = Window("A");
  panel().HideWindowInFront();
  desktop.trayIcons.clear();  // the shell restarted
  desktop.failTrayAdds = GetParam().refusals;
  panel().ShellRestarted();
  for (int second = 0; second < 6; ++second) desktop.FireTimer(TimerId::TrayRetry);
  EXPECT_EQ(Visible(window), GetParam().shownAgain);
  EXPECT_EQ(IconCount(), GetParam().shownAgain ? 0 : 1);
  EXPECT_EQ(Messages().size(), GetParam().shownAgain ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Refusals, ShellRestartTest,
                         ::testing::Values(Refused{"none", 0, false},
                                           Refused{"taken at the fifth retry", 5, false},
                                           Refused{"refused at the fifth retry", 6, true}),
                         NameOf<Refused>);

struct EndDuringShowAll {
  const char* name;
  std::optional<std::string> answer;
};

class EndDuringShowAllTest : public HidingTest,
                             public ::testing::WithParamInterface<EndDuringShowAll> {};

TEST_P(EndDuringShowAllTest, TheWaitingShowAllUndoesNothingOfTheUnload) {
  const WindowHandle mail = Window("Mail");
  const WindowHandle report = Window("Report");
  PickFakeWork(1, report);
  HideAll();  // the option "LFW" is on by default: the fake work shows
  desktop.whilePasswordPromptOpen = [&] { panel().Unload(); };  // the session ends
  HideAll({GetParam().answer});
  EXPECT_TRUE(Visible(mail) && Visible(report));
  EXPECT_EQ(Stored(setting::kRecoveryJournal), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Answers, EndDuringShowAllTest,
                         ::testing::Values(EndDuringShowAll{"cancelled by the unload",
                                                            std::nullopt},
                                           EndDuringShowAll{"right", "417"}),
                         NameOf<EndDuringShowAll>);

}  // namespace
}  // namespace nookshade::test
