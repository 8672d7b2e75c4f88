// Any message with any identifiers at the panel's window procedure, also
// from inside the password prompt's message loop, where the session may end:
// every message reaches the panel, and the run still gives back all it took.

#include "fuzz_run.h"
#include "hiding/tray_icons.h"
#include "text/numbers.h"

using namespace nookshade;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  sim::SimDesktop desktop;
  fuzz::StoreAnything(in, desktop, setting::kPassword);
  fuzz::StoreAnything(in, desktop, setting::kAutoStart);
  sim::SimSession session(desktop);
  session.Start();
  Panel& panel = session.panel();
  const WindowHandle panelWindow = session.PanelWindow();
  std::vector<WindowHandle> shown;
  for (int i = in.ConsumeIntegralInRange(0, 12); i > 0; --i) {
    panel.Text1.SetText(text::FormatHex32(fuzz::AddWindow(in, desktop, shown)));
    panel.Clicked(ControlId::Command1);
  }
  std::size_t sent = 0;
  bool unloaded = false;
  const auto send = [&] {
    const auto message =
        in.ConsumeBool() ? kTrayCallbackMessage : in.ConsumeIntegral<std::uint32_t>();
    const auto wParam = fuzz::Near<std::uintptr_t>(in, kSlotCount);
    const auto lParam = in.ConsumeBool() ? kTrayDoubleClick : in.ConsumeIntegral<std::intptr_t>();
    ++sent;
    desktop.SendMessage(panelWindow, message, wParam, lParam);
  };
  desktop.whilePasswordPromptOpen = [&] {
    switch (in.ConsumeIntegralInRange(0, 2)) {
      case 1:
        send();
        break;
      case 2:
        // The session ends.
        if (!std::exchange(unloaded, true)) panel.Form_Unload();
        break;
      default:
        break;
    }
  };
  while (in.remaining_bytes() > 0) {
    if (in.ConsumeBool()) desktop.passwordAnswers.push_back(fuzz::Answer(in, session.state()));
    send();
    fuzz::CheckIcons(session, desktop);
  }
  fuzz::Require(desktop.Find(panelWindow)->received.size() == sent,
                "every message reaches the panel's own procedure");
  fuzz::CloseAndCheck(session, desktop, shown, unloaded);
  return 0;
}
