// The panel's window procedure and the routing of the user's input to the
// core: clicks, edits, focus changes and key presses in the hotkey fields.

#include <string_view>

#include "app/panel.h"
#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/panel_layout.h"
#include "win32/panel_window.h"
#include "win32/wide_text.h"
#include "win32/win32_dialogs.h"
#include "win32/win32_shell.h"
#include "win32/win32_system.h"
#include "win32/win32_timers.h"
#include "win32/win32_window_system.h"
#include "win32/window_text.h"

namespace nookshade::win32 {
namespace {

// The first visible message box of ours to the front (stops the walk).
BOOL CALLBACK BringMessageForward(HWND window, LPARAM) noexcept {
  wchar_t className[8] = {};
  if (!::IsWindowVisible(window) || ::GetClassNameW(window, className, 8) == 0 ||
      std::wstring_view(className) != L"#32770") {
    return TRUE;
  }
  ::SetForegroundWindow(window);
  return FALSE;
}

// The panel, opened over a message of ours from its icon, may hide the
// message that a close waits for.
void BringOwnMessageForward() {
  ::EnumThreadWindows(::GetCurrentThreadId(), &BringMessageForward, 0);
}

bool IsMenuCommand(int id) {
  return id >= static_cast<int>(ControlId::menuStart) &&
         id <= static_cast<int>(ControlId::menuHelpOptions);
}

}  // namespace

template <typename Call>
void PanelWindow::InCore(Call&& call) noexcept {
  ++coreCalls_;
  call();
  --coreCalls_;
  // A session's end or a close that came meanwhile runs once it can.
  if (endSessionPending_) EndSession();
  PostPendingClose();
}

template <typename Call>
void PanelWindow::Report(Call&& call) noexcept {
  if (panel_ == nullptr || unloaded_) return;
  InCore([&]() noexcept {
    try {
      call(*panel_);
    } catch (...) {
      // A handler that fails is skipped, as every handler of the panel is;
      // the window goes on with the next message.
      Win32System::LogCaught("a panel handler");
    }
  });
}

LRESULT CALLBACK PanelWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<PanelWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<PanelWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = UniqueWindow(window);
  }
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_.Release();
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    Win32System::LogCaught("the panel's window procedure");
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT PanelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.Get();
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_NEXTDLGCTL: {
      // The dialog navigation asks the panel, as it would a dialog, to move
      // the focus. An arrow key names the next control of its group, which
      // on the panel may be a label or a frame: the focus goes to the next
      // control that Tab would reach that way instead, and an edit entered
      // so has its text selected, to be typed over, as Tab leaves it.
      const HWND focus = ::GetFocus();
      const bool previous = LOWORD(lParam) != 0 ? ::GetNextDlgGroupItem(window, focus, TRUE) ==
                                                      reinterpret_cast<HWND>(wParam)
                                                : wParam != 0;
      const HWND next = ::GetNextDlgTabItem(window, focus, previous);
      if (next == nullptr || !::IsChild(window, next)) return 0;
      ::SetFocus(next);
      if (::SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        ::SendMessageW(next, EM_SETSEL, 0, -1);
      }
      return 0;
    }
    case WM_TIMER:
      InCore([&]() noexcept { timers_.OnTimer(wParam); });
      return 0;
    case WM_INPUT:
      // Pointer moves come by the hundred and set no press bit: they wake
      // nothing.
      if (const RawInputEvent event = ReadRawInput(reinterpret_cast<HRAWINPUT>(lParam));
          event.keyOrButton) {
        Report([&](Panel& panel) { panel.InputArrived(event.keyReleased, event.keyPressed); });
      }
      // The system frees the input's data here.
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case WM_SIZE:
      // Minimized, the panel keeps no field focused, as Windows leaves a
      // minimized window: where the minimized panel stays active (Wine
      // without a window manager), keys typed before another window is
      // chosen would go unseen into the password or a hotkey, and be stored.
      // The field gets the focus back as the panel is restored.
      if (wParam == SIZE_MINIMIZED && ::IsChild(window, ::GetFocus())) {
        focusBeforeDeactivation_ = ::GetFocus();
        ::SetFocus(nullptr);
      }
      break;
    case WM_SHOWWINDOW:
      // Also when the core shows the panel again from its tray icon.
      if (wParam != FALSE) BuildControls();
      break;
    case WM_SETFOCUS:
      // Back from the taskbar or a modal box: the control that had the
      // focus gets it again, and the panel itself never keeps it; none
      // while it is minimized (above).
      if (::IsIconic(window)) return 0;
      if (const HWND focus = FocusTarget()) ::SetFocus(focus);
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
          item != nullptr && item->CtlType == ODT_STATIC) {
        DrawCrosshairBox(*item);
        return TRUE;
      }
      break;
    case WM_SETCURSOR:
      if (crosshairPointer_) {
        ::SetCursor(CrosshairCursor());
        return TRUE;
      }
      break;
    case WM_DPICHANGED:
      if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
        OnDpiChanged(HIWORD(wParam), *suggested);
      }
      return 0;
    case kGetDpiScaledSizeMessage:
      if (auto* size = reinterpret_cast<SIZE*>(lParam)) {
        *size = FrameSize(static_cast<int>(wParam));
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      // Never in the way of the session's end, an open prompt included: the
      // restores run when the end is certain (WM_ENDSESSION), since a
      // cancelled log-off must leave everything as it was.
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != FALSE) EndSession();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    case kTrayCallbackMessage:
      // The icon's identifier in wParam, what the mouse did in lParam; Enter
      // or Space on an icon chosen with the keyboard does what a double-click
      // does.
      if (lParam == WM_LBUTTONDBLCLK || lParam == NIN_KEYSELECT) {
        if (RepostIfSent(message, wParam, lParam)) return 0;
        Report([slot = static_cast<std::int64_t>(wParam)](Panel& panel) {
          panel.IconDoubleClicked(slot);
        });
      }
      return 0;
    default:
      if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        if (RepostIfSent(message, wParam, lParam)) return 0;
        Report([](Panel& panel) { panel.ShellRestarted(); });
        return 0;
      }
      if (wakeMessage_ != 0 && message == wakeMessage_) {
        // A panel in sight comes forward, out of the taskbar if it was
        // minimised, with the message or prompt it has open on top; the
        // second start gave us the right to the foreground.
        if (::IsWindowVisible(window)) {
          if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
          ::SetForegroundWindow(::GetLastActivePopup(window));
        }
        Report([](Panel& panel) { panel.AnotherStart(); });
        return 0;
      }
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool PanelWindow::RepostIfSent(UINT message, WPARAM wParam, LPARAM lParam) {
  // Sent by another thread, the message may have come while a handler waits
  // on another program's window; posted, it runs after that handler.
  if (::InSendMessageEx(nullptr) == ISMEX_NOSEND) return false;
  return ::PostMessageW(window_.Get(), message, wParam, lParam) != FALSE;
}

void PanelWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  const auto control = static_cast<ControlId>(id);
  if (lParam == 0) {
    // A menu item (code 0) or its shortcut (code 1). Enter and Escape
    // arrive here too, as IDOK and IDCANCEL: Enter presses a focused
    // button, as in a dialog, and means nothing in a text box.
    if (IsMenuCommand(id) && code == 1 && control == ControlId::menuStart) {
      Report([](Panel& panel) { panel.ArmByShortcut(); });
    } else if (IsMenuCommand(id)) {
      Report([control](Panel& panel) { panel.Clicked(control); });
    } else if (id == IDOK) {
      PressFocusedButton();
    }
    return;
  }
  const PanelControl* entry = FindPanelControl(control);
  if (entry == nullptr) return;
  switch (entry->kind) {
    case ControlKind::Button:
    case ControlKind::StartButton:
    case ControlKind::CheckBox:
      if (code == BN_CLICKED) Report([control](Panel& panel) { panel.Clicked(control); });
      return;
    case ControlKind::TextBox:
    case ControlKind::HotkeyField:
      if (code == EN_CHANGE && mirroring_ == 0 && entry->kind == ControlKind::TextBox &&
          entry->visible) {
        std::string text = Narrow(WindowText(reinterpret_cast<HWND>(lParam)));
        Report([control, &text](Panel& panel) { panel.TextEdited(control, std::move(text)); });
      } else if (code == EN_KILLFOCUS && (entry->kind == ControlKind::HotkeyField ||
                                          ::IsChild(window_.Get(), ::GetFocus()))) {
        // Only a move to another control leaves a text box; switching to
        // another program or opening a message box does not. A hotkey field
        // tells of every loss: the Alt of Alt+Tab is no key of its hotkey.
        Report([control](Panel& panel) { panel.FocusLost(control); });
      }
      return;
    default:
      return;
  }
}

