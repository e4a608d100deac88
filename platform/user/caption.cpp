// The plain title bar and frame the window system draws itself when the host does not decorate
// captioned windows, and the default hit test that matches it.
#include "internal.h"

namespace user {
namespace {

RECT CloseBox(const Window* w) {
  int f = DialogFrame();
  int cap = CaptionHeight();
  int width = w->rect.right - w->rect.left;
  return {width - f - cap + 2, f + 2, width - f - 2, f + cap - 2};
}

}  // namespace

LRESULT DefaultHitTest(HWND h, POINT screen) {
  Window* w = Find(h);
  if (!w) return HTNOWHERE;
  POINT o = WindowOriginOnScreen(w);
  int x = screen.x - o.x, y = screen.y - o.y;
  int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
  if (x < 0 || y < 0 || x >= width || y >= height) return HTNOWHERE;
  RECT c = ClientRectInWindow(w);
  if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) return HTCLIENT;
  if (OwnCaption(w)) {
    int f = DialogFrame();
    if (y >= f && y < f + CaptionHeight() && x >= f && x < width - f) {
      RECT close = CloseBox(w);
      if ((w->style & WS_SYSMENU) && x >= close.left && x < close.right && y >= close.top &&
          y < close.bottom)
        return HTCLOSE;
      return HTCAPTION;
    }
  }
  return HTBORDER;
}

void DrawNonClient(HWND h) {
  Window* w = Find(h);
  if (!w) return;
  RECT ins = ClientInsets(w);
  if (!ins.left && !ins.top && !ins.right && !ins.bottom) return;
  HDC dc = GetWindowDC(h);
  if (!dc) return;
  int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
  RECT all{0, 0, width, height};
  ExcludeClipRect(dc, ins.left, ins.top, width - ins.right, height - ins.bottom);
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  // Outer line.
  HBRUSH edge = GetSysColorBrush(COLOR_3DDKSHADOW);
  RECT line{0, 0, width, 1};
  FillRect(dc, &line, edge);
  line = {0, height - 1, width, height};
  FillRect(dc, &line, edge);
  line = {0, 0, 1, height};
  FillRect(dc, &line, edge);
  line = {width - 1, 0, width, height};
  FillRect(dc, &line, edge);
  if (OwnCaption(w)) {
    int f = DialogFrame();
    bool active = GetActiveWindow() == h;
    RECT bar{f, f, width - f, f + CaptionHeight()};
    HBRUSH b = CreateSolidBrush(active ? RGB(0, 84, 166) : RGB(128, 128, 128));
    FillRect(dc, &bar, b);
    DeleteObject(b);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(dc, DefaultGuiFont());
    RECT text = bar;
    text.left += 6;
    text.right -= CaptionHeight();
    DrawTextW(dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    if (w->style & WS_SYSMENU) {
      RECT close = CloseBox(w);
      HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
      HGDIOBJ oldpen = SelectObject(dc, pen);
      int s = 4;
      int cx = (close.left + close.right) / 2, cy = (close.top + close.bottom) / 2;
      for (int k = 0; k < 2; ++k) {
        MoveToEx(dc, cx - s + k, cy - s, nullptr);
        LineTo(dc, cx + s + 1 + k, cy + s + 1);
        MoveToEx(dc, cx + s + k, cy - s, nullptr);
        LineTo(dc, cx - s - 1 + k, cy + s + 1);
      }
      SelectObject(dc, oldpen);
      DeleteObject(pen);
    }
  }
  ReleaseDC(h, dc);
}

}  // namespace user
