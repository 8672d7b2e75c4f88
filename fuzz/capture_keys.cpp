// The capture fields under any keys with any selection, and their Reset
// buttons: the fields hold the six keys as tokens, never each other's text,
// and a selection inside their text.

#include <array>

#include "fuzz_run.h"
#include "hotkeys/hotkey_text.h"

using namespace nookshade;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  sim::SimDesktop desktop;
  for (const SettingKey& key :
       {setting::kHideWindowHotkey, setting::kHideAllHotkey, setting::kFakeWorkHotkey}) {
    fuzz::StoreAnything(in, desktop, key);
  }
  sim::SimSession session(desktop);
  session.Start();
  Panel& panel = session.panel();
  const std::array<const TextBox*, 3> fields = {&panel.Text2, &panel.Text3, &panel.fwhk};
  constexpr std::array<ControlId, 3> kResets = {ControlId::Command3, ControlId::Command4,
                                                ControlId::Command8};
  while (in.remaining_bytes() > 0) {
    const auto field = in.ConsumeIntegralInRange<std::size_t>(0, 2);
    if (in.ConsumeIntegralInRange(0, 7) == 0) {
      panel.Clicked(kResets[field]);
    } else {
      const int key = fuzz::Near(in, 255);
      const auto start = fuzz::Near<std::size_t>(in, 16);
      panel.KeyDown(fields[field]->Id(), key, start, fuzz::Near<std::size_t>(in, 16));
    }
    for (const TextBox* box : fields) {
      Require(hotkey::WriteTokens(box->Text()) == box->Text(), "token keys are held as tokens");
      Require(box->SelStart() + box->SelLength() <= box->Text().size(),
              "the selection lies within the text");
      for (const TextBox* other : fields) {
        Require(box == other || box->Text().empty() || box->Text() != other->Text(),
                "no two fields hold the same hotkey");
      }
    }
  }
  fuzz::CloseAndCheck(session, desktop, {});
  return 0;
}
