// The crosshair boxes of the fake-work rows. While a crosshair is being
// dragged its box is drawn empty: the crosshair is on the pointer then.

#include "platform/win32/panel_window.h"

namespace nookshade::win32 {

void PanelWindow::DrawCrosshairBox(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  RECT box = item.rcItem;
  ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_WINDOW));
  ::DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);

  const int index = static_cast<int>(item.CtlID) - static_cast<int>(ControlId::Picture1);
  if (index < 0 || index >= static_cast<int>(crosshairShown_.size()) ||
      !crosshairShown_[static_cast<std::size_t>(index)]) {
    return;
  }
  UniquePen pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT)));
  if (!pen) return;
  const ScopedSelect usePen(dc, pen.Get());
  const ScopedSelect hollow(dc, ::GetStockObject(HOLLOW_BRUSH));

  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  const int centreX = box.left + width / 2;
  const int centreY = box.top + height / 2;
  const int radius = (width < height ? width : height) / 3;
  ::Ellipse(dc, centreX - radius, centreY - radius, centreX + radius + 1, centreY + radius + 1);
  ::MoveToEx(dc, box.left + 1, centreY, nullptr);
  ::LineTo(dc, box.right - 1, centreY);
  ::MoveToEx(dc, centreX, box.top + 1, nullptr);
  ::LineTo(dc, centreX, box.bottom - 1);
}

}  // namespace nookshade::win32
