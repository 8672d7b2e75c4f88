// What the hotkey poller works with. Capturing keys into the fields is
// tested through the panel, in capture_fields_test.

#include "hotkeys/hotkey_text.h"

#include <gtest/gtest.h>

#include <string>

namespace nookshade::hotkey {
namespace {

struct Conversion {
  const char* name;
  std::string keys;  // key characters
  std::string text;  // as the field writes it
};

class TokenTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(TokenTest, TokensAreWrittenAndReadBackExactly) {
  EXPECT_EQ(WriteTokens(GetParam().keys), GetParam().text);
  EXPECT_EQ(KeyString(GetParam().text), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(Cases, TokenTest,
                         ::testing::Values(Conversion{"ctrl_h", "\x11h", "(Ctrl)h"},
                                           Conversion{"every_token", "\x12\x10\x11 .[",
                                                      "(Alt)(Shift)(Ctrl)(Space)(Del)(Win)"},
                                           Conversion{"blank_inside", "a b", "a(Space)b"},
                                           Conversion{"bracket_before_a_token", "(\x11", "((Ctrl)"},
                                           // Only the mixed-case tokens are recognised.
                                           Conversion{"upper_case_token", "(CTRL)h", "(CTRL)h"},
                                           Conversion{"lower_case_token", "(ctrl)h", "(ctrl)h"},
                                           Conversion{"empty", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MatchCase {
  const char* name;
  std::string hotkey, buffer;
  bool matches;
};

class MatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchTest, FindsTheKeyStringAnywhereIgnoringCase) {
  EXPECT_EQ(Matches(KeyString(GetParam().hotkey), GetParam().buffer), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Cases, MatchTest,
                         ::testing::Values(MatchCase{"other_case", "(Ctrl)h", "\x11H", true},
                                           MatchCase{"inside_other_keys", "(Ctrl)h", "zz\x11Hzz",
                                                     true},
                                           MatchCase{"two_tokens", "(Ctrl)(Space)", "\x11 ", true},
                                           MatchCase{"code_page_case", "\xE0", "\xC0", true},
                                           MatchCase{"interrupted", "(Ctrl)h", "\x11\xA2H", false},
                                           MatchCase{"wrong_order", "(Ctrl)h", "H\x11", false},
                                           MatchCase{"empty_hotkey", "", "\x11H", false},
                                           MatchCase{"empty_buffer", "(Ctrl)h", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nookshade::hotkey
