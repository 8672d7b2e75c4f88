#pragma once
// The run's verdicts: one line per check, "PASS name" or "FAIL name: detail",
// and one closing line "N passed, N failed". Each line is flushed as it is
// written, so a run that is killed still leaves its verdicts behind.

#include <cstdio>
#include <string>
#include <string_view>

namespace e2e {

class Report {
 public:
  explicit Report(const std::wstring& path);
  ~Report();
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // Returns `passed` so that callers can stop a scenario on a failed step.
  bool Check(std::string_view name, bool passed, std::string_view detail = {});
  void Summary();
  int failed() const { return failed_; }

 private:
  void Line(const std::string& line);

  std::FILE* file_ = nullptr;
  int passed_ = 0;
  int failed_ = 0;
};

// Prefixes every check of one scenario with the scenario's name.
class Checker {
 public:
  Checker(Report& report, std::string scenario) : report_(report), scenario_(std::move(scenario)) {}
  bool Check(std::string_view name, bool passed, std::string_view detail = {}) {
    return report_.Check(scenario_ + "." + std::string(name), passed, detail);
  }
  const std::string& scenario() const { return scenario_; }

 private:
  Report& report_;
  std::string scenario_;
};

}  // namespace e2e
