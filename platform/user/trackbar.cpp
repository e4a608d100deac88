// The standard trackbar beneath the skinned slider: it keeps a range, a position and a page,
// follows the pointer and the arrow keys, and tells its parent with WM_HSCROLL.
#include <algorithm>

#include "internal.h"

namespace user {
namespace {

constexpr int kThumbWidth = 11;
constexpr int kInset = 6;

struct TrackbarData : ControlData {
  LONG min = 0;
  LONG max = 100;
  LONG pos = 0;
  LONG page = 20;
  bool page_set = false;
  LONG line = 1;
  bool dragging = false;
};

TrackbarData* Data(HWND h) {
  return FindControlData<TrackbarData>(h);
}

void Clamp(TrackbarData* d) {
  if (d->max < d->min) d->max = d->min;
  d->pos = std::clamp(d->pos, d->min, d->max);
  if (!d->page_set) d->page = std::max<LONG>(1, (d->max - d->min) / 5);
}

void Notify(HWND h, WORD code, LONG pos) {
  Window* w = Find(h);
  if (!w || !w->IsChild()) return;
  UINT msg = (w->style & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
  WORD hi = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? static_cast<WORD>(pos) : 0;
  SendMessageW(w->parent, msg, MAKEWPARAM(code, hi), reinterpret_cast<LPARAM>(h));
}

LONG PosFromX(HWND h, TrackbarData* d, int x) {
  RECT rc;
  GetClientRect(h, &rc);
  int len = std::max<int>(1, rc.right - 2 * kInset);
  double ratio = std::clamp((x - kInset) / static_cast<double>(len), 0.0, 1.0);
  return d->min + static_cast<LONG>(ratio * (d->max - d->min) + 0.5);
}

void Paint(HWND h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  TrackbarData* d = Data(h);
  if (dc && d) {
    RECT rc;
    GetClientRect(h, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    int mid = rc.bottom / 2;
    RECT channel{kInset, mid - 2, rc.right - kInset, mid + 2};
    FillRect(dc, &channel, GetSysColorBrush(COLOR_BTNSHADOW));
    int len = std::max<int>(1, rc.right - 2 * kInset);
    int span = std::max<LONG>(1, d->max - d->min);
    int cx = kInset + static_cast<int>(static_cast<long long>(d->pos - d->min) * len / span);
    RECT thumb{cx - kThumbWidth / 2, 2, cx + kThumbWidth / 2 + 1, rc.bottom - 2};
    FillRect(dc, &thumb, GetSysColorBrush(COLOR_3DDKSHADOW));
  }
  EndPaint(h, &ps);
}

}  // namespace

LRESULT TrackbarProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TrackbarData* d = ControlDataFor<TrackbarData>(h, msg);
  if (!d) return DefWindowProcW(h, msg, wParam, lParam);
  auto redraw = [&](bool yes) {
    if (yes) InvalidateRect(h, nullptr, FALSE);
  };
  switch (msg) {
    case TBM_GETPOS:
      return d->pos;
    case TBM_GETRANGEMIN:
      return d->min;
    case TBM_GETRANGEMAX:
      return d->max;
    case TBM_SETPOS:
      d->pos = static_cast<LONG>(lParam);
      Clamp(d);
      redraw(wParam != 0);
      return 0;
    case TBM_SETRANGE:
      d->min = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)));
      d->max = static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lParam)));
      Clamp(d);
      redraw(wParam != 0);
      return 0;
    case TBM_SETRANGEMIN:
      d->min = static_cast<LONG>(lParam);
      Clamp(d);
      redraw(wParam != 0);
      return 0;
    case TBM_SETRANGEMAX:
      d->max = static_cast<LONG>(lParam);
      Clamp(d);
      redraw(wParam != 0);
      return 0;
    case TBM_SETPAGESIZE: {
      LONG old = d->page;
      d->page = static_cast<LONG>(lParam);
      d->page_set = true;
      return old;
    }
    case TBM_GETPAGESIZE:
      return d->page;
    case TBM_SETLINESIZE: {
      LONG old = d->line;
      d->line = static_cast<LONG>(lParam);
      return old;
    }
    case TBM_GETLINESIZE:
      return d->line;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(h);
      SetCapture(h);
      if ((d = Data(h))) {
        d->dragging = true;
        d->pos = PosFromX(h, d, GET_X_LPARAM(lParam));
        InvalidateRect(h, nullptr, FALSE);
        Notify(h, TB_THUMBTRACK, d->pos);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (d->dragging) {
        LONG pos = PosFromX(h, d, GET_X_LPARAM(lParam));
        if (pos != d->pos) {
          d->pos = pos;
          InvalidateRect(h, nullptr, FALSE);
          Notify(h, TB_THUMBTRACK, pos);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (d->dragging) {
        d->dragging = false;
        if (GetCapture() == h) ReleaseCapture();
        if ((d = Data(h))) {
          Notify(h, TB_THUMBPOSITION, d->pos);
          Notify(h, TB_ENDTRACK, 0);
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != h) d->dragging = false;
      return 0;
    case WM_KEYDOWN: {
      WORD code;
      LONG pos = d->pos;
      switch (wParam) {
        case VK_LEFT:
        case VK_UP:
          code = TB_LINEUP;
          pos -= d->line;
          break;
        case VK_RIGHT:
        case VK_DOWN:
          code = TB_LINEDOWN;
          pos += d->line;
          break;
        case VK_PRIOR:
          code = TB_PAGEUP;
          pos -= d->page;
          break;
        case VK_NEXT:
          code = TB_PAGEDOWN;
          pos += d->page;
          break;
        case VK_HOME:
          code = TB_TOP;
          pos = d->min;
          break;
        case VK_END:
          code = TB_BOTTOM;
          pos = d->max;
          break;
        default:
          return 0;
      }
      d->pos = std::clamp(pos, d->min, d->max);
      InvalidateRect(h, nullptr, FALSE);
      Notify(h, code, d->pos);
      return 0;
    }
    case WM_KEYUP:
      if (wParam >= VK_PRIOR && wParam <= VK_DOWN) Notify(h, TB_ENDTRACK, 0);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(h);
      return 0;
  }
  return DefWindowProcW(h, msg, wParam, lParam);
}

}  // namespace user
