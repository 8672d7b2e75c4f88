#pragma once
// Move-only owners for the system objects this layer creates. Shared icons
// (LR_SHARED) belong to the system and never get an owner here.

#include <utility>

#include "win32/win32_api.h"

namespace nookshade::win32 {

template <typename Handle, BOOL(WINAPI* Destroy)(Handle)>
class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }
  // Hands the object to a new owner (a menu attached to a window, say).
  Handle Release() noexcept { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) noexcept {
    if (handle_ != nullptr) Destroy(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

template <typename GdiHandle>
BOOL WINAPI DeleteGdiObject(GdiHandle object) {
  return ::DeleteObject(object);
}

using UniqueWindow = UniqueHandle<HWND, ::DestroyWindow>;
using UniqueKernelHandle = UniqueHandle<HANDLE, ::CloseHandle>;
using UniqueMenu = UniqueHandle<HMENU, ::DestroyMenu>;
using UniqueAccelerators = UniqueHandle<HACCEL, ::DestroyAcceleratorTable>;
using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject<HFONT>>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject<HBITMAP>>;
// Only for cursors and icons made here; shared ones (LoadCursor, LR_SHARED)
// are the system's.
using UniqueCursor = UniqueHandle<HCURSOR, ::DestroyCursor>;
using UniqueIcon = UniqueHandle<HICON, ::DestroyIcon>;

// Keeps an object selected into a device context for one scope, so the
// context never outlives its hold on an object that is about to be deleted.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace nookshade::win32
