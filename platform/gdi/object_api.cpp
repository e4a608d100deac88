// Brushes, pens, stock objects and the calls that work on any GDI object.
#include <cstring>

#include "objects.h"
#include "wingdi.h"

using namespace gdi::detail;

HBRUSH CreateSolidBrush(COLORREF color) {
  return static_cast<HBRUSH>(AddObject(Brush{false, color & 0xFFFFFF}));
}

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style != PS_SOLID) return nullptr;  // only solid pens are offered
  return static_cast<HPEN>(AddObject(Pen{false, color & 0xFFFFFF, width < 1 ? 1 : width}));
}

HGDIOBJ GetStockObject(int index) {
  return StockObject(index);
}

BOOL DeleteObject(HGDIOBJ obj) {
  Object* o = LookupObject(obj);
  if (!o) return FALSE;
  if (o->stock) return TRUE;  // stock objects outlive every call to delete them
  if (std::holds_alternative<DC>(o->payload)) return FALSE;
  if (const auto* bm = std::get_if<Bitmap>(&o->payload); bm && bm->selected_in) return FALSE;
  if (o->select_count > 0) {
    // A brush, pen or font still selected somewhere goes when the last DC lets it go.
    o->delete_pending = true;
    return TRUE;
  }
  EraseObject(obj);
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ obj) {
  const Object* o = LookupObject(obj);
  if (!o) return 0;
  struct Visitor {
    DWORD operator()(const Bitmap&) const { return OBJ_BITMAP; }
    DWORD operator()(const DC& dc) const { return dc.surface ? OBJ_DC : OBJ_MEMDC; }
    DWORD operator()(const Region&) const { return OBJ_REGION; }
    DWORD operator()(const Brush&) const { return OBJ_BRUSH; }
    DWORD operator()(const Pen&) const { return OBJ_PEN; }
    DWORD operator()(const Font&) const { return OBJ_FONT; }
  };
  return std::visit(Visitor{}, o->payload);
}

int GetObjectW(HGDIOBJ obj, int bytes, LPVOID out) {
  const Object* o = LookupObject(obj);
  if (!o) return 0;
  if (const auto* bm = std::get_if<Bitmap>(&o->payload)) {
    if (!out) return sizeof(BITMAP);
    if (bytes < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP info{};
    info.bmWidth = bm->width;
    info.bmHeight = bm->height;
    info.bmWidthBytes = bm->mono ? ((bm->width + 15) / 16) * 2 : bm->width * 4;
    info.bmPlanes = 1;
    info.bmBitsPixel = bm->mono ? 1 : 32;
    std::memcpy(out, &info, sizeof info);
    return sizeof(BITMAP);
  }
  if (const auto* font = std::get_if<Font>(&o->payload)) {
    if (!out) return sizeof(LOGFONTW);
    if (bytes < static_cast<int>(sizeof(LOGFONTW))) return 0;
    std::memcpy(out, &font->logfont, sizeof(LOGFONTW));
    return sizeof(LOGFONTW);
  }
  return 0;
}
