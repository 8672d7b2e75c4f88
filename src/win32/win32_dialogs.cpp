#include "win32/win32_dialogs.h"

#include <tuple>
#include <utility>

#include "win32/common_controls.h"
#include "win32/handle_cast.h"
#include "win32/resource_ids.h"
#include "win32/wide_text.h"
#include "win32/win32_system.h"

namespace nookshade::win32 {
namespace {

// Posted from WM_INITDIALOG, once the dialog is shown: only a visible window
// can take the foreground.
constexpr UINT kBringPromptForward = WM_APP + 1;

// Under Wine without a window manager, a focus change reaches the X server
// stamped with the time of the message being handled, as Wine reckons the
// server's clock; over a session that reckoning creeps ahead by a millisecond
// or more, and the server ignores a focus change stamped in its future. One
// asked for while handling a message this old is stamped in its past.
constexpr DWORD kFocusStampAgeMs = 50;

// On the screen the user is at, as the pointer tells (a tray icon's, or the
// one a hotkey was pressed on); the primary one where the pointer is unknown.
void CentreOnScreen(HWND window) {
  POINT pointer{};
  ::GetCursorPos(&pointer);
  MONITORINFO screen{};
  screen.cbSize = sizeof(screen);
  RECT frame{};
  if (!::GetMonitorInfoW(::MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), &screen) ||
      !::GetWindowRect(window, &frame)) {
    return;
  }
  const RECT& work = screen.rcWork;
  const LONG x = work.left + ((work.right - work.left) - (frame.right - frame.left)) / 2;
  const LONG y = work.top + ((work.bottom - work.top) - (frame.bottom - frame.top)) / 2;
  ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Windows gives the foreground only to the process that had the last input,
// and a hotkey's keys went to the program in front (Nookshade only reads
// them): the prompt would show without the keyboard, and a password typed
// at once would go to that program. Joined to the input of the thread in
// front for a moment, the prompt may take it; not when that thread does not
// answer, since ours would then wait with it.
void TakeForeground(HWND window) {
  if (::SetForegroundWindow(window) && ::GetForegroundWindow() == window) return;
  const HWND front = ::GetForegroundWindow();
  const DWORD frontThread = ::GetWindowThreadProcessId(front, nullptr);
  const DWORD ownThread = ::GetCurrentThreadId();
  DWORD_PTR ignored = 0;
  if (front == nullptr || frontThread == 0 || frontThread == ownThread ||
      !::SendMessageTimeoutW(front, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) ||
      !::AttachThreadInput(ownThread, frontThread, TRUE)) {
    return;
  }
  ::SetForegroundWindow(window);
  ::AttachThreadInput(ownThread, frontThread, FALSE);
}

// The typed text; the wide copy is wiped and the edit emptied, so that the
// answer survives only in the returned secret.
SecretString TakeTypedPassword(HWND edit) {
  const int length = ::GetWindowTextLengthW(edit);
  std::wstring typed(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int copied = ::GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()));
  typed.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  SecretString secret;
  try {
    secret = SecretString(Narrow(typed));
  } catch (...) {
    // Out of memory: an empty answer, which unlocks nothing.
    Win32System::LogCaught("reading the typed password");
  }
  ::SecureZeroMemory(typed.data(), typed.capacity() * sizeof(wchar_t));
  ::SetWindowTextW(edit, L"");
  return secret;
}

}  // namespace

struct Win32Dialogs::PromptRun {
  Win32Dialogs& dialogs;
  const std::function<void(WindowHandle)>& onLoad;
  std::optional<SecretString> answer;
  WNDPROC fieldProc = nullptr;
  // A key held as the prompt opens (the hotkey's last key, Space for
  // show-all) repeats into the field, and the right password typed after
  // its characters is refused: repeats count once a key went down afresh.
  bool keyPressedAfresh = false;
  bool droppingKey = false;  // its character follows
};

