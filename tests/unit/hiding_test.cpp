// Hiding the window in front into a slot with its icon, hiding every window
// at once, and every way back behind the unlock password. "armed": the
// panel in the tray (slot 0, its own icon), the password 417.

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

TEST_P(StoryTest, EndsAsTold) {
  Play(GetParam().steps);
  EXPECT_EQ(Summary(), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    WindowInFront, StoryTest,
    ::testing::Values(
        Story{"an ordinary window", "armed; open A; hide", "hidden A, icons 2"},
        Story{"more rights than ours", "armed; open A; refusing A; hide", "icons 1, told 1"},
        Story{"a closed window", "armed; open A; close A; front A; hide", "icons 1, told 1"},
        Story{"nothing in front", "armed; open A; front -; hide", "icons 1, told 1"},
        Story{"the taskbar", "armed; open A Shell_TrayWnd; hide", "icons 1, told 1"},
        Story{"a second taskbar", "armed; open A shell_secondarytraywnd; hide", "icons 1, told 1"},
        Story{"the overflow area", "armed; open A NotifyIconOverflowWindow; hide",
              "icons 1, told 1"},
        Story{"Wine's tray", "armed; open A __winex11_standalone_tray; hide", "icons 1, told 1"},
        Story{"the desktop", "armed; open A Progman; hide", "icons 1, told 1"},
        Story{"the desktop's worker", "armed; open A WorkerW; hide", "icons 1, told 1"},
        Story{"the shell's window", "armed; open A; shellwindow A; hide", "icons 1, told 1"},
        Story{"the system's desktop", "armed; open A; desktopwindow A; hide", "icons 1, told 1"}),
    NameOf<Story>);

INSTANTIATE_TEST_SUITE_P(
    TenSlots, StoryTest,
    ::testing::Values(
        Story{"the tenth window", "armed; fill 10", "hidden ABCDEFGHIJ, icons 11"},
        Story{"the eleventh", "armed; fill 10; open K; hide",
              "hidden ABCDEFGHIJ, icons 11, told 1"},
        Story{"the eleventh into the tenth's freed slot", "armed; fill 10; click 10; open K; hide",
              "hidden ABCDEFGHIK, icons 11, asked 1"},
        Story{"the lowest freed slot first",
              "armed; fill 3; click 2; click 1; open D; hide; click 1",
              "hidden C, icons 2, asked 3"},
        Story{"the panel's icon", "armed; fill 10; click 0",
              "hidden ABCDEFGHIJ, icons 10, asked 1, panel shown"},
        Story{"icon 11 names no slot", "armed; fill 10; click 11", "hidden ABCDEFGHIJ, icons 11"},
        Story{"icon -1 names no slot", "armed; fill 10; click -1", "hidden ABCDEFGHIJ, icons 11"},
        Story{"icon 65537 names no slot", "armed; fill 10; click 65537",
              "hidden ABCDEFGHIJ, icons 11"},
        Story{"shown again by its program, slots left", "armed; fill 2; shows A; hide",
              "hidden AB, icons 3"},
        Story{"shown again, every slot taken", "armed; fill 10; shows C; hide",
              "hidden ABCDEFGHIJ, icons 11"}),
    NameOf<Story>);

INSTANTIATE_TEST_SUITE_P(
    Password, StoryTest,
    ::testing::Values(
        Story{"right", "armed; fill 1; open B; all; click 1 417; all 417", "icons 1, asked 2"},
        Story{"wrong", "armed; fill 1; open B; all; click 1 418; all 418",
              "hidden AB, icons 2, asked 2"},
        Story{"other case",
              "set Password=Secret; armed; fill 1; open B; all; click 1 secret; all secret",
              "hidden AB, icons 2, asked 2"},
        Story{"cancelled", "armed; fill 1; open B; all; click 1 -; all -",
              "hidden AB, icons 2, asked 2"},
        Story{"cancelled, then right",
              "armed; fill 1; open B; all; click 1 -; click 1; all -; all 417", "icons 1, asked 4"},
        Story{"changed in the panel", "armed; type n3w; fill 1; open B; all; click 1 n3w; all n3w",
              "icons 1, asked 2"},
        Story{"the one before the change", "armed; type n3w; fill 1; open B; all; click 1; all 417",
              "hidden AB, icons 2, asked 2"},
        Story{"none set, a wrong answer",
              "set Password=; armed; fill 1; open B; all; click 1 418; all 418", "icons 1"},
        Story{"none set, cancelled", "set Password=; armed; fill 1; open B; all; click 1 -; all -",
              "icons 1"},
        Story{"the placeholder",
              "set Password=[No Password Set]; armed; fill 1; open B; all; click 1 -; all -",
              "icons 1"}),
    NameOf<Story>);

INSTANTIATE_TEST_SUITE_P(
    HideAll, StoryTest,
    ::testing::Values(
        Story{"an ordinary window", "armed; open A; all", "hidden A, icons 1"},
        Story{"Program Manager", "armed; open A Progman; all", "hidden A, icons 1"},
        Story{"the taskbar", "armed; open A Shell_TrayWnd; all", "icons 1"},
        Story{"a second taskbar", "armed; open A Shell_SecondaryTrayWnd; all", "icons 1"},
        Story{"the overflow area", "armed; open A NotifyIconOverflowWindow; all", "icons 1"},
        Story{"Wine's tray", "armed; open A __winex11_standalone_tray; all", "icons 1"},
        Story{"a window of ours", "armed; open A; ours A; all", "icons 1"},
        Story{"an untitled window", "armed; untitled A; all", "icons 1"},
        Story{"an owned window", "armed; open A; owned B A; all", "hidden A, icons 1"},
        Story{"a child window", "armed; open A; child B A; all", "hidden A, icons 1"},
        Story{"a hidden window stays so", "armed; open A; hidden B; all; all 417",
              "hidden B, icons 1, asked 1"},
        Story{"a handle with its top bit set", "armed; highhandle; open A; all; kill; armed",
              "icons 1"}),
    NameOf<Story>);

INSTANTIATE_TEST_SUITE_P(
    HandleReused, StoryTest,
    ::testing::Values(Story{"by an icon", "armed; open A; hide; reuse A process; click 1",
                            "hidden A, icons 1, asked 1"},
                      Story{"by show-all", "armed; open A; all; reuse A process; all 417",
                            "hidden A, icons 1, asked 1"},
                      Story{
                          "by the session's end",
                          "armed; open A; hide; open B; all; reuse A process; reuse B process; end",
                          "hidden AB, panel shown"},
                      Story{"by the next start", "armed; open A; all; reuse A process; kill; armed",
                            "hidden A, icons 1"},
                      Story{"of another class", "armed; open A; all; reuse A class; kill; armed",
                            "hidden A, icons 1"}),
    NameOf<Story>);

INSTANTIATE_TEST_SUITE_P(
    IconRetry, StoryTest,
    ::testing::Values(
        Story{"a restart, taken at once", "start; open A; hidenow; shellrestart 0; seconds 6",
              "hidden A, icons 1, panel shown"},
        Story{"a restart, taken at the fifth retry",
              "start; open A; hidenow; shellrestart 5; seconds 6",
              "hidden A, icons 1, panel shown"},
        Story{"a restart, refused at the fifth retry",
              "start; open A; hidenow; shellrestart 6; seconds 6", "told 1, panel shown"},
        Story{"the hide, taken at the first retry", "start; open A; refuse 1; hidenow; seconds 6",
              "hidden A, icons 1, panel shown"},
        Story{"the hide, refused at the fifth retry", "start; open A; refuse 6; hidenow; seconds 6",
              "told 1, panel shown"}),
    NameOf<Story>);

// The session's end unloads the panel, at times inside a prompt's loop.
INSTANTIATE_TEST_SUITE_P(
    SessionEnd, StoryTest,
    ::testing::Values(
        Story{"no prompt open", "armed; fill 1; open B; all; open C; pick 1 C; fake; fake; end",
              "panel shown"},
        Story{"an icon's prompt, cancelled", "armed; fill 1; open B; all; endinprompt; click 1 -",
              "asked 1, panel shown"},
        Story{"an icon's prompt, answered", "armed; fill 1; open B; all; endinprompt; click 1",
              "asked 1, panel shown"},
        Story{"show-all's prompt, cancelled", "armed; fill 1; open B; all; endinprompt; all -",
              "asked 1, panel shown"},
        Story{"show-all's prompt, answered", "armed; fill 1; open B; all; endinprompt; all 417",
              "asked 1, panel shown"}),
    NameOf<Story>);

struct Icon {
  const char* name;
  IconHandle big, small, ofClass;
  IconHandle shown;  // 0: the panel's own small icon
};

class IconTest : public SimTest, public ::testing::WithParamInterface<Icon> {};

TEST_P(IconTest, AHiddenWindowsIconShowsItsBestIcon) {
  StartArmed();
  sim::SimWindow& window = *desktop.Find(Window("Mail"));
  window.bigIcon = GetParam().big;
  window.smallIcon = GetParam().small;
  window.classSmallIcon = GetParam().ofClass;
  HideInFront();
  const IconHandle own = desktop.Find(session.PanelWindow())->smallIcon;
  const auto key = std::make_pair(session.PanelWindow(), 1);
  EXPECT_EQ(desktop.trayIcons[key], GetParam().shown != 0 ? GetParam().shown : own);
}

INSTANTIATE_TEST_SUITE_P(Icons, IconTest,
                         ::testing::Values(Icon{"big", 11, 12, 13, 11},
                                           Icon{"small", 0, 12, 13, 12},
                                           Icon{"the class's", 0, 0, 13, 13},
                                           Icon{"none: the program's", 0, 0, 0, 0}),
                         NameOf<Icon>);

TEST_F(SimTest, ShowAllShowsTheWindowThatWasOnTopLastSoItIsOnTopAgain) {
  Play("armed; open A; open B; all; all 417");
  std::vector<WindowHandle> order;
  for (const WindowHandle window : desktop.EnumTopLevelWindows()) {
    if (window == named["A"] || window == named["B"]) order.push_back(window);
  }
  EXPECT_EQ(order, (std::vector{named["B"], named["A"]}));
}

}  // namespace
}  // namespace nookshade::test
