// Relations, text, long values, properties, regions and the enabled state of windows.
#include <algorithm>

#include "internal.h"

namespace user {
namespace {

std::wstring PropName(LPCWSTR name) {
  if (IS_INTRESOURCE(name)) return L"#" + std::to_wstring(reinterpret_cast<std::uintptr_t>(name));
  return Fold(name);
}

Window* Desktop() {
  auto& session = Session();
  if (!session.desktop) {
    auto w = std::make_unique<Window>();
    w->handle = NewWindowHandle();
    w->cls = std::make_shared<WindowClass>();
    w->cls->name = L"#32769";
    w->cls->proc = DefWindowProcW;
    w->proc = DefWindowProcW;
    w->style = WS_VISIBLE | WS_POPUP;
    w->foreign = true;  // nothing of ours may move, show or destroy it
    if (CurrentHost()) {
      host::Rect r = CurrentHost()->ScreenRect();
      w->rect = {r.left, r.top, r.right, r.bottom};
    }
    session.desktop = w->handle;
    session.windows[reinterpret_cast<std::uintptr_t>(w->handle)] = std::move(w);
  }
  return FindAny(session.desktop);
}

// A proxy for another process's window, made once per native window.
HWND ForeignProxy(host::NativeWindow native) {
  auto& session = Session();
  if (!native) return nullptr;
  if (auto it = session.foreign_by_native.find(native); it != session.foreign_by_native.end())
    return it->second;
  auto w = std::make_unique<Window>();
  w->handle = NewWindowHandle();
  w->cls = Desktop()->cls;
  w->proc = DefWindowProcW;
  w->style = WS_VISIBLE | WS_POPUP;
  w->foreign = true;
  w->native = native;
  HWND h = w->handle;
  session.foreign_by_native[native] = h;
  session.windows[reinterpret_cast<std::uintptr_t>(h)] = std::move(w);
  return h;
}

void RefreshForeign() {
  auto& session = Session();
  session.foreign_snapshot.clear();
  if (!CurrentHost()) return;
  for (const auto& f : CurrentHost()->ForeignWindows()) {
    if (session.by_native.count(f.id)) continue;  // one of ours
    session.foreign_snapshot.push_back(ForeignProxy(f.id));
  }
}

HWND NextTopLevel(HWND h, int dir) {
  auto& session = Session();
  std::vector<HWND> all = session.toplevels;
  all.insert(all.end(), session.foreign_snapshot.begin(), session.foreign_snapshot.end());
  auto it = std::find(all.begin(), all.end(), h);
  if (it == all.end()) return nullptr;
  if (dir > 0) return (it + 1 == all.end()) ? nullptr : *(it + 1);
  return it == all.begin() ? nullptr : *(it - 1);
}

}  // namespace

}  // namespace user

using namespace user;

// ---- Relations ----------------------------------------------------------------------------------

HWND GetDesktopWindow() {
  return Desktop()->handle;
}

HWND GetParent(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return nullptr;
  if (w->IsChild()) return w->parent;
  return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  auto& session = Session();
  if (hwnd == GetDesktopWindow()) {
    if (cmd != GW_CHILD) return nullptr;
    RefreshForeign();
    if (!session.toplevels.empty()) return session.toplevels.front();
    return session.foreign_snapshot.empty() ? nullptr : session.foreign_snapshot.front();
  }
  Window* w = FindAny(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (w->foreign) {
    if (cmd == GW_HWNDNEXT) return NextTopLevel(hwnd, 1);
    if (cmd == GW_HWNDPREV) return NextTopLevel(hwnd, -1);
    return nullptr;
  }
  const std::vector<HWND>* siblings = &session.toplevels;
  if (w->IsChild()) siblings = &Find(w->parent)->children;
  switch (cmd) {
    case GW_HWNDFIRST:
      return siblings->empty() ? nullptr : siblings->front();
    case GW_HWNDLAST:
      return siblings->empty() ? nullptr : siblings->back();
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
      if (!w->IsChild()) return NextTopLevel(hwnd, cmd == GW_HWNDNEXT ? 1 : -1);
      auto it = std::find(siblings->begin(), siblings->end(), hwnd);
      if (cmd == GW_HWNDNEXT)
        return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
      return (it == siblings->begin() || it == siblings->end()) ? nullptr : *(it - 1);
    }
    case GW_OWNER:
      return w->IsChild() ? nullptr : w->owner;
    case GW_CHILD:
      return w->children.empty() ? nullptr : w->children.front();
    case GW_ENABLEDPOPUP:
      for (HWND t : session.toplevels) {
        Window* o = Find(t);
        if (o && o->owner == hwnd && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED)) return t;
      }
      return nullptr;
  }
  return nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  return IsDescendant(parent, hwnd) ? TRUE : FALSE;
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* w = Find(dialog);
  if (!w) return nullptr;
  for (HWND c : w->children) {
    Window* cw = Find(c);
    if (cw && static_cast<int>(cw->id) == id) return c;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = Find(hwnd);
  return (w && w->IsChild()) ? static_cast<int>(w->id) : 0;
}

