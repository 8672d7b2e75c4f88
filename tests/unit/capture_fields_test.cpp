// Recording hotkeys by pressing keys in the three capture fields.

#include <gtest/gtest.h>

#include <vector>

#include "sim_fixture.h"
#include "text/encoding.h"

namespace nookshade::test {
namespace {

constexpr int kCtrl = 17, kShift = 16, kAlt = 18, kSpace = 32, kDelete = 46, kLeftWin = 91,
              kRightWin = 92, kBackspace = 8;

class CaptureTest : public SimTest {
 protected:
  void SetUp() override { session.Start(); }
  void Press(ControlId field, std::vector<int> keys) {
    TextBox& box = *panel().FindTextBox(field);
    for (int key : keys) panel().KeyDown(field, key, box.Text().size(), 0);
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : desktop.messageBoxes) texts.push_back(box.text);
    return texts;
  }
};

struct Recording {
  std::vector<int> keys;
  std::string text;
};

class RecordTest : public CaptureTest, public ::testing::WithParamInterface<Recording> {};

TEST_P(RecordTest, KeysBecomeTheFieldTextAndAreStored) {
  panel().Text3.SetText("q");  // nothing the recordings could collide with
  panel().fwhk.SetText("w");
  panel().Clicked(ControlId::Command3);
  Press(ControlId::Text2, GetParam().keys);
  EXPECT_EQ(panel().Text2.Text(), GetParam().text);
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), text::Windows1252ToUtf8(GetParam().text));
  EXPECT_EQ(panel().Text2.SelStart(), panel().Text2.Text().size());
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, RecordTest,
    ::testing::Values(
        Recording{{kCtrl, 'H'}, "(Ctrl)h"}, Recording{{kCtrl, kSpace}, "(Ctrl)(Space)"},
        Recording{{kShift, kCtrl, 'K'}, "(Shift)(Ctrl)k"}, Recording{{'H'}, "h"},
        Recording{{kSpace}, "(Space)"},
        // Auto-repeats of a held key arrive as more key-downs.
        Recording{{kCtrl, kCtrl, kCtrl}, "(Ctrl)(Ctrl)(Ctrl)"}, Recording{{kAlt, 'X'}, "(Alt)x"},
        Recording{{kDelete}, "(Del)"}, Recording{{kLeftWin}, "(Win)"}, Recording{{kRightWin}, "\\"},
        Recording{{40}, "("}, Recording{{kCtrl, 40, 'A'}, "(Ctrl)(a"}, Recording{{192}, "\xE0"},
        Recording{{107}, "k"}, Recording{{kCtrl, 'H', kBackspace}, "(Ctrl)"},
        Recording{{kCtrl, kShift, kBackspace}, "(Ctrl)"},
        Recording{{kCtrl, 'H', kBackspace, kBackspace, kBackspace}, ""}));

TEST_F(CaptureTest, EveryChangeIsStoredAsItHappens) {
  panel().Clicked(ControlId::Command4);
  panel().Clicked(ControlId::Command3);
  Press(ControlId::Text2, {kCtrl});
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), "(Ctrl)");
  Press(ControlId::Text2, {'H'});
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), "(Ctrl)h");
}

TEST_F(CaptureTest, BackspaceOnATokenRemovesItWholeAndTheStoreFollows) {
  panel().Clicked(ControlId::Command4);  // Text3 was "(Ctrl)(Space)"
  Press(ControlId::Text3, {kCtrl, kSpace});
  Press(ControlId::Text3, {kBackspace});
  EXPECT_EQ(panel().Text3.Text(), "(Ctrl)");
  EXPECT_EQ(Stored(setting::kHideAllHotkey), "(Ctrl)");
}

struct DuplicateCase {
  ControlId field;
  SettingKey setting;
  std::string message;
};

class DuplicateTest : public CaptureTest, public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(DuplicateTest, ATextEqualToAnotherFieldIsRefusedAndEmptied) {
  const auto& c = GetParam();
  // Text3 holds "(Ctrl)(Space)"; give the field under test a fresh start.
  panel().FindTextBox(c.field)->SetText("x");
  desktop.messageBoxes.clear();
  panel().FindTextBox(c.field)->SetSelection(0, 1);
  panel().KeyDown(c.field, kBackspace, 0, 1);
  Press(c.field, {kCtrl, kSpace});
  EXPECT_EQ(panel().FindTextBox(c.field)->Text(), "");
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, c.message);
  EXPECT_EQ(desktop.messageBoxes[0].title, "Hotkey In Use");
  EXPECT_EQ(desktop.messageBoxes[0].style, 48u);
  EXPECT_EQ(Stored(c.setting), "");
  EXPECT_EQ(panel().Text3.Text(), "(Ctrl)(Space)");
}

INSTANTIATE_TEST_SUITE_P(Fields, DuplicateTest,
                         ::testing::Values(DuplicateCase{ControlId::Text2,
                                                         setting::kHideWindowHotkey,
                                                         "This Hotkey is already in Use"},
                                           DuplicateCase{ControlId::fwhk, setting::kFakeWorkHotkey,
                                                         "This hotkey is already in Use"}));

