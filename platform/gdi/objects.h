// The objects behind GDI handles and the table that owns them.
//
// Every object lives in one table keyed by an opaque id that is never handed out twice; a handle is
// that id. Looking a handle up with the wrong kind, after deletion, or never issued gives null, so
// every entry point can fail with Windows' failure value instead of touching freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "region.h"
#include "windef.h"
#include "wingdi.h"

namespace gdi::text {
class Font;
}

namespace gdi::detail {

// Pixels are 0x00RRGGBB for both formats; a monochrome pixel is 0x000000 or 0xFFFFFF, so the raster
// operations work on both alike.
struct Bitmap {
  int width = 0;
  int height = 0;
  bool mono = false;
  std::vector<std::uint32_t> pixels;  // width * height, rows top first
  HDC selected_in = nullptr;          // the memory DC holding it, if any
};

struct Brush {
  bool null = false;
  COLORREF color = 0;
};

struct Pen {
  bool null = false;
  COLORREF color = 0;
  int width = 1;
};

struct Font {
  LOGFONTW logfont{};
  // Resolved on first use; resolution can be slow and many fonts are never drawn with.
  mutable bool resolved = false;
  mutable std::shared_ptr<const gdi::text::Font> face;
};

struct DC {
  bool surface = false;
  HBITMAP target = nullptr;           // surface DCs: the framebuffer drawn into
  POINT origin{0, 0};                 // surface DCs: device origin in the target
  std::optional<Region> system_clip;  // surface DCs, target coordinates

  HBITMAP bitmap = nullptr;  // memory DCs: the selected bitmap
  HFONT font = nullptr;
  HBRUSH brush = nullptr;
  HPEN pen = nullptr;

  COLORREF text_color = RGB(0, 0, 0);
  COLORREF bk_color = RGB(255, 255, 255);
  int bk_mode = OPAQUE;
  int stretch_mode = BLACKONWHITE;
  int map_mode = MM_TEXT;
  POINT window_org{0, 0};
  SIZE window_ext{1, 1};
  SIZE viewport_ext{1, 1};
  POINT current{0, 0};
  std::optional<Region> clip;  // device coordinates; none = no clip region
};

using Payload = std::variant<Bitmap, DC, Region, Brush, Pen, Font>;

struct Object {
  Payload payload;
  bool stock = false;
  int select_count = 0;         // DCs that have this brush, pen or font selected
  bool delete_pending = false;  // deleted while selected: goes when the last DC lets go
};

// The table. Single-threaded, like the UI thread it serves.
Object* LookupObject(const void* handle);
void* AddObject(Payload payload, bool stock = false);
void EraseObject(const void* handle);

template <typename T>
T* Lookup(const void* handle) {
  Object* o = LookupObject(handle);
  return o ? std::get_if<T>(&o->payload) : nullptr;
}

// Stock objects, created on first use and never deleted.
HGDIOBJ StockObject(int index);
HBITMAP DefaultBitmap();  // the 1x1 monochrome bitmap every memory DC starts with

// Selection bookkeeping for brushes, pens and fonts.
void Retain(const void* handle);
void Release(const void* handle);

// Largest bitmap the layer makes: bounds every allocation that input sizes drive.
constexpr int kMaxDimension = 32767;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;
bool SizeAllowed(std::int64_t width, std::int64_t height);

// Adds with two's complement wrap-around, as coordinate arithmetic does on Windows, instead of
// overflowing.
inline LONG WrapAdd(LONG a, std::int64_t b) {
  return static_cast<LONG>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// Colour conversions between COLORREF (0x00BBGGRR) and pixels (0x00RRGGBB).
constexpr std::uint32_t ToPixel(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ToColorref(std::uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}
// The nearer of black and white, for drawing a colour into a monochrome bitmap.
constexpr std::uint32_t ToMono(COLORREF c) {
  return (GetRValue(c) + GetGValue(c) + GetBValue(c)) > 382 ? 0xFFFFFFu : 0u;
}
inline std::uint32_t PixelFor(const Bitmap& bm, COLORREF c) {
  return bm.mono ? ToMono(c) : ToPixel(c & 0xFFFFFF);
}

}  // namespace gdi::detail
