// The fake-work fields: placeholder, tag and the existence check.

#include <gtest/gtest.h>

#include "fakework/fake_work.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

const std::string kPlaceholder(kFakeWorkPlaceholder);
const std::string kWideTitle = "\xF0\x9F\x93\x8A \xE6\x8A\xA5\xE5\x91\x8A - \xD0\x9E\xD1\x82";
constexpr auto kName = [](const auto& info) { return std::string(info.param.name); };

class FakeWorkTest : public SimTest {
 protected:
  void SetUp() override { session.Start(); }
  // What a pick does: the tag first, then the title.
  void Pick(TextBox& field, WindowHandle window) {
    field.SetTag(std::to_string(window));
    field.SetText(desktop.Find(window)->title);
  }
  FakeWork& fakeWork() { return panel().fakeWork(); }
};

struct TypedCase {
  const char* name;
  std::string typed, shown;
  bool keepsTag;
};

class TypedTextTest : public FakeWorkTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedTextTest, OnlyTheTitleOfAnExistingWindowStays) {
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  desktop.AddWindow("Report", false);  // hidden windows are found too
  desktop.AddWindow(kWideTitle);
  Pick(panel().fw1, sheet);
  panel().TextEdited(ControlId::fw1, GetParam().typed);
  EXPECT_EQ(panel().fw1.Text(), GetParam().shown);
  EXPECT_EQ(panel().fw1.Tag(), GetParam().keepsTag ? std::to_string(sheet) : "");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedTextTest,
    ::testing::Values(TypedCase{"first_letter", "S", kPlaceholder, false},
                      TypedCase{"pasted_title", "Report", "Report", true},
                      TypedCase{"title_outside_the_code_page", kWideTitle, kWideTitle, true},
                      TypedCase{"blanks_kept_not_looked_up", "   ", "   ", false},
                      TypedCase{"emptied", "", kPlaceholder, false}),
    kName);

TEST_F(FakeWorkTest, AClickOnThePlaceholderLeavesThePlaceholder) {
  panel().Clicked(ControlId::fw2);
  EXPECT_EQ(panel().fw2.Text(), kPlaceholder);
}

TEST_F(FakeWorkTest, EachChangeChecksEveryFieldAndKeepsTheWindowsThatExist) {
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  panel().TextEdited(ControlId::fw1, "   ");
  Pick(panel().fw2, sheet);
  panel().TextEdited(ControlId::fw3, "S");
  EXPECT_EQ(panel().fw1.Text(), kPlaceholder);
  EXPECT_EQ(panel().fw2.Text(), "Sheet");
  EXPECT_EQ(panel().fw2.Tag(), std::to_string(sheet));
  EXPECT_EQ(panel().fw3.Text(), kPlaceholder);
}

struct Slot {
  ControlId field;
  ControlId reset;
};
const Slot kSlot1{ControlId::fw1, ControlId::Command5};
const Slot kSlot2{ControlId::fw2, ControlId::Command6};
const Slot kSlot3{ControlId::fw3, ControlId::Command7};

struct LetGoCase {
  const char* name;
  Slot slot;
  bool hiddenByToggle;  // else by its own program
  bool heldByAnotherSlot;
  bool renamed;  // dropped by the existence check, else by the slot's Reset
  bool shownWhenDropped;
};

class LetGoTest : public FakeWorkTest, public ::testing::WithParamInterface<LetGoCase> {};

TEST_P(LetGoTest, AWindowTheToggleHidComesBackWhenNoSlotHoldsItAnyMore) {
  const auto& c = GetParam();
  const WindowHandle doc = desktop.AddWindow("Draft");
  TextBox& field = *panel().FindTextBox(c.slot.field);
  Pick(field, doc);
  if (c.heldByAnotherSlot) Pick(c.slot.field == ControlId::fw1 ? panel().fw2 : panel().fw1, doc);
  if (c.hiddenByToggle) {
    fakeWork().OpenFakeWork(false);
  } else {
    desktop.ShowWindow(doc, ShowCommand::Hide);
  }
  if (c.renamed) {
    desktop.Find(doc)->title = "Final";
    fakeWork().VerifyFakeWorkWindows();
  } else {
    panel().Clicked(c.slot.reset);
  }
  EXPECT_EQ(field.Text(), kPlaceholder);
  EXPECT_EQ(field.Tag(), "");
  EXPECT_EQ(desktop.IsWindowVisible(doc), c.shownWhenDropped);
  session.Close();  // nor is it left behind at the end
  EXPECT_EQ(desktop.IsWindowVisible(doc), c.hiddenByToggle);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LetGoTest,
    ::testing::Values(LetGoCase{"hidden_by_toggle", kSlot3, true, false, false, true},
                      LetGoCase{"still_in_another_slot", kSlot1, true, true, false, false},
                      LetGoCase{"hidden_by_its_program", kSlot2, false, false, false, false},
                      LetGoCase{"renamed", kSlot1, true, false, true, true}),
    kName);

TEST_F(FakeWorkTest, TheToggleShowsAndHidesEverySlotWithAWindowHandle) {
  const WindowHandle one = desktop.AddWindow("One", false);
  const WindowHandle two = desktop.AddWindow("Two", false);
  const WindowHandle three = desktop.AddWindow("Three", false);
  Pick(panel().fw1, one);
  Pick(panel().fw2, two);
  panel().fw3.SetText("Three");
  panel().fw3.SetTag(std::to_string(three) + "abc");
  fakeWork().OpenFakeWork(true);
  EXPECT_TRUE(desktop.IsWindowVisible(one));
  EXPECT_EQ(desktop.GetForegroundWindow(), two);  // the slots in order, the last on top
  EXPECT_FALSE(desktop.IsWindowVisible(three));
  fakeWork().OpenFakeWork(false);
  EXPECT_FALSE(desktop.IsWindowVisible(one));
  EXPECT_FALSE(desktop.IsWindowVisible(two));
}

TEST_F(FakeWorkTest, ArmingDropsAWindowClosedSinceItWasPicked) {
  const WindowHandle sheet = desktop.AddWindow("Sheet");
  Pick(panel().fw1, sheet);
  desktop.DestroyWindow(sheet);
  panel().Clicked(ControlId::Command2);
  EXPECT_EQ(panel().fw1.Text(), kPlaceholder);
}

}  // namespace
}  // namespace nookshade::test
