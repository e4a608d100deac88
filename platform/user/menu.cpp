// The system menu of a WS_SYSMENU window: its items, and the small popup that shows them.
#include <algorithm>

#include "internal.h"

namespace user {
namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;

struct MenuData : ControlData {
  HMENU menu = nullptr;
  HWND owner = nullptr;
  int selected = -1;
  UINT_PTR chosen = 0;
  bool done = false;
};

MenuData* Data(HWND h) {
  return FindControlData<MenuData>(h);
}

int ItemTop(const Menu& m, int index) {
  int y = 2;
  for (int i = 0; i < index; ++i)
    y += (m.items[i].flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
  return y;
}

int ItemAt(const Menu& m, int y) {
  for (int i = 0; i < static_cast<int>(m.items.size()); ++i) {
    int top = ItemTop(m, i);
    int h = (m.items[i].flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
    if (y >= top && y < top + h) return i;
  }
  return -1;
}

bool Selectable(const Menu& m, int i) {
  return i >= 0 && i < static_cast<int>(m.items.size()) &&
         !(m.items[i].flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
}

void Close(HWND h, UINT_PTR chosen) {
  MenuData* d = Data(h);
  if (!d || d->done) return;
  d->done = true;
  d->chosen = chosen;
  auto& session = Session();
  if (session.menu_window == h) session.menu_window = nullptr;
  PostMessageW(h, WM_NULL, 0, 0);  // wakes the menu loop
}

void DefaultItems(Window* w, Menu* m) {
  m->items.clear();
  if (w->style & WS_MINIMIZEBOX) m->items.push_back({MF_STRING, SC_MINIMIZE, L"Mi&nimize"});
  m->items.push_back({MF_STRING, SC_CLOSE, L"&Close\tAlt+F4"});
}

}  // namespace

Menu* FindMenu(HMENU m) {
  auto& menus = Session().menus;
  auto it = menus.find(reinterpret_cast<std::uintptr_t>(m));
  return it == menus.end() ? nullptr : it->second;
}

LRESULT MenuProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  MenuData* d = Data(h);
  Menu* m = d ? FindMenu(d->menu) : nullptr;
  switch (msg) {
    case WM_NCCREATE:
      if (Window* w = Find(h)) w->data = std::make_unique<MenuData>();
      return TRUE;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT rc;
      GetClientRect(h, &rc);
      FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
      HBRUSH frame = GetSysColorBrush(COLOR_BTNSHADOW);
      RECT e{0, 0, rc.right, 1};
      FillRect(dc, &e, frame);
      e = {0, rc.bottom - 1, rc.right, rc.bottom};
      FillRect(dc, &e, frame);
      e = {0, 0, 1, rc.bottom};
      FillRect(dc, &e, frame);
      e = {rc.right - 1, 0, rc.right, rc.bottom};
      FillRect(dc, &e, frame);
      if (m && d) {
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(dc, DefaultGuiFont());
        for (int i = 0; i < static_cast<int>(m->items.size()); ++i) {
          const MenuItem& it = m->items[i];
          int top = ItemTop(*m, i);
          if (it.flags & MF_SEPARATOR) {
            RECT line{4, top + kSeparatorHeight / 2, rc.right - 4, top + kSeparatorHeight / 2 + 1};
            FillRect(dc, &line, frame);
            continue;
          }
          RECT item{2, top, rc.right - 2, top + kItemHeight};
          if (i == d->selected) FillRect(dc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
          SetTextColor(dc, (it.flags & MF_GRAYED) ? GetSysColor(COLOR_GRAYTEXT)
                           : i == d->selected     ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                  : GetSysColor(COLOR_MENUTEXT));
          std::wstring label = it.text.substr(0, it.text.find(L'\t'));
          RECT text{item.left + 16, item.top, item.right - 8, item.bottom};
          DrawTextW(dc, label.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
        }
        SelectObject(dc, old);
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (m && d) {
        RECT rc;
        GetClientRect(h, &rc);
        int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        int i = (x >= 0 && x < rc.right && y >= 0 && y < rc.bottom) ? ItemAt(*m, y) : -1;
        if (!Selectable(*m, i)) i = -1;
        if (i != d->selected) {
          d->selected = i;
          InvalidateRect(h, nullptr, FALSE);
        }
      }
      return 0;
    case WM_LBUTTONDOWN: {
      RECT rc;
      GetClientRect(h, &rc);
      int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      if (x < 0 || y < 0 || x >= rc.right || y >= rc.bottom) Close(h, 0);
      return 0;
    }
    case WM_LBUTTONUP:
      if (m && d) {
        RECT rc;
        GetClientRect(h, &rc);
        int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        if (x >= 0 && y >= 0 && x < rc.right && y < rc.bottom) {
          int i = ItemAt(*m, y);
          if (Selectable(*m, i)) Close(h, m->items[i].id);
        }
      }
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!m || !d) return 0;
      switch (wParam) {
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10:
          Close(h, 0);
          break;
        case VK_RETURN:
          if (Selectable(*m, d->selected)) Close(h, m->items[d->selected].id);
          break;
        case VK_UP:
        case VK_DOWN: {
          int n = static_cast<int>(m->items.size());
          int step = wParam == VK_DOWN ? 1 : -1;
          int i = d->selected;
          for (int k = 0; k < n; ++k) {
            i = (i + step + n) % n;
            if (i < 0) i = n - 1;
            if (Selectable(*m, i)) break;
          }
          if (Selectable(*m, i)) {
            d->selected = i;
            InvalidateRect(h, nullptr, FALSE);
          }
          break;
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (d && !d->done && reinterpret_cast<HWND>(lParam) != h) Close(h, 0);
      return 0;
  }
  return DefWindowProcW(h, msg, wParam, lParam);
}

void OpenSystemMenu(HWND h) {
  auto& session = Session();
  Window* w = Find(h);
  if (!w || !(w->style & WS_SYSMENU) || session.menu_window) return;
  HMENU menu = GetSystemMenu(h, FALSE);
  Menu* m = FindMenu(menu);
  if (!m || m->items.empty()) return;
  SendMessageW(h, WM_ENTERMENULOOP, FALSE, 0);
  SendMessageW(h, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  w = Find(h);
  m = FindMenu(menu);
  if (!w || !m) return;
  int width = 120, height = 4;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = dc ? SelectObject(dc, DefaultGuiFont()) : nullptr;
  for (const auto& it : m->items) {
    height += (it.flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
    SIZE sz{};
    std::wstring label = it.text.substr(0, it.text.find(L'\t'));
    if (dc && !label.empty())
      GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &sz);
    width = std::max<int>(width, sz.cx + 40);
  }
  if (dc) {
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  POINT at = ClientOriginOnScreen(w);
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  at.x = std::clamp<int>(at.x, 0, std::max(0, sw - width));
  at.y = std::clamp<int>(at.y, 0, std::max(0, sh - height));
  HWND popup = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"#32768", L"",
                               WS_POPUP, at.x, at.y, width, height, h, nullptr, nullptr, nullptr);
  MenuData* d = Data(popup);
  if (!d) {
    if (popup) DestroyWindow(popup);
    return;
  }
  d->menu = menu;
  d->owner = h;
  d->selected = -1;
  for (int i = 0; i < static_cast<int>(m->items.size()); ++i)
    if (Selectable(*m, i)) {
      d->selected = i;
      break;
    }
  ShowWindow(popup, SW_SHOWNA);
  session.menu_window = popup;
  SetCapture(popup);
  while (IsWindow(popup)) {
    d = Data(popup);
    if (!d || d->done) break;
    MSG msg;
    BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (r < 0) break;
    DispatchMessageW(&msg);
  }
  UINT_PTR chosen = 0;
  if ((d = Data(popup))) chosen = d->chosen;
  if (session.menu_window == popup) session.menu_window = nullptr;
  if (GetCapture() == popup) ReleaseCapture();
  if (IsWindow(popup)) DestroyWindow(popup);
  if (IsWindow(h)) SendMessageW(h, WM_EXITMENULOOP, FALSE, 0);
  // The choice arrives as a posted system command, as the system menu sends it.
  if (chosen && IsWindow(h)) PostMessageW(h, WM_SYSCOMMAND, chosen, 0);
}

}  // namespace user

using namespace user;

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  auto& session = Session();
  Window* w = Find(hwnd);
  if (!w || !(w->style & WS_SYSMENU)) return nullptr;
  if (!w->sysmenu) {
    w->sysmenu = std::make_unique<Menu>();
    w->sysmenu->handle = reinterpret_cast<HMENU>(Process().next_menu);
    Process().next_menu += 4;
    w->sysmenu->owner = hwnd;
    DefaultItems(w, w->sysmenu.get());
    // The table refers to the window's own menu; it goes with the window.
    session.menus[reinterpret_cast<std::uintptr_t>(w->sysmenu->handle)] = w->sysmenu.get();
  }
  if (revert) {
    DefaultItems(w, w->sysmenu.get());
    return nullptr;
  }
  return w->sysmenu->handle;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCWSTR text) {
  Menu* m = FindMenu(menu);
  if (!m || (flags & MF_POPUP)) return FALSE;
  MenuItem item;
  item.flags = flags;
  item.id = (flags & MF_SEPARATOR) ? 0 : idNewItem;
  if (!(flags & MF_SEPARATOR) && text && !IS_INTRESOURCE(text)) item.text = text;
  m->items.push_back(item);
  return TRUE;
}
