#pragma once
// What the targets share: the world built from the input, and the promises
// that every run of the program keeps, checked so that a broken one is a
// crash libFuzzer keeps the input of.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "model/settings.h"
#include "sim_session.h"

namespace nookshade::fuzz {

inline void Require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "Broken promise: %s\n", promise);
  std::abort();
}

// Mostly a value in [0, usualMax], where the code under test branches; now
// and then anything the type holds.
template <typename Number>
Number Near(FuzzedDataProvider& in, Number usualMax) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange<Number>(0, usualMax)
                          : in.ConsumeIntegral<Number>();
}

// Any bytes, now and then repeated far beyond what a field ever holds.
inline std::string AnyText(FuzzedDataProvider& in) {
  std::string text = in.ConsumeRandomLengthString();
  if (text.empty() || in.ConsumeIntegralInRange(0, 7) < 7) return text;
  const std::size_t times = in.ConsumeIntegralInRange<std::size_t>(2, (1 << 15) / text.size() + 2);
  std::string repeated;
  repeated.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) repeated += text;
  return repeated;
}

inline void Store(sim::SimDesktop& desktop, const SettingKey& key, std::string text) {
  desktop.StoreString(SettingPath(kAppName, key.section), std::string(key.key), std::move(text));
}

// A value as a user, another program or a damaged hive may leave it:
// missing, any text, another type, or a stranger in its key instead.
inline void StoreAnything(FuzzedDataProvider& in, sim::SimDesktop& desktop, const SettingKey& key) {
  const std::string path = SettingPath(kAppName, key.section);
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return;
    case 1:
      Store(desktop, key, AnyText(in));
      return;
    case 2: {
      const auto type =
          in.ConsumeBool() ? sim::RegistryValue::Type::Dword : sim::RegistryValue::Type::Binary;
      desktop.StoreValue(path, std::string(key.key), {type, AnyText(in)});
      return;
    }
    default: {
      std::string name = in.ConsumeRandomLengthString();
      desktop.StoreString(path, std::move(name), AnyText(in));
      return;
    }
  }
}

// Another program's window: any title, shown or not, at times one that
// ignores our hides. Each one shown must be shown again when the run ends.
inline WindowHandle AddWindow(FuzzedDataProvider& in, sim::SimDesktop& desktop,
                              std::vector<WindowHandle>& shown) {
  const bool visible = in.ConsumeBool();
  const WindowHandle window = desktop.AddWindow(in.ConsumeRandomLengthString(300), visible);
  desktop.Find(window)->refusesHide = in.ConsumeIntegralInRange(0, 7) == 0;
  if (visible) shown.push_back(window);
  return window;
}

// An answer to the password prompt: cancel, the password, or anything.
inline std::optional<std::string> Answer(FuzzedDataProvider& in, const ProgramState& state) {
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
      return std::nullopt;
    case 1:
      return state.UnlockPassword;
    default:
      return in.ConsumeRandomLengthString();
  }
}

// No icon outlives the slot it stands for.
inline void CheckIcons(sim::SimSession& session, const sim::SimDesktop& desktop) {
  for (const auto& [key, record] : desktop.trayIcons) {
    const auto [owner, id] = key;
    Require(owner == session.PanelWindow() && id >= 0 && id < kSlotCount &&
                session.panel().WindowSlots[id] && session.panel().WindowSlots[id]->Hiding,
            "every icon stands for a slot that hides a window");
  }
}

// Closes the panel (unless the session's end unloaded it already) and checks
// that the program gave back all it took.
inline void CloseAndCheck(sim::SimSession& session, sim::SimDesktop& desktop,
                          const std::vector<WindowHandle>& shown, bool unloaded = false) {
  if (!unloaded) session.panel().Form_Unload();
  Require(desktop.trayIcons.empty(), "no icon is left after the unload");
  session.Kill();
  for (const WindowHandle window : shown) {
    Require(!desktop.IsWindow(window) || desktop.IsWindowVisible(window),
            "every window hidden is shown again at the unload");
  }
  Require(!desktop.StoredString(SettingPath(kAppName, setting::kRecoveryJournal.section),
                                std::string(setting::kRecoveryJournal.key)),
          "a clean exit leaves nothing to recover");
  Require(desktop.OpenKeys() == 0, "every registry key opened is closed");
}

}  // namespace nookshade::fuzz
