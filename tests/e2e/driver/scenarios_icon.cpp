// The program's icon as the system loads it: one group named "ABC" with the
// five sizes. Read from the file, since Wine does not answer
// WM_GETICON across processes; their sizes, depth and alpha are checked in
// the icon file (tests/icon).

#include <cstring>

#include "scenario.h"

namespace e2e {
namespace {

#pragma pack(push, 2)
struct GroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct GroupEntry {
  BYTE width;
  BYTE height;
  BYTE colors;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// The system makes an icon of the image, as large as its group lists it.
bool Loads(HMODULE module, WORD id, int side) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const auto* data = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
  if (data == nullptr) return false;
  HICON icon =
      CreateIconFromResourceEx(const_cast<BYTE*>(data), size, TRUE, 0x00030000, side, side, 0);
  bool accepted = false;
  ICONINFO info{};
  if (icon != nullptr && GetIconInfo(icon, &info)) {
    BITMAP bitmap{};
    accepted = info.hbmColor != nullptr &&
               GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap) != 0 && bitmap.bmWidth == side;
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  }
  if (icon != nullptr) DestroyIcon(icon);
  return accepted;
}

}  // namespace

void RunIconResource(const Context& context) {
  Checker check(context.report, "icon");
  HMODULE module = LoadLibraryExW(context.exe.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!check.Check("file_loads", module != nullptr, "cannot open nookshade.exe as resources"))
    return;
  HRSRC group = FindResourceW(module, L"ABC", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  HGLOBAL loaded = group != nullptr ? LoadResource(module, group) : nullptr;
  const auto* data = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  const DWORD size = group != nullptr ? SizeofResource(module, group) : 0;
  if (check.Check("group_ABC", data != nullptr && size >= sizeof(GroupHeader),
                  "no icon group named ABC")) {
    GroupHeader header;
    std::memcpy(&header, data, sizeof(header));
    const bool complete = size >= sizeof(GroupHeader) + header.count * sizeof(GroupEntry);
    check.Check("five_images", complete && header.count == 5,
                "the group holds " + std::to_string(header.count) + " images");
    for (int n = 0; complete && n < header.count; ++n) {
      GroupEntry entry;
      std::memcpy(&entry, data + sizeof(GroupHeader) + n * sizeof(GroupEntry), sizeof(entry));
      const int side = entry.width == 0 ? 256 : entry.width;
      check.Check("size" + std::to_string(side) + ".loads", Loads(module, entry.id, side),
                  "the system does not make an icon of it");
    }
  }
  FreeLibrary(module);
}

}  // namespace e2e
