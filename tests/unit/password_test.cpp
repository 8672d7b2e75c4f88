// The unlock password: its field, and the prompt that guards every restore.

#include <gtest/gtest.h>

#include "hiding/password.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

class PasswordFieldTest : public SimTest {
 protected:
  void SetUp() override { session.Start(); }
};

TEST_F(PasswordFieldTest, EveryEditIsTheNewPasswordAndIsStored) {
  panel().TextEdited(ControlId::PW, "4");
  EXPECT_EQ(session.state().UnlockPassword, "4");
  EXPECT_EQ(Stored(setting::kPassword), "4");
  panel().TextEdited(ControlId::PW, "41");
  EXPECT_EQ(Stored(setting::kPassword), "41");
}

TEST_F(PasswordFieldTest, LeavingItEmptyShowsAndStoresThePlaceholder) {
  panel().TextEdited(ControlId::PW, "");
  EXPECT_EQ(Stored(setting::kPassword), "");
  panel().FocusLost(ControlId::PW);
  EXPECT_EQ(panel().PW.Text(), "[No Password Set]");
  EXPECT_EQ(Stored(setting::kPassword), "[No Password Set]");
  EXPECT_FALSE(IsPasswordSet(session.state().UnlockPassword));
}

TEST_F(PasswordFieldTest, ClickingThePlaceholderEmptiesItAndStoresEmpty) {
  panel().TextEdited(ControlId::PW, "");
  panel().FocusLost(ControlId::PW);
  panel().Clicked(ControlId::PW);
  EXPECT_EQ(panel().PW.Text(), "");
  EXPECT_EQ(Stored(setting::kPassword), "");
  EXPECT_EQ(session.state().UnlockPassword, "");
}

TEST_F(PasswordFieldTest, ClickingARealPasswordLeavesIt) {
  panel().Clicked(ControlId::PW);
  panel().FocusLost(ControlId::PW);
  EXPECT_EQ(panel().PW.Text(), "417");
  EXPECT_EQ(Stored(setting::kPassword), std::nullopt);
}

struct PasswordRule {
  std::string password;
  bool set;
};

class PasswordRuleTest : public ::testing::TestWithParam<PasswordRule> {};

TEST_P(PasswordRuleTest, EmptyAndThePlaceholderMeanNoPassword) {
  EXPECT_EQ(IsPasswordSet(GetParam().password), GetParam().set);
}

INSTANTIATE_TEST_SUITE_P(Values, PasswordRuleTest,
                         ::testing::Values(PasswordRule{"", false},
                                           PasswordRule{"[No Password Set]", false},
                                           PasswordRule{"[no password set]", true},
                                           PasswordRule{" ", true}, PasswordRule{"417", true}));

struct RestoreCase {
  std::string password;
  std::optional<std::string> answer;
  bool prompted;
  bool restored;
};

class RestoreTest : public SimTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreTest, TheWindowComesBackOnlyWithTheExactPassword) {
  const auto& c = GetParam();
  session.Start();
  panel().TextEdited(ControlId::PW, c.password);
  const WindowHandle window = desktop.AddWindow("Private");
  panel().WindowSlots[2]->hWnd = window;
  panel().WindowSlots[2]->Show(false);
  desktop.passwordAnswers.push_back(c.answer);
  panel().WindowSlots[2]->Show(true);
  EXPECT_EQ(desktop.passwordPromptsShown, c.prompted ? 1 : 0);
  EXPECT_EQ(desktop.IsWindowVisible(window), c.restored);
  EXPECT_EQ(panel().WindowSlots[2]->Hiding, !c.restored);
  EXPECT_EQ(desktop.trayIcons.contains({session.PanelWindow(), 2}), !c.restored);
  // Nothing is said about a wrong answer.
  EXPECT_TRUE(desktop.messageBoxes.empty());
  // What was typed does not outlive the comparison.
  EXPECT_TRUE(session.state().TypedPassword.Empty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RestoreTest,
    ::testing::Values(RestoreCase{"417", "417", true, true}, RestoreCase{"417", "418", true, false},
                      RestoreCase{"417", std::nullopt, true, false},  // cancelled
                      RestoreCase{"417", "", true, false},
                      RestoreCase{"Secret", "secret", true, false},  // case matters
                      RestoreCase{"", std::nullopt, false, true},
                      RestoreCase{"[No Password Set]", std::nullopt, false, true},
                      RestoreCase{"p\xC3\xA4ss", "p\xC3\xA4ss", true, true}));

TEST_F(PasswordFieldTest, ThePromptIsTopmostAndAnswersOnlyOnce) {
  desktop.passwordAnswers = {"417"};
  Platform platform = desktop.platform();
  SecretString typed = PromptPassword(platform, session.state());
  EXPECT_EQ(typed.View(), "417");
  ASSERT_FALSE(desktop.topmostCalls.empty());
  EXPECT_EQ(desktop.topmostCalls.back(), std::make_pair(desktop.lastPromptWindow, true));
  int promptIcons = 0;
  for (const auto& m : desktop.iconMessages) promptIcons += m.window == desktop.lastPromptWindow;
  EXPECT_EQ(promptIcons, 2);  // big and small
  // A second prompt starts empty: cancelling it gives nothing back.
  SecretString again = PromptPassword(platform, session.state());
  EXPECT_TRUE(again.Empty());
}

TEST_F(PasswordFieldTest, ARestoreArrivingWhileThePromptIsOpenIsIgnored) {
  const WindowHandle first = desktop.AddWindow("First");
  const WindowHandle second = desktop.AddWindow("Second");
  for (auto [slot, window] : {std::pair{0, first}, std::pair{1, second}}) {
    panel().WindowSlots[slot]->hWnd = window;
    panel().WindowSlots[slot]->Show(false);
  }
  desktop.passwordAnswers = {"417", "417"};
  desktop.whilePasswordPromptOpen = [&] {
    desktop.whilePasswordPromptOpen = nullptr;
    panel().WindowSlots[1]->Show(true);  // the other icon, double-clicked meanwhile
    panel().WindowSlots[1]->Show(false);
  };
  panel().WindowSlots[0]->Show(true);
  EXPECT_TRUE(desktop.IsWindowVisible(first));
  EXPECT_FALSE(desktop.IsWindowVisible(second));
  EXPECT_TRUE(panel().WindowSlots[1]->Hiding);
  EXPECT_EQ(desktop.passwordPromptsShown, 1);
}

TEST(SecretString, WipesItsCharactersWhenMovedFrom) {
  SecretString source(std::string("correct horse battery staple"));
  SecretString target(std::move(source));
  EXPECT_EQ(target.View(), "correct horse battery staple");
  EXPECT_TRUE(source.Empty());  // NOLINT(bugprone-use-after-move): checking the wipe
}

}  // namespace
}  // namespace nookshade::test
