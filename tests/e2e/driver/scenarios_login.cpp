// The login option: the run-list entry it writes, rewrites and removes.

#include <vector>

#include "expected_texts.h"
#include "registry_access.h"
#include "scenario.h"
#include "text.h"

namespace e2e {
namespace {

constexpr wchar_t kEntryName[] = L"nookshade";

std::wstring FullPath(const std::wstring& path) {
  std::vector<wchar_t> buffer(MAX_PATH * 4);
  const DWORD length =
      GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  return length == 0 || length >= buffer.size() ? path : std::wstring(buffer.data(), length);
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// A copy of the program in a folder whose name has a blank and a letter
// outside ASCII; removed again when the scenario ends.
class MovedCopy {
 public:
  explicit MovedCopy(const std::wstring& exe) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = FullPath(std::wstring(temp) + L"Nook Shade \u00fc");
    path_ = folder_ + L"\\nookshade.exe";
    Remove();
    ok_ = (CreateDirectoryW(folder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) &&
          CopyFileW(exe.c_str(), path_.c_str(), FALSE);
  }
  ~MovedCopy() { Remove(); }
  bool ok() const { return ok_; }
  const std::wstring& path() const { return path_; }

 private:
  void Remove() {
    // The program's file stays locked until its process has fully gone.
    WaitUntil([&] {
      return DeleteFileW(path_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
             GetLastError() == ERROR_PATH_NOT_FOUND;
    });
    RemoveDirectoryW(folder_.c_str());
  }

  std::wstring folder_;
  std::wstring path_;
  bool ok_ = false;
};

}  // namespace

void RunLoginEntry(const Context& context) {
  Checker check(context.report, "login_entry");
  if (!check.Check("registry_cleared", ForgetSettings(), "could not delete the settings")) return;
  {
    auto app = Launch(check, context);
    if (!app) return;
    if (!ExpectPanelVisible(check, *app, true)) return;
    HWND box = app->Control(ControlId::loginStart);
    const std::wstring expected = Quoted(FullPath(context.exe));

    Click(box);
    ExpectCheck(check, "on.checked", box, BST_CHECKED);
    ExpectSetting(check, "on.stored", kStartup, L"Login", L"1");
    ExpectValue(check, "on.entry_is_quoted_path", kRunKey, kEntryName, expected);
    ExpectNoMessageBox(check, "on.no_message", *app);

    Click(box);
    ExpectCheck(check, "off.unchecked", box, BST_UNCHECKED);
    ExpectSetting(check, "off.stored", kStartup, L"Login", L"0");
    ExpectValue(check, "off.entry_deleted", kRunKey, kEntryName, std::nullopt);

    // Switching off when the entry is already gone is silent.
    Click(box);
    ExpectValue(check, "again_on.entry", kRunKey, kEntryName, expected);
    DeleteValue(kRunKey, kEntryName);
    Click(box);
    ExpectCheck(check, "off_without_entry.unchecked", box, BST_UNCHECKED);
    ExpectSetting(check, "off_without_entry.stored", kStartup, L"Login", L"0");
    ExpectNoMessageBox(check, "off_without_entry.no_message", *app);
  }

  // Started from another folder with the option on, the program rewrites
  // the entry with its present location while the panel loads.
  MovedCopy copy(context.exe);
  if (!check.Check("moved.copied", copy.ok(), "could not copy the program")) return;
  const bool prepared = WriteString(SettingsKey(kStartup), L"Login", L"1") &&
                        WriteString(kRunKey, kEntryName, Quoted(FullPath(context.exe)));
  if (!check.Check("moved.registry_prepared", prepared, "could not store the option")) return;
  auto app = Launch(check, context, copy.path());
  if (!app) return;
  ExpectPanelVisible(check, *app, true);
  ExpectCheck(check, "moved.checked", app->Control(ControlId::loginStart), BST_CHECKED);
  ExpectValue(check, "moved.entry_follows", kRunKey, kEntryName, Quoted(copy.path()));
  ExpectNoMessageBox(check, "moved.no_message", *app);
  app->Stop();
}

}  // namespace e2e
