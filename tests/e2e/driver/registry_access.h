#pragma once
// Direct access to the current user's registry, which the driver shares with
// the program under test (same Wine prefix).

#include <optional>
#include <string>

namespace e2e {

inline constexpr wchar_t kSettingsRoot[] = L"Software\\Nookshade PRO";
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kSavedData[] = L"Saved Data";
inline constexpr wchar_t kStartup[] = L"Startup";

std::wstring SettingsKey(const std::wstring& section);

// The string value, or nothing when the key or value is missing or is not a
// string (so a wrongly typed value shows up as a mismatch too).
std::optional<std::wstring> ReadString(const std::wstring& key, const std::wstring& name);
bool WriteString(const std::wstring& key, const std::wstring& name, const std::wstring& value);
bool DeleteValue(const std::wstring& key, const std::wstring& name);

// The program's settings and its login entry back to a first run.
bool ForgetSettings();

}  // namespace e2e