TEST_F(CaptureTest, Text3IsComparedWithBothOtherFields) {
  for (const auto& [other, keys] : {std::pair{ControlId::Text2, std::vector<int>{kCtrl, 'H'}},
                                    std::pair{ControlId::fwhk, std::vector<int>{kCtrl, 'K'}}}) {
    desktop.messageBoxes.clear();
    panel().Text3.SetText("q");
    panel().KeyDown(ControlId::Text3, kBackspace, 0, 0);
    Press(ControlId::Text3, keys);
    EXPECT_EQ(panel().Text3.Text(), "");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"This Hotkey is already in Use"});
    EXPECT_EQ(panel().FindTextBox(other)->Text().empty(), false);
  }
}

TEST_F(CaptureTest, ATokenThatCollidesIsToldOnce) {
  panel().Text3.SetText("(Space)");
  panel().Clicked(ControlId::Command3);  // Text2 empty: fwhk is filled, so no collision
  desktop.messageBoxes.clear();
  Press(ControlId::Text2, {kSpace});
  EXPECT_EQ(panel().Text2.Text(), "");
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"This Hotkey is already in Use"});
}

TEST_F(CaptureTest, EveryKeyIsRecordedStoredAndReadBackUnchanged) {
  panel().Text3.SetText("q");
  panel().fwhk.SetText("w");
  // Every key code but Backspace, Ctrl itself and the keys whose characters
  // the other fields hold ("q", "w").
  std::vector<int> failed;
  for (int key = 1; key <= 255; ++key) {
    if (key == kBackspace || key == kCtrl || key == 'Q' || key == 'W' || key == 0x71 ||
        key == 0x77) {
      continue;
    }
    panel().Clicked(ControlId::Command3);
    Press(ControlId::Text2, {kCtrl, key});
    const std::string recorded = panel().Text2.Text();
    session.Close();
    session.Start();
    if (recorded.size() <= 6 || recorded.rfind("(Ctrl)", 0) != 0 ||
        panel().Text2.Text() != recorded) {
      failed.push_back(key);
    }
  }
  EXPECT_TRUE(failed.empty()) << ::testing::PrintToString(failed);
}

TEST_F(CaptureTest, ResetEmptiesTheFieldAndStoresTheEmptyText) {
  panel().Clicked(ControlId::Command8);
  EXPECT_EQ(panel().fwhk.Text(), "");
  EXPECT_EQ(Stored(setting::kFakeWorkHotkey), "");
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST_F(CaptureTest, ResetWhileAnotherFieldIsEmptyTellsAndKeepsTheOldStoredValue) {
  panel().Clicked(ControlId::Command8);
  panel().Clicked(ControlId::Command3);
  EXPECT_EQ(panel().Text2.Text(), "");
  ASSERT_EQ(MessageTexts(), std::vector<std::string>{"This Hotkey is already in Use"});
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), "(Ctrl)h");
  // Which the next start brings back.
  session.Close();
  sim::SimSession next(desktop);
  next.Start();
  EXPECT_EQ(next.panel().Text2.Text(), "(Ctrl)h");
}

TEST_F(CaptureTest, ResetOfAnEmptyFieldDoesNothing) {
  panel().Clicked(ControlId::Command8);
  desktop.messageBoxes.clear();
  panel().Clicked(ControlId::Command8);
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

struct SelectionCase {
  std::string text;
  std::size_t start;
  std::size_t length;
  std::string expected;
};

class BackspaceSelectionTest : public CaptureTest,
                               public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(BackspaceSelectionTest, DeletesTheSelection) {
  const auto& c = GetParam();
  panel().Text3.SetText("q");  // nothing the results could collide with
  panel().fwhk.SetText("w");
  panel().Text2.SetText(c.text);
  panel().KeyDown(ControlId::Text2, kBackspace, c.start, c.length);
  EXPECT_EQ(panel().Text2.Text(), c.expected);
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, BackspaceSelectionTest,
    ::testing::Values(SelectionCase{"(Ctrl)h", 0, 7, ""},             // all of it
                      SelectionCase{"(Ctrl)hk", 6, 2, "(Ctrl)"},      // up to the end
                      SelectionCase{"(Ctrl)hk", 6, 1, "(Ctrl)k"},     // inside
                      SelectionCase{"(Ctrl)hk", 0, 6, "hk"},          // a token at the start
                      SelectionCase{"(Ctrl)hk", 40, 9, "(Ctrl)h"}));  // beyond: plain Backspace

TEST_F(CaptureTest, KeyCodesOutsideTheKeyboardModelAreIgnored) {
  panel().Clicked(ControlId::Command4);
  const std::string before = panel().Text2.Text();
  panel().KeyDown(ControlId::Text2, 0, 0, 0);
  panel().KeyDown(ControlId::Text2, 256, 0, 0);
  panel().KeyDown(ControlId::Text2, -5, 0, 0);
  EXPECT_EQ(panel().Text2.Text(), before);
}

TEST_F(CaptureTest, TextPutIntoAFieldWholeGoesThroughTheSameRule) {
  // What a paste would do, were the field not read-only.
  panel().Clicked(ControlId::Command4);
  panel().TextEdited(ControlId::Text3, "\x11 ");
  EXPECT_EQ(panel().Text3.Text(), "(Ctrl)(Space)");
  EXPECT_EQ(Stored(setting::kHideAllHotkey), "(Ctrl)(Space)");
}

}  // namespace
}  // namespace nookshade::test
