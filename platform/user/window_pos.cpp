// Show, hide, minimise and restore; position, size and z-order; coordinates.
#include <algorithm>

#include "internal.h"

namespace user {

bool Decorated() {
  return CurrentHost() && CurrentHost()->DecoratesCaptions();
}
int CaptionHeight() {
  return Decorated() ? 0 : 20;
}
int DialogFrame() {
  return Decorated() ? 0 : 3;
}

bool OwnCaption(const Window* w) {
  return !w->IsChild() && (w->style & WS_CAPTION) == WS_CAPTION && !Decorated();
}

RECT ClientInsets(const Window* w) {
  if (!w->IsChild()) {
    bool dialog_frame = (w->style & WS_DLGFRAME) || (w->exstyle & WS_EX_DLGMODALFRAME) ||
                        (w->cls && w->cls->name == L"#32770" && (w->style & DS_MODALFRAME));
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
      int f = DialogFrame();
      return {f, f + CaptionHeight(), f, f};
    }
    if (dialog_frame) {
      int f = DialogFrame();
      return {f, f, f, f};
    }
  }
  if (w->style & WS_BORDER) return {1, 1, 1, 1};
  if (w->exstyle & WS_EX_CLIENTEDGE) return {2, 2, 2, 2};
  return {0, 0, 0, 0};
}

RECT ClientRectInWindow(const Window* w) {
  RECT ins = ClientInsets(w);
  int width = w->rect.right - w->rect.left;
  int height = w->rect.bottom - w->rect.top;
  RECT rc{ins.left, ins.top, std::max<LONG>(ins.left, width - ins.right),
          std::max<LONG>(ins.top, height - ins.bottom)};
  return rc;
}

POINT WindowOriginOnScreen(const Window* w) {
  if (!w->IsChild()) return {w->rect.left, w->rect.top};
  Window* p = Find(w->parent);
  POINT o = p ? ClientOriginOnScreen(p) : POINT{0, 0};
  return {o.x + w->rect.left, o.y + w->rect.top};
}

POINT ClientOriginOnScreen(const Window* w) {
  POINT o = WindowOriginOnScreen(w);
  RECT ins = ClientInsets(w);
  return {o.x + ins.left, o.y + ins.top};
}

POINT OriginInRoot(const Window* w) {
  if (!w->IsChild()) return {0, 0};
  Window* p = Find(w->parent);
  POINT o = p ? ClientOriginInRoot(p) : POINT{0, 0};
  return {o.x + w->rect.left, o.y + w->rect.top};
}

POINT ClientOriginInRoot(const Window* w) {
  POINT o = OriginInRoot(w);
  RECT ins = ClientInsets(w);
  return {o.x + ins.left, o.y + ins.top};
}

void ShowNative(Window* w, bool activate) {
  if (w->native && CurrentHost()) CurrentHost()->Show(w->native, activate);
}

namespace {

host::Rect HostRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// The next window to activate when `h` stops being the active one: its owner when it has one
// that can take it, else the topmost shown window of ours.
HWND NextActive(HWND h) {
  auto& session = Session();
  Window* w = Find(h);
  if (w && w->owner) {
    Window* o = Find(w->owner);
    if (o && Visible(o) && !(o->style & WS_DISABLED)) return w->owner;
  }
  for (HWND t : session.toplevels) {
    Window* o = Find(t);
    if (t == h || !o || !Visible(o) || (o->style & WS_DISABLED)) continue;
    if (o->exstyle & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW)) continue;
    return t;
  }
  return nullptr;
}

void ChangeZOrder(Window* w, HWND after) {
  auto& session = Session();
  std::vector<HWND>* list = &session.toplevels;
  if (w->IsChild()) list = &Find(w->parent)->children;
  list->erase(std::remove(list->begin(), list->end(), w->handle), list->end());
  if (after == HWND_TOPMOST && !w->IsChild()) w->exstyle |= WS_EX_TOPMOST;
  if (after == HWND_NOTOPMOST && !w->IsChild()) {
    w->exstyle &= ~WS_EX_TOPMOST;
    after = HWND_TOP;
  }
  if (after == HWND_BOTTOM) {
    list->push_back(w->handle);
  } else if (after == HWND_TOP || after == HWND_TOPMOST) {
    auto it = list->begin();
    if (!w->IsChild() && !(w->exstyle & WS_EX_TOPMOST)) {
      it = std::find_if(list->begin(), list->end(), [](HWND h) {
        Window* o = Find(h);
        return o && !(o->exstyle & WS_EX_TOPMOST);
      });
    }
    list->insert(it, w->handle);
  } else {
    auto it = std::find(list->begin(), list->end(), after);
    list->insert(it == list->end() ? list->end() : it + 1, w->handle);
  }
  if (!w->IsChild() && w->native && CurrentHost() && (after == HWND_TOP || after == HWND_TOPMOST))
    CurrentHost()->Raise(w->native, false);
  if (w->IsChild()) InvalidateWhole(w->handle, true);
}

}  // namespace

