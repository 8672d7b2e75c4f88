// Picking a fake-work window by dragging a row's crosshair onto it.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "fakework/fake_work.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

const std::string kPlaceholder(kFakeWorkPlaceholder);
constexpr std::array<ControlId, 3> kBoxes = {ControlId::Picture1, ControlId::Picture2,
                                             ControlId::Picture3};

class PickerTest : public SimTest {
 protected:
  void SetUp() override { session.Start(); }
  TextBox& Field(int slot) { return *std::array{&panel().fw1, &panel().fw2, &panel().fw3}[slot]; }
  // Press on a row's box, pause over each window in turn for one tick of
  // the drag timer, release.
  void Drag(int slot, std::vector<WindowHandle> over) {
    panel().MouseDown(kBoxes[slot]);
    for (const WindowHandle window : over) {
      desktop.pointerWindow = window;
      desktop.FireTimer(TimerId::PickerDrag);
    }
    panel().MouseUp(kBoxes[slot]);
  }
};

TEST_F(PickerTest, TheCrosshairTravelsWithThePointerUntilTheRelease) {
  const WindowHandle sheet = desktop.AddWindow("Budget - Spreadsheet");
  panel().MouseDown(ControlId::Picture2);
  EXPECT_TRUE(session.view().crosshairPointer);
  EXPECT_EQ(desktop.TimerInterval(TimerId::PickerDrag), 50u);
  desktop.pointerWindow = sheet;
  desktop.FireTimer(TimerId::PickerDrag);
  EXPECT_EQ(panel().fw2.Text(), "Budget - Spreadsheet");  // follows while dragging
  panel().MouseUp(ControlId::Picture2);
  EXPECT_FALSE(session.view().crosshairPointer);
  EXPECT_FALSE(desktop.TimerRunning(TimerId::PickerDrag));
  EXPECT_EQ(panel().fw2.Tag(), std::to_string(sheet));
}

struct Target {
  const char* name;
  std::string title;
  bool child;        // under the pointer is a child whose text is the title
  bool topLevelToo;  // a top-level window carries that title as well
  std::string shown;
  bool keepsPointedHandle;
};

class TargetTest : public PickerTest, public ::testing::WithParamInterface<Target> {};

TEST_P(TargetTest, TheSlotKeepsOnlyWindowsItCanFindAgain) {
  const Target& t = GetParam();
  const WindowHandle top = desktop.AddWindow(t.topLevelToo ? t.title : "Frame");
  const WindowHandle pointed = t.child         ? desktop.AddWindow(t.title, true, 0, top)
                               : t.topLevelToo ? top
                                               : desktop.AddWindow(t.title);
  Drag(0, {pointed});
  EXPECT_EQ(panel().fw1.Text(), t.shown);
  EXPECT_EQ(panel().fw1.Tag(), t.keepsPointedHandle ? std::to_string(pointed) : "");
}

INSTANTIATE_TEST_SUITE_P(
    Windows, TargetTest,
    ::testing::Values(Target{"titled window", "Mail", false, true, "Mail", true},
                      Target{"untitled window", "", false, false, kPlaceholder, false},
                      Target{"child control", "OK", true, false, kPlaceholder, false},
                      Target{"child named like a window", "Mail", true, true, "Mail", true},
                      Target{"leading blanks", "  Mail", false, false, kPlaceholder, false},
                      Target{"trailing blanks", "Mail  ", false, false, "Mail  ", true},
                      Target{"title of 300 characters", std::string(300, 'x'), false, false,
                             std::string(300, 'x'), true},
                      Target{"title in no code page", "\xE6\x97\xA5\xE8\xAA\x8C \xF0\x9F\x93\x9D",
                             false, false, "\xE6\x97\xA5\xE8\xAA\x8C \xF0\x9F\x93\x9D", true}),
    NameOf<Target>);

TEST_F(PickerTest, AReleaseBeforeTheFirstTickLeavesTheSlotAsItWas) {
  const WindowHandle mail = desktop.AddWindow("Mail");
  Drag(0, {mail});
  Drag(0, {});
  EXPECT_EQ(panel().fw1.Tag(), std::to_string(mail));
}

TEST_F(PickerTest, AWindowClosedDuringTheDragLeavesThePlaceholder) {
  const WindowHandle mail = desktop.AddWindow("Mail");
  panel().MouseDown(ControlId::Picture1);
  desktop.pointerWindow = mail;
  desktop.FireTimer(TimerId::PickerDrag);
  desktop.DestroyWindow(mail);
  desktop.FireTimer(TimerId::PickerDrag);
  panel().MouseUp(ControlId::Picture1);
  EXPECT_EQ(panel().fw1.Text(), kPlaceholder);
  EXPECT_EQ(panel().fw1.Tag(), "");
}

struct Duplicate {
  const char* name;
  std::vector<std::pair<int, int>> picks;  // (slot, window) in order
  int messages;
  std::array<int, 3> holds;  // window per slot afterwards, -1 for none
};

class DuplicatePickTest : public PickerTest, public ::testing::WithParamInterface<Duplicate> {};

TEST_P(DuplicatePickTest, EachBoxComparesItsSlotWithTheOthersInItsOrder) {
  const std::array<WindowHandle, 2> windows = {desktop.AddWindow("A"), desktop.AddWindow("B")};
  for (const auto& [slot, window] : GetParam().picks) Drag(slot, {windows[window]});
  EXPECT_EQ(static_cast<int>(desktop.messageBoxes.size()), GetParam().messages);
  for (int slot = 0; slot < 3; ++slot) {
    const int held = GetParam().holds[slot];
    EXPECT_EQ(Field(slot).Tag(), held < 0 ? "" : std::to_string(windows[held])) << slot;
  }
  if (!desktop.messageBoxes.empty()) {
    EXPECT_EQ(desktop.messageBoxes[0].text, "You Have Already Selected The Same Window");
    EXPECT_EQ(desktop.messageBoxes[0].title, "Nookshade PRO");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Picks, DuplicatePickTest,
    ::testing::Values(Duplicate{"box 1 repeats slot 2", {{1, 0}, {0, 0}}, 1, {-1, 0, -1}},
                      Duplicate{
                          "box 1 repeats slot 3 while 2 is empty", {{2, 0}, {0, 0}}, 0, {0, -1, 0}},
                      Duplicate{"box 2 repeats slot 1", {{0, 0}, {1, 0}}, 1, {0, -1, -1}},
                      Duplicate{"box 2 repeats slot 3", {{0, 1}, {2, 0}, {1, 0}}, 1, {1, 0, 0}},
                      Duplicate{"box 3 repeats slot 1", {{0, 0}, {1, 1}, {2, 0}}, 1, {0, 1, -1}},
                      Duplicate{"box 3 repeats slot 2", {{0, 1}, {1, 0}, {2, 0}}, 1, {1, 0, 0}},
                      Duplicate{"all different", {{0, 0}, {1, 1}}, 0, {0, 1, -1}}),
    NameOf<Duplicate>);

TEST_F(PickerTest, PickingAnotherWindowGivesBackOneTheToggleHid) {
  const WindowHandle first = desktop.AddWindow("First"), second = desktop.AddWindow("Second");
  Drag(0, {first});
  panel().fakeWork().OpenFakeWork(false);
  ASSERT_FALSE(desktop.IsWindowVisible(first));
  Drag(0, {second});
  EXPECT_TRUE(desktop.IsWindowVisible(first));
}

}  // namespace
}  // namespace nookshade::test
