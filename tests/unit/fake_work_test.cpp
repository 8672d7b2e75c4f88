// The fake-work fields: placeholder, tag and the existence check.

#include <gtest/gtest.h>

#include "fakework/fake_work.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

const std::string kPlaceholder(kFakeWorkPlaceholder);

class FakeWorkFieldTest : public SimTest {
 protected:
  void SetUp() override { session.Start(); }
  // What a pick does: the tag first, then the title.
  void Pick(TextBox& field, WindowHandle window) {
    field.SetTag(std::to_string(window));
    field.SetText(desktop.GetWindowText(window, 255));
  }
};

TEST_F(FakeWorkFieldTest, APickedWindowIsKeptWithItsHandle) {
  const WindowHandle sheet = desktop.AddWindow("Budget.xlsx - Spreadsheet");
  Pick(panel().fw1, sheet);
  EXPECT_EQ(panel().fw1.Text(), "Budget.xlsx - Spreadsheet");
  EXPECT_EQ(panel().fw1.Tag(), std::to_string(sheet));
}

TEST_F(FakeWorkFieldTest, AClickOnThePlaceholderLeavesThePlaceholder) {
  panel().Clicked(ControlId::fw2);
  EXPECT_EQ(panel().fw2.Text(), kPlaceholder);
  EXPECT_EQ(panel().fw2.Tag(), "");
}

TEST_F(FakeWorkFieldTest, ResetEmptiesTheSlotButLeavesTheWindowAsItIs) {
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  Pick(panel().fw3, sheet);
  desktop.ShowWindow(sheet, ShowCommand::Hide);
  panel().Clicked(ControlId::Command7);
  EXPECT_EQ(panel().fw3.Text(), kPlaceholder);
  EXPECT_EQ(panel().fw3.Tag(), "");
  EXPECT_FALSE(desktop.IsWindowVisible(sheet));
}

struct TypedCase {
  std::string typed;
  std::string shown;
  bool keepsTag;
};

class TypedTextTest : public FakeWorkFieldTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedTextTest, OnlyTheTitleOfAnExistingWindowStays) {
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  desktop.AddWindow("Report");
  Pick(panel().fw1, sheet);
  panel().TextEdited(ControlId::fw1, GetParam().typed);
  EXPECT_EQ(panel().fw1.Text(), GetParam().shown);
  EXPECT_EQ(panel().fw1.Tag(), GetParam().keepsTag ? std::to_string(sheet) : "");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedTextTest,
    ::testing::Values(TypedCase{"S", kPlaceholder, false},  // letter by letter is impossible
                      TypedCase{"Report", "Report", true},  // pasted title: tag unchanged
                      TypedCase{"REPORT", "REPORT", true},  // titles match without case
                      TypedCase{"   ", "   ", false},       // blanks: kept, not looked up
                      TypedCase{"", kPlaceholder, false}));

