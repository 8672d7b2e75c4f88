// The stored settings and the recovery journal as anything may have left
// them: the program starts on them and closes, giving back all it took.

#include "fuzz_run.h"
#include "hotkeys/hotkey_text.h"
#include "model/recovery_journal.h"

using namespace nookshade;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  sim::SimDesktop desktop;
  for (const SettingKey& key :
       {setting::kHideWindowHotkey, setting::kHideAllHotkey, setting::kFakeWorkHotkey,
        setting::kLaunchFakeWork, setting::kPassword, setting::kAutoStart, setting::kLoginStart,
        setting::kNoNotification}) {
    fuzz::StoreAnything(in, desktop, key);
  }
  // A journal that a killed run wrote for the windows it had hidden; since
  // then it may have been damaged, and a handle given to another window.
  std::vector<WindowHandle> hidden;
  for (int i = in.ConsumeIntegralInRange(0, 3); i > 0; --i) {
    hidden.push_back(desktop.AddWindow(in.ConsumeRandomLengthString(), false));
  }
  Platform platform = desktop.platform();
  RecoveryJournal(platform).Record(
      hidden, in.PickValueInArray({HiddenBy::Slot, HiddenBy::HideAll, HiddenBy::FakeWork}));
  const std::string path = SettingPath(kAppName, setting::kRecoveryJournal.section);
  const std::string name(setting::kRecoveryJournal.key);
  const bool damaged = in.ConsumeBool();
  if (damaged) {
    std::string journal = desktop.StoredString(path, name).value_or("");
    journal.resize(std::min(journal.size(), in.ConsumeIntegral<std::size_t>()));
    journal += fuzz::AnyText(in);
    desktop.StoreValue(
        path, name,
        {in.PickValueInArray({sim::RegistryValue::Type::String, sim::RegistryValue::Type::Binary}),
         std::move(journal)});
  }
  std::vector<bool> replaced;
  for (const WindowHandle window : hidden) {
    replaced.push_back(in.ConsumeBool());
    if (replaced.back()) desktop.Find(window)->processId += 1;
  }

  sim::SimSession session(desktop);
  session.Start();
  for (std::size_t i = 0; i < hidden.size() && !damaged; ++i) {
    Require(desktop.IsWindowVisible(hidden[i]) != replaced[i],
            "the journal shows its own windows again, and no other");
  }
  Panel& panel = session.panel();
  for (const TextBox* field : {&panel.Text2, &panel.Text3, &panel.fwhk}) {
    Require(hotkey::WriteTokens(field->Text()) == field->Text(),
            "a hotkey field holds its token keys as tokens");
  }
  fuzz::CloseAndCheck(session, desktop, {});
  return 0;
}
