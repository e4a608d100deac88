// The painting cycle: update regions, paint and window device contexts, framebuffers and
// presenting.
#include <algorithm>
#include <map>

#include "internal.h"

namespace user {
namespace {

void AndWith(Region& r, HRGN other) {
  CombineRgn(r.get(), r.get(), other, RGN_AND);
}
void Subtract(Region& r, HRGN other) {
  CombineRgn(r.get(), r.get(), other, RGN_DIFF);
}

// The window's own area (its rectangle and region) in root coordinates, ignoring ancestors.
Region OwnArea(const Window* w) {
  POINT o = OriginInRoot(w);
  Region r(o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top));
  if (w->region) {
    Region wr = w->region.Copy();
    OffsetRgn(wr.get(), o.x, o.y);
    AndWith(r, wr.get());
  }
  return r;
}

enum class Children { kNone, kByStyle, kAll };

void Invalidate(HWND h, HRGN client_rgn, bool erase, Children children) {
  Window* w = Find(h);
  if (!w || !Visible(w)) return;
  RECT c = ClientRectInWindow(w);
  Region area(0, 0, c.right - c.left, c.bottom - c.top);
  if (client_rgn) AndWith(area, client_rgn);
  if (area.Empty()) return;
  if (!w->update) w->update = Region(0, 0, 0, 0);
  CombineRgn(w->update.get(), w->update.get(), area.get(), RGN_OR);
  if (erase) w->erase = true;
  bool into_children = children == Children::kAll ||
                       (children == Children::kByStyle && !(w->style & WS_CLIPCHILDREN));
  if (!into_children) return;
  for (HWND ch : ChildrenCopy(h)) {
    Window* cw = Find(ch);
    if (!cw || !(cw->style & WS_VISIBLE)) continue;
    Region part(cw->rect);
    if (cw->region) {
      Region cr = cw->region.Copy();
      OffsetRgn(cr.get(), cw->rect.left, cw->rect.top);
      AndWith(part, cr.get());
    }
    AndWith(part, area.get());
    if (part.Empty()) continue;
    RECT ins = ClientInsets(cw);
    OffsetRgn(part.get(), -(cw->rect.left + ins.left), -(cw->rect.top + ins.top));
    Invalidate(ch, part.get(), erase, children);
  }
}

void Validate(HWND h, HRGN client_rgn) {
  Window* w = Find(h);
  if (!w || !w->update) return;
  if (client_rgn)
    Subtract(w->update, client_rgn);
  else
    w->update.Reset();
  if (!w->update || w->update.Empty()) {
    w->update.Reset();
    w->erase = false;
  }
}

bool NeedsPaint(const Window* w) {
  return Visible(w) && ((w->update && !w->update.Empty()) || w->internal_paint);
}

bool FindIn(HWND h, HWND filter, HWND* out) {
  Window* w = Find(h);
  if (!w || !Visible(w)) return false;
  if ((!filter || filter == h) && NeedsPaint(w)) {
    *out = h;
    return true;
  }
  const auto& kids = w->children;
  for (auto it = kids.rbegin(); it != kids.rend(); ++it)
    if (FindIn(*it, filter, out)) return true;
  return false;
}

HDC MakeDC(Window* w, bool whole_window, const Region* extra_clip, bool clip_children) {
  Window* root = Find(Root(w->handle));
  if (!root) return nullptr;
  EnsureFramebuffer(root);
  if (!root->framebuffer) return nullptr;
  Region clip = whole_window ? VisibleWindowRegion(w) : VisibleClientRegion(w, clip_children);
  if (extra_clip && *extra_clip) AndWith(clip, extra_clip->get());
  POINT origin = whole_window ? OriginInRoot(w) : ClientOriginInRoot(w);
  HDC dc = gdi::CreateSurfaceDC(root->framebuffer, origin, clip.get());
  if (!dc) return nullptr;
  RECT box = clip.Box();
  MarkDirty(root, box);
  Session().dcs[dc] = w->handle;
  return dc;
}

struct SysColor {
  int index = 0;
  COLORREF color = 0;
};
// The colours the window system's own drawing uses.
constexpr SysColor kSysColors[] = {
    {COLOR_WINDOW, 0xFFFFFF},     {COLOR_WINDOWFRAME, 0x646464},  {COLOR_MENUTEXT, 0x000000},
    {COLOR_WINDOWTEXT, 0x000000}, {COLOR_HIGHLIGHT, 0xD77800},    {COLOR_HIGHLIGHTTEXT, 0xFFFFFF},
    {COLOR_BTNFACE, 0xF0F0F0},    {COLOR_BTNSHADOW, 0xA0A0A0},    {COLOR_GRAYTEXT, 0x6D6D6D},
    {COLOR_BTNTEXT, 0x000000},    {COLOR_BTNHIGHLIGHT, 0xFFFFFF}, {COLOR_3DDKSHADOW, 0x696969},
    {COLOR_INFOTEXT, 0x000000},   {COLOR_INFOBK, 0xE1FFFF},
};

}  // namespace

