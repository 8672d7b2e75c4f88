// The program's life: arming, fake work, and what the next start recovers
// after a kill.

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

INSTANTIATE_TEST_SUITE_P(
    Arming, StoryTest,
    ::testing::Values(Story{"both main hotkeys set", "start; arm", "icons 1, told 1"},
                      Story{"no notification", "set Note=1; start; arm", "icons 1"},
                      Story{"hide-a-window hotkey blank", "set HKn=; start; arm",
                            "told 1, panel shown"},
                      Story{"hide-all hotkey blank", "set HKa=; start; arm", "told 1, panel shown"},
                      Story{"fake-work hotkey blank", "set HKfw=; start; arm", "icons 1, told 1"},
                      Story{"the automatic start", "set Auto=1; start", "icons 1"},
                      Story{"the automatic start grayed", "set Auto=2; start", "panel shown"}),
    NameOf<Story>);

INSTANTIATE_TEST_SUITE_P(
    FakeWork, StoryTest,
    ::testing::Values(
        Story{"the hotkey shows the picked",
              "armed; hidden A; hidden B; hidden C; pick 1 A; pick 2 B; fake", "hidden C, icons 1"},
        Story{"and hides them again", "armed; hidden A; hidden B; pick 1 A; pick 2 B; fake; fake",
              "hidden AB, icons 1"},
        Story{"shown with hide-all", "armed; open A; open B; pick 1 B; all", "hidden A, icons 1"},
        Story{"hidden with show-all", "armed; open A; open B; pick 1 B; all; all 417",
              "hidden B, icons 1, asked 1"},
        Story{"not with hide-all", "set LFW=0; armed; open A; open B; pick 1 B; all",
              "hidden AB, icons 1"},
        Story{"a row let go of",
              "armed; open A; open B; pick 1 A; pick 2 B; fake; fake; reset 1; pick 2 -",
              "icons 1"}),
    NameOf<Story>);

// Each hide is journaled before it happens, so that a kill at any moment
// leaves nothing hidden after the next start.
INSTANTIATE_TEST_SUITE_P(
    Kill, StoryTest,
    ::testing::Values(
        Story{"at a slot's record", "armed; open A; killat 1; hide; armed", "icons 1"},
        Story{"at a slot's hide", "armed; open A; killat 2; hide; armed", "icons 1"},
        Story{"at a slot's icon", "armed; open A; killat 3; hide; armed", "icons 1"},
        Story{"after a slot's hide", "armed; open A; hide; kill; armed", "icons 1"},
        Story{"at hide-all's second hide", "armed; open A; open B; killat 3; all; armed",
              "icons 1"},
        Story{"after hide-all", "armed; open A; open B; all; kill; armed", "icons 1"},
        Story{"at the fake work's second hide",
              "armed; open A; open B; pick 1 A; pick 2 B; fake; killat 3; fake; armed", "icons 1"},
        Story{"a second start reads no journal", "armed; open A; all; second",
              "hidden A, asked 1, panel shown"}),
    NameOf<Story>);

INSTANTIATE_TEST_SUITE_P(
    UnwritableJournal, StoryTest,
    ::testing::Values(Story{"a slot", "armed; open A; unwritable; hide", "icons 1, told 1"},
                      Story{"hide-all", "armed; open A; unwritable; all", "icons 1, told 1"},
                      Story{"the fake work", "armed; open A; pick 1 A; fake; unwritable; fake",
                            "icons 1, told 1"},
                      Story{"a window shown meanwhile", "armed; fill 2; unwritable; click 1",
                            "hidden B, icons 2, asked 1"}),
    NameOf<Story>);

struct Pick {
  const char* name;
  std::vector<std::pair<int, int>> picks;  // row, sheet (-1: no window)
  std::array<std::string, 3> titles;
  int messages;
};

class PickTest : public SimTest, public ::testing::WithParamInterface<Pick> {};