// ---- Text ---------------------------------------------------------------------------------------

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!Find(hwnd)) return FALSE;
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")) ? TRUE
                                                                                        : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int count) {
  if (!buffer || count <= 0) return 0;
  buffer[0] = 0;
  if (!Find(hwnd)) return 0;
  return static_cast<int>(
      SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
  if (!Find(hwnd)) return 0;
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

// ---- Long values --------------------------------------------------------------------------------

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  Window* w = Find(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent : w->owner);
    case GWLP_ID:
      return w->id;
    case GWL_STYLE:
      return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(w->exstyle);
    case GWLP_USERDATA:
      return w->userdata;
  }
  if (index < 0 || static_cast<std::size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) {
    SetLastError(1413);  // ERROR_INVALID_INDEX
    return 0;
  }
  LONG_PTR v;
  std::copy_n(w->extra.data() + index, sizeof v, reinterpret_cast<unsigned char*>(&v));
  return v;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  Window* w = Find(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  LONG_PTR old = GetWindowLongPtrW(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC:
      if (value) w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_HINSTANCE:
      w->instance = reinterpret_cast<HINSTANCE>(value);
      return old;
    case GWLP_HWNDPARENT:
      if (!w->IsChild()) w->owner = Root(reinterpret_cast<HWND>(value));
      return old;
    case GWLP_ID:
      w->id = value;
      return old;
    case GWL_STYLE:
      w->style = static_cast<DWORD>(value);
      return old;
    case GWL_EXSTYLE:
      w->exstyle = static_cast<DWORD>(value);
      return old;
    case GWLP_USERDATA:
      w->userdata = value;
      return old;
  }
  if (index < 0 || static_cast<std::size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) {
    SetLastError(1413);
    return 0;
  }
  std::copy_n(reinterpret_cast<const unsigned char*>(&value), sizeof value,
              w->extra.data() + index);
  return old;
}

LONG GetWindowLongW(HWND hwnd, int index) {
  Window* w = Find(hwnd);
  if (w && index >= 0) {
    if (static_cast<std::size_t>(index) + sizeof(LONG) > w->extra.size()) return 0;
    LONG v;
    std::copy_n(w->extra.data() + index, sizeof v, reinterpret_cast<unsigned char*>(&v));
    return v;
  }
  return static_cast<LONG>(GetWindowLongPtrW(hwnd, index));
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return proc(hwnd, msg, wParam, lParam);
}

// ---- Properties ---------------------------------------------------------------------------------

BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE data) {
  Window* w = Find(hwnd);
  if (!w || !name) return FALSE;
  std::wstring key = PropName(name);
  auto it = std::find_if(w->props.begin(), w->props.end(), [&](auto& p) { return p.first == key; });
  if (it != w->props.end())
    it->second = data;
  else
    w->props.emplace_back(key, data);
  // Top-level windows publish the property so that other processes can find them.
  if (w->native && CurrentHost())
    CurrentHost()->SetMarker(w->native, base::ToUtf8(key),
                             static_cast<long>(reinterpret_cast<std::intptr_t>(data)));
  return TRUE;
}

HANDLE GetPropW(HWND hwnd, LPCWSTR name) {
  Window* w = FindAny(hwnd);
  if (!w || !name) return nullptr;
  std::wstring key = PropName(name);
  if (w->foreign) {
    if (!w->native || !CurrentHost()) return nullptr;
    auto v = CurrentHost()->ForeignMarker(w->native, base::ToUtf8(key));
    return v ? reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(*v)) : nullptr;
  }
  for (auto& p : w->props)
    if (p.first == key) return p.second;
  return nullptr;
}

HANDLE RemovePropW(HWND hwnd, LPCWSTR name) {
  Window* w = Find(hwnd);
  if (!w || !name) return nullptr;
  std::wstring key = PropName(name);
  auto it = std::find_if(w->props.begin(), w->props.end(), [&](auto& p) { return p.first == key; });
  if (it == w->props.end()) return nullptr;
  HANDLE data = it->second;
  w->props.erase(it);
  if (w->native && CurrentHost()) CurrentHost()->RemoveMarker(w->native, base::ToUtf8(key));
  return data;
}

// ---- Regions ------------------------------------------------------------------------------------

namespace user {
void SetNativeShape(Window* w) {
  if (!w->native || !CurrentHost()) return;
  if (!w->region) {
    CurrentHost()->SetShape(w->native, nullptr);
    return;
  }
  std::vector<host::Rect> rects;
  for (const RECT& r : gdi::GetRegionRects(w->region.get()))
    rects.push_back({r.left, r.top, r.right, r.bottom});
  CurrentHost()->SetShape(w->native, &rects);
}
}  // namespace user

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
  Window* w = Find(hwnd);
  if (!w) return 0;
  if (rgn && GetObjectType(rgn) != OBJ_REGION) return 0;
  w->region.Reset(rgn);
  SetNativeShape(w);
  if (w->framebuffer)
    MarkDirty(w, {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top});
  if (redraw) {
    if (w->IsChild()) InvalidateParentArea(hwnd, w->rect);
    InvalidateWhole(hwnd, true);
  }
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
  Window* w = Find(hwnd);
  if (!w || !w->region || !rgn) return ERROR;
  return CombineRgn(rgn, w->region.get(), nullptr, RGN_COPY);
}

// ---- Enable -------------------------------------------------------------------------------------

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = Find(hwnd);
  if (!w) return FALSE;
  bool was_disabled = (w->style & WS_DISABLED) != 0;
  if (enable && was_disabled) {
    w->style &= ~WS_DISABLED;
    SendMessageW(hwnd, WM_ENABLE, TRUE, 0);
  } else if (!enable && !was_disabled) {
    SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
    w = Find(hwnd);
    if (!w) return FALSE;
    w->style |= WS_DISABLED;
    auto& session = Session();
    if (session.focus && (session.focus == hwnd || IsDescendant(hwnd, session.focus)))
      SetFocus(nullptr);
    // Neither the window nor any of its children keeps the mouse: a dialog that disables its
    // owner gets the pointer even when a control of the owner held it.
    if (session.capture && (session.capture == hwnd || IsDescendant(hwnd, session.capture)))
      ReleaseCapture();
    SendMessageW(hwnd, WM_ENABLE, FALSE, 0);
  }
  return was_disabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = Find(hwnd);
  return (w && !(w->style & WS_DISABLED)) ? TRUE : FALSE;
}