void EnsureFramebuffer(Window* w) {
  if (w->IsChild()) return;
  int width = std::max<LONG>(1, w->rect.right - w->rect.left);
  int height = std::max<LONG>(1, w->rect.bottom - w->rect.top);
  if (w->framebuffer) {
    BITMAP bm{};
    if (GetObjectW(w->framebuffer, sizeof bm, &bm) && bm.bmWidth == width && bm.bmHeight == height)
      return;
    // Device contexts may still draw into the old one; it goes once they are all released.
    Session().retired_framebuffers.push_back(w->framebuffer);
    w->framebuffer = nullptr;
  }
  w->framebuffer = gdi::CreateFramebuffer(width, height);
  w->dirty = Region(0, 0, width, height);
}

void MarkDirty(Window* root, const RECT& rc) {
  if (!root || rc.right <= rc.left || rc.bottom <= rc.top) return;
  Region r(rc);
  if (!root->dirty) root->dirty = Region(0, 0, 0, 0);
  CombineRgn(root->dirty.get(), root->dirty.get(), r.get(), RGN_OR);
}

Region VisibleWindowRegion(const Window* w) {
  if (!Visible(w)) return Region(0, 0, 0, 0);
  Region r = OwnArea(w);
  const Window* c = w;
  while (c->IsChild()) {
    Window* p = Find(c->parent);
    if (!p) break;
    if (c->style & WS_CLIPSIBLINGS) {
      for (HWND sib : p->children) {
        if (sib == c->handle) break;
        Window* sw = Find(sib);
        if (sw && (sw->style & WS_VISIBLE)) {
          Region a = OwnArea(sw);
          Subtract(r, a.get());
        }
      }
    }
    POINT po = ClientOriginInRoot(p);
    RECT pc = ClientRectInWindow(p);
    Region client(po.x, po.y, po.x + (pc.right - pc.left), po.y + (pc.bottom - pc.top));
    AndWith(r, client.get());
    Region pa = OwnArea(p);
    AndWith(r, pa.get());
    c = p;
  }
  return r;
}

Region VisibleClientRegion(const Window* w, bool clip_children) {
  Region r = VisibleWindowRegion(w);
  POINT co = ClientOriginInRoot(w);
  RECT c = ClientRectInWindow(w);
  Region client(co.x, co.y, co.x + (c.right - c.left), co.y + (c.bottom - c.top));
  AndWith(r, client.get());
  if (clip_children) {
    for (HWND ch : w->children) {
      Window* cw = Find(ch);
      if (!cw || !(cw->style & WS_VISIBLE)) continue;
      Region a = OwnArea(cw);
      Subtract(r, a.get());
    }
  }
  return r;
}

void InvalidateInternal(HWND h, HRGN client_rgn, bool erase, bool children) {
  Invalidate(h, client_rgn, erase, children ? Children::kByStyle : Children::kNone);
}

void InvalidateWhole(HWND h, bool erase) {
  Window* w = Find(h);
  if (!w) return;
  if (OwnCaption(w) || ClientInsets(w).top) w->nc_dirty = true;
  Invalidate(h, nullptr, erase, Children::kAll);
}

