// The program's icon as the system loads it: one group named "ABC" with the
// five sizes, each a 32-bit image with a real alpha channel. Read from the
// file, since Wine does not answer WM_GETICON across processes.

#include <cstring>
#include <vector>

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

struct ImageFacts {
  LONG width = 0;
  LONG height = 0;
  WORD bitCount = 0;
  bool partialAlpha = false;  // some pixels neither clear nor opaque
  bool accepted = false;      // the system makes an icon of it
};

ImageFacts Inspect(HMODULE module, WORD id) {
  ImageFacts facts;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const auto* data = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
  if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) return facts;
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof(header));
  facts.width = header.biWidth;
  facts.height = header.biHeight;
  facts.bitCount = header.biBitCount;
  const std::size_t pixels =
      static_cast<std::size_t>(header.biWidth) * static_cast<std::size_t>(header.biWidth);
  if (header.biBitCount == 32 && header.biSize + pixels * 4 <= size) {
    for (std::size_t n = 0; n < pixels; ++n) {
      const BYTE alpha = data[header.biSize + n * 4 + 3];
      if (alpha != 0 && alpha != 255) facts.partialAlpha = true;
    }
  }
  HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(data), size, TRUE, 0x00030000,
                                        header.biWidth, header.biWidth, 0);
  if (icon != nullptr) {
    ICONINFO info{};
    if (GetIconInfo(icon, &info)) {
      BITMAP bitmap{};
      facts.accepted = info.hbmColor != nullptr &&
                       GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap) != 0 &&
                       bitmap.bmWidth == header.biWidth;
      if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
      if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
  }
  return facts;
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
    const int expectedSizes[] = {16, 32, 48, 64, 128};
    for (int n = 0; complete && n < header.count && n < 5; ++n) {
      GroupEntry entry;
      std::memcpy(&entry, data + sizeof(GroupHeader) + n * sizeof(GroupEntry), sizeof(entry));
      const int side = entry.width == 0 ? 256 : entry.width;
      const std::string name = "size" + std::to_string(expectedSizes[n]);
      check.Check(
          name + ".listed", side == expectedSizes[n] && entry.bitCount == 32,
          "entry is " + std::to_string(side) + " px at " + std::to_string(entry.bitCount) + " bpp");
      const ImageFacts facts = Inspect(module, entry.id);
      check.Check(name + ".image",
                  facts.width == side && facts.height == 2 * side && facts.bitCount == 32,
                  "image is " + std::to_string(facts.width) + "x" + std::to_string(facts.height) +
                      " at " + std::to_string(facts.bitCount) + " bpp");
      check.Check(name + ".alpha", facts.partialAlpha, "no anti-aliased edge in the alpha channel");
      check.Check(name + ".loads", facts.accepted, "the system does not make an icon of it");
    }
  }
  FreeLibrary(module);
}

}  // namespace e2e
