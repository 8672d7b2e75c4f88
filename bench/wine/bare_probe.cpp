// The poll timer with nookshade's scan and nothing else: every tick asks
// GetAsyncKeyState for each key code 1 to 255, as an ungated poller would.
//
// --hide-foreground-on VK: a new press of that key hides the window in
// front, as the hide-a-window hotkey does. It is the reference for the
// latency measurement: the earliest a polling program can see a key and
// hide a window.

#include <cwchar>

#include "bare_window.h"

namespace {

// Down now and pressed since the previous probe, as the poller compares it.
constexpr SHORT kNewPress = -32767;
int reactKey = 0;

void Probe() {
  for (int code = 1; code <= 255; ++code) {
    if (GetAsyncKeyState(code) == kNewPress && code == reactKey) {
      ShowWindow(GetForegroundWindow(), SW_HIDE);
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (const wchar_t* key = bare::Option(L"--hide-foreground-on")) {
    reactKey = static_cast<int>(std::wcstol(key, nullptr, 10));
  }
  return bare::Run(instance, L"BareProbe", Probe);
}
