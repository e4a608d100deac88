// Window handles, classes, creation and destruction.
#include <algorithm>
#include <cwctype>

#include "internal.h"

namespace user {

Region Region::Copy() const {
  if (!h_) return Region();
  Region r(0, 0, 0, 0);
  CombineRgn(r.get(), h_, nullptr, RGN_COPY);
  return r;
}

bool Region::Empty() const {
  if (!h_) return true;
  RECT rc;
  return GetRgnBox(h_, &rc) == NULLREGION;
}

RECT Region::Box() const {
  RECT rc{};
  if (h_) GetRgnBox(h_, &rc);
  return rc;
}

HWND NewWindowHandle() {
  auto& process = Process();
  auto h = reinterpret_cast<HWND>(process.next_handle);
  process.next_handle += 4;
  return h;
}

std::wstring Fold(const std::wstring& s) {
  std::wstring out(s);
  for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return out;
}

Window* FindAny(HWND h) {
  if (!h) return nullptr;
  auto& session = Session();
  auto it = session.windows.find(reinterpret_cast<std::uintptr_t>(h));
  if (it == session.windows.end()) return nullptr;
  return it->second.get();
}

Window* Find(HWND h) {
  Window* w = FindAny(h);
  return (w && !w->foreign) ? w : nullptr;
}

HWND Root(HWND h) {
  Window* w = Find(h);
  while (w && w->IsChild()) {
    Window* p = Find(w->parent);
    if (!p) break;
    w = p;
  }
  return w ? w->handle : nullptr;
}

bool IsDescendant(HWND ancestor, HWND h) {
  Window* w = Find(h);
  while (w && w->IsChild()) {
    if (w->parent == ancestor) return true;
    w = Find(w->parent);
  }
  return false;
}

bool Visible(const Window* w) {
  while (w) {
    if (!(w->style & WS_VISIBLE)) return false;
    if (!w->IsChild()) return !w->minimized;
    w = Find(w->parent);
  }
  return false;
}

std::vector<HWND> ChildrenCopy(HWND h) {
  Window* w = Find(h);
  return w ? w->children : std::vector<HWND>{};
}

void CollectGarbage() {
  auto& session = Session();
  if (session.send_depth == 0) session.graveyard.clear();
}

void Notify(TopLevelEvent::Kind kind, HWND h) {
  Window* w = Find(h);
  if (!Process().observer || !w || w->IsChild()) return;
  TopLevelEvent ev;
  ev.kind = kind;
  ev.hwnd = h;
  ev.class_name = w->cls->name;
  ev.rect = w->rect;
  ev.text = w->text;
  ev.message_box = w->is_message_box;
  ev.message = w->message_text;
  auto observer = Process().observer;
  observer(ev);
}

// ---- Classes ------------------------------------------------------------------------------------

std::shared_ptr<WindowClass> FindClass(LPCWSTR name) {
  const auto& classes = Process().classes;
  if (!name) return nullptr;
  if (IS_INTRESOURCE(name)) {
    auto atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
    for (auto& c : classes)
      if (c->atom == atom) return c;
    return nullptr;
  }
  std::wstring folded = Fold(name);
  for (auto& c : classes)
    if (Fold(c->name) == folded) return c;
  return nullptr;
}

namespace {

ATOM AddClass(const WNDCLASSW* wc, bool system) {
  auto& process = Process();
  if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc ||
      wc->cbWndExtra < 0 || wc->cbClsExtra < 0 || wc->cbWndExtra > 4096) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (FindClass(wc->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto c = std::make_shared<WindowClass>();
  c->name = wc->lpszClassName;
  c->style = wc->style;
  c->proc = wc->lpfnWndProc;
  c->cbClsExtra = wc->cbClsExtra;
  c->cbWndExtra = wc->cbWndExtra;
  c->instance = wc->hInstance;
  c->icon = wc->hIcon;
  c->cursor = wc->hCursor;
  c->background = wc->hbrBackground;
  c->system = system;
  c->atom = (c->name == L"#32770") ? 0x8002 : process.next_atom++;
  process.classes.push_back(c);
  return c->atom;
}

void EnsureSystemClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterSystemClasses();
}

}  // namespace

void RegisterSystemClasses() {
  auto add = [](LPCWSTR name, WNDPROC proc, UINT style, int extra, int bg) {
    WNDCLASSW wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = extra;
    wc.lpszClassName = name;
    wc.hbrBackground = bg ? reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(bg)) : nullptr;
    AddClass(&wc, true);
  };
  add(L"#32770", DefDlgProcW, CS_DBLCLKS | CS_SAVEBITS, DLGWINDOWEXTRA + 2 * 8, COLOR_BTNFACE + 1);
  add(L"Button", ButtonProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 0, 0);
  add(L"Static", StaticProc, CS_DBLCLKS, 0, 0);
  add(L"msctls_trackbar32", TrackbarProc, CS_GLOBALCLASS, 0, 0);  // every press is a press
  add(L"tooltips_class32", TooltipProc, CS_DBLCLKS | CS_SAVEBITS, 0, 0);
  add(L"#32768", MenuProc, CS_DBLCLKS | CS_SAVEBITS, 0, COLOR_BTNFACE + 1);
}

}  // namespace user