TEST_P(PickTest, TheCrosshairTakesTheWindowUnderItAndRefusesAFirstDuplicate) {
  StartArmed();
  const WindowHandle sheets[] = {Window("Sheet 1"), Window("Sheet 2")};
  for (const auto& [row, sheet] : GetParam().picks)
    PickFakeWork(row, sheet < 0 ? 0 : sheets[sheet]);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Text(static_cast<ControlId>(static_cast<int>(ControlId::fakeWork1) + row)),
              GetParam().titles[row]);
  }
  EXPECT_EQ(MessageCount(), GetParam().messages);
}

const std::string kNone = "[Fake Work Window Not Selected]";
INSTANTIATE_TEST_SUITE_P(
    Picks, PickTest,
    ::testing::Values(
        Pick{"two windows", {{1, 0}, {3, 1}}, {"Sheet 1", kNone, "Sheet 2"}, 0},
        Pick{"no window", {{1, -1}}, {kNone, kNone, kNone}, 0},
        Pick{"row 2 as row 1", {{1, 0}, {2, 0}}, {"Sheet 1", kNone, kNone}, 1},
        Pick{"row 1 as row 2", {{2, 0}, {1, 0}}, {kNone, "Sheet 1", kNone}, 1},
        Pick{"row 3 as row 2, row 1 empty", {{2, 0}, {3, 0}}, {kNone, "Sheet 1", "Sheet 1"}, 0},
        Pick{"row 2 as row 3", {{1, 1}, {3, 0}, {2, 0}}, {"Sheet 2", "Sheet 1", "Sheet 1"}, 1},
        Pick{"picked again", {{1, 0}, {1, 1}}, {"Sheet 2", kNone, kNone}, 0}),
    NameOf<Pick>);

TEST_F(SimTest, ARowWhoseTitleNoWindowCarriesIsEmptiedWhenArming) {
  Play("set Note=1; start; open A; pick 1 A");
  desktop.Find(named["A"])->title = "Renamed";
  panel().Clicked(ControlId::startButton);
  EXPECT_EQ(Text(ControlId::fakeWork1), kNone);
}

struct Journal {
  const char* name;
  std::string text;
  bool shown;
  bool noted;  // a line in the debug log
};

class JournalTest : public SimTest, public ::testing::WithParamInterface<Journal> {};

TEST_P(JournalTest, TheNextStartShowsOnlyTheWindowsOfAReadableJournal) {
  const WindowHandle window = desktop.AddWindow("Mail", false);
  std::string text = GetParam().text;
  if (const auto at = text.find("%h"); at != std::string::npos) {
    text.replace(at, 2, std::to_string(window));
  }
  desktop.StoreString(SettingPath(kAppName, "Recovery"), "Windows", text);
  session.Start();
  EXPECT_EQ(Visible(window), GetParam().shown);
  EXPECT_EQ(!desktop.log.empty(), GetParam().noted);
  EXPECT_EQ(Stored(setting::kRecoveryJournal), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JournalTest,
    ::testing::Values(
        Journal{"readable", "nookshade-journal 1\nA %h 4242 SimWindow", true, false},
        Journal{"older format", "nookshade-journal 0\nA %h 4242 SimWindow", false, true},
        Journal{"unknown way of hiding", "nookshade-journal 1\nX %h 4242 SimWindow", false, true},
        Journal{"handle not a number", "nookshade-journal 1\nS h%h 4242 SimWindow", false, true},
        Journal{"cut short", "nookshade-journal 1\nS %h", false, true},
        Journal{"no records", "nookshade-journal 1", false, false},
        Journal{"a line of one letter", "nookshade-journal 1\nS", false, true},
        Journal{"process not a number", "nookshade-journal 1\nS %h p SimWindow", false, true},
        Journal{"random bytes", std::string("\xFF\x00\x13nookshade", 12), false, true},
        Journal{"very long", "nookshade-journal 1\n" + std::string(100000, '9'), false, true}),
    NameOf<Journal>);

}  // namespace
}  // namespace nookshade::test
