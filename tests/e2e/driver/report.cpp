#include "report.h"

#include <windows.h>

#include "text.h"

namespace e2e {

Report::Report(const std::wstring& path) { file_ = _wfopen(path.c_str(), L"wb"); }

Report::~Report() {
  if (file_ != nullptr) std::fclose(file_);
}

void Report::Line(const std::string& line) {
  if (file_ != nullptr) {
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
  }
  // A copy on the console helps when watching a run; the file is the record.
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

bool Report::Check(std::string_view name, bool passed, std::string_view detail) {
  std::string line = passed ? "PASS " : "FAIL ";
  line.append(name);
  if (!passed) {
    ++failed_;
    line += ": ";
    line.append(detail.empty() ? std::string_view("failed") : detail);
  } else {
    ++passed_;
  }
  // One verdict per line, whatever the detail holds.
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  Line(line);
  return passed;
}

void Report::Summary() {
  Line(std::to_string(passed_) + " passed, " + std::to_string(failed_) + " failed");
}

}  // namespace e2e
