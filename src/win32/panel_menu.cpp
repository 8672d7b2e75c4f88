#include "win32/panel_menu.h"

#include "platform/panel_view.h"

namespace nookshade::win32 {
namespace {

UINT_PTR MenuId(ControlId id) { return static_cast<UINT_PTR>(id); }

struct HelpItem {
  ControlId id;
  const wchar_t* caption;
};

constexpr HelpItem kHelpItems[] = {
    {ControlId::menuHelpAbout, L"How Does Nookshade Work"},
    {ControlId::menuHelpHotkeys, L"How to Set Hotkeys"},
    {ControlId::menuHelpPassword, L"Hot to Set a Password"},
    {ControlId::menuHelpFakeWork, L"How to Set Fake Work"},
    {ControlId::menuHelpStarting, L"How to Start Nookshade"},
    {ControlId::menuHelpOptions, L"Advanced Options"},
};

}  // namespace

UniqueMenu CreatePanelMenu() {
  UniqueMenu help(::CreatePopupMenu());
  UniqueMenu show(::CreatePopupMenu());
  UniqueMenu bar(::CreateMenu());
  if (!help || !show || !bar) return {};
  for (const HelpItem& item : kHelpItems) {
    if (!::AppendMenuW(help.Get(), MF_STRING, MenuId(item.id), item.caption)) return {};
  }
  if (!::AppendMenuW(show.Get(), MF_STRING, MenuId(ControlId::menuStart),
                     L"Start Nookshade\tCtrl+S")) {
    return {};
  }
  // A submenu appended to its parent is owned by it from then on.
  if (!::AppendMenuW(show.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(help.Get()), L"Help")) {
    return {};
  }
  help.Release();
  if (!::AppendMenuW(bar.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(show.Get()),
                     L"Nookshade Pro")) {
    return {};
  }
  show.Release();
  return bar;
}

UniqueAccelerators CreatePanelAccelerators() {
  ACCEL start{};
  start.fVirt = FCONTROL | FVIRTKEY;
  start.key = 'S';
  start.cmd = static_cast<WORD>(ControlId::menuStart);
  return UniqueAccelerators(::CreateAcceleratorTableW(&start, 1));
}

}  // namespace nookshade::win32