void InvalidateParentArea(HWND h, const RECT& rect_in_parent) {
  Window* w = Find(h);
  if (!w || !w->IsChild() || !Find(w->parent)) return;
  // A child's rectangle is already in its parent's client coordinates.
  Region r(rect_in_parent);
  Invalidate(w->parent, r.get(), true, Children::kAll);
}

bool FindPaintWindow(HWND filter, HWND* out) {
  auto& session = Session();
  // Frames and captions drawn by the window system come first.
  for (HWND t : std::vector<HWND>(session.toplevels)) {
    Window* w = Find(t);
    if (w && w->nc_dirty && Visible(w)) {
      w->nc_dirty = false;
      SendMessageW(t, WM_NCPAINT, 1, 0);
    }
  }
  for (HWND t : session.toplevels)
    if (FindIn(t, filter, out)) return true;
  return false;
}

void PresentAll() {
  auto& session = Session();
  if (session.dcs.empty()) {
    for (HBITMAP b : session.retired_framebuffers) DeleteObject(b);
    session.retired_framebuffers.clear();
  }
  host::Host* h = CurrentHost();
  if (!h) return;
  for (HWND t : session.toplevels) {
    Window* w = Find(t);
    if (!w || !w->native || !w->framebuffer || !w->dirty || w->dirty.Empty()) continue;
    if (!(w->style & WS_VISIBLE)) continue;
    gdi::PixelBuffer pb;
    if (!gdi::GetPixelBuffer(w->framebuffer, &pb)) continue;
    host::Framebuffer fb{pb.pixels, pb.width, pb.height, pb.stride};
    std::vector<host::Rect> rects;
    for (const RECT& r : gdi::GetRegionRects(w->dirty.get()))
      rects.push_back({r.left, r.top, r.right, r.bottom});
    w->dirty.Reset();
    h->Present(w->native, fb, rects);
  }
}

void ReleaseWindowDCs(HWND h) {
  auto& dcs = Session().dcs;
  for (auto it = dcs.begin(); it != dcs.end();) {
    if (it->second == h) {
      DeleteDC(it->first);
      it = dcs.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace user

using namespace user;

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  Window* w = Find(hwnd);
  if (!w || !paint) return nullptr;
  *paint = PAINTSTRUCT{};
  if (w->nc_dirty && Visible(w)) {
    w->nc_dirty = false;
    SendMessageW(hwnd, WM_NCPAINT, 1, 0);
    w = Find(hwnd);
    if (!w) return nullptr;
  }
  Region update = w->update ? w->update.Copy() : Region(0, 0, 0, 0);
  bool erase = w->erase;
  w->update.Reset();
  w->erase = false;
  w->internal_paint = false;
  paint->rcPaint = update.Box();
  POINT co = ClientOriginInRoot(w);
  OffsetRgn(update.get(), co.x, co.y);
  HDC dc = MakeDC(w, false, &update, (w->style & WS_CLIPCHILDREN) != 0);
  paint->hdc = dc;
  w->in_paint = true;
  // Erasing is left to the program only when it was asked for and WM_ERASEBKGND did not do it.
  paint->fErase = FALSE;
  if (erase && dc)
    paint->fErase =
        SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (Window* w = Find(hwnd)) w->in_paint = false;
  if (!paint || !paint->hdc) return TRUE;
  auto& dcs = Session().dcs;
  if (auto it = dcs.find(paint->hdc); it != dcs.end()) {
    DeleteDC(it->first);
    dcs.erase(it);
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  Window* w = Find(hwnd);
  if (!w) return FALSE;
  RECT box{};
  bool any = w->update && !w->update.Empty();
  if (any) box = w->update.Box();
  if (rect) *rect = box;
  if (any && erase && w->erase) {
    Region update = w->update.Copy();
    POINT co = ClientOriginInRoot(w);
    OffsetRgn(update.get(), co.x, co.y);
    HDC dc = MakeDC(w, false, &update, (w->style & WS_CLIPCHILDREN) != 0);
    w->erase = false;
    if (dc) {
      SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      ReleaseDC(hwnd, dc);
    }
  }
  return any ? TRUE : FALSE;
}

HDC GetDC(HWND hwnd) {
  if (!hwnd) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc) Session().dcs[dc] = nullptr;
    return dc;
  }
  Window* w = Find(hwnd);
  if (!w) return nullptr;
  return MakeDC(w, false, nullptr, (w->style & WS_CLIPCHILDREN) != 0);
}

HDC GetWindowDC(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return nullptr;
  return MakeDC(w, true, nullptr, false);
}

int ReleaseDC(HWND, HDC hdc) {
  auto& dcs = Session().dcs;
  auto it = dcs.find(hdc);
  if (it == dcs.end()) return 0;
  DeleteDC(hdc);
  dcs.erase(it);
  return 1;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    for (HWND t : std::vector<HWND>(Session().toplevels)) InvalidateRect(t, rect, erase);
    return TRUE;
  }
  if (!Find(hwnd)) return FALSE;
  if (rect) {
    Region r(*rect);
    InvalidateInternal(hwnd, r.get(), erase != FALSE, true);
  } else {
    InvalidateInternal(hwnd, nullptr, erase != FALSE, true);
  }
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  if (!Find(hwnd)) return FALSE;
  if (rect) {
    Region r(*rect);
    Validate(hwnd, r.get());
  } else {
    Validate(hwnd, nullptr);
  }
  return TRUE;
}

