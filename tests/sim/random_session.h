#pragma once
// Random runs of the program on the simulated desktop, for the property test
// (seeded) and the fuzz target (fed by the fuzzer): user and system events one
// after another, each followed by the check that no window the program hid
// is without a way back.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "sim_session.h"

namespace nookshade::sim {

class RandomSession {
 public:
  // A number in [0, bound); `pick` decides every choice of the run.
  using Pick = std::function<std::uint32_t(std::uint32_t bound)>;
  explicit RandomSession(Pick pick);
  RandomSession(const RandomSession&) = delete;
  RandomSession& operator=(const RandomSession&) = delete;

  // One event, then the check. Returns what broke, or "" when all is well.
  std::string Step();
  // Closes the program and checks that it gave back everything.
  std::string Finish();
  // What happened so far, one event a line.
  const std::string& Story() const { return story_; }

 private:
  void Event(int depth);
  std::string Check();
  void Press(std::initializer_list<int> keys);
  WindowHandle AnyWindow();
  std::string Answer();
  void Restart();

  Pick pick_;
  SimDesktop desktop_;
  std::unique_ptr<SimSession> session_;
  std::vector<WindowHandle> windows_;     // other programs' windows
  std::set<WindowHandle> hiddenByOwner_;  // hidden by their own program
  std::string story_;
  bool sessionEnded_ = false;
};

}  // namespace nookshade::sim
