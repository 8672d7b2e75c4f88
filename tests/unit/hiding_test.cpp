// Hiding the window in front into a slot with its icon, hiding every window
// at once, and every way back behind the unlock password. Stories start
// armed: the panel in the tray (slot 0, its own icon), the password 417.

#include "model/window_icon.h"
#include "sim_fixture.h"

namespace nookshade::test {
namespace {

TEST_P(StoryTest, EndsAsTold) {
  const std::string steps = GetParam().steps;
  // Armed first, unless the story starts the program itself.
  Play(steps.starts_with("set") || steps.starts_with("start") ? steps : "armed; " + steps);
  EXPECT_EQ(Summary(), GetParam().outcome);
}

// The window in front goes into a slot with its own icon, unless it is no
// window, the shell's or the desktop's, or its program has more rights.
const Story kWindowInFront[] = {
    {"an ordinary window", "open A; hide", "hidden A, icons 2"},
    // Its dialogs, left in sight, would show what it holds.
    {"with its dialogs", "open A; owned D A; owned E D; open B; owned F B; front A; hide",
     "hidden ADE, icons 2"},
    {"with its dialogs, given back", "open A; owned D A; owned E D; front A; hide; icon 1",
     "icons 1, asked 1"},
    {"with its dialog; a kill", "open A; owned D A; front A; hide; kill; armed", "icons 1"},
    {"with its dialog, given back, then the dialog hidden by its program; a kill",
     "open A; owned D A; front A; hide; icon 1; hides D; kill; armed",
     "hidden D, icons 1, asked 1"},
    {"shown by its program with a new dialog, hidden again, given back, then the dialog hidden by "
     "its program; a kill",
     "open A; front A; hide; shows A; owned D A; front A; hide; icon 1; hides D; kill; armed",
     "hidden D, icons 1, asked 1"},
    {"a dialog its program hid stays so", "open A; owned D A; hides D; front A; hide; icon 1",
     "hidden D, icons 1, asked 1"},
    {"more rights than ours, with its dialog", "open A; owned D A; refusing A; front A; hide",
     "icons 1, told 1"},
    {"more rights than ours, with its dialog, then the dialog hidden by its program; a kill",
     "open A; owned D A; refusing A; front A; hide; hides D; kill; armed",
     "hidden D, icons 1, told 1"},
    // A dialog its program opens as it goes (Notepad's Replace box, opened by the
    // Ctrl+H that hides it) follows it once the keys are over; a later one is the user's.
    {"a dialog opened as it is hidden", "open A; hide; owned D A; idle", "hidden AD, icons 2"},
    {"a dialog opened as it is hidden, given back", "open A; hide; owned D A; idle; icon 1",
     "icons 1, asked 1"},
    {"a dialog opened half a second after it was hidden",
     "open A; hide; idle; wait 500; owned D A; tap J; idle", "hidden A, icons 2"},
    {"a dialog opened half a second after it was hidden, hidden, given back",
     "open A; hide; idle; wait 500; owned D A; tap J; idle; front D; hide; icon 1",
     "icons 1, asked 1"},
    {"a dialog opened as it is hidden again",
     "open A; hide; wait 500; shows A; front A; hide; owned D A; idle", "hidden AD, icons 2"},
    {"a dialog opened as it is hidden and shown again by its program",
     "open A; hide; shows A; owned D A; front D; idle", "icons 2"},
    {"a work window it owns, shown by the fake-work hotkey as it is hidden",
     "open A; owned W A; pick 1 W; fake; fake; front A; hide; fake; idle",
     "hidden A, icons 2, work W--"},
    {"with its dialog's dialog, that shown by its program and hidden again",
     "open A; owned D A; owned E D; front A; hide; shows E; front E; hide", "hidden ADE, icons 2"},
    // A dialog in front stands for the window in sight that it belongs to.
    {"its dialogs below it", "open A; owned D A; owned E D; front D; front A; hide",
     "hidden ADE, icons 2"},
    {"its dialog's dialog in front", "open A; owned D A; owned E D; front E; hide",
     "hidden ADE, icons 2"},
    {"a dialog of a window out of sight, given back", "hidden A; owned D A; front D; hide; icon 1",
     "hidden A, icons 1, asked 1"},
    {"a dialog of the taskbar", "open T Shell_TrayWnd; owned D T; front D; hide",
     "hidden D, icons 2"},
    {"given back, then hidden again", "open A; hide; icon 1; hide", "hidden A, icons 2, asked 1"},
    {"more rights than ours", "open A; refusing A; hide", "icons 1, told 1"},
    {"a window of ours, as a message in front", "open A; ours A; hide", "icons 1"},
    // Its record goes: the next start must not bare what its program hides since.
    {"more rights than ours, then hidden by its program; a kill",
     "open A; refusing A; hide; hides A; kill; armed", "hidden A, icons 1, told 1"},
    {"a closed window, none", "open A; close A; front A; hide; front -; hide", "icons 1, told 2"},
    // The dialog in front, its owner out of sight, goes back where it was.
    {"with its dialog, the dialog shown by its program and hidden again, given back",
     "open A; owned D A; front A; hide; wait 500; shows D; front D; hide; icon 1",
     "icons 1, asked 1"},
    {"with its dialog, shown by its program with another, hidden again, given back",
     "open A; owned D A; front A; hide; shows A; owned E A; front A; hide; icon 1",
     "icons 1, asked 1"},
    {"the taskbar, the desktop and its worker",
     "open A Shell_TrayWnd; hide; open B Progman; hide; open C WorkerW; hide", "icons 1, told 3"},
    // Under Wine with a desktop's own tray, the window of an icon just docked may be in front.
    {"a notification icon's window", "fill 1; open I __winex11_tray_icon; hide",
     "hidden A, icons 2, told 1"},
    {"the shell's window, the system's desktop",
     "open A; shellwindow A; hide; open B; desktopwindow B; hide", "icons 1, told 2"},
    // The end gives back what is still hidden, and nothing that was given back before.
    {"given back, then hidden by its program; the end", "open A; hide; icon 1; hides A; end",
     "hidden A, asked 1, panel shown"},
};
INSTANTIATE_TEST_SUITE_P(WindowInFront, StoryTest, ::testing::ValuesIn(kWindowInFront),
                         NameOf<Story>);

// Ten slots besides the panel's; an icon's identifier names one of them.
const Story kTenSlots[] = {
    {"the tenth window", "fill 10", "hidden ABCDEFGHIJ, icons 11"},
    {"the eleventh", "fill 10; open K; hide", "hidden ABCDEFGHIJ, icons 11, told 1"},
    {"the tenth, the panel armed again", "icon 0; arm; fill 10",
     "hidden ABCDEFGHIJ, icons 11, told 1, asked 1"},
    {"the lowest freed slot first", "fill 3; icon 2; icon 1; open D; hide; icon 1",
     "hidden C, icons 2, asked 3"},
    {"the panel's icon", "fill 10; icon 0", "hidden ABCDEFGHIJ, icons 10, asked 1, panel shown"},
    {"the tenth's icon, while 11, -1 and 65537 name none",
     "fill 10; icon 11; icon -1; icon 65537; icon 10", "hidden ABCDEFGHI, icons 10, asked 1"},
    {"a closed window's slot taken again", "fill 10; close A; open K; hide",
     "hidden BCDEFGHIJK, icons 11"},
    {"a closed window's icon, which asks nothing", "fill 1; close A; icon 1", "icons 1"},
    // As a second double-click, queued behind the first one's prompt, does.
    {"an icon whose window is shown, or an empty slot's", "fill 1; icon 1; icon 1; icon 2",
     "icons 1, asked 1"},
    {"a closed window's icon, kept while no key comes", "fill 2; idle; close A; idle",
     "hidden B, icons 3"},
    {"a closed window's icon, gone after the next key", "fill 2; idle; close A; tap J; idle",
     "hidden B, icons 2"},
    {"shown again by its program, slots left", "fill 2; shows A; hide", "hidden AB, icons 3"},
    {"shown again, every slot taken", "fill 10; shows C; hide", "hidden ABCDEFGHIJ, icons 11"},
};
INSTANTIATE_TEST_SUITE_P(TenSlots, StoryTest, ::testing::ValuesIn(kTenSlots), NameOf<Story>);

// An icon's double-click and show-all ask for the password, if one is set.
const Story kPassword[] = {
    {"right", "fill 1; open B; all; icon 1 417; all 417", "icons 1, asked 2"},
    {"wrong", "fill 1; open B; all; icon 1 418; all 418", "hidden AB, icons 2, asked 2"},
    {"other case", "set Password=Secret; armed; fill 1; open B; all; icon 1 secret; all secret",
     "hidden AB, icons 2, asked 2"},
    {"cancelled", "fill 1; open B; all; icon 1 -; all -", "hidden AB, icons 2, asked 2"},
    {"cancelled, then right", "fill 1; open B; all; icon 1 -; icon 1; all -; all 417",
     "icons 1, asked 4"},
    {"changed in the panel", "type n3w; fill 1; open B; all; icon 1 n3w; all n3w",
     "icons 1, asked 2"},
    {"the one before the change", "type n3w; fill 1; open B; all; icon 1; all 417",
     "hidden AB, icons 2, asked 2"},
    {"none set, a wrong answer", "set Password=; armed; fill 1; open B; all; icon 1 418; all 418",
     "icons 1"},
    // Armed by its shortcut, the field still has the focus it emptied.
    {"none set, the field emptied at the start",
     "set Password=; set Note=1; start; ctrl+s; fill 1; icon 1 418", "icons 1"},
    {"the placeholder",
     "set Password=[No Password Set]; armed; fill 1; open B; all; icon 1 -; all -", "icons 1"},
};
INSTANTIATE_TEST_SUITE_P(Password, StoryTest, ::testing::ValuesIn(kPassword), NameOf<Story>);

// Hide-all takes every visible, titled top-level window but the way back:
// the taskbars, the notification area and the program's own windows.
const Story kHideAll[] = {
    {"an ordinary window", "open A; all", "hidden A, icons 1"},
    {"Program Manager", "open A Progman; all", "hidden A, icons 1"},
    {"the taskbars, the overflow area and Wine's tray",
     "open A Shell_TrayWnd; open B Shell_SecondaryTrayWnd; open C NotifyIconOverflowWindow;"
     "open D __winex11_standalone_tray; all",
     "icons 1"},
    {"the taskbar, named in capitals", "open A SHELL_TRAYWND; all", "icons 1"},
    {"a class a first letter off the taskbar's", "open A Xhell_TrayWnd; all", "hidden A, icons 1"},
    {"a class the taskbar's begins with", "open A Shell_Tray; all", "hidden A, icons 1"},
    {"a window of ours", "open A; ours A; all", "icons 1"},
    {"an untitled window", "untitled A; all", "icons 1"},
    // Owned windows go with their owners, and stay with the windows left alone.
    {"an owned window and its own", "open A; owned B A; owned C B; all", "hidden ABC, icons 1"},
    // Under Wine a click can raise a window above its own dialogs.
    {"an owned window below its owner", "open A; owned D A; front A; all", "hidden AD, icons 1"},
    {"an owned window of one left alone", "untitled U; owned B U; all", "icons 1"},
    {"an owned window of one held in a slot", "open A; front A; hide; owned D A; all",
     "hidden AD, icons 2"},
    {"a child window", "open A; child B A; all", "hidden A, icons 1"},
    {"a child of the desktop", "untitled D; desktopwindow D; child B D; all", "icons 1"},
    // Shown again, it is the user's and its program's once more.
    {"shown, then hidden by its program; a kill", "open A; all; all 417; hides A; kill; armed",
     "hidden A, icons 1, asked 1"},
    {"shown, then hidden by its program; the end", "open A; all; all 417; hides A; end",
     "hidden A, asked 1, panel shown"},
    {"hidden again after show-all", "open A; all; all 417; all", "hidden A, icons 1, asked 1"},
    {"a hidden window stays so", "open A; hidden B; all; all 417", "hidden B, icons 1, asked 1"},
    // Hidden into a slot since, by the user: its icon alone brings it back.
    {"shown by its program, then hidden into a slot", "open A; all; shows A; hide; all 417",
     "hidden A, icons 2, asked 1"},
    // Its dialogs go with it, those hide-all hid and those its program shows.
    {"its dialog, shown by its program, then hidden into a slot",
     "open A; owned D A; all; shows A; front A; hide; all 417", "hidden AD, icons 2, asked 1"},
    {"the same, given back", "open A; owned D A; all; shows A; front A; hide; icon 1",
     "icons 1, asked 1"},
    {"a slot's, shown again with a new dialog, hidden into its slot again",
     "open A; front A; hide; shows A; owned D A; front D; hide", "hidden AD, icons 2"},
    {"shown by its program, hidden into a slot and given back; a kill",
     "open A; all; shows A; hide; icon 1; hides A; kill; armed", "hidden A, icons 1, asked 1"},
    {"a slot's, shown by its program twice, hidden into its slot again",
     "open A; hide; shows A; all; shows A; hide; all 417", "hidden A, icons 2, asked 1"},
    // Pressed again, the hotkey asks for the password, whatever there was to hide.
    {"nothing to hide, then a window opened", "all; open A; all", "icons 1, asked 1"},
};
INSTANTIATE_TEST_SUITE_P(HideAll, StoryTest, ::testing::ValuesIn(kHideAll), NameOf<Story>);

// A hidden window's handle, given to another window since, is never shown.
const Story kHandleReused[] = {
    {"by an icon", "open A; hide; reuse A process; icon 1", "hidden A, icons 1"},
    {"by a hide, every slot taken", "fill 10; reuse A process; open K; hide",
     "hidden ABCDEFGHIJK, icons 11"},
    {"by show-all", "open A; all; reuse A process; all 417", "hidden A, icons 1, asked 1"},
    {"by the session's end", "open A; hide; open B; all; reuse A process; reuse B process; end",
     "hidden AB, panel shown"},
    {"by the next start", "open A; all; reuse A process; kill; armed", "hidden A, icons 1"},
    // A closed window's icon forgets its record too.
    {"after a closed window's icon, by the next start",
     "fill 1; close A; icon 1; reuse A same; kill; armed", "hidden A, icons 1"},
    {"of another class", "open A; all; reuse A class; kill; armed", "hidden A, icons 1"},
    // Show-all forgets the record of a window closed meanwhile too.
    {"after show-all, by the next start",
     "open A; all; close A; all 417; reuse A same; kill; armed", "hidden A, icons 1, asked 1"},
    // The handle, given to another window picked into the same row, then back to a window
    // like the first: the show forgets the first one's record.
    {"twice, after the fake work's show, by the next start",
     "open A; pick 1 A; fake; fake; reuse A process; shows A; pick 1 A; fake; reuse A same; kill; "
     "armed",
     "hidden A, icons 1"},
    // A picked window that is gone empties its row: its handle is no one's to show or hide.
    {"by the fake work", "hidden A; pick 1 A; fake; fake; reuse A process; fake",
     "hidden A, icons 1"},
    {"held by another row, hidden by the toggle; a kill",
     "open A; pick 1 A; fake; all; all 417; reuse A process; shows A; pick 2 A; fake; kill; armed",
     "icons 1, asked 1"},
    // A dialog closed while a slot holds its window: its handle is no longer the slot's.
    {"a slot's dialog's, by the fake work",
     "open A; owned D A; front A; hide; reuse D process; shows D; pick 1 D; fake; fake",
     "hidden AD, icons 2, work D--"},
    {"picked again, then by the fake work",
     "open A; pick 1 A; reuse A process; shows A; pick 1 A; fake; fake",
     "hidden A, icons 1, work A--"},
    // Show-all brings back no dialog of the window now holding the handle it hid.
    {"by a window the fake work hid with its dialog, then show-all",
     "set LFW=0; armed; open A; all; reuse A process; shows A; owned D A; pick 1 A; fake; fake; "
     "all 417",
     "hidden AD, icons 1, asked 1, work A--"},
    {"picked, then by the fake work", "open A; pick 1 A; reuse A process; fake",
     "hidden A, icons 1"},
    {"picked, shown again, then hidden by show-all",
     "open A; pick 1 A; all; fake; fake; reuse A process; shows A; all 417; fake",
     "icons 1, asked 1"},
};
INSTANTIATE_TEST_SUITE_P(HandleReused, StoryTest, ::testing::ValuesIn(kHandleReused),
                         NameOf<Story>);

// An icon the shell refuses (after a restart, or at the hide) is tried again
// once a second; after the fifth retry its window is shown again instead.
const Story kIconRetry[] = {
    {"a restart, every icon taken at once", "start; open A; hidenow; shellrestart 0",
     "hidden A, icons 1, panel shown"},
    {"a restart, taken at the fifth retry", "start; open A; hidenow; shellrestart 5; seconds 6",
     "hidden A, icons 1, panel shown"},
    {"a restart, refused at the fifth retry", "start; open A; hidenow; shellrestart 6; seconds 6",
     "told 1, panel shown"},
    {"a second restart, five retries of its own",
     "start; open A; hidenow; shellrestart 1; seconds 1; shellrestart 5; seconds 6",
     "hidden A, icons 1, panel shown"},
    {"the hide, taken at the first retry", "start; open A; refuse 1; hidenow; seconds 6",
     "hidden A, icons 1, panel shown"},
    {"the hide, refused at the fifth retry", "start; open A; refuse 6; hidenow; seconds 6",
     "told 1, panel shown"},
    // Found out at the next hide, the icons it took with it are tried again too.
    {"the notification area gone unannounced", "fill 2; traygone 99; open C; hide; seconds 6",
     "told 1, panel shown"},
    {"the notification area gone unannounced, found as an icon goes",
     "fill 2; traygone 99; close A; tap J; idle; seconds 6", "told 1, panel shown"},
    {"the notification area gone unannounced, found after a spell of input",
     "fill 2; traygone 99; tap J; idle; seconds 6", "told 1, panel shown"},
    {"the notification area gone unannounced, found after a spell of input without raw input",
     "noraw; fill 2; traygone 99; tap J; idle; seconds 6", "told 1, logged 1, panel shown"},
    {"the notification area gone and back unannounced, found after a spell of input",
     "fill 2; idle; traygone 0; tap J; idle", "hidden AB, icons 3"},
    {"the notification area replaced while one icon is tried again",
     "fill 2; idle; open C; refuse 1; hide; traygone 0; tap J; idle; seconds 2; tap J; idle",
     "hidden ABC, icons 4"},
    {"an icon being tried again keeps its attempts after a spell of input",
     "open A; refuse 6; hide; seconds 4; tap J; idle; seconds 2", "icons 1, told 1"},
    {"a window after the one given back keeps its retries",
     "fill 2; icon 1; open C; refuse 6; hide; seconds 4; traygone 4; seconds 2",
     "hidden B, icons 2, told 1, asked 1"},
    // The retry waits while its own message is open: another would stack on it.
    {"its message open",
     "open A; refuse 6; hide; seconds 4; traygone 99; inmessage seconds 6; seconds 1",
     "told 1, retrying icons"},
    {"the notification area gone unannounced and back",
     "fill 2; traygone 2; open C; hide; seconds 6", "hidden ABC, icons 4"},
};
INSTANTIATE_TEST_SUITE_P(IconRetry, StoryTest, ::testing::ValuesIn(kIconRetry), NameOf<Story>);

// The session's end unloads the panel, at times inside a prompt's loop.
const Story kSessionEnd[] = {
    {"no prompt open", "everyway; end", "panel shown, work C--"},
    {"an icon's prompt", "everyway; inprompt end; icon 1", "asked 1, panel shown, work C--"},
    {"show-all's prompt", "everyway; inprompt end; all 417", "asked 1, panel shown, work C--"},
};
INSTANTIATE_TEST_SUITE_P(SessionEnd, StoryTest, ::testing::ValuesIn(kSessionEnd), NameOf<Story>);

// Each hidden window's icon is its best icon: its big one, its small one,
// its class's, or else the program's own.
TEST_F(SimTest, AHiddenWindowsIconIsItsBestIcon) {
  const IconHandle icons[][3] = {{11, 12, 13}, {0, 12, 13}, {0, 0, 13}, {0, 0, 0}};
  Play("armed");
  for (const auto& [big, small, ofClass] : icons) {
    sim::SimWindow& window = *desktop.Find(Window("W"));
    window.bigIcon = big;
    window.smallIcon = small;
    window.classSmallIcon = ofClass;
    Play("hide");
  }
  const WindowHandle panelWindow = session.PanelWindow();
  const IconHandle own = desktop.Find(panelWindow)->smallIcon;
  EXPECT_NE(own, 0);
  // The task switcher's, at the size the system asks for.
  EXPECT_EQ(desktop.Find(panelWindow)->bigIcon, desktop.LoadAppIcon(kIconResource, 32, 32));
  for (const auto& [slot, shown] : {std::pair{1, 11}, {2, 12}, {3, 13}, {4, own}}) {
    EXPECT_EQ(desktop.trayIcons[std::pair(panelWindow, slot)], shown) << "slot " << slot;
  }
}

// The top of a window's owner chain is what the taskbar shows: it gets the
// icons too, and the owners between get none.
TEST_F(SimTest, AWindowsIconsGoToTheTopOfItsOwnerChainToo) {
  const WindowHandle top = desktop.AddWindow("T");
  const WindowHandle between = desktop.AddWindow("B", true, top);
  const WindowHandle window = desktop.AddWindow("W", true, between);
  SetAlphaIcon(desktop, window, kIconResource, true);
  for (const WindowHandle w : {window, top}) {
    EXPECT_EQ(desktop.Find(w)->bigIcon, desktop.LoadAppIcon(kIconResource, 32, 32));
    EXPECT_EQ(desktop.Find(w)->smallIcon, desktop.LoadAppIcon(kIconResource, 16, 16));
  }
  EXPECT_EQ(desktop.Find(between)->smallIcon, 0);
}

// Asked for by a hotkey, the prompt stays above the window in front, and the
// task switcher shows whose it is.
TEST_F(SimTest, ThePasswordPromptIsOnTopWithTheProgramsIcon) {
  Play("armed; fill 1");
  desktop.whilePasswordPromptOpen = [this] {
    const sim::SimWindow& prompt = *desktop.Find(desktop.GetForegroundWindow());
    EXPECT_EQ(prompt.title, "Enter Password");
    EXPECT_TRUE(prompt.topmost);
    EXPECT_NE(prompt.smallIcon, 0);
  };
  Play("icon 1");
  EXPECT_EQ(desktop.passwordPromptsShown, 1);
}

// Show-all and an icon bring the windows back in their order, the one the
// user was in on top with the keyboard, also where another was above it;
// its dialogs (a Find box) stay above it.
TEST(WayBackTest, BringsBackTheOrderAndTheWindowInFront) {
  for (const auto& [story, order, front] : std::array<std::array<std::string, 3>, 12>{{
           {"armed; open A; open B; open C; all; all 417", "CBA", "C"},
           {"armed; open A; open B; open C; front A; raise C; all; all 417", "ACB", "A"},
           {"armed; open A; owned D A; open B; front A; all; all 417", "DAB", "A"},
           {"armed; open A; owned D A; front A; hide; icon 1", "DA", "A"},
           {"armed; open A; owned D A; front D; hide; icon 1", "DA", "D"},
           // A dialog taken as its window was hidden again ends on top of those
           // hidden with it before; hidden again from it, it has the keyboard.
           {"armed; open A; owned D A; front A; hide; shows A; owned E A; front A; hide; icon 1",
            "EDA", "A"},
           {"armed; open A; front A; hide; shows A; owned E A; front E; hide; icon 1", "EA", "E"},
           // Still out of sight, though in front as the window system may leave it.
           {"armed; open A; owned D A; front D; hide; front A; hide; icon 1", "DA", "D"},
           // The fake-work toggle gives the keyboard to a window's top dialog.
           {"armed; open A; owned D A; pick 1 A; fake; all; all 417; shows A; owned E A; fake; "
            "fake",
            "EDA", "E"},
           // After a kill, a window its program showed meanwhile stays where it is.
           {"armed; open A; open B; all; kill; shows A; open C; armed", "CAB", "C"},
           // The window in front at this hide-all, not at the one before.
           {"armed; open A; open B; all; all 417; front A; all; all 417", "AB", "A"},
           // Hidden before the others, a work window let go of by its row comes back below them.
           {"set LFW=0; armed; open A; pick 1 A; fake; fake; open B; open C; all; reset 1; all 417",
            "CBA", "C"},
       }}) {
    sim::World world;
    world.Play(story);
    std::string shown;
    for (const WindowHandle window : world.desktop.EnumTopLevelWindows()) {
      for (const auto& [name, named] : world.named) shown += window == named ? name : "";
    }
    EXPECT_EQ(shown, order) << story;
    EXPECT_EQ(world.desktop.GetForegroundWindow(), world.named[front]) << story;
  }
}

}  // namespace
}  // namespace nookshade::test