void HideTopLevel(Window* w) {
  if (w->native && CurrentHost()) CurrentHost()->Hide(w->native);
  Notify(TopLevelEvent::Kind::kHidden, w->handle);
}

}  // namespace user

using namespace user;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  auto& session = Session();
  Window* w = Find(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->rect.left;
    wp.y = w->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->rect.right - w->rect.left;
    wp.cy = w->rect.bottom - w->rect.top;
  }
  SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  w = Find(hwnd);
  if (!w) return FALSE;
  wp.cx = std::max(0, wp.cx);
  wp.cy = std::max(0, wp.cy);

  RECT old = w->rect;
  RECT now{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
  bool moved = now.left != old.left || now.top != old.top;
  bool sized = (now.right - now.left) != (old.right - old.left) ||
               (now.bottom - now.top) != (old.bottom - old.top);
  if (w->minimized) {
    w->normal = now;
    moved = sized = false;
  } else {
    w->rect = now;
    w->normal = now;
  }
  bool was_visible = (w->style & WS_VISIBLE) != 0;
  if (moved || sized) {
    if (!w->IsChild()) {
      if (w->native && CurrentHost()) CurrentHost()->SetWindowRect(w->native, HostRect(now));
      if (sized) {
        EnsureFramebuffer(w);
        w->nc_dirty = true;
        InvalidateWhole(hwnd, true);
      }
    } else if (was_visible && !(flags & SWP_NOREDRAW)) {
      InvalidateParentArea(hwnd, old);
      InvalidateWhole(hwnd, true);
    }
  }
  if (!(flags & SWP_NOZORDER) && insertAfter != hwnd) ChangeZOrder(w, insertAfter);

  if ((flags & SWP_SHOWWINDOW) && !was_visible) {
    w->style |= WS_VISIBLE;
    w->nc_dirty = true;
    InvalidateWhole(hwnd, true);
    if (!w->IsChild()) {
      EnsureFramebuffer(w);
      bool activate = !(flags & SWP_NOACTIVATE) && !(w->exstyle & WS_EX_NOACTIVATE);
      if (!w->minimized) {
        ShowNative(w, activate);
        Notify(TopLevelEvent::Kind::kShown, hwnd);
      }
      w = Find(hwnd);
      if (w && activate && !w->minimized) Activate(hwnd, true);
    }
  } else if ((flags & SWP_HIDEWINDOW) && was_visible) {
    w->style &= ~WS_VISIBLE;
    if (w->IsChild()) {
      InvalidateParentArea(hwnd, w->rect);
      if (session.focus && (session.focus == hwnd || IsDescendant(hwnd, session.focus)))
        SetFocus(w->parent);
    } else {
      if (!w->minimized) HideTopLevel(w);
      if (session.active == hwnd && !(flags & SWP_NOACTIVATE)) Activate(NextActive(hwnd), false);
    }
  }
  w = Find(hwnd);
  if (!w) return TRUE;
  WINDOWPOS done{hwnd,
                 insertAfter,
                 w->rect.left,
                 w->rect.top,
                 w->rect.right - w->rect.left,
                 w->rect.bottom - w->rect.top,
                 flags | (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE)};
  SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int cmd) {
  auto& session = Session();
  Window* w = FindAny(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->foreign) {
    // Other processes' windows: only what the single-instance rule asks for.
    if (cmd == SW_RESTORE && w->native && CurrentHost()) CurrentHost()->ForeignRestore(w->native);
    return TRUE;
  }
  bool was_visible = (w->style & WS_VISIBLE) != 0;
  bool top = !w->IsChild();
  switch (cmd) {
    case SW_HIDE:
      if (!was_visible) return FALSE;
      SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
      return TRUE;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: {
      if (!top) break;
      if (!w->minimized) {
        if (session.capture && Root(session.capture) == hwnd) ReleaseCapture();
        w = Find(hwnd);
        if (!w) return FALSE;
        w->normal = w->rect;
        w->minimized = true;
        w->style |= WS_MINIMIZE;
        if (!was_visible) {
          SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
          w = Find(hwnd);
          if (!w) return FALSE;
          w->style |= WS_VISIBLE;
          EnsureFramebuffer(w);
          ShowNative(w, false);
        }
        if (w->native && CurrentHost()) CurrentHost()->Minimize(w->native);
        if (was_visible) Notify(TopLevelEvent::Kind::kHidden, hwnd);
        SendMessageW(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
      }
      if (cmd != SW_SHOWMINIMIZED && session.active == hwnd) Activate(NextActive(hwnd), false);
      return was_visible ? TRUE : FALSE;
    }
    default:
      break;
  }
  bool activate = top && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWNA && cmd != SW_SHOWMINNOACTIVE;
  bool restore = cmd == SW_RESTORE || cmd == SW_SHOWNORMAL || cmd == SW_SHOWNOACTIVATE ||
                 cmd == SW_SHOWDEFAULT || cmd == SW_MAXIMIZE;
  if (!was_visible) {
    SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!Find(hwnd)) return FALSE;
    SetWindowPos(
        hwnd, nullptr, 0, 0, 0, 0,
        SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (activate ? 0 : SWP_NOACTIVATE));
  }
  w = Find(hwnd);
  if (!w) return was_visible ? TRUE : FALSE;
  if (top && w->minimized && restore) {
    w->minimized = false;
    w->style &= ~WS_MINIMIZE;
    w->rect = w->normal;
    if (w->native && CurrentHost()) {
      CurrentHost()->SetWindowRect(w->native, HostRect(w->rect));
      CurrentHost()->Restore(w->native);
      if (activate) CurrentHost()->Raise(w->native, true);
    }
    EnsureFramebuffer(w);
    w->nc_dirty = true;
    InvalidateWhole(hwnd, true);
    Notify(TopLevelEvent::Kind::kShown, hwnd);
    RECT rc;
    GetClientRect(hwnd, &rc);
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(static_cast<WORD>(rc.right), static_cast<WORD>(rc.bottom)));
  }
  w = Find(hwnd);
  if (w && activate && was_visible && !w->minimized) {
    if (w->native && CurrentHost()) CurrentHost()->Raise(w->native, true);
    Activate(hwnd, true);
  }
  return was_visible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  Window* w = FindAny(hwnd);
  if (!w) return FALSE;
  if (w->foreign) return TRUE;
  // Minimised windows stay visible, as on Windows.
  for (Window* p = w; p; p = p->IsChild() ? Find(p->parent) : nullptr)
    if (!(p->style & WS_VISIBLE)) return FALSE;
  return TRUE;
}

