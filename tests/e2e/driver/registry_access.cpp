#include "registry_access.h"

#include <windows.h>

#include <vector>

namespace e2e {

std::wstring SettingsKey(const std::wstring& section) {
  return std::wstring(kSettingsRoot) + L"\\" + section;
}

std::optional<std::wstring> ReadString(const std::wstring& key, const std::wstring& name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::optional<std::wstring> result;
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      type == REG_SZ) {
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(handle, name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS) {
      std::wstring value(buffer.data(), size / sizeof(wchar_t));
      // The stored terminator is not part of the text.
      while (!value.empty() && value.back() == L'\0') value.pop_back();
      result = value;
    }
  }
  RegCloseKey(handle);
  return result;
}

bool WriteString(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  const bool ok =
      RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     bytes) == ERROR_SUCCESS;
  RegCloseKey(handle);
  return ok;
}

bool DeleteValue(const std::wstring& key, const std::wstring& name) {
  HKEY handle = nullptr;
  const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &handle);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  const LONG deleted = RegDeleteValueW(handle, name.c_str());
  RegCloseKey(handle);
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

bool ForgetSettings() {
  const LONG tree = RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsRoot);
  const bool settingsGone = tree == ERROR_SUCCESS || tree == ERROR_FILE_NOT_FOUND;
  return DeleteValue(kRunKey, L"nookshade") && settingsGone;
}

}  // namespace e2e
