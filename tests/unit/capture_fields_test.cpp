// Recording hotkeys by pressing keys in the three capture fields.

#include <gtest/gtest.h>

#include <vector>

#include "hotkeys/hotkey_text.h"
#include "sim_fixture.h"
#include "text/encoding.h"

namespace nookshade::test {
namespace {

constexpr int kCtrl = 17, kShift = 16, kAlt = 18, kSpace = 32, kDelete = 46, kLeftWin = 91,
              kBackspace = 8, kCaretAtEnd = 99;
constexpr auto kName = [](const auto& info) { return std::string(info.param.name); };

class CaptureTest : public SimTest {
 protected:
  void SetUp() override { session.Start(); }
  TextBox& Field(ControlId id) { return *panel().FindTextBox(id); }
  // The view reports the caret where the field last put it.
  void Press(ControlId field, const std::vector<int>& keys) {
    for (int key : keys) panel().KeyDown(field, key, Field(field).SelStart(), 0);
  }
  // Text2 emptied; the other fields hold texts that no case below collides with.
  void OnlyText2() {
    panel().Text3.SetText("q");
    panel().fwhk.SetText("w");
    panel().Clicked(ControlId::Command3);
  }
};

struct Recording {
  const char* name;
  std::vector<int> keys;
  std::string text;
};

class RecordTest : public CaptureTest, public ::testing::WithParamInterface<Recording> {};

TEST_P(RecordTest, KeysBecomeTheFieldTextAndAreStored) {
  OnlyText2();
  Press(ControlId::Text2, GetParam().keys);
  EXPECT_EQ(panel().Text2.Text(), GetParam().text);
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), text::Windows1252ToUtf8(GetParam().text));
  EXPECT_EQ(panel().Text2.SelStart(), GetParam().text.size());  // the caret stays at the end
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, RecordTest,
    ::testing::Values(Recording{"ctrl_and_letter", {kCtrl, 'H'}, "(Ctrl)h"},
                      Recording{"in_press_order", {kShift, kCtrl, 'K'}, "(Shift)(Ctrl)k"},
                      Recording{"alt", {kAlt, 'X'}, "(Alt)x"},
                      Recording{"space", {kSpace}, "(Space)"},
                      Recording{"delete", {kDelete}, "(Del)"},
                      Recording{"left_win", {kLeftWin}, "(Win)"},
                      Recording{"right_win_is_its_character", {92}, "\\"},
                      // Auto-repeats of a held key arrive as more key-downs.
                      Recording{"auto_repeat", {kCtrl, kCtrl, kCtrl}, "(Ctrl)(Ctrl)(Ctrl)"},
                      Recording{"bracket_key", {kCtrl, 40, 'A'}, "(Ctrl)(a"},
                      Recording{"f1", {112}, "p"}, Recording{"accented_capital", {192}, "\xE0"},
                      Recording{"outside_the_keyboard", {kCtrl, 0, 256, -5}, "(Ctrl)"},
                      Recording{"backspace_on_empty", {kCtrl, kBackspace, kBackspace}, ""}),
    kName);

struct BackspaceCase {
  const char* name;
  std::string text;
  std::size_t start, length;
  std::string expected;
};

class BackspaceTest : public CaptureTest, public ::testing::WithParamInterface<BackspaceCase> {};

TEST_P(BackspaceTest, RemovesTheSelectionOrElseTheLastKey) {
  const auto& c = GetParam();
  OnlyText2();
  panel().Text2.SetText(c.text);
  panel().KeyDown(ControlId::Text2, kBackspace, c.start, c.length);
  EXPECT_EQ(panel().Text2.Text(), c.expected);
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BackspaceTest,
    ::testing::Values(BackspaceCase{"letter", "(Ctrl)h", kCaretAtEnd, 0, "(Ctrl)"},
                      BackspaceCase{"shift", "(Alt)(Shift)", kCaretAtEnd, 0, "(Alt)"},
                      BackspaceCase{"ctrl", "(Shift)(Ctrl)", kCaretAtEnd, 0, "(Shift)"},
                      BackspaceCase{"alt", "(Ctrl)(Alt)", kCaretAtEnd, 0, "(Ctrl)"},
                      BackspaceCase{"space", "(Ctrl)(Space)", kCaretAtEnd, 0, "(Ctrl)"},
                      BackspaceCase{"del", "a(Del)", kCaretAtEnd, 0, "a"},
                      BackspaceCase{"win", "(Win)", kCaretAtEnd, 0, ""},
                      BackspaceCase{"token_in_other_case", "x(ctrl)", kCaretAtEnd, 0, "x"},
                      BackspaceCase{"unclosed_token", "(Ctrl", kCaretAtEnd, 0, "(Ctr"},
                      BackspaceCase{"selected_all", "(Ctrl)h", 0, 7, ""},
                      BackspaceCase{"selected_inside", "(Ctrl)hk", 6, 1, "(Ctrl)k"},
                      BackspaceCase{"selection_beyond_the_text", "(Ctrl)hk", 40, 9, "(Ctrl)h"}),
    kName);

