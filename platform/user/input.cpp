// Input: hit testing, mouse and key messages from host events, capture, focus, activation and the
// move loop of a window dragged by its caption.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "internal.h"

namespace user {
namespace {

constexpr std::uint64_t kDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 2;

bool Contains(const Window* w, POINT screen) {
  POINT o = WindowOriginOnScreen(w);
  int x = screen.x - o.x, y = screen.y - o.y;
  if (x < 0 || y < 0 || x >= w->rect.right - w->rect.left || y >= w->rect.bottom - w->rect.top)
    return false;
  return !w->region || PtInRegion(w->region.get(), x, y);
}

bool InClient(const Window* w, POINT screen) {
  POINT o = ClientOriginOnScreen(w);
  RECT c = ClientRectInWindow(w);
  int x = screen.x - o.x, y = screen.y - o.y;
  return x >= 0 && y >= 0 && x < c.right - c.left && y < c.bottom - c.top;
}

HWND DeepestIn(HWND h, POINT p, const std::vector<HWND>& excluded) {
  Window* w = Find(h);
  if (!w) return nullptr;
  if (InClient(w, p)) {
    for (HWND c : w->children) {
      Window* cw = Find(c);
      if (!cw || !(cw->style & WS_VISIBLE) || (cw->style & WS_DISABLED)) continue;
      if (!Contains(cw, p)) continue;
      if (HWND r = DeepestIn(c, p, excluded)) return r;
    }
  }
  if (std::find(excluded.begin(), excluded.end(), h) != excluded.end()) return nullptr;
  return h;
}

// The host knows best which top-level window is under the pointer (other programs' windows may
// cover ours): the search starts there when it says.
HWND TopAt(POINT p, const std::vector<HWND>& excluded, HWND start) {
  const auto& tops = Session().toplevels;
  auto from = std::find(tops.begin(), tops.end(), start);
  if (from == tops.end()) from = tops.begin();
  for (auto it = from; it != tops.end(); ++it) {
    HWND t = *it;
    Window* w = Find(t);
    if (!w || !(w->style & WS_VISIBLE) || w->minimized || !Contains(w, p)) continue;
    if (HWND r = DeepestIn(t, p, excluded)) return r;
  }
  return nullptr;
}

LPARAM PointParam(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)),
                    static_cast<WORD>(static_cast<SHORT>(y)));
}

int ButtonVk(int button) {
  switch (button) {
    case 1:
      return VK_LBUTTON;
    case 2:
      return VK_MBUTTON;
    case 3:
      return VK_RBUTTON;
  }
  return -1;
}

