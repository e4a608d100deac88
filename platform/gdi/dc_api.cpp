// Device contexts: creation, selected objects, colours, modes, window origin and clipping.
#include "dc_access.h"
#include "surface.h"
#include "wingdi.h"

namespace gdi::detail {

Drawable GetDrawable(HDC hdc) {
  Drawable d;
  d.dc = Lookup<DC>(hdc);
  if (d.dc) d.bitmap = Lookup<Bitmap>(d.dc->surface ? d.dc->target : d.dc->bitmap);
  return d;
}

Region EffectiveClip(const DC& dc, const Bitmap& bm) {
  Region r = Region::FromRect(0, 0, bm.width, bm.height);
  if (dc.surface && dc.system_clip) r = Region::Combine(r, *dc.system_clip, Region::kAnd);
  if (dc.clip) {
    Region c = *dc.clip;
    const POINT o = DeviceOriginInTarget(dc);
    c.Offset(o.x, o.y);
    r = Region::Combine(r, c, Region::kAnd);
  }
  return r;
}

namespace {

HDC NewDC(DC dc) {
  dc.font = static_cast<HFONT>(StockObject(SYSTEM_FONT));
  dc.brush = static_cast<HBRUSH>(StockObject(WHITE_BRUSH));
  dc.pen = static_cast<HPEN>(StockObject(BLACK_PEN));
  Retain(dc.font);
  Retain(dc.brush);
  Retain(dc.pen);
  return static_cast<HDC>(AddObject(std::move(dc)));
}

// The device area a clip operation starts from when the DC has no clip region yet.
Region DeviceArea(const DC& dc) {
  const Bitmap* bm = Lookup<Bitmap>(dc.surface ? dc.target : dc.bitmap);
  if (!bm) return Region();
  const POINT o = DeviceOriginInTarget(dc);
  return Region::FromRect(-o.x, -o.y, bm->width - o.x, bm->height - o.y);
}

// A logical rectangle as a region in device coordinates.
Region DeviceRect(const DC& dc, int left, int top, int right, int bottom) {
  const POINT tl = ToDevice(dc, left, top), br = ToDevice(dc, right, bottom);
  return Region::FromRect(tl.x, tl.y, br.x, br.y);
}

int ClipComplexity(HDC hdc) {
  Drawable d = GetDrawable(hdc);
  if (!d) return d.dc ? NULLREGION : ERROR;
  return EffectiveClip(*d.dc, *d.bitmap).Complexity();
}

template <typename Member, typename Value>
Value Swap(HDC hdc, Member member, Value value, Value failure) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return failure;
  Value old = dc->*member;
  dc->*member = value;
  return old;
}

template <typename Member, typename Value>
Value Read(HDC hdc, Member member, Value failure) {
  const DC* dc = Lookup<DC>(hdc);
  return dc ? dc->*member : failure;
}

}  // namespace

}  // namespace gdi::detail

using namespace gdi::detail;

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc && !Lookup<DC>(hdc)) return nullptr;
  DC dc;
  dc.bitmap = DefaultBitmap();
  return NewDC(std::move(dc));
}

BOOL DeleteDC(HDC hdc) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  if (!dc->surface) {
    if (Bitmap* bm = Lookup<Bitmap>(dc->bitmap); bm && bm->selected_in == hdc) {
      bm->selected_in = nullptr;
    }
  }
  const HGDIOBJ held[] = {dc->font, dc->brush, dc->pen};
  EraseObject(hdc);
  for (HGDIOBJ h : held) Release(h);
  return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
  DC* dc = Lookup<DC>(hdc);
  Object* o = LookupObject(obj);
  if (!dc || !o || o->delete_pending) return nullptr;
  if (auto* bm = std::get_if<Bitmap>(&o->payload)) {
    if (dc->surface) return nullptr;
    HBITMAP next = static_cast<HBITMAP>(obj);
    if (next == dc->bitmap) return next;
    if (!o->stock && bm->selected_in && bm->selected_in != hdc) return nullptr;
    HBITMAP old = dc->bitmap;
    if (Bitmap* prev = Lookup<Bitmap>(old); prev && prev->selected_in == hdc) {
      prev->selected_in = nullptr;
    }
    if (!o->stock) bm->selected_in = hdc;
    dc->bitmap = next;
    return old;
  }
  if (auto* rgn = std::get_if<Region>(&o->payload)) {
    dc->clip = *rgn;
    return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(ClipComplexity(hdc)));
  }
  HGDIOBJ* slot = nullptr;
  if (std::holds_alternative<Brush>(o->payload)) slot = reinterpret_cast<HGDIOBJ*>(&dc->brush);
  if (std::holds_alternative<Pen>(o->payload)) slot = reinterpret_cast<HGDIOBJ*>(&dc->pen);
  if (std::holds_alternative<Font>(o->payload)) slot = reinterpret_cast<HGDIOBJ*>(&dc->font);
  if (!slot) return nullptr;
  HGDIOBJ old = *slot;
  *slot = obj;
  Retain(obj);
  Release(old);
  return old;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_BITMAP:
      return dc->surface ? dc->target : dc->bitmap;
    case OBJ_FONT:
      return dc->font;
    case OBJ_BRUSH:
      return dc->brush;
    case OBJ_PEN:
      return dc->pen;
    default:
      return nullptr;
  }
}

