#include "app/help_texts.h"

#include <initializer_list>
#include <string_view>

namespace nookshade {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

}  // namespace

std::optional<std::string> HelpText(ControlId menuItem) {
  switch (menuItem) {
    case ControlId::menuHelpAbout:
      return Join({
          "Nookshade is the ultimate tool for you if you want privacy and comfort when using a "
          "PC. Nookshade offers three main features:",
          kCrLf,
          kCrLf,
          "1. Nookshade has a password protection system for the windows you hide. This means "
          "that when you try to 'unhide' a window, you will be prompted with a password box; If "
          "anyone else tries to open your hidden windows, they will need to know your password "
          "first.",
          kCrLf,
          "2. Nookshade has two main choices when it comes to hiding windows. You can choose to "
          "hide the window you are currently on, or all windows on your screen, both via a hotkey.",
          kCrLf,
          "3. Lastly, Nookshade has a feature no other windows hide programs possess; Fake work.",
          kCrLf,
          "Fake work is an awesome feature that allows you to magically appear to be doing work; "
          "With just a single hotkey, your games are gone, and your 'work' magically appears out "
          "of nowhere!",
      });
    case ControlId::menuHelpHotkeys:
      return Join({
          "To set hotkeys, click on the textbox under the specific hotkey action and then press "
          "the keys for your hotkey.",
          kCrLf,
          "For example, if you want to set 'Ctrl H' to hide all windows, click on the textbox "
          "below 'Hotkey to Hide/Show All Windows' and press Ctrl and H.",
          kCrLf,
          "Unlike other windows hide tools, Nookshade allows ANY hotkeys!",
          " This means that you are not limited to only system keys, Nookshade allows you "
          "complete freedom.",
          " You can set hotkeys such as 'HideAllWindows', 'OpenFakeWork', 'HideWindow' and so on.",
      });
    case ControlId::menuHelpPassword:
      return Join({
          "To set a password, click on the textbox under 'Unlock Windows Password' and type your "
          "password. If you do not want to set a password, then leave the password textbox blank "
          "or delete the existing password. If you do so, you will not be prompted for a password "
          "everytime you attempt to open a window you hid with Nookshade.",
          kCrLf,
          kCrLf,
          "The password you set will be prompted whenever you attempt to 'unhide' or 'open' any "
          "of the windows you hide with Nookshade, so do not forget it!",
      });
    case ControlId::menuHelpFakeWork:
      return Join({
          "Under 'Fake Work', there are three textboxes. This means that you can select up to "
          "three windows as Fake Work.",
          kCrLf,
          "To select a window as Fake Work, drag the 'crosshair', on the right of the specific "
          "Fake Work textbox, and point it to the titlebar any window on your screen.",
          kCrLf,
          "Whenever you press the hotkey you set for Fake Work, the windows that you have "
          "selected as Fake Work will be shown. To hide them, press the hotkey again.",
      });
    case ControlId::menuHelpStarting:
      return Join({
          "Nookshade will only hide your windows after you click the big button on the bottom "
          "right corner; 'Start Nookshade'.",
          kCrLf,
          "In case you want to change the password, the hotkeys, the fakework and so on, you will "
          "need to do double click on the Nookshade icon on the taskbar tray to reopen Nookshade.",
      });
    case ControlId::menuHelpOptions:
      return Join({
          "Nookshade offers four advanced options:",
          kCrLf,
          kCrLf,
          "1. You can set Nookshade to start automatically instead of showing you the "
          "configuration panel everytime you run Nookshade by checking 'Start Nookshade "
          "Automatically'",
          kCrLf,
          "2. By checking 'Start Nookshade When You Login', you can set Nookshade to run when you "
          "login, saving you the time to manually run it from your desktop or start menu.",
          kCrLf,
          "3. If you want to hide all the windows on your screen and then show some fake work, "
          "check 'Open Fake Work If All Windows Are Hidden'.",
          kCrLf,
          "4. If you do not want to see the notification messagebox everytime you press 'Start "
          "Nookshade', check 'Do Not Show Notification Message When Starting Nookshade'.",
      });
    default:
      return std::nullopt;
  }
}

}  // namespace nookshade
