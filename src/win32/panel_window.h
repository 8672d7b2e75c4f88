#pragma once
// The configuration panel on screen. The core's Panel owns every control's
// content; this window mirrors it and reports the user's input back. Its
// window procedure is the one the core's replacement passes messages on to,
// so it handles every message of the panel itself.

#include <array>

#include "platform/panel_view.h"
#include "win32/unique_handles.h"
#include "win32/win32_api.h"

namespace nookshade {
class Panel;
class TextBox;
class ListBox;
class WindowSystem;
}  // namespace nookshade

namespace nookshade::win32 {

// The crosshair pointer of a fake-work pick at a DPI; empty if it cannot be
// made.
UniqueCursor CreateCrosshairCursor(int dpi);

class Win32Dialogs;
class Win32Timers;
struct PanelControl;

inline constexpr wchar_t kPanelClassName[] = L"NookshadePanel";
// Registered by name, so that a second start can reach the running panel.
inline constexpr wchar_t kWakeMessageName[] = L"Nookshade.BringPanelForward";

class PanelWindow final : public PanelView {
 public:
  // The window system gives the window its icons again when its DPI changes.
  PanelWindow(Win32Timers& timers, Win32Dialogs& dialogs, WindowSystem& windows);
  ~PanelWindow() override;
  PanelWindow(const PanelWindow&) = delete;
  PanelWindow& operator=(const PanelWindow&) = delete;

  // The window, not yet shown. Its controls are built as it is first shown
  // (a panel that starts in the tray may never be). False when the system
  // refuses the window itself; a control that fails is left out.
  bool Create(HINSTANCE instance);
  HWND Hwnd() const { return window_.Get(); }
  // The model to mirror and to report to; null detaches it. Attaching
  // shows the model's content as it stands.
  void Attach(Panel* panel);
  void Show();
  // Keyboard shortcuts and Tab navigation; true when the message was used.
  bool TranslateInput(MSG& message);

  // PanelView
  WindowHandle Handle() const override;
  void ControlChanged(ControlId control) override;
  void Focus(ControlId control) override;
  void SetCrosshairPointer(bool on) override;
  void ShowCrosshairPicture(ControlId box, bool shown) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  static LRESULT CALLBACK TextBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleTextBoxMessage(HWND edit, ControlId id, UINT message, WPARAM wParam, LPARAM lParam);

  // panel_window.cpp: building, laying out and mirroring.
  bool RegisterWindowClass(HINSTANCE instance);
  void CreateFonts(int dpi);
  void BuildControls();
  HWND CreateControl(HINSTANCE instance, const PanelControl& entry);
  HFONT FontOf(const PanelControl& entry) const;
  void SetControlFont(HWND control, const PanelControl& entry) const;
  // The whole window at this DPI: fonts, pointer and every control's place.
  void ApplyDpi(int dpi);
  void OnDpiChanged(int dpi, const RECT& suggested);
  // The window size whose client area holds the layout at this DPI.
  SIZE FrameSize(int dpi) const;
  HWND Control(ControlId id) const;
  void MirrorText(HWND edit, const TextBox& box);

  // panel_input.cpp: the user's input.
  bool RepostIfSent(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void PressFocusedButton();
  void OnActivate(WPARAM wParam);
  void Activated();
  LRESULT OnControlColour(HDC dc, HWND control);
  void MouseDown(ControlId control);
  void MouseUp(ControlId control);
  HCURSOR CrosshairCursor();
  void Close();
  // The close that waited for the modal windows and the core's handlers,
  // once none is left.
  void PostPendingClose();
  // A core handler under way, or a modal window one of them opened.
  bool InHandler() const;
  void EndSession();
  void Unload();
  // The control that had the focus last, or the first one in Tab order.
  HWND FocusTarget() const;
  // Runs a call into the core unless the panel has gone; the core's
  // failures stay on this side of the window procedure.
  template <typename Call>
  void Report(Call&& call) noexcept;
  // Runs a call into the core (a handler, a timer's tick), counted; a close
  // or the session's end that came in its middle runs after the outermost.
  template <typename Call>
  void InCore(Call&& call) noexcept;

  // crosshair_box.cpp
  void DrawCrosshairBox(const DRAWITEMSTRUCT& item) const;
  static LRESULT CALLBACK CrosshairProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self) noexcept;

  Win32Timers& timers_;
  Win32Dialogs& dialogs_;
  WindowSystem& windows_;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  // Fonts outlive the window and its controls, which use them to the end.
  UniqueFont font_;
  UniqueFont boldFont_;
  UniqueFont instructionFont_;
  UniqueAccelerators accelerators_;
  UniqueWindow window_;
  HINSTANCE instance_ = nullptr;
  bool controlsBuilt_ = false;
  Panel* panel_ = nullptr;
  UINT taskbarCreated_ = 0;
  UINT wakeMessage_ = 0;
  // Non-zero while the model's content is written into the controls, whose
  // change notifications must not be reported back as the user's edits.
  int mirroring_ = 0;
  bool unloaded_ = false;
  // A close that arrived while a modal window was open or a core handler
  // ran; it runs when the last modal window has closed and the outermost
  // handler has returned.
  bool closePending_ = false;
  bool endSessionPending_ = false;
  int coreCalls_ = 0;  // core handlers and ticks under way, nested ones included
  HWND focusBeforeDeactivation_ = nullptr;
  // An activation that came while the panel was hidden (the user cannot
  // have seen it); the first one the user can see comes with Show().
  bool activatedWhileHidden_ = false;
  bool crosshairPointer_ = false;
  UniqueCursor crosshairCursor_;
  std::array<bool, 3> crosshairShown_{true, true, true};
};

}  // namespace nookshade::win32