BOOL IsIconic(HWND hwnd) {
  Window* w = FindAny(hwnd);
  if (!w) return FALSE;
  if (w->foreign)
    return (w->native && CurrentHost() && CurrentHost()->ForeignIsMinimized(w->native)) ? TRUE
                                                                                        : FALSE;
  return w->minimized ? TRUE : FALSE;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  Window* w = Find(hwnd);
  if (!w || !placement) return FALSE;
  placement->length = sizeof(WINDOWPLACEMENT);
  placement->flags = 0;
  placement->showCmd = w->minimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
  placement->ptMinPosition = {-1, -1};
  placement->ptMaxPosition = {-1, -1};
  placement->rcNormalPosition = w->minimized ? w->normal : w->rect;
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  Window* w = FindAny(hwnd);
  if (!w || !rect) return FALSE;
  if (w->foreign) {
    *rect = w->rect;
    return TRUE;
  }
  POINT o = WindowOriginOnScreen(w);
  *rect = {o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  Window* w = FindAny(hwnd);
  if (!w || !rect) return FALSE;
  if (w->foreign) {
    *rect = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return TRUE;
  }
  RECT c = ClientRectInWindow(w);
  *rect = {0, 0, c.right - c.left, c.bottom - c.top};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  Window* w = Find(hwnd);
  if (!w || !point) return FALSE;
  POINT o = ClientOriginOnScreen(w);
  point->x += o.x;
  point->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  Window* w = Find(hwnd);
  if (!w || !point) return FALSE;
  POINT o = ClientOriginOnScreen(w);
  point->x -= o.x;
  point->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from && from != GetDesktopWindow()) {
    Window* w = Find(from);
    if (!w) return 0;
    a = ClientOriginOnScreen(w);
  }
  if (to && to != GetDesktopWindow()) {
    Window* w = Find(to);
    if (!w) return 0;
    b = ClientOriginOnScreen(w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle) {
  if (!rect) return FALSE;
  Window probe;
  probe.style = style & ~WS_CHILD;
  probe.exstyle = exStyle;
  RECT ins = ClientInsets(&probe);
  rect->left -= ins.left;
  rect->top -= ins.top;
  rect->right += ins.right;
  rect->bottom += ins.bottom;
  return TRUE;
}
