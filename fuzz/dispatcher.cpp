// The armed program under any key codes going down and up between poll
// ticks, with any hotkeys and password, windows coming and going, the shell
// refusing icons, and any answers at the prompt.

#include "fuzz_run.h"
#include "hotkeys/hotkey_text.h"

using namespace nookshade;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  sim::SimDesktop desktop;
  for (const SettingKey& key : {setting::kHideWindowHotkey, setting::kHideAllHotkey,
                                setting::kFakeWorkHotkey, setting::kPassword}) {
    fuzz::StoreAnything(in, desktop, key);
  }
  fuzz::Store(desktop, setting::kAutoStart, "1");
  sim::SimSession session(desktop);
  session.Start();
  // Modal windows run message loops of their own, in which the poll timer
  // goes on ticking.
  desktop.whilePasswordPromptOpen = [&] { desktop.FireTimer(TimerId::HotkeyPoll); };
  desktop.whileMessageBoxOpen = [&](const auto&) { desktop.FireTimer(TimerId::HotkeyPoll); };
  // The desktop's window, which the shell names; it may come in front too.
  desktop.shellWindow = desktop.AddWindow("Program Manager");
  std::vector<WindowHandle> windows = {desktop.shellWindow};
  std::vector<WindowHandle> shown = windows;
  const auto pick = [&] {
    return windows[in.ConsumeIntegralInRange<std::size_t>(0, windows.size() - 1)];
  };
  // Random codes rarely spell a hotkey; a key of one of them often does.
  const auto key = [&] {
    if (in.ConsumeBool()) return fuzz::Near(in, 255);
    const TextBox* field = in.PickValueInArray(
        {&session.panel().Text2, &session.panel().Text3, &session.panel().fwhk});
    const std::string keys = hotkey::KeyString(field->Text());
    if (keys.empty()) return 0;
    const auto at = in.ConsumeIntegralInRange<std::size_t>(0, keys.size() - 1);
    return static_cast<int>(static_cast<unsigned char>(keys[at]));
  };
  while (in.remaining_bytes() > 0) {
    switch (in.ConsumeIntegralInRange(0, 7)) {
      case 0:
        desktop.PressKey(key());
        break;
      case 1:
        desktop.ReleaseKey(key());
        break;
      case 2:
        desktop.FireTimer(TimerId::HotkeyPoll);
        break;
      case 3:
        windows.push_back(fuzz::AddWindow(in, desktop, shown));
        break;
      case 4:
        if (!windows.empty()) desktop.SetForeground(pick());
        break;
      case 5:
        desktop.passwordAnswers.push_back(fuzz::Answer(in, session.state()));
        break;
      case 6:
        desktop.failTrayAdds = in.ConsumeIntegralInRange(0, 6);
        desktop.FireTimer(TimerId::TrayRetry);
        break;
      default:
        if (!windows.empty()) desktop.DestroyWindow(pick());
        break;
    }
    fuzz::CheckIcons(session, desktop);
    // Hide-all takes the desktop's window along with every other titled
    // one; nothing else may hide it.
    fuzz::Require(!desktop.IsWindow(desktop.shellWindow) ||
                      desktop.IsWindowVisible(desktop.shellWindow) ||
                      session.panel().hideAll().AllHidden,
                  "the shell's own windows are hidden only with everything else");
  }
  fuzz::CloseAndCheck(session, desktop, shown);
  return 0;
}
