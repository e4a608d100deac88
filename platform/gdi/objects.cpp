#include "objects.h"

#include <cwchar>
#include <type_traits>
#include <unordered_map>

#include "gdi_owners.h"

namespace gdi::detail {

namespace {

struct Table {
  std::unordered_map<std::uintptr_t, std::unique_ptr<Object>> objects;
  // Ids start in a range of their own and step by 4, so no handle looks like a small integer, a
  // resource id, INVALID_HANDLE_VALUE or another layer's handle, and none is ever issued twice.
  std::uintptr_t next_id = 0x47440000;
};

Table& TheTable() {
  static Table table;
  return table;
}

LOGFONTW MakeLogFont(LONG height, LONG weight, const wchar_t* face) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

struct Stock {
  HGDIOBJ white_brush = nullptr;
  HGDIOBJ black_brush = nullptr;
  HGDIOBJ null_brush = nullptr;
  HGDIOBJ white_pen = nullptr;
  HGDIOBJ black_pen = nullptr;
  HGDIOBJ system_font = nullptr;
  HGDIOBJ gui_font = nullptr;
  HBITMAP default_bitmap = nullptr;
};

const Stock& Stocks() {
  static const Stock stock = [] {
    Stock s{};
    s.white_brush = AddObject(Brush{false, RGB(255, 255, 255)}, true);
    s.black_brush = AddObject(Brush{false, RGB(0, 0, 0)}, true);
    s.null_brush = AddObject(Brush{true, 0}, true);
    s.white_pen = AddObject(Pen{false, RGB(255, 255, 255), 1}, true);
    s.black_pen = AddObject(Pen{false, RGB(0, 0, 0), 1}, true);
    Font system;
    system.logfont = MakeLogFont(16, FW_BOLD, L"System");
    s.system_font = AddObject(std::move(system), true);
    Font gui;
    gui.logfont = MakeLogFont(-11, FW_NORMAL, L"MS Shell Dlg");
    s.gui_font = AddObject(std::move(gui), true);
    Bitmap one;
    one.width = one.height = 1;
    one.mono = true;
    one.pixels.assign(1, 0);
    s.default_bitmap = static_cast<HBITMAP>(AddObject(std::move(one), true));
    return s;
  }();
  return stock;
}

}  // namespace

Object* LookupObject(const void* handle) {
  auto& objects = TheTable().objects;
  auto it = objects.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == objects.end() ? nullptr : it->second.get();
}

void* AddObject(Payload payload, bool stock) {
  Table& t = TheTable();
  const std::uintptr_t id = t.next_id;
  t.next_id += 4;
  auto object = std::make_unique<Object>();
  object->payload = std::move(payload);
  object->stock = stock;
  t.objects.emplace(id, std::move(object));
  return reinterpret_cast<void*>(id);
}

void EraseObject(const void* handle) {
  TheTable().objects.erase(reinterpret_cast<std::uintptr_t>(handle));
}

HGDIOBJ StockObject(int index) {
  const Stock& s = Stocks();
  switch (index) {
    case WHITE_BRUSH:
      return s.white_brush;
    case BLACK_BRUSH:
      return s.black_brush;
    case NULL_BRUSH:
      return s.null_brush;
    case WHITE_PEN:
      return s.white_pen;
    case BLACK_PEN:
      return s.black_pen;
    case SYSTEM_FONT:
      return s.system_font;
    case DEFAULT_GUI_FONT:
      return s.gui_font;
    default:
      return nullptr;
  }
}

HBITMAP DefaultBitmap() {
  return Stocks().default_bitmap;
}

void Retain(const void* handle) {
  if (Object* o = LookupObject(handle)) ++o->select_count;
}

void Release(const void* handle) {
  Object* o = LookupObject(handle);
  if (!o) return;
  if (o->select_count > 0) --o->select_count;
  if (o->select_count == 0 && o->delete_pending) EraseObject(handle);
}

bool SizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxDimension && height <= kMaxDimension &&
         width * height <= kMaxPixels;
}

}  // namespace gdi::detail

namespace gdi {

std::size_t ObjectCount() {
  return CountObjects().Total();
}

ObjectCounts CountObjects() {
  ObjectCounts counts;
  for (const auto& entry : detail::TheTable().objects) {
    if (entry.second->stock) continue;
    std::visit(
        [&counts](const auto& payload) {
          using T = std::decay_t<decltype(payload)>;
          if constexpr (std::is_same_v<T, detail::Bitmap>) ++counts.bitmaps;
          if constexpr (std::is_same_v<T, detail::DC>) ++counts.device_contexts;
          if constexpr (std::is_same_v<T, detail::Region>) ++counts.regions;
          if constexpr (std::is_same_v<T, detail::Brush>) ++counts.brushes;
          if constexpr (std::is_same_v<T, detail::Pen>) ++counts.pens;
          if constexpr (std::is_same_v<T, detail::Font>) ++counts.fonts;
        },
        entry.second->payload);
  }
  return counts;
}

}  // namespace gdi
