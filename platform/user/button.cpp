// The standard push button beneath the skinned buttons: a press captures and focuses, a release
// inside sends BN_CLICKED to the parent.
#include "internal.h"

namespace user {
namespace {

struct ButtonData : ControlData {
  bool tracking = false;  // the left button went down on this button
  bool pushed = false;    // drawn pressed
  UINT check = BST_UNCHECKED;
  HFONT font = nullptr;
};

ButtonData* Data(HWND h) {
  return FindControlData<ButtonData>(h);
}

void Notify(HWND h, WORD code) {
  Window* w = Find(h);
  if (!w || !w->IsChild()) return;
  SendMessageW(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code),
               reinterpret_cast<LPARAM>(h));
}

void SetPushed(HWND h, bool pushed) {
  ButtonData* d = Data(h);
  if (!d || d->pushed == pushed) return;
  d->pushed = pushed;
  InvalidateRect(h, nullptr, FALSE);
}

void Click(HWND h) {
  Window* w = Find(h);
  if (!w) return;
  DWORD type = w->style & BS_TYPEMASK;
  if (type == BS_AUTOCHECKBOX) {
    if (ButtonData* d = Data(h)) d->check = d->check ? BST_UNCHECKED : BST_CHECKED;
    InvalidateRect(h, nullptr, FALSE);
  }
  Notify(h, BN_CLICKED);
}

void Paint(HWND h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  Window* w = Find(h);
  ButtonData* d = Data(h);
  if (dc && w && d) {
    RECT rc;
    GetClientRect(h, &rc);
    if (w->IsChild())
      SendMessageW(w->parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(h));
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    HBRUSH light = GetSysColorBrush(d->pushed ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT);
    HBRUSH dark = GetSysColorBrush(d->pushed ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW);
    RECT e{rc.left, rc.top, rc.right, rc.top + 1};
    FillRect(dc, &e, light);
    e = {rc.left, rc.top, rc.left + 1, rc.bottom};
    FillRect(dc, &e, light);
    e = {rc.left, rc.bottom - 1, rc.right, rc.bottom};
    FillRect(dc, &e, dark);
    e = {rc.right - 1, rc.top, rc.right, rc.bottom};
    FillRect(dc, &e, dark);
    if ((w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      e = {rc.left, rc.bottom - 2, rc.right, rc.bottom - 1};
      FillRect(dc, &e, dark);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor((w->style & WS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    HGDIOBJ old = d->font ? SelectObject(dc, d->font) : nullptr;
    RECT text = rc;
    if (d->pushed) OffsetRect(&text, 1, 1);
    DrawTextW(dc, w->text.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (old) SelectObject(dc, old);
  }
  EndPaint(h, &ps);
}

}  // namespace

LRESULT ButtonProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  ButtonData* d = ControlDataFor<ButtonData>(h, msg);
  if (!d) return DefWindowProcW(h, msg, wParam, lParam);
  Window* w = Find(h);
  DWORD type = w->style & BS_TYPEMASK;
  switch (msg) {
    case WM_GETDLGCODE:
      if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      return DLGC_BUTTON;
    case WM_LBUTTONDBLCLK:
      if (type == BS_OWNERDRAW || (w->style & BS_NOTIFY)) {
        Notify(h, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      SetCapture(h);
      SetFocus(h);
      if ((d = Data(h))) {
        d->tracking = true;
        SetPushed(h, true);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (d->tracking && GetCapture() == h) {
        RECT rc;
        GetClientRect(h, &rc);
        SetPushed(h, PtInRect(&rc, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!d->tracking) return 0;
      d->tracking = false;
      bool was_pushed = d->pushed;
      SetPushed(h, false);
      ReleaseCapture();
      RECT rc;
      GetClientRect(h, &rc);
      if (was_pushed && PtInRect(&rc, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) Click(h);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (d->tracking && reinterpret_cast<HWND>(lParam) != h) {
        d->tracking = false;
        SetPushed(h, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) SetPushed(h, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && d->pushed) {
        SetPushed(h, false);
        Click(h);
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
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
    case BM_GETCHECK:
      return d->check;
    case BM_SETCHECK:
      d->check = static_cast<UINT>(wParam);
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case BM_GETSTATE:
      return d->check | (d->pushed ? BST_PUSHED : 0) | (GetFocus() == h ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(h, wParam != 0);
      return 0;
    case BM_SETSTYLE:
      w->style = (w->style & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
      if (lParam) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case BM_CLICK:
      Click(h);
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
