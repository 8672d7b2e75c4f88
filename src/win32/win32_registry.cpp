#include "win32/win32_registry.h"

#include <limits>
#include <vector>

#include "win32/wide_text.h"
#include "win32/win32_api.h"

namespace nookshade::win32 {
namespace {

// Settings are a few words long; the longest value is the recovery journal
// of a hide-all, a line for each window, some 300 characters at most. A
// value beyond this, room for thousands of such lines, is damage, not data,
// and is reported as such instead of being loaded into a text box.
constexpr DWORD kMaxStringBytes = 1024 * 1024;
// Another program may rewrite the value between the size query and the
// read; a few retries cover that without looping forever.
constexpr int kReadAttempts = 4;

HKEY ToHkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

bool IsString(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Registry strings are only conventionally terminated: the data may lack
// its NUL, hold an odd byte count, or carry text after an early NUL. The
// text is what precedes the first NUL within the whole code units.
std::wstring StringFromData(const std::vector<BYTE>& data, DWORD bytes) {
  const std::size_t units = bytes / sizeof(wchar_t);
  std::wstring text(units, L'\0');
  for (std::size_t i = 0; i < units; ++i) {
    text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  if (const auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
  return text;
}

}  // namespace

std::int32_t Win32Registry::CreateKey(std::string_view path, RegistryKey& key) {
  const std::wstring wide = Widen(path);
  HKEY created = nullptr;
  const LSTATUS status =
      ::RegCreateKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &created, nullptr);
  key = status == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(created) : 0;
  return status;
}

std::int32_t Win32Registry::OpenKey(std::string_view path, RegistryKey& key, bool write) {
  const std::wstring wide = Widen(path);
  HKEY opened = nullptr;
  const LSTATUS status = ::RegOpenKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0,
                                         write ? KEY_READ | KEY_WRITE : KEY_READ, &opened);
  key = status == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(opened) : 0;
  return status;
}

std::int32_t Win32Registry::QueryString(RegistryKey key, std::string_view name,
                                        std::string& value) {
  const std::wstring wideName = Widen(name);
  DWORD type = 0;
  DWORD bytes = 0;
  LSTATUS status =
      ::RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type, nullptr, &bytes);
  for (int attempt = 0; status == ERROR_SUCCESS || status == ERROR_MORE_DATA; ++attempt) {
    if (!IsString(type)) return ERROR_UNSUPPORTED_TYPE;
    if (bytes > kMaxStringBytes || attempt == kReadAttempts) return ERROR_INVALID_DATA;
    // Room for one more unit than reported, so a value that grows by a
    // character between the calls still fits.
    std::vector<BYTE> data(bytes + sizeof(wchar_t), 0);
    DWORD read = static_cast<DWORD>(data.size());
    status = ::RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type, data.data(), &read);
    if (status == ERROR_SUCCESS) {
      if (!IsString(type)) return ERROR_UNSUPPORTED_TYPE;
      if (read > data.size()) return ERROR_INVALID_DATA;
      value = Narrow(StringFromData(data, read));
      return ERROR_SUCCESS;
    }
    bytes = read;
  }
  return status;
}

std::int32_t Win32Registry::SetString(RegistryKey key, std::string_view name,
                                      std::string_view value) {
  const std::wstring wideName = Widen(name);
  const std::wstring data = Widen(value);
  const std::size_t bytes = (data.size() + 1) * sizeof(wchar_t);
  if (bytes > std::numeric_limits<DWORD>::max()) return ERROR_INVALID_DATA;
  return ::RegSetValueExW(ToHkey(key), wideName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(bytes));
}

std::int32_t Win32Registry::DeleteValue(RegistryKey key, std::string_view name) {
  const std::wstring wideName = Widen(name);
  return ::RegDeleteValueW(ToHkey(key), wideName.c_str());
}

void Win32Registry::CloseKey(RegistryKey key) {
  if (key != 0) ::RegCloseKey(ToHkey(key));
}

std::string Win32Registry::DescribeStatus(std::int32_t status) {
  wchar_t buffer[2048] = {};
  const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(status), 0, buffer,
                                        static_cast<DWORD>(std::size(buffer)), nullptr);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
  return Narrow(text);
}

}  // namespace nookshade::win32