class Win32Dialogs::ModalScope {
 public:
  explicit ModalScope(Win32Dialogs& dialogs) noexcept : dialogs_(dialogs) {
    ++dialogs_.modalDepth_;
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;
  ~ModalScope() {
    if (--dialogs_.modalDepth_ != 0 || !dialogs_.onModalsClosed_) return;
    try {
      dialogs_.onModalsClosed_();
    } catch (...) {
      // Only a deferred close waits on this, and the user can close again.
      Win32System::LogCaught("the close after the last modal window");
    }
  }

 private:
  Win32Dialogs& dialogs_;
};

HWND Win32Dialogs::ModalOwner() const {
  if (panel_ != nullptr && ::IsWindowVisible(panel_) && !::IsIconic(panel_)) return panel_;
  return nullptr;
}

int Win32Dialogs::MessageBox(std::string_view text, std::string_view title, std::uint32_t style) {
  const std::wstring wideText = Widen(text);
  const std::wstring wideTitle = Widen(title);
  const HWND owner = ModalOwner();
  // Without the panel, the message answers a hotkey pressed over another
  // program, and would otherwise open behind it. The system may refuse us
  // the foreground (the key went to that program): on top, the message is
  // seen anyway, and the hotkeys that rest while it is open are not lost
  // behind a flashing taskbar button.
  const UINT flags = owner != nullptr ? style : style | MB_SETFOREGROUND | MB_TOPMOST;
  const ModalScope modal(*this);
  return ::MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), flags);
}

std::optional<SecretString> Win32Dialogs::RunPasswordPrompt(
    const std::function<void(WindowHandle)>& onLoad) {
  // One prompt at a time; a second request arrives only through the first
  // one's own message loop.
  if (prompt_ != nullptr) return std::nullopt;
  PromptRun run{*this, onLoad, std::nullopt};
  // The prompt can come before the panel was ever opened (a start in the
  // tray): its controls are the common controls' too.
  LoadCommonControls();
  const ModalScope modal(*this);
  const INT_PTR result =
      ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PASSWORD), ModalOwner(),
                        &Win32Dialogs::PromptProc, reinterpret_cast<LPARAM>(&run));
  prompt_ = nullptr;
  if (result != IDOK) return std::nullopt;
  return std::move(run.answer);
}

bool Win32Dialogs::IsPasswordPromptVisible() {
  return prompt_ != nullptr && ::IsWindowVisible(prompt_);
}

void Win32Dialogs::BringPasswordPromptForward() {
  if (prompt_ != nullptr) ::PostMessageW(prompt_, kBringPromptForward, 0, 0);
}

void Win32Dialogs::UnloadPasswordPrompt() {
  if (prompt_ == nullptr) return;
  const HWND edit = ::GetDlgItem(prompt_, IDC_PASSW);
  if (edit != nullptr) ::SetWindowTextW(edit, L"");
  ::EndDialog(prompt_, IDCANCEL);
}

