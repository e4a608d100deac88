// The default window procedure.
#include <algorithm>

#include "internal.h"

namespace user {
LRESULT DefaultHitTest(HWND h, POINT screen);
}

using namespace user;

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_SETTEXT: {
      auto text = reinterpret_cast<LPCWSTR>(lParam);
      w->text = text ? text : L"";
      if (w->native && CurrentHost()) CurrentHost()->SetTitle(w->native, base::ToUtf8(w->text));
      if (OwnCaption(w)) w->nc_dirty = true;
      return TRUE;
    }
    case WM_GETTEXT: {
      auto buf = reinterpret_cast<LPWSTR>(lParam);
      if (!buf || wParam == 0) return 0;
      std::size_t n = std::min<std::size_t>(wParam - 1, w->text.size());
      std::copy_n(w->text.c_str(), n, buf);
      buf[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush = w->cls->background;
      if (!brush) return 0;
      // A class background of COLOR_xxx + 1 names a system colour (Windows has 31 of them).
      constexpr std::uintptr_t kSysColorCount = 31;
      auto value = reinterpret_cast<std::uintptr_t>(brush);
      if (value <= kSysColorCount) brush = GetSysColorBrush(static_cast<int>(value) - 1);
      RECT rc;
      GetClientRect(hwnd, &rc);
      FillRect(reinterpret_cast<HDC>(wParam), &rc, brush);
      return 1;
    }
    case WM_NCPAINT:
      DrawNonClient(hwnd);
      return 0;
    case WM_NCACTIVATE:
      if (OwnCaption(w)) w->nc_dirty = true;
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !w->minimized) {
        HWND focus = GetFocus();
        if (focus != hwnd && !IsDescendant(hwnd, focus)) {
          HWND saved = w->saved_focus;
          SetFocus((saved && IsDescendant(hwnd, saved) && IsWindowVisible(saved)) ? saved : hwnd);
        }
      }
      return 0;
    case WM_NCHITTEST:
      return DefaultHitTest(hwnd, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETCURSOR:
      if (w->IsChild() && SendMessageW(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (LOWORD(static_cast<DWORD_PTR>(lParam)) == HTCLIENT) {
        if (Window* again = Find(hwnd); again && again->cls->cursor) SetCursor(again->cls->cursor);
      }
      return FALSE;
    case WM_MOUSEACTIVATE:
      if (w->IsChild()) {
        LRESULT r = SendMessageW(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_NCLBUTTONDOWN:
      switch (static_cast<LRESULT>(wParam)) {
        case HTCAPTION:
          SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
          break;
        case HTCLOSE:
          SendMessageW(Root(hwnd), WM_SYSCOMMAND, SC_CLOSE, lParam);
          break;
        case HTSYSMENU:
          SendMessageW(Root(hwnd), WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, lParam);
          break;
      }
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MOVE:
          if ((wParam & 0x000F) == HTCAPTION)
            RunMoveLoop(hwnd, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
          break;
        case SC_CLOSE:
          SendMessageW(hwnd, WM_CLOSE, 0, 0);
          break;
        case SC_MINIMIZE:
          ShowWindow(hwnd, SW_MINIMIZE);
          break;
        case SC_RESTORE:
          ShowWindow(hwnd, SW_RESTORE);
          break;
        case SC_KEYMENU:
        case SC_MOUSEMENU:
          OpenSystemMenu(Root(hwnd));
          break;
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSKEYDOWN:
      if (HIWORD(static_cast<DWORD_PTR>(lParam)) & 0x2000) {  // Alt held
        if (wParam == VK_F4) {
          SendMessageW(Root(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (wParam == VK_SPACE) {
          SendMessageW(Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
        }
      }
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!wp) return 0;
      if (!(wp->flags & SWP_NOMOVE)) {
        POINT o{wp->x, wp->y};
        RECT ins = ClientInsets(w);
        SendMessageW(
            hwnd, WM_MOVE, 0,
            MAKELPARAM(static_cast<WORD>(o.x + ins.left), static_cast<WORD>(o.y + ins.top)));
      }
      if (!(wp->flags & SWP_NOSIZE) && Find(hwnd)) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
                     MAKELPARAM(static_cast<WORD>(rc.right), static_cast<WORD>(rc.bottom)));
      }
      return 0;
    }
    case WM_SETICON: {
      std::size_t i = wParam == ICON_BIG ? 1 : 0;
      HICON old = w->icons[i];
      w->icons[i] = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(w->icons[wParam == ICON_BIG ? 1 : 0]);
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(w->cls->icon);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CANCELMODE:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
  }
  return 0;
}
