#include "text/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace nookshade::text {
namespace {

TEST(Windows1252, EveryByteSurvivesTheTripThroughUnicode) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
}

struct Mapping {
  const char* name;
  std::string utf8, bytes;
};

class Windows1252MappingTest : public ::testing::TestWithParam<Mapping> {};

TEST_P(Windows1252MappingTest, MapsToTheCodePage) {
  EXPECT_EQ(Utf8ToWindows1252(GetParam().utf8), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Windows1252MappingTest,
    ::testing::Values(Mapping{"euro_sign", "\xE2\x82\xAC", "\x80"},
                      Mapping{"latin1_letter", "\xC3\xA0", "\xE0"},
                      Mapping{"outside_the_page", "\xE4\xB8\xAD", "?"},
                      Mapping{"outside_the_basic_plane", "\xF0\x9F\x98\x80", "?"},
                      Mapping{"malformed", "\xFF", "?"}, Mapping{"cut_short", "a\xC3", "a?"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf16, UnpairedSurrogatesComeBackUnchanged) {
  for (const std::u16string title :
       {u"Report \xD800 draft", u"\xDC00", u"end \xD83D", u"pair \xD83D\xDE00 ok", u""}) {
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(title)), title);
  }
}

TEST(Utf16, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\x80z"), u"a\xFFFDz");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\xFFFD\xFFFD");  // overlong
}

TEST(Windows1252, LowerCaseFollowsTheCodePage) {
  EXPECT_EQ(LowerWindows1252("AZ\xC0\xDE\xD7\x8A\x9F\xE0"), "az\xE0\xFE\xD7\x9A\xFF\xE0");
}

}  // namespace
}  // namespace nookshade::text
