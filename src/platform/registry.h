#pragma once
// The current user's registry hive. Paths are relative to HKEY_CURRENT_USER;
// names and data are UTF-8. Every call returns the registry's status code
// (0 on success) so that callers can report it.

#include <cstdint>
#include <string>
#include <string_view>

namespace nookshade {

using RegistryKey = std::uintptr_t;

namespace registry_status {
inline constexpr std::int32_t kSuccess = 0;
inline constexpr std::int32_t kFileNotFound = 2;
inline constexpr std::int32_t kAccessDenied = 5;
inline constexpr std::int32_t kInvalidData = 13;
inline constexpr std::int32_t kUnsupportedType = 1630;
}  // namespace registry_status

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens for writing, creating the key and its parents when missing.
  virtual std::int32_t CreateKey(std::string_view path, RegistryKey& key) = 0;
  // Opens an existing key for reading, or also for writing (setting and
  // deleting values: a key opened for reading refuses both).
  virtual std::int32_t OpenKey(std::string_view path, RegistryKey& key, bool write = false) = 0;
  // kUnsupportedType when the value exists but is not a string.
  virtual std::int32_t QueryString(RegistryKey key, std::string_view name, std::string& value) = 0;
  virtual std::int32_t SetString(RegistryKey key, std::string_view name,
                                 std::string_view value) = 0;
  virtual std::int32_t DeleteValue(RegistryKey key, std::string_view name) = 0;
  virtual void CloseKey(RegistryKey key) = 0;
  // The system's own wording for a status code, or "".
  virtual std::string DescribeStatus(std::int32_t status) = 0;
};

// Closes the key it opened, whatever way the caller leaves.
class ScopedKey {
 public:
  explicit ScopedKey(Registry& registry) : registry_(registry) {}
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ~ScopedKey() {
    if (open_) registry_.CloseKey(key_);
  }
  std::int32_t Open(std::string_view path, bool write = false) {
    return Track(registry_.OpenKey(path, key_, write));
  }
  std::int32_t Create(std::string_view path) { return Track(registry_.CreateKey(path, key_)); }
  RegistryKey Get() const { return key_; }

 private:
  std::int32_t Track(std::int32_t status) {
    open_ = status == registry_status::kSuccess;
    return status;
  }
  Registry& registry_;
  RegistryKey key_ = 0;
  bool open_ = false;
};

}  // namespace nookshade