void EndMove(bool cancel) {
  auto& session = Session();
  HWND h = session.move.hwnd;
  if (cancel) {
    const RECT& r = session.move.start;
    SetWindowPos(h, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  session.move.active = false;
  // The release belonged to the move: no message carries it, so the key state learns it here.
  session.key_state[VK_LBUTTON] &= static_cast<unsigned char>(~0x80);
  PostMessageW(h, WM_NULL, 0, 0);  // wakes the move loop
}

}  // namespace

HWND HitTest(POINT screen, LRESULT* code, HWND start) {
  std::vector<HWND> excluded;
  for (int guard = 0; guard < 64; ++guard) {
    HWND found = TopAt(screen, excluded, start);
    if (!found) return nullptr;
    LRESULT hit = SendMessageW(found, WM_NCHITTEST, 0, PointParam(screen.x, screen.y));
    if (hit == HTTRANSPARENT) {
      excluded.push_back(found);
      continue;
    }
    if (code) *code = hit;
    return found;
  }
  return nullptr;
}

WPARAM MouseKeyFlags() {
  const auto& a = Session().async_state;
  WPARAM f = 0;
  if (a[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
  if (a[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
  if (a[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
  if (a[VK_SHIFT] & 0x80) f |= MK_SHIFT;
  if (a[VK_CONTROL] & 0x80) f |= MK_CONTROL;
  return f;
}

void ApplyKeyState(const InputMsg& m) {
  if (m.vk < 0 || m.vk > 255) return;
  auto& ks = Session().key_state;
  if (m.down) {
    if (!(ks[m.vk] & 0x80)) ks[m.vk] ^= 0x01;  // toggle on each new press
    ks[m.vk] |= 0x80;
  } else {
    ks[m.vk] &= static_cast<unsigned char>(~0x80);
  }
}

bool ConvertInput(const host::Event& ev, InputMsg* out) {
  auto& session = Session();
  auto set_async = [&](int vk, bool down) {
    if (vk < 0 || vk > 255) return;
    if (down)
      session.async_state[vk] |= 0x80;
    else
      session.async_state[vk] &= static_cast<unsigned char>(~0x80);
  };
  POINT p{ev.screen.x, ev.screen.y};
  bool pointer = ev.type == host::EventType::kPointerMove ||
                 ev.type == host::EventType::kButtonDown || ev.type == host::EventType::kButtonUp;
  if (pointer) {
    session.pointer = p;
    set_async(VK_SHIFT, (ev.modifiers & host::kModShift) != 0);
    set_async(VK_CONTROL, (ev.modifiers & host::kModControl) != 0);
  }
  if (ev.type == host::EventType::kButtonDown) set_async(ButtonVk(ev.button), true);
  if (ev.type == host::EventType::kButtonUp) set_async(ButtonVk(ev.button), false);
  if (ev.type == host::EventType::kKeyDown) set_async(static_cast<int>(ev.vk), true);
  if (ev.type == host::EventType::kKeyUp) set_async(static_cast<int>(ev.vk), false);

  // A window being moved by the pointer takes every pointer event until the button comes up.
  if (session.move.active) {
    if (!Find(session.move.hwnd)) {
      session.move.active = false;
    } else {
      if (ev.type == host::EventType::kPointerMove) {
        int nx = session.move.start.left + (p.x - session.move.press.x);
        int ny = session.move.start.top + (p.y - session.move.press.y);
        SetWindowPos(session.move.hwnd, nullptr, nx, ny, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      } else if (ev.type == host::EventType::kButtonUp && ev.button == 1) {
        EndMove(false);
      } else if (ev.type == host::EventType::kKeyDown && ev.vk == VK_ESCAPE) {
        EndMove(true);
      }
      return false;
    }
  }

  out->msg.time = static_cast<DWORD>(CurrentHost() ? CurrentHost()->NowMs() : 0);
  out->msg.pt = p;
  if (pointer) {
    if (ev.type != host::EventType::kPointerMove && ButtonVk(ev.button) < 0) return false;
    HWND target = nullptr;
    LRESULT hit = HTCLIENT;
    UINT mouse_msg =
        ev.type == host::EventType::kPointerMove ? WM_MOUSEMOVE
        : ev.button == 1 ? (ev.type == host::EventType::kButtonDown ? WM_LBUTTONDOWN : WM_LBUTTONUP)
        : ev.button == 3
            ? (ev.type == host::EventType::kButtonDown ? WM_RBUTTONDOWN : WM_RBUTTONUP)
            : (ev.type == host::EventType::kButtonDown ? WM_MBUTTONDOWN : WM_MBUTTONUP);
    if (session.capture && Find(session.capture)) {
      target = session.capture;  // no hit test, no cursor message under capture
    } else {
      HWND start = nullptr;
      if (auto it = session.by_native.find(ev.window); ev.window && it != session.by_native.end())
        start = it->second;
      target = HitTest(p, &hit, start);
      if (!target) return false;
      HWND root = Root(target);
      Window* rw = Find(root);
      if (rw && (rw->style & WS_DISABLED)) {
        // A disabled owner: a press brings its modal popup to the front instead.
        if (ev.type == host::EventType::kButtonDown) {
          HWND popup = GetLastActivePopup(root);
          if (popup && popup != root) SetActiveWindow(popup);
        }
        return false;
      }
      if (hit == HTERROR || hit == HTNOWHERE) return false;
      SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                   MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(mouse_msg)));
      if (!Find(target)) return false;
      if (ev.type == host::EventType::kButtonDown && root != session.active && rw &&
          !(rw->exstyle & WS_EX_NOACTIVATE) &&
          !(rw->exstyle & WS_EX_TOPMOST && rw->exstyle & WS_EX_TOOLWINDOW)) {
        LRESULT ma = SendMessageW(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root),
                                  MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(mouse_msg)));
        if (ma == MA_ACTIVATE || ma == 2) SetActiveWindow(root);
        if (ma == 2 || ma == 4) return false;  // ...AND_EAT
        if (!Find(target)) return false;
      }
    }
    Window* w = Find(target);
    if (!w) return false;
    out->msg.hwnd = target;
    out->vk = ev.type == host::EventType::kPointerMove ? -1 : ButtonVk(ev.button);
    out->down = ev.type == host::EventType::kButtonDown;
    out->msg.wParam = MouseKeyFlags();
    if (hit == HTCLIENT) {
      POINT o = ClientOriginOnScreen(w);
      UINT m = mouse_msg;
      if (m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN) {
        std::uint64_t now = CurrentHost() ? CurrentHost()->NowMs() : 0;
        bool dbl = (w->cls->style & CS_DBLCLKS) && session.dblclick_armed &&
                   session.last_click_hwnd == target &&
                   now - session.last_click_time <= kDoubleClickMs &&
                   std::abs(p.x - session.last_click.x) <= kDoubleClickSlop &&
                   std::abs(p.y - session.last_click.y) <= kDoubleClickSlop;
        if (dbl) {
          m = m == WM_LBUTTONDOWN ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
          session.dblclick_armed = false;
        } else {
          session.dblclick_armed = true;
          session.last_click = p;
          session.last_click_time = now;
          session.last_click_hwnd = target;
        }
      }
      out->msg.message = m;
      out->msg.lParam = PointParam(p.x - o.x, p.y - o.y);
    } else {
      out->msg.message = mouse_msg == WM_MOUSEMOVE     ? WM_NCMOUSEMOVE
                         : mouse_msg == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN
                         : mouse_msg == WM_LBUTTONUP   ? WM_NCLBUTTONUP
                                                       : 0;
      if (!out->msg.message) return false;
      out->msg.wParam = static_cast<WPARAM>(hit);
      out->msg.lParam = PointParam(p.x, p.y);
    }
    return true;
  }

  if (ev.type == host::EventType::kKeyDown || ev.type == host::EventType::kKeyUp) {
    HWND target = session.menu_window && Find(session.menu_window) ? session.menu_window
                  : Find(session.focus)                            ? session.focus
                                                                   : session.active;
    if (!Find(target)) return false;
    bool down = ev.type == host::EventType::kKeyDown;
    int vk = static_cast<int>(ev.vk);
    bool alt = (ev.modifiers & host::kModAlt) || (session.async_state[VK_MENU] & 0x80);
    bool ctrl = (ev.modifiers & host::kModControl) || (session.async_state[VK_CONTROL] & 0x80);
    bool sys = (alt && !ctrl) || vk == VK_F10 || vk == VK_MENU;
    out->msg.hwnd = target;
    out->msg.message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    out->msg.wParam = static_cast<WPARAM>(vk);
    LPARAM lp = 1;
    if (alt) lp |= 1 << 29;
    if (!down)
      lp |= static_cast<LPARAM>(0xC0000000u);
    else if (vk >= 0 && vk < 256 && (session.key_state[vk] & 0x80))
      lp |= 1 << 30;
    out->msg.lParam = lp;
    out->vk = vk;
    out->down = down;
    return true;
  }
  return false;
}

void RunMoveLoop(HWND h, POINT press) {
  auto& session = Session();
  Window* w = Find(h);
  if (!w || session.move.active) return;
  RECT start = w->rect;
  SendMessageW(h, WM_ENTERSIZEMOVE, 0, 0);
  w = Find(h);
  if (!w) return;
  Window* root = Find(Root(h));
  bool host_moves = CurrentHost() && !w->IsChild() && root && root->native &&
                    CurrentHost()->BeginMove(root->native, {press.x, press.y});
  if (host_moves) {
    // The host carries the whole drag out, release included.
    session.key_state[VK_LBUTTON] &= static_cast<unsigned char>(~0x80);
    session.async_state[VK_LBUTTON] &= static_cast<unsigned char>(~0x80);
  } else {
    session.move = MoveLoop{true, h, press, start};
    SetCapture(h);
    while (session.move.active && IsWindow(h)) {
      MSG m;
      BOOL r = GetMessageW(&m, nullptr, 0, 0);
      if (r == 0) {
        PostQuitMessage(static_cast<int>(m.wParam));
        break;
      }
      if (r < 0) break;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    session.move.active = false;
    if (GetCapture() == h) ReleaseCapture();
  }
  if (IsWindow(h)) SendMessageW(h, WM_EXITSIZEMOVE, 0, 0);
}

void Activate(HWND h, bool from_host) {
  auto& session = Session();
  if (h && !Find(h)) return;
  if (h) h = Root(h);
  HWND old = session.active;
  if (h == old) return;
  session.active = h;
  if (old && Find(old)) {
    SendMessageW(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(old, WM_ACTIVATE,
                 MAKEWPARAM(WA_INACTIVE, Find(old) && Find(old)->minimized ? 1 : 0),
                 reinterpret_cast<LPARAM>(h));
  }
  if (session.active != h) return;  // someone activated another window meanwhile
  if (!h) {
    if (session.focus) SetFocus(nullptr);
    return;
  }
  Window* w = Find(h);
  if (!w) return;
  if (!from_host && w->native && CurrentHost() && (w->style & WS_VISIBLE))
    CurrentHost()->Raise(w->native, true);
  // Remember the popup for each owner up the chain, here and for other processes.
  w->last_active_popup = h;
  for (Window* o = Find(w->owner); o; o = Find(o->owner)) {
    o->last_active_popup = h;
    if (o->native && w->native && CurrentHost())
      CurrentHost()->SetLastActivePopup(o->native, w->native);
  }
  SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
  if (session.active == h && Find(h))
    SendMessageW(h, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
}

void OnDestroyFocus(HWND h) {
  auto& session = Session();
  Window* w = Find(h);
  if (!w) return;
  if (session.focus && (session.focus == h || IsDescendant(h, session.focus)))
    SetFocus(w->IsChild() ? w->parent : nullptr);
  if (session.active == h) {
    HWND next = nullptr;
    if (Window* o = Find(w->owner); o && Visible(o) && !(o->style & WS_DISABLED)) next = w->owner;
    Activate(next, false);
  }
}

}  // namespace user

using namespace user;

HWND WindowFromPoint(POINT point) {
  return HitTest(point, nullptr, nullptr);
}

HWND SetCapture(HWND hwnd) {
  auto& session = Session();
  HWND old = session.capture;
  if (!Find(hwnd)) return old;
  session.capture = hwnd;
  Window* root = Find(Root(hwnd));
  if (root && root->native && CurrentHost()) CurrentHost()->SetCapture(root->native);
  if (old && old != hwnd && Find(old))
    SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  auto& session = Session();
  HWND old = session.capture;
  session.capture = nullptr;
  if (CurrentHost()) CurrentHost()->SetCapture(0);
  if (old && Find(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  auto& session = Session();
  if (session.capture && !Find(session.capture)) session.capture = nullptr;
  return session.capture;
}

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  if (!CurrentHost()) {
    *point = {0, 0};
    return TRUE;
  }
  host::Point p = CurrentHost()->CursorPos();
  *point = {p.x, p.y};
  Session().pointer = *point;
  return TRUE;
}

HCURSOR LoadCursorW(HINSTANCE, LPCWSTR name) {
  if (!name) return nullptr;
  // The only cursor is the arrow; its handle is a token.
  return reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(0x7F00));
}

HCURSOR SetCursor(HCURSOR cursor) {
  return std::exchange(Session().cursor, cursor);
}

HWND SetFocus(HWND hwnd) {
  auto& session = Session();
  HWND old = Find(session.focus) ? session.focus : nullptr;
  if (hwnd) {
    Window* w = Find(hwnd);
    if (!w) return nullptr;
    HWND top = hwnd;
    for (Window* c = w; c; c = c->IsChild() ? Find(c->parent) : nullptr) {
      if (c->style & (WS_MINIMIZE | WS_DISABLED)) return nullptr;
      top = c->handle;
    }
    if (top != session.active) {
      Activate(top, false);
      if (!Find(hwnd) || session.active != top) return nullptr;
      old = Find(session.focus) ? session.focus : nullptr;
    }
  }
  if (hwnd == old) return old;
  session.focus = hwnd;
  if (old) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd && session.focus == hwnd && Find(hwnd))
    SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  if (hwnd) {
    if (Window* r = Find(Root(hwnd))) r->saved_focus = hwnd;
  }
  return old;
}

HWND GetFocus() {
  auto& session = Session();
  return Find(session.focus) ? session.focus : nullptr;
}

SHORT GetKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  unsigned char s = Session().key_state[static_cast<std::size_t>(vk)];
  return static_cast<SHORT>(((s & 0x80) ? 0x8000 : 0) | (s & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  return (Session().async_state[static_cast<std::size_t>(vk)] & 0x80) ? static_cast<SHORT>(0x8000)
                                                                      : 0;
}

HWND SetActiveWindow(HWND hwnd) {
  auto& session = Session();
  HWND old = session.active;
  Window* w = Find(hwnd);
  if (!w || w->IsChild()) return nullptr;
  Activate(hwnd, false);
  return old;
}

HWND GetActiveWindow() {
  auto& session = Session();
  return Find(session.active) ? session.active : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
  Window* w = FindAny(hwnd);
  if (!w) return FALSE;
  if (w->foreign) {
    if (!w->native || !CurrentHost()) return FALSE;
    CurrentHost()->ForeignActivate(w->native);
    return TRUE;
  }
  HWND root = Root(hwnd);
  Window* r = Find(root);
  // Does not restore a minimised window.
  if (r && r->native && CurrentHost()) CurrentHost()->Raise(r->native, true);
  Activate(root, true);
  return TRUE;
}

HWND GetLastActivePopup(HWND owner) {
  Window* w = FindAny(owner);
  if (!w) return nullptr;
  if (w->foreign) {
    if (!w->native || !CurrentHost()) return owner;
    host::NativeWindow n = CurrentHost()->ForeignLastActivePopup(w->native);
    if (!n || n == w->native) return owner;
    auto& session = Session();
    if (auto it = session.foreign_by_native.find(n); it != session.foreign_by_native.end())
      return it->second;
    GetWindow(GetDesktopWindow(), GW_CHILD);  // refreshes the proxies
    if (auto it = session.foreign_by_native.find(n); it != session.foreign_by_native.end())
      return it->second;
    return owner;
  }
  Window* p = Find(w->last_active_popup);
  if (p && p->handle != owner && (p->style & WS_VISIBLE) && !(p->style & WS_DISABLED))
    return p->handle;
  return owner;
}