HBITMAP GetCurrentBitmap(HDC hdc) {
  return static_cast<HBITMAP>(GetCurrentObject(hdc, OBJ_BITMAP));
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  return Swap(hdc, &DC::text_color, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetTextColor(HDC hdc) {
  return Read(hdc, &DC::text_color, CLR_INVALID);
}
COLORREF SetBkColor(HDC hdc, COLORREF color) {
  return Swap(hdc, &DC::bk_color, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetBkColor(HDC hdc) {
  return Read(hdc, &DC::bk_color, CLR_INVALID);
}

int SetBkMode(HDC hdc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return Swap(hdc, &DC::bk_mode, mode, 0);
}
int GetBkMode(HDC hdc) {
  return Read(hdc, &DC::bk_mode, 0);
}

int SetStretchBltMode(HDC hdc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return Swap(hdc, &DC::stretch_mode, mode, 0);
}
int GetStretchBltMode(HDC hdc) {
  return Read(hdc, &DC::stretch_mode, 0);
}

int SetMapMode(HDC hdc, int mode) {
  if (mode != MM_TEXT) return 0;
  return Swap(hdc, &DC::map_mode, mode, 0);
}
int GetMapMode(HDC hdc) {
  return Read(hdc, &DC::map_mode, 0);
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->window_org;
  dc->window_org = POINT{x, y};
  return TRUE;
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT origin) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc || !origin) return FALSE;
  *origin = dc->window_org;
  return TRUE;
}

// Extents mean nothing under MM_TEXT, the only mapping mode offered: they stay 1 x 1.
BOOL SetWindowExtEx(HDC hdc, int, int, SIZE* old) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->window_ext;
  return TRUE;
}
BOOL SetViewportExtEx(HDC hdc, int, int, SIZE* old) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->viewport_ext;
  return TRUE;
}
BOOL GetWindowExtEx(HDC hdc, SIZE* size) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc || !size) return FALSE;
  *size = dc->window_ext;
  return TRUE;
}
BOOL GetViewportExtEx(HDC hdc, SIZE* size) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc || !size) return FALSE;
  *size = dc->viewport_ext;
  return TRUE;
}

BOOL LPtoDP(HDC hdc, LPPOINT points, int count) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc || count < 0 || (count > 0 && !points)) return FALSE;
  for (int i = 0; i < count; ++i) {
    points[i].x = WrapAdd(points[i].x, -std::int64_t{dc->window_org.x});
    points[i].y = WrapAdd(points[i].y, -std::int64_t{dc->window_org.y});
  }
  return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc || count < 0 || (count > 0 && !points)) return FALSE;
  for (int i = 0; i < count; ++i) {
    points[i].x = WrapAdd(points[i].x, dc->window_org.x);
    points[i].y = WrapAdd(points[i].y, dc->window_org.y);
  }
  return TRUE;
}

int GetClipBox(HDC hdc, LPRECT rect) {
  Drawable d = GetDrawable(hdc);
  if (!d.dc || !rect) return ERROR;
  if (!d.bitmap) {
    *rect = RECT{0, 0, 0, 0};
    return NULLREGION;
  }
  const Region clip = EffectiveClip(*d.dc, *d.bitmap);
  if (clip.Empty()) {
    *rect = RECT{0, 0, 0, 0};
    return NULLREGION;
  }
  RECT box = clip.Box();
  const POINT o = DeviceOriginInTarget(*d.dc);
  const std::int64_t dx = std::int64_t{d.dc->window_org.x} - o.x;
  const std::int64_t dy = std::int64_t{d.dc->window_org.y} - o.y;
  *rect = RECT{WrapAdd(box.left, dx), WrapAdd(box.top, dy), WrapAdd(box.right, dx),
               WrapAdd(box.bottom, dy)};
  return clip.Complexity();
}

int SelectClipRgn(HDC hdc, HRGN rgn) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return ERROR;
  if (!rgn) {
    dc->clip.reset();
  } else {
    const Region* r = Lookup<Region>(rgn);
    if (!r) return ERROR;
    dc->clip = *r;
  }
  return ClipComplexity(hdc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return ERROR;
  const Region base = dc->clip ? *dc->clip : DeviceArea(*dc);
  const Region cut = DeviceRect(*dc, left, top, right, bottom);
  dc->clip = Region::Combine(base, cut, Region::kDiff);
  return ClipComplexity(hdc);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return ERROR;
  const Region keep = DeviceRect(*dc, left, top, right, bottom);
  dc->clip = dc->clip ? Region::Combine(*dc->clip, keep, Region::kAnd) : keep;
  return ClipComplexity(hdc);
}

namespace gdi {

HDC CreateSurfaceDC(HBITMAP target, POINT origin, HRGN clip) {
  const Bitmap* bm = Lookup<Bitmap>(target);
  if (!bm || bm->mono) return nullptr;
  DC dc;
  dc.surface = true;
  dc.target = target;
  dc.origin = origin;
  if (clip) {
    const Region* r = Lookup<Region>(clip);
    if (!r) return nullptr;
    dc.system_clip = *r;
  }
  return NewDC(std::move(dc));
}

void SetSurfaceClip(HDC hdc, HRGN clip) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc || !dc->surface) return;
  if (!clip) {
    dc->system_clip.reset();
  } else {
    const Region* r = Lookup<Region>(clip);
    dc->system_clip = r ? *r : Region();  // a stale clip shows nothing rather than everything
  }
}

}  // namespace gdi
