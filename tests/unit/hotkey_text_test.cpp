#include "hotkeys/hotkey_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nookshade::hotkey {
namespace {

struct KeyCase {
  int code;
  std::string text;
};

class KeyPressTextTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyPressTextTest, WritesTheLowerCasedKeyCharacter) {
  EXPECT_EQ(KeyPressText(GetParam().code), GetParam().text);
}

std::vector<KeyCase> Range(int firstCode, int lastCode, char firstText) {
  std::vector<KeyCase> cases;
  for (int code = firstCode; code <= lastCode; ++code) {
    cases.push_back({code, std::string(1, static_cast<char>(firstText + (code - firstCode)))});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Letters, KeyPressTextTest, ::testing::ValuesIn(Range(65, 90, 'a')));
INSTANTIATE_TEST_SUITE_P(Digits, KeyPressTextTest, ::testing::ValuesIn(Range(48, 57, '0')));
INSTANTIATE_TEST_SUITE_P(Keypad, KeyPressTextTest, ::testing::ValuesIn(Range(96, 111, '`')));
INSTANTIATE_TEST_SUITE_P(FunctionKeys, KeyPressTextTest, ::testing::ValuesIn(Range(112, 122, 'p')));
INSTANTIATE_TEST_SUITE_P(Navigation, KeyPressTextTest, ::testing::ValuesIn(Range(33, 40, '!')));

INSTANTIATE_TEST_SUITE_P(
    KeyTable, KeyPressTextTest,
    ::testing::Values(KeyCase{45, "-"}, KeyCase{92, "\\"},
                      // Windows-1252 punctuation keys, lower-cased by that code page.
                      KeyCase{186, "\xBA"}, KeyCase{190, "\xBE"}, KeyCase{191, "\xBF"},
                      KeyCase{192, "\xE0"}, KeyCase{219, "\xFB"}, KeyCase{220, "\xFC"},
                      KeyCase{221, "\xFD"}, KeyCase{222, "\xFE"},
                      // Token keys stay raw here; the field writes their tokens.
                      KeyCase{17, "\x11"}, KeyCase{16, "\x10"}, KeyCase{18, "\x12"},
                      KeyCase{32, " "}, KeyCase{46, "."}, KeyCase{91, "["}));

struct Conversion {
  std::string input;
  std::string expected;
};

class WriteTokensTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(WriteTokensTest, ReplacesEveryTokenCharacter) {
  EXPECT_EQ(WriteTokens(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteTokensTest,
                         ::testing::Values(Conversion{"\x11h", "(Ctrl)h"},
                                           Conversion{"\x11 ", "(Ctrl)(Space)"},
                                           Conversion{"\x10\x11k", "(Shift)(Ctrl)k"},
                                           Conversion{"\x12x", "(Alt)x"}, Conversion{".", "(Del)"},
                                           Conversion{"[", "(Win)"},
                                           Conversion{"\x11\x11\x11", "(Ctrl)(Ctrl)(Ctrl)"},
                                           // A stored text with a blank becomes a token too.
                                           Conversion{"a b", "a(Space)b"}, Conversion{"(", "("},
                                           Conversion{"(Ctrl)h", "(Ctrl)h"}, Conversion{"", ""}));

class KeyStringTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(KeyStringTest, TurnsOnlyMixedCaseTokensIntoKeyCharacters) {
  EXPECT_EQ(KeyString(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyStringTest,
                         ::testing::Values(Conversion{"(Ctrl)h", "\x11h"},
                                           Conversion{"(Ctrl)(Space)", "\x11 "},
                                           Conversion{"(Alt)(Shift)(Del)(Win)", "\x12\x10.["},
                                           Conversion{"(CTRL)h", "(CTRL)h"},
                                           Conversion{"(ctrl)h", "(ctrl)h"}, Conversion{"h", "h"},
                                           Conversion{"((Ctrl)", "(\x11"}));

struct MatchCase {
  std::string hotkey;
  std::string buffer;
  bool matches;
};

class MatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchTest, FindsTheKeyStringAnywhereIgnoringCase) {
  EXPECT_EQ(Matches(KeyString(GetParam().hotkey), GetParam().buffer), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Cases, MatchTest,
                         ::testing::Values(MatchCase{"(Ctrl)h", "\x11H", true},
                                           MatchCase{"(Ctrl)h", "zz\x11Hzz", true},
                                           MatchCase{"(Ctrl)k", "\x11K", true},
                                           MatchCase{"(Ctrl)k", "\x11k", true},  // keypad add
                                           MatchCase{"(Ctrl)p", "\x11P", true},
                                           MatchCase{"(Ctrl)p", "\x11p", true},  // F1
                                           MatchCase{"(Ctrl)h", "\x11\xA2H", false},
                                           MatchCase{"(Ctrl)h", "H\x11", false},
                                           MatchCase{"(Ctrl)(Space)", "\x11 ", true},
                                           MatchCase{"\xE0", "\xC0", true},  // à and À are one key
                                           MatchCase{"", "\x11H", false},
                                           MatchCase{"(Ctrl)h", "", false}));

class RemoveLastKeyTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(RemoveLastKeyTest, RemovesATrailingTokenWholeOrOneCharacter) {
  EXPECT_EQ(RemoveLastKey(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveLastKeyTest,
                         ::testing::Values(Conversion{"(Ctrl)(Shift)", "(Ctrl)"},
                                           Conversion{"(Ctrl)h", "(Ctrl)"},
                                           Conversion{"(Ctrl)", ""}, Conversion{"", ""},
                                           Conversion{"(Space)", ""}, Conversion{"a(Del)", "a"},
                                           Conversion{"(Win)", ""}, Conversion{"(Alt)", ""},
                                           Conversion{"(CTRL)", ""}, Conversion{"x(ctrl)", "x"},
                                           Conversion{"(", ""}, Conversion{"(Ctrl", "(Ctr"}));

struct SelectionCase {
  std::string text;
  std::size_t start;
  std::size_t length;
  std::string expected;
};

class DeleteSelectionTest : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(DeleteSelectionTest, DeletesExactlyTheSelection) {
  const auto& c = GetParam();
  EXPECT_EQ(DeleteSelection(c.text, c.start, c.length), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteSelectionTest,
    ::testing::Values(SelectionCase{"(Ctrl)h", 0, 7, ""}, SelectionCase{"(Ctrl)h", 6, 1, "(Ctrl)"},
                      SelectionCase{"(Ctrl)hk", 6, 1, "(Ctrl)k"}, SelectionCase{"abc", 1, 1, "ac"},
                      SelectionCase{"abc", 5, 3, "abc"}, SelectionCase{"abc", 2, 99, "ab"}));

}  // namespace
}  // namespace nookshade::hotkey
