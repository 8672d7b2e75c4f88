#pragma once

#include "platform/system.h"
#include "platform/win32/unique_handles.h"

namespace nookshade::win32 {

class Win32System final : public System {
 public:
  std::string ModulePath() override;
  void Log(std::string_view line) override;
  bool ClaimSingleInstance() override;
  void WakeRunningInstance() override;

 private:
  UniqueKernelHandle instanceClaim_;
};

}  // namespace nookshade::win32
