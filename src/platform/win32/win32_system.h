#pragma once

#include "platform/system.h"

namespace nookshade::win32 {

class Win32System final : public System {
 public:
  ModuleHandle LoadLibrary(std::string_view name) override;
  void FreeLibrary(ModuleHandle module) override;
  bool InitCommonControlsEx(std::uint32_t classes) override;
  void InitCommonControls() override;
  std::string ModulePath() override;
};

}  // namespace nookshade::win32