struct Hotkey {
  ControlId field, reset;
  SettingKey setting;
};
const Hotkey kHideWindow{ControlId::Text2, ControlId::Command3, setting::kHideWindowHotkey};
const Hotkey kHideAll{ControlId::Text3, ControlId::Command4, setting::kHideAllHotkey};
const Hotkey kFakeWork{ControlId::fwhk, ControlId::Command8, setting::kFakeWorkHotkey};
const std::string kInUse = "This Hotkey is already in Use";

struct FieldCase {
  const char* name;
  Hotkey hotkey;
  int keyAfterCtrl;
  std::string text, message;
};

class FieldTest : public CaptureTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FieldTest, ResetThenRecordUnlessAnotherFieldHoldsTheSameText) {
  const auto& c = GetParam();
  panel().Clicked(c.hotkey.reset);
  Press(c.hotkey.field, {kCtrl, c.keyAfterCtrl});
  EXPECT_EQ(Field(c.hotkey.field).Text(), c.text);
  EXPECT_EQ(Stored(c.hotkey.setting), c.text);
  ASSERT_EQ(desktop.messageBoxes.size(), c.message.empty() ? 0u : 1u);
  for (const auto& box : desktop.messageBoxes) {
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(box.title, "Hotkey In Use");
    EXPECT_EQ(box.style, 48u);  // exclamation icon
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldTest,
    ::testing::Values(FieldCase{"hide_window", kHideWindow, 'J', "(Ctrl)j", ""},
                      FieldCase{"hide_all", kHideAll, 'J', "(Ctrl)j", ""},
                      FieldCase{"fake_work", kFakeWork, 'J', "(Ctrl)j", ""},
                      FieldCase{"hide_window_as_fake_work", kHideWindow, 'K', "", kInUse},
                      FieldCase{"hide_all_as_hide_window", kHideAll, 'H', "", kInUse},
                      FieldCase{"hide_all_as_fake_work", kHideAll, 'K', "", kInUse},
                      FieldCase{"fake_work_as_hide_all", kFakeWork, kSpace, "",
                                "This hotkey is already in Use"}),
    kName);

TEST_F(CaptureTest, ResetNextToAnEmptyFieldIsRefusedAndKeepsTheStoredHotkey) {
  panel().Clicked(ControlId::Command8);
  panel().Clicked(ControlId::Command8);  // already empty: nothing to refuse
  panel().Clicked(ControlId::Command3);
  EXPECT_EQ(panel().Text2.Text(), "");
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, kInUse);
  EXPECT_EQ(Stored(setting::kHideWindowHotkey), "(Ctrl)h");
}

// A recorded hotkey must be recognised when its keys are pressed again, also
// after a restart: the poller sees the key characters as the keys go down.
TEST_F(CaptureTest, EveryKeyIsRecognisedAfterRecordingAndARestart) {
  OnlyText2();
  std::vector<int> failed;
  for (int key = 1; key <= 255; ++key) {
    // Not Ctrl itself, nor the keys whose characters the other fields hold.
    if (std::string_view("\x08\x11QWqw").find(static_cast<char>(key)) != std::string_view::npos)
      continue;
    panel().Clicked(ControlId::Command3);
    Press(ControlId::Text2, {kCtrl, key});
    session.Close();
    session.Start();
    const std::string pressed = {hotkey::KeyCharacter(kCtrl), hotkey::KeyCharacter(key)};
    if (panel().Text2.Text().size() <= 6 ||
        !hotkey::Matches(hotkey::KeyString(panel().Text2.Text()), pressed)) {
      failed.push_back(key);
    }
  }
  EXPECT_TRUE(failed.empty()) << ::testing::PrintToString(failed);
}

}  // namespace
}  // namespace nookshade::test
