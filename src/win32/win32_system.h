#pragma once

#include "platform/system.h"
#include "win32/unique_handles.h"

namespace nookshade::win32 {

class Win32System final : public System {
 public:
  std::string ModulePath() override;
  void Log(std::string_view line) override;
  // What every boundary where Windows calls us says of a failure it caught
  // and skipped: one line in the debug log.
  static void LogCaught(const char* where) noexcept;
  bool ClaimSingleInstance() override;
  std::uint32_t CurrentProcessId() override { return ::GetCurrentProcessId(); }
  void WakeRunningInstance() override;

 private:
  UniqueKernelHandle instanceClaim_;
};

}  // namespace nookshade::win32