INT_PTR CALLBACK Win32Dialogs::PromptProc(HWND dialog, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept {
  auto* run = reinterpret_cast<PromptRun*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      run = reinterpret_cast<PromptRun*>(lParam);
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      run->dialogs.prompt_ = dialog;
      try {
        if (run->onLoad) run->onLoad(FromHwnd(dialog));
      } catch (...) {
        // Staying on top is a comfort; the prompt works without it.
        Win32System::LogCaught("setting up the password prompt");
      }
      CentreOnScreen(dialog);
      const HWND edit = ::GetDlgItem(dialog, IDC_PASSW);
      run->fieldProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
          edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Dialogs::PasswordFieldProc)));
      ::SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
      // An edit box takes some 32,000 characters by default, and the stored
      // password (which the panel shows whole) may be longer: it could never
      // be typed back in, and every hidden window would stay hidden.
      ::SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
      ::SetFocus(edit);
      // Left to itself, the dialog shows only once its loop finds no message
      // waiting, so the request below would come while it is still hidden,
      // and the keys a user types next would go to the program in front.
      ::ShowWindow(dialog, SW_SHOW);
      ::PostMessageW(dialog, kBringPromptForward, 0, 0);
      return FALSE;  // the focus is set already
    }
    case kBringPromptForward: {
      TakeForeground(dialog);
      // The focus taken as the prompt appeared may have been ignored by the
      // X server (see kFocusStampAgeMs): the keys typed next would go to the
      // window clicked last, the notification area's after a double-click
      // on an icon, and a click into the prompt would not help, as it is in
      // front and focused already. Drawn first, and once this message is
      // old enough, the prompt drops the focus and takes it again, which
      // asks the server once more.
      ::UpdateWindow(dialog);
      const DWORD age = ::GetTickCount() - static_cast<DWORD>(::GetMessageTime());
      if (age < kFocusStampAgeMs) ::Sleep(kFocusStampAgeMs - age);
      ::SetFocus(nullptr);
      ::SetFocus(::GetDlgItem(dialog, IDC_PASSW));
      return TRUE;
    }
    case WM_COMMAND:
      if (run == nullptr) return FALSE;
      switch (LOWORD(wParam)) {
        case IDOK:
          try {
            run->answer = TakeTypedPassword(::GetDlgItem(dialog, IDC_PASSW));
          } catch (...) {
            // Out of memory: no answer, which unlocks nothing.
            Win32System::LogCaught("taking the typed password");
          }
          ::EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          ::SetWindowTextW(::GetDlgItem(dialog, IDC_PASSW), L"");
          ::EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

LRESULT CALLBACK Win32Dialogs::PasswordFieldProc(HWND field, UINT message, WPARAM wParam,
                                                 LPARAM lParam) noexcept {
  auto* run = reinterpret_cast<PromptRun*>(::GetWindowLongPtrW(::GetParent(field), DWLP_USER));
  if (run == nullptr || run->fieldProc == nullptr)
    return ::DefWindowProcW(field, message, wParam, lParam);
  const auto heldSinceOpening = [run](UINT keyMessage, LPARAM keyFlags) {
    return keyMessage == WM_KEYDOWN && (HIWORD(keyFlags) & KF_REPEAT) != 0 &&
           !run->keyPressedAfresh;
  };
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter or Escape held would otherwise answer the dialog at once.
      const LRESULT code = ::CallWindowProcW(run->fieldProc, field, message, wParam, lParam);
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      return key != nullptr && heldSinceOpening(key->message, key->lParam) ? code | DLGC_WANTMESSAGE
                                                                           : code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      run->droppingKey = heldSinceOpening(message, lParam);
      if (run->droppingKey) return 0;
      run->keyPressedAfresh = run->keyPressedAfresh || (HIWORD(lParam) & KF_REPEAT) == 0;
      break;
    case WM_CHAR:
      // The character of a key dropped; one typed with Alt and the keypad
      // comes as Alt goes up, marked as held, and is kept.
      if (std::exchange(run->droppingKey, false)) return 0;
      // A hotkey pressed again while its prompt is open would type a blank
      // (Ctrl+Space) or take a character back (Ctrl+H), and the right
      // password after it is refused without a word. Only those two: Ctrl
      // with Alt is AltGr, which types characters, Ctrl's own shortcuts
      // (Ctrl+V) come as other control characters, and a character the
      // panel's field took with Ctrl (Ctrl+Backspace's) must be typable here.
      if ((wParam == L' ' || wParam == L'\b') && ::GetKeyState(VK_CONTROL) < 0 &&
          ::GetKeyState(VK_MENU) >= 0) {
        return 0;
      }
      break;
    default:
      break;
  }
  return ::CallWindowProcW(run->fieldProc, field, message, wParam, lParam);
}

}  // namespace nookshade::win32
