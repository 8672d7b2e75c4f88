#pragma once
// Process-level services: where the running program lives, its log, and
// its one instance per session.

#include <cstdint>
#include <string>
#include <string_view>

namespace nookshade {

class System {
 public:
  virtual ~System() = default;
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