using namespace user;

ATOM RegisterClassW(const WNDCLASSW* wc) {
  EnsureSystemClasses();
  return AddClass(wc, false);
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR className, WNDCLASSW* out) {
  EnsureSystemClasses();
  auto c = FindClass(className);
  if (!c || !out) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  *out = WNDCLASSW{c->style, c->proc,   c->cbClsExtra, c->cbWndExtra, c->instance,
                   c->icon,  c->cursor, c->background, nullptr,       c->name.c_str()};
  return TRUE;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int count) {
  Window* w = Find(hwnd);
  if (!w || !buffer || count <= 0) return 0;
  int n = std::min<int>(count - 1, static_cast<int>(w->cls->name.size()));
  std::copy_n(w->cls->name.c_str(), n, buffer);
  buffer[n] = 0;
  return n;
}

// ---- Hooks --------------------------------------------------------------------------------------

HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
  if (idHook != WH_CBT || !proc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& session = Session();
  auto h = reinterpret_cast<HHOOK>(Process().next_hook++);
  session.hooks.insert(session.hooks.begin(), Hook{h, proc});  // newest first
  return h;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  auto& hooks = Session().hooks;
  auto it = std::find_if(hooks.begin(), hooks.end(), [&](auto& h) { return h.handle == hook; });
  if (it == hooks.end()) return FALSE;
  hooks.erase(it);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  auto hooks = Session().hooks;
  auto it = std::find_if(hooks.begin(), hooks.end(), [&](auto& h) { return h.handle == hook; });
  if (it == hooks.end() || ++it == hooks.end()) return 0;
  return it->proc(code, wParam, lParam);
}

// ---- Creation -----------------------------------------------------------------------------------

namespace {

void LinkWindow(Window* w) {
  auto& session = Session();
  if (w->IsChild()) {
    // New children go to the bottom: the first child created stays first (tab order).
    Find(w->parent)->children.push_back(w->handle);
  } else if (w->exstyle & WS_EX_TOPMOST) {
    session.toplevels.insert(session.toplevels.begin(), w->handle);
  } else {
    auto it = std::find_if(session.toplevels.begin(), session.toplevels.end(), [](HWND h) {
      Window* o = Find(h);
      return o && !(o->exstyle & WS_EX_TOPMOST);
    });
    session.toplevels.insert(it, w->handle);
  }
}

void UnlinkWindow(Window* w) {
  auto& session = Session();
  auto erase = [&](std::vector<HWND>& v) {
    v.erase(std::remove(v.begin(), v.end(), w->handle), v.end());
  };
  if (w->IsChild()) {
    if (Window* p = Find(w->parent)) erase(p->children);
  } else {
    erase(session.toplevels);
  }
}

void CreateNative(Window* w) {
  host::Host* h = CurrentHost();
  if (!h || w->IsChild()) return;
  host::WindowDesc d;
  d.rect = {w->rect.left, w->rect.top, w->rect.right, w->rect.bottom};
  std::wstring cname = Fold(w->cls->name);
  d.popup = cname == L"tooltips_class32" || cname == L"#32768";
  d.captioned = (w->style & WS_CAPTION) == WS_CAPTION;
  d.topmost = (w->exstyle & WS_EX_TOPMOST) != 0;
  d.app_window =
      (w->exstyle & WS_EX_APPWINDOW) || (!w->owner && !d.popup && !(w->exstyle & WS_EX_TOOLWINDOW));
  if (Window* o = Find(w->owner)) d.owner = o->native;
  d.title = base::ToUtf8(w->text);
  w->native = h->CreateWindow(d);
  if (w->native) Session().by_native[w->native] = w->handle;
}

}  // namespace

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  EnsureSystemClasses();
  auto& session = Session();
  auto cls = FindClass(className);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (parent == GetDesktopWindow()) parent = nullptr;
  if ((style & WS_CHILD) && !Find(parent)) {
    SetLastError(1406);  // ERROR_TLW_WITH_WSCHILD
    return nullptr;
  }
  if (parent && !Find(parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }

  auto owned = std::make_unique<Window>();
  Window* w = owned.get();
  w->handle = NewWindowHandle();
  w->cls = cls;
  w->proc = cls->proc;
  w->style = style & ~WS_VISIBLE;
  w->exstyle = exStyle;
  w->instance = instance;
  w->text = windowName && !IS_INTRESOURCE(windowName) ? windowName : L"";
  w->extra.assign(static_cast<std::size_t>(cls->cbWndExtra), 0);
  if (style & WS_CHILD) {
    w->parent = parent;
    w->id = static_cast<LONG_PTR>(reinterpret_cast<std::uintptr_t>(menu));
  } else {
    w->owner = parent ? Root(parent) : nullptr;
    if (Fold(cls->name) == L"tooltips_class32") w->exstyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  }
  if (x == CW_USEDEFAULT) x = y = (style & WS_CHILD) ? 0 : 100;
  if (width == CW_USEDEFAULT) {
    width = (style & WS_CHILD) ? 0 : 640;
    height = (style & WS_CHILD) ? 0 : 480;
  }
  w->rect = {x, y, x + std::max(0, width), y + std::max(0, height)};
  w->normal = w->rect;
  session.windows[reinterpret_cast<std::uintptr_t>(w->handle)] = std::move(owned);
  HWND hwnd = w->handle;
  LinkWindow(w);
  CreateNative(w);

  CREATESTRUCTW cs{
      param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
      windowName, className, exStyle};
  // The creation hook sees the window first (a class framework attaches its object here).
  if (!session.hooks.empty()) {
    CBT_CREATEWNDW cbt{&cs, HWND_TOP};
    auto hooks = session.hooks;
    if (hooks.front().proc(HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd),
                           reinterpret_cast<LPARAM>(&cbt)) != 0) {
      DestroyWindow(hwnd);
      return nullptr;
    }
  }
  if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  if (!IsWindow(hwnd)) return nullptr;
  if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  w = Find(hwnd);
  if (!w) return nullptr;
  RECT rc;
  GetClientRect(hwnd, &rc);
  SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(static_cast<WORD>(rc.right), static_cast<WORD>(rc.bottom)));
  w = Find(hwnd);
  if (!w) return nullptr;
  SendMessageW(hwnd, WM_MOVE, 0,
               MAKELPARAM(static_cast<WORD>(w->rect.left + ClientInsets(w).left),
                          static_cast<WORD>(w->rect.top + ClientInsets(w).top)));
  w = Find(hwnd);
  if (!w) return nullptr;
  if (w->IsChild() && !(w->exstyle & WS_EX_NOPARENTNOTIFY))
    SendMessageW(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<WORD>(w->id)),
                 reinterpret_cast<LPARAM>(hwnd));
  if ((style & WS_VISIBLE) && IsWindow(hwnd)) ShowWindow(hwnd, SW_SHOW);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

