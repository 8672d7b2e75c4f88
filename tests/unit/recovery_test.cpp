// No window is ever left hidden without a way back: not by a kill at any
// moment, a shell that refuses icons, a window that refuses to hide, nor a
// second start.

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "sim_fixture.h"
#include "text/numbers.h"

namespace nookshade::test {
namespace {

const std::string kJournalPath = SettingPath(kAppName, "Recovery");

class RecoveryTest : public SimTest {
 public:
  using SimTest::panel;
  void Start() {
    Store(setting::kPassword, "");
    Store(setting::kAutoStart, "1");  // armed: the panel in slot 0
    session.Start();
  }
  std::optional<std::string> StoredJournal() const {
    return desktop.StoredString(kJournalPath, "Windows");
  }
  void HideInSlot(WindowHandle window) {
    panel().Text1.SetText(text::FormatHex32(window));
    panel().HideWindow();
  }
  void PickFakeWork(WindowHandle window) {
    panel().fw1.SetTag(std::to_string(window));
    panel().fw1.SetText(desktop.GetWindowTitle(window));
  }
};

// One action, split into what comes before it and the action itself.
struct Action {
  const char* name;
  std::function<void(RecoveryTest&, WindowHandle)> before, act;
};

// The most changes of the world any of the actions below makes.
constexpr int kMostSteps = 8;

class KillTest : public RecoveryTest,
                 public ::testing::WithParamInterface<std::tuple<Action, int>> {};

TEST_P(KillTest, LeavesEveryWindowVisibleAfterTheNextStart) {
  const auto& [action, step] = GetParam();
  Start();
  const WindowHandle window = desktop.AddWindow("Mail");
  action.before(*this, window);
  desktop.killAt = step;
  bool killed = false;
  try {
    action.act(*this, window);
  } catch (const sim::Killed&) {
    killed = true;
  }
  desktop.killAt = 0;
  // Past the action's last step the kill comes after it, which counts too.
  EXPECT_TRUE(step < kMostSteps || !killed) << "the action has more steps than tried";
  session.Kill();
  session.Start();
  EXPECT_TRUE(desktop.IsWindowVisible(window));
  EXPECT_EQ(StoredJournal(), std::nullopt);
}

const auto kNothing = [](RecoveryTest&, WindowHandle) {};

INSTANTIATE_TEST_SUITE_P(
    Actions, KillTest,
    ::testing::Combine(
        ::testing::Values(
            Action{"hide into a slot", kNothing, [](auto& t, auto w) { t.HideInSlot(w); }},
            Action{"restore from a slot", [](auto& t, auto w) { t.HideInSlot(w); },
                   [](auto& t, auto) { t.panel().Form1_Mouse(1, 1, 0, 0); }},
            Action{"hide all", kNothing, [](auto& t, auto) { t.panel().HideAllWindows(); }},
            Action{"show all", [](auto& t, auto) { t.panel().HideAllWindows(); },
                   [](auto& t, auto) { t.panel().HideAllWindows(); }},
            Action{"hide the fake work", [](auto& t, auto w) { t.PickFakeWork(w); },
                   [](auto& t, auto) { t.panel().fakeWork().OpenFakeWork(false); }},
            Action{"show the fake work",
                   [](auto& t, auto w) {
                     t.PickFakeWork(w);
                     t.panel().fakeWork().OpenFakeWork(false);
                   },
                   [](auto& t, auto) { t.panel().fakeWork().OpenFakeWork(true); }}),
        ::testing::Range(1, kMostSteps + 1)),
    [](const auto& info) {
      return CaseName(std::get<0>(info.param).name) + "_step_" +
             std::to_string(std::get<1>(info.param));
    });

struct Successor {
  const char* name;
  std::function<void(sim::SimDesktop&, WindowHandle)> change;
  bool shown;
};

class SuccessorTest : public RecoveryTest, public ::testing::WithParamInterface<Successor> {};

TEST_P(SuccessorTest, OnlyTheSameWindowIsShownAgain) {
  Start();
  const WindowHandle window = desktop.AddWindow("Mail");
  HideInSlot(window);
  session.Kill();
  GetParam().change(desktop, window);
  session.Start();
  EXPECT_EQ(desktop.IsWindowVisible(window), GetParam().shown);
  EXPECT_EQ(StoredJournal(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Handles, SuccessorTest,
    ::testing::Values(Successor{"the same window", [](auto&, auto) {}, true},
                      Successor{"handle of another process",
                                [](auto& d, auto w) { d.Find(w)->processId = 7; }, false},
                      Successor{"handle of another class",
                                [](auto& d, auto w) { d.Find(w)->className = "Other"; }, false}),
    NameOf<Successor>);

struct Stored {
  const char* name;
  std::string text;
  bool readable;
};

class StoredJournalTest : public RecoveryTest, public ::testing::WithParamInterface<Stored> {};

TEST_P(StoredJournalTest, AJournalThatCannotBeReadIsDroppedWithANote) {
  const WindowHandle window = desktop.AddWindow("Mail", false);
  std::string text = GetParam().text;
  if (const auto at = text.find("%h"); at != std::string::npos) {
    text.replace(at, 2, std::to_string(window));
  }
  desktop.StoreString(kJournalPath, "Windows", text);
  Start();
  EXPECT_EQ(desktop.IsWindowVisible(window), GetParam().readable);
  EXPECT_EQ(desktop.log.empty(), GetParam().readable);
  EXPECT_EQ(StoredJournal(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredJournalTest,
    ::testing::Values(
        Stored{"readable", "nookshade-journal 1\nA %h 4242 SimWindow", true},
        Stored{"older format", "nookshade-journal 0\nA %h 4242 SimWindow", false},
        Stored{"unknown way of hiding", "nookshade-journal 1\nX %h 4242 SimWindow", false},
        Stored{"handle not a number", "nookshade-journal 1\nS h%h 4242 SimWindow", false},
        Stored{"cut short", "nookshade-journal 1\nS %h", false},
        Stored{"random bytes", std::string("\xFF\x00\x13nookshade", 12), false},
        Stored{"very long", "nookshade-journal 1\n" + std::string(100000, '9'), false}),
    NameOf<Stored>);

TEST_F(RecoveryTest, ACleanExitLeavesNoJournal) {
  Start();
  HideInSlot(desktop.AddWindow("Mail"));
  panel().HideAllWindows();
  ASSERT_NE(StoredJournal(), std::nullopt);
  session.Close();
  EXPECT_EQ(StoredJournal(), std::nullopt);
}

TEST_F(RecoveryTest, AWindowThatRefusesToHideKeepsNoSlotAndNoIcon) {
  Start();
  const WindowHandle elevated = desktop.AddWindow("Administrator: Console");
  desktop.Find(elevated)->refusesHide = true;
  HideInSlot(elevated);
  EXPECT_EQ(panel().FreeSlot, 1);
  EXPECT_EQ(desktop.trayIcons.size(), 1u);  // the panel's own
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(StoredJournal(), std::nullopt);
}

struct Refusals {
  const char* name;
  int refused;  // adds the shell refuses before taking them again
  bool hidden;  // the window still hidden, with its icon, at the end
};

class IconRetryTest : public RecoveryTest, public ::testing::WithParamInterface<Refusals> {};

TEST_P(IconRetryTest, AnIconTheShellRefusesIsTriedAgainOrItsWindowShown) {
  Start();
  const WindowHandle window = desktop.AddWindow("Mail");
  desktop.failTrayAdds = GetParam().refused;
  HideInSlot(window);
  for (int i = 0; i < 10; ++i) desktop.FireTimer(TimerId::TrayRetry);
  EXPECT_EQ(!desktop.IsWindowVisible(window), GetParam().hidden);
  EXPECT_EQ(desktop.trayIcons.contains({session.PanelWindow(), 1}), GetParam().hidden);
  EXPECT_EQ(desktop.messageBoxes.size(), GetParam().hidden ? 0u : 1u);
  EXPECT_FALSE(desktop.TimerRunning(TimerId::TrayRetry));
}

INSTANTIATE_TEST_SUITE_P(Shell, IconRetryTest,
                         ::testing::Values(Refusals{"taken at once", 0, true},
                                           Refusals{"taken on the last try", 5, true},
                                           Refusals{"never taken", 100, false}),
                         NameOf<Refusals>);

TEST_F(RecoveryTest, AfterAShellRestartEverySlotHasItsIconAgain) {
  Start();
  HideInSlot(desktop.AddWindow("Mail"));
  desktop.trayIcons.clear();  // the new shell starts empty
  desktop.failTrayAdds = 1;   // and is not quite ready for the first one
  panel().ShellRestarted();
  desktop.FireTimer(TimerId::TrayRetry);
  EXPECT_EQ(desktop.trayIcons.size(), 2u);
  panel().ShellRestarted();  // announced again with the icons still there
  EXPECT_FALSE(desktop.TimerRunning(TimerId::TrayRetry));
}

TEST_F(RecoveryTest, ASecondStartWakesTheFirstInsteadOfPolling) {
  Start();
  sim::SimSession second(desktop);
  second.Start();
  EXPECT_FALSE(second.Running());
  EXPECT_EQ(desktop.wakes, 1);
  panel().AnotherStart();  // what the wake does: the panel back from the tray
  EXPECT_TRUE(desktop.IsWindowVisible(session.PanelWindow()));
  EXPECT_FALSE(panel().WindowSlots[0]->Hiding);
}

}  // namespace
}  // namespace nookshade::test
