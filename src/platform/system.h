#pragma once
// Process-level services: module loading and common-controls set-up for
// start-up, and where the running program lives.

#include <cstdint>
#include <string>
#include <string_view>

namespace nookshade {

using ModuleHandle = std::uintptr_t;

class System {
 public:
  virtual ~System() = default;
  virtual ModuleHandle LoadLibrary(std::string_view name) = 0;
  virtual void FreeLibrary(ModuleHandle module) = 0;
  virtual bool InitCommonControlsEx(std::uint32_t classes) = 0;
  virtual void InitCommonControls() = 0;
  // Full path of the running program, UTF-8, with Windows separators.
  virtual std::string ModulePath() = 0;
  // A line for whoever watches the program (a debugger, a log viewer).
  virtual void Log(std::string_view line) = 0;
  // Whether this is the only Nookshade of the user's session; the claim
  // lasts as long as the process.
  virtual bool ClaimSingleInstance() = 0;
  // Asks the Nookshade that holds the claim to bring its panel forward.
  virtual void WakeRunningInstance() = 0;
  // The process every window of the program belongs to.
  virtual std::uint32_t CurrentProcessId() = 0;
};

}  // namespace nookshade
