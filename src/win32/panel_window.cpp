#include "win32/panel_window.h"

#include <utility>

#include "app/panel.h"
#include "model/window_icon.h"
#include "text/encoding.h"
#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/handle_cast.h"
#include "win32/panel_layout.h"
#include "win32/panel_menu.h"
#include "win32/wide_text.h"
#include "win32/win32_dialogs.h"
#include "win32/win32_timers.h"
#include "win32/window_text.h"

namespace nookshade::win32 {
namespace {

constexpr DWORD kPanelStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kPanelExStyle = WS_EX_CONTROLPARENT;
// The layout's twips were drawn for 8-point dialog text; the start button
// stands out with a larger bold caption.
constexpr int kTextPoints = 8;
constexpr int kStartButtonPoints = 10;

LOGFONTW MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return metrics.lfMessageFont;
  }
  LOGFONTW fallback{};
  fallback.lfWeight = FW_NORMAL;
  fallback.lfCharSet = DEFAULT_CHARSET;
  ::lstrcpynW(fallback.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
  return fallback;
}

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const PanelControl& entry) {
  constexpr DWORD kEdit = ES_AUTOHSCROLL | ES_LEFT;
  switch (entry.kind) {
    case ControlKind::Frame:
      // Clipped by the controls above it, it never paints over them.
      return {WC_BUTTONW, BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
    case ControlKind::Label:
      return {
          WC_STATICW,
          SS_LEFT | SS_NOPREFIX | (entry.id == ControlId::description ? 0u : DWORD{SS_CENTERIMAGE}),
          0};
    case ControlKind::TextBox:
      return {WC_EDITW, kEdit | (entry.visible ? DWORD{WS_TABSTOP} : 0u), WS_EX_CLIENTEDGE};
    case ControlKind::HotkeyField:
      return {WC_EDITW, kEdit | ES_READONLY | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
      // Not automatic: the model decides the value and the box shows it.
      return {WC_BUTTONW, BS_3STATE | WS_TABSTOP, 0};
    case ControlKind::Button:
    case ControlKind::StartButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | (entry.visible ? DWORD{WS_TABSTOP} : 0u), 0};
    case ControlKind::Crosshair:
      // SS_NOTIFY: without it a static lets the mouse through to the panel.
      return {WC_STATICW, SS_OWNERDRAW | SS_NOTIFY, 0};
    case ControlKind::ListBox:
      return {WC_LISTBOXW, LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
  }
  return {WC_STATICW, 0, 0};
}

// A model position (bytes of the field's encoding) as an edit control
// position (UTF-16 units).
std::size_t EditPosition(const TextBox& box, std::size_t bytes) {
  const std::string& text = box.Text();
  if (bytes > text.size()) bytes = text.size();
  if (box.Encoding() == TextEncoding::Windows1252) return bytes;
  return text::Utf8ToUtf16(std::string_view(text).substr(0, bytes)).size();
}

class MirrorScope {
 public:
  explicit MirrorScope(int& depth) noexcept : depth_(depth) { ++depth_; }
  MirrorScope(const MirrorScope&) = delete;
  MirrorScope& operator=(const MirrorScope&) = delete;
  ~MirrorScope() { --depth_; }

 private:
  int& depth_;
};

}  // namespace

PanelWindow::PanelWindow(Win32Timers& timers, Win32Dialogs& dialogs, WindowSystem& windows)
    : timers_(timers), dialogs_(dialogs), windows_(windows) {
  dialogs_.SetOnModalsClosed([this] { PostPendingClose(); });
}

PanelWindow::~PanelWindow() {
  dialogs_.SetOnModalsClosed(nullptr);
  panel_ = nullptr;
  window_.Reset();
}

bool PanelWindow::Create(HINSTANCE instance) {
  if (!RegisterWindowClass(instance)) return false;
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  wakeMessage_ = ::RegisterWindowMessageW(kWakeMessageName);

  // Centred in the work area, which is on the primary monitor: sized for
  // the system DPI, which is that monitor's as the session began.
  RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const auto centred = [&work](SIZE size) {
    return POINT{work.left + ((work.right - work.left) - size.cx) / 2,
                 work.top + ((work.bottom - work.top) - size.cy) / 2};
  };
  const SIZE size = FrameSize(SystemDpi());
  const POINT place = centred(size);

  UniqueMenu menu = CreatePanelMenu();
  // WM_NCCREATE hands the window to window_; a failed creation destroys it
  // again before this call returns.
  const HWND window =
      ::CreateWindowExW(kPanelExStyle, kPanelClassName, L"Nookshade Pro", kPanelStyle, place.x,
                        place.y, size.cx, size.cy, nullptr, menu.Get(), instance, this);
  if (window == nullptr) return false;
  menu.Release();  // the window destroys its menu
  // Started as administrator, the panel would not hear the shell's restart
  // nor a second start's wake: the system drops registered messages from
  // programs with fewer rights unless the window lets them through.
  for (const UINT message : {taskbarCreated_, wakeMessage_}) {
    if (message != 0) ::ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
  }
  accelerators_ = CreatePanelAccelerators();
  instance_ = instance;
  // The monitor's DPI may have changed since the session began.
  ApplyDpi(WindowDpi(window));
  if (const SIZE fitted = FrameSize(dpi_); fitted.cx != size.cx || fitted.cy != size.cy) {
    const POINT moved = centred(fitted);
    ::SetWindowPos(window, nullptr, moved.x, moved.y, fitted.cx, fitted.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

SIZE PanelWindow::FrameSize(int dpi) const {
  const SIZE client = PanelClientTwips();
  RECT frame{0, 0, TwipsToPixels(client.cx, dpi), TwipsToPixels(client.cy, dpi)};
  AdjustWindowRectForDpi(frame, kPanelStyle, true, kPanelExStyle, dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

bool PanelWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &PanelWindow::WindowProc;
  windowClass.hInstance = instance;
  // No class icons: the panel's load gives the window its icons before it
  // is first shown, and two loads at the start would be for nothing.
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kPanelClassName;
  return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void PanelWindow::CreateFonts(int dpi) {
  LOGFONTW font = MessageFont();
  font.lfHeight = -::MulDiv(kTextPoints, dpi, 72);
  font.lfWidth = 0;
  font_ = UniqueFont(::CreateFontIndirectW(&font));
  font.lfWeight = FW_BOLD;
  instructionFont_ = UniqueFont(::CreateFontIndirectW(&font));
  font.lfHeight = -::MulDiv(kStartButtonPoints, dpi, 72);
  boldFont_ = UniqueFont(::CreateFontIndirectW(&font));
}

void PanelWindow::BuildControls() {
  if (controlsBuilt_ || !window_) return;
  controlsBuilt_ = true;
  const CommonControls* common = LoadCommonControls();
  for (const PanelControl& entry : PanelControls()) {
    const HWND control = CreateControl(instance_, entry);
    if (control == nullptr) continue;
    SetControlFont(control, entry);
    // As long as the prompt takes (an edit box's default is some 32,000
    // characters): a longer paste, cut here, could never unlock there.
    if (entry.id == ControlId::password) ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
    if (common == nullptr) continue;
    if (entry.kind == ControlKind::TextBox || entry.kind == ControlKind::HotkeyField) {
      common->setWindowSubclass(control, &PanelWindow::TextBoxProc, static_cast<UINT_PTR>(entry.id),
                                reinterpret_cast<DWORD_PTR>(this));
    } else if (entry.kind == ControlKind::Crosshair) {
      common->setWindowSubclass(control, &PanelWindow::CrosshairProc,
                                static_cast<UINT_PTR>(entry.id), reinterpret_cast<DWORD_PTR>(this));
    }
  }
  for (const PanelControl& entry : PanelControls()) ControlChanged(entry.id);
}

HFONT PanelWindow::FontOf(const PanelControl& entry) const {
  // The picker's instruction stands out in bold, as does the start button.
  if (entry.kind == ControlKind::StartButton) return boldFont_.Get();
  if (entry.id == ControlId::crosshairHint) return instructionFont_.Get();
  return font_.Get();
}

void PanelWindow::SetControlFont(HWND control, const PanelControl& entry) const {
  if (const HFONT font = FontOf(entry)) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  if (entry.kind == ControlKind::TextBox || entry.kind == ControlKind::HotkeyField) {
    // A narrow margin from the font, so that no text touches the border;
    // a new font brings its own.
    ::SendMessageW(control, EM_SETMARGINS, EC_USEFONTINFO, 0);
  }
}

void PanelWindow::ApplyDpi(int dpi) {
  dpi_ = dpi;
  // The controls and the pointer let go of the old objects before these
  // are destroyed, at the end of this scope.
  const UniqueFont oldFont = std::move(font_);
  const UniqueFont oldBoldFont = std::move(boldFont_);
  const UniqueFont oldInstructionFont = std::move(instructionFont_);
  CreateFonts(dpi);
  // The pointer is drawn anew for this DPI when a drag needs it.
  const UniqueCursor oldCursor = std::move(crosshairCursor_);
  if (crosshairPointer_) ::SetCursor(CrosshairCursor());

  for (const PanelControl& entry : PanelControls()) {
    const HWND control = Control(entry.id);
    if (control == nullptr) continue;
    SetControlFont(control, entry);
    const RECT place = ControlRect(entry, dpi);
    ::SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  // A hidden panel (as it is created) is drawn when it is shown.
  if (window_ && ::IsWindowVisible(window_.Get())) {
    ::RedrawWindow(window_.Get(), nullptr, nullptr,
                   RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

void PanelWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  ApplyDpi(dpi);
  // The suggested place keeps the window where the user put it; the size
  // is the layout's own, which does not scale exactly in proportion.
  const SIZE size = FrameSize(dpi);
  ::SetWindowPos(window_.Get(), nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  // The core chose the window's icons for the sizes of the old DPI.
  if (panel_ != nullptr && !unloaded_) SetAlphaIcon(windows_, Handle(), kIconResource, false);
}

HWND PanelWindow::CreateControl(HINSTANCE instance, const PanelControl& entry) {
  const WindowKind kind = KindOf(entry);
  const RECT place = ControlRect(entry, dpi_);
  const DWORD style = WS_CHILD | kind.style | (entry.visible ? DWORD{WS_VISIBLE} : 0u);
  return ::CreateWindowExW(kind.exStyle, kind.className, entry.caption, style, place.left,
                           place.top, place.right - place.left, place.bottom - place.top,
                           window_.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                           instance, nullptr);
}

void PanelWindow::Attach(Panel* panel) {
  panel_ = panel;
  if (panel_ == nullptr) return;
  // Initial contents (the password field's "417") are never written, so
  // no change reports them; controls built later show them as they are built.
  for (const PanelControl& entry : PanelControls()) ControlChanged(entry.id);
}

HWND PanelWindow::Control(ControlId id) const {
  if (!window_) return nullptr;
  return ::GetDlgItem(window_.Get(), static_cast<int>(id));
}

void PanelWindow::Show() {
  if (!window_) return;
  const HWND window = window_.Get();
  BuildControls();
  ::ShowWindow(window, SW_SHOW);
  // A panel that was activated while still hidden gets no activation from
  // being shown; it is the first one all the same.
  if (activatedWhileHidden_ && ::IsWindowVisible(window) && ::GetActiveWindow() == window) {
    Activated();
  }
  // The first activation may have sent the panel to the tray already.
  if (!::IsWindowVisible(window)) return;
  ::UpdateWindow(window);
  ::SetForegroundWindow(window);
}

WindowHandle PanelWindow::Handle() const { return FromHwnd(window_.Get()); }

void PanelWindow::ControlChanged(ControlId id) {
  if (panel_ == nullptr) return;
  const HWND control = Control(id);
  if (control == nullptr) return;
  MirrorScope scope(mirroring_);
  if (const TextBox* box = panel_->FindTextBox(id)) {
    MirrorText(control, *box);
  } else if (const CheckBox* check = panel_->FindCheckBox(id)) {
    const int value = check->Value();
    const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    ::SendMessageW(control, BM_SETCHECK, state, 0);
  }
}

void PanelWindow::MirrorText(HWND edit, const TextBox& box) {
  const std::wstring wanted = box.Encoding() == TextEncoding::Windows1252
                                  ? WidenWindows1252(box.Text())
                                  : Widen(box.Text());
  // Text the user has just typed is already there: writing it again would
  // throw the caret back to the start.
  const bool rewritten = WindowText(edit) != wanted;
  if (rewritten) ::SetWindowTextW(edit, wanted.c_str());
  // The hotkey fields' caret is the model's; in typed fields it is the
  // user's, except where the model replaced the text.
  if (rewritten || box.Encoding() == TextEncoding::Windows1252) {
    const std::size_t start = EditPosition(box, box.SelStart());
    const std::size_t end = EditPosition(box, box.SelStart() + box.SelLength());
    ::SendMessageW(edit, EM_SETSEL, start, static_cast<LPARAM>(end));
  }
}

void PanelWindow::Focus(ControlId id) {
  // Focus inside a hidden panel would activate a window nobody sees.
  if (!window_ || !::IsWindowVisible(window_.Get())) return;
  const HWND control = Control(id);
  if (control == nullptr) return;
  ::SetFocus(control);
  const int length = ::GetWindowTextLengthW(control);
  ::SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(length), length);
}

void PanelWindow::SetCrosshairPointer(bool on) {
  crosshairPointer_ = on;
  // While the box holds the mouse no WM_SETCURSOR comes: the pointer set
  // here stays over every window until the release.
  ::SetCursor(on ? CrosshairCursor() : ::LoadCursorW(nullptr, IDC_ARROW));
}

HCURSOR PanelWindow::CrosshairCursor() {
  // Drawn at the first drag, not at the start.
  if (!crosshairCursor_) crosshairCursor_ = CreateCrosshairCursor(dpi_);
  return crosshairCursor_ ? crosshairCursor_.Get() : ::LoadCursorW(nullptr, IDC_CROSS);
}

void PanelWindow::ShowCrosshairPicture(ControlId box, bool shown) {
  const int index = static_cast<int>(box) - static_cast<int>(ControlId::crosshair1);
  if (index < 0 || index >= static_cast<int>(crosshairShown_.size())) return;
  crosshairShown_[static_cast<std::size_t>(index)] = shown;
  if (const HWND control = Control(box)) ::InvalidateRect(control, nullptr, TRUE);
}

}  // namespace nookshade::win32