namespace {
void PaintTree(HWND h, bool children) {
  Window* w = Find(h);
  if (!w || !Visible(w)) return;
  if (NeedsPaint(w)) SendMessageW(h, WM_PAINT, 0, 0);
  if (!children) return;
  std::vector<HWND> kids = ChildrenCopy(h);
  for (auto it = kids.rbegin(); it != kids.rend(); ++it) PaintTree(*it, true);
}
}  // namespace

BOOL UpdateWindow(HWND hwnd) {
  if (!Find(hwnd)) return FALSE;
  FindPaintWindow(hwnd, &hwnd);  // sends pending frame paints
  PaintTree(hwnd, true);
  return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags) {
  if (!hwnd) {
    for (HWND t : std::vector<HWND>(Session().toplevels)) RedrawWindow(t, rect, rgn, flags);
    return TRUE;
  }
  Window* w = Find(hwnd);
  if (!w) return FALSE;
  Children mode = (flags & RDW_ALLCHILDREN)  ? Children::kAll
                  : (flags & RDW_NOCHILDREN) ? Children::kNone
                                             : Children::kByStyle;
  Region area;
  if (rgn) {
    area = Region(0, 0, 0, 0);
    CombineRgn(area.get(), rgn, nullptr, RGN_COPY);
  } else if (rect) {
    area = Region(*rect);
  }
  if (flags & RDW_INVALIDATE) {
    Invalidate(hwnd, area.get(), (flags & RDW_ERASE) != 0, mode);
    if (flags & RDW_FRAME) w->nc_dirty = true;
    if (flags & RDW_INTERNALPAINT) w->internal_paint = true;
  }
  if (flags & RDW_VALIDATE) {
    Validate(hwnd, area.get());
    if (flags & RDW_NOINTERNALPAINT) w->internal_paint = false;
  }
  if ((flags & RDW_NOERASE) && Find(hwnd)) Find(hwnd)->erase = false;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) PaintTree(hwnd, mode != Children::kNone);
  return TRUE;
}

DWORD GetSysColor(int index) {
  for (const auto& c : kSysColors)
    if (c.index == index) return c.color;
  return 0;
}

HBRUSH GetSysColorBrush(int index) {
  static auto* brushes = new std::map<int, HBRUSH>();
  auto it = brushes->find(index);
  if (it != brushes->end()) return it->second;
  HBRUSH b = CreateSolidBrush(GetSysColor(index));
  (*brushes)[index] = b;
  return b;
}
