#include "hiding/tray_icons.h"

namespace nookshade {
namespace {

constexpr std::uint32_t kMessageIconTip = 1 | 2 | 4;  // NIF_MESSAGE | NIF_ICON | NIF_TIP
constexpr std::uint32_t kSharedIcon = 2;              // NIS_SHAREDICON
constexpr std::uint32_t kIconVersion = 3;             // NOTIFYICON_VERSION

void EnsureRecordSize(Platform& platform, ProgramState& state) {
  if (state.TrayRecordSize == 0) ChooseTrayRecordSize(platform, state);
}

}  // namespace

void ChooseTrayRecordSize(Platform& platform, ProgramState& state) {
  switch (platform.shell.FileMajorVersion("shell32.dll")) {
    case 6:
      state.TrayRecordSize = 504;
      break;
    case 5:
      state.TrayRecordSize = 488;
      break;
    default:
      state.TrayRecordSize = 88;
      break;
  }
}

bool AddTrayIcon(Platform& platform, ProgramState& state, WindowHandle owner,
                 const TrayEntry& entry) {
  EnsureRecordSize(platform, state);
  TrayRecord record;
  record.recordSize = state.TrayRecordSize;
  record.owner = owner;
  record.id = entry.Id;
  record.flags = kMessageIconTip;
  record.callbackMessage = kTrayCallbackMessage;
  record.icon = entry.icon;
  record.tip = std::string(kTrayTip);
  record.state = kSharedIcon;
  record.version = kIconVersion;
  const bool shown = platform.shell.NotifyIcon(TrayOperation::Add, record) ||
                     platform.shell.NotifyIcon(TrayOperation::Modify, record);
  platform.shell.NotifyIcon(TrayOperation::SetVersion, record);
  return shown;
}

void RemoveTrayIcon(Platform& platform, ProgramState& state, WindowHandle owner, std::int32_t id) {
  EnsureRecordSize(platform, state);
  TrayRecord record;
  record.recordSize = state.TrayRecordSize;
  record.owner = owner;
  record.id = id;
  platform.shell.NotifyIcon(TrayOperation::Delete, record);
}

}  // namespace nookshade
