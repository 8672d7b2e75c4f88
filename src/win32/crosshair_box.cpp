// The crosshair boxes of the fake-work rows and the crosshair pointer: one
// 17 x 17 reticle, drawn here, is both the boxes' picture and the pointer
// while a box is dragged. The press captures the mouse, so the release comes
// back to the pressed box wherever it happens.

#include <algorithm>
#include <cmath>
#include <vector>

#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/panel_window.h"

namespace nookshade::win32 {
namespace {

constexpr int kReticleSize = 17;
constexpr int kReticleCentre = 8;

// An outer and an inner ring with a cross through the centre.
bool ReticlePixel(int x, int y) {
  const int dx = x - kReticleCentre;
  const int dy = y - kReticleCentre;
  if (dx == 0 || dy == 0) return true;
  const double distance = std::sqrt(static_cast<double>(dx * dx + dy * dy));
  return std::abs(distance - 7.0) < 0.5 || std::abs(distance - 3.5) < 0.5;
}

}  // namespace

UniqueCursor CreateCrosshairCursor(int dpi) {
  // A cursor of the size the system draws at this DPI, with the reticle in
  // its top-left corner: black where the reticle is, transparent elsewhere.
  // The reticle grows by whole pixels, as in the boxes, while it fits.
  const int widthMetric = SizeMetricForDpi(SM_CXCURSOR, dpi);
  const int heightMetric = SizeMetricForDpi(SM_CYCURSOR, dpi);
  const int width = widthMetric > 0 ? widthMetric : 32;
  const int height = heightMetric > 0 ? heightMetric : 32;
  const int scale =
      std::max(1, std::min(dpi / USER_DEFAULT_SCREEN_DPI, std::min(width, height) / kReticleSize));
  const int stride = ((width + 15) / 16) * 2;  // monochrome rows are word-aligned
  std::vector<BYTE> andMask(static_cast<std::size_t>(stride * height), 0xFF);
  std::vector<BYTE> xorMask(andMask.size(), 0x00);
  for (int y = 0; y < kReticleSize * scale && y < height; ++y) {
    for (int x = 0; x < kReticleSize * scale && x < width; ++x) {
      if (!ReticlePixel(x / scale, y / scale)) continue;
      andMask[static_cast<std::size_t>(y * stride + x / 8)] &=
          static_cast<BYTE>(~(0x80 >> (x % 8)));
    }
  }
  UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, andMask.data()));
  UniqueBitmap colour(::CreateBitmap(width, height, 1, 1, xorMask.data()));
  if (!mask || !colour) return UniqueCursor();
  ICONINFO info{};
  info.fIcon = FALSE;
  // The middle of the centre's square.
  info.xHotspot = static_cast<DWORD>(kReticleCentre * scale + scale / 2);
  info.yHotspot = static_cast<DWORD>(kReticleCentre * scale + scale / 2);
  info.hbmMask = mask.Get();
  info.hbmColor = colour.Get();
  return UniqueCursor(::CreateIconIndirect(&info));
}

void PanelWindow::DrawCrosshairBox(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const RECT box = item.rcItem;
  ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_BTNFACE));
  const int index = static_cast<int>(item.CtlID) - static_cast<int>(ControlId::crosshair1);
  if (index < 0 || index >= static_cast<int>(crosshairShown_.size()) ||
      !crosshairShown_[static_cast<std::size_t>(index)]) {
    return;
  }
  // The reticle's pixels, each as a square of the box's scale, so that it
  // stays crisp at any DPI.
  const int side = std::min(box.right - box.left, box.bottom - box.top);
  const int scale = std::max(1, side / kReticleSize);
  const int left = box.left + (box.right - box.left - scale * kReticleSize) / 2;
  const int top = box.top + (box.bottom - box.top - scale * kReticleSize) / 2;
  // The text colour of the button face it is drawn on, which a high-contrast
  // theme keeps readable against it.
  const HBRUSH ink = ::GetSysColorBrush(COLOR_BTNTEXT);
  for (int y = 0; y < kReticleSize; ++y) {
    for (int x = 0; x < kReticleSize; ++x) {
      if (!ReticlePixel(x, y)) continue;
      const RECT pixel{left + x * scale, top + y * scale, left + (x + 1) * scale,
                       top + (y + 1) * scale};
      ::FillRect(dc, &pixel, ink);
    }
  }
}

LRESULT CALLBACK PanelWindow::CrosshairProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self) noexcept {
  if (message == WM_NCDESTROY) {
    LoadedCommonControls().removeWindowSubclass(box, &PanelWindow::CrosshairProc, id);
    return LoadedCommonControls().defSubclassProc(box, message, wParam, lParam);
  }
  auto& panel = *reinterpret_cast<PanelWindow*>(self);
  const auto control = static_cast<ControlId>(id);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      // Any button starts a drag; a second button during one changes nothing.
      if (::GetCapture() != box) {
        ::SetCapture(box);
        panel.MouseDown(control);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (::GetCapture() == box) ::ReleaseCapture();  // the release arrives below
      return 0;
    case WM_CAPTURECHANGED:
      // The button came up, or the system took the mouse away (a switch to
      // another window): either way the drag ends here, once.
      panel.MouseUp(control);
      return 0;
    default:
      return LoadedCommonControls().defSubclassProc(box, message, wParam, lParam);
  }
}

}  // namespace nookshade::win32
