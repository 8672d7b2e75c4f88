#include "win32/panel_layout.h"

#include <array>

namespace nookshade::win32 {
namespace {

using enum ControlKind;
using Id = ControlId;

constexpr int kTwipsPerInch = 1440;

// Two columns: description, hotkeys and the password on the left; fake
// work (its rows as first laid out) on the right; the options and the
// start button along the bottom.
constexpr int kMargin = 120;
constexpr int kLeftWidth = 4440;
constexpr int kRightLeft = 4680;
constexpr int kRightWidth = 5415;
constexpr int kClientWidth = kRightLeft + kRightWidth + kMargin;
constexpr int kOptionsTop = 3375;
constexpr int kOptionPitch = 285;
constexpr int kClientHeight = kOptionsTop + 3 * kOptionPitch + kMargin;

// Fake-work rows inside fakeWorkFrame: the field wide enough for its
// placeholder, "[Fake Work Window Not Selected]", whole.
constexpr int kRowTops[] = {480, 840, 1200};
constexpr int kHotkeyRowTop = 1560;
constexpr int kRowFieldWidth = 2895;
constexpr int kRowReset = 1320 + kRowFieldWidth + 105;
constexpr int kRowCrosshair = kRowReset + 615 + 105;

constexpr std::array kControls = std::to_array<PanelControl>({
    {Id::description, Label,
     L"This is the Nookshade configuration panel. Here, you can set the password to unlock "
     L"windows hidden with Nookshade, set the hotkeys to hide windows and you can also set some "
     L"fake work to make it look like you are actually doing something legitimate!",
     Id::descriptionFrame, 120, 270, 4200, 1140},

    {Id::hideWindowHotkeyLabel, Label, L"Hotkey To Hide A Window", Id::hidingHotkeysFrame, 120, 255,
     3135, 210},
    {Id::hideWindowHotkey, HotkeyField, L"", Id::hidingHotkeysFrame, 120, 480, 3135, 285},
    {Id::resetHideWindowHotkey, Button, L"Reset", Id::hidingHotkeysFrame, 3360, 480, 855, 255},
    {Id::hideAllHotkeyLabel, Label, L"Hotkey To Hide/Show All Windows", Id::hidingHotkeysFrame, 120,
     855, 3135, 210},
    {Id::hideAllHotkey, HotkeyField, L"", Id::hidingHotkeysFrame, 120, 1080, 3135, 285},
    {Id::resetHideAllHotkey, Button, L"Reset", Id::hidingHotkeysFrame, 3360, 1080, 855, 255},

    {Id::crosshairHint, Label, L"Select any window by it's titlebar with the crosshair",
     Id::fakeWorkFrame, 120, 200, 5055, 255},
    {Id::fakeWork1Label, Label, L"Fake Work #1:", Id::fakeWorkFrame, 120, kRowTops[0], 1095, 255},
    {Id::fakeWork1, TextBox, L"", Id::fakeWorkFrame, 1320, kRowTops[0], kRowFieldWidth, 285},
    {Id::resetFakeWork1, Button, L"Reset", Id::fakeWorkFrame, kRowReset, kRowTops[0], 615, 255},
    {Id::crosshair1, Crosshair, L"", Id::fakeWorkFrame, kRowCrosshair, kRowTops[0], 255, 255},
    {Id::fakeWork2Label, Label, L"Fake Work #2:", Id::fakeWorkFrame, 120, kRowTops[1], 1095, 255},
    {Id::fakeWork2, TextBox, L"", Id::fakeWorkFrame, 1320, kRowTops[1], kRowFieldWidth, 285},
    {Id::resetFakeWork2, Button, L"Reset", Id::fakeWorkFrame, kRowReset, kRowTops[1], 615, 255},
    {Id::crosshair2, Crosshair, L"", Id::fakeWorkFrame, kRowCrosshair, kRowTops[1], 255, 255},
    {Id::fakeWork3Label, Label, L"Fake Work #3:", Id::fakeWorkFrame, 120, kRowTops[2], 1095, 255},
    {Id::fakeWork3, TextBox, L"", Id::fakeWorkFrame, 1320, kRowTops[2], kRowFieldWidth, 285},
    {Id::resetFakeWork3, Button, L"Reset", Id::fakeWorkFrame, kRowReset, kRowTops[2], 615, 255},
    {Id::crosshair3, Crosshair, L"", Id::fakeWorkFrame, kRowCrosshair, kRowTops[2], 255, 255},
    // The fake-work hotkey lines up with the rows above it.
    {Id::fakeWorkHotkeyLabel, Label, L"Hotkey:", Id::fakeWorkFrame, 120, kHotkeyRowTop, 1095, 255},
    {Id::fakeWorkHotkey, HotkeyField, L"", Id::fakeWorkFrame, 1320, kHotkeyRowTop, kRowFieldWidth,
     285},
    {Id::resetFakeWorkHotkey, Button, L"Reset", Id::fakeWorkFrame, kRowReset, kHotkeyRowTop, 615,
     255},
    {Id::showFakeWorkWithHideAll, CheckBox,
     L"Open fake work automatically when you hide all windows", Id::fakeWorkFrame, 120, 1890, 5175,
     240},

    {Id::password, TextBox, L"", Id::passwordFrame, 120, 330, 5175, 285},

    {Id::autoStart, CheckBox, L"Start Nookshade Automatically", kNoFrame, kMargin, kOptionsTop,
     5400, 240},
    {Id::loginStart, CheckBox, L"Start Nookshade When You Login", kNoFrame, kMargin,
     kOptionsTop + kOptionPitch, 5400, 240},
    {Id::noNotification, CheckBox, L"Do Not Show Notification Message When Starting Nookshade",
     kNoFrame, kMargin, kOptionsTop + 2 * kOptionPitch, 5400, 240},
    {Id::startButton, StartButton, L"Start Nookshade", kNoFrame, kClientWidth - kMargin - 2400,
     kOptionsTop, 2400, 3 * kOptionPitch - 45},

    // Never shown: they carry values between the panel's handlers.

    {Id::descriptionFrame, Frame, L"Nookshade PRO", kNoFrame, kMargin, 60, kLeftWidth, 1530},
    {Id::hidingHotkeysFrame, Frame, L"Hotkeys To Hide Windows", kNoFrame, kMargin, 1665, kLeftWidth,
     1530},
    {Id::fakeWorkFrame, Frame, L"Fake Work", kNoFrame, kRightLeft, 60, kRightWidth, 2175},
    {Id::passwordFrame, Frame, L"Unlock Windows Password", kNoFrame, kRightLeft, 2340, kRightWidth,
     855},
});

}  // namespace

std::span<const PanelControl> PanelControls() { return kControls; }

const PanelControl* FindPanelControl(ControlId id) {
  for (const PanelControl& entry : kControls) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

SIZE PanelClientTwips() { return {kClientWidth, kClientHeight}; }

int TwipsToPixels(int twips, int dpi) { return ::MulDiv(twips, dpi, kTwipsPerInch); }

RECT ControlRect(const PanelControl& entry, int dpi) {
  int left = entry.left;
  int top = entry.top;
  if (const PanelControl* frame = FindPanelControl(entry.frame)) {
    left += frame->left;
    top += frame->top;
  }
  return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(left + entry.width, dpi),
          TwipsToPixels(top + entry.height, dpi)};
}

}  // namespace nookshade::win32
