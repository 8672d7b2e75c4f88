// The program's life: arming, fake work, and what the next start recovers
// after a kill.

#include "sim_fixture.h"

namespace nookshade::test {
namespace {

// "Start Nookshade" hides the panel into the tray, which arms the hotkeys,
// only with both main hotkeys set; the automatic start does so unseen.
const Story kArming[] = {
    {"both main hotkeys set", "start; arm", "icons 1, told 1"},
    {"by the shortcut", "start; ctrl+s", "icons 1, told 1"},
    {"by the menu, again after the panel was opened", "start; arm; icon 0; arm menu",
     "icons 1, told 2, asked 1"},
    {"no notification", "set Note=1; start; arm", "icons 1"},
    {"no notification, grayed", "set Note=2; start; arm", "icons 1, told 1"},
    {"a window hidden before, its slot kept", "start; open A; hidenow; arm",
     "hidden A, icons 2, told 1"},
    {"hide-a-window hotkey blank", "set HKn=; start; arm", "told 1, panel shown"},
    {"hide-all hotkey blank", "set HKa=; start; arm", "told 1, panel shown"},
    {"fake-work hotkey blank", "set HKfw=; start; arm", "icons 1, told 1"},
    // Keys let go of before the arming were no press of an armed hotkey.
    {"a hotkey's keys pressed and let go of, then armed",
     "start; open A; hold 162; hold 72; release 72; release 162; arm; idle", "icons 1, told 1"},
    {"the automatic start", "set Auto=1; start", "icons 1"},
    {"the automatic start grayed", "set Auto=2; start", "panel shown"},
    {"the help menu, never armed", "start; help", "told 6, panel shown"},
    // No word of the tray until the panel's icon is there.
    {"the notification area gone", "start; traygone 99; arm; seconds 6", "told 1, panel shown"},
    // Minimized, the panel owns no prompt and can be clicked while one is open.
    {"while a prompt is open", "fill 1; icon 0; inprompt arm; icon 1", "asked 2, panel shown"},
    // The hotkeys work before the note is read.
    {"hide-all while the note is open", "start; open A; inmessage all; arm",
     "hidden A, icons 1, told 1"},
    // No second note on the first, nor one owed to come later.
    {"the panel opened and armed again while the note is open",
     "start; inmessage icon 0, arm; arm; inmessage; refuse 1; open A; hide; seconds 1",
     "hidden A, icons 2, told 1, asked 1"},
};
INSTANTIATE_TEST_SUITE_P(Arming, StoryTest, ::testing::ValuesIn(kArming), NameOf<Story>);

// The fake-work hotkey shows the picked windows and hides them again; hide-all
// shows them along, unless the option is off; a window a row lets go of is
// shown again.
const Story kFakeWork[] = {
    {"the hotkey shows the picked", "hidden A; hidden B; hidden C; pick 1 A; pick 2 B; fake",
     "hidden C, icons 1, work AB-"},
    {"and hides them again", "hidden A; hidden B; pick 1 A; pick 2 B; fake; fake",
     "hidden AB, icons 1, work AB-"},
    // In sight but covered, they come to the front, the last row's with the keyboard.
    {"in sight, over another window",
     "open A; open B; open C; pick 1 A; pick 3 B; front C; fake; hide",
     "hidden B, icons 2, work A-B"},
    {"shown with hide-all", "open A; open B; pick 1 B; all", "hidden A, icons 1, work B--"},
    // Its dialogs go and come back with it: left in sight, they stand over nothing.
    {"hidden with its dialogs", "open A; owned D A; owned E D; pick 1 A; fake; fake",
     "hidden ADE, icons 1, work A--"},
    {"shown again with its dialogs", "open A; owned D A; owned E D; pick 1 A; fake; fake; fake",
     "icons 1, work A--"},
    {"hidden with its dialog; a kill", "open A; owned D A; pick 1 A; fake; fake; kill; armed",
     "icons 1"},
    {"hidden again, with a dialog opened since",
     "open A; pick 1 A; fake; all; all 417; shows A; owned D A; fake",
     "hidden AD, icons 1, asked 1, work A--"},
    {"hidden again with its dialog, another opened since, and shown",
     "open A; owned C A; pick 1 A; fake; all; all 417; shows A; owned D A; fake; fake",
     "icons 1, asked 1, work A--"},
    {"hidden again while hidden, shown, then hidden by its program; a kill",
     "open A; pick 1 A; fake; all; all 417; shows A; fake; fake; hides A; kill; armed",
     "hidden A, icons 1, asked 1"},
    {"hidden again, with a dialog opened since; a kill",
     "open A; pick 1 A; fake; all; all 417; shows A; owned D A; fake; kill; armed",
     "icons 1, asked 1"},
    // A slot that takes the window takes the dialogs hidden with it too.
    {"its window hidden into a slot since, let go of by its row",
     "open A; owned D A; pick 1 A; fake; fake; shows A; front A; hide; reset 1; icon 1",
     "icons 1, asked 1"},
    {"its window hidden into a slot since, let go of by its row, given back; a kill",
     "open A; owned D A; pick 1 A; fake; fake; shows A; front A; hide; reset 1; icon 1; hides D;"
     "kill; armed",
     "hidden D, icons 1, asked 1"},
    {"its window hidden into a slot since, given back, its dialog then hidden by its program; a "
     "kill",
     "open A; owned D A; pick 1 A; fake; fake; shows A; front A; hide; icon 1; hides D; kill; "
     "armed",
     "hidden D, icons 1, asked 1"},
    {"its dialog and then its window hidden into slots since",
     "open A; owned D A; pick 1 A; fake; fake; shows D; hide; shows A; front A; hide; icon 2",
     "hidden D, icons 2, asked 1, work A--"},
    {"its window hidden into a slot since, let go of by its row; a kill",
     "open A; owned D A; pick 1 A; fake; fake; shows A; front A; hide; reset 1; kill; armed",
     "icons 1"},
    {"its dialog hidden into a slot since",
     "open A; owned D A; pick 1 A; fake; fake; shows D; hide; fake", "hidden D, icons 2, work A--"},
    // Held in a slot with its window, a dialog comes back by the slot's icon alone.
    {"a dialog held in a slot", "open A; owned D A; pick 1 D; front A; hide; fake",
     "hidden AD, icons 2, work D--"},
    // A modal question left hidden would leave its window shown but dead.
    {"shown with hide-all, its dialog with it", "open A; owned D A; pick 1 A; all",
     "icons 1, work A--"},
    {"not with hide-all, the option grayed", "set LFW=2; armed; open A; open B; pick 1 B; all",
     "hidden AB, icons 1, work B--"},
    {"hidden with show-all", "open A; open B; pick 1 B; all; all 417",
     "hidden B, icons 1, asked 1, work B--"},
    {"kept at a wrong answer to show-all", "open A; open B; pick 1 B; all; all 418",
     "hidden A, icons 1, asked 1, work B--"},
    // Hide-all leaves the hotkey's own state as it was: its next press shows.
    {"shown with hide-all, then the hotkey", "open A; open B; pick 1 B; all; fake",
     "hidden A, icons 1, work B--"},
    {"shown by the hotkey during hide-all, its dialog with it",
     "set LFW=0; armed; open A; owned D A; pick 1 A; all; fake", "icons 1, work A--"},
    {"hidden by the hotkey during hide-all, then shown, its dialog with it",
     "set LFW=0; armed; open A; owned D A; pick 1 A; fake; all; fake; fake", "icons 1, work A--"},
    {"not with hide-all, nor its dialog",
     "set LFW=0; armed; open A; open B; owned D B; pick 1 B; all", "hidden ABD, icons 1, work B--"},
    {"a row let go of", "open A; open B; pick 1 A; pick 2 B; fake; fake; reset 1; pick 2 -",
     "icons 1"},
    // Its record goes with it: the next start must not bare what its program hides since.
    {"a row let go of, then a kill", "open A; pick 1 A; fake; fake; reset 1; hides A; kill; armed",
     "hidden A, icons 1"},
    {"shown by the hotkey, then a kill", "open A; pick 1 A; fake; fake; fake; hides A; kill; armed",
     "hidden A, icons 1"},
    {"a row let go of, picked again and hidden; a kill",
     "open A; pick 1 A; fake; all; all 417; reset 1; pick 1 A; fake; kill; armed",
     "icons 1, asked 1"},
    {"rows reset",
     "hidden A; hidden B; hidden C; pick 1 A; pick 2 B; pick 3 C; reset 2; reset 3; fake",
     "hidden BC, icons 1, work A--"},
    {"a window renamed since it was picked", "hidden A; pick 1 A; rename A X; fake",
     "hidden A, icons 1"},
    // The slot's window comes back behind the password, not by the toggle.
    {"a window in a slot", "open A; pick 1 A; hide; fake", "hidden A, icons 2, work A--"},
    {"a window in a slot, given back", "open A; pick 1 A; hide; icon 1; fake; fake",
     "hidden A, icons 1, asked 1, work A--"},
    {"hidden into a slot since, let go of by its row",
     "open A; pick 1 A; fake; fake; shows A; front A; hide; reset 1", "hidden A, icons 2"},
    {"hidden into a slot since, let go of by its row during hide-all",
     "set LFW=0; armed; open A; pick 1 A; fake; fake; shows A; front A; hide; open B; all; reset 1;"
     "all 417",
     "hidden A, icons 2, asked 1"},
    // Hide-all holds it too: it comes back with the rest of its set.
    {"a window hide-all holds, let go of by its row",
     "set LFW=0; armed; open A; pick 1 A; fake; all; fake; reset 1", "hidden A, icons 1"},
    {"a window hide-all holds, with a dialog opened since, let go of by its row; show-all",
     "set LFW=0; armed; open A; pick 1 A; all; shows A; owned D A; fake; fake; reset 1; all 417",
     "icons 1, asked 1"},
    {"a window hide-all holds, with a dialog opened since, let go of by its row; a kill",
     "set LFW=0; armed; open A; pick 1 A; all; shows A; owned D A; fake; fake; reset 1; kill; "
     "armed",
     "icons 1"},
    {"a window hide-all holds, let go of by its row, its dialog hidden into a slot since",
     "set LFW=0; armed; open A; pick 1 A; all; shows A; owned D A; fake; fake; shows D; front D; "
     "hide;"
     "reset 1; all 417",
     "hidden D, icons 2, asked 1"},
    // Its program showed it after hide-all; show-all brings the toggle's dialogs back with it.
    {"a window hide-all holds, hidden with a dialog opened since; show-all",
     "set LFW=0; armed; open A; pick 1 A; all; shows A; owned D A; fake; fake; all 417",
     "icons 1, asked 1, work A--"},
    {"a window hide-all holds, hidden with a dialog opened since; show-all, then hidden by its "
     "program; a kill",
     "set LFW=0; armed; open A; pick 1 A; all; shows A; owned D A; fake; fake; all 417; hides A;"
     "kill; armed",
     "hidden A, icons 1, asked 1"},
    // Hidden by the toggle before hide-all: it joins hide-all's set.
    {"a window the hotkey hid, let go of by its row during hide-all",
     "set LFW=0; armed; open A; open B; pick 1 A; fake; fake; all; reset 1", "hidden AB, icons 1"},
    {"a window the hotkey hid with its dialog, let go of by its row during hide-all; show-all",
     "set LFW=0; armed; open A; owned D A; open B; pick 1 A; fake; fake; all; reset 1; all 417",
     "icons 1, asked 1"},
    {"a window the hotkey hid with its dialog, let go of by its row during hide-all; a kill",
     "set LFW=0; armed; open A; owned D A; open B; pick 1 A; fake; fake; all; reset 1; kill; armed",
     "icons 1"},
    {"a window the hotkey hid, shown by its program, let go of by its row during hide-all, hidden "
     "by its program; a kill",
     "set LFW=0; armed; open A; open B; pick 1 A; fake; fake; all; shows A; reset 1; hides A; kill;"
     "armed",
     "hidden A, icons 1"},
    {"a window of hide-all's set, hidden with its dialog by the hotkey, shown by its program, let "
     "go of by its row",
     "set LFW=0; armed; open A; pick 1 A; all; shows A; owned D A; fake; fake; shows A; reset 1",
     "icons 1"},
    // The set's record of a window gone holds not the window given its handle.
    {"a window of hide-all's set closed, its handle given to a window the hotkey hid, let go of by "
     "its row; show-all",
     "set LFW=0; armed; open A; all; reuse A process; shows A; pick 1 A; fake; fake; reset 1; "
     "all 417",
     "icons 1, asked 1"},
    {"a window of hide-all's set closed, its handle given to a window the hotkey hid; show-all, "
     "then a kill",
     "set LFW=0; armed; open A; all; reuse A process; shows A; pick 1 A; fake; fake; all 417; kill;"
     "armed",
     "icons 1, asked 1"},
    {"a window two rows hold, let go by one", "hidden A; pick 2 A; pick 3 A; fake; fake; reset 2",
     "hidden A, icons 1, work --A"},
    {"a window two rows hold, let go by both, then hidden by its program; a kill",
     "open A; pick 2 A; pick 3 A; fake; fake; reset 2; reset 3; hides A; kill; armed",
     "hidden A, icons 1"},
};
INSTANTIATE_TEST_SUITE_P(FakeWork, StoryTest, ::testing::ValuesIn(kFakeWork), NameOf<Story>);

// Each hide is journaled before it happens, so that a kill at any moment
// leaves nothing hidden after the next start.
const Story kKill[] = {
    {"at a slot's record", "open A; killat 1; hide; armed", "icons 1"},
    {"at a slot's hide", "open A; killat 2; hide; armed", "icons 1"},
    {"at a slot's icon", "open A; killat 3; hide; armed", "icons 1"},
    {"after a slot's hide", "open A; hide; kill; armed", "icons 1"},
    {"at hide-all's second hide", "open A; open B; killat 3; all; armed", "icons 1"},
    {"after hide-all", "open A; open B; all; kill; armed", "icons 1"},
    {"at the fake work's second hide",
     "open A; open B; pick 1 A; pick 2 B; fake; killat 3; fake; armed", "icons 1"},
    {"at the fake work's second show",
     "hidden A; hidden B; pick 1 A; pick 2 B; fake; fake; killat 2; fake; armed", "icons 1"},
    // The windows come back before anything else of the start can fail.
    {"during the start, after the recovery", "open A; hide; kill; killat 2; armed", "none"},
    {"a second start reads no journal", "open A; all; second", "hidden A, asked 1, panel shown"},
};
INSTANTIATE_TEST_SUITE_P(Kill, StoryTest, ::testing::ValuesIn(kKill), NameOf<Story>);

// A hide whose record cannot be written does not happen, and the user is
// told; a show that cannot be recorded still happens, and is logged.
const Story kUnwritableJournal[] = {
    {"a slot", "open A; unwritable; hide", "icons 1, told 1"},
    {"hide-all", "open A; unwritable; all", "icons 1, told 1"},
    {"hide-all, pressed again", "open A; unwritable; all; all", "icons 1, told 2"},
    // The refused window's record is not kept for the next write.
    {"a slot, then another hide; a kill",
     "open A; unwritable; hide; writable; open B; hide; hides A; kill; armed",
     "hidden A, icons 1, told 1"},
    {"the fake work", "open A; pick 1 A; fake; unwritable; fake", "icons 1, told 1, work A--"},
    // Nothing to hide needs no record.
    {"the fake work, no window in its rows", "fill 1; unwritable; fake; fake", "hidden A, icons 2"},
    {"hide-all, no window to hide", "fill 1; unwritable; all", "hidden A, icons 2"},
    {"a slot's window shown again with a dialog",
     "open A; hide; shows A; owned D A; unwritable; front D; hide", "hidden A, icons 2"},
    {"a work window hide-all holds, let go of by its row",
     "set LFW=0; armed; open A; pick 1 A; fake; all; fake; unwritable; reset 1",
     "hidden A, icons 1, logged 1"},
    {"a work window hide-all holds, with a dialog opened since, let go of by its row",
     "set LFW=0; armed; open A; pick 1 A; all; shows A; owned D A; fake; fake; unwritable; reset 1",
     "icons 1, logged 1"},
    {"a window shown meanwhile", "fill 2; unwritable; icon 1",
     "hidden B, icons 2, asked 1, logged 1"},
};
INSTANTIATE_TEST_SUITE_P(UnwritableJournal, StoryTest, ::testing::ValuesIn(kUnwritableJournal),
                         NameOf<Story>);

// The crosshair takes the window under it; of two rows on one window, only
// the first other row's duplicate is refused. Arming empties a row whose
// title no window carries.
const Story kPicking[] = {
    {"two windows", "open A; open B; pick 1 A; pick 3 B", "icons 1, work A-B"},
    {"no window", "pick 1 -", "icons 1"},
    // Shown by the fake-work hotkey, the panel would bare the password.
    {"a window of ours", "open A; ours A; pick 1 A", "icons 1"},
    {"row 2 as row 1", "open A; pick 1 A; pick 2 A", "icons 1, told 1, work A--"},
    {"row 1 as row 2", "open A; pick 2 A; pick 1 A", "icons 1, told 1, work -A-"},
    {"row 3 as row 2, row 1 empty", "open A; pick 2 A; pick 3 A", "icons 1, work -AA"},
    {"row 2 as row 3", "open A; open B; pick 1 B; pick 3 A; pick 2 A", "icons 1, told 1, work BAA"},
    {"picked again", "open A; open B; pick 1 A; pick 1 B", "icons 1, work B--"},
    {"a title that starts with a blank", "open A; rename A  X; pick 1 A", "icons 1, work  X--"},
    {"a title of blanks only, none", "hidden A; rename A   ; pick 1 A; fake", "hidden A, icons 1"},
    {"a child window", "open A; child B A; pick 1 B", "icons 1"},
    // A title typed or pasted names the row's window, as the crosshair does.
    {"a title pasted over a pick", "open A; open B; pick 1 A; title 1 B; fake; fake",
     "hidden B, icons 1, work B--"},
    {"the row's own window named in another case",
     "open A; open B; rename B A; pick 1 A; title 1 a; fake; fake", "hidden A, icons 1, work a--"},
    {"a title of ours pasted, none", "open A; open B; ours B; pick 1 A; title 1 B", "icons 1"},
    // Hidden by the toggle, they would take every way back with them.
    {"the notification area and the desktop, none",
     "open T __winex11_standalone_tray; pick 1 T; open P Progman; pick 2 P; fake", "icons 1"},
    {"an untitled window in two rows, none", "untitled U; pick 1 U; pick 2 U", "icons 1"},
    {"while dragging", "open A; grab 2; hover A",
     "icons 1, crosshair 2 in hand, crosshair pointer, work -A-"},
    {"the pointer moved on after the drop", "open A; open B; pick 1 A; hover B",
     "icons 1, work A--"},
    {"renamed before arming", "set Note=1; start; open A; pick 1 A; rename A X; arm", "icons 1"},
};
INSTANTIATE_TEST_SUITE_P(Picking, StoryTest, ::testing::ValuesIn(kPicking), NameOf<Story>);

// Each message under its title; of a message of several lines, the last.
class MessageTest : public StoryTest {};

TEST_P(MessageTest, SaysWhatHappened) {
  Play(GetParam().steps);
  std::string told;
  for (const std::string& message : desktop.messageBoxes) {
    const std::size_t text = message.find(": ") + 2, last = message.rfind('\n');
    told += (told.empty() ? "" : " / ") + message.substr(0, text) +
            message.substr(last == std::string::npos ? text : last + 1);
  }
  EXPECT_EQ(told, GetParam().outcome);
}

const Story kMessages[] = {
    {"no hotkeys to arm with", "set HKa=; start; arm",
     "Nookshade PRO: The hotkeys have not been set"},
    {"a full quota", "armed; fill 10; open K; hide", "Nookshade: Sorry, quota full!!"},
    {"no window in front", "armed; front -; hide", "Nookshade: Not Valid window"},
    {"a hotkey in use, in each field's words",
     "start; key HKn 8; key HKn 75; key HKfw 8; key HKfw 32",
     "Hotkey In Use: This Hotkey is already in Use / Hotkey In Use: This hotkey is already in Use"},
    {"a help text, under the panel's caption", "start; help 3",
     "Nookshade Pro: The password you set will be prompted whenever you attempt to 'unhide' or "
     "'open' any of the windows you hide with Nookshade, so do not forget it!"},
    {"the same window in two rows", "armed; open A; pick 1 A; pick 2 A",
     "Nookshade PRO: You Have Already Selected The Same Window"},
    {"the same window as the second other row",
     "armed; open A; open B; pick 1 B; pick 3 A; pick 2 A",
     "Nookshade PRO: You Have Already Selected The Same Window"},
    {"the note, once the panel's icon is taken", "start; refuse 1; arm; seconds 1",
     "Nookshade Pro: Reminder: Press (Ctrl)h to hide a window"},
    {"icons refused for good, of two windows",
     "armed; fill 1; traygone 99; open B; hide; seconds 6",
     "Nookshade: The notification area did not take the icons of hidden windows, so those "
     "windows have been shown again."},
    {"an icon refused for good", "start; open A; refuse 6; hidenow; seconds 6",
     "Nookshade: The notification area did not take an icon for a hidden window, so that window "
     "has been shown again."},
    {"the panel's icon refused for good, at a start into the tray",
     "refuse 6; set Auto=1; start; seconds 6",
     "Nookshade: The notification area did not take Nookshade's icon, so its panel has been shown "
     "again."},
};
INSTANTIATE_TEST_SUITE_P(Messages, MessageTest, ::testing::ValuesIn(kMessages), NameOf<Story>);

// The note on arming, whole: where the program went, how to come back, and
// the hotkey that hides a window, as set (a key above 127 included).
TEST_F(SimTest, TheArmingNoteTellsWhereItWentAndWhichHotkeyHides) {
  Play("set HKn=(Alt)j\xC3\xA0; start; arm");
  EXPECT_EQ(desktop.messageBoxes,
            std::vector<std::string>{
                "Nookshade Pro: Nookshade is now running in your Taskbar Tray. Double click on it "
                "to re-open Nookshade.\r\n\r\nApplications you hide are also minimized to your "
                "taskbar tray. You are now protected with Nookshade.\r\n\r\nReminder: Press "
                "(Alt)j\xC3\xA0 to hide a window"});
}

// Shown in the rows' order, the last row's window ends in front.
TEST_F(SimTest, TheFakeWorkHotkeyLeavesTheLastRowsWindowInFront) {
  Play("armed; hidden A; hidden B; pick 1 A; pick 2 B; fake");
  EXPECT_EQ(desktop.GetForegroundWindow(), named["B"]);
}

TEST_F(SimTest, ASecondStartBringsTheShownPanelToTheFront) {
  Play("start; open A; second");
  EXPECT_EQ(desktop.GetForegroundWindow(), session.PanelWindow());
}

// A class name may hold any character; each window's record keeps its own.
TEST_F(SimTest, AKillBringsBackWindowsWhateverTheirClassNames) {
  Play("armed; open A; open B; open C");
  desktop.Find(named["A"])->className = "Line\nbreak";
  desktop.Find(named["B"])->className = "back\\slash\\";
  desktop.Find(named["C"])->className = "\\n";
  Play("all; kill; armed");
  EXPECT_EQ(Summary(), "icons 1");
}

struct Journal {
  const char* name;
  std::string text;
  bool shown;
  bool told;  // that windows may still be hidden
  sim::RegistryValue::Type type = sim::RegistryValue::Type::String;
};

class JournalTest : public SimTest, public ::testing::WithParamInterface<Journal> {};

TEST_P(JournalTest, TheNextStartShowsTheWindowsOfAReadableJournalAndTellsOfTheRest) {
  const WindowHandle window = desktop.AddWindow("Mail", false);
  std::string text = GetParam().text;
  if (const auto at = text.find("%h"); at != std::string::npos) {
    text.replace(at, 2, std::to_string(window));
  }
  desktop.StoreValue(SettingPath(kAppName, "Recovery"), "Windows", {GetParam().type, text});
  // Started into the tray, it takes the keyboard from no one.
  Set("Auto", "1");
  const WindowHandle front = desktop.AddWindow("Notes");
  desktop.SetForeground(front);
  bool shownWhenTold = false;  // those it could read are back before the word
  desktop.whileMessageBoxOpen = [&] { shownWhenTold = Visible(window); };
  session.Start();
  EXPECT_EQ(shownWhenTold, GetParam().shown && GetParam().told);
  EXPECT_EQ(desktop.GetForegroundWindow(), front);
  EXPECT_EQ(Visible(window), GetParam().shown);
  EXPECT_EQ(MessageCount(), GetParam().told);
  EXPECT_FALSE(desktop.Stores(SettingPath(kAppName, "Recovery"), "Windows"));
}

const Journal kTexts[] = {
    {"readable", "nookshade-journal 1\nA %h 4242 SimWindow", true, false},
    {"older format", "nookshade-journal 0\nA %h 4242 SimWindow", false, true},
    {"no blank after the way", "nookshade-journal 1\nS%h 4242 SimWindow", false, true},
    {"unknown way of hiding", "nookshade-journal 1\nX %h 4242 SimWindow", false, true},
    {"handle not a number", "nookshade-journal 1\nS h%h 4242 SimWindow", false, true},
    {"handle run into text", "nookshade-journal 1\nS %hx 4242 SimWindow", false, true},
    {"cut short", "nookshade-journal 1\nS %h", false, true},
    {"no records", "nookshade-journal 1", false, false},
    {"a damaged and a blank line before a readable one",
     "nookshade-journal 1\nX 1 2 Foo\n\nA %h 4242 SimWindow", true, true},
    {"a line of one letter", "nookshade-journal 1\nS", false, true},
    {"process not a number", "nookshade-journal 1\nS %h p SimWindow", false, true},
    {"very long", "nookshade-journal 1\n" + std::string(100000, '9'), false, true},
    {"empty", "", false, true},
    {"of another type", "\1\1\1\1", false, true, sim::RegistryValue::Type::Dword},
};
INSTANTIATE_TEST_SUITE_P(Texts, JournalTest, ::testing::ValuesIn(kTexts), NameOf<Journal>);

}  // namespace
}  // namespace nookshade::test
