// The standard static control: it keeps its text (or icon) and draws it. Without SS_NOTIFY the
// pointer passes through it to the window beneath.
#include "internal.h"

namespace user {
namespace {

struct StaticData : ControlData {
  HFONT font = nullptr;
  HICON icon = nullptr;
};

StaticData* Data(HWND h) {
  return FindControlData<StaticData>(h);
}

void Paint(HWND h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  Window* w = Find(h);
  StaticData* d = Data(h);
  if (dc && w && d) {
    RECT rc;
    GetClientRect(h, &rc);
    HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
    if (w->IsChild()) {
      auto b = reinterpret_cast<HBRUSH>(SendMessageW(
          w->parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h)));
      if (b) brush = b;
    }
    w = Find(h);
    if (w) {
      FillRect(dc, &rc, brush);
      DWORD type = w->style & SS_TYPEMASK;
      if (type == SS_ICON) {
        if (d->icon) DrawIcon(dc, 0, 0, d->icon);
      } else {
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = d->font ? SelectObject(dc, d->font) : nullptr;
        UINT format = (w->style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        if (type == SS_CENTER) format |= DT_CENTER;
        if (type == SS_RIGHT) format |= DT_RIGHT;
        if (w->style & SS_CENTERIMAGE) format |= DT_VCENTER | DT_SINGLELINE;
        DrawTextW(dc, w->text.c_str(), -1, &rc, format);
        if (old) SelectObject(dc, old);
      }
    }
  }
  EndPaint(h, &ps);
}

}  // namespace

LRESULT StaticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  StaticData* d = ControlDataFor<StaticData>(h, msg);
  if (!d) return DefWindowProcW(h, msg, wParam, lParam);
  Window* w = Find(h);
  switch (msg) {
    case WM_NCHITTEST:
      return (w->style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(h, msg, wParam, lParam);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      d->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(d->font);
    case STM_SETICON: {
      HICON old = d->icon;
      d->icon = reinterpret_cast<HICON>(wParam);
      InvalidateRect(h, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(d->icon);
    case WM_LBUTTONDOWN:
      if ((w->style & SS_NOTIFY) && w->IsChild())
        SendMessageW(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), STN_CLICKED),
                     reinterpret_cast<LPARAM>(h));
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
