#pragma once

#include "platform/registry.h"

namespace nookshade::win32 {

class Win32Registry final : public Registry {
 public:
  std::int32_t CreateKey(std::string_view path, RegistryKey& key) override;
  std::int32_t OpenKey(std::string_view path, RegistryKey& key, bool write) override;
  std::int32_t QueryString(RegistryKey key, std::string_view name, std::string& value) override;
  std::int32_t SetString(RegistryKey key, std::string_view name, std::string_view value) override;
  std::int32_t DeleteValue(RegistryKey key, std::string_view name) override;
  void CloseKey(RegistryKey key) override;
  std::string DescribeStatus(std::int32_t status) override;
};

}  // namespace nookshade::win32