void PanelWindow::PressFocusedButton() {
  // The panel is no dialog, so no button becomes the default one as it
  // takes the focus; only Space would press it.
  const HWND focus = ::GetFocus();
  if (focus == nullptr || !::IsChild(window_.Get(), focus)) return;
  const PanelControl* entry = FindPanelControl(static_cast<ControlId>(::GetDlgCtrlID(focus)));
  if (entry == nullptr || !entry->visible ||
      (entry->kind != ControlKind::Button && entry->kind != ControlKind::StartButton)) {
    return;
  }
  OnCommand(MAKEWPARAM(::GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
}

void PanelWindow::OnActivate(WPARAM wParam) {
  const HWND window = window_.Get();
  if (LOWORD(wParam) == WA_INACTIVE) {
    // Minimized, it keeps the field that had the focus as it was taken away.
    const HWND focus = ::GetFocus();
    if (::IsChild(window, focus)) {
      focusBeforeDeactivation_ = focus;
    } else if (!::IsIconic(window)) {
      focusBeforeDeactivation_ = nullptr;
    }
    return;
  }
  if (!::IsWindowVisible(window)) {
    activatedWhileHidden_ = true;
    return;
  }
  // A minimized panel keeps its focus until it is restored.
  if (HIWORD(wParam) == 0) Activated();
}

void PanelWindow::Activated() {
  activatedWhileHidden_ = false;
  if (const HWND focus = FocusTarget()) ::SetFocus(focus);
  Report([](Panel& panel) { panel.Activate(); });
}

LRESULT PanelWindow::OnControlColour(HDC dc, HWND control) {
  // Read-only edits are drawn as statics, grey; the hotkey fields take
  // keys like any text box and look like one.
  const PanelControl* entry = FindPanelControl(static_cast<ControlId>(::GetDlgCtrlID(control)));
  if (entry != nullptr && entry->kind == ControlKind::HotkeyField) {
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
  }
  return ::DefWindowProcW(window_.Get(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
}

void PanelWindow::MouseDown(ControlId control) {
  Report([control](Panel& panel) { panel.MouseDown(control); });
}

void PanelWindow::MouseUp(ControlId control) {
  Report([control](Panel& panel) { panel.MouseUp(control); });
}

void PanelWindow::Close() {
  if (InHandler()) {
    // The message came in the middle of a core handler: through a modal
    // loop it opened, or sent while it waits on another program's window
    // (showing or hiding one waits for that program's thread, which lets
    // messages sent to us in). Unloading now would free what that handler
    // still uses. The prompt is cancelled, and the close comes again once
    // the handler is done.
    closePending_ = true;
    dialogs_.UnloadPasswordPrompt();
    BringOwnMessageForward();
    return;
  }
  closePending_ = false;
  Unload();
  ::DestroyWindow(window_.Get());
}

bool PanelWindow::InHandler() const { return coreCalls_ > 0 || dialogs_.ModalOpen(); }

void PanelWindow::PostPendingClose() {
  if (!closePending_ || InHandler() || !window_) return;
  closePending_ = false;
  ::PostMessageW(window_.Get(), WM_CLOSE, 0, 0);
}

void PanelWindow::EndSession() {
  // Sent while a core handler waits on another program's window, the end
  // waits for that handler, a moment (a hung program's window is given up
  // on within a tenth of a second): unloading in its middle would free
  // what it still uses, and it would go on hiding after everything was
  // given back. A handler waiting in a modal window of its own is at a
  // safe point; a prompt of a handler nested in the waiting one is
  // cancelled, so that it returns.
  if (coreCalls_ > dialogs_.ModalDepth()) {
    endSessionPending_ = true;
    dialogs_.UnloadPasswordPrompt();
    return;
  }
  // The session ends whatever is open: everything hidden is given back now,
  // even from inside a modal loop. The window goes as the last modal window
  // closes (the prompt has just been cancelled; a message waits for its
  // OK): an installer's restart manager ends programs while the session
  // goes on, and an inert panel must not stay behind.
  endSessionPending_ = false;
  closePending_ = dialogs_.ModalOpen();
  Unload();
  if (!dialogs_.ModalOpen()) ::DestroyWindow(window_.Get());
}

void PanelWindow::Unload() {
  if (unloaded_) return;
  Report([](Panel& panel) { panel.Unload(); });
  // Whatever happens while the window is taken down is no input any more.
  unloaded_ = true;
}

HWND PanelWindow::FocusTarget() const {
  const HWND window = window_.Get();
  if (focusBeforeDeactivation_ != nullptr && ::IsChild(window, focusBeforeDeactivation_)) {
    return focusBeforeDeactivation_;
  }
  return ::GetNextDlgTabItem(window, nullptr, FALSE);
}

bool PanelWindow::TranslateInput(MSG& message) {
  if (!window_) return false;
  // Ctrl+S starts Nookshade wherever the focus is in the panel, a hotkey
  // field included, like the menu item it stands for.
  if (accelerators_ && ::TranslateAcceleratorW(window_.Get(), accelerators_.Get(), &message)) {
    return true;
  }
  return ::IsDialogMessageW(window_.Get(), &message) != FALSE;
}

LRESULT CALLBACK PanelWindow::TextBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self) noexcept {
  if (message == WM_NCDESTROY) {
    LoadedCommonControls().removeWindowSubclass(edit, &PanelWindow::TextBoxProc, id);
    return LoadedCommonControls().defSubclassProc(edit, message, wParam, lParam);
  }
  try {
    return reinterpret_cast<PanelWindow*>(self)->HandleTextBoxMessage(
        edit, static_cast<ControlId>(id), message, wParam, lParam);
  } catch (...) {
    Win32System::LogCaught("a text box of the panel");
    return LoadedCommonControls().defSubclassProc(edit, message, wParam, lParam);
  }
}

LRESULT PanelWindow::HandleTextBoxMessage(HWND edit, ControlId id, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  const PanelControl* entry = FindPanelControl(id);
  if (entry != nullptr && entry->kind == ControlKind::HotkeyField) {
    switch (message) {
      case WM_GETDLGCODE: {
        // Every key belongs to the hotkey being recorded, except Tab, which
        // still moves the focus on. Tabbed into, the field keeps its text
        // unselected, as a click leaves it: Backspace then takes the last
        // key, not the whole hotkey.
        const LRESULT code = LoadedCommonControls().defSubclassProc(edit, message, wParam, lParam) &
                             ~static_cast<LRESULT>(DLGC_HASSETSEL);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->wParam == VK_TAB &&
            (key->message == WM_KEYDOWN || key->message == WM_CHAR)) {
          return code;
        }
        return code | DLGC_WANTALLKEYS;
      }
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        // Alt, F10 and keys held with Alt arrive as system keys. Alt+F4
        // closes the panel, and is no hotkey; the close takes back its Alt.
        if (message == WM_SYSKEYDOWN && wParam == VK_F4) break;
        // A key held down is one key of the hotkey, as the poll counts it:
        // Windows repeats a held Ctrl too. Backspace held erases on.
        if ((HIWORD(lParam) & KF_REPEAT) != 0 && wParam != VK_BACK) return 0;
        DWORD start = 0;
        DWORD end = 0;
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        int key = static_cast<int>(wParam);
        // With an input method on (Chinese, Japanese, Korean) the keys it
        // takes arrive as VK_PROCESSKEY; the key pressed is the one its scan
        // code names, and the one the poll will see.
        if (key == VK_PROCESSKEY) {
          key = static_cast<int>(
              ::MapVirtualKeyW(static_cast<UINT>((lParam >> 16) & 0xFF), MAPVK_VSC_TO_VK));
        }
        const std::size_t length = end > start ? end - start : 0;
        Report([id, key, start, length](Panel& panel) { panel.KeyDown(id, key, start, length); });
        break;
      }
      case WM_CHAR:
      case WM_SYSCHAR:
      case WM_DEADCHAR:
      case WM_SYSDEADCHAR:
        // The key-down wrote the key already; a character would only beep
        // in a read-only field, or open the menu for Alt+letter.
        return 0;
      case WM_CONTEXTMENU:
        // Shift+F10 and the menu key are keys of the hotkey: no menu from
        // the keyboard (a right click still opens the field's own).
        if (LOWORD(lParam) == 0xFFFF && HIWORD(lParam) == 0xFFFF) return 0;
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP: {
        const int key = static_cast<int>(wParam);
        Report([id, key](Panel& panel) { panel.KeyUp(id, key); });
        // Releasing Alt or F10 would put the menu bar in keyboard mode.
        if (message == WM_SYSKEYUP && (wParam == VK_MENU || wParam == VK_F10)) return 0;
        break;
      }
      default:
        break;
    }
  }
  if (message == WM_LBUTTONUP) {
    const LRESULT result = LoadedCommonControls().defSubclassProc(edit, message, wParam, lParam);
    Report([id](Panel& panel) { panel.Clicked(id); });
    return result;
  }
  return LoadedCommonControls().defSubclassProc(edit, message, wParam, lParam);
}

}  // namespace nookshade::win32