TEST_F(FakeWorkFieldTest, TheCheckDropsClosedRenamedAndChildWindows) {
  const WindowHandle closed = desktop.AddWindow("Closed");
  const WindowHandle renamed = desktop.AddWindow("Draft.txt - Editor");
  const WindowHandle parent = desktop.AddWindow("Parent");
  const WindowHandle child = desktop.AddWindow("Child pane", true, 0, parent);
  Pick(panel().fw1, closed);
  Pick(panel().fw2, renamed);
  desktop.DestroyWindow(closed);
  desktop.Find(renamed)->title = "Final.txt - Editor";
  panel().fw3.SetTag(std::to_string(child));
  panel().fw3.SetText("Child pane");
  for (TextBox* field : {&panel().fw1, &panel().fw2, &panel().fw3}) {
    EXPECT_EQ(field->Text(), kPlaceholder);
    EXPECT_EQ(field->Tag(), "");
  }
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST_F(FakeWorkFieldTest, BlanksAreEmptiedByACheckThatAnotherFieldStarts) {
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  panel().TextEdited(ControlId::fw1, "   ");
  ASSERT_EQ(panel().fw1.Text(), "   ");
  Pick(panel().fw2, sheet);
  EXPECT_EQ(panel().fw1.Text(), kPlaceholder);
  EXPECT_EQ(panel().fw2.Text(), "Sheet");
}

TEST_F(FakeWorkFieldTest, TypingInOneFieldKeepsTheOthersWindows) {
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  Pick(panel().fw1, sheet);
  panel().TextEdited(ControlId::fw2, "S");
  EXPECT_EQ(panel().fw2.Text(), kPlaceholder);
  EXPECT_EQ(panel().fw1.Text(), "Sheet");
  EXPECT_EQ(panel().fw1.Tag(), std::to_string(sheet));
}

TEST_F(FakeWorkFieldTest, ASharedTitleKeepsTheSlotWhileEitherWindowExists) {
  const WindowHandle first = desktop.AddWindow("Untitled - Editor");
  const WindowHandle second = desktop.AddWindow("Untitled - Editor");
  Pick(panel().fw1, first);
  desktop.DestroyWindow(first);
  panel().fakeWork().VerifyFakeWorkWindows();
  EXPECT_EQ(panel().fw1.Text(), "Untitled - Editor");
  desktop.DestroyWindow(second);
  panel().fakeWork().VerifyFakeWorkWindows();
  EXPECT_EQ(panel().fw1.Text(), kPlaceholder);
}

struct LetGoCase {
  const char* name;
  bool hiddenByToggle;
  bool heldByAnotherSlot;
  bool shownAfterReset;
};

class LetGoTest : public FakeWorkFieldTest, public ::testing::WithParamInterface<LetGoCase> {};

TEST_P(LetGoTest, AWindowTheToggleHidComesBackWhenNoSlotHoldsItAnyMore) {
  const auto& c = GetParam();
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  Pick(panel().fw1, sheet);
  if (c.heldByAnotherSlot) Pick(panel().fw2, sheet);
  if (c.hiddenByToggle) {
    panel().fakeWork().OpenFakeWork(false);
  } else {
    desktop.ShowWindow(sheet, ShowCommand::Hide);  // its own program hid it
  }
  panel().Clicked(ControlId::Command5);
  EXPECT_EQ(desktop.IsWindowVisible(sheet), c.shownAfterReset);
  // Nor is it left behind at the end.
  session.Close();
  EXPECT_EQ(desktop.IsWindowVisible(sheet), c.hiddenByToggle);
}

INSTANTIATE_TEST_SUITE_P(Cases, LetGoTest,
                         ::testing::Values(LetGoCase{"hidden_by_toggle", true, false, true},
                                           LetGoCase{"still_in_another_slot", true, true, false},
                                           LetGoCase{"hidden_by_its_program", false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FakeWorkFieldTest, ARenamedWindowTheToggleHidIsShownWhenDropped) {
  const WindowHandle doc = desktop.AddWindow("Draft - Editor");
  Pick(panel().fw1, doc);
  panel().fakeWork().OpenFakeWork(false);
  desktop.Find(doc)->title = "Final - Editor";
  panel().fakeWork().VerifyFakeWorkWindows();
  EXPECT_EQ(panel().fw1.Text(), kPlaceholder);
  EXPECT_TRUE(desktop.IsWindowVisible(doc));
}

TEST_F(FakeWorkFieldTest, HiddenWindowsAreFoundAgain) {
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  Pick(panel().fw1, sheet);
  desktop.ShowWindow(sheet, ShowCommand::Hide);
  panel().fakeWork().VerifyFakeWorkWindows();
  EXPECT_EQ(panel().fw1.Text(), "Sheet");
}

TEST_F(FakeWorkFieldTest, TitlesOutsideAnyCodePageAreKept) {
  const std::string titles[] = {
      "\xE6\x8A\xA5\xE5\x91\x8A - \xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82",
      "\xF0\x9F\x93\x8A Dashboard", std::string(600, 'x')};
  for (const std::string& title : titles) {
    const WindowHandle window = desktop.AddWindow(title);
    panel().fw2.SetTag(std::to_string(window));
    panel().fw2.SetText(title);
    EXPECT_EQ(panel().fw2.Text(), title);
    panel().fakeWork().VerifyFakeWorkWindows();
    EXPECT_EQ(panel().fw2.Tag(), std::to_string(window));
  }
}

TEST_F(FakeWorkFieldTest, AWindowInTwoSlotsIsShownTwiceWithoutFault) {
  const WindowHandle sheet = desktop.AddWindow("Sheet", false);
  Pick(panel().fw1, sheet);
  Pick(panel().fw3, sheet);
  panel().fakeWork().OpenFakeWork(true);
  EXPECT_TRUE(desktop.IsWindowVisible(sheet));
  panel().fakeWork().OpenFakeWork(false);
  EXPECT_FALSE(desktop.IsWindowVisible(sheet));
}

TEST_F(FakeWorkFieldTest, ShowingActivatesTheSlotsInOrder) {
  const WindowHandle one = desktop.AddWindow("One", false);
  const WindowHandle two = desktop.AddWindow("Two", false);
  Pick(panel().fw1, one);
  Pick(panel().fw2, two);
  panel().fakeWork().OpenFakeWork(true);
  EXPECT_EQ(desktop.GetForegroundWindow(), two);
}

TEST_F(FakeWorkFieldTest, ATagThatIsNotANumberIsSkipped) {
  const WindowHandle sheet = desktop.AddWindow("Sheet", false);
  panel().fw1.SetText("Sheet");
  panel().fw1.SetTag("12abc");
  panel().fakeWork().OpenFakeWork(true);
  EXPECT_FALSE(desktop.IsWindowVisible(sheet));
}

TEST_F(FakeWorkFieldTest, ArmingDropsAWindowClosedSinceItWasPicked) {
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  Pick(panel().fw1, sheet);
  desktop.DestroyWindow(sheet);
  Store(setting::kNoNotification, "1");
  panel().Check4.SetValue(1);
  panel().Clicked(ControlId::Command2);
  EXPECT_EQ(panel().fw1.Text(), kPlaceholder);
}

}  // namespace
}  // namespace nookshade::test
