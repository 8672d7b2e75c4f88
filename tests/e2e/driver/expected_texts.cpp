#include "expected_texts.h"

namespace e2e {
namespace {

constexpr ControlCaption kCaptions[] = {
    {ControlId::descriptionFrame, "descriptionFrame", L"Nookshade PRO"},
    {ControlId::description, "description",
     L"This is the Nookshade configuration panel. Here, you can set the password to unlock "
     L"windows hidden with Nookshade, set the hotkeys to hide windows and you can also set some "
     L"fake work to make it look like you are actually doing something legitimate!"},
    {ControlId::hidingHotkeysFrame, "hidingHotkeysFrame", L"Hotkeys To Hide Windows"},
    {ControlId::hideWindowHotkeyLabel, "hideWindowHotkeyLabel", L"Hotkey To Hide A Window"},
    {ControlId::resetHideWindowHotkey, "resetHideWindowHotkey", L"Reset"},
    {ControlId::hideAllHotkeyLabel, "hideAllHotkeyLabel", L"Hotkey To Hide/Show All Windows"},
    {ControlId::resetHideAllHotkey, "resetHideAllHotkey", L"Reset"},
    {ControlId::fakeWorkFrame, "fakeWorkFrame", L"Fake Work"},
    {ControlId::fakeWorkHotkeyLabel, "fakeWorkHotkeyLabel", L"Hotkey:"},
    {ControlId::resetFakeWorkHotkey, "resetFakeWorkHotkey", L"Reset"},
    {ControlId::fakeWork1Label, "fakeWork1Label", L"Fake Work #1:"},
    {ControlId::fakeWork2Label, "fakeWork2Label", L"Fake Work #2:"},
    {ControlId::fakeWork3Label, "fakeWork3Label", L"Fake Work #3:"},
    {ControlId::resetFakeWork1, "resetFakeWork1", L"Reset"},
    {ControlId::resetFakeWork2, "resetFakeWork2", L"Reset"},
    {ControlId::resetFakeWork3, "resetFakeWork3", L"Reset"},
    {ControlId::crosshairHint, "crosshairHint",
     L"Select any window by it's titlebar with the crosshair"},
    {ControlId::showFakeWorkWithHideAll, "showFakeWorkWithHideAll",
     L"Open fake work automatically when you hide all windows"},
    {ControlId::passwordFrame, "passwordFrame", L"Unlock Windows Password"},
    {ControlId::autoStart, "autoStart", L"Start Nookshade Automatically"},
    {ControlId::loginStart, "loginStart", L"Start Nookshade When You Login"},
    {ControlId::noNotification, "noNotification",
     L"Do Not Show Notification Message When Starting Nookshade"},
    {ControlId::startButton, "startButton", L"Start Nookshade"},
};

constexpr HelpItem kHelp[] = {
    {ControlId::menuHelpAbout, L"How Does Nookshade Work",
     L"Nookshade is the ultimate tool for you if you want privacy and comfort when using a "
     L"PC. Nookshade offers three main features:\r\n"
     L"\r\n"
     L"1. Nookshade has a password protection system for the windows you hide. This means "
     L"that when you try to 'unhide' a window, you will be prompted with a password box; "
     L"If anyone else tries to open your hidden windows, they will need to know your "
     L"password first.\r\n"
     L"2. Nookshade has two main choices when it comes to hiding windows. You can choose "
     L"to hide the window you are currently on, or all windows on your screen, both via a "
     L"hotkey.\r\n"
     L"3. Lastly, Nookshade has a feature no other windows hide programs possess; Fake "
     L"work.\r\n"
     L"Fake work is an awesome feature that allows you to magically appear to be doing "
     L"work; With just a single hotkey, your games are gone, and your 'work' magically "
     L"appears out of nowhere!"},
    {ControlId::menuHelpHotkeys, L"How to Set Hotkeys",
     L"To set hotkeys, click on the textbox under the specific hotkey action and then "
     L"press the keys for your hotkey.\r\n"
     L"For example, if you want to set 'Ctrl H' to hide all windows, click on the textbox "
     L"below 'Hotkey to Hide/Show All Windows' and press Ctrl and H.\r\n"
     L"Unlike other windows hide tools, Nookshade allows ANY hotkeys! This means that you "
     L"are not limited to only system keys, Nookshade allows you complete freedom. You can "
     L"set hotkeys such as 'HideAllWindows', 'OpenFakeWork', 'HideWindow' and so on."},
    {ControlId::menuHelpPassword, L"Hot to Set a Password",
     L"To set a password, click on the textbox under 'Unlock Windows Password' and type "
     L"your password. If you do not want to set a password, then leave the password "
     L"textbox blank or delete the existing password. If you do so, you will not be "
     L"prompted for a password everytime you attempt to open a window you hid with "
     L"Nookshade.\r\n"
     L"\r\n"
     L"The password you set will be prompted whenever you attempt to 'unhide' or 'open' "
     L"any of the windows you hide with Nookshade, so do not forget it!"},
    {ControlId::menuHelpFakeWork, L"How to Set Fake Work",
     L"Under 'Fake Work', there are three textboxes. This means that you can select up to "
     L"three windows as Fake Work.\r\n"
     L"To select a window as Fake Work, drag the 'crosshair', on the right of the specific "
     L"Fake Work textbox, and point it to the titlebar any window on your screen.\r\n"
     L"Whenever you press the hotkey you set for Fake Work, the windows that you have "
     L"selected as Fake Work will be shown. To hide them, press the hotkey again."},
    {ControlId::menuHelpStarting, L"How to Start Nookshade",
     L"Nookshade will only hide your windows after you click the big button on the bottom "
     L"right corner; 'Start Nookshade'.\r\n"
     L"In case you want to change the password, the hotkeys, the fakework and so on, you "
     L"will need to do double click on the Nookshade icon on the taskbar tray to reopen "
     L"Nookshade."},
    {ControlId::menuHelpOptions, L"Advanced Options",
     L"Nookshade offers four advanced options:\r\n"
     L"\r\n"
     L"1. You can set Nookshade to start automatically instead of showing you the "
     L"configuration panel everytime you run Nookshade by checking 'Start Nookshade "
     L"Automatically'\r\n"
     L"2. By checking 'Start Nookshade When You Login', you can set Nookshade to run when "
     L"you login, saving you the time to manually run it from your desktop or start menu.\r\n"
     L"3. If you want to hide all the windows on your screen and then show some fake work, "
     L"check 'Open Fake Work If All Windows Are Hidden'.\r\n"
     L"4. If you do not want to see the notification messagebox everytime you press 'Start "
     L"Nookshade', check 'Do Not Show Notification Message When Starting Nookshade'."},
};

}  // namespace

std::span<const ControlCaption> PanelCaptions() { return kCaptions; }
std::span<const HelpItem> HelpItems() { return kHelp; }

}  // namespace e2e
