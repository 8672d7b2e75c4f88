#pragma once
// Message boxes and the unlock-password prompt.

#include "platform/dialogs.h"
#include "win32/win32_api.h"

namespace nookshade::win32 {

class Win32Dialogs final : public Dialogs {
 public:
  // The panel owns the modal windows while it is on screen; hidden in the
  // tray it cannot, since owned windows hide with their owner.
  void SetPanel(HWND panel) { panel_ = panel; }

  // Modal windows are opened by the core from inside its handlers, and
  // their loops keep dispatching. While one is open, the core is in the
  // middle of a handler and must not be unloaded under it.
  bool ModalOpen() const { return modalDepth_ > 0; }
  // How many are open, each in the handler that opened it.
  int ModalDepth() const { return modalDepth_; }
  // Runs once the last open modal window has closed.
  void SetOnModalsClosed(std::function<void()> callback) { onModalsClosed_ = std::move(callback); }

  int MessageBox(std::string_view text, std::string_view title, std::uint32_t style) override;
  std::optional<SecretString> RunPasswordPrompt(
      const std::function<void(WindowHandle)>& onLoad) override;
  bool IsPasswordPromptVisible() override;
  void BringPasswordPromptForward() override;
  void UnloadPasswordPrompt() override;

 private:
  struct PromptRun;
  class ModalScope;
  static INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  static LRESULT CALLBACK PasswordFieldProc(HWND field, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
  HWND ModalOwner() const;

  HWND panel_ = nullptr;
  HWND prompt_ = nullptr;
  int modalDepth_ = 0;
  std::function<void()> onModalsClosed_;
};

}  // namespace nookshade::win32
