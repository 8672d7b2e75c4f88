#pragma once
// One run of the program on the simulated desktop, started and ended the way
// the real program starts and ends: start-up, the panel's load, show and
// first activation; closing the panel unloads it and removes its window.

#include <memory>
#include <vector>

#include "app/panel.h"
#include "model/program_state.h"
#include "sim_desktop.h"

namespace nookshade::sim {

class SimPanelView final : public PanelView {
 public:
  explicit SimPanelView(SimDesktop& desktop) : desktop_(desktop) {}
  void Create() {
    handle_ = desktop_.AddWindow(std::string(kPanelCaption), false);
    desktop_.Find(handle_)->processId = desktop_.ownProcessId;
  }

  WindowHandle Handle() const override { return handle_; }
  void ControlChanged(ControlId control) override { changes.push_back(control); }
  void Focus(ControlId control) override { focused = control; }
  void SetCrosshairPointer(bool on) override { crosshairPointer = on; }
  void ShowCrosshairPicture(ControlId, bool) override {}

  std::vector<ControlId> changes;
  std::optional<ControlId> focused;
  bool crosshairPointer = false;

 private:
  SimDesktop& desktop_;
  WindowHandle handle_ = 0;
};

class SimSession {
 public:
  explicit SimSession(SimDesktop& desktop) : desktop_(desktop), view_(desktop) {}

  // Start-up up to the panel's first activation, seen or not.
  void Start();
  // The panel's close box.
  void Close();
  // The process killed: no unload, its windows and claim gone with it.
  void Kill();

  Panel& panel() { return *panel_; }
  SimPanelView& view() { return view_; }
  ProgramState& state() { return state_; }
  WindowHandle PanelWindow() const { return view_.Handle(); }
  bool Running() const { return panel_ != nullptr; }

 private:
  SimDesktop& desktop_;
  SimPanelView view_;
  ProgramState state_;
  std::unique_ptr<Panel> panel_;
  std::unique_ptr<Platform> platform_;
};

}  // namespace nookshade::sim
