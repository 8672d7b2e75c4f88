#pragma once
// One run of the program on the simulated desktop, started and ended the way
// the real program starts and ends: start-up, the panel's load, show and
// first activation; closing the panel unloads it and ends the process. The
// session is also the panel's window, as far as the core sees it.

#include <map>
#include <memory>
#include <optional>
#include <set>

#include "app/panel.h"
#include "app/startup.h"
#include "model/program_state.h"
#include "sim_desktop.h"

namespace nookshade::sim {

class SimSession final : public PanelView {
 public:
  explicit SimSession(SimDesktop& desktop) : desktop_(desktop), platform_(desktop.platform()) {}

  // Start-up up to the panel's first activation, seen or not.
  void Start() {
    // A copy told to end ends, panel or not.
    running_ = Main(platform_, [this] {
      handle_ = desktop_.AddWindow(std::string(kPanelCaption), false);
      desktop_.Find(handle_)->processId = desktop_.ownProcessId;
      desktop_.Find(handle_)->onInput = [this](int code, bool down) {
        panel_->InputArrived(down ? 0 : code, down ? code : 0);
      };
      panel_ = std::make_unique<Panel>(platform_, state_, *this);
      // The window shows each field's first contents as it attaches.
      for (auto id = ControlId::descriptionFrame; id <= ControlId::startButton;
           id = static_cast<ControlId>(static_cast<int>(id) + 1)) {
        ControlChanged(id);
      }
      panel_->Load();
      if (!panel_->StartsInTray()) desktop_.ShowWindow(handle_, ShowCommand::Show);
      panel_->Activate();
    });
  }
  // The panel's close box.
  void Close() {
    panel_->Unload();
    Kill();
  }
  // The process killed: no unload, its windows, timers and claim gone with it.
  void Kill() {
    desktop_.EndProcess();
    running_ = false;
    panel_.reset();
    onScreen.clear();
    state_ = ProgramState();
  }

  Panel& panel() { return *panel_; }
  WindowHandle PanelWindow() const { return handle_; }
  bool Running() const { return running_; }

  // PanelView
  WindowHandle Handle() const override { return handle_; }
  void ControlChanged(ControlId id) override {
    if (panel_ == nullptr) return;
    if (const TextBox* box = panel_->FindTextBox(id)) onScreen[id] = box->Text();
    if (const CheckBox* box = panel_->FindCheckBox(id)) onScreen[id] = std::to_string(box->Value());
  }
  void Focus(ControlId control) override { focused = control; }
  void SetCrosshairPointer(bool on) override { crosshairPointer = on; }
  void ShowCrosshairPicture(ControlId box, bool shown) override {
    if (shown) picturesInHand.erase(box);
    if (!shown) picturesInHand.insert(box);
  }

  // A drag under way: the pointer is a crosshair, taken from its box.
  bool crosshairPointer = false;
  std::optional<ControlId> focused;
  std::set<ControlId> picturesInHand;
  // Each field's text, and each check box's 0, 1 or 2 (grayed), as the
  // window shows them: as of the model's last word.
  std::map<ControlId, std::string> onScreen;

 private:
  SimDesktop& desktop_;
  Platform platform_;
  WindowHandle handle_ = 0;
  ProgramState state_;
  std::unique_ptr<Panel> panel_;
  bool running_ = false;
};

}  // namespace nookshade::sim