// ---- Destruction --------------------------------------------------------------------------------

namespace {

void SendDestroy(HWND h) {
  SendMessageW(h, WM_DESTROY, 0, 0);
  for (HWND c : ChildrenCopy(h))
    if (Find(c)) SendDestroy(c);
}

void FreeWindow(HWND h) {
  for (HWND c : ChildrenCopy(h))
    if (Find(c)) FreeWindow(c);
  SendMessageW(h, WM_NCDESTROY, 0, 0);
  auto& session = Session();
  Window* w = Find(h);
  if (!w) return;
  KillWindowTimers(h);
  ReleaseWindowDCs(h);
  if (session.capture == h) session.capture = nullptr;
  if (session.focus == h) session.focus = nullptr;
  if (session.active == h) session.active = nullptr;
  if (session.menu_window == h) session.menu_window = nullptr;
  if (session.move.hwnd == h) session.move.active = false;
  if (w->native) {
    if (CurrentHost()) CurrentHost()->DestroyWindow(w->native);
    session.by_native.erase(w->native);
  }
  if (w->framebuffer) DeleteObject(w->framebuffer);
  w->framebuffer = nullptr;
  w->region.Reset();  // the region the window owned goes with it
  w->update.Reset();
  w->dirty.Reset();
  if (w->sysmenu) session.menus.erase(reinterpret_cast<std::uintptr_t>(w->sysmenu->handle));
  // Posted messages for a dead window are dropped when they come up.
  UnlinkWindow(w);
  auto it = session.windows.find(reinterpret_cast<std::uintptr_t>(h));
  session.graveyard.push_back(std::move(it->second));
  session.windows.erase(it);
}

}  // namespace

BOOL DestroyWindow(HWND hwnd) {
  auto& session = Session();
  Window* w = Find(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->destroying) return TRUE;
  w->destroying = true;
  if (!session.hooks.empty()) {
    auto hooks = session.hooks;
    hooks.front().proc(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hwnd), 0);
  }
  // Owned windows go first.
  if (!w->IsChild()) {
    std::vector<HWND> owned;
    for (HWND t : session.toplevels)
      if (Window* o = Find(t); o && o->owner == hwnd) owned.push_back(t);
    for (HWND o : owned) DestroyWindow(o);
  }
  w = Find(hwnd);
  if (!w) return TRUE;
  if (w->style & WS_VISIBLE) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  if (session.capture && (session.capture == hwnd || IsDescendant(hwnd, session.capture)))
    ReleaseCapture();
  OnDestroyFocus(hwnd);
  w = Find(hwnd);
  if (!w) return TRUE;
  if (w->IsChild() && !(w->exstyle & WS_EX_NOPARENTNOTIFY))
    SendMessageW(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(w->id)),
                 reinterpret_cast<LPARAM>(hwnd));
  SendDestroy(hwnd);
  if (Find(hwnd)) FreeWindow(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  return FindAny(hwnd) != nullptr ? TRUE : FALSE;
}
