#pragma once

#include <cstdint>

#include "platform/types.h"

namespace nookshade {

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // Bit 15: down now. Bit 0: pressed since this code's previous probe.
  virtual std::int16_t GetAsyncKeyState(int virtualKey) = 0;
  // The input clock, in milliseconds that wrap around: the time stamp of
  // the last input event (key, mouse button or move) and the time now.
  virtual std::uint32_t LastInputTime() = 0;
  virtual std::uint32_t TickCount() = 0;
  // From now on the window is told of every key and mouse-button event of
  // the session, whichever program it goes to (its view reports each to
  // Panel::InputArrived): those are the events that set press bits, so a
  // poller may sleep until one comes. Pointer moves need not be told.
  // Other programs lose nothing by it. False when the system cannot.
  virtual bool WatchInput(WindowHandle window) = 0;
};

}  // namespace nookshade
