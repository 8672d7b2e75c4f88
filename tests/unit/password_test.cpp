// The unlock password field. The prompt that asks for it is tested with the
// tray icons, in window_proc_test.

#include <gtest/gtest.h>

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

const std::string kNone = "[No Password Set]";
constexpr auto kName = [](const auto& info) { return std::string(info.param.name); };

struct FieldCase {
  const char* name;
  std::optional<std::string> stored;  // before the start
  std::optional<std::string> typed;
  std::string then;  // c: click on the field, l: leave it
  std::string shown;
  std::optional<std::string> storedAfter;
};

class PasswordFieldTest : public SimTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(PasswordFieldTest, TheFieldIsTheUnlockPasswordAndEveryChangeIsStored) {
  const auto& c = GetParam();
  if (c.stored) Store(setting::kPassword, *c.stored);
  session.Start();
  if (c.typed) panel().TextEdited(ControlId::PW, *c.typed);
  for (const char step : c.then) {
    step == 'c' ? panel().Clicked(ControlId::PW) : panel().FocusLost(ControlId::PW);
  }
  EXPECT_EQ(panel().PW.Text(), c.shown);
  EXPECT_EQ(session.state().UnlockPassword, c.shown);
  EXPECT_EQ(Stored(setting::kPassword), c.storedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PasswordFieldTest,
    ::testing::Values(FieldCase{"stored_empty", "", std::nullopt, "", kNone, kNone},
                      FieldCase{"stored_placeholder", kNone, std::nullopt, "", kNone, kNone},
                      FieldCase{"stored_non_ascii", "P\xC3\xA4ss w\xE2\x82\xAC", std::nullopt, "",
                                "P\xC3\xA4ss w\xE2\x82\xAC", "P\xC3\xA4ss w\xE2\x82\xAC"},
                      FieldCase{"typed", std::nullopt, "41", "", "41", "41"},
                      FieldCase{"emptied", std::nullopt, "", "", "", ""},
                      FieldCase{"left_empty", std::nullopt, "", "l", kNone, kNone},
                      FieldCase{"placeholder_clicked", std::nullopt, "", "lc", "", ""},
                      FieldCase{"password_clicked_and_left", std::nullopt, std::nullopt, "cl",
                                "417", std::nullopt}),
    kName);

TEST(SecretString, WipesItsCharactersWhenMovedFrom) {
  SecretString source(std::string("correct horse battery staple"));
  SecretString target(std::move(source));
  EXPECT_EQ(target.View(), "correct horse battery staple");
  EXPECT_TRUE(source.Empty());  // NOLINT(bugprone-use-after-move): checking the wipe
}

}  // namespace
}  // namespace nookshade::test
