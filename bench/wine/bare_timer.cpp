// The floor: the poll timer alone, with an empty tick.

#include "bare_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return bare::Run(instance, L"BareTimer", [] {});
}
