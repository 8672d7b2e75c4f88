#include "sim_session.h"

#include "app/startup.h"

namespace nookshade::sim {

void SimSession::Start() {
  platform_ = std::make_unique<Platform>(desktop_.platform());
  Main(*platform_, [this] {
    view_.Create();
    panel_ = std::make_unique<Panel>(*platform_, state_, view_);
    // The panel window's procedure, for raw input.
    desktop_.SetInputHandler(view_.Handle(), [this] {
      if (panel_) panel_->InputArrived();
    });
    panel_->Load();
    if (!panel_->StartsInTray()) desktop_.ShowWindow(view_.Handle(), ShowCommand::Show);
    panel_->Activate();
  });
}

void SimSession::Close() {
  if (!panel_) return;
  panel_->Unload();
  Kill();
}

void SimSession::Kill() {
  // The process's timers die with it.
  for (const TimerId id : {TimerId::HotkeyPoll, TimerId::PickerDrag, TimerId::TrayRetry}) {
    desktop_.StopTimer(id);
  }
  desktop_.DestroyWindow(view_.Handle());
  panel_.reset();
  state_ = ProgramState();
  desktop_.instanceRunning = false;
}

}  // namespace nookshade::sim
